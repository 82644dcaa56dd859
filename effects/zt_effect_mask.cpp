#include "effects/zt_effect_mask.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace vx::zt {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t num = int64_t(a) * int64_t(b);
  int64_t den = c;
  if (den < 0) { den = -den; num = -num; }
  const int64_t mag = num < 0 ? -num : num;
  int64_t q = (mag + den / 2) / den;  // rounds the magnitude, so halves go away from zero
  q = num < 0 ? -q : q;
  if (q > INT_MAX || q < INT_MIN) return -1;
  return int(q);
}

int Nearest(double x) {
  const double r = std::nearbyint(x);
  if (!(r > double(INT_MIN))) return INT_MIN;
  if (!(r < double(INT_MAX))) return INT_MAX;
  return int(r);
}

void TztMaskView::Fill(uint8_t v) const {
  if (W > 0 && H > 0) std::memset(Data, v, Size());
}

void TztMaskView::Row(int y, uint8_t v) const {
  if (W > 0 && y >= 0 && y < H) std::memset(Data + size_t(y) * size_t(W), v, size_t(W));
}

// The cell written at step t (0..m) of a line lies t cells along the longer axis
// and floor(((t + 1) d - 1) / m) cells along the shorter one (d its length; 0
// when d = 0). That closed form lets the line be clipped to the mask before it is
// walked, so long lines far outside cost nothing.
void TztMaskView::Line(int X1, int Y1, int X2, int Y2, uint8_t v) const {
  if (W <= 0 || H <= 0) return;
  const int64_t dx = std::llabs(int64_t(X2) - X1), dy = std::llabs(int64_t(Y2) - Y1);
  const int64_t sx = (int64_t(X2) - X1 < 1) ? -1 : 1, sy = (int64_t(Y2) - Y1 < 1) ? -1 : 1;
  const int64_t m = std::max(dx, dy);
  if (m == 0) {
    if (X1 >= 0 && X1 < W && Y1 >= 0 && Y1 < H) Data[size_t(X1) + size_t(Y1) * size_t(W)] = v;
    return;
  }
  const bool xMajor = dx >= dy;
  const int64_t M0 = xMajor ? X1 : Y1, N0 = xMajor ? Y1 : X1;
  const int64_t sM = xMajor ? sx : sy, sN = xMajor ? sy : sx;
  const int64_t limM = xMajor ? W : H, limN = xMajor ? H : W;
  const int64_t d = xMajor ? dy : dx;

  int64_t t0 = 0, t1 = m;
  if (sM > 0) { t0 = std::max(t0, -M0); t1 = std::min(t1, limM - 1 - M0); }
  else { t0 = std::max(t0, M0 - (limM - 1)); t1 = std::min(t1, M0); }
  // Steps along the shorter axis that keep it inside: n in [nlo, nhi].
  int64_t nlo, nhi;
  if (sN > 0) { nlo = -N0; nhi = limN - 1 - N0; } else { nlo = N0 - (limN - 1); nhi = N0; }
  nlo = std::max<int64_t>(nlo, 0);
  if (nhi < nlo) return;
  if (d == 0) {
    if (nlo > 0) return;
  } else {
    t0 = std::max<int64_t>(t0, int64_t((__int128(nlo) * m) / d));
    t1 = std::min<int64_t>(t1, int64_t((__int128(nhi + 1) * m) / d) - 1);
  }
  if (t1 < t0) return;

  const int64_t stepM = xMajor ? sM : sM * W;
  const int64_t stepN = xMajor ? sN * W : sN;
  if (d == 0) {
    if (xMajor) {
      const int64_t a = M0 + sM * t0, b = M0 + sM * t1;
      std::memset(Data + std::min(a, b) + N0 * W, v, size_t(std::llabs(b - a) + 1));
      return;
    }
    uint8_t* p = Data + (xMajor ? (M0 + sM * t0) + N0 * W : N0 + (M0 + sM * t0) * W);
    for (int64_t t = t0; t <= t1; ++t, p += stepM) *p = v;
    return;
  }
  const __int128 q = __int128(t0 + 1) * d - 1;
  int64_t n = int64_t(q / m), r = int64_t(q % m);
  const int64_t mc = M0 + sM * t0, nc = N0 + sN * n;
  uint8_t* p = Data + (xMajor ? mc + nc * W : nc + mc * W);
  for (int64_t t = t0; t <= t1; ++t) {
    *p = v;
    p += stepM;
    r += d;
    if (r >= m) { r -= m; p += stepN; }
  }
}

namespace {
inline int64_t Sq(int64_t a) { return a * a; }

// The octant points of the midpoint rule for radius r: point i is (i, b[i]),
// b never growing. Kept per thread so that the hundreds of circles of a frame
// reuse one buffer.
thread_local std::vector<int32_t> octantPoints;

// Radii up to this are drawn from their listed octant points; larger ones (far
// outside any mask the effects make) point by point.
constexpr int64_t kListedRadius = 1 << 16;  // about 46000 points, 185 KB kept
}  // namespace

// The octant points come from the midpoint rule (x = 0, y = r, d = 3 - 2r). Every
// point satisfies x^2 + y^2 > (r - 1)^2, so a circle whose r - 1 reaches past the
// farthest mask cell writes nothing and is skipped.
//
// Point (a, b) writes the columns cx + a, cx + a + 1, cx - a, cx - a - 1 of the
// rows cy + b and cy - b, and the columns cx + b, cx + b + 1, cx - b, cx - b - 1
// of the rows cy + a and cy - a. Every write of a circle has the same value, so
// they are made family by family (one row sign, one column expression): along
// the points a grows by one and b never grows, so the points of a family that
// land inside the mask form one run, found by bounds and binary search, and
// the run is written without per-cell checks.
void TztMaskView::Circle(int R, int CX, int CY, uint8_t v) const {
  if (R < 0 || W <= 0 || H <= 0) return;
  const int64_t r = R, cx = CX, cy = CY;
  if (cx + r + 1 < 0 || cx - r - 1 >= W || cy + r + 1 < 0 || cy - r - 1 >= H) return;
  if (r >= 1) {
    const int64_t fx = std::max(std::llabs(cx), std::llabs(int64_t(W) - 1 - cx));
    const int64_t fy = std::max(std::llabs(cy), std::llabs(int64_t(H) - 1 - cy));
    if (Sq(r - 1) >= Sq(fx) + Sq(fy)) return;
  }
  const int64_t w = W, h = H;
  if (r > kListedRadius) {
    // Writes columns cx + k, cx + k + 1, cx - k, cx - k - 1 of row y, clipped.
    auto put4 = [&](int64_t y, int64_t k) {
      if (y < 0 || y >= h) return;
      uint8_t* row = Data + y * w;
      for (const int64_t c : {cx + k, cx + k + 1, cx - k, cx - k - 1})
        if (c >= 0 && c < w) row[c] = v;
    };
    int64_t x = 0, y = r, d = 3 - 2 * r;
    auto plot = [&](int64_t a, int64_t b) {
      put4(cy + b, a);
      put4(cy - b, a);
      put4(cy + a, b);
      put4(cy - a, b);
    };
    while (x < y) {
      plot(x, y);
      if (d < 0) d += 4 * x + 6;
      else { d += 4 * (x - y) + 10; --y; }
      ++x;
    }
    if (x == y) plot(x, y);
    return;
  }

  std::vector<int32_t>& pts = octantPoints;
  pts.clear();
  {
    int64_t x = 0, y = r, d = 3 - 2 * r;
    while (x < y) {
      pts.push_back(int32_t(y));
      if (d < 0) d += 4 * x + 6;
      else { d += 4 * (x - y) + 10; --y; }
      ++x;
    }
    if (x == y) pts.push_back(int32_t(y));
  }
  const int32_t* b = pts.data();
  const int64_t m = int64_t(pts.size());
  // Points i in [lo, hi] whose b lies in [bmin, bmax] (b never grows along i).
  auto byB = [&](int64_t bmin, int64_t bmax, int64_t& lo, int64_t& hi) {
    lo = std::max(lo, int64_t(std::partition_point(b, b + m, [&](int32_t u) { return u > bmax; }) - b));
    hi = std::min(hi, int64_t(std::partition_point(b, b + m, [&](int32_t u) { return u >= bmin; }) - b) - 1);
  };
  for (const int64_t s : {int64_t(1), int64_t(-1)}) {
    // Rows cy + s b: the same row bounds for every column expression.
    const int64_t rowMin = s > 0 ? -cy : cy - (h - 1), rowMax = s > 0 ? h - 1 - cy : cy;
    for (const int64_t t : {int64_t(1), int64_t(-1)})
      for (const int64_t e : {int64_t(0), t}) {
        // Rows cy + s b, columns cx + t a + e.
        int64_t lo = t > 0 ? -cx - e : cx + e - (w - 1), hi = t > 0 ? w - 1 - cx - e : cx + e;
        lo = std::max<int64_t>(lo, 0);
        hi = std::min<int64_t>(hi, m - 1);
        byB(rowMin, rowMax, lo, hi);
        const int64_t base = cy * w + cx + e;
        for (int64_t i = lo; i <= hi; ++i) Data[base + s * b[i] * w + t * i] = v;
        // Rows cy + s a, columns cx + t b + e.
        lo = std::max<int64_t>(rowMin, 0);
        hi = std::min<int64_t>(rowMax, m - 1);
        byB(t > 0 ? -cx - e : cx + e - (w - 1), t > 0 ? w - 1 - cx - e : cx + e, lo, hi);
        for (int64_t i = lo; i <= hi; ++i) Data[base + s * i * w + t * b[i]] = v;
      }
  }
}

TztSmoothRamp::TztSmoothRamp(int p, int n) : p_(p), s_(n == 0 ? 2.0 * p : 2.0 * p / n) {}

uint8_t TztSmoothRamp::operator()(int k) const {
  if (p_ == 100) return 255;
  const int g = MulDiv(Nearest(2.0 * p_ - k * s_), 255, 100);
  if (g >= 256) return 255;
  return uint8_t(std::max(g, 0));
}

void InvertTo(uint8_t* mask, size_t n, uint8_t v) {
  for (size_t i = 0; i < n; ++i) mask[i] = mask[i] ? 0 : v;
}

void Complement(uint8_t* mask, size_t n) {
  for (size_t i = 0; i < n; ++i) mask[i] = uint8_t(255 - mask[i]);
}

}  // namespace vx::zt
