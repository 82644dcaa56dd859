// The message queue: posted messages, input turned into messages, paint and
// timer messages, and the keyboard and mouse state that input leaves behind.
#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/win/internal.h"

namespace vx {

using namespace detail;

namespace {

Wnd* L(HWND h) { return D().Lookup(h); }

bool InRange(UINT m, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (m >= lo && m <= hi); }

bool Matches(const MSG& m, HWND filter, UINT lo, UINT hi) {
  if (!InRange(m.message, lo, hi)) return false;
  if (!filter) return true;
  if (m.hwnd == filter) return true;
  Wnd* f = L(filter);
  Wnd* w = L(m.hwnd);
  return f && w && IsDescendantOrSelf(f, w);
}

bool TakeFrom(std::deque<MSG>& q, MSG* out, HWND filter, UINT lo, UINT hi, bool remove) {
  for (auto it = q.begin(); it != q.end();) {
    if (it->hwnd && !L(it->hwnd)) {
      it = q.erase(it);
      continue;
    }
    if (Matches(*it, filter, lo, hi)) {
      if (out) *out = *it;
      if (remove) q.erase(it);
      return true;
    }
    ++it;
  }
  return false;
}

bool RangeHasInput(UINT lo, UINT hi) {
  if (lo == 0 && hi == 0) return true;
  return !(hi < WM_NCMOUSEMOVE || lo > WM_MOUSELAST);
}

// Key-state helpers.
bool Down(int vk) { return (D().keys[vk & 0xFF] & 0x80) != 0; }

WPARAM MouseKeyFlags() {
  WPARAM f = 0;
  if (Down(VK_LBUTTON)) f |= MK_LBUTTON;
  if (Down(VK_RBUTTON)) f |= MK_RBUTTON;
  if (Down(VK_MBUTTON)) f |= MK_MBUTTON;
  if (Down(VK_SHIFT)) f |= MK_SHIFT;
  if (Down(VK_CONTROL)) f |= MK_CONTROL;
  return f;
}

// The client message of a raw mouse event.
UINT ClientMouseMsg(const RawInput& e) {
  if (e.kind == RawInput::Move) return WM_MOUSEMOVE;
  switch (e.button) {
    case TMouseButton::Left: return e.down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    case TMouseButton::Right: return e.down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    case TMouseButton::Middle: return e.down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
  }
  return WM_MOUSEMOVE;
}

int ButtonVk(TMouseButton b) {
  switch (b) {
    case TMouseButton::Left: return VK_LBUTTON;
    case TMouseButton::Right: return VK_RBUTTON;
    case TMouseButton::Middle: return VK_MBUTTON;
  }
  return VK_LBUTTON;
}

void PushInput(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Desktop& d = D();
  MSG m;
  m.hwnd = h;
  m.message = msg;
  m.wParam = wp;
  m.lParam = lp;
  m.time = GetTickCount();
  m.pt = d.cursor;
  d.inputMsgs.push_back(m);
}

// Enter / leave by the window really under the pointer (capture or not).
void UpdateHover(HWND under, bool inClient) {
  Desktop& d = D();
  if (d.hover == under && d.hoverClient == inClient) return;
  HWND old = d.hover;
  const bool oldClient = d.hoverClient;
  d.hover = under;
  d.hoverClient = inClient;
  if (old != under) {
    if (L(old)) SendMessage(old, oldClient ? WM_MOUSELEAVE : WM_NCMOUSELEAVE, 0, 0);
    if (L(under)) SendMessage(under, WM_MOUSEENTER, 0, PointToLParam(d.cursor));
  }
}

void ConvertMouse(const RawInput& e) {
  Desktop& d = D();
  if (e.kind == RawInput::Move) d.cursor = e.pt;
  const UINT cmsg = ClientMouseMsg(e);
  if (e.kind == RawInput::Button) {
    const int vk = ButtonVk(e.button);
    if (e.down) {
      d.keys[vk] |= 0x80;
      d.keys[vk] ^= 0x01;
      d.altTap = false;
      d.f10Pending = false;
    } else {
      d.keys[vk] &= ~0x80;
    }
  }
  const TPoint pt = d.cursor;
  HWND capture = GetCapture();
  HWND target = nullptr;
  int hit = HTCLIENT;
  if (capture) {
    target = capture;
    HWND under = HitWindow(pt, nullptr);
    bool inClient = false;
    if (Wnd* u = L(under)) {
      TPoint c = pt;
      ScreenToClient(under, &c);
      inClient = TRect{0, 0, u->client.Width(), u->client.Height()}.Contains(c);
    }
    UpdateHover(under, inClient);
  } else {
    std::vector<HWND> skip;
    target = HitWindow(pt, &skip);
    while (target) {
      hit = int(SendMessage(target, WM_NCHITTEST, 0, PointToLParam(pt)));
      if (hit != HTTRANSPARENT) break;
      skip.push_back(target);
      target = HitWindow(pt, &skip);
    }
    if (!target || !L(target)) {
      UpdateHover(nullptr, false);
      return;
    }
    UpdateHover(target, hit == HTCLIENT);
    if (!L(target)) return;
    Wnd* root = Root(L(target));
    if (root->style & WS_DISABLED) {
      // Input to a disabled window goes nowhere; a press brings forward the
      // enabled window it owns (a modal dialog), as a user expects.
      if (e.kind == RawInput::Button && e.down) {
        for (HWND h : d.topLevel) {
          Wnd* o = L(h);
          if (o && o->owner == root->self && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED)) {
            Activate(h, true);
            break;
          }
        }
      }
      return;
    }
  }
  bool eat = false;
  if (e.kind == RawInput::Button && e.down && !capture) {
    Wnd* root = Root(L(target));
    if (root->self != d.active) {
      const LRESULT ma = SendMessage(target, WM_MOUSEACTIVATE, HandleToWParam(root->self), MAKELPARAM(hit, int(cmsg)));
      if (ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) {
        if (Wnd* r = L(root->self); r && !(r->exStyle & WS_EX_NOACTIVATE)) Activate(root->self, true);
      }
      eat = ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT;
    }
    if (!L(target)) return;
  }
  if (!capture) {
    SendMessage(target, WM_SETCURSOR, HandleToWParam(target), MAKELPARAM(hit, int(cmsg)));
    if (!L(target)) return;
  }
  if (eat) return;
  Wnd* w = L(target);
  UINT msg;
  WPARAM wp;
  LPARAM lp;
  if (hit == HTCLIENT) {
    msg = cmsg;
    wp = MouseKeyFlags();
    TPoint c = pt;
    ScreenToClient(target, &c);
    lp = PointToLParam(c);
  } else {
    msg = cmsg - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    wp = WPARAM(hit);
    lp = PointToLParam(pt);
  }
  if (e.kind == RawInput::Button && e.down) {
    const DWORD now = GetTickCount();
    auto& ld = d.lastDown;
    const bool dbl = ld.valid && ld.hwnd == target && ld.msg == msg && (hit == HTCLIENT) == (ld.hit == HTCLIENT) &&
                     now - ld.time <= d.doubleClickTime &&
                     std::abs(pt.X - ld.pt.X) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                     std::abs(pt.Y - ld.pt.Y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const bool allowed = hit != HTCLIENT || (w->cls && (w->cls->cls.style & CS_DBLCLKS));
    if (dbl && allowed) {
      msg += 2;  // xBUTTONDBLCLK follows xBUTTONDOWN
      ld.valid = false;
    } else {
      ld = {target, msg, hit, now, pt, true};
    }
  }
  PushInput(target, msg, wp, lp);
}

char32_t CharOfKey(UINT vk) {
  Desktop& d = D();
  const bool shift = (d.keys[VK_SHIFT] & 0x80) != 0;
  const bool caps = (d.keys[VK_CAPITAL] & 0x01) != 0;
  const bool ctrl = (d.keys[VK_CONTROL] & 0x80) != 0;
  if (vk >= 'A' && vk <= 'Z') {
    if (ctrl) return char32_t(vk - 'A' + 1);
    return (shift != caps) ? char32_t(vk) : char32_t(vk - 'A' + 'a');
  }
  if (vk >= '0' && vk <= '9' && !shift) return char32_t(vk);
  switch (vk) {
    case VK_SPACE: return U' ';
    case VK_RETURN: return U'\r';
    case VK_TAB: return U'\t';
    case VK_BACK: return 8;
    case VK_ESCAPE: return 27;
    default: return 0;
  }
}

void ConvertKey(const RawInput& e) {
  Desktop& d = D();
  const UINT vk = e.vk & 0xFF;
  const bool wasDown = (d.keys[vk] & 0x80) != 0;
  auto setKey = [&](UINT k, bool down) {
    if (down) {
      if (!(d.keys[k] & 0x80)) d.keys[k] ^= 0x01;
      d.keys[k] |= 0x80;
    } else {
      d.keys[k] &= ~0x80;
    }
  };
  setKey(vk, e.down);
  // Left / right variants also move the generic key.
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) setKey(VK_SHIFT, e.down);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) setKey(VK_CONTROL, e.down);
  if (vk == VK_LMENU || vk == VK_RMENU) setKey(VK_MENU, e.down);
  const bool isAlt = vk == VK_MENU || vk == VK_LMENU || vk == VK_RMENU;
  const bool alt = (d.keys[VK_MENU] & 0x80) != 0;
  const bool ctrl = (d.keys[VK_CONTROL] & 0x80) != 0;

  if (e.down) {
    if (isAlt) {
      if (!wasDown) d.altTap = true;
    } else {
      d.altTap = false;
    }
    if (vk != VK_F10) d.f10Pending = false;
    d.altTapPending = false;
  } else if (isAlt) {
    d.altTapPending = d.altTap;
    d.altTap = false;
  }

  HWND target = GetFocus();
  bool sys = (alt && !ctrl) || vk == VK_F10 || (isAlt && !ctrl);
  if (!target) {
    target = GetActiveWindow();
    sys = true;
  }
  if (!L(target)) return;
  UINT msg = e.down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  uint32_t lp = 1;
  if (alt || (isAlt && e.down)) lp |= uint32_t(KF_ALTDOWN) << 16;
  if (e.down ? wasDown : true) lp |= 1u << 30;
  if (!e.down) lp |= 1u << 31;
  if (e.down) {
    char32_t ch = e.ch ? e.ch : CharOfKey(vk);
    d.lastKey = {target, msg, vk, GetTickCount(), ch};
  }
  PushInput(target, msg, vk, LPARAM(int32_t(lp)));
}

void ConvertWheel(const RawInput& e) {
  Desktop& d = D();
  HWND target = GetFocus();
  if (!target) target = GetActiveWindow();
  if (!target) target = HitWindow(d.cursor, nullptr);
  if (!L(target)) return;
  PushInput(target, e.horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL, MAKEWPARAM(int32_t(MouseKeyFlags()), e.delta),
            PointToLParam(d.cursor));
}

void ConvertWait(const RawInput& e) {
  Desktop& d = D();
  TManualClock* mc = ManualClock();
  if (!mc) {
    IdleWait(e.ms);
    return;
  }
  // On the manual clock a wait stops at each timer due inside it, so that the
  // timers fire as often as they would in real time.
  const int64_t now = mc->NowMicroseconds();
  const int64_t target = now + int64_t(e.ms) * 1000;
  const int64_t next = NextTimerDue();
  if (next > now && next < target) {
    mc->AdvanceTo(next);
    RawInput rest = e;
    rest.ms = uint32_t((target - next + 999) / 1000);
    if (rest.ms > 0) d.raw.push_front(rest);
  } else {
    mc->AdvanceTo(target);
  }
}

}  // namespace

namespace detail {

bool ConvertNextInput() {
  Desktop& d = D();
  if (d.raw.empty()) return false;
  RawInput e = d.raw.front();
  d.raw.pop_front();
  switch (e.kind) {
    case RawInput::Move:
    case RawInput::Button: ConvertMouse(e); break;
    case RawInput::Wheel: ConvertWheel(e); break;
    case RawInput::Key: ConvertKey(e); break;
    case RawInput::Wait: ConvertWait(e); break;
  }
  return true;
}

void KillTimersOf(HWND h) {
  auto& t = D().timers;
  t.erase(std::remove_if(t.begin(), t.end(), [h](const Timer& x) { return x.hwnd == h; }), t.end());
}

namespace {
int64_t g_timerCutoff = -1;
}

bool TakeDueTimer(MSG* msg, HWND filter, bool remove) {
  Desktop& d = D();
  const int64_t now = CurrentClock().NowMicroseconds();
  Timer* best = nullptr;
  for (auto& t : d.timers) {
    if (t.due > now) continue;
    if (g_timerCutoff >= 0 && t.due > g_timerCutoff) continue;
    if (t.hwnd && !L(t.hwnd)) continue;
    if (filter && t.hwnd != filter && !(L(filter) && L(t.hwnd) && IsDescendantOrSelf(L(filter), L(t.hwnd)))) continue;
    if (!best || t.due < best->due) best = &t;
  }
  if (!best) return false;
  if (msg) {
    msg->hwnd = best->hwnd;
    msg->message = WM_TIMER;
    msg->wParam = best->id;
    msg->lParam = best->proc ? 1 : 0;
    msg->time = GetTickCount();
    msg->pt = d.cursor;
  }
  if (remove) best->due = now + int64_t(best->elapse) * 1000;
  return true;
}

}  // namespace detail

namespace {
// A timer is due now, whatever the per-call limit of ProcessPendingMessages.
bool AnyTimerDue() {
  const int64_t saved = g_timerCutoff;
  g_timerCutoff = -1;
  const bool due = TakeDueTimer(nullptr, nullptr, false);
  g_timerCutoff = saved;
  return due;
}
}  // namespace

// ---- posting and retrieval ---------------------------------------------------

bool PostMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Desktop& d = D();
  if (hwnd && !L(hwnd)) return false;
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wp;
  m.lParam = lp;
  m.time = GetTickCount();
  m.pt = d.cursor;
  d.posted.push_back(m);
  return true;
}

void PostQuitMessage(int exitCode) {
  Desktop& d = D();
  d.quit = true;
  d.quitCode = exitCode;
}

bool QuitRequested(int* exitCode) {
  Desktop& d = D();
  if (exitCode) *exitCode = d.quitCode;
  return d.quit || d.quitRetrieved;
}

bool PeekMessage(MSG* msg, HWND hwnd, UINT lo, UINT hi, UINT flags) {
  Desktop& d = D();
  const bool remove = (flags & PM_REMOVE) != 0;
  MSG tmp;
  MSG* out = msg ? msg : &tmp;
  for (;;) {
    if (TakeFrom(d.posted, out, hwnd, lo, hi, remove)) break;
    if (TakeFrom(d.inputMsgs, out, hwnd, lo, hi, remove)) break;
    if (RangeHasInput(lo, hi) && !d.raw.empty()) {
      // A scripted pause lets what is already due (paint, timers) happen
      // before time moves on.
      const bool waitFirst = d.raw.front().kind == RawInput::Wait;
      if (!waitFirst || (!FindPaintWindow(nullptr) && !AnyTimerDue())) {
        ConvertNextInput();
        continue;
      }
    }
    if (d.quit && InRange(WM_QUIT, lo, hi)) {
      *out = MSG{};
      out->message = WM_QUIT;
      out->wParam = WPARAM(d.quitCode);
      if (remove) {
        d.quit = false;
        d.quitRetrieved = true;
      }
      break;
    }
    if (InRange(WM_PAINT, lo, hi)) {
      if (HWND p = FindPaintWindow(hwnd)) {
        *out = MSG{};
        out->hwnd = p;
        out->message = WM_PAINT;
        out->time = GetTickCount();
        out->pt = d.cursor;
        break;
      }
    }
    if (InRange(WM_TIMER, lo, hi) && TakeDueTimer(out, hwnd, remove)) break;
    return false;
  }
  if (remove) {
    d.msgTime = out->time;
    d.msgPos = out->pt;
  }
  return true;
}

bool WaitMessage() {
  Desktop& d = D();
  if (!d.posted.empty() || !d.inputMsgs.empty() || !d.raw.empty() || d.quit) return true;
  if (FindPaintWindow(nullptr)) return true;
  if (TakeDueTimer(nullptr, nullptr, false)) return true;
  if (d.waitHook) return d.waitHook();
  // Default: the real clock sleeps until the next timer; nothing else can
  // arrive without a backend.
  if (ManualClock()) return false;
  const int64_t due = NextTimerDue();
  if (due < 0) return false;
  const int64_t now = CurrentClock().NowMicroseconds();
  if (due > now) IdleWait(uint32_t((due - now + 999) / 1000));
  return true;
}

bool GetMessage(MSG* msg, HWND hwnd, UINT lo, UINT hi) {
  for (;;) {
    if (PeekMessage(msg, hwnd, lo, hi, PM_REMOVE)) return msg->message != WM_QUIT;
    if (!WaitMessage()) return false;
  }
}

bool TranslateMessage(const MSG* msg) {
  Desktop& d = D();
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return false;
  const auto& k = d.lastKey;
  if (k.hwnd != msg->hwnd || k.msg != msg->message || k.vk != msg->wParam || k.ch == 0) return false;
  MSG c = *msg;
  c.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  c.wParam = WPARAM(k.ch);
  d.lastKey.ch = 0;
  d.posted.push_front(c);
  return true;
}

LRESULT DispatchMessage(const MSG* msg) {
  Desktop& d = D();
  if (!msg || !msg->hwnd) {
    if (msg && msg->message == WM_TIMER && msg->lParam) {
      for (auto& t : d.timers)
        if (!t.hwnd && t.id == msg->wParam && t.proc) {
          TIMERPROC p = t.proc;
          p(nullptr, WM_TIMER, t.id, msg->time);
          break;
        }
    }
    return 0;
  }
  Wnd* w = L(msg->hwnd);
  if (!w) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    for (auto& t : d.timers)
      if (t.hwnd == msg->hwnd && t.id == msg->wParam && t.proc) {
        TIMERPROC p = t.proc;
        p(msg->hwnd, WM_TIMER, t.id, msg->time);
        return 0;
      }
    return 0;
  }
  const LRESULT r = Deliver(w, msg->message, msg->wParam, msg->lParam);
  if (msg->message == WM_PAINT) {
    // A window that did not validate is validated now, so paint never loops.
    if (Wnd* pw = L(msg->hwnd); pw && HasPaintWork(pw)) {
      pw->update = TRegion();
      pw->erasePending = false;
      pw->internalPaint = false;
      pw->ncPending = false;
    }
  }
  return r;
}

int ProcessPendingMessages() {
  Desktop& d = D();
  const int64_t savedCutoff = g_timerCutoff;
  const int64_t now = CurrentClock().NowMicroseconds();
  // A timer fires at most once per call, even when its handler is slow.
  g_timerCutoff = savedCutoff >= 0 ? std::min(savedCutoff, now) : now;
  int n = 0;
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      d.quit = true;
      d.quitRetrieved = false;
      break;
    }
    TranslateMessage(&m);
    DispatchMessage(&m);
    ++n;
  }
  g_timerCutoff = savedCutoff;
  return n;
}

UINT RegisterWindowMessage(const std::string& name) {
  static std::map<std::string, UINT> registered;
  if (name.empty()) return 0;
  std::string key;
  for (char c : name) key += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  auto it = registered.find(key);
  if (it != registered.end()) return it->second;
  const UINT next = 0xC000 + UINT(registered.size());
  if (next > 0xFFFF) return 0;
  registered[key] = next;
  return next;
}

DWORD GetMessageTime() { return D().msgTime; }
TPoint GetMessagePos() { return D().msgPos; }

// ---- timers ------------------------------------------------------------------

uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs, TIMERPROC proc) {
  Desktop& d = D();
  if (hwnd && !L(hwnd)) return 0;
  const uint32_t elapse = std::max<UINT>(elapseMs, 1);
  const int64_t due = CurrentClock().NowMicroseconds() + int64_t(elapse) * 1000;
  if (hwnd) {
    for (auto& t : d.timers)
      if (t.hwnd == hwnd && t.id == id) {
        t.elapse = elapse;
        t.due = due;
        t.proc = std::move(proc);
        return id;
      }
  } else {
    id = ++d.nextThreadTimer;
  }
  d.timers.push_back({hwnd, id, elapse, due, std::move(proc)});
  return id;
}

bool KillTimer(HWND hwnd, uintptr_t id) {
  auto& t = D().timers;
  auto it = std::find_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hwnd && x.id == id; });
  if (it == t.end()) return false;
  t.erase(it);
  return true;
}

int64_t NextTimerDue() {
  int64_t best = -1;
  for (auto& t : D().timers)
    if (!t.hwnd || L(t.hwnd))
      if (best < 0 || t.due < best) best = t.due;
  return best;
}

// ---- input -------------------------------------------------------------------

void InjectMouseMove(TPoint screen) {
  RawInput e;
  e.kind = RawInput::Move;
  e.pt = screen;
  D().raw.push_back(e);
}

void InjectMouseButton(TMouseButton button, bool down) {
  RawInput e;
  e.kind = RawInput::Button;
  e.button = button;
  e.down = down;
  D().raw.push_back(e);
}

void InjectMouseWheel(int delta, bool horizontal) {
  RawInput e;
  e.kind = RawInput::Wheel;
  e.delta = delta;
  e.horizontal = horizontal;
  D().raw.push_back(e);
}

void InjectKey(UINT vk, bool down, char32_t ch) {
  RawInput e;
  e.kind = RawInput::Key;
  e.vk = vk;
  e.down = down;
  e.ch = ch;
  D().raw.push_back(e);
}

void InjectWait(uint32_t ms) {
  RawInput e;
  e.kind = RawInput::Wait;
  e.ms = ms;
  D().raw.push_back(e);
}

bool HasPendingInput() {
  Desktop& d = D();
  return !d.raw.empty() || !d.inputMsgs.empty();
}

bool GetCursorPos(TPoint* p) {
  if (!p) return false;
  *p = D().cursor;
  return true;
}

bool SetCursorPos(int x, int y) {
  InjectMouseMove({x, y});
  D().cursor = {x, y};
  return true;
}

HCURSOR SetCursor(HCURSOR cursor) {
  Desktop& d = D();
  HCURSOR old = d.cursorShape;
  d.cursorShape = cursor;
  return old;
}

HCURSOR GetCursor() { return D().cursorShape; }

int16_t GetKeyState(int vk) {
  const uint8_t k = D().keys[vk & 0xFF];
  return int16_t(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

int16_t GetAsyncKeyState(int vk) { return int16_t((D().keys[vk & 0xFF] & 0x80) ? 0x8000 : 0); }

bool GetKeyboardState(uint8_t* state) {
  if (!state) return false;
  std::copy(std::begin(D().keys), std::end(D().keys), state);
  return true;
}

UINT GetDoubleClickTime() { return D().doubleClickTime; }
void SetDoubleClickTime(UINT ms) { D().doubleClickTime = ms ? ms : 500; }

}  // namespace vx
