// Raster figures, each next to memcpy of the same bytes and to pixman doing
// the same composite: nine-slice build, blend, stretch, stack blur and mask to
// region.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <vector>

#include "raster/skin_image.h"
#include "raster/vx_bitmap.h"

namespace vx {
namespace {

constexpr int kW = 1920, kH = 1080;

TvxBitmap Noise(int w, int h, uint32_t seed, bool alpha) {
  TvxBitmap b(w, h);
  std::mt19937 rng(seed);
  for (int i = 0; i < w * h; ++i) b.Bits()[i] = alpha ? uint32_t(rng()) : (uint32_t(rng()) | 0xFF000000u);
  return b;
}

pixman_image_t* Wrap(TvxBitmap& b) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, b.Width(), b.Height(), b.Bits(), b.Width() * 4);
}

void Memcpy(benchmark::State& state, int w, int h) {
  std::vector<uint32_t> a(size_t(w) * h, 1), b(size_t(w) * h);
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), a.size() * 4);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(a.size()) * 4);
}

void BM_Memcpy_1920x1080(benchmark::State& s) { Memcpy(s, kW, kH); }
void BM_Memcpy_1280x800(benchmark::State& s) { Memcpy(s, 1280, 800); }
BENCHMARK(BM_Memcpy_1920x1080);
BENCHMARK(BM_Memcpy_1280x800);

// ---- Nine-slice build of 1920x1080 from a 100x100 element (corners 20 px).

struct Nine {
  TPoint LT{20, 20}, RT{80, 20}, LB{20, 80}, RB{80, 80};
  TRect Cl{20, 20, 80, 80};
  int dx = kW - 100, dy = kH - 100;
};

void BM_CreateSkinImage(benchmark::State& state) {
  const bool stretch = state.range(0) != 0;
  const TvxBitmap src = Noise(100, 100, 1, false);
  const Nine g;
  TvxBitmap dest(kW, kH);
  for (auto _ : state) {
    CreateSkinImage(g.LT, g.RT, g.LB, g.RB, g.Cl, g.LT, {g.RT.X + g.dx, g.RT.Y}, {g.LB.X, g.LB.Y + g.dy},
                    {g.RB.X + g.dx, g.RB.Y + g.dy}, {g.Cl.Left, g.Cl.Top, g.Cl.Right + g.dx, g.Cl.Bottom + g.dy}, dest,
                    src, Rect(0, 0, 100, 100), kW, kH, true, stretch, stretch, stretch, stretch, stretch, vxstFull);
    benchmark::DoNotOptimize(dest.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_CreateSkinImage)->ArgName("stretched")->Arg(0)->Arg(1);

// pixman: the same nine pieces, corners copied, edges and client scaled by
// nearest neighbour (or repeated for the tiled build).
void BM_Pixman_NineSlice(benchmark::State& state) {
  const bool stretch = state.range(0) != 0;
  TvxBitmap src = Noise(100, 100, 1, false);
  TvxBitmap dest(kW, kH);
  pixman_image_t* s = Wrap(src);
  pixman_image_t* d = Wrap(dest);
  struct Piece {
    int sx, sy, sw, sh, dx, dy, dw, dh;
  };
  const int mw = kW - 40, mh = kH - 40;
  const Piece pieces[] = {
      {0, 0, 20, 20, 0, 0, 20, 20},        {80, 0, 20, 20, kW - 20, 0, 20, 20},
      {0, 80, 20, 20, 0, kH - 20, 20, 20}, {80, 80, 20, 20, kW - 20, kH - 20, 20, 20},
      {20, 0, 60, 20, 20, 0, mw, 20},      {20, 80, 60, 20, 20, kH - 20, mw, 20},
      {0, 20, 20, 60, 0, 20, 20, mh},      {80, 20, 20, 60, kW - 20, 20, 20, mh},
      {20, 20, 60, 60, 20, 20, mw, mh},
  };
  // One sub-image per piece so that repeat and scale apply to the piece only.
  std::vector<TvxBitmap> parts;
  std::vector<pixman_image_t*> imgs;
  for (const Piece& p : pieces) {
    TvxBitmap part(p.sw, p.sh);
    src.DrawToRect(part, part.BoundsRect(), Bounds(p.sx, p.sy, p.sw, p.sh));
    parts.push_back(std::move(part));
  }
  for (size_t i = 0; i < parts.size(); ++i) {
    pixman_image_t* im = Wrap(parts[i]);
    const Piece& p = pieces[i];
    if (stretch && (p.dw != p.sw || p.dh != p.sh)) {
      pixman_transform_t t;
      pixman_transform_init_scale(&t, pixman_double_to_fixed(double(p.sw) / p.dw),
                                  pixman_double_to_fixed(double(p.sh) / p.dh));
      pixman_image_set_transform(im, &t);
      pixman_image_set_filter(im, PIXMAN_FILTER_NEAREST, nullptr, 0);
    } else {
      pixman_image_set_repeat(im, PIXMAN_REPEAT_NORMAL);
    }
    imgs.push_back(im);
  }
  for (auto _ : state) {
    for (size_t i = 0; i < imgs.size(); ++i) {
      const Piece& p = pieces[i];
      pixman_image_composite32(PIXMAN_OP_SRC, imgs[i], nullptr, d, 0, 0, 0, 0, p.dx, p.dy, p.dw, p.dh);
    }
    benchmark::DoNotOptimize(dest.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
  for (pixman_image_t* im : imgs) pixman_image_unref(im);
  pixman_image_unref(s);
  pixman_image_unref(d);
}
BENCHMARK(BM_Pixman_NineSlice)->ArgName("stretched")->Arg(0)->Arg(1);

// ---- Blend and stretch of 1920x1080.

void BM_TvxBitmap_Blend(benchmark::State& state) {
  TvxBitmap src = Noise(kW, kH, 2, true);
  TvxBitmap dst = Noise(kW, kH, 3, false);
  src.SetHasAlpha(true);
  for (auto _ : state) {
    src.DrawTo(dst, 0, 0);
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_TvxBitmap_Blend);

void BM_Pixman_Over(benchmark::State& state) {
  TvxBitmap src = Noise(kW, kH, 2, true);
  src.ClampColorsToAlpha();  // pixman wants premultiplied colour
  TvxBitmap dst = Noise(kW, kH, 3, false);
  pixman_image_t* s = Wrap(src);
  pixman_image_t* d = Wrap(dst);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
  pixman_image_unref(s);
  pixman_image_unref(d);
}
BENCHMARK(BM_Pixman_Over);

void BM_TvxBitmap_Stretch(benchmark::State& state) {
  TvxBitmap src = Noise(kW / 2 + 7, kH / 2 + 3, 4, false);
  TvxBitmap dst(kW, kH);
  for (auto _ : state) {
    src.DrawToRect(dst, dst.BoundsRect(), src.BoundsRect());
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_TvxBitmap_Stretch);

void BM_Pixman_StretchNearest(benchmark::State& state) {
  TvxBitmap src = Noise(kW / 2 + 7, kH / 2 + 3, 4, false);
  TvxBitmap dst(kW, kH);
  pixman_image_t* s = Wrap(src);
  pixman_image_t* d = Wrap(dst);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(double(src.Width()) / kW),
                              pixman_double_to_fixed(double(src.Height()) / kH));
  pixman_image_set_transform(s, &t);
  pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
  pixman_image_unref(s);
  pixman_image_unref(d);
}
BENCHMARK(BM_Pixman_StretchNearest);

// ---- Stack blur of 1280x800.

void BM_StackBlur(benchmark::State& state) {
  const int r = int(state.range(0));
  TvxBitmap b = Noise(1280, 800, 5, false);
  for (auto _ : state) {
    b.StackBlur(r);
    benchmark::DoNotOptimize(b.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 1280 * 800 * 4);
}
BENCHMARK(BM_StackBlur)->ArgName("radius")->Arg(3)->Arg(10);

// pixman: the same triangular kernel as a separable convolution.
void BM_Pixman_SeparableTriangle(benchmark::State& state) {
  const int r = int(state.range(0));
  TvxBitmap src = Noise(1280, 800, 5, false);
  TvxBitmap dst(1280, 800);
  pixman_image_t* s = Wrap(src);
  pixman_image_t* d = Wrap(dst);
  const int n = 2 * r + 1;
  std::vector<pixman_fixed_t> params;
  params.push_back(pixman_int_to_fixed(n));
  params.push_back(pixman_int_to_fixed(n));
  params.push_back(pixman_int_to_fixed(0));
  params.push_back(pixman_int_to_fixed(0));
  const double div = double(r + 1) * (r + 1);
  for (int axis = 0; axis < 2; ++axis)
    for (int k = -r; k <= r; ++k) params.push_back(pixman_double_to_fixed((r + 1 - std::abs(k)) / std::sqrt(div)));
  pixman_image_set_filter(s, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params.data(), int(params.size()));
  pixman_image_set_repeat(s, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, 1280, 800);
    benchmark::DoNotOptimize(dst.Bits());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 1280 * 800 * 4);
  pixman_image_unref(s);
  pixman_image_unref(d);
}
BENCHMARK(BM_Pixman_SeparableTriangle)->ArgName("radius")->Arg(3)->Arg(10);

// ---- Mask to region of a jagged 1920x1080 mask.

TvxBitmap JaggedMask() {
  TvxBitmap m(kW, kH);
  std::mt19937 rng(6);
  for (int y = 0; y < kH; ++y) {
    // Rounded-window edges plus a few holes per row: about 5 runs a row.
    const int l = int(rng() % 24), r = kW - int(rng() % 24);
    uint32_t* row = m.ScanLine(y);
    for (int x = 0; x < kW; ++x) row[x] = (x >= l && x < r) ? 0xFF000000u : 0xFFFFFFFFu;
    for (int k = 0; k < 4; ++k) {
      const int h = int(rng() % (kW - 8));
      for (int x = h; x < h + 1 + int(rng() % 6); ++x) row[x] = 0xFFFFFFFFu;
    }
  }
  return m;
}

void BM_CreateRegionFromMask(benchmark::State& state) {
  const TvxBitmap m = JaggedMask();
  size_t rects = 0;
  for (auto _ : state) {
    TRegion rgn;
    CreateRegionFromMask(rgn, m);
    rects = rgn.Rects().size();
    benchmark::DoNotOptimize(rects);
  }
  state.counters["runs"] = double(MaskRuns(m, 0, 0).size());
  state.counters["rects"] = double(rects);
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_CreateRegionFromMask);

// pixman: a region from the same runs (the scan is not part of it).
void BM_Pixman_RegionFromRuns(benchmark::State& state) {
  const TvxBitmap m = JaggedMask();
  const std::vector<TRect> runs = MaskRuns(m, 0, 0);
  std::vector<pixman_box32_t> boxes;
  for (const TRect& r : runs) boxes.push_back({r.Left, r.Top, r.Right, r.Bottom});
  for (auto _ : state) {
    pixman_region32_t rgn;
    pixman_region32_init_rects(&rgn, boxes.data(), int(boxes.size()));
    benchmark::DoNotOptimize(pixman_region32_n_rects(&rgn));
    pixman_region32_fini(&rgn);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
}
BENCHMARK(BM_Pixman_RegionFromRuns);

}  // namespace
}  // namespace vx
