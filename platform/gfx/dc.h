// Device contexts and blits. A device context draws into one pixel surface; it
// has an origin, a clip and a text state, all saved and restored as a whole.
//
// Coordinates. Drawing calls take logical coordinates. A logical point p lands on
// the surface at p - WindowOrg + ViewportOrg + DeviceOrigin. DeviceOrigin and the
// system clip belong to the owner of the context (the window system puts a
// window's client area there); the rest is the context's state. Clip regions
// given to SelectClipRgn are in device coordinates (relative to DeviceOrigin, not
// moved by the viewport or window origin); IntersectClipRect and ExcludeClipRect
// take logical coordinates. Every pixel written lies inside the surface, inside
// the system clip and inside the clip region.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"

namespace vx {

class TFontObject;
// A realised font (see font.h). Shared and immutable.
using HFONT = std::shared_ptr<const TFontObject>;

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
constexpr TColor CLR_INVALID = static_cast<TColor>(0xFFFFFFFFu);

// Raster operations of BitBlt and StretchBlt.
enum : uint32_t {
  SRCCOPY = 0x00CC0020u,    // dest = source
  SRCINVERT = 0x00660046u,  // dest = source xor dest (colour bytes)
  DSTINVERT = 0x00550009u,  // dest = not dest (colour bytes)
  BLACKNESS = 0x00000042u,  // dest = black, alpha 255
  WHITENESS = 0x00FF0062u,  // dest = white, alpha 255
};

// The constant-alpha blend of AlphaBlend.
constexpr uint8_t AC_SRC_OVER = 0;
constexpr uint8_t AC_SRC_ALPHA = 1;
struct BLENDFUNCTION {
  uint8_t BlendOp = AC_SRC_OVER;
  uint8_t BlendFlags = 0;
  uint8_t SourceConstantAlpha = 255;
  uint8_t AlphaFormat = 0;  // AC_SRC_ALPHA: the source is premultiplied with per-pixel alpha
};

class TDeviceContext {
 public:
  explicit TDeviceContext(TSurfacePtr surface = nullptr);
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;
  ~TDeviceContext();

  // The surface drawn into (may be null: then nothing is drawn and blits fail).
  const TSurfacePtr& Surface() const { return surface_; }
  // Puts another surface in; returns the previous one. Origin, clip and text state stay.
  TSurfacePtr SelectSurface(TSurfacePtr surface);

  // Owner side: where device (0, 0) lies on the surface, and a clip in surface
  // coordinates that no call of the context can widen (none = the whole surface).
  TPoint DeviceOrigin() const { return deviceOrigin_; }
  void SetDeviceOrigin(TPoint p);
  void SetSystemClip(std::optional<TRegion> surfaceRgn);
  const std::optional<TRegion>& SystemClip() const { return systemClip_; }

  // Logical to surface coordinates and back.
  TPoint LogicalToSurface(TPoint p) const;
  TRect LogicalToSurface(const TRect& r) const;
  TPoint SurfaceToLogical(TPoint p) const;
  // The pixels that may be written, in surface coordinates (surface bounds, system
  // clip and clip region intersected). Cached.
  const TRegion& EffectiveClip() const;

  struct State {
    TPoint viewportOrg, windowOrg;
    std::optional<TRegion> clip;  // device coordinates; none = no clip region
    HFONT font;                   // none = the default font (see font.h)
    TColor textColor = clBlack;
    TColor bkColor = clWhite;
    int bkMode = OPAQUE;
  };
  State& St() { return state_; }
  const State& St() const { return state_; }
  // Call after changing St().clip or an origin directly.
  void ClipChanged() { clipValid_ = false; }

  int Save();
  bool Restore(int level);
  int SaveLevel() const { return int(stack_.size()); }

 private:
  TSurfacePtr surface_;
  TPoint deviceOrigin_;
  std::optional<TRegion> systemClip_;
  State state_;
  std::vector<State> stack_;
  mutable TRegion clipCache_;
  mutable bool clipValid_ = false;
};

// Contexts are handed around as plain pointers; their owner holds a TDCPtr.
using HDC = TDeviceContext*;
using TDCPtr = std::unique_ptr<TDeviceContext>;
inline TDCPtr CreateMemoryDC(TSurfacePtr surface = nullptr) { return std::make_unique<TDeviceContext>(std::move(surface)); }
// The surface behind a context (null for a null context or one without surface).
TSurface* GetDCSurface(HDC dc);

// State. SaveDC returns the new save level (1 for the first save) or 0 for a null
// context. RestoreDC(dc, n) with n > 0 returns to the state saved at level n; a
// negative n goes back |n| levels; it fails for a level that was not saved.
int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);
bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old = nullptr);
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old = nullptr);
bool GetViewportOrgEx(HDC dc, TPoint* p);
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old = nullptr);
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* old = nullptr);
bool GetWindowOrgEx(HDC dc, TPoint* p);

// Clipping. These return the type of the resulting clip (NULLREGION, SIMPLEREGION,
// COMPLEXREGION) or RGN_ERROR. Without a clip region the starting point is the
// whole surface.
int IntersectClipRect(HDC dc, int l, int t, int r, int b);
int ExcludeClipRect(HDC dc, int l, int t, int r, int b);
// rgn in device coordinates; null removes the clip region.
int SelectClipRgn(HDC dc, const TRegion* rgn);
// mode RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF with the current clip, or RGN_COPY.
int ExtSelectClipRgn(HDC dc, const TRegion* rgn, int mode);
int OffsetClipRgn(HDC dc, int dx, int dy);
// The clip region in device coordinates: 1 and rgn set when there is one, 0 when none.
int GetClipRgn(HDC dc, TRegion& rgn);
// Bounds of what may be drawn, in logical coordinates; returns the clip type.
int GetClipBox(HDC dc, TRect* r);
bool PtVisible(HDC dc, int x, int y);
bool RectVisible(HDC dc, const TRect& r);

// Text state.
HFONT SelectFont(HDC dc, HFONT font);  // returns the previous font
HFONT GetCurrentFont(HDC dc);
TColor SetTextColor(HDC dc, TColor c);  // returns the previous colour
TColor GetTextColor(HDC dc);
TColor SetBkColor(HDC dc, TColor c);
TColor GetBkColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);

// Blits. Destination coordinates are logical in dst, source coordinates logical
// in src; the source's clip is not used. Source parts outside the source surface
// leave the destination as it was. A source and destination on the same surface
// may overlap. All return false for a null context, a missing surface, a
// negative size or an unknown operation.
bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, uint32_t rop);
// Nearest-neighbour stretch (any StretchBlt mode): destination column x of the w
// columns maps to source column vx::pixel::NearestSource(x, 0, w, sx, sw), that is
// sx + nearest((x) * (sw - 1) / (w - 1)) with halves to even, or the middle
// column (2 * sx + sw - 1) div 2 when w < 2; rows likewise. Sizes must be > 0
// (no mirroring); equal sizes are a BitBlt.
bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, uint32_t rop);
// Stretched like StretchBlt; source pixels whose colour is `key` are skipped, the
// others are written with alpha 255.
bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, TColor key);
// Stretched like StretchBlt. With sca the SourceConstantAlpha and div255(v) the
// nearest integer to v / 255:
//   AC_SRC_ALPHA (premultiplied source): s' = div255(s * sca) for each of the four
//     bytes, then d = min(255, s' + div255(d * (255 - alpha(s')))) for each byte;
//   otherwise: d = div255(s * sca + d * (255 - sca)) for blue, green and red, and
//     the alpha byte the same with a source alpha of 255.
// A 24-bit destination counts as alpha 255. Fails for BlendOp other than
// AC_SRC_OVER.
bool AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, BLENDFUNCTION bf);

// Pixels. GetPixel gives CLR_INVALID outside the clip (and so outside the surface).
TColor GetPixel(HDC dc, int x, int y);
// Writes the colour with alpha 255; returns it, or CLR_INVALID when clipped away.
TColor SetPixel(HDC dc, int x, int y, TColor c);
// Raw 0xAARRGGBB pixel: false outside the clip.
bool GetPixel32(HDC dc, int x, int y, uint32_t& px);
bool SetPixel32(HDC dc, int x, int y, uint32_t px);

// Read-back of a logical area of the surface, clip not applied, as 0xAARRGGBB
// rows (outStride in pixels; 24-bit pixels read with alpha 255). Pixels outside
// the surface are set to 0 and make the call return false.
bool ReadPixels(HDC dc, const TRect& r, uint32_t* out, size_t outStride);
// Writes w x h 0xAARRGGBB pixels at logical (x, y), clipped.
bool WritePixels(HDC dc, int x, int y, int w, int h, const uint32_t* px, size_t stride);

// Fills (clipped). FillPixels writes the raw pixel; FillSolidRect the colour with
// alpha 255; InvertRect flips the colour bytes (alpha kept).
void FillPixels(HDC dc, const TRect& r, uint32_t px);
void FillSolidRect(HDC dc, const TRect& r, TColor c);
void InvertRect(HDC dc, const TRect& r);
void FillRgn(HDC dc, const TRegion& rgn, TColor c);  // rgn in logical coordinates

}  // namespace vx
