// Mouse and keyboard input: hit codes, click activation, capture, the move
// and size loops, double clicks, keyboard commands, enter and leave.
#include <gtest/gtest.h>

#include "recorder.h"

namespace vx::test {
namespace {

using Trace = std::vector<std::string>;

class InputTest : public ::testing::Test {
 protected:
  THeadlessScreen screen{800, 600};
  TRecorder rec;
  // A frame with a 4-pixel sizing border and a 19-pixel caption.
  static constexpr DWORD kFrame = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MAXIMIZEBOX;
};

// Every mouse event without capture is hit-tested; each code but HTCLIENT
// gives the non-client message with the code and the screen point.
TEST_F(InputTest, HitCodesChooseClientOrNonClientMessages) {
  HWND w = rec.Create("W", kFrame | WS_VISIBLE, Bounds(100, 100, 200, 150));
  struct Case {
    TPoint p;
    int hit;
  };
  const Case cases[] = {
      {{150, 160}, HTCLIENT}, {{150, 110}, HTCAPTION},     {{101, 150}, HTLEFT},
      {{298, 150}, HTRIGHT},  {{150, 101}, HTTOP},         {{150, 248}, HTBOTTOM},
      {{101, 101}, HTTOPLEFT}, {{298, 248}, HTBOTTOMRIGHT}, {{298, 101}, HTTOPRIGHT},
      {{101, 248}, HTBOTTOMLEFT},
  };
  for (const Case& c : cases) {
    rec.Clear();
    screen.MoveTo(c.p);
    screen.Pump();
    auto hits = rec.Of(w, WM_NCHITTEST);
    ASSERT_EQ(hits.size(), 1u) << c.p.X << "," << c.p.Y;
    EXPECT_EQ(LParamToPoint(hits[0].lp), c.p);
    if (c.hit == HTCLIENT) {
      auto mm = rec.Of(w, WM_MOUSEMOVE);
      ASSERT_EQ(mm.size(), 1u);
      EXPECT_EQ(LParamToPoint(mm[0].lp), Point(c.p.X - 104, c.p.Y - 123));  // client coordinates
    } else {
      auto nc = rec.Of(w, WM_NCMOUSEMOVE);
      ASSERT_EQ(nc.size(), 1u) << c.p.X << "," << c.p.Y;
      EXPECT_EQ(int(nc[0].wp), c.hit) << c.p.X << "," << c.p.Y;
      EXPECT_EQ(LParamToPoint(nc[0].lp), c.p);
      EXPECT_EQ(rec.Count(w, WM_MOUSEMOVE), 0);
    }
  }
  // A handler's own code (the form component answers HTOBJECT) is passed on as is.
  rec.handler = [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_NCHITTEST) return HTOBJECT;
    return std::nullopt;
  };
  rec.Clear();
  screen.Click({150, 160});
  screen.Pump();
  EXPECT_EQ(rec.Trace({WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_LBUTTONDOWN}), (Trace{"W:NCLBUTTONDOWN", "W:NCLBUTTONUP"}));
  EXPECT_EQ(int(rec.Of(w, WM_NCLBUTTONDOWN)[0].wp), HTOBJECT);
}

TEST_F(InputTest, ClickActivationOrder) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND b = rec.Create("B", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
  HWND bc = rec.Create("BC", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 30, 30), b);
  SetActiveWindow(a);
  screen.Pump();
  rec.Clear();
  screen.MoveTo({215, 15});
  screen.Down();
  screen.Pump();
  EXPECT_EQ(rec.Trace({WM_NCHITTEST, WM_MOUSEACTIVATE, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS,
                       WM_SETCURSOR, WM_LBUTTONDOWN}),
            (Trace{"BC:NCHITTEST", "BC:SETCURSOR", "B:SETCURSOR", "BC:NCHITTEST", "BC:MOUSEACTIVATE", "B:MOUSEACTIVATE", "A:NCACTIVATE",
                   "A:ACTIVATE", "B:NCACTIVATE", "B:ACTIVATE", "A:KILLFOCUS", "B:SETFOCUS", "BC:SETCURSOR",
                   "B:SETCURSOR", "BC:LBUTTONDOWN"}));
  EXPECT_EQ(LOWORD(rec.Of(b, WM_ACTIVATE)[0].wp), WA_CLICKACTIVE);
  EXPECT_EQ(LParamToPoint(rec.Of(bc, WM_LBUTTONDOWN)[0].lp), Point(5, 5));
  (void)bc;
}

TEST_F(InputTest, ClickOnADisabledOwnerBringsItsDialogForward) {
  HWND form = rec.Create("F", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 300));
  HWND dialog = rec.Create("D", WS_POPUP | WS_VISIBLE, Bounds(350, 0, 100, 100), form);
  HWND other = rec.Create("O", WS_POPUP | WS_VISIBLE, Bounds(500, 0, 100, 100));
  EnableWindow(form, false);
  EXPECT_EQ(GetActiveWindow(), other);
  rec.Clear();
  screen.Click({50, 50});
  screen.Pump();
  EXPECT_EQ(rec.Count(form, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(rec.Count(form, WM_MOUSEACTIVATE), 0);
  EXPECT_EQ(GetActiveWindow(), dialog);
}

TEST_F(InputTest, PopupsThatNeverActivate) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND menu = rec.Create("M", WS_POPUP, Bounds(200, 0, 100, 100), a, WS_EX_TOOLWINDOW);
  HWND noact = rec.Create("N", WS_POPUP, Bounds(400, 0, 100, 100), nullptr, WS_EX_NOACTIVATE);
  rec.handler = [menu](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == menu && m == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return std::nullopt;
  };
  SetWindowPos(menu, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ShowWindow(noact, SW_SHOW);
  EXPECT_EQ(GetActiveWindow(), a);
  rec.Clear();
  screen.Click({250, 50});
  screen.Click({450, 50});
  screen.Pump();
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(rec.Count(a, WM_NCACTIVATE), 0);
  EXPECT_EQ(rec.Count(menu, WM_LBUTTONDOWN), 1);  // the click still arrives
  EXPECT_EQ(rec.Count(noact, WM_LBUTTONDOWN), 1);
  EXPECT_EQ(GetChildWindows(nullptr).front(), menu);
}

TEST_F(InputTest, HitTestingHonoursRegionsVisibilityAndClickThrough) {
  HWND below = rec.Create("below", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 300));
  HWND shaped = rec.Create("shaped", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  SetWindowRgn(shaped, TRegion(Rect(0, 0, 50, 50)), false);
  HWND ghost = rec.Create("ghost", WS_POPUP | WS_VISIBLE, Bounds(150, 0, 100, 100), nullptr,
                          WS_EX_LAYERED | WS_EX_TRANSPARENT);
  HWND hidden = rec.Create("hidden", WS_POPUP, Bounds(0, 150, 100, 100));
  HWND disabledChild = rec.Create("dc", WS_CHILD | WS_VISIBLE | WS_DISABLED, Bounds(200, 200, 50, 50), below);
  HWND transparent = rec.Create("t", WS_POPUP | WS_VISIBLE, Bounds(0, 260, 40, 40));
  rec.handler = [transparent](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == transparent && m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  };
  struct Case {
    TPoint p;
    HWND expect;
  };
  for (Case c : {Case{{10, 10}, shaped}, Case{{70, 70}, below}, Case{{160, 10}, below}, Case{{10, 160}, below},
                 Case{{210, 210}, below}, Case{{400, 400}, nullptr}}) {
    EXPECT_EQ(WindowFromPoint(c.p), c.expect) << c.p.X << "," << c.p.Y;
  }
  rec.Clear();
  EXPECT_EQ(WindowFromPoint({10, 270}), transparent);
  EXPECT_TRUE(rec.log.empty());  // sends nothing
  // Real input asks WM_NCHITTEST, and HTTRANSPARENT passes the event below.
  screen.Click({10, 270});
  screen.Pump();
  EXPECT_EQ(rec.Count(transparent, WM_LBUTTONDOWN), 0);
  EXPECT_EQ(rec.Count(below, WM_LBUTTONDOWN), 1);
  (void)ghost;
  (void)hidden;
  (void)disabledChild;
}

TEST_F(InputTest, CaptureSendsEverythingToTheCapturingWindow) {
  HWND a = rec.Create("A", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
  HWND b = rec.Create("B", WS_POPUP | WS_VISIBLE, Bounds(200, 0, 100, 100));
  SetActiveWindow(a);
  EXPECT_EQ(SetCapture(a), nullptr);
  rec.Clear();
  screen.MoveTo({250, 50});
  screen.Down();
  screen.Up();
  screen.Pump();
  EXPECT_EQ(rec.Count(a, WM_NCHITTEST) + rec.Count(b, WM_NCHITTEST), 0);
  EXPECT_EQ(rec.Trace({WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
            (Trace{"A:MOUSEMOVE", "A:LBUTTONDOWN", "A:LBUTTONUP"}));
  EXPECT_EQ(LParamToPoint(rec.Of(a, WM_LBUTTONDOWN)[0].lp), Point(250, 50));
  EXPECT_EQ(GetActiveWindow(), a);  // no click activation under capture
  // Handing capture over tells the loser; releasing tells the holder.
  rec.Clear();
  EXPECT_EQ(SetCapture(b), a);
  ReleaseCapture();
  EXPECT_EQ(rec.Trace({WM_CAPTURECHANGED}), (Trace{"A:CAPTURECHANGED", "B:CAPTURECHANGED"}));
  EXPECT_EQ(HandleFromParam(rec.Of(a, WM_CAPTURECHANGED)[0].lp), b);
  EXPECT_EQ(GetCapture(), nullptr);
  // Enter and leave follow the window under the pointer, also under capture.
  SetCapture(a);
  rec.Clear();
  screen.MoveTo({50, 50});
  screen.MoveTo({60, 50});
  screen.MoveTo({250, 60});
  screen.Pump();
  EXPECT_EQ(rec.Trace({WM_MOUSEENTER, WM_MOUSELEAVE}), (Trace{"B:MOUSELEAVE", "A:MOUSEENTER", "A:MOUSELEAVE", "B:MOUSEENTER"}));
}

// The modal move loop: capture, enter, min/max, WM_MOVING the handler may
// change, SetWindowPos messages, WM_MOVE, exit.
TEST_F(InputTest, MoveLoopByCaptionDrag) {
  HWND w = rec.Create("W", kFrame | WS_VISIBLE, Bounds(100, 100, 200, 150));
  rec.handler = [](HWND, UINT m, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_MOVING) {
      // Snap to the left edge of the work area when close.
      auto* r = FromLParam<TRect>(lp);
      if (r->Left < 30) *r = r->Offset(-r->Left, 0);
    }
    return std::nullopt;
  };
  screen.Pump();
  rec.Clear();
  screen.Drag({150, 110}, {70, 130}, 2);
  screen.Pump();
  const std::set<UINT> protocol{WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_GETMINMAXINFO, WM_MOVING,
                                WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE, WM_CAPTURECHANGED,
                                WM_EXITSIZEMOVE};
  EXPECT_EQ(rec.Trace(protocol),
            (Trace{"W:NCLBUTTONDOWN", "W:SYSCOMMAND", "W:ENTERSIZEMOVE", "W:GETMINMAXINFO", "W:MOVING",
                   "W:WINDOWPOSCHANGING", "W:WINDOWPOSCHANGED", "W:MOVE", "W:MOVING", "W:WINDOWPOSCHANGING",
                   "W:WINDOWPOSCHANGED", "W:MOVE", "W:CAPTURECHANGED", "W:EXITSIZEMOVE"}));
  EXPECT_EQ(rec.Of(w, WM_SYSCOMMAND)[0].wp, WPARAM(SC_MOVE | UINT(HTCAPTION)));
  TRect r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, Bounds(0, 120, 200, 150));  // moved by (-80, +20), then snapped by the handler
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(InputTest, SizeLoopClampsAndFollowsTheSizingHandler) {
  HWND w = rec.Create("W", kFrame | WS_VISIBLE, Bounds(100, 100, 200, 150));
  rec.handler = [](HWND, UINT m, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
    if (m == WM_GETMINMAXINFO) {
      auto* mmi = FromLParam<MINMAXINFO>(lp);
      mmi->ptMinTrackSize = {150, 100};
      mmi->ptMaxTrackSize = {400, 300};
    }
    if (m == WM_SIZING && wp == WMSZ_BOTTOMRIGHT) {
      // Widths in steps of 50.
      auto* r = FromLParam<TRect>(lp);
      r->Right = r->Left + (r->Width() + 25) / 50 * 50;
    }
    return std::nullopt;
  };
  struct Case {
    TPoint grab, to;
    TRect expect;
  };
  const Case cases[] = {
      {{298, 248}, {340, 270}, Bounds(100, 100, 250, 172)},  // bottom-right, width snapped to 250
      {{298, 248}, {600, 600}, Bounds(100, 100, 400, 300)},  // clamped to the maximum first
      {{101, 150}, {280, 150}, Bounds(150, 100, 150, 150)},  // left edge, minimum width, right edge fixed
  };
  for (const Case& c : cases) {
    SetWindowPos(w, nullptr, 100, 100, 200, 150, SWP_NOZORDER);
    screen.Wait(1000);  // no double click with the previous case
    screen.Pump();
    rec.Clear();
    screen.Drag(c.grab, c.to, 3);
    screen.Pump();
    TRect r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r, c.expect) << c.grab.X << "," << c.grab.Y;

    EXPECT_EQ(rec.Count(w, WM_ENTERSIZEMOVE), 1);
    EXPECT_EQ(rec.Count(w, WM_EXITSIZEMOVE), 1);
    EXPECT_GE(rec.Count(w, WM_SIZE), 1);
    // Each step repaints at once, inside the loop.
    EXPECT_GE(rec.Count(w, WM_PAINT), 1);
  }
}

TEST_F(InputTest, EscapeRestoresTheRectangle) {
  HWND w = rec.Create("W", kFrame | WS_VISIBLE, Bounds(100, 100, 200, 150));
  screen.MoveTo({150, 110});
  screen.Down();
  screen.MoveTo({300, 300});
  screen.Press(VK_ESCAPE);
  screen.MoveTo({400, 400});  // after the loop: an ordinary move
  screen.Pump();
  TRect r;
  GetWindowRect(w, &r);
  EXPECT_EQ(r, Bounds(100, 100, 200, 150));
  EXPECT_EQ(rec.Count(w, WM_EXITSIZEMOVE), 1);
  // SC_SIZE from the keyboard picks its edge with the first arrow key.
  screen.Press(VK_RIGHT);
  screen.Press(VK_RIGHT);
  screen.Press(VK_RETURN);
  SendMessage(w, WM_SYSCOMMAND, SC_SIZE, 0);
  GetWindowRect(w, &r);
  EXPECT_EQ(r, Bounds(100, 100, 208, 150));
}

TEST_F(InputTest, DoubleClicks) {
  HWND plain = rec.Create("P", kFrame | WS_VISIBLE, Bounds(0, 0, 200, 150));
  HWND dbl = rec.Create("D", kFrame | WS_VISIBLE, Bounds(300, 0, 200, 150), nullptr, 0, true);
  struct Case {
    TPoint p;
    uint32_t pause;
    HWND w;
    UINT expect;  // message of the second press
  };
  const Case cases[] = {
      {{50, 60}, 0, plain, WM_LBUTTONDOWN},        // client, class without CS_DBLCLKS
      {{350, 60}, 0, dbl, WM_LBUTTONDBLCLK},       // client, CS_DBLCLKS
      {{350, 60}, 600, dbl, WM_LBUTTONDOWN},       // too slow
      {{50, 10}, 0, plain, WM_NCLBUTTONDBLCLK},    // caption: always
  };
  for (const Case& c : cases) {
    ShowWindow(plain, SW_RESTORE);
    SetWindowPos(plain, nullptr, 0, 0, 200, 150, SWP_NOZORDER);
    screen.Wait(1000);
    screen.Pump();
    rec.Clear();
    screen.Click(c.p);
    screen.Wait(c.pause);
    screen.Click(c.p);
    screen.Pump();
    std::vector<UINT> presses;
    for (auto& r : rec.log)
      if (r.hwnd == c.w && (r.msg == WM_LBUTTONDOWN || r.msg == WM_LBUTTONDBLCLK || r.msg == WM_NCLBUTTONDOWN ||
                            r.msg == WM_NCLBUTTONDBLCLK))
        presses.push_back(r.msg);
    ASSERT_EQ(presses.size(), 2u) << c.p.X;
    EXPECT_EQ(presses[1], c.expect) << c.p.X << " pause " << c.pause;
  }
  // The caption double click maximizes a window with a maximize box.
  EXPECT_TRUE(IsZoomed(plain));
}

TEST_F(InputTest, KeyboardCommands) {
  HWND w = rec.Create("W", kFrame | WS_VISIBLE, Bounds(0, 0, 200, 150));
  HWND edit = rec.Create("E", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), w);
  SetFocus(edit);
  rec.Clear();
  screen.Type("aB");
  screen.Pump();
  std::string typed;
  for (auto& r : rec.Of(edit, WM_CHAR)) typed += char(r.wp);
  EXPECT_EQ(typed, "aB");
  EXPECT_EQ(rec.Count(edit, WM_KEYDOWN), 3);  // a, Shift, B

  struct Case {
    std::vector<std::pair<UINT, bool>> keys;
    std::vector<std::string> trace;
    LPARAM menuKey = 0;  // lParam of SC_KEYMENU
  };
  const std::set<UINT> keyMsgs{WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR, WM_SYSCOMMAND};
  const Case cases[] = {
      // A lone Alt tap opens the keyboard menu.
      {{{VK_MENU, true}, {VK_MENU, false}}, {"E:SYSKEYDOWN", "E:SYSKEYUP", "W:SYSCOMMAND"}},
      // F10 alone does too.
      {{{VK_F10, true}, {VK_F10, false}}, {"E:SYSKEYDOWN", "E:SYSKEYUP", "W:SYSCOMMAND"}},
      // Alt with another key is not a tap.
      {{{VK_MENU, true}, {'X', true}, {'X', false}, {VK_MENU, false}},
       {"E:SYSKEYDOWN", "E:SYSKEYDOWN", "E:SYSCHAR", "W:SYSCOMMAND", "E:SYSKEYUP", "E:SYSKEYUP"},
       'x'},
      // Plain keys.
      {{{VK_DOWN, true}, {VK_DOWN, false}}, {"E:KEYDOWN", "E:KEYUP"}},
  };
  for (const Case& c : cases) {
    rec.Clear();
    for (auto [vk, down] : c.keys) InjectKey(vk, down);
    screen.Pump();
    EXPECT_EQ(rec.Trace(keyMsgs), c.trace);
    for (auto& r : rec.Of(w, WM_SYSCOMMAND)) {
      EXPECT_EQ(r.wp, WPARAM(SC_KEYMENU));
      EXPECT_EQ(r.lp, c.menuKey);
    }
  }
  // Key state: down bit while held, toggle bit per press.
  InjectKey(VK_CAPITAL, true);
  screen.Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 0x8001, 0x8001);
  InjectKey(VK_CAPITAL, false);
  screen.Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
  // Alt+F4 closes the window through SC_CLOSE and WM_CLOSE.
  rec.Clear();
  screen.KeyDown(VK_MENU);
  screen.Press(VK_F4);
  screen.KeyUp(VK_MENU);
  screen.Pump();
  EXPECT_EQ(rec.Trace({WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}), (Trace{"W:SYSCOMMAND", "W:CLOSE", "W:DESTROY", "E:DESTROY"}));
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(InputTest, WheelGoesToTheFocusWithTheScreenPositionAndBubbles) {
  HWND w = rec.Create("W", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 150));
  HWND child = rec.Create("C", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), w);
  SetFocus(child);
  rec.Clear();
  screen.MoveTo({150, 120});
  screen.Wheel(-WHEEL_DELTA);
  screen.Pump();
  auto onChild = rec.Of(child, WM_MOUSEWHEEL);
  auto onParent = rec.Of(w, WM_MOUSEWHEEL);
  ASSERT_EQ(onChild.size(), 1u);
  ASSERT_EQ(onParent.size(), 1u);  // DefWindowProc passes it up
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(onChild[0].wp), -WHEEL_DELTA);
  EXPECT_EQ(LParamToPoint(onChild[0].lp), Point(150, 120));
}

}  // namespace
}  // namespace vx::test
