// Figures of the graphics layer, each beside a reference measured in the same
// run: memcpy of the same bytes and pixman doing the same composite.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <span>
#include <vector>

#include "platform/gfx/dc.h"
#include "platform/gfx/font.h"
#include "platform/gfx/region.h"
#include "platform/gfx/text.h"

namespace vx {
namespace {

constexpr int kW = 1920, kH = 1080;
constexpr size_t kBytes = size_t(kW) * kH * 4;

// A premultiplied source with varied alpha.
TSurfacePtr MakeSource(int w, int h) {
  auto s = TSurface::Create(w, h, TPixelFormat::pf32bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t a = uint32_t(x + y) & 0xFF, c = a * 3 / 4;
      s->Row32(y)[x] = (a << 24) | (c << 16) | (c / 2 << 8) | (c / 3);
    }
  return s;
}

TSurfacePtr MakeDest(int w, int h) {
  auto s = TSurface::Create(w, h, TPixelFormat::pf32bit);
  std::memset(s->Bits(), 0x80, s->Stride() * size_t(h));
  return s;
}

void BM_Memcpy_1080p(benchmark::State& st) {
  std::vector<uint8_t> a(kBytes, 1), b(kBytes);
  for (auto _ : st) {
    std::memcpy(b.data(), a.data(), kBytes);
    benchmark::DoNotOptimize(b.data());
    benchmark::ClobberMemory();
  }
  st.SetBytesProcessed(int64_t(st.iterations()) * int64_t(kBytes));
}
BENCHMARK(BM_Memcpy_1080p);

void BM_AlphaBlend_1080p(benchmark::State& st) {
  auto src = MakeSource(kW, kH), dst = MakeDest(kW, kH);
  auto sdc = CreateMemoryDC(src), ddc = CreateMemoryDC(dst);
  BLENDFUNCTION bf;
  bf.AlphaFormat = AC_SRC_ALPHA;
  bf.SourceConstantAlpha = uint8_t(st.range(0));
  for (auto _ : st) {
    AlphaBlend(ddc.get(), 0, 0, kW, kH, sdc.get(), 0, 0, kW, kH, bf);
    benchmark::ClobberMemory();
  }
  st.SetBytesProcessed(int64_t(st.iterations()) * int64_t(kBytes));
}
BENCHMARK(BM_AlphaBlend_1080p)->Arg(255)->Arg(200);

pixman_image_t* Wrap(TSurface& s) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, s.Width(), s.Height(), reinterpret_cast<uint32_t*>(s.Bits()),
                                  int(s.Stride()));
}

void BM_PixmanOver_1080p(benchmark::State& st) {
  auto src = MakeSource(kW, kH), dst = MakeDest(kW, kH);
  pixman_image_t* ps = Wrap(*src);
  pixman_image_t* pd = Wrap(*dst);
  const uint16_t a = uint16_t(st.range(0) * 0x101);
  pixman_color_t mc{0, 0, 0, a};
  pixman_image_t* mask = st.range(0) == 255 ? nullptr : pixman_image_create_solid_fill(&mc);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_OVER, ps, mask, pd, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  if (mask) pixman_image_unref(mask);
  pixman_image_unref(ps);
  pixman_image_unref(pd);
  st.SetBytesProcessed(int64_t(st.iterations()) * int64_t(kBytes));
}
BENCHMARK(BM_PixmanOver_1080p)->Arg(255)->Arg(200);

// Nearest stretch of a 960 x 540 picture to 1920 x 1080.
void BM_StretchBltNearest_1080p(benchmark::State& st) {
  auto src = MakeSource(kW / 2, kH / 2), dst = MakeDest(kW, kH);
  auto sdc = CreateMemoryDC(src), ddc = CreateMemoryDC(dst);
  for (auto _ : st) {
    StretchBlt(ddc.get(), 0, 0, kW, kH, sdc.get(), 0, 0, kW / 2, kH / 2, SRCCOPY);
    benchmark::ClobberMemory();
  }
  st.SetBytesProcessed(int64_t(st.iterations()) * int64_t(kBytes));
}
BENCHMARK(BM_StretchBltNearest_1080p);

void BM_PixmanNearestScale_1080p(benchmark::State& st) {
  auto src = MakeSource(kW / 2, kH / 2), dst = MakeDest(kW, kH);
  pixman_image_t* ps = Wrap(*src);
  pixman_image_t* pd = Wrap(*dst);
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
  pixman_image_set_transform(ps, &t);
  pixman_image_set_filter(ps, PIXMAN_FILTER_NEAREST, nullptr, 0);
  for (auto _ : st) {
    pixman_image_composite32(PIXMAN_OP_SRC, ps, nullptr, pd, 0, 0, 0, 0, 0, 0, kW, kH);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(ps);
  pixman_image_unref(pd);
  st.SetBytesProcessed(int64_t(st.iterations()) * int64_t(kBytes));
}
BENCHMARK(BM_PixmanNearestScale_1080p);

// One-row rectangles of a jagged 1920 x 1080 mask: per row, three runs whose
// edges move from row to row (a shaped window's outline and holes).
std::vector<TRect> JaggedRows() {
  std::vector<TRect> v;
  for (int y = 0; y < kH; ++y) {
    const int e = (y * 7) % 23, f = (y * 13) % 31;
    v.push_back({e, y, 600 - f, y + 1});
    v.push_back({640 + f, y, 1300 - e, y + 1});
    v.push_back({1340 + e, y, kW - f, y + 1});
  }
  return v;
}

void BM_RegionUnionJaggedMask_1080p(benchmark::State& st) {
  const auto rows = JaggedRows();
  const TRegion client(TRect{20, 40, kW - 20, kH - 40});
  for (auto _ : st) {
    TRegion r = TRegion::FromRects(rows).Union(client);
    benchmark::DoNotOptimize(r.Rects().data());
  }
  st.counters["rects"] = double(rows.size());
}
BENCHMARK(BM_RegionUnionJaggedMask_1080p);

// The same mask added row by row into a growing region (CombineRgn in place).
void BM_RegionRowByRowUnion_1080p(benchmark::State& st) {
  const auto rows = JaggedRows();
  std::vector<TRegion> pieces;
  for (int y = 0; y < kH; ++y) pieces.push_back(TRegion::FromRects(std::span<const TRect>(&rows[size_t(y) * 3], 3)));
  for (auto _ : st) {
    TRegion r;
    for (const TRegion& p : pieces) CombineRgn(r, r, p, RGN_OR);
    benchmark::DoNotOptimize(r.Rects().data());
  }
  st.counters["rects"] = double(rows.size());
}
BENCHMARK(BM_RegionRowByRowUnion_1080p);

void BM_PixmanRegionJaggedMask_1080p(benchmark::State& st) {
  const auto rows = JaggedRows();
  std::vector<pixman_box32_t> boxes;
  for (const TRect& r : rows) boxes.push_back({r.Left, r.Top, r.Right, r.Bottom});
  pixman_region32_t client;
  pixman_region32_init_rect(&client, 20, 40, kW - 40, kH - 80);
  for (auto _ : st) {
    pixman_region32_t r;
    pixman_region32_init_rects(&r, boxes.data(), int(boxes.size()));
    pixman_region32_union(&r, &r, &client);
    benchmark::DoNotOptimize(pixman_region32_n_rects(&r));
    pixman_region32_fini(&r);
  }
  pixman_region32_fini(&client);
  st.counters["rects"] = double(rows.size());
}
BENCHMARK(BM_PixmanRegionJaggedMask_1080p);

void BM_DrawText40(benchmark::State& st) {
  auto s = MakeDest(400, 20);
  auto dc = CreateMemoryDC(s);
  TFontDesc d;
  d.Name = "Tahoma";
  d.Height = -11;
  SelectFont(dc.get(), CreateFont(d));
  SetBkMode(dc.get(), TRANSPARENT);
  const char* text = "The quick brown fox jumps over a lazy do";  // 40 characters
  for (auto _ : st) {
    TRect r{0, 0, 400, 20};
    benchmark::DoNotOptimize(DrawText(dc.get(), text, r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS));
  }
}
BENCHMARK(BM_DrawText40);

}  // namespace
}  // namespace vx
