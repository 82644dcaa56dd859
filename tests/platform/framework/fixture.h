// A headless desktop with a form, and helpers to find screen points of controls.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backend/headless/headless.h"
#include "platform/framework/controls.h"
#include "platform/framework/forms.h"
#include "platform/gfx/font.h"

namespace vx::test {

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTestFontForAll(true);
    form = new TForm(Application);
    form->SetBounds(100, 100, 400, 300);
  }
  void TearDown() override {
    // Forms left by a test go with the desktop.
    SetWaitHook([] { return false; });
    while (Screen->FormCount() > 0) delete Screen->Forms(0);
    Application->SetMainForm(nullptr);
    Application->ClearTerminated();
    SetTestFontForAll(false);
  }
  // Screen point of a client point of control c.
  static TPoint At(TControl* c, int x, int y) { return c->ClientToScreen({x, y}); }
  static TPoint Center(TControl* c) { return At(c, c->Width() / 2, c->Height() / 2); }
  void ShowForm() {
    form->Show();
    screen.Pump();
  }

  // For code that runs its own loop (modal forms, Run): when the loop has
  // nothing to do, time jumps to the next timer, at most `steps` times; then
  // the loop is told that nothing more can come.
  void LetTimersRun(int steps) {
    SetWaitHook([this, steps]() mutable {
      const int64_t due = NextTimerDue();
      if (steps-- <= 0 || due < 0) return false;
      screen.Clock().AdvanceTo(due);
      return true;
    });
  }

  THeadlessScreen screen{800, 600};
  TForm* form = nullptr;
};

}  // namespace vx::test
