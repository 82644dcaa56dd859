#include "raster/parent_image.h"

#include <gtest/gtest.h>

#include "platform/backend/headless/headless.h"
#include "platform/framework/controls.h"
#include "platform/framework/forms.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"

namespace vx {
namespace {

// A windowless control that fills itself with one colour.
class Patch : public TGraphicControl {
 public:
  Patch(TComponent* owner, TColor c) : TGraphicControl(owner), colour_(c) {}
  void Paint() override {
    Canvas().Brush().SetColor(colour_);
    Canvas().FillRect({0, 0, Width(), Height()});
  }

 private:
  TColor colour_;
};

// A container whose own painting adds a blue stripe over its erased background.
class StripedPanel : public TCustomControl {
 public:
  explicit StripedPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() | csAcceptsControls);
  }
  void Paint() override {
    Canvas().Brush().SetColor(clBlue);
    Canvas().FillRect({0, 20, 100, 22});
  }
};

// A container that paints its background itself.
class PainterPanel : public StripedPanel, public IvxBackgroundPainter {
 public:
  using StripedPanel::StripedPanel;
  void PaintBackground(HDC dc) override { FillSolidRect(dc, ClientRect(), clFuchsia); }
};

class ParentImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTestFontForAll(true);
    form = new TForm(Application);
    form->SetBounds(50, 50, 300, 200);
  }
  void TearDown() override {
    SetWaitHook([] { return false; });
    while (Screen->FormCount() > 0) delete Screen->Forms(0);
    SetTestFontForAll(false);
  }
  // Builds: below = a green patch under the target's top-left, far = a patch
  // that does not touch it, target, above = a yellow patch added after it.
  TControl* Populate(TWinControl* panel) {
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 150);
    panel->SetColor(clRed);
    auto add = [&](TControl* c, TRect r) {
      c->SetParent(panel);
      c->SetBoundsRect(r);
      return c;
    };
    add(new Patch(form, clLime), {10, 10, 30, 30});
    add(new Patch(form, clAqua), {150, 100, 170, 120});
    TControl* target = add(new Patch(form, clBlack), {20, 20, 60, 60});
    add(new Patch(form, clYellow), {20, 20, 40, 40});
    form->Show();
    screen.Pump();
    return target;
  }
  TColor At(TBitmap& b, int x, int y) { return b.Canvas().Pixels(x, y); }

  THeadlessScreen screen{640, 480};
  TForm* form = nullptr;
};

TEST_F(ParentImageTest, BackgroundParentPaintingAndEarlierSiblingsOnly) {
  TControl* target = Populate(new StripedPanel(form));
  TBitmap bmp(40, 40);
  bmp.Canvas().Brush().SetColor(clWhite);
  bmp.Canvas().FillRect({0, 0, 40, 40});
  GetParentImage(target, &bmp.Canvas());
  EXPECT_EQ(At(bmp, 0, 0), clLime);    // the earlier sibling at (20, 20)
  EXPECT_EQ(At(bmp, 9, 9), clLime);    // its last pixel (29, 29)
  EXPECT_EQ(At(bmp, 10, 10), clRed);   // the later sibling is not painted
  EXPECT_EQ(At(bmp, 35, 0), clBlue);   // the parent's own painting (stripe at y 20)
  EXPECT_EQ(At(bmp, 35, 2), clRed);    // erased background under the stripe
  EXPECT_EQ(At(bmp, 39, 39), clRed);
}

TEST_F(ParentImageTest, BackgroundPainterReplacesEraseAndPainting) {
  TControl* target = Populate(new PainterPanel(form));
  TBitmap bmp(40, 40);
  GetParentImage(target, &bmp.Canvas());
  EXPECT_EQ(At(bmp, 35, 0), clFuchsia);  // no stripe: the panel's painting is not asked for
  EXPECT_EQ(At(bmp, 35, 15), clFuchsia);
  EXPECT_EQ(At(bmp, 5, 5), clLime);
}

TEST_F(ParentImageTest, ClippedToTheParentClientAndLeavesTheCanvasAsItWas) {
  TControl* target = Populate(new StripedPanel(form));
  target->SetBounds(180, 130, 40, 40);  // reaches 20 pixels past the panel
  TBitmap bmp(40, 40);
  bmp.Canvas().Brush().SetColor(clWhite);
  bmp.Canvas().FillRect({0, 0, 40, 40});
  GetParentImage(target, &bmp.Canvas());
  EXPECT_EQ(At(bmp, 19, 19), clRed);
  EXPECT_EQ(At(bmp, 20, 20), clWhite);  // outside the parent: untouched
  // The canvas origin and clip are restored: a fill covers the whole bitmap.
  bmp.Canvas().Brush().SetColor(clGreen);
  bmp.Canvas().FillRect({0, 0, 40, 40});
  EXPECT_EQ(At(bmp, 0, 0), clGreen);
  EXPECT_EQ(At(bmp, 39, 39), clGreen);
}

TEST_F(ParentImageTest, NoParentPaintsNothing) {
  Patch loose(nullptr, clBlack);
  TBitmap bmp(4, 4);
  bmp.Canvas().Brush().SetColor(clWhite);
  bmp.Canvas().FillRect({0, 0, 4, 4});
  GetParentImage(&loose, &bmp.Canvas());
  GetParentImage(nullptr, &bmp.Canvas());
  EXPECT_EQ(At(bmp, 0, 0), clWhite);
}

}  // namespace
}  // namespace vx
