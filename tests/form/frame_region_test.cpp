// The window region: the skin mask cut to the frame size (pixel membership
// against the mask picture, and against the strips hit testing reads), the
// rectangular cases, and the form given back when the component goes.
#include <gtest/gtest.h>

#include "raster/vx_bitmap.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

class FrameRegion : public FormFixture {};

TEST_F(FrameRegion, RegionIsTheMaskCutToTheFrameSize) {
  for (const TSize size : {TSize{240, 140}, TSize{400, 300}, TSize{333, 177}}) {
    SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
    MakeForm(size.cx, size.cy);
    TvxSkinData* data = AttachSkinData();
    LoadFixtureSkin(*data);
    ShowForm();
    TRegion rgn;
    ASSERT_NE(GetWindowRgn(Wnd(), rgn), 0);
    ASSERT_TRUE(velmora->WindowRegion().has_value());
    EXPECT_EQ(rgn, *velmora->WindowRegion());
    // The fixture mask cuts only the picture's corners (30 x 30 each); the
    // frame keeps its corners and repeats the rest.
    const TvxBitmap& mask = *data->MaskPicture;
    const int dx = size.cx - mask.Width(), dy = size.cy - mask.Height();
    int wrong = 0, cut = 0;
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) {
        const int mx = x < 30 ? x : x >= 228 + dx ? x - dx : 100;
        const int my = y < 30 ? y : y >= 128 + dy ? y - dy : 80;
        const bool inside = (mask.Pixel(mx, my) & 0xFFFFFF) == 0;
        cut += inside ? 0 : 1;
        const bool in = rgn.Contains(x, y);
        if (in != inside && wrong++ < 5) ADD_FAILURE() << "region at " << x << ", " << y;
        // Hit testing reads the cached strips: they agree with the region.
        if (velmora->PointInShape({x, y}) != in && wrong++ < 5) ADD_FAILURE() << "shape at " << x << ", " << y;
      }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(cut, 0);
    // Outside the window, nothing is read.
    for (const TPoint p : {TPoint{-1, 5}, TPoint{size.cx, 5}, TPoint{5, size.cy + 3}, TPoint{-100000, -100000}})
      EXPECT_FALSE(velmora->PointInShape(p));
    delete form;
  }
}

TEST_F(FrameRegion, RectangularWithoutMaskOrSkinAndNoneWithoutBorder) {
  struct Case {
    const char* name;
    bool skin, mask;
    TFormBorderStyle bs;
    bool hasRegion;
  } cases[] = {
      {"skin without mask", true, false, bsSizeable, true},
      {"default frame", false, false, bsSizeable, true},
      {"no border", true, true, bsNone, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm(300, 200, c.bs);
    if (c.skin) LoadFixtureSkin(*AttachSkinData(), skins::TvxFixtureOptions{c.mask, false, false});
    ShowForm();
    TRegion rgn;
    EXPECT_EQ(GetWindowRgn(Wnd(), rgn) != 0, c.hasRegion);
    if (c.hasRegion) {
      EXPECT_EQ(rgn, TRegion(TRect{0, 0, 300, 200}));
    }
    delete form;
  }
}

// Changing the border style of a shown form re-shapes it.
TEST_F(FrameRegion, BorderStyleChangeReshapesTheWindow) {
  MakeForm(400, 300);
  LoadFixtureSkin(*AttachSkinData());
  ShowForm();
  TRegion rgn;
  ASSERT_NE(GetWindowRgn(Wnd(), rgn), 0);
  form->SetBorderStyle(bsNone);
  screen.Pump();
  EXPECT_EQ(GetWindowRgn(Wnd(), rgn), 0);
  TRect client;
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, (TRect{0, 0, 400, 300}));
  form->SetBorderStyle(bsSingle);
  screen.Pump();
  ASSERT_NE(GetWindowRgn(Wnd(), rgn), 0);
  EXPECT_FALSE(rgn.Contains(0, 0));
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, (TRect{4, 30, 396, 296}));
}

// A form whose skin data stops allowing skinned forms gets the platform's
// frame back (no region, its own client area), and the skinned one again
// when it is allowed.
TEST_F(FrameRegion, SkinnableSwitchesBetweenSkinnedAndPlatformFrame) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  ShowForm();
  TRegion rgn;
  ASSERT_NE(GetWindowRgn(Wnd(), rgn), 0);
  data->SetSkinnableForm(false);
  screen.Pump();
  EXPECT_FALSE(velmora->Skinnable());
  EXPECT_EQ(GetWindowRgn(Wnd(), rgn), 0);
  TRect client;
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_NE(client, velmora->Geometry().FrameClientRect);
  EXPECT_EQ(SendMessage(Wnd(), VXM_ISSKINNEDFORM, 0, 0), kUnskinnedFormAnswer);
  data->SetSkinnableForm(true);
  screen.Pump();
  EXPECT_TRUE(velmora->Skinnable());
  EXPECT_NE(GetWindowRgn(Wnd(), rgn), 0);
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, velmora->Geometry().FrameClientRect);
  EXPECT_EQ(SendMessage(Wnd(), VXM_ISSKINNEDFORM, 0, 0), kSkinnedFormAnswer);
}

TEST_F(FrameRegion, RemovingTheComponentGivesTheFormBack) {
  MakeForm(400, 300);
  LoadFixtureSkin(*AttachSkinData());
  ShowForm();
  // Someone replaces the window procedure after the component did.
  int chained = 0;
  auto previous = form->WindowProc;
  form->WindowProc = [&chained, previous](TMessage& m) {
    ++chained;
    previous(m);
  };
  delete velmora;
  velmora = nullptr;
  screen.Pump();
  // Still chained, nothing forwards to the freed component, and the form has
  // its own frame and no region.
  const int before = chained;
  TRect client;
  SetWindowPos(Wnd(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_GT(chained, before);
  TRegion rgn;
  EXPECT_EQ(GetWindowRgn(Wnd(), rgn), 0);
  EXPECT_EQ(client, (TRect{4, 23, 396, 296}));  // the platform's sizeable frame
  EXPECT_EQ(SendMessage(Wnd(), WM_NCHITTEST, 0, PointToLParam(ScreenAt(200, 10))), HTCAPTION);

  // Without anyone chained, the form's own procedure is put back.
  MakeForm(300, 200);
  ShowForm();
  delete velmora;
  velmora = nullptr;
  EXPECT_EQ(SendMessage(Wnd(), WM_NCHITTEST, 0, PointToLParam(ScreenAt(150, 10))), HTCAPTION);
  EXPECT_EQ(SendMessage(Wnd(), VXM_ISSKINNEDFORM, 0, 0), 0);
}

// The component survives the form's window being made again: the new window
// gets the skinned frame and region from its first messages.
TEST_F(FrameRegion, RecreatedWindowKeepsTheSkinnedFrame) {
  MakeForm(400, 300);
  LoadFixtureSkin(*AttachSkinData());
  ShowForm();
  const HWND old = Wnd();
  form->RecreateWnd();
  screen.Pump();
  ASSERT_NE(Wnd(), old);
  TRect client;
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, velmora->Geometry().FrameClientRect);
  TRegion rgn;
  EXPECT_NE(GetWindowRgn(Wnd(), rgn), 0);
}

}  // namespace
}  // namespace vx::test
