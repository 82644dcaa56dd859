// A headless desktop with a form carrying a form skinning component, skins to
// load into it (the flat-colour fixture skin and the built-in packages) and
// helpers that read back what the window shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "form/velmora.h"
#include "platform/backend/headless/headless.h"
#include "platform/framework/forms.h"
#include "skin/vxSkinData.h"
#include "skins/skin_gen.h"

namespace vx::test {

// VX_TEST_OUT_DIR/form/<name>-<process id>: test cases run as parallel
// processes, so folders they write and delete must not be shared.
std::string ProcessDir(const std::string& name);
// The INI path of a fixture skin written once per process (variants by options).
std::string FixtureSkinPath(const skins::TvxFixtureOptions& options = {});
// Loads the fixture skin (LoadFromFile) into data.
void LoadFixtureSkin(TvxSkinData& data, const skins::TvxFixtureOptions& options = {});
// Loads built-in package i (0 Silver, 1 Blue, 2 Black) into data.
void LoadBuiltinSkin(TvxSkinData& data, int i);
// Number of built-in packages.
int BuiltinSkinCount();

// 0x00BBGGRR of a 0xAARRGGBB pixel.
inline TColor PixelColor(uint32_t px) {
  return TColor(((px >> 16) & 0xFF) | (px & 0xFF00) | ((px & 0xFF) << 16));
}

class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A form at (100, 100) of w x h with a component on it (not shown).
  void MakeForm(int w = 300, int h = 200, TFormBorderStyle bs = bsSizeable);
  // A skin data owned by the form and assigned to the component.
  TvxSkinData* AttachSkinData();
  void ShowForm();
  // The window's own image (window coordinates), composed now.
  uint32_t WindowPixel(int x, int y);
  TColor WindowColor(int x, int y) { return PixelColor(WindowPixel(x, y)); }
  // Writes the window image to VX_TEST_OUT_DIR/form/<name>.png.
  void WritePng(const std::string& name);
  // Screen point of a window point.
  TPoint ScreenAt(int x, int y);
  HWND Wnd() { return form->Handle(); }

  THeadlessScreen screen{800, 600};
  TForm* form = nullptr;
  TvxVelmora* velmora = nullptr;
};

}  // namespace vx::test
