// TvxBitmap: a 32-bit pixel buffer (bytes B, G, R, A; top-down rows, stride
// exactly 4 * width) that composes itself by copying, colour keying or alpha
// blending, with nearest-neighbour stretching, and blurs. The blend, key test
// and stretch mapping are the shared ones of platform/gfx/pixel_core.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "platform/gfx/dc.h"
#include "platform/gfx/surface.h"

namespace vx {

class TBitmap;
class TCanvas;
class TGraphic;

// A read-only window on pixels, used by the drawing primitives so that any
// picture can be a source: 32-bit rows in memory (Bits), or any pixel surface
// (Surface, 24-bit pixels read with alpha 255).
struct TvxPixelView {
  const uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // in pixels
  const TSurface* Surface = nullptr;  // used when Bits is null
  bool Empty() const { return (Bits == nullptr && Surface == nullptr) || Width <= 0 || Height <= 0; }
  // n pixels of row y from column x (inside the picture) as 0xAARRGGBB: a
  // pointer into the pixels, or buf filled from a 24-bit surface.
  const uint32_t* Span(int x, int y, int n, uint32_t* buf) const {
    if (Bits != nullptr) return Bits + static_cast<ptrdiff_t>(y) * Stride + x;
    return Surface->ReadSpan(x, y, n, buf);
  }
};

// Views on a pixel surface or on the pixels of a platform bitmap.
TvxPixelView ViewOf(const TSurface* surface);
TvxPixelView ViewOf(const TBitmap& bitmap);

class TvxBitmap {
 public:
  TvxBitmap();
  TvxBitmap(int width, int height);
  ~TvxBitmap();
  TvxBitmap(const TvxBitmap&) = delete;
  TvxBitmap& operator=(const TvxBitmap&) = delete;
  TvxBitmap(TvxBitmap&& other) noexcept;
  TvxBitmap& operator=(TvxBitmap&& other) noexcept;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }

  // Negative sizes count as their absolute value; a zero width or height, or
  // the current size, changes nothing. Otherwise the pixels are recreated, all 0,
  // and selected into the bitmap's device context (the same context for the
  // bitmap's whole life, so a canvas on it stays valid). A size that cannot be
  // had raises EOutOfResources "Can't allocate the DIB handle" and leaves the
  // bitmap empty.
  void SetSize(int width, int height);
  // Releases the pixel memory; the bitmap becomes 0 x 0.
  void Clear();

  // The memory device context with the pixels selected; null before the first
  // SetSize. Drawing onto it from another TvxBitmap composes pixel by pixel.
  HDC DC() const { return dc_.get(); }
  const TSurfacePtr& Surface() const { return surface_; }

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  bool HasAlpha() const { return hasAlpha_; }
  void SetHasAlpha(bool v) { hasAlpha_ = v; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }

  // Same size, pixels, name and flags as Source.
  void Assign(const TvxBitmap& source);
  // From a platform bitmap: a 32-bit one gives all four bytes and then
  // CheckAlpha; any other its colours with alpha 255. An empty one empties this.
  void Assign(const TBitmap& source);
  // From any other graphic: drawn stretched over this bitmap's current size on a
  // magenta background; pixels left exactly magenta are not copied; then alpha 255.
  void Assign(TGraphic& source);
  // Dest becomes a 32-bit bitmap of the same size with these pixels.
  void AssignTo(TBitmap& dest) const;

  // A canvas on the bitmap's device context, made on first request; it stays
  // valid across SetSize.
  TCanvas& Canvas();

  uint32_t* ScanLine(int y) { return bits_ + static_cast<ptrdiff_t>(y) * width_; }
  const uint32_t* ScanLine(int y) const { return bits_ + static_cast<ptrdiff_t>(y) * width_; }
  uint32_t* PixelPtr(int x, int y) { return ScanLine(y) + x; }
  const uint32_t* PixelPtr(int x, int y) const { return ScanLine(y) + x; }
  uint32_t* Bits() { return bits_; }
  const uint32_t* Bits() const { return bits_; }
  // Coordinates outside the bitmap are ignored (SetPixel) or give 0 (Pixel).
  void SetPixel(int x, int y, uint32_t value);
  uint32_t Pixel(int x, int y) const;
  TvxPixelView View() const { return {bits_, width_, height_, width_, nullptr}; }
  // Any TvxBitmap can be handed where a source view is expected.
  operator TvxPixelView() const { return View(); }

  // The alpha byte of every pixel becomes a.
  void FillAlpha(uint8_t a);
  // HasAlpha becomes true when some alpha is neither 0 nor 255.
  void CheckAlpha();
  // Each colour byte becomes the nearest integer to a * c / 255.
  void PreMultiply();
  // Each colour byte becomes min(c, a).
  void ClampColorsToAlpha();
  // Pixels whose red, green and blue each differ by less than 6 from color
  // become the key pixel with alpha 0; Transparent tells whether any matched.
  void SetTransparentColor(TColor color);
  // Alpha = nearest (R + G + B) / 3 of the mask pixel at the same place. Only
  // the area both bitmaps cover is changed.
  void AlphaFromMask(const TvxBitmap& mask);
  void AlphaFromMaskPremultiplied(const TvxBitmap& mask);
  // Clipped to the bitmap; blends Value over the pixels when HasAlpha, else sets them.
  void FillRect(const TRect& rect, uint32_t value);

  // Composes this bitmap onto Target at (x, y), or its SrcRect stretched into
  // DestRect: blend when HasAlpha, key when Transparent, else copy.
  void DrawTo(TvxBitmap& target, int x, int y) const;
  void DrawToRect(TvxBitmap& target, const TRect& destRect, const TRect& srcRect) const;

  // Composes the bitmap (or SrcRect of it, stretched into DestRect) onto a device
  // context: blend when HasAlpha, key when Transparent, else copy. A context that
  // belongs to a TvxBitmap is composed into directly when it has no clip;
  // otherwise the destination is read back, composed and written back through
  // the context, so its origin and clip apply.
  void Draw(HDC dc, int x, int y) const;
  void Draw(TCanvas& canvas, int x, int y) const;
  void DrawRect(HDC dc, const TRect& destRect, const TRect& srcRect) const;

  // Stack blur of red, green and blue with the given radius; every pixel gets
  // alpha 255. A radius <= 0 does nothing.
  void StackBlur(int radius);

 private:
  void Allocate(int width, int height);

  int width_ = 0;
  int height_ = 0;
  uint32_t* bits_ = nullptr;
  TSurfacePtr surface_;
  TDCPtr dc_;
  std::unique_ptr<TCanvas> canvas_;
  bool hasAlpha_ = false;
  bool transparent_ = false;
  std::string name_;
};

// The TvxBitmap whose device context dc is, or null. Every TvxBitmap with a
// device context is listed from its first SetSize until it is destroyed.
TvxBitmap* FindBitmapByDC(HDC dc);

}  // namespace vx
