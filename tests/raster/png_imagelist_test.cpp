#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/codecs/png_codec.h"
#include "platform/codecs/zlib_codec.h"
#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "platform/gfx/pixel_core.h"
#include "raster/png_imagelist.h"
#include "raster/vx_bitmap.h"

namespace vx {
namespace {

constexpr uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

// An 8-bit RGBA PNG from 0xAARRGGBB pixels, written by the codec.
std::vector<uint8_t> RgbaPng(int w, int h, const std::vector<uint32_t>& argb) {
  TPngImage img;
  img.Width = w;
  img.Height = h;
  for (uint32_t p : argb) {
    img.Pixels.push_back(uint8_t(p >> 16));
    img.Pixels.push_back(uint8_t(p >> 8));
    img.Pixels.push_back(uint8_t(p));
    img.Pixels.push_back(uint8_t(p >> 24));
  }
  TMemoryStream s;
  WritePng(s, img);
  return s.Bytes();
}

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  const uint32_t n = uint32_t(data.size());
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(n >> s));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uint32_t crc = Crc32(&out[start], out.size() - start);
  for (int s = 24; s >= 0; s -= 8) out.push_back(uint8_t(crc >> s));
}

// An 8-bit PNG of any colour type from raw sample rows (no filtering), with
// optional palette and transparency chunks, for the types the codec cannot write.
std::vector<uint8_t> RawPng(int w, int h, uint8_t colorType, const std::vector<uint8_t>& samples,
                            const std::vector<uint8_t>& plte = {}, const std::vector<uint8_t>& trns = {}) {
  std::vector<uint8_t> out = {137, 80, 78, 71, 13, 10, 26, 10};
  Chunk(out, "IHDR", {0, 0, 0, uint8_t(w), 0, 0, 0, uint8_t(h), 8, colorType, 0, 0, 0});
  if (!plte.empty()) Chunk(out, "PLTE", plte);
  if (!trns.empty()) Chunk(out, "tRNS", trns);
  const size_t rowBytes = samples.size() / size_t(h);
  std::vector<uint8_t> raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), samples.begin() + y * rowBytes, samples.begin() + (y + 1) * rowBytes);
  }
  Chunk(out, "IDAT", ZCompress(raw.data(), raw.size()));
  Chunk(out, "IEND", {});
  return out;
}

TvxPngImage Load(const std::vector<uint8_t>& bytes) {
  TvxPngImage png;
  png.LoadFromData(bytes);
  return png;
}

TEST(PngImage, LoadsOneFileKeepingItsBytesAndLeavesTheStreamAfterIt) {
  const auto a = RgbaPng(2, 1, {Argb(255, 10, 20, 30), Argb(100, 1, 2, 3)});
  const auto b = RgbaPng(1, 1, {Argb(0, 0, 0, 0)});
  std::vector<uint8_t> both = a;
  both.insert(both.end(), b.begin(), b.end());
  TMemoryStream s(both);
  TvxPngImage png;
  png.LoadFromStream(s);
  EXPECT_EQ(s.Position(), int64_t(a.size()));
  EXPECT_EQ(png.Width(), 2);
  EXPECT_EQ(png.Height(), 1);
  EXPECT_EQ(png.ColorType(), TvxPngImage::TColorType::RGBAlpha);
  EXPECT_EQ(png.Pixel(0, 0), Argb(255, 10, 20, 30));
  EXPECT_EQ(png.Pixel(1, 0), Argb(100, 1, 2, 3));
  EXPECT_EQ(png.Data(), a);
  TMemoryStream saved;
  png.SaveToStream(saved);
  EXPECT_EQ(saved.Bytes(), a);

  png.LoadFromStream(s);
  EXPECT_EQ(png.Width(), 1);
  EXPECT_EQ(s.Remaining(), 0);
}

TEST(PngImage, MalformedFilesRaiseAndKeepThePicture) {
  const auto good = RgbaPng(1, 1, {Argb(255, 1, 2, 3)});
  auto truncated = good;
  truncated.resize(good.size() - 6);
  auto badSignature = good;
  badSignature[1] = 'X';
  auto hugeChunk = good;
  hugeChunk[8] = 0x7F;  // IHDR length far beyond the data
  std::vector<uint8_t> noHeader = {137, 80, 78, 71, 13, 10, 26, 10};
  Chunk(noHeader, "IEND", {});
  auto corruptData = RawPng(2, 2, 2, std::vector<uint8_t>(12, 7));
  corruptData[corruptData.size() - 20] ^= 0xFF;  // inside the compressed rows
  const std::vector<std::vector<uint8_t>> cases = {{}, truncated, badSignature, hugeChunk, noHeader, corruptData};
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    TvxPngImage png = Load(good);
    EXPECT_THROW(png.LoadFromData(cases[i]), EInvalidGraphic);
    EXPECT_EQ(png.Width(), 1);
    EXPECT_EQ(png.Data(), good);
  }
}

TEST(PngImage, BitmapsFromPngsAndTheirTranslucentCopies) {
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    std::vector<uint32_t> alphas;       // decoded
    std::vector<uint32_t> translucent;  // disabled look
  };
  const Case cases[] = {
      {"rgba", RgbaPng(4, 1, {Argb(255, 9, 9, 9), Argb(100, 9, 9, 9), Argb(1, 9, 9, 9), 0}), {255, 100, 1, 0},
       {128, 50, 1, 0}},
      {"rgb", RawPng(2, 1, 2, {1, 2, 3, 4, 5, 6}), {255, 255}, {128, 128}},
      {"rgb with a transparent colour", RawPng(2, 1, 2, {1, 2, 3, 4, 5, 6}, {}, {0, 4, 0, 5, 0, 6}), {255, 0},
       {128, 0}},
      {"grey", RawPng(2, 1, 0, {50, 60}), {255, 255}, {127, 127}},
      {"grey with a transparent colour", RawPng(2, 1, 0, {50, 60}, {}, {0, 60}), {255, 0}, {127, 0}},
      {"palette", RawPng(2, 1, 3, {0, 1}, {10, 20, 30, 40, 50, 60}), {255, 255}, {127, 127}},
      {"palette with a transparent entry", RawPng(2, 1, 3, {0, 1}, {10, 20, 30, 40, 50, 60}, {0}), {0, 255},
       {0, 127}},
      {"grey with alpha", RawPng(2, 1, 4, {50, 255, 60, 200}), {255, 200}, {128, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TvxPngImage png = Load(c.file);
    TvxBitmap bmp, half;
    PngToBitmap(bmp, png);
    PngToTranslucentBitmap(half, png);
    ASSERT_EQ(bmp.Width(), int(c.alphas.size()));
    ASSERT_EQ(half.Width(), int(c.alphas.size()));
    for (int x = 0; x < bmp.Width(); ++x) {
      EXPECT_EQ(bmp.Pixel(x, 0) >> 24, c.alphas[x]) << x;
      EXPECT_EQ(half.Pixel(x, 0) >> 24, c.translucent[x]) << x;
      EXPECT_EQ(half.Pixel(x, 0) & 0xFFFFFF, bmp.Pixel(x, 0) & 0xFFFFFF) << x;
    }
  }
  // Colours are copied as they are; HasAlpha only for alphas other than 0 and 255.
  TvxBitmap bmp;
  PngToBitmap(bmp, Load(RawPng(2, 1, 3, {0, 1}, {10, 20, 30, 40, 50, 60})));
  EXPECT_EQ(bmp.Pixel(1, 0), Argb(255, 40, 50, 60));
  EXPECT_FALSE(bmp.HasAlpha());
  PngToBitmap(bmp, Load(RgbaPng(1, 1, {Argb(100, 1, 2, 3)})));
  EXPECT_TRUE(bmp.HasAlpha());
  PngToBitmap(bmp, TvxPngImage());
  EXPECT_TRUE(bmp.Empty());
}

struct PngList : ::testing::Test {
  TvxPngImageList list{nullptr, 4, 4};
  TvxPngImageItem* AddPng(const std::vector<uint32_t>& argb, int w = 2, int h = 2) {
    TvxPngImageItem* item = list.PngImages().Add();
    item->SetPngImage(Load(RgbaPng(w, h, argb)));
    return item;
  }
};

TEST_F(PngList, ItemsAreNamedByIndexAndKeepThePlatformListInStep) {
  for (int i = 0; i < 3; ++i) list.PngImages().Add();
  EXPECT_EQ(list.PngImages().Items(2)->Name(), "PngImage2");
  EXPECT_EQ(list.PngImages().Items(2)->DisplayName(), "PngImage2");
  EXPECT_EQ(list.Count(), 3);
  list.PngImages().Delete(1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.PngImages().Items(1)->Name(), "PngImage2");
  EXPECT_EQ(list.PngImages().Add()->Name(), "PngImage2");
  // The placeholders draw nothing through the platform list's own path.
  EXPECT_EQ(list.Image(0), std::vector<uint32_t>(16, 0u));

  TvxPngImageItem* item = list.PngImages().Items(0);
  item->SetName("");
  EXPECT_FALSE(item->DisplayName().empty());
  EXPECT_NE(item->DisplayName(), "PngImage0");
  list.PngImages().Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(PngList, AssigningAPictureCopiesItAndReportsTheChange) {
  TvxPngImageItem* item = list.PngImages().Add();
  int updates = 0;
  list.PngImages().OnUpdate = [&](TCollection*, TCollectionItem* changed) { updates += changed == item; };
  TvxPngImage png = Load(RgbaPng(1, 1, {Argb(255, 1, 2, 3)}));
  item->SetPngImage(png);
  png.LoadFromData(RgbaPng(2, 2, std::vector<uint32_t>(4, 0)));
  EXPECT_EQ(item->PngImage().Width(), 1);
  EXPECT_EQ(updates, 1);

  TvxPngImageList other(nullptr, 4, 4);
  other.PngImages().Assign(&list.PngImages());
  EXPECT_EQ(other.Count(), 1);
  EXPECT_EQ(other.PngImages().Items(0)->PngImage().Data(), item->PngImage().Data());
}

TEST_F(PngList, ANewSizeEmptiesTheListExceptWhileLoading) {
  AddPng(std::vector<uint32_t>(4, Argb(255, 1, 1, 1)));
  AddPng(std::vector<uint32_t>(4, Argb(255, 1, 1, 1)));
  list.SetPngWidth(4);  // same value: kept
  EXPECT_EQ(list.PngImages().Count(), 2);

  list.BeginLoad();
  list.SetPngWidth(24);
  list.SetPngHeight(24);
  list.EndLoad();
  EXPECT_EQ(list.PngImages().Count(), 2);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Width(), 24);

  list.SetPngHeight(16);
  EXPECT_EQ(list.PngHeight(), 16);
  EXPECT_EQ(list.PngImages().Count(), 0);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(PngList, DrawsThePngByItsAlphaStretchedToTheListSize) {
  const uint32_t red = Argb(255, 200, 0, 0), halfBlue = Argb(128, 0, 0, 250);
  AddPng({red, halfBlue, 0, red});
  list.PngImages().Add();  // no picture
  const uint32_t white = Argb(255, 255, 255, 255);
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled);
    TvxBitmap target(8, 8);
    target.FillRect(target.BoundsRect(), white);
    list.Draw(target.DC(), 2, 2, 0, enabled);
    list.Draw(target.DC(), 0, 0, 1, enabled);
    list.Draw(target.DC(), 0, 0, 7, enabled);
    auto shown = [&](uint32_t px) {
      if (!enabled) px = (px & 0xFFFFFF) | ((((px >> 24) + 1) / 2) << 24);
      return pixel::Blend(px, white) & 0xFFFFFF;
    };
    // Each PNG pixel covers 2 x 2 of the 4 x 4 cell at (2, 2).
    EXPECT_EQ(target.Pixel(2, 2) & 0xFFFFFF, shown(red));
    EXPECT_EQ(target.Pixel(3, 3) & 0xFFFFFF, shown(red));
    EXPECT_EQ(target.Pixel(4, 2) & 0xFFFFFF, shown(halfBlue));
    EXPECT_EQ(target.Pixel(2, 4) & 0xFFFFFF, white & 0xFFFFFF);
    EXPECT_EQ(target.Pixel(5, 5) & 0xFFFFFF, shown(red));
    EXPECT_EQ(target.Pixel(1, 1) & 0xFFFFFF, white & 0xFFFFFF);
    EXPECT_EQ(target.Pixel(6, 6) & 0xFFFFFF, white & 0xFFFFFF);
  }
}

TEST_F(PngList, ADisabledOpaquePngShowsAtAlpha128) {
  AddPng(std::vector<uint32_t>(4, Argb(255, 200, 100, 0)), 2, 2);
  TvxBitmap target(4, 4);
  target.FillRect(target.BoundsRect(), Argb(255, 0, 0, 0));
  list.Draw(target.DC(), 0, 0, 0, false);
  EXPECT_EQ(target.Pixel(0, 0) & 0xFFFFFF, (Argb(0, 100, 50, 0)));
}

}  // namespace
}  // namespace vx
