// Masks to regions: region membership is checked against the mask pixel by pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "raster/skin_image.h"

namespace vx {
namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

bool IsBlack(uint32_t p) { return (p & 0x00FFFFFFu) == 0; }

int32_t Get32(const std::vector<uint8_t>& d, size_t at) {
  int32_t v;
  std::memcpy(&v, d.data() + at, 4);
  return v;
}

TEST(MaskRegion, RunsOfARow) {
  TvxBitmap m(10, 2);
  m.FillRect(m.BoundsRect(), kWhite);
  for (int x : {2, 3, 4, 7}) m.SetPixel(x, 1, kBlack);
  m.SetPixel(5, 1, 0xFF000001u);  // nearly black is outside
  const std::vector<TRect> runs = MaskRuns(m, 0, 0);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0], Rect(2, 1, 5, 2));
  EXPECT_EQ(runs[1], Rect(7, 1, 8, 2));

  std::vector<uint8_t> data;
  EXPECT_EQ(CreateRgnDataFromMask(m, 100, 50, data), 32 + 2 * 16);
  const int32_t want[] = {32, 1, 2, 0, 100, 50, 110, 52, 102, 51, 105, 52, 107, 51, 108, 52};
  for (size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(Get32(data, 4 * i), want[i]) << i;

  TvxBitmap white(4, 4);
  white.FillRect(white.BoundsRect(), kWhite);
  EXPECT_EQ(CreateRgnDataFromMask(white, 0, 0, data), 0);
  EXPECT_TRUE(data.empty());
}

TEST(MaskRegion, MembershipEqualsTheMask) {
  struct Case {
    const char* name;
    int w, h;
    int pattern;
  } cases[] = {
      {"random", 61, 37, 0},
      {"checkerboard with more than 10000 runs", 300, 80, 1},
      {"all black", 9, 4, 2},
      {"jagged edge", 120, 50, 3},
  };
  std::mt19937 rng(7);
  for (const Case& c : cases) {
    TvxBitmap m(c.w, c.h);
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        bool black = false;
        switch (c.pattern) {
          case 0: black = rng() % 3 == 0; break;
          case 1: black = (x + y) % 2 == 0; break;
          case 2: black = true; break;
          case 3: black = x < 20 + (y * 7) % 13 || x > c.w - 1 - (y * 5) % 11; break;
        }
        m.SetPixel(x, y, black ? kBlack : (0xFF000000u | rng()));
      }
    TRegion rgn;
    CreateRegionFromMask(rgn, m);
    int wrong = 0;
    for (int y = -1; y <= c.h; ++y)
      for (int x = -1; x <= c.w; ++x) {
        const bool want = x >= 0 && y >= 0 && x < c.w && y < c.h && IsBlack(m.Pixel(x, y));
        if (rgn.Contains(x, y) != want && ++wrong <= 5) ADD_FAILURE() << c.name << " at " << x << "," << y;
      }
  }
}

// A 16 x 12 frame mask whose bands hold a pattern that names the position: a
// pixel is black when (x * 3 + y * 5) % 7 < 3.
TvxBitmap FrameMask() {
  TvxBitmap m(16, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 16; ++x) m.SetPixel(x, y, (x * 3 + y * 5) % 7 < 3 ? kBlack : kWhite);
  return m;
}

// Geometry of the frame: bands left 3, top 2, right 16 - 13 = 3, bottom 12 - 9 = 3.
const TRect kCl(3, 2, 13, 9);
const TPoint kLT(4, 3), kRT(11, 4), kLB(5, 7), kRB(12, 6);

TEST(SkinRegion, MembershipEqualsTheResizedMask) {
  const TvxBitmap m = FrameMask();
  for (auto [dx, dy] : {std::pair{0, 0}, {13, 9}, {3, 1}}) {
    const int W = 16 + dx, H = 12 + dy;
    const TRect ncl{kCl.Left, kCl.Top, kCl.Right + dx, kCl.Bottom + dy};
    const TPoint nlt = kLT, nrt{kRT.X + dx, kRT.Y}, nlb{kLB.X, kLB.Y + dy}, nrb{kRB.X + dx, kRB.Y + dy};
    std::optional<TRegion> rgn;
    CreateSkinRegion(rgn, kLT, kRT, H, W, m, ncl, nrb, nlb, nrt, nlt, kCl, kRB, kLB);
    ASSERT_TRUE(rgn.has_value());

    // The mask pixel each frame pixel comes from: corners 1:1, middles tiled
    // from the new corner point (top and bottom) or from the band's top (sides).
    auto fromH = [&](int x, int x0, int x1, int nx0, int nx1) {
      if (x < x0) return x;
      if (x >= nx1) return x1 + (x - nx1);
      return x0 + (x - nx0) % (x1 - x0);
    };
    auto fromV = [&](int y, int y0, int y1, int bandH) {  // y relative to the band
      if (y < y0 - kCl.Top) return kCl.Top + y;
      if (y >= bandH - (kCl.Bottom - y1)) return y1 + (y - (bandH - (kCl.Bottom - y1)));
      return y0 + y % (y1 - y0);
    };
    int wrong = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        bool want;
        if (ncl.Contains(Point(x, y))) {
          want = true;
        } else if (y < ncl.Top) {
          const int sx = fromH(x, kLT.X, kRT.X, nlt.X, nrt.X);
          want = sx < 16 && IsBlack(m.Pixel(sx, y));
        } else if (y >= ncl.Bottom) {
          const int sx = fromH(x, kLB.X, kRB.X, nlb.X, nrb.X);
          want = sx < 16 && IsBlack(m.Pixel(sx, kCl.Bottom + (y - ncl.Bottom)));
        } else if (x < ncl.Left) {
          want = IsBlack(m.Pixel(x, fromV(y - ncl.Top, kLT.Y, kLB.Y, ncl.Height())));
        } else {
          want = IsBlack(m.Pixel(kCl.Right + (x - ncl.Right), fromV(y - ncl.Top, kRT.Y, kRB.Y, ncl.Height())));
        }
        if (rgn->Contains(x, y) != want && ++wrong <= 5)
          ADD_FAILURE() << "grow " << dx << "x" << dy << " at " << x << "," << y << " want " << want;
      }
    // Same size: the top and bottom strips are the mask itself (the side strips
    // are tiled from their own top, so they shift by LT.Y - Cl.Top).
    if (dx == 0 && dy == 0) {
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 16; ++x)
          if (y < kCl.Top || y >= kCl.Bottom || kCl.Contains(Point(x, y))) {
            EXPECT_EQ(rgn->Contains(x, y), kCl.Contains(Point(x, y)) || IsBlack(m.Pixel(x, y))) << x << "," << y;
          }
    }
  }
}

TEST(SkinRegion, InvertedGeometryGivesNoRegion) {
  const TvxBitmap m = FrameMask();
  std::optional<TRegion> rgn = TRegion(Rect(0, 0, 1, 1));
  CreateSkinRegion(rgn, kLT, kRT, 12, 16, m, kCl, kRB, kLB, {kLT.X - 1, kRT.Y}, kLT, kCl, kRB, kLB);
  EXPECT_FALSE(rgn.has_value());
  CreateSkinRegion(rgn, kLT, kRT, 12, 16, m, kCl, kRB, {kLB.X, kLT.Y - 1}, kRT, kLT, kCl, kRB, kLB);
  EXPECT_FALSE(rgn.has_value());
}

TEST(SkinRegion, ZeroTilingStepLeavesTheMiddleInside) {
  // RT.X = LT.X: the top strip's middle is never tiled; it is rebuilt from
  // scratch (black, inside) instead of looping or keeping old content.
  const TvxBitmap m = FrameMask();
  std::optional<TRegion> rgn;
  const TPoint rt{kLT.X, kRT.Y};
  CreateSkinRegion(rgn, kLT, rt, 12, 30, m, Rect(3, 2, 27, 9), {kRB.X + 14, kRB.Y}, kLB, {rt.X + 14, rt.Y}, kLT,
                   kCl, kRB, kLB);
  ASSERT_TRUE(rgn.has_value());
  EXPECT_TRUE(rgn->Contains(10, 0));
}

}  // namespace
}  // namespace vx
