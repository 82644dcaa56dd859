// Painting and composition: paint and non-client paint messages, clipping,
// window regions, layered windows, printing, damage, and a PNG of the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "recorder.h"
#include "platform/win/compositor.h"

namespace vx::test {
namespace {

using Trace = std::vector<std::string>;

uint32_t Px(TColor c) { return ColorToPixel(c); }
uint8_t Div255(uint32_t v) { return uint8_t((v + 127) / 255); }

class PaintTest : public ::testing::Test {
 protected:
  PaintTest() {
    rec.handler = [this](HWND h, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_PAINT && fill.count(h)) {
        TRect c;
        GetClientRect(h, &c);
        if (wp) {  // painting into a given DC
          FillSolidRect(reinterpret_cast<HDC>(wp), c, fill[h]);
          return 0;
        }
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        FillSolidRect(ps.hdc, c, fill[h]);
        EndPaint(h, &ps);
        return 0;
      }
      if (m == WM_NCPAINT && frame.count(h)) {
        HDC dc = GetWindowDC(h);
        TRect r;
        GetWindowRect(h, &r);
        FillSolidRect(dc, Rect(0, 0, r.Width(), r.Height()), frame[h]);
        ReleaseDC(h, dc);
        return 0;
      }
      return std::nullopt;
    };
  }
  uint32_t ScreenPx(int x, int y) { return ComposeScreen()->GetPixel(x, y); }

  THeadlessScreen screen{400, 300};
  TRecorder rec;
  std::map<HWND, TColor> fill;   // client colour painted in WM_PAINT
  std::map<HWND, TColor> frame;  // window colour painted in WM_NCPAINT
  static constexpr DWORD kFrame = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
};

TEST_F(PaintTest, NcPaintComesAfterSizeRegionShowAndFrameRedraw) {
  HWND w = rec.Create("W", kFrame | WS_VISIBLE, Bounds(10, 10, 120, 100));
  screen.Pump();
  struct Case {
    const char* what;
    std::function<void()> act;
    int ncpaints;
  };
  const Case cases[] = {
      {"size", [&] { SetWindowPos(w, nullptr, 0, 0, 130, 100, SWP_NOMOVE | SWP_NOZORDER); }, 1},
      {"move only", [&] { SetWindowPos(w, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }, 0},
      {"frame changed", [&] { SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED); }, 1},
      {"region, redraw", [&] { SetWindowRgn(w, TRegion(Rect(0, 0, 60, 60)), true); }, 1},
      {"region, no redraw", [&] { SetWindowRgn(w, std::nullopt, false); }, 0},
      {"hide", [&] { ShowWindow(w, SW_HIDE); }, 0},
      {"show", [&] { ShowWindow(w, SW_SHOW); }, 1},
      {"redraw frame", [&] { RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }, 1},
      {"invalidate client", [&] { InvalidateRect(w, nullptr, true); }, 0},
  };
  for (const Case& c : cases) {
    rec.Clear();
    c.act();
    screen.Pump();
    EXPECT_EQ(rec.Count(w, WM_NCPAINT), c.ncpaints) << c.what;
  }
  rec.Clear();
  SetWindowPos(w, nullptr, 0, 0, 140, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
  EXPECT_EQ(rec.Trace({WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_WINDOWPOSCHANGED, WM_SIZE}),
            (Trace{"W:WINDOWPOSCHANGING", "W:NCCALCSIZE", "W:NCPAINT", "W:WINDOWPOSCHANGED", "W:SIZE"}));
}

TEST_F(PaintTest, DefaultPaintsNoNonClientPixelsAndClientPaintIsClipped) {
  HWND w = rec.Create("W", kFrame | WS_VISIBLE, Bounds(10, 10, 120, 100));
  HWND low = rec.Create("low", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 40, 40), w);
  HWND high = rec.Create("high", WS_CHILD | WS_VISIBLE, Bounds(30, 30, 40, 40), w);
  fill[w] = clBlue;
  fill[low] = clLime;
  fill[high] = clRed;
  screen.Pump();
  // Client of W starts at (14, 33): 4-pixel frame, 19-pixel caption.
  EXPECT_EQ(ScreenPx(11, 11), 0xFF000000u);  // frame: never painted by default
  EXPECT_EQ(ScreenPx(14 + 2, 33 + 2), Px(clBlue));
  EXPECT_EQ(ScreenPx(14 + 15, 33 + 15), Px(clLime));
  EXPECT_EQ(ScreenPx(14 + 35, 33 + 35), Px(clRed));
  // Repainting the parent or the lower sibling leaves the others alone.
  InvalidateRect(w, nullptr, true);
  InvalidateRect(low, nullptr, true);
  screen.Pump();
  EXPECT_EQ(ScreenPx(14 + 15, 33 + 15), Px(clLime));
  EXPECT_EQ(ScreenPx(14 + 35, 33 + 35), Px(clRed));
  EXPECT_EQ(ScreenPx(14 + 5, 33 + 60), Px(clBlue));
  // A child moved away leaves parent area to be repainted.
  SetWindowPos(high, nullptr, 70, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  screen.Pump();
  EXPECT_EQ(ScreenPx(14 + 60, 33 + 60), Px(clBlue));
  EXPECT_EQ(ScreenPx(14 + 75, 33 + 5), Px(clRed));
}

TEST_F(PaintTest, WindowRegionClipsCompositionAndHitTesting) {
  HWND below = rec.Create("below", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 200));
  HWND shaped = rec.Create("shaped", WS_POPUP | WS_VISIBLE, Bounds(50, 50, 100, 100));
  fill[below] = clBlue;
  fill[shaped] = clRed;
  TRegion rgn = TRegion(Rect(0, 0, 50, 100)).Union(TRegion(Rect(50, 0, 100, 20)));
  SetWindowRgn(shaped, rgn, true);
  rgn = TRegion();  // the window keeps its own copy
  screen.Pump();
  EXPECT_EQ(ScreenPx(60, 60), Px(clRed));
  EXPECT_EQ(ScreenPx(140, 60), Px(clRed));
  EXPECT_EQ(ScreenPx(140, 120), Px(clBlue));  // outside the region: the window below
  EXPECT_EQ(WindowFromPoint({140, 120}), below);
  EXPECT_EQ(WindowFromPoint({60, 120}), shaped);
  TRegion got;
  EXPECT_EQ(GetWindowRgn(shaped, got), COMPLEXREGION);
  EXPECT_TRUE(got.Contains(10, 90));
  // Removing the region shows the whole window again.
  SetWindowRgn(shaped, std::nullopt, true);
  screen.Pump();
  EXPECT_EQ(ScreenPx(140, 120), Px(clRed));
  EXPECT_EQ(GetWindowRgn(shaped, got), RGN_ERROR);
}

TEST_F(PaintTest, LayeredWindowsBlendAndChangesShowAtOnce) {
  HWND below = rec.Create("below", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 200));
  HWND top = rec.Create("top", WS_POPUP | WS_VISIBLE, Bounds(50, 50, 100, 100));
  fill[below] = clBlue;
  fill[top] = clRed;
  screen.Pump();
  ASSERT_EQ(ScreenPx(60, 60), Px(clRed));
  // Not layered: setting the alpha fails.
  EXPECT_FALSE(SetLayeredWindowAttributes(top, 0, 128, LWA_ALPHA));
  // Becoming layered keeps the content (no repaint needed, none pumped).
  SetWindowLong(top, GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_EQ(ScreenPx(60, 60), Px(clRed));
  // A fade that never pumps messages is seen step by step.
  for (int a = 0; a <= 255; a += 51) {
    ASSERT_TRUE(SetLayeredWindowAttributes(top, 0, BYTE(a), LWA_ALPHA));
    const uint32_t expect = 0xFF000000u | (uint32_t(Div255(255 * a)) << 16) | Div255(255 * (255 - a));
    EXPECT_EQ(ScreenPx(60, 60), expect) << a;
  }
  // Colour key: red pixels let the window below through.
  SetLayeredWindowAttributes(top, clRed, 0, LWA_COLORKEY);
  EXPECT_EQ(ScreenPx(60, 60), Px(clBlue));
  // Per-pixel alpha: premultiplied red at alpha 128 (value 64), with constant alpha 255.
  auto src = TSurface::Create(20, 10, TPixelFormat::pf32bit);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) src->SetPixel(x, y, x < 10 ? 0x80400000u : 0u);
  auto sdc = CreateMemoryDC(src);
  const TPoint pos{100, 100};
  const TSize size{20, 10};
  const TPoint origin{0, 0};
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(top, &pos, &size, sdc.get(), &origin, 0, &bf, ULW_ALPHA));
  TRect r;
  GetWindowRect(top, &r);
  EXPECT_EQ(r, Bounds(100, 100, 20, 10));
  EXPECT_EQ(ScreenPx(105, 105), 0xFF000000u | (64u << 16) | Div255(255 * 127));
  EXPECT_EQ(ScreenPx(115, 105), Px(clBlue));  // alpha 0: fully through
  EXPECT_EQ(WindowFromPoint({115, 105}), below);  // and the mouse goes through too
  EXPECT_EQ(WindowFromPoint({105, 105}), top);
  // The old place of the window is recomposed.
  EXPECT_EQ(ScreenPx(60, 60), Px(clBlue));
  // Hiding and showing again keeps the given content: no paint messages.
  rec.Clear();
  ShowWindow(top, SW_HIDE);
  ShowWindow(top, SW_SHOWNOACTIVATE);
  screen.Pump();
  EXPECT_EQ(rec.Count(top, WM_PAINT) + rec.Count(top, WM_NCPAINT), 0);
  EXPECT_EQ(ScreenPx(105, 105), 0xFF000000u | (64u << 16) | Div255(255 * 127));
  // Click-through: layered and transparent.
  SetWindowLong(top, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_TRANSPARENT);
  EXPECT_EQ(WindowFromPoint({105, 105}), below);
  // Leaving the layered style shows the surface as it is, opaque.
  SetWindowLong(top, GWL_EXSTYLE, 0);
  EXPECT_EQ(ScreenPx(105, 105) | 0xFF000000u, 0xFF400000u);
  screen.Pump();  // and the window paints itself again
  EXPECT_EQ(ScreenPx(105, 105), Px(clRed));
}

TEST_F(PaintTest, PrintPaintsTheWindowIntoADeviceContext) {
  HWND w = rec.Create("W", kFrame, Bounds(10, 10, 120, 100));  // hidden: nothing is read from the screen
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, Bounds(5, 5, 20, 20), w);
  frame[w] = clYellow;
  fill[w] = clBlue;
  fill[child] = clLime;
  auto img = TSurface::Create(120, 100, TPixelFormat::pf32bit);
  auto dc = CreateMemoryDC(img);
  rec.Clear();
  EXPECT_TRUE(PrintWindow(w, dc.get(), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND));
  EXPECT_EQ(rec.Trace({WM_PRINT, WM_NCPAINT, WM_ERASEBKGND, WM_PRINTCLIENT, WM_PAINT}),
            (Trace{"W:PRINT", "W:NCPAINT", "W:ERASEBKGND", "W:PRINTCLIENT", "W:PAINT", "C:PRINT", "C:NCPAINT",
                   "C:ERASEBKGND", "C:PRINTCLIENT", "C:PAINT"}));
  struct Case {
    TPoint p;
    TColor c;
  };
  // Client at (4, 23) inside the window; the child at (9, 28).
  for (Case c : {Case{{1, 1}, clYellow}, Case{{60, 10}, clYellow}, Case{{118, 98}, clYellow},
                 Case{{50, 60}, clBlue}, Case{{15, 35}, clLime}}) {
    EXPECT_EQ(img->GetPixel(c.p.X, c.p.Y), Px(c.c)) << c.p.X << "," << c.p.Y;
  }
  // The device context keeps its state; the screen was not touched.
  TPoint org;
  GetViewportOrgEx(dc.get(), &org);
  EXPECT_EQ(org, Point(0, 0));
  EXPECT_EQ(ScreenPx(20, 20), TCompositor::kDesktopPixel);
  // With PRF_CHECKVISIBLE a hidden window prints nothing.
  rec.Clear();
  PrintWindow(w, dc.get(), PRF_CHECKVISIBLE | PRF_CLIENT);
  EXPECT_EQ(rec.Count(w, WM_PRINTCLIENT), 0);
  // Printing at an offset inside a bigger target.
  auto big = TSurface::Create(200, 200, TPixelFormat::pf32bit);
  auto bdc = CreateMemoryDC(big);
  SetViewportOrgEx(bdc.get(), 50, 40);
  PrintWindow(w, bdc.get(), PRF_NONCLIENT | PRF_CLIENT | PRF_CHILDREN);
  EXPECT_EQ(big->GetPixel(50 + 15, 40 + 35), Px(clLime));
  EXPECT_EQ(big->GetPixel(49, 39), 0u);
}

TEST_F(PaintTest, SmallChangesRecomposeSmallAreas) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
  fill[a] = clGreen;
  screen.Pump();
  ComposeScreen();
  TakeScreenDamage();
  const TRect small = Bounds(40, 50, 32, 32);
  InvalidateRect(a, &small, false);
  screen.Pump();
  ComposeScreen();
  EXPECT_EQ(TakeScreenDamage(), TRegion(small));
  // Moving a window recomposes where it was and where it is.
  SetWindowPos(a, nullptr, 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ComposeScreen();
  EXPECT_EQ(TakeScreenDamage(), TRegion(Rect(0, 0, 310, 200)));
  EXPECT_EQ(ScreenPx(5, 5), TCompositor::kDesktopPixel);
  EXPECT_EQ(ScreenPx(305, 5), Px(clGreen));
}

// A screen with a shaped window, a constant-alpha window and a per-pixel-alpha
// window over a striped background, written as PNG for a look.
TEST_F(PaintTest, ScreenshotOfShapedAndLayeredWindows) {
  HWND bg = rec.Create("bg", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 400, 300));
  rec.handler = [bg, old = rec.handler](HWND h, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (h == bg && m == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      for (int x = 0; x < 400; x += 20) FillSolidRect(ps.hdc, Rect(x, 0, x + 20, 300), (x / 20) % 2 ? clWhite : clSilver);
      FillSolidRect(ps.hdc, Rect(0, 140, 400, 160), clBlack);
      EndPaint(h, &ps);
      return 0;
    }
    return old(h, m, wp, lp);
  };
  // Shaped: a disc of radius 60.
  HWND disc = rec.Create("disc", WS_POPUP | WS_VISIBLE, Bounds(20, 30, 120, 120));
  fill[disc] = RGB(200, 30, 30);
  std::vector<TRect> rows;
  for (int y = 0; y < 120; ++y) {
    const double dy = y + 0.5 - 60;
    const int half = int(std::sqrt(std::max(0.0, 3600 - dy * dy)));
    rows.push_back(Rect(60 - half, y, 60 + half, y + 1));
  }
  SetWindowRgn(disc, TRegion::FromRects(rows), true);
  // Constant alpha.
  HWND glass = rec.Create("glass", WS_POPUP | WS_VISIBLE, Bounds(150, 40, 120, 100), nullptr, WS_EX_LAYERED);
  fill[glass] = RGB(30, 60, 220);
  SetLayeredWindowAttributes(glass, 0, 128, LWA_ALPHA);
  // Per-pixel alpha: a soft green spot, premultiplied.
  HWND spot = rec.Create("spot", WS_POPUP, Bounds(0, 0, 1, 1), nullptr, WS_EX_LAYERED);
  auto src = TSurface::Create(120, 120, TPixelFormat::pf32bit);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 120; ++x) {
      const double d = std::hypot(x + 0.5 - 60, y + 0.5 - 60) / 60;
      const uint32_t a = d >= 1 ? 0 : uint32_t(std::lround(255 * (1 - d)));
      src->SetPixel(x, y, (a << 24) | (Div255(40 * a) << 16) | (Div255(200 * a) << 8) | Div255(60 * a));
    }
  auto sdc = CreateMemoryDC(src);
  const TPoint pos{260, 150}, origin{0, 0};
  const TSize size{120, 120};
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ASSERT_TRUE(UpdateLayeredWindow(spot, &pos, &size, sdc.get(), &origin, 0, &bf, ULW_ALPHA));
  ShowWindow(spot, SW_SHOWNA);
  screen.Pump();

  auto bgAt = [](int x, int y) -> uint32_t {
    if (y >= 140 && y < 160) return 0;
    return (x / 20) % 2 ? 255 : 192;
  };
  EXPECT_EQ(ScreenPx(80, 90), Px(RGB(200, 30, 30)));  // disc centre
  EXPECT_EQ(ScreenPx(22, 32), Px(clWhite));           // the disc's corner is outside the shape
  // Constant alpha 128 over the background, per channel.
  auto over = [](uint32_t s, uint32_t a, uint32_t d) { return uint32_t(Div255(s * a + d * (255 - a))); };
  const uint32_t b = bgAt(205, 60);
  EXPECT_EQ(ScreenPx(205, 60), 0xFF000000u | (over(30, 128, b) << 16) | (over(60, 128, b) << 8) | over(220, 128, b));
  // Per-pixel: premultiplied source plus the background times (255 - alpha).
  for (TPoint p : {Point(320, 210), Point(300, 200), Point(350, 230)}) {
    const uint32_t s = src->GetPixel(p.X - 260, p.Y - 150);
    const uint32_t a = s >> 24, d = bgAt(p.X, p.Y);
    auto ch = [&](int shift) { return std::min<uint32_t>(255, ((s >> shift) & 0xFF) + Div255(d * (255 - a))); };
    EXPECT_EQ(ScreenPx(p.X, p.Y), 0xFF000000u | (ch(16) << 16) | (ch(8) << 8) | ch(0)) << p.X << "," << p.Y;
  }
  EXPECT_EQ(ScreenPx(262, 172), Px(clWhite));  // the spot's corner is transparent

  const std::string dir = VX_TEST_OUT_DIR;
  screen.WriteScreenPng(dir + "/win_layered_screen.png");
  EXPECT_TRUE(screen.WriteWindowPng(spot, dir + "/win_layered_spot.png"));
  EXPECT_FALSE(screen.WriteWindowPng(nullptr, dir + "/none.png"));
}

}  // namespace
}  // namespace vx::test
