// The mask primitives: rounding helpers, digital lines, circles, the smooth
// ramp and the inversions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "effects/zt_effect_mask.h"
#include "tests/effects/reference.h"

namespace vx::zt {
namespace {

std::vector<std::string> Picture(const std::vector<uint8_t>& m, int W, int H) {
  std::vector<std::string> rows;
  for (int y = 0; y < H; ++y) {
    std::string s;
    for (int x = 0; x < W; ++x) {
      const uint8_t v = m[size_t(x) + size_t(y) * size_t(W)];
      s += v == 255 ? '#' : v == 0 ? '.' : '+';
    }
    rows.push_back(s);
  }
  return rows;
}

TEST(ZtRounding, MulDivAndNearest) {
  struct { int a, b, c, want; } muldiv[] = {
      {50, 9, 100, 5},    // 4.5 goes away from zero
      {-50, 9, 100, -5},  // and so does -4.5
      {1, 255, 100, 3},   // the fade value of p = 1
      {50, 255, 100, 128},
      {7, 3, 0, -1},      // division by zero
      {2000000000, 4, 1, -1},  // does not fit
  };
  for (const auto& t : muldiv) EXPECT_EQ(MulDiv(t.a, t.b, t.c), t.want) << t.a << "*" << t.b << "/" << t.c;
  EXPECT_EQ(Nearest(127.5), 128);
  EXPECT_EQ(Nearest(126.5), 126);
  EXPECT_EQ(Nearest(2.55), 3);
  EXPECT_EQ(Nearest(-2.5), -2);
}

TEST(ZtMaskLine, CellsOfShallowAndSteepLines) {
  std::vector<uint8_t> m(5 * 3, 0);
  TztMaskView{m.data(), 5, 3}.Line(0, 0, 4, 2, 255);
  EXPECT_EQ(Picture(m, 5, 3), (std::vector<std::string>{"##...", "..##.", "....#"}));
  std::vector<uint8_t> s(3 * 5, 0);
  TztMaskView{s.data(), 3, 5}.Line(2, 4, 0, 0, 255);  // drawn backwards
  EXPECT_EQ(Picture(s, 3, 5), (std::vector<std::string>{"#..", ".#.", ".#.", "..#", "..#"}));
}

TEST(ZtMaskLine, ClippedLinesWriteTheSameCellsAsTheStepByStepWalk) {
  std::mt19937 rng(7);
  const struct { int W, H, lo, hi; } cases[] = {
      {1, 1, -3, 4}, {1, 7, -5, 12}, {7, 1, -5, 12}, {5, 3, -8, 12}, {13, 9, -20, 30}, {40, 25, -200, 240},
  };
  for (const auto& c : cases) {
    std::uniform_int_distribution<int> d(c.lo, c.hi);
    for (int i = 0; i < 400; ++i) {
      const int x1 = d(rng), y1 = d(rng), x2 = d(rng), y2 = d(rng);
      std::vector<uint8_t> fast(size_t(c.W) * size_t(c.H), 0);
      TztMaskView{fast.data(), c.W, c.H}.Line(x1, y1, x2, y2, 200);
      ref::Mask want(c.W, c.H);
      want.Line(x1, y1, x2, y2, 200);
      ASSERT_EQ(fast, want.m) << c.W << "x" << c.H << " (" << x1 << "," << y1 << ")-(" << x2 << "," << y2 << ")";
    }
  }
  // Far endpoints: clipping must not walk or overflow.
  std::vector<uint8_t> m(9 * 9, 0);
  const TztMaskView v{m.data(), 9, 9};
  v.Line(-2000000000, 4, 2000000000, 4, 255);
  v.Line(4, 2000000000, 4, -2000000000, 255);
  v.Line(-2000000000, -2000000000, 2000000000, 2000000000, 255);
  EXPECT_EQ(m[4 + 4 * 9], 255);
  EXPECT_EQ(m[0 + 4 * 9], 255);
  EXPECT_EQ(m[4 + 0 * 9], 255);
  EXPECT_EQ(m[8 + 8 * 9], 255);
}

TEST(ZtMaskCircle, RadiusZeroAndOneByHand) {
  std::vector<uint8_t> m(25, 0);
  const TztMaskView v{m.data(), 5, 5};
  v.Circle(0, 2, 2, 255);
  EXPECT_EQ(Picture(m, 5, 5), (std::vector<std::string>{".....", ".....", ".###.", ".....", "....."}));
  std::fill(m.begin(), m.end(), 0);
  v.Circle(1, 2, 2, 255);
  EXPECT_EQ(Picture(m, 5, 5), (std::vector<std::string>{".....", ".###.", "##.##", ".###.", "....."}));
}

TEST(ZtMaskCircle, SameCellsAsTheReferenceForCentresInsideOutsideAndOnCorners) {
  const struct { int W, H; } sizes[] = {{1, 1}, {1, 9}, {9, 1}, {6, 6}, {31, 17}, {64, 40}};
  for (const auto& s : sizes) {
    const int centres[][2] = {{s.W / 2, s.H / 2}, {0, s.H - 1}, {-3, 2}, {s.W + 4, s.H + 1}, {s.W - 1, 0}};
    for (const auto& c : centres)
      for (int r = 0; r <= s.W + s.H + 6; ++r) {
        std::vector<uint8_t> fast(size_t(s.W) * size_t(s.H), 0);
        TztMaskView{fast.data(), s.W, s.H}.Circle(r, c[0], c[1], 77);
        ref::Mask want(s.W, s.H);
        want.Circle(r, c[0], c[1], 77);
        ASSERT_EQ(fast, want.m) << s.W << "x" << s.H << " r=" << r << " at " << c[0] << "," << c[1];
      }
  }
}

// Radii beyond the listed octant points are drawn point by point: a huge
// circle whose edge crosses a small mask.
TEST(ZtMaskCircle, HugeRadiusCrossingTheMask) {
  const int r = (1 << 16) + 77;
  const int centres[][2] = {{-r + 4, 2}, {4, -r + 3}};
  for (const auto& c : centres) {
    std::vector<uint8_t> fast(size_t(9) * 7, 0);
    TztMaskView{fast.data(), 9, 7}.Circle(r, c[0], c[1], 99);
    ref::Mask want(9, 7);
    want.Circle(r, c[0], c[1], 99);
    EXPECT_EQ(fast, want.m) << c[0] << "," << c[1];
    EXPECT_NE(std::count(fast.begin(), fast.end(), 99), 0) << c[0] << "," << c[1];
  }
}

// Circles far from every cell are skipped on the strength of this property of
// the midpoint rule: each octant point lies farther than r - 1 from the centre.
TEST(ZtMaskCircle, OctantPointsLieBeyondRadiusMinusOne) {
  for (int64_t r = 1; r <= 3000; ++r) {
    int64_t x = 0, y = r, d = 3 - 2 * r;
    auto check = [&] { ASSERT_GT(x * x + y * y, (r - 1) * (r - 1)) << "r=" << r << " x=" << x << " y=" << y; };
    while (x < y) {
      check();
      if (d < 0) d += 4 * x + 6;
      else { d += 4 * (x - y) + 10; --y; }
      ++x;
    }
    if (x == y) check();
  }
}

TEST(ZtSmoothRamp, BandValues) {
  const TztSmoothRamp half(50, 4);  // s = 25
  const int want[] = {255, 191, 128, 64, 0};
  for (int k = 0; k <= 4; ++k) EXPECT_EQ(half(k), want[k]) << k;
  EXPECT_EQ(TztSmoothRamp(80, 0)(0), 255);  // 408 is capped
  EXPECT_EQ(TztSmoothRamp(100, 10)(10), 255);  // p = 100 is all 255
  EXPECT_EQ(TztSmoothRamp(1, 3)(1), 3);  // Nearest(2 - 2/3) = 1 -> MulDiv(1, 255, 100)
}

TEST(ZtInversion, ThreeModes) {
  std::vector<uint8_t> a = {0, 1, 255, 0};
  InvertTo(a.data(), a.size(), 255);
  EXPECT_EQ(a, (std::vector<uint8_t>{255, 0, 0, 255}));
  std::vector<uint8_t> b = {0, 1, 255, 0};
  InvertTo(b.data(), b.size(), 64);
  EXPECT_EQ(b, (std::vector<uint8_t>{64, 0, 0, 64}));
  std::vector<uint8_t> c = {0, 1, 255, 100};
  Complement(c.data(), c.size());
  EXPECT_EQ(c, (std::vector<uint8_t>{255, 254, 0, 155}));
}

TEST(ZtRandom, GeneratorSequence) {
  TztRandom r(0);
  EXPECT_EQ(r.Next(100), 0u);  // x = 1
  EXPECT_EQ(r.State(), 1u);
  EXPECT_EQ(r.Next(0x100000u), (134775813u + 1u) >> 12);  // x = 134775814
}

}  // namespace
}  // namespace vx::zt
