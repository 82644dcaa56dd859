#include "platform/gfx/pixel_core.h"

#include <gtest/gtest.h>

#include <vector>

namespace vx::pixel {
namespace {

// Per-byte reference of the blend rule.
uint32_t BlendReference(uint32_t s, uint32_t d) {
  const uint32_t a = s >> 24;
  if (a == 255) return s;
  if (a == 0) return d;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sb = (s >> shift) & 0xFF, db = (d >> shift) & 0xFF;
    out |= (((sb * a + db * (256 - a)) >> 8) & 0xFF) << shift;
  }
  return out;
}

TEST(PixelBlend, MatchesPerByteReferenceOverAlphaAndExtremes) {
  const uint32_t colours[] = {0x00000000u, 0x00FFFFFFu, 0x00C8C8C8u, 0x00123456u, 0x00FF00FFu};
  const uint32_t dests[] = {0x00000000u, 0xFFFFFFFFu, 0x64646464u, 0x80FF0001u};
  for (uint32_t a = 0; a < 256; ++a)
    for (uint32_t c : colours)
      for (uint32_t d : dests) {
        const uint32_t s = (a << 24) | c;
        ASSERT_EQ(Blend(s, d), BlendReference(s, d)) << std::hex << s << " over " << d;
      }
}

TEST(PixelBlend, RowMatchesPixelRuleOnEveryLengthAndMix) {
  // Rows mixing opaque, clear and partial alphas, at lengths that leave every
  // remainder of a four-pixel step.
  uint32_t seed = 12345;
  auto next = [&seed] { seed = seed * 1664525u + 1013904223u; return seed; };
  for (size_t n = 0; n < 19; ++n)
    for (int round = 0; round < 40; ++round) {
      std::vector<uint32_t> src(n), dst(n), expected(n);
      for (size_t i = 0; i < n; ++i) {
        const uint32_t kind = next() % 4;
        const uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : (next() >> 24);
        src[i] = (a << 24) | (next() & 0x00FFFFFFu);
        dst[i] = next();
        expected[i] = BlendReference(src[i], dst[i]);
      }
      BlendRow(dst.data(), src.data(), n);
      ASSERT_EQ(dst, expected) << "length " << n;
    }
}

TEST(PixelBlend, HalfAlphaExample) {
  // (200 * 128 + 100 * 128) >> 8 = 150 on the colour bytes; alpha (128 * 128 + 100 * 128) >> 8 = 114.
  EXPECT_EQ(Blend(0x80C8C8C8u, 0x64646464u), 0x72969696u);
}

TEST(PixelKey, KeyRowSkipsKeyPixelsWhateverTheirAlpha) {
  std::vector<uint32_t> dst = {1, 2, 3, 4};
  const std::vector<uint32_t> src = {0x007F007Fu, 0xFF7F007Fu, 0x00112233u, 0x807F0080u};
  KeyRow(dst.data(), src.data(), dst.size());
  EXPECT_EQ(dst, (std::vector<uint32_t>{1, 2, 0xFF112233u, 0xFF7F0080u}));
}

TEST(PixelKey, ClearKeyAlpha) {
  std::vector<uint32_t> p = {0xFF7F007Fu, 0xFF7F007Eu};
  ClearKeyAlpha(p.data(), p.size());
  EXPECT_EQ(p, (std::vector<uint32_t>{0x007F007Fu, 0xFF7F007Eu}));
}

struct MapCase {
  int destLeft, destLen, srcLeft, srcLen;
  std::vector<int> expected;  // for x = destLeft .. destLeft + destLen - 1
};

class NearestMapping : public ::testing::TestWithParam<MapCase> {};

TEST_P(NearestMapping, SourceIndexes) {
  const MapCase& c = GetParam();
  std::vector<int> map(static_cast<size_t>(c.destLen));
  NearestMap(map.data(), c.destLeft, c.destLen, c.destLeft, c.destLen, c.srcLeft, c.srcLen);
  EXPECT_EQ(map, c.expected);
  for (int i = 0; i < c.destLen; ++i)
    EXPECT_EQ(NearestSource(c.destLeft + i, c.destLeft, c.destLen, c.srcLeft, c.srcLen), c.expected[size_t(i)]);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NearestMapping,
    ::testing::Values(
        // Identity.
        MapCase{0, 4, 0, 4, {0, 1, 2, 3}},
        // Enlarge 2 -> 5: x * 1 / 4 = 0, .25, .5 (even: 0), .75, 1.
        MapCase{0, 5, 0, 2, {0, 0, 0, 1, 1}},
        // Enlarge 3 -> 5 with offsets: x * 2 / 4 = 0, .5 (0), 1, 1.5 (2), 2.
        MapCase{10, 5, 7, 3, {7, 7, 8, 9, 9}},
        // Shrink 5 -> 3: x * 4 / 2 = 0, 2, 4.
        MapCase{0, 3, 0, 5, {0, 2, 4}},
        // One destination pixel takes the middle of the source: (2 * 3 + 4 - 1) div 2 = 4.
        MapCase{0, 1, 3, 4, {4}}));

TEST(NearestMapping, ClippedStartMatchesFullMap) {
  std::vector<int> full(37), part(20);
  NearestMap(full.data(), 5, 37, 5, 37, 2, 11);
  NearestMap(part.data(), 15, 20, 5, 37, 2, 11);
  for (size_t i = 0; i < part.size(); ++i) EXPECT_EQ(part[i], full[i + 10]);
}

}  // namespace
}  // namespace vx::pixel
