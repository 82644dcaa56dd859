#include "platform/gfx/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/text.h"

namespace vx {

void TPen::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed();
}
void TPen::SetWidth(int w) {
  w = std::max(1, w);
  if (w == width_) return;
  width_ = w;
  Changed();
}
void TPen::SetStyle(TPenStyle s) {
  if (s == style_) return;
  style_ = s;
  Changed();
}
void TPen::Assign(const TPen& o) {
  color_ = o.color_;
  width_ = o.width_;
  style_ = o.style_;
  Changed();
}

void TBrush::SetColor(TColor c) {
  if (c == color_ && style_ == bsSolid) return;
  color_ = c;
  style_ = bsSolid;  // giving a colour makes the brush solid, as the framework does
  Changed();
}
void TBrush::SetStyle(TBrushStyle s) {
  if (s == style_) return;
  style_ = s;
  Changed();
}
void TBrush::Assign(const TBrush& o) {
  color_ = o.color_;
  style_ = o.style_;
  Changed();
}

namespace {
// 64-bit a * b / c with halves away from zero.
int MulDiv(int a, int b, int c) {
  const int64_t p = int64_t(a) * b;
  const int64_t q = (std::llabs(p) + c / 2) / c;
  return int(p < 0 ? -q : q);
}
}  // namespace

void TFont::SetName(std::string_view n) {
  if (n == name_) return;
  name_ = std::string(n);
  handle_.reset();
  Changed();
}
void TFont::SetHeight(int h) {
  if (h == height_) return;
  height_ = h;
  handle_.reset();
  Changed();
}
int TFont::Size() const { return -MulDiv(height_, 72, PixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, PixelsPerInch, 72)); }
void TFont::SetStyle(TFontStyles s) {
  if (s == style_) return;
  style_ = s;
  handle_.reset();
  Changed();
}
void TFont::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed();
}
void TFont::SetCharset(int c) {
  if (c == charset_) return;
  charset_ = c;
  Changed();
}
void TFont::Assign(const TFont& o) {
  name_ = o.name_;
  height_ = o.height_;
  style_ = o.style_;
  color_ = o.color_;
  charset_ = o.charset_;
  handle_ = o.handle_;
  Changed();
}
HFONT TFont::Handle() const {
  if (!handle_) {
    TFontDesc d;
    d.Name = name_;
    d.Height = height_;
    d.Bold = style_.Contains(fsBold);
    d.Italic = style_.Contains(fsItalic);
    d.Underline = style_.Contains(fsUnderline);
    d.StrikeOut = style_.Contains(fsStrikeOut);
    handle_ = CreateFont(d);
  }
  return handle_;
}

// ---------------------------------------------------------------------------

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  return dc_;
}

void TCanvas::MoveTo(int x, int y) {
  penPos_ = {x, y};
  patternPos_ = 0;
}

void TCanvas::PlotPen(int x, int y) {
  HDC dc = dc_;
  const uint32_t px = ColorToPixel(pen_.Color());
  const int w = pen_.Width();
  if (w <= 1) {
    static const std::vector<int> kDot{1, 1}, kDash{6, 2}, kDashDot{6, 2, 1, 2}, kDashDotDot{6, 2, 1, 2, 1, 2};
    const std::vector<int>* pat = nullptr;
    switch (pen_.Style()) {
      case psDot: pat = &kDot; break;
      case psDash: pat = &kDash; break;
      case psDashDot: pat = &kDashDot; break;
      case psDashDotDot: pat = &kDashDotDot; break;
      default: break;
    }
    bool on = true;
    if (pat) {
      int period = 0;
      for (int v : *pat) period += v;
      int k = patternPos_ % period;
      for (size_t i = 0; i < pat->size(); ++i) {
        if (k < (*pat)[i]) { on = (i % 2) == 0; break; }
        k -= (*pat)[i];
      }
    }
    ++patternPos_;
    if (on) SetPixel32(dc, x, y, px);
    return;
  }
  const int o = (w - 1) / 2;
  FillPixels(dc, TRect{x - o, y - o, x - o + w, y - o + w}, px);
}

void TCanvas::PenLine(TPoint a, TPoint b) {
  if (pen_.Style() == psClear || !dc_) return;
  // Step i along the major axis sets the pixel whose minor coordinate is the
  // start's plus i * minor / major rounded to nearest, halves away from the
  // start (the Bresenham line). Only steps near the clip box are walked.
  const int64_t dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const bool xMajor = adx >= ady;
  const int64_t n = xMajor ? adx : ady, m = xMajor ? ady : adx;
  if (n == 0) return;
  TRect clip{};
  GetClipBox(dc_, &clip);
  const int64_t w = pen_.Width();
  const int64_t lo = (xMajor ? clip.Left : clip.Top) - w, hi = (xMajor ? clip.Right : clip.Bottom) + w;
  const int64_t start = xMajor ? a.X : a.Y;
  const int s = xMajor ? sx : sy;
  // Steps i in [0, n) whose major coordinate start + s * i lies in [lo, hi).
  int64_t i0, i1;
  if (s > 0) {
    i0 = std::max<int64_t>(0, lo - start);
    i1 = std::min<int64_t>(n, hi - start);
  } else {
    i0 = std::max<int64_t>(0, start - hi + 1);
    i1 = std::min<int64_t>(n, start - lo + 1);
  }
  const int64_t base = patternPos_;
  for (int64_t i = i0; i < i1; ++i) {
    const int64_t minor = (2 * i * m + n) / (2 * n);
    const int64_t x = xMajor ? a.X + sx * i : a.X + sx * minor;
    const int64_t y = xMajor ? a.Y + sy * minor : a.Y + sy * i;
    patternPos_ = base + i;
    PlotPen(int(x), int(y));
  }
  patternPos_ = base + n;
}

void TCanvas::LineTo(int x, int y) {
  Handle();
  PenLine(penPos_, {x, y});
  penPos_ = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> pts) {
  if (pts.empty()) return;
  MoveTo(pts[0].X, pts[0].Y);
  for (size_t i = 1; i < pts.size(); ++i) LineTo(pts[i].X, pts[i].Y);
}

void TCanvas::Polygon(std::span<const TPoint> pts) {
  if (pts.size() < 2 || !Handle()) return;
  if (brush_.Style() != bsClear && pts.size() >= 3) {
    int top = pts[0].Y, bottom = pts[0].Y;
    for (const TPoint& p : pts) { top = std::min(top, p.Y); bottom = std::max(bottom, p.Y); }
    const uint32_t px = ColorToPixel(brush_.Color());
    std::vector<double> xs;
    TRect clip{};
    GetClipBox(dc_, &clip);
    top = std::max(top, clip.Top);
    bottom = std::min(bottom, clip.Bottom);
    for (int y = top; y < bottom; ++y) {
      const double yc = y + 0.5;
      xs.clear();
      for (size_t i = 0; i < pts.size(); ++i) {
        const TPoint p = pts[i], q = pts[(i + 1) % pts.size()];
        if ((p.Y <= yc && yc < q.Y) || (q.Y <= yc && yc < p.Y))
          xs.push_back(p.X + (yc - p.Y) * double(q.X - p.X) / double(q.Y - p.Y));
      }
      std::sort(xs.begin(), xs.end());
      for (size_t i = 0; i + 1 < xs.size(); i += 2) {
        const double c0 = std::clamp(std::ceil(xs[i] - 0.5), -1e9, 1e9), c1 = std::clamp(std::ceil(xs[i + 1] - 0.5), -1e9, 1e9);
        const int x0 = int(c0), x1 = int(c1);
        FillPixels(dc_, TRect{x0, y, x1, y + 1}, px);
      }
    }
  }
  MoveTo(pts[0].X, pts[0].Y);
  for (size_t i = 1; i < pts.size(); ++i) LineTo(pts[i].X, pts[i].Y);
  LineTo(pts[0].X, pts[0].Y);
}

void TCanvas::Rectangle(int l, int t, int r, int b) {
  if (!Handle() || r <= l || b <= t) return;
  if (brush_.Style() != bsClear) FillPixels(dc_, TRect{l, t, r, b}, ColorToPixel(brush_.Color()));
  if (pen_.Style() == psClear) return;
  const TPoint saved = penPos_;
  const TPoint path[] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}};
  const bool oneWide = int64_t(r) - l == 1, oneHigh = int64_t(b) - t == 1;
  if (oneWide && oneHigh) {
    patternPos_ = 0;
    PlotPen(l, t);
  } else if (oneWide || oneHigh) {
    // A one-pixel wide or high rectangle: its outline is the rectangle itself.
    patternPos_ = 0;
    PenLine({l, t}, oneWide ? TPoint{l, b} : TPoint{r, t});
  } else {
    Polyline(path);
  }
  penPos_ = saved;
}

void TCanvas::Ellipse(int l, int t, int r, int b) {
  if (!Handle() || r <= l || b <= t) return;
  const int64_t W = int64_t(r) - l, H = int64_t(b) - t;
  const bool exact = W < (int64_t(1) << 30) && H < (int64_t(1) << 30);
  auto inside = [&](int x, int y) {
    if (x < l || x >= r || y < t || y >= b) return false;
    const int64_t X = 2 * int64_t(x) + 1 - (int64_t(l) + r), Y = 2 * int64_t(y) + 1 - (int64_t(t) + b);
    if (exact) {
      using I = __int128;
      return I(X) * X * H * H + I(Y) * Y * W * W <= I(W) * W * H * H;
    }
    const long double fx = (long double)X / W, fy = (long double)Y / H;
    return fx * fx + fy * fy <= 1;
  };
  const int w = pen_.Style() == psClear ? 0 : pen_.Width();
  const uint32_t bp = ColorToPixel(brush_.Color()), pp = ColorToPixel(pen_.Color());
  TRect clip{};
  GetClipBox(dc_, &clip);
  const TRect box = IntersectRect(TRect{l, t, r, b}, clip);
  for (int y = box.Top; y < box.Bottom; ++y)
    for (int x = box.Left; x < box.Right; ++x) {
      if (!inside(x, y)) continue;
      bool edge = false;
      for (int dy = -w; dy <= w && !edge; ++dy)
        for (int dx = -(w - std::abs(dy)); dx <= w - std::abs(dy); ++dx)
          if (!inside(x + dx, y + dy)) { edge = true; break; }
      if (edge) SetPixel32(dc_, x, y, pp);
      else if (brush_.Style() != bsClear) SetPixel32(dc_, x, y, bp);
    }
}

void TCanvas::FillRect(const TRect& r) {
  if (!Handle() || brush_.Style() == bsClear) return;
  FillPixels(dc_, r, ColorToPixel(brush_.Color()));
}

void TCanvas::FrameRect(const TRect& r) {
  if (!Handle() || r.IsEmpty()) return;
  const uint32_t px = ColorToPixel(brush_.Color());
  FillPixels(dc_, TRect{r.Left, r.Top, r.Right, r.Top + 1}, px);
  FillPixels(dc_, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, px);
  FillPixels(dc_, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, px);
  FillPixels(dc_, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, px);
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (!Handle() || r.IsEmpty()) return;
  auto flip = [&](int x, int y) {
    const TPoint s = dc_->LogicalToSurface(TPoint{x, y});
    if (((s.X + s.Y) & 1) != 0) return;
    uint32_t px;
    if (GetPixel32(dc_, x, y, px)) SetPixel32(dc_, x, y, px ^ 0x00FFFFFFu);
  };
  TRect clip{};
  GetClipBox(dc_, &clip);
  for (int x = std::max(r.Left, clip.Left); x < std::min(r.Right, clip.Right); ++x) {
    flip(x, r.Top);
    if (r.Bottom - 1 > r.Top) flip(x, r.Bottom - 1);
  }
  for (int y = std::max(r.Top + 1, clip.Top); y < std::min(r.Bottom - 1, clip.Bottom); ++y) {
    flip(r.Left, y);
    if (r.Right - 1 > r.Left) flip(r.Right - 1, y);
  }
}

std::optional<TColor> TCanvas::GetPixel(int x, int y) {
  uint32_t px;
  if (!GetPixel32(Handle(), x, y, px)) return std::nullopt;
  return PixelToColor(px);
}

void TCanvas::SetPixel(int x, int y, TColor c) { vx::SetPixel(Handle(), x, y, c); }

void TCanvas::Draw(int x, int y, TGraphic& g) {
  if (g.Empty()) return;
  g.Draw(*this, Bounds(x, y, g.Width(), g.Height()));
}

void TCanvas::StretchDraw(const TRect& r, TGraphic& g) {
  if (g.Empty()) return;
  g.Draw(*this, r);
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap& bitmap, const TRect& srcRect, TColor transparent) {
  if (bitmap.Empty()) return;
  const TColor key = transparent == clNone || transparent == clDefault
                         ? PixelToColor(bitmap.Surface()->GetPixel(0, bitmap.Height() - 1))
                         : transparent;
  TransparentBlt(Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), bitmap.DC(), srcRect.Left, srcRect.Top,
                 srcRect.Width(), srcRect.Height(), key);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect) {
  StretchBlt(Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), src.Handle(), srcRect.Left, srcRect.Top,
             srcRect.Width(), srcRect.Height(), copyMode_);
}

void TCanvas::ApplyFont() {
  HDC dc = Handle();
  if (!dc) return;
  SelectFont(dc, font_.Handle());
  SetTextColor(dc, font_.Color());
  SetBkColor(dc, brush_.Color());
  SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  ApplyFont();
  HDC dc = Handle();
  if (!dc) return;
  vx::TextOut(dc, x, y, text);
  TSize sz{};
  GetTextExtentPoint32(dc, text, &sz);
  MoveTo(x + sz.cx, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, std::string_view text) {
  ApplyFont();
  HDC dc = Handle();
  if (!dc) return;
  ExtTextOut(dc, x, y, ETO_CLIPPED | (brush_.Style() != bsClear ? uint32_t(ETO_OPAQUE) : 0u), &r, text);
}

TSize TCanvas::TextExtent(std::string_view text) {
  TSize sz{};
  HDC dc = Handle();
  if (dc) {
    SelectFont(dc, font_.Handle());
    GetTextExtentPoint32(dc, text, &sz);
  } else {
    // No context: measure with the font alone.
    auto f = font_.Handle();
    int w = 0;
    for (char32_t c : DecodeUtf8(text)) w += c == U'\t' ? 0 : f->Advance(c);
    sz = {w, f->Metrics().tmHeight};
  }
  return sz;
}

TRect TCanvas::ClipRect() {
  TRect r{};
  GetClipBox(Handle(), &r);
  return r;
}

}  // namespace vx
