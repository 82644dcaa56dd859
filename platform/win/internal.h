// Private state of the window system, shared by its source files and the
// backends. Not for use by the layers above.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/dc.h"
#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"
#include "platform/win/compositor.h"
#include "platform/win/window.h"

namespace vx::detail {

struct ClassRec {
  WNDCLASS cls;
  int windows = 0;
};

struct HookRec {
  THookId id = 0;
  THookProc proc;
  bool removed = false;
};

struct Wnd {
  HWND self = nullptr;
  std::shared_ptr<ClassRec> cls;
  std::string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  intptr_t id = 0;
  intptr_t userData = 0;
  HWND parent = nullptr;  // children only
  HWND owner = nullptr;   // top-level only
  std::vector<HWND> children;  // z-order, top first
  TRect rect;                  // in the parent's client coordinates (screen for top-level)
  TRect client;                // client area in window coordinates
  TRect normalRect;            // bounds to restore from minimized / maximized
  bool hasNormalRect = false;
  std::vector<std::shared_ptr<HookRec>> hooks;  // bottom first; the last is called first

  int depth = 0;  // dispatches of this window on the stack
  bool destroyPending = false;
  bool destroying = false;
  std::vector<std::function<void()>> afterDispatch;

  // Painting, in client coordinates.
  TRegion update;
  bool erasePending = false;
  bool ncPending = false;
  bool internalPaint = false;
  int paintDCs = 0;

  std::optional<TRegion> region;  // window coordinates

  // Top-level windows: retained surface and layering.
  TSurfacePtr surface;
  bool layeredAttr = false;  // SetLayeredWindowAttributes was called
  BYTE layeredAlpha = 255;
  TColor layeredKey = clNone;
  DWORD layeredFlags = 0;
  bool perPixel = false;  // content from UpdateLayeredWindow
  BYTE perPixelAlpha = 255;
  bool redrawOff = false;  // WM_SETREDRAW FALSE

  // WM_PRINT redirection: while set, GetWindowDC / GetDC / BeginPaint of this
  // window draw into this DC (window-coordinate origin at printOrigin).
  HDC printDC = nullptr;
  TPoint printOrigin;
};

struct Timer {
  HWND hwnd = nullptr;
  uintptr_t id = 0;
  uint32_t elapse = 1;
  int64_t due = 0;  // microseconds
  TIMERPROC proc;
};

struct RawInput {
  enum Kind { Move, Button, Wheel, Key, Wait } kind = Move;
  TPoint pt;
  TMouseButton button = TMouseButton::Left;
  bool down = false;
  int delta = 0;
  bool horizontal = false;
  UINT vk = 0;
  char32_t ch = 0;
  uint32_t ms = 0;
};

class Desktop {
 public:
  Desktop(int width, int height, std::vector<TMonitorSpec> monitors, int taskbarHeight);
  ~Desktop();

  // Window table.
  Wnd* Lookup(HWND h) const;
  Wnd* Alloc();
  void Free(Wnd* w);
  std::vector<Wnd*> AllWindows() const;

  TSize screen;
  std::vector<TMonitorSpec> monitors;
  int taskbarHeight = 40;
  bool defaultMonitor = true;

  std::map<std::string, std::shared_ptr<ClassRec>> classes;  // lower-case names
  std::vector<HWND> topLevel;  // z-order, top first

  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
  HWND hover = nullptr;  // window under the pointer, for enter / leave
  bool hoverClient = false;
  TPoint cursor;
  HCURSOR cursorShape = IDC_ARROW;

  std::deque<MSG> posted;
  std::deque<MSG> inputMsgs;
  std::deque<RawInput> raw;
  bool quit = false;
  int quitCode = 0;
  bool quitRetrieved = false;
  DWORD msgTime = 0;
  TPoint msgPos;

  std::vector<Timer> timers;
  uintptr_t nextThreadTimer = 0x7F000000;
  THookId nextHookId = 1;

  uint8_t keys[256] = {};
  bool altTap = false;         // Alt went down and nothing else happened since
  bool altTapPending = false;  // the Alt release that follows such a tap
  bool f10Pending = false;
  // Last button press, for double clicks.
  struct LastDown {
    HWND hwnd = nullptr;
    UINT msg = 0;
    int hit = 0;
    DWORD time = 0;
    TPoint pt;
    bool valid = false;
  } lastDown;
  // The character of the last WM_KEYDOWN / WM_SYSKEYDOWN made from input.
  struct LastKey {
    HWND hwnd = nullptr;
    UINT msg = 0;
    WPARAM vk = 0;
    DWORD time = 0;
    char32_t ch = 0;
  } lastKey;

  UINT doubleClickTime = 500;
  int pendingDestroys = 0;
  int inSizeMove = 0;

  // DCs handed out by GetDC / BeginPaint, with their window.
  std::unordered_map<HDC, std::pair<HWND, std::unique_ptr<TDeviceContext>>> dcs;

  TCompositor compositor;
  TWaitHook waitHook;

 private:
  std::vector<std::unique_ptr<Wnd>> slots_;
  std::vector<uint32_t> gens_;
  std::vector<uint32_t> free_;
};

// The current desktop (created on first use).
Desktop& D();
bool HasDesktop();

// Shared helpers across the source files.
LRESULT Deliver(Wnd* w, UINT msg, WPARAM wp, LPARAM lp);
inline LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessage(h, msg, wp, lp); }
Wnd* Root(Wnd* w);
bool IsTopLevel(const Wnd* w);
bool VisibleChain(const Wnd* w);
bool IsDescendantOrSelf(const Wnd* ancestor, const Wnd* w);
// Window rectangle of w in screen coordinates; origin of its client area on screen.
TRect ScreenRect(const Wnd* w);
TPoint ClientOrigin(const Wnd* w);
// Window rectangle of w relative to its root's window origin.
TRect RectInRoot(const Wnd* w);
void Activate(HWND h, bool byClick);
void ActivateOther(Wnd* leaving);
void DestroyNow(Wnd* w);
// Painting.
void MarkDamage(const TRect& screenRect);
void MarkWindowDamage(Wnd* w);
void EnsureSurface(Wnd* root);
bool HasPaintWork(const Wnd* w);
HWND FindPaintWindow(HWND filter);
void InvalidateClient(Wnd* w, const TRegion* rgn, bool erase, bool children);
void SendNcPaint(Wnd* w);
void DropDCsOf(HWND h);
// Visible part of w in its root's window coordinates (clipped by ancestors, their
// regions, siblings above and own region); client only = the client area.
TRegion VisibleRgnInRoot(const Wnd* w, bool clientOnly, bool excludeChildren);
// The top-level window and the deepest child under a screen point.
HWND HitWindow(TPoint screen, const std::vector<HWND>* skip);
// Input.
bool ConvertNextInput();
void NotifyScreenChanged();
// Timers.
void KillTimersOf(HWND h);
bool TakeDueTimer(MSG* msg, HWND filter, bool remove);
// DefWindowProc of WM_PRINT and WM_PRINTCLIENT.
LRESULT DefPrint(HWND h, UINT msg, WPARAM wp, LPARAM lp);
// The move / size loop.
void MoveSizeLoop(HWND h, UINT cmd, TPoint start);

}  // namespace vx::detail
