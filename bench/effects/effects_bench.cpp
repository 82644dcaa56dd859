// One frame of every registered effect at 1280x720 and 1920x1080 for p = 25,
// 50 and 99 (Resolution 1, TileCount 1, no rotation), next to the floor (memcpy
// of the two frames' bytes) and pixman compositing the same images through an
// a8 mask.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "effects/zt_bitmap.h"
#include "effects/zt_effect.h"
#include "effects/zt_effect_procs.h"

#ifdef VX_HAVE_PIXMAN
#include <pixman.h>
#endif

namespace {

struct Size {
  int w, h;
};
constexpr Size kSizes[] = {{1280, 720}, {1920, 1080}};
constexpr int kProgress[] = {25, 50, 99};

vx::TztBitmap Picture(int w, int h, uint32_t seed) {
  vx::TztBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, 0xFF000000u | ((uint32_t(x * 3 + seed) & 0xFF) << 16) | ((uint32_t(y * 5) & 0xFF) << 8) |
                           (uint32_t(x ^ y) & 0xFF));
  return b;
}

void Effect(benchmark::State& state, const vx::TztProcItem* item, Size s, int p) {
  const vx::TztBitmap before = Picture(s.w, s.h, 0);
  vx::TztBitmap after = Picture(s.w, s.h, 77);
  vx::TztBitmap frame(s.w, s.h);
  vx::TztFrameComposer composer(*item, vx::TztEffectSettings{}, s.w, s.h);
  composer.Compose(frame, before, after, p);  // first touch of the buffers, not timed
  for (auto _ : state) {
    composer.Compose(frame, before, after, p);
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
}

// The same frame with the record of random cell orders forgotten first (its
// memory kept): the cost of a frame whose cells were never drawn before (the
// first frame of a Pixel transition, or a jump straight to p).
void EffectCold(benchmark::State& state, const vx::TztProcItem* item, Size s, int p) {
  const vx::TztBitmap before = Picture(s.w, s.h, 0);
  vx::TztBitmap after = Picture(s.w, s.h, 77);
  vx::TztBitmap frame(s.w, s.h);
  vx::TztFrameComposer composer(*item, vx::TztEffectSettings{}, s.w, s.h);
  composer.Compose(frame, before, after, p);  // first touch of the buffers, not timed
  for (auto _ : state) {
    vx::zt_procs::ForgetRandomOrders();
    composer.Compose(frame, before, after, p);
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
}

void Memcpy(benchmark::State& state, Size s) {
  const size_t n = size_t(s.w) * size_t(s.h);
  std::vector<uint32_t> a(n, 1), b(n, 2), c(n), d(n);
  for (auto _ : state) {
    std::memcpy(c.data(), a.data(), n * 4);
    std::memcpy(d.data(), b.data(), n * 4);
    benchmark::DoNotOptimize(c.data());
    benchmark::DoNotOptimize(d.data());
    benchmark::ClobberMemory();
  }
}

#ifdef VX_HAVE_PIXMAN
// Frame := before, then after OVER it through an a8 mask: the same work as a
// mask effect's frame.
void Pixman(benchmark::State& state, Size s) {
  vx::TztBitmap before = Picture(s.w, s.h, 0), after = Picture(s.w, s.h, 77), frame(s.w, s.h);
  std::vector<uint8_t> mask(size_t(s.w) * size_t(s.h));
  for (size_t i = 0; i < mask.size(); ++i) mask[i] = uint8_t(i * 7);
  pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, s.w, s.h, after.Pixels(), s.w * 4);
  pixman_image_t* msk = pixman_image_create_bits(PIXMAN_a8, s.w, s.h, reinterpret_cast<uint32_t*>(mask.data()), s.w);
  pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, s.w, s.h, frame.Pixels(), s.w * 4);
  for (auto _ : state) {
    std::memcpy(frame.Pixels(), before.Pixels(), before.PixelCount() * 4);
    pixman_image_composite32(PIXMAN_OP_OVER, src, msk, dst, 0, 0, 0, 0, 0, 0, s.w, s.h);
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(src);
  pixman_image_unref(msk);
  pixman_image_unref(dst);
}
#endif

const int kRegistered = [] {
  for (const Size s : kSizes) {
    const std::string size = std::to_string(s.w) + "x" + std::to_string(s.h);
    benchmark::RegisterBenchmark(("floor_memcpy_2_frames/" + size).c_str(), Memcpy, s)->Unit(benchmark::kMillisecond);
#ifdef VX_HAVE_PIXMAN
    benchmark::RegisterBenchmark(("pixman_copy_and_over_a8/" + size).c_str(), Pixman, s)->Unit(benchmark::kMillisecond);
#endif
  }
  for (const vx::TztProcItem* item : vx::EffectProcs())
    for (const Size s : kSizes)
      for (const int p : kProgress) {
        const std::string name = item->Name() + "/" + std::to_string(s.w) + "x" + std::to_string(s.h) + "/p" +
                                 std::to_string(p);
        benchmark::RegisterBenchmark(name.c_str(), Effect, item, s, p)->Unit(benchmark::kMillisecond);
        if (item->Name().rfind("Pixel", 0) == 0)
          benchmark::RegisterBenchmark((name + "/cold").c_str(), EffectCold, item, s, p)->Unit(benchmark::kMillisecond);
      }
  return 0;
}();

}  // namespace
