#include "platform/codecs/bmp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

namespace vx {
namespace {

// An image whose every pixel differs from its neighbours at the given depth.
TBmpImage Pattern(int32_t w, int32_t h, int bpp) {
  TBmpImage img = TBmpImage::Create(w, h, bpp);
  for (size_t i = 0; i < img.Palette.size(); ++i) {
    img.Palette[i] = TRGBQuad{uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3 + 1), 0};
  }
  const int64_t used = (int64_t(w) * bpp + 7) / 8;  // bytes of a row that hold pixels
  for (int32_t y = 0; y < h; ++y) {
    for (int64_t x = 0; x < used; ++x) img.Row(y)[x] = uint8_t(y * 31 + x * 17 + 5);
  }
  if (bpp < 8 && (w * bpp) % 8 != 0) {
    // Keep the unused low bits of the last byte zero, as writers do.
    uint8_t mask = uint8_t(0xFF << (8 - (w * bpp) % 8));
    for (int32_t y = 0; y < h; ++y) img.Row(y)[used - 1] &= mask;
  }
  return img;
}

TEST(Bmp, RoundTripKeepsDepthPaletteAndRows) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    for (bool topDown : {false, true}) {
      SCOPED_TRACE("bpp " + std::to_string(bpp) + (topDown ? " top-down" : " bottom-up"));
      TBmpImage img = Pattern(5, 3, bpp);
      img.TopDown = topDown;
      img.XPelsPerMeter = 2835;
      TMemoryStream m;
      m.WriteUInt8(0xAA);  // a bitmap inside a container starts anywhere
      int64_t size = WriteBmp(m, img);
      m.WriteUInt32(0x12345678);  // the next field right after it
      EXPECT_EQ(size, m.Size() - 5);
      m.SetPosition(1);
      TBmpImage back = ReadBmp(m);
      EXPECT_EQ(m.Position(), 1 + size);
      EXPECT_EQ(m.ReadUInt32(), 0x12345678u);
      EXPECT_EQ(back.Width, 5);
      EXPECT_EQ(back.Height, 3);
      EXPECT_EQ(back.BitCount, bpp);
      EXPECT_EQ(back.TopDown, topDown);
      EXPECT_EQ(back.XPelsPerMeter, 2835);
      EXPECT_EQ(back.Palette, img.Palette);
      EXPECT_EQ(back.Pixels, img.Pixels);
      EXPECT_EQ(back.ToBGRA(), img.ToBGRA());
      // Written again, the file is byte-identical.
      TMemoryStream again;
      WriteBmp(again, back);
      EXPECT_EQ(0, std::memcmp(again.Memory(), m.Memory() + 1, size_t(size)));
    }
  }
}

// Little-endian helpers for hand-made files.
void Put(std::vector<uint8_t>& v, uint32_t x, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(uint8_t(x >> (8 * i)));
}

// A BITMAPFILEHEADER + BITMAPINFOHEADER with the given fields, then `extra`.
std::vector<uint8_t> MakeFile(int32_t w, int32_t h, int bpp, uint32_t clrUsed, const std::vector<uint8_t>& extra,
                              int64_t bfSize = -1, int64_t offBits = -1, uint32_t compression = 0) {
  int64_t colors = clrUsed ? clrUsed : (bpp <= 8 ? 1 << bpp : 0);
  std::vector<uint8_t> v{'B', 'M'};
  Put(v, uint32_t(bfSize >= 0 ? bfSize : 54 + int64_t(extra.size())), 4);
  Put(v, 0, 4);
  Put(v, uint32_t(offBits >= 0 ? offBits : 54 + colors * 4), 4);
  Put(v, 40, 4);
  Put(v, uint32_t(w), 4);
  Put(v, uint32_t(h), 4);
  Put(v, 1, 2);
  Put(v, uint32_t(bpp), 2);
  Put(v, compression, 4);
  Put(v, 0, 4);
  Put(v, 0, 4);
  Put(v, 0, 4);
  Put(v, clrUsed, 4);
  Put(v, 0, 4);
  v.insert(v.end(), extra.begin(), extra.end());
  return v;
}

TBmpImage ReadBytes(const std::vector<uint8_t>& bytes) {
  TMemoryStream m(bytes);
  return ReadBmp(m);
}

TEST(Bmp, HandMadeFilesDecodeToTheRightPixels) {
  // 2x2, 24 bits, bottom-up: the first row in the file is the bottom row.
  // Rows are 6 bytes of pixels + 2 of padding.
  std::vector<uint8_t> px24 = {1, 2, 3, 4, 5, 6, 0, 0,  // bottom: (1,2,3) (4,5,6)
                               7, 8, 9, 10, 11, 12, 0, 0};
  auto bgra = ReadBytes(MakeFile(2, 2, 24, 0, px24)).ToBGRA();
  EXPECT_EQ(std::vector<uint8_t>(bgra.begin(), bgra.begin() + 4), (std::vector<uint8_t>{7, 8, 9, 255}));
  EXPECT_EQ(std::vector<uint8_t>(bgra.begin() + 8, bgra.begin() + 12), (std::vector<uint8_t>{1, 2, 3, 255}));
  // The same rows with a negative height are top-down.
  bgra = ReadBytes(MakeFile(2, -2, 24, 0, px24)).ToBGRA();
  EXPECT_EQ(bgra[0], 1);

  // 1 bit, two colours, 3x1: bits 1,0,1 -> white, black, white.
  std::vector<uint8_t> pal1 = {0, 0, 0, 0, 255, 255, 255, 0, 0xA0, 0, 0, 0};
  bgra = ReadBytes(MakeFile(3, 1, 1, 0, pal1)).ToBGRA();
  EXPECT_EQ(bgra, (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255}));

  // 4 bits with a 2-entry table: index 3 lies beyond it and reads as black.
  std::vector<uint8_t> pal4 = {10, 20, 30, 0, 40, 50, 60, 0, 0x13, 0, 0, 0};
  bgra = ReadBytes(MakeFile(2, 1, 4, 2, pal4)).ToBGRA();
  EXPECT_EQ(bgra, (std::vector<uint8_t>{40, 50, 60, 255, 0, 0, 0, 255}));

  // 32 bits: an all-zero fourth byte means opaque, otherwise it is the alpha.
  bgra = ReadBytes(MakeFile(2, 1, 32, 0, {1, 2, 3, 0, 4, 5, 6, 0})).ToBGRA();
  EXPECT_EQ(bgra, (std::vector<uint8_t>{1, 2, 3, 255, 4, 5, 6, 255}));
  bgra = ReadBytes(MakeFile(2, 1, 32, 0, {1, 2, 3, 0, 4, 5, 6, 128})).ToBGRA();
  EXPECT_EQ(bgra, (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 128}));
}

TEST(Bmp, ExtentFollowsTheFileSizeField) {
  std::vector<uint8_t> px = {1, 2, 3, 0};  // 1x1, 24 bits
  // bfSize 0: the file ends where the rows end.
  auto file = MakeFile(1, 1, 24, 0, px, 0);
  file.push_back(0xEE);
  TMemoryStream m(file);
  ReadBmp(m);
  EXPECT_EQ(m.Position(), 58);
  // bfSize beyond the rows (trailing bytes inside the file) is consumed whole,
  // and a gap before bfOffBits is skipped.
  std::vector<uint8_t> gapped = {9, 9, 1, 2, 3, 0, 7, 7};
  file = MakeFile(1, 1, 24, 0, gapped, 54 + 8, 56);
  file.push_back(0xEE);
  TMemoryStream g(file);
  EXPECT_EQ(ReadBmp(g).ToBGRA(), (std::vector<uint8_t>{1, 2, 3, 255}));
  EXPECT_EQ(g.ReadUInt8(), 0xEE);
}

TEST(Bmp, BadFilesThrowInvalidGraphic) {
  struct Case {
    const char* name;
    std::function<std::vector<uint8_t>()> make;
    const char* messagePart;
  };
  const std::vector<uint8_t> px = {1, 2, 3, 0};
  const Case cases[] = {
      {"empty", [] { return std::vector<uint8_t>{}; }, "truncated"},
      {"short header", [] { return std::vector<uint8_t>{'B', 'M', 0, 0}; }, "truncated"},
      {"signature", [&] { auto f = MakeFile(1, 1, 24, 0, px); f[0] = 'X'; return f; }, "signature"},
      {"info header size", [&] { auto f = MakeFile(1, 1, 24, 0, px); f[14] = 12; return f; }, "info header"},
      {"info header cut", [&] { auto f = MakeFile(1, 1, 24, 0, px); f.resize(30); return f; }, "truncated"},
      {"width too large", [&] { return MakeFile(40000, 1, 24, 0, px); }, "width"},
      {"negative width", [&] { return MakeFile(-1, 1, 24, 0, px); }, "width"},
      {"height too large", [&] { return MakeFile(1, 40000, 24, 0, px); }, "height"},
      {"height INT_MIN", [&] { return MakeFile(1, INT32_MIN, 24, 0, px); }, "height"},
      {"16 bits", [&] { return MakeFile(1, 1, 16, 0, px); }, "bit depth"},
      {"RLE", [&] { return MakeFile(1, 1, 8, 0, px, -1, -1, 1); }, "compression"},
      {"colour table", [&] { return MakeFile(1, 1, 8, 300, px); }, "colour table"},
      {"pixel cap", [&] { return MakeFile(32768, 32768, 32, 0, px); }, "cap"},
      // 128 MiB of 1-bit rows would convert to 4 GiB of 32-bit pixels.
      {"converted pixel cap", [&] { return MakeFile(32768, 32768, 1, 0, px); }, "cap"},
      {"offset in headers", [&] { return MakeFile(1, 1, 24, 0, px, -1, 20); }, "offset"},
      {"size below rows", [&] { return MakeFile(1, 1, 24, 0, px, 55); }, "smaller"},
      {"rows missing", [&] { return MakeFile(4, 4, 24, 0, px); }, "smaller"},
      {"rows missing, size 0", [&] { return MakeFile(4, 4, 24, 0, px, 0); }, "truncated"},
      {"size beyond data", [&] { return MakeFile(1, 1, 24, 0, px, 1000); }, "truncated"},
      {"huge size field", [&] { return MakeFile(1, 1, 24, 0, px, 0xFFFFFFF0); }, "truncated"},
      {"palette cut", [] { return MakeFile(1, 1, 8, 0, {1, 2, 3}, 0); }, "truncated"},
  };
  for (const auto& c : cases) {
    try {
      ReadBytes(c.make());
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << c.name << ": " << e.what();
    }
  }
}

TEST(Bmp, WriterRefusesInconsistentImages) {
  TBmpImage img = TBmpImage::Create(3, 2, 24);
  img.Pixels.pop_back();
  TMemoryStream m;
  EXPECT_THROW(WriteBmp(m, img), EInvalidGraphic);
  TBmpImage pal = TBmpImage::Create(2, 2, 8);
  pal.Palette.clear();
  EXPECT_THROW(WriteBmp(m, pal), EInvalidGraphic);
  EXPECT_THROW(TBmpImage::Create(1, 1, 16), EInvalidGraphic);
  EXPECT_EQ(m.Size(), 0);
}

TEST(Bmp, FromBGRAKeepsPixels) {
  const uint8_t px[] = {1, 2, 3, 40, 5, 6, 7, 80};
  TBmpImage img32 = TBmpImage::FromBGRA(2, 1, px, 32);
  EXPECT_EQ(img32.ToBGRA(), std::vector<uint8_t>(px, px + 8));
  TBmpImage img24 = TBmpImage::FromBGRA(2, 1, px, 24);
  EXPECT_EQ(img24.ToBGRA(), (std::vector<uint8_t>{1, 2, 3, 255, 5, 6, 7, 255}));
}

}  // namespace
}  // namespace vx
