// Default message handling, the modal move / size loop, monitors and metrics.
#include <algorithm>
#include <cstring>

#include "platform/win/internal.h"

namespace vx {

using namespace detail;

namespace {

Wnd* L(HWND h) { return D().Lookup(h); }

// Frame thickness of the default non-client area.
int FrameSize(DWORD style, DWORD exStyle) {
  int f = 0;
  if (style & WS_THICKFRAME)
    f = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_DLGFRAME))
    f = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    f = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) f += GetSystemMetrics(SM_CXEDGE);
  return f;
}

int CaptionHeight(DWORD style, DWORD exStyle) {
  if ((style & WS_CAPTION) != WS_CAPTION) return 0;
  return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

TRect DefaultClient(const TRect& window, DWORD style, DWORD exStyle) {
  const int f = FrameSize(style, exStyle);
  TRect c{window.Left + f, window.Top + f + CaptionHeight(style, exStyle), window.Right - f, window.Bottom - f};
  if (c.Right < c.Left) c.Right = c.Left;
  if (c.Bottom < c.Top) c.Bottom = c.Top;
  return c;
}

LRESULT DefaultHitTest(Wnd* w, TPoint screen) {
  const TRect wr = ScreenRect(w);
  if (!wr.Contains(screen)) return HTNOWHERE;
  const TPoint p{screen.X - wr.Left, screen.Y - wr.Top};
  if (w->client.Contains(p)) return HTCLIENT;
  const int f = FrameSize(w->style, w->exStyle);
  const int W = wr.Width(), H = wr.Height();
  if ((w->style & WS_THICKFRAME) && !(w->style & (WS_MAXIMIZE | WS_MINIMIZE))) {
    const int corner = GetSystemMetrics(SM_CYCAPTION);
    const bool left = p.X < f, right = p.X >= W - f, top = p.Y < f, bottom = p.Y >= H - f;
    if (left || right || top || bottom) {
      const bool nearLeft = p.X < corner, nearRight = p.X >= W - corner;
      const bool nearTop = p.Y < corner, nearBottom = p.Y >= H - corner;
      if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
      if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
      if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
      if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
      if (left) return HTLEFT;
      if (right) return HTRIGHT;
      if (top) return HTTOP;
      return HTBOTTOM;
    }
  }
  const int ch = CaptionHeight(w->style, w->exStyle);
  if (ch > 0 && p.Y >= f && p.Y < f + ch && p.X >= f && p.X < W - f) return HTCAPTION;
  return HTBORDER;
}

HCURSOR CursorForHit(int hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT: return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return IDC_ARROW;
  }
}

HWND RootOf(HWND h) { return GetAncestor(h, GA_ROOT); }

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Desktop& d = D();
  Wnd* w = L(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: return TRUE;
    case WM_NCCALCSIZE: {
      if (wp) {
        auto* p = FromLParam<NCCALCSIZE_PARAMS>(lp);
        p->rgrc[0] = DefaultClient(p->rgrc[0], w->style, w->exStyle);
      } else {
        auto* r = FromLParam<TRect>(lp);
        *r = DefaultClient(*r, w->style, w->exStyle);
      }
      return 0;
    }
    case WM_NCHITTEST: return DefaultHitTest(w, LParamToPoint(lp));
    case WM_NCPAINT: return 0;  // the default never paints non-client pixels
    case WM_NCACTIVATE: return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) {
        Wnd* f = L(d.focus);
        if (!f || !IsDescendantOrSelf(w, f)) SetFocus(hwnd);
      }
      return 0;
    case WM_MOUSEACTIVATE: {
      if (w->parent) {
        const LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wp, lp);
        if (r) return r;
      }
      Wnd* root = Root(w);
      return (root->exStyle & WS_EX_NOACTIVATE) ? MA_NOACTIVATE : MA_ACTIVATE;
    }
    case WM_SETCURSOR: {
      if (w->parent && SendMessage(w->parent, WM_SETCURSOR, wp, lp)) return TRUE;
      const int hit = int16_t(LOWORD(uintptr_t(lp)));
      if (hit == HTCLIENT) {
        SetCursor(w->cls ? w->cls->cls.hCursor : HCURSOR(IDC_ARROW));
        return TRUE;
      }
      SetCursor(CursorForHit(hit));
      return (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) ? TRUE : FALSE;
    }
    case WM_WINDOWPOSCHANGING: {
      auto* pos = FromLParam<WINDOWPOS>(lp);
      if (!w->parent && !(pos->flags & SWP_NOSIZE) && !(w->style & WS_MINIMIZE) &&
          ((w->style & WS_THICKFRAME) || !(w->style & WS_POPUP))) {
        MINMAXINFO mmi;
        mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        MONITORINFO mi;
        GetMonitorInfo(MonitorFromRect(w->rect, MONITOR_DEFAULTTONEAREST), &mi);
        mmi.ptMaxSize = {mi.rcWork.Width(), mi.rcWork.Height()};
        mmi.ptMaxPosition = mi.rcWork.TopLeft();
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, ToLParam(&mmi));
        const int maxX = std::max<int>(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X);
        const int maxY = std::max<int>(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y);
        pos->cx = std::clamp<int>(pos->cx, mmi.ptMinTrackSize.X, maxX);
        pos->cy = std::clamp<int>(pos->cy, mmi.ptMinTrackSize.Y, maxY);
      }
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto* pos = FromLParam<WINDOWPOS>(lp);
      if (!(pos->flags & 0x1000 /*client moved*/))
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.Left + w->client.Left, w->rect.Top + w->client.Top));
      if (!(w = L(hwnd))) return 0;
      if (!(pos->flags & 0x0800 /*client sized*/)) {
        const WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessage(hwnd, WM_SIZE, kind, MAKELPARAM(w->client.Width(), w->client.Height()));
      }
      return 0;
    }
    case WM_SETTEXT:
      w->text = lp ? std::string(FromLParam<const char>(lp)) : std::string();
      return TRUE;
    case WM_GETTEXT: {
      char* buf = FromLParam<char>(lp);
      if (!buf || wp == 0) return 0;
      const size_t n = std::min<size_t>(w->text.size(), wp - 1);
      std::memcpy(buf, w->text.data(), n);
      buf[n] = 0;
      return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return LRESULT(w->text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wp);
      if (!dc || !w->cls || w->cls->cls.hbrBackground == clNone) return 0;
      FillSolidRect(dc, TRect{0, 0, w->client.Width(), w->client.Height()}, w->cls->cls.hbrBackground);
      return 1;
    }
    case WM_PAINT: {
      if (wp) return 0;  // painting into a given DC: nothing by default
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETREDRAW:
      w->redrawOff = wp == 0;
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      if (w->parent) return SendMessage(w->parent, msg, wp, lp);
      return 0;
    case WM_CONTEXTMENU:
      if (w->parent) return SendMessage(w->parent, msg, wp, lp);
      return 0;
    case WM_RBUTTONUP: {
      TPoint p = LParamToPoint(lp);
      ClientToScreen(hwnd, &p);
      SendMessage(hwnd, WM_CONTEXTMENU, HandleToWParam(hwnd), PointToLParam(p));
      return 0;
    }
    case WM_NCRBUTTONUP:
      if (wp == HTCAPTION || wp == HTSYSMENU) SendMessage(hwnd, WM_CONTEXTMENU, HandleToWParam(hwnd), lp);
      return 0;
    case WM_NCLBUTTONDOWN: {
      const int hit = int(wp);
      if (w->style & WS_MAXIMIZE) return 0;
      if (hit == HTCAPTION)
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | UINT(HTCAPTION), lp);
      else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | UINT(hit - HTLEFT + WMSZ_LEFT), lp);
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      if (wp == HTCAPTION && (w->style & WS_MAXIMIZEBOX) && (w->style & WS_CAPTION) == WS_CAPTION)
        SendMessage(hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lp);
      return 0;
    case WM_SYSKEYDOWN:
      if ((HIWORD(uintptr_t(lp)) & KF_ALTDOWN) && wp == VK_F4) {
        SendMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
      }
      if (wp == VK_F10) d.f10Pending = true;
      return 0;
    case WM_SYSKEYUP:
    case WM_KEYUP:
      if ((wp == VK_MENU && d.altTapPending) || (wp == VK_F10 && d.f10Pending)) {
        d.altTapPending = false;
        d.f10Pending = false;
        SendMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSCHAR:
      if (HIWORD(uintptr_t(lp)) & KF_ALTDOWN) SendMessage(RootOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wp));
      return 0;
    case WM_SYSCOMMAND: {
      const UINT cmd = UINT(wp) & 0xFFF0;
      switch (cmd) {
        case SC_CLOSE: SendMessage(hwnd, WM_CLOSE); break;
        case SC_MOVE:
        case SC_SIZE: MoveSizeLoop(hwnd, UINT(wp), LParamToPoint(lp)); break;
        case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); break;
        case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); break;
        default: break;  // SC_KEYMENU: there is no system menu of the platform
      }
      return 0;
    }
    case WM_PRINT:
    case WM_PRINTCLIENT: return DefPrint(hwnd, msg, wp, lp);
    default: return 0;
  }
}

// ---- the move / size loop ------------------------------------------------------

namespace detail {

void MoveSizeLoop(HWND h, UINT cmd, TPoint start) {
  Desktop& d = D();
  Wnd* w = L(h);
  if (!w || (w->style & WS_MAXIMIZE)) return;
  const bool sizing = (cmd & 0xFFF0) == SC_SIZE;
  UINT edge = cmd & 0x0F;
  const bool byMouse = sizing ? edge != 0 : edge == HTCAPTION;
  if (!byMouse || start == TPoint{}) start = d.cursor;
  const TRect orig = w->rect;
  TPoint origin{0, 0};  // screen position of the parent's client area
  if (Wnd* p = L(w->parent)) origin = ClientOrigin(p);

  SetCapture(h);
  d.inSizeMove++;
  SendMessage(h, WM_ENTERSIZEMOVE);
  MINMAXINFO mmi;
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  {
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromRect(ScreenRect(w), MONITOR_DEFAULTTONEAREST), &mi);
    mmi.ptMaxSize = {mi.rcWork.Width(), mi.rcWork.Height()};
    mmi.ptMaxPosition = mi.rcWork.TopLeft();
  }
  if (L(h)) SendMessage(h, WM_GETMINMAXINFO, 0, ToLParam(&mmi));

  TPoint cur = start;
  TRect last = orig;
  TPoint lastPt = start;
  auto apply = [&](TPoint pt) {
    if (!L(h) || pt == lastPt) return;
    lastPt = pt;
    const int dx = pt.X - start.X, dy = pt.Y - start.Y;
    TRect r = orig.Offset(origin.X, origin.Y);  // screen coordinates
    if (!sizing) {
      r = r.Offset(dx, dy);
      SendMessage(h, WM_MOVING, 0, ToLParam(&r));
    } else {
      const bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
      const bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
      const bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
      const bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
      if (left) r.Left += dx;
      if (right) r.Right += dx;
      if (top) r.Top += dy;
      if (bottom) r.Bottom += dy;
      const int maxX = std::max<int>(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X);
      const int maxY = std::max<int>(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y);
      const int wdt = std::clamp<int>(r.Width(), mmi.ptMinTrackSize.X, maxX);
      const int hgt = std::clamp<int>(r.Height(), mmi.ptMinTrackSize.Y, maxY);
      if (left) r.Left = r.Right - wdt; else r.Right = r.Left + wdt;
      if (top) r.Top = r.Bottom - hgt; else r.Bottom = r.Top + hgt;
      SendMessage(h, WM_SIZING, edge, ToLParam(&r));
    }
    if (!L(h)) return;
    r = r.Offset(-origin.X, -origin.Y);
    if (r == last) return;
    last = r;
    SetWindowPos(h, nullptr, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (sizing ? 0u : UINT(SWP_NOSIZE)));
    UpdateWindow(h);
  };

  bool cancel = false;
  for (;;) {
    if (!L(h) || GetCapture() != h) break;
    MSG m;
    if (!GetMessage(&m, nullptr, 0, 0)) {
      if (m.message == WM_QUIT) PostQuitMessage(int(m.wParam));
      break;
    }
    bool done = false;
    switch (m.message) {
      case WM_MOUSEMOVE:
        cur = m.pt;
        apply(cur);
        break;
      case WM_LBUTTONUP:
        cur = m.pt;
        apply(cur);
        done = true;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (m.wParam == VK_ESCAPE) {
          cancel = done = true;
        } else if (m.wParam == VK_RETURN) {
          done = true;
        } else if (m.wParam >= VK_LEFT && m.wParam <= VK_DOWN) {
          if (sizing && edge == 0) {
            edge = m.wParam == VK_LEFT ? WMSZ_LEFT : m.wParam == VK_RIGHT ? WMSZ_RIGHT : m.wParam == VK_UP ? WMSZ_TOP : WMSZ_BOTTOM;
          } else {
            const int step = 8;
            if (m.wParam == VK_LEFT) cur.X -= step;
            if (m.wParam == VK_RIGHT) cur.X += step;
            if (m.wParam == VK_UP) cur.Y -= step;
            if (m.wParam == VK_DOWN) cur.Y += step;
            d.cursor = cur;
            apply(cur);
          }
        }
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_CHAR:
      case WM_SYSCHAR:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
        break;
      default:
        TranslateMessage(&m);
        DispatchMessage(&m);
        break;
    }
    if (done) break;
  }
  if (cancel && L(h)) {
    SetWindowPos(h, nullptr, orig.Left, orig.Top, orig.Width(), orig.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateWindow(h);
  }
  if (GetCapture() == h) ReleaseCapture();
  d.inSizeMove--;
  if (L(h)) SendMessage(h, WM_EXITSIZEMOVE);
}

}  // namespace detail

// ---- monitors ----------------------------------------------------------------

namespace {

HMONITOR MonitorHandle(size_t i) { return reinterpret_cast<HMONITOR>(uintptr_t(i + 1)); }

int64_t DistanceSq(const TRect& r, TPoint p) {
  const int64_t dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - r.Right + 1 : 0;
  const int64_t dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - r.Bottom + 1 : 0;
  return dx * dx + dy * dy;
}

}  // namespace

HMONITOR MonitorFromPoint(TPoint p, DWORD flags) {
  auto& mons = D().monitors;
  for (size_t i = 0; i < mons.size(); ++i)
    if (mons[i].monitor.Contains(p)) return MonitorHandle(i);
  if (flags == MONITOR_DEFAULTTONULL) return nullptr;
  if (flags == MONITOR_DEFAULTTOPRIMARY) return MonitorHandle(0);
  size_t best = 0;
  int64_t bestD = -1;
  for (size_t i = 0; i < mons.size(); ++i) {
    const int64_t dd = DistanceSq(mons[i].monitor, p);
    if (bestD < 0 || dd < bestD) {
      bestD = dd;
      best = i;
    }
  }
  return MonitorHandle(best);
}

HMONITOR MonitorFromRect(const TRect& r, DWORD flags) {
  auto& mons = D().monitors;
  int64_t bestArea = 0;
  size_t best = 0;
  for (size_t i = 0; i < mons.size(); ++i) {
    const TRect x = IntersectRect(mons[i].monitor, r);
    const int64_t a = int64_t(x.Width()) * x.Height();
    if (!x.IsEmpty() && a > bestArea) {
      bestArea = a;
      best = i;
    }
  }
  if (bestArea > 0) return MonitorHandle(best);
  return MonitorFromPoint({r.Left + r.Width() / 2, r.Top + r.Height() / 2}, flags);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  Wnd* w = L(hwnd);
  if (!w) return flags == MONITOR_DEFAULTTONULL ? nullptr : MonitorHandle(0);
  Wnd* root = Root(w);
  TRect r = root->rect;
  if ((root->style & WS_MINIMIZE) && root->hasNormalRect) r = root->normalRect;
  return MonitorFromRect(r, flags);
}

bool GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  auto& mons = D().monitors;
  const uintptr_t v = reinterpret_cast<uintptr_t>(monitor);
  if (!info || v == 0 || v > mons.size()) return false;
  info->rcMonitor = mons[v - 1].monitor;
  info->rcWork = mons[v - 1].work;
  info->dwFlags = v == 1 ? DWORD(MONITORINFOF_PRIMARY) : 0u;
  return true;
}

std::vector<HMONITOR> EnumDisplayMonitors() {
  std::vector<HMONITOR> out;
  for (size_t i = 0; i < D().monitors.size(); ++i) out.push_back(MonitorHandle(i));
  return out;
}

bool SystemParametersInfo(UINT action, UINT, void* pv, UINT) {
  if (!pv) return false;
  switch (action) {
    case SPI_GETWORKAREA: *static_cast<TRect*>(pv) = D().monitors.front().work; return true;
    case SPI_GETDRAGFULLWINDOWS: *static_cast<BOOL*>(pv) = TRUE; return true;
    case SPI_GETWHEELSCROLLLINES: *static_cast<UINT*>(pv) = 3; return true;
    case SPI_GETMENUANIMATION:
    case SPI_GETMENUFADE:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETDROPSHADOW:
    case SPI_GETFLATMENU:
    case SPI_GETHIGHCONTRAST: *static_cast<BOOL*>(pv) = FALSE; return true;
    default: return false;
  }
}

int GetSystemMetrics(int index) {
  Desktop& d = D();
  const TRect& prim = d.monitors.front().monitor;
  TRect virt = prim;
  for (auto& m : d.monitors) virt = UnionRect(virt, m.monitor);
  switch (index) {
    case SM_CXSCREEN: return prim.Width();
    case SM_CYSCREEN: return prim.Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return 17;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYMENU: return 20;
    case SM_CXFULLSCREEN: return d.monitors.front().work.Width();
    case SM_CYFULLSCREEN: return d.monitors.front().work.Height() - 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXSMSIZE:
    case SM_CYSMSIZE: return 13;
    case SM_CYSMCAPTION: return 15;
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return 19;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK:
    case SM_CYMINTRACK: return 1;
    case SM_CXMAXTRACK: return std::max(virt.Width() + 8, 32767);
    case SM_CYMAXTRACK: return std::max(virt.Height() + 8, 32767);
    case SM_CXMAXIMIZED: return d.monitors.front().work.Width();
    case SM_CYMAXIMIZED: return d.monitors.front().work.Height();
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 28;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_SWAPBUTTON: return 0;
    case SM_XVIRTUALSCREEN: return virt.Left;
    case SM_YVIRTUALSCREEN: return virt.Top;
    case SM_CXVIRTUALSCREEN: return virt.Width();
    case SM_CYVIRTUALSCREEN: return virt.Height();
    case SM_CMONITORS: return int(d.monitors.size());
    default: return 0;
  }
}

}  // namespace vx
