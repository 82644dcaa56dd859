// Message protocol of the window system: creation, activation, z-order,
// procedure chains, deferred destruction, queue order and timers.
#include <gtest/gtest.h>

#include <climits>

#include "platform/win/compositor.h"
#include "recorder.h"

namespace vx::test {
namespace {

using Trace = std::vector<std::string>;

class WinTest : public ::testing::Test {
 protected:
  THeadlessScreen screen{800, 600};
  TRecorder rec;
  static constexpr DWORD kFrame = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MAXIMIZEBOX;
};

TEST_F(WinTest, CreationSendsTheUsualOrderAndTakesTheClientFromNcCalcSize) {
  rec.handler = [](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_NCCALCSIZE && !wp) {
      auto* r = FromLParam<TRect>(lp);
      *r = {r->Left + 5, r->Top + 20, r->Right - 5, r->Bottom - 5};
      return 0;
    }
    return std::nullopt;
  };
  HWND a = rec.Create("A", WS_POPUP, Bounds(10, 10, 200, 100));
  ASSERT_TRUE(IsWindow(a));
  EXPECT_EQ(rec.Trace(), (Trace{"A:GETMINMAXINFO", "A:NCCREATE", "A:NCCALCSIZE", "A:CREATE", "A:SIZE", "A:MOVE"}));
  TRect c;
  GetClientRect(a, &c);
  EXPECT_EQ(c, Rect(0, 0, 190, 75));
  TPoint p{0, 0};
  ClientToScreen(a, &p);
  EXPECT_EQ(p, Point(15, 30));
  // WM_SIZE and WM_MOVE carry the client size and the client origin.
  EXPECT_EQ(rec.Of(a, WM_SIZE)[0].lp, MAKELPARAM(190, 75));
  EXPECT_EQ(rec.Of(a, WM_MOVE)[0].lp, MAKELPARAM(15, 30));

  rec.Clear();
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, Bounds(1, 2, 30, 20), a);
  EXPECT_EQ(rec.Trace({WM_NCCREATE, WM_CREATE, WM_PARENTNOTIFY, WM_SHOWWINDOW}),
            (Trace{"C:NCCREATE", "C:CREATE", "A:PARENTNOTIFY", "C:SHOWWINDOW"}));
  TRect wr;
  GetWindowRect(child, &wr);
  EXPECT_EQ(wr, Bounds(15 + 1, 30 + 2, 30, 20));  // at the parent's client origin
}

TEST_F(WinTest, CreationFailuresAndBadInput) {
  rec.handler = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    auto* cs = FromLParam<CREATESTRUCT>(lp);
    if (m == WM_NCCREATE && cs->name == "no-nc") return 0;
    if (m == WM_CREATE && cs->name == "no-create") return -1;
    return std::nullopt;
  };
  EXPECT_EQ(rec.Create("no-nc", WS_POPUP, Bounds(0, 0, 10, 10)), nullptr);
  EXPECT_EQ(rec.Create("no-create", WS_POPUP, Bounds(0, 0, 10, 10)), nullptr);
  // A failed WM_CREATE still tears the window down.
  EXPECT_EQ(rec.Trace({WM_DESTROY, WM_NCDESTROY}), (Trace{"?:NCDESTROY", "?:DESTROY", "?:NCDESTROY"}));
  EXPECT_TRUE(GetChildWindows(nullptr).empty());
  EXPECT_THROW(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr), EWindowError);
  EXPECT_THROW(rec.Create("orphan", WS_CHILD, Bounds(0, 0, 1, 1)), EWindowError);
}

TEST_F(WinTest, StaleHandlesAreDetectedNotDereferenced) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 50, 50));
  ASSERT_TRUE(DestroyWindow(a));
  EXPECT_FALSE(IsWindow(a));
  EXPECT_EQ(SendMessage(a, WM_USER), 0);
  EXPECT_FALSE(PostMessage(a, WM_USER));
  EXPECT_FALSE(SetWindowPos(a, nullptr, 1, 1, 1, 1, 0));
  EXPECT_EQ(GetDC(a), nullptr);
  EXPECT_EQ(SetTimer(a, 1, 10), 0u);
  EXPECT_FALSE(DestroyWindow(a));
  // The slot is reused with a new generation: the old handle stays stale.
  HWND b = rec.Create("B", WS_POPUP, Bounds(0, 0, 50, 50));
  EXPECT_NE(a, b);
  EXPECT_FALSE(IsWindow(a));
  EXPECT_TRUE(IsWindow(b));
}

// A handle kept past the end of a desktop (a long-lived object's window) must
// not name whatever window a later desktop puts in the same slot.
TEST(WinHandles, AHandleFromAnEarlierDesktopStaysStale) {
  HWND old;
  {
    THeadlessScreen first(100, 100);
    TRecorder rec;
    old = rec.Create("A", WS_POPUP, Bounds(0, 0, 10, 10));
    ASSERT_TRUE(IsWindow(old));
  }
  THeadlessScreen second(100, 100);
  TRecorder rec;
  HWND fresh = rec.Create("B", WS_POPUP, Bounds(0, 0, 10, 10));
  EXPECT_NE(fresh, old);
  EXPECT_FALSE(IsWindow(old));
  EXPECT_FALSE(SetWindowPos(old, nullptr, 5, 5, 1, 1, 0));
}

TEST_F(WinTest, PlacementBeyondTheLimitsIsTakenAtTheLimits) {
  HWND a = rec.Create("A", WS_POPUP, Bounds(0, 0, 10, 10));
  ASSERT_TRUE(SetWindowPos(a, nullptr, INT_MAX, INT_MIN, 40, 30, SWP_NOZORDER));
  TRect r;
  GetWindowRect(a, &r);
  EXPECT_EQ(r, Bounds(kMaxWindowPosition, -kMaxWindowPosition, 40, 30));
  ASSERT_TRUE(SetWindowPos(a, nullptr, 5, 5, INT_MIN, INT_MIN, SWP_NOZORDER));
  GetWindowRect(a, &r);
  EXPECT_EQ(r, Bounds(5, 5, 0, 0));
  HWND b = CreateWindowEx(0, "VxRecorder", "B", WS_POPUP, INT_MAX, INT_MAX, 10, 10, nullptr);
  ASSERT_TRUE(b);
  GetWindowRect(b, &r);
  EXPECT_EQ(r, Bounds(kMaxWindowPosition, kMaxWindowPosition, 10, 10));
}

TEST_F(WinTest, ShowActivatesAndMovesFocusInOrder) {
  HWND a = rec.Create("A", kFrame | WS_VISIBLE, Bounds(10, 10, 200, 150));
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  rec.Clear();
  HWND b = rec.Create("B", kFrame, Bounds(50, 50, 200, 150));
  rec.Clear();
  ShowWindow(b, SW_SHOW);
  EXPECT_EQ(rec.Trace({WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS,
                       WM_NCPAINT, WM_WINDOWPOSCHANGED}),
            (Trace{"B:SHOWWINDOW", "B:WINDOWPOSCHANGING", "A:NCACTIVATE", "A:ACTIVATE", "B:NCACTIVATE", "B:ACTIVATE",
                   "A:KILLFOCUS", "B:SETFOCUS", "B:NCPAINT", "B:WINDOWPOSCHANGED"}));
  EXPECT_EQ(rec.Of(a, WM_NCACTIVATE)[0].wp, WPARAM(FALSE));
  EXPECT_EQ(LOWORD(rec.Of(b, WM_ACTIVATE)[0].wp), WA_ACTIVE);
  EXPECT_EQ(HandleFromParam(rec.Of(b, WM_ACTIVATE)[0].lp), a);
  EXPECT_EQ(GetChildWindows(nullptr).front(), b);

  // Showing without activation leaves B active.
  HWND c = rec.Create("C", WS_POPUP, Bounds(0, 0, 20, 20), nullptr, WS_EX_TOOLWINDOW);
  rec.Clear();
  ShowWindow(c, SW_SHOWNA);
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(rec.Count(b, WM_NCACTIVATE), 0);
  // Hiding the active window activates another one (never a tool window).
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
}

TEST_F(WinTest, ZOrderKeepsOwnedWindowsAboveOwnerAndTopmostBandOnTop) {
  HWND owner = rec.Create("owner", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND owned = rec.Create("owned", WS_POPUP | WS_VISIBLE, Bounds(10, 10, 50, 50), owner);
  HWND other = rec.Create("other", WS_POPUP | WS_VISIBLE, Bounds(20, 20, 50, 50));
  HWND top = rec.Create("top", WS_POPUP | WS_VISIBLE, Bounds(30, 30, 50, 50), nullptr, WS_EX_TOPMOST);
  EXPECT_EQ(GetChildWindows(nullptr), (std::vector<HWND>{top, other, owned, owner}));
  SetWindowPos(owner, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetChildWindows(nullptr), (std::vector<HWND>{top, owned, owner, other}));
  SetWindowPos(owner, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  auto order = GetChildWindows(nullptr);
  EXPECT_LT(std::find(order.begin(), order.end(), owned), std::find(order.begin(), order.end(), owner));
  SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetChildWindows(nullptr).front(), other);
  SetWindowPos(other, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetChildWindows(nullptr)[0], top);
  EXPECT_EQ(GetChildWindows(nullptr)[1], other);
  // A window owned by a topmost window stays above it, in the topmost band.
  HWND dialog = rec.Create("dialog", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 20, 20), top);
  SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetChildWindows(nullptr)[0], dialog);
  EXPECT_EQ(GetChildWindows(nullptr)[1], top);
  // The owned window goes with its owner.
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(owned));
}

// Hooks join a window's chain and leave it in any order; the rest keeps working.
TEST_F(WinTest, HooksLeaveTheChainInAnyOrder) {
  HWND a = rec.Create("A", WS_POPUP, Bounds(0, 0, 10, 10));
  std::string seen;
  auto make = [&](char tag) {
    return AddWindowHook(a, [&seen, tag](HWND, UINT m, WPARAM wp, LPARAM lp, const TNextProc& next) -> LRESULT {
      if (m == WM_USER) seen += tag;
      return next(m, wp, lp);
    });
  };
  const THookId h1 = make('1'), h2 = make('2'), h3 = make('3');
  struct Case {
    THookId remove;
    const char* expect;
  };
  SendMessage(a, WM_USER);
  EXPECT_EQ(seen, "321");
  for (Case c : {Case{h2, "31"}, Case{h1, "3"}, Case{h3, ""}}) {
    seen.clear();
    rec.Clear();
    EXPECT_TRUE(RemoveWindowHook(a, c.remove));
    SendMessage(a, WM_USER);
    EXPECT_EQ(seen, c.expect);
    EXPECT_EQ(rec.Count(a, WM_USER), 1);  // the class procedure is always reached
  }
  EXPECT_FALSE(RemoveWindowHook(a, h2));

  // A hook that removes itself, and the hook below it, while running.
  THookId low = make('L');
  THookId self = 0;
  self = AddWindowHook(a, [&](HWND h, UINT m, WPARAM wp, LPARAM lp, const TNextProc& next) -> LRESULT {
    if (m != WM_USER) return next(m, wp, lp);
    seen += 'S';
    RemoveWindowHook(h, self);
    RemoveWindowHook(h, low);
    return next(m, wp, lp) + 1;
  });
  seen.clear();
  EXPECT_EQ(SendMessage(a, WM_USER), 1);
  EXPECT_EQ(seen, "S");  // the removed lower hook is skipped
  seen.clear();
  SendMessage(a, WM_USER);
  EXPECT_EQ(seen, "");

  // A hook that does not call next handles the message alone.
  AddWindowHook(a, [](HWND, UINT m, WPARAM wp, LPARAM lp, const TNextProc& next) -> LRESULT {
    return m == WM_USER + 1 ? 42 : next(m, wp, lp);
  });
  rec.Clear();
  EXPECT_EQ(SendMessage(a, WM_USER + 1), 42);
  EXPECT_EQ(rec.Count(a, WM_USER + 1), 0);
}

TEST_F(WinTest, DestructionFromInsideAHandlerIsDeferred) {
  HWND form = rec.Create("F", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND button = rec.Create("B", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 30, 20), form);
  bool validInside = false;
  bool ranAfter = false;
  rec.handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == button && m == WM_USER) {
      RunAfterDispatch(form, [&] { ranAfter = IsWindow(form); });
      DestroyWindow(form);
      // Still usable for the rest of the handler.
      validInside = IsWindow(form) && IsWindow(button) && SendMessage(button, WM_USER + 2) == 7;
      return 0;
    }
    if (h == button && m == WM_USER + 2) return 7;
    return std::nullopt;
  };
  rec.Clear();
  SendMessage(button, WM_USER);
  EXPECT_TRUE(validInside);
  EXPECT_TRUE(ranAfter);
  EXPECT_FALSE(IsWindow(form));
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(rec.Trace({WM_DESTROY, WM_NCDESTROY}), (Trace{"F:DESTROY", "B:DESTROY", "B:NCDESTROY", "F:NCDESTROY"}));

  // From a posted message and a nested send: deferred to the outermost dispatch.
  HWND w = rec.Create("W", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 10, 10));
  int afterDestroyCall = 0;
  rec.handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == w && m == WM_USER) {
      SendMessage(w, WM_USER + 1);
      afterDestroyCall = IsWindow(w) ? 1 : -1;
      return 0;
    }
    if (h == w && m == WM_USER + 1) {
      DestroyWindow(w);
      return 0;
    }
    return std::nullopt;
  };
  PostMessage(w, WM_USER);
  screen.Pump();
  EXPECT_EQ(afterDestroyCall, 1);
  EXPECT_FALSE(IsWindow(w));

  // A handler that throws leaves no dispatch behind: destruction is not deferred forever.
  HWND t = rec.Create("T", WS_POPUP, Bounds(0, 0, 10, 10));
  rec.handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == t && m == WM_USER) {
      DestroyWindow(t);
      throw Exception("handler failed");
    }
    return std::nullopt;
  };
  EXPECT_THROW(SendMessage(t, WM_USER), Exception);
  EXPECT_FALSE(IsWindow(t));
  EXPECT_FALSE(IsInDispatch(t));
}

TEST_F(WinTest, QueueOrderPostedThenPaintThenTimer) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 50, 50));
  screen.Pump();
  rec.Clear();
  SetTimer(a, 1, 10);
  screen.Clock().AdvanceMs(10);
  InvalidateRect(a, nullptr, false);
  PostMessage(a, WM_USER);
  PostMessage(a, WM_USER + 1);
  screen.Pump();
  EXPECT_EQ(rec.Trace({WM_USER, WM_USER + 1, WM_PAINT, WM_TIMER}), (Trace{"A:USER", "A:USER+1", "A:PAINT", "A:TIMER"}));
  // Paint comes once: BeginPaint in the default handler validated it.
  EXPECT_EQ(rec.Count(a, WM_PAINT), 1);
}

TEST_F(WinTest, TimersOnTheManualClock) {
  HWND a = rec.Create("A", WS_POPUP, Bounds(0, 0, 10, 10));
  HWND b = rec.Create("B", WS_POPUP, Bounds(0, 0, 10, 10));
  std::vector<uint32_t> ticks;
  rec.handler = [&](HWND h, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_TIMER) ticks.push_back(GetTickCount());
    if (m == WM_TIMER && h == b && wp == 7) KillTimer(b, 7);  // one-shot
    return std::nullopt;
  };
  const uint32_t t0 = GetTickCount();
  SetTimer(a, 1, 25);
  SetTimer(b, 7, 40);
  screen.RunFor(100);
  EXPECT_EQ(rec.Count(a, WM_TIMER), 4);
  EXPECT_EQ(rec.Count(b, WM_TIMER), 1);
  EXPECT_EQ(ticks, (std::vector<uint32_t>{t0 + 25, t0 + 40, t0 + 50, t0 + 75, t0 + 100}));
  // Setting the same id again re-arms it with the new interval.
  rec.Clear();
  SetTimer(a, 1, 50);
  EXPECT_EQ(SetTimer(a, 1, 50), 1u);
  screen.RunFor(100);
  EXPECT_EQ(rec.Count(a, WM_TIMER), 2);
  // A thread timer with a procedure, and timers die with their window.
  int procCalls = 0;
  uintptr_t tid = SetTimer(nullptr, 0, 30, [&](HWND, UINT, uintptr_t, DWORD) { ++procCalls; });
  EXPECT_NE(tid, 0u);
  DestroyWindow(a);
  rec.Clear();
  screen.RunFor(90);
  EXPECT_EQ(procCalls, 3);
  EXPECT_EQ(rec.Count(a, WM_TIMER), 0);
  EXPECT_TRUE(KillTimer(nullptr, tid));
  EXPECT_FALSE(KillTimer(nullptr, tid));
  // A scripted pause inside the input fires timers as often as real time would.
  rec.Clear();
  SetTimer(b, 2, 25);
  screen.Wait(100);
  screen.Pump();
  EXPECT_EQ(rec.Count(b, WM_TIMER), 4);
}

// A fade loop that polls the tick count and calls the idle helper ends on the
// manual clock, which the helper advances.
TEST_F(WinTest, IdleHelperAdvancesTheManualClock) {
  const uint32_t start = GetTickCount();
  int steps = 0;
  uint32_t last = start;
  while (steps < 15) {
    if (GetTickCount() - last > 5) {
      last = GetTickCount();
      ++steps;
    }
    IdleWait(1);
  }
  EXPECT_EQ(last - start, 15u * 6);
  int64_t f = 0, c0 = 0, c1 = 0;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c0);
  Sleep(3);
  QueryPerformanceCounter(&c1);
  EXPECT_EQ((c1 - c0) * 1000 / f, 3);
}

TEST_F(WinTest, GetMessageGivesUpWhenNothingCanArrive) {
  HWND a = rec.Create("A", WS_POPUP, Bounds(0, 0, 10, 10));
  PostMessage(a, WM_USER);
  MSG m;
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  PostQuitMessage(3);
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(WinTest, RegisteredMessagesAreStableAndDistinct) {
  const UINT a = RegisterWindowMessage("TaskbarCreated");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage("taskbarcreated"), a);
  EXPECT_NE(RegisterWindowMessage("Other"), a);
  EXPECT_EQ(RegisterWindowMessage(""), 0u);
}

TEST_F(WinTest, StylesTextAndUserData) {
  HWND a = rec.Create("A", WS_POPUP, Bounds(0, 0, 10, 10));
  EXPECT_TRUE(SetWindowText(a, "hello"));
  EXPECT_EQ(GetWindowText(a), "hello");
  EXPECT_EQ(GetClassName(a), "VxRecorder");
  SetWindowLong(a, GWL_USERDATA, 1234);
  EXPECT_EQ(GetWindowLong(a, GWL_USERDATA), 1234);
  rec.Clear();
  const intptr_t old = SetWindowLong(a, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_LAYERED);
  EXPECT_EQ(old, 0);
  EXPECT_EQ(rec.Trace(), (Trace{"A:STYLECHANGING", "A:STYLECHANGED"}));
  EXPECT_EQ(GetWindowLong(a, GWL_EXSTYLE), intptr_t(WS_EX_TOOLWINDOW | WS_EX_LAYERED));
  EXPECT_FALSE(EnableWindow(a, false));
  EXPECT_FALSE(IsWindowEnabled(a));
  EXPECT_TRUE(EnableWindow(a, true));
}

TEST_F(WinTest, MonitorsAndWorkArea) {
  TRect work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, Rect(0, 0, 800, 560));  // the task-bar strip is taken out
  MONITORINFO mi;
  ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({5000, 5000}, MONITOR_DEFAULTTONEAREST), &mi));
  EXPECT_EQ(mi.rcMonitor, Rect(0, 0, 800, 600));
  EXPECT_EQ(MonitorFromPoint({5000, 5000}, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);

  InitDesktop(1600, 600, {{Rect(0, 0, 800, 600), Rect(0, 0, 800, 570)}, {Rect(800, 0, 1600, 600), Rect(800, 0, 1600, 600)}});
  struct Case {
    TPoint p;
    TRect monitor;
  };
  for (Case c : {Case{{10, 10}, Rect(0, 0, 800, 600)}, Case{{900, 10}, Rect(800, 0, 1600, 600)},
                 Case{{2000, 300}, Rect(800, 0, 1600, 600)}, Case{{-50, 700}, Rect(0, 0, 800, 600)}}) {
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint(c.p, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(mi.rcMonitor, c.monitor) << c.p.X << "," << c.p.Y;
  }
  HWND w = rec.Create("W", WS_POPUP, Bounds(700, 0, 400, 100));  // mostly on the second monitor
  GetMonitorInfo(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
  EXPECT_EQ(mi.rcWork, Rect(800, 0, 1600, 600));
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
}

TEST_F(WinTest, MaximizeMinimizeRestore) {
  HWND a = rec.Create("A", kFrame | WS_VISIBLE, Bounds(10, 20, 200, 100));
  rec.Clear();
  ShowWindow(a, SW_SHOWMAXIMIZED);
  TRect r;
  GetWindowRect(a, &r);
  EXPECT_EQ(r, Rect(0, 0, 800, 560));
  EXPECT_TRUE(IsZoomed(a));
  EXPECT_EQ(rec.Of(a, WM_SIZE).back().wp, WPARAM(SIZE_MAXIMIZED));
  ShowWindow(a, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(a));
  EXPECT_NE(GetActiveWindow(), a);
  ShowWindow(a, SW_RESTORE);
  GetWindowRect(a, &r);
  EXPECT_EQ(r, Bounds(10, 20, 200, 100));
  EXPECT_FALSE(IsIconic(a) || IsZoomed(a));
  EXPECT_EQ(GetActiveWindow(), a);
}

}  // namespace
}  // namespace vx::test

namespace vx::test {
namespace {

// Random operations, some from inside handlers, must never touch freed memory
// (the sanitizers watch) and must keep the window tree consistent.
TEST(WinStress, RandomOperationsKeepTheTreeConsistent) {
  THeadlessScreen screen{640, 480};
  TRecorder rec;
  uint32_t seed = 2024;
  auto rnd = [&](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  std::vector<HWND> all;
  auto pick = [&]() -> HWND { return all.empty() ? nullptr : all[rnd(uint32_t(all.size()))]; };
  rec.handler = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_LBUTTONDOWN && rnd(3) == 0) DestroyWindow(h);
    if (m == WM_USER && rnd(2) == 0) DestroyWindow(GetAncestor(h, GA_ROOT));
    if (m == WM_TIMER && rnd(4) == 0) KillTimer(h, 1);
    if (m == WM_MOUSEMOVE && rnd(8) == 0) SetCapture(h);
    if (m == WM_LBUTTONUP) ReleaseCapture();
    return std::nullopt;
  };
  for (int step = 0; step < 3000; ++step) {
    HWND w = pick();
    switch (rnd(12)) {
      case 0:
      case 1: {
        const bool child = w && IsWindow(w) && rnd(2);
        HWND h = rec.Create("w", (child ? UINT(WS_CHILD) : UINT(WS_POPUP)) | (rnd(4) ? UINT(WS_VISIBLE) : 0u),
                            Bounds(int(rnd(600)), int(rnd(440)), 1 + int(rnd(200)), 1 + int(rnd(200))),
                            child ? w : (rnd(3) == 0 && IsWindow(w) ? w : nullptr));
        if (h) all.push_back(h);
        break;
      }
      case 2: DestroyWindow(w); break;
      case 3: ShowWindow(w, rnd(2) ? SW_SHOW : SW_HIDE); break;
      case 4:
        SetWindowPos(w, rnd(2) ? HWND_TOP : HWND_BOTTOM, int(rnd(600)), int(rnd(440)), int(rnd(300)), int(rnd(300)),
                     rnd(2) ? UINT(SWP_NOACTIVATE) : 0u);
        break;
      case 5: SetParent(w, rnd(2) ? pick() : nullptr); break;
      case 6: PostMessage(w, WM_USER); break;
      case 7: screen.Click({int(rnd(640)), int(rnd(480))}); break;
      case 8: SetTimer(w, 1, 1 + rnd(30)); break;
      case 9: SetWindowRgn(w, TRegion(Bounds(0, 0, int(rnd(100)), int(rnd(100)))), rnd(2)); break;
      case 10: screen.RunFor(rnd(40)); break;
      case 11: SetFocus(w); break;
    }
    if (step % 50 == 0) {
      screen.Pump();
      ComposeScreen();
    }
  }
  screen.Pump();
  // Consistency: every listed window is alive and its parent lists it.
  for (HWND top : GetChildWindows(nullptr)) {
    ASSERT_TRUE(IsWindow(top));
    EXPECT_EQ(GetAncestor(top, GA_PARENT), nullptr);
    std::vector<HWND> stack{top};
    while (!stack.empty()) {
      HWND h = stack.back();
      stack.pop_back();
      for (HWND c : GetChildWindows(h)) {
        ASSERT_TRUE(IsWindow(c));
        EXPECT_EQ(GetAncestor(c, GA_PARENT), h);
        stack.push_back(c);
      }
    }
  }
  for (HWND h : all) EXPECT_FALSE(IsWindow(h) && IsInDispatch(h));
  EXPECT_TRUE(GetFocus() == nullptr || IsWindow(GetFocus()));
  EXPECT_TRUE(GetActiveWindow() == nullptr || IsWindow(GetActiveWindow()));
}

}  // namespace
}  // namespace vx::test
