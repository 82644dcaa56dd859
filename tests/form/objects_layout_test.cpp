// Caption objects: creation, anchoring to the frame corners, the automatic
// button layout, the default buttons, border icons and localized hints.
#include "tests/form/objects_util.h"

#include <functional>

#include "skin/vxResStrData.h"

namespace vx::test {
namespace {

using Defs = std::vector<std::unique_ptr<TvxDataSkinObject>>;

std::unique_ptr<TvxDataSkinObject> UserObject(const std::string& name, TRect r) {
  auto u = std::make_unique<TvxDataUserObject>(name);
  u->skinrect = r;
  u->skinrectinapicture = false;
  return u;
}

std::unique_ptr<TvxDataSkinCaption> Caption(TRect r) {
  auto c = std::make_unique<TvxDataSkinCaption>("caption");
  c->skinrect = r;
  c->skinrectinapicture = false;
  c->textrect = {0, 0, r.Right - r.Left, r.Bottom - r.Top};
  return c;
}

std::unique_ptr<TvxDataSkinAnimate> Animated(const std::string& name, TvxSkinCommand cmd, bool buttonStyle) {
  auto a = std::make_unique<TvxDataSkinAnimate>(name);
  a->command = cmd;
  a->buttonstyle = buttonStyle;
  a->activepictureindex = 0;
  a->skinrectinapicture = true;
  a->skinrect = Cell(0);
  a->countframes = 2;
  return a;
}

// Picture 200 x 100, frame 300 x 150: objects in the right zones move by 100,
// those in the bottom zones by 50.
struct AnchorCase {
  const char* name;
  TRect skin, expected;
};

TEST_F(ObjectsTest, AnchoringFollowsTheFourCornerZones) {
  const AnchorCase cases[] = {
      {"lt", {2, 2, 10, 10}, {2, 2, 10, 10}},
      {"rt", {185, 2, 195, 10}, {285, 2, 295, 10}},
      {"rt_flush_right", {190, 2, 200, 10}, {290, 2, 300, 10}},
      {"lb", {2, 92, 10, 98}, {2, 142, 10, 148}},
      {"lb_flush_bottom", {2, 92, 10, 100}, {2, 142, 10, 150}},
      {"rb", {185, 92, 195, 98}, {285, 142, 295, 148}},
      {"rb_flush_corner", {190, 95, 200, 100}, {290, 145, 300, 150}},
      {"lt_to_rb", {0, 0, 200, 100}, {0, 0, 300, 150}},
      {"lt_to_rt", {2, 2, 195, 10}, {2, 2, 295, 10}},
      {"lt_to_rt_flush", {0, 0, 200, 30}, {0, 0, 300, 30}},
      {"lb_to_rb", {2, 92, 195, 98}, {2, 142, 295, 148}},
      {"lt_to_lb", {2, 2, 10, 95}, {2, 2, 10, 145}},
      {"rt_to_rb", {185, 2, 195, 95}, {285, 2, 295, 145}},
      {"middle", {50, 40, 60, 50}, {50, 40, 60, 50}},
  };
  MakeForm(300, 150);
  Defs defs;
  for (const auto& c : cases) defs.push_back(UserObject(c.name, c.skin));
  Use(BuildSkin({}, std::move(defs)));
  ShowForm();
  ASSERT_EQ(velmora->FrameWidth(), 300);
  ASSERT_EQ(velmora->FrameHeight(), 150);
  for (const auto& c : cases) EXPECT_EQ(RectOf(c.name), c.expected) << c.name;

  // Resizing moves them again from their skin rectangles.
  form->SetBounds(100, 100, 250, 120);
  screen.Pump();
  EXPECT_EQ(RectOf("rt_flush_right"), (TRect{240, 2, 250, 10}));
  EXPECT_EQ(RectOf("rb_flush_corner"), (TRect{240, 115, 250, 120}));
}

struct LayoutCase {
  const char* name;
  TRect buttonsRect, captionRect;
  bool inLeft;
  TRect close, max, min, custom, sys;
  int captionLeft, captionRight;
};

TEST_F(ObjectsTest, AutomaticButtonLayout) {
  const TRect cell = Cell(kNormal);
  const LayoutCase cases[] = {
      {"right_buttonsrect", {120, 3, 196, 17}, {20, 0, 120, 25}, false,
       {280, 3, 296, 17}, {262, 3, 278, 17}, {244, 3, 260, 17}, {226, 3, 242, 17}, {20, 5, 36, 19}, 36, 180},
      {"right_caption_only", {}, {20, 0, 120, 25}, false,
       {204, 0, 220, 14}, {186, 0, 202, 14}, {168, 0, 184, 14}, {150, 0, 166, 14}, {20, 5, 36, 19}, 36, 150},
      {"left_caption_only", {}, {20, 0, 120, 25}, true,
       {20, 0, 36, 14}, {38, 0, 54, 14}, {56, 0, 72, 14}, {74, 0, 90, 14}, {92, 0, 108, 14}, 112, 180},
      {"left_buttonsrect", {4, 3, 60, 17}, {60, 0, 120, 25}, true,
       {4, 3, 20, 17}, {22, 3, 38, 17}, {40, 3, 56, 17}, {58, 3, 74, 17}, cell, 20, 180},
      {"no_base_rectangle", {}, {}, false, cell, cell, cell, cell, cell, 20, 180},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm(300, 150);
    velmora->OnActivateCustomObject = [](const std::string&, bool& visible) { visible = true; };
    TSkinShape shape;
    shape.ButtonsRect = c.buttonsRect;
    shape.CaptionRect = c.captionRect;
    shape.ButtonsOffset = 2;
    shape.ButtonsInLeft = c.inLeft;
    Defs defs;
    // List order differs from layout order on purpose.
    defs.push_back(StdButton("sys", cmSysMenu));
    defs.push_back(StdButton("custom", cmDefault));
    defs.push_back(StdButton("min", cmMinimize));
    defs.push_back(Caption({20, 0, 180, 25}));
    defs.push_back(StdButton("max", cmMaximize));
    defs.push_back(StdButton("close", cmClose));
    defs.push_back(StdButton("close2", cmClose));  // only the first of a command is placed
    Use(BuildSkin(shape, std::move(defs)));
    ShowForm();
    EXPECT_EQ(RectOf("close"), c.close);
    EXPECT_EQ(RectOf("close2"), cell);
    EXPECT_EQ(RectOf("max"), c.max);
    EXPECT_EQ(RectOf("min"), c.min);
    EXPECT_EQ(RectOf("custom"), c.custom);
    EXPECT_EQ(RectOf("sys"), c.sys);
    EXPECT_EQ(RectOf("caption").Left, c.captionLeft);
    EXPECT_EQ(RectOf("caption").Right, c.captionRight);
    delete form;
  }
}

TEST_F(ObjectsTest, SystemMenuButtonShowingTheIconTakesTheSmallIconSize) {
  MakeForm(300, 150);
  velmora->SetShowIcon(true);
  TSkinShape shape;
  shape.CaptionRect = {20, 0, 120, 25};
  Defs defs;
  defs.push_back(StdButton("sys", cmSysMenu));
  Use(BuildSkin(shape, std::move(defs)));
  ShowForm();
  const TSize icon = velmora->SmallIconSize();
  ASSERT_GT(icon.cx, 0);
  const int y0 = 25 / 2 - icon.cy / 2;
  EXPECT_EQ(RectOf("sys"), (TRect{20, y0, 20 + icon.cx, y0 + icon.cy}));
}

TEST_F(ObjectsTest, CreatesOneObjectPerDefinitionOfItsClass) {
  MakeForm();
  Defs defs;
  defs.push_back(StdButton("close", cmClose));
  auto plain = std::make_unique<TvxDataSkinButton>("plain");
  plain->skinrect = Cell(0);
  defs.push_back(std::move(plain));
  defs.push_back(Caption({20, 0, 180, 25}));
  defs.push_back(Animated("anim", cmDefault, true));
  defs.push_back(UserObject("user", {1, 1, 5, 5}));
  defs.push_back(std::make_unique<TvxDataSkinMenuItem>("menuitem"));
  defs.push_back(std::make_unique<TvxDataSkinMainMenuBarButton>("barbutton"));
  defs.push_back(std::make_unique<TvxDataSkinMainMenuBarItem>("baritem"));
  Use(BuildSkin({}, std::move(defs)));
  ASSERT_EQ(Objects().Count(), 5);
  EXPECT_NE(dynamic_cast<TvxSkinStdButtonObject*>(Objects().Object(0)), nullptr);
  EXPECT_EQ(dynamic_cast<TvxSkinStdButtonObject*>(Objects().Object(1)), nullptr);
  EXPECT_NE(dynamic_cast<TvxSkinButtonObject*>(Objects().Object(1)), nullptr);
  EXPECT_TRUE(Objects().Object(2)->IsCaption());
  EXPECT_NE(dynamic_cast<TvxSkinAnimateObject*>(Objects().Object(3)), nullptr);
  EXPECT_NE(dynamic_cast<TvxUserObject*>(Objects().Object(4)), nullptr);
  EXPECT_EQ(Objects().Object(4)->IDName(), "user");
  EXPECT_EQ(Objects().Object(5), nullptr);
}

TEST_F(ObjectsTest, PictureIndexesOutsideTheSkinGiveNoPicture) {
  MakeForm();
  Defs defs;
  auto b = StdButton("bad", cmClose);
  b->activepictureindex = 7;
  b->activemaskpictureindex = 9;
  b->morphing = true;
  defs.push_back(std::move(b));
  Use(BuildSkin({}, std::move(defs)));
  TvxActiveSkinObject* o = Obj("bad");
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->activepictureindex, -1);
  EXPECT_EQ(o->activemaskpictureindex, -1);
  EXPECT_TRUE(o->activeskinrect.IsEmpty());
  EXPECT_FALSE(o->morphing);
  EXPECT_TRUE(o->InObject(3, 3));
  ShowForm();  // paints without a picture
}

TEST_F(ObjectsTest, DefaultButtonsWithoutASkin) {
  MakeForm(300, 150);
  ShowForm();
  ASSERT_EQ(Objects().Count(), 6);
  const char* names[] = {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton"};
  const TvxSkinCommand cmds[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmSysMenu, cmMinimizeToTray};
  for (int i = 0; i < 6; ++i) {
    auto* s = dynamic_cast<TvxSkinStdButtonObject*>(Objects().Object(i));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->IDName(), names[i]);
    EXPECT_EQ(s->command, cmds[i]);
    EXPECT_FALSE(s->HasDefinition());
    EXPECT_TRUE(s->skinrectinapicture);
  }
  // The tray icon is not among the default border icons.
  EXPECT_FALSE(Obj("traybutton")->Visible);
  const TRect cap = Objects().LayoutDefaultObjects();
  EXPECT_EQ(RectOf("closebutton"), (TRect{280, 4, 297, 21}));
  EXPECT_EQ(RectOf("maxbutton"), (TRect{263, 4, 280, 21}));
  EXPECT_EQ(RectOf("minbutton"), (TRect{246, 4, 263, 21}));
  EXPECT_EQ(RectOf("rollupbutton"), (TRect{229, 4, 246, 21}));
  EXPECT_EQ(RectOf("sysmenubutton"), (TRect{3, 4, 20, 21}));
  EXPECT_EQ(cap, (TRect{20, 3, 229, 19}));

  velmora->SetShowIcon(true);
  const TSize icon = velmora->SmallIconSize();
  EXPECT_EQ(Objects().LayoutDefaultObjects().Left, 3 + icon.cx);
  EXPECT_EQ(RectOf("sysmenubutton"), (TRect{3, 4, 3 + icon.cx, 4 + icon.cy}));
}

// Enabled and visible flags after ApplyBorderIcons.
struct EV {
  bool e, v;
  bool operator==(const EV& o) const { return e == o.e && v == o.v; }
};
std::ostream& operator<<(std::ostream& os, const EV& x) { return os << "{E " << x.e << ", V " << x.v << "}"; }

struct IconsCase {
  const char* name;
  TvxBorderIcons icons;
  bool hide, disableSysMenu;
  int customAnswer;  // -1: OnActivateCustomObject unassigned
  EV close, dialogClose, max, min, tray, sys, custom, animMax, animDeco;
};

TEST_F(ObjectsTest, BorderIconsDecideWhichButtonsWork) {
  constexpr EV on{true, true}, off{false, false}, dead{false, true};
  const TvxBorderIcons defaults = kDefaultVxBorderIcons;
  const IconsCase cases[] = {
      // "min" is painted into the frame picture: disabled, it stays visible.
      {"defaults", defaults, false, false, 1, on, off, on, on, off, on, on, on, on},
      {"system_menu_only", biSystemMenu, false, false, 1, off, on, off, dead, off, on, on, off, on},
      {"none", 0, false, false, 1, off, on, off, dead, off, off, on, off, on},
      {"tray_is_not_dialog_style", TvxBorderIcons(biSystemMenu | 0) | biMinimizeToTray, false, false, 1, on, off, off, dead, on, on, on,
       off, on},
      {"disable_system_menu", defaults, false, true, 1, on, off, on, on, off, off, on, on, on},
      {"custom_hidden_by_event", defaults, false, false, 0, on, off, on, on, off, on, {true, false}, on, on},
      {"custom_without_event", defaults, false, false, -1, on, off, on, on, off, on, {true, false}, on, on},
      {"hide_caption_buttons", defaults, true, false, 1, off, off, off, dead, off, off, off, off, off},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm();
    if (c.customAnswer >= 0)
      velmora->OnActivateCustomObject = [&c](const std::string& id, bool& visible) {
        EXPECT_EQ(id, "custom");
        visible = c.customAnswer == 1;
      };
    Defs defs;
    defs.push_back(StdButton("closebutton", cmClose));
    defs.push_back(StdButton("dialogclosebutton", cmClose));
    defs.push_back(StdButton("max", cmMaximize));
    defs.push_back(StdButton("min", cmMinimize, false));
    defs.push_back(StdButton("tray", cmMinimizeToTray));
    defs.push_back(StdButton("sys", cmSysMenu));
    defs.push_back(StdButton("custom", cmDefault));
    defs.push_back(Animated("animmax", cmMaximize, true));
    defs.push_back(Animated("animdeco", cmMaximize, false));
    Use(BuildSkin({}, std::move(defs)));
    // A dialog-style set applied before must not leave its marks behind.
    velmora->SetBorderIcons(biSystemMenu);
    velmora->SetHideCaptionButtons(c.hide);
    velmora->SetDisableSystemMenu(c.disableSysMenu);
    velmora->SetBorderIcons(c.icons);
    Objects().ApplyBorderIcons();
    auto ev = [&](const char* id) { return EV{Obj(id)->Enabled, Obj(id)->Visible}; };
    EXPECT_EQ(ev("closebutton"), c.close);
    EXPECT_EQ(ev("dialogclosebutton"), c.dialogClose);
    EXPECT_EQ(ev("max"), c.max);
    EXPECT_EQ(ev("min"), c.min);
    EXPECT_EQ(ev("tray"), c.tray);
    EXPECT_EQ(ev("sys"), c.sys);
    EXPECT_EQ(ev("custom"), c.custom);
    EXPECT_EQ(ev("animmax"), c.animMax);
    EXPECT_EQ(ev("animdeco"), c.animDeco);
    delete form;
  }
}

TEST_F(ObjectsTest, ButtonHintsAreLocalized) {
  struct HintCase {
    const char* name;
    bool useDefault;
    bool table;
    const char *close, *max, *min, *sys, *rollup, *tray, *restore;
  };
  const HintCase cases[] = {
      {"built_in", true, false, "Close", "Maximize", "Minimize", "System menu", "Roll Up", "Minimize to Tray",
       "Restore"},
      // Keys missing from the table fall back to the built-in texts.
      {"string_table", true, true, "Schliessen", "Maximieren", "Minimize", "Systemmenue", "Roll Up",
       "Minimize to Tray", "Wiederherstellen"},
      {"skin_hints_kept", false, true, "hint of close", "hint of max", "hint of min", "hint of sys",
       "hint of rollup", "hint of tray", "restore of max"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm();
    velmora->SetUseDefaultObjectHint(c.useDefault);
    Defs defs;
    for (auto [id, cmd] : {std::pair{"close", cmClose}, {"max", cmMaximize}, {"min", cmMinimize},
                           {"sys", cmSysMenu}, {"rollup", cmRollUp}, {"tray", cmMinimizeToTray},
                           {"custom", cmDefault}}) {
      auto b = StdButton(id, cmd);
      b->restorehint = std::string("restore of ") + id;
      defs.push_back(std::move(b));
    }
    TvxSkinData* sd = BuildSkin({}, std::move(defs));
    if (c.table) {
      auto* rs = new TvxResourceStrData(form);
      TStringList lines{"CLOSEBUTTON_HINT=Schliessen", "MAXBUTTON_HINT=Maximieren", "MENUBUTTON_HINT=Systemmenue",
                        "RESTORE_HINT=Wiederherstellen"};
      rs->SetResStrings(lines);
      sd->SetResourceStrData(rs);
    }
    Use(sd);
    Objects().LocalizeObjectHints();
    EXPECT_EQ(Obj("close")->hint, c.close);
    EXPECT_EQ(Obj("max")->hint, c.max);
    EXPECT_EQ(Obj("min")->hint, c.min);
    EXPECT_EQ(Obj("sys")->hint, c.sys);
    EXPECT_EQ(Obj("rollup")->hint, c.rollup);
    EXPECT_EQ(Obj("tray")->hint, c.tray);
    EXPECT_EQ(Obj("custom")->hint, "hint of custom");
    auto* max = dynamic_cast<TvxSkinStdButtonObject*>(Obj("max"));
    EXPECT_EQ(max->restorehint, c.restore);
    EXPECT_EQ(max->normalhint, c.max);
    delete form;
  }
}

}  // namespace
}  // namespace vx::test

namespace vx::test {
namespace {

// Skin values at the top of their range (every coordinate a skin can hold is
// 0 .. 2^31 - 1). The form is laid out, painted, hit-tested and hovered at a
// size larger than the picture, so every coordinate that follows the right or
// bottom edge grows; nothing may overflow, allocate without bound or crash.
TEST_F(ObjectsTest, HostileSkinValuesAreSurvived) {
  constexpr int kMax = 2147483647;
  struct Case {
    const char* name;
    std::function<void(TSkinShape&)> shape;
    std::function<void(Defs&)> defs;
    std::function<void(TvxSkinData&)> data;
  };
  const auto none = [](auto&) {};
  const Case cases[] = {
      {"client_rect_to_the_end", [](TSkinShape& s) { s.Client = {4, 30, kMax, kMax}; }, none, none},
      {"corner_points_at_the_end",
       [](TSkinShape& s) {
         s.RT = {kMax, 30};
         s.LB = {20, kMax};
         s.RB = {kMax, kMax};
       },
       none, none},
      {"buttons_rect_and_gap",
       [](TSkinShape& s) {
         s.ButtonsRect = {kMax - 10, 0, kMax, 20};
         s.ButtonsOffset = kMax;
       },
       none, none},
      {"caption_rect_and_gap_left",
       [](TSkinShape& s) {
         s.CaptionRect = {0, 0, kMax, 25};
         s.ButtonsOffset = kMax;
         s.ButtonsInLeft = true;
       },
       none, none},
      {"object_rectangles",
       none,
       [](Defs& d) {
         auto far = StdButton("far", cmDefault, false);
         far->skinrect = far->activeskinrect = {kMax - 16, kMax - 14, kMax, kMax};
         d.push_back(std::move(far));
         auto big = StdButton("big", cmRollUp);
         big->skinrect = big->activeskinrect = {0, 0, kMax, kMax};
         d.push_back(std::move(big));
         auto cap = Caption({0, 0, kMax, 25});
         cap->textrect = {0, 0, kMax, kMax};
         cap->framerect = {0, 0, kMax, 10};
         cap->frametextrect = {kMax, kMax, kMax, kMax};
         cap->activeskinrect = {0, 0, kMax, 25};
         cap->activepictureindex = 0;
         d.push_back(std::move(cap));
       },
       none},
      {"frame_counts_and_intervals",
       none,
       [](Defs& d) {
         auto a = Animated("anim", cmDefault, true);
         a->countframes = kMax;
         a->timerinterval = kMax;
         a->downskinrect = Cell(kDown);
         d.push_back(std::move(a));
         auto cap = Caption({20, 0, 180, 25});
         cap->animateskinrect = {0, 0, kMax, kMax};
         cap->framecount = kMax;
         cap->animateinterval = kMax;
         cap->activepictureindex = 0;
         d.push_back(std::move(cap));
       },
       none},
      {"border_width_and_hit_points",
       none, none,
       [](TvxSkinData& sd) {
         sd.borderwidth = kMax;
         sd.hittestrighttoppoint = {kMax, kMax};
         sd.hittestrightbottompoint = {kMax, kMax};
         sd.hittestleftbottompoint = {kMax, kMax};
       }},
      {"mask_area_to_the_end",
       none, none,
       [](TvxSkinData& sd) {
         sd.MaskPicture->SetSize(200, 100);
         sd.MaskPicture->FillRect(sd.MaskPicture->BoundsRect(), 0xFF000000u);
         sd.maskrectarea = {4, 30, kMax, kMax};
       }},
      {"glow_offsets",
       none,
       [](Defs& d) {
         auto g = StdButton("glowing", cmDefault);
         g->glowlayerpictureindex = 0;
         g->glowlayeroffsetx = -kMax - 1;
         g->glowlayeroffsety = -kMax - 1;
         d.push_back(std::move(g));
       },
       [](TvxSkinData& sd) { sd.SetShowCaptionButtonGlowFrames(true); }},
      {"caption_text_values",
       none,
       [](Defs& d) {
         for (int effect = 0; effect < 3; ++effect) {
           auto cap = Caption({20, 0, 180, 25});
           cap->fontheight = effect == 0 ? kMax : -kMax;
           cap->framerect = Cell(kDisabled);
           cap->frameleftoffset = kMax;
           cap->framerightoffset = -kMax;
           cap->reflectioneffect = effect == 0;
           cap->gloweffect = effect == 1;
           cap->vistagloweffect = effect == 2;
           cap->glowsize = kMax;
           cap->glowoffset = -kMax;
           cap->reflectionoffset = kMax;
           cap->light = cap->shadow = true;
           d.push_back(std::move(cap));
         }
       },
       none},
      {"pictures_smaller_than_the_frame_picture", none, none,
       [](TvxSkinData& sd) {
         sd.MaskPicture->SetSize(7, 5);
         sd.MaskPicture->FillRect(sd.MaskPicture->BoundsRect(), 0xFF000000u);
         sd.InactivePicture->SetSize(9, 3);
         sd.autorenderinginactiveimage = true;
       }},
      {"minimum_sizes", none, none,
       [](TvxSkinData& sd) {
         sd.formminwidth = kMax;
         sd.formminheight = kMax;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm(300, 150);
    velmora->OnActivateCustomObject = [](const std::string&, bool& visible) { visible = true; };
    TSkinShape shape;
    c.shape(shape);
    Defs defs;
    defs.push_back(StdButton("close", cmClose));
    defs.push_back(StdButton("max", cmMaximize));
    defs.push_back(Caption({20, 0, 180, 25}));
    c.defs(defs);
    TvxSkinData* sd = BuildSkin(shape, std::move(defs));
    c.data(*sd);
    Use(sd);
    ShowForm();
    form->SetBounds(100, 100, 500, 300);
    screen.Pump();
    // The window keeps a size the screen can hold.
    EXPECT_LE(form->Width(), 800);
    EXPECT_LE(form->Height(), 600);
    WindowColor(10, 10);
    for (int y = 0; y < form->Height(); y += 7)
      for (int x = 0; x < form->Width(); x += 11) {
        const TPoint p = ScreenAt(x, y);
        SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
      }
    // Every object hovered, pressed and painted in that state.
    TvxBitmap canvas(64, 64);
    for (int i = 0; i < Objects().Count(); ++i) {
      TvxActiveSkinObject* o = Objects().Object(i);
      o->MouseEnter();
      o->MouseDown(0, 0, mbLeft);
      o->Paint(canvas.Canvas(), true);
      o->MouseLeave();
    }
    screen.RunFor(100);
    WindowColor(10, 10);
    // Painted inactive too.
    TForm* other = new TForm(Application);
    other->SetBounds(600, 500, 100, 80);
    other->Show();
    screen.Pump();
    WindowColor(10, 10);
    delete other;
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
