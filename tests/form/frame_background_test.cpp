// The client background: the skin's tile (the client part of the frame
// picture, or an active picture) tiled or stretched by the four layouts, the
// centred logo, and the plain background without a skin.
#include <gtest/gtest.h>

#include "raster/vx_bitmap.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

class FrameBackground : public FormFixture {
 protected:
  // Fixture skin on a 400 x 300 form: the client is 392 x 266 at (4, 30);
  // the tile is the picture's client part (4, 30, 236, 136), 232 x 106.
  TvxSkinData* Show() {
    MakeForm(400, 300);
    TvxSkinData* data = AttachSkinData();
    LoadFixtureSkin(*data);
    ShowForm();
    return data;
  }
  void Repaint() {
    form->Invalidate();
    screen.Pump();
  }
  uint32_t Client(int x, int y) { return WindowPixel(4 + x, 30 + y) & 0xFFFFFF; }
};

TEST_F(FrameBackground, TileLayouts) {
  TvxSkinData* data = Show();
  const TvxBitmap& pic = *data->Picture;
  ASSERT_EQ(form->ClientRect(), (TRect{0, 0, 392, 266}));
  struct Case {
    const char* name;
    bool stretch;
    TvxStretchType type;
    TPoint client, picture;
  } cases[] = {
      // Tiled 1:1 from the client's top-left corner.
      {"tiled", false, vxstFull, {10, 10}, {14, 40}},
      {"tiled", false, vxstFull, {226, 10}, {230, 40}},
      {"tiled", false, vxstFull, {10, 100}, {14, 130}},
      {"tiled", false, vxstFull, {240, 110}, {12, 34}},
      // Stretched over the client.
      {"full", true, vxstFull, {196, 133}, {100, 80}},
      {"full", true, vxstFull, {391, 265}, {235, 135}},
      {"full", true, vxstFull, {226, 10}, {150, 40}},
      // Stretched to the window height, repeated across.
      {"horizontal", true, vxstHorz, {226, 10}, {230, 50}},
      {"horizontal", true, vxstHorz, {10, 100}, {14, 65}},
      {"horizontal", true, vxstHorz, {240, 5}, {12, 35}},
      // Stretched to the window width, repeated down.
      {"vertical", true, vxstVert, {391, 100}, {234, 134}},
      {"vertical", true, vxstVert, {196, 50}, {117, 80}},
      {"vertical", true, vxstVert, {10, 120}, {9, 44}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " at " << c.client.X << ", " << c.client.Y);
    data->stretcheffect = c.stretch;
    data->stretchtype = c.type;
    Repaint();
    EXPECT_EQ(Client(c.client.X, c.client.Y), pic.Pixel(c.picture.X, c.picture.Y) & 0xFFFFFF);
  }
  WritePng("background_vertical");
}

TEST_F(FrameBackground, ActivePictureTileAndPlainFallbacks) {
  TvxSkinData* data = Show();
  ASSERT_FALSE(data->ActivePictures.empty());
  const TvxBitmap& tile = *data->ActivePictures[0];
  data->bgpictureindex = 0;
  Repaint();
  for (const TPoint p : {TPoint{3, 3}, TPoint{tile.Width() + 3, 5}, TPoint{7, tile.Height() + 2}})
    EXPECT_EQ(Client(p.X, p.Y), tile.Pixel(p.X % tile.Width(), p.Y % tile.Height()) & 0xFFFFFF);

  // An index no picture has, and an empty client part: the plain face.
  for (int index : {int(data->ActivePictures.size()), -5}) {
    data->bgpictureindex = index;
    Repaint();
    EXPECT_EQ(Client(100, 100), ColorToPixel(clBtnFace) & 0xFFFFFF) << index;
  }
  data->bgpictureindex = -1;
  data->clientrect = {4, 30, 4, 136};
  Repaint();
  EXPECT_EQ(Client(100, 100), ColorToPixel(clBtnFace) & 0xFFFFFF);

  // Nothing to paint into: nothing happens.
  EXPECT_EQ(SendMessage(Wnd(), WM_ERASEBKGND, 0, 0), 1);
}

TEST_F(FrameBackground, LogoIsCentredOverTheBackground) {
  for (bool skinned : {false, true}) {
    SCOPED_TRACE(skinned);
    if (skinned) {
      Show();
    } else {
      MakeForm(400, 300);
      ShowForm();
    }
    TvxBitmap& logo = velmora->LogoBitMap();
    logo.SetSize(20, 10);
    logo.FillRect(logo.BoundsRect(), 0xFF102030);
    Repaint();
    const TRect cr = form->ClientRect();
    const TRect client = velmora->Geometry().FrameClientRect;
    auto at = [&](int x, int y) { return WindowPixel(client.Left + x, client.Top + y) & 0xFFFFFF; };
    const int lx = (cr.Width() - 20) / 2, ly = (cr.Height() - 10) / 2;
    EXPECT_EQ(at(lx, ly), 0x102030u);
    EXPECT_EQ(at(lx + 19, ly + 9), 0x102030u);
    EXPECT_NE(at(lx - 1, ly), 0x102030u);
    EXPECT_NE(at(lx + 20, ly + 10), 0x102030u);
    if (!skinned) {
      EXPECT_EQ(at(5, 5), ColorToPixel(clBtnFace) & 0xFFFFFF);
    }
    // The logo follows the size.
    form->SetBounds(100, 100, 500, 300);
    screen.Pump();
    const int lx2 = (form->ClientRect().Width() - 20) / 2;
    EXPECT_EQ(at(lx2, ly), 0x102030u);
    // A logo wider than the client starts at its left edge.
    logo.SetSize(2000, 10);
    logo.FillRect(logo.BoundsRect(), 0xFF102030);
    Repaint();
    EXPECT_EQ(at(0, ly), 0x102030u);
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
