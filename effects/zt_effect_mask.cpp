#include "effects/zt_effect_mask.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

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
}  // namespace

// The octant points come from the midpoint rule (x = 0, y = r, d = 3 - 2r). Every
// point satisfies x^2 + y^2 > (r - 1)^2, so a circle whose r - 1 reaches past the
// farthest mask cell writes nothing and is skipped; circles wholly inside the
// mask are written without per-cell checks.
void TztMaskView::Circle(int R, int CX, int CY, uint8_t v) const {
  if (R < 0 || W <= 0 || H <= 0) return;
  const int64_t r = R, cx = CX, cy = CY;
  if (cx + r + 1 < 0 || cx - r - 1 >= W || cy + r + 1 < 0 || cy - r - 1 >= H) return;
  if (r >= 1) {
    const int64_t fx = std::max(std::llabs(cx), std::llabs(int64_t(W) - 1 - cx));
    const int64_t fy = std::max(std::llabs(cy), std::llabs(int64_t(H) - 1 - cy));
    if (Sq(r - 1) >= Sq(fx) + Sq(fy)) return;
  }
  const int64_t w = W;
  const bool inside = cx - r - 1 >= 0 && cx + r + 1 < W && cy - r - 1 >= 0 && cy + r + 1 < H;
  uint8_t* const c = inside ? Data + cx + cy * w : Data;  // the centre, used only when inside

  auto plotInside = [&](int64_t a, int64_t b) {
    uint8_t* rowA = c + b * w;
    uint8_t* rowB = c - b * w;
    rowA[a] = v; rowA[a + 1] = v; rowA[-a] = v; rowA[-a - 1] = v;
    rowB[a] = v; rowB[a + 1] = v; rowB[-a] = v; rowB[-a - 1] = v;
    uint8_t* rowC = c + a * w;
    uint8_t* rowD = c - a * w;
    rowC[b] = v; rowC[b + 1] = v; rowC[-b] = v; rowC[-b - 1] = v;
    rowD[b] = v; rowD[b + 1] = v; rowD[-b] = v; rowD[-b - 1] = v;
  };
  // Writes columns cx + k, cx + k + 1, cx - k, cx - k - 1 of row y, clipped.
  auto put4 = [&](int64_t y, int64_t k) {
    if (y < 0 || y >= H) return;
    uint8_t* row = Data + y * w;
    const int64_t c1 = cx + k, c2 = cx - k - 1;
    if (c1 >= 0 && c1 < w) row[c1] = v;
    if (c1 + 1 >= 0 && c1 + 1 < w) row[c1 + 1] = v;
    if (c2 + 1 >= 0 && c2 + 1 < w) row[c2 + 1] = v;
    if (c2 >= 0 && c2 < w) row[c2] = v;
  };
  auto plot = [&](int64_t a, int64_t b) {
    if (inside) { plotInside(a, b); return; }
    put4(cy + b, a);
    put4(cy - b, a);
    put4(cy + a, b);
    put4(cy - a, b);
  };

  int64_t x = 0, y = r, d = 3 - 2 * r;
  while (x < y) {
    plot(x, y);
    if (d < 0) d += 4 * x + 6;
    else { d += 4 * (x - y) + 10; --y; }
    ++x;
  }
  if (x == y) plot(x, y);
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
