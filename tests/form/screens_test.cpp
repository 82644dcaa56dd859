// Screenshots of a skinned window in each built-in skin, active and inactive,
// at two sizes (VX_TEST_OUT_DIR/form/screens_*.png), with the checks that make
// them more than pictures: the window takes the skin's shape, the frame follows
// the size, and deactivation repaints it.
#include <string>

#include "platform/gfx/font.h"
#include "platform/win/compositor.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

class BuiltinSkinScreens : public FormFixture {
 protected:
  // Window image as 0xAARRGGBB pixels, row by row, composed once.
  std::vector<uint32_t> Image() {
    screen.Pump();
    std::vector<uint32_t> px;
    TSurfacePtr img = ComposeWindowImage(Wnd());
    if (!img) return px;
    for (int y = 0; y < img->Height(); ++y)
      for (int x = 0; x < img->Width(); ++x) px.push_back(img->GetPixel(x, y));
    return px;
  }
};

TEST_F(BuiltinSkinScreens, EachSkinActiveAndInactiveAtTwoSizes) {
  // These pictures are for looking at: the installed fonts, not the test font.
  SetTestFontForAll(false);
  const TSize sizes[] = {{420, 260}, {640, 430}};
  for (int skin = 0; skin < BuiltinSkinCount(); ++skin) {
    for (const TSize& size : sizes) {
      SCOPED_TRACE("skin " + std::to_string(skin) + " at " + std::to_string(size.cx) + "x" + std::to_string(size.cy));
      MakeForm(size.cx, size.cy);
      form->SetCaption("Skinned window");
      TvxSkinData* data = AttachSkinData();
      LoadBuiltinSkin(*data, skin);
      ASSERT_TRUE(velmora->SkinInUse());
      ShowForm();
      ASSERT_TRUE(velmora->IsFormActive());
      ASSERT_EQ(form->Width(), size.cx);
      ASSERT_EQ(form->Height(), size.cy);
      const std::string stem = "screens_" + data->SkinName + "_" + std::to_string(size.cx) + "x" +
                               std::to_string(size.cy);
      WritePng(stem + "_active");
      const std::vector<uint32_t> active = Image();

      // The shape: the window's region leaves the rounded top corners out
      // and keeps the middle of the caption.
      EXPECT_EQ(WindowPixel(0, 0) >> 24, 0u);
      EXPECT_EQ(WindowPixel(form->Width() / 2, 2) >> 24, 255u);

      // Another window takes the activation: the frame is painted inactive.
      TForm* other = new TForm(Application);
      other->SetBounds(700, 500, 40, 40);
      other->Show();
      screen.Pump();
      ASSERT_FALSE(velmora->IsFormActive());
      WritePng(stem + "_inactive");
      EXPECT_NE(Image(), active);
      delete other;
      delete form;
      form = nullptr;
      velmora = nullptr;
    }
  }
}

}  // namespace
}  // namespace vx::test
