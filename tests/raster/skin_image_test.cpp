// Slice builders checked pixel by pixel against coordinate-encoded pictures:
// every source pixel holds its own position (red = x, green = y) and the slice
// it lies in (blue), so each destination pixel tells where it came from.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gfx/pixel_core.h"
#include "raster/skin_image.h"

namespace vx {
namespace {

// Slice ids of a nine-slice element, by the source region a pixel lies in.
enum Slice : uint32_t { kOutside = 0, kCorner = 1, kTop = 2, kBottom = 3, kLeft = 4, kRight = 5, kClient = 6 };

uint32_t Code(int x, int y, uint32_t slice) { return 0xFF000000u | (uint32_t(x) << 16) | (uint32_t(y) << 8) | slice; }
int SrcX(uint32_t p) { return (p >> 16) & 0xFF; }
int SrcY(uint32_t p) { return (p >> 8) & 0xFF; }

struct Geometry {
  TRect R;  // skin rectangle in the picture
  TPoint LT, RT, LB, RB;
  TRect Cl;
};

// A 40 x 30 picture with the element at R; each pixel names position and slice.
TvxBitmap CodedPicture(const Geometry& g) {
  TvxBitmap b(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const int rx = x - g.R.Left, ry = y - g.R.Top;
      uint32_t s = kOutside;
      if (g.R.Contains(Point(x, y))) {
        const bool l = rx < g.Cl.Left, r = rx >= g.Cl.Right, t = ry < g.Cl.Top, bo = ry >= g.Cl.Bottom;
        if (!l && !r && !t && !bo) s = kClient;
        else if (t) s = (rx >= g.LT.X && rx < g.RT.X) ? kTop : kCorner;
        else if (bo) s = (rx >= g.LB.X && rx < g.RB.X) ? kBottom : kCorner;
        else if (l) s = (ry >= g.LT.Y && ry < g.LB.Y) ? kLeft : kCorner;
        else s = (ry >= g.RT.Y && ry < g.RB.Y) ? kRight : kCorner;
      }
      b.SetPixel(x, y, Code(x, y, s));
    }
  return b;
}

// Where a destination pixel comes from: a piece covers a destination rectangle
// and maps each of its pixels to a source pixel.
struct Piece {
  TRect dest;
  std::function<TPoint(int, int)> from;
};

// Tiled 1:1 from `origin` with the given steps (0 = no tiling on that axis).
Piece Tiled(TRect d, TPoint origin, int sx, int sy, int stepX, int stepY) {
  return {d, [=](int x, int y) {
            const int ox = x - origin.X, oy = y - origin.Y;
            return Point(sx + (stepX ? ((ox % stepX) + stepX) % stepX : ox),
                         sy + (stepY ? ((oy % stepY) + stepY) % stepY : oy));
          }};
}
Piece Stretched(TRect d, TRect s) {
  return {d, [=](int x, int y) {
            return Point(pixel::NearestSource(x, d.Left, d.Width(), s.Left, s.Width()),
                         pixel::NearestSource(y, d.Top, d.Height(), s.Top, s.Height()));
          }};
}

struct NineCase {
  const char* name;
  int dx, dy;  // size change
  bool top, bottom, left, right, client;
  TvxStretchType type;
};

const Geometry kGeo{Rect(3, 2, 23, 18), Point(5, 4), Point(15, 5), Point(6, 11), Point(14, 10), Rect(3, 2, 17, 13)};

// The pieces of the nine-slice build in painting order, written from the
// documented geometry of each piece.
std::vector<Piece> NinePieces(const Geometry& g, const NineCase& c, int W, int H) {
  const TRect& R = g.R;
  const TPoint NLT = g.LT, NRT{g.RT.X + c.dx, g.RT.Y}, NLB{g.LB.X, g.LB.Y + c.dy}, NRB{g.RB.X + c.dx, g.RB.Y + c.dy};
  const TRect NCl{g.Cl.Left, g.Cl.Top, g.Cl.Right + c.dx, g.Cl.Bottom + c.dy};
  std::vector<Piece> p;
  const int L = R.Left, T = R.Top;
  // Edges.
  TRect d{NLT.X, 0, NRT.X, NCl.Top};
  p.push_back(c.top ? Stretched(d, Rect(L + g.LT.X, T, L + g.RT.X, T + g.Cl.Top))
                    : Tiled(d, d.TopLeft(), L + g.LT.X, T, g.RT.X - g.LT.X, 0));
  d = {NLB.X, NCl.Bottom, NRB.X, H};
  p.push_back(c.bottom ? Stretched(d, Rect(L + g.LB.X, T + g.Cl.Bottom, L + g.RB.X, R.Bottom))
                       : Tiled(d, d.TopLeft(), L + g.LB.X, T + g.Cl.Bottom, g.RB.X - g.LB.X, 0));
  d = {0, NLT.Y, NCl.Left, NLB.Y};
  p.push_back(c.left ? Stretched(d, Rect(L, T + g.LT.Y, L + g.Cl.Left, T + g.LB.Y))
                     : Tiled(d, d.TopLeft(), L, T + g.LT.Y, 0, g.LB.Y - g.LT.Y));
  d = {NCl.Right, NRT.Y, W, NRB.Y};
  p.push_back(c.right ? Stretched(d, Rect(L + g.Cl.Right, T + g.RT.Y, R.Right, T + g.RB.Y))
                      : Tiled(d, d.TopLeft(), L + g.Cl.Right, T + g.RT.Y, 0, g.RB.Y - g.RT.Y));
  // Corners, 1:1.
  auto corner = [&](int sx, int sy, TRect dd) { p.push_back(Tiled(dd, dd.TopLeft(), L + sx, T + sy, 0, 0)); };
  corner(0, 0, {0, 0, NLT.X, NCl.Top});
  corner(0, g.Cl.Top, {0, NCl.Top, NCl.Left, NLT.Y});
  corner(g.RT.X, 0, {NRT.X, 0, W, NCl.Top});
  corner(g.Cl.Right, g.Cl.Top, {NCl.Right, NCl.Top, W, NRT.Y});
  corner(0, g.LB.Y, {0, NLB.Y, NCl.Left, H});
  corner(g.Cl.Left, g.Cl.Bottom, {NCl.Left, NCl.Bottom, NLB.X, H});
  corner(g.RB.X, g.Cl.Bottom, {NRB.X, NCl.Bottom, W, H});
  corner(g.Cl.Right, g.RB.Y, {NCl.Right, NRB.Y, W, NCl.Bottom});
  // Client.
  const TRect sc = g.Cl.Offset(L, T);
  if (!c.client) {
    p.push_back(Tiled(NCl, NCl.TopLeft(), sc.Left, sc.Top, sc.Width(), sc.Height()));
  } else if (c.type == vxstFull) {
    p.push_back(Stretched(NCl, sc));
  } else if (c.type == vxstHorz) {
    // Stretched vertically to the client height, repeated every Cl width.
    p.push_back({NCl, [=](int x, int y) {
                   return Point(sc.Left + (x - NCl.Left) % sc.Width(),
                                pixel::NearestSource(y - NCl.Top, 0, NCl.Height(), sc.Top, sc.Height()));
                 }});
  } else {
    p.push_back({NCl, [=](int x, int y) {
                   return Point(pixel::NearestSource(x - NCl.Left, 0, NCl.Width(), sc.Left, sc.Width()),
                                sc.Top + (y - NCl.Top) % sc.Height());
                 }});
  }
  return p;
}

TEST(CreateSkinImage, EveryPixelComesFromItsPiece) {
  const NineCase cases[] = {
      {"grow, all tiled", 27, 15, false, false, false, false, false, vxstFull},
      {"grow, all stretched", 27, 15, true, true, true, true, true, vxstFull},
      {"grow, client horizontal", 31, 9, true, false, true, false, true, vxstHorz},
      {"grow, client vertical", 12, 22, false, true, false, true, true, vxstVert},
      {"overshoot of exact multiples", 20, 14, false, false, false, false, false, vxstFull},
      {"shrink", -4, -3, false, false, false, false, false, vxstFull},
      {"shrink stretched", -4, -3, true, true, true, true, true, vxstFull},
  };
  const TvxBitmap src = CodedPicture(kGeo);
  const Geometry& g = kGeo;
  for (const NineCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int W = g.R.Width() + c.dx, H = g.R.Height() + c.dy;
    TvxBitmap dest;
    CreateSkinImage(g.LT, g.RT, g.LB, g.RB, g.Cl, g.LT, {g.RT.X + c.dx, g.RT.Y}, {g.LB.X, g.LB.Y + c.dy},
                    {g.RB.X + c.dx, g.RB.Y + c.dy}, {g.Cl.Left, g.Cl.Top, g.Cl.Right + c.dx, g.Cl.Bottom + c.dy},
                    dest, src, g.R, W, H, true, c.left, c.top, c.right, c.bottom, c.client, c.type);
    ASSERT_EQ(dest.Width(), W);
    ASSERT_EQ(dest.Height(), H);
    const std::vector<Piece> pieces = NinePieces(g, c, W, H);
    int wrong = 0;
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const Piece* last = nullptr;
        for (const Piece& p : pieces)
          if (p.dest.Contains(Point(x, y))) last = &p;
        ASSERT_NE(last, nullptr) << "pixel " << x << "," << y << " is covered by no piece";
        const TPoint s = last->from(x, y);
        const uint32_t got = dest.Pixel(x, y);
        if (got != src.Pixel(s.X, s.Y) && ++wrong <= 5)
          ADD_FAILURE() << "dest " << x << "," << y << " from " << SrcX(got) << "," << SrcY(got) << " (slice "
                        << (got & 0xFF) << "), want " << s.X << "," << s.Y;
      }
  }
}

TEST(CreateSkinImage, SameSizeReproducesTheElement) {
  const Geometry& g = kGeo;
  const TvxBitmap src = CodedPicture(g);
  for (bool stretch : {false, true}) {
    TvxBitmap dest;
    CreateSkinImage(g.LT, g.RT, g.LB, g.RB, g.Cl, g.LT, g.RT, g.LB, g.RB, g.Cl, dest, src, g.R, g.R.Width(),
                    g.R.Height(), true, stretch, stretch, stretch, stretch, stretch, vxstFull);
    for (int y = 0; y < g.R.Height(); ++y)
      for (int x = 0; x < g.R.Width(); ++x)
        ASSERT_EQ(dest.Pixel(x, y), src.Pixel(g.R.Left + x, g.R.Top + y)) << x << "," << y;
  }
}

// Source x of row `y` of Dest, column by column.
std::string Columns(const TvxBitmap& b, int y = 0) {
  std::ostringstream s;
  for (int x = 0; x < b.Width(); ++x) s << (x ? " " : "") << (b.Pixel(x, y) ? std::to_string(SrcX(b.Pixel(x, y))) : "-");
  return s.str();
}
std::string Rows(const TvxBitmap& b, int x = 0) {
  std::ostringstream s;
  for (int y = 0; y < b.Height(); ++y) s << (y ? " " : "") << (b.Pixel(x, y) ? std::to_string(SrcY(b.Pixel(x, y))) : "-");
  return s.str();
}

TEST(CreateSkinImage, TopEdgeTilesAreCutAtTheirEnd) {
  // Top edge 10 pixels wide (LT.X = 2, RT.X = 12) into 25 and into 30 pixels.
  // Source element: 14 x 6 at (0, 0), client (2, 2, 12, 4).
  TvxBitmap src(14, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 14; ++x) src.SetPixel(x, y, Code(x, y, 1));
  for (int span : {25, 30}) {
    const int dx = span - 10;
    TvxBitmap dest;
    CreateSkinImage({2, 2}, {12, 2}, {2, 4}, {12, 4}, Rect(2, 2, 12, 4), {2, 2}, {12 + dx, 2}, {2, 4},
                    {12 + dx, 4}, Rect(2, 2, 12 + dx, 4), dest, src, Rect(0, 0, 14, 6), 14 + dx, 6, false, false,
                    false, false, false, false, vxstFull);
    std::string want = "0 1";
    for (int x = 0; x < span; ++x) want += " " + std::to_string(2 + x % 10);
    want += " 12 13";
    EXPECT_EQ(Columns(dest), want) << span;
  }
}

TEST(CreateSkinImage, HorizontalClientStripRepeatsEveryClientWidth) {
  // Client 20 wide into 50: the stretched strip at 0, 20 and 40, the last one cut.
  TvxBitmap src(24, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 24; ++x) src.SetPixel(x, y, Code(x, y, 1));
  TvxBitmap dest;
  CreateSkinImage({2, 2}, {22, 2}, {2, 4}, {22, 4}, Rect(2, 2, 22, 4), {2, 2}, {52, 2}, {2, 7}, {52, 7},
                  Rect(2, 2, 52, 7), dest, src, Rect(0, 0, 24, 6), 54, 9, true, true, true, true, true, true,
                  vxstHorz);
  for (int x = 2; x < 52; ++x) EXPECT_EQ(SrcX(dest.Pixel(x, 3)), 2 + (x - 2) % 20) << x;
  EXPECT_EQ(Rows(dest, 10), "0 1 2 2 2 3 3 4 5");  // stretched 2 rows into 5, edges stretched too
}

TEST(CreateSkinImage, DegenerateInputsLeaveAnEmptyTarget) {
  const Geometry& g = kGeo;
  const TvxBitmap src = CodedPicture(g);
  TvxBitmap dest(30, 20);
  dest.FillRect(dest.BoundsRect(), 0xFF123456);
  // RB.X = LT.X: sized, nothing painted, nothing stale.
  CreateSkinImage(g.LT, g.RT, g.LB, {g.LT.X, g.RB.Y}, g.Cl, g.LT, g.RT, g.LB, g.RB, g.Cl, dest, src, g.R, 30, 20,
                  true, false, false, false, false, false, vxstFull);
  EXPECT_EQ(dest.Width(), 30);
  EXPECT_EQ(dest.Pixel(5, 5), 0u);
  // Zero size: empty target.
  CreateSkinImage(g.LT, g.RT, g.LB, g.RB, g.Cl, g.LT, g.RT, g.LB, g.RB, g.Cl, dest, src, g.R, 0, 20, true, false,
                  false, false, false, false, vxstFull);
  EXPECT_TRUE(dest.Empty());
  // A tiling step of zero (RT.X = LT.X, top edge tiled) paints nothing there and returns.
  TvxBitmap d2;
  CreateSkinImage(g.LT, {g.LT.X, g.RT.Y}, g.LB, g.RB, g.Cl, g.LT, {g.LT.X + 30, g.RT.Y}, g.LB, g.RB, g.Cl, d2, src,
                  g.R, 50, 16, false, false, false, false, false, false, vxstFull);
  EXPECT_EQ(d2.Pixel(20, 0), 0u);
  // An empty source.
  TvxBitmap none;
  CreateSkinImage(g.LT, g.RT, g.LB, g.RB, g.Cl, g.LT, g.RT, g.LB, g.RB, g.Cl, d2, none, g.R, 20, 16, true, false,
                  false, false, false, false, vxstFull);
  EXPECT_EQ(d2.Width(), 20);
  EXPECT_EQ(d2.Pixel(1, 1), 0u);
}

TEST(CreateSkinImageNoRight, EdgesRunToTheWidthWithoutRightPieces) {
  const Geometry& g = kGeo;
  const TvxBitmap src = CodedPicture(g);
  TvxBitmap dest;
  const int dx = 12;
  CreateSkinImageNoRight(g.LT, g.RT, g.LB, g.RB, g.Cl, g.LT, {g.RT.X + dx, g.RT.Y}, g.LB, {g.RB.X + dx, g.RB.Y},
                         {g.Cl.Left, g.Cl.Top, g.Cl.Right + dx, g.Cl.Bottom}, dest, src, g.R, 32, 16, false, false,
                         false, false, false, false, vxstFull);
  // Top row: corner 0..5, then top-edge tiles of 10 from x = 5 to the width.
  for (int x = 0; x < 32; ++x) {
    const int want = x < 5 ? 3 + x : 3 + 5 + (x - 5) % 10;
    EXPECT_EQ(SrcX(dest.Pixel(x, 0)), want) << x;
    EXPECT_EQ(dest.Pixel(x, 0) & 0xFF, x < 5 ? uint32_t(kCorner) : uint32_t(kTop)) << x;
  }
  // Nothing of the right band: the right columns of the middle rows stay empty.
  EXPECT_EQ(dest.Pixel(31, 6), 0u);
}

TEST(CreateStretchImage, KeepsTheSizeAndStretchesEverything) {
  const Geometry& g = kGeo;
  const TvxBitmap src = CodedPicture(g);
  TvxBitmap dest(26, 16);
  CreateStretchImage(dest, src, g.R, g.Cl, true);
  EXPECT_EQ(dest.Width(), 26);
  // Corners stay 1:1 at the four ends; the client maps by the shared rule.
  EXPECT_EQ(dest.Pixel(0, 0), src.Pixel(3, 2));
  EXPECT_EQ(dest.Pixel(25, 15), src.Pixel(22, 17));
  const TRect nc(3, 2, 23, 13);
  for (int x = nc.Left; x < nc.Right; ++x)
    EXPECT_EQ(SrcX(dest.Pixel(x, 5)), pixel::NearestSource(x, nc.Left, nc.Width(), 6, 14)) << x;
}

TEST(CreateSkinBorderImages, FourBandsOfTheFrame) {
  const Geometry& g = kGeo;
  const TvxBitmap src = CodedPicture(g);
  const int dx = 10, dy = 6, W = 30, H = 22;
  const TRect ncl{g.Cl.Left, g.Cl.Top, g.Cl.Right + dx, g.Cl.Bottom + dy};
  TvxBitmap top, bottom, left, right;
  left.SetSize(5, 5);  // stale content must not survive
  CreateSkinBorderImages(g.LT, g.RT, g.LB, false, false, false, false, H, W, g.R, src, bottom, right, top, left,
                         ncl, {g.RB.X + dx, g.RB.Y + dy}, {g.LB.X, g.LB.Y + dy}, {g.RT.X + dx, g.RT.Y}, g.LT,
                         g.Cl, g.RB);
  ASSERT_EQ(top.Width(), W);
  ASSERT_EQ(top.Height(), 2);
  ASSERT_EQ(bottom.Height(), H - ncl.Bottom);
  ASSERT_EQ(left.Width(), 3);
  ASSERT_EQ(left.Height(), H - 2 - bottom.Height());
  ASSERT_EQ(right.Width(), W - ncl.Right);
  // Top band: tiles of 10 from x = 0 under the corners, left corner 0..5,
  // right corner from NewRT.X = 25 on.
  std::string want;
  for (int x = 0; x < W; ++x) {
    const int sx = x < 5 ? 3 + x : x < 25 ? 3 + 5 + x % 10 : 3 + 15 + (x - 25);
    want += (x ? " " : "") + std::to_string(sx);
  }
  EXPECT_EQ(Columns(top), want);
  // Left band rows: Cl.Top..LT.Y (2..4) at the top, tiles of LB.Y - LT.Y = 7 from
  // y = 0 under them, LB.Y..Cl.Bottom (11..13) at the bottom.
  std::string rows;
  const int lh = left.Height();
  for (int y = 0; y < lh; ++y) {
    const int sy = y < 2 ? 2 + 2 + y : y >= lh - 2 ? 2 + 11 + (y - (lh - 2)) : 2 + 4 + y % 7;
    rows += (y ? " " : "") + std::to_string(sy);
  }
  EXPECT_EQ(Rows(left), rows);

  // A band whose span is empty is left empty, not stale.
  CreateSkinBorderImages(g.LT, g.RT, {g.LB.X, g.LT.Y}, false, false, false, false, H, W, g.R, src, bottom, right,
                         top, left, ncl, {g.RB.X + dx, g.RB.Y + dy}, {g.LB.X, g.LB.Y + dy}, {g.RT.X + dx, g.RT.Y},
                         g.LT, g.Cl, g.RB);
  EXPECT_TRUE(left.Empty());
  EXPECT_FALSE(right.Empty());
}

struct ThreeCase {
  const char* name;
  int which;  // 0 HSkin, 1 HSkinLeft, 2 HSkinCenter
  int l, r, width;
  bool stretch;
  const char* want;
};

TEST(ThreeSlice, HorizontalBuilders) {
  // Element: 10 columns at x = 1 of a 12 x 2 picture.
  TvxBitmap src(12, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 12; ++x) src.SetPixel(x, y, Code(x, y, 1));
  const TRect R(1, 0, 11, 2);
  const ThreeCase cases[] = {
      {"tiled, last tile cut", 0, 2, 3, 14, false, "1 2 3 4 5 6 7 3 4 5 6 8 9 10"},
      {"stretched", 0, 2, 3, 9, true, "1 2 3 4 6 7 8 9 10"},
      {"shorter than the element", 0, 2, 3, 4, false, "1 8 9 10"},
      {"zero-width middle tiles its first column", 0, 5, 5, 12, false, "1 2 3 4 5 6 6 6 7 8 9 10"},
      {"left: middle to the width", 1, 2, 3, 10, false, "1 2 3 4 5 6 7 3 4 5"},
      {"center: cut at the width", 2, 2, 3, 8, false, "3 4 5 6 7 3 4 5"},
      {"center: stretched", 2, 2, 3, 3, true, "3 5 7"},
  };
  for (const ThreeCase& c : cases) {
    TvxBitmap dest;
    if (c.which == 0) CreateHSkinImage(c.l, c.r, dest, c.stretch, c.width, R, src);
    if (c.which == 1) CreateHSkinImageLeft(c.l, c.r, dest, c.stretch, c.width, R, src);
    if (c.which == 2) CreateHSkinImageCenter(c.l, c.r, dest, c.stretch, c.width, R, src);
    EXPECT_EQ(dest.Height(), 2) << c.name;
    EXPECT_EQ(Columns(dest), c.want) << c.name;
  }
}

TEST(ThreeSlice, VerticalBuilder) {
  TvxBitmap src(3, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 3; ++x) src.SetPixel(x, y, Code(x, y, 1));
  const TRect R(0, 1, 3, 11);
  struct {
    int t, b, h;
    bool stretch;
    const char* want;
  } cases[] = {
      {2, 3, 14, false, "1 2 3 4 5 6 7 3 4 5 6 8 9 10"},
      {2, 3, 9, true, "1 2 3 4 6 7 8 9 10"},
      // A zero-height middle draws nothing between the fixed parts.
      {5, 5, 12, false, "1 2 3 4 5 - - 6 7 8 9 10"},
  };
  for (const auto& c : cases) {
    TvxBitmap dest;
    CreateVSkinImage(c.t, c.b, dest, c.stretch, c.h, R, src);
    EXPECT_EQ(dest.Width(), 3);
    EXPECT_EQ(Rows(dest), c.want);
  }
}

}  // namespace
}  // namespace vx

#include <random>

namespace vx {
namespace {

// Any geometry a skin can hold, however inconsistent, must neither touch
// memory outside the pictures (the sanitizers watch) nor loop: every builder
// runs over random points, rectangles and sizes.
TEST(SliceBuilders, RandomGeometryStaysInsideThePictures) {
  std::mt19937 rng(11);
  auto v = [&](int lo, int hi) { return lo + int(rng() % uint32_t(hi - lo + 1)); };
  auto pt = [&] { return Point(v(-4, 50), v(-4, 40)); };
  auto rc = [&] { return Rect(v(-4, 50), v(-4, 40), v(-4, 60), v(-4, 50)); };
  const TvxBitmap src = CodedPicture(kGeo);
  TvxBitmap small(7, 5);
  for (int i = 0; i < 300; ++i) {
    const TvxBitmap& s = i % 3 == 0 ? small : src;
    const int W = v(-3, 90), H = v(-3, 70);
    TvxBitmap d, a, b, c, e;
    CreateSkinImage(pt(), pt(), pt(), pt(), rc(), pt(), pt(), pt(), pt(), rc(), d, s, rc(), W, H, v(0, 1), v(0, 1),
                    v(0, 1), v(0, 1), v(0, 1), v(0, 1), TvxStretchType(v(0, 2)));
    if (W > 0 && H > 0) {
      EXPECT_EQ(d.Width(), W);
      EXPECT_EQ(d.Height(), H);
    } else {
      EXPECT_TRUE(d.Empty());
    }
    CreateSkinImageNoRight(pt(), pt(), pt(), pt(), rc(), pt(), pt(), pt(), pt(), rc(), d, s, rc(), W, H, true,
                           v(0, 1), v(0, 1), v(0, 1), v(0, 1), v(0, 1), TvxStretchType(v(0, 2)));
    d.SetSize(v(1, 60), v(1, 40));
    CreateStretchImage(d, s, rc(), rc(), v(0, 1));
    CreateSkinBorderImages(pt(), pt(), pt(), v(0, 1), v(0, 1), v(0, 1), v(0, 1), H, W, rc(), s, a, b, c, e, rc(), pt(),
                           pt(), pt(), pt(), rc(), pt());
    CreateHSkinImage(v(-3, 30), v(-3, 30), d, v(0, 1), W, rc(), s);
    CreateHSkinImageLeft(v(-3, 30), v(-3, 30), d, v(0, 1), W, rc(), s);
    CreateHSkinImageCenter(v(-3, 30), v(-3, 30), d, v(0, 1), W, rc(), s);
    CreateVSkinImage(v(-3, 30), v(-3, 30), d, v(0, 1), H, rc(), s);
    CreateSkinMaskStrips(pt(), pt(), pt(), H, W, a, b, c, e, s, rc(), pt(), pt(), pt(), pt(), rc(), pt());
    std::optional<TRegion> rgn;
    CreateSkinRegion(rgn, pt(), pt(), H, W, s, rc(), pt(), pt(), pt(), pt(), rc(), pt(), pt());
  }
}

}  // namespace
}  // namespace vx
