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

// The masked row blend against the pixel rule, at every length up to past two
// sixteen-pixel steps, with masks made of runs of 0 and 255 (whole steps and
// broken ones) and partial values, key pixels of any alpha, and with the frame
// written over the before row or the before row being the after row itself.
TEST(PixelBlend, MaskedRowMatchesPixelRule) {
  uint32_t seed = 777;
  auto next = [&seed] { seed = seed * 1664525u + 1013904223u; return seed >> 8; };
  enum Alias { kNone, kFrameIsBefore, kBeforeIsAfter };
  for (Alias alias : {kNone, kFrameIsBefore, kBeforeIsAfter})
    for (size_t n = 0; n < 40; ++n)
      for (int round = 0; round < 30; ++round) {
        std::vector<uint8_t> mask(n);
        std::vector<uint32_t> after(n), before(n), frame(n, 0xDEADBEEFu);
        const uint32_t style = next() % 4;  // runs of 0, runs of 255, mixed runs, anything
        for (size_t i = 0; i < n; ++i) {
          const uint32_t r = next() % 16;
          mask[i] = style == 0 ? (r == 0 ? uint8_t(next()) : 0)
                  : style == 1 ? (r == 0 ? uint8_t(next()) : 255)
                  : style == 2 ? ((i / 16 + round) % 2 ? 255 : 0)
                               : (r < 4 ? 0 : r < 8 ? 255 : uint8_t(next()));
          after[i] = next() % 5 == 0 ? (next() << 24) | kKeyColor : next() | (next() << 24);
          before[i] = next() | (next() << 24);
        }
        std::vector<uint32_t> wantAfter(n), wantFrame(n);
        for (size_t i = 0; i < n; ++i) {
          const uint32_t d = alias == kBeforeIsAfter ? after[i] : before[i];
          wantAfter[i] = (after[i] & 0x00FFFFFFu) | (IsKey(after[i]) ? 0u : uint32_t(mask[i]) << 24);
          wantFrame[i] = BlendReference(wantAfter[i], d);
        }
        if (alias == kNone) {
          MaskBlendRow(after.data(), mask.data(), before.data(), frame.data(), n);
        } else if (alias == kFrameIsBefore) {
          MaskBlendRow(after.data(), mask.data(), before.data(), before.data(), n);
          frame = before;
        } else {
          MaskBlendRow(after.data(), mask.data(), after.data(), frame.data(), n);
        }
        ASSERT_EQ(after, wantAfter) << "length " << n << " alias " << alias << " style " << style;
        ASSERT_EQ(frame, wantFrame) << "length " << n << " alias " << alias << " style " << style;
      }
}

TEST(PixelBlend, VisiblePrefixStopsAtTheFirstClearPixel) {
  // Every length up to past a few four-pixel steps, the clear pixel at every
  // place or nowhere, next to pixels whose alpha is 1 (not clear).
  for (size_t n = 0; n < 14; ++n)
    for (size_t clear = 0; clear <= n; ++clear) {
      std::vector<uint32_t> row(n, 0x01FFFFFFu);
      if (clear < n) row[clear] = 0x00FFFFFFu;
      EXPECT_EQ(VisiblePrefix(row.data(), n), clear) << "length " << n;
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
  // Every length and offset of the four-pixel steps, against the rule per pixel.
  const uint32_t kinds[] = {0xFF7F007Fu, 0x807F007Fu, 0x007F007Fu, 0xFF7F017Fu, 0xFFFF007Fu, 0x12345678u};
  for (size_t n = 0; n < 19; ++n) {
    std::vector<uint32_t> row(n), want(n);
    for (size_t i = 0; i < n; ++i) {
      row[i] = kinds[(i * 7 + n) % 6];
      want[i] = IsKey(row[i]) ? row[i] & 0x00FFFFFFu : row[i];
    }
    ClearKeyAlpha(row.data(), n);
    EXPECT_EQ(row, want) << n;
  }
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
