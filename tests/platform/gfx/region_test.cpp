#include "platform/gfx/region.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace vx {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Pixels(const std::vector<TRect>& rects) {
  PixelSet s;
  for (const TRect& r : rects)
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) s.insert({x, y});
  return s;
}

// The banded form: sorted by top then left, bands share top and bottom, spans of
// a band neither touch nor overlap, and adjacent equal bands are merged.
void ExpectCanonical(const TRegion& rgn) {
  const auto& v = rgn.Rects();
  for (size_t i = 0; i < v.size(); ++i) {
    ASSERT_FALSE(v[i].IsEmpty());
    if (i == 0) continue;
    const TRect& p = v[i - 1];
    const TRect& c = v[i];
    if (p.Top == c.Top) {
      ASSERT_EQ(p.Bottom, c.Bottom);
      ASSERT_LT(p.Right, c.Left) << "touching or overlapping spans in a band";
    } else {
      ASSERT_GE(c.Top, p.Bottom) << "bands overlap";
    }
  }
  // Adjacent bands with equal spans must have been merged.
  size_t i = 0;
  std::vector<std::pair<size_t, size_t>> bands;
  while (i < v.size()) {
    size_t j = i;
    while (j < v.size() && v[j].Top == v[i].Top) ++j;
    bands.push_back({i, j});
    i = j;
  }
  for (size_t b = 1; b < bands.size(); ++b) {
    const auto [a0, a1] = bands[b - 1];
    const auto [b0, b1] = bands[b];
    if (v[a0].Bottom != v[b0].Top || a1 - a0 != b1 - b0) continue;
    bool same = true;
    for (size_t k = 0; k < a1 - a0; ++k)
      same = same && v[a0 + k].Left == v[b0 + k].Left && v[a0 + k].Right == v[b0 + k].Right;
    EXPECT_FALSE(same) << "unmerged equal bands at y=" << v[b0].Top;
  }
}

std::vector<TRect> RandomRects(std::mt19937& rng, int n) {
  std::uniform_int_distribution<int> c(-3, 14), s(0, 7);
  std::vector<TRect> v;
  for (int i = 0; i < n; ++i) {
    const int x = c(rng), y = c(rng);
    v.push_back(TRect{x, y, x + s(rng), y + s(rng)});
  }
  return v;
}

TEST(Region, OperationsMatchBruteForcePixelSets) {
  std::mt19937 rng(12345);
  for (int iter = 0; iter < 300; ++iter) {
    const auto ra = RandomRects(rng, 1 + iter % 7);
    const auto rb = RandomRects(rng, 1 + iter % 5);
    const TRegion a = TRegion::FromRects(ra), b = TRegion::FromRects(rb);
    const PixelSet pa = Pixels(ra), pb = Pixels(rb);
    ASSERT_EQ(Pixels(a.Rects()), pa);
    ExpectCanonical(a);

    PixelSet u = pa, in, diff, x;
    u.insert(pb.begin(), pb.end());
    for (auto p : pa) (pb.count(p) ? in : diff).insert(p);
    for (auto p : u)
      if (pa.count(p) != pb.count(p)) x.insert(p);

    const struct {
      const char* name;
      int mode;
      const PixelSet& want;
    } cases[] = {{"union", RGN_OR, u}, {"intersection", RGN_AND, in}, {"difference", RGN_DIFF, diff}, {"xor", RGN_XOR, x}};
    for (const auto& c : cases) {
      TRegion r;
      const int type = CombineRgn(r, a, b, c.mode);
      ASSERT_EQ(Pixels(r.Rects()), c.want) << c.name << " iteration " << iter;
      ExpectCanonical(r);
      EXPECT_EQ(type, c.want.empty() ? NULLREGION : r.Rects().size() == 1 ? SIMPLEREGION : COMPLEXREGION);
      // Same pixel set, same representation: equality is exact.
      EXPECT_EQ(r, TRegion::FromRects(std::vector<TRect>(r.Rects().rbegin(), r.Rects().rend())));
    }

    for (int y = -4; y < 23; ++y)
      for (int xx = -4; xx < 23; ++xx) ASSERT_EQ(a.Contains(xx, y), pa.count({xx, y}) == 1) << xx << "," << y;

    TRect bounds{};
    for (auto [px, py] : pa) bounds = UnionRect(bounds, TRect{px, py, px + 1, py + 1});
    EXPECT_EQ(a.Bounds(), bounds);

    const TRegion moved = a.Offset(5, -2);
    PixelSet pm;
    for (auto [px, py] : pa) pm.insert({px + 5, py - 2});
    EXPECT_EQ(Pixels(moved.Rects()), pm);
  }
}

TEST(Region, InPlaceUnionMatchesTheGeneralOne) {
  std::mt19937 rng(99);
  for (int iter = 0; iter < 200; ++iter) {
    TRegion acc, ref;
    for (int k = 0; k < 6; ++k) {
      // Mostly pieces at or below the last band, sometimes anywhere.
      auto rects = RandomRects(rng, 1 + k % 3);
      if (k % 4 != 3)
        for (TRect& r : rects) r = r.Offset(0, acc.IsEmpty() ? 0 : acc.Rects().back().Top + int(rng() % 3));
      const TRegion piece = TRegion::FromRects(rects);
      ref = ref.Union(piece);
      acc.UnionWith(piece);
      ASSERT_EQ(acc, ref) << "iteration " << iter << " step " << k;
      ASSERT_EQ(acc.Bounds(), ref.Bounds());
      ExpectCanonical(acc);
    }
    TRegion self = ref;
    CombineRgn(self, self, self, RGN_OR);
    EXPECT_EQ(self, ref);
  }
}

TEST(Region, EmptyRectanglesAndEmptyOperands) {
  EXPECT_TRUE(TRegion(TRect{5, 5, 5, 10}).IsEmpty());
  EXPECT_TRUE(TRegion(TRect{5, 5, 3, 10}).IsEmpty());
  const TRegion a(TRect{0, 0, 4, 4});
  EXPECT_EQ(a.Union(TRegion()), a);
  EXPECT_EQ(TRegion().Union(a), a);
  EXPECT_TRUE(a.Intersect(TRegion()).IsEmpty());
  EXPECT_EQ(a.Subtract(TRegion()), a);
  EXPECT_TRUE(a.Subtract(a).IsEmpty());
  EXPECT_EQ(TRegion().Bounds(), TRect{});
  EXPECT_EQ(CombineRgn(const_cast<TRegion&>(a), a, a, 99), RGN_ERROR);
}

TEST(Region, DataRoundTripAndMalformedHeaders) {
  const TRegion r = TRegion::FromRects(std::vector<TRect>{{0, 0, 3, 1}, {5, 0, 8, 1}, {0, 1, 3, 2}, {1, 4, 2, 6}});
  const auto data = r.Data();
  ASSERT_EQ(data.size(), 32 + 16 * r.Rects().size());
  const auto back = TRegion::FromData(data.data(), data.size());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, r);

  auto corrupt = [&](auto edit) {
    auto d = data;
    edit(d);
    return TRegion::FromData(d.data(), d.size()).has_value();
  };
  EXPECT_FALSE(corrupt([](auto& d) { d[0] = 31; })) << "header size";
  EXPECT_FALSE(corrupt([](auto& d) { d[4] = 2; })) << "type";
  EXPECT_FALSE(corrupt([](auto& d) { d[8] = 200; })) << "count beyond data";
  EXPECT_FALSE(corrupt([](auto& d) { d[11] = 0x80; })) << "huge count";
  EXPECT_FALSE(corrupt([](auto& d) { d.resize(d.size() - 1); })) << "short data";
  EXPECT_FALSE(TRegion::FromData(data.data(), 31).has_value());
  EXPECT_FALSE(TRegion::FromData(nullptr, 64).has_value());
  // Wrong bounds in the header are not trusted.
  EXPECT_TRUE(corrupt([](auto& d) { d[16] = 0x7F; }));
}

TEST(Region, ManyOneRowRectanglesFormBandsFast) {
  // A jagged 1920 x 1080 mask: two runs per row with moving edges.
  std::vector<TRect> rows;
  for (int y = 0; y < 1080; ++y) {
    const int e = (y * 7) % 23;
    rows.push_back({e, y, 900 - e, y + 1});
    rows.push_back({950 + e / 2, y, 1920 - e, y + 1});
  }
  const TRegion r = TRegion::FromRects(rows);
  ExpectCanonical(r);
  EXPECT_EQ(r.Bounds(), (TRect{0, 0, 1920, 1080}));
  for (int y = 0; y < 1080; y += 97) {
    const int e = (y * 7) % 23;
    EXPECT_TRUE(r.Contains(e, y));
    EXPECT_FALSE(r.Contains(e - 1, y));
    EXPECT_FALSE(r.Contains(920, y));
    EXPECT_TRUE(r.Contains(1920 - e - 1, y));
  }
  // The same rows added one by one into the growing region, in place.
  TRegion grown;
  for (const TRect& row : rows) CombineRgn(grown, grown, TRegion(row), RGN_OR);
  EXPECT_EQ(grown, r);
  // Rows that repeat merge into one band.
  std::vector<TRect> same;
  for (int y = 0; y < 1000; ++y) same.push_back({2, y, 9, y + 1});
  EXPECT_EQ(TRegion::FromRects(same), TRegion(TRect{2, 0, 9, 1000}));
}

}  // namespace
}  // namespace vx
