// The frame through window operations: sizing the window by dragging its
// border, the cursor in the non-client area, the size nudge, and a caption
// text change.
#include <gtest/gtest.h>

#include "form/caption_objects.h"
#include "platform/framework/extctrls.h"
#include "platform/framework/menus.h"
#include "raster/vx_bitmap.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

class FrameWindow : public FormFixture {};

// While the border is dragged the frame follows every step; afterwards the
// geometry, the client area and the region fit the final size, and the
// minimum track size holds.
TEST_F(FrameWindow, DraggingTheBorderRebuildsTheFrame) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  ShowForm();
  int sizes = 0, inLoop = 0, stale = 0;
  auto check = [&](int w, int h) {
    EXPECT_EQ(form->Width(), w);
    EXPECT_EQ(velmora->FrameWidth(), w);
    EXPECT_EQ(velmora->FrameHeight(), h);
    TRect client;
    GetClientAreaInWindow(Wnd(), &client);
    EXPECT_EQ(client, (TRect{4, 30, w - 4, h - 4}));
    EXPECT_EQ(velmora->Geometry().FrameClientRect, client);
    TRegion rgn;
    ASSERT_NE(GetWindowRgn(Wnd(), rgn), 0);
    EXPECT_EQ(rgn.Bounds(), (TRect{0, 0, w, h}));
    // The top-right corner keeps the mask's cut at the new right edge.
    EXPECT_FALSE(rgn.Contains(w - 1, 0));
    EXPECT_TRUE(rgn.Contains(w - 1, 20));
  };
  // Every size step inside the loop finds the frame and region already
  // rebuilt for it.
  form->OnResize = [&](TObject*) {
    ++sizes;
    if (!velmora->InMoveSizeLoop()) return;
    ++inLoop;
    TRegion rgn;
    GetWindowRgn(Wnd(), rgn);
    if (velmora->FrameWidth() != form->Width() || rgn.Bounds().Width() != form->Width()) ++stale;
  };
  screen.Drag(ScreenAt(398, 150), ScreenAt(498, 150), 4);
  screen.Pump();
  EXPECT_FALSE(velmora->InMoveSizeLoop());
  EXPECT_GE(inLoop, 2);
  EXPECT_EQ(stale, 0);
  check(500, 300);
  // Far below the minimum: the skin's minimum width.
  screen.Drag(ScreenAt(498, 150), ScreenAt(10, 150), 3);
  screen.Pump();
  check(data->formminwidth, 300);
  WritePng("dragged_to_minimum");
}

TEST_F(FrameWindow, FormCursorInTheNonClientAreaExceptOnSizingBorders) {
  MakeForm(300, 200);
  ShowForm();
  form->SetCursor(IDC_HAND);
  struct Case {
    int hit;
    bool option;
    HCURSOR cursor;
  } cases[] = {
      {HTCAPTION, false, IDC_ARROW}, {HTCAPTION, true, IDC_HAND},   {HTOBJECT, true, IDC_HAND},
      {HTLEFT, true, IDC_SIZEWE},    {HTBOTTOMRIGHT, true, IDC_SIZENWSE}, {HTCLIENT, true, IDC_HAND},
  };
  screen.MoveTo(ScreenAt(150, 100));
  screen.Pump();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.hit << " " << c.option);
    velmora->SetUseFormCursorInNCArea(c.option);
    SetCursor(IDC_WAIT);
    SendMessage(Wnd(), WM_SETCURSOR, HandleToWParam(Wnd()), MAKELPARAM(WORD(c.hit), WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), c.cursor);
  }
}

TEST_F(FrameWindow, NudgeKeepsTheSizeAndRelaysOut) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  ShowForm();
  int resizes = 0;
  form->OnResize = [&](TObject*) { ++resizes; };
  velmora->NudgeSize();
  EXPECT_EQ(form->Width(), 400);
  EXPECT_EQ(resizes, 2);
  // At the minimum width the nudge goes one pixel wider, not narrower.
  form->SetWidth(data->formminwidth);
  screen.Pump();
  resizes = 0;
  velmora->NudgeSize();
  EXPECT_EQ(form->Width(), data->formminwidth);
  EXPECT_EQ(resizes, 2);
}

// Losing the activation clears the hovered caption button.
TEST_F(FrameWindow, DeactivationClearsTheHoveredButton) {
  MakeForm(300, 200);
  ShowForm();
  // The close button of the default frame, right of the caption.
  const TRect cap = velmora->Objects().LayoutDefaultObjects();
  screen.MoveTo(ScreenAt(cap.Right + 8, 12));
  screen.RunFor(60);
  ASSERT_GE(velmora->Objects().HotIndex(), 0);
  TForm* other = new TForm(Application);
  other->SetBounds(500, 400, 100, 80);
  other->Show();
  screen.Pump();
  EXPECT_FALSE(velmora->IsFormActive());
  EXPECT_EQ(velmora->Objects().HotIndex(), -1);
}

// With a stretched background every windowed child hears that its parent's
// background changed when the frame is rebuilt for a new size.
TEST_F(FrameWindow, StretchedBackgroundTellsTheChildrenOnResize) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  data->stretcheffect = true;
  auto* child = new TPanel(form);
  child->SetParent(form);
  child->SetBounds(10, 10, 50, 50);
  int heard = 0;
  auto previous = child->WindowProc;
  child->WindowProc = [&heard, previous](TMessage& m) {
    if (m.Msg == VXM_PARENTBACKGROUNDCHANGED) ++heard;
    previous(m);
  };
  ShowForm();
  heard = 0;
  form->SetBounds(100, 100, 450, 320);
  screen.Pump();
  EXPECT_GE(heard, 1);
  data->stretcheffect = false;
  heard = 0;
  form->SetBounds(100, 100, 400, 300);
  screen.Pump();
  EXPECT_EQ(heard, 0);
}

// The system menu offers the commands that apply to the window's state, and
// its items send them to the window.
TEST_F(FrameWindow, SystemMenuCommandsFollowTheWindowState) {
  MakeForm(300, 200);
  ShowForm();
  TMenuItem* menu = velmora->SystemMenuItem();
  auto enabled = [&](const std::string& caption) {
    for (int i = 0; i < menu->Count(); ++i)
      if (menu->Items(i)->Caption() == caption) return menu->Items(i)->Enabled();
    ADD_FAILURE() << caption;
    return false;
  };
  auto click = [&](const std::string& caption) {
    for (int i = 0; i < menu->Count(); ++i)
      if (menu->Items(i)->Caption() == caption) menu->Items(i)->Click();
    screen.Pump();
  };
  // The popup closes at once: the script has no input for it.
  velmora->ShowSystemMenu(150, 150);
  EXPECT_FALSE(enabled("&Restore"));
  EXPECT_TRUE(enabled("&Move"));
  EXPECT_TRUE(enabled("&Size"));
  EXPECT_TRUE(enabled("Ma&ximize"));
  click("Ma&ximize");
  ASSERT_TRUE(IsZoomed(Wnd()));
  velmora->ShowSystemMenu(150, 150);
  EXPECT_TRUE(enabled("&Restore"));
  EXPECT_FALSE(enabled("&Move"));
  EXPECT_FALSE(enabled("Ma&ximize"));
  click("&Restore");
  EXPECT_FALSE(IsZoomed(Wnd()));
  // Without the maximize icon there is nothing to maximize.
  velmora->SetBorderIcons(biSystemMenu | biMinimize);
  velmora->ShowSystemMenu(150, 150);
  EXPECT_FALSE(enabled("Ma&ximize"));
  EXPECT_TRUE(enabled("Mi&nimize"));
}

// A form class that paints itself keeps doing so under the component, on top
// of the skin's background, which the form's own painting no longer covers.
TEST_F(FrameWindow, FormPaintOverrideRunsOverTheSkinBackground) {
  class TPaintingForm : public TForm {
   public:
    using TForm::TForm;
    void Paint() override {
      Canvas().Brush().SetColor(RGB(0x10, 0x20, 0x30));
      Canvas().FillRect({0, 0, 10, 10});
    }
  };
  form = new TPaintingForm(Application);
  form->SetBounds(100, 100, 300, 200);
  velmora = new TvxVelmora(form);
  LoadFixtureSkin(*AttachSkinData());
  ShowForm();
  ASSERT_TRUE(velmora->SkinInUse());
  const TRect client = velmora->Geometry().FrameClientRect;
  EXPECT_EQ(WindowColor(client.Left + 5, client.Top + 5), RGB(0x10, 0x20, 0x30));
  // Beyond the painted square: the skin's client tile, not the form colour.
  const TColor beyond = WindowColor(client.Left + 40, client.Top + 40);
  EXPECT_NE(beyond, RGB(0x10, 0x20, 0x30));
  EXPECT_NE(beyond, form->Color());
}

TEST_F(FrameWindow, OwnerMustBeAForm) {
  MakeForm(300, 200);
  auto* panel = new TPanel(form);
  const int owned = panel->ComponentCount();
  EXPECT_THROW(new TvxVelmora(panel), EInvalidCast);
  EXPECT_THROW(new TvxVelmora(nullptr), EInvalidCast);
  EXPECT_EQ(panel->ComponentCount(), owned);
}

TEST_F(FrameWindow, CaptionTextChangeRepaintsTheDefaultFrame) {
  MakeForm(300, 200);
  form->SetCaption("");
  ShowForm();
  const int x = 150, y = 12;
  const uint32_t before = WindowPixel(x, y);
  form->SetCaption("WWWWWWWWWW");
  EXPECT_NE(WindowPixel(x, y), before);
  form->SetCaption("");
  EXPECT_EQ(WindowPixel(x, y), before);
}

}  // namespace
}  // namespace vx::test
