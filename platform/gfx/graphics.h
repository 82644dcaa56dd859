// Framework graphics: the bitmap (own 24- or 32-bit surface, device context and
// canvas; load and save as BMP) and the icon (colour with per-pixel alpha, or
// colour with an AND mask).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dc.h"
#include "platform/gfx/surface.h"

namespace vx {

class TStream;

class TGraphic {
 public:
  virtual ~TGraphic() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }
  // Draws the whole graphic stretched into r of the canvas.
  virtual void Draw(TCanvas& canvas, const TRect& r) = 0;
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool t);
  // Fires after a change of size, content loaded or assigned, or a property.
  std::function<void(TGraphic* sender)> OnChange;

  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);
  virtual void LoadFromStream(TStream& s) = 0;
  virtual void SaveToStream(TStream& s) = 0;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  bool transparent_ = false;
};

enum TTransparentMode { tmAuto, tmFixed };
// How the alpha byte of a 32-bit bitmap is used when it is drawn: not at all,
// as straight alpha, or as premultiplied alpha.
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const override;
  int Height() const override;
  void SetWidth(int w) { SetSize(w, Height()); }
  void SetHeight(int h) { SetSize(Width(), h); }
  // Keeps the pixels that stay inside; new pixels are 0. Negative sizes count as 0.
  // Throws EOutOfResources for sizes beyond the surface limits.
  void SetSize(int w, int h);
  TPixelFormat PixelFormat() const { return format_; }
  // Converts the pixels (32 to 24 drops alpha; 24 to 32 gives alpha 255).
  void SetPixelFormat(TPixelFormat f);
  TAlphaFormat AlphaFormat() const { return alphaFormat_; }
  void SetAlphaFormat(TAlphaFormat a);

  // The canvas on the bitmap's own device context (valid for the bitmap's life;
  // resizing keeps it working).
  TCanvas& Canvas();
  HDC DC() const { return dc_.get(); }
  const TSurfacePtr& Surface() const { return surface_; }
  // Address of row y; throws EInvalidGraphic "Scan line index out of range".
  uint8_t* ScanLine(int y);
  const uint8_t* ScanLine(int y) const;

  // The key colour used when Transparent: with tmAuto the colour of the
  // bottom-left pixel (clNone for an empty bitmap), else the colour set.
  TColor TransparentColor() const;
  // Sets the colour and switches to tmFixed.
  void SetTransparentColor(TColor c);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode m);

  // Transparent: key-colour blit; else by AlphaFormat (32-bit only): afDefined
  // premultiplies (div255(c * a)) and blends, afPremultiplied blends as it is
  // (AlphaBlend, AC_SRC_ALPHA, constant 255); else the canvas CopyMode blit. Stretching follows the nearest rule of dc.h.
  void Draw(TCanvas& canvas, const TRect& r) override;
  // BMP through the codec: 32-bit files give pf32bit (their alpha kept), every
  // other depth pf24bit. A failed load throws and leaves the bitmap unchanged.
  void LoadFromStream(TStream& s) override;
  // 24- or 32-bit BMP (by PixelFormat), bottom-up. Throws EInvalidGraphic for an
  // empty bitmap.
  void SaveToStream(TStream& s) override;

  // Copy of size, format, pixels and the transparency and alpha settings.
  void Assign(const TBitmap& src);
  // Any other graphic: drawn onto a 32-bit bitmap of its size.
  void Assign(TGraphic& src);

 private:
  void Recreate(int w, int h, TPixelFormat f, bool keep);
  TPixelFormat format_ = TPixelFormat::pf32bit;
  TAlphaFormat alphaFormat_ = afIgnored;
  TTransparentMode transparentMode_ = tmAuto;
  TColor transparentColor_ = clDefault;
  TSurfacePtr surface_;
  TDCPtr dc_;
  std::unique_ptr<TCanvas> canvas_;
};

// An icon: colour pixels (0xAARRGGBB) with straight per-pixel alpha, or colour
// pixels with an AND mask (1 = the screen shows through).
class TIcon : public TGraphic {
 public:
  TIcon() = default;
  static std::shared_ptr<TIcon> FromAlpha(int w, int h, const uint32_t* argb);
  static std::shared_ptr<TIcon> FromMask(int w, int h, const uint32_t* color, const uint8_t* andMask);
  // From bitmaps: a 32-bit colour bitmap with some alpha other than 0 gives an
  // alpha icon; otherwise mask pixels that are not black form the AND mask (no
  // mask: everything opaque). Throws EInvalidGraphic when the mask is smaller.
  static std::shared_ptr<TIcon> FromBitmaps(const TBitmap& color, const TBitmap* mask);

  int Width() const override { return w_; }
  int Height() const override { return h_; }
  bool HasAlpha() const { return hasAlpha_; }
  const std::vector<uint32_t>& Pixels() const { return color_; }
  const std::vector<uint8_t>& Mask() const { return mask_; }
  void Draw(TCanvas& canvas, const TRect& r) override;
  // Icon files are not read or written by this layer: both throw EInvalidGraphic.
  void LoadFromStream(TStream& s) override;
  void SaveToStream(TStream& s) override;

 private:
  int w_ = 0, h_ = 0;
  bool hasAlpha_ = false;
  std::vector<uint32_t> color_;
  std::vector<uint8_t> mask_;  // one byte per pixel, 1 = transparent
};

// DrawIconEx flags.
enum : uint32_t { DI_MASK = 1, DI_IMAGE = 2, DI_NORMAL = 3 };
// Draws the icon at (x, y) stretched (nearest rule) to cx x cy (0: its own
// size). Alpha icons are premultiplied (each colour byte c becomes div255(c * a))
// and drawn with AlphaBlend (AC_SRC_ALPHA, constant 255). Mask icons: DI_MASK ands the destination colour
// with the mask (kept where the mask is 1, black elsewhere), DI_IMAGE then xors
// the colour (so DI_NORMAL shows the colour where the mask is 0); written pixels
// get alpha 255.
bool DrawIconEx(HDC dc, int x, int y, const TIcon& icon, int cx, int cy, uint32_t flags);

}  // namespace vx
