// The demonstration program: the skinned main window on screen (SDL), or
// rendered headless into a PNG file.
//   Project1                  on screen (when built with SDL2)
//   Project1 --png out.png    headless: shows the window and writes the screen
#include <cstdio>
#include <cstring>
#include <string>

#include "demo/Unit1.h"
#include "platform/backend/headless/headless.h"
#ifdef VX_HAVE_SDL
#include "platform/backend/sdl/sdl_backend.h"
#endif

using namespace vx;

static int RunHeadless(const std::string& png) {
  THeadlessScreen screen(1024, 720);
  auto* form = Application->CreateForm<demo::TForm1>();
  form->Show();
  screen.Pump();
  screen.WriteScreenPng(png);
  delete form;
  std::printf("wrote %s\n", png.c_str());
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--png") == 0) return RunHeadless(argv[2]);
#ifdef VX_HAVE_SDL
  TSdlBackend sdl("Project1", 1024, 720);
  if (!sdl.Ok()) {
    std::fprintf(stderr, "Project1: %s\n", sdl.Error().c_str());
    return 1;
  }
  Application->CreateForm<demo::TForm1>();
  Application->Run();
  return 0;
#else
  std::fprintf(stderr, "Project1: built without SDL2; use --png out.png\n");
  return 1;
#endif
}
