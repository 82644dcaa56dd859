#include "platform/framework/menus.h"

#include <algorithm>

#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/framework/forms.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/imagelist.h"
#include "platform/gfx/text.h"

namespace vx {

// ---- shortcuts ---------------------------------------------------------------------

TShortCut ShortCut(WORD key, TShiftState shift) {
  if (key & 0xFF00) return scNone;
  TShortCut sc = TShortCut(key & 0xFF);
  if (shift & ssShift) sc |= scShift;
  if (shift & ssCtrl) sc |= scCtrl;
  if (shift & ssAlt) sc |= scAlt;
  return sc;
}

void ShortCutToKey(TShortCut sc, WORD& key, TShiftState& shift) {
  key = WORD(sc & 0xFF);
  shift = 0;
  if (sc & scShift) shift |= ssShift;
  if (sc & scCtrl) shift |= ssCtrl;
  if (sc & scAlt) shift |= ssAlt;
}

namespace {
struct KeyName {
  WORD key;
  const char* name;
};
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},    {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},     {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyToText(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
  if (key >= VK_F1 && key <= VK_F1 + 23) return "F" + std::to_string(key - VK_F1 + 1);
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
  for (const KeyName& k : kKeyNames)
    if (k.key == key) return k.name;
  return {};
}
}  // namespace

std::string ShortCutToText(TShortCut sc) {
  std::string name = KeyToText(WORD(sc & 0xFF));
  if (name.empty()) return {};
  std::string s;
  if (sc & scShift) s += "Shift+";
  if (sc & scCtrl) s += "Ctrl+";
  if (sc & scAlt) s += "Alt+";
  return s + name;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut mods = 0;
  std::string_view rest = text;
  auto eat = [&](std::string_view prefix) {
    if (rest.size() > prefix.size() && SameText(rest.substr(0, prefix.size()), prefix)) {
      rest.remove_prefix(prefix.size());
      return true;
    }
    return false;
  };
  for (bool progress = true; progress;) {
    progress = false;
    if (eat("Shift+")) mods |= scShift, progress = true;
    else if (eat("Ctrl+")) mods |= scCtrl, progress = true;
    else if (eat("Alt+")) mods |= scAlt, progress = true;
  }
  if (rest.empty()) return scNone;
  for (int key = 1; key < 256; ++key) {
    std::string name = KeyToText(WORD(key));
    if (!name.empty() && SameText(name, rest)) return TShortCut(key | mods);
  }
  return scNone;
}

// ---- TMenuItem ---------------------------------------------------------------------

static uintptr_t g_nextCommand = 1;

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(g_nextCommand++) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (parent_) parent_->Remove(this);
}

void TMenuItem::Changed() {
  if (TMenu* m = GetParentMenu()) m->MenuChanged(this, false);
}

void TMenuItem::SetCaption(const std::string& s) {
  caption_ = s;
  Changed();
}
void TMenuItem::SetShortCut(TShortCut s) {
  shortCut_ = s;
  Changed();
}

void TMenuItem::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  if (v && radioItem_ && parent_) {
    for (TMenuItem* sib : parent_->items_)
      if (sib != this && sib->radioItem_ && sib->groupIndex_ == groupIndex_) sib->checked_ = false;
  }
  Changed();
}

void TMenuItem::SetRadioItem(bool v) {
  radioItem_ = v;
  if (v && checked_) {
    checked_ = false;
    SetChecked(true);
  }
  Changed();
}

void TMenuItem::SetGroupIndex(uint8_t v) {
  groupIndex_ = v;
  if (radioItem_ && checked_) {
    checked_ = false;
    SetChecked(true);
  }
  Changed();
}

void TMenuItem::SetEnabled(bool v) {
  enabled_ = v;
  Changed();
}
void TMenuItem::SetVisible(bool v) {
  visible_ = v;
  if (TMenu* m = GetParentMenu()) m->MenuChanged(this, true);
}
void TMenuItem::SetDefault(bool v) {
  if (v && parent_)
    for (TMenuItem* sib : parent_->items_) sib->default_ = false;
  default_ = v;
  Changed();
}
void TMenuItem::SetImageIndex(int v) {
  imageIndex_ = v;
  Changed();
}

TBitmap& TMenuItem::Bitmap() {
  if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
  return *bitmap_;
}

TMenuItem* TMenuItem::Items(int i) const {
  if (i < 0 || i >= Count()) throw EListError("Menu index out of range (" + std::to_string(i) + ")");
  return items_[size_t(i)];
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int i) {
  if (!parent_) return;
  TMenuItem* p = parent_;
  auto& l = p->items_;
  l.erase(std::find(l.begin(), l.end(), this));
  i = std::clamp(i, 0, int(l.size()));
  l.insert(l.begin() + i, this);
  if (TMenu* m = GetParentMenu()) m->MenuChanged(this, true);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->parent_) throw EInvalidOperation("Menu inserted twice");
  for (TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw EInvalidOperation("A menu item cannot contain itself");
  if (index < 0 || index > Count()) throw EListError("Menu index out of range (" + std::to_string(index) + ")");
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (TMenu* m = GetParentMenu()) m->MenuChanged(this, true);
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  if (TMenu* m = GetParentMenu()) m->MenuChanged(this, true);
}

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  Remove(item);
  item->Free();
}

void TMenuItem::Clear() {
  while (!items_.empty()) {
    TMenuItem* item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    item->Free();
  }
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : int(it - items_.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
  std::string want = StripHotkey(caption);
  for (TMenuItem* i : items_)
    if (SameText(StripHotkey(i->caption_), want)) return i;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* p = this;
  while (p->parent_) p = p->parent_;
  return p->menu_;
}

int TMenuItem::VisibleCount() const {
  return int(std::count_if(items_.begin(), items_.end(), [](TMenuItem* i) { return i->visible_; }));
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

// ---- TMenu -------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() { delete items_; }

void TMenu::Notification(TComponent* c, TOperation op) { TComponent::Notification(c, op); }

void TMenu::SetImages(TImageList* il) {
  images_ = il;
  MenuChanged(nullptr, false);
}

void TMenu::MenuChanged(TMenuItem* source, bool rebuild) {
  if (OnChange) OnChange(this, source, rebuild);
}

static TMenuItem* FindShortCut(TMenuItem* parent, TShortCut sc, bool usable) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (usable && (!it->Enabled() || !it->Visible())) continue;
    if (it->ShortCut() == sc && sc != scNone) return it;
    if (TMenuItem* sub = FindShortCut(it, sc, usable)) return sub;
  }
  return nullptr;
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut sc) const { return FindShortCut(items_, sc, false); }

static TMenuItem* FindCommand(TMenuItem* parent, uintptr_t cmd) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* it = parent->Items(i);
    if (it->Command() == cmd) return it;
    if (TMenuItem* sub = FindCommand(it, cmd)) return sub;
  }
  return nullptr;
}

TMenuItem* TMenu::FindItemByCommand(uintptr_t cmd) const { return FindCommand(items_, cmd); }

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
  TShortCut sc = ShortCut(key, shift & (ssShift | ssCtrl | ssAlt));
  if (sc == scNone) return false;
  TMenuItem* item = FindShortCut(items_, sc, true);
  if (!item) return false;
  item->Click();
  return true;
}

// ---- TPopupMenu -----------------------------------------------------------------------

void TPopupMenu::SetPopupComponent(TComponent* c) {
  if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
  popupComponent_ = c;
  if (c) c->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* c, TOperation op) {
  TMenu::Notification(c, op);
  if (op == opRemove && c == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  popupPoint_ = {x, y};
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = TrackPlainPopup(Items(), popupPoint_, Images());
  if (OnClose) OnClose(this);
  if (chosen) chosen->Click();
}

// ---- plain popup window ---------------------------------------------------------------

namespace {

constexpr int kItemHeight = 20;
constexpr int kLineHeight = 8;

class TPlainPopup : public TCustomControl {
 public:
  TPlainPopup(TMenuItem* parent, TImageList* images) : TCustomControl(nullptr), parent_(parent), images_(images) {
    visible_ = false;
    color_ = clMenu;
    parentFont_ = false;
  }
  std::string ClassName() const override { return "TPlainPopup"; }

  std::vector<TMenuItem*> items;
  int selected = -1;
  bool done = false;
  TMenuItem* chosen = nullptr;

  int ItemAt(TPoint p) {
    int y = 2;
    for (size_t i = 0; i < items.size(); ++i) {
      int h = items[i]->IsLine() ? kLineHeight : kItemHeight;
      if (p.Y >= y && p.Y < y + h && p.X >= 0 && p.X < width_) return int(i);
      y += h;
    }
    return -1;
  }
  bool Selectable(int i) { return i >= 0 && !items[size_t(i)]->IsLine() && items[size_t(i)]->Enabled(); }
  void Select(int i) {
    if (i == selected) return;
    selected = i;
    Invalidate();
  }
  void Step(int dir) {
    const int n = int(items.size());
    for (int k = 1; k <= n; ++k) {
      int i = ((selected < 0 ? (dir > 0 ? -1 : 0) : selected) + dir * k + n * 2) % n;
      if (Selectable(i)) {
        Select(i);
        return;
      }
    }
  }
  void Choose(int i) {
    if (!Selectable(i) || items[size_t(i)]->Count() > 0) return;
    chosen = items[size_t(i)];
    done = true;
  }
  TSize Measure() {
    TDCPtr mem = CreateMemoryDC(TSurface::Create(1, 1, TPixelFormat::pf32bit));
    SelectFont(mem.get(), font_.Handle());
    int w = 80, h = 4;
    for (TMenuItem* it : items) {
      if (it->IsLine()) {
        h += kLineHeight;
        continue;
      }
      TRect r{0, 0, 1000, 100};
      DrawText(mem.get(), it->Caption(), r, DT_CALCRECT | DT_SINGLELINE);
      int sw = 0;
      if (std::string s = ShortCutToText(it->ShortCut()); !s.empty()) {
        TRect sr{0, 0, 1000, 100};
        DrawText(mem.get(), s, sr, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        sw = sr.Width() + 24;
      }
      w = std::max(w, r.Width() + sw + 48);
      h += kItemHeight;
    }
    return {w, h};
  }

  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_MOUSEMOVE:
        Select(ItemAt(LParamToPoint(m.LParam)));
        return;
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN: {
        TPoint p = LParamToPoint(m.LParam);
        if (!ClientRect().Contains(p)) done = true;
        return;
      }
      case WM_LBUTTONUP:
      case WM_RBUTTONUP: {
        TPoint p = LParamToPoint(m.LParam);
        if (ClientRect().Contains(p)) Choose(ItemAt(p));
        return;
      }
      case WM_CAPTURECHANGED:
        if (HandleFromParam(m.LParam) != handle_) done = true;
        return;
      default:
        TCustomControl::WndProc(m);
    }
  }

 protected:
  void CreateParams(TCreateParams& p) override {
    TCustomControl::CreateParams(p);
    p.WinClassName = "VxPlainPopup";
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    p.WndParent = nullptr;
  }
  void Paint() override {
    TCanvas& c = canvas_;
    c.Brush().SetColor(clMenu);
    c.FillRect(ClientRect());
    int y = 2;
    for (size_t i = 0; i < items.size(); ++i) {
      TMenuItem* it = items[i];
      if (it->IsLine()) {
        c.Pen().SetColor(clBtnShadow);
        c.MoveTo(4, y + kLineHeight / 2 - 1);
        c.LineTo(width_ - 6, y + kLineHeight / 2 - 1);
        c.Pen().SetColor(clBtnHighlight);
        c.MoveTo(4, y + kLineHeight / 2);
        c.LineTo(width_ - 6, y + kLineHeight / 2);
        y += kLineHeight;
        continue;
      }
      TRect r{2, y, width_ - 4, y + kItemHeight};
      const bool sel = int(i) == selected;
      if (it->OnDrawItem) {
        it->OnDrawItem(it, c, r, sel);
        y += kItemHeight;
        continue;
      }
      c.Brush().SetColor(sel ? clHighlight : clMenu);
      c.FillRect(r);
      TColor tc = !it->Enabled() ? clGrayText : sel ? clHighlightText : clMenuText;
      c.Font().SetColor(tc);
      c.Font().SetStyle(it->Default() ? TFontStyles{fsBold} : TFontStyles{});
      c.Brush().SetStyle(bsClear);
      c.ApplyFont();
      if (it->Checked()) {
        TRect mark{r.Left + 6, r.Top + 6, r.Left + 14, r.Top + 14};
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(tc);
        if (it->RadioItem()) c.Ellipse(mark);
        else c.FillRect(mark);
        c.Brush().SetStyle(bsClear);
      } else if (images_ && it->ImageIndex() >= 0 && it->ImageIndex() < images_->Count()) {
        images_->Draw(c, r.Left + 2, r.Top + (kItemHeight - images_->Height()) / 2, it->ImageIndex(), it->Enabled());
      }
      TRect tr{r.Left + 22, r.Top, r.Right - 8, r.Bottom};
      DrawText(c.Handle(), it->Caption(), tr, DT_SINGLELINE | DT_VCENTER);
      if (std::string s = ShortCutToText(it->ShortCut()); !s.empty())
        DrawText(c.Handle(), s, tr, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
      if (it->Count() > 0) DrawText(c.Handle(), ">", tr, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
      c.Brush().SetStyle(bsSolid);
      y += kItemHeight;
    }
  }

 private:
  TMenuItem* parent_;
  TImageList* images_;
};

}  // namespace

TMenuItem* TrackPlainPopup(TMenuItem* parent, TPoint screenPos, TImageList* images) {
  if (!parent) return nullptr;
  auto* popup = new TPlainPopup(parent, images);
  for (int i = 0; i < parent->Count(); ++i)
    if (parent->Items(i)->Visible()) popup->items.push_back(parent->Items(i));
  if (popup->items.empty()) {
    delete popup;
    return nullptr;
  }
  TSize sz = popup->Measure();
  TRect work = Screen->WorkAreaRect();
  int x = std::min(screenPos.X, work.Right - sz.cx), y = std::min(screenPos.Y, work.Bottom - sz.cy);
  popup->SetBounds(std::max(work.Left, x), std::max(work.Top, y), sz.cx, sz.cy);
  HWND h = popup->Handle();
  SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  SetCapture(h);
  // Keys go to the focused window; the tracking loop takes them first.
  TMessageFilterId filter = Application->AddMessageFilter([popup](MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR) return false;
    if (msg.message == WM_CHAR) return true;
    switch (msg.wParam) {
      case VK_UP: popup->Step(-1); break;
      case VK_DOWN: popup->Step(1); break;
      case VK_RETURN: popup->Choose(popup->selected); break;
      case VK_ESCAPE:
      case VK_MENU: popup->done = true; break;
      default: break;
    }
    return true;
  });
  while (!popup->done && IsWindow(h)) {
    if (!Application->HandleMessage() || Application->Terminated()) break;
  }
  Application->RemoveMessageFilter(filter);
  TMenuItem* chosen = popup->chosen;
  if (GetCapture() == h) ReleaseCapture();
  delete popup;
  return chosen;
}

}  // namespace vx
