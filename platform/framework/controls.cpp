#include "platform/framework/controls.h"

#include <algorithm>
#include <unordered_map>

#include "platform/framework/forms.h"
#include "platform/framework/menus.h"
#include "platform/gfx/text.h"

namespace vx {

namespace {

std::unordered_map<HWND, TWinControl*>& Windows() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> list;
  return list;
}
TControl* g_mouseControl = nullptr;
TControl* g_captureControl = nullptr;
std::function<void(TControl*, TControl*)> g_mouseHook;
int g_dispatchDepth = 0;

bool IsMouseMsg(UINT m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK; }

TPoint MsgPoint(const TMessage& m) { return LParamToPoint(m.LParam); }

}  // namespace

// ---- helpers -----------------------------------------------------------------------

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
  if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
  return s;
}

TShiftState KeysToShiftState(WPARAM mk) {
  TShiftState s = 0;
  if (mk & MK_SHIFT) s |= ssShift;
  if (mk & MK_CONTROL) s |= ssCtrl;
  if (mk & MK_LBUTTON) s |= ssLeft;
  if (mk & MK_RBUTTON) s |= ssRight;
  if (mk & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if ((uintptr_t(keyData) >> 16) & KF_ALTDOWN) s |= ssAlt;
  else if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

static char32_t LowerAscii(char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

char32_t GetHotkey(std::string_view caption) {
  std::u32string s = DecodeUtf8(caption);
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] != U'&') continue;
    if (s[i + 1] == U'&') {
      ++i;
      continue;
    }
    return LowerAscii(s[i + 1]);
  }
  return 0;
}

bool IsAccel(char32_t ch, std::string_view caption) {
  char32_t h = GetHotkey(caption);
  return h != 0 && h == LowerAscii(ch);
}

std::string StripHotkey(std::string_view caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += caption[i];
  }
  return out;
}

// ---- control canvas ---------------------------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  if (!control_) return;
  HWND h = nullptr;
  TPoint org;
  if (auto* w = dynamic_cast<TWinControl*>(control_)) {
    h = w->Handle();
  } else if (control_->Parent()) {
    h = control_->Parent()->Handle();
    org = {control_->Left(), control_->Top()};
  }
  if (!h) return;
  HDC dc = GetDC(h);
  if (!dc) return;
  if (!control_->IsWindowed()) {
    SetViewportOrgEx(dc, org.X, org.Y);
    IntersectClipRect(dc, 0, 0, control_->Width(), control_->Height());
  }
  dcWindow_ = h;
  paintDC_ = false;
  SetHandle(dc);
  CanvasesWithDC().push_back(this);
}

void TControlCanvas::FreeHandle() {
  if (HandleAllocated()) {
    if (!paintDC_ && dcWindow_) {
      ReleaseDC(dcWindow_, Handle());
      auto& l = CanvasesWithDC();
      l.erase(std::remove(l.begin(), l.end(), this), l.end());
    }
    SetHandle(nullptr);
  }
  dcWindow_ = nullptr;
  paintDC_ = false;
}

void FreeDeviceContexts() {
  auto list = CanvasesWithDC();
  for (TControlCanvas* c : list) c->FreeHandle();
}

// ---- TControl ---------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_.OnChange = [this](TGraphicsObject*) {
    if (updatingFont_ == 0) parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (g_mouseControl == this) g_mouseControl = nullptr;
  if (g_captureControl == this) {
    g_captureControl = nullptr;
    ReleaseCapture();
  }
  canvas_.FreeHandle();
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op == opRemove && c == popupMenu_) popupMenu_ = nullptr;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  for (TWinControl* p = parent; p; p = p->Parent())
    if (p == this) throw EInvalidOperation("A control cannot have one of its children as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

TRect TControl::ClientRect() { return {0, 0, width_, height_}; }

void TControl::SetClientWidth(int w) { SetWidth(w + (width_ - ClientWidth())); }
void TControl::SetClientHeight(int h) { SetHeight(h + (height_ - ClientHeight())); }

TPoint TControl::ClientOrigin() {
  if (!parent_) return {left_, top_};
  TPoint o = parent_->ClientOrigin();
  return {o.X + left_, o.Y + top_};
}

void TControl::SetBounds(int l, int t, int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (autoSize_) {
    int aw = w, ah = h;
    if (CanAutoSize(aw, ah)) {
      w = aw;
      h = ah;
    }
  }
  const TSizeConstraints& c = constraints_;
  if (c.MaxWidth > 0 && w > c.MaxWidth) w = c.MaxWidth;
  if (c.MaxHeight > 0 && h > c.MaxHeight) h = c.MaxHeight;
  if (c.MinWidth > 0 && w < c.MinWidth) w = c.MinWidth;
  if (c.MinHeight > 0 && h < c.MinHeight) h = c.MinHeight;
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  const bool resized = w != width_ || h != height_;
  DoSetBounds(l, t, w, h);
  if (!parent_ || !parent_->inAlign_) UpdateAnchorRules();
  RequestAlign();
  if (resized) {
    if (auto* wc = dynamic_cast<TWinControl*>(this)) wc->Realign();
    Resize();
  }
}

void TControl::DoSetBounds(int l, int t, int w, int h) {
  const bool vis = visible_ && parent_ && parent_->HandleAllocated();
  if (vis) InvalidateControl(true, false);
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  if (vis) InvalidateControl(true, false);
}

void TControl::UpdateAnchorRules() {
  if (!parent_) return;
  TRect r = parent_->ClientRect();
  if (r.IsEmpty()) {
    anchorValid_ = false;
    return;
  }
  anchorRight_ = r.Width() - (left_ + width_);
  anchorBottom_ = r.Height() - (top_ + height_);
  anchorValid_ = true;
}

void TControl::RequestAlign() {
  if (!parent_ || parent_->inAlign_) return;
  if (align_ == alNone && anchors_ == (akLeft | akTop)) return;
  parent_->AlignControl(this);
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  TAlign old = align_;
  align_ = a;
  if ((old != alNone || a != alNone) && parent_) parent_->AlignControl(this);
}

void TControl::SetAnchors(TAnchors a) {
  anchors_ = a;
  UpdateAnchorRules();
}

void TControl::SetConstraints(const TSizeConstraints& c) {
  constraints_ = c;
  SetBounds(left_, top_, width_, height_);
}

void TControl::SetAutoSize(bool v) {
  if (autoSize_ == v) return;
  autoSize_ = v;
  if (v) AdjustSize();
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::AdjustSize() {
  if (!autoSize_) return;
  int w = width_, h = height_;
  if (CanAutoSize(w, h)) SetBounds(left_, top_, w, h);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::SetVisible(bool v) {
  if (visible_ == v) return;
  if (!v && MouseCapture()) SetMouseCapture(false);
  visible_ = v;
  InvalidateControl(true, false);
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  RequestAlign();
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  if (!v && MouseCapture()) SetMouseCapture(false);
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

void TControl::SetText(const std::string& s) {
  if (s == text_) return;
  text_ = s;
  Perform(CM_TEXTCHANGED);
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) {
    ++updatingFont_;
    font_.Assign(parent_->Font());
    --updatingFont_;
  }
}

void TControl::FontChanged() {
  Perform(CM_FONTCHANGED);
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TControl::SetColor(TColor c) {
  parentColor_ = false;
  if (c == color_) return;
  color_ = c;
  Perform(CM_COLORCHANGED);
  Invalidate();
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) {
    color_ = parent_->Color();
    Invalidate();
  }
}

void TControl::SetShowHint(bool v) {
  parentShowHint_ = false;
  showHint_ = v;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool v) {
  parentShowHint_ = v;
  if (v && parent_) {
    showHint_ = parent_->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
}

void TControl::SetPopupMenu(TPopupMenu* m) {
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = m;
  if (m) m->FreeNotification(this);
}

void TControl::SetCursor(HCURSOR c) {
  cursor_ = c;
  Perform(CM_CURSORCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  if (WindowProc) WindowProc(m);
  else WndProc(m);
  return m.Result;
}

void TControl::DefaultHandler(TMessage& m) {
  if (m.Msg == WM_CONTEXTMENU && parent_) m.Result = parent_->Perform(m.Msg, m.WParam, m.LParam);
}

void TControl::SendCancelMode() {
  TCustomForm* f = GetParentForm(this);
  if (f && f->ActiveControl() && f->ActiveControl() != this)
    f->ActiveControl()->Perform(CM_CANCELMODE, 0, ToLParam(this));
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TControl* self = this;
      SendCancelMode();
      if (controlStyle_ & csCaptureMouse) SetMouseCapture(true);
      if (controlStyle_ & csClickEvents) controlState_ |= csClicked;
      controlState_ |= csLButtonDown;
      TPoint p = MsgPoint(m);
      const bool dbl = m.Msg == WM_LBUTTONDBLCLK;
      if (dbl && (controlStyle_ & csDoubleClicks)) self->DblClick();
      MouseDown(mbLeft, KeysToShiftState(m.WParam) | (dbl ? TShiftState(ssDouble) : TShiftState(0)), p.X, p.Y);
      return;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      TPoint p = MsgPoint(m);
      const bool right = m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONDBLCLK;
      const bool dbl = m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK;
      MouseDown(right ? mbRight : mbMiddle, KeysToShiftState(m.WParam) | (dbl ? TShiftState(ssDouble) : TShiftState(0)), p.X, p.Y);
      DefaultHandler(m);
      return;
    }
    case WM_LBUTTONUP: {
      TPoint p = MsgPoint(m);
      if (controlStyle_ & csCaptureMouse) SetMouseCapture(false);
      const bool clicked = controlState_ & csClicked;
      controlState_ &= ~(csClicked | csLButtonDown);
      if (clicked && ClientRect().Contains(p)) Click();
      MouseUp(mbLeft, KeysToShiftState(m.WParam), p.X, p.Y);
      return;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      TPoint p = MsgPoint(m);
      MouseUp(m.Msg == WM_RBUTTONUP ? mbRight : mbMiddle, KeysToShiftState(m.WParam), p.X, p.Y);
      DefaultHandler(m);
      return;
    }
    case WM_MOUSEMOVE: {
      TPoint p = MsgPoint(m);
      MouseMove(KeysToShiftState(m.WParam), p.X, p.Y);
      DefaultHandler(m);
      return;
    }
    case WM_MOUSEWHEEL: {
      TPoint p = MsgPoint(m);
      if (DoMouseWheel(KeysToShiftState(LOWORD(m.WParam)), GET_WHEEL_DELTA_WPARAM(m.WParam), p)) {
        m.Result = 1;
        return;
      }
      DefaultHandler(m);
      return;
    }
    case CM_MOUSEENTER:
      if (m.LParam == 0 || m.LParam == ToLParam(this)) {
        if (OnMouseEnter) OnMouseEnter(this);
      }
      if (parent_) parent_->Perform(CM_MOUSEENTER, 0, m.LParam ? m.LParam : ToLParam(this));
      return;
    case CM_MOUSELEAVE:
      if (m.LParam == 0 || m.LParam == ToLParam(this)) {
        if (OnMouseLeave) OnMouseLeave(this);
      }
      if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, m.LParam ? m.LParam : ToLParam(this));
      return;
    case CM_HITTEST:
      m.Result = HTCLIENT;
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        ++updatingFont_;
        font_.Assign(parent_->Font());
        --updatingFont_;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(CM_COLORCHANGED);
        Invalidate();
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_ && showHint_ != parent_->ShowHint()) {
        showHint_ = parent_->ShowHint();
        Perform(CM_SHOWHINTCHANGED);
      }
      return;
    case WM_CONTEXTMENU:
      if (popupMenu_ && popupMenu_->AutoPopup() && enabled_) {
        TPoint p = MsgPoint(m);
        if (p.X == -1 && p.Y == -1) p = ClientToScreen({width_ / 2, height_ / 2});
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(p.X, p.Y);
        m.Result = 1;
        return;
      }
      DefaultHandler(m);
      return;
    default:
      DefaultHandler(m);
  }
}

void TControl::MouseDown(TMouseBtn b, TShiftState s, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}
void TControl::MouseMove(TShiftState s, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}
void TControl::MouseUp(TMouseBtn b, TShiftState s, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}
bool TControl::DoMouseWheel(TShiftState s, int delta, TPoint p) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, s, delta, p, handled);
  return handled;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
  if (!isVisible || !parent_ || !parent_->HandleAllocated()) return;
  TRect r = BoundsRect();
  InvalidateRect(parent_->handle_, &r, !isOpaque);
}

void TControl::Invalidate() { InvalidateControl(visible_, (controlStyle_ & csOpaque) != 0); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

bool TControl::MouseCapture() {
  if (auto* w = dynamic_cast<TWinControl*>(this)) return w->handle_ && GetCapture() == w->handle_;
  return g_captureControl == this;
}

void TControl::SetMouseCapture(bool v) {
  if (MouseCapture() == v) return;
  if (v) {
    if (auto* w = dynamic_cast<TWinControl*>(this)) {
      g_captureControl = nullptr;
      if (w->Handle()) SetCapture(w->handle_);
    } else if (parent_ && parent_->Handle()) {
      g_captureControl = this;
      SetCapture(parent_->handle_);
    }
  } else {
    g_captureControl = nullptr;
    ReleaseCapture();
  }
}

bool TControl::MouseInControl() const { return g_mouseControl == this; }

bool TControl::IsShowing() {
  for (TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->handle_) return IsWindowVisible(w->handle_) && visible_;
  }
  return false;
}

void TControl::BringToFront() {
  if (!parent_) {
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->handle_) BringWindowToTop(w->handle_);
    return;
  }
  auto& l = parent_->controls_;
  l.erase(std::find(l.begin(), l.end(), this));
  l.push_back(this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->handle_)
    SetWindowPos(w->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& l = parent_->controls_;
  l.erase(std::find(l.begin(), l.end(), this));
  l.insert(l.begin(), this);
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->handle_)
    SetWindowPos(w->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Invalidate();
}

// ---- TGraphicControl ----------------------------------------------------------------

void TGraphicControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      if (!dc) return;
      canvas_.SetPaintHandle(dc);
      canvas_.Font().Assign(font_);
      canvas_.Brush().SetColor(color_);
      Paint();
      canvas_.SetPaintHandle(nullptr);
      return;
    }
    case WM_RBUTTONUP:
      TControl::WndProc(m);
      if (parent_ && parent_->HandleAllocated()) {
        TPoint p = ClientToScreen(MsgPoint(m));
        SendMessage(parent_->Handle(), WM_CONTEXTMENU, HandleToWParam(parent_->Handle()), PointToLParam(p));
      }
      return;
    default:
      TControl::WndProc(m);
  }
}

// ---- TWinControl --------------------------------------------------------------------

struct TWinControlAccess {
  static void SetHandle(TWinControl* c, HWND h) { c->handle_ = h; }
};
static LRESULT ControlWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children go with their parent, whoever owns them.
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    RemoveControl(c);
    c->Free();
  }
  DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND hwnd) {
  auto it = Windows().find(hwnd);
  return it == Windows().end() ? nullptr : it->second;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (parent_) parent_->HandleNeeded();
  if (parent_ && !parent_->handle_) return;
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (!enabled_) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = left_;
  p.Y = top_;
  p.Width = width_;
  p.Height = height_;
  p.WndParent = parent_ ? parent_->handle_ : parentWindow_;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent) return;
  WNDCLASS wc;
  if (!GetClassInfo(p.WinClassName, &wc)) {
    wc = WNDCLASS{};
    wc.lpszClassName = p.WinClassName;
    wc.style = p.WindowClassStyle;
    wc.lpfnWndProc = &ControlWndProc;
    wc.hbrBackground = p.Background;
    RegisterClass(wc);
  }
  controlState_ |= csCreating;
  HWND h = CreateWindowEx(p.ExStyle, p.WinClassName, p.Caption, p.Style & ~WS_VISIBLE, p.X, p.Y, p.Width, p.Height,
                          p.WndParent, this);
  controlState_ &= ~csCreating;
  if (!h) throw EWindowError("Error creating window of " + ClassName());
  handle_ = h;
  Windows()[h] = this;
}

void TWinControl::DestroyWnd() {
  HWND h = handle_;
  Windows().erase(h);
  handle_ = nullptr;
  DestroyWindow(h);
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  if (!handle_) return;
  // The window system may have adjusted the size (constraints of a top-level window).
  TRect wr;
  if (GetWindowRect(handle_, &wr)) {
    width_ = wr.Width();
    height_ = wr.Height();
  }
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
  Realign();
  if (visible_ && parent_) ShowWindow(handle_, SW_SHOWNA);
}

static void ForgetHandles(TWinControl* w, std::vector<TWinControl*>& list) {
  for (int i = 0; i < w->ControlCount(); ++i)
    if (auto* c = dynamic_cast<TWinControl*>(w->Controls(i))) {
      list.push_back(c);
      ForgetHandles(c, list);
    }
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  controlState_ |= csDestroyingHandle;
  std::vector<TWinControl*> kids;
  ForgetHandles(this, kids);
  for (TWinControl* c : kids) {
    c->canvas_.FreeHandle();
    Windows().erase(c->handle_);
    c->handle_ = nullptr;
  }
  canvas_.FreeHandle();
  if (g_captureControl && ContainsControl(g_captureControl)) g_captureControl = nullptr;
  DestroyWnd();
  controlState_ &= ~csDestroyingHandle;
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (handle_ && parent && parent->HandleAllocated()) {
    TControl::SetParent(parent);
    ::vx::SetParent(handle_, parent->handle_);
    SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    if (visible_) ShowWindow(handle_, SW_SHOWNA);
    return;
  }
  if (handle_ && !parent && !parentWindow_) DestroyHandle();
  TControl::SetParent(parent);
  if (parent && parent->HandleAllocated()) {
    if (handle_) DestroyHandle();
    HandleNeeded();
  }
}

void TWinControl::SetParentWindow(HWND parentWindow) {
  parentWindow_ = parentWindow;
  if (handle_ && !parent_) ::vx::SetParent(handle_, parentWindow);
}

void TWinControl::InsertControl(TControl* c) {
  c->parent_ = this;
  controls_.push_back(c);
  if (auto* w = dynamic_cast<TWinControl*>(c)) tabList_.push_back(w);
  if (c->parentFont_) {
    ++c->updatingFont_;
    c->font_.Assign(font_);
    --c->updatingFont_;
  }
  if (c->parentColor_) c->color_ = color_;
  if (c->parentShowHint_) c->showHint_ = showHint_;
  c->UpdateAnchorRules();
  Perform(CM_CONTROLLISTCHANGE, WPARAM(ToLParam(c)), 1);
  if (c->align_ != alNone || c->anchors_ != (akLeft | akTop)) Realign();
  c->Invalidate();
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it == controls_.end()) return;
  if (TCustomForm* f = GetParentForm(this, false)) f->ControlRemoved(c);
  if (TCustomForm* f = GetParentForm(this, true)) f->ControlRemoved(c);
  if (g_mouseControl && (g_mouseControl == c || (c->IsWindowed() && static_cast<TWinControl*>(c)->ContainsControl(g_mouseControl))))
    g_mouseControl = nullptr;
  if (g_captureControl == c) {
    g_captureControl = nullptr;
    ReleaseCapture();
  }
  c->Invalidate();
  controls_.erase(it);
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    if (w->handle_ && !HasState(csDestroying)) w->DestroyHandle();
  }
  c->parent_ = nullptr;
  if (!HasState(csDestroying)) {
    Perform(CM_CONTROLLISTCHANGE, WPARAM(ToLParam(c)), 0);
    if (c->align_ != alNone) Realign();
  }
}

bool TWinControl::ContainsControl(TControl* c) const {
  for (TControl* p = c; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

TRect TWinControl::ClientRect() {
  TRect r;
  if (handle_ && GetClientRect(handle_, &r)) return r;
  return {0, 0, width_, height_};
}

TPoint TWinControl::ClientOrigin() {
  if (handle_) {
    TPoint p{0, 0};
    ::vx::ClientToScreen(handle_, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

void TWinControl::SetText(const std::string& s) {
  if (s == text_) return;
  text_ = s;
  if (handle_) SetWindowText(handle_, s);
  Perform(CM_TEXTCHANGED);
  if (autoSize_) AdjustSize();
  Invalidate();
}

void TWinControl::SetVisible(bool v) {
  if (visible_ == v) return;
  if (!v && handle_ && (handle_ == GetFocus() || IsChild(handle_, GetFocus()))) {
    if (TCustomForm* f = GetParentForm(this); f && f != this) f->DefocusControl(this);
  }
  visible_ = v;
  if (handle_) ShowWindow(handle_, v ? SW_SHOWNA : SW_HIDE);
  Perform(CM_VISIBLECHANGED, v ? 1 : 0);
  Perform(CM_SHOWINGCHANGED);
  if (parent_ && (align_ != alNone || anchors_ != (akLeft | akTop))) parent_->Realign();
}

void TWinControl::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  if (handle_) EnableWindow(handle_, v);
  Perform(CM_ENABLEDCHANGED);
  Invalidate();
}

bool TWinControl::IsShowing() { return handle_ && visible_ && IsWindowVisible(handle_); }

void TWinControl::DoSetBounds(int l, int t, int w, int h) {
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  if (handle_) SetWindowPos(handle_, nullptr, l, t, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Reads the window's rectangle back after a change made by the window system
// (moving, sizing, maximizing) and reacts like SetBounds.
void TWinControl::UpdateWindowBounds() {
  if (!handle_) return;
  TRect wr;
  if (!GetWindowRect(handle_, &wr)) return;
  HWND parentWnd = (GetWindowLong(handle_, GWL_STYLE) & WS_CHILD) ? ::vx::GetParent(handle_) : nullptr;
  if (parentWnd) MapWindowRect(nullptr, parentWnd, &wr);
  if (wr.Left == left_ && wr.Top == top_ && wr.Width() == width_ && wr.Height() == height_) return;
  const bool resized = wr.Width() != width_ || wr.Height() != height_;
  left_ = wr.Left;
  top_ = wr.Top;
  width_ = wr.Width();
  height_ = wr.Height();
  if (!parent_ || !parent_->inAlign_) UpdateAnchorRules();
  RequestAlign();
  if (resized) {
    Realign();
    Resize();
  }
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() && !allowWinControls) continue;
    if (!c->visible_ || (!c->enabled_ && !allowDisabled)) continue;
    if (!c->BoundsRect().Contains(p)) continue;
    if (c->Perform(CM_HITTEST, 0, PointToLParam({p.X - c->left_, p.Y - c->top_})) == 0) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
  auto list = controls_;
  for (TControl* c : list) {
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    c->WindowProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage m{msg, 0, 0, 0};
  auto list = controls_;
  for (TControl* c : list) {
    if (std::find(controls_.begin(), controls_.end(), c) == controls_.end()) continue;
    c->WindowProc(m);
  }
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  if (controlState_ & csPaintCopy) return;
  auto it = controls_.begin();
  if (first) it = std::find(controls_.begin(), controls_.end(), first);
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->visible_ || c->width_ <= 0 || c->height_ <= 0) continue;
    if (!RectVisible(dc, c->BoundsRect())) continue;
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, c->left_, c->top_);
    IntersectClipRect(dc, 0, 0, c->width_, c->height_);
    c->Perform(WM_PAINT, WPARAM(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintWindow(HDC dc) { PaintControls(dc, nullptr); }

void TCustomControl::PaintWindow(HDC dc) {
  int saved = SaveDC(dc);
  canvas_.SetPaintHandle(dc);
  canvas_.Font().Assign(font_);
  canvas_.Brush().SetColor(color_);
  canvas_.Brush().SetStyle(bsSolid);
  Paint();
  canvas_.SetPaintHandle(nullptr);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !(controlStyle_ & csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

bool TWinControl::CanAutoSize(int& w, int& h) {
  if (controls_.empty()) return false;
  TRect bounds;
  bool any = false;
  for (TControl* c : controls_) {
    if (!c->visible_) continue;
    bounds = any ? UnionRect(bounds, c->BoundsRect()) : c->BoundsRect();
    any = true;
  }
  if (!any) return false;
  TRect cr = ClientRect();
  int dw = width_ - cr.Width(), dh = height_ - cr.Height();
  if (align_ != alTop && align_ != alBottom && align_ != alClient) w = bounds.Right + dw;
  if (align_ != alLeft && align_ != alRight && align_ != alClient) h = bounds.Bottom + dh;
  return true;
}

// ---- alignment ----------------------------------------------------------------------

void TWinControl::DisableAlign() { ++alignLevel_; }

void TWinControl::EnableAlign() {
  if (alignLevel_ > 0) --alignLevel_;
  if (alignLevel_ == 0 && (controlState_ & csAlignmentNeeded)) Realign();
}

void TWinControl::AlignControl(TControl* control) {
  if (alignLevel_ > 0) {
    controlState_ |= csAlignmentNeeded;
    return;
  }
  if (inAlign_) return;
  inAlign_ = true;
  controlState_ &= ~csAlignmentNeeded;
  TRect r = ClientRect();
  AdjustClientRect(r);
  AlignControls(control, r);
  inAlign_ = false;
  if (autoSize_) AdjustSize();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  TRect client = ClientRect();
  // Anchored controls keep their distances to the right and bottom edges.
  for (TControl* c : controls_) {
    if (c->align_ != alNone || !c->visible_) continue;
    if (!c->anchorValid_) {
      c->UpdateAnchorRules();
      continue;
    }
    int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
    if (c->anchors_ & akRight) {
      if (c->anchors_ & akLeft) w = client.Width() - l - c->anchorRight_;
      else l = client.Width() - w - c->anchorRight_;
    }
    if (c->anchors_ & akBottom) {
      if (c->anchors_ & akTop) h = client.Height() - t - c->anchorBottom_;
      else t = client.Height() - h - c->anchorBottom_;
    }
    c->SetBounds(l, t, std::max(0, w), std::max(0, h));
  }
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->align_ == a && c->visible_) list.push_back(c);
    auto key = [a](TControl* c) {
      switch (a) {
        case alTop: return c->top_;
        case alBottom: return -(c->top_ + c->height_);
        case alLeft: return c->left_;
        case alRight: return -(c->left_ + c->width_);
        default: return 0;
      }
    };
    std::stable_sort(list.begin(), list.end(), [&](TControl* x, TControl* y) {
      int kx = key(x), ky = key(y);
      if (kx != ky) return kx < ky;
      return x == control && y != control;
    });
    for (TControl* c : list) {
      const int w = std::max(0, rect.Width()), h = std::max(0, rect.Height());
      switch (a) {
        case alTop:
          c->SetBounds(rect.Left, rect.Top, w, c->height_);
          rect.Top += c->height_;
          break;
        case alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->height_, w, c->height_);
          rect.Bottom -= c->height_;
          break;
        case alLeft:
          c->SetBounds(rect.Left, rect.Top, c->width_, h);
          rect.Left += c->width_;
          break;
        case alRight:
          c->SetBounds(rect.Right - c->width_, rect.Top, c->width_, h);
          rect.Right -= c->width_;
          break;
        case alClient:
          c->SetBounds(rect.Left, rect.Top, w, h);
          break;
        default:
          break;
      }
    }
  }
}

// ---- focus and tab order ------------------------------------------------------------

void TWinControl::SetTabStop(bool v) {
  if (tabStop_ == v) return;
  tabStop_ = v;
  if (handle_) {
    DWORD s = DWORD(GetWindowLong(handle_, GWL_STYLE));
    SetWindowLong(handle_, GWL_STYLE, v ? (s | WS_TABSTOP) : (s & ~DWORD(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED);
}

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  auto& l = parent_->tabList_;
  auto it = std::find(l.begin(), l.end(), this);
  return it == l.end() ? -1 : int(it - l.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (!parent_) return;
  auto& l = parent_->tabList_;
  auto it = std::find(l.begin(), l.end(), this);
  if (it == l.end()) return;
  l.erase(it);
  v = std::clamp(v, 0, int(l.size()));
  l.insert(l.begin() + v, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop, bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = int(list.size());
  auto found = std::find(list.begin(), list.end(), cur);
  int start = found == list.end() ? (goForward ? n - 1 : 0) : int(found - list.begin());
  int i = start;
  do {
    if (goForward) {
      if (++i == n) i = 0;
    } else {
      if (i == 0) i = n;
      --i;
    }
    TWinControl* c = list[size_t(i)];
    if (c->CanFocus() && (!checkTabStop || c->tabStop_) && (!checkParent || c->parent_ == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* cur, bool goForward, bool checkTabStop) {
  if (TWinControl* c = FindNextControl(cur, goForward, checkTabStop, !checkTabStop)) c->SetFocus();
}

bool TWinControl::CanFocus() {
  TCustomForm* f = GetParentForm(this);
  if (!f) return false;
  for (TControl* c = this; c && c != f; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return f->Enabled();
}

bool TWinControl::Focused() { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  TCustomForm* f = GetParentForm(this);
  if (f && f != this) {
    f->FocusControl(this);
    return;
  }
  if (f == this) {
    f->SetFocusToForm();
    return;
  }
  if (Handle()) ::vx::SetFocus(handle_);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}
void TWinControl::KeyPress(char32_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::DoKeyDownMsg(TMessage& m) {
  WORD key = WORD(m.WParam);
  TShiftState shift = KeyDataToShiftState(m.LParam);
  TCustomForm* form = GetParentForm(this);
  if (form && form->IsShortCut(key, shift)) return true;
  if (form && form != this && form->KeyPreview()) {
    form->KeyPreviewDown(key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  if (key == 0) return true;
  UINT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask && form && Perform(CM_WANTSPECIALKEY, key, m.LParam) == 0 && (Perform(WM_GETDLGCODE) & mask) == 0 &&
      form->Perform(CM_DIALOGKEY, key, m.LParam) != 0)
    return true;
  m.WParam = key;
  return false;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (handle_ && m.Msg < CM_BASE) m.Result = DefWindowProc(handle_, m.Msg, m.WParam, m.LParam);
  else TControl::DefaultHandler(m);
}

bool TWinControl::IsControlMouseMsg(TMessage& m) {
  TControl* c = nullptr;
  if (handle_ && GetCapture() == handle_) {
    if (g_captureControl && g_captureControl->parent_ == this) c = g_captureControl;
  } else {
    c = ControlAtPos(MsgPoint(m), false);
  }
  if (!c) return false;
  TPoint p = MsgPoint(m);
  m.Result = c->Perform(m.Msg, m.WParam, PointToLParam({p.X - c->left_, p.Y - c->top_}));
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      if (m.WParam) {
        PaintWindow(reinterpret_cast<HDC>(m.WParam));
      } else if (handle_) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(handle_, &ps);
        if (dc) PaintWindow(dc);
        EndPaint(handle_, &ps);
      }
      m.Result = 0;
      return;
    }
    case WM_ERASEBKGND: {
      if (!(controlStyle_ & csOpaque)) FillSolidRect(reinterpret_cast<HDC>(m.WParam), ClientRect(), color_);
      m.Result = 1;
      return;
    }
    case WM_SETFOCUS: {
      DefaultHandler(m);
      if (TCustomForm* f = GetParentForm(this)) f->SetFocusedControl(this);
      return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (DoKeyDownMsg(m)) {
        m.Result = 0;
        return;
      }
      DefaultHandler(m);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = WORD(m.WParam);
      KeyUp(key, KeyDataToShiftState(m.LParam));
      if (key == 0) return;
      DefaultHandler(m);
      return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      char32_t ch = char32_t(m.WParam);
      TCustomForm* form = GetParentForm(this);
      if (m.Msg == WM_CHAR) {
        if (form && form != this && form->KeyPreview()) {
          form->KeyPreviewPress(ch);
          if (ch == 0) return;
        }
        KeyPress(ch);
        if (ch == 0) return;
        if (form && !(Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) &&
            form->Perform(CM_DIALOGCHAR, ch, m.LParam) != 0)
          return;
      } else if (form && form->Perform(CM_DIALOGCHAR, ch, m.LParam) != 0) {
        return;
      }
      m.WParam = ch;
      DefaultHandler(m);
      return;
    }
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
      Broadcast(m);
      return;
    case CM_COLORCHANGED:
      // Children that follow the parent's colour repaint; all hear that the background changed.
      NotifyControls(CM_PARENTCOLORCHANGED);
      NotifyControls(CM_PARENTBACKGROUNDCHANGED);
      return;
    case CM_SHOWHINTCHANGED:
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(m);
      UpdateWindowBounds();
      return;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && handle_) {
        TPoint p;
        GetCursorPos(&p);
        ::vx::ScreenToClient(handle_, &p);
        TControl* c = g_captureControl && g_captureControl->parent_ == this ? g_captureControl : ControlAtPos(p, false);
        HCURSOR cur = c && c->cursor_ != crDefault ? c->cursor_ : cursor_;
        if (cur != crDefault) {
          ::vx::SetCursor(cur);
          m.Result = 1;
          return;
        }
      }
      DefaultHandler(m);
      return;
    case WM_CAPTURECHANGED:
      if (g_captureControl && g_captureControl->parent_ == this && HandleFromParam(m.LParam) != handle_)
        g_captureControl = nullptr;
      DefaultHandler(m);
      return;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
    case WM_MOUSEENTER:
      UpdateMouseControl();
      if (m.Msg == WM_MOUSEMOVE && IsControlMouseMsg(m)) return;
      if (m.Msg == WM_MOUSEMOVE) TControl::WndProc(m);
      else DefaultHandler(m);
      return;
    case WM_CONTEXTMENU: {
      TPoint p = MsgPoint(m);
      if (handle_ && !(p.X == -1 && p.Y == -1)) {
        TPoint cp = p;
        ::vx::ScreenToClient(handle_, &cp);
        if (TControl* c = ControlAtPos(cp, false); c && c->popupMenu_) {
          m.Result = c->Perform(m.Msg, m.WParam, m.LParam);
          return;
        }
      }
      TControl::WndProc(m);
      return;
    }
    case WM_ENABLE:
      DefaultHandler(m);
      return;
    case WM_GETDLGCODE:
      DefaultHandler(m);
      return;
    default:
      if (IsMouseMsg(m.Msg) && IsControlMouseMsg(m)) return;
      TControl::WndProc(m);
  }
}

static LRESULT ControlWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* c = TWinControl::FindControl(h);
  if (!c && msg == WM_NCCREATE) {
    auto* cs = FromLParam<CREATESTRUCT>(lp);
    c = cs ? static_cast<TWinControl*>(cs->lpCreateParams) : nullptr;
    if (c) {
      Windows()[h] = c;
      TWinControlAccess::SetHandle(c, h);
    }
  }
  if (!c) return DefWindowProc(h, msg, wp, lp);
  TMessage m{msg, wp, lp, 0};
  ++g_dispatchDepth;
  try {
    c->WindowProc(m);
  } catch (...) {
    --g_dispatchDepth;
    throw;
  }
  --g_dispatchDepth;
  if (msg == WM_NCDESTROY) Windows().erase(h);
  if (g_dispatchDepth == 0) FreeDeviceContexts();
  return m.Result;
}

// ---- parent form, mouse control -----------------------------------------------------

TCustomForm* GetParentForm(TControl* control, bool topForm) {
  TCustomForm* result = nullptr;
  for (TControl* c = control; c; c = c->Parent()) {
    if (auto* f = dynamic_cast<TCustomForm*>(c)) {
      result = f;
      if (!topForm) return f;
    }
  }
  return result;
}

TControl* MouseControl() { return g_mouseControl; }
TControl* CaptureControl() { return g_captureControl; }

void SetMouseControlHook(std::function<void(TControl*, TControl*)> hook) { g_mouseHook = std::move(hook); }

TControl* FindDragTarget(TPoint screenPos, bool allowDisabled) {
  HWND h = WindowFromPoint(screenPos);
  TWinControl* w = nullptr;
  while (h && !(w = TWinControl::FindControl(h))) h = ::vx::GetParent(h);
  if (!w) return nullptr;
  TPoint p = w->ScreenToClient(screenPos);
  if (TControl* c = w->ControlAtPos(p, allowDisabled)) return c;
  return w;
}

void UpdateMouseControl() {
  TPoint p;
  GetCursorPos(&p);
  TControl* now = FindDragTarget(p, false);
  TControl* old = g_mouseControl;
  if (now == old) return;
  g_mouseControl = now;
  if (old) old->Perform(CM_MOUSELEAVE);
  // The leave handler may have moved things; only enter a control that is still current.
  if (now && g_mouseControl == now) now->Perform(CM_MOUSEENTER);
  if (Application) Application->MouseControlChanged(old, g_mouseControl);
  if (g_mouseHook) g_mouseHook(old, g_mouseControl);
}

}  // namespace vx
