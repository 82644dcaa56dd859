// Arithmetic on skin coordinates. A skin may hold any coordinate up to
// 2^31 - 1, so positions derived from them (moved with the window's size,
// summed along a row of buttons) saturate at +-2^29, far beyond any window,
// instead of wrapping; the difference of two such positions still fits an int.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/core/geometry.h"

namespace vx {

constexpr int64_t kFrameCoordLimit = int64_t(1) << 29;

inline int SatCoord(int64_t v) { return static_cast<int>(std::clamp(v, -kFrameCoordLimit, kFrameCoordLimit)); }

inline TPoint SatMoved(TPoint p, int64_t dx, int64_t dy) { return {SatCoord(p.X + dx), SatCoord(p.Y + dy)}; }

// R with each edge moved by its own amount.
inline TRect SatMoved(const TRect& r, int64_t dl, int64_t dt, int64_t dr, int64_t db) {
  return {SatCoord(r.Left + dl), SatCoord(r.Top + dt), SatCoord(r.Right + dr), SatCoord(r.Bottom + db)};
}

}  // namespace vx

namespace vx {

// A corner point or rectangle of the skin's frame picture as the picture can
// give it: a coordinate beyond the picture is taken at its edge. Frames cut
// from a picture never reach outside it, so no strip grows beyond the window.
inline TPoint InPicture(TPoint p, int pw, int ph) { return {std::clamp(p.X, 0, pw), std::clamp(p.Y, 0, ph)}; }

inline TRect InPicture(const TRect& r, int pw, int ph) {
  return {std::clamp(r.Left, 0, pw), std::clamp(r.Top, 0, ph), std::clamp(r.Right, 0, pw), std::clamp(r.Bottom, 0, ph)};
}

}  // namespace vx
