// The plain standard controls: label, button, list box and single-line edit.
#pragma once

#include <string>
#include <vector>

#include "platform/core/strings.h"
#include "platform/framework/controls.h"
#include "platform/gfx/font_style.h"

namespace vx {

// TAlignment (taLeftJustify, taRightJustify, taCenter) comes from gfx font_style.h.
enum TVerticalLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  ~TLabel() override;
  std::string ClassName() const override { return "TLabel"; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TVerticalLayout Layout() const { return layout_; }
  void SetLayout(TVerticalLayout l);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  // The control that gets the focus when the label's accelerator is typed.
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* c);
  // DrawText flags the label paints with.
  uint32_t DrawTextFlags() const;
  void WndProc(TMessage& msg) override;

 protected:
  void Paint() override;
  bool CanAutoSize(int& w, int& h) override;
  void Notification(TComponent* c, TOperation op) override;

 private:
  TAlignment alignment_ = taLeftJustify;
  TVerticalLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

class TButton : public TCustomControl {
 public:
  explicit TButton(TComponent* owner);
  std::string ClassName() const override { return "TButton"; }
  // Enter on the form clicks the default button; Escape the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  // Clicking sets the parent form's ModalResult to this value (when not mrNone).
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  void Click() override;
  void WndProc(TMessage& msg) override;

 protected:
  void Paint() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseBtn b, TShiftState s, int x, int y) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  bool spaceDown_ = false;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawFlag : uint32_t { odSelected = 1, odFocused = 2, odDisabled = 4 };
using TOwnerDrawState = uint32_t;
using TDrawItemEvent = std::function<void(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state)>;

struct TScrollInfo {
  int nMin = 0;
  int nMax = 0;   // inclusive
  int nPage = 0;
  int nPos = 0;
};

class TListBox;

// The items of a list box: strings with their objects and selection.
class TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TListBox* owner) : owner_(owner) {}
  int Count() const override { return int(items_.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void* Objects(int index) const override;
  void SetObjects(int index, void* object) override;
  int Add(const std::string& s) override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  friend class TListBox;
  struct Item {
    std::string text;
    void* object = nullptr;
    bool selected = false;
  };
  TListBox* owner_;
  std::vector<Item> items_;
};

class TListBox : public TCustomControl {
 public:
  explicit TListBox(TComponent* owner);
  std::string ClassName() const override { return "TListBox"; }

  TStrings& Items() { return items_; }
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle s);
  // Owner-draw styles use ItemHeight; the standard style the font's line height.
  int ItemHeight();
  void SetItemHeight(int h);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool v);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool v) { extendedSelect_ = v; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  // 0: one column scrolled vertically; n > 0: n columns per view, scrolled sideways.
  int Columns() const { return columns_; }
  void SetColumns(int n);
  bool BorderVisible() const { return border_; }
  void SetBorderVisible(bool v);

  // The focused item (-1 none). Setting it selects it alone.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);
  bool Selected(int i) const;
  void SetSelected(int i, bool v);
  int SelCount() const;
  void ClearSelection();
  void SelectAll();
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int i);
  // The item at a client point; -1 when there is none (existing), else the
  // nearest index, or Count() below the last item.
  int ItemAtPos(TPoint p, bool existing);
  TRect ItemRect(int i);
  // Rows in one column of the view (at least 1).
  int RowsPerPage();
  // The scroll range: vertical (single column) in items, horizontal (columns) in columns.
  TScrollInfo ScrollInfo();
  void EnsureVisible(int i);
  // The area items are drawn in (client minus border and scroll bar).
  TRect ItemsArea();

  TDrawItemEvent OnDrawItem;

  void WndProc(TMessage& msg) override;
  void ItemsChanged();

 protected:
  void Paint() override;
  virtual void DrawItem(int index, const TRect& rect, TOwnerDrawState state);
  void KeyDown(WORD& key, TShiftState shift) override;
  void MouseDown(TMouseBtn b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseBtn b, TShiftState s, int x, int y) override;
  bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos) override;

 private:
  friend class TListBoxStrings;
  void MoveCaret(int to, TShiftState shift);
  void SelectRange(int a, int b, bool clearOthers);
  bool HasScrollBar();
  TRect ScrollBarRect();
  void ClickScrollBar(TPoint p);
  int Clamp(int i) const;

  TListBoxStrings items_{this};
  TListBoxStyle style_ = lbStandard;
  int itemHeight_ = 16;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  bool sorted_ = false;
  int columns_ = 0;
  bool border_ = true;
  int itemIndex_ = -1;
  int anchor_ = -1;
  int topIndex_ = 0;
  bool tracking_ = false;
  bool trackCtrl_ = false;
  int updating_ = 0;
};

class TEdit : public TCustomControl {
 public:
  explicit TEdit(TComponent* owner);
  std::string ClassName() const override { return "TEdit"; }

  void SetText(const std::string& s) override;
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v) { readOnly_ = v; }
  char32_t PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char32_t c);
  bool BorderVisible() const { return border_; }
  void SetBorderVisible(bool v);

  // Positions count characters (code points).
  int SelStart() const { return std::min(anchor_, caret_); }
  int SelLength() const { return std::abs(caret_ - anchor_); }
  void SetSelStart(int i);
  void SetSelLength(int n);
  std::string SelText() const;
  // Replaces the selection (also when read-only: this is the program's call).
  void SetSelText(const std::string& s);
  void SelectAll();
  void ClearSelection();
  int CaretPos() const { return caret_; }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  // The character index nearest to a client x.
  int CharAtX(int x);

  TNotifyEvent OnChange;
  void WndProc(TMessage& msg) override;

 protected:
  virtual void Change();
  void Paint() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  void MouseDown(TMouseBtn b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;

 private:
  std::u32string Chars() const;
  std::u32string Shown() const;
  int TextX(int index);
  void SetCaret(int pos, bool extend);
  void ReplaceSelection(const std::u32string& s, bool user);
  void ScrollToCaret();

  int maxLength_ = 0;
  bool readOnly_ = false;
  char32_t passwordChar_ = 0;
  bool border_ = true;
  int anchor_ = 0;
  int caret_ = 0;
  int scrollX_ = 0;
};

// The framework's own clipboard text (edits copy and paste through it).
std::string ClipboardText();
void SetClipboardText(const std::string& s);

}  // namespace vx
