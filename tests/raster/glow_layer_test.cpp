#include <gtest/gtest.h>

#include <vector>

#include "platform/backend/headless/headless.h"
#include "platform/gfx/graphics.h"
#include "platform/win/compositor.h"
#include "platform/win/window.h"
#include "raster/glow_layer.h"
#include "raster/vx_bitmap.h"

namespace vx {
namespace {

constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

struct GlowLayer : ::testing::Test {
  THeadlessScreen screen{800, 600};
  TvxBitmap picture{4, 3};
  TvxBitmap mask{4, 3};
  TvxLayerManager manager{nullptr};

  void SetUp() override {
    picture.FillRect(picture.BoundsRect(), Argb(255, 200, 40, 100));
    mask.FillRect(mask.BoundsRect(), Argb(255, 255, 255, 255));
    mask.SetPixel(1, 1, Argb(255, 30, 60, 90));
    mask.SetPixel(3, 2, 0xFF000000u);
  }
  // Alphas seen after each 25 ms tick until the fade stops (bounded).
  std::vector<int> FadeAlphas() {
    std::vector<int> seen;
    for (int i = 0; i < 300 && manager.Fading(); ++i) {
      screen.RunFor(TvxLayerManager::kFadeInterval);
      seen.push_back(manager.CurrentAlpha());
    }
    return seen;
  }
};

TEST_F(GlowLayer, FadesInByTenthsAndStopsAtTheEndAlpha) {
  struct Case {
    uint8_t alpha;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {255, {25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}},
      {100, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
      {25, {2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 25}},
      // Below 10 a tenth would be 0 and the fade would never end.
      {4, {1, 2, 3, 4}},
      {0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.alpha));
    manager.ShowLayer(10, 20, c.alpha, mask, picture);
    ASSERT_TRUE(manager.LayerVisible());
    EXPECT_EQ(manager.CurrentAlpha(), 0);
    EXPECT_EQ(FadeAlphas(), c.expected);
    EXPECT_FALSE(manager.Fading());
    EXPECT_EQ(manager.CurrentAlpha(), c.alpha);
    // The timer is gone: more time changes nothing.
    screen.RunFor(200);
    EXPECT_EQ(manager.CurrentAlpha(), c.alpha);
  }
}

TEST_F(GlowLayer, ShowsTheFadeOnScreenAtEachTick) {
  manager.ShowLayer(10, 20, 255, mask, picture);
  const HWND h = manager.LayerHandle();
  ASSERT_TRUE(IsWindow(h));
  EXPECT_EQ(ComposeWindowImage(h)->GetPixel(0, 0) >> 24, 0u);  // invisible before the first tick
  screen.RunFor(25);
  EXPECT_NEAR(int(ComposeWindowImage(h)->GetPixel(0, 0) >> 24), 25, 1);
  screen.RunFor(10 * 25);
  EXPECT_EQ(ComposeWindowImage(h)->GetPixel(0, 0) >> 24, 255u);
}

TEST_F(GlowLayer, ImageTakesItsAlphaFromTheMaskWithColoursLimitedToIt) {
  manager.ShowLayer(10, 20, 255, mask, picture);
  const TvxBitmap* img = manager.Image();
  ASSERT_NE(img, nullptr);
  ASSERT_EQ(img->Width(), 4);
  ASSERT_EQ(img->Height(), 3);
  EXPECT_EQ(img->Pixel(0, 0), Argb(255, 200, 40, 100));
  EXPECT_EQ(img->Pixel(1, 1), Argb(60, 60, 40, 60));  // mask (30, 60, 90)
  EXPECT_EQ(img->Pixel(3, 2), 0u);
  // The window shows the same pixels; at full alpha the clamped pixel reads back
  // as its straight colour.
  screen.RunFor(11 * 25);
  const TSurfacePtr shown = ComposeWindowImage(manager.LayerHandle());
  EXPECT_EQ(shown->GetPixel(1, 1) >> 24, 60u);
  EXPECT_EQ(shown->GetPixel(3, 2) >> 24, 0u);
  EXPECT_EQ(shown->GetPixel(2, 0), Argb(255, 200, 40, 100));
}

TEST_F(GlowLayer, ScreenComposesTheImageAsPremultiplied) {
  WNDCLASS cls;
  cls.lpszClassName = "GlowTestBlack";
  cls.hbrBackground = clBlack;
  RegisterClass(cls);
  const HWND below = CreateWindowEx(0, "GlowTestBlack", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr);
  UpdateWindow(below);
  // The picture and mask may be platform bitmaps as well.
  TBitmap pic(4, 3, TPixelFormat::pf24bit);
  picture.AssignTo(pic);
  manager.ShowLayer(10, 20, 255, mask, ViewOf(pic));
  screen.RunFor(11 * 25);
  const TSurfacePtr& shot = screen.Screenshot();
  // Over black a premultiplied pixel shows its own colour bytes.
  EXPECT_EQ(shot->GetPixel(11, 21) & 0xFFFFFF, Argb(0, 60, 40, 60));
  EXPECT_EQ(shot->GetPixel(10, 20) & 0xFFFFFF, Argb(0, 200, 40, 100));
  EXPECT_EQ(shot->GetPixel(13, 22) & 0xFFFFFF, 0u);
}

TEST_F(GlowLayer, WindowIsAClickThroughToolPopupThatNeverActivates) {
  WNDCLASS cls;
  cls.lpszClassName = "GlowTestTarget";
  RegisterClass(cls);
  const HWND below = CreateWindowEx(0, "GlowTestTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr);
  SetActiveWindow(below);
  manager.ShowLayer(10, 20, 255, mask, picture);
  screen.RunFor(11 * 25);
  const HWND h = manager.LayerHandle();
  EXPECT_EQ(GetWindowLong(h, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_CHILD), WS_POPUP);
  const intptr_t ex = GetWindowLong(h, GWL_EXSTYLE);
  EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED),
            WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_LAYERED);
  EXPECT_NE(ex & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsWindowVisible(h));
  TRect r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r, (TRect{10, 20, 14, 23}));
  EXPECT_EQ(GetActiveWindow(), below);
  EXPECT_EQ(SendMessage(h, WM_MOUSEACTIVATE, HandleToWParam(below), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  EXPECT_EQ(WindowFromPoint({11, 21}), below);
  screen.Click({11, 21});
  screen.Pump();
  EXPECT_EQ(GetActiveWindow(), below);
}

TEST_F(GlowLayer, TopMostDecidesTheBand) {
  manager.SetTopMost(false);
  manager.ShowLayer(10, 20, 255, mask, picture);
  const HWND h = manager.LayerHandle();
  EXPECT_EQ(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  manager.SetTopMost(true);
  EXPECT_NE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  manager.UpdateLayerZOrder();
  EXPECT_NE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(GlowLayer, HideRemovesEverythingAndShowRestartsFromHidden) {
  manager.HideLayer();  // nothing shown: nothing changes
  EXPECT_FALSE(manager.LayerVisible());
  EXPECT_EQ(manager.LayerHandle(), nullptr);

  manager.ShowLayer(10, 20, 255, mask, picture);
  screen.RunFor(3 * 25);
  const HWND first = manager.LayerHandle();
  manager.ShowLayer(50, 60, 200, mask, picture);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(manager.CurrentAlpha(), 0);
  EXPECT_TRUE(manager.Fading());

  const HWND second = manager.LayerHandle();
  manager.HideLayer();
  EXPECT_FALSE(IsWindow(second));
  EXPECT_FALSE(manager.LayerVisible());
  EXPECT_FALSE(manager.Fading());
  EXPECT_EQ(manager.Image(), nullptr);
  screen.RunFor(500);  // no timer is left to fire on freed state
  EXPECT_EQ(manager.CurrentAlpha(), 0);

  manager.ShowLayer(10, 20, 255, mask, TvxBitmap());  // empty picture: nothing shown
  EXPECT_FALSE(manager.LayerVisible());
  EXPECT_EQ(manager.LayerHandle(), nullptr);
}

TEST_F(GlowLayer, DestroyingTheManagerMidFadeFreesTheWindow) {
  auto owned = std::make_unique<TvxLayerManager>(nullptr);
  owned->ShowLayer(10, 20, 255, mask, picture);
  screen.RunFor(2 * 25);
  const HWND h = owned->LayerHandle();
  owned.reset();
  EXPECT_FALSE(IsWindow(h));
  screen.RunFor(500);
}

TEST(DarkenColor, ReducesEachChannelByThePercentRounded) {
  struct Case {
    TColor in;
    int percent;
    TColor out;
  };
  const Case cases[] = {
      {RGB(200, 100, 50), 10, RGB(180, 90, 45)},
      {RGB(255, 15, 5), 10, RGB(229, 13, 4)},  // 25.5 -> 26, 1.5 -> 2, 0.5 -> 1
      {RGB(10, 20, 30), 0, RGB(10, 20, 30)},
      {RGB(10, 20, 30), 100, RGB(0, 0, 0)},
      {RGB(10, 20, 30), 150, RGB(0, 0, 0)},
      {RGB(200, 20, 30), -50, RGB(255, 30, 45)},
  };
  for (const Case& c : cases) EXPECT_EQ(DarkenColor(c.in, c.percent), c.out) << int(c.percent);
  // A system colour is resolved first.
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(DarkenColor(clBtnFace, 0), face);
}

}  // namespace
}  // namespace vx
