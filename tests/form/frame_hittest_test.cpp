// Hit testing of the frame: skinned with and without a mask picture, normal,
// maximized and rolled up, and the default frame; client clicks are never
// swallowed by a hovered caption button.
#include <gtest/gtest.h>

#include "form/caption_objects.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

class FrameHitTest : public FormFixture {
 protected:
  // The fixture skin on a 400 x 300 form: client (4, 30, 396, 296), sizing
  // corners at (30, 30), (388, 30), (30, 288), (388, 288), border width 4.
  void MakeSkinned(bool mask) {
    MakeForm(400, 300);
    LoadFixtureSkin(*AttachSkinData(), skins::TvxFixtureOptions{mask, false, false});
    ShowForm();
    ASSERT_EQ(velmora->Geometry().FrameClientRect, (TRect{4, 30, 396, 296}));
  }
  int HitAt(int x, int y) {
    const TPoint s = ScreenAt(x, y);
    return int(SendMessage(Wnd(), WM_NCHITTEST, 0, PointToLParam(s)));
  }
  // A point on the caption object (the middle of the first caption object).
  TPoint CaptionPoint() {
    for (int i = 0; i < velmora->Objects().Count(); ++i) {
      TvxActiveSkinObject* o = velmora->Objects().Object(i);
      if (o->IsCaption()) {
        const TRect& r = o->ObjectRect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
      }
    }
    ADD_FAILURE() << "no caption object";
    return {};
  }
  struct Case {
    int x, y, hit;
  };
  void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(HitAt(c.x, c.y), c.hit) << "at " << c.x << ", " << c.y;
  }
};

TEST_F(FrameHitTest, SkinWithMaskSizesOnlyNearTheShapesEdge) {
  MakeSkinned(true);
  const TPoint cap = CaptionPoint();
  Check({
      {200, 150, HTCLIENT},
      {cap.X, cap.Y, HTCAPTION},
      {1, 150, HTLEFT},
      {398, 150, HTRIGHT},
      {200, 1, HTTOP},
      {200, 298, HTBOTTOM},
      {2, 20, HTTOPLEFT},
      {398, 20, HTTOPRIGHT},
      {2, 297, HTBOTTOMLEFT},
      {397, 297, HTBOTTOMRIGHT},
      // Inside the rounded corner, farther than the border width from the
      // mask's outline: no sizing, and not the caption either.
      {6, 6, HTOBJECT},
  });
}

TEST_F(FrameHitTest, SkinWithoutMaskSizesWithinBorderWidthOfTheWindowEdge) {
  MakeSkinned(false);
  Check({
      {200, 150, HTCLIENT},
      {3, 150, HTLEFT},
      {396, 150, HTRIGHT},
      {200, 3, HTTOP},
      {200, 296, HTBOTTOM},
      {3, 3, HTTOPLEFT},
      {396, 3, HTTOPRIGHT},
      {3, 296, HTBOTTOMLEFT},
      {396, 296, HTBOTTOMRIGHT},
      {5, 5, HTOBJECT},
  });
}

TEST_F(FrameHitTest, MaximizedAndRolledUpFramesNeverSize) {
  MakeSkinned(true);
  form->SetWindowState(wsMaximized);
  screen.Pump();
  ASSERT_TRUE(IsZoomed(Wnd()));
  const TRect& cr = velmora->Geometry().FrameClientRect;
  const TPoint cap = CaptionPoint();
  Check({
      {1, 150, HTOBJECT},
      {velmora->FrameWidth() - 2, 150, HTOBJECT},
      {cr.Left + 10, cr.Top + 10, HTCLIENT},
      {cap.X, cap.Y, HTCAPTION},
  });

  form->SetWindowState(wsNormal);
  screen.Pump();
  // Rolled up, the window keeps only its caption and frame.
  velmora->SetRolledUp(true);
  screen.Pump();
  const int h = form->Height();
  EXPECT_EQ(h, velmora->GetMinHeight());
  EXPECT_LT(h, 60);
  const TPoint cap2 = CaptionPoint();
  Check({
      {1, h / 2, HTOBJECT},
      {200, 1, HTOBJECT},
      {200, h - 1, HTOBJECT},
      {cap2.X, cap2.Y, HTCAPTION},
  });
  velmora->SetRolledUp(false);
  screen.Pump();
  EXPECT_EQ(form->Height(), 300);
  EXPECT_EQ(HitAt(1, 150), HTLEFT);
}

// A form without a border is all client: nothing of it moves or sizes the
// window, with or without a skin.
TEST_F(FrameHitTest, BorderlessFormIsAllClient) {
  for (bool skinned : {false, true}) {
    SCOPED_TRACE(skinned);
    MakeForm(300, 200, bsNone);
    if (skinned) LoadFixtureSkin(*AttachSkinData());
    ShowForm();
    Check({{1, 1, HTCLIENT}, {150, 10, HTCLIENT}, {150, 100, HTCLIENT}, {298, 198, HTCLIENT}});
    delete form;
  }
}

TEST_F(FrameHitTest, DefaultFrameTable) {
  MakeForm(300, 200);
  ShowForm();
  ASSERT_FALSE(velmora->SkinInUse());
  Check({
      {1, 1, HTTOPLEFT},
      {298, 1, HTTOPRIGHT},
      {1, 198, HTBOTTOMLEFT},
      {298, 198, HTBOTTOMRIGHT},
      {1, 100, HTLEFT},
      {150, 1, HTTOP},
      {298, 100, HTRIGHT},
      {150, 198, HTBOTTOM},
      {150, 100, HTCLIENT},
      {3, 22, HTCLIENT},
      {120, 10, HTCAPTION},
      {288, 12, HTOBJECT},  // the close button
  });
  // Not resizable: no sizing codes, the frame is HTOBJECT.
  form->SetBorderStyle(bsSingle);
  screen.Pump();
  Check({{1, 1, HTOBJECT}, {1, 100, HTOBJECT}, {150, 100, HTCLIENT}, {120, 10, HTCAPTION}});
}

// While a caption button is hovered the frame around it answers HTOBJECT, but
// the client area still answers HTCLIENT.
TEST_F(FrameHitTest, HoveredButtonDoesNotSwallowTheClient) {
  for (bool skinned : {false, true}) {
    SCOPED_TRACE(skinned);
    if (skinned) {
      MakeSkinned(true);
    } else {
      MakeForm(300, 200);
      ShowForm();
    }
    // Hover the first visible standard button.
    TvxActiveSkinObject* button = nullptr;
    for (int i = 0; i < velmora->Objects().Count() && !button; ++i) {
      TvxActiveSkinObject* o = velmora->Objects().Object(i);
      if (o->Visible && o->Enabled && dynamic_cast<TvxSkinStdButtonObject*>(o)) button = o;
    }
    ASSERT_NE(button, nullptr);
    const TRect r = button->ObjectRect;
    // The mouse-tracking timer (50 ms) notices the pointer.
    screen.MoveTo(ScreenAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    screen.RunFor(60);
    ASSERT_GE(velmora->Objects().HotIndex(), 0) << button->IDName();
    const TRect& cr = velmora->Geometry().FrameClientRect;
    EXPECT_EQ(HitAt(cr.Left + 5, cr.Top + 5), HTCLIENT);
    EXPECT_EQ(HitAt(velmora->FrameWidth() / 2, velmora->FrameHeight() - 1), HTOBJECT);
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
