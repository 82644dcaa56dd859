// Window objects, the handle table, procedure chains, dispatch with deferred
// destruction, hierarchy, positions, z-order, activation, focus and capture.
#include <algorithm>
#include <cstring>
#include <exception>

#include "platform/core/sysutils.h"
#include "platform/win/internal.h"

namespace vx {

namespace detail {

namespace {
// Deleted only by ShutdownDesktop / InitDesktop, never by static destruction,
// so windows destroyed by other statics at exit still find their desktop.
Desktop* g_desktop = nullptr;

std::map<std::string, std::shared_ptr<ClassRec>>& Classes() {
  static std::map<std::string, std::shared_ptr<ClassRec>> classes;
  return classes;
}

constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;
}  // namespace

Desktop::Desktop(int width, int height, std::vector<TMonitorSpec> mons, int taskbar)
    : monitors(std::move(mons)), taskbarHeight(taskbar) {
  screen = {std::max(width, 1), std::max(height, 1)};
  defaultMonitor = monitors.empty();
  if (defaultMonitor) {
    TRect full{0, 0, screen.cx, screen.cy};
    TRect work = full;
    work.Bottom = std::max(work.Top, work.Bottom - std::clamp(taskbarHeight, 0, screen.cy));
    monitors.push_back({full, work});
  }
  compositor.Resize(screen.cx, screen.cy);
}

Desktop::~Desktop() = default;

Wnd* Desktop::Lookup(HWND h) const {
  const uint64_t v = reinterpret_cast<uintptr_t>(h);
  const uint64_t lo = v & 0xFFFFFFFFu;
  if (lo == 0) return nullptr;
  const size_t idx = size_t(lo - 1);
  if (idx >= slots_.size() || !slots_[idx]) return nullptr;
  if (gens_[idx] != uint32_t(v >> 32)) return nullptr;
  return slots_[idx].get();
}

Wnd* Desktop::Alloc() {
  size_t idx;
  if (!free_.empty()) {
    idx = free_.back();
    free_.pop_back();
  } else {
    idx = slots_.size();
    slots_.emplace_back();
    gens_.push_back(0);
  }
  // Generations come from one process-wide serial, not per desktop, so a
  // handle kept from an earlier desktop never names a window of a later one.
  static uint32_t serial = 0;
  if (++serial == 0) serial = 1;
  gens_[idx] = serial;
  slots_[idx] = std::make_unique<Wnd>();
  const uint64_t v = (uint64_t(gens_[idx]) << 32) | uint64_t(idx + 1);
  slots_[idx]->self = reinterpret_cast<HWND>(uintptr_t(v));
  return slots_[idx].get();
}

void Desktop::Free(Wnd* w) {
  const uint64_t v = reinterpret_cast<uintptr_t>(w->self);
  const size_t idx = size_t((v & 0xFFFFFFFFu) - 1);
  if (w->cls) w->cls->windows--;
  slots_[idx].reset();
  gens_[idx] = 0;
  free_.push_back(uint32_t(idx));
}

std::vector<Wnd*> Desktop::AllWindows() const {
  std::vector<Wnd*> out;
  for (auto& s : slots_)
    if (s) out.push_back(s.get());
  return out;
}

Desktop& D() {
  if (!g_desktop) g_desktop = new Desktop(1280, 800, std::vector<TMonitorSpec>{}, 40);
  return *g_desktop;
}

bool HasDesktop() { return g_desktop != nullptr; }

// ---- helpers -----------------------------------------------------------------

Wnd* Root(Wnd* w) {
  Desktop& d = D();
  while (w && w->parent) {
    Wnd* p = d.Lookup(w->parent);
    if (!p) break;
    w = p;
  }
  return w;
}

bool IsTopLevel(const Wnd* w) { return w->parent == nullptr; }

bool VisibleChain(const Wnd* w) {
  Desktop& d = D();
  while (w) {
    if (!(w->style & WS_VISIBLE)) return false;
    if (!w->parent) return true;
    w = d.Lookup(w->parent);
  }
  return false;
}

bool IsDescendantOrSelf(const Wnd* ancestor, const Wnd* w) {
  Desktop& d = D();
  while (w) {
    if (w == ancestor) return true;
    if (!w->parent) return false;
    w = d.Lookup(w->parent);
  }
  return false;
}

TRect ScreenRect(const Wnd* w) {
  if (!w->parent) return w->rect;
  Wnd* p = D().Lookup(w->parent);
  if (!p) return w->rect;
  const TPoint o = ClientOrigin(p);
  return w->rect.Offset(o.X, o.Y);
}

TPoint ClientOrigin(const Wnd* w) {
  const TRect r = ScreenRect(w);
  return {r.Left + w->client.Left, r.Top + w->client.Top};
}

TRect RectInRoot(const Wnd* w) {
  const TRect s = ScreenRect(w);
  Wnd* root = Root(const_cast<Wnd*>(w));
  return s.Offset(-root->rect.Left, -root->rect.Top);
}

namespace {

Wnd* L(HWND h) { return D().Lookup(h); }

std::string Lower(const std::string& s) { return LowerCase(s); }

// The band of a top-level window: topmost when it or one of its owners is, so
// that a window owned by a topmost window never hides below it.
bool IsTopmost(const Wnd* w) {
  Desktop& d = D();
  for (int guard = 0; w && guard < 64; ++guard) {
    if (w->exStyle & WS_EX_TOPMOST) return true;
    w = d.Lookup(w->owner);
  }
  return false;
}

// Index where a window of the given band starts in the top-level list.
size_t BandTop(const Desktop& d, bool topmost) {
  if (topmost) return 0;
  size_t i = 0;
  while (i < d.topLevel.size()) {
    Wnd* w = d.Lookup(d.topLevel[i]);
    if (!w || !IsTopmost(w)) break;
    ++i;
  }
  return i;
}

size_t BandEnd(const Desktop& d, bool topmost) {
  if (!topmost) return d.topLevel.size();
  return BandTop(d, false);
}

void EraseFrom(std::vector<HWND>& v, HWND h) { v.erase(std::remove(v.begin(), v.end(), h), v.end()); }

// Owned windows (directly or through other owned windows), in z-order, top first.
std::vector<HWND> OwnedChain(const Desktop& d, HWND owner) {
  std::vector<HWND> out;
  for (HWND h : d.topLevel) {
    HWND o = h;
    while (o) {
      Wnd* ow = d.Lookup(o);
      if (!ow) break;
      if (ow->owner == owner) {
        out.push_back(h);
        break;
      }
      o = ow->owner;
    }
  }
  return out;
}

void DamageWindowArea(Wnd* w) {
  if (!VisibleChain(w)) return;
  MarkDamage(ScreenRect(w));
}

// Places a top-level window at the top of its band and its owned windows
// (keeping their order) right above it.
void RaiseTopLevel(Wnd* w) {
  Desktop& d = D();
  std::vector<HWND> owned = OwnedChain(d, w->self);
  EraseFrom(d.topLevel, w->self);
  for (HWND o : owned) EraseFrom(d.topLevel, o);
  d.topLevel.insert(d.topLevel.begin() + BandTop(d, IsTopmost(w)), w->self);
  // Owned windows go above, each at the top of its own band.
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    Wnd* o = d.Lookup(*it);
    d.topLevel.insert(d.topLevel.begin() + BandTop(d, IsTopmost(o)), *it);
  }
}

void ApplyZOrder(Wnd* w, HWND after) {
  Desktop& d = D();
  if (w->parent) {
    Wnd* p = L(w->parent);
    if (!p) return;
    auto& v = p->children;
    EraseFrom(v, w->self);
    if (after == HWND_BOTTOM) {
      v.push_back(w->self);
    } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
      v.insert(v.begin(), w->self);
    } else {
      auto it = std::find(v.begin(), v.end(), after);
      if (it == v.end())
        v.insert(v.begin(), w->self);
      else
        v.insert(it + 1, w->self);
    }
    return;
  }
  if (after == HWND_TOPMOST) {
    w->exStyle |= WS_EX_TOPMOST;
    RaiseTopLevel(w);
    return;
  }
  if (after == HWND_NOTOPMOST) {
    w->exStyle &= ~WS_EX_TOPMOST;
    RaiseTopLevel(w);
    return;
  }
  if (after == HWND_TOP) {
    RaiseTopLevel(w);
    return;
  }
  EraseFrom(d.topLevel, w->self);
  const bool tm = IsTopmost(w);
  size_t pos;
  if (after == HWND_BOTTOM) {
    pos = BandEnd(d, tm);
  } else {
    auto it = std::find(d.topLevel.begin(), d.topLevel.end(), after);
    pos = it == d.topLevel.end() ? BandTop(d, tm) : size_t(it - d.topLevel.begin()) + 1;
    pos = std::clamp(pos, BandTop(d, tm), BandEnd(d, tm));
  }
  d.topLevel.insert(d.topLevel.begin() + pos, w->self);
  // Owned windows never end up below their owner.
  std::vector<HWND> owned = OwnedChain(d, w->self);
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    auto me = std::find(d.topLevel.begin(), d.topLevel.end(), w->self);
    auto o = std::find(d.topLevel.begin(), d.topLevel.end(), *it);
    if (o > me) {
      HWND oh = *o;
      d.topLevel.erase(o);
      me = std::find(d.topLevel.begin(), d.topLevel.end(), w->self);
      d.topLevel.insert(me, oh);
    }
  }
}

bool CanActivate(Wnd* w) {
  return w && !w->parent && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED) &&
         !(w->exStyle & WS_EX_NOACTIVATE) && !w->destroying;
}

}  // namespace

void Activate(HWND h, bool byClick) {
  Desktop& d = D();
  Wnd* w = h ? Root(L(h)) : nullptr;
  HWND nh = w ? w->self : nullptr;
  if (w && w->destroying) return;
  if (d.active == nh) {
    if (w) RaiseTopLevel(w);
    return;
  }
  HWND old = d.active;
  if (Wnd* ow = L(old)) {
    const bool iconic = (ow->style & WS_MINIMIZE) != 0;
    Send(old, WM_NCACTIVATE, FALSE, HandleToLParam(nh));
    Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, iconic), HandleToLParam(nh));
  }
  w = L(nh);
  if (nh && !w) nh = nullptr;
  d.active = nh;
  if (w) {
    RaiseTopLevel(w);
    DamageWindowArea(w);
    const bool iconic = (w->style & WS_MINIMIZE) != 0;
    Send(nh, WM_NCACTIVATE, TRUE, HandleToLParam(old));
    if (L(nh)) Send(nh, WM_ACTIVATE, MAKEWPARAM(byClick ? WA_CLICKACTIVE : WA_ACTIVE, iconic), HandleToLParam(old));
  }
  // The focus always lies inside the active window.
  Wnd* f = L(d.focus);
  Wnd* a = L(d.active);
  if (d.focus && (!f || !a || !IsDescendantOrSelf(a, f))) SetFocus(nullptr);
  NotifyScreenChanged();
}

void ActivateOther(Wnd* leaving) {
  Desktop& d = D();
  if (!leaving) return;
  Wnd* a = L(d.active);
  if (a && a != leaving) return;
  // The owner first, then the topmost other window that can be active (tool
  // windows such as popups and hints are never picked).
  Wnd* next = nullptr;
  if (Wnd* o = L(leaving->owner); CanActivate(o)) next = o;
  if (!next) {
    for (HWND h : d.topLevel) {
      Wnd* c = L(h);
      if (c != leaving && CanActivate(c) && !(c->style & WS_MINIMIZE) && !(c->exStyle & WS_EX_TOOLWINDOW)) {
        next = c;
        break;
      }
    }
  }
  Activate(next ? next->self : nullptr, false);
}

// ---- dispatch ----------------------------------------------------------------

}  // namespace detail

struct ChainCtx {
  HWND hwnd;
  std::vector<std::shared_ptr<detail::HookRec>> snap;
  std::shared_ptr<detail::ClassRec> cls;
};

struct TChainAccess {
  static LRESULT Call(const ChainCtx& c, size_t i, UINT m, WPARAM wp, LPARAM lp) {
    while (i > 0 && c.snap[i - 1]->removed) --i;
    if (i == 0) {
      if (c.cls && c.cls->cls.lpfnWndProc) return c.cls->cls.lpfnWndProc(c.hwnd, m, wp, lp);
      return DefWindowProc(c.hwnd, m, wp, lp);
    }
    TNextProc next;
    next.chain_ = &c;
    next.index_ = i - 1;
    next.hwnd_ = c.hwnd;
    std::shared_ptr<detail::HookRec> hook = c.snap[i - 1];
    return hook->proc(c.hwnd, m, wp, lp, next);
  }
  static LRESULT Next(const TNextProc& n, UINT m, WPARAM wp, LPARAM lp) {
    return Call(*static_cast<const ChainCtx*>(n.chain_), n.index_, m, wp, lp);
  }
};

namespace detail {
namespace {

void AddBusy(Wnd* w, int delta) {
  Desktop& d = D();
  for (Wnd* a = w; a;) {
    a->depth += delta;
    if (!a->parent) break;
    a = d.Lookup(a->parent);
  }
}

void RunDeferred(HWND start) {
  Desktop& d = D();
  HWND h = start;
  while (h) {
    Wnd* a = d.Lookup(h);
    if (!a || a->depth > 0) return;
    HWND parent = a->parent;
    if (!a->afterDispatch.empty()) {
      auto fns = std::move(a->afterDispatch);
      a->afterDispatch.clear();
      for (auto& fn : fns) fn();
      a = d.Lookup(h);
      if (!a) return;
    }
    if (a->destroyPending) {
      DestroyNow(a);
      return;
    }
    h = parent;
  }
}

struct DispatchGuard {
  HWND h;
  int exceptions;
  explicit DispatchGuard(Wnd* w) : h(w->self), exceptions(std::uncaught_exceptions()) { AddBusy(w, 1); }
  ~DispatchGuard() {
    Desktop& d = D();
    Wnd* w = d.Lookup(h);
    if (!w) return;
    AddBusy(w, -1);
    if (w->depth != 0 || (d.pendingDestroys == 0 && w->afterDispatch.empty())) return;
    if (std::uncaught_exceptions() > exceptions) {
      // A handler threw: the deferred work still runs, but nothing it throws
      // may escape while the first exception is on its way.
      try {
        RunDeferred(h);
      } catch (...) {
      }
    } else {
      RunDeferred(h);
    }
  }
};

}  // namespace

LRESULT Deliver(Wnd* w, UINT msg, WPARAM wp, LPARAM lp) {
  DispatchGuard guard(w);
  ChainCtx ctx{w->self, w->hooks, w->cls};
  return TChainAccess::Call(ctx, ctx.snap.size(), msg, wp, lp);
}

// ---- destruction -------------------------------------------------------------

namespace {

void MarkDestroying(Wnd* w) {
  w->destroying = true;
  for (HWND c : w->children)
    if (Wnd* cw = L(c)) MarkDestroying(cw);
}

void SendDestroyTree(HWND h) {
  if (!L(h)) return;
  Send(h, WM_DESTROY);
  Wnd* w = L(h);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) SendDestroyTree(c);
}

void FinalizeTree(HWND h) {
  Desktop& d = D();
  Wnd* w = L(h);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) FinalizeTree(c);
  Send(h, WM_NCDESTROY);
  w = L(h);
  if (!w) return;
  KillTimersOf(h);
  DropDCsOf(h);
  auto drop = [h](std::deque<MSG>& q) {
    q.erase(std::remove_if(q.begin(), q.end(), [h](const MSG& m) { return m.hwnd == h; }), q.end());
  };
  drop(d.posted);
  drop(d.inputMsgs);
  if (d.active == h) d.active = nullptr;
  if (d.focus == h) d.focus = nullptr;
  if (d.capture == h) d.capture = nullptr;
  if (d.hover == h) d.hover = nullptr;
  if (d.lastDown.hwnd == h) d.lastDown.valid = false;
  if (w->parent) {
    if (Wnd* p = L(w->parent)) EraseFrom(p->children, h);
  } else {
    EraseFrom(d.topLevel, h);
  }
  if (w->destroyPending) d.pendingDestroys--;
  d.Free(w);
}

}  // namespace

void DestroyNow(Wnd* w) {
  Desktop& d = D();
  if (w->destroying && !w->destroyPending) return;
  if (w->destroyPending) {
    w->destroyPending = false;
    d.pendingDestroys--;
  }
  const HWND h = w->self;
  MarkDestroying(w);
  // Windows it owns go first.
  if (!w->parent) {
    for (HWND o : OwnedChain(d, h)) {
      Wnd* ow = L(o);
      if (ow && ow->owner == h) DestroyWindow(o);
    }
  }
  w = L(h);
  if (!w) return;
  if (w->style & WS_VISIBLE) {
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    w = L(h);
    if (!w) return;
  }
  if (d.active == h) ActivateOther(w);
  // Capture and focus leave the dying tree.
  if (Wnd* c = L(d.capture); c && IsDescendantOrSelf(w, c)) ReleaseCapture();
  if (Wnd* f = L(d.focus); f && IsDescendantOrSelf(w, f)) {
    Wnd* p = L(w->parent);
    if (p && !p->destroying)
      SetFocus(p->self);
    else
      SetFocus(nullptr);
  }
  w = L(h);
  if (!w) return;
  if (Wnd* p = L(w->parent); p && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
    Send(p->self, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, int32_t(w->id)), HandleToLParam(h));
  SendDestroyTree(h);
  FinalizeTree(h);
  NotifyScreenChanged();
}

// ---- z-order, raise ----------------------------------------------------------

void InsertNewTopLevel(Wnd* w) {
  Desktop& d = D();
  d.topLevel.insert(d.topLevel.begin() + BandTop(d, IsTopmost(w)), w->self);
}

}  // namespace detail

using namespace detail;

namespace {

MINMAXINFO DefaultMinMax(Wnd* w) {
  MINMAXINFO m;
  TRect area;
  if (w->parent) {
    Wnd* p = L(w->parent);
    area = p ? TRect{0, 0, p->client.Width(), p->client.Height()} : TRect{};
  } else {
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromRect(w->rect, MONITOR_DEFAULTTONEAREST), &mi);
    area = mi.rcWork;
  }
  m.ptMaxSize = {area.Width(), area.Height()};
  m.ptMaxPosition = area.TopLeft();
  m.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  m.ptMaxTrackSize = {GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  return m;
}

TRect NormalizeClient(TRect c, const TRect& windowRect) {
  c = c.Offset(-windowRect.Left, -windowRect.Top);
  if (c.Right < c.Left) c.Right = c.Left;
  if (c.Bottom < c.Top) c.Bottom = c.Top;
  return c;
}

void InvalidateSubtree(Wnd* w, bool erase) {
  InvalidateClient(w, nullptr, erase, true);
}

}  // namespace

LRESULT TNextProc::operator()(UINT msg, WPARAM wp, LPARAM lp) const {
  if (!chain_) return 0;
  return TChainAccess::Next(*this, msg, wp, lp);
}

// ---- classes -----------------------------------------------------------------

bool RegisterClass(const WNDCLASS& cls) {
  if (cls.lpszClassName.empty()) return false;
  auto& m = Classes();
  const std::string key = Lower(cls.lpszClassName);
  if (m.count(key)) return false;
  auto rec = std::make_shared<ClassRec>();
  rec->cls = cls;
  m[key] = rec;
  return true;
}

bool UnregisterClass(const std::string& name) {
  auto& m = Classes();
  auto it = m.find(Lower(name));
  if (it == m.end() || it->second->windows > 0) return false;
  m.erase(it);
  return true;
}

bool GetClassInfo(const std::string& name, WNDCLASS* cls) {
  auto& m = Classes();
  auto it = m.find(Lower(name));
  if (it == m.end()) return false;
  if (cls) *cls = it->second->cls;
  return true;
}

// ---- creation ----------------------------------------------------------------

namespace {
// Positions and sizes within the window system's limits, so that a window's
// right and bottom edges can always be computed: sizes 0 to kMaxWindowExtent,
// positions within +-kMaxWindowPosition.
void ClampPlacement(int& x, int& y, int& width, int& height) {
  x = std::clamp(x, -kMaxWindowPosition, kMaxWindowPosition);
  y = std::clamp(y, -kMaxWindowPosition, kMaxWindowPosition);
  width = std::clamp(width, 0, kMaxWindowExtent);
  height = std::clamp(height, 0, kMaxWindowExtent);
}
}  // namespace

HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, void* param) {
  Desktop& d = D();
  auto& classes = Classes();
  auto it = classes.find(Lower(className));
  if (it == classes.end()) throw EWindowError("Window class not registered: \"" + className + "\"");
  Wnd* pw = parent ? L(parent) : nullptr;
  if ((style & WS_CHILD) && !pw) throw EWindowError("A child window needs a valid parent window");
  if (parent && !pw) throw EWindowError("The owner window is not a valid window");
  if (pw && pw->destroying) throw EWindowError("The parent window is being destroyed");

  Wnd* w = d.Alloc();
  const HWND h = w->self;
  w->cls = it->second;
  w->cls->windows++;
  w->text = windowName;
  const bool wantVisible = (style & WS_VISIBLE) != 0;
  const bool wantMax = (style & WS_MAXIMIZE) != 0;
  const bool wantMin = (style & WS_MINIMIZE) != 0;
  w->style = style & ~(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
  w->exStyle = exStyle;
  ClampPlacement(x, y, width, height);
  w->rect = Bounds(x, y, width, height);
  w->client = {0, 0, width, height};
  if (style & WS_CHILD) {
    w->parent = parent;
    pw->children.insert(pw->children.begin(), h);
  } else {
    w->owner = pw ? Root(pw)->self : nullptr;
    InsertNewTopLevel(w);
  }

  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hwndParent = parent;
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.style = style;
  cs.dwExStyle = exStyle;
  cs.name = windowName;
  cs.className = className;

  if (!(style & WS_CHILD)) {
    MINMAXINFO mmi = DefaultMinMax(w);
    Send(h, WM_GETMINMAXINFO, 0, ToLParam(&mmi));
    if (!(w = L(h))) return nullptr;
    if ((style & WS_THICKFRAME) || !(style & WS_POPUP)) {
      w->rect.Right = w->rect.Left + std::clamp(w->rect.Width(), int(mmi.ptMinTrackSize.X), std::max<int>(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X));
      w->rect.Bottom = w->rect.Top + std::clamp(w->rect.Height(), int(mmi.ptMinTrackSize.Y), std::max<int>(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y));
      w->client = {0, 0, w->rect.Width(), w->rect.Height()};
    }
  }
  if (!Send(h, WM_NCCREATE, 0, ToLParam(&cs))) {
    if ((w = L(h))) {
      MarkDestroying(w);
      FinalizeTree(h);
    }
    return nullptr;
  }
  if (!(w = L(h))) return nullptr;
  TRect r = w->rect;
  Send(h, WM_NCCALCSIZE, FALSE, ToLParam(&r));
  if (!(w = L(h))) return nullptr;
  w->client = NormalizeClient(r, w->rect);
  if (Send(h, WM_CREATE, 0, ToLParam(&cs)) == -1) {
    if ((w = L(h))) DestroyWindow(h);
    return nullptr;
  }
  if (!(w = L(h)) || w->destroying) return L(h) ? h : nullptr;
  Send(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client.Width(), w->client.Height()));
  if (!(w = L(h))) return nullptr;
  Send(h, WM_MOVE, 0, MAKELPARAM(w->rect.Left + w->client.Left, w->rect.Top + w->client.Top));
  if (!(w = L(h))) return nullptr;
  if (w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
    Send(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, int32_t(w->id)), HandleToLParam(h));
  if (!L(h)) return nullptr;
  if (wantMax)
    ShowWindow(h, SW_SHOWMAXIMIZED);
  else if (wantMin)
    ShowWindow(h, SW_SHOWMINIMIZED);
  else if (wantVisible)
    ShowWindow(h, SW_SHOW);
  return L(h) ? h : nullptr;
}

bool DestroyWindow(HWND hwnd) {
  Desktop& d = D();
  Wnd* w = L(hwnd);
  if (!w) return false;
  if (w->destroying || w->destroyPending) return true;
  if (w->depth > 0) {
    w->destroyPending = true;
    d.pendingDestroys++;
    return true;
  }
  DestroyNow(w);
  return true;
}

bool IsWindow(HWND hwnd) { return L(hwnd) != nullptr; }

bool IsInDispatch(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w && w->depth > 0;
}

void RunAfterDispatch(HWND hwnd, std::function<void()> fn) {
  Wnd* w = L(hwnd);
  if (!w || w->depth == 0) {
    if (fn) fn();
    return;
  }
  w->afterDispatch.push_back(std::move(fn));
}

// ---- hooks -------------------------------------------------------------------

THookId AddWindowHook(HWND hwnd, THookProc proc) {
  Wnd* w = L(hwnd);
  if (!w || !proc) return 0;
  auto rec = std::make_shared<HookRec>();
  rec->id = D().nextHookId++;
  rec->proc = std::move(proc);
  w->hooks.push_back(rec);
  return rec->id;
}

bool RemoveWindowHook(HWND hwnd, THookId id) {
  Wnd* w = L(hwnd);
  if (!w) return false;
  auto it = std::find_if(w->hooks.begin(), w->hooks.end(), [id](auto& r) { return r->id == id; });
  if (it == w->hooks.end()) return false;
  (*it)->removed = true;
  w->hooks.erase(it);
  return true;
}

LRESULT CallClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = L(hwnd);
  if (!w) return 0;
  DispatchGuard guard(w);
  ChainCtx ctx{hwnd, {}, w->cls};
  return TChainAccess::Call(ctx, 0, msg, wp, lp);
}

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = L(hwnd);
  if (!w) return 0;
  return Deliver(w, msg, wp, lp);
}

// ---- properties --------------------------------------------------------------

intptr_t GetWindowLong(HWND hwnd, int index) {
  Wnd* w = L(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE: return intptr_t(w->style);
    case GWL_EXSTYLE: return intptr_t(w->exStyle);
    case GWL_ID: return w->id;
    case GWL_USERDATA: return w->userData;
    case GWL_HWNDPARENT: return reinterpret_cast<intptr_t>(w->parent ? w->parent : w->owner);
    default: return 0;
  }
}

intptr_t SetWindowLong(HWND hwnd, int index, intptr_t value) {
  Wnd* w = L(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      const bool ex = index == GWL_EXSTYLE;
      STYLESTRUCT ss;
      ss.styleOld = ex ? w->exStyle : w->style;
      ss.styleNew = DWORD(value);
      Send(hwnd, WM_STYLECHANGING, WPARAM(index), ToLParam(&ss));
      if (!(w = L(hwnd))) return 0;
      const DWORD old = ex ? w->exStyle : w->style;
      if (ex) {
        const bool wasLayered = old & WS_EX_LAYERED;
        const bool layered = ss.styleNew & WS_EX_LAYERED;
        w->exStyle = ss.styleNew;
        if (wasLayered != layered) {
          // The content stays: a newly layered window shows opaque until its
          // alpha is set; a window that stops being layered shows its surface.
          w->layeredAttr = false;
          w->layeredAlpha = 255;
          w->layeredFlags = 0;
          if (w->perPixel) {
            w->perPixel = false;
            InvalidateSubtree(w, true);
          }
        }
      } else {
        w->style = ss.styleNew;
      }
      DamageWindowArea(w);
      ss.styleOld = old;
      Send(hwnd, WM_STYLECHANGED, WPARAM(index), ToLParam(&ss));
      NotifyScreenChanged();
      return intptr_t(old);
    }
    case GWL_ID: {
      intptr_t old = w->id;
      w->id = value;
      return old;
    }
    case GWL_USERDATA: {
      intptr_t old = w->userData;
      w->userData = value;
      return old;
    }
    case GWL_HWNDPARENT: {
      if (w->parent) return 0;
      HWND old = w->owner;
      Wnd* o = L(reinterpret_cast<HWND>(value));
      if (o) o = Root(o);
      // No owner loops.
      for (Wnd* c = o; c; c = L(c->owner))
        if (c == w) return 0;
      w->owner = o ? o->self : nullptr;
      return reinterpret_cast<intptr_t>(old);
    }
    default: return 0;
  }
}

std::string GetWindowText(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w ? w->text : std::string();
}

bool SetWindowText(HWND hwnd, const std::string& text) {
  if (!L(hwnd)) return false;
  return SendMessage(hwnd, WM_SETTEXT, 0, ToLParam(const_cast<char*>(text.c_str()))) != 0;
}

std::string GetClassName(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w && w->cls ? w->cls->cls.lpszClassName : std::string();
}

// ---- hierarchy ---------------------------------------------------------------

HWND GetParent(HWND hwnd) {
  Wnd* w = L(hwnd);
  if (!w) return nullptr;
  return w->parent ? w->parent : w->owner;
}

HWND SetParent(HWND child, HWND newParent) {
  Desktop& d = D();
  Wnd* w = L(child);
  if (!w) return nullptr;
  Wnd* np = newParent ? L(newParent) : nullptr;
  if (newParent && !np) return nullptr;
  if (np && IsDescendantOrSelf(w, np)) return nullptr;
  HWND old = w->parent;
  const bool visible = VisibleChain(w);
  if (visible) DamageWindowArea(w);
  if (Wnd* op = L(old)) {
    if (visible) InvalidateClient(op, nullptr, true, false);
    EraseFrom(op->children, child);
  } else {
    EraseFrom(d.topLevel, child);
  }
  const int busy = w->depth;
  if (Wnd* op = L(old); op && busy) {
    for (Wnd* a = op; a; a = L(a->parent)) a->depth -= busy;
  }
  if (np) {
    w->parent = newParent;
    w->owner = nullptr;
    w->style = (w->style | WS_CHILD) & ~WS_POPUP;
    np->children.insert(np->children.begin(), child);
    for (Wnd* a = np; a && busy; a = L(a->parent)) a->depth += busy;
    w->surface.reset();
    if (d.active == child) d.active = nullptr;
  } else {
    w->parent = nullptr;
    w->style &= ~WS_CHILD;
    InsertNewTopLevel(w);
  }
  if (VisibleChain(w)) {
    InvalidateSubtree(w, true);
    w->ncPending = true;
    DamageWindowArea(w);
  }
  NotifyScreenChanged();
  return old;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  Desktop& d = D();
  Wnd* w = L(hwnd);
  if (!w) return nullptr;
  const std::vector<HWND>* list = &d.topLevel;
  if (w->parent) {
    Wnd* p = L(w->parent);
    if (!p) return nullptr;
    list = &p->children;
  }
  auto it = std::find(list->begin(), list->end(), hwnd);
  switch (relation) {
    case GW_HWNDFIRST: return list->empty() ? nullptr : list->front();
    case GW_HWNDLAST: return list->empty() ? nullptr : list->back();
    case GW_HWNDNEXT: return (it == list->end() || it + 1 == list->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == list->end() || it == list->begin()) ? nullptr : *(it - 1);
    case GW_OWNER: return w->owner;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front();
    default: return nullptr;
  }
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  Wnd* w = L(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return Root(w)->self;
    case GA_ROOTOWNER: {
      Wnd* r = Root(w);
      while (Wnd* o = L(r->owner)) r = o;
      return r->self;
    }
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND parent) {
  if (!parent) {
    auto& v = D().topLevel;
    return v.empty() ? nullptr : v.front();
  }
  Wnd* p = L(parent);
  return p && !p->children.empty() ? p->children.front() : nullptr;
}

bool IsChild(HWND parent, HWND hwnd) {
  Wnd* p = L(parent);
  Wnd* w = L(hwnd);
  return p && w && p != w && IsDescendantOrSelf(p, w);
}

std::vector<HWND> GetChildWindows(HWND parent) {
  if (!parent) return D().topLevel;
  Wnd* p = L(parent);
  return p ? p->children : std::vector<HWND>{};
}

// ---- state -------------------------------------------------------------------

bool IsWindowVisible(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w && VisibleChain(w);
}

bool IsWindowEnabled(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w && !(w->style & WS_DISABLED);
}

bool EnableWindow(HWND hwnd, bool enable) {
  Desktop& d = D();
  Wnd* w = L(hwnd);
  if (!w) return false;
  const bool wasDisabled = (w->style & WS_DISABLED) != 0;
  if (wasDisabled == !enable) return wasDisabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    w->style |= WS_DISABLED;
    // A disabled window keeps neither focus nor capture.
    if (Wnd* f = L(d.focus); f && IsDescendantOrSelf(w, f)) SetFocus(nullptr);
    if (Wnd* c = L(d.capture); c && IsDescendantOrSelf(w, c)) ReleaseCapture();
  }
  if (L(hwnd)) Send(hwnd, WM_ENABLE, enable ? TRUE : FALSE);
  return wasDisabled;
}

bool IsIconic(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w && (w->style & WS_MINIMIZE);
}

bool IsZoomed(HWND hwnd) {
  Wnd* w = L(hwnd);
  return w && (w->style & WS_MAXIMIZE);
}

namespace {

void ShowPlain(HWND hwnd, bool activate, bool zorder) {
  Wnd* w = L(hwnd);
  if (!w) return;
  if (!(w->style & WS_VISIBLE)) {
    Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = L(hwnd))) return;
  }
  UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
  if (!activate) flags |= SWP_NOACTIVATE;
  if (!zorder) flags |= SWP_NOZORDER;
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags);
}

void SaveNormal(Wnd* w) {
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) {
    w->normalRect = w->rect;
    w->hasNormalRect = true;
  }
}

void DoMinimize(HWND hwnd, bool activateOther) {
  Wnd* w = L(hwnd);
  if (!w) return;
  if (!(w->style & WS_MINIMIZE)) {
    SaveNormal(w);
    DamageWindowArea(w);
    w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
  }
  if (!(w->style & WS_VISIBLE)) {
    Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = L(hwnd))) return;
  }
  SetWindowPos(hwnd, nullptr, -32000, -32000, w->rect.Width(), w->rect.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  if ((w = L(hwnd)) && activateOther && D().active == hwnd) ActivateOther(w);
}

void DoMaximize(HWND hwnd, bool activate) {
  Wnd* w = L(hwnd);
  if (!w) return;
  SaveNormal(w);
  if ((w->style & WS_MINIMIZE) && w->hasNormalRect) w->rect = w->normalRect;
  w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
  MINMAXINFO mmi = DefaultMinMax(w);
  Send(hwnd, WM_GETMINMAXINFO, 0, ToLParam(&mmi));
  if (!(w = L(hwnd))) return;
  if (!(w->style & WS_VISIBLE)) {
    Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!L(hwnd)) return;
  }
  SetWindowPos(hwnd, HWND_TOP, mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y,
               SWP_FRAMECHANGED | SWP_SHOWWINDOW | (activate ? 0u : UINT(SWP_NOACTIVATE)));
}

void DoRestore(HWND hwnd, bool activate) {
  Wnd* w = L(hwnd);
  if (!w) return;
  const bool wasMinMax = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0;
  if (!(w->style & WS_VISIBLE)) {
    Send(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = L(hwnd))) return;
  }
  if (wasMinMax) {
    w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    TRect r = w->hasNormalRect ? w->normalRect : w->rect;
    w->hasNormalRect = false;
    SetWindowPos(hwnd, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(),
                 SWP_FRAMECHANGED | SWP_SHOWWINDOW | (activate ? 0u : UINT(SWP_NOACTIVATE)));
  } else {
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (activate ? 0u : UINT(SWP_NOACTIVATE)));
  }
}

}  // namespace

bool ShowWindow(HWND hwnd, int cmd) {
  Wnd* w = L(hwnd);
  if (!w) return false;
  const bool wasVisible = (w->style & WS_VISIBLE) != 0;
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return false;
      Send(hwnd, WM_SHOWWINDOW, FALSE, 0);
      if (!L(hwnd)) return true;
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: DoMinimize(hwnd, true); break;
    case SW_SHOWMAXIMIZED: DoMaximize(hwnd, true); break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT: DoRestore(hwnd, true); break;
    case SW_SHOWNA: ShowPlain(hwnd, false, false); break;
    case SW_SHOWNOACTIVATE: ShowPlain(hwnd, false, true); break;
    case SW_SHOW:
    default: ShowPlain(hwnd, true, true); break;
  }
  return wasVisible;
}

// ---- coordinates -------------------------------------------------------------

bool GetWindowRect(HWND hwnd, TRect* r) {
  Wnd* w = L(hwnd);
  if (!w || !r) return false;
  *r = ScreenRect(w);
  return true;
}

bool GetClientRect(HWND hwnd, TRect* r) {
  Wnd* w = L(hwnd);
  if (!w || !r) return false;
  *r = {0, 0, w->client.Width(), w->client.Height()};
  return true;
}

bool GetClientAreaInWindow(HWND hwnd, TRect* r) {
  Wnd* w = L(hwnd);
  if (!w || !r) return false;
  *r = w->client;
  return true;
}

bool ClientToScreen(HWND hwnd, TPoint* p) {
  Wnd* w = L(hwnd);
  if (!w || !p) return false;
  const TPoint o = ClientOrigin(w);
  p->X += o.X;
  p->Y += o.Y;
  return true;
}

bool ScreenToClient(HWND hwnd, TPoint* p) {
  Wnd* w = L(hwnd);
  if (!w || !p) return false;
  const TPoint o = ClientOrigin(w);
  p->X -= o.X;
  p->Y -= o.Y;
  return true;
}

bool MapWindowPoints(HWND from, HWND to, TPoint* pts, int count) {
  TPoint a{0, 0}, b{0, 0};
  if (from) {
    Wnd* w = L(from);
    if (!w) return false;
    a = ClientOrigin(w);
  }
  if (to) {
    Wnd* w = L(to);
    if (!w) return false;
    b = ClientOrigin(w);
  }
  for (int i = 0; i < count; ++i) {
    pts[i].X += a.X - b.X;
    pts[i].Y += a.Y - b.Y;
  }
  return true;
}

bool MapWindowRect(HWND from, HWND to, TRect* r) {
  if (!r) return false;
  TPoint p[2] = {r->TopLeft(), r->BottomRight()};
  if (!MapWindowPoints(from, to, p, 2)) return false;
  *r = {p[0].X, p[0].Y, p[1].X, p[1].Y};
  return true;
}

// ---- SetWindowPos --------------------------------------------------------------

bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Desktop& d = D();
  Wnd* w = L(hwnd);
  if (!w) return false;
  WINDOWPOS wp;
  wp.hwnd = hwnd;
  wp.hwndInsertAfter = insertAfter;
  wp.x = (flags & SWP_NOMOVE) ? w->rect.Left : x;
  wp.y = (flags & SWP_NOMOVE) ? w->rect.Top : y;
  wp.cx = (flags & SWP_NOSIZE) ? w->rect.Width() : cx;
  wp.cy = (flags & SWP_NOSIZE) ? w->rect.Height() : cy;
  wp.flags = flags & ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);
  if (!(flags & SWP_NOSENDCHANGING)) {
    Send(hwnd, WM_WINDOWPOSCHANGING, 0, ToLParam(&wp));
    if (!(w = L(hwnd))) return false;
  }
  flags = wp.flags;
  ClampPlacement(wp.x, wp.y, wp.cx, wp.cy);
  const TRect oldRect = w->rect;
  const TRect oldClient = w->client;
  const TRect newRect = Bounds(wp.x, wp.y, wp.cx, wp.cy);
  const bool moved = newRect.TopLeft() != oldRect.TopLeft();
  const bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
  const bool wasVisible = (w->style & WS_VISIBLE) != 0;
  const bool show = (flags & SWP_SHOWWINDOW) && !wasVisible;
  const bool hide = (flags & SWP_HIDEWINDOW) && wasVisible;

  TRect newClient = oldClient;
  if (sized || (flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS p;
    p.rgrc[0] = newRect;
    p.rgrc[1] = oldRect;
    p.rgrc[2] = oldClient.Offset(oldRect.Left, oldRect.Top);
    p.lppos = &wp;
    Send(hwnd, WM_NCCALCSIZE, TRUE, ToLParam(&p));
    if (!(w = L(hwnd))) return false;
    newClient = NormalizeClient(p.rgrc[0], newRect);
  }

  // Damage where the window was, and the parent area it uncovers.
  const bool chainVisibleBefore = VisibleChain(w);
  if (chainVisibleBefore && (moved || sized || hide || !(flags & SWP_NOZORDER) || newClient != oldClient)) {
    MarkDamage(ScreenRect(w));
    if (w->parent && (moved || sized || hide) && !(flags & SWP_NOREDRAW)) {
      if (Wnd* p = L(w->parent)) {
        TRegion uncovered(oldRect);
        InvalidateClient(p, &uncovered, true, false);
      }
    }
  }
  w->rect = newRect;
  w->client = newClient;
  if (!(flags & SWP_NOZORDER)) ApplyZOrder(w, insertAfter);
  if (show) w->style |= WS_VISIBLE;
  if (hide) w->style &= ~WS_VISIBLE;
  if (!w->parent && (sized || !w->surface)) EnsureSurface(w);

  const bool visibleNow = VisibleChain(w);
  if (visibleNow) MarkDamage(ScreenRect(w));
  if (visibleNow && !(flags & SWP_NOREDRAW)) {
    const bool clientMoved = newClient.TopLeft() != oldClient.TopLeft();
    if (show || sized || (flags & SWP_FRAMECHANGED) || clientMoved) {
      w->ncPending = true;
      InvalidateSubtree(w, true);
    } else if (moved && w->parent) {
      InvalidateSubtree(w, true);
    }
    if (show && w->parent) w->ncPending = true;
  }

  // Activation comes before the frame is painted.
  if (!w->parent && !(flags & SWP_NOACTIVATE) && visibleNow && CanActivate(w)) {
    Activate(hwnd, false);
    if (!(w = L(hwnd))) return true;
  }
  if (hide) {
    if (d.active == hwnd) ActivateOther(w);
    if (!(w = L(hwnd))) return true;
    if (Wnd* f = L(d.focus); f && f != w && IsDescendantOrSelf(w, f) && w->parent) SetFocus(Root(w)->self);
    else if (f && f == w && w->parent) SetFocus(Root(w)->self);
    if (!(w = L(hwnd))) return true;
  }
  if (visibleNow && w->ncPending && !(flags & SWP_NOREDRAW)) {
    SendNcPaint(w);
    if (!(w = L(hwnd))) return true;
  }

  if (!moved && newClient.TopLeft() == oldClient.TopLeft()) wp.flags |= SWP_NOCLIENTMOVE;
  if (newClient.Width() == oldClient.Width() && newClient.Height() == oldClient.Height()) wp.flags |= SWP_NOCLIENTSIZE;
  if (!moved) wp.flags |= SWP_NOMOVE;
  if (!sized) wp.flags |= SWP_NOSIZE;
  Send(hwnd, WM_WINDOWPOSCHANGED, 0, ToLParam(&wp));
  NotifyScreenChanged();
  return true;
}

bool MoveWindow(HWND hwnd, int x, int y, int w, int h, bool repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : UINT(SWP_NOREDRAW)));
}

bool BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// ---- activation, focus, capture -------------------------------------------------

HWND GetActiveWindow() { return D().active; }
HWND GetForegroundWindow() { return D().active; }

HWND SetActiveWindow(HWND hwnd) {
  Desktop& d = D();
  HWND old = d.active;
  if (hwnd && !L(hwnd)) return nullptr;
  Activate(hwnd, false);
  return old;
}

bool SetForegroundWindow(HWND hwnd) {
  if (!L(hwnd)) return false;
  Activate(hwnd, false);
  return true;
}

HWND GetFocus() { return D().focus; }

HWND SetFocus(HWND hwnd) {
  Desktop& d = D();
  HWND old = d.focus;
  if (!hwnd) {
    if (old) {
      d.focus = nullptr;
      if (L(old)) Send(old, WM_KILLFOCUS, 0);
    }
    return old;
  }
  Wnd* w = L(hwnd);
  if (!w || w->destroying) return nullptr;
  Wnd* root = Root(w);
  if (d.active != root->self) {
    Activate(root->self, false);
    if (!L(hwnd)) return old;
    if (d.focus == hwnd) return old;
    old = d.focus;
  }
  if (old == hwnd) return old;
  d.focus = hwnd;
  if (L(old)) Send(old, WM_KILLFOCUS, HandleToWParam(hwnd));
  if (d.focus == hwnd && L(hwnd)) Send(hwnd, WM_SETFOCUS, HandleToWParam(old));
  return old;
}

HWND GetCapture() {
  Desktop& d = D();
  return L(d.capture) ? d.capture : nullptr;
}

HWND SetCapture(HWND hwnd) {
  Desktop& d = D();
  HWND old = GetCapture();
  if (!L(hwnd)) return old;
  d.capture = hwnd;
  if (old && old != hwnd) Send(old, WM_CAPTURECHANGED, 0, HandleToLParam(hwnd));
  return old;
}

bool ReleaseCapture() {
  Desktop& d = D();
  HWND old = GetCapture();
  d.capture = nullptr;
  if (old) {
    Send(old, WM_CAPTURECHANGED, 0, 0);
    // The window under the pointer learns where the pointer is.
    RawInput e;
    e.kind = RawInput::Move;
    e.pt = d.cursor;
    d.raw.push_front(e);
  }
  return true;
}

// ---- the desktop -------------------------------------------------------------

void ShutdownDesktop() {
  if (!g_desktop) return;
  Desktop& d = *g_desktop;
  // Destroy every top-level window, regardless of dispatches in progress.
  while (!d.topLevel.empty()) {
    Wnd* w = d.Lookup(d.topLevel.back());
    if (!w) {
      d.topLevel.pop_back();
      continue;
    }
    w->depth = 0;
    if (w->destroyPending) {
      w->destroyPending = false;
      d.pendingDestroys--;
    }
    w->destroying = false;
    DestroyNow(w);
  }
  for (Wnd* w : d.AllWindows()) d.Free(w);
  delete g_desktop;
  g_desktop = nullptr;
}

void InitDesktop(int width, int height, std::vector<TMonitorSpec> monitors, int taskbarHeight) {
  ShutdownDesktop();
  g_desktop = new Desktop(width, height, std::move(monitors), taskbarHeight);
}

TSize GetScreenSize() { return D().screen; }

void ResizeScreen(int width, int height) {
  Desktop& d = D();
  d.screen = {std::max(width, 1), std::max(height, 1)};
  if (d.defaultMonitor) {
    TRect full{0, 0, d.screen.cx, d.screen.cy};
    TRect work = full;
    work.Bottom = std::max(work.Top, work.Bottom - std::clamp(d.taskbarHeight, 0, d.screen.cy));
    d.monitors = {{full, work}};
  }
  d.compositor.Resize(d.screen.cx, d.screen.cy);
  NotifyScreenChanged();
}

void SetWaitHook(TWaitHook hook) { D().waitHook = std::move(hook); }

}  // namespace vx
