// Regions as value types: a set of pixels held as banded rectangles. Rectangles
// are sorted by top, then left; rectangles of one band share top and bottom,
// never touch or overlap; vertically adjacent bands with the same spans are
// merged. That form is unique, so two regions are equal exactly when their
// rectangle lists are equal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/core/geometry.h"

namespace vx {

// Region types returned by the combining and clipping calls.
enum : int { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
// Combine modes.
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };

// Header of rectangle data, as masks are turned into regions: 32 bytes, then
// nCount rectangles of 16 bytes (left, top, right, bottom as 32-bit integers).
struct RGNDATAHEADER {
  uint32_t dwSize;    // 32
  uint32_t iType;     // RDH_RECTANGLES
  uint32_t nCount;    // number of rectangles
  uint32_t nRgnSize;  // bytes of rectangles, or 0
  TRect rcBound;      // not trusted when read
};
static_assert(sizeof(RGNDATAHEADER) == 32);
constexpr uint32_t RDH_RECTANGLES = 1;

class TRegion {
 public:
  TRegion() = default;  // empty
  explicit TRegion(const TRect& r);  // an empty rectangle gives the empty region

  // The union of any rectangles, in any order, overlapping or not (empty ones are
  // ignored). Bands are built in one sweep, so thousands of one-row rectangles
  // cost O(n log n).
  static TRegion FromRects(std::span<const TRect> rects);
  // From rectangle data (header and rectangles, see RGNDATAHEADER). Returns no
  // value when the header is not 32 bytes of type RDH_RECTANGLES or the data is
  // shorter than nCount rectangles. rcBound and nRgnSize are ignored.
  static std::optional<TRegion> FromData(const void* data, size_t size);
  // The rectangle data of this region (header then rectangles).
  std::vector<uint8_t> Data() const;

  bool IsEmpty() const { return rects_.empty(); }
  // NULLREGION, SIMPLEREGION (one rectangle) or COMPLEXREGION.
  int Type() const;
  // Smallest rectangle holding the region; all zero when empty.
  const TRect& Bounds() const { return bounds_; }
  const std::vector<TRect>& Rects() const { return rects_; }
  bool Contains(TPoint p) const;
  bool Contains(int x, int y) const { return Contains(TPoint{x, y}); }
  // True when some pixel of r is in the region.
  bool Intersects(const TRect& r) const;

  TRegion Union(const TRegion& o) const;
  // In place; when o starts at or below the last band (rows added top-down) only
  // the last band and o's rectangles are touched.
  TRegion& UnionWith(const TRegion& o);
  TRegion Intersect(const TRegion& o) const;
  TRegion Subtract(const TRegion& o) const;
  TRegion Xor(const TRegion& o) const;
  TRegion Intersect(const TRect& r) const;
  TRegion Offset(int dx, int dy) const;
  void OffsetBy(int dx, int dy);

  friend bool operator==(const TRegion& a, const TRegion& b) { return a.rects_ == b.rects_; }

 private:
  friend class TRegionOps;
  std::vector<TRect> rects_;
  TRect bounds_;
  void UpdateBounds();
};

// Win32-style entry points.
inline TRegion CreateRectRgn(int l, int t, int r, int b) { return TRegion(TRect{l, t, r, b}); }
inline TRegion CreateRectRgnIndirect(const TRect& r) { return TRegion(r); }
inline std::optional<TRegion> ExtCreateRegion(const void* data, size_t size) { return TRegion::FromData(data, size); }
// dest := a <mode> b (RGN_COPY: dest := a). Returns the type of the result, or
// RGN_ERROR for an unknown mode (dest unchanged). dest may be a or b; a union
// into one of its operands works in place (see UnionWith).
int CombineRgn(TRegion& dest, const TRegion& a, const TRegion& b, int mode);
int OffsetRgn(TRegion& rgn, int dx, int dy);
bool PtInRegion(const TRegion& rgn, int x, int y);
bool EqualRgn(const TRegion& a, const TRegion& b);
// Bounds into *r; returns the region type.
int GetRgnBox(const TRegion& rgn, TRect* r);

}  // namespace vx
