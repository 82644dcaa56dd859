// hello: shows the example form on screen (SDL), or renders it headless.
//   hello                 on screen (when built with SDL2)
//   hello --png out.png   headless: shows the form, types a name, writes the screen
#include <cstdio>
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
  Application->CreateForm<hello::THelloForm>();
  Application->Run();
  return 0;
#else
  std::fprintf(stderr, "hello: built without SDL2; use --png <file>\n");
  return 1;
#endif
}
