#include <gtest/gtest.h>

#include "platform/framework/extctrls.h"
#include "platform/framework/stdctrls.h"
#include "tests/platform/framework/fixture.h"

namespace vx::test {
namespace {

using ControlsTest = FrameworkTest;

// A container whose aligned children keep a margin of 5 pixels.
class TMarginPanel : public TPanel {
 public:
  using TPanel::TPanel;
  void AdjustClientRect(TRect& r) override { r = r.Inflate(-5, -5); }
};

TEST_F(ControlsTest, AlignmentFillsEdgesInOrderThenClient) {
  form->SetBorderStyle(bsNone);
  auto* host = new TPanel(form);
  host->SetBevelOuter(bvNone);
  host->SetParent(form);
  host->SetBounds(0, 0, 200, 100);
  struct Case {
    TAlign align;
    int w, h;
    TRect expected;
  };
  // Created in this order; each edge takes its strip from what is left.
  const Case cases[] = {
      {alTop, 10, 20, {0, 0, 200, 20}},      {alBottom, 10, 15, {0, 85, 200, 100}},
      {alLeft, 30, 10, {0, 20, 30, 85}},     {alRight, 40, 10, {160, 20, 200, 85}},
      {alClient, 1, 1, {30, 20, 160, 85}},
  };
  std::vector<TControl*> made;
  for (const Case& c : cases) {
    auto* p = new TPanel(form);
    p->SetBounds(0, 0, c.w, c.h);
    p->SetAlign(c.align);
    p->SetParent(host);
    made.push_back(p);
  }
  for (size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i]->BoundsRect(), cases[i].expected) << "case " << i;

  // Resizing the container re-lays every aligned child.
  host->SetBounds(0, 0, 300, 200);
  EXPECT_EQ(made[0]->BoundsRect(), TRect(0, 0, 300, 20));
  EXPECT_EQ(made[1]->BoundsRect(), TRect(0, 185, 300, 200));
  EXPECT_EQ(made[3]->BoundsRect(), TRect(260, 20, 300, 185));
  EXPECT_EQ(made[4]->BoundsRect(), TRect(30, 20, 260, 185));

  // A hidden aligned control gives its strip back.
  made[0]->SetVisible(false);
  EXPECT_EQ(made[4]->BoundsRect(), TRect(30, 0, 260, 185));
}

TEST_F(ControlsTest, TwoTopControlsStackByTheirTop) {
  auto* a = new TPanel(form);
  auto* b = new TPanel(form);
  a->SetParent(form);
  b->SetParent(form);
  a->SetBounds(0, 50, 10, 10);
  b->SetBounds(0, 0, 10, 30);
  a->SetAlign(alTop);
  b->SetAlign(alTop);
  EXPECT_EQ(b->Top(), 0);
  EXPECT_EQ(a->Top(), 30);
}

TEST_F(ControlsTest, AdjustClientRectAndDisabledAlignment) {
  auto* host = new TMarginPanel(form);
  host->SetParent(form);
  host->SetBounds(0, 0, 100, 100);
  auto* child = new TPanel(form);
  child->SetParent(host);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), TRect(5, 5, 95, 95));

  host->DisableAlign();
  host->SetBounds(0, 0, 200, 60);
  EXPECT_EQ(child->BoundsRect(), TRect(5, 5, 95, 95)) << "no alignment while disabled";
  host->DisableAlign();
  host->EnableAlign();
  EXPECT_EQ(child->BoundsRect(), TRect(5, 5, 95, 95)) << "still disabled once";
  host->EnableAlign();
  EXPECT_EQ(child->BoundsRect(), TRect(5, 5, 195, 55)) << "the pending alignment runs";
}

TEST_F(ControlsTest, AnchorsKeepDistancesWhenTheParentResizes) {
  auto* host = new TPanel(form);
  host->SetBevelOuter(bvNone);
  host->SetParent(form);
  host->SetBounds(0, 0, 200, 100);
  struct Case {
    TAnchors anchors;
    TRect expected;  // after growing the parent by 50 x 30
  };
  const Case cases[] = {
      {akLeft | akTop, {10, 10, 50, 30}},
      {akRight | akTop, {60, 10, 100, 30}},
      {akLeft | akRight | akTop, {10, 10, 100, 30}},
      {akLeft | akTop | akBottom, {10, 10, 50, 60}},
      {akRight | akBottom, {60, 40, 100, 60}},
  };
  std::vector<TControl*> made;
  for (const Case& c : cases) {
    auto* p = new TPanel(form);
    p->SetParent(host);
    p->SetBounds(10, 10, 40, 20);
    p->SetAnchors(c.anchors);
    made.push_back(p);
  }
  host->SetBounds(0, 0, 250, 130);
  for (size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i]->BoundsRect(), cases[i].expected) << "case " << i;
}

TEST_F(ControlsTest, ConstraintsClampEveryBoundsChange) {
  auto* p = new TPanel(form);
  p->SetParent(form);
  p->SetConstraints({20, 10, 100, 50});
  p->SetBounds(0, 0, 5, 500);
  EXPECT_EQ(p->Width(), 20);
  EXPECT_EQ(p->Height(), 50);
  p->SetAlign(alClient);  // alignment goes through the same clamp
  EXPECT_EQ(p->Width(), 100);
  EXPECT_EQ(p->Height(), 50);
}

TEST_F(ControlsTest, ParentFontFollowsUntilTheChildSetsItsOwn) {
  auto* a = new TLabel(form);
  auto* b = new TLabel(form);
  a->SetParent(form);
  b->SetParent(form);
  b->Font().SetHeight(-20);
  EXPECT_FALSE(b->ParentFont());
  form->Font().SetHeight(-15);
  EXPECT_EQ(a->Font().Height(), -15);
  EXPECT_EQ(b->Font().Height(), -20);
  EXPECT_TRUE(a->ParentFont());
}

TEST_F(ControlsTest, ParentColorAndShowHintReachNestedChildren) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetParentColor(true);
  panel->SetParentShowHint(true);
  auto* label = new TLabel(form);
  label->SetParent(panel);
  label->SetParentColor(true);
  int backgroundNotes = 0;
  label->WindowProc = [&, old = label->WindowProc](TMessage& m) {
    if (m.Msg == CM_PARENTBACKGROUNDCHANGED) ++backgroundNotes;
    old(m);
  };
  form->SetColor(clTeal);
  EXPECT_EQ(panel->Color(), clTeal);
  EXPECT_EQ(label->Color(), clTeal);
  EXPECT_EQ(backgroundNotes, 1);
  form->SetShowHint(true);
  EXPECT_TRUE(panel->ShowHint());
  EXPECT_TRUE(label->ShowHint());
  label->SetColor(clRed);  // its own colour from now on
  form->SetColor(clNavy);
  EXPECT_EQ(label->Color(), clRed);
  EXPECT_FALSE(label->ParentColor());
}

// Records what a control hears.
template <class Base>
class TRecorder : public Base {
 public:
  explicit TRecorder(TComponent* owner) : Base(owner) {}
  std::vector<std::string> log;
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case CM_MOUSEENTER:
        if (m.LParam == 0) log.push_back("enter");
        break;
      case CM_MOUSELEAVE:
        if (m.LParam == 0) log.push_back("leave");
        break;
      case WM_LBUTTONDOWN: log.push_back("down"); break;
      case WM_LBUTTONUP: log.push_back("up"); break;
      default: break;
    }
    Base::WndProc(m);
  }
  void Click() override {
    log.push_back("click");
    Base::Click();
  }
};

TEST_F(ControlsTest, MouseEnterAndLeaveFollowThePointerAlsoUnderCapture) {
  auto* a = new TRecorder<TGraphicControl>(form);  // windowless
  auto* b = new TRecorder<TPanel>(form);           // windowed
  a->SetParent(form);
  b->SetParent(form);
  a->SetBounds(10, 10, 50, 50);
  b->SetBounds(100, 10, 50, 50);
  ShowForm();

  screen.MoveTo(Center(a));
  screen.Pump();
  EXPECT_EQ(a->log, std::vector<std::string>{"enter"});
  EXPECT_TRUE(a->MouseInControl());

  // Press on a: a captures the mouse. Moving onto b still tells a it was left
  // and b that it was entered, while the moves keep going to a.
  screen.Down();
  screen.Pump();
  EXPECT_TRUE(a->MouseCapture());
  int aMoves = 0;
  a->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++aMoves; };
  screen.MoveTo(Center(b));
  screen.Pump();
  EXPECT_EQ(a->log, (std::vector<std::string>{"enter", "down", "leave"}));
  EXPECT_EQ(b->log, std::vector<std::string>{"enter"});
  EXPECT_GT(aMoves, 0);

  // Releasing outside a is no click.
  screen.Up();
  screen.Pump();
  EXPECT_EQ(a->log.back(), "up");
  EXPECT_FALSE(a->MouseCapture());

  // Back onto a and off the form entirely.
  screen.MoveTo(Center(a));
  screen.Pump();
  screen.MoveTo({700, 500});
  screen.Pump();
  EXPECT_EQ(b->log, (std::vector<std::string>{"enter", "leave"}));
  EXPECT_EQ(a->log, (std::vector<std::string>{"enter", "down", "leave", "up", "enter", "leave"}));
  EXPECT_EQ(MouseControl(), nullptr);
}

TEST_F(ControlsTest, WindowlessControlGetsClicksInItsOwnCoordinates) {
  auto* a = new TRecorder<TGraphicControl>(form);
  a->SetParent(form);
  a->SetBounds(30, 40, 20, 20);
  TPoint down{-1, -1};
  a->OnMouseDown = [&](TObject*, TMouseBtn, TShiftState, int x, int y) { down = {x, y}; };
  ShowForm();
  screen.Click(At(a, 3, 4));
  screen.Pump();
  EXPECT_EQ(down, TPoint(3, 4));
  EXPECT_EQ(a->log, (std::vector<std::string>{"enter", "down", "up", "click"}));

  // A disabled control does not take the click; its parent does.
  a->SetEnabled(false);
  a->log.clear();
  int formDowns = 0;
  form->OnMouseDown = [&](TObject*, TMouseBtn, TShiftState, int, int) { ++formDowns; };
  screen.Click(At(a, 3, 4));
  screen.Pump();
  EXPECT_TRUE(a->log.empty() || a->log == std::vector<std::string>{"leave"});
  EXPECT_EQ(formDowns, 1);
}

TEST_F(ControlsTest, DestroyingTheControlUnderThePointerIsSafe) {
  auto* a = new TRecorder<TGraphicControl>(form);
  a->SetParent(form);
  a->SetBounds(10, 10, 50, 50);
  ShowForm();
  screen.MoveTo(Center(a));
  screen.Down();
  screen.Pump();
  ASSERT_EQ(MouseControl(), a);
  delete a;
  EXPECT_EQ(MouseControl(), nullptr);
  EXPECT_EQ(CaptureControl(), nullptr);
  screen.MoveTo({20, 20});
  screen.Up();
  screen.Pump();
}

TEST_F(ControlsTest, WindowlessControlPaintsAndCanvasWorksOutsidePaint) {
  class TSquare : public TGraphicControl {
   public:
    using TGraphicControl::TGraphicControl;
    void Paint() override {
      Canvas().Brush().SetColor(clRed);
      Canvas().FillRect(ClientRect());
    }
  };
  form->SetColor(clWhite);
  auto* sq = new TSquare(form);
  sq->SetParent(form);
  sq->SetBounds(10, 10, 20, 20);
  ShowForm();
  auto shot = screen.Screenshot();
  TPoint in = Center(sq), out = At(sq, 25, 5);
  EXPECT_EQ(shot->GetPixel(in.X, in.Y), 0xFFFF0000u);
  EXPECT_EQ(shot->GetPixel(out.X, out.Y), 0xFFFFFFFFu);

  // Drawing outside a paint lands inside the control only.
  sq->ControlCanvas().Brush().SetColor(clBlue);
  sq->ControlCanvas().FillRect({-5, -5, 100, 100});
  FreeDeviceContexts();
  shot = screen.Screenshot();
  EXPECT_EQ(shot->GetPixel(in.X, in.Y), 0xFF0000FFu);
  EXPECT_EQ(shot->GetPixel(out.X, out.Y), 0xFFFFFFFFu);
}

TEST(ControlsHelpers, Accelerators) {
  EXPECT_EQ(GetHotkey("&File"), U'f');
  EXPECT_EQ(GetHotkey("Save && &Quit"), U'q');
  EXPECT_EQ(GetHotkey("No accel&"), 0u);
  EXPECT_TRUE(IsAccel(U'F', "&file"));
  EXPECT_FALSE(IsAccel(U'x', "&file"));
  EXPECT_EQ(StripHotkey("Save && &Quit"), "Save & Quit");
}

TEST_F(ControlsTest, TimerFiresOnTheManualClockWhileEnabled) {
  auto* t = new TTimer(form);
  t->SetInterval(100);
  int n = 0;
  t->SetOnTimer([&](TObject*) { ++n; });
  screen.RunFor(350);
  EXPECT_EQ(n, 3);
  t->SetEnabled(false);
  screen.RunFor(300);
  EXPECT_EQ(n, 3);
  t->SetEnabled(true);
  t->SetInterval(0);
  screen.RunFor(300);
  EXPECT_EQ(n, 3);
  t->SetInterval(50);
  screen.RunFor(100);
  EXPECT_EQ(n, 5);
  delete t;  // kills the timer
  screen.RunFor(200);
  EXPECT_EQ(n, 5);
}

}  // namespace
}  // namespace vx::test
