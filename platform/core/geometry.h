// Rectangles and points: signed 32-bit, right and bottom exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

namespace vx {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  // Empty when the width or height is zero or negative.
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  constexpr bool Contains(const TRect& r) const {
    return r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom;
  }
  constexpr TRect Offset(int32_t dx, int32_t dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  constexpr TRect Inflate(int32_t dx, int32_t dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }

  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int32_t l, int32_t t, int32_t r, int32_t b) { return {l, t, r, b}; }
constexpr TRect Bounds(int32_t x, int32_t y, int32_t w, int32_t h) { return {x, y, x + w, y + h}; }
constexpr TPoint Point(int32_t x, int32_t y) { return {x, y}; }

// Intersection; an empty result is returned as the all-zero rectangle.
constexpr TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}

// Smallest rectangle holding both; an empty operand is ignored.
constexpr TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? TRect{} : b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace vx
