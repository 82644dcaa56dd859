// Skin picture builders: the nine-slice builders that resize a skin element by
// its corner points and client rectangle, the three-slice builders for bars and
// items, the border bands of window frames and the mask strips and region data
// that shape windows.
//
// Geometry: SkinRect R is the element inside the source picture; corner points
// and ClRect are relative to R's top-left corner; the New... values describe
// the target of Width x Height. "Copy" is a 1:1 copy of the destination piece's
// size from the source piece's top-left corner (reads outside the source
// picture are skipped); "stretch" maps the source piece onto the destination
// piece with the shared nearest-neighbour rule. A tiling step of zero or less
// paints nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/gfx/region.h"
#include "raster/raster_types.h"
#include "raster/vx_bitmap.h"

namespace vx {

// Nine-slice build of Dest (resized to Width x Height): edges first (stretched
// or tiled), the eight corner pieces over them, then the client when DrawClient
// (stretched by StretchType when ClientStretch, else tiled 1:1).
void CreateSkinImage(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint, TRect ClRect,
                     TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                     TRect NewClRect, TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect, int Width,
                     int Height, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                     bool BottomStretch, bool ClientStretch, TvxStretchType StretchType);

// The entry that popup windows and hints use; the same result as CreateSkinImage.
void CreateSkinImage2(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint, TRect ClRect,
                      TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                      TRect NewClRect, TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect, int Width,
                      int Height, bool DrawClient, bool LeftStretch, bool TopStretch, bool RightStretch,
                      bool BottomStretch, bool ClientStretch, TvxStretchType StretchType);

// Nine-slice build without the right edge and right corners: the top and
// bottom edges run on to Width (used by list view headers).
void CreateSkinImageNoRight(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, TPoint RBPoint, TRect ClRect,
                            TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint,
                            TRect NewClRect, TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect,
                            int Width, int Height, bool DrawClient, bool LeftStretch, bool TopStretch,
                            bool RightStretch, bool BottomStretch, bool ClientStretch,
                            TvxStretchType StretchType);

// Dest keeps its size; everything stretched, the corners of ClRect as points.
void CreateStretchImage(TvxBitmap& Dest, const TvxPixelView& Source, TRect SkinRect, TRect ClRect, bool DrawClient);

// The four bands of a Width x Height frame as separate bitmaps. A band whose
// size or source span is not positive is left empty (0 x 0).
void CreateSkinBorderImages(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, bool BottomStretch, bool RightStretch,
                            bool TopStretch, bool LeftStretch, int Height, int Width, TRect SkinRect,
                            const TvxPixelView& Source, TvxBitmap& BottomImage, TvxBitmap& RightImage,
                            TvxBitmap& TopImage, TvxBitmap& LeftImage, TRect NewClRect, TPoint NewRBPoint,
                            TPoint NewLBPoint, TPoint NewRTPoint, TPoint NewLTPoint, TRect ClRect,
                            TPoint RBPoint);

// Horizontal three-slice of height height(SkinRect): LOffset columns fixed on
// the left, ROffset on the right, the middle stretched or tiled between them.
void CreateHSkinImage(int LOffset, int ROffset, TvxBitmap& Dest, bool Stretch, int Width, TRect SkinRect,
                      const TvxPixelView& Source);
// The same without the right part: the middle runs on to Width.
void CreateHSkinImageLeft(int LOffset, int ROffset, TvxBitmap& Dest, bool Stretch, int Width, TRect SkinRect,
                          const TvxPixelView& Source);
// Only the middle, over the whole width.
void CreateHSkinImageCenter(int LOffset, int ROffset, TvxBitmap& Dest, bool Stretch, int Width, TRect SkinRect,
                            const TvxPixelView& Source);
// Vertical three-slice of width width(SkinRect).
void CreateVSkinImage(int TOffset, int BOffset, TvxBitmap& Dest, bool Stretch, int Height, TRect SkinRect,
                      const TvxPixelView& Source);

// ---- Masks and regions. A mask pixel belongs to the region when its red,
// green and blue are all 0.

// Size in bytes of the region data header.
constexpr int kRgnDataHeaderSize = 32;

// One rectangle per maximal run of black pixels of each row, in scan order,
// offset by (OffsetX, OffsetY).
std::vector<TRect> MaskRuns(const TvxPixelView& Mask, int OffsetX, int OffsetY);

// The platform's region data of the mask's black pixels: a 32-byte header (size
// 32, type 1, rectangle count, 0, bounds (OffsetX, OffsetY, OffsetX + mask width,
// OffsetY + mask height)) followed by the rectangles, 16 bytes each, little
// endian. The data grows with the mask; a mask without black pixels gives no
// data. Returns the size in bytes.
int CreateRgnDataFromMask(const TvxPixelView& Mask, int OffsetX, int OffsetY, std::vector<uint8_t>& Data);

// The four mask strips of a frame resized to Width x Height, by tiling only.
// Strips are rebuilt from scratch; parts no piece reaches stay black (inside).
void CreateSkinMaskStrips(TPoint LTPoint, TPoint RTPoint, TPoint LBPoint, int Height, int Width,
                          TvxBitmap& BottomStrip, TvxBitmap& RightStrip, TvxBitmap& LeftStrip, TvxBitmap& TopStrip,
                          const TvxPixelView& Mask, TRect NewClRect, TPoint NewRBPoint, TPoint NewLBPoint,
                          TPoint NewRTPoint, TPoint NewLTPoint, TRect ClRect, TPoint RBPoint);

// The region of the whole mask's black pixels (empty when there are none).
void CreateRegionFromMask(TRegion& Rgn, const TvxPixelView& Mask);

// The window region of an element resized from its mask: NewClRect united with
// the regions of the four mask strips (top at (0, 0), bottom at
// (0, NewClRect.Bottom), left at (0, NewClRect.Top), right at (NewClRect.Right,
// NewClRect.Top)). No region (nullopt) when NewRTPoint.X < NewLTPoint.X or
// NewLBPoint.Y < NewLTPoint.Y.
void CreateSkinRegion(std::optional<TRegion>& Rgn, TPoint LTPoint, TPoint RTPoint, int Height, int Width,
                      const TvxPixelView& Mask, TRect NewClRect, TPoint NewRBPoint, TPoint NewLBPoint,
                      TPoint NewRTPoint, TPoint NewLTPoint, TRect ClRect, TPoint RBPoint, TPoint LBPoint);

}  // namespace vx
