#include <gtest/gtest.h>

#include "platform/framework/stdctrls.h"
#include "tests/platform/framework/fixture.h"

namespace vx::test {
namespace {

class ListBoxTest : public FrameworkTest {
 protected:
  // Ten items of 10 pixels: with the border the view holds 8 rows.
  void SetUp() override {
    FrameworkTest::SetUp();
    lb = new TListBox(form);
    lb->SetParent(form);
    lb->SetBounds(10, 10, 120, 84);
    lb->SetStyle(lbOwnerDrawFixed);
    lb->SetItemHeight(10);
    for (int i = 0; i < 10; ++i) lb->Items().Add("item " + std::to_string(i));
    lb->OnClick = [this](TObject*) { ++clicks; };
    ShowForm();
    lb->SetFocus();
  }
  std::vector<int> SelectedItems() {
    std::vector<int> out;
    for (int i = 0; i < lb->Items().Count(); ++i)
      if (lb->Selected(i)) out.push_back(i);
    return out;
  }
  void Keys(std::initializer_list<UINT> keys, UINT modifier = 0) {
    if (modifier) screen.KeyDown(modifier);
    for (UINT k : keys) screen.Press(k);
    if (modifier) screen.KeyUp(modifier);
    screen.Pump();
  }
  void ClickItem(int i, UINT modifier = 0) {
    if (modifier) screen.KeyDown(modifier);
    screen.Click(At(lb, 20, lb->ItemRect(i).Top + 5));
    if (modifier) screen.KeyUp(modifier);
    screen.Pump();
  }
  TListBox* lb = nullptr;
  int clicks = 0;
};

TEST_F(ListBoxTest, SingleSelectionFollowsTheKeys) {
  EXPECT_EQ(lb->RowsPerPage(), 8);
  struct Step {
    UINT key;
    int index;
    int top;
  };
  const Step steps[] = {
      {VK_DOWN, 0, 0}, {VK_DOWN, 1, 0}, {VK_END, 9, 2}, {VK_UP, 8, 2},
      {VK_HOME, 0, 0}, {VK_NEXT, 7, 0}, {VK_NEXT, 9, 2}, {VK_PRIOR, 2, 2}, {VK_PRIOR, 0, 0},
  };
  for (const Step& s : steps) {
    Keys({s.key});
    EXPECT_EQ(lb->ItemIndex(), s.index) << "key " << s.key;
    EXPECT_EQ(lb->TopIndex(), s.top) << "key " << s.key;
    EXPECT_EQ(SelectedItems(), std::vector<int>{s.index});
  }
  EXPECT_EQ(clicks, 9) << "one OnClick per selection change";
}

TEST_F(ListBoxTest, ExtendedSelectionWithShiftAndCtrl) {
  lb->SetMultiSelect(true);
  ClickItem(2);
  EXPECT_EQ(SelectedItems(), std::vector<int>{2});
  Keys({VK_DOWN, VK_DOWN}, VK_SHIFT);
  EXPECT_EQ(SelectedItems(), (std::vector<int>{2, 3, 4}));
  ClickItem(6, VK_CONTROL);
  EXPECT_EQ(SelectedItems(), (std::vector<int>{2, 3, 4, 6}));
  ClickItem(3, VK_CONTROL);
  EXPECT_EQ(SelectedItems(), (std::vector<int>{2, 4, 6}));
  ClickItem(0, VK_SHIFT);  // range from the anchor (3) to 0
  EXPECT_EQ(SelectedItems(), (std::vector<int>{0, 1, 2, 3}));
  Keys({VK_DOWN});
  EXPECT_EQ(SelectedItems(), std::vector<int>{1});
  EXPECT_EQ(lb->SelCount(), 1);
}

TEST_F(ListBoxTest, DraggingSelectsARangeAndSpaceTogglesInSimpleMultiSelect) {
  lb->SetMultiSelect(true);
  screen.Drag(At(lb, 20, lb->ItemRect(1).Top + 5), At(lb, 20, lb->ItemRect(4).Top + 5), 3);
  screen.Pump();
  EXPECT_EQ(SelectedItems(), (std::vector<int>{1, 2, 3, 4}));

  lb->SetExtendedSelect(false);
  lb->ClearSelection();
  ClickItem(5);
  ClickItem(7);
  ClickItem(5);
  EXPECT_EQ(SelectedItems(), std::vector<int>{7});
  Keys({VK_UP, VK_SPACE});
  EXPECT_EQ(SelectedItems(), (std::vector<int>{4, 7})) << "arrows only move the focus";
}

TEST_F(ListBoxTest, ColumnsItemAtPosAndSorting) {
  lb->SetColumns(2);  // 2 x 8 rows hold all ten items: no scroll bar
  EXPECT_EQ(lb->RowsPerPage(), 8);
  lb->SetColumns(1);  // one column in view: the horizontal scroll bar takes 16 pixels
  const int rows = lb->RowsPerPage();
  EXPECT_EQ(rows, 6);
  lb->SetItemIndex(0);
  Keys({VK_RIGHT});
  EXPECT_EQ(lb->ItemIndex(), rows);
  EXPECT_EQ(lb->TopIndex(), rows) << "scrolled one column";
  Keys({VK_RIGHT});
  EXPECT_EQ(lb->ItemIndex(), 9) << "clamped to the last item";
  TScrollInfo si = lb->ScrollInfo();
  EXPECT_EQ(si.nMax, 1);
  EXPECT_EQ(si.nPage, 1);
  EXPECT_EQ(si.nPos, 1);

  lb->SetColumns(0);
  EXPECT_EQ(lb->ItemAtPos({20, 2 + 25}, true), 2);
  EXPECT_EQ(lb->ItemAtPos({20, 500}, true), -1);
  EXPECT_EQ(lb->ItemAtPos({20, 500}, false), 10) << "below the last item: the count";

  lb->Items().Clear();
  lb->SetSorted(true);
  for (const char* s : {"pear", "Apple", "fig"}) lb->Items().Add(s);
  EXPECT_EQ(lb->Items().Text(), "Apple\r\nfig\r\npear\r\n");
  EXPECT_THROW(lb->Items().Insert(0, "x"), EListError);
  EXPECT_THROW(lb->Selected(3), EListError);
}

TEST_F(ListBoxTest, DeletingItemsKeepsTheSelectionOnTheSameItems) {
  lb->SetMultiSelect(true);
  lb->SetSelected(3, true);
  lb->SetSelected(6, true);
  lb->Items().Delete(4);
  EXPECT_EQ(SelectedItems(), (std::vector<int>{3, 5}));
  EXPECT_EQ(lb->Items().Get(5), "item 6");
}

TEST_F(ListBoxTest, OwnerDrawGetsEveryVisibleItem) {
  std::vector<int> drawn;
  lb->OnDrawItem = [&](TWinControl*, int i, const TRect& r, TOwnerDrawState st) {
    drawn.push_back(i);
    EXPECT_EQ(r.Height(), 10);
    if (i == 1) {
      EXPECT_TRUE(st & odSelected);
    }
  };
  lb->SetItemIndex(1);
  screen.Pump();
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

using EditTest = FrameworkTest;

TEST_F(EditTest, TypingEditingSelectionAndChangeNotification) {
  auto* e = new TEdit(form);
  e->SetParent(form);
  e->SetMaxLength(8);
  int changes = 0;
  e->OnChange = [&](TObject*) { ++changes; };
  form->SetActiveControl(e);
  ShowForm();
  screen.Type("hello");
  screen.Pump();
  EXPECT_EQ(e->Text(), "hello");
  EXPECT_EQ(changes, 5);
  struct Step {
    std::vector<UINT> keys;
    UINT modifier;
    const char* text;
    int selStart, selLength;
  };
  const Step steps[] = {
      {{VK_HOME, VK_DELETE}, 0, "ello", 0, 0},
      {{VK_END, VK_BACK}, 0, "ell", 3, 0},
      {{VK_LEFT, VK_LEFT}, VK_SHIFT, "ell", 1, 2},
      {{VK_RIGHT}, 0, "ell", 3, 0},
      {{'A'}, VK_CONTROL, "ell", 0, 3},
  };
  for (const Step& s : steps) {
    if (s.modifier) screen.KeyDown(s.modifier);
    for (UINT k : s.keys) screen.Press(k);
    if (s.modifier) screen.KeyUp(s.modifier);
    screen.Pump();
    EXPECT_EQ(e->Text(), s.text);
    EXPECT_EQ(e->SelStart(), s.selStart);
    EXPECT_EQ(e->SelLength(), s.selLength);
  }
  screen.Type("abcdefghijk");  // replaces the selection, then stops at MaxLength
  screen.Pump();
  EXPECT_EQ(e->Text(), "abcdefgh");
  e->SetReadOnly(true);
  screen.Press(VK_BACK);
  screen.Pump();
  EXPECT_EQ(e->Text(), "abcdefgh");
}

TEST_F(EditTest, ClickPlacesTheCaretAndClipboardRoundTrips) {
  auto* e = new TEdit(form);
  e->SetParent(form);
  e->SetText("abcdef");
  ShowForm();
  // Test font: every character advances 5 pixels at height 11; text starts at x 3.
  screen.Click(At(e, 3 + 5 * 2 + 1, 10));
  screen.Pump();
  EXPECT_TRUE(e->Focused());
  EXPECT_EQ(e->CaretPos(), 2);
  e->SetSelStart(1);
  e->SetSelLength(3);
  EXPECT_EQ(e->SelText(), "bcd");
  e->CutToClipboard();
  EXPECT_EQ(e->Text(), "aef");
  e->SetSelStart(3);
  e->PasteFromClipboard();
  EXPECT_EQ(e->Text(), "aefbcd");
  e->SetPasswordChar(U'*');
  e->SelectAll();
  e->CopyToClipboard();
  EXPECT_EQ(ClipboardText(), "bcd") << "a password is never copied";
}

using LabelTest = FrameworkTest;

TEST_F(LabelTest, AutoSizeAndAcceleratorFocusesItsControl) {
  auto* l = new TLabel(form);
  l->SetParent(form);
  l->SetCaption("&Name");
  // Test font at height 11: 5 pixels per character, "&" not shown, line 11.
  EXPECT_EQ(l->Width(), 20);
  EXPECT_EQ(l->Height(), 11);
  auto* e = new TEdit(form);
  e->SetParent(form);
  e->SetTop(40);
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetTop(80);
  l->SetFocusControl(e);
  form->SetActiveControl(other);
  ShowForm();
  screen.KeyDown(VK_MENU);
  screen.Press('N', U'n');
  screen.KeyUp(VK_MENU);
  screen.Pump();
  EXPECT_TRUE(e->Focused());
  delete e;
  EXPECT_EQ(l->FocusControl(), nullptr);
}

}  // namespace
}  // namespace vx::test
