// The window system: one in-process desktop of top-level windows in screen
// coordinates, each with child windows, a chain of window procedures, a
// retained surface, an optional region and layered alpha. Calls and messages
// keep their usual names and meanings; differences are noted at each call.
//
// Everything runs on one thread. Every call that takes an HWND checks it: a
// stale or null handle makes the call fail (false, 0 or nullptr) without
// touching memory.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "platform/gfx/dc.h"
#include "platform/gfx/region.h"
#include "platform/win/clock.h"
#include "platform/win/messages.h"
#include "platform/win/wintypes.h"

namespace vx {

// ---- window classes ----------------------------------------------------------

using WNDPROC = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

struct WNDCLASS {
  std::string lpszClassName;
  UINT style = 0;             // CS_*
  WNDPROC lpfnWndProc;        // empty: DefWindowProc
  HCURSOR hCursor = IDC_ARROW;  // shown over the client area by DefWindowProc(WM_SETCURSOR)
  TColor hbrBackground = clNone;  // DefWindowProc(WM_ERASEBKGND) fills with it; clNone: no fill
};

// False when the name is empty or already registered (names compare without case).
bool RegisterClass(const WNDCLASS& cls);
// False when unknown or when windows of the class still exist.
bool UnregisterClass(const std::string& name);
bool GetClassInfo(const std::string& name, WNDCLASS* cls);

// ---- creation and destruction -----------------------------------------------

// Limits of a window's placement; larger values are taken at the limit.
constexpr int kMaxWindowExtent = 1 << 16;
constexpr int kMaxWindowPosition = 1 << 28;

// Creates a window. With WS_CHILD, `parent` is the parent; otherwise a non-null
// `parent` becomes the owner (the root of that window). Sends WM_GETMINMAXINFO
// (top-level), WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, then
// WM_PARENTNOTIFY to the parent of a child, and shows the window when
// WS_VISIBLE was given. Returns nullptr when WM_NCCREATE answers 0 or WM_CREATE
// answers -1. Throws EWindowError for an unregistered class or a child without
// a valid parent.
HWND CreateWindowEx(DWORD exStyle, const std::string& className, const std::string& windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent,
                    void* param = nullptr);

// Destroys the window, its children and the windows it owns: hides it, moves
// activation and focus away, sends WM_DESTROY (parent first) and WM_NCDESTROY
// (children first), kills its timers and drops its posted messages. When the
// window or one of its descendants is inside a dispatch (a handler of it is on
// the stack), all of that is deferred until the outermost such dispatch has
// returned; the call returns true and the window stays valid until then.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
// True while a handler of the window or of one of its descendants is running.
bool IsInDispatch(HWND hwnd);
// Runs fn now when IsInDispatch(hwnd) is false, else right after the outermost
// dispatch returns (before a deferred destruction of that window). A component
// that owns a window frees itself this way from inside its own handlers.
void RunAfterDispatch(HWND hwnd, std::function<void()> fn);

// ---- window procedure chains -------------------------------------------------

// The rest of the chain below a hook. Calling it passes the message on; a hook
// that does not call it handles the message alone.
class TNextProc {
 public:
  LRESULT operator()(UINT msg, WPARAM wp, LPARAM lp) const;
  HWND Window() const { return hwnd_; }

 private:
  friend struct TChainAccess;
  const void* chain_ = nullptr;
  size_t index_ = 0;
  HWND hwnd_ = nullptr;
};

using THookProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM, const TNextProc& next)>;
using THookId = uint64_t;

// Puts a hook on top of the window's chain: it sees every message first. Hooks
// leave in any order with RemoveWindowHook; removal from inside a running hook
// is safe (the running call completes; the hook is not called again). Returns 0
// for a stale handle.
THookId AddWindowHook(HWND hwnd, THookProc proc);
bool RemoveWindowHook(HWND hwnd, THookId id);
// Calls the class procedure directly, skipping every hook.
LRESULT CallClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// ---- messages ----------------------------------------------------------------

// Synchronous: runs the window's chain and returns its answer (0 for a stale
// handle). Nested sends work to any depth.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
// Queued; hwnd nullptr posts a thread message. False for a stale handle.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0);
void PostQuitMessage(int exitCode);
// Retrieval order: posted messages, then input (scripted or injected events,
// turned into mouse and keyboard messages when retrieved), then WM_QUIT, then
// WM_PAINT for a window with something to paint, then WM_TIMER for a due timer.
// A window filter matches the window and its descendants; min = max = 0 means
// every message.
bool PeekMessage(MSG* msg, HWND hwnd, UINT msgMin, UINT msgMax, UINT removeFlags);
// Waits (through the backend) until a message is there. Returns false on
// WM_QUIT, and also when no message can ever come (a headless desktop whose
// input script is exhausted and with nothing to paint or time): modal loops
// end there instead of hanging.
bool GetMessage(MSG* msg, HWND hwnd, UINT msgMin, UINT msgMax);
// True when something is pending now or after waiting; false when nothing can come.
bool WaitMessage();
// WM_KEYDOWN / WM_SYSKEYDOWN with a character: posts WM_CHAR / WM_SYSCHAR first in the queue.
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// Dispatches every pending message (posted, input, paint, due timers) until
// none is left; returns how many were dispatched. Stops at WM_QUIT (left in the
// queue). Re-entrant.
int ProcessPendingMessages();
// The exit code of the last PostQuitMessage once WM_QUIT has been retrieved.
bool QuitRequested(int* exitCode = nullptr);

// A message number in 0xC000..0xFFFF unique to the name (names compare without
// case); the same name always gives the same number. 0 for an empty name or
// when the range is used up.
UINT RegisterWindowMessage(const std::string& name);

// Position and time of the message being processed.
DWORD GetMessageTime();
TPoint GetMessagePos();

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// ---- properties --------------------------------------------------------------

// GWL_STYLE, GWL_EXSTYLE (with WM_STYLECHANGING / WM_STYLECHANGED; WS_VISIBLE and
// WS_DISABLED are better changed through ShowWindow and EnableWindow), GWL_ID,
// GWL_USERDATA, GWL_HWNDPARENT (the owner). Returns the previous value; 0 for a
// stale handle or unknown index. Switching WS_EX_LAYERED keeps the window's content.
intptr_t GetWindowLong(HWND hwnd, int index);
intptr_t SetWindowLong(HWND hwnd, int index, intptr_t value);
inline intptr_t GetWindowLongPtr(HWND h, int i) { return GetWindowLong(h, i); }
inline intptr_t SetWindowLongPtr(HWND h, int i, intptr_t v) { return SetWindowLong(h, i, v); }

std::string GetWindowText(HWND hwnd);
bool SetWindowText(HWND hwnd, const std::string& text);  // through WM_SETTEXT
std::string GetClassName(HWND hwnd);

HWND GetParent(HWND hwnd);  // the parent of a child, the owner of a top-level window
// Changes the parent (nullptr makes a top-level window). Returns the old
// parent; nullptr on failure (stale handle, or a loop).
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopWindow(HWND parent);  // nullptr: the topmost top-level window
bool IsChild(HWND parent, HWND hwnd);
// Direct children, top of the z-order first; nullptr: the top-level windows.
std::vector<HWND> GetChildWindows(HWND parent);

bool IsWindowVisible(HWND hwnd);  // the window and all its ancestors are visible
bool IsWindowEnabled(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable);  // returns true when it was disabled
bool IsIconic(HWND hwnd);
bool IsZoomed(HWND hwnd);
// Returns whether the window was visible before.
bool ShowWindow(HWND hwnd, int cmd);

// Window rectangle in screen coordinates; client rectangle (0, 0, w, h).
bool GetWindowRect(HWND hwnd, TRect* r);
bool GetClientRect(HWND hwnd, TRect* r);
// The client area inside the window, in window coordinates (from WM_NCCALCSIZE).
bool GetClientAreaInWindow(HWND hwnd, TRect* r);
bool ClientToScreen(HWND hwnd, TPoint* p);
bool ScreenToClient(HWND hwnd, TPoint* p);
// Maps points from the client coordinates of `from` to those of `to` (nullptr = screen).
bool MapWindowPoints(HWND from, HWND to, TPoint* pts, int count);
bool MapWindowRect(HWND from, HWND to, TRect* r);

// x, y in the parent's client coordinates (screen for top-level windows). Sends
// WM_WINDOWPOSCHANGING (DefWindowProc clamps to WM_GETMINMAXINFO's track sizes
// for top-level windows), WM_NCCALCSIZE when the size changes or with
// SWP_FRAMECHANGED, WM_NCPAINT when a visible window changes size, frame or
// visibility, WM_WINDOWPOSCHANGED (DefWindowProc sends WM_MOVE and WM_SIZE).
// Without SWP_NOACTIVATE a top-level window is activated.
bool SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
bool MoveWindow(HWND hwnd, int x, int y, int w, int h, bool repaint = true);
bool BringWindowToTop(HWND hwnd);

// The region of the window in window coordinates; nullopt removes it. The
// region is copied. It clips painting, composition and hit testing. With
// redraw the frame and client are repainted (WM_NCPAINT).
bool SetWindowRgn(HWND hwnd, std::optional<TRegion> rgn, bool redraw);
// Copies the region into rgn: SIMPLEREGION / COMPLEXREGION / NULLREGION, or
// RGN_ERROR (0) when the window has none.
int GetWindowRgn(HWND hwnd, TRegion& rgn);

// ---- activation, focus, capture ---------------------------------------------

HWND GetActiveWindow();
HWND GetForegroundWindow();
// Activates a top-level window (the root of hwnd): WM_NCACTIVATE(FALSE) and
// WM_ACTIVATE(WA_INACTIVE) to the old one, WM_NCACTIVATE(TRUE) and WM_ACTIVATE
// to the new one, whose DefWindowProc moves the focus into it (WM_KILLFOCUS,
// WM_SETFOCUS). Returns the previously active window.
HWND SetActiveWindow(HWND hwnd);
bool SetForegroundWindow(HWND hwnd);
HWND GetFocus();
// Activates the window's root first when needed. Returns the old focus window.
HWND SetFocus(HWND hwnd);
HWND GetCapture();
// All mouse input goes to the capturing window as client messages. The window
// that loses capture gets WM_CAPTURECHANGED. Returns the previous capture window.
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();

// ---- mouse and keyboard ------------------------------------------------------

bool GetCursorPos(TPoint* p);
// Moves the pointer like a mouse move of the input (the move is queued as input).
bool SetCursorPos(int x, int y);
// The deepest visible, enabled window under the screen point, honouring window
// regions and click-through windows (layered + transparent). Sends nothing.
HWND WindowFromPoint(TPoint p);
// The child of parent (or parent itself) under a point in parent's client coordinates.
HWND ChildWindowFromPoint(HWND parent, TPoint p);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();

// High bit (0x8000) set while the key is down, low bit toggled by each press.
int16_t GetKeyState(int vk);
int16_t GetAsyncKeyState(int vk);
// Writes 256 bytes: 0x80 down, 0x01 toggled.
bool GetKeyboardState(uint8_t* state);

UINT GetDoubleClickTime();
void SetDoubleClickTime(UINT ms);

// Input injection (backends and tests). The event is queued and turned into
// messages when the queue reaches it.
enum class TMouseButton { Left, Right, Middle };
void InjectMouseMove(TPoint screen);
void InjectMouseButton(TMouseButton button, bool down);
void InjectMouseWheel(int delta, bool horizontal = false);
// ch: the character the key types (0: derived from the key for letters,
// digits, space, Enter, Tab, Backspace and Escape).
void InjectKey(UINT vk, bool down, char32_t ch = 0);
// A pause in the script: reaching it lets `ms` pass on the clock.
void InjectWait(uint32_t ms);
bool HasPendingInput();

// ---- timers ------------------------------------------------------------------

using TIMERPROC = std::function<void(HWND, UINT, uintptr_t, DWORD)>;
// One timer per (window, id); setting the same id again re-arms it with the new
// interval. hwnd nullptr creates a thread timer with a fresh id. WM_TIMER comes
// after paints, at most once per due time; the next due time counts from the
// moment it was retrieved. With a proc, DispatchMessage calls it instead of the
// window. Returns the id, 0 for a stale window.
uintptr_t SetTimer(HWND hwnd, uintptr_t id, UINT elapseMs, TIMERPROC proc = {});
bool KillTimer(HWND hwnd, uintptr_t id);
// Microseconds of the current clock when the next timer is due, or -1.
int64_t NextTimerDue();

// ---- painting ----------------------------------------------------------------

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  bool fErase = false;  // WM_ERASEBKGND was not sent or answered 0
  TRect rcPaint;        // client coordinates
};

// Window DCs draw on the retained surface of the window's root. GetDC: origin at
// the client area, clipped to the visible client (children and siblings above
// excluded); GetWindowDC: origin at the window's top-left, whole window. Both
// are clipped by the window region. Every DC must be given back with
// ReleaseDC; what was drawn appears at the next composition. GetDC(nullptr)
// gives a DC for measuring text on a private 1x1 surface.
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
// DCX_WINDOW, DCX_INTERSECTRGN / DCX_EXCLUDERGN with clip in window (DCX_WINDOW)
// or client coordinates.
HDC GetDCEx(HWND hwnd, const TRegion* clip, DWORD flags);
int ReleaseDC(HWND hwnd, HDC dc);
// Sends WM_ERASEBKGND when the erase flag is set, validates the update region.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
bool EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

// Client coordinates; nullptr = the whole client area.
bool InvalidateRect(HWND hwnd, const TRect* r, bool erase);
bool InvalidateRgn(HWND hwnd, const TRegion* rgn, bool erase);
bool ValidateRect(HWND hwnd, const TRect* r);
bool GetUpdateRect(HWND hwnd, TRect* r, bool erase);
bool GetUpdateRgn(HWND hwnd, TRegion& rgn);
// Sends WM_NCPAINT and WM_PAINT now when something is invalid.
bool UpdateWindow(HWND hwnd);
// RDW_* flags; r / rgn in client coordinates. RDW_FRAME marks the non-client
// area (WM_NCPAINT), RDW_UPDATENOW paints before returning.
bool RedrawWindow(HWND hwnd, const TRect* r, const TRegion* rgn, UINT flags);
// Paints the window into dc at dc's origin by sending WM_PRINT with prfFlags.
bool PrintWindow(HWND hwnd, HDC dc, UINT prfFlags);

// ---- layered windows ---------------------------------------------------------

// Constant alpha (LWA_ALPHA) and key colour (LWA_COLORKEY) of a layered
// top-level window. Takes effect at once.
bool SetLayeredWindowAttributes(HWND hwnd, TColor key, BYTE alpha, DWORD flags);
bool GetLayeredWindowAttributes(HWND hwnd, TColor* key, BYTE* alpha, DWORD* flags);
// Per-pixel alpha: the window's content becomes the premultiplied pixels of src
// at srcPt (size `size`), moved to `pos`, blended with blend.SourceConstantAlpha
// (ULW_ALPHA) or opaque (ULW_OPAQUE). pos, size, src may be null to keep the
// current ones. The window must be layered; false otherwise.
bool UpdateLayeredWindow(HWND hwnd, const TPoint* pos, const TSize* size, HDC src,
                         const TPoint* srcPt, TColor key, const BLENDFUNCTION* blend, DWORD flags);

// ---- monitors and metrics ----------------------------------------------------

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromPoint(TPoint p, DWORD flags);
HMONITOR MonitorFromRect(const TRect& r, DWORD flags);
bool GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
std::vector<HMONITOR> EnumDisplayMonitors();
// SPI_GETWORKAREA (TRect* of the primary monitor), SPI_GETDRAGFULLWINDOWS (BOOL*,
// always TRUE), SPI_GETWHEELSCROLLLINES (UINT*, 3), SPI_GETMENUANIMATION,
// SPI_GETMENUFADE, SPI_GETDROPSHADOW, SPI_GETFLATMENU, SPI_GETCOMBOBOXANIMATION,
// SPI_GETHIGHCONTRAST (BOOL*, FALSE). False for other actions.
bool SystemParametersInfo(UINT action, UINT param, void* pv, UINT winIni);
int GetSystemMetrics(int index);

// ---- the desktop -------------------------------------------------------------

struct TMonitorSpec {
  TRect monitor;  // screen coordinates
  TRect work;     // inside monitor
};

// Starts a fresh desktop (destroying every window of the previous one) with a
// virtual screen of width x height. Without monitors: one monitor covering the
// screen with a task-bar strip of `taskbarHeight` pixels at its bottom taken out
// of the work area. Calls made before any InitDesktop use a 1280x800 desktop.
void InitDesktop(int width, int height, std::vector<TMonitorSpec> monitors = {}, int taskbarHeight = 40);
// Destroys every window and clears queues, timers, input and key state.
void ShutdownDesktop();
TSize GetScreenSize();
// Changes the screen size; a single default monitor follows it.
void ResizeScreen(int width, int height);

// How a backend waits: returns true when input may have arrived, false when
// nothing will ever come (then GetMessage gives up). The default waits on the
// clock for the next timer and gives up when there is none.
using TWaitHook = std::function<bool()>;
void SetWaitHook(TWaitHook hook);

}  // namespace vx
