// Pixel helpers shared by the caption object sources (not a public header).
#pragma once

#include "platform/core/geometry.h"
#include "platform/gfx/canvas.h"
#include "raster/raster_types.h"
#include "raster/vx_bitmap.h"

namespace vx::caption_detail {

inline int W(const TRect& r) { return r.Right - r.Left; }
inline int H(const TRect& r) { return r.Bottom - r.Top; }
inline bool IsEmptyRect(const TRect& r) { return W(r) <= 0 || H(r) <= 0; }
// Src no larger than Pic (a piece of a picture holds at most the picture);
// the same rectangle for every source within the picture.
inline TRect AtMostPicture(TRect src, const TvxBitmap& pic) {
  if (W(src) > pic.Width()) src.Right = src.Left + pic.Width();
  if (H(src) > pic.Height()) src.Bottom = src.Top + pic.Height();
  return src;
}

// Copies Src of Pic 1:1 to (X, Y) of Dst; pixels outside the picture leave the
// destination alone. Nothing without a picture or for an empty rectangle.
void CopyPicRect(HDC dst, int x, int y, const TvxBitmap* pic, const TRect& src);
// A bitmap of Src's size holding that piece of Pic (black where the picture
// does not reach).
void PicPiece(TvxBitmap& out, const TvxBitmap* pic, const TRect& src);
// Blends A towards B at K by the morph kind into A (same size required).
void MorphInto(TvxBitmap& a, const TvxBitmap& b, TvxMorphKind kind, double k);
// Applies an image effect to the whole bitmap.
void ApplyImageEffect(TvxBitmap& bmp, TvxImageEffect effect);

}  // namespace vx::caption_detail
