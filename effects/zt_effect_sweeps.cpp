// Mask procedures that sweep whole rows or families of straight lines across
// the mask: the plain fade, the downward, inward and outward row sweeps, the
// diagonal sweeps and the rotating fans.
#include <algorithm>
#include <cmath>

#include "effects/zt_effect_mask.h"
#include "effects/zt_effect_procs.h"

namespace vx::zt_procs {

using zt::MulDiv;
using zt::Nearest;
using zt::TztMaskView;
using zt::TztSmoothRamp;

namespace {

bool Empty(int W, int H) { return W <= 0 || H <= 0; }
double Diag(int W, int H) { return std::sqrt(double(W) * W + double(H) * H); }

void Down(const TztMaskView& m, int p, uint8_t v) {
  const int n = MulDiv(p, m.H - 1, 100);
  for (int y = 0; y <= n && y < m.H; ++y) m.Row(y, v);
}

void In(const TztMaskView& m, int p, uint8_t v) {
  const int i = MulDiv(p, m.H / 2, 100);
  for (int y = m.H - 1 - i; y <= m.H - 1; ++y) m.Row(y, v);
  for (int y = 0; y <= i; ++y) m.Row(y, v);
}

void Out(const TztMaskView& m, int p, uint8_t v) {
  const int n = MulDiv(p, m.H / 2, 100), cy = m.H / 2;
  for (int k = 0; k <= n; ++k) {
    m.Row(cy - k, v);
    m.Row(cy + k, v);
  }
}

void Diagonal(const TztMaskView& m, int p, uint8_t v) {
  const int a = MulDiv(m.W - 1, p, 100), b = MulDiv(m.H - 1, p, 100);
  if (b < a) {
    for (int k = 0; k <= 2 * a; ++k) m.Line(0, std::min(k, 2 * b), k, 0, v);
  } else {
    for (int k = 0; k <= 2 * b; ++k) m.Line(0, k, std::min(k, 2 * a), 0, v);
  }
}

void DiagonalIn(const TztMaskView& m, int p, uint8_t v) {
  const int W = m.W, H = m.H;
  const int a = Nearest(p / 100.0 * (W - 1)), b = Nearest(p / 100.0 * (H - 1));
  if (b < a) {
    for (int k = 0; k <= a; ++k) m.Line(0, H - 1 - std::min(k, b), k, H - 1, v);
    for (int k = 0; k <= a; ++k) m.Line(W - 1 - k, 0, W - 1, std::min(k, b), v);
  } else {
    for (int k = 0; k <= b; ++k) m.Line(0, H - 1 - k, std::min(k, a), H - 1, v);
    for (int k = 0; k <= b; ++k) m.Line(std::max(W - 1 - k, W - 1 - a), 0, W - 1, k, v);
  }
}

void DiagonalOut(const TztMaskView& m, int p, uint8_t v) {
  const int W = m.W, H = m.H;
  const int a = Nearest(p / 100.0 * (W - 1)), b = Nearest(p / 100.0 * (H - 1));
  if (b < a) {
    for (int k = 0; k <= a; ++k) m.Line(0, std::min(k, b), W - 1 - k, H - 1, v);
    for (int k = 0; k <= a; ++k) m.Line(k, 0, W, H - std::min(k, b), v);
  } else {
    for (int k = 0; k <= b; ++k) m.Line(std::min(k, a), 0, W - 1, H - 1 - k, v);
    for (int k = 0; k <= b; ++k) m.Line(0, k, W - 1 - std::min(k, a), H - 1, v);
  }
}

// The two smooth diagonal sweeps share their band values and step vectors; In
// draws from the bottom-left and top-right corners, Out across the mask.
template <bool kOut>
void SmoothDiagonalInOut(const TztMaskView& m, int p) {
  const int W = m.W, H = m.H;
  const int c = MulDiv(Nearest(Diag(W, H)), p, 100);
  const double e = c == 0 ? 2.0 * p : 2.0 * p / c;
  const double ux = W < H ? double(W) / H : 1.0, uy = W < H ? 1.0 : double(H) / W;
  double fx = 0, fy = 0;
  const int limit = std::max(W, H);
  for (int k = 0; k <= 2 * c && k < limit; ++k, fx += ux, fy += uy) {
    int val = std::max(0, MulDiv(Nearest(2.0 * p - k * e / 2), 255, 100));
    if (p == 100 || val >= 256) val = 255;
    const int X = Nearest(fx), Y = Nearest(fy);
    if (kOut) {
      m.Line(0, H - 1 - Y, W - X, 0, uint8_t(val));
      m.Line(X, H - 1, W - 1, Y, uint8_t(val));
    } else {
      m.Line(0, H - 1 - Y, X, H - 1, uint8_t(val));
      m.Line(W - X, 0, W - 1, Y, uint8_t(val));
    }
  }
}

void Rotate(const TztMaskView& m, int p, uint8_t v) {
  const int W = m.W, H = m.H;
  const int N = MulDiv(W + H, p, 100);
  for (int k = 0; k <= N; ++k) {
    if (k < H) m.Line(0, H - 1, W - 1, H - k, v);
    else m.Line(0, H - 1, W + k - N, 0, v);
  }
}

}  // namespace

#define VX_ZT_PAIR(Slide, Fade, Impl)                                              \
  void Slide(uint8_t* Mask, int W, int H, int p) {                                 \
    if (p == 0 || Empty(W, H)) return;                                             \
    Impl(TztMaskView{Mask, W, H}, p, 255);                                         \
  }                                                                                \
  void Fade(uint8_t* Mask, int W, int H, int p) {                                  \
    if (p == 0 || Empty(W, H)) return;                                             \
    Impl(TztMaskView{Mask, W, H}, p, uint8_t(zt::FadeValue(p)));                   \
  }

VX_ZT_PAIR(SlideDown, FadeDown, Down)
VX_ZT_PAIR(SlideIn, FadeIn, In)
VX_ZT_PAIR(SlideOut, FadeOut, Out)
VX_ZT_PAIR(SlideDiagonal, FadeDiagonal, Diagonal)
VX_ZT_PAIR(SlideDiagonalIn, FadeDiagonalIn, DiagonalIn)
VX_ZT_PAIR(SlideDiagonalOut, FadeDiagonalOut, DiagonalOut)
VX_ZT_PAIR(RotateSlide, RotateFade, Rotate)
#undef VX_ZT_PAIR

void Fade(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  TztMaskView{Mask, W, H}.Fill(uint8_t(Nearest(p / 100.0 * 255)));
}

void SmoothDown(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const TztMaskView m{Mask, W, H};
  const int n = MulDiv(Nearest(1.5 * H), p, 100);
  const TztSmoothRamp grad(p, n);
  for (int k = 0; k <= n && k < H; ++k) m.Row(k, grad(k));
}

void SmoothIn(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const TztMaskView m{Mask, W, H};
  const int n = MulDiv(Nearest(0.8 * H), p, 100);
  const TztSmoothRamp grad(p, n);
  for (int k = 0; k <= n && k <= H / 2; ++k) {
    m.Row(H - 1 - k, grad(k));
    m.Row(k, grad(k));
  }
}

void SmoothOut(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const TztMaskView m{Mask, W, H};
  const int n = MulDiv(Nearest(0.8 * H), p, 100), cy = H / 2;
  const TztSmoothRamp grad(p, n);
  for (int k = 0; k <= n && k <= cy; ++k) {
    m.Row(cy - k, grad(k));
    m.Row(cy + k, grad(k));
  }
}

void SmoothDiagonal(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const TztMaskView m{Mask, W, H};
  const int n = MulDiv(p, Nearest(2.5 * Diag(W, H)), 100);
  const double sx = H < W ? 1.0 : double(W) / H, sy = H < W ? double(H) / W : 1.0;
  const TztSmoothRamp grad(p, n);
  for (int k = 0; k <= n; ++k) m.Line(0, Nearest(k * sy), Nearest(k * sx), 0, grad(k));
}

void SmoothDiagonalIn(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  SmoothDiagonalInOut<false>(TztMaskView{Mask, W, H}, p);
}

void SmoothDiagonalOut(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  SmoothDiagonalInOut<true>(TztMaskView{Mask, W, H}, p);
}

void RotateSmooth(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const TztMaskView m{Mask, W, H};
  const int N = MulDiv(2 * (W + H), p, 100);
  const TztSmoothRamp grad(p, N);
  for (int k = 0; k <= N; ++k) {
    if (k < H) m.Line(0, H - 1, W - 1, H - k, grad(k));
    else m.Line(0, H - 1, W + H - k, 0, grad(k));
  }
}

}  // namespace vx::zt_procs
