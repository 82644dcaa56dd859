// Painting: retained surfaces, window device contexts, update regions,
// WM_PAINT / WM_NCPAINT, printing, window regions, layered windows, hit testing.
#include <algorithm>
#include <cstring>

#include "platform/win/internal.h"

namespace vx {

using namespace detail;

namespace {

Wnd* L(HWND h) { return D().Lookup(h); }

TRect ClientRect0(const Wnd* w) { return {0, 0, w->client.Width(), w->client.Height()}; }

// The area a window covers in its root's coordinates: its rectangle cut by its region.
TRegion CoverInRoot(const Wnd* w) {
  const TRect r = RectInRoot(w);
  TRegion cover(r);
  if (w->region) cover = cover.Intersect(w->region->Offset(r.Left, r.Top));
  return cover;
}

bool ContainsInWindow(const Wnd* w, TPoint screen) {
  const TRect r = ScreenRect(w);
  if (!r.Contains(screen)) return false;
  if (w->region && !w->region->Contains(screen.X - r.Left, screen.Y - r.Top)) return false;
  return true;
}

bool IsSkipped(const std::vector<HWND>* skip, HWND h) {
  return skip && std::find(skip->begin(), skip->end(), h) != skip->end();
}

}  // namespace

namespace detail {

void NotifyScreenChanged();

void MarkDamage(const TRect& screenRect) {
  if (!screenRect.IsEmpty()) D().compositor.Damage(screenRect);
}

void MarkWindowDamage(Wnd* w) {
  if (VisibleChain(w)) MarkDamage(ScreenRect(w));
}

void EnsureSurface(Wnd* root) {
  const int w = std::clamp(root->rect.Width(), 0, TSurface::kMaxSide);
  const int h = std::clamp(root->rect.Height(), 0, TSurface::kMaxSide);
  if (root->surface && root->surface->Width() == w && root->surface->Height() == h) return;
  TSurfacePtr next;
  try {
    next = TSurface::Create(w, h, TPixelFormat::pf32bit);
  } catch (const Exception&) {
    next = TSurface::Create(0, 0, TPixelFormat::pf32bit);
  }
  if (root->surface) {
    // Keep what was there; the window repaints what is new.
    const int cw = std::min(w, root->surface->Width());
    const int ch = std::min(h, root->surface->Height());
    for (int y = 0; y < ch; ++y) std::memcpy(next->Row(y), root->surface->Row(y), size_t(cw) * 4);
  }
  root->surface = std::move(next);
}

bool HasPaintWork(const Wnd* w) {
  return !w->redrawOff && (!w->update.IsEmpty() || w->internalPaint || w->ncPending);
}

namespace {
HWND FindPaintIn(Wnd* w) {
  if (!(w->style & WS_VISIBLE)) return nullptr;
  if (HasPaintWork(w)) return w->self;
  for (HWND c : w->children)
    if (Wnd* cw = L(c))
      if (HWND f = FindPaintIn(cw)) return f;
  return nullptr;
}
}  // namespace

HWND FindPaintWindow(HWND filter) {
  Desktop& d = D();
  if (filter) {
    Wnd* f = L(filter);
    if (!f || !VisibleChain(f)) return nullptr;
    Wnd* root = Root(f);
    if (root->perPixel) return nullptr;
    return FindPaintIn(f);
  }
  for (HWND h : d.topLevel) {
    Wnd* w = L(h);
    if (!w || w->perPixel) continue;
    if (HWND f = FindPaintIn(w)) return f;
  }
  return nullptr;
}

void InvalidateClient(Wnd* w, const TRegion* rgn, bool erase, bool children) {
  // A per-pixel layered window shows what it was given, it is never painted.
  if (!VisibleChain(w) || w->redrawOff || Root(w)->perPixel) return;
  const TRect c0 = ClientRect0(w);
  TRegion add = rgn ? rgn->Intersect(c0) : TRegion(c0);
  if (!add.IsEmpty()) {
    w->update = w->update.Union(add);
    if (erase) w->erasePending = true;
  }
  if (!children) return;
  for (HWND c : w->children) {
    Wnd* cw = L(c);
    if (!cw || !(cw->style & WS_VISIBLE)) continue;
    const int dx = cw->rect.Left + cw->client.Left, dy = cw->rect.Top + cw->client.Top;
    if (rgn) {
      TRegion part = rgn->Offset(-dx, -dy);
      InvalidateClient(cw, &part, erase, true);
    } else {
      InvalidateClient(cw, nullptr, erase, true);
    }
    if (Wnd* again = L(c)) again->ncPending = again->ncPending || !rgn;
  }
}

void SendNcPaint(Wnd* w) {
  if (Root(w)->perPixel) {
    w->ncPending = false;
    return;
  }
  if (!VisibleChain(w) || w->redrawOff) return;
  w->ncPending = false;
  SendMessage(w->self, WM_NCPAINT, 1, 0);
}

void DropDCsOf(HWND h) {
  for (auto& [dc, entry] : D().dcs)
    if (entry.first == h) entry.first = nullptr;
}

TRegion VisibleRgnInRoot(const Wnd* w, bool clientOnly, bool excludeChildren) {
  const TRect wr = RectInRoot(w);
  TRegion r = clientOnly ? TRegion(w->client.Offset(wr.Left, wr.Top)) : TRegion(wr);
  if (w->region) r = r.Intersect(w->region->Offset(wr.Left, wr.Top));
  const Wnd* a = w;
  while (a->parent && !r.IsEmpty()) {
    Wnd* p = L(a->parent);
    if (!p) break;
    const TRect pr = RectInRoot(p);
    r = r.Intersect(p->client.Offset(pr.Left, pr.Top));
    if (p->region) r = r.Intersect(p->region->Offset(pr.Left, pr.Top));
    // Siblings above clip (always, as with WS_CLIPSIBLINGS).
    for (HWND s : p->children) {
      if (s == a->self) break;
      Wnd* sw = L(s);
      if (sw && (sw->style & WS_VISIBLE)) r = r.Subtract(CoverInRoot(sw));
    }
    a = p;
  }
  if (excludeChildren) {
    for (HWND c : w->children) {
      Wnd* cw = L(c);
      if (cw && (cw->style & WS_VISIBLE)) r = r.Subtract(CoverInRoot(cw));
    }
  }
  return r;
}

HWND HitWindow(TPoint pt, const std::vector<HWND>* skip) {
  Desktop& d = D();
  for (HWND h : d.topLevel) {
    Wnd* w = L(h);
    if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || IsSkipped(skip, h)) continue;
    // Click-through: layered and transparent.
    if ((w->exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT)) continue;
    if (!ContainsInWindow(w, pt)) continue;
    if (w->perPixel && w->surface) {
      // Fully transparent pixels of a per-pixel layered window let the mouse through.
      const int x = pt.X - w->rect.Left, y = pt.Y - w->rect.Top;
      if (x >= w->surface->Width() || y >= w->surface->Height() || (w->surface->GetPixel(x, y) >> 24) == 0) continue;
    }
    Wnd* cur = w;
    for (;;) {
      Wnd* next = nullptr;
      for (HWND c : cur->children) {
        Wnd* cw = L(c);
        if (!cw || !(cw->style & WS_VISIBLE) || IsSkipped(skip, c)) continue;
        if (cw->exStyle & WS_EX_TRANSPARENT) continue;
        if (!ContainsInWindow(cw, pt)) continue;
        // The child must lie under the parent's client area too.
        TPoint cp = pt;
        const TPoint o = ClientOrigin(cur);
        cp.X -= o.X;
        cp.Y -= o.Y;
        if (!ClientRect0(cur).Contains(cp)) continue;
        next = cw;
        break;
      }
      if (!next || (next->style & WS_DISABLED)) break;
      cur = next;
    }
    if (IsSkipped(skip, cur->self)) continue;
    return cur->self;
  }
  return nullptr;
}

}  // namespace detail

// ---- device contexts -----------------------------------------------------------

namespace {

HDC MakeDC(Wnd* w, bool windowDC, const TRegion* extra, bool excludeExtra) {
  Desktop& d = D();
  std::unique_ptr<TDeviceContext> dc;
  const TPoint clientOff = windowDC ? TPoint{0, 0} : w->client.TopLeft();
  if (w->printDC) {
    HDC t = w->printDC;
    dc = CreateMemoryDC(t->Surface());
    const TPoint so = t->LogicalToSurface(TPoint{w->printOrigin.X + clientOff.X, w->printOrigin.Y + clientOff.Y});
    dc->SetDeviceOrigin(so);
    const TRect area = windowDC ? Bounds(so.X, so.Y, w->rect.Width(), w->rect.Height())
                                : Bounds(so.X, so.Y, w->client.Width(), w->client.Height());
    TRegion clip = t->EffectiveClip().Intersect(area);
    if (extra) {
      const TRegion e = extra->Offset(so.X, so.Y);
      clip = excludeExtra ? clip.Subtract(e) : clip.Intersect(e);
    }
    dc->SetSystemClip(clip);
  } else {
    Wnd* root = Root(w);
    EnsureSurface(root);
    dc = CreateMemoryDC(root->surface);
    const TRect wr = RectInRoot(w);
    const TPoint so{wr.Left + clientOff.X, wr.Top + clientOff.Y};
    dc->SetDeviceOrigin(so);
    TRegion clip = VisibleRgnInRoot(w, !windowDC, true);
    if (extra) {
      const TRegion e = extra->Offset(so.X, so.Y);
      clip = excludeExtra ? clip.Subtract(e) : clip.Intersect(e);
    }
    dc->SetSystemClip(clip);
  }
  HDC h = dc.get();
  d.dcs[h] = {w->printDC ? nullptr : w->self, std::move(dc)};
  return h;
}

}  // namespace

HDC GetDC(HWND hwnd) {
  if (!hwnd) {
    // A screen DC for measuring: it draws on a private 1x1 surface, so nothing
    // reaches the screen and nothing is read back from it.
    Desktop& d = D();
    auto dc = CreateMemoryDC(TSurface::Create(1, 1, TPixelFormat::pf32bit));
    HDC h = dc.get();
    d.dcs[h] = {nullptr, std::move(dc)};
    return h;
  }
  Wnd* w = L(hwnd);
  return w ? MakeDC(w, false, nullptr, false) : nullptr;
}

HDC GetWindowDC(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w ? MakeDC(w, true, nullptr, false) : nullptr;
}

HDC GetDCEx(HWND hwnd, const TRegion* clip, DWORD flags) {
  Wnd* w = L(hwnd);
  if (!w) return nullptr;
  const TRegion* extra = (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) ? clip : nullptr;
  return MakeDC(w, (flags & DCX_WINDOW) != 0, extra, (flags & DCX_EXCLUDERGN) != 0);
}

int ReleaseDC(HWND, HDC dc) {
  Desktop& d = D();
  auto it = d.dcs.find(dc);
  if (it == d.dcs.end()) return 0;
  if (Wnd* w = L(it->second.first)) {
    if (VisibleChain(w)) {
      Wnd* root = Root(w);
      const auto& sys = dc->SystemClip();
      if (sys) MarkDamage(sys->Bounds().Offset(root->rect.Left, root->rect.Top));
    }
  }
  d.dcs.erase(it);
  return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  Wnd* w = L(hwnd);
  if (!w || !ps) return nullptr;
  if (w->printDC) {
    ps->hdc = MakeDC(w, false, nullptr, false);
    ps->fErase = false;
    ps->rcPaint = ClientRect0(w);
    return ps->hdc;
  }
  if (w->ncPending) {
    SendNcPaint(w);
    if (!(w = L(hwnd))) return nullptr;
  }
  const TRegion upd = w->update;
  const bool erase = w->erasePending;
  w->update = TRegion();
  w->erasePending = false;
  w->internalPaint = false;
  HDC dc = MakeDC(w, false, &upd, false);
  ps->hdc = dc;
  ps->rcPaint = upd.Bounds();
  ps->fErase = erase;
  if (erase) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  return dc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps || !ps->hdc) return false;
  ReleaseDC(hwnd, ps->hdc);
  NotifyScreenChanged();
  return true;
}

// ---- invalidation --------------------------------------------------------------

namespace {

template <class F>
void ForEachTopLevel(F f) {
  std::vector<HWND> all = D().topLevel;
  for (HWND h : all)
    if (Wnd* w = L(h)) f(w);
}

void PaintNow(HWND h, bool update, bool children) {
  Wnd* w = L(h);
  if (!w || !VisibleChain(w)) return;
  if (w->ncPending) {
    SendNcPaint(w);
    if (!(w = L(h))) return;
  }
  if (update && (!w->update.IsEmpty() || w->internalPaint)) {
    SendMessage(h, WM_PAINT, 0, 0);
    if ((w = L(h)) && (!w->update.IsEmpty() || w->internalPaint)) {
      w->update = TRegion();
      w->internalPaint = false;
      w->erasePending = false;
    }
    if (!(w = L(h))) return;
  } else if (!update && w->erasePending) {
    HDC dc = MakeDC(w, false, &w->update, false);
    w->erasePending = false;
    SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(h, dc);
    if (!(w = L(h))) return;
  }
  if (children) {
    std::vector<HWND> kids = w->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) PaintNow(*it, update, true);
  }
}

}  // namespace

bool InvalidateRect(HWND hwnd, const TRect* r, bool erase) {
  if (!hwnd) {
    ForEachTopLevel([&](Wnd* w) { InvalidateClient(w, nullptr, erase, true); });
    return true;
  }
  Wnd* w = L(hwnd);
  if (!w) return false;
  if (r) {
    TRegion rg(*r);
    InvalidateClient(w, &rg, erase, false);
  } else {
    InvalidateClient(w, nullptr, erase, false);
  }
  return true;
}

bool InvalidateRgn(HWND hwnd, const TRegion* rgn, bool erase) {
  Wnd* w = L(hwnd);
  if (!w) return false;
  InvalidateClient(w, rgn, erase, false);
  return true;
}

bool ValidateRect(HWND hwnd, const TRect* r) {
  Wnd* w = L(hwnd);
  if (!w) return false;
  if (r) {
    w->update = w->update.Subtract(TRegion(*r));
  } else {
    w->update = TRegion();
    w->erasePending = false;
    w->internalPaint = false;
  }
  return true;
}

bool GetUpdateRect(HWND hwnd, TRect* r, bool) {
  Wnd* w = L(hwnd);
  if (!w) return false;
  if (r) *r = w->update.Bounds();
  return !w->update.IsEmpty();
}

bool GetUpdateRgn(HWND hwnd, TRegion& rgn) {
  Wnd* w = L(hwnd);
  if (!w) return false;
  rgn = w->update;
  return true;
}

bool UpdateWindow(HWND hwnd) {
  if (!L(hwnd)) return false;
  PaintNow(hwnd, true, false);
  return true;
}

bool RedrawWindow(HWND hwnd, const TRect* r, const TRegion* rgn, UINT flags) {
  if (!hwnd) {
    ForEachTopLevel([&](Wnd* w) { RedrawWindow(w->self, r, rgn, flags | RDW_ALLCHILDREN); });
    return true;
  }
  Wnd* w = L(hwnd);
  if (!w) return false;
  std::optional<TRegion> area;
  if (rgn)
    area = *rgn;
  else if (r)
    area = TRegion(*r);
  const bool all = (flags & RDW_ALLCHILDREN) != 0;
  if (flags & RDW_INVALIDATE) {
    InvalidateClient(w, area ? &*area : nullptr, (flags & RDW_ERASE) != 0, all);
    if ((flags & RDW_FRAME) && VisibleChain(w)) w->ncPending = true;
  }
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) {
    if (area)
      w->update = w->update.Subtract(*area);
    else
      w->update = TRegion();
    if (flags & RDW_NOFRAME) w->ncPending = false;
    if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  }
  if (flags & RDW_NOERASE) w->erasePending = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) PaintNow(hwnd, (flags & RDW_UPDATENOW) != 0, all);
  return true;
}

// ---- printing ------------------------------------------------------------------

namespace detail {

LRESULT DefPrint(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = L(h);
  HDC dc = reinterpret_cast<HDC>(wp);
  if (!w || !dc) return 0;
  if (msg == WM_PRINTCLIENT) {
    // dc's logical origin is the client origin here.
    HDC savedDC = w->printDC;
    const TPoint savedOrigin = w->printOrigin;
    w->printDC = dc;
    w->printOrigin = {-w->client.Left, -w->client.Top};
    SendMessage(h, WM_PAINT, wp, 0);
    if ((w = L(h))) {
      w->printDC = savedDC;
      w->printOrigin = savedOrigin;
    }
    return 0;
  }
  const UINT flags = UINT(lp);
  if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(h)) return 0;
  const int save = SaveDC(dc);
  if (flags & PRF_NONCLIENT) {
    HDC savedDC = w->printDC;
    const TPoint savedOrigin = w->printOrigin;
    w->printDC = dc;
    w->printOrigin = {0, 0};
    SendMessage(h, WM_NCPAINT, 1, 0);
    if (!(w = L(h))) {
      RestoreDC(dc, save);
      return 0;
    }
    w->printDC = savedDC;
    w->printOrigin = savedOrigin;
  }
  OffsetViewportOrgEx(dc, w->client.Left, w->client.Top);
  IntersectClipRect(dc, 0, 0, w->client.Width(), w->client.Height());
  if (flags & PRF_ERASEBKGND) SendMessage(h, WM_ERASEBKGND, wp, 0);
  if ((flags & PRF_CLIENT) && L(h)) SendMessage(h, WM_PRINTCLIENT, wp, LPARAM(flags));
  if ((flags & PRF_CHILDREN) && (w = L(h))) {
    std::vector<HWND> kids = w->children;
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
      Wnd* c = L(*it);
      if (!c || !(c->style & WS_VISIBLE)) continue;
      const int s = SaveDC(dc);
      OffsetViewportOrgEx(dc, c->rect.Left, c->rect.Top);
      IntersectClipRect(dc, 0, 0, c->rect.Width(), c->rect.Height());
      SendMessage(*it, WM_PRINT, wp, LPARAM(flags));
      RestoreDC(dc, s);
    }
  }
  RestoreDC(dc, save);
  return 0;
}

}  // namespace detail

bool PrintWindow(HWND hwnd, HDC dc, UINT prfFlags) {
  if (!L(hwnd) || !dc) return false;
  SendMessage(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), LPARAM(prfFlags));
  return true;
}

// ---- regions -------------------------------------------------------------------

bool SetWindowRgn(HWND hwnd, std::optional<TRegion> rgn, bool redraw) {
  Wnd* w = L(hwnd);
  if (!w) return false;
  const bool visible = VisibleChain(w);
  if (visible) {
    MarkDamage(ScreenRect(w));
    if (w->parent)
      if (Wnd* p = L(w->parent)) {
        TRegion uncovered(w->rect);
        InvalidateClient(p, &uncovered, true, false);
      }
  }
  w->region = std::move(rgn);
  if (visible && redraw) {
    w->ncPending = true;
    InvalidateClient(w, nullptr, true, true);
    SendNcPaint(w);
  }
  NotifyScreenChanged();
  return true;
}

int GetWindowRgn(HWND hwnd, TRegion& rgn) {
  Wnd* w = L(hwnd);
  if (!w || !w->region) return RGN_ERROR;
  rgn = *w->region;
  return rgn.Type();
}

// ---- hit testing ---------------------------------------------------------------

HWND WindowFromPoint(TPoint p) { return HitWindow(p, nullptr); }

HWND ChildWindowFromPoint(HWND parent, TPoint p) {
  Wnd* w = L(parent);
  if (!w) return nullptr;
  if (!ClientRect0(w).Contains(p)) return nullptr;
  for (HWND c : w->children) {
    Wnd* cw = L(c);
    if (!cw || !(cw->style & WS_VISIBLE)) continue;
    if (!cw->rect.Contains(p)) continue;
    if (cw->region && !cw->region->Contains(p.X - cw->rect.Left, p.Y - cw->rect.Top)) continue;
    return c;
  }
  return parent;
}

// ---- layered windows -----------------------------------------------------------

bool SetLayeredWindowAttributes(HWND hwnd, TColor key, BYTE alpha, DWORD flags) {
  Wnd* w = L(hwnd);
  if (!w || w->parent || !(w->exStyle & WS_EX_LAYERED)) return false;
  if (w->perPixel) {
    // Leaving per-pixel content: the window paints itself again.
    w->perPixel = false;
    InvalidateClient(w, nullptr, true, true);
    w->ncPending = true;
  }
  w->layeredAttr = true;
  w->layeredKey = key;
  w->layeredAlpha = alpha;
  w->layeredFlags = flags & (LWA_ALPHA | LWA_COLORKEY);
  MarkWindowDamage(w);
  NotifyScreenChanged();
  return true;
}

bool GetLayeredWindowAttributes(HWND hwnd, TColor* key, BYTE* alpha, DWORD* flags) {
  Wnd* w = L(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED) || !w->layeredAttr) return false;
  if (key) *key = w->layeredKey;
  if (alpha) *alpha = w->layeredAlpha;
  if (flags) *flags = w->layeredFlags;
  return true;
}

bool UpdateLayeredWindow(HWND hwnd, const TPoint* pos, const TSize* size, HDC src, const TPoint* srcPt, TColor key,
                         const BLENDFUNCTION* blend, DWORD flags) {
  Wnd* w = L(hwnd);
  if (!w || w->parent || !(w->exStyle & WS_EX_LAYERED)) return false;
  if (blend && blend->BlendOp != AC_SRC_OVER) return false;
  const TSize sz = size ? *size : TSize{w->rect.Width(), w->rect.Height()};
  if (sz.cx < 0 || sz.cy < 0) return false;
  const TPoint p = pos ? *pos : w->rect.TopLeft();
  if (p != w->rect.TopLeft() || sz.cx != w->rect.Width() || sz.cy != w->rect.Height()) {
    SetWindowPos(hwnd, nullptr, p.X, p.Y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (!(w = L(hwnd))) return false;
  }
  EnsureSurface(w);
  if (src) {
    auto dc = CreateMemoryDC(w->surface);
    FillPixels(dc.get(), w->surface->BoundsRect(), 0);
    BitBlt(dc.get(), 0, 0, sz.cx, sz.cy, src, srcPt ? srcPt->X : 0, srcPt ? srcPt->Y : 0, SRCCOPY);
  }
  w->perPixel = false;
  w->layeredAttr = false;
  w->layeredFlags = 0;
  if (flags & ULW_ALPHA) {
    if (blend && (blend->AlphaFormat & AC_SRC_ALPHA)) {
      w->perPixel = true;
      w->perPixelAlpha = blend->SourceConstantAlpha;
    } else {
      w->layeredAttr = true;
      w->layeredAlpha = blend ? blend->SourceConstantAlpha : 255;
      w->layeredFlags = LWA_ALPHA;
    }
  } else if (flags & ULW_COLORKEY) {
    w->layeredAttr = true;
    w->layeredKey = key;
    w->layeredFlags = LWA_COLORKEY;
  }
  if (w->perPixel) {
    // The content is given, not painted.
    w->update = TRegion();
    w->erasePending = false;
    w->ncPending = false;
    w->internalPaint = false;
  }
  MarkWindowDamage(w);
  NotifyScreenChanged();
  return true;
}

}  // namespace vx
