// Image lists: equal-sized images with per-pixel alpha, drawn enabled or with a
// fixed disabled look.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/color.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dc.h"
#include "platform/gfx/graphics.h"

namespace vx {

// ImageList_DrawEx styles and colours.
enum : uint32_t { ILD_NORMAL = 0, ILD_TRANSPARENT = 1, ILD_BLEND25 = 2, ILD_BLEND50 = 4, ILD_FOCUS = 2, ILD_SELECTED = 4 };
constexpr TColor CLR_NONE = static_cast<TColor>(0xFFFFFFFFu);
constexpr TColor CLR_DEFAULT = static_cast<TColor>(0xFF000000u);

class TImageList {
 public:
  explicit TImageList(int width = 16, int height = 16);
  virtual ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  int Width() const { return w_; }
  int Height() const { return h_; }
  // Changing a size clears the list. Values below 1 count as 1.
  void SetWidth(int w);
  void SetHeight(int h);
  void SetSize(int w, int h);
  int Count() const { return int(images_.size()); }

  // Adds image cut into Width-wide cells (a narrower image is one cell, its
  // missing part transparent); rows below Height are ignored. A 32-bit image
  // with some alpha other than 0 keeps its alpha; otherwise pixels whose mask
  // pixel is not black are transparent (no mask: all opaque). Returns the index
  // of the first image added.
  int Add(const TBitmap& image, const TBitmap* mask = nullptr);
  // As Add, with the pixels of maskColor transparent (clDefault: the colour of
  // the image's bottom-left pixel).
  int AddMasked(const TBitmap& image, TColor maskColor);
  int AddIcon(const TIcon& icon);
  // Throws EListError for an index outside 0..Count-1.
  void Delete(int index);
  void Clear();
  // The image as straight-alpha 0xAARRGGBB pixels, Width x Height.
  const std::vector<uint32_t>& Image(int index) const;
  // Copies image `index` into a 32-bit bitmap with afDefined alpha.
  void GetBitmap(int index, TBitmap& out) const;

  // Drawn behind the images when ImageList_DrawEx gets CLR_DEFAULT; clNone
  // (the default) draws nothing behind them.
  TColor BkColor() const { return bk_; }
  void SetBkColor(TColor c) { bk_ = c; }

  // Draws image `index` at (x, y); an index outside the list draws nothing.
  // Disabled images are drawn in grey: every pixel's colour becomes
  // v = (255 + (77 R + 150 G + 29 B) / 256) / 2 in all three channels, alpha kept.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
  void Draw(HDC dc, int x, int y, int index, bool enabled = true);

 protected:
  // The one drawing path; subclasses may draw their own way.
  virtual void DoDraw(int index, HDC dc, int x, int y, uint32_t style, bool enabled);

 private:
  int w_, h_;
  TColor bk_ = clNone;
  std::vector<std::vector<uint32_t>> images_;
  friend bool ImageList_DrawEx(const TImageList&, int, HDC, int, int, int, int, TColor, TColor, uint32_t);
};

// Draws image i at (x, y). dx, dy: the part drawn from the image's top-left (0:
// the whole width or height). rgbBk: CLR_NONE draws nothing behind the image,
// CLR_DEFAULT the list's BkColor (nothing when that is clNone), another colour
// fills the cell first; ILD_TRANSPARENT draws nothing behind it whatever rgbBk.
// ILD_BLEND25 / ILD_BLEND50 mix the image's colour with rgbFg (CLR_DEFAULT or
// CLR_NONE: clHighlight) by 25 % / 50 %: c' = c + (fg - c) * p / 100, truncated.
// The image is drawn by its alpha (premultiplied and AlphaBlend-ed).
bool ImageList_DrawEx(const TImageList& list, int i, HDC dc, int x, int y, int dx, int dy, TColor rgbBk,
                      TColor rgbFg, uint32_t style);

}  // namespace vx
