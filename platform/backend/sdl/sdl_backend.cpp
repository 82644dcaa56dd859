#include "platform/backend/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/codecs/png_codec.h"
#include "platform/core/streams.h"
#include "platform/win/compositor.h"

namespace vx {

struct TSdlBackend::Impl {
  SDL_Window* window = nullptr;
  bool fullPresent = true;
};

TSdlBackend::TSdlBackend(const std::string& title, int width, int height) : impl_(new Impl) {
  // The click that activates the host window also acts on the virtual screen.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    error_ = std::string("SDL_Init failed: ") + SDL_GetError();
    return;
  }
  impl_->window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                   SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (!impl_->window) {
    error_ = std::string("SDL_CreateWindow failed: ") + SDL_GetError();
    return;
  }
  SetClock(nullptr);
  InitDesktop(width, height);
  SetWaitHook([this] {
    Present();
    int timeout = 50;
    const int64_t due = NextTimerDue();
    if (due >= 0) {
      const int64_t now = CurrentClock().NowMicroseconds();
      timeout = int(std::clamp<int64_t>((due - now + 999) / 1000, 0, 50));
    }
    PumpEvents(timeout);
    return true;
  });
  SetScreenChangedHook([this] { Present(); });
  ok_ = true;
}

TSdlBackend::~TSdlBackend() {
  if (ok_) {
    SetScreenChangedHook({});
    SetWaitHook({});
    ShutdownDesktop();
  }
  if (impl_->window) SDL_DestroyWindow(impl_->window);
  SDL_Quit();
  delete impl_;
}

UINT TSdlBackend::KeyToVk(int k) {
  if (k >= SDLK_a && k <= SDLK_z) return UINT('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return UINT('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return UINT(VK_F1 + (k - SDLK_F1));
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return UINT(VK_NUMPAD1 + (k - SDLK_KP_1));
  switch (k) {
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_APPLICATION: return VK_APPS;
    default: return 0;
  }
}

// The character a key types: ASCII from the key symbol, upper case with Shift
// for letters; 0 leaves it to the window system (letters, digits, Enter...).
static char32_t KeyChar(const SDL_Keysym& ks) {
  const int k = ks.sym;
  if (k >= SDLK_a && k <= SDLK_z) return char32_t((ks.mod & (KMOD_SHIFT | KMOD_CAPS)) ? 'A' + (k - SDLK_a) : k);
  if (k >= 32 && k < 127) return char32_t(k);
  return 0;
}

void TSdlBackend::HandleEvent(const void* ev) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(ev);
  if (std::getenv("VX_SDL_TRACE")) std::fprintf(stderr, "sdl event %#x\n", e.type);
  switch (e.type) {
    case SDL_QUIT:
      if (OnQuit) {
        OnQuit();
      } else {
        HWND target = GetActiveWindow();
        if (!target)
          for (HWND h : GetChildWindows(nullptr))
            if (IsWindowVisible(h)) {
              target = h;
              break;
            }
        if (target) PostMessage(target, WM_CLOSE);
        else PostQuitMessage(0);
      }
      break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        ResizeScreen(std::max(1, e.window.data1), std::max(1, e.window.data2));
        impl_->fullPresent = true;
      } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
        impl_->fullPresent = true;
      }
      break;
    case SDL_MOUSEMOTION: InjectMouseMove({e.motion.x, e.motion.y}); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      TMouseButton b = e.button.button == SDL_BUTTON_RIGHT    ? TMouseButton::Right
                       : e.button.button == SDL_BUTTON_MIDDLE ? TMouseButton::Middle
                                                              : TMouseButton::Left;
      InjectMouseMove({e.button.x, e.button.y});
      InjectMouseButton(b, e.type == SDL_MOUSEBUTTONDOWN);
      break;
    }
    case SDL_MOUSEWHEEL:
      if (e.wheel.y) InjectMouseWheel(e.wheel.y * 120);
      if (e.wheel.x) InjectMouseWheel(e.wheel.x * 120, true);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      UINT vk = KeyToVk(e.key.keysym.sym);
      if (!vk) break;
      const bool down = e.type == SDL_KEYDOWN;
      InjectKey(vk, down, down ? KeyChar(e.key.keysym) : 0);
      break;
    }
    default: break;
  }
}

void TSdlBackend::PumpEvents(int timeoutMs) {
  SDL_Event e;
  if (timeoutMs > 0 ? SDL_WaitEventTimeout(&e, timeoutMs) : SDL_PollEvent(&e)) {
    HandleEvent(&e);
    while (SDL_PollEvent(&e)) HandleEvent(&e);
  }
}

void TSdlBackend::PresentAll() {
  impl_->fullPresent = true;
  Present();
}

// Only the damaged rectangles are copied and updated on the host window.
void TSdlBackend::Present() {
  if (!ok_) return;
  const TSurfacePtr& fb = ComposeScreen();
  TRegion damage = TakeScreenDamage();
  SDL_Surface* dst = SDL_GetWindowSurface(impl_->window);
  if (!dst || !fb || fb->IsEmpty()) return;
  if (impl_->fullPresent) {
    damage = TRegion(fb->BoundsRect());
    impl_->fullPresent = false;
  }
  if (damage.IsEmpty()) return;
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(fb->Bits(), fb->Width(), fb->Height(), 32, fb->Stride(),
                                                        SDL_PIXELFORMAT_ARGB8888);
  if (!src) return;
  std::vector<SDL_Rect> rects;
  for (const TRect& r : damage.Rects()) {
    SDL_Rect sr{r.Left, r.Top, r.Width(), r.Height()};
    SDL_Rect dr = sr;
    SDL_BlitSurface(src, &sr, dst, &dr);
    rects.push_back(sr);
  }
  SDL_FreeSurface(src);
  SDL_UpdateWindowSurfaceRects(impl_->window, rects.data(), int(rects.size()));
}

bool TSdlBackend::SaveWindowPng(const std::string& path) {
  if (!ok_) return false;
  SDL_Surface* s = SDL_GetWindowSurface(impl_->window);
  if (!s) return false;
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ABGR8888, 0);  // bytes R, G, B, A
  if (!rgba) return false;
  TPngImage img;
  img.Width = rgba->w;
  img.Height = rgba->h;
  img.Pixels.resize(size_t(rgba->w) * size_t(rgba->h) * 4);
  for (int y = 0; y < rgba->h; ++y)
    std::memcpy(img.Pixels.data() + size_t(y) * size_t(rgba->w) * 4,
                static_cast<const uint8_t*>(rgba->pixels) + size_t(y) * size_t(rgba->pitch), size_t(rgba->w) * 4);
  SDL_FreeSurface(rgba);
  for (size_t i = 3; i < img.Pixels.size(); i += 4) img.Pixels[i] = 255;
  TFileStream f(path, fmCreate);
  WritePng(f, img, TPngOrder::RGBA);
  return true;
}

}  // namespace vx
