// TvxSkinData: the component that holds one loaded skin (pictures, frame
// information, single-section definitions, colours, object and control
// definitions) and the switches that apply to every component drawn from it,
// and announces every change to all forms (skin_messages.h).
//
// A load is staged: the new skin is read and built completely, and only then
// announced and swapped in. A load that fails throws to its caller and leaves
// the current skin, Empty and SkinChanging as they were, with nothing announced.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/classes.h"
#include "skin/vxSkinContent.h"

namespace vx {

class TvxCompressedStoredSkin;
class TvxCompressedSkinList;
class TvxResourceStrData;

class TvxSkinData : public TComponent, public TvxSkinContent {
 public:
  explicit TvxSkinData(TComponent* owner);
  ~TvxSkinData() override;

  // ---- published properties ----
  bool SkinnableForm() const { return skinnableForm_; }
  void SetSkinnableForm(bool value);  // announces WM_CHANGEFORMSKINNABLE
  bool AnimationForAllWindows() const { return animationForAllWindows_; }
  void SetAnimationForAllWindows(bool value) { animationForAllWindows_ = value; }
  bool EnableSkinEffects() const { return enableSkinEffects_; }
  void SetEnableSkinEffects(bool value) { enableSkinEffects_ = value; }
  bool ShowButtonGlowFrames() const { return showButtonGlowFrames_; }
  void SetShowButtonGlowFrames(bool value) { showButtonGlowFrames_ = value; }
  bool ShowCaptionButtonGlowFrames() const { return showCaptionButtonGlowFrames_; }
  void SetShowCaptionButtonGlowFrames(bool value) { showCaptionButtonGlowFrames_ = value; }
  bool ShowLayeredBorders() const { return showLayeredBorders_; }
  void SetShowLayeredBorders(bool value);  // announces WM_SHOWLAYEREDBORDERS
  bool AeroBlurEnabled() const { return aeroBlurEnabled_; }
  void SetAeroBlurEnabled(bool value);  // announces WM_AEROBLURCHANGED

  TvxCompressedStoredSkin* CompressedStoredSkin() const { return compressedStoredSkin_; }
  // Stores the reference and, unless designing, loads the stored skin.
  void SetCompressedStoredSkin(TvxCompressedStoredSkin* value);
  TvxResourceStrData* ResourceStrData() const { return resourceStrData_; }
  // Stores the reference and, unless designing, announces WM_CHANGERESSTRDATA.
  void SetResourceStrData(TvxResourceStrData* value);
  TvxCompressedSkinList* SkinList() const { return skinList_; }
  // Stores the reference and, unless designing, loads the package at SkinIndex
  // when it is in range.
  void SetSkinList(TvxCompressedSkinList* value);
  int SkinIndex() const { return skinIndex_; }
  // Without a list the value is stored unchecked. With a list, a value out of
  // range is ignored; a value in range is stored and, unless designing, its
  // package is loaded. The current value reloads only when the loaded skin did
  // not come from that entry of that list.
  void SetSkinIndex(int value);

  bool DlgTreeViewDrawSkin() const { return dlgTreeViewDrawSkin_; }
  void SetDlgTreeViewDrawSkin(bool value) { dlgTreeViewDrawSkin_ = value; }
  const std::string& DlgTreeViewItemSkinDataName() const { return dlgTreeViewItemSkinDataName_; }
  void SetDlgTreeViewItemSkinDataName(const std::string& value) { dlgTreeViewItemSkinDataName_ = value; }
  bool DlgListViewDrawSkin() const { return dlgListViewDrawSkin_; }
  void SetDlgListViewDrawSkin(bool value) { dlgListViewDrawSkin_ = value; }
  const std::string& DlgListViewItemSkinDataName() const { return dlgListViewItemSkinDataName_; }
  void SetDlgListViewItemSkinDataName(const std::string& value) { dlgListViewItemSkinDataName_ = value; }

  // Called after every successful load, before WM_CHANGESKINDATA.
  TNotifyEvent OnLoadData;

  // ---- state ----
  // True while no skin is loaded, and while a complete new skin is being
  // announced and swapped in (from WM_BEFORECHANGESKINDATA until it is in place).
  bool Empty = true;
  // True from just before WM_BEFORECHANGESKINDATA until just before
  // WM_AFTERCHANGESKINDATA.
  bool SkinChanging = false;

  // ---- lookup ----
  // Index of the first definition whose SectionName equals name exactly, or -1.
  int GetObjectIndex(std::string_view name) const;
  int GetControlIndex(std::string_view name) const;

  // ---- loading ----
  // A skin folder's INI file. A file without the five skin sections is
  // ignored; any error (a missing or invalid picture, a malformed value)
  // throws and leaves the current skin in place.
  void LoadFromFile(const std::string& iniFileName);
  // A package file. A package the reader leaves empty loads nothing.
  void LoadFromCompressedFile(const std::string& fileName);
  // A stored package; an empty or null one loads nothing.
  void LoadCompressedStoredSkin(const TvxCompressedStoredSkin* storedSkin);
  // True while a load announces and swaps in its skin. A load asked for then
  // (from a handler of a skin message) is refused with an exception.
  bool Loading() const { return loading_; }

  // Frees all definitions and active pictures (TvxSkinContent::ClearAll).
  void ClearAll() { TvxSkinContent::ClearAll(); }
  // ClearAll, empties the frame pictures and their names, sets Empty.
  void ClearSkin();

  // Sends Msg to every form of the screen: the owner first when it is a form
  // and ShowLayeredBorders is false; layered border windows never; the others
  // last to first when the skin has a shown layered border, else first to last.
  void SendSkinDataMessage(uint32_t msg);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool Designing() const { return HasState(csDesigning); }
  bool Streaming() const { return HasState(csLoading | csReading); }
  void CheckNotLoading() const;
  void LoadFromList(int index);
  // Announces and swaps in a complete skin; `fromList` and `listIndex` record
  // where it came from for the SkinIndex reload rule.
  void Commit(TvxSkinContent&& content, const TvxCompressedSkinList* fromList, int listIndex);

  bool skinnableForm_ = true;
  bool animationForAllWindows_ = false;
  bool enableSkinEffects_ = true;
  bool showButtonGlowFrames_ = true;
  bool showCaptionButtonGlowFrames_ = true;
  bool showLayeredBorders_ = true;
  bool aeroBlurEnabled_ = true;
  TvxCompressedStoredSkin* compressedStoredSkin_ = nullptr;
  TvxResourceStrData* resourceStrData_ = nullptr;
  TvxCompressedSkinList* skinList_ = nullptr;
  int skinIndex_ = 0;
  bool dlgTreeViewDrawSkin_ = true;
  std::string dlgTreeViewItemSkinDataName_ = "listbox";
  bool dlgListViewDrawSkin_ = true;
  std::string dlgListViewItemSkinDataName_ = "listbox";

  bool loading_ = false;
  // The list and entry the current skin came from (null: not from a list).
  const TvxCompressedSkinList* loadedFromList_ = nullptr;
  int loadedListIndex_ = -1;
};

}  // namespace vx
