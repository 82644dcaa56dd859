// TztBitmap: the 32-bit top-down pixel buffer of the transition library (bytes
// B, G, R, A per pixel) on a surface with its own memory device context. Every
// frame of a transition is composed in buffers of this kind. Blending, the
// key-colour test and stretching go through the shared pixel loops of
// platform/gfx/pixel_core.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/core/geometry.h"
#include "platform/gfx/dc.h"

namespace vx {

class TztBitmap {
 public:
  TztBitmap() = default;
  TztBitmap(int W, int H) { SetSize(W, H); }
  // Copies get their own surface and device context.
  TztBitmap(const TztBitmap& other) { Assign(other); }
  TztBitmap& operator=(const TztBitmap& other) {
    Assign(other);
    return *this;
  }
  TztBitmap(TztBitmap&& other) noexcept;
  TztBitmap& operator=(TztBitmap&& other) noexcept;
  ~TztBitmap();

  // Negative values count as positive; a 0 in either, or the current size, does
  // nothing. A new buffer is cleared to 0. Throws EOutOfResources with "Can't
  // allocate the DIB handle" when the surface cannot be had (a side beyond
  // 32767 or more than 1 GiB counts as that); the buffer is then unchanged.
  void SetSize(int W, int H);
  bool IsEmpty() const { return width_ == 0 || height_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Drawing flags: AlphaBlend blends by the source alpha; Transparent (when
  // AlphaBlend is off) skips key-colour pixels; neither copies.
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool v) { alphaBlend_ = v; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; }

  // AlphaBlend := some pixel has an alpha other than 0 and 255.
  void CheckAlpha();
  // Every pixel's alpha := a.
  void SetAlpha(uint8_t a);
  // Key-colour pixels get alpha 0, the others keep theirs.
  void ClearKeyAlpha();

  // Pixel memory + 4 (X + Y W); no range check (the caller's coordinates).
  uint32_t* PixelPtr(int X, int Y) { return bits_ + (size_t(Y) * size_t(width_) + size_t(X)); }
  const uint32_t* PixelPtr(int X, int Y) const { return bits_ + (size_t(Y) * size_t(width_) + size_t(X)); }
  uint32_t* Pixels() { return bits_; }
  const uint32_t* Pixels() const { return bits_; }
  size_t PixelCount() const { return size_t(width_) * size_t(height_); }

  // The memory device context on the pixels (null while empty), and the buffer a
  // context belongs to (null for any other context).
  HDC DC() const { return dc_.get(); }
  static TztBitmap* FromDC(HDC dc);
  // Writes only for 0 <= X < Width and 0 <= Y < Height.
  void SetPixel(int X, int Y, uint32_t value);
  // The pixel at (X, Y), or 0 outside the buffer.
  uint32_t Pixel(int X, int Y) const;
  void Fill(uint32_t value);

  // Draws this buffer (or its part Src, clipped to the buffer) onto Dest with
  // its top-left corner at (X, Y), by the drawing flags. Drawing a buffer onto
  // itself reads the source as it was before the call.
  void DrawTo(TztBitmap& Dest, int X, int Y) const;
  void DrawTo(TztBitmap& Dest, int X, int Y, const TRect& Src) const;
  // Copies Src of this buffer into DestRect of Dest by the nearest-neighbour
  // stretch rule (no blending); parts outside either buffer are skipped.
  void StretchDrawTo(TztBitmap& Dest, const TRect& DestRect, const TRect& Src) const;

  // Draws onto a device context at logical (X, Y), optionally from Src, by the
  // drawing flags: a plain copy; with AlphaBlend the destination is read back,
  // blended and written back (clipped); with Transparent a transparent blit with
  // the key colour. The DestRect form stretches Src onto DestRect when their
  // sizes differ. A context of another TztBitmap is drawn buffer to buffer.
  void Draw(HDC dc, int X, int Y) const;
  void Draw(HDC dc, int X, int Y, const TRect& Src) const;
  void Draw(HDC dc, const TRect& DestRect, const TRect& Src) const;

  // Size, pixels and both flags.
  void Assign(const TztBitmap& Source);
  // Size and pixels from 32-bit memory rows (Stride bytes apart), then CheckAlpha.
  void Assign(const uint32_t* Pixels, int W, int H, size_t Stride);
  // From a surface: a 32-bit one row by row, then CheckAlpha; a 24-bit one with
  // alpha 255. An empty surface leaves the buffer as it is.
  void Assign(const TSurface& Source);
  void AssignTo(TztBitmap& Dest) const { Dest.Assign(*this); }

 private:
  void Release();

  TSurfacePtr surface_;
  TDCPtr dc_;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  bool alphaBlend_ = false;
  bool transparent_ = false;
};

}  // namespace vx
