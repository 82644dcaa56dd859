// Menu items as a tree, main menus and popup menus, and shortcuts.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/classes.h"
#include "platform/framework/controls.h"

namespace vx {

class TBitmap;
class TImageList;
class TMenu;

// A shortcut: the virtual key in the low byte plus modifier bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut sc, WORD& key, TShiftState& shift);
// "Ctrl+S", "Shift+Ctrl+Alt+F1", "Del", "PgUp"...; empty for scNone or a key without a name.
std::string ShortCutToText(TShortCut sc);
// The reverse: modifiers in any order and letter case, then the key name.
// Returns scNone for text it does not understand.
TShortCut TextToShortCut(std::string_view text);

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };

using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas& canvas, int& width, int& height)>;

// A menu item and its sub-items. A parent item frees its sub-items.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& s);
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut s);
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the other radio items of its group index
  // under the same parent.
  void SetChecked(bool v);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool v);
  uint8_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(uint8_t v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Default() const { return default_; }
  void SetDefault(bool v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  // The item's own bitmap (created on first use).
  TBitmap& Bitmap();
  bool HasBitmap() const { return bitmap_ != nullptr; }
  TMenuBreak Break() const { return break_; }
  void SetBreak(TMenuBreak b) { break_ = b; }
  uintptr_t Command() const { return command_; }

  // ---- the tree ----
  int Count() const { return int(items_.size()); }
  TMenuItem* Items(int i) const;  // EListError out of range
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  void SetMenuIndex(int i);
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out (the caller owns it then).
  void Remove(TMenuItem* item);
  void Delete(int index);  // frees the item
  void Clear();            // frees all sub-items
  int IndexOf(const TMenuItem* item) const;
  // The sub-item whose caption (without accelerator marks) equals caption, ignoring case.
  TMenuItem* Find(std::string_view caption) const;
  // The menu this tree belongs to, or nullptr.
  TMenu* GetParentMenu() const;
  // Visible sub-items count.
  int VisibleCount() const;

  // Runs OnClick (when enabled).
  virtual void Click();

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

 protected:
  void Changed();

 private:
  friend class TMenu;
  std::string caption_;
  TShortCut shortCut_ = scNone;
  bool checked_ = false, radioItem_ = false, enabled_ = true, visible_ = true, default_ = false;
  uint8_t groupIndex_ = 0;
  std::string hint_;
  int imageIndex_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  TMenuBreak break_ = mbNone;
  uintptr_t command_ = 0;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  // The root item; its sub-items are the menu's entries.
  TMenuItem* Items() const { return items_; }
  // Images for the items' ImageIndex (not owned; the caller keeps it alive or sets nullptr).
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* il);
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool v) { ownerDraw_ = v; }
  // Finds an enabled, visible item (under enabled, visible parents) whose
  // shortcut is the key, and clicks it. True when one was found.
  bool IsShortCut(WORD key, TShiftState shift);
  // The item with this shortcut or command, or nullptr.
  TMenuItem* FindItemByShortCut(TShortCut sc) const;
  TMenuItem* FindItemByCommand(uintptr_t cmd) const;
  // Called when an item of the tree changed (the menu bar repaints).
  std::function<void(TMenu* sender, TMenuItem* source, bool rebuild)> OnChange;
  void MenuChanged(TMenuItem* source, bool rebuild);

 protected:
  void Notification(TComponent* c, TOperation op) override;

 private:
  TMenuItem* items_;
  TImageList* images_ = nullptr;
  bool ownerDraw_ = false;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}
  std::string ClassName() const override { return "TMainMenu"; }
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}
  std::string ClassName() const override { return "TPopupMenu"; }
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment a) { alignment_ = a; }
  // The control the menu was opened for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* c);
  TPoint PopupPoint() const { return popupPoint_; }
  // Fires OnPopup, then shows the menu at the screen point and tracks it until
  // an item is chosen or the menu is dismissed; the chosen item is clicked.
  // Skinned menus override it.
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup, OnClose;

 protected:
  void Notification(TComponent* c, TOperation op) override;

 private:
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;
  TComponent* popupComponent_ = nullptr;
  TPoint popupPoint_;
};

// Shows the items of `parent` in a plain popup window at the screen point and
// tracks it (keys: arrows, Enter, Escape; mouse). Returns the chosen item or
// nullptr. Used by TPopupMenu::Popup.
TMenuItem* TrackPlainPopup(TMenuItem* parent, TPoint screenPos, TImageList* images);

}  // namespace vx
