// Caption object pixels: the fixture skin (every state rectangle a flat colour
// of its own) on a real form, each button state sampled from the window, and
// the default buttons drawn with system colours.
#include "tests/form/objects_util.h"
#include "tests/form/form_fixture.h"

#include <filesystem>
#include <functional>

#include "platform/framework/menus.h"
#include "raster/effect_bmp.h"
#include "skins/skin_gen.h"

namespace vx::test {
namespace {

class ObjectsPaintTest : public ObjectsTest {
 public:
  void SkinnedForm(bool fullBorder = false) {
    MakeForm(420, 260);
    static std::string paths[2];
    std::string& ini = paths[fullBorder ? 1 : 0];
    if (ini.empty()) {
      const std::string dir = ProcessDir(std::string("objects_fixture_skin") + (fullBorder ? "_full_border" : ""));
      std::filesystem::remove_all(dir);
      skins::TvxFixtureOptions options;
      options.LayerFrame = options.FullBorder = fullBorder;
      ini = skins::WriteFixtureSkin(dir, options);
    }
    auto* sd = new TvxSkinData(form);
    sd->LoadFromFile(ini);
    velmora->SetBorderIcons(kDefaultVxBorderIcons | biMinimizeToTray);
    Use(sd);
    ShowForm();
    ASSERT_TRUE(velmora->SkinInUse());
    screen.MoveTo({790, 590});
    screen.RunFor(300);
  }
  void WritePng(const std::string& name) {
    const std::string dir = std::string(VX_TEST_OUT_DIR) + "/form";
    std::filesystem::create_directories(dir);
    screen.Pump();
    screen.WriteWindowPng(form->Handle(), dir + "/" + name + ".png");
  }
  // The colour of the definition's Rect in its active picture, at the same
  // offset as the object's centre.
  TColor Expected(const std::string& id, TRect TvxDataSkinStdButton::*rect) {
    TvxSkinData* sd = velmora->SkinData();
    const int i = sd->GetObjectIndex(id);
    auto* def = dynamic_cast<TvxDataSkinStdButton*>(sd->ObjectList[size_t(i)].get());
    const TRect src = def->*rect;
    const TRect o = RectOf(id);
    const TvxBitmap& pic = *sd->ActivePictures[size_t(def->activepictureindex)];
    return ObjPixelColor(pic.Pixel(src.Left + (o.Right - o.Left) / 2, src.Top + (o.Bottom - o.Top) / 2));
  }
  void Hover(const std::string& id) {
    screen.MoveTo(CentreOf(id));
    screen.RunFor(200);  // tracking, then the morph to the end
  }
};

TEST_F(ObjectsPaintTest, SkinnedButtonStates) {
  using D = TvxDataSkinStdButton;
  using B = TvxDataSkinButton;
  struct PaintCase {
    const char* name;
    const char* id;
    std::function<void(ObjectsPaintTest&)> act;
    TRect D::*rect;
    bool inactive = false;  // the frame dims its inactive strips, buttons included
  };
  const PaintCase cases[] = {
      {"normal", "closebutton", [](ObjectsPaintTest&) {}, &D::skinrect},
      {"hot", "closebutton", [](ObjectsPaintTest& t) { t.Hover("closebutton"); }, &D::activeskinrect},
      {"pressed", "closebutton",
       [](ObjectsPaintTest& t) {
         t.Hover("closebutton");
         t.screen.Down();
         t.screen.Pump();
       },
       &B::downrect},
      {"pressed_and_dragged_off", "closebutton",
       [](ObjectsPaintTest& t) {
         t.Hover("closebutton");
         t.screen.Down();
         t.screen.MoveTo(t.ScreenAt(200, 150));
         t.screen.RunFor(300);
       },
       &D::skinrect},
      {"disabled_in_frame_picture", "sysmenubutton",
       [](ObjectsPaintTest& t) {
         t.velmora->SetDisableSystemMenu(true);
         t.Objects().ApplyBorderIcons();
         t.velmora->RepaintFrame();
       },
       &B::disableskinrsect},
      {"inactive", "closebutton",
       [](ObjectsPaintTest& t) {
         auto* other = new TForm(Application);
         other->SetBounds(600, 400, 100, 80);
         other->Show();
         t.screen.Pump();
       },
       &D::inactiveskinrect, true},
      {"restore", "maxbutton",
       [](ObjectsPaintTest& t) {
         t.form->SetWindowState(wsMaximized);
         t.screen.Pump();
       },
       &D::restorerect},
      {"restore_hot", "maxbutton",
       [](ObjectsPaintTest& t) {
         t.form->SetWindowState(wsMaximized);
         t.screen.Pump();
         t.Hover("maxbutton");
       },
       &D::restoreactiverect},
      {"restore_pressed", "maxbutton",
       [](ObjectsPaintTest& t) {
         t.form->SetWindowState(wsMaximized);
         t.screen.Pump();
         t.Hover("maxbutton");
         t.screen.Down();
         t.screen.Pump();
       },
       &D::restoredownrect},
      {"restore_inactive", "maxbutton",
       [](ObjectsPaintTest& t) {
         t.form->SetWindowState(wsMaximized);
         t.screen.Pump();
         auto* other = new TForm(Application);
         other->SetBounds(600, 400, 100, 80);
         other->Show();
         t.screen.Pump();
       },
       &D::restoreinactiverect, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SkinnedForm();
    ASSERT_NE(Obj(c.id), nullptr);
    c.act(*this);
    WritePng(std::string("objects_") + c.name);
    auto dimmed = [&](TColor col) {
      if (!c.inactive) return col;
      TvxBitmap px(1, 1);
      px.SetPixel(0, 0, ObjPixelOf(col));
      TvxEffectBmp e(px);
      e.Brightness(0.5);
      e.CopyTo(px);
      return ObjPixelColor(px.Pixel(0, 0));
    };
    const TColor want = dimmed(Expected(c.id, c.rect));
    // Every state has a colour of its own; the normal one differs from them.
    if (c.rect != &D::skinrect) {
      EXPECT_NE(want, dimmed(Expected(c.id, &D::skinrect)));
    }
    EXPECT_EQ(ObjectColor(c.id), want);
    screen.Up();
    screen.Pump();
    while (Screen->FormCount() > 0) delete Screen->Forms(0);
  }
}

TEST_F(ObjectsPaintTest, DefaultButtonsUseSystemColours) {
  MakeForm(300, 150);
  ShowForm();
  screen.MoveTo({790, 590});
  screen.RunFor(100);
  const TRect close = RectOf("closebutton");
  ASSERT_EQ(close, (TRect{280, 4, 297, 21}));
  // Window points of the glyph's pixels, moved by (dx, dy).
  auto ink = [&](int dx, int dy) {
    screen.Pump();
    TSurfacePtr img = ComposeWindowImage(form->Handle());
    std::vector<TPoint> pts;
    for (int y = close.Top; y < close.Bottom; ++y)
      for (int x = close.Left; x < close.Right; ++x)
        if (ObjPixelColor(img->GetPixel(x, y)) == ColorToRGB(clBtnText)) pts.push_back({x + dx, y + dy});
    return pts;
  };
  EXPECT_EQ(WindowColor(close.Left, close.Top), ColorToRGB(clBtnFace));
  EXPECT_EQ(WindowColor(close.Left + 1, close.Top + 1), ColorToRGB(clBtnFace));
  EXPECT_GT(ink(0, 0).size(), 4u);  // the cross

  screen.MoveTo(CentreOf("closebutton"));
  screen.RunFor(60);
  ASSERT_TRUE(Obj("closebutton")->MouseInside);
  WritePng("objects_default_hot");
  EXPECT_EQ(WindowColor(close.Left, close.Top), clNavy);
  EXPECT_EQ(WindowColor(close.Right - 1, close.Bottom - 1), clNavy);
  EXPECT_EQ(WindowColor(close.Left + 1, close.Top + 1), TColor(13811126));
  const std::vector<TPoint> hot = ink(1, 1);

  screen.Down();
  screen.Pump();
  ASSERT_TRUE(dynamic_cast<TvxSkinStdButtonObject*>(Obj("closebutton"))->Pressed);
  EXPECT_EQ(WindowColor(close.Left + 1, close.Top + 1), TColor(11899781));
  // Pressed with the pointer inside, the glyph moves one pixel right and down.
  EXPECT_EQ(ink(0, 0), hot);
  screen.Up();
  screen.Pump();
}


// On a full layered border the standard buttons are composed from their
// prepared alpha images onto the border's 32-bit top window.
TEST_F(ObjectsPaintTest, PaintAlphaComposesTheStateImage) {
  using S = TvxSkinStdButtonObject;
  struct AlphaCase {
    const char* name;
    const char* id;
    std::function<void(ObjectsPaintTest&, S&)> state;
    std::unique_ptr<TvxBitmap> S::*image;
  };
  const AlphaCase cases[] = {
      {"normal", "closebutton", [](ObjectsPaintTest&, S&) {}, &S::AlphaNormalImage},
      {"hot", "closebutton", [](ObjectsPaintTest&, S& b) { b.MouseInside = true; }, &S::AlphaActiveImage},
      {"pressed", "closebutton",
       [](ObjectsPaintTest&, S& b) {
         b.MouseInside = true;
         b.Pressed = true;
       },
       &S::AlphaDownImage},
      {"pressed_outside", "closebutton", [](ObjectsPaintTest&, S& b) { b.Pressed = true; }, &S::AlphaNormalImage},
      {"inactive", "closebutton",
       [](ObjectsPaintTest& t, S& b) {
         auto* other = new TForm(Application);
         other->SetBounds(600, 400, 100, 80);
         other->Show();
         t.screen.Pump();
         b.MouseInside = true;
       },
       &S::AlphaInactiveImage},
      {"restore", "maxbutton",
       [](ObjectsPaintTest& t, S&) {
         t.form->SetWindowState(wsMaximized);
         t.screen.Pump();
       },
       &S::AlphaRestoreNormalImage},
      {"restore_hot", "maxbutton",
       [](ObjectsPaintTest& t, S& b) {
         t.form->SetWindowState(wsMaximized);
         t.screen.Pump();
         b.MouseInside = true;
       },
       &S::AlphaRestoreActiveImage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SkinnedForm(true);
    auto* b = dynamic_cast<S*>(Obj(c.id));
    ASSERT_NE(b, nullptr);
    c.state(*this, *b);
    const TvxBitmap* img = (b->*c.image).get();
    ASSERT_NE(img, nullptr);
    ASSERT_EQ(img->Width(), b->ObjectRect.Width());
    TvxBitmap target(velmora->FrameWidth(), 40);
    b->PaintAlpha(target.Canvas(), target);
    const TRect& r = b->ObjectRect;
    const int cx = r.Width() / 2, cy = r.Height() / 2;
    const uint32_t want = img->Pixel(cx, cy), got = target.Pixel(r.Left + cx, r.Top + cy);
    for (int shift : {0, 8, 16, 24})
      EXPECT_NEAR(int((got >> shift) & 0xFF), int((want >> shift) & 0xFF), 1) << shift;
    // Nothing outside the button.
    EXPECT_EQ(target.Pixel(r.Left - 1, r.Top + cy), 0u);
    while (Screen->FormCount() > 0) delete Screen->Forms(0);
  }
}


// A user object's paint handler or a user-drawn caption that re-applies the
// skin while the frame painter walks the objects: the painter's objects stay
// valid until it is done (the sanitizers watch), and the new objects follow.
TEST_F(ObjectsPaintTest, PaintHandlersThatReapplyTheSkin) {
  for (bool viaCaption : {false, true}) {
    SCOPED_TRACE(viaCaption ? "caption" : "user object");
    MakeForm(300, 150);
    std::vector<std::unique_ptr<TvxDataSkinObject>> defs;
    auto user = std::make_unique<TvxDataUserObject>("user");
    // Below the client's top edge: the painter moves it into the bottom strip
    // and back after painting.
    user->skinrect = {40, 92, 60, 98};
    defs.push_back(std::move(user));
    auto cap = std::make_unique<TvxDataSkinCaption>("caption");
    cap->skinrect = {20, 0, 180, 25};
    cap->textrect = {0, 0, 160, 25};
    defs.push_back(std::move(cap));
    Use(BuildSkin({}, std::move(defs)));
    int reapplied = 0, painted = 0;
    auto reapply = [&] {
      if (painted++ == 0) {
        ++reapplied;
        velmora->ApplySkin();
      }
    };
    if (viaCaption)
      velmora->OnCaptionPaint = [&](TCanvas&, const TRect&, bool) { reapply(); };
    else
      velmora->OnPaintEvent = [&](const std::string& id, TCanvas&, const TRect&) {
        EXPECT_EQ(id, "user");
        reapply();
      };
    ShowForm();
    velmora->RepaintFrame();
    screen.Pump();
    EXPECT_EQ(reapplied, 1);
    EXPECT_GT(painted, 1);
    EXPECT_EQ(Objects().Count(), 2);
    EXPECT_EQ(RectOf("user"), (TRect{40, 92, 60, 98}));
    delete form;
  }
}


// A handler that frees the component while the component calls it (a frame
// paint, the skin's set-up, the hot-object tracking of a hit test): the caller
// touches nothing of the component afterwards, and the form is left with its
// own frame.
TEST_F(ObjectsPaintTest, HandlersThatFreeTheComponent) {
  struct Case {
    const char* name;
    bool skinned;
    std::function<void(ObjectsPaintTest&, std::function<void()>)> arm;
  };
  const Case cases[] = {
      {"paint_event", true,
       [](ObjectsPaintTest& t, std::function<void()> kill) {
         t.velmora->OnPaintEvent = [kill](const std::string&, TCanvas&, const TRect&) { kill(); };
       }},
      {"skin_caption_paint", true,
       [](ObjectsPaintTest& t, std::function<void()> kill) {
         t.velmora->OnCaptionPaint = [kill](TCanvas&, const TRect&, bool) { kill(); };
       }},
      {"default_caption_paint", false,
       [](ObjectsPaintTest& t, std::function<void()> kill) {
         t.velmora->OnCaptionPaint = [kill](TCanvas&, const TRect&, bool) { kill(); };
       }},
      {"custom_object_query", true,
       [](ObjectsPaintTest& t, std::function<void()> kill) {
         t.velmora->OnActivateCustomObject = [kill](const std::string&, bool&) { kill(); };
       }},
      {"enter_from_hit_test", true,
       [](ObjectsPaintTest& t, std::function<void()> kill) {
         t.velmora->OnMouseEnterEvent = [kill](const std::string&) { kill(); };
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm(300, 150);
    std::vector<std::unique_ptr<TvxDataSkinObject>> defs;
    auto user = std::make_unique<TvxDataUserObject>("user");
    user->skinrect = {40, 5, 60, 15};
    defs.push_back(std::move(user));
    defs.push_back(StdButton("custom", cmDefault));
    defs.push_back(StdButton("close", cmClose));
    auto cap = std::make_unique<TvxDataSkinCaption>("caption");
    cap->skinrect = {70, 0, 150, 25};
    cap->textrect = {0, 0, 80, 25};
    defs.push_back(std::move(cap));
    TvxSkinData* sd = BuildSkin({}, std::move(defs));
    ShowForm();
    int calls = 0;
    c.arm(*this, [this, &calls] {
      ++calls;
      delete velmora;
      velmora = nullptr;
    });
    if (c.skinned) Use(sd);
    if (velmora != nullptr) {
      velmora->RepaintFrame();
      screen.Pump();
    }
    if (velmora != nullptr) {
      // The pointer comes over the close button: the hit test finds it.
      TRect r = RectOf("close");
      TRect w;
      GetWindowRect(form->Handle(), &w);
      const TPoint p{w.Left + (r.Left + r.Right) / 2, w.Top + (r.Top + r.Bottom) / 2};
      Objects().StopTimers();
      SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y));
    }
    screen.Pump();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(velmora, nullptr);
    // The form paints its own frame again.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    screen.Pump();
    delete form;
  }
}

// With ShowIcon the system-menu button draws the form's icon (the default
// application icon: the forms carry none) at the small-icon size; it is not
// pressed in and always answers the hit test.
TEST_F(ObjectsPaintTest, SystemMenuButtonShowsTheIcon) {
  const TColor iconTitle = RGB(0x2F, 0x5F, 0xBF);
  for (bool skinned : {false, true}) {
    SCOPED_TRACE(skinned ? "skin" : "default");
    MakeForm(300, 150);
    velmora->SetShowIcon(true);
    if (skinned) {
      TSkinShape shape;
      shape.CaptionRect = {20, 0, 120, 25};
      std::vector<std::unique_ptr<TvxDataSkinObject>> defs;
      auto sys = StdButton("sysmenubutton", cmSysMenu);
      sys->activemaskpictureindex = 0;  // ignored while the icon shows
      defs.push_back(std::move(sys));
      Use(BuildSkin(shape, std::move(defs)));
    }
    ShowForm();
    Objects().OnPopupMenuItems = [](TMenuItem*, const TRect&) {};
    auto* sys = dynamic_cast<TvxSkinStdButtonObject*>(Obj("sysmenubutton"));
    ASSERT_NE(sys, nullptr);
    const TSize icon = velmora->SmallIconSize();
    EXPECT_EQ(sys->ObjectRect.Width(), icon.cx);
    EXPECT_EQ(WindowColor(sys->ObjectRect.Left + icon.cx / 2, sys->ObjectRect.Top + 1), iconTitle);
    EXPECT_TRUE(sys->InObject(icon.cx - 1, icon.cy - 1));
    screen.MoveTo(CentreOf("sysmenubutton"));
    screen.RunFor(60);
    screen.Down();
    screen.Pump();
    EXPECT_FALSE(sys->Pressed);
    EXPECT_EQ(WindowColor(sys->ObjectRect.Left + icon.cx / 2, sys->ObjectRect.Top + 1), iconTitle);
    screen.Up();
    screen.Pump();
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
