#include "platform/codecs/bmp.h"

#include <cstring>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

namespace vx {

namespace {

constexpr int64_t kFileHeaderSize = 14;
constexpr int64_t kInfoHeaderSize = 40;

[[noreturn]] void Invalid(const std::string& what) { throw EInvalidGraphic("Invalid bitmap: " + what); }

uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
void Put32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
  p[3] = uint8_t(v >> 24);
}
void Put16(uint8_t* p, uint16_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}

bool SupportedDepth(int bpp) { return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 24 || bpp == 32; }
// Largest colour table accepted: a full table up to 8 bits, and an optional
// table of up to 256 entries for 24 and 32 bits.
int64_t MaxColors(int bpp) { return bpp <= 8 ? (int64_t(1) << bpp) : 256; }

}  // namespace

TBmpImage ReadBmp(TStream& stream) {
  const int64_t start = stream.Position();
  const int64_t remaining = stream.Remaining();
  auto need = [&](int64_t upTo, const char* what) {
    if (upTo > remaining) {
      Invalid(std::string(what) + " truncated: " + std::to_string(upTo) + " bytes needed, " +
              std::to_string(remaining) + " remain");
    }
  };

  need(kFileHeaderSize + 4, "file header");
  uint8_t fh[kFileHeaderSize + 4];
  stream.ReadBuffer(fh, sizeof fh);
  if (fh[0] != 'B' || fh[1] != 'M') Invalid("missing \"BM\" signature");
  const uint32_t bfSize = U32(fh + 2);
  const uint32_t bfOffBits = U32(fh + 10);
  const uint32_t biSize = U32(fh + 14);
  if (biSize != 40 && biSize != 52 && biSize != 56 && biSize != 108 && biSize != 124) {
    Invalid("unsupported info header size " + std::to_string(biSize));
  }
  need(kFileHeaderSize + biSize, "info header");
  uint8_t ih[124];
  std::memcpy(ih, fh + 14, 4);
  stream.ReadBuffer(ih + 4, biSize - 4);

  TBmpImage img;
  const int32_t width = int32_t(U32(ih + 4));
  const int32_t rawHeight = int32_t(U32(ih + 8));
  const uint16_t bpp = U16(ih + 14);
  const uint32_t compression = U32(ih + 16);
  uint32_t clrUsed = U32(ih + 32);
  if (width < 0 || width > kBmpMaxDimension) Invalid("width " + std::to_string(width) + " out of range");
  if (rawHeight < -kBmpMaxDimension || rawHeight > kBmpMaxDimension) {
    Invalid("height " + std::to_string(rawHeight) + " out of range");
  }
  if (!SupportedDepth(bpp)) Invalid("unsupported bit depth " + std::to_string(bpp));
  if (compression != 0) Invalid("unsupported compression " + std::to_string(compression) + " (only BI_RGB)");
  img.Width = width;
  img.Height = rawHeight < 0 ? -rawHeight : rawHeight;
  img.TopDown = rawHeight < 0;
  img.BitCount = bpp;
  img.XPelsPerMeter = int32_t(U32(ih + 24));
  img.YPelsPerMeter = int32_t(U32(ih + 28));
  img.ColorsImportant = U32(ih + 36);

  int64_t colors = clrUsed != 0 ? int64_t(clrUsed) : (bpp <= 8 ? (int64_t(1) << bpp) : 0);
  if (colors > MaxColors(bpp)) Invalid("colour table of " + std::to_string(clrUsed) + " entries is too large");
  const int64_t headersEnd = kFileHeaderSize + biSize + colors * 4;
  const int64_t stride = img.Stride();
  const int64_t imageBytes = stride * img.Height;
  // Both the stored rows and their 32-bit form must stay under the cap, so that
  // every image read can also be converted.
  if (imageBytes > kBmpMaxPixelBytes || int64_t(img.Width) * img.Height * 4 > kBmpMaxPixelBytes) {
    Invalid("pixel data of " + std::to_string(img.Width) + "x" + std::to_string(img.Height) + " at " +
            std::to_string(bpp) + " bits exceeds the cap of " + std::to_string(kBmpMaxPixelBytes) + " bytes");
  }
  if (bfOffBits < headersEnd) {
    Invalid("pixel data offset " + std::to_string(bfOffBits) + " lies inside the headers (" +
            std::to_string(headersEnd) + " bytes)");
  }
  const int64_t pixelsEnd = int64_t(bfOffBits) + imageBytes;
  const int64_t fileSize = bfSize != 0 ? int64_t(bfSize) : pixelsEnd;
  if (fileSize < pixelsEnd) {
    Invalid("declared file size " + std::to_string(bfSize) + " is smaller than its pixel data end " +
            std::to_string(pixelsEnd));
  }
  need(fileSize, "bitmap file");

  img.Palette.resize(size_t(colors));
  for (auto& q : img.Palette) {
    uint8_t b[4];
    stream.ReadBuffer(b, 4);
    q = TRGBQuad{b[0], b[1], b[2], b[3]};
  }
  stream.SetPosition(start + bfOffBits);
  img.Pixels.resize(size_t(imageBytes));
  if (img.TopDown) {
    stream.ReadBuffer(img.Pixels.data(), imageBytes);
  } else {
    for (int32_t y = img.Height - 1; y >= 0; --y) stream.ReadBuffer(img.Row(y), stride);
  }
  stream.SetPosition(start + fileSize);
  return img;
}

int64_t WriteBmp(TStream& stream, const TBmpImage& img) {
  if (!SupportedDepth(img.BitCount)) Invalid("cannot write bit depth " + std::to_string(img.BitCount));
  if (img.Width < 0 || img.Width > kBmpMaxDimension || img.Height < 0 || img.Height > kBmpMaxDimension) {
    Invalid("cannot write dimensions " + std::to_string(img.Width) + "x" + std::to_string(img.Height));
  }
  const int64_t stride = img.Stride();
  const int64_t imageBytes = stride * img.Height;
  if (int64_t(img.Pixels.size()) != imageBytes) {
    Invalid("pixel buffer holds " + std::to_string(img.Pixels.size()) + " bytes, " + std::to_string(imageBytes) +
            " expected");
  }
  const int64_t colors = int64_t(img.Palette.size());
  if (colors > MaxColors(img.BitCount)) Invalid("colour table too large to write");
  const int64_t offBits = kFileHeaderSize + kInfoHeaderSize + colors * 4;
  const int64_t fileSize = offBits + imageBytes;

  uint8_t h[kFileHeaderSize + kInfoHeaderSize] = {};
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, uint32_t(fileSize));
  Put32(h + 10, uint32_t(offBits));
  uint8_t* ih = h + kFileHeaderSize;
  Put32(ih, uint32_t(kInfoHeaderSize));
  Put32(ih + 4, uint32_t(img.Width));
  Put32(ih + 8, uint32_t(img.TopDown ? -img.Height : img.Height));
  Put16(ih + 12, 1);
  Put16(ih + 14, img.BitCount);
  Put32(ih + 20, uint32_t(imageBytes));
  Put32(ih + 24, uint32_t(img.XPelsPerMeter));
  Put32(ih + 28, uint32_t(img.YPelsPerMeter));
  // A full table up to 8 bits is written with the count 0, as is customary.
  bool full = img.BitCount <= 8 && colors == (int64_t(1) << img.BitCount);
  Put32(ih + 32, full ? 0u : uint32_t(colors));
  Put32(ih + 36, img.ColorsImportant);
  if (!full && img.BitCount <= 8 && colors == 0) Invalid("a palette image needs a colour table");
  stream.WriteBuffer(h, sizeof h);
  for (const auto& q : img.Palette) {
    uint8_t b[4] = {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved};
    stream.WriteBuffer(b, 4);
  }
  if (img.TopDown) {
    stream.WriteBuffer(img.Pixels.data(), imageBytes);
  } else {
    for (int32_t y = img.Height - 1; y >= 0; --y) stream.WriteBuffer(img.Row(y), stride);
  }
  return fileSize;
}

std::vector<uint8_t> TBmpImage::ToBGRA() const {
  std::vector<uint8_t> out(size_t(int64_t(Width) * Height * 4));
  if (Empty()) return out;
  bool alphaUsed = false;
  if (BitCount == 32) {
    for (int32_t y = 0; y < Height && !alphaUsed; ++y) {
      const uint8_t* s = Row(y);
      for (int32_t x = 0; x < Width; ++x) {
        if (s[x * 4 + 3] != 0) {
          alphaUsed = true;
          break;
        }
      }
    }
  }
  const size_t nColors = Palette.size();
  for (int32_t y = 0; y < Height; ++y) {
    const uint8_t* s = Row(y);
    uint8_t* d = out.data() + int64_t(y) * Width * 4;
    for (int32_t x = 0; x < Width; ++x, d += 4) {
      switch (BitCount) {
        case 32:
          d[0] = s[x * 4];
          d[1] = s[x * 4 + 1];
          d[2] = s[x * 4 + 2];
          d[3] = alphaUsed ? s[x * 4 + 3] : 255;
          continue;
        case 24:
          d[0] = s[x * 3];
          d[1] = s[x * 3 + 1];
          d[2] = s[x * 3 + 2];
          d[3] = 255;
          continue;
        default:
          break;
      }
      unsigned index;
      if (BitCount == 8) {
        index = s[x];
      } else if (BitCount == 4) {
        index = (x & 1) ? (s[x >> 1] & 0x0F) : (s[x >> 1] >> 4);
      } else {
        index = (s[x >> 3] >> (7 - (x & 7))) & 1;
      }
      if (index < nColors) {
        d[0] = Palette[index].rgbBlue;
        d[1] = Palette[index].rgbGreen;
        d[2] = Palette[index].rgbRed;
      } else {
        d[0] = d[1] = d[2] = 0;
      }
      d[3] = 255;
    }
  }
  return out;
}

TBmpImage TBmpImage::Create(int32_t width, int32_t height, int bitCount) {
  if (!SupportedDepth(bitCount)) Invalid("unsupported bit depth " + std::to_string(bitCount));
  if (width < 0 || width > kBmpMaxDimension || height < 0 || height > kBmpMaxDimension) {
    Invalid("dimensions " + std::to_string(width) + "x" + std::to_string(height) + " out of range");
  }
  TBmpImage img;
  img.Width = width;
  img.Height = height;
  img.BitCount = uint16_t(bitCount);
  if (img.Stride() * height > kBmpMaxPixelBytes || int64_t(width) * height * 4 > kBmpMaxPixelBytes) {
    Invalid("pixel data exceeds the cap");
  }
  img.Pixels.assign(size_t(img.Stride() * height), 0);
  if (bitCount <= 8) img.Palette.assign(size_t(1) << bitCount, TRGBQuad{});
  return img;
}

TBmpImage TBmpImage::FromBGRA(int32_t width, int32_t height, const uint8_t* bgra, int bitCount) {
  if (bitCount != 24 && bitCount != 32) Invalid("FromBGRA makes 24- or 32-bit images only");
  TBmpImage img = Create(width, height, bitCount);
  const int bytes = bitCount / 8;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* s = bgra + int64_t(y) * width * 4;
    uint8_t* d = img.Row(y);
    for (int32_t x = 0; x < width; ++x) std::memcpy(d + x * bytes, s + x * 4, size_t(bytes));
  }
  return img;
}

}  // namespace vx
