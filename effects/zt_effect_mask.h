// Building blocks of the mask procedures: the rounding helpers, the local random
// generator, the line and circle primitives that write opacity values into a
// W x H byte mask, the smooth ramp and the three inversions.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx::zt {

// a * b / c in 64 bits, rounded to the nearest integer with halves away from
// zero; -1 when c is 0 or the result does not fit in an int.
int MulDiv(int a, int b, int c);

// The nearest integer, halves to even (saturated to the int range).
int Nearest(double x);

// The fade value of a progress p: MulDiv(p, 255, 100).
inline int FadeValue(int p) { return MulDiv(p, 255, 100); }

// Linear congruential generator x := 134775813 x + 1 (mod 2^32); Next(n) steps
// it and returns (x * n) >> 32, a number in 0..n-1. Each procedure owns one, so a
// mask depends only on the procedure's arguments.
class TztRandom {
 public:
  explicit TztRandom(uint32_t seed) : x_(seed) {}
  uint32_t Next(uint32_t n) {
    x_ = x_ * 134775813u + 1u;
    return uint32_t((uint64_t(x_) * n) >> 32);
  }
  uint32_t State() const { return x_; }

 private:
  uint32_t x_;
};

// A W x H byte mask, row-major (index x + y * W). All writes skip cells outside.
struct TztMaskView {
  uint8_t* Data;
  int W;
  int H;

  size_t Size() const { return size_t(W) * size_t(H); }

  // The digital line from (x1, y1) to (x2, y2): the start cell, then one cell
  // per step of the longer axis; the shorter axis steps when its accumulated
  // error passes the longer length.
  void Line(int x1, int y1, int x2, int y2, uint8_t v) const;
  // Horizontal line across the whole mask (x = 0..W-1) at row y.
  void Row(int y, uint8_t v) const;
  // Two-pixel-thick midpoint circle outline of radius r around (cx, cy).
  void Circle(int r, int cx, int cy, uint8_t v) const;
  void Fill(uint8_t v) const;
};

// Values of the smooth ramp over n + 1 bands for progress p:
// grad(k) = MulDiv(Nearest(2p - k s), 255, 100) with s = 2p / n (2p when n = 0),
// 255 when p = 100 or when the value reaches 256.
class TztSmoothRamp {
 public:
  TztSmoothRamp(int p, int n);
  uint8_t operator()(int k) const;

 private:
  int p_;
  double s_;
};

// The three ways an "In" procedure turns the mask of its "Out" twin around.
// InvertTo: non-zero cells become 0, zero cells become v. Complement: 255 - x.
void InvertTo(uint8_t* mask, size_t n, uint8_t v);
void Complement(uint8_t* mask, size_t n);

}  // namespace vx::zt
