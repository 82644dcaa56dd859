#include "platform/codecs/png_codec.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

namespace vx {
namespace {

TPngImage Sample(int32_t w, int32_t h) {
  TPngImage img;
  img.Width = w;
  img.Height = h;
  for (int32_t i = 0; i < w * h; ++i) {
    img.Pixels.insert(img.Pixels.end(), {uint8_t(i * 9), uint8_t(i * 5 + 1), uint8_t(255 - i), uint8_t(i * 40)});
  }
  return img;
}

// Encodes with libpng's simplified writer in another format (grey, 16-bit,
// colour-mapped) to check the conversions of the reader.
std::vector<uint8_t> EncodeAs(uint32_t format, const void* buffer, int32_t w, int32_t h, const void* colormap,
                              int colors) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(w);
  image.height = png_uint_32(h);
  image.format = format;
  image.colormap_entries = png_uint_32(colors);
  png_alloc_size_t size = 0;
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, buffer, 0, colormap));
  std::vector<uint8_t> out(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, buffer, 0, colormap));
  out.resize(size);
  return out;
}

TPngImage Decode(const std::vector<uint8_t>& bytes, TPngOrder order = TPngOrder::RGBA) {
  TMemoryStream m(bytes);
  return ReadPng(m, order);
}

TEST(Png, RoundTripInBothOrdersAndStopsAfterTheImage) {
  TPngImage img = Sample(7, 3);
  TMemoryStream m;
  WritePng(m, img);
  const int64_t pngSize = m.Size();
  m.WriteUInt32(0xCAFEBABE);
  m.SetPosition(0);
  TPngImage back = ReadPng(m);
  EXPECT_EQ(m.Position(), pngSize);
  EXPECT_EQ(back.Width, 7);
  EXPECT_EQ(back.Height, 3);
  EXPECT_EQ(back.Pixels, img.Pixels);
  m.SetPosition(0);
  TPngImage bgra = ReadPng(m, TPngOrder::BGRA);
  EXPECT_EQ(bgra.Pixels[0], img.Pixels[2]);
  EXPECT_EQ(bgra.Pixels[2], img.Pixels[0]);
  // Writing BGRA pixels with the BGRA order gives the same file.
  TMemoryStream m2;
  WritePng(m2, bgra, TPngOrder::BGRA);
  EXPECT_EQ(Decode(m2.Bytes()).Pixels, img.Pixels);
}

TEST(Png, OtherFormatsConvertToEightBitRgba) {
  const uint8_t grey[] = {0, 128, 255, 7};
  auto g = Decode(EncodeAs(PNG_FORMAT_GRAY, grey, 2, 2, nullptr, 0));
  EXPECT_EQ(g.Pixels, (std::vector<uint8_t>{0, 0, 0, 255, 128, 128, 128, 255, 255, 255, 255, 255, 7, 7, 7, 255}));

  // 16-bit linear grey+alpha: opaque full white and transparent black.
  const uint16_t grey16[] = {65535, 65535, 0, 0};
  auto g16 = Decode(EncodeAs(PNG_FORMAT_LINEAR_Y_ALPHA, grey16, 2, 1, nullptr, 0));
  ASSERT_EQ(g16.Pixels.size(), 8u);
  EXPECT_EQ(g16.Pixels[0], 255);
  EXPECT_EQ(g16.Pixels[3], 255);
  EXPECT_EQ(g16.Pixels[7], 0);

  // Colour-mapped with a transparent entry.
  const uint8_t cmap[] = {255, 0, 0, 255, 0, 0, 255, 0};
  const uint8_t idx[] = {0, 1};
  auto p = Decode(EncodeAs(PNG_FORMAT_RGBA_COLORMAP, idx, 2, 1, cmap, 2));
  EXPECT_EQ(p.Pixels, (std::vector<uint8_t>{255, 0, 0, 255, 0, 0, 255, 0}));
}

void PutBE(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(uint8_t(x >> s));
}

// A PNG signature and an IHDR chunk with a correct CRC.
std::vector<uint8_t> HeaderOnly(uint32_t w, uint32_t h) {
  std::vector<uint8_t> v = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> chunk = {'I', 'H', 'D', 'R'};
  PutBE(chunk, w);
  PutBE(chunk, h);
  chunk.insert(chunk.end(), {8, 6, 0, 0, 0});
  PutBE(v, 13);
  v.insert(v.end(), chunk.begin(), chunk.end());
  PutBE(v, uint32_t(crc32(0, chunk.data(), uInt(chunk.size()))));
  return v;
}

TEST(Png, BadDataThrowsInvalidGraphic) {
  TMemoryStream m;
  WritePng(m, Sample(4, 4));
  const auto good = m.Bytes();
  auto corrupt = good;
  corrupt[good.size() / 2] ^= 0xFF;
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"empty", {}},
      {"not a PNG", std::vector<uint8_t>(64, 'x')},
      {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + long(good.size()) - 20)},
      {"corrupt", corrupt},
      {"beyond the dimension cap", HeaderOnly(40000, 1)},
      {"beyond the pixel cap", HeaderOnly(30000, 30000)},
      {"header only", HeaderOnly(2, 2)},
  };
  for (const auto& [name, bytes] : cases) {
    EXPECT_THROW(Decode(bytes), EInvalidGraphic) << name;
  }
}

TEST(Png, WriterRefusesBadImagesAndReportsStreamErrors) {
  TMemoryStream m;
  TPngImage empty;
  EXPECT_THROW(WritePng(m, empty), EInvalidGraphic);
  TPngImage bad = Sample(2, 2);
  bad.Pixels.pop_back();
  EXPECT_THROW(WritePng(m, bad), EInvalidGraphic);
  std::string path = std::string(VX_TEST_OUT_DIR) + "/codecs_readonly.png";
  { TFileStream create(path, fmCreate); }
  TFileStream readOnly(path, fmOpenRead);
  EXPECT_THROW(WritePng(readOnly, Sample(2, 2)), EWriteError);
}

}  // namespace
}  // namespace vx
