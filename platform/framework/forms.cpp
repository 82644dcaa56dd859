#include "platform/framework/forms.h"

#include <algorithm>
#include <unordered_set>

#include "platform/framework/menus.h"
#include "platform/gfx/font.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/text.h"

namespace vx {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {
struct GlobalObjects {
  GlobalObjects() {
    Application = new TApplication(nullptr);
    Screen = new TScreen(nullptr);
  }
} g_globals;
}  // namespace

// ---- TCustomForm ---------------------------------------------------------------------

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
  visible_ = false;
  parentFont_ = false;
  left_ = 100;
  top_ = 100;
  width_ = 320;
  height_ = 240;
  controlStyle_ = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (OnDestroy) OnDestroy(this);
  if (menu_) menu_->RemoveFreeNotification(this);
  Screen->RemoveForm(this);
  Application->FormDestroyed(this);
}

void TCustomForm::Notification(TComponent* c, TOperation op) {
  TCustomControl::Notification(c, op);
  if (op == opRemove && c == menu_) menu_ = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.WinClassName = "VxForm";
  p.Style = WS_CLIPCHILDREN;
  p.ExStyle = 0;
  if (parent_) {
    p.Style |= WS_CHILD | WS_CLIPSIBLINGS;
  } else if (formStyle_ == fsMDIChild && Application->MainForm() && Application->MainForm() != this) {
    p.Style |= WS_CHILD | WS_CLIPSIBLINGS;
    p.WndParent = Application->MainForm()->Handle();
  } else {
    p.WndParent = parentWindow_;
  }
  switch (borderStyle_) {
    case bsNone:
      if (!(p.Style & WS_CHILD)) p.Style |= WS_POPUP;
      break;
    case bsSingle: p.Style |= WS_CAPTION; break;
    case bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      p.Style |= WS_CAPTION;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) {
    p.Style |= WS_SYSMENU;
    if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
      if (borderIcons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
      if (borderIcons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (formStyle_ == fsStayOnTop && !(p.Style & WS_CHILD)) p.ExStyle |= WS_EX_TOPMOST;
  p.Background = clNone;
}

void TCustomForm::CreateHandle() {
  TCustomControl::CreateHandle();
  if (!handle_) return;
  if (visible_ && !parent_) ShowWindow(handle_, SW_SHOW);
}

void TCustomForm::ApplyStyle() {
  if (!handle_) return;
  TCreateParams p;
  CreateParams(p);
  SetWindowLong(handle_, GWL_STYLE, intptr_t((p.Style & ~DWORD(WS_VISIBLE)) |
                                             (GetWindowLong(handle_, GWL_STYLE) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE))));
  SetWindowLong(handle_, GWL_EXSTYLE, intptr_t(p.ExStyle));
  SetWindowPos(handle_, formStyle_ == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Realign();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  if (v == borderStyle_) return;
  borderStyle_ = v;
  ApplyStyle();
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  if (v == borderIcons_) return;
  borderIcons_ = v;
  ApplyStyle();
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  if (v == formStyle_) return;
  const bool mdiChange = v == fsMDIChild || formStyle_ == fsMDIChild;
  formStyle_ = v;
  if (mdiChange && handle_) RecreateWnd();
  else ApplyStyle();
}

TWindowState TCustomForm::WindowState() {
  if (handle_) {
    if (IsIconic(handle_)) return wsMinimized;
    if (IsZoomed(handle_)) return wsMaximized;
    return wsNormal;
  }
  return windowState_;
}

void TCustomForm::SetWindowState(TWindowState v) {
  windowState_ = v;
  if (handle_ && visible_) {
    static const int cmds[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(handle_, cmds[v]);
  }
}

void TCustomForm::SetMenu(TMainMenu* m) {
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = m;
  if (m) m->FreeNotification(this);
}

void TCustomForm::SetPlainFrame(bool v) {
  plainFrame_ = v;
  if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TCustomForm::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  TControl::SetParent(parent);
  if (handle_) RecreateWnd();
  else if (parent && parent->HandleAllocated()) HandleNeeded();
  if (handle_ && parent_ && visible_) ShowWindow(handle_, SW_SHOWNA);
}

void TCustomForm::SetVisible(bool v) {
  if (v == visible_) {
    if (v && handle_ && !parent_) {
      BringWindowToTop(handle_);
      SetActiveWindow(handle_);
    }
    return;
  }
  if (!v && modal_ && modalResult_ == mrNone) modalResult_ = mrCancel;
  visible_ = v;
  if (v) {
    HandleNeeded();
    if (!parent_ && position_ != poDesigned) {
      TRect area = Screen->WorkAreaRect();
      TCustomForm* mf = Application->MainForm();
      if (position_ == poMainFormCenter && mf && mf != this && mf->HandleAllocated()) area = mf->BoundsRect();
      SetBounds(area.Left + (area.Width() - width_) / 2, area.Top + (area.Height() - height_) / 2, width_, height_);
    }
    DoShow();
    if (handle_ && visible_) {
      if (parent_ || formStyle_ == fsMDIChild) {
        ShowWindow(handle_, SW_SHOWNA);
      } else {
        static const int cmds[] = {SW_SHOW, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(handle_, cmds[windowState_]);
      }
    }
  } else {
    DoHide();
    if (handle_) ShowWindow(handle_, SW_HIDE);
  }
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  Perform(CM_SHOWINGCHANGED);
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}
void TCustomForm::DoClose(TCloseAction& a) {
  if (OnClose) OnClose(this, a);
}

// The background is the erase's (WM_ERASEBKGND fills with Color), so that a
// component that paints the form's background itself is not painted over.
void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

// ---- focus -----------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* c) {
  if (c == activeControl_) {
    if (c && active_ && handle_ && GetFocus() != c->Handle()) FocusControl(c);
    return;
  }
  if (c && (!c->CanFocus() || !ContainsControl(c)))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  activeControl_ = c;
  if (c && active_ && handle_) ::vx::SetFocus(c->Handle());
}

void TCustomForm::FocusControl(TWinControl* c) {
  if (!c) return;
  if (!c->CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  activeControl_ = c;
  if (!IsShowing() && !parent_) return;  // focused when the form is activated
  if (!c->Handle()) return;
  if (!parent_ && handle_ && !active_) SetActiveWindow(handle_);
  if (GetFocus() != c->Handle()) ::vx::SetFocus(c->Handle());
}

void TCustomForm::DefocusControl(TWinControl* c) {
  if (activeControl_ && c->ContainsControl(activeControl_)) {
    TWinControl* next = FindNextControl(activeControl_, true, true, false);
    if (next && c->ContainsControl(next)) next = nullptr;
    activeControl_ = nullptr;
    if (next) next->SetFocus();
    else if (handle_) ::vx::SetFocus(handle_);
  }
}

void TCustomForm::SetFocusToForm() {
  if (!Handle()) return;
  if (!parent_ && !active_) SetActiveWindow(handle_);
  if (activeControl_ && activeControl_->CanFocus()) ::vx::SetFocus(activeControl_->Handle());
  else ::vx::SetFocus(handle_);
}

void TCustomForm::SetFocusedControl(TWinControl* c) {
  if (c != this && c) activeControl_ = c;
  if (focusedControl_ == c) return;
  TWinControl* old = focusedControl_;
  focusedControl_ = c;
  if (old && old != this) old->Perform(CM_EXIT);
  // The exit handler may move the focus on; only report the control still focused.
  if (focusedControl_ != c) return;
  if (c && c != this) c->Perform(CM_ENTER);
  if (focusedControl_ != c) return;
  Perform(CM_FOCUSCHANGED, 0, ToLParam<TControl>(c));
  Screen->SetActiveControl(c);
}

void TCustomForm::ControlRemoved(TControl* c) {
  if (activeControl_ && (activeControl_ == c || (c->IsWindowed() && static_cast<TWinControl*>(c)->ContainsControl(activeControl_))))
    activeControl_ = nullptr;
  if (focusedControl_ && (focusedControl_ == c || (c->IsWindowed() && static_cast<TWinControl*>(c)->ContainsControl(focusedControl_)))) {
    focusedControl_ = nullptr;
    Screen->SetActiveControl(nullptr);
  }
}

// ---- closing and modality -----------------------------------------------------------

bool TCustomForm::CloseQuery() {
  if (formStyle_ == fsMDIForm) {
    for (int i = 0; i < MDIChildCount(); ++i)
      if (!MDIChildren(i)->CloseQuery()) return false;
  }
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = formStyle_ == fsMDIChild ? caMinimize : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

void TCustomForm::Release() {
  if (releasing_) return;
  releasing_ = true;
  if (handle_) PostMessage(handle_, CM_RELEASE);
  else Free();
}

int TCustomForm::ShowModal() {
  if (visible_ || !enabled_ || modal_) throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND cap = GetCapture()) {
    SendMessage(cap, WM_CANCELMODE);
    ReleaseCapture();
  }
  HWND activeBefore = GetActiveWindow();
  std::vector<HWND> disabled;
  HandleNeeded();
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f == this || f->Parent() || !f->HandleAllocated()) continue;
    HWND h = f->Handle();
    if (IsWindowVisible(h) && IsWindowEnabled(h)) {
      EnableWindow(h, false);
      disabled.push_back(h);
    }
  }
  modal_ = true;
  modalResult_ = mrNone;
  HWND self = handle_;
  auto restore = [&]() {
    for (HWND h : disabled) EnableWindow(h, true);
  };
  try {
    Show();
    if (handle_) SetActiveWindow(handle_);
    while (true) {
      if (modalResult_ != mrNone) {
        // Close query: a form that refuses stays open.
        if (!CloseQuery()) {
          modalResult_ = mrNone;
        } else {
          TCloseAction action = caHide;
          DoClose(action);
          if (action == caNone) modalResult_ = mrNone;
          else {
            if (action == caFree) Release();
            break;
          }
        }
      }
      if (Application->Terminated() || !Application->HandleMessage()) {
        // The loop cannot go on (the application ends, or no message can come).
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        break;
      }
      if (!IsWindow(self)) break;
    }
  } catch (...) {
    modal_ = false;
    restore();
    throw;
  }
  int result = modalResult_;
  modal_ = false;
  restore();
  if (IsWindow(self) && visible_) Hide();
  if (IsWindow(activeBefore) && IsWindowVisible(activeBefore)) SetActiveWindow(activeBefore);
  return result;
}

// ---- shortcuts -----------------------------------------------------------------------

bool TCustomForm::IsShortCut(TWMKey& msg) {
  bool handled = false;
  if (OnShortCut) OnShortCut(msg, handled);
  if (handled) return true;
  if (menu_ && menu_->IsShortCut(msg.CharCode, KeyDataToShiftState(msg.KeyData))) return true;
  return false;
}

bool TCustomForm::IsShortCut(WORD key, TShiftState shift) {
  TWMKey msg;
  msg.CharCode = key;
  msg.KeyData = (shift & ssAlt) ? LPARAM(KF_ALTDOWN) << 16 : 0;
  msg.Msg = (shift & ssAlt) ? WM_SYSKEYDOWN : WM_KEYDOWN;
  return IsShortCut(msg);
}

// ---- MDI ---------------------------------------------------------------------------

int TCustomForm::MDIChildCount() const {
  if (formStyle_ != fsMDIForm) return 0;
  int n = 0;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->FormStyle() == fsMDIChild) ++n;
  return n;
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
  if (formStyle_ == fsMDIForm) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f->FormStyle() == fsMDIChild && index-- == 0) return f;
    }
  }
  throw EListError("MDI child index out of bounds");
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
  if (formStyle_ != fsMDIForm) return nullptr;
  TCustomForm* best = nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->FormStyle() == fsMDIChild && f->Visible()) {
      if (f->focusedControl_ || f->active_) return f;
      if (!best) best = f;
    }
  }
  return best;
}

// ---- plain frame -----------------------------------------------------------------

TRect TCustomForm::CaptionButtonRect(int hit) {
  if (!handle_) return {};
  DWORD style = DWORD(GetWindowLong(handle_, GWL_STYLE));
  if ((style & WS_CAPTION) != WS_CAPTION || !(style & WS_SYSMENU)) return {};
  TRect wr, ci;
  GetWindowRect(handle_, &wr);
  GetClientAreaInWindow(handle_, &ci);
  const int border = ci.Left;
  const int capTop = border, capBottom = ci.Top;
  const int size = std::max(0, capBottom - capTop - 4);
  int right = wr.Width() - border - 2;
  auto next = [&]() {
    TRect r{right - size, capTop + 2, right, capTop + 2 + size};
    right -= size + 2;
    return r;
  };
  TRect close = next();
  if (hit == HTCLOSE) return close;
  if (!(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) return {};
  TRect max = next();
  if (hit == HTMAXBUTTON) return (style & WS_MAXIMIZEBOX) ? max : TRect{};
  TRect min = next();
  if (hit == HTMINBUTTON) return (style & WS_MINIMIZEBOX) ? min : TRect{};
  return {};
}

static void Line(HDC dc, int x0, int y0, int x1, int y1, TColor c) {
  // Axis-aligned and diagonal lines of one-pixel width, end point included.
  int dx = (x1 > x0) - (x1 < x0), dy = (y1 > y0) - (y1 < y0);
  int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= n; ++i) SetPixel(dc, x0 + dx * i, y0 + dy * i, c);
}

void TCustomForm::PaintPlainFrame(HDC dc) {
  TRect wr, ci;
  GetWindowRect(handle_, &wr);
  GetClientAreaInWindow(handle_, &ci);
  const int w = wr.Width(), h = wr.Height();
  if (ci == TRect{0, 0, w, h}) return;
  int saved = SaveDC(dc);
  ExcludeClipRect(dc, ci.Left, ci.Top, ci.Right, ci.Bottom);
  FillSolidRect(dc, {0, 0, w, h}, clBtnFace);
  // Raised edge: light top-left, dark bottom-right.
  Line(dc, 0, 0, w - 1, 0, clBtnFace);
  Line(dc, 0, 0, 0, h - 1, clBtnFace);
  Line(dc, 1, 1, w - 2, 1, clBtnHighlight);
  Line(dc, 1, 1, 1, h - 2, clBtnHighlight);
  Line(dc, w - 1, 0, w - 1, h - 1, cl3DDkShadow);
  Line(dc, 0, h - 1, w - 1, h - 1, cl3DDkShadow);
  Line(dc, w - 2, 1, w - 2, h - 2, clBtnShadow);
  Line(dc, 1, h - 2, w - 2, h - 2, clBtnShadow);
  DWORD style = DWORD(GetWindowLong(handle_, GWL_STYLE));
  if ((style & WS_CAPTION) == WS_CAPTION && ci.Top > ci.Left) {
    const int border = ci.Left;
    TRect cap{border, border, w - border, ci.Top - 1};
    FillSolidRect(dc, cap, ncActive_ ? clActiveCaption : clInactiveCaption);
    TFontDesc fd;
    fd.Name = font_.Name();
    fd.Height = -std::max(9, cap.Height() * 3 / 5);
    fd.Bold = true;
    HFONT old = SelectFont(dc, CreateFont(fd));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ncActive_ ? clCaptionText : clInactiveCaptionText);
    TRect tr = cap;
    tr.Left += 4;
    TRect leftmostButton = CaptionButtonRect(HTMINBUTTON);
    if (leftmostButton.IsEmpty()) leftmostButton = CaptionButtonRect(HTMAXBUTTON);
    if (leftmostButton.IsEmpty()) leftmostButton = CaptionButtonRect(HTCLOSE);
    if (!leftmostButton.IsEmpty()) tr.Right = leftmostButton.Left - 2;
    DrawText(dc, text_, tr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectFont(dc, old);
    for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
      TRect b = CaptionButtonRect(hit);
      if (b.IsEmpty()) continue;
      const bool down = pressedHit_ == hit;
      FillSolidRect(dc, b, clBtnFace);
      TColor tl = down ? clBtnShadow : clBtnHighlight, br = down ? clBtnHighlight : cl3DDkShadow;
      Line(dc, b.Left, b.Top, b.Right - 1, b.Top, tl);
      Line(dc, b.Left, b.Top, b.Left, b.Bottom - 1, tl);
      Line(dc, b.Right - 1, b.Top, b.Right - 1, b.Bottom - 1, br);
      Line(dc, b.Left, b.Bottom - 1, b.Right - 1, b.Bottom - 1, br);
      const int m = std::max(3, b.Width() / 4);
      TRect g{b.Left + m, b.Top + m, b.Right - m - 1, b.Bottom - m - 1};
      if (down) g = g.Offset(1, 1);
      if (hit == HTCLOSE) {
        for (int k = 0; k < 2; ++k) {
          Line(dc, g.Left + k, g.Top, g.Right + k - 1, g.Bottom, clBtnText);
          Line(dc, g.Right + k - 1, g.Top, g.Left + k, g.Bottom, clBtnText);
        }
      } else if (hit == HTMAXBUTTON) {
        Line(dc, g.Left, g.Top, g.Right, g.Top, clBtnText);
        Line(dc, g.Left, g.Top + 1, g.Right, g.Top + 1, clBtnText);
        Line(dc, g.Left, g.Top, g.Left, g.Bottom, clBtnText);
        Line(dc, g.Right, g.Top, g.Right, g.Bottom, clBtnText);
        Line(dc, g.Left, g.Bottom, g.Right, g.Bottom, clBtnText);
      } else {
        Line(dc, g.Left, g.Bottom, g.Right, g.Bottom, clBtnText);
        Line(dc, g.Left, g.Bottom - 1, g.Right, g.Bottom - 1, clBtnText);
      }
    }
  }
  RestoreDC(dc, saved);
}

// ---- messages ------------------------------------------------------------------------

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ACTIVATE:
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        active_ = true;
        Screen->SetActiveForm(this);
        if (activeControl_ && activeControl_->CanFocus()) {
          ::vx::SetFocus(activeControl_->Handle());
        } else if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
          first->SetFocus();
        } else if (handle_) {
          ::vx::SetFocus(handle_);
        }
        Activate();
      } else {
        active_ = false;
        Deactivate();
      }
      m.Result = 0;
      return;
    case WM_NCACTIVATE:
      ncActive_ = m.WParam != 0;
      DefaultHandler(m);
      if (plainFrame_ && handle_ && IsWindowVisible(handle_)) {
        HDC dc = GetWindowDC(handle_);
        PaintPlainFrame(dc);
        ReleaseDC(handle_, dc);
      }
      m.Result = 1;
      return;
    case WM_NCPAINT:
      if (plainFrame_ && handle_) {
        HDC dc = GetWindowDC(handle_);
        PaintPlainFrame(dc);
        ReleaseDC(handle_, dc);
        m.Result = 0;
        return;
      }
      DefaultHandler(m);
      return;
    case WM_NCHITTEST:
      DefaultHandler(m);
      if (plainFrame_ && m.Result == HTCAPTION && handle_) {
        TPoint p = LParamToPoint(m.LParam);
        TRect wr;
        GetWindowRect(handle_, &wr);
        TPoint wp{p.X - wr.Left, p.Y - wr.Top};
        for (int hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON})
          if (CaptionButtonRect(hit).Contains(wp)) m.Result = hit;
      }
      return;
    case WM_NCLBUTTONDOWN:
      if (plainFrame_ && (m.WParam == HTCLOSE || m.WParam == HTMAXBUTTON || m.WParam == HTMINBUTTON)) {
        pressedHit_ = int(m.WParam);
        RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        m.Result = 0;
        return;
      }
      DefaultHandler(m);
      return;
    case WM_NCLBUTTONUP:
      if (pressedHit_) {
        int hit = pressedHit_;
        pressedHit_ = 0;
        RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        if (int(m.WParam) == hit) {
          WPARAM cmd = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE : (IsZoomed(handle_) ? SC_RESTORE : SC_MAXIMIZE);
          SendMessage(handle_, WM_SYSCOMMAND, cmd, m.LParam);
        }
        m.Result = 0;
        return;
      }
      DefaultHandler(m);
      return;
    case WM_NCMOUSELEAVE:
      if (pressedHit_) {
        pressedHit_ = 0;
        RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      }
      TCustomControl::WndProc(m);
      return;
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
    case WM_SYSCOMMAND: {
      const WPARAM cmd = m.WParam & 0xFFF0;
      if (cmd == SC_MINIMIZE && Application->MainForm() == this && !parent_) {
        Application->Minimize();
        m.Result = 0;
        return;
      }
      if (cmd == SC_RESTORE && Application->MainForm() == this && Application->IsMinimized()) {
        Application->Restore();
        m.Result = 0;
        return;
      }
      DefaultHandler(m);
      return;
    }
    case WM_SIZE:
      DefaultHandler(m);
      if (m.WParam == SIZE_MAXIMIZED) windowState_ = wsMaximized;
      else if (m.WParam == SIZE_MINIMIZED) windowState_ = wsMinimized;
      else if (m.WParam == SIZE_RESTORED) windowState_ = wsNormal;
      return;
    case WM_GETMINMAXINFO: {
      DefaultHandler(m);
      auto* mmi = FromLParam<MINMAXINFO>(m.LParam);
      if (mmi) {
        if (constraints_.MinWidth > 0) mmi->ptMinTrackSize.X = constraints_.MinWidth;
        if (constraints_.MinHeight > 0) mmi->ptMinTrackSize.Y = constraints_.MinHeight;
        if (constraints_.MaxWidth > 0) mmi->ptMaxTrackSize.X = constraints_.MaxWidth;
        if (constraints_.MaxHeight > 0) mmi->ptMaxTrackSize.Y = constraints_.MaxHeight;
      }
      return;
    }
    case CM_RELEASE:
      if (handle_) RunAfterDispatch(handle_, [this] { Free(); });
      else Free();
      return;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        switch (m.WParam) {
          case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
              SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
              m.Result = 1;
              return;
            }
            break;
          case VK_LEFT:
          case VK_RIGHT:
          case VK_UP:
          case VK_DOWN:
            if (activeControl_ && activeControl_->Parent()) {
              activeControl_->Parent()->SelectNext(activeControl_, m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
              m.Result = 1;
            }
            return;
          default:
            break;
        }
      }
      Broadcast(m);
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

// ---- hint window ---------------------------------------------------------------------

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  visible_ = false;
  color_ = clInfoBk;
  parentFont_ = false;
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.WinClassName = "VxHintWindow";
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  p.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint) {
  TDCPtr mem = CreateMemoryDC(TSurface::Create(1, 1, TPixelFormat::pf32bit));
  SelectFont(mem.get(), font_.Handle());
  TRect r{0, 0, maxWidth, 0};
  DrawText(mem.get(), hint, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return {0, 0, r.Right + 8, r.Bottom + 4};
}

void THintWindow::ActivateHint(const TRect& rect, const std::string& hint) {
  text_ = hint;
  HandleNeeded();
  if (!handle_) return;
  visible_ = true;
  left_ = rect.Left;
  top_ = rect.Top;
  width_ = rect.Width();
  height_ = rect.Height();
  SetWindowPos(handle_, HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  InvalidateRect(handle_, nullptr, true);
}

void THintWindow::ReleaseHint() {
  visible_ = false;
  if (handle_) ShowWindow(handle_, SW_HIDE);
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  canvas_.Brush().SetColor(color_);
  canvas_.FillRect(r);
  canvas_.Font().SetColor(clInfoText);
  canvas_.Brush().SetStyle(bsClear);
  canvas_.ApplyFont();
  TRect tr{r.Left + 3, r.Top + 1, r.Right - 3, r.Bottom - 1};
  DrawText(canvas_.Handle(), text_, tr, DT_WORDBREAK | DT_NOPREFIX);
}

// ---- application ---------------------------------------------------------------------

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
  StopHintTimer();
  StopHideTimer();
}

void TApplication::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op == opRemove) {
    if (c == hintWindow_) hintWindow_ = nullptr;
    if (c == mainForm_) mainForm_ = nullptr;
  }
}

void TApplication::FormDestroyed(TCustomForm* f) {
  if (f == mainForm_) mainForm_ = nullptr;
  if (hintControl_ && (hintControl_ == f || f->ContainsControl(hintControl_))) CancelHint();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  if (!handled) {
    auto snapshot = filters_;
    for (auto it = snapshot.rbegin(); it != snapshot.rend() && !handled; ++it) {
      if ((*it)->removed) continue;
      auto keep = *it;  // the filter may remove itself while it runs
      handled = keep->fn(msg);
    }
  }
  if (!handled) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_LBUTTONDOWN ||
        msg.message == WM_RBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN)
      if (hintWindow_ && hintWindow_->Showing()) HideHint();
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  FreeDeviceContexts();
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  std::unordered_set<uint64_t> timersSeen;
  while (ProcessMessage(msg)) {
    if (msg.message == WM_QUIT) break;
    if (msg.message == WM_TIMER) {
      // A timer fires at most once per call, so a fast timer cannot keep us here.
      uint64_t key = (uint64_t(reinterpret_cast<uintptr_t>(msg.hwnd)) << 20) ^ uint64_t(msg.wParam);
      if (!timersSeen.insert(key).second) break;
    }
  }
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (ProcessMessage(msg)) return !terminated_;
  if (terminated_) return false;
  return WaitMessage();
}

void TApplication::Run() {
  terminated_ = false;
  if (mainForm_) mainForm_->Show();
  while (!terminated_) {
    if (!HandleMessage()) break;
  }
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

TMessageFilterId TApplication::AddMessageFilter(TMessageFilter filter) {
  auto f = std::make_shared<Filter>();
  f->id = nextFilterId_++;
  f->fn = std::move(filter);
  filters_.push_back(f);
  return f->id;
}

bool TApplication::RemoveMessageFilter(TMessageFilterId id) {
  for (auto it = filters_.begin(); it != filters_.end(); ++it) {
    if ((*it)->id == id) {
      (*it)->removed = true;
      filters_.erase(it);
      return true;
    }
  }
  return false;
}

void TApplication::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  CancelHint();
  hiddenByMinimize_.clear();
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f == mainForm_ || f->Parent() || !f->HandleAllocated()) continue;
    HWND h = f->Handle();
    if (IsWindowVisible(h)) {
      ShowWindow(h, SW_HIDE);
      hiddenByMinimize_.push_back(h);
    }
  }
  if (mainForm_ && mainForm_->HandleAllocated()) DefWindowProc(mainForm_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!minimized_) return;
  minimized_ = false;
  if (mainForm_ && mainForm_->HandleAllocated()) DefWindowProc(mainForm_->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  for (HWND h : hiddenByMinimize_)
    if (IsWindow(h)) ShowWindow(h, SW_SHOWNA);
  hiddenByMinimize_.clear();
  if (mainForm_ && mainForm_->HandleAllocated()) SetActiveWindow(mainForm_->Handle());
  if (OnRestore) OnRestore(this);
}

// ---- hints ---------------------------------------------------------------------------

void TApplication::SetShowHint(bool v) {
  if (showHint_ == v && !v) return;
  showHint_ = v;
  CancelHint();
  if (hintWindow_) {
    THintWindow* w = hintWindow_;
    hintWindow_ = nullptr;
    w->Free();
  }
  if (v) {
    hintWindow_ = hintClass_ ? hintClass_(this) : new THintWindow(this);
  }
}

void TApplication::SetHintWindowClass(THintWindowClass factory) { hintClass_ = std::move(factory); }

void TApplication::StartHintTimer(int ms) {
  StopHintTimer();
  hintTimer_ = SetTimer(nullptr, 0, UINT(std::max(1, ms)), [this](HWND, UINT, uintptr_t, DWORD) {
    StopHintTimer();
    TPoint p;
    GetCursorPos(&p);
    ActivateHint(p);
  });
}

void TApplication::StopHintTimer() {
  if (hintTimer_) KillTimer(nullptr, hintTimer_);
  hintTimer_ = 0;
}

void TApplication::StartHideTimer(int ms) {
  StopHideTimer();
  hideTimer_ = SetTimer(nullptr, 0, UINT(std::max(1, ms)), [this](HWND, UINT, uintptr_t, DWORD) {
    StopHideTimer();
    HideHint();
  });
}

void TApplication::StopHideTimer() {
  if (hideTimer_) KillTimer(nullptr, hideTimer_);
  hideTimer_ = 0;
}

static bool ControlShowsHint(TControl* c) {
  for (; c; c = c->Parent())
    if (!c->Hint().empty()) return c->ShowHint();
  return false;
}

static TControl* HintSource(TControl* c) {
  for (; c; c = c->Parent())
    if (!c->Hint().empty()) return c;
  return nullptr;
}

void TApplication::MouseControlChanged(TControl*, TControl* to) {
  if (hintWindow_ && hintWindow_->Showing()) HideHint();
  StopHintTimer();
  hintControl_ = to;
  if (!to || !showHint_ || !ControlShowsHint(to)) return;
  StartHintTimer(hintPause_);
}

void TApplication::ActivateHint(TPoint cursorPos) {
  TControl* c = MouseControl();
  hintControl_ = c;
  TControl* src = HintSource(c);
  if (!src || !showHint_ || !ControlShowsHint(c)) return;
  if (!hintWindow_) hintWindow_ = hintClass_ ? hintClass_(this) : new THintWindow(this);
  THintInfo info;
  info.HintControl = c;
  info.CursorPos = c->ScreenToClient(cursorPos);
  info.CursorRect = c->ClientRect();
  info.HintPos = {cursorPos.X, cursorPos.Y + 20};
  info.HintMaxWidth = 300;
  info.HintColor = hintColor_;
  info.HideTimeout = hintHidePause_;
  info.HintStr = src->Hint();
  std::string text = info.HintStr;
  bool canShow = c->Perform(CM_HINTSHOW, 0, ToLParam(&info)) == 0;
  if (OnShowHint) OnShowHint(text, canShow, info);
  hint_ = text;
  if (OnHint) OnHint(this);
  if (!canShow || text.empty()) return;
  hintWindow_->SetColor(info.HintColor);
  TRect r = hintWindow_->CalcHintRect(info.HintMaxWidth, text).Offset(info.HintPos.X, info.HintPos.Y);
  hintWindow_->ActivateHint(r, text);
  if (info.HideTimeout > 0) StartHideTimer(info.HideTimeout);
}

void TApplication::HideHint() {
  StopHideTimer();
  if (hintWindow_) hintWindow_->ReleaseHint();
}

void TApplication::CancelHint() {
  StopHintTimer();
  HideHint();
  hintControl_ = nullptr;
}

// ---- screen ----------------------------------------------------------------------

void TScreen::AddForm(TCustomForm* f) { forms_.push_back(f); }

void TScreen::RemoveForm(TCustomForm* f) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
  if (activeForm_ == f) {
    activeForm_ = nullptr;
    activeControl_ = nullptr;
    if (OnActiveFormChange) OnActiveFormChange(this);
  }
}

void TScreen::SetActiveForm(TCustomForm* f) {
  if (activeForm_ == f) return;
  activeForm_ = f;
  // Most recently active form first, as the form list is ordered.
  auto it = std::find(forms_.begin(), forms_.end(), f);
  if (it != forms_.end()) std::rotate(forms_.begin(), it, it + 1);
  if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* c) {
  if (activeControl_ == c) return;
  activeControl_ = c;
  if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetCursor(HCURSOR c) {
  cursor_ = c;
  ::vx::SetCursor(c == crDefault ? HCURSOR(IDC_ARROW) : c);
}

int TScreen::MonitorCount() const { return int(EnumDisplayMonitors().size()); }

static TMonitor MakeMonitor(HMONITOR h, int num) {
  TMonitor m;
  m.Handle = h;
  m.MonitorNum = num;
  MONITORINFO mi;
  if (GetMonitorInfo(h, &mi)) {
    m.BoundsRect = mi.rcMonitor;
    m.WorkareaRect = mi.rcWork;
    m.Primary = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
  }
  return m;
}

TMonitor TScreen::Monitors(int i) const {
  auto list = EnumDisplayMonitors();
  if (i < 0 || i >= int(list.size())) throw EListError("Monitor index out of bounds (" + std::to_string(i) + ")");
  return MakeMonitor(list[size_t(i)], i);
}

static TMonitor FindMonitor(HMONITOR h) {
  auto list = EnumDisplayMonitors();
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == h) return MakeMonitor(h, int(i));
  return MakeMonitor(h, 0);
}

TMonitor TScreen::MonitorFromWindow(HWND h) const { return FindMonitor(::vx::MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST)); }
TMonitor TScreen::MonitorFromPoint(TPoint p) const { return FindMonitor(::vx::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST)); }

TRect TScreen::WorkAreaRect() const {
  TRect r;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

}  // namespace vx
