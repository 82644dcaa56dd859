// The mask and displacement procedures: small masks worked out by hand for each
// family, the inversion modes, the seeded procedures, and every procedure at
// degenerate sizes with guard bytes around its buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "effects/zt_effect.h"
#include "effects/zt_effect_mask.h"
#include "effects/zt_effect_procs.h"
#include "tests/effects/reference.h"

namespace vx::zt_procs {
namespace {

std::vector<uint8_t> MaskOf(TztMaskProc f, int W, int H, int p) {
  std::vector<uint8_t> m(size_t(W) * size_t(H), 0);
  f(m.data(), W, H, p);
  return m;
}

// '#' 255, '.' 0, '+' anything else.
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

std::vector<uint8_t> Filled(int W, int H, uint8_t v) { return std::vector<uint8_t>(size_t(W) * size_t(H), v); }

TEST(ZtFade, UniformValue) {
  const struct { int p; uint8_t want; } cases[] = {{0, 0}, {1, 3}, {50, 128}, {100, 255}};
  for (const auto& c : cases) EXPECT_EQ(MaskOf(Fade, 3, 2, c.p), Filled(3, 2, c.want)) << c.p;
}

TEST(ZtRowSweeps, RowsByHand) {
  // SlideDown 10x10 at 50: MulDiv(50, 9, 100) = 5, so rows 0..5.
  std::vector<uint8_t> down = Filled(10, 10, 0);
  std::fill(down.begin(), down.begin() + 60, 255);
  EXPECT_EQ(MaskOf(SlideDown, 10, 10, 50), down);
  std::vector<uint8_t> fadeDown = Filled(10, 10, 0);
  std::fill(fadeDown.begin(), fadeDown.begin() + 60, 128);
  EXPECT_EQ(MaskOf(FadeDown, 10, 10, 50), fadeDown);
  // SlideIn 1x10 at 50: i = MulDiv(50, 5, 100) = 3: rows 6..9 and 0..3.
  EXPECT_EQ(Picture(MaskOf(SlideIn, 1, 10, 50), 1, 10),
            (std::vector<std::string>{"#", "#", "#", "#", ".", ".", "#", "#", "#", "#"}));
  // SlideOut 1x10 at 50: n = 3 around cy = 5: rows 2..8.
  EXPECT_EQ(Picture(MaskOf(SlideOut, 1, 10, 50), 1, 10),
            (std::vector<std::string>{".", ".", "#", "#", "#", "#", "#", "#", "#", "."}));
  // SmoothDown 2x4 at 50: n = MulDiv(6, 50, 100) = 3, bands 255, 171, 84, 0.
  EXPECT_EQ(MaskOf(SmoothDown, 2, 4, 50), (std::vector<uint8_t>{255, 255, 171, 171, 84, 84, 0, 0}));
}

TEST(ZtLineSweeps, DiagonalAndRotateByHand) {
  // SlideDiagonal 5x5 at 50: a = b = 2, the anti-diagonals x + y <= 4.
  EXPECT_EQ(Picture(MaskOf(SlideDiagonal, 5, 5, 50), 5, 5),
            (std::vector<std::string>{"#####", "####.", "###..", "##...", "#...."}));
  // RotateSlide 4x3 at 50: N = 4 lines fanning from the bottom-left corner.
  EXPECT_EQ(Picture(MaskOf(RotateSlide, 4, 3, 50), 4, 3), (std::vector<std::string>{"...#", ".###", "####"}));
}

TEST(ZtShapes, OutlinesByHand) {
  // SlideCrossOut 8x8 at 25: a = b = 4, bars three cells wide through (4, 4).
  const std::vector<std::string> plus = {"...###..", "...###..", "...###..", "########",
                                         "########", "########", "...###..", "...###.."};
  EXPECT_EQ(Picture(MaskOf(SlideCrossOut, 8, 8, 25), 8, 8), plus);
  // SlideRectOut 7x7 at 50: squares of radius 0..2 around (3, 3).
  EXPECT_EQ(Picture(MaskOf(SlideRectOut, 7, 7, 50), 7, 7),
            (std::vector<std::string>{".......", ".#####.", ".#####.", ".#####.", ".#####.", ".#####.", "......."}));
  // DiamondSlideOut 7x7 at 50: diamonds of radius 0..4, |x - 3| + |y - 3| <= 4.
  EXPECT_EQ(Picture(MaskOf(DiamondSlideOut, 7, 7, 50), 7, 7),
            (std::vector<std::string>{"..###..", ".#####.", "#######", "#######", "#######", ".#####.", "..###.."}));
  // CircleSlideOut draws its radius-0 circle even at p = 0; CircleFadeOut does not.
  EXPECT_EQ(Picture(MaskOf(CircleSlideOut, 5, 5, 0), 5, 5),
            (std::vector<std::string>{".....", ".....", ".###.", ".....", "....."}));
  EXPECT_EQ(MaskOf(CircleFadeOut, 5, 5, 0), Filled(5, 5, 0));
  // CircleSlide 4x4 at 0: radius 0 around the bottom-left corner (0, 3).
  EXPECT_EQ(Picture(MaskOf(CircleSlide, 4, 4, 0), 4, 4), (std::vector<std::string>{"....", "....", "....", "##.."}));
}

TEST(ZtShapes, InversionModes) {
  // At 75 the In procedures turn around the Out mask of 25 (the plus above).
  std::vector<std::string> outside;
  for (const std::string& row : Picture(MaskOf(SlideCrossOut, 8, 8, 25), 8, 8)) {
    std::string s;
    for (char ch : row) s += ch == '#' ? '.' : '#';
    outside.push_back(s);
  }
  EXPECT_EQ(Picture(MaskOf(SlideCrossIn, 8, 8, 75), 8, 8), outside);
  const std::vector<uint8_t> fadeIn = MaskOf(FadeCrossIn, 8, 8, 75);
  EXPECT_EQ(fadeIn[0], 191);  // the fade value of 75
  EXPECT_EQ(fadeIn[4 + 4 * 8], 0);
  // Complement: SmoothCrossIn(p) = 255 - SmoothCrossOut(100 - p).
  const std::vector<uint8_t> out = MaskOf(SmoothCrossOut, 9, 7, 40), in = MaskOf(SmoothCrossIn, 9, 7, 60);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(in[i], 255 - out[i]) << i;
  // At 100 the Out procedure draws nothing and every cell is filled.
  const TztMaskProc inverted[] = {SlideCrossIn, FadeCrossIn, SmoothCrossIn, SlideRectIn, FadeRectIn, SmoothRectIn,
                                  DiamondSlideIn, DiamondFadeIn, DiamondSmoothIn, CircleSmoothIn};
  for (TztMaskProc f : inverted) EXPECT_EQ(MaskOf(f, 6, 5, 100), Filled(6, 5, 255));
  // At 0 they return at once.
  for (TztMaskProc f : inverted) EXPECT_EQ(MaskOf(f, 6, 5, 0), Filled(6, 5, 0));
}

// The circle procedures draw hundreds of circles per frame through the fast
// circle primitive; the whole masks must equal circles drawn the plain way.
TEST(ZtShapes, CircleProceduresMatchPlainCircles) {
  const struct { int W, H; } sizes[] = {{1, 1}, {2, 9}, {57, 31}, {120, 64}};
  for (const auto& s : sizes) {
    const double L = std::sqrt(double(s.W) * s.W + double(s.H) * s.H);
    for (int p : {1, 25, 50, 77, 99, 100}) {
      ref::Mask out(s.W, s.H), smooth(s.W, s.H), corner(s.W, s.H), in(s.W, s.H);
      const int D = zt::MulDiv(zt::Nearest(L), p, 100);
      for (int r = 0; r <= D / 2; ++r) out.Circle(r, s.W / 2, s.H / 2, 255);
      const int n = zt::MulDiv(zt::Nearest(0.9 * L), p, 100);
      const zt::TztSmoothRamp g(p, n);
      for (int r = 0; r <= n; ++r) smooth.Circle(r, s.W / 2, s.H / 2, g(r));
      const int nc = zt::MulDiv(zt::Nearest(1.5 * L), p, 100);
      const zt::TztSmoothRamp gc(p, nc);
      for (int r = 0; r <= nc; ++r) corner.Circle(r, 0, s.H - 1, gc(r));
      const int M = zt::Nearest(L) / 2;
      for (int j = D / 2; j >= 0; --j) in.Circle(M - j, s.W / 2, s.H / 2, 255);
      EXPECT_EQ(MaskOf(CircleSlideOut, s.W, s.H, p), out.m) << s.W << "x" << s.H << " p=" << p;
      EXPECT_EQ(MaskOf(CircleSmoothOut, s.W, s.H, p), smooth.m) << s.W << "x" << s.H << " p=" << p;
      EXPECT_EQ(MaskOf(CircleSmooth, s.W, s.H, p), corner.m) << s.W << "x" << s.H << " p=" << p;
      EXPECT_EQ(MaskOf(CircleSlideIn, s.W, s.H, p), in.m) << s.W << "x" << s.H << " p=" << p;
    }
  }
}

TEST(ZtNoise, PixelCellsMatchTheDrawUntilFreeLoop) {
  const struct { int W, H; } sizes[] = {{1, 1}, {1, 13}, {13, 1}, {37, 23}, {301, 157}};
  for (const auto& s : sizes)
    for (int p : {1, 25, 50, 99, 100}) {
      std::vector<uint8_t> want(size_t(s.W) * size_t(s.H), 0);
      const double n = double(s.W) * s.H;
      ref::RandomCells(want.data(), s.W, s.H, zt::Nearest(n * (p / 100.0)), 255);
      ASSERT_EQ(MaskOf(Pixel, s.W, s.H, p), want) << s.W << "x" << s.H << " p=" << p;
      std::vector<uint8_t> fade(size_t(s.W) * size_t(s.H), 0);
      ref::RandomCells(fade.data(), s.W, s.H, zt::Nearest(n * p / 100.0), uint8_t(zt::Nearest(p / 100.0 * 255)));
      ASSERT_EQ(MaskOf(PixelFade, s.W, s.H, p), fade) << s.W << "x" << s.H << " p=" << p;
    }
}

TEST(ZtNoise, PixelCellsGrowAsPrefixes) {
  const int W = 37, H = 23;
  std::vector<uint8_t> prev = MaskOf(Pixel, W, H, 0);
  for (int p = 1; p <= 100; ++p) {
    const std::vector<uint8_t> cur = MaskOf(Pixel, W, H, p);
    size_t count = 0;
    for (size_t i = 0; i < cur.size(); ++i) {
      if (prev[i]) {
        ASSERT_EQ(cur[i], 255) << "cell " << i << " lost at p=" << p;
      }
      count += cur[i] != 0;
    }
    EXPECT_EQ(count, size_t(zt::Nearest(W * H * (p / 100.0)))) << p;
    EXPECT_EQ(MaskOf(Pixel, W, H, p), cur) << "same frame twice";
    prev = cur;
  }
}

// The cell order kept between calls must not make a frame depend on the frames
// before it: falling progress, another mask size in between, a forgotten or
// freed record all give the cells of a fresh run.
TEST(ZtNoise, KeptCellOrderDoesNotLeakBetweenFrames) {
  auto fresh = [](int W, int H, int p) {
    std::vector<uint8_t> m(size_t(W) * size_t(H), 0);
    ref::RandomCells(m.data(), W, H, zt::Nearest(double(W) * H * (p / 100.0)), 255);
    return m;
  };
  const struct { int W, H, p; void (*before)(); } steps[] = {
      {37, 23, 99, nullptr}, {37, 23, 10, nullptr}, {13, 1, 50, nullptr}, {37, 23, 60, nullptr},
      {37, 23, 80, ForgetRandomOrders}, {37, 23, 30, ReleaseRandomOrders}, {37, 23, 95, nullptr},
      {37, 23, 70, nullptr}, {37, 23, 71, nullptr}, {37, 23, 72, nullptr}, {37, 23, 40, nullptr},
  };
  for (const auto& st : steps) {
    if (st.before) st.before();
    ASSERT_EQ(MaskOf(Pixel, st.W, st.H, st.p), fresh(st.W, st.H, st.p)) << st.W << "x" << st.H << " p=" << st.p;
  }
}

TEST(ZtNoise, PixelLineGradesTheMarkedCellsByColumn) {
  // 20x20 at 5: columns 0..2 only (Nearest(0.05 * 39) + 1 = 3), values
  // Nearest(Nearest(10 - 0.4 x) / 100 * 255): 26, 26, 23.
  const std::vector<uint8_t> marks = MaskOf(PixelFade, 20, 20, 5);
  const std::vector<uint8_t> m = MaskOf(PixelLine, 20, 20, 5);
  const uint8_t want[] = {26, 26, 23};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const size_t i = size_t(x) + size_t(y) * 20;
      ASSERT_EQ(m[i], x < 3 && marks[i] ? want[x] : 0) << x << "," << y;
    }
  EXPECT_EQ(MaskOf(PixelLine, 6, 4, 100), Filled(6, 4, 255));
  // The same rule at odd widths, where rows start anywhere in a byte of marks,
  // on few and on most columns, with few and with most cells marked.
  const struct { int W, H, p; } cases[] = {{37, 23, 3}, {37, 23, 30}, {37, 23, 60}, {13, 11, 47}, {301, 7, 99}};
  for (const auto& c : cases) {
    const std::vector<uint8_t> cells = MaskOf(PixelFade, c.W, c.H, c.p), got = MaskOf(PixelLine, c.W, c.H, c.p);
    const int cols = std::min(c.W, zt::Nearest(c.p / 100.0 * (2.0 * c.W - 1)) + 1);
    for (int y = 0; y < c.H; ++y)
      for (int x = 0; x < c.W; ++x) {
        const size_t i = size_t(x) + size_t(y) * size_t(c.W);
        const int g = std::max(0, zt::Nearest(2.0 * c.p - x * (0.1 * c.W / c.p)));
        const int v = x < cols && cells[i] ? std::min(255, zt::Nearest(g / 100.0 * 255)) : 0;
        ASSERT_EQ(got[i], v) << c.W << "x" << c.H << " p=" << c.p << " at " << x << "," << y;
      }
  }
}

TEST(ZtNoise, StreamAndPlasmaEnds) {
  EXPECT_EQ(MaskOf(Stream, 9, 7, 100), Filled(9, 7, 255));
  EXPECT_EQ(MaskOf(Stream, 9, 7, 40), MaskOf(Stream, 9, 7, 40));
  // p = 0 still runs one step: only row 0 cells whose delay smoothed to 0.
  const std::vector<uint8_t> start = MaskOf(Stream, 9, 7, 0);
  for (size_t i = 9; i < start.size(); ++i) ASSERT_EQ(start[i], 0) << i;
  EXPECT_EQ(MaskOf(Plasma, 11, 5, 0), Filled(11, 5, 0));
  EXPECT_EQ(MaskOf(Plasma, 11, 5, 100), Filled(11, 5, 255));
  // Row 0 at 50: cell 0 takes palette entry 256 (0), cell 128 palette entry 0 (255).
  const std::vector<uint8_t> row = MaskOf(Plasma, 129, 1, 50);
  EXPECT_EQ(row[0], 255);
  EXPECT_EQ(row[128], 0);
}

TEST(ZtMoves, InterlaceAndCornerTables) {
  std::vector<TztMoveCell> t(4 * 2, TztMoveCell{0, 0, 0});
  Interlace(t.data(), 4, 2, 50);  // shift MulDiv(50, 4, 100) = 2
  EXPECT_EQ(t[1].Opacity, 255);
  EXPECT_EQ(t[1].SrcX, 3);
  EXPECT_EQ(t[1].SrcY, 0);
  EXPECT_EQ(t[4 + 1].SrcX, -1);
  EXPECT_EQ(t[4 + 1].SrcY, 1);
  std::vector<TztMoveCell> c(5 * 5, TztMoveCell{0, 0, 0});
  Corner(c.data(), 5, 5, 50);  // a = b = 2: cells 0..2 show 2..4
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x) {
      const TztMoveCell& cell = c[size_t(x + 5 * y)];
      if (x <= 2 && y <= 2) {
        EXPECT_EQ(cell.Opacity, 255);
        EXPECT_EQ(cell.SrcX, x + 2);
        EXPECT_EQ(cell.SrcY, y + 2);
      } else {
        EXPECT_EQ(cell.Opacity, 0) << x << "," << y;
      }
    }
}

// The displacement tables cell by cell against their rules, including tables
// so wide that some sources do not fit a 16-bit cell (those cells stay empty)
// and progress values outside 0..100.
TEST(ZtMoves, TablesMatchTheRulesCellByCell) {
  auto fits = [](int64_t v) { return v >= -32768 && v <= 32767; };
  const struct { int W, H; } sizes[] = {{1, 1}, {1, 9}, {9, 1}, {7, 5}, {37, 23}, {40000, 2}};
  for (const auto& sz : sizes)
    for (int p : {-5, 0, 1, 37, 50, 99, 100, 130}) {
      const size_t n = size_t(sz.W) * size_t(sz.H);
      std::vector<TztMoveCell> interlace(n, TztMoveCell{0, 0, 0}), corner(n, TztMoveCell{0, 0, 0});
      std::vector<TztMoveCell> wantI(n, TztMoveCell{0, 0, 0}), wantC(n, TztMoveCell{0, 0, 0});
      Interlace(interlace.data(), sz.W, sz.H, p);
      Corner(corner.data(), sz.W, sz.H, p);
      if (p != 0) {
        const int64_t shift = zt::MulDiv(100 - p, sz.W, 100);
        for (int64_t y = 0; y < sz.H; ++y)
          for (int64_t x = 0; x < sz.W; ++x) {
            const int64_t sx = y % 2 == 0 ? x + shift : x - shift;
            if (fits(sx) && fits(y)) wantI[size_t(x + y * sz.W)] = TztMoveCell{255, int16_t(sx), int16_t(y)};
          }
        const int64_t a = zt::MulDiv(sz.W - 1, p, 100), b = zt::MulDiv(sz.H - 1, p, 100);
        for (int64_t y = 0; y <= b; ++y)
          for (int64_t x = 0; x <= a; ++x) {
            const int64_t sx = sz.W - 1 - a + x, sy = sz.H - 1 - b + y;
            if (x < sz.W && y < sz.H && sx >= 0 && sx < sz.W && sy >= 0 && sy < sz.H && fits(sx) && fits(sy))
              wantC[size_t(x + y * sz.W)] = TztMoveCell{255, int16_t(sx), int16_t(sy)};
          }
      }
      for (size_t i = 0; i < n; ++i) {
        ASSERT_TRUE(interlace[i].Opacity == wantI[i].Opacity && interlace[i].SrcX == wantI[i].SrcX &&
                    interlace[i].SrcY == wantI[i].SrcY)
            << "Interlace " << sz.W << "x" << sz.H << " p=" << p << " cell " << i;
        ASSERT_TRUE(corner[i].Opacity == wantC[i].Opacity && corner[i].SrcX == wantC[i].SrcX &&
                    corner[i].SrcY == wantC[i].SrcY)
            << "Corner " << sz.W << "x" << sz.H << " p=" << p << " cell " << i;
      }
    }
}

// Every mask and table procedure, at sizes down to 1x1 and at the ends of the
// progress range, stays inside its buffer.
TEST(ZtAllProcedures, StayInsideTheirBuffers) {
  const struct { int W, H; } sizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {7, 5}, {33, 17}, {2, 31}};
  constexpr size_t kGuard = 64;
  for (const TztProcItem* item : EffectProcs()) {
    if (item->Group == 2) continue;
    for (const auto& s : sizes)
      for (int p : {0, 1, 49, 50, 99, 100}) {
        const size_t cellBytes = item->Group == 0 ? 1 : sizeof(TztMoveCell);
        const size_t n = size_t(s.W) * size_t(s.H) * cellBytes;
        std::vector<uint8_t> buf(n + 2 * kGuard, 0xA5);
        std::memset(buf.data() + kGuard, 0, n);
        if (item->Group == 0)
          std::get<TztMaskProc>(item->Proc)(buf.data() + kGuard, s.W, s.H, p);
        else
          std::get<TztMoveProc>(item->Proc)(reinterpret_cast<TztMoveCell*>(buf.data() + kGuard), s.W, s.H, p);
        for (size_t i = 0; i < kGuard; ++i) {
          ASSERT_EQ(buf[i], 0xA5) << item->DisplayName << " " << s.W << "x" << s.H << " p=" << p;
          ASSERT_EQ(buf[kGuard + n + i], 0xA5) << item->DisplayName << " " << s.W << "x" << s.H << " p=" << p;
        }
      }
  }
}

}  // namespace
}  // namespace vx::zt_procs
