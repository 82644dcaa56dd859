#include <gtest/gtest.h>

#include "platform/win/compositor.h"
#include "platform/win/window.h"
#include "raster/skin_system.h"
#include "raster/vx_bitmap.h"

namespace vx {
namespace {

struct Desktop : ::testing::Test {
  void SetUp() override {
    InitDesktop(800, 600, {}, 40);
    WNDCLASS cls;
    cls.lpszClassName = "RasterLayer";
    RegisterClass(cls);
  }
  void TearDown() override { ShutdownDesktop(); }
};

TEST_F(Desktop, UpdateLayeredControlShowsThePremultipliedPixels) {
  HWND plain = CreateWindowEx(0, "RasterLayer", "", WS_POPUP | WS_VISIBLE, 100, 50, 4, 2, nullptr);
  HWND layered = CreateWindowEx(WS_EX_LAYERED, "RasterLayer", "", WS_POPUP | WS_VISIBLE, 100, 50, 4, 2, nullptr);
  TvxBitmap b(4, 2);
  b.FillRect(b.BoundsRect(), 0x80400000u);  // half-transparent dark red, premultiplied
  EXPECT_FALSE(UpdateLayeredControl(b, 255, plain));
  EXPECT_FALSE(UpdateLayeredControl(TvxBitmap(), 255, layered));
  ASSERT_TRUE(UpdateLayeredControl(b, 255, layered));
  TRect wr;
  GetWindowRect(layered, &wr);
  EXPECT_EQ(wr, Rect(100, 50, 104, 52));
  const TSurfacePtr img = ComposeWindowImage(layered);
  ASSERT_TRUE(img);
  EXPECT_EQ(img->GetPixel(3, 1) >> 24, 0x80u);
}

TEST_F(Desktop, AlphaAndWorkAreas) {
  HWND w = CreateWindowEx(0, "RasterLayer", "", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr);
  ASSERT_TRUE(SetAlphaBlendTransparent(w, 100));
  EXPECT_NE(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(w, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 100);
  EXPECT_EQ(GetWorkArea(), Rect(0, 0, 800, 560));
  EXPECT_EQ(GetMonitorWorkArea(w, true), Rect(0, 0, 800, 560));
  EXPECT_EQ(GetMonitorWorkArea(w, false), Rect(0, 0, 800, 600));
  EXPECT_FALSE(IsDwmCompositionEnabled());
}

}  // namespace
}  // namespace vx
