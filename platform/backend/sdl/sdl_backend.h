// The SDL2 backend: shows the virtual screen in one host window and feeds the
// host's mouse, wheel and keyboard to the window system as injected input.
// With the environment variable VX_SDL_TRACE set, every host event type is
// printed to stderr (for checking input under a virtual X server).
#pragma once

#include <functional>
#include <string>

#include "platform/win/window.h"

namespace vx {

class TSdlBackend {
 public:
  // Opens a host window of width x height and starts a desktop of that size.
  // The window system then waits through this backend (real clock).
  TSdlBackend(const std::string& title, int width, int height);
  ~TSdlBackend();
  TSdlBackend(const TSdlBackend&) = delete;
  TSdlBackend& operator=(const TSdlBackend&) = delete;

  bool Ok() const { return ok_; }
  const std::string& Error() const { return error_; }

  // Copies what changed on the virtual screen to the host window.
  void Present();
  // Handles pending host events without waiting (the window system's wait
  // hook calls it with a timeout up to the next timer).
  void PumpEvents(int timeoutMs = 0);
  // Writes what the host window shows, read back from its surface, as PNG.
  bool SaveWindowPng(const std::string& path);

  // Closing the host window: by default WM_CLOSE to the active window (or to
  // the topmost visible one), else a quit message.
  std::function<void()> OnQuit;

  // Virtual-key code of an SDL key symbol (0 when unknown).
  static UINT KeyToVk(int sdlKey);

 private:
  void HandleEvent(const void* event);
  void PresentAll();
  struct Impl;
  Impl* impl_ = nullptr;
  bool ok_ = false;
  std::string error_;
};

}  // namespace vx
