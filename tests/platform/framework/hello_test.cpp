// The example form rendered headless: the smoke test of the whole layer.
#include <gtest/gtest.h>

#include "examples/hello/hello_form.h"
#include "platform/backend/headless/headless.h"
#include "platform/framework/forms.h"

namespace vx::test {
namespace {

TEST(Hello, RunsHeadlessIntoAPng) {
  THeadlessScreen screen(480, 340);
  auto* form = new hello::THelloForm(Application);
  form->Show();
  screen.Pump();
  EXPECT_TRUE(form->NameEdit->Focused());
  form->NameEdit->SelectAll();
  screen.Type("Framework");
  screen.Click(form->Colours->ClientToScreen({30, form->Colours->ItemRect(4).Top + 4}));
  screen.Pump();
  EXPECT_EQ(form->NameEdit->Text(), "Framework");
  EXPECT_EQ(form->Colours->ItemIndex(), 4);
  EXPECT_EQ(form->Status->Caption(), "Hello, Framework in Magenta!");
  // The status panel sits at the bottom of the client area.
  EXPECT_EQ(form->Status->Top() + form->Status->Height(), form->ClientHeight());

  // The selected item is drawn in the highlight colour.
  TRect item = form->Colours->ItemRect(4);
  TPoint p = form->Colours->ClientToScreen({item.Left + item.Width() - 4, item.Top + 2});
  const TSurfacePtr& shot = screen.Screenshot();
  EXPECT_EQ(shot->GetPixel(p.X, p.Y), ColorToPixel(clHighlight));
  screen.WriteScreenPng(std::string(VX_TEST_OUT_DIR) + "/hello.png");

  // Escape presses the cancel button, which closes the form.
  screen.Press(VK_ESCAPE);
  screen.Pump();
  EXPECT_FALSE(form->Visible());
  delete form;
}

}  // namespace
}  // namespace vx::test
