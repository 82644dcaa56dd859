// Mask procedures that grow outlines from a centre: plus-shaped crosses,
// rectangles, circles and diamonds. Each "In" procedure is its "Out" twin run
// with 100 - p and turned around.
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
int NearestDiag(int W, int H, double f) { return Nearest(f * std::sqrt(double(W) * W + double(H) * H)); }

void CrossOut(const TztMaskView& m, int p, uint8_t v) {
  const int cx = m.W / 2, cy = m.H / 2;
  const int a = MulDiv(p, 2 * m.W, 100), b = MulDiv(p, 2 * m.H, 100);
  for (int k = -(a / 4); k <= a / 4; ++k) m.Line(cx + k, cy - b, cx + k, cy + b, v);
  for (int k = -(b / 4); k <= b / 4; ++k) m.Line(cx - a, cy + k, cx + a, cy + k, v);
}

// Rectangle outline with corners (cx - rx, cy - ry) and (cx + rx, cy + ry):
// left side bottom to top, top side, right side, bottom side.
void RectOutline(const TztMaskView& m, int cx, int cy, int rx, int ry, uint8_t v) {
  m.Line(cx - rx, cy + ry, cx - rx, cy - ry, v);
  m.Line(cx - rx, cy - ry, cx + rx, cy - ry, v);
  m.Line(cx + rx, cy - ry, cx + rx, cy + ry, v);
  m.Line(cx + rx, cy + ry, cx - rx, cy + ry, v);
}

// Scale pair of the shapes that keep the mask's aspect: the longer side steps 1.
void Scale(int W, int H, double& gx, double& gy) {
  if (H < W) { gx = 1.0; gy = double(H) / W; }
  else { gx = double(W) / H; gy = 1.0; }
}

void RectOut(const TztMaskView& m, int p, uint8_t v) {
  double gx, gy;
  Scale(m.W, m.H, gx, gy);
  const int e = MulDiv(p, m.H < m.W ? m.W : m.H, 100);
  for (int k = 0; k <= e / 2; ++k) RectOutline(m, m.W / 2, m.H / 2, Nearest(gx * k), Nearest(gy * k), v);
}

void DiamondOutline(const TztMaskView& m, int cx, int cy, int dx, int dy, uint8_t v) {
  m.Line(cx, cy + dy, cx - dx, cy, v);
  m.Line(cx - dx, cy, cx, cy - dy, v);
  m.Line(cx, cy - dy, cx + dx, cy, v);
  m.Line(cx + dx, cy, cx, cy + dy, v);
}

void DiamondOut(const TztMaskView& m, int p, uint8_t v) {
  double sx, sy;
  Scale(m.W, m.H, sx, sy);
  const int n = MulDiv(p, std::max(m.W, m.H), 100);
  for (int k = 0; k <= n; ++k) DiamondOutline(m, m.W / 2, m.H / 2, Nearest(k * sx), Nearest(k * sy), v);
}

void CircleOut(const TztMaskView& m, int p, uint8_t v) {
  const int D = MulDiv(NearestDiag(m.W, m.H, 1.0), p, 100);
  for (int r = 0; r <= D / 2; ++r) m.Circle(r, m.W / 2, m.H / 2, v);
}

void CircleIn(const TztMaskView& m, int p, uint8_t v) {
  const int L = NearestDiag(m.W, m.H, 1.0);
  const int D = MulDiv(L, p, 100), M = L / 2;
  for (int j = D / 2; j >= 0; --j) m.Circle(M - j, m.W / 2, m.H / 2, v);
}

void CircleCorner(const TztMaskView& m, int p, uint8_t v) {
  const int D = MulDiv(NearestDiag(m.W, m.H, 1.0), p, 100);
  for (int r = 0; r <= D; ++r) m.Circle(r, 0, m.H - 1, v);
}

using Shape = void (*)(const TztMaskView&, int, uint8_t);

void SlideShape(Shape f, uint8_t* Mask, int W, int H, int p, bool drawAtZero) {
  if ((p == 0 && !drawAtZero) || Empty(W, H)) return;
  f(TztMaskView{Mask, W, H}, p, 255);
}

void FadeShape(Shape f, uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  f(TztMaskView{Mask, W, H}, p, uint8_t(zt::FadeValue(p)));
}

// Runs the Out shape with 100 - p, then non-zero cells become 0 and zero cells
// 255 (slide) or the fade value of p (fade).
void InvertedShape(Shape f, uint8_t* Mask, int W, int H, int p, bool fade) {
  if (p == 0 || Empty(W, H)) return;
  const TztMaskView m{Mask, W, H};
  if (100 - p != 0) f(m, 100 - p, fade ? uint8_t(zt::FadeValue(100 - p)) : 255);
  zt::InvertTo(Mask, m.Size(), fade ? uint8_t(zt::FadeValue(p)) : 255);
}

// A smooth Out shape draws its outlines with the ramp values grad(k).
using SmoothShape = void (*)(const TztMaskView&, int);

void SmoothComplement(SmoothShape f, uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const TztMaskView m{Mask, W, H};
  if (100 - p != 0) f(m, 100 - p);
  zt::Complement(Mask, m.Size());
}

void SmoothCross(const TztMaskView& m, int p) {
  const int W = m.W, H = m.H, cx = W / 2, cy = H / 2;
  double gx, gy;
  Scale(W, H, gx, gy);
  const int n = MulDiv(p, Nearest(2.5 * (H < W ? W : H)), 100) / 2;
  const TztSmoothRamp grad(p, n);
  for (int k = 0; k <= n; ++k) {
    const int t = Nearest(gx * k), A = Nearest(gy * k), u = t / 2, G = A / 2;
    const int px[12] = {cx - u, cx - u, cx - t, cx - t, cx - u, cx - u, cx + u, cx + u, cx + t, cx + t, cx + u, cx + u};
    const int py[12] = {cy + A, cy + G, cy + G, cy - G, cy - G, cy - A, cy - A, cy - G, cy - G, cy + G, cy + G, cy + A};
    const uint8_t v = grad(k);
    for (int i = 0; i < 12; ++i) m.Line(px[i], py[i], px[(i + 1) % 12], py[(i + 1) % 12], v);
  }
}

void SmoothRect(const TztMaskView& m, int p) {
  double gx, gy;
  Scale(m.W, m.H, gx, gy);
  const int e = MulDiv(p, Nearest(1.6 * (m.H < m.W ? m.W : m.H)), 100), n = e / 2;
  const TztSmoothRamp grad(p, n);
  for (int k = 0; k <= n; ++k) RectOutline(m, m.W / 2, m.H / 2, Nearest(gx * k), Nearest(gy * k), grad(k));
}

void SmoothDiamond(const TztMaskView& m, int p) {
  double sx, sy;
  Scale(m.W, m.H, sx, sy);
  const int n = MulDiv(p, Nearest(2.5 * (m.H >= m.W ? m.H : m.W)), 100) / 2;
  const TztSmoothRamp grad(p, n);
  for (int k = 0; k <= n; ++k) DiamondOutline(m, m.W / 2, m.H / 2, Nearest(k * sx), Nearest(k * sy), grad(k));
}

void SmoothCircleCentre(const TztMaskView& m, int p) {
  const int n = MulDiv(NearestDiag(m.W, m.H, 0.9), p, 100);
  const TztSmoothRamp grad(p, n);
  for (int r = 0; r <= n; ++r) m.Circle(r, m.W / 2, m.H / 2, grad(r));
}

void SmoothCircleCorner(const TztMaskView& m, int p) {
  const int n = MulDiv(NearestDiag(m.W, m.H, 1.5), p, 100);
  const TztSmoothRamp grad(p, n);
  for (int r = 0; r <= n; ++r) m.Circle(r, 0, m.H - 1, grad(r));
}

void Smooth(SmoothShape f, uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  f(TztMaskView{Mask, W, H}, p);
}

}  // namespace

void SlideCrossOut(uint8_t* Mask, int W, int H, int p) { SlideShape(CrossOut, Mask, W, H, p, false); }
void FadeCrossOut(uint8_t* Mask, int W, int H, int p) { FadeShape(CrossOut, Mask, W, H, p); }
void SlideCrossIn(uint8_t* Mask, int W, int H, int p) { InvertedShape(CrossOut, Mask, W, H, p, false); }
void FadeCrossIn(uint8_t* Mask, int W, int H, int p) { InvertedShape(CrossOut, Mask, W, H, p, true); }
void SmoothCrossOut(uint8_t* Mask, int W, int H, int p) { Smooth(SmoothCross, Mask, W, H, p); }
void SmoothCrossIn(uint8_t* Mask, int W, int H, int p) { SmoothComplement(SmoothCross, Mask, W, H, p); }

void SlideRectOut(uint8_t* Mask, int W, int H, int p) { SlideShape(RectOut, Mask, W, H, p, false); }
void FadeRectOut(uint8_t* Mask, int W, int H, int p) { FadeShape(RectOut, Mask, W, H, p); }
void SlideRectIn(uint8_t* Mask, int W, int H, int p) { InvertedShape(RectOut, Mask, W, H, p, false); }
void FadeRectIn(uint8_t* Mask, int W, int H, int p) { InvertedShape(RectOut, Mask, W, H, p, true); }
void SmoothRectOut(uint8_t* Mask, int W, int H, int p) { Smooth(SmoothRect, Mask, W, H, p); }
void SmoothRectIn(uint8_t* Mask, int W, int H, int p) { SmoothComplement(SmoothRect, Mask, W, H, p); }

void DiamondSlideOut(uint8_t* Mask, int W, int H, int p) { SlideShape(DiamondOut, Mask, W, H, p, false); }
void DiamondFadeOut(uint8_t* Mask, int W, int H, int p) { FadeShape(DiamondOut, Mask, W, H, p); }
void DiamondSlideIn(uint8_t* Mask, int W, int H, int p) { InvertedShape(DiamondOut, Mask, W, H, p, false); }
void DiamondFadeIn(uint8_t* Mask, int W, int H, int p) { InvertedShape(DiamondOut, Mask, W, H, p, true); }
void DiamondSmoothOut(uint8_t* Mask, int W, int H, int p) { Smooth(SmoothDiamond, Mask, W, H, p); }
void DiamondSmoothIn(uint8_t* Mask, int W, int H, int p) { SmoothComplement(SmoothDiamond, Mask, W, H, p); }

void CircleSlideOut(uint8_t* Mask, int W, int H, int p) { SlideShape(CircleOut, Mask, W, H, p, true); }
void CircleFadeOut(uint8_t* Mask, int W, int H, int p) { FadeShape(CircleOut, Mask, W, H, p); }
void CircleSmoothOut(uint8_t* Mask, int W, int H, int p) { Smooth(SmoothCircleCentre, Mask, W, H, p); }
void CircleSlideIn(uint8_t* Mask, int W, int H, int p) { SlideShape(CircleIn, Mask, W, H, p, true); }
void CircleFadeIn(uint8_t* Mask, int W, int H, int p) { FadeShape(CircleIn, Mask, W, H, p); }
void CircleSmoothIn(uint8_t* Mask, int W, int H, int p) { SmoothComplement(SmoothCircleCentre, Mask, W, H, p); }
void CircleSlide(uint8_t* Mask, int W, int H, int p) { SlideShape(CircleCorner, Mask, W, H, p, true); }
void CircleFade(uint8_t* Mask, int W, int H, int p) { FadeShape(CircleCorner, Mask, W, H, p); }
void CircleSmooth(uint8_t* Mask, int W, int H, int p) { Smooth(SmoothCircleCorner, Mask, W, H, p); }

}  // namespace vx::zt_procs
