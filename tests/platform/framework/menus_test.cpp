#include <gtest/gtest.h>

#include "platform/framework/menus.h"
#include "platform/framework/stdctrls.h"
#include "tests/platform/framework/fixture.h"

namespace vx::test {
namespace {

TEST(ShortCutText, RoundTripsAndRejectsNonsense) {
  struct Case {
    TShortCut sc;
    const char* text;
  };
  const Case cases[] = {
      {TShortCut('S' | scCtrl), "Ctrl+S"},
      {TShortCut(VK_F1 | scShift | scCtrl | scAlt), "Shift+Ctrl+Alt+F1"},
      {TShortCut(VK_DELETE), "Del"},
      {TShortCut(VK_NEXT | scAlt), "Alt+PgDn"},
      {TShortCut(VK_RETURN | scShift), "Shift+Enter"},
      {TShortCut('5'), "5"},
      {TShortCut(VK_F12), "F12"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.sc), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.sc) << c.text;
  }
  EXPECT_EQ(TextToShortCut("alt+ctrl+s"), TShortCut('S' | scCtrl | scAlt)) << "any order, any case";
  for (const char* bad : {"", "Ctrl+", "Ctrl+Nothing", "Hyper+S", "SS"}) EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
  EXPECT_EQ(ShortCutToText(scNone), "");
  EXPECT_EQ(ShortCut('S', ssCtrl | ssShift), TShortCut('S' | scCtrl | scShift));
}

TEST(MenuTree, ItemsRadioGroupsAndOwnership) {
  TComponent owner(nullptr);
  TMainMenu menu(&owner);
  auto* file = new TMenuItem(&owner);
  file->SetCaption("&File");
  menu.Items()->Add(file);
  std::vector<TMenuItem*> radios;
  for (int i = 0; i < 4; ++i) {
    auto* it = new TMenuItem(&owner);
    it->SetRadioItem(true);
    it->SetGroupIndex(i < 3 ? 1 : 2);
    file->Add(it);
    radios.push_back(it);
  }
  radios[0]->SetChecked(true);
  radios[3]->SetChecked(true);
  radios[1]->SetChecked(true);
  EXPECT_FALSE(radios[0]->Checked());
  EXPECT_TRUE(radios[1]->Checked());
  EXPECT_TRUE(radios[3]->Checked()) << "other group untouched";
  EXPECT_EQ(radios[2]->MenuIndex(), 2);
  EXPECT_EQ(radios[2]->GetParentMenu(), &menu);
  EXPECT_EQ(menu.Items()->Find("file"), file);
  EXPECT_THROW(file->Add(radios[0]), EInvalidOperation);
  EXPECT_THROW(radios[0]->Add(file), EInvalidOperation);
  radios[2]->SetMenuIndex(0);
  EXPECT_EQ(file->Items(0), radios[2]);
  // Freeing an item takes it out of its parent and frees its sub-items.
  delete radios[2];
  EXPECT_EQ(file->Count(), 3);
  file->Delete(0);
  EXPECT_EQ(file->Count(), 2);
  delete file;
  EXPECT_EQ(menu.Items()->Count(), 0);
  EXPECT_EQ(owner.ComponentCount(), 1);  // the menu
}

using MenuShortCutTest = FrameworkTest;

TEST_F(MenuShortCutTest, KeyDispatchClicksTheUsableItem) {
  auto* menu = new TMainMenu(form);
  auto* file = new TMenuItem(form);
  menu->Items()->Add(file);
  auto* save = new TMenuItem(form);
  save->SetShortCut(TextToShortCut("Ctrl+S"));
  file->Add(save);
  auto* hiddenParent = new TMenuItem(form);
  hiddenParent->SetVisible(false);
  menu->Items()->Add(hiddenParent);
  auto* open = new TMenuItem(form);
  open->SetShortCut(TextToShortCut("Ctrl+O"));
  hiddenParent->Add(open);
  form->SetMenu(menu);
  int saves = 0, opens = 0;
  save->OnClick = [&](TObject*) { ++saves; };
  open->OnClick = [&](TObject*) { ++opens; };
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  form->SetActiveControl(edit);
  ShowForm();

  auto press = [&](UINT key) {
    screen.KeyDown(VK_CONTROL);
    screen.Press(key);
    screen.KeyUp(VK_CONTROL);
    screen.Pump();
  };
  press('S');
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(edit->Text(), "") << "the shortcut key does not reach the edit";
  press('O');
  EXPECT_EQ(opens, 0) << "an item under an invisible parent";
  save->SetEnabled(false);
  press('S');
  EXPECT_EQ(saves, 1);
  save->SetEnabled(true);

  // OnShortCut gets the first chance.
  int seen = 0;
  form->OnShortCut = [&](TWMKey& k, bool& handled) {
    if (k.CharCode == VK_CONTROL) return;
    ++seen;
    handled = k.CharCode == 'S';
  };
  press('S');
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(saves, 1);

  // A menu freed before the form is forgotten.
  delete menu;
  EXPECT_EQ(form->Menu(), nullptr);
  press('S');
}

TEST_F(MenuShortCutTest, PopupMenuTracksKeysAndClicksTheChosenItem) {
  auto* pm = new TPopupMenu(form);
  std::vector<std::string> clicked;
  for (const char* cap : {"One", "-", "Two", "Three"}) {
    auto* it = new TMenuItem(form);
    it->SetCaption(cap);
    it->OnClick = [&clicked, cap](TObject*) { clicked.push_back(cap); };
    pm->Items()->Add(it);
  }
  pm->Items()->Items(3)->SetEnabled(false);
  int popups = 0;
  pm->OnPopup = [&](TObject*) { ++popups; };
  form->SetPopupMenu(pm);
  ShowForm();
  // Down: One; Down: Two (the line is skipped); Down: wraps past the disabled item to One; Down: Two.
  screen.Click(At(form, 50, 50), TMouseButton::Right);
  for (UINT k : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) screen.Press(k);
  screen.Pump();
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicked, std::vector<std::string>{"Two"});
}

}  // namespace
}  // namespace vx::test
