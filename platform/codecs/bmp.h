// Device-independent bitmap files (BI_RGB, 1, 4, 8, 24 and 32 bits per pixel,
// bottom-up or top-down, with colour tables).
//
// A TBmpImage keeps what the file holds: bit depth, colour table and rows
// (palette indexes for 1 to 8 bits), so a picture read and written back is
// pixel-identical at the same depth. ToBGRA converts to 32-bit B, G, R, A rows.
//
// Extent of one bitmap file in a stream: it starts at the stream position and
// ends bfSize bytes later (the file header's size field); when bfSize is 0 it
// ends where the pixel rows end (bfOffBits + row bytes). ReadBmp leaves the
// stream right after that end, so the next field of a container starts there.
// biSizeImage is ignored on reading. Every size and dimension is checked
// against the caps below and against the bytes that remain before anything
// large is allocated; a violation throws EInvalidGraphic.
#pragma once

#include <cstdint>
#include <vector>

namespace vx {

class TStream;

struct TRGBQuad {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
  friend bool operator==(const TRGBQuad&, const TRGBQuad&) = default;
};

constexpr int32_t kBmpMaxDimension = 32768;
// Cap on the bytes of the rows as stored and of their 32-bit form alike.
constexpr int64_t kBmpMaxPixelBytes = int64_t(256) << 20;

struct TBmpImage {
  int32_t Width = 0;
  int32_t Height = 0;  // always >= 0; see TopDown
  uint16_t BitCount = 24;  // 1, 4, 8, 24 or 32
  bool TopDown = false;    // row order in the file; rows in Pixels are always top-down
  std::vector<TRGBQuad> Palette;
  // Rows top-down, Stride() bytes each (4-byte aligned, as in the file).
  std::vector<uint8_t> Pixels;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ColorsImportant = 0;

  static int64_t StrideFor(int32_t width, int bitCount) { return ((int64_t(width) * bitCount + 31) / 32) * 4; }
  int64_t Stride() const { return StrideFor(Width, BitCount); }
  bool Empty() const { return Width == 0 || Height == 0; }
  uint8_t* Row(int32_t y) { return Pixels.data() + int64_t(y) * Stride(); }
  const uint8_t* Row(int32_t y) const { return Pixels.data() + int64_t(y) * Stride(); }

  // Width*Height pixels, 4 bytes each (B, G, R, A), top-down. Palette indexes
  // beyond the colour table give black. Alpha is 255 except for 32-bit images,
  // whose fourth byte is the alpha, unless it is 0 in every pixel (the usual
  // unused byte), in which case the image is opaque.
  std::vector<uint8_t> ToBGRA() const;
  // A 24- or 32-bit image of B, G, R, A pixels (24 bits drop the alpha).
  static TBmpImage FromBGRA(int32_t width, int32_t height, const uint8_t* bgra, int bitCount = 32);
  // An empty image of the given depth with zeroed rows and, up to 8 bits, a
  // zeroed colour table of 2^bitCount entries.
  static TBmpImage Create(int32_t width, int32_t height, int bitCount);
};

// Reads one bitmap file at the stream's position (see above).
TBmpImage ReadBmp(TStream& stream);
// Writes one bitmap file (14-byte file header, 40-byte info header, colour
// table, rows in the image's TopDown order) and returns its size in bytes.
// Throws EInvalidGraphic for an image that is not self-consistent.
int64_t WriteBmp(TStream& stream, const TBmpImage& image);

}  // namespace vx
