// Writes one PNG per effect family into the test output folder: a row per
// effect, five frames (p = 10, 30, 50, 70, 90) per row, for looking at.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "effects/zt_bitmap.h"
#include "effects/zt_effect.h"

namespace vx {
namespace {

void Chunk(std::FILE* f, const char* type, const std::vector<uint8_t>& data) {
  const uint32_t n = uint32_t(data.size());
  const uint8_t len[4] = {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)};
  std::fwrite(len, 1, 4, f);
  std::fwrite(type, 1, 4, f);
  if (n) std::fwrite(data.data(), 1, n, f);
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
  if (n) crc = crc32(crc, data.data(), n);
  const uint8_t c[4] = {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)};
  std::fwrite(c, 1, 4, f);
}

// RGB, 8 bits per channel, filter 0 on every row.
bool WritePng(const std::string& path, const TztBitmap& b) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < b.Height(); ++y) {
    raw.push_back(0);
    for (int x = 0; x < b.Width(); ++x) {
      const uint32_t p = b.Pixel(x, y);
      raw.push_back(uint8_t(p >> 16));
      raw.push_back(uint8_t(p >> 8));
      raw.push_back(uint8_t(p));
    }
  }
  uLongf size = compressBound(uLong(raw.size()));
  std::vector<uint8_t> z(size);
  if (compress2(z.data(), &size, raw.data(), uLong(raw.size()), 6) != Z_OK) return false;
  z.resize(size);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::fwrite(sig, 1, 8, f);
  const uint32_t w = uint32_t(b.Width()), h = uint32_t(b.Height());
  Chunk(f, "IHDR", {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w), uint8_t(h >> 24),
                    uint8_t(h >> 16), uint8_t(h >> 8), uint8_t(h), 8, 2, 0, 0, 0});
  Chunk(f, "IDAT", z);
  Chunk(f, "IEND", {});
  return std::fclose(f) == 0;
}

constexpr int kW = 96, kH = 64, kGap = 4;
constexpr int kProgress[] = {10, 30, 50, 70, 90};

// Before: dark blue with light stripes; after: orange and cream checks.
TztBitmap Before() {
  TztBitmap b(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) b.SetPixel(x, y, (x + y) % 16 < 3 ? 0xFFB0C8F0u : 0xFF203070u);
  return b;
}
TztBitmap After() {
  TztBitmap b(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) b.SetPixel(x, y, ((x / 12) + (y / 12)) % 2 ? 0xFFF08020u : 0xFFF8E8C0u);
  return b;
}

void WriteStrip(const std::string& family, const std::vector<std::string>& effects,
                const TztEffectSettings& settings = {}) {
  const int cols = int(std::size(kProgress));
  TztBitmap sheet(cols * (kW + kGap) + kGap, int(effects.size()) * (kH + kGap) + kGap);
  sheet.Fill(0xFF808080u);
  const TztBitmap before = Before();
  for (size_t row = 0; row < effects.size(); ++row) {
    const TztProcItem* item = FindEffectProc(effects[row]);
    ASSERT_NE(item, nullptr) << effects[row];
    TztFrameComposer comp(*item, settings, kW, kH);
    for (int c = 0; c < cols; ++c) {
      TztBitmap frame, after = After();
      comp.Compose(frame, before, after, kProgress[c]);
      frame.SetAlphaBlend(false);
      frame.DrawTo(sheet, kGap + c * (kW + kGap), kGap + int(row) * (kH + kGap));
    }
  }
  const std::string path = std::string(VX_TEST_OUT_DIR) + "/effects_" + family + ".png";
  EXPECT_TRUE(WritePng(path, sheet)) << path;
}

TEST(ZtStrip, WritesOneSheetPerFamily) {
  WriteStrip("sweeps", {"SmoothDiagonal", "SmoothDiagonalIn", "SmoothDiagonalOut", "SmoothDown", "SmoothIn",
                        "SmoothOut", "SlideDiagonal", "SlideDiagonalIn", "SlideDiagonalOut", "SlideDown", "SlideIn",
                        "SlideOut", "Fade", "FadeDiagonal", "FadeDiagonalIn", "FadeDiagonalOut", "FadeDown", "FadeIn",
                        "FadeOut", "RotateSlide", "RotateFade", "RotateSmooth"});
  WriteStrip("shapes", {"SmoothCrossOut", "SmoothCrossIn", "SmoothRectIn", "SmoothRectOut", "SlideCrossOut",
                        "SlideCrossIn", "SlideRectOut", "SlideRectIn", "FadeCrossOut", "FadeCrossIn", "FadeRectOut",
                        "FadeRectIn", "DiamondSlideIn", "DiamondFadeIn", "DiamondSmoothIn", "DiamondSlideOut",
                        "DiamondFadeOut", "DiamondSmoothOut"});
  WriteStrip("circles", {"CircleSlideOut", "CircleFadeOut", "CircleSmoothOut", "CircleSlideIn", "CircleFadeIn",
                         "CircleSmoothIn", "CircleSlide", "CircleFade", "CircleSmooth"});
  WriteStrip("noise", {"Pixel", "Pixel fade", "Pixel line", "Stream", "Plasma"});
  WriteStrip("moves_frames", {"Interlace", "Corner", "Slide", "Push", "Blur"});
  WriteStrip("tiles_rotated", {"CircleSlideOut", "SlideDown", "Corner", "Push"}, TztEffectSettings{2, 2, krRotate90});
}

}  // namespace
}  // namespace vx
