#include "platform/gfx/surface.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/core/exceptions.h"

namespace vx {

std::shared_ptr<TSurface> TSurface::Create(int width, int height, TPixelFormat format) {
  if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
    throw EOutOfResources("Invalid surface size " + std::to_string(width) + " x " + std::to_string(height));
  const size_t bpp = format == TPixelFormat::pf32bit ? 4 : 3;
  const size_t stride = (size_t(width) * bpp + 3) & ~size_t(3);
  const size_t bytes = stride * size_t(height);
  if (bytes > kMaxBytes) throw EOutOfResources("Surface too large: " + std::to_string(bytes) + " bytes");
  uint8_t* bits = nullptr;
  if (bytes > 0) {
    bits = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!bits) throw EOutOfResources("Out of memory for a " + std::to_string(width) + " x " +
                                     std::to_string(height) + " surface");
  }
  return std::shared_ptr<TSurface>(new TSurface(width, height, format, stride, bits));
}

TSurface::TSurface(int width, int height, TPixelFormat format, size_t stride, uint8_t* bits)
    : width_(width), height_(height), format_(format), stride_(stride), bits_(bits) {}

TSurface::~TSurface() { std::free(bits_); }

uint32_t TSurface::GetPixel(int x, int y) const {
  if (format_ == TPixelFormat::pf32bit) return Row32(y)[x];
  const uint8_t* p = Row(y) + size_t(x) * 3;
  return 0xFF000000u | uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
}

void TSurface::SetPixel(int x, int y, uint32_t pixel) {
  if (format_ == TPixelFormat::pf32bit) {
    Row32(y)[x] = pixel;
    return;
  }
  uint8_t* p = Row(y) + size_t(x) * 3;
  p[0] = uint8_t(pixel);
  p[1] = uint8_t(pixel >> 8);
  p[2] = uint8_t(pixel >> 16);
}

const uint32_t* TSurface::ReadSpan(int x, int y, int n, uint32_t* out) const {
  if (format_ == TPixelFormat::pf32bit) return Row32(y) + x;
  const uint8_t* p = Row(y) + size_t(x) * 3;
  for (int i = 0; i < n; ++i, p += 3)
    out[i] = 0xFF000000u | uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
  return out;
}

void TSurface::WriteSpan(int x, int y, int n, const uint32_t* px) {
  if (format_ == TPixelFormat::pf32bit) {
    uint32_t* d = Row32(y) + x;
    if (d != px) std::memmove(d, px, size_t(n) * 4);
    return;
  }
  uint8_t* p = Row(y) + size_t(x) * 3;
  for (int i = 0; i < n; ++i, p += 3) {
    p[0] = uint8_t(px[i]);
    p[1] = uint8_t(px[i] >> 8);
    p[2] = uint8_t(px[i] >> 16);
  }
}

uint32_t ColorToPixel(TColor color) {
  const uint32_t c = uint32_t(ColorToRGB(color));
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace vx
