// Window-system figures: recomposing a 1280x800 screen with five windows (two
// layered) after a full change and after a 32x32 change, and hit testing
// through a window region of 2 000 rectangles. References measured in the same
// run: memcpy of the framebuffer, pixman compositing the same five layers, and
// the bare region lookup.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <memory>
#include <vector>

#include "platform/backend/headless/headless.h"
#include "platform/win/compositor.h"

namespace vx {
namespace {

constexpr int kW = 1280, kH = 800;

struct Scene {
  std::unique_ptr<THeadlessScreen> screen;
  std::vector<HWND> windows;
  HWND painted = nullptr;

  Scene() {
    screen = std::make_unique<THeadlessScreen>(kW, kH);
    WNDCLASS c;
    c.lpszClassName = "BenchWindow";
    c.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
      if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        BeginPaint(h, &ps);
        FillSolidRect(ps.hdc, ps.rcPaint, RGB(uint8_t(GetTickCount()), 120, 200));
        EndPaint(h, &ps);
        return 0;
      }
      return DefWindowProc(h, m, wp, lp);
    };
    RegisterClass(c);
    struct Layout {
      TRect r;
      DWORD ex;
      TColor color;
    };
    const Layout layouts[] = {
        {Bounds(0, 0, 900, 650), 0, RGB(200, 200, 200)},
        {Bounds(300, 150, 600, 500), 0, RGB(40, 80, 160)},
        {Bounds(700, 400, 500, 350), 0, RGB(160, 40, 40)},
        {Bounds(200, 300, 500, 400), WS_EX_LAYERED, RGB(40, 160, 40)},
        {Bounds(850, 80, 380, 380), WS_EX_LAYERED, 0},
    };
    for (const Layout& s : layouts) {
      HWND h = CreateWindowEx(s.ex, "BenchWindow", "", WS_POPUP | WS_VISIBLE, s.r.Left, s.r.Top, s.r.Width(),
                              s.r.Height(), nullptr);
      HDC dc = GetDC(h);
      FillSolidRect(dc, Rect(0, 0, s.r.Width(), s.r.Height()), s.color);
      ReleaseDC(h, dc);
      windows.push_back(h);
    }
    // A shaped opaque window.
    SetWindowRgn(windows[1], TRegion(Rect(0, 0, 600, 250)).Union(TRegion(Rect(100, 250, 500, 500))), false);
    // Constant alpha.
    SetLayeredWindowAttributes(windows[3], 0, 160, LWA_ALPHA);
    // Per-pixel alpha: a premultiplied gradient.
    auto src = TSurface::Create(380, 380, TPixelFormat::pf32bit);
    for (int y = 0; y < 380; ++y)
      for (int x = 0; x < 380; ++x) {
        const uint32_t a = uint32_t((x + y) * 255 / 758);
        src->SetPixel(x, y, (a << 24) | ((a * 200 / 255) << 8) | (a * 90 / 255));
      }
    auto sdc = CreateMemoryDC(src);
    BLENDFUNCTION bf{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    TPoint origin{0, 0};
    UpdateLayeredWindow(windows[4], nullptr, nullptr, sdc.get(), &origin, 0, &bf, ULW_ALPHA);
    screen->Pump();
    ComposeScreen();
    painted = windows[0];
  }
};

Scene& TheScene() {
  static Scene s;
  return s;
}

void BM_ComposeFullScreen(benchmark::State& st) {
  TheScene();
  for (auto _ : st) {
    DamageScreen();
    benchmark::DoNotOptimize(ComposeScreen().get());
  }
  st.SetBytesProcessed(int64_t(st.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_ComposeFullScreen)->Unit(benchmark::kMicrosecond);

// A 32x32 area of the bottom window changes: invalidate, paint, recompose.
void BM_Compose32x32Change(benchmark::State& st) {
  Scene& s = TheScene();
  const TRect r = Bounds(600, 200, 32, 32);  // under the shaped and the layered window
  for (auto _ : st) {
    InvalidateRect(s.painted, &r, false);
    UpdateWindow(s.painted);
    benchmark::DoNotOptimize(ComposeScreen().get());
  }
  st.SetBytesProcessed(int64_t(st.iterations()) * 32 * 32 * 4);
}
BENCHMARK(BM_Compose32x32Change)->Unit(benchmark::kMicrosecond);

// Only the recomposition of a 32x32 area, without the paint.
void BM_Compose32x32Damage(benchmark::State& st) {
  TheScene();
  const TRect r = Bounds(600, 200, 32, 32);
  for (auto _ : st) {
    DamageScreen(&r);
    benchmark::DoNotOptimize(ComposeScreen().get());
  }
  st.SetBytesProcessed(int64_t(st.iterations()) * 32 * 32 * 4);
}
BENCHMARK(BM_Compose32x32Damage)->Unit(benchmark::kMicrosecond);

void BM_Reference_MemcpyScreen(benchmark::State& st) {
  std::vector<uint32_t> a(size_t(kW) * kH, 0xFF112233u), b(size_t(kW) * kH);
  for (auto _ : st) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  st.SetBytesProcessed(int64_t(st.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_Reference_MemcpyScreen)->Unit(benchmark::kMicrosecond);

// pixman compositing the same five layers over the same background.
void BM_Reference_PixmanFullScreen(benchmark::State& st) {
  Scene& s = TheScene();
  auto fb = TSurface::Create(kW, kH, TPixelFormat::pf32bit);
  auto wrap = [](TSurface& x) {
    return pixman_image_create_bits(PIXMAN_a8r8g8b8, x.Width(), x.Height(), reinterpret_cast<uint32_t*>(x.Bits()),
                                    int(x.Stride()));
  };
  // Copies of the window surfaces, read back through printing-free access:
  // composing each window alone gives its pixels.
  std::vector<TSurfacePtr> layers;
  std::vector<TRect> rects;
  for (HWND h : s.windows) {
    layers.push_back(ComposeWindowImage(h));
    TRect r;
    GetWindowRect(h, &r);
    rects.push_back(r);
  }
  pixman_image_t* dst = wrap(*fb);
  std::vector<pixman_image_t*> src;
  for (auto& l : layers) src.push_back(wrap(*l));
  pixman_color_t bgc{0x3A3A, 0x6E6E, 0xA5A5, 0xFFFF};
  pixman_image_t* bg = pixman_image_create_solid_fill(&bgc);
  pixman_color_t mc{0, 0, 0, 160 * 257};
  pixman_image_t* mask = pixman_image_create_solid_fill(&mc);
  pixman_region32_t shape;
  pixman_box32_t boxes[2] = {{300, 150, 900, 400}, {400, 400, 800, 650}};
  pixman_region32_init_rects(&shape, boxes, 2);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_SRC, bg, nullptr, dst, 0, 0, 0, 0, 0, 0, kW, kH);
    for (size_t i = 0; i < src.size(); ++i) {
      const TRect& r = rects[i];
      if (i == 1) pixman_image_set_clip_region32(dst, &shape);
      const pixman_op_t op = i >= 3 ? PIXMAN_OP_OVER : PIXMAN_OP_SRC;
      pixman_image_composite32(op, src[i], i == 3 ? mask : nullptr, dst, 0, 0, 0, 0, r.Left, r.Top, r.Width(),
                               r.Height());
      if (i == 1) pixman_image_set_clip_region32(dst, nullptr);
    }
    benchmark::ClobberMemory();
  }
  pixman_region32_fini(&shape);
  pixman_image_unref(mask);
  pixman_image_unref(bg);
  for (auto* p : src) pixman_image_unref(p);
  pixman_image_unref(dst);
  st.SetBytesProcessed(int64_t(st.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_Reference_PixmanFullScreen)->Unit(benchmark::kMicrosecond);

// A window shaped by a region of 2 000 rectangles (50 bands of 40 squares).
struct HitScene {
  HWND shaped = nullptr;
  TRegion rgn;
  std::vector<TPoint> points;
  HitScene() {
    TheScene();
    std::vector<TRect> rects;
    for (int row = 0; row < 50; ++row)
      for (int col = 0; col < 40; ++col) rects.push_back(Bounds(col * 16, row * 16, 10, 10));
    rgn = TRegion::FromRects(rects);
    shaped = CreateWindowEx(WS_EX_TOPMOST, "BenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 800, nullptr);
    SetWindowRgn(shaped, rgn, false);
    uint32_t seed = 12345;
    for (int i = 0; i < 4096; ++i) {
      seed = seed * 1664525u + 1013904223u;
      points.push_back({int((seed >> 8) % 640), int((seed >> 20) % 800)});
    }
  }
};

HitScene& TheHitScene() {
  static HitScene s;
  return s;
}

void BM_HitTestRegion2000(benchmark::State& st) {
  HitScene& h = TheHitScene();
  size_t i = 0, inside = 0;
  for (auto _ : st) {
    const TPoint p = h.points[i++ & 4095];
    if (WindowFromPoint(p) == h.shaped) ++inside;
  }
  benchmark::DoNotOptimize(inside);
  st.counters["rects"] = double(h.rgn.Rects().size());
}
BENCHMARK(BM_HitTestRegion2000);

void BM_Reference_RegionContains2000(benchmark::State& st) {
  HitScene& h = TheHitScene();
  size_t i = 0, inside = 0;
  for (auto _ : st) {
    const TPoint p = h.points[i++ & 4095];
    if (h.rgn.Contains(p)) ++inside;
  }
  benchmark::DoNotOptimize(inside);
}
BENCHMARK(BM_Reference_RegionContains2000);

}  // namespace
}  // namespace vx
