#include "platform/backend/headless/headless.h"

#include "platform/codecs/png_codec.h"
#include "platform/core/streams.h"
#include "platform/win/compositor.h"

namespace vx {

THeadlessScreen::THeadlessScreen(int width, int height, std::vector<TMonitorSpec> monitors, int taskbarHeight) {
  previous_ = SetClock(&clock_);
  InitDesktop(width, height, std::move(monitors), taskbarHeight);
  // Nothing arrives from outside: once the script is used up, waiting is over.
  SetWaitHook([] { return false; });
}

THeadlessScreen::~THeadlessScreen() {
  ShutdownDesktop();
  SetClock(previous_);
}

int THeadlessScreen::Pump() {
  int total = 0;
  for (;;) {
    const int n = ProcessPendingMessages();
    total += n;
    if (n == 0 && !HasPendingInput()) break;
    if (QuitRequested()) break;
  }
  return total;
}

void THeadlessScreen::RunFor(uint32_t ms) {
  const int64_t end = clock_.NowMicroseconds() + int64_t(ms) * 1000;
  Pump();
  for (;;) {
    const int64_t due = NextTimerDue();
    if (due < 0 || due > end) break;
    clock_.AdvanceTo(due);
    Pump();
  }
  clock_.AdvanceTo(end);
  Pump();
}

void THeadlessScreen::MoveTo(TPoint p) { InjectMouseMove(p); }
void THeadlessScreen::Down(TMouseButton b) { InjectMouseButton(b, true); }
void THeadlessScreen::Up(TMouseButton b) { InjectMouseButton(b, false); }

void THeadlessScreen::Click(TPoint p, TMouseButton b) {
  MoveTo(p);
  Down(b);
  Up(b);
}

void THeadlessScreen::DoubleClick(TPoint p) {
  Click(p);
  Click(p);
}

void THeadlessScreen::Drag(TPoint from, TPoint to, int steps) {
  MoveTo(from);
  Down();
  steps = steps < 1 ? 1 : steps;
  for (int i = 1; i <= steps; ++i)
    MoveTo({from.X + (to.X - from.X) * i / steps, from.Y + (to.Y - from.Y) * i / steps});
  Up();
}

void THeadlessScreen::Wheel(int delta) { InjectMouseWheel(delta); }
void THeadlessScreen::KeyDown(UINT vk, char32_t ch) { InjectKey(vk, true, ch); }
void THeadlessScreen::KeyUp(UINT vk) { InjectKey(vk, false); }

void THeadlessScreen::Press(UINT vk, char32_t ch) {
  KeyDown(vk, ch);
  KeyUp(vk);
}

void THeadlessScreen::Type(const std::string& text) {
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n') {
      Press(VK_RETURN, U'\r');
    } else if (u >= 'a' && u <= 'z') {
      Press(u - 'a' + 'A', u);
    } else if (u >= 'A' && u <= 'Z') {
      KeyDown(VK_SHIFT);
      Press(u, u);
      KeyUp(VK_SHIFT);
    } else if ((u >= '0' && u <= '9') || u == ' ') {
      Press(u, u);
    } else {
      // Other characters: no key of their own; the character alone.
      Press(0, u);
    }
  }
}

void THeadlessScreen::Wait(uint32_t ms) { InjectWait(ms); }

const TSurfacePtr& THeadlessScreen::Screenshot() { return ComposeScreen(); }

void WriteSurfacePng(const TSurface& s, const std::string& path) {
  TPngImage img;
  img.Width = s.Width();
  img.Height = s.Height();
  img.Pixels.resize(size_t(img.Width) * size_t(img.Height) * 4);
  uint8_t* out = img.Pixels.data();
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const uint32_t p = s.GetPixel(x, y);
      *out++ = uint8_t(p);        // B
      *out++ = uint8_t(p >> 8);   // G
      *out++ = uint8_t(p >> 16);  // R
      *out++ = uint8_t(p >> 24);  // A
    }
  }
  TFileStream f(path, fmCreate);
  WritePng(f, img, TPngOrder::BGRA);
}

void THeadlessScreen::WriteScreenPng(const std::string& path) { WriteSurfacePng(*Screenshot(), path); }

bool THeadlessScreen::WriteWindowPng(HWND hwnd, const std::string& path) {
  TSurfacePtr img = ComposeWindowImage(hwnd);
  if (!img) return false;
  WriteSurfacePng(*img, path);
  return true;
}

}  // namespace vx
