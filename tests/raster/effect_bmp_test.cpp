#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "raster/effect_bmp.h"

namespace vx {
namespace {

// Image A: every pixel 0x00101010 * (column + 1); image B: every pixel's blue
// byte 200 + column, green 0, red 0xAA.
TvxEffectBmp MakeA(int w, int h) {
  TvxEffectBmp a(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) a.SetPixel(x, y, 0x101010u * uint32_t(x + 1));
  return a;
}
TvxEffectBmp MakeB(int w, int h) {
  TvxEffectBmp b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, 0xAA0000u | uint32_t(200 + x));
  return b;
}

// Describes row 0 column by column: "A3" is A's column 3, "B0" is B's column 0,
// anything else is the blue byte of a mixed pixel.
std::string Row0(const TvxEffectBmp& e, const TvxEffectBmp& a, const TvxEffectBmp& b) {
  std::string s;
  for (int x = 0; x < e.Width(); ++x) {
    const uint32_t p = e.Pixel(x, 0);
    std::string tag;
    for (int j = 0; j < e.Width() && tag.empty(); ++j) {
      if (p == a.Pixel(j, 0)) tag = "A" + std::to_string(j);
      else if (p == b.Pixel(j, 0)) tag = "B" + std::to_string(j);
    }
    if (tag.empty()) tag = "m" + std::to_string(p & 0xFF);
    s += (x ? " " : "") + tag;
  }
  return s;
}

TEST(TvxEffectBmpMorph, ColumnRules) {
  struct Case {
    TvxMorphKind kind;
    int w;
    double k;
    const char* want;
  } cases[] = {
      {vxmkDefault, 3, 1.5, "B0 B1 B2"},
      {vxmkDefault, 3, -1, "A0 A1 A2"},
      {vxmkLeftSlide, 4, 0, "B3 A1 A2 A3"},
      {vxmkLeftSlide, 4, 0.5, "B2 B3 A2 A3"},
      {vxmkRightSlide, 4, 0.5, "A0 A1 B0 B1"},
      {vxmkRightSlide, 4, 1, "A0 B0 B1 B2"},
      {vxmkPush, 5, 0.2, "B3 B4 A0 A1 A2"},
      {vxmkPush, 5, 0, "B4 A0 A1 A2 A3"},
      {vxmkPush, 5, 1, "B0 B1 B2 B3 B4"},
      // n = 2: weights 0, 1/2, 1. Column 1: 0.5 * 0x20 + 0.5 * 201 = 116.5 -> 116.
      {vxmkLeftGradient, 4, 0.5, "B0 m116 A2 A3"},
      // A width of 1 reads nothing beyond the single column.
      {vxmkLeftGradient, 1, 0.7, "B0"},
      // m = 4 - 2 = 2, step 1/2: column 3 weight 0, column 2 weight 1/2.
      {vxmkRightGradient, 4, 0.5, "A0 A1 m125 B3"},
      // W = 6, n = 2: ramp 2, step 1/2, band 2..4.
      {vxmkGradient, 6, 1.0 / 3, "A0 m116 B2 B3 B4 m150"},
  };
  for (const Case& c : cases) {
    const TvxEffectBmp a = MakeA(c.w, 2), b = MakeB(c.w, 2);
    TvxEffectBmp e = MakeA(c.w, 2);
    e.MorphByKind(c.kind, b, c.k);
    EXPECT_EQ(Row0(e, a, b), c.want) << "kind " << c.kind << " k " << c.k;
    // Every row gets the same treatment.
    for (int x = 0; x < c.w; ++x) EXPECT_EQ(e.Pixel(x, 1), e.Pixel(x, 0));
  }
}

TEST(TvxEffectBmpMorph, VerticalGradientRows) {
  // W < H chooses the vertical gradient. H = 7, k = 0: n = 0, ramp 3, step 1/3,
  // top = bottom = 3.
  TvxEffectBmp a(1, 7), b(1, 7);
  for (int y = 0; y < 7; ++y) {
    a.SetPixel(0, y, 0);
    b.SetPixel(0, y, 0x000000FF);
  }
  a.MorphGradient(b, 0);
  const int want[7] = {0, 85, 170, 255, 170, 85, 0};
  for (int y = 0; y < 7; ++y) EXPECT_EQ(int(a.Pixel(0, y)), want[y]) << y;

  // ramp 0 (H = 4, n = 3, band rows 1..3) gives a step of 0: row 0 becomes B too.
  TvxEffectBmp c(1, 4), d(1, 4);
  for (int y = 0; y < 4; ++y) d.SetPixel(0, y, 0x00FF00);
  c.MorphVGradient(d, 0.75);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(c.Pixel(0, y), 0x00FF00u);
}

TEST(TvxEffectBmpMorph, SizeMismatchDoesNothing) {
  TvxEffectBmp a = MakeA(3, 2), b = MakeB(4, 2);
  for (int kind = 0; kind <= 6; ++kind) {
    TvxEffectBmp e = MakeA(3, 2);
    e.MorphByKind(TvxMorphKind(kind), b, 0.5);
    EXPECT_EQ(Row0(e, a, a), "A0 A1 A2");
  }
}

TEST(TvxEffectBmpEffects, ChannelRules) {
  struct Case {
    TvxImageEffect effect;
    uint32_t in, out;
  } cases[] = {
      {vxieGrayScale, 0xFF0000, 0x4C4C4C},   // red 255 -> 76
      {vxieInvert, 0x102030, 0xEFDFCF},
      {vxieBrightness, 0x000064, 0x8080B2},  // 0.5 * 100 + 127.5 = 177.5 -> 178; 127.5 -> 128
      {vxieDarkness, 0x6464FF, 0x4646B2},    // 0.7 * 100 = 70, 0.7 * 255 = 178.5 -> 178
  };
  for (const Case& c : cases) {
    TvxEffectBmp e(1, 1);
    e.SetPixel(0, 0, c.in);
    e.ApplyEffect(c.effect);
    EXPECT_EQ(e.Pixel(0, 0), c.out) << "effect " << c.effect;
  }
}

TEST(TvxEffectBmpEffects, NoiseStaysInRange) {
  TvxEffectBmp e(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) e.SetPixel(x, y, 0x808080);
  std::mt19937 rng(1);
  e.AddNoise(10, rng);
  bool varied = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const uint32_t p = e.Pixel(x, y);
      const int v = int(p & 0xFF);
      EXPECT_GE(v, 128 - 5);
      EXPECT_LE(v, 128 + 4);
      EXPECT_EQ(p, 0x010101u * uint32_t(v));  // one offset per pixel
      varied |= v != 128;
    }
  EXPECT_TRUE(varied);
}

TEST(TvxEffectBmpEffects, SplitBlurReadsBlurredNeighboursAndStaysInside) {
  // 3 x 3, amount 1, blue channel only.
  const int in[3][3] = {{0, 40, 80}, {120, 160, 200}, {240, 0, 40}};
  TvxEffectBmp e(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) e.SetPixel(x, y, uint32_t(in[y][x]));
  e.SplitBlur(1);
  // Reference: in place, top to bottom, left to right, out-of-range neighbours
  // fall back to the pixel's own row or column.
  int ref[3][3];
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) ref[y][x] = in[y][x];
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int u = i - 1 < 0 ? i : i - 1, d = i + 1 > 2 ? i : i + 1;
      const int l = j - 1 < 0 ? j : j - 1, r = j + 1 > 2 ? j : j + 1;
      ref[i][j] = (ref[u][l] + ref[d][l] + ref[u][r] + ref[d][r]) >> 2;
    }
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(int(e.Pixel(x, y)), ref[y][x]) << x << "," << y;
  // Pixel (0, 0): (0 + 120 + 40 + 160) >> 2 = 80.
  EXPECT_EQ(ref[0][0], 80);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST(TvxEffectBmpDraw, CopiesTheBufferToAContext) {
  TvxEffectBmp e(3, 2);
  e.SetPixel(0, 0, 0x123456);
  e.SetPixel(2, 1, 0xABCDEF);
  EXPECT_EQ(e.Stride(), 12);
  auto surf = TSurface::Create(5, 4, TPixelFormat::pf32bit);
  TDCPtr dc = CreateMemoryDC(surf);
  e.Draw(dc.get(), 1, 1);
  EXPECT_EQ(surf->GetPixel(1, 1), 0xFF123456u);
  EXPECT_EQ(surf->GetPixel(3, 2), 0xFFABCDEFu);
  EXPECT_EQ(surf->GetPixel(0, 0), 0u);
  // And back: a buffer made from the surface holds the same colours.
  TvxEffectBmp back(*surf);
  EXPECT_EQ(back.Pixel(1, 1), 0x123456u);
  EXPECT_EQ(back.Pixel(3, 2), 0xABCDEFu);
}

}  // namespace
}  // namespace vx
