// Caption objects under the mouse, through a real skinned form and scripted
// input on the manual clock: the caption-button state machine, the window
// commands, hints, masks, and events that free the objects or the component.
#include "tests/form/objects_util.h"

#include <functional>

#include "platform/framework/menus.h"
#include "raster/glow_layer.h"

namespace vx::test {
namespace {

using Defs = std::vector<std::unique_ptr<TvxDataSkinObject>>;

class ObjectsMouseTest : public ObjectsTest {
 public:
  // Buttons right-aligned in the buttons rectangle of a 300 x 150 frame:
  // close (280,3)-(296,17), max 262, min 244, rollup 226, tray 208.
  void MakeSkinnedForm(std::function<void(Defs&)> extra = {}) {
    MakeForm(300, 150);
    velmora->OnActivateCustomObject = [](const std::string&, bool& v) { v = true; };
    // The user's tags carry no meaning for the component.
    form->SetTag(1);
    velmora->SetTag(-1);
    TSkinShape shape;
    shape.ButtonsRect = {120, 3, 196, 17};
    shape.CaptionRect = {20, 0, 120, 25};
    shape.ButtonsOffset = 2;
    Defs defs;
    auto max = StdButton("max", cmMaximize);
    max->restorerect = Cell(kRestore);
    max->restoreactiverect = Cell(kRestoreHot);
    max->restoredownrect = Cell(kRestoreDown);
    max->restoreinactiverect = Cell(kRestoreInactive);
    defs.push_back(StdButton("close", cmClose));
    defs.push_back(std::move(max));
    defs.push_back(StdButton("min", cmMinimize));
    defs.push_back(StdButton("rollup", cmRollUp));
    defs.push_back(StdButton("tray", cmMinimizeToTray));
    if (extra) extra(defs);
    velmora->SetBorderIcons(kDefaultVxBorderIcons | biMinimizeToTray);
    Use(BuildSkin(shape, std::move(defs)));
    ShowForm();
    ASSERT_TRUE(form->Active());
    ASSERT_EQ(RectOf("close"), (TRect{280, 3, 296, 17}));
  }
  // Moves the pointer and lets the 50 ms tracking timer see it.
  void MoveOver(const std::string& id) {
    screen.MoveTo(id == "client" ? ScreenAt(150, 80) : CentreOf(id));
    screen.RunFor(60);
  }
  int IndexOf(const std::string& id) { return Objects().IndexOf(Obj(id)); }
  TvxSkinStdButtonObject* Std(const std::string& id) { return dynamic_cast<TvxSkinStdButtonObject*>(Obj(id)); }
};

struct PressCase {
  const char* name;
  std::vector<const char*> moves;  // after the button went down on "max"
  bool commandRuns;
};

TEST_F(ObjectsMouseTest, CaptionButtonStateMachine) {
  const PressCase cases[] = {
      {"click", {}, true},
      {"drag_off", {"client"}, false},
      {"drag_off_and_back", {"client", "max"}, true},
      {"drag_over_another_button", {"min"}, false},
      {"drag_off_the_window_and_back", {"outside", "max"}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeSkinnedForm();
    MoveOver("max");
    TvxSkinStdButtonObject* max = Std("max");
    EXPECT_EQ(Objects().HotIndex(), IndexOf("max"));
    EXPECT_TRUE(max->Highlighted);
    EXPECT_TRUE(max->MouseInside);

    screen.Down();
    screen.Pump();
    EXPECT_TRUE(max->Pressed);
    EXPECT_EQ(Objects().PressedIndex(), IndexOf("max"));
    EXPECT_EQ(GetCapture(), form->Handle());

    for (const char* m : c.moves) {
      if (std::string(m) == "outside") {
        screen.MoveTo({700, 500});
        screen.RunFor(60);
      } else {
        MoveOver(m);
      }
      const bool over = std::string(m) == "max";
      // Held: no other object lights up; leaving keeps the button pressed.
      EXPECT_EQ(Objects().HotIndex(), over ? IndexOf("max") : -1) << m;
      EXPECT_EQ(max->Highlighted, over) << m;
      EXPECT_TRUE(max->Pressed) << m;
      EXPECT_FALSE(Obj("min")->Highlighted) << m;
    }
    screen.Up();
    screen.Pump();
    EXPECT_EQ(form->WindowState() == wsMaximized, c.commandRuns);
    EXPECT_EQ(Objects().PressedIndex(), -1);
    EXPECT_NE(GetCapture(), form->Handle());
    EXPECT_FALSE(Std("max")->Pressed);
    delete form;
  }
}

TEST_F(ObjectsMouseTest, ButtonCommands) {
  struct CommandCase {
    const char* button;
    bool alwaysToTray;
    std::function<bool(ObjectsMouseTest&)> done;
  };
  const CommandCase cases[] = {
      {"close", false, [](ObjectsMouseTest& t) { return !t.form->Visible(); }},
      {"max", false, [](ObjectsMouseTest& t) { return t.form->WindowState() == wsMaximized; }},
      {"min", false, [](ObjectsMouseTest& t) { return t.form->WindowState() == wsMinimized; }},
      {"min", true, [](ObjectsMouseTest& t) { return t.form->WindowState() == wsMinimized; }},
      {"rollup", false, [](ObjectsMouseTest& t) { return t.velmora->RolledUp(); }},
      {"tray", false, [](ObjectsMouseTest& t) { return t.form->WindowState() == wsMinimized; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    MakeSkinnedForm();
    velmora->SetAlwaysMinimizeToTray(c.alwaysToTray);
    MoveOver(c.button);
    screen.Down();
    screen.Up();
    screen.Pump();
    EXPECT_TRUE(c.done(*this));
    delete form;
  }
}

TEST_F(ObjectsMouseTest, MaximizeTogglesAndShowsTheRestoreHint) {
  MakeSkinnedForm();
  MoveOver("max");
  EXPECT_EQ(Objects().ShownHint(), "Maximize");
  screen.Down();
  screen.Up();
  screen.Pump();
  ASSERT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(Objects().ShownHint(), "");  // the command cleared the hot object
  MoveOver("client");
  MoveOver("max");
  EXPECT_EQ(Obj("max")->hint, "Restore");
  EXPECT_EQ(Objects().ShownHint(), "Restore");
  screen.Down();
  screen.Up();
  screen.Pump();
  EXPECT_EQ(form->WindowState(), wsNormal);
  MoveOver("client");
  EXPECT_EQ(Objects().ShownHint(), "");

  velmora->SetShowObjectHint(false);
  MoveOver("close");
  EXPECT_EQ(Objects().HotIndex(), IndexOf("close"));
  EXPECT_EQ(Objects().ShownHint(), "");
}

TEST_F(ObjectsMouseTest, MaskDecidesWhereAnObjectIsHit) {
  // Mask 10 x 10: columns 0-4 and 9 black, 5-8 white.
  MakeSkinnedForm([](Defs& defs) {
    auto b = StdButton("masked", cmDefault, true);
    b->activemaskpictureindex = 1;
    defs.push_back(std::move(b));
  });
  TvxSkinData* sd = velmora->SkinData();
  auto mask = std::make_unique<TvxBitmap>(10, 10);
  mask->FillRect(mask->BoundsRect(), 0xFF000000u);
  mask->FillRect({5, 0, 9, 10}, 0xFFFFFFFFu);
  sd->ActivePictures.push_back(std::move(mask));
  velmora->OnActivateCustomObject = [](const std::string&, bool& v) { v = true; };
  velmora->ApplySkin();
  screen.Pump();
  TvxActiveSkinObject* o = Obj("masked");
  ASSERT_NE(o, nullptr);
  ASSERT_EQ(o->activemaskpictureindex, 1);
  const struct {
    int x, y;
    bool in;
  } points[] = {{0, 0, true},   {4, 9, true},  {5, 0, false},  {9, 0, true},   {9, 9, true},
                {10, 0, false}, {0, 10, false}, {15, 5, false}, {-1, 0, false}, {0, -1, false}};
  for (const auto& p : points) EXPECT_EQ(o->InObject(p.x, p.y), p.in) << p.x << "," << p.y;

  // Tracking asks the mask with coordinates relative to the object.
  const TRect r = o->ObjectRect;
  Objects().TrackMouse(r.Left + 2, r.Top + 2, true);
  EXPECT_EQ(Objects().HotIndex(), IndexOf("masked"));
  Objects().TrackMouse(r.Left + 6, r.Top + 2, true);
  EXPECT_EQ(Objects().HotIndex(), -1);
  Objects().TrackMouse(r.Left + 12, r.Top + 2, true);  // inside the rectangle, beyond the mask
  EXPECT_EQ(Objects().HotIndex(), -1);
}

TEST_F(ObjectsMouseTest, EventsFireWithTheObjectName) {
  MakeSkinnedForm();
  std::vector<std::string> log;
  velmora->OnMouseEnterEvent = [&](const std::string& id) { log.push_back("enter " + id); };
  velmora->OnMouseLeaveEvent = [&](const std::string& id) { log.push_back("leave " + id); };
  velmora->OnMouseDownEvent = [&](const std::string& id, int, int, const TRect& r, TMouseBtn b) {
    EXPECT_EQ(r, RectOf(id));
    log.push_back("down " + id + (b == mbLeft ? " left" : " right"));
  };
  velmora->OnMouseUpEvent = [&](const std::string& id, int, int, const TRect&, TMouseBtn) {
    log.push_back("up " + id);
  };
  MoveOver("close");
  MoveOver("min");
  screen.Down();
  screen.Up();
  screen.Pump();
  // The minimize command cleared the hot object before the button came up,
  // so no up event is fired outside the button.
  const std::vector<std::string> expected = {"enter close", "leave close", "enter min", "down min left",
                                             "leave min"};
  EXPECT_EQ(log, expected);
}

// Handlers that free the objects or the whole component while a button is
// being handled: nothing freed may be touched afterwards (the sanitizers
// watch), and the list is left consistent.
TEST_F(ObjectsMouseTest, EventsThatFreeTheObjectsOrTheComponent) {
  struct FreeCase {
    const char* name;
    const char* button;
    std::function<void(ObjectsMouseTest&)> arm;
  };
  auto clear = [](ObjectsMouseTest& t) { t.Objects().Clear(); };
  auto reskin = [](ObjectsMouseTest& t) { t.velmora->ApplySkin(); };
  auto unskin = [](ObjectsMouseTest& t) { t.velmora->SetSkinData(nullptr); };
  auto kill = [](ObjectsMouseTest& t) {
    delete t.velmora;
    t.velmora = nullptr;
  };
  const FreeCase cases[] = {
      {"clear_on_enter", "max", [=](ObjectsMouseTest& t) { t.velmora->OnMouseEnterEvent = [&t, clear](const std::string&) { clear(t); }; }},
      {"clear_on_down", "max", [=](ObjectsMouseTest& t) { t.velmora->OnMouseDownEvent = [&t, clear](const std::string&, int, int, const TRect&, TMouseBtn) { clear(t); }; }},
      {"reskin_on_down", "rollup", [=](ObjectsMouseTest& t) { t.velmora->OnMouseDownEvent = [&t, reskin](const std::string&, int, int, const TRect&, TMouseBtn) { reskin(t); }; }},
      {"unskin_on_up", "close", [=](ObjectsMouseTest& t) { t.velmora->OnMouseUpEvent = [&t, unskin](const std::string&, int, int, const TRect&, TMouseBtn) { unskin(t); }; }},
      {"reskin_on_leave", "max", [=](ObjectsMouseTest& t) { t.velmora->OnMouseLeaveEvent = [&t, reskin](const std::string&) { reskin(t); }; }},
      {"component_freed_on_down", "max", [=](ObjectsMouseTest& t) { t.velmora->OnMouseDownEvent = [&t, kill](const std::string&, int, int, const TRect&, TMouseBtn) { kill(t); }; }},
      {"component_freed_on_up", "close", [=](ObjectsMouseTest& t) { t.velmora->OnMouseUpEvent = [&t, kill](const std::string&, int, int, const TRect&, TMouseBtn) { kill(t); }; }},
      {"form_released_on_up", "close", [=](ObjectsMouseTest& t) { t.velmora->OnMouseUpEvent = [&t](const std::string&, int, int, const TRect&, TMouseBtn) { t.form->Release(); }; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeSkinnedForm();
    const TPoint over = CentreOf(c.button), off = ScreenAt(150, 80);
    auto moveTo = [&](TPoint p) {
      screen.MoveTo(p);
      screen.RunFor(60);
    };
    c.arm(*this);
    moveTo(over);
    screen.Down();
    screen.Pump();
    moveTo(off);
    moveTo(over);
    screen.Up();
    screen.Pump();
    screen.RunFor(200);
    if (Screen->FormCount() == 0) continue;  // released
    if (velmora != nullptr) {
      EXPECT_EQ(Objects().PressedIndex(), -1);
      EXPECT_LT(Objects().HotIndex(), Objects().Count());
    }
    EXPECT_NE(GetCapture(), form->Handle());
    delete form;
  }
}


// Menus open on button-down (system menu, menu buttons) or on the click of an
// animated menu button; the object is held while its menu is open and
// released when the menu has closed.
TEST_F(ObjectsMouseTest, ObjectMenusOpenBelowTheObject) {
  TMenuItem* menu = nullptr;
  MakeSkinnedForm([](Defs& defs) {
    defs.push_back(StdButton("sys", cmSysMenu));
    auto plain = std::make_unique<TvxDataSkinButton>("menubutton");
    plain->activepictureindex = 0;
    plain->skinrectinapicture = false;
    plain->skinrect = {60, 5, 76, 19};
    plain->activeskinrect = Cell(kHot);
    plain->downrect = Cell(kDown);
    defs.push_back(std::move(plain));
    auto anim = std::make_unique<TvxDataSkinAnimate>("animmenu");
    anim->command = cmDefault;
    anim->buttonstyle = true;
    anim->countframes = 3;
    anim->activepictureindex = 0;
    anim->skinrectinapicture = false;
    anim->skinrect = {90, 5, 106, 19};
    defs.push_back(std::move(anim));
  });
  menu = new TMenuItem(form);
  menu->Add(new TMenuItem(form));
  auto* plain = dynamic_cast<TvxSkinButtonObject*>(Obj("menubutton"));
  auto* anim = dynamic_cast<TvxSkinAnimateObject*>(Obj("animmenu"));
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(anim, nullptr);
  plain->MenuItem = menu;
  anim->MenuItem = menu;

  struct Opened {
    TMenuItem* item;
    TRect rect;
    bool held;
  };
  std::vector<Opened> opened;
  std::string current;
  Objects().OnPopupMenuItems = [&](TMenuItem* item, const TRect& r) {
    bool held = false;
    if (auto* b = dynamic_cast<TvxSkinButtonObject*>(Obj(current))) held = b->Pressed;
    if (auto* a = dynamic_cast<TvxSkinAnimateObject*>(Obj(current))) held = a->MenuOpen;
    opened.push_back({item, r, held});
  };
  struct MenuCase {
    const char* id;
    bool opensOnDown;
  };
  for (const MenuCase& c : {MenuCase{"sys", true}, MenuCase{"menubutton", true}, MenuCase{"animmenu", false}}) {
    SCOPED_TRACE(c.id);
    current = c.id;
    opened.clear();
    MoveOver(c.id);
    screen.Down();
    screen.Pump();
    EXPECT_EQ(opened.size(), c.opensOnDown ? 1u : 0u);
    screen.Up();
    screen.Pump();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].item, c.id == std::string("sys") ? velmora->SystemMenuItem() : menu);
    EXPECT_EQ(opened[0].rect, velmora->FrameRectToScreen(RectOf(c.id)));
    EXPECT_TRUE(opened[0].held);
    MoveOver("client");
  }
  // Closed menus release their buttons; the animated one plays back.
  EXPECT_FALSE(Std("sys")->Pressed);
  EXPECT_FALSE(plain->Pressed);
  EXPECT_FALSE(anim->MenuOpen);
  EXPECT_FALSE(anim->Forward);

  // A menu item without sub-items opens nothing.
  plain->MenuItem = new TMenuItem(form);
  opened.clear();
  current = "menubutton";
  MoveOver("menubutton");
  screen.Down();
  screen.Up();
  screen.Pump();
  EXPECT_TRUE(opened.empty());
  plain->MenuItem = nullptr;
}

TEST_F(ObjectsMouseTest, DoubleClickOnTheSystemMenuButtonCloses) {
  MakeSkinnedForm([](Defs& defs) { defs.push_back(StdButton("sys", cmSysMenu)); });
  Objects().OnPopupMenuItems = [](TMenuItem*, const TRect&) {};
  MoveOver("sys");
  screen.DoubleClick(CentreOf("sys"));
  screen.Pump();
  EXPECT_FALSE(form->Visible());
}

TEST_F(ObjectsMouseTest, GlowFramesFollowTheHover) {
  struct GlowCase {
    const char* name;
    bool frames;
    bool menu;
  };
  for (const GlowCase& c : {GlowCase{"glow", true, false}, GlowCase{"menu_button_glow", true, true},
                            GlowCase{"switched_off", false, false}}) {
    SCOPED_TRACE(c.name);
    MakeSkinnedForm([](Defs& defs) {
      auto b = StdButton("glowing", cmDefault);
      b->glowlayerpictureindex = 0;
      b->glowlayermaskpictureindex = -1;
      b->glowlayeroffsetx = 3;
      b->glowlayeroffsety = 2;
      b->glowlayeralphablendvalue = 200;
      defs.push_back(std::move(b));
    });
    velmora->SkinData()->SetShowCaptionButtonGlowFrames(c.frames);
    velmora->OnActivateCustomObject = [](const std::string&, bool& v) { v = true; };
    Objects().ApplyBorderIcons();
    auto* item = new TMenuItem(form);
    auto* b = dynamic_cast<TvxSkinButtonObject*>(Obj("glowing"));
    if (c.menu) b->MenuItem = item;
    velmora->UpdateFrame(true);
    MoveOver("glowing");
    ASSERT_TRUE(b->MouseInside);
    TvxLayerManager& used = velmora->GlowManager(c.menu);
    EXPECT_EQ(used.LayerVisible(), c.frames);
    EXPECT_FALSE(velmora->GlowManager(!c.menu).LayerVisible());
    if (c.frames) {
      TRect wr;
      GetWindowRect(used.LayerHandle(), &wr);
      const TRect obj = velmora->FrameRectToScreen(b->ObjectRect);
      EXPECT_EQ(wr.Left, obj.Left - 3);
      EXPECT_EQ(wr.Top, obj.Top - 2);
      EXPECT_EQ(used.EndAlpha(), 200);
    }
    MoveOver("client");
    EXPECT_FALSE(used.LayerVisible());
    b->MenuItem = nullptr;
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
