// Composing frames: rotation of masks and tables, scaling of the mask per tile
// into the after image's alpha, the key colour, the displacement blocks, the
// frame procedures, the bitmap animation, and every effect at degenerate sizes.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "effects/zt_bitmap.h"
#include "effects/zt_effect.h"
#include "effects/zt_effect_procs.h"
#include "platform/gfx/pixel_core.h"
#include "tests/effects/reference.h"

namespace vx {
namespace {

TztBitmap Solid(int W, int H, uint32_t c) {
  TztBitmap b(W, H);
  b.Fill(c);
  return b;
}

// Pixels name their position: 0xFF00YYXX, offset by `base` in the blue byte.
TztBitmap Coded(int W, int H, uint32_t base) {
  TztBitmap b(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) b.SetPixel(x, y, 0xFF000000u | (base << 16) | uint32_t(y << 8) | uint32_t(x));
  return b;
}

int gW = 0, gH = 0;
// Marks the procedure's own cells (0, 0) = 255 and (1, 0) = 100.
void Marker(uint8_t* m, int W, int H, int) {
  gW = W;
  gH = H;
  m[0] = 255;
  if (W > 1) m[1] = 100;
}
// Mask cell (x, y) = 10 (x + 1) + 100 y.
void Numbered(uint8_t* m, int W, int H, int) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) m[x + y * W] = uint8_t(10 * (x + 1) + 100 * y);
}

const TztProcItem& Item(const char* name, TztMaskProc f) {
  if (!FindEffectProc(name)) RegisterEffectProc(name, 0, f);
  return *FindEffectProc(name);
}

TEST(ZtCompose, MaskRotations) {
  // 3x2 images: cols 4, rows 3. The procedure sees (rows, cols) for quarter turns.
  const struct { TztRotation r; int w, h, x255, y255, x100, y100; } cases[] = {
      {krNone, 4, 3, 0, 0, 1, 0},
      {krRotate90, 3, 4, 0, 2, 0, 1},
      {krRotate180, 4, 3, 3, 2, 2, 2},
      {krRotate270, 3, 4, 3, 0, 3, 1},
  };
  for (const auto& c : cases) {
    TztFrameComposer comp(Item("Compose marker", Marker), TztEffectSettings{1, 1, c.r}, 3, 2);
    TztBitmap frame, before = Solid(3, 2, 0xFF000000u), after = Solid(3, 2, 0xFFFFFFFFu);
    comp.Compose(frame, before, after, 50);
    EXPECT_EQ(gW, c.w) << c.r;
    EXPECT_EQ(gH, c.h) << c.r;
    std::vector<uint8_t> want(12, 0);
    want[size_t(c.x255 + 4 * c.y255)] = 255;
    want[size_t(c.x100 + 4 * c.y100)] = 100;
    EXPECT_EQ(comp.Mask(), want) << c.r;
  }
}

TEST(ZtCompose, MaskScaledPerTileIntoAlpha) {
  // 8x4, R = 2, T = 2: cols 3, rows 2, tiles of 6x4 pixels at x = 0 and 6.
  TztFrameComposer comp(Item("Compose numbered", Numbered), TztEffectSettings{2, 2, krNone}, 8, 4);
  ASSERT_EQ(comp.Cols(), 3);
  ASSERT_EQ(comp.Rows(), 2);
  TztBitmap frame, before = Solid(8, 4, 0xFF000000u), after = Solid(8, 4, 0xFFC8C8C8u);
  after.SetPixel(7, 3, 0xFF7F007Fu);  // key colour: stays the before image
  comp.Compose(frame, before, after, 50);
  const int cellX[8] = {0, 0, 1, 1, 2, 2, 0, 0};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const uint32_t alpha = (x == 7 && y == 3) ? 0 : uint32_t(10 * (cellX[x] + 1) + 100 * (y / 2));
      EXPECT_EQ(after.Pixel(x, y) >> 24, alpha) << x << "," << y;
      EXPECT_EQ(frame.Pixel(x, y), pixel::Blend(after.Pixel(x, y), 0xFF000000u)) << x << "," << y;
    }
  EXPECT_TRUE(after.AlphaBlend());
}

// A picture with key pixels (of any alpha) and pixels of every alpha.
TztBitmap Speckled(int W, int H, uint32_t seed) {
  TztBitmap b(W, H);
  for (size_t i = 0; i < b.PixelCount(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    b.Pixels()[i] = (seed >> 7) % 6 == 0 ? (seed & 0xFF000000u) | pixel::kKeyColor : seed ^ (seed >> 13);
  }
  return b;
}

// Masked frames pixel by pixel against the rule: the after image's alpha is the
// mask cell of the pixel's tile position (0 on key pixels) and the frame is the
// after image blended over the before image where both have the pixel. Masks
// of partial values, of 0 and 255 runs, at odd sizes, with scaled and tiled
// masks, after images larger or smaller than the frame, and a frame that is the
// after image itself.
TEST(ZtCompose, MaskedFramesMatchThePixelRule) {
  const struct { int W, H, aw, ah; } sizes[] = {{1, 1, 1, 1},   {1, 17, 1, 17}, {17, 1, 17, 1}, {37, 23, 37, 23},
                                                 {70, 9, 70, 9}, {37, 23, 40, 20}, {33, 18, 29, 25}};
  const TztEffectSettings settings[] = {{1, 1, krNone}, {2, 1, krNone}, {3, 2, krRotate90}, {1, 3, krRotate180}};
  for (const char* name : {"Fade", "Pixel fade", "SlideDown", "CircleSmooth", "Plasma", "DiamondFadeIn"})
    for (const auto& sz : sizes)
      for (const TztEffectSettings& set : settings)
        for (bool frameIsAfter : {false, true}) {
          if (frameIsAfter && (sz.aw != sz.W || sz.ah != sz.H)) continue;
          TztFrameComposer comp(*FindEffectProc(name), set, sz.W, sz.H);
          const int R = set.Resolution, T = set.TileCount;
          // Pixels past the last tile (an after image larger than the composer's size) take cell 0.
          auto cell = [&](int x, int cells) {
            return x >= T * R * cells ? 0 : (x % (R * cells)) * (cells * 65536 / (R * cells)) >> 16;
          };
          const TztBitmap before = Speckled(sz.W, sz.H, 5);
          for (int p : {0, 1, 37, 50, 99, 100}) {
            const TztBitmap original = Speckled(sz.aw, sz.ah, uint32_t(p) + 11);
            TztBitmap after = original, frame(1, 1);
            comp.Compose(frameIsAfter ? after : frame, before, after, p);
            const TztBitmap& got = frameIsAfter ? after : frame;
            ASSERT_EQ(got.Width(), sz.W);
            for (int y = 0; y < std::max(sz.H, sz.ah); ++y)
              for (int x = 0; x < std::max(sz.W, sz.aw); ++x) {
                const bool inAfter = x < sz.aw && y < sz.ah, inFrame = x < sz.W && y < sz.H;
                uint32_t s = 0;
                if (inAfter) {
                  // A frame that is the after image holds the before image when the mask is applied.
                  const uint32_t a = frameIsAfter ? before.Pixel(x, y) : original.Pixel(x, y);
                  const uint8_t m = comp.Mask()[size_t(cell(x, comp.Cols())) + size_t(cell(y, comp.Rows())) * size_t(comp.Cols())];
                  s = (a & 0x00FFFFFFu) | (pixel::IsKey(a) ? 0u : uint32_t(m) << 24);
                  if (!frameIsAfter) {
                    ASSERT_EQ(after.Pixel(x, y), s) << name << " after " << x << "," << y << " p" << p;
                  }
                }
                if (!inFrame) continue;
                const uint32_t want = frameIsAfter ? s : inAfter ? pixel::Blend(s, before.Pixel(x, y)) : before.Pixel(x, y);
                ASSERT_EQ(got.Pixel(x, y), want) << name << " " << sz.W << "x" << sz.H << " after " << sz.aw << "x"
                                                 << sz.ah << " R" << R << " T" << T << " p" << p << " at " << x << ","
                                                 << y << (frameIsAfter ? " (frame is after)" : "");
              }
          }
        }
}

TEST(ZtCompose, KeyColourNeverShowsEvenAtTheEnd) {
  TztFrameComposer comp(*FindEffectProc("Fade"), TztEffectSettings{}, 2, 1);
  TztBitmap frame, before = Solid(2, 1, 0xFF102030u), after = Solid(2, 1, 0xFF7F007Fu);
  after.SetPixel(1, 0, 0xFF445566u);
  comp.Compose(frame, before, after, 100);
  EXPECT_EQ(frame.Pixel(0, 0), 0xFF102030u);
  EXPECT_EQ(frame.Pixel(1, 0), 0xFF445566u);
}

TEST(ZtCompose, DisplacementBlocks) {
  // Corner at 50 on 5x4: cells 0..3 x 0..2 show cells 2.. of the after image;
  // pixels whose source falls outside the after image keep the before image.
  {
    TztFrameComposer comp(*FindEffectProc("Corner"), TztEffectSettings{}, 5, 4);
    TztBitmap frame, before = Solid(5, 4, 0xFF0000FFu), after = Coded(5, 4, 0x10);
    comp.Compose(frame, before, after, 50);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x)
        EXPECT_EQ(frame.Pixel(x, y), x <= 2 && y <= 1 ? after.Pixel(x + 2, y + 2) : 0xFF0000FFu) << x << "," << y;
    comp.Compose(frame, before, after, 100);
    for (size_t i = 0; i < frame.PixelCount(); ++i) EXPECT_EQ(frame.Pixels()[i], after.Pixels()[i]);
  }
  // Interlace at 50 on 8x2: shift MulDiv(50, 9, 100) = 5. Pixel row 1 is the
  // shared edge of cell rows 0 and 1; the later row wins where it has a source.
  {
    TztFrameComposer comp(*FindEffectProc("Interlace"), TztEffectSettings{}, 8, 2);
    TztBitmap frame, before = Solid(8, 2, 0xFF0000FFu), after = Coded(8, 2, 0x10);
    comp.Compose(frame, before, after, 50);
    const uint32_t b = 0xFF0000FFu;
    auto a = [&](int x, int y) { return after.Pixel(x, y); };
    const std::vector<uint32_t> row0 = {a(5, 0), a(6, 0), a(7, 0), b, b, b, b, b};
    const std::vector<uint32_t> row1 = {a(5, 1), a(6, 1), a(7, 1), b, b, a(0, 1), a(1, 1), a(2, 1)};
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(frame.Pixel(x, 0), row0[size_t(x)]) << x;
      EXPECT_EQ(frame.Pixel(x, 1), row1[size_t(x)]) << x;
    }
  }
}

// A displacement procedure filling the table with random cells: opacity 0 or
// 255 (or some translucent ones), sources a little beyond the table too.
uint32_t gTableSeed = 1;
bool gTranslucent = false;
void RandomTable(TztMoveCell* t, int W, int H, int) {
  uint32_t x = gTableSeed;
  auto next = [&](uint32_t n) {
    x = x * 1664525u + 1013904223u;
    return uint32_t((uint64_t(x) * n) >> 32);
  };
  for (int i = 0; i < W * H; ++i) {
    const uint32_t pick = next(8);
    t[i].Opacity = pick < 2 ? 0 : (gTranslucent && pick == 2) ? 128 : 255;
    t[i].SrcX = int16_t(int(next(uint32_t(W + 4))) - 2);
    t[i].SrcY = int16_t(int(next(uint32_t(H + 4))) - 2);
  }
}

// Per-pixel resolution of the displacement blocks gives the bytes of drawing
// every block in order, for any resolution, tile count and odd size.
TEST(ZtCompose, DisplacementFastPathMatchesBlockByBlockDrawing) {
  if (!FindEffectProc("Random table")) RegisterEffectProc("Random table", 1, TztMoveProc(RandomTable));
  const TztProcItem& item = *FindEffectProc("Random table");
  const struct { int W, H, R, T; } cases[] = {{1, 1, 1, 1}, {9, 1, 1, 1}, {1, 9, 2, 1}, {17, 11, 1, 1},
                                              {17, 11, 2, 2}, {23, 13, 3, 2}, {31, 7, 1, 3}, {40, 30, 4, 3}};
  for (bool translucent : {false, true})
    for (const auto& c : cases)
      for (uint32_t seed = 1; seed <= 6; ++seed) {
        gTableSeed = seed;
        gTranslucent = translucent;
        TztFrameComposer comp(item, TztEffectSettings{c.R, c.T, krNone}, c.W, c.H);
        TztBitmap frame;
        const TztBitmap before = Coded(c.W, c.H, 0x01);
        TztBitmap after = Coded(c.W, c.H, 0x02);
        after.SetPixel(c.W / 2, c.H / 2, 0x00123456u);  // alpha 0: never used as a source
        comp.Compose(frame, before, after, 50);
        // The reference draws the table as the procedure wrote it.
        std::vector<TztMoveCell> table(comp.Table().size(), TztMoveCell{0, 0, 0});
        RandomTable(table.data(), comp.Cols(), comp.Rows(), 50);
        TztBitmap want = before;
        ref::ApplyTable(want, after, table, comp.Cols(), comp.Rows(), c.R, c.T);
        for (size_t i = 0; i < frame.PixelCount(); ++i)
          ASSERT_EQ(frame.Pixels()[i], want.Pixels()[i])
              << c.W << "x" << c.H << " R" << c.R << " T" << c.T << " seed " << seed << " pixel " << i;
      }
}

// A displacement procedure filling rows with runs of cells whose sources
// follow each other (each row shifted by its own amount, sources reaching past
// the table on either side), broken by empty cells, cells from another row and
// stray sources, and a stretch of empty cells.
void RunTable(TztMoveCell* t, int W, int H, int) {
  uint32_t x = gTableSeed;
  auto next = [&](uint32_t n) {
    x = x * 1664525u + 1013904223u;
    return uint32_t((uint64_t(x) * n) >> 32);
  };
  for (int v = 0; v < H; ++v) {
    const int shift = int(next(uint32_t(2 * W + 3))) - W - 1;
    const int srcRow = int(next(uint32_t(H + 2))) - 1;
    const int gapFrom = int(next(uint32_t(W + 1))), gapTo = gapFrom + int(next(uint32_t(W + 1)));
    for (int u = 0; u < W; ++u) {
      TztMoveCell& c = t[size_t(u) + size_t(v) * size_t(W)];
      const uint32_t pick = next(16);
      c.Opacity = pick == 0 || (u >= gapFrom && u < gapTo) ? 0 : 255;
      c.SrcX = int16_t(u + shift);
      c.SrcY = int16_t(pick == 1 ? srcRow + 1 : srcRow);
      if (pick == 2) c.SrcX = int16_t(int(next(uint32_t(W + 4))) - 2);
    }
  }
}

// Runs of consecutive sources are read as whole stretches of after-image rows;
// the bytes still match drawing every block in order, also where the after
// image has transparent pixels that let an earlier block show through.
TEST(ZtCompose, DisplacementRunsMatchBlockByBlockDrawing) {
  if (!FindEffectProc("Run table")) RegisterEffectProc("Run table", 1, TztMoveProc(RunTable));
  const TztProcItem& item = *FindEffectProc("Run table");
  const struct { int W, H, R, T; } cases[] = {{1, 1, 1, 1}, {9, 1, 1, 1}, {1, 9, 2, 1}, {17, 11, 1, 1},
                                              {17, 11, 2, 2}, {23, 13, 3, 2}, {31, 7, 1, 3}, {40, 30, 4, 3},
                                              {64, 9, 1, 1}, {50, 21, 5, 2}};
  for (const auto& c : cases)
    for (uint32_t seed = 1; seed <= 12; ++seed) {
      gTableSeed = seed;
      TztFrameComposer comp(item, TztEffectSettings{c.R, c.T, krNone}, c.W, c.H);
      TztBitmap frame;
      const TztBitmap before = Coded(c.W, c.H, 0x01);
      TztBitmap after = Coded(c.W, c.H, 0x02);
      for (int k = 0; k < (c.W * c.H) / 7 + 1; ++k)  // alpha 0: never used as a source
        after.SetPixel(int((k * 37u + seed) % uint32_t(c.W)), int((k * 11u + seed * 3) % uint32_t(c.H)), 0x00123456u);
      comp.Compose(frame, before, after, 50);
      std::vector<TztMoveCell> table(comp.Table().size(), TztMoveCell{0, 0, 0});
      RunTable(table.data(), comp.Cols(), comp.Rows(), 50);
      TztBitmap want = before;
      ref::ApplyTable(want, after, table, comp.Cols(), comp.Rows(), c.R, c.T);
      for (size_t i = 0; i < frame.PixelCount(); ++i)
        ASSERT_EQ(frame.Pixels()[i], want.Pixels()[i])
            << c.W << "x" << c.H << " R" << c.R << " T" << c.T << " seed " << seed << " pixel " << i;
    }
}

// The built-in displacement procedures through every rotation, resolution and
// tile count give the bytes of drawing their tables block by block.
TEST(ZtCompose, InterlaceAndCornerMatchBlockByBlockDrawing) {
  const struct { int W, H, R, T; } cases[] = {{97, 61, 1, 1}, {97, 61, 2, 1}, {64, 40, 3, 2}, {50, 33, 1, 3}};
  for (const char* name : {"Interlace", "Corner"})
    for (const auto& c : cases)
      for (TztRotation r : {krNone, krRotate90, krRotate180, krRotate270})
        for (int p : {1, 25, 50, 73, 99, 100}) {
          TztFrameComposer comp(*FindEffectProc(name), TztEffectSettings{c.R, c.T, r}, c.W, c.H);
          TztBitmap frame;
          const TztBitmap before = Coded(c.W, c.H, 0x01);
          TztBitmap after = Coded(c.W, c.H, 0x02);
          after.SetPixel(c.W / 3, c.H / 2, 0x00123456u);
          comp.Compose(frame, before, after, p);
          TztBitmap want = before;
          ref::ApplyTable(want, after, comp.Table(), comp.Cols(), comp.Rows(), c.R, c.T);
          for (size_t i = 0; i < frame.PixelCount(); ++i)
            ASSERT_EQ(frame.Pixels()[i], want.Pixels()[i])
                << name << " " << c.W << "x" << c.H << " R" << c.R << " T" << c.T << " rot " << r << " p " << p
                << " pixel " << i;
        }
}

TEST(ZtCompose, TablesTurnWithTheRotation) {
  // Corner at 100 with any rotation maps every cell onto itself: the frame is
  // the after image.
  for (TztRotation r : {krRotate90, krRotate180, krRotate270}) {
    TztFrameComposer comp(*FindEffectProc("Corner"), TztEffectSettings{1, 1, r}, 6, 3);
    TztBitmap frame, before = Solid(6, 3, 0xFF0000FFu), after = Coded(6, 3, 0x10);
    comp.Compose(frame, before, after, 100);
    for (size_t i = 0; i < frame.PixelCount(); ++i) ASSERT_EQ(frame.Pixels()[i], after.Pixels()[i]) << r;
  }
  // Corner at 50, turned half way round: the after image enters from the
  // bottom-right corner. 5x4: cols 6, rows 5, a = 3, b = 2.
  TztFrameComposer comp(*FindEffectProc("Corner"), TztEffectSettings{1, 1, krRotate180}, 5, 4);
  TztBitmap frame, before = Solid(5, 4, 0xFF0000FFu), after = Coded(5, 4, 0x10);
  comp.Compose(frame, before, after, 50);
  EXPECT_EQ(frame.Pixel(4, 3), after.Pixel(2, 1));
  EXPECT_EQ(frame.Pixel(0, 0), 0xFF0000FFu);
}

TEST(ZtCompose, SlideAndPushPerRotation) {
  // 4x2 at 50: a = 2, b = 1. Expected pixel sources: 'a' after, 'b' before.
  struct Case {
    const char* effect;
    TztRotation r;
    std::function<uint32_t(const TztBitmap&, const TztBitmap&, int, int)> want;
  };
  const Case cases[] = {
      {"Slide", krNone, [](auto& b, auto& a, int x, int y) { return x < 2 ? a.Pixel(x + 2, y) : b.Pixel(x, y); }},
      {"Slide", krRotate90, [](auto& b, auto& a, int x, int y) { return y == 1 ? a.Pixel(x, 0) : b.Pixel(x, y); }},
      {"Slide", krRotate180, [](auto& b, auto& a, int x, int y) { return x >= 2 ? a.Pixel(x - 2, y) : b.Pixel(x, y); }},
      {"Slide", krRotate270, [](auto& b, auto& a, int x, int y) { return y == 0 ? a.Pixel(x, 1) : b.Pixel(x, y); }},
      {"Push", krNone, [](auto& b, auto& a, int x, int y) { return x < 2 ? a.Pixel(x + 2, y) : b.Pixel(x - 2, y); }},
      {"Push", krRotate90, [](auto& b, auto& a, int x, int y) { return y == 1 ? a.Pixel(x, 0) : b.Pixel(x, 1); }},
      {"Push", krRotate180, [](auto& b, auto& a, int x, int y) { return x >= 2 ? a.Pixel(x - 2, y) : b.Pixel(x + 2, y); }},
      {"Push", krRotate270, [](auto& b, auto& a, int x, int y) { return y == 0 ? a.Pixel(x, 1) : b.Pixel(x, 0); }},
  };
  for (const Case& c : cases) {
    TztFrameComposer comp(*FindEffectProc(c.effect), TztEffectSettings{1, 1, c.r}, 4, 2);
    TztBitmap frame;
    const TztBitmap before = Coded(4, 2, 0x01);
    TztBitmap after = Coded(4, 2, 0x02);
    comp.Compose(frame, before, after, 50);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x)
        EXPECT_EQ(frame.Pixel(x, y), c.want(before, after, x, y)) << c.effect << " " << c.r << " " << x << "," << y;
  }
}

TEST(ZtCompose, BlurShowsTheAfterImageBlurredLessAndLess) {
  const TztBitmap before = Coded(13, 7, 0x01);
  const TztBitmap original = Coded(13, 7, 0x80);
  TztFrameComposer comp(*FindEffectProc("Blur"), TztEffectSettings{}, 13, 7);
  TztBitmap frame, after = original;
  comp.Compose(frame, before, after, 0);
  for (size_t i = 0; i < frame.PixelCount(); ++i) ASSERT_EQ(frame.Pixels()[i], before.Pixels()[i]);
  comp.Compose(frame, before, after, 95);
  for (size_t i = 0; i < frame.PixelCount(); ++i) ASSERT_EQ(frame.Pixels()[i], original.Pixels()[i]);
  comp.Compose(frame, before, after, 1);  // radius 9
  TztBitmap want = original;
  ref::Blur(want, 9);
  for (size_t i = 0; i < frame.PixelCount(); ++i) ASSERT_EQ(frame.Pixels()[i], want.Pixels()[i]) << i;
  // The blur reads the after image and leaves it as it was.
  for (size_t i = 0; i < after.PixelCount(); ++i) ASSERT_EQ(after.Pixels()[i], original.Pixels()[i]) << i;
}

TEST(ZtCompose, StackBlurMatchesTheDirectSums) {
  // Random pixels, and bytes of only 0 and 255 (sums at both ends of the range
  // of every divisor), at odd and even widths, for every radius up to the cap.
  const struct { int W, H; } sizes[] = {{1, 1}, {1, 7}, {7, 1}, {2, 5}, {13, 9}, {40, 3}};
  for (bool extremes : {false, true})
    for (const auto& s : sizes)
      for (int r = 1; r <= 14; ++r) {
        TztBitmap fast(s.W, s.H);
        uint32_t seed = 12345;
        for (size_t i = 0; i < fast.PixelCount(); ++i) {
          seed = seed * 1103515245u + 12345u;
          fast.Pixels()[i] = extremes ? ((seed >> 9) & 0x01010101u) * 0xFF : seed;
        }
        TztBitmap want = fast;
        zt_procs::StackBlur(fast, r);
        ref::Blur(want, r);
        for (size_t i = 0; i < fast.PixelCount(); ++i)
          ASSERT_EQ(fast.Pixels()[i], want.Pixels()[i])
              << s.W << "x" << s.H << " r=" << r << (extremes ? " (0 and 255)" : "") << " pixel " << i;
      }
}

TEST(ZtCompose, BitmapAnimationThresholds) {
  // Threshold 3x1 with blue 0, 100, 255, stretched to cols x rows = 4 x 2.
  TztBitmap threshold(3, 1);
  threshold.SetPixel(0, 0, 0xFF000000u);
  threshold.SetPixel(1, 0, 0xFF000064u);
  threshold.SetPixel(2, 0, 0xFF0000FFu);
  TztFrameComposer comp(threshold, TztEffectSettings{}, 3, 1);
  TztBitmap frame, before = Solid(3, 1, 0xFF000000u), after = Solid(3, 1, 0xFFFFFFFFu);
  comp.Compose(frame, before, after, 50);  // MulDiv(510, 50, 100) - 255 = 0: the map itself
  // NearestMap of 4 onto 3: 0, 1 (0.67), 1 (1.33), 2.
  EXPECT_EQ(comp.Mask(), (std::vector<uint8_t>{0, 100, 100, 255, 0, 100, 100, 255}));
  comp.Compose(frame, before, after, 0);
  EXPECT_EQ(comp.Mask(), std::vector<uint8_t>(8, 0));
  comp.Compose(frame, before, after, 100);
  EXPECT_EQ(comp.Mask(), std::vector<uint8_t>(8, 255));
  // A quarter turn reads the map stretched to rows x cols through the same mapping.
  TztFrameComposer turned(threshold, TztEffectSettings{1, 1, krRotate90}, 3, 1);
  turned.Compose(frame, before, after, 50);
  // Map 2 x 4 (rows x cols): columns 0 and 1 of threshold (0, 255 stretched to 2).
  // mask(x, rows-1-y) = second(y, x): row 1 = second column 0, row 0 = second column 1.
  EXPECT_EQ(turned.Mask(), (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 0}));
}

// Every effect and the bitmap animation, at sizes down to 1x1, with several
// resolutions, tile counts and rotations, stays inside the images (the test
// build runs under AddressSanitizer).
TEST(ZtCompose, EveryEffectAtDegenerateSizes) {
  const struct { int W, H; } sizes[] = {{1, 1}, {1, 9}, {9, 1}, {7, 5}, {33, 17}};
  const TztEffectSettings settings[] = {{1, 1, krNone}, {3, 2, krRotate90}, {2, 3, krRotate180}, {10, 20, krRotate270}};
  TztBitmap threshold = Coded(5, 3, 0x40);
  for (const auto& s : sizes)
    for (const TztEffectSettings& set : settings) {
      const TztBitmap before = Coded(s.W, s.H, 0x01);
      for (const TztProcItem* item : EffectProcs()) {
        TztFrameComposer comp(*item, set, s.W, s.H);
        TztBitmap frame;
        for (int p : {0, 1, 50, 99, 100}) {
          TztBitmap after = Coded(s.W, s.H, 0x02);
          comp.Compose(frame, before, after, p);
          ASSERT_EQ(frame.Width(), s.W) << item->DisplayName;
        }
      }
      TztFrameComposer comp(threshold, set, s.W, s.H);
      TztBitmap frame, after = Coded(s.W, s.H, 0x02);
      for (int p : {0, 50, 100}) comp.Compose(frame, before, after, p);
    }
}

}  // namespace
}  // namespace vx
