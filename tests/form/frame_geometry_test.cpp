// Frame geometry: the client area the component gives the window for each
// built-in skin at several sizes (the picture's own size included), the
// placement of the buttons rectangle, the default frame's metrics and the
// track sizes the window system is told.
#include <gtest/gtest.h>

#include "raster/vx_bitmap.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

class FrameGeometry : public FormFixture {};

TEST_F(FrameGeometry, BuiltinSkinsGiveTheClientAreaOfTheirFrameAtEverySize) {
  for (int i = 0; i < BuiltinSkinCount(); ++i) {
    SCOPED_TRACE(i);
    MakeForm(400, 300);
    TvxSkinData* data = AttachSkinData();
    LoadBuiltinSkin(*data, i);
    ShowForm();
    ASSERT_TRUE(velmora->SkinInUse());
    const int pw = data->Picture->Width(), ph = data->Picture->Height();
    const TRect& cr = data->clientrect;
    for (const TSize size : {TSize{pw, ph}, TSize{pw + 1, ph + 1}, TSize{pw + 157, ph + 93}, TSize{700, 500}}) {
      SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
      form->SetBounds(50, 40, size.cx, size.cy);
      screen.Pump();
      ASSERT_EQ(velmora->FrameWidth(), size.cx);
      ASSERT_EQ(velmora->FrameHeight(), size.cy);
      const TRect expected{cr.Left, cr.Top, size.cx - (pw - cr.Right), size.cy - (ph - cr.Bottom)};
      TRect client;
      GetClientAreaInWindow(Wnd(), &client);
      EXPECT_EQ(client, expected);
      EXPECT_EQ(velmora->Geometry().FrameClientRect, expected);
      const TPoint rb = velmora->Geometry().FrameRightBottom;
      EXPECT_EQ(rb.X, data->rightbottompoint.X + size.cx - pw);
      EXPECT_EQ(rb.Y, data->rightbottompoint.Y + size.cy - ph);
      if (size.cx == pw && size.cy == ph) {
        // The frame is the picture itself.
        const TvxFrameGeometry& g = velmora->Geometry();
        EXPECT_EQ(g.FrameLeftTop, data->lefttoppoint);
        EXPECT_EQ(g.FrameRightTop, data->righttoppoint);
        EXPECT_EQ(g.FrameLeftBottom, data->leftbottompoint);
        EXPECT_EQ(g.FrameMaskRect, data->maskrectarea);
        EXPECT_EQ(g.FrameCaptionRect, data->captionrect);
      }
    }
    delete form;
  }
}

// buttonsrect moves with the right edge only when it starts right of the
// picture's middle; left of it, it is recorded as left-side; exactly at the
// middle, neither.
TEST_F(FrameGeometry, ButtonsRectFollowsTheRightEdgeOnlyRightOfTheMiddle) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  ShowForm();
  const int pw = data->Picture->Width();
  const int dx = velmora->FrameWidth() - pw;
  ASSERT_NE(dx, 0);
  struct Case {
    int left;
    int moved;
    bool onLeft;
  } cases[] = {{pw / 2 + 1, dx, false}, {pw / 2, 0, false}, {pw / 2 - 1, 0, true}, {4, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    data->buttonsrect = {c.left, 2, c.left + 40, 20};
    velmora->CalcFrameGeometry();
    EXPECT_EQ(velmora->Geometry().FrameButtonsRect, data->buttonsrect.Offset(c.moved, 0));
    EXPECT_EQ(velmora->Geometry().ButtonsRectOnLeft, c.onLeft);
  }
  // An empty buttons rectangle stays as it is.
  data->buttonsrect = {300, 2, 300, 20};
  velmora->CalcFrameGeometry();
  EXPECT_EQ(velmora->Geometry().FrameButtonsRect, data->buttonsrect);
  EXPECT_FALSE(velmora->Geometry().ButtonsRectOnLeft);
}

TEST_F(FrameGeometry, DefaultFrameIsAThreePixelBorderUnderACaptionOf19Or15) {
  struct Case {
    TFormBorderStyle bs;
    int caption, button;
  } cases[] = {{bsSizeable, 19, 17}, {bsSingle, 19, 17}, {bsToolWindow, 15, 13}, {bsSizeToolWin, 15, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.bs));
    MakeForm(300, 200, c.bs);
    ShowForm();
    EXPECT_FALSE(velmora->SkinInUse());
    EXPECT_EQ(velmora->CaptionHeight(), c.caption);
    EXPECT_EQ(velmora->CaptionButtonSize(), c.button);
    TRect client;
    GetClientAreaInWindow(Wnd(), &client);
    EXPECT_EQ(client, (TRect{3, c.caption + 3, 297, 197}));
    delete form;
  }
  // Without a border there is no frame at all.
  MakeForm(300, 200, bsNone);
  ShowForm();
  TRect client;
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, (TRect{0, 0, 300, 200}));
}

// A frame that has no room left gives an empty client area, never a negative one.
TEST_F(FrameGeometry, TooSmallWindowGetsAnEmptyClientArea) {
  MakeForm(300, 200);
  ShowForm();
  velmora->SetMinWidth(1);
  velmora->SetMinHeight(1);
  TRect proposed{10, 10, 14, 30};
  SendMessage(Wnd(), WM_NCCALCSIZE, 0, ToLParam(&proposed));
  EXPECT_EQ(proposed.Width(), 0);
  EXPECT_EQ(proposed.Height(), 0);
  EXPECT_EQ(proposed.Left, 13);
  EXPECT_EQ(proposed.Top, 32);
}

TEST_F(FrameGeometry, MinMaxInfoCarriesTheTrackSizes) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  ShowForm();
  auto ask = [&] {
    MINMAXINFO mmi;
    SendMessage(Wnd(), WM_GETMINMAXINFO, 0, ToLParam(&mmi));
    return mmi;
  };
  // Default mode: 120 wide and caption + 6 high; the work area at most.
  MINMAXINFO mmi = ask();
  EXPECT_EQ(mmi.ptMinTrackSize, (TPoint{120, 25}));
  TRect work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(mmi.ptMaxTrackSize, (TPoint{work.Width(), work.Height()}));
  velmora->SetMaximizeOnFullScreen(true);
  EXPECT_EQ(ask().ptMaxTrackSize, (TPoint{800, 600}));
  velmora->SetMaxWidth(640);
  velmora->SetMaxHeight(480);
  EXPECT_EQ(ask().ptMaxTrackSize, (TPoint{640, 480}));

  // Skin mode: the skin's formminwidth / formminheight unless MinWidth /
  // MinHeight ask for more.
  LoadFixtureSkin(*data);
  screen.Pump();
  EXPECT_EQ(ask().ptMinTrackSize, (TPoint{data->formminwidth, data->formminheight}));
  velmora->SetMinWidth(data->formminwidth + 50);
  velmora->SetMinHeight(data->formminheight + 20);
  EXPECT_EQ(ask().ptMinTrackSize, (TPoint{data->formminwidth + 50, data->formminheight + 20}));
  // Without the skin's minimums: the picture's width and its frame height.
  velmora->SetMinWidth(0);
  velmora->SetMinHeight(0);
  data->formminwidth = 0;
  data->formminheight = 0;
  EXPECT_EQ(ask().ptMinTrackSize,
            (TPoint{data->Picture->Width(), data->Picture->Height() - data->clientrect.Height()}));

  // The window system keeps a drag above the minimum.
  form->SetBounds(100, 100, 10, 10);
  screen.Pump();
  EXPECT_EQ(form->Width(), data->Picture->Width());
}

// A skin that is applied to a form smaller than its minimum grows the form.
TEST_F(FrameGeometry, ApplyingASkinGrowsATooSmallForm) {
  MakeForm(130, 40);
  ShowForm();
  TvxSkinData* data = new TvxSkinData(form);
  LoadFixtureSkin(*data);
  velmora->SetSkinData(data);
  screen.Pump();
  EXPECT_EQ(form->Width(), data->formminwidth);
  EXPECT_EQ(form->Height(), data->formminheight);
}

// An MDI child draws its frame inside the main form; maximized it has none:
// the client covers the whole window and the window has no shape of its own.
TEST_F(FrameGeometry, MdiChildFrameAndMaximizedChild) {
  TForm* main = new TForm(Application);
  Application->SetMainForm(main);
  main->SetFormStyle(fsMDIForm);
  main->SetBounds(50, 50, 600, 450);
  main->Show();
  screen.Pump();
  form = new TForm(Application);
  form->SetFormStyle(fsMDIChild);
  form->SetBounds(10, 10, 300, 200);
  velmora = new TvxVelmora(form);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  ShowForm();
  ASSERT_TRUE(velmora->IsMDIChild());
  TRect client;
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, (TRect{4, 30, 296, 196}));
  // A screen point maps to the frame through the child's client area.
  TPoint p = form->ClientToScreen({0, 0});
  velmora->ScreenToFrame(p);
  EXPECT_EQ(p, (TPoint{4, 30}));

  form->SetWindowState(wsMaximized);
  screen.Pump();
  ASSERT_TRUE(velmora->IsMaximizedMDIChild());
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, (TRect{0, 0, velmora->FrameWidth(), velmora->FrameHeight()}));
  TRegion rgn;
  ASSERT_NE(GetWindowRgn(Wnd(), rgn), 0);
  EXPECT_EQ(rgn, TRegion(TRect{0, 0, velmora->FrameWidth(), velmora->FrameHeight()}));
}

}  // namespace
}  // namespace vx::test
