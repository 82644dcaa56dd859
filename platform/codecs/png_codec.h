// PNG images through libpng, as 8-bit RGBA (or BGRA) pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace vx {

class TStream;

enum class TPngOrder { RGBA, BGRA };

struct TPngImage {
  int32_t Width = 0;
  int32_t Height = 0;
  // Width*Height pixels, 4 bytes each in the order asked for, top-down.
  std::vector<uint8_t> Pixels;
};

constexpr int32_t kPngMaxDimension = 32768;
constexpr int64_t kPngMaxPixelBytes = int64_t(256) << 20;

// Reads one PNG image at the stream's position and leaves the stream after its
// IEND chunk. Palette, grey, 16-bit and interlaced images are converted to
// 8-bit four-channel pixels (opaque where the image has no alpha). Every libpng
// error, a truncated stream and an image beyond the caps throw EInvalidGraphic.
TPngImage ReadPng(TStream& stream, TPngOrder order = TPngOrder::RGBA);
// Writes an 8-bit RGBA PNG; pixels are taken in the given order.
void WritePng(TStream& stream, const TPngImage& image, TPngOrder order = TPngOrder::RGBA);

}  // namespace vx
