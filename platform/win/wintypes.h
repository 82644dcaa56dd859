// Handle and parameter types of the window system, the structures that travel
// in message parameters, and the word-packing helpers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/geometry.h"

namespace vx {

// A window handle is an opaque checked value (slot and generation), never a
// pointer to memory: a handle of a destroyed window is detected as stale.
using HWND = struct HWND__*;
using HMONITOR = struct HMONITOR__*;
using HCURSOR = uintptr_t;  // a standard cursor identifier (IDC_*) or 0

using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using BOOL = int32_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using BYTE = uint8_t;

#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif

// Special values for SetWindowPos' insert-after argument.
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(uintptr_t(1));
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(intptr_t(-1));
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(intptr_t(-2));

constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr int32_t GET_X_LPARAM(LPARAM lp) { return int16_t(LOWORD(uintptr_t(lp))); }
constexpr int32_t GET_Y_LPARAM(LPARAM lp) { return int16_t(HIWORD(uintptr_t(lp))); }
constexpr int16_t GET_WHEEL_DELTA_WPARAM(WPARAM wp) { return int16_t(HIWORD(wp)); }
constexpr uint32_t MAKELONG(int32_t lo, int32_t hi) { return (uint32_t(lo) & 0xFFFF) | ((uint32_t(hi) & 0xFFFF) << 16); }
constexpr LPARAM MAKELPARAM(int32_t lo, int32_t hi) { return LPARAM(int32_t(MAKELONG(lo, hi))); }
constexpr WPARAM MAKEWPARAM(int32_t lo, int32_t hi) { return WPARAM(MAKELONG(lo, hi)); }
constexpr LPARAM PointToLParam(TPoint p) { return MAKELPARAM(p.X, p.Y); }
constexpr TPoint LParamToPoint(LPARAM lp) { return {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

template <class T>
inline LPARAM ToLParam(T* p) { return reinterpret_cast<LPARAM>(p); }
template <class T>
inline T* FromLParam(LPARAM lp) { return reinterpret_cast<T*>(lp); }
inline WPARAM HandleToWParam(HWND h) { return reinterpret_cast<WPARAM>(h); }
inline LPARAM HandleToLParam(HWND h) { return reinterpret_cast<LPARAM>(h); }
inline HWND HandleFromParam(intptr_t v) { return reinterpret_cast<HWND>(v); }

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  TPoint pt;
};

// The framework's form of a message: what a window procedure receives and answers.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// lParam of WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED. x, y are relative to the
// parent's client area (screen for top-level windows).
struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int32_t x = 0, y = 0, cx = 0, cy = 0;
  UINT flags = 0;
};

// lParam of WM_NCCALCSIZE when wParam is TRUE. rgrc[0] holds the proposed window
// rectangle (parent coordinates) and receives the client rectangle; rgrc[1] and
// rgrc[2] are the old window and client rectangles.
struct NCCALCSIZE_PARAMS {
  TRect rgrc[3];
  WINDOWPOS* lppos = nullptr;
};

// lParam of WM_GETMINMAXINFO.
struct MINMAXINFO {
  TPoint ptReserved;
  TPoint ptMaxSize;
  TPoint ptMaxPosition;
  TPoint ptMinTrackSize;
  TPoint ptMaxTrackSize;
};

// lParam of WM_NCCREATE and WM_CREATE.
struct CREATESTRUCT {
  void* lpCreateParams = nullptr;
  HWND hwndParent = nullptr;
  int32_t x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;
  DWORD dwExStyle = 0;
  std::string name;
  std::string className;
};

// lParam of WM_STYLECHANGING / WM_STYLECHANGED (wParam is GWL_STYLE or GWL_EXSTYLE).
struct STYLESTRUCT {
  DWORD styleOld = 0;
  DWORD styleNew = 0;
};

struct MONITORINFO {
  TRect rcMonitor;
  TRect rcWork;
  DWORD dwFlags = 0;
};


// Bad use of the window system that is a programming error (an unregistered
// window class, a child without a valid parent, a parent loop).
class EWindowError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vx
