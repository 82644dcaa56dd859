#include "platform/framework/extctrls.h"

#include "platform/gfx/text.h"

namespace vx {

// ---- TTimer ---------------------------------------------------------------------------

TTimer::~TTimer() {
  if (id_) KillTimer(nullptr, id_);
}

void TTimer::UpdateTimer() {
  if (id_) KillTimer(nullptr, id_);
  id_ = 0;
  if (enabled_ && interval_ > 0 && onTimer_ && !HasState(csDesigning))
    id_ = SetTimer(nullptr, 0, interval_, [this](HWND, UINT, uintptr_t, DWORD) { Timer(); });
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  UpdateTimer();
}

void TTimer::SetInterval(UINT ms) {
  if (ms == interval_) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent e) {
  onTimer_ = std::move(e);
  UpdateTimer();
}

void TTimer::Timer() {
  // Copy: the handler may replace or clear the event.
  TNotifyEvent e = onTimer_;
  if (e) e(this);
}

// ---- TBevel -------------------------------------------------------------------------

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  controlStyle_ |= csReplicatable;
  width_ = 50;
  height_ = 50;
}

void TBevel::SetShape(TBevelShape s) {
  shape_ = s;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle s) {
  style_ = s;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas& c = canvas_;
  const TColor c1 = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor c2 = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = width_, h = height_;
  auto line = [&](TColor col, int x0, int y0, int x1, int y1) {
    c.Pen().SetColor(col);
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
  };
  // Each line is drawn up to, not including, its end point.
  auto box = [&](TColor tl, TColor br, int l, int t, int r, int b) {
    line(tl, l, b - 1, l, t);
    line(tl, l, t, r, t);
    line(br, r - 1, t + 1, r - 1, b);
    line(br, l + 1, b - 1, r - 1, b - 1);
  };
  switch (shape_) {
    case bsBox: box(c1, c2, 0, 0, w, h); break;
    case bsFrame:
      box(c1, c2, 0, 0, w - 1, h - 1);
      box(c2, c1, 1, 1, w, h);
      break;
    case bsTopLine:
      line(c1, 0, 0, w, 0);
      line(c2, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(c1, 0, h - 2, w, h - 2);
      line(c2, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(c1, 0, 0, 0, h);
      line(c2, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(c1, w - 2, 0, w - 2, h);
      line(c2, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

// ---- TPanel -------------------------------------------------------------------------

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks;
  width_ = 185;
  height_ = 41;
}

void TPanel::SetBevelOuter(TPanelBevel b) {
  bevelOuter_ = b;
  Realign();
  Invalidate();
}

void TPanel::AdjustClientRect(TRect& r) {
  if (bevelOuter_ != bvNone) r = r.Inflate(-1, -1);
}

void TPanel::Paint() {
  TCanvas& c = canvas_;
  TRect r = ClientRect();
  c.Brush().SetColor(color_);
  c.FillRect(r);
  if (bevelOuter_ != bvNone) {
    const TColor tl = bevelOuter_ == bvRaised ? clBtnHighlight : clBtnShadow;
    const TColor br = bevelOuter_ == bvRaised ? clBtnShadow : clBtnHighlight;
    c.Pen().SetColor(tl);
    c.MoveTo(0, r.Bottom - 1);
    c.LineTo(0, 0);
    c.LineTo(r.Right - 1, 0);
    c.Pen().SetColor(br);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.LineTo(-1, r.Bottom - 1);
  }
  if (!text_.empty()) {
    c.Brush().SetStyle(bsClear);
    c.ApplyFont();
    DrawText(c.Handle(), text_, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.Brush().SetStyle(bsSolid);
  }
}

}  // namespace vx
