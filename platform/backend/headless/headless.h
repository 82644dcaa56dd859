// The headless backend: a virtual screen with no display, driven by a manual
// clock and scripted input, that writes what it shows as PNG files.
#pragma once

#include <string>
#include <vector>

#include "platform/win/window.h"

namespace vx {

class THeadlessScreen {
 public:
  // Starts a fresh desktop of width x height (see InitDesktop) and installs a
  // manual clock. GetMessage gives up once the scripted input is used up, so
  // modal loops end instead of waiting forever.
  explicit THeadlessScreen(int width = 1280, int height = 800, std::vector<TMonitorSpec> monitors = {},
                           int taskbarHeight = 40);
  // Destroys every window and puts the previous clock back.
  ~THeadlessScreen();
  THeadlessScreen(const THeadlessScreen&) = delete;
  THeadlessScreen& operator=(const THeadlessScreen&) = delete;

  TManualClock& Clock() { return clock_; }

  // Dispatches everything pending (posted, input, paint, due timers) until
  // nothing is left. Returns the number of messages dispatched.
  int Pump();
  // Lets ms pass on the manual clock, stopping at every timer due on the way
  // and pumping there, so that timers fire as often as in real time.
  void RunFor(uint32_t ms);

  // Scripted input: queued now, turned into messages by Pump.
  void MoveTo(TPoint screen);
  void Down(TMouseButton b = TMouseButton::Left);
  void Up(TMouseButton b = TMouseButton::Left);
  void Click(TPoint screen, TMouseButton b = TMouseButton::Left);
  void DoubleClick(TPoint screen);
  // Press at from, move in `steps` equal steps to to, release.
  void Drag(TPoint from, TPoint to, int steps = 4);
  void Wheel(int delta);
  void KeyDown(UINT vk, char32_t ch = 0);
  void KeyUp(UINT vk);
  void Press(UINT vk, char32_t ch = 0);
  // Types ASCII text: letters, digits, space, Enter ('\r' or '\n').
  void Type(const std::string& text);
  void Wait(uint32_t ms);

  // The composed screen (only damaged areas are recomposed).
  const TSurfacePtr& Screenshot();
  // PNG files (RGBA). Throw EFOpenError / EWriteError when the file cannot be written.
  void WriteScreenPng(const std::string& path);
  // One window alone, with its region and alpha; false for a stale handle.
  bool WriteWindowPng(HWND hwnd, const std::string& path);

 private:
  TManualClock clock_;
  TClock* previous_ = nullptr;
};

// Writes a 32-bit surface (0xAARRGGBB) as an RGBA PNG file.
void WriteSurfacePng(const TSurface& surface, const std::string& path);

}  // namespace vx
