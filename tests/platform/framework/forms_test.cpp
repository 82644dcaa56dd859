#include <gtest/gtest.h>

#include <algorithm>

#include "platform/framework/extctrls.h"
#include "platform/framework/stdctrls.h"
#include "tests/platform/framework/fixture.h"

namespace vx::test {
namespace {

using FormsTest = FrameworkTest;

// A focusable control that wants no special keys.
class TFocusBox : public TCustomControl {
 public:
  explicit TFocusBox(TComponent* owner) : TCustomControl(owner) {
    SetTabStop(true);
    width_ = 40;
    height_ = 20;
  }
  UINT dlgCode = 0;
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_GETDLGCODE) {
      m.Result = dlgCode;
      return;
    }
    TCustomControl::WndProc(m);
  }
};

struct TabFixture {
  std::vector<TFocusBox*> boxes;
  TPanel* panel = nullptr;
};

// Boxes 0 and 1 on the form, 2 and 3 in a panel between them in tab order, 4 last.
TabFixture MakeTabFixture(TForm* form) {
  TabFixture f;
  auto add = [&](TWinControl* parent, int x) {
    auto* b = new TFocusBox(form);
    b->SetParent(parent);
    b->SetBounds(x, 5, 40, 20);
    f.boxes.push_back(b);
  };
  add(form, 5);
  add(form, 50);
  f.panel = new TPanel(form);
  f.panel->SetParent(form);
  f.panel->SetBounds(5, 40, 200, 60);
  add(f.panel, 5);
  add(f.panel, 50);
  add(form, 100);
  f.panel->SetTabOrder(1);  // after box 0, before box 1
  return f;
}

TEST_F(FormsTest, TabAndShiftTabFollowTheTabOrderDepthFirst) {
  TabFixture f = MakeTabFixture(form);
  ShowForm();
  // Activation focuses the first tab stop.
  EXPECT_EQ(form->ActiveControl(), f.boxes[0]);
  EXPECT_TRUE(f.boxes[0]->Focused());
  const int forward[] = {2, 3, 1, 4, 0};
  for (int want : forward) {
    screen.Press(VK_TAB);
    screen.Pump();
    EXPECT_EQ(form->ActiveControl(), f.boxes[size_t(want)]) << "forward to " << want;
  }
  screen.KeyDown(VK_SHIFT);
  screen.Press(VK_TAB);
  screen.KeyUp(VK_SHIFT);
  screen.Pump();
  EXPECT_EQ(form->ActiveControl(), f.boxes[4]);
}

TEST_F(FormsTest, TabSkipsControlsThatCannotTakeTheFocus) {
  TabFixture f = MakeTabFixture(form);
  f.boxes[2]->SetEnabled(false);
  f.boxes[3]->SetTabStop(false);
  f.boxes[1]->SetVisible(false);
  ShowForm();
  screen.Press(VK_TAB);
  screen.Pump();
  EXPECT_EQ(form->ActiveControl(), f.boxes[4]);
  // Hiding the focused control moves the focus on.
  f.boxes[4]->SetVisible(false);
  screen.Pump();
  EXPECT_EQ(form->ActiveControl(), f.boxes[0]);
  EXPECT_TRUE(f.boxes[0]->Focused());
}

TEST_F(FormsTest, ArrowsNavigateInsideTheParentUnlessTheControlWantsThem) {
  TabFixture f = MakeTabFixture(form);
  ShowForm();
  f.boxes[2]->SetFocus();
  screen.Press(VK_RIGHT);
  screen.Pump();
  EXPECT_EQ(form->ActiveControl(), f.boxes[3]);
  screen.Press(VK_DOWN);  // wraps within the panel
  screen.Pump();
  EXPECT_EQ(form->ActiveControl(), f.boxes[2]);
  f.boxes[2]->dlgCode = DLGC_WANTARROWS;
  WORD seen = 0;
  f.boxes[2]->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { seen = k; };
  screen.Press(VK_RIGHT);
  screen.Pump();
  EXPECT_EQ(form->ActiveControl(), f.boxes[2]);
  EXPECT_EQ(seen, VK_RIGHT);
  // A control that wants Tab keeps it.
  f.boxes[2]->dlgCode = DLGC_WANTTAB;
  screen.Press(VK_TAB);
  screen.Pump();
  EXPECT_EQ(form->ActiveControl(), f.boxes[2]);
}

TEST_F(FormsTest, EnterExitAndFocusChangedInOrder) {
  TabFixture f = MakeTabFixture(form);
  std::vector<std::string> log;
  for (size_t i = 0; i < f.boxes.size(); ++i) {
    f.boxes[i]->OnEnter = [&log, i](TObject*) { log.push_back("enter" + std::to_string(i)); };
    f.boxes[i]->OnExit = [&log, i](TObject*) { log.push_back("exit" + std::to_string(i)); };
  }
  ShowForm();
  f.boxes[4]->SetFocus();
  screen.Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"enter0", "exit0", "enter4"}));
  EXPECT_EQ(Screen->ActiveControl(), f.boxes[4]);
  EXPECT_EQ(Screen->ActiveForm(), form);
}

TEST_F(FormsTest, FocusingAHiddenControlThrows) {
  auto* b = new TFocusBox(form);
  b->SetParent(form);
  b->SetVisible(false);
  ShowForm();
  EXPECT_THROW(b->SetFocus(), EInvalidOperation);
  EXPECT_THROW(form->SetActiveControl(b), EInvalidOperation);
}

TEST_F(FormsTest, ActiveControlSetBeforeShowingGetsTheFocus) {
  TabFixture f = MakeTabFixture(form);
  form->SetActiveControl(f.boxes[3]);
  ShowForm();
  EXPECT_TRUE(f.boxes[3]->Focused());
}

// ---- modal showing ------------------------------------------------------------------

TEST_F(FormsTest, ShowModalReturnsTheButtonsModalResultAndRestoresTheOthers) {
  ShowForm();
  auto* dlg = new TForm(Application);
  dlg->SetBounds(200, 200, 200, 100);
  auto* ok = new TButton(dlg);
  ok->SetParent(dlg);
  ok->SetBounds(10, 10, 75, 25);
  ok->SetModalResult(mrOk);
  dlg->HandleNeeded();
  bool otherDisabledWhileModal = false;
  dlg->OnShow = [&](TObject*) { otherDisabledWhileModal = !IsWindowEnabled(form->Handle()); };
  screen.Click(Center(ok));
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_TRUE(otherDisabledWhileModal);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(dlg->Visible());
  EXPECT_FALSE(dlg->Modal());
  EXPECT_EQ(GetActiveWindow(), form->Handle());
}

TEST_F(FormsTest, ModalKeysEscapeCancelsAndEnterPressesTheDefaultButton) {
  struct Case {
    UINT key;
    int expected;
  };
  for (Case c : {Case{VK_ESCAPE, mrCancel}, Case{VK_RETURN, mrYes}}) {
    auto* dlg = new TForm(Application);
    auto* yes = new TButton(dlg);
    yes->SetParent(dlg);
    yes->SetDefault(true);
    yes->SetModalResult(mrYes);
    auto* cancel = new TButton(dlg);
    cancel->SetParent(dlg);
    cancel->SetLeft(100);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* edit = new TEdit(dlg);  // the focus sits in an edit
    edit->SetParent(dlg);
    edit->SetTop(40);
    dlg->SetActiveControl(edit);
    screen.Press(c.key);
    EXPECT_EQ(dlg->ShowModal(), c.expected) << c.key;
    delete dlg;
  }
}

TEST_F(FormsTest, CloseQueryCanKeepAModalFormOpen) {
  auto* dlg = new TForm(Application);
  int asked = 0;
  dlg->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
  auto* t = new TTimer(dlg);
  t->SetInterval(10);
  t->SetOnTimer([&](TObject*) {
    if (asked < 2) dlg->SetModalResult(mrAbort);
    else t->SetEnabled(false);
  });
  LetTimersRun(10);
  EXPECT_EQ(dlg->ShowModal(), mrAbort);
  EXPECT_EQ(asked, 2);
}

TEST_F(FormsTest, ShowModalOnAVisibleFormThrows) {
  ShowForm();
  EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST_F(FormsTest, ModalLoopEndsWhenNothingCanArrive) {
  auto* dlg = new TForm(Application);
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  EXPECT_FALSE(dlg->Modal());
}

// ---- closing ------------------------------------------------------------------------

TEST_F(FormsTest, CloseActionsHideOrFreeAfterTheHandlerReturns) {
  auto* other = new TForm(Application);
  other->Show();
  other->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
  bool destroyed = false;
  other->OnDestroy = [&](TObject*) { destroyed = true; };
  auto* b = new TButton(other);
  b->SetParent(other);
  b->OnClick = [&](TObject*) {
    other->Close();
    EXPECT_FALSE(destroyed) << "not while its own handler runs";
  };
  screen.Pump();
  screen.Click(Center(b));
  screen.Pump();
  EXPECT_TRUE(destroyed);
  for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_NE(Screen->Forms(i), other);

  ShowForm();
  auto* second = new TForm(Application);
  second->Show();
  second->Close();  // caHide by default
  EXPECT_FALSE(second->Visible());
  EXPECT_FALSE(IsWindowVisible(second->Handle()));
}

TEST_F(FormsTest, ClosingTheMainFormEndsRun) {
  Application->SetMainForm(form);
  auto* t = new TTimer(form);
  t->SetInterval(20);
  int ticks = 0;
  t->SetOnTimer([&](TObject*) {
    if (++ticks == 3) form->Close();
  });
  LetTimersRun(10);
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(ticks, 3);
}

// ---- message filters ----------------------------------------------------------------

TEST(MessageFilters, RemovalInAnyOrderAlsoFromInsideAFilter) {
  THeadlessScreen screen(200, 200);
  // Each case: which filters remove which (by position) when they run.
  struct Case {
    std::vector<int> removeOrder;  // filters removed before the message, by position
    int removedByFirstCall;        // filter at this position removes the next one down (-1: none)
    std::vector<int> expectCalled;
  };
  const Case cases[] = {
      {{}, -1, {2, 1, 0}},  // newest first
      {{1}, -1, {2, 0}},
      {{0, 2}, -1, {1}},
      {{2, 0, 1}, -1, {}},
      {{}, 2, {2, 0}},  // filter 2 removes filter 1 while running
  };
  for (const Case& c : cases) {
    std::vector<int> called;
    std::vector<TMessageFilterId> ids;
    for (int i = 0; i < 3; ++i) {
      ids.push_back(Application->AddMessageFilter([&, i](MSG& m) {
        if (m.message != WM_USER + 7) return false;
        called.push_back(i);
        if (i == c.removedByFirstCall) Application->RemoveMessageFilter(ids[size_t(i - 1)]);
        return false;
      }));
    }
    for (int r : c.removeOrder) EXPECT_TRUE(Application->RemoveMessageFilter(ids[size_t(r)]));
    PostMessage(nullptr, WM_USER + 7);
    Application->ProcessMessages();
    EXPECT_EQ(called, c.expectCalled);
    for (TMessageFilterId id : ids) Application->RemoveMessageFilter(id);
    EXPECT_EQ(Application->MessageFilterCount(), 0);
    EXPECT_FALSE(Application->RemoveMessageFilter(ids[0]));
  }
}

TEST(MessageFilters, AHandledMessageIsNotDispatched) {
  THeadlessScreen screen(200, 200);
  auto* f = new TForm(Application);
  int seen = 0;
  f->WindowProc = [&, old = f->WindowProc](TMessage& m) {
    if (m.Msg == WM_USER + 9) ++seen;
    old(m);
  };
  TMessageFilterId id = Application->AddMessageFilter([](MSG& m) { return m.message == WM_USER + 9 && m.wParam == 1; });
  PostMessage(f->Handle(), WM_USER + 9, 1);
  PostMessage(f->Handle(), WM_USER + 9, 2);
  Application->ProcessMessages();
  EXPECT_EQ(seen, 1);
  Application->RemoveMessageFilter(id);
  delete f;
}

// ---- application and screen ---------------------------------------------------------

TEST_F(FormsTest, MinimizeAndRestoreTheWholeApplication) {
  Application->SetMainForm(form);
  ShowForm();
  auto* tool = new TForm(Application);
  tool->Show();
  int restored = 0;
  Application->OnRestore = [&](TObject*) { ++restored; };
  SendMessage(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE);
  EXPECT_TRUE(Application->IsMinimized());
  EXPECT_TRUE(IsIconic(form->Handle()));
  EXPECT_FALSE(IsWindowVisible(tool->Handle()));
  SendMessage(form->Handle(), WM_SYSCOMMAND, SC_RESTORE);
  EXPECT_FALSE(Application->IsMinimized());
  EXPECT_FALSE(IsIconic(form->Handle()));
  EXPECT_TRUE(IsWindowVisible(tool->Handle()));
  EXPECT_EQ(restored, 1);
  Application->OnRestore = nullptr;
}

TEST_F(FormsTest, ScreenKnowsFormsAndMonitors) {
  EXPECT_EQ(Screen->FormCount(), 1);
  auto* second = new TForm(Application);
  EXPECT_EQ(Screen->FormCount(), 2);
  delete second;
  EXPECT_EQ(Screen->FormCount(), 1);
  ASSERT_EQ(Screen->MonitorCount(), 1);
  TMonitor m = Screen->Monitors(0);
  EXPECT_EQ(m.BoundsRect, TRect(0, 0, 800, 600));
  EXPECT_EQ(m.WorkareaRect, TRect(0, 0, 800, 560));
  EXPECT_TRUE(m.Primary);
  EXPECT_THROW(Screen->Monitors(1), EListError);
}

TEST_F(FormsTest, AFormCanSitInsideAnotherForm) {
  ShowForm();
  auto* inner = new TForm(Application);
  inner->SetBorderStyle(bsNone);
  inner->SetParent(form);
  inner->SetAlign(alClient);
  inner->Show();
  screen.Pump();
  EXPECT_TRUE(GetWindowLong(inner->Handle(), GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetParent(inner->Handle()), form->Handle());
  EXPECT_EQ(inner->BoundsRect(), form->ClientRect());
  auto* box = new TFocusBox(inner);
  box->SetParent(inner);
  box->SetFocus();
  EXPECT_TRUE(box->Focused());
  EXPECT_EQ(form->ActiveControl(), box);
}

TEST_F(FormsTest, PlainFrameCaptionButtonsWork) {
  ShowForm();
  TRect wr;
  GetWindowRect(form->Handle(), &wr);
  // Scan the caption row from the right for each button's hit code.
  auto find = [&](int hit) {
    for (int x = wr.Right - 1; x > wr.Left; --x)
      for (int y = wr.Top; y < wr.Top + 24; ++y)
        if (SendMessage(form->Handle(), WM_NCHITTEST, 0, PointToLParam({x, y})) == hit) return TPoint{x, y};
    return TPoint{-1, -1};
  };
  TPoint max = find(HTMAXBUTTON), close = find(HTCLOSE), min = find(HTMINBUTTON);
  ASSERT_NE(max.X, -1);
  ASSERT_NE(min.X, -1);
  ASSERT_NE(close.X, -1);
  EXPECT_LT(min.X, max.X);
  EXPECT_LT(max.X, close.X);
  screen.Click(max);
  screen.Pump();
  EXPECT_TRUE(IsZoomed(form->Handle()));
  EXPECT_EQ(form->WindowState(), wsMaximized);
  GetWindowRect(form->Handle(), &wr);  // the buttons moved with the maximized window
  screen.Click(find(HTMAXBUTTON));
  screen.Pump();
  EXPECT_FALSE(IsZoomed(form->Handle()));
  GetWindowRect(form->Handle(), &wr);
  screen.Click(find(HTCLOSE));
  screen.Pump();
  EXPECT_FALSE(form->Visible());
  // Without a system menu there are no caption buttons.
  form->SetBorderIcons(0);
  form->Show();
  screen.Pump();
  GetWindowRect(form->Handle(), &wr);
  EXPECT_EQ(find(HTCLOSE).X, -1);
}

TEST_F(FormsTest, ReplacedWindowProcSeesCreationAfterRecreate) {
  TabFixture f = MakeTabFixture(form);
  ShowForm();
  HWND oldForm = form->Handle(), oldBox = f.boxes[3]->Handle();
  std::vector<UINT> seen;
  auto saved = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_NCCREATE || m.Msg == WM_CREATE) seen.push_back(m.Msg);
    saved(m);
  };
  form->RecreateWnd();
  screen.Pump();
  EXPECT_EQ(seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
  EXPECT_FALSE(IsWindow(oldForm));
  EXPECT_FALSE(IsWindow(oldBox));
  ASSERT_TRUE(IsWindow(f.boxes[3]->Handle()));
  EXPECT_EQ(GetParent(f.boxes[3]->Handle()), f.panel->Handle());
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  TRect r;
  GetWindowRect(f.boxes[3]->Handle(), &r);
  EXPECT_EQ(r.TopLeft(), f.boxes[3]->ClientToScreen({0, 0}));
  // Restoring the saved procedure takes the replacement out.
  form->WindowProc = saved;
  form->RecreateWnd();
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(FormsTest, HintShowsAfterThePauseThroughOnShowHint) {
  auto* b = new TFocusBox(form);
  b->SetParent(form);
  b->SetBounds(20, 20, 60, 30);
  b->SetHint("Tip");
  b->SetShowHint(true);
  std::string shown;
  Application->OnShowHint = [&](std::string& s, bool& canShow, THintInfo& info) {
    EXPECT_EQ(info.HintControl, b);
    s += "!";
    shown = s;
    canShow = true;
  };
  Application->SetShowHint(true);
  ShowForm();
  screen.MoveTo(Center(b));
  screen.Pump();
  screen.RunFor(Application->HintPause() - 50);
  EXPECT_TRUE(shown.empty());
  screen.RunFor(100);
  EXPECT_EQ(shown, "Tip!");
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_TRUE(Application->HintWindow()->Showing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Tip!");
  screen.MoveTo({700, 500});
  screen.Pump();
  EXPECT_FALSE(Application->HintWindow()->Showing());
  Application->OnShowHint = nullptr;
}

}  // namespace
}  // namespace vx::test
