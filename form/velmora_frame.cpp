// TvxVelmora: frame geometry, frame painting (skinned and default), the
// window region, hit testing, track sizes and the client background.
#include <algorithm>
#include <vector>

#include "form/caption_objects.h"
#include "form/frame_coords.h"
#include "form/velmora.h"
#include "raster/effect_bmp.h"
#include "raster/skin_draw.h"
#include "raster/skin_image.h"
#include "raster/vx_bitmap.h"
#include "skin/vxResStrData.h"
#include "skin/vxSkinData.h"

namespace vx {

namespace {

// Restores a device context's state (clip included) when the scope ends.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), level_(dc ? SaveDC(dc) : 0) {}
  ~TSavedDC() {
    if (dc_ && level_ > 0) RestoreDC(dc_, level_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int level_;
};

// The window DC of the form, or the DC handed in; released when obtained here.
class TFrameDC {
 public:
  TFrameDC(TCustomForm* form, HDC given, bool useGiven) {
    if (useGiven) {
      dc_ = given;
    } else if (form->HandleAllocated()) {
      wnd_ = form->Handle();
      dc_ = GetWindowDC(wnd_);
    }
  }
  ~TFrameDC() {
    if (wnd_ && dc_) ReleaseDC(wnd_, dc_);
  }
  TFrameDC(const TFrameDC&) = delete;
  TFrameDC& operator=(const TFrameDC&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND wnd_ = nullptr;
  HDC dc_ = nullptr;
};

bool IsBlack(uint32_t px) { return (px & 0x00FFFFFFu) == 0; }

// One 1-pixel ring: top and left in `tl`, bottom and right in `br`.
void DrawRing(HDC dc, const TRect& r, TColor tl, TColor br) {
  if (r.IsEmpty()) return;
  FillSolidRect(dc, {r.Left, r.Top, r.Right - 1, r.Top + 1}, tl);
  FillSolidRect(dc, {r.Left, r.Top, r.Left + 1, r.Bottom - 1}, tl);
  FillSolidRect(dc, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, br);
  FillSolidRect(dc, {r.Right - 1, r.Top, r.Right, r.Bottom}, br);
}

// The skin's frame points and rectangles within its main picture (see InPicture).
struct TPictureFrame {
  explicit TPictureFrame(const TvxSkinData& s) {
    const int pw = s.Picture->Width(), ph = s.Picture->Height();
    lt = InPicture(s.lefttoppoint, pw, ph);
    rt = InPicture(s.righttoppoint, pw, ph);
    lb = InPicture(s.leftbottompoint, pw, ph);
    rb = InPicture(s.rightbottompoint, pw, ph);
    client = InPicture(s.clientrect, pw, ph);
    mask = InPicture(s.maskrectarea, pw, ph);
  }
  TPoint lt, rt, lb, rb;
  TRect client, mask;
};

void AddMask(std::vector<TRect>& rects, const TvxBitmap& strip, int dx, int dy) {
  if (strip.Empty()) return;
  std::vector<TRect> runs = MaskRuns(strip, dx, dy);
  rects.insert(rects.end(), runs.begin(), runs.end());
}

}  // namespace

// ---- metrics ---------------------------------------------------------------------

int TvxVelmora::CaptionHeight() const {
  const TFormBorderStyle bs = form_->BorderStyle();
  return (bs == bsToolWindow || bs == bsSizeToolWin) ? 15 : 19;
}

int TvxVelmora::CaptionButtonSize() const {
  const TFormBorderStyle bs = form_->BorderStyle();
  return (bs == bsToolWindow || bs == bsSizeToolWin) ? 13 : 17;
}

TSize TvxVelmora::SmallIconSize() const {
  int w = GetSystemMetrics(SM_CXSMICON), h = GetSystemMetrics(SM_CYSMICON);
  if (w == 0 || h == 0) {
    w = GetSystemMetrics(SM_CXSIZE);
    h = GetSystemMetrics(SM_CYSIZE);
  }
  return {w, h};
}

TRect TvxVelmora::DefaultClientRect() const {
  return {3, CaptionHeight() + 3, frameWidth_ - 3, frameHeight_ - 3};
}

const TvxBitmap& TvxVelmora::MaskStrip(int i) const { return *maskStrips_[std::clamp(i, 0, 3)]; }

// ---- geometry --------------------------------------------------------------------

void TvxVelmora::CalcFrameGeometry() {
  if (frameWidth_ == 0 || frameHeight_ == 0) RefreshFrameSize();
  TvxFrameGeometry g;
  if (!ActiveSkin()) {
    g.FrameClientRect = DefaultClientRect();
    g.FrameCaptionRect = {3, 3, frameWidth_ - 3, CaptionHeight() + 3};
    g.FrameMaskRect = {0, 0, frameWidth_, frameHeight_};
    g.FrameLeftTop = {3, 3};
    g.FrameRightTop = {frameWidth_ - 3, 3};
    g.FrameLeftBottom = {3, frameHeight_ - 3};
    g.FrameRightBottom = {frameWidth_ - 3, frameHeight_ - 3};
    geom_ = g;
    return;
  }
  const TvxSkinData& s = *skinData_;
  const int pw = s.Picture->Width(), ph = s.Picture->Height();
  const int64_t dx = int64_t(frameWidth_) - pw, dy = int64_t(frameHeight_) - ph;
  const TPictureFrame pf(s);
  g.FrameLeftTop = pf.lt;
  g.FrameRightTop = SatMoved(pf.rt, dx, 0);
  g.FrameLeftBottom = SatMoved(pf.lb, 0, dy);
  g.FrameRightBottom = SatMoved(pf.rb, dx, dy);
  g.FrameClientRect = SatMoved(pf.client, 0, 0, dx, dy);
  g.FrameCaptionRect = SatMoved(s.captionrect, 0, 0, s.captionrect.IsEmpty() ? 0 : dx, 0);
  g.FrameButtonsRect = SatMoved(s.buttonsrect, 0, 0, 0, 0);
  if (!s.buttonsrect.IsEmpty()) {
    if (s.buttonsrect.Left > pw / 2) {
      g.FrameButtonsRect = SatMoved(s.buttonsrect, dx, 0, dx, 0);
    } else if (s.buttonsrect.Left < pw / 2) {
      g.ButtonsRectOnLeft = true;
    }
  }
  g.ButtonsOffset = SatCoord(s.buttonsoffset);
  g.ButtonsInLeft = s.buttonsinleft;
  g.HitLeftTop = SatMoved(s.hittestlefttoppoint, 0, 0);
  g.HitRightTop = SatMoved(s.hittestrighttoppoint, dx, 0);
  g.HitLeftBottom = SatMoved(s.hittestleftbottompoint, 0, dy);
  g.HitRightBottom = SatMoved(s.hittestrightbottompoint, dx, dy);
  g.FrameMaskRect = SatMoved(pf.mask, 0, 0, dx, dy);
  geom_ = g;
}

void TvxVelmora::UpdateFrame(bool arrangeObjects) {
  if (Designing() || !skinData_ || skinData_->Empty) return;
  auto link = link_;
  if (skinnable_) {
    CalcFrameGeometry();
    if (arrangeObjects) objects_->ArrangeObjects();
  }
  BuildWindowRegion(arrangeObjects);
  if (link && !link->self) return;
  if (!windowRegion_ && skinnable_ && HasBorder() && form_->HandleAllocated())
    SendMessage(form_->Handle(), WM_NCPAINT, 1, 0);
  if (link && !link->self) return;
  if (skinInUse_ && skinData_ && skinData_->stretcheffect && form_->HandleAllocated()) {
    form_->Invalidate();
    for (int i = 0; i < form_->ControlCount(); ++i) {
      auto* w = dynamic_cast<TWinControl*>(form_->Controls(i));
      if (w && w->HandleAllocated()) SendMessage(w->Handle(), VXM_PARENTBACKGROUNDCHANGED, 0, 0);
      if (link && !link->self) return;  // a child's handler freed the component
    }
  }
}

// ---- skinned frame ---------------------------------------------------------------

void TvxVelmora::PaintSkinFrame(HDC dc, bool useGivenDC) {
  if (!ActiveSkin()) return;
  if (frameWidth_ == 0 || frameHeight_ == 0) RefreshFrameSize();
  if (frameWidth_ < GetMinWidth() || frameHeight_ < GetMinHeight()) return;
  CalcFrameGeometry();
  objects_->ArrangeObjects();

  const TvxSkinData& s = *skinData_;
  const bool active = IsFormActive();
  const TvxBitmap& source = (active || s.InactivePicture->Empty()) ? *s.Picture : *s.InactivePicture;
  const TvxFrameGeometry& g = geom_;
  TvxBitmap top, bottom, left, right;
  const TPictureFrame pf(s);
  CreateSkinBorderImages(pf.lt, pf.rt, pf.lb, s.bottomstretch, s.rightstretch,
                         s.topstretch, s.leftstretch, frameHeight_, frameWidth_, source.BoundsRect(), source, bottom,
                         right, top, left, g.FrameClientRect, g.FrameRightBottom, g.FrameLeftBottom,
                         g.FrameRightTop, g.FrameLeftTop, pf.client, pf.rb);

  // Objects live in the top and bottom bands; those below the client's top
  // edge are painted into the bottom strip, moved up by its offset.
  const int clientBottom = g.FrameClientRect.Bottom;
  auto link = link_;
  for (int i = 0; i < objects_->Count(); ++i) {
    TvxActiveSkinObject* o = objects_->Object(i);
    if (!o || !o->Visible) continue;
    if (o->ObjectRect.Bottom > g.FrameClientRect.Top) {
      if (bottom.Empty()) continue;
      const TRect saved = o->ObjectRect;
      o->ObjectRect = SatMoved(saved, 0, -int64_t(clientBottom), 0, -int64_t(clientBottom));
      o->Paint(bottom.Canvas(), false);
      // A paint handler may free the component, and its objects with it.
      if (link && !link->self) return;
      o->ObjectRect = saved;
    } else if (!top.Empty()) {
      o->Paint(top.Canvas(), false);
      if (link && !link->self) return;
    }
  }

  TFrameDC target(form_, dc, useGivenDC);
  if (!target.dc()) return;
  TSavedDC saved(target.dc());
  if (!g.FrameClientRect.IsEmpty())
    ExcludeClipRect(target.dc(), g.FrameClientRect.Left, g.FrameClientRect.Top, g.FrameClientRect.Right,
                    g.FrameClientRect.Bottom);
  const int topH = top.Height();
  struct Placed {
    TvxBitmap* bmp;
    int x, y;
  };
  const Placed strips[4] = {{&top, 0, 0},
                            {&left, 0, topH},
                            {&right, frameWidth_ - right.Width(), topH},
                            {&bottom, 0, frameHeight_ - bottom.Height()}};
  const bool effect = !active && s.autorenderinginactiveimage;
  for (const Placed& p : strips) {
    if (p.bmp->Empty()) continue;
    if (effect) {
      TvxEffectBmp e(*p.bmp);
      switch (s.inactiveeffect) {
        case vxieBrightness: e.Brightness(0.5); break;
        case vxieDarkness: e.Darkness(0.3); break;
        case vxieGrayScale: e.GrayScale(); break;
        case vxieNoise: e.AddNoise(50); break;
        case vxieSplitBlur: e.SplitBlur(1); break;
        case vxieInvert: e.Invert(); break;
      }
      e.Draw(target.dc(), p.x, p.y);
    } else {
      BitBlt(target.dc(), p.x, p.y, p.bmp->Width(), p.bmp->Height(), p.bmp->DC(), 0, 0, SRCCOPY);
    }
  }
}

// ---- default frame ---------------------------------------------------------------

void TvxVelmora::PaintDefaultFrame(HDC dc, bool useGivenDC) {
  if (frameWidth_ == 0 || frameHeight_ == 0) RefreshFrameSize();
  CalcFrameGeometry();
  const int ch = CaptionHeight();
  TRect cap = objects_->LayoutDefaultObjects();
  if (objects_->Empty() && !skinInUse_) {
    objects_->CreateDefaultObjects();
    cap = objects_->LayoutDefaultObjects();
  }
  const bool active = IsFormActive();
  auto link = link_;

  TvxBitmap bmp;
  const int bw = frameWidth_ - 6;
  if (bw > 0 && ch > 0) {
    bmp.SetSize(bw, ch);
    TCanvas& c = bmp.Canvas();
    c.Brush().SetColor(clBtnFace);
    c.FillRect(bmp.BoundsRect());
    // Grip lines, stopped around the text below.
    if (ch - 4 > 1) {
      const int x0 = (cap.Left - 3) + 2, x1 = (cap.Right - 3) - 3;
      for (int i = 0; i < ch - 5; ++i) {
        c.Pen().SetColor(i % 2 == 0 ? clBtnHighlight : clBtnShadow);
        c.MoveTo(x0, 2 + i);
        c.LineTo(x1, 2 + i);
      }
    }
    c.Font().Assign(active ? defCaptionFont_ : defInActiveCaptionFont_);
    if (skinData_ && skinData_->ResourceStrData()) c.Font().SetCharset(skinData_->ResourceStrData()->CharSet());
    std::string text = form_->Caption();
    if (IsMDIForm()) {
      TCustomForm* child = form_->ActiveMDIChild();
      if (child && child->HandleAllocated() && IsZoomed(child->Handle()))
        text += " - [" + child->Caption() + "]";
    }
    const TRect area{cap.Left - 3, 0, cap.Right - 3, ch};
    if (auto ev = OnCaptionPaint) {  // a copy: the handler may free the component
      ev(c, area, active);
      if (link && !link->self) return;
    } else if (!text.empty()) {
      CorrectTextByWidth(c, text, area.Width());
      const TSize ext = c.TextExtent(text);
      const int x = area.Left + area.Width() / 2 - (ext.cx + 5) / 2;
      const int y = ch / 2 - ext.cy / 2;
      c.Brush().SetColor(clBtnFace);
      c.FillRect(TRect{x, y, x + ext.cx, y + ext.cy}.Inflate(2, 2));
      c.Brush().SetStyle(bsClear);
      c.TextOut(x, y, text);
    }
    for (int i = 0; i < objects_->Count(); ++i) {
      TvxActiveSkinObject* o = objects_->Object(i);
      if (!o || !o->Visible) continue;
      const TRect saved = o->ObjectRect;
      o->ObjectRect = saved.Offset(-3, -3);
      o->Paint(c, false);
      o->ObjectRect = saved;
    }
  }

  TFrameDC target(form_, dc, useGivenDC);
  if (!target.dc()) return;
  TSavedDC saved(target.dc());
  const TRect client = DefaultClientRect();
  if (!client.IsEmpty()) ExcludeClipRect(target.dc(), client.Left, client.Top, client.Right, client.Bottom);
  if (!bmp.Empty()) BitBlt(target.dc(), 3, 3, bmp.Width(), bmp.Height(), bmp.DC(), 0, 0, SRCCOPY);
  const TRect outer{0, 0, frameWidth_, frameHeight_};
  DrawRing(target.dc(), outer, cl3DLight, cl3DDkShadow);
  DrawRing(target.dc(), outer.Inflate(-1, -1), clBtnHighlight, clBtnShadow);
  DrawRing(target.dc(), outer.Inflate(-2, -2), clBtnFace, clBtnFace);
}

// ---- region ----------------------------------------------------------------------

void TvxVelmora::SetRegion(std::optional<TRegion> rgn) {
  // Regions are values: the window keeps its own copy, ours is only a record.
  windowRegion_ = rgn;
  if (form_->HandleAllocated()) SetWindowRgn(form_->Handle(), std::move(rgn), true);
}

void TvxVelmora::BuildWindowRegion(bool stretch) {
  if (frameWidth_ == 0 || frameHeight_ == 0) RefreshFrameSize();
  const TRect whole{0, 0, frameWidth_, frameHeight_};
  if (!skinnable_ || !HasBorder()) {
    if (windowRegion_) SetRegion(std::nullopt);
    return;
  }
  if (!ActiveSkin()) {
    for (auto& s : maskStrips_) s->Clear();
    SetRegion(TRegion(whole));
    return;
  }
  const TvxSkinData& s = *skinData_;
  if (s.MaskPicture->Empty() || IsMaximizedMDIChild()) {
    SetRegion(TRegion(whole));
    return;
  }
  CalcFrameGeometry();
  const TvxFrameGeometry& g = geom_;
  std::vector<TRect> rects;
  if (stretch) {
    TvxBitmap& top = *maskStrips_[0];
    TvxBitmap& bottom = *maskStrips_[1];
    TvxBitmap& left = *maskStrips_[2];
    TvxBitmap& right = *maskStrips_[3];
    const TPictureFrame pf(s);
    CreateSkinMaskStrips(pf.lt, pf.rt, pf.lb, frameHeight_, frameWidth_, bottom, right,
                         left, top, *s.MaskPicture, g.FrameMaskRect, g.FrameRightBottom, g.FrameLeftBottom,
                         g.FrameRightTop, g.FrameLeftTop, pf.mask, pf.rb);
    if (!g.FrameMaskRect.IsEmpty()) rects.push_back(g.FrameMaskRect);
    AddMask(rects, top, 0, 0);
    AddMask(rects, bottom, 0, g.FrameMaskRect.Bottom);
    AddMask(rects, left, 0, g.FrameMaskRect.Top);
    AddMask(rects, right, g.FrameMaskRect.Right, g.FrameMaskRect.Top);
  } else {
    rects = MaskRuns(*s.MaskPicture, 0, 0);
  }
  // A mask that gives nothing leaves the previous region in place.
  if (rects.empty()) return;
  SetRegion(TRegion::FromRects(rects));
}

bool TvxVelmora::PointInShape(TPoint p) const {
  const TRect& mr = geom_.FrameMaskRect;
  if (mr.Contains(p)) return true;
  const TvxBitmap* strip = nullptr;
  int x = p.X, y = p.Y;
  if (p.Y < mr.Top) {
    strip = maskStrips_[0].get();
  } else if (p.Y < mr.Bottom) {
    y = p.Y - mr.Top;
    if (p.X > mr.Left) {
      strip = maskStrips_[3].get();
      x = p.X - mr.Right;
    } else {
      strip = maskStrips_[2].get();
    }
  } else {
    strip = maskStrips_[1].get();
    y = p.Y - mr.Bottom;
  }
  // Points beyond the strip are outside the shape, never read.
  if (!strip || x < 0 || y < 0 || x >= strip->Width() || y >= strip->Height()) return false;
  return IsBlack(strip->Pixel(x, y));
}

// ---- hit testing -----------------------------------------------------------------

bool TvxVelmora::CaptionHitTest(TPoint p) {
  for (int i = 0; i < objects_->Count(); ++i) {
    TvxActiveSkinObject* o = objects_->Object(i);
    if (o && o->IsCaption() && o->ObjectRect.Contains(p)) return true;
  }
  return false;
}

int TvxVelmora::SkinHitTest(TPoint p) {
  const TvxFrameGeometry& g = geom_;
  if (rolledUp_ || IsMinimized()) return CaptionHitTest(p) ? HTCAPTION : HTOBJECT;
  const bool onCaption = CaptionHitTest(p);
  if (objects_->HotIndex() >= 0 && !onCaption && !g.FrameClientRect.Contains(p) && !inMoveSizeLoop_)
    return HTOBJECT;
  if (!IsMaximized() && Resizable()) {
    const int b = SatCoord(skinData_->borderwidth);
    const TPoint probes[4] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
    bool nearEdge = false;
    if (skinData_->MaskPicture->Empty()) {
      const TRect whole{0, 0, frameWidth_, frameHeight_};
      for (const TPoint& q : probes) nearEdge = nearEdge || !whole.Contains(q);
    } else if (!g.FrameMaskRect.Contains(p)) {
      for (const TPoint& q : probes) nearEdge = nearEdge || !PointInShape(q);
    }
    if (!nearEdge) {
      if (g.FrameClientRect.Contains(p)) return HTCLIENT;
      return onCaption ? HTCAPTION : HTOBJECT;
    }
    if (p.X <= g.HitLeftTop.X && p.Y <= g.HitLeftTop.Y) return HTTOPLEFT;
    if (p.X >= g.HitRightTop.X && p.Y <= g.HitRightTop.Y) return HTTOPRIGHT;
    if (p.X <= g.HitLeftBottom.X && p.Y >= g.HitLeftBottom.Y) return HTBOTTOMLEFT;
    if (p.X >= g.HitRightBottom.X && p.Y >= g.HitRightBottom.Y) return HTBOTTOMRIGHT;
    if (TRect{g.HitLeftTop.X, 0, g.HitRightTop.X, g.FrameClientRect.Top}.Contains(p)) return HTTOP;
    if (TRect{g.HitLeftBottom.X, g.FrameClientRect.Bottom, g.HitRightBottom.X, frameHeight_}.Contains(p))
      return HTBOTTOM;
    if (TRect{0, g.HitLeftTop.Y, g.FrameClientRect.Left, g.HitLeftBottom.Y}.Contains(p)) return HTLEFT;
    if (TRect{g.FrameClientRect.Right, g.HitRightTop.Y, frameWidth_, g.HitRightBottom.Y}.Contains(p))
      return HTRIGHT;
  }
  if (g.FrameClientRect.Contains(p)) return HTCLIENT;
  return onCaption ? HTCAPTION : HTOBJECT;
}

int TvxVelmora::DefaultHitTest(TPoint p) {
  const int w = frameWidth_, h = frameHeight_;
  const TRect client = DefaultClientRect();
  if (!IsMinimized() && !IsMaximized() && !rolledUp_ && Resizable()) {
    // The client area answers first, so a hovered caption button never
    // swallows clicks on the client.
    if (client.Contains(p)) return HTCLIENT;
    if (objects_->HotIndex() >= 0) return HTOBJECT;
    if (p.X <= 2 && p.Y <= 2) return HTTOPLEFT;
    if (p.X >= w - 2 && p.Y <= 2) return HTTOPRIGHT;
    if (p.X <= 2 && p.Y >= h - 2) return HTBOTTOMLEFT;
    if (p.X >= w - 2 && p.Y >= h - 2) return HTBOTTOMRIGHT;
    if (p.X <= 2) return HTLEFT;
    if (p.Y <= 2) return HTTOP;
    if (p.X >= w - 2) return HTRIGHT;
    if (p.Y >= h - 2) return HTBOTTOM;
  }
  if (objects_->LayoutDefaultObjects().Contains(p)) return HTCAPTION;
  return client.Contains(p) ? HTCLIENT : HTOBJECT;
}

// ---- track sizes -----------------------------------------------------------------

int TvxVelmora::GetMinWidth() { return std::min(MinTrackWidth(), GetMaxWidth()); }

int TvxVelmora::GetMinHeight() { return std::min(MinTrackHeight(), GetMaxHeight()); }

int TvxVelmora::MinTrackWidth() {
  if (!ActiveSkin()) return minWidth_ > 0 ? minWidth_ : 120;
  const int pw = skinData_->Picture->Width();
  const bool minimized = IsMinimized();
  if (pw < minWidth_ && !minimized) return minWidth_;
  const int fmw = skinData_->formminwidth;
  if (fmw > 0) return (fmw >= minWidth_ || minimized) ? fmw : minWidth_;
  return pw;
}

int TvxVelmora::MinTrackHeight() {
  const bool relaxed = rolledUp_ || IsMinimized();
  if (!ActiveSkin()) {
    const int v = CaptionHeight() + 6;
    return (v >= minHeight_ || relaxed) ? v : minHeight_;
  }
  const TvxSkinData& s = *skinData_;
  const int frame = s.Picture->Height() - s.clientrect.Height();
  if (FullBorderMode()) return (frame >= minHeight_ || relaxed) ? 10 : minHeight_;
  const int v = s.formminheight != 0 ? s.formminheight : frame;
  return (v >= minHeight_ || relaxed) ? v : minHeight_;
}

TSize TvxVelmora::MonitorAreaSize() const {
  HMONITOR mon = form_->HandleAllocated() ? MonitorFromWindow(form_->Handle(), MONITOR_DEFAULTTONEAREST)
                                          : MonitorFromRect(form_->BoundsRect(), MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi;
  if (!GetMonitorInfo(mon, &mi)) return GetScreenSize();
  const TRect& r = maximizeOnFullScreen_ ? mi.rcMonitor : mi.rcWork;
  return {r.Width(), r.Height()};
}

int TvxVelmora::GetMaxWidth() { return maxWidth_ != 0 ? maxWidth_ : MonitorAreaSize().cx; }

int TvxVelmora::GetMaxHeight() { return maxHeight_ != 0 ? maxHeight_ : MonitorAreaSize().cy; }

void TvxVelmora::NudgeSize() {
  const int w = form_->Width();
  const int f = (w - 1 < GetMinWidth()) ? 1 : 0;
  TCustomForm* form = form_;  // the resize may free the component
  form->SetWidth(w + 2 * f - 1);
  form->SetWidth(form->Width() - 2 * f + 1);
}

// ---- client background -----------------------------------------------------------

void TvxVelmora::PaintClientBackground(HDC dc) {
  if (!dc) return;
  const TRect cr = form_->ClientRect();
  const int cw = cr.Width(), chh = cr.Height();
  auto drawLogo = [&] {
    if (logo_->Empty()) return;
    logo_->SetTransparent(logoTransparent_);
    logo_->Draw(dc, std::max(0, (cw - logo_->Width()) / 2), std::max(0, (chh - logo_->Height()) / 2));
  };
  if (!ActiveSkin()) {
    FillSolidRect(dc, cr, clBtnFace);
    drawLogo();
    return;
  }
  const TvxSkinData& s = *skinData_;
  const TvxBitmap* tile = nullptr;
  TRect src;
  if (s.bgpictureindex == -1) {
    if (s.clientrect.IsEmpty()) {
      FillSolidRect(dc, cr, clBtnFace);
      return;
    }
    tile = s.Picture.get();
    src = s.clientrect;
  } else if (s.bgpictureindex >= 0 && size_t(s.bgpictureindex) < s.ActivePictures.size() &&
             s.ActivePictures[size_t(s.bgpictureindex)]) {
    tile = s.ActivePictures[size_t(s.bgpictureindex)].get();
    src = tile->BoundsRect();
  }
  // A tile the picture cannot give (no picture at that index, a rectangle
  // outside the picture) paints the plain background.
  src = IntersectRect(src, tile ? tile->BoundsRect() : TRect{});
  if (!tile || src.IsEmpty()) {
    FillSolidRect(dc, cr, clBtnFace);
    drawLogo();
    return;
  }
  const int w = src.Width(), h = src.Height();
  if (cw > 0 && chh > 0) {
    if (!s.stretcheffect) {
      for (int col = 0; col <= cw / w; ++col)
        for (int row = 0; row <= chh / h; ++row) BitBlt(dc, col * w, row * h, w, h, tile->DC(), src.Left, src.Top, SRCCOPY);
    } else if (s.stretchtype == vxstFull) {
      StretchBlt(dc, 0, 0, cw, chh, tile->DC(), src.Left, src.Top, w, h, SRCCOPY);
    } else if (s.stretchtype == vxstVert) {
      TvxBitmap strip(frameWidth_, h);
      StretchBlt(strip.DC(), 0, 0, frameWidth_, h, tile->DC(), src.Left, src.Top, w, h, SRCCOPY);
      for (int i = 0; i <= frameHeight_ / h; ++i) BitBlt(dc, 0, i * h, frameWidth_, h, strip.DC(), 0, 0, SRCCOPY);
    } else {
      TvxBitmap strip(w, frameHeight_);
      StretchBlt(strip.DC(), 0, 0, w, frameHeight_, tile->DC(), src.Left, src.Top, w, h, SRCCOPY);
      for (int i = 0; i <= frameWidth_ / w; ++i) BitBlt(dc, i * w, 0, w, frameHeight_, strip.DC(), 0, 0, SRCCOPY);
    }
  }
  drawLogo();
}

}  // namespace vx
