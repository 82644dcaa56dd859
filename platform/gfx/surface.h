// Pixel surfaces: the memory behind every device context. A 32-bit surface holds
// top-down rows of 0xAARRGGBB pixels (bytes B, G, R, A; stride 4 * width); a 24-bit
// surface holds top-down rows of B, G, R bytes, each row padded to a multiple of 4
// bytes. New surfaces are all zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/core/color.h"
#include "platform/core/geometry.h"

namespace vx {

enum class TPixelFormat { pf24bit, pf32bit };

class TSurface {
 public:
  // Largest width or height, and largest pixel memory, a surface may have.
  static constexpr int kMaxSide = 32767;
  static constexpr size_t kMaxBytes = size_t(1) << 30;

  // Throws EOutOfResources when a side is negative or beyond kMaxSide, or the
  // memory is beyond kMaxBytes or cannot be had. A zero side gives an empty surface.
  static std::shared_ptr<TSurface> Create(int width, int height, TPixelFormat format);

  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;
  ~TSurface();

  int Width() const { return width_; }
  int Height() const { return height_; }
  TPixelFormat Format() const { return format_; }
  int BytesPerPixel() const { return format_ == TPixelFormat::pf32bit ? 4 : 3; }
  // Bytes per row: 4 * width (32-bit) or 3 * width rounded up to a multiple of 4.
  size_t Stride() const { return stride_; }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }

  uint8_t* Bits() { return bits_; }
  const uint8_t* Bits() const { return bits_; }
  uint8_t* Row(int y) { return bits_ + size_t(y) * stride_; }
  const uint8_t* Row(int y) const { return bits_ + size_t(y) * stride_; }
  // Only for 32-bit surfaces.
  uint32_t* Row32(int y) { return reinterpret_cast<uint32_t*>(Row(y)); }
  const uint32_t* Row32(int y) const { return reinterpret_cast<const uint32_t*>(Row(y)); }

  // The pixel as 0xAARRGGBB (a 24-bit pixel reads with alpha 255). Coordinates
  // must be inside the surface.
  uint32_t GetPixel(int x, int y) const;
  // Writes 0xAARRGGBB (a 24-bit surface drops the alpha). Coordinates must be inside.
  void SetPixel(int x, int y, uint32_t pixel);

  // Reads n pixels of row y from column x into out as 0xAARRGGBB. Returns a
  // pointer straight into a 32-bit surface, or out filled from a 24-bit one.
  const uint32_t* ReadSpan(int x, int y, int n, uint32_t* out) const;
  // Writes n 0xAARRGGBB pixels to row y from column x.
  void WriteSpan(int x, int y, int n, const uint32_t* px);

 private:
  TSurface(int width, int height, TPixelFormat format, size_t stride, uint8_t* bits);
  int width_, height_;
  TPixelFormat format_;
  size_t stride_;
  uint8_t* bits_;
};

using TSurfacePtr = std::shared_ptr<TSurface>;

// 0xFFRRGGBB of a colour (system colours resolved).
uint32_t ColorToPixel(TColor color);
// The colour (0x00BBGGRR) of a pixel's colour part.
constexpr TColor PixelToColor(uint32_t p) {
  return static_cast<TColor>(((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16));
}

}  // namespace vx
