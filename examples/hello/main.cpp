// hello: shows the example form on screen (SDL), or renders it headless.
//   hello                 on screen (when built with SDL2)
//   hello --png out.png   headless: shows the form, types a name, writes the screen
//   hello --sdl-shot out.png [ms]  on screen; after ms (default 1500) writes what the
//                         host window shows and closes
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "examples/hello/hello_form.h"
#include "platform/backend/headless/headless.h"
#ifdef VX_HAVE_SDL
#include "platform/backend/sdl/sdl_backend.h"
#endif

using namespace vx;

static int RunHeadless(const std::string& png) {
  THeadlessScreen screen(480, 340);
  auto* form = Application->CreateForm<hello::THelloForm>();
  form->Show();
  screen.Pump();
  form->NameEdit->SelectAll();
  screen.Type("Framework");
  screen.Click(form->Colours->ClientToScreen({30, form->Colours->ItemRect(4).Top + 4}));
  screen.Pump();
  screen.WriteScreenPng(png);
  delete form;
  std::printf("wrote %s\n", png.c_str());
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--png") == 0) return RunHeadless(argv[2]);
#ifdef VX_HAVE_SDL
  TSdlBackend sdl("hello", 480, 340);
  if (!sdl.Ok()) {
    std::fprintf(stderr, "hello: %s\n", sdl.Error().c_str());
    return 1;
  }
  auto* form = Application->CreateForm<hello::THelloForm>();
  if (std::getenv("VX_SDL_TRACE"))
    Application->OnMessage = [](MSG& m, bool&) {
      if (m.message >= WM_MOUSEMOVE && m.message <= WM_MBUTTONDBLCLK && m.message != WM_MOUSEMOVE)
        std::fprintf(stderr, "msg %#x to %s at %d,%d\n", m.message,
                     TWinControl::FindControl(m.hwnd) ? TWinControl::FindControl(m.hwnd)->ClassName().c_str() : "?",
                     GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam));
    };
  std::string shot;
  if (argc >= 3 && std::strcmp(argv[1], "--sdl-shot") == 0) {
    shot = argv[2];
    auto* t = new TTimer(form);
    t->SetInterval(argc >= 4 ? UINT(std::atoi(argv[3])) : 1500);
    t->SetOnTimer([&, t](TObject*) {
      t->SetEnabled(false);
      sdl.Present();
      bool ok = sdl.SaveWindowPng(shot);
      std::printf("%s %s\n", ok ? "wrote" : "could not write", shot.c_str());
      form->Close();
    });
  }
  Application->Run();
  return 0;
#else
  std::fprintf(stderr, "hello: built without SDL2; use --png <file>\n");
  return 1;
#endif
}
