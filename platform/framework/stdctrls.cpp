#include "platform/framework/stdctrls.h"

#include <algorithm>

#include "platform/core/sysutils.h"
#include "platform/framework/forms.h"
#include "platform/gfx/font.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/text.h"

namespace vx {

namespace {

// A context for measuring text outside a paint.
struct MeasureDC {
  TDCPtr dc;
  explicit MeasureDC(TFont& f) : dc(CreateMemoryDC(TSurface::Create(1, 1, TPixelFormat::pf32bit))) {
    SelectFont(dc.get(), f.Handle());
  }
  HDC get() { return dc.get(); }
};

std::string g_clipboard;

// A sunken two-pixel frame around r.
void DrawSunkenFrame(TCanvas& c, const TRect& r) {
  c.Pen().SetColor(clBtnShadow);
  c.MoveTo(r.Left, r.Bottom - 1);
  c.LineTo(r.Left, r.Top);
  c.LineTo(r.Right - 1, r.Top);
  c.Pen().SetColor(clBtnHighlight);
  c.LineTo(r.Right - 1, r.Bottom - 1);
  c.LineTo(r.Left - 1, r.Bottom - 1);
  c.Pen().SetColor(cl3DDkShadow);
  c.MoveTo(r.Left + 1, r.Bottom - 2);
  c.LineTo(r.Left + 1, r.Top + 1);
  c.LineTo(r.Right - 2, r.Top + 1);
  c.Pen().SetColor(clBtnFace);
  c.LineTo(r.Right - 2, r.Bottom - 2);
  c.LineTo(r.Left, r.Bottom - 2);
}

}  // namespace

std::string ClipboardText() { return g_clipboard; }
void SetClipboardText(const std::string& s) { g_clipboard = s; }

// ---- TLabel --------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  controlStyle_ |= csOpaque | csReplicatable;
  controlStyle_ &= ~csCaptureMouse;
  width_ = 65;
  height_ = 17;
  autoSize_ = true;
}

TLabel::~TLabel() {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
}

void TLabel::Notification(TComponent* c, TOperation op) {
  TGraphicControl::Notification(c, op);
  if (op == opRemove && c == focusControl_) focusControl_ = nullptr;
}

void TLabel::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}
void TLabel::SetLayout(TVerticalLayout l) {
  layout_ = l;
  Invalidate();
}
void TLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustSize();
  Invalidate();
}
void TLabel::SetTransparent(bool v) {
  transparent_ = v;
  if (v) controlStyle_ &= ~csOpaque;
  else controlStyle_ |= csOpaque;
  Invalidate();
}
void TLabel::SetShowAccelChar(bool v) {
  showAccelChar_ = v;
  AdjustSize();
  Invalidate();
}
void TLabel::SetFocusControl(TWinControl* c) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = c;
  if (c) c->FreeNotification(this);
}

uint32_t TLabel::DrawTextFlags() const {
  uint32_t f = DT_EXPANDTABS;
  if (wordWrap_) f |= DT_WORDBREAK;
  if (!showAccelChar_) f |= DT_NOPREFIX;
  if (alignment_ == taCenter) f |= DT_CENTER;
  else if (alignment_ == taRightJustify) f |= DT_RIGHT;
  return f;
}

bool TLabel::CanAutoSize(int& w, int& h) {
  MeasureDC dc(font_);
  TRect r{0, 0, wordWrap_ ? std::max(1, w) : 0x7FFF, 0};
  std::string s = text_.empty() ? std::string(" ") : text_;
  DrawText(dc.get(), s, r, DrawTextFlags() | DT_CALCRECT);
  if (!wordWrap_ && align_ != alTop && align_ != alBottom && align_ != alClient) w = r.Width();
  if (align_ != alLeft && align_ != alRight && align_ != alClient) h = r.Height();
  return true;
}

void TLabel::Paint() {
  TCanvas& c = canvas_;
  TRect r = ClientRect();
  if (!transparent_) {
    c.Brush().SetColor(color_);
    c.FillRect(r);
  }
  c.Brush().SetStyle(bsClear);
  c.ApplyFont();
  uint32_t flags = DrawTextFlags();
  if (layout_ != tlTop) {
    TRect calc = r;
    DrawText(c.Handle(), text_, calc, flags | DT_CALCRECT);
    int dy = r.Height() - calc.Height();
    r.Top += layout_ == tlCenter ? dy / 2 : dy;
  }
  if (!enabled_) {
    SetTextColor(c.Handle(), clBtnHighlight);
    TRect sr = r.Offset(1, 1);
    DrawText(c.Handle(), text_, sr, flags);
    SetTextColor(c.Handle(), clBtnShadow);
  }
  DrawText(c.Handle(), text_, r, flags);
  c.Brush().SetStyle(bsSolid);
}

void TLabel::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    if (focusControl_ && enabled_ && showAccelChar_ && IsAccel(char32_t(m.WParam), text_) && focusControl_->CanFocus()) {
      focusControl_->SetFocus();
      m.Result = 1;
    }
    return;
  }
  TGraphicControl::WndProc(m);
}

// ---- TButton -------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
  width_ = 75;
  height_ = 25;
  tabStop_ = true;
  controlStyle_ = csSetCaption | csDoubleClicks | csCaptureMouse | csClickEvents | csOpaque;
}

void TButton::SetDefault(bool v) {
  default_ = v;
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* f = GetParentForm(this); f && modalResult_ != mrNone) f->SetModalResult(modalResult_);
  TCustomControl::Click();
}

void TButton::MouseDown(TMouseBtn b, TShiftState s, int x, int y) {
  if (b == mbLeft && CanFocus() && !Focused()) SetFocus();
  Invalidate();
  TCustomControl::MouseDown(b, s, x, y);
}

void TButton::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == VK_SPACE) {
    spaceDown_ = true;
    Invalidate();
    key = 0;
  } else if (key == VK_RETURN && shift == 0) {
    key = 0;
    Click();
  }
}

void TButton::KeyUp(WORD& key, TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if (key == VK_SPACE && spaceDown_) {
    spaceDown_ = false;
    Invalidate();
    key = 0;
    Click();
  }
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGKEY:
      if (((m.WParam == VK_RETURN && default_) || (m.WParam == VK_ESCAPE && cancel_)) &&
          (KeyDataToShiftState(m.LParam) & (ssShift | ssCtrl | ssAlt)) == 0 && CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(char32_t(m.WParam), text_) && CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    case WM_GETDLGCODE:
      m.Result = DLGC_BUTTON | (default_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_ENABLEDCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

void TButton::Paint() {
  TCanvas& c = canvas_;
  TRect r = ClientRect();
  const bool down = spaceDown_ || ((controlState_ & csLButtonDown) && MouseInControl());
  c.Brush().SetColor(color_ == clBtnFace ? clBtnFace : color_);
  c.FillRect(r);
  if (default_ || Focused()) {
    c.Brush().SetColor(cl3DDkShadow);
    c.FrameRect(r);
    r = r.Inflate(-1, -1);
  }
  TColor tl = down ? clBtnShadow : clBtnHighlight, br = down ? clBtnHighlight : cl3DDkShadow;
  c.Pen().SetColor(tl);
  c.MoveTo(r.Left, r.Bottom - 1);
  c.LineTo(r.Left, r.Top);
  c.LineTo(r.Right - 1, r.Top);
  c.Pen().SetColor(br);
  c.LineTo(r.Right - 1, r.Bottom - 1);
  c.LineTo(r.Left - 1, r.Bottom - 1);
  if (!down) {
    c.Pen().SetColor(clBtnShadow);
    c.MoveTo(r.Right - 2, r.Top + 1);
    c.LineTo(r.Right - 2, r.Bottom - 2);
    c.LineTo(r.Left, r.Bottom - 2);
  }
  c.Brush().SetStyle(bsClear);
  c.ApplyFont();
  SetTextColor(c.Handle(), enabled_ ? font_.Color() : clGrayText);
  TRect tr = r.Offset(down ? 1 : 0, down ? 1 : 0);
  DrawText(c.Handle(), text_, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  c.Brush().SetStyle(bsSolid);
  if (Focused()) c.DrawFocusRect(r.Inflate(-3, -3));
}

// ---- TListBoxStrings -------------------------------------------------------------------

std::string TListBoxStrings::Get(int i) const {
  CheckIndex(i, Count());
  return items_[size_t(i)].text;
}

void TListBoxStrings::Put(int i, const std::string& s) {
  CheckIndex(i, Count());
  if (owner_->Sorted()) throw EListError("Operation not allowed on sorted list");
  items_[size_t(i)].text = s;
  owner_->ItemsChanged();
}

void TListBoxStrings::Insert(int i, const std::string& s) {
  CheckIndex(i, Count() + 1);
  if (owner_->Sorted()) throw EListError("Operation not allowed on sorted list");
  items_.insert(items_.begin() + i, Item{s});
  if (owner_->itemIndex_ >= i) ++owner_->itemIndex_;
  if (owner_->anchor_ >= i) ++owner_->anchor_;
  owner_->ItemsChanged();
}

int TListBoxStrings::Add(const std::string& s) {
  int i = Count();
  if (owner_->Sorted()) {
    i = int(std::upper_bound(items_.begin(), items_.end(), s,
                             [](const std::string& a, const Item& b) { return CompareText(a, b.text) < 0; }) -
            items_.begin());
  }
  items_.insert(items_.begin() + i, Item{s});
  if (owner_->itemIndex_ >= i) ++owner_->itemIndex_;
  if (owner_->anchor_ >= i) ++owner_->anchor_;
  owner_->ItemsChanged();
  return i;
}

void TListBoxStrings::Delete(int i) {
  CheckIndex(i, Count());
  items_.erase(items_.begin() + i);
  auto fix = [&](int& v) {
    if (v == i) v = -1;
    else if (v > i) --v;
  };
  fix(owner_->itemIndex_);
  fix(owner_->anchor_);
  owner_->ItemsChanged();
}

void TListBoxStrings::Clear() {
  items_.clear();
  owner_->itemIndex_ = -1;
  owner_->anchor_ = -1;
  owner_->topIndex_ = 0;
  owner_->ItemsChanged();
}

void* TListBoxStrings::Objects(int i) const {
  CheckIndex(i, Count());
  return items_[size_t(i)].object;
}

void TListBoxStrings::SetObjects(int i, void* o) {
  CheckIndex(i, Count());
  items_[size_t(i)].object = o;
}

void TListBoxStrings::SetUpdateState(bool updating) {
  owner_->updating_ += updating ? 1 : -1;
  if (!updating) owner_->ItemsChanged();
}

// ---- TListBox ------------------------------------------------------------------------

TListBox::TListBox(TComponent* owner) : TCustomControl(owner) {
  width_ = 121;
  height_ = 97;
  tabStop_ = true;
  color_ = clWindow;
  controlStyle_ = csSetCaption | csDoubleClicks | csCaptureMouse | csOpaque;
}

void TListBox::ItemsChanged() {
  if (updating_ > 0) return;
  topIndex_ = Clamp(topIndex_);
  if (topIndex_ < 0) topIndex_ = 0;
  Invalidate();
}

int TListBox::Clamp(int i) const { return std::clamp(i, 0, std::max(0, items_.Count() - 1)); }

void TListBox::SetStyle(TListBoxStyle s) {
  style_ = s;
  Invalidate();
}

int TListBox::ItemHeight() {
  if (style_ != lbStandard) return std::max(1, itemHeight_);
  MeasureDC dc(font_);
  TTextMetric tm;
  GetTextMetrics(dc.get(), &tm);
  return std::max(1, tm.tmHeight);
}

void TListBox::SetItemHeight(int h) {
  if (h <= 0) return;
  itemHeight_ = h;
  Invalidate();
}

void TListBox::SetMultiSelect(bool v) {
  multiSelect_ = v;
  if (!v) {
    for (int i = 0; i < items_.Count(); ++i) items_.items_[size_t(i)].selected = i == itemIndex_;
  }
  Invalidate();
}

void TListBox::SetSorted(bool v) {
  if (sorted_ == v) return;
  sorted_ = v;
  if (v) {
    std::string cur = itemIndex_ >= 0 ? items_.Get(itemIndex_) : std::string();
    std::stable_sort(items_.items_.begin(), items_.items_.end(),
                     [](const auto& a, const auto& b) { return CompareText(a.text, b.text) < 0; });
    itemIndex_ = -1;
    for (int i = 0; i < items_.Count(); ++i)
      if (!cur.empty() && items_.items_[size_t(i)].text == cur && itemIndex_ < 0) itemIndex_ = i;
    anchor_ = itemIndex_;
  }
  Invalidate();
}

void TListBox::SetColumns(int n) {
  columns_ = std::max(0, n);
  topIndex_ = 0;
  Invalidate();
}

void TListBox::SetBorderVisible(bool v) {
  border_ = v;
  Invalidate();
}

TRect TListBox::ItemsArea() {
  TRect r = ClientRect();
  if (border_) r = r.Inflate(-2, -2);
  if (HasScrollBar()) {
    if (columns_ > 0) r.Bottom -= 16;
    else r.Right -= 16;
  }
  return r;
}

int TListBox::RowsPerPage() {
  TRect r = ClientRect();
  if (border_) r = r.Inflate(-2, -2);
  if (columns_ > 0 && HasScrollBar()) r.Bottom -= 16;
  return std::max(1, r.Height() / ItemHeight());
}

bool TListBox::HasScrollBar() {
  TRect r = ClientRect();
  if (border_) r = r.Inflate(-2, -2);
  const int rows = std::max(1, r.Height() / ItemHeight());
  if (columns_ > 0) return items_.Count() > rows * columns_;
  return items_.Count() > rows;
}

TScrollInfo TListBox::ScrollInfo() {
  TScrollInfo si;
  const int rows = RowsPerPage();
  if (columns_ > 0) {
    const int cols = (items_.Count() + rows - 1) / rows;
    si.nMax = std::max(0, cols - 1);
    si.nPage = columns_;
    si.nPos = topIndex_ / rows;
  } else {
    si.nMax = std::max(0, items_.Count() - 1);
    si.nPage = rows;
    si.nPos = topIndex_;
  }
  return si;
}

void TListBox::SetTopIndex(int i) {
  const int rows = RowsPerPage();
  int maxTop;
  if (columns_ > 0) {
    const int cols = (items_.Count() + rows - 1) / rows;
    maxTop = std::max(0, cols - columns_) * rows;
    i = (std::max(0, i) / rows) * rows;
  } else {
    maxTop = std::max(0, items_.Count() - rows);
  }
  i = std::clamp(i, 0, maxTop);
  if (i == topIndex_) return;
  topIndex_ = i;
  Invalidate();
}

void TListBox::EnsureVisible(int i) {
  if (i < 0) return;
  const int rows = RowsPerPage();
  if (columns_ > 0) {
    const int col = i / rows, top = topIndex_ / rows;
    if (col < top) SetTopIndex(col * rows);
    else if (col >= top + columns_) SetTopIndex((col - columns_ + 1) * rows);
  } else {
    if (i < topIndex_) SetTopIndex(i);
    else if (i >= topIndex_ + rows) SetTopIndex(i - rows + 1);
  }
}

TRect TListBox::ItemRect(int i) {
  TRect area = ItemsArea();
  const int ih = ItemHeight();
  if (columns_ > 0) {
    const int rows = RowsPerPage();
    const int cw = std::max(1, area.Width() / columns_);
    const int rel = i - topIndex_;
    const int col = rel >= 0 ? rel / rows : -((-rel + rows - 1) / rows);
    const int row = rel - col * rows;
    return Bounds(area.Left + col * cw, area.Top + row * ih, cw, ih);
  }
  return Bounds(area.Left, area.Top + (i - topIndex_) * ih, area.Width(), ih);
}

int TListBox::ItemAtPos(TPoint p, bool existing) {
  TRect area = ItemsArea();
  const int ih = ItemHeight();
  int index;
  if (columns_ > 0) {
    const int rows = RowsPerPage();
    const int cw = std::max(1, area.Width() / columns_);
    if (p.X < area.Left || p.Y < area.Top || p.Y >= area.Top + rows * ih) return existing ? -1 : Clamp(topIndex_);
    index = topIndex_ + ((p.X - area.Left) / cw) * rows + (p.Y - area.Top) / ih;
  } else {
    if (p.Y < area.Top) return existing ? -1 : (items_.Count() ? topIndex_ : 0);
    index = topIndex_ + (p.Y - area.Top) / ih;
  }
  if (existing) {
    if (!area.Contains(p) || index < 0 || index >= items_.Count()) return -1;
    return index;
  }
  return std::clamp(index, 0, items_.Count());
}

void TListBox::SetItemIndex(int i) {
  if (i < -1 || i >= items_.Count()) i = -1;
  for (auto& it : items_.items_) it.selected = false;
  itemIndex_ = i;
  anchor_ = i;
  if (i >= 0) {
    items_.items_[size_t(i)].selected = true;
    EnsureVisible(i);
  }
  Invalidate();
}

bool TListBox::Selected(int i) const {
  if (i < 0 || i >= items_.Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  return items_.items_[size_t(i)].selected;
}

void TListBox::SetSelected(int i, bool v) {
  if (i < 0 || i >= items_.Count()) throw EListError("List index out of bounds (" + std::to_string(i) + ")");
  if (!multiSelect_) {
    if (v) SetItemIndex(i);
    else if (i == itemIndex_) SetItemIndex(-1);
    return;
  }
  items_.items_[size_t(i)].selected = v;
  Invalidate();
}

int TListBox::SelCount() const {
  if (!multiSelect_) return -1;
  return int(std::count_if(items_.items_.begin(), items_.items_.end(), [](const auto& it) { return it.selected; }));
}

void TListBox::ClearSelection() {
  for (auto& it : items_.items_) it.selected = false;
  if (!multiSelect_) itemIndex_ = -1;
  Invalidate();
}

void TListBox::SelectAll() {
  if (!multiSelect_) return;
  for (auto& it : items_.items_) it.selected = true;
  Invalidate();
}

void TListBox::SelectRange(int a, int b, bool clearOthers) {
  if (a > b) std::swap(a, b);
  for (int i = 0; i < items_.Count(); ++i) {
    bool in = i >= a && i <= b;
    if (in) items_.items_[size_t(i)].selected = true;
    else if (clearOthers) items_.items_[size_t(i)].selected = false;
  }
}

// Moves the focused item with the keyboard and updates the selection by the
// selection mode; fires OnClick when the selection changed.
void TListBox::MoveCaret(int to, TShiftState shift) {
  if (items_.Count() == 0) return;
  to = Clamp(to);
  std::vector<bool> before;
  for (auto& it : items_.items_) before.push_back(it.selected);
  if (!multiSelect_) {
    for (auto& it : items_.items_) it.selected = false;
    items_.items_[size_t(to)].selected = true;
    anchor_ = to;
  } else if (extendedSelect_) {
    if (shift & ssShift) {
      if (anchor_ < 0) anchor_ = itemIndex_ >= 0 ? itemIndex_ : to;
      SelectRange(anchor_, to, true);
    } else if (!(shift & ssCtrl)) {
      for (auto& it : items_.items_) it.selected = false;
      items_.items_[size_t(to)].selected = true;
      anchor_ = to;
    }
  }
  itemIndex_ = to;
  EnsureVisible(to);
  Invalidate();
  bool changed = false;
  for (size_t i = 0; i < before.size(); ++i) changed |= before[i] != items_.items_[i].selected;
  if (changed) Click();
}

void TListBox::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0 || items_.Count() == 0) return;
  const int rows = RowsPerPage();
  const int page = columns_ > 0 ? rows * columns_ : rows;
  const int cur = itemIndex_ < 0 ? -1 : itemIndex_;
  int to = cur;
  switch (key) {
    case VK_UP: to = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN: to = cur + 1; break;
    case VK_LEFT: to = columns_ > 0 ? cur - rows : cur - 1; break;
    case VK_RIGHT: to = columns_ > 0 ? cur + rows : cur + 1; break;
    case VK_PRIOR: to = cur - (page > 1 ? page - 1 : 1); break;
    case VK_NEXT: to = cur < 0 ? page - 1 : cur + (page > 1 ? page - 1 : 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = items_.Count() - 1; break;
    case VK_SPACE:
      if (multiSelect_ && cur >= 0 && (!extendedSelect_ || (shift & ssCtrl))) {
        items_.items_[size_t(cur)].selected = !items_.items_[size_t(cur)].selected;
        anchor_ = cur;
        Invalidate();
        Click();
      }
      key = 0;
      return;
    default:
      return;
  }
  key = 0;
  MoveCaret(std::max(0, to), shift);
}

void TListBox::MouseDown(TMouseBtn b, TShiftState s, int x, int y) {
  if (CanFocus() && !Focused()) SetFocus();
  if (b == mbLeft && HasScrollBar() && ScrollBarRect().Contains({x, y})) {
    ClickScrollBar({x, y});
    TCustomControl::MouseDown(b, s, x, y);
    return;
  }
  if (b == mbLeft) {
    int i = ItemAtPos({x, y}, true);
    if (i >= 0) {
      std::vector<bool> before;
      for (auto& it : items_.items_) before.push_back(it.selected);
      if (!multiSelect_) {
        for (auto& it : items_.items_) it.selected = false;
        items_.items_[size_t(i)].selected = true;
        anchor_ = i;
      } else if (!extendedSelect_) {
        items_.items_[size_t(i)].selected = !items_.items_[size_t(i)].selected;
        anchor_ = i;
      } else if (s & ssShift) {
        if (anchor_ < 0) anchor_ = i;
        SelectRange(anchor_, i, !(s & ssCtrl));
      } else if (s & ssCtrl) {
        items_.items_[size_t(i)].selected = !items_.items_[size_t(i)].selected;
        anchor_ = i;
      } else {
        for (auto& it : items_.items_) it.selected = false;
        items_.items_[size_t(i)].selected = true;
        anchor_ = i;
      }
      itemIndex_ = i;
      tracking_ = !multiSelect_ || extendedSelect_;
      trackCtrl_ = (s & ssCtrl) != 0;
      Invalidate();
      bool changed = false;
      for (size_t k = 0; k < before.size(); ++k) changed |= before[k] != items_.items_[k].selected;
      if (changed) Click();
    }
  }
  TCustomControl::MouseDown(b, s, x, y);
}

void TListBox::MouseMove(TShiftState s, int x, int y) {
  if (tracking_ && MouseCapture() && items_.Count() > 0) {
    TRect area = ItemsArea();
    int i;
    if (columns_ == 0 && y < area.Top) i = std::max(0, topIndex_ - 1);
    else if (columns_ == 0 && y >= area.Bottom) i = std::min(items_.Count() - 1, topIndex_ + RowsPerPage());
    else i = Clamp(ItemAtPos({x, y}, false));
    if (i != itemIndex_) {
      std::vector<bool> before;
      for (auto& it : items_.items_) before.push_back(it.selected);
      if (!multiSelect_) {
        for (auto& it : items_.items_) it.selected = false;
        items_.items_[size_t(i)].selected = true;
        anchor_ = i;
      } else if (!trackCtrl_) {
        SelectRange(anchor_ < 0 ? i : anchor_, i, true);
      }
      itemIndex_ = i;
      EnsureVisible(i);
      Invalidate();
      bool changed = false;
      for (size_t k = 0; k < before.size(); ++k) changed |= before[k] != items_.items_[k].selected;
      if (changed) Click();
    }
  }
  TCustomControl::MouseMove(s, x, y);
}

void TListBox::MouseUp(TMouseBtn b, TShiftState s, int x, int y) {
  if (b == mbLeft) tracking_ = false;
  TCustomControl::MouseUp(b, s, x, y);
}

bool TListBox::DoMouseWheel(TShiftState shift, int delta, TPoint p) {
  if (TCustomControl::DoMouseWheel(shift, delta, p)) return true;
  const int steps = delta / 120 * 3;
  if (columns_ > 0) SetTopIndex(topIndex_ - (delta / 120) * RowsPerPage());
  else SetTopIndex(topIndex_ - steps);
  return true;
}

TRect TListBox::ScrollBarRect() {
  TRect r = ClientRect();
  if (border_) r = r.Inflate(-2, -2);
  if (columns_ > 0) return {r.Left, r.Bottom - 16, r.Right, r.Bottom};
  return {r.Right - 16, r.Top, r.Right, r.Bottom};
}

void TListBox::ClickScrollBar(TPoint p) {
  TRect sb = ScrollBarRect();
  const int rows = RowsPerPage();
  if (columns_ > 0) {
    if (p.X < sb.Left + 16) SetTopIndex(topIndex_ - rows);
    else if (p.X >= sb.Right - 16) SetTopIndex(topIndex_ + rows);
    else SetTopIndex(topIndex_ + (p.X < (sb.Left + sb.Right) / 2 ? -columns_ : columns_) * rows);
  } else {
    if (p.Y < sb.Top + 16) SetTopIndex(topIndex_ - 1);
    else if (p.Y >= sb.Bottom - 16) SetTopIndex(topIndex_ + 1);
    else SetTopIndex(topIndex_ + (p.Y < (sb.Top + sb.Bottom) / 2 ? -rows : rows));
  }
}

void TListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  TCanvas& c = canvas_;
  if (style_ != lbStandard && OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  const bool sel = state & odSelected;
  c.Brush().SetColor(sel ? clHighlight : color_);
  c.FillRect(rect);
  c.Brush().SetStyle(bsClear);
  c.ApplyFont();
  SetTextColor(c.Handle(), !enabled_ ? clGrayText : sel ? clHighlightText : font_.Color());
  TRect tr{rect.Left + 2, rect.Top, rect.Right, rect.Bottom};
  DrawText(c.Handle(), items_.Get(index), tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  c.Brush().SetStyle(bsSolid);
}

void TListBox::Paint() {
  TCanvas& c = canvas_;
  TRect client = ClientRect();
  c.Brush().SetColor(color_);
  c.FillRect(client);
  if (border_) DrawSunkenFrame(c, client);
  TRect area = ItemsArea();
  int saved = SaveDC(c.Handle());
  IntersectClipRect(c.Handle(), area.Left, area.Top, area.Right, area.Bottom);
  const bool focused = Focused();
  for (int i = topIndex_; i < items_.Count(); ++i) {
    TRect r = ItemRect(i);
    if (r.Top >= area.Bottom || r.Left >= area.Right) {
      if (columns_ == 0) break;
      continue;
    }
    TOwnerDrawState st = 0;
    if (items_.items_[size_t(i)].selected) st |= odSelected;
    if (focused && i == itemIndex_) st |= odFocused;
    if (!enabled_) st |= odDisabled;
    DrawItem(i, r, st);
    if ((st & odFocused) && !OnDrawItem) c.DrawFocusRect(r);
  }
  RestoreDC(c.Handle(), saved);
  if (HasScrollBar()) {
    TRect sb = ScrollBarRect();
    c.Brush().SetColor(clScrollBar);
    c.FillRect(sb);
    TScrollInfo si = ScrollInfo();
    const int range = si.nMax - si.nMin + 1;
    const bool vert = columns_ == 0;
    const int len = (vert ? sb.Height() : sb.Width()) - 32;
    if (range > 0 && len > 0) {
      const int thumb = std::max(8, len * std::min(si.nPage, range) / range);
      const int maxPos = std::max(1, range - si.nPage);
      const int off = 16 + (len - thumb) * std::min(si.nPos, maxPos) / maxPos;
      TRect t = vert ? TRect{sb.Left, sb.Top + off, sb.Right, sb.Top + off + thumb}
                     : TRect{sb.Left + off, sb.Top, sb.Left + off + thumb, sb.Bottom};
      c.Brush().SetColor(clBtnFace);
      c.FillRect(t);
      c.Brush().SetColor(clBtnShadow);
      c.FrameRect(t);
    }
    c.Brush().SetColor(clBtnFace);
    TRect a1 = vert ? TRect{sb.Left, sb.Top, sb.Right, sb.Top + 16} : TRect{sb.Left, sb.Top, sb.Left + 16, sb.Bottom};
    TRect a2 = vert ? TRect{sb.Left, sb.Bottom - 16, sb.Right, sb.Bottom} : TRect{sb.Right - 16, sb.Top, sb.Right, sb.Bottom};
    for (TRect a : {a1, a2}) {
      c.FillRect(a);
      c.Brush().SetColor(clBtnShadow);
      c.FrameRect(a);
      c.Brush().SetColor(clBtnFace);
    }
  }
}

void TListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      break;
    case WM_SIZE:
      TCustomControl::WndProc(m);
      SetTopIndex(topIndex_);
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

// ---- TEdit ---------------------------------------------------------------------------

TEdit::TEdit(TComponent* owner) : TCustomControl(owner) {
  width_ = 121;
  height_ = 21;
  tabStop_ = true;
  color_ = clWindow;
  cursor_ = IDC_IBEAM;
  controlStyle_ = csSetCaption | csDoubleClicks | csCaptureMouse | csOpaque;
}

std::u32string TEdit::Chars() const { return DecodeUtf8(text_); }

std::u32string TEdit::Shown() const {
  std::u32string s = Chars();
  if (passwordChar_) std::fill(s.begin(), s.end(), passwordChar_);
  return s;
}

void TEdit::SetPasswordChar(char32_t c) {
  passwordChar_ = c;
  Invalidate();
}

void TEdit::SetBorderVisible(bool v) {
  border_ = v;
  Invalidate();
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::SetText(const std::string& s) {
  if (s == text_) return;
  std::u32string chars = DecodeUtf8(s);
  text_ = EncodeUtf8(chars);
  anchor_ = caret_ = 0;
  scrollX_ = 0;
  Perform(CM_TEXTCHANGED);
  if (handle_) SetWindowText(handle_, text_);
  Invalidate();
  Change();
}

void TEdit::SetSelStart(int i) {
  const int n = int(Chars().size());
  anchor_ = caret_ = std::clamp(i, 0, n);
  ScrollToCaret();
  Invalidate();
}

void TEdit::SetSelLength(int len) {
  const int n = int(Chars().size());
  const int start = SelStart();
  anchor_ = start;
  caret_ = std::clamp(start + len, 0, n);
  ScrollToCaret();
  Invalidate();
}

std::string TEdit::SelText() const {
  std::u32string s = Chars();
  return EncodeUtf8(s.substr(size_t(SelStart()), size_t(SelLength())));
}

void TEdit::SetSelText(const std::string& s) { ReplaceSelection(DecodeUtf8(s), false); }

void TEdit::SelectAll() {
  anchor_ = 0;
  caret_ = int(Chars().size());
  Invalidate();
}

void TEdit::ClearSelection() { ReplaceSelection(U"", false); }

void TEdit::CopyToClipboard() {
  if (SelLength() > 0 && !passwordChar_) SetClipboardText(SelText());
}

void TEdit::CutToClipboard() {
  if (readOnly_ || passwordChar_) return;
  CopyToClipboard();
  ReplaceSelection(U"", true);
}

void TEdit::PasteFromClipboard() {
  if (readOnly_) return;
  std::u32string s = DecodeUtf8(ClipboardText());
  // One line only: the text stops at the first line break.
  if (auto nl = s.find_first_of(U"\r\n"); nl != std::u32string::npos) s.resize(nl);
  ReplaceSelection(s, true);
}

void TEdit::ReplaceSelection(const std::u32string& ins, bool user) {
  std::u32string s = Chars();
  const int start = SelStart(), len = SelLength();
  std::u32string add = ins;
  if (user && maxLength_ > 0) {
    const int room = maxLength_ - (int(s.size()) - len);
    if (room <= 0) add.clear();
    else if (int(add.size()) > room) add.resize(size_t(room));
  }
  if (len == 0 && add.empty()) return;
  s.replace(size_t(start), size_t(len), add);
  text_ = EncodeUtf8(s);
  anchor_ = caret_ = start + int(add.size());
  if (handle_) SetWindowText(handle_, text_);
  Perform(CM_TEXTCHANGED);
  ScrollToCaret();
  Invalidate();
  Change();
}

int TEdit::TextX(int index) {
  MeasureDC dc(font_);
  std::u32string s = Shown();
  TSize sz;
  GetTextExtentPoint32(dc.get(), EncodeUtf8(s.substr(0, size_t(std::clamp(index, 0, int(s.size()))))), &sz);
  return sz.cx;
}

int TEdit::CharAtX(int x) {
  const int origin = (border_ ? 3 : 1) - scrollX_;
  std::u32string s = Shown();
  MeasureDC dc(font_);
  int best = 0, bestDist = 1 << 30;
  for (size_t i = 0; i <= s.size(); ++i) {
    TSize sz;
    GetTextExtentPoint32(dc.get(), EncodeUtf8(s.substr(0, i)), &sz);
    int d = std::abs(origin + sz.cx - x);
    if (d < bestDist) {
      bestDist = d;
      best = int(i);
    }
  }
  return best;
}

void TEdit::ScrollToCaret() {
  const int inner = std::max(1, ClientWidth() - (border_ ? 6 : 2));
  const int cx = TextX(caret_);
  if (cx - scrollX_ > inner) scrollX_ = cx - inner;
  if (cx < scrollX_) scrollX_ = cx;
  if (scrollX_ < 0) scrollX_ = 0;
}

void TEdit::SetCaret(int pos, bool extend) {
  const int n = int(Chars().size());
  caret_ = std::clamp(pos, 0, n);
  if (!extend) anchor_ = caret_;
  ScrollToCaret();
  Invalidate();
}

void TEdit::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const bool ext = shift & ssShift;
  const int n = int(Chars().size());
  switch (key) {
    case VK_LEFT:
      if (!ext && SelLength() > 0) SetCaret(SelStart(), false);
      else SetCaret(caret_ - 1, ext);
      break;
    case VK_RIGHT:
      if (!ext && SelLength() > 0) SetCaret(SelStart() + SelLength(), false);
      else SetCaret(caret_ + 1, ext);
      break;
    case VK_HOME: SetCaret(0, ext); break;
    case VK_END: SetCaret(n, ext); break;
    case VK_DELETE:
      if (readOnly_) break;
      if (shift & ssShift) {
        CutToClipboard();
        break;
      }
      if (SelLength() == 0 && caret_ < n) caret_ = caret_ + 1;
      ReplaceSelection(U"", true);
      break;
    case VK_BACK:
      if (readOnly_) break;
      if (SelLength() == 0 && caret_ > 0) caret_ = caret_ - 1;
      ReplaceSelection(U"", true);
      break;
    case VK_INSERT:
      if (shift & ssCtrl) CopyToClipboard();
      else if (shift & ssShift) PasteFromClipboard();
      break;
    default:
      if (shift & ssCtrl) {
        if (key == 'A') SelectAll();
        else if (key == 'C') CopyToClipboard();
        else if (key == 'X') CutToClipboard();
        else if (key == 'V') PasteFromClipboard();
        else return;
        break;
      }
      return;
  }
  key = 0;
}

void TEdit::KeyPress(char32_t& key) {
  TCustomControl::KeyPress(key);
  if (key < 32 || key == 127) return;  // control characters are keys, not text
  if (readOnly_ || (KeyboardShiftState() & ssCtrl)) return;
  ReplaceSelection(std::u32string(1, key), true);
  key = 0;
}

void TEdit::MouseDown(TMouseBtn b, TShiftState s, int x, int y) {
  if (CanFocus() && !Focused()) SetFocus();
  if (b == mbLeft) {
    if (s & ssDouble) SelectAll();
    else SetCaret(CharAtX(x), (s & ssShift) != 0);
  }
  TCustomControl::MouseDown(b, s, x, y);
}

void TEdit::MouseMove(TShiftState s, int x, int y) {
  if (MouseCapture() && (controlState_ & csLButtonDown)) SetCaret(CharAtX(x), true);
  TCustomControl::MouseMove(s, x, y);
}

void TEdit::Paint() {
  TCanvas& c = canvas_;
  TRect r = ClientRect();
  c.Brush().SetColor(enabled_ ? color_ : clBtnFace);
  c.FillRect(r);
  if (border_) DrawSunkenFrame(c, r);
  TRect inner = border_ ? r.Inflate(-2, -2) : r;
  int saved = SaveDC(c.Handle());
  IntersectClipRect(c.Handle(), inner.Left, inner.Top, inner.Right, inner.Bottom);
  c.ApplyFont();
  TTextMetric tm;
  GetTextMetrics(c.Handle(), &tm);
  const int x0 = inner.Left + 1 - scrollX_;
  const int y0 = inner.Top + std::max(0, (inner.Height() - tm.tmHeight) / 2);
  std::u32string s = Shown();
  SetBkMode(c.Handle(), TRANSPARENT);
  SetTextColor(c.Handle(), enabled_ ? font_.Color() : clGrayText);
  TextOutW(c.Handle(), x0, y0, EncodeUtf16(s));
  const bool focused = Focused();
  if (SelLength() > 0 && focused) {
    const int a = TextX(SelStart()), b = TextX(SelStart() + SelLength());
    TRect sel{x0 + a, y0, x0 + b, y0 + tm.tmHeight};
    c.Brush().SetColor(clHighlight);
    c.FillRect(sel);
    SetTextColor(c.Handle(), clHighlightText);
    int s2 = SaveDC(c.Handle());
    IntersectClipRect(c.Handle(), sel.Left, sel.Top, sel.Right, sel.Bottom);
    TextOutW(c.Handle(), x0, y0, EncodeUtf16(s));
    RestoreDC(c.Handle(), s2);
  }
  if (focused) {
    const int cx = x0 + TextX(caret_);
    c.Brush().SetColor(font_.Color());
    c.FillRect({cx, y0, cx + 1, y0 + tm.tmHeight});
  }
  RestoreDC(c.Handle(), saved);
}

void TEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
      Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

}  // namespace vx
