// TvxEffectBmp: a 24-bit buffer (bytes B, G, R; top-down rows padded to a
// multiple of 4 bytes) for the morphs between two states of a skinned element
// and the image effects that make a frame's inactive look.
#pragma once

#include <cstdint>
#include <random>

#include "platform/gfx/dc.h"
#include "platform/gfx/surface.h"
#include "raster/raster_types.h"

namespace vx {

class TvxBitmap;
class TBitmap;

class TvxEffectBmp {
 public:
  TvxEffectBmp() = default;
  // A black buffer; sizes below 0 count as 0. Raises EOutOfResources when the
  // pixel memory cannot be had.
  TvxEffectBmp(int width, int height);
  // A copy of the colour bytes of a 32-bit buffer or of any pixel surface (the
  // pixels of a platform bitmap).
  explicit TvxEffectBmp(const TvxBitmap& source);
  explicit TvxEffectBmp(const TSurface& source);
  explicit TvxEffectBmp(const TBitmap& source);
  TvxEffectBmp(const TvxEffectBmp&) = delete;
  TvxEffectBmp& operator=(const TvxEffectBmp&) = delete;
  TvxEffectBmp(TvxEffectBmp&& other) noexcept;
  TvxEffectBmp& operator=(TvxEffectBmp&& other) noexcept;
  ~TvxEffectBmp();

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Stride() const { return stride_; }  // bytes per row
  uint8_t* ScanLine(int y) { return surface_->Row(y); }
  const uint8_t* ScanLine(int y) const { return surface_->Row(y); }
  // Copies the whole buffer to the device context at (x, y).
  void Draw(HDC dc, int x, int y) const;

  // Pixel as 0x00RRGGBB; coordinates outside give 0 / are ignored.
  uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t rgb);
  // Writes the pixels into a 32-bit buffer of the same size (alpha 255).
  void CopyTo(TvxBitmap& dest) const;

  // Morphs towards B by progress k; a B of another size does nothing.
  void Morph(const TvxEffectBmp& b, double k);
  void MorphGradient(const TvxEffectBmp& b, double k);
  void MorphHGradient(const TvxEffectBmp& b, double k);
  void MorphVGradient(const TvxEffectBmp& b, double k);
  void MorphLeftGradient(const TvxEffectBmp& b, double k);
  void MorphRightGradient(const TvxEffectBmp& b, double k);
  void MorphLeftSlide(const TvxEffectBmp& b, double k);
  void MorphRightSlide(const TvxEffectBmp& b, double k);
  void MorphPush(const TvxEffectBmp& b, double k);
  // Dispatches on the morph kind.
  void MorphByKind(TvxMorphKind kind, const TvxEffectBmp& b, double k);

  void Brightness(double amount);
  void Darkness(double amount);
  void GrayScale();
  // Adds one uniform offset in -Range div 2 .. Range - 1 - Range div 2 per pixel.
  void AddNoise(int range);
  void AddNoise(int range, std::mt19937& rng);
  void SplitBlur(int amount);
  void Invert();
  // Applies an image effect keyword with its usual parameter.
  void ApplyEffect(TvxImageEffect effect);

 private:
  bool SameSize(const TvxEffectBmp& b) const { return b.width_ == width_ && b.height_ == height_; }
  // Column x of this buffer becomes w * A + (1 - w) * B of the same column.
  void MixColumn(const TvxEffectBmp& b, int x, double w);
  void MixRow(const TvxEffectBmp& b, int y, double w);
  void CopyColumnFrom(const TvxEffectBmp& b, int destX, int srcX);

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  TSurfacePtr surface_;
  mutable TDCPtr dc_;
};

}  // namespace vx
