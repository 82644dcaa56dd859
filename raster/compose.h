// Composing 32-bit pixel rectangles: the one place where a TvxBitmap, the
// drawing primitives and the device-context path copy, key or blend pixels,
// with the nearest-neighbour mapping of platform/gfx/pixel_core.h.
#pragma once

#include <cstdint>

#include "platform/core/geometry.h"
#include "raster/vx_bitmap.h"

namespace vx {

enum class TvxComposeMode { Copy, Blend, Key };

// A writable window on 32-bit pixels.
struct TvxPixelTarget {
  uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // in pixels
  uint32_t* Row(int y) const { return Bits + static_cast<ptrdiff_t>(y) * Stride; }
};

inline TvxPixelTarget TargetOf(TvxBitmap& b) { return {b.Bits(), b.Width(), b.Height(), b.Width()}; }

// Composes SrcRect of Src into DestRect of Dst. The destination rectangle is
// clipped to the target; nothing happens when the clipped rectangle is empty or
// when SrcRect is empty or not inside Src. Equal sizes copy 1:1, otherwise every
// destination pixel takes its nearest source pixel.
void ComposeRect(const TvxPixelTarget& dst, const TRect& destRect, const TvxPixelView& src,
                 const TRect& srcRect, TvxComposeMode mode);

// A 1:1 copy of SrcRect to (x, y), clipped against both the source and the
// target (parts outside either are left alone).
void CopyClipped(const TvxPixelTarget& dst, int x, int y, const TvxPixelView& src, const TRect& srcRect);

}  // namespace vx
