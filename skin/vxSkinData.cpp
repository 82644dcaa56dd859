#include "skin/vxSkinData.h"

#include <cstring>
#include <utility>

#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/sysutils.h"
#include "raster/vx_bitmap.h"
#include "skin/skin_messages.h"
#include "skin/vxResStrData.h"
#include "skin/vxSkinPackage.h"
#include "skin/vxStoredSkin.h"

namespace vx {

namespace {

int SkinListCount(const TvxCompressedSkinList& list) { return list.Skins() ? list.Skins()->Count() : 0; }

void ToBitmap(const TBmpImage& image, TvxBitmap& bitmap) {
  bitmap.Clear();
  if (image.Empty()) return;
  const std::vector<uint8_t> bgra = image.ToBGRA();
  bitmap.SetSize(image.Width, image.Height);
  std::memcpy(bitmap.Bits(), bgra.data(), bgra.size());
}

// Builds a complete skin from decoded package or folder content; throws on a
// malformed value and leaves nothing behind.
TvxSkinContent BuildContent(const TvxSkinPackageContent& package) {
  TvxSkinContent content;
  TMemIniFile ini;
  ini.SetText(package.IniText);
  content.ReadNames(ini);
  ToBitmap(package.Picture, *content.Picture);
  ToBitmap(package.InactivePicture, *content.InactivePicture);
  ToBitmap(package.MaskPicture, *content.MaskPicture);
  content.ActivePictures.reserve(package.ActivePictures.size());
  for (const TBmpImage& image : package.ActivePictures) {
    auto picture = std::make_unique<TvxBitmap>();
    ToBitmap(image, *picture);
    content.ActivePictures.push_back(std::move(picture));
  }
  content.ReadFormInfo(ini);
  content.ReadDefinitions(ini);
  return content;
}

}  // namespace

TvxSkinData::TvxSkinData(TComponent* owner) : TComponent(owner) {}

TvxSkinData::~TvxSkinData() {
  Empty = true;
  TvxSkinContent::ClearAll();
}

// ---- properties ----

void TvxSkinData::SetSkinnableForm(bool value) {
  if (value == skinnableForm_) return;
  skinnableForm_ = value;
  if (!Designing() && !Streaming()) SendSkinDataMessage(WM_CHANGEFORMSKINNABLE);
}

void TvxSkinData::SetShowLayeredBorders(bool value) {
  if (value == showLayeredBorders_) return;
  showLayeredBorders_ = value;
  if (!Designing() && !Streaming()) SendSkinDataMessage(WM_SHOWLAYEREDBORDERS);
}

void TvxSkinData::SetAeroBlurEnabled(bool value) {
  if (value == aeroBlurEnabled_) return;
  aeroBlurEnabled_ = value;
  if (!Designing() && !Streaming()) SendSkinDataMessage(WM_AEROBLURCHANGED);
}

void TvxSkinData::SetResourceStrData(TvxResourceStrData* value) {
  if (resourceStrData_ && resourceStrData_ != value) resourceStrData_->RemoveFreeNotification(this);
  resourceStrData_ = value;
  if (value) value->FreeNotification(this);
  if (!Designing()) SendSkinDataMessage(WM_CHANGERESSTRDATA);
}

void TvxSkinData::SetCompressedStoredSkin(TvxCompressedStoredSkin* value) {
  if (compressedStoredSkin_ && compressedStoredSkin_ != value) compressedStoredSkin_->RemoveFreeNotification(this);
  compressedStoredSkin_ = value;
  if (!value) return;
  value->FreeNotification(this);
  if (!Designing()) LoadCompressedStoredSkin(value);
}

void TvxSkinData::SetSkinList(TvxCompressedSkinList* value) {
  if (skinList_ && skinList_ != value) skinList_->RemoveFreeNotification(this);
  skinList_ = value;
  if (!value) return;
  value->FreeNotification(this);
  if (!Designing() && skinIndex_ >= 0 && skinIndex_ < SkinListCount(*value)) LoadFromList(skinIndex_);
}

void TvxSkinData::SetSkinIndex(int value) {
  if (!skinList_) {
    skinIndex_ = value;
    return;
  }
  if (value < 0 || value >= SkinListCount(*skinList_)) return;
  // The same index reloads only when the current skin did not come from it
  // (after a load from a file, choosing the list's entry again must work).
  if (value == skinIndex_ && loadedFromList_ == skinList_ && loadedListIndex_ == value && !Empty) return;
  if (Designing()) {
    skinIndex_ = value;
    return;
  }
  CheckNotLoading();
  // A failed load keeps the index of the skin that stays loaded.
  const int previous = skinIndex_;
  skinIndex_ = value;
  try {
    LoadFromList(value);
  } catch (...) {
    skinIndex_ = previous;
    throw;
  }
}

void TvxSkinData::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == compressedStoredSkin_) compressedStoredSkin_ = nullptr;
  if (component == resourceStrData_) resourceStrData_ = nullptr;
  if (component == skinList_) {
    skinList_ = nullptr;
    loadedFromList_ = nullptr;
    loadedListIndex_ = -1;
  }
}

// ---- lookup ----

int TvxSkinData::GetObjectIndex(std::string_view name) const {
  for (size_t i = 0; i < ObjectList.size(); ++i)
    if (ObjectList[i]->SectionName == name) return int(i);
  return -1;
}

int TvxSkinData::GetControlIndex(std::string_view name) const {
  for (size_t i = 0; i < ControlList.size(); ++i)
    if (ControlList[i]->SectionName == name) return int(i);
  return -1;
}

// ---- loading ----

void TvxSkinData::CheckNotLoading() const {
  if (loading_) throw Exception("A skin cannot be loaded while the skin change is being announced");
}

void TvxSkinData::ClearSkin() {
  TvxSkinContent::ClearSkin();
  Empty = true;
  loadedFromList_ = nullptr;
  loadedListIndex_ = -1;
}

void TvxSkinData::LoadFromFile(const std::string& iniFileName) {
  CheckNotLoading();
  {
    const TMemIniFile ini(iniFileName);
    if (!IsSkinIniFile(ini)) return;
  }
  Commit(BuildContent(ReadSkinFolder(iniFileName)), nullptr, -1);
}

void TvxSkinData::LoadFromCompressedFile(const std::string& fileName) {
  CheckNotLoading();
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromCompressedFile(fileName);
  if (stored.IsEmpty()) return;
  Commit(BuildContent(stored.ReadContent()), nullptr, -1);
}

void TvxSkinData::LoadCompressedStoredSkin(const TvxCompressedStoredSkin* storedSkin) {
  CheckNotLoading();
  if (!storedSkin || storedSkin->IsEmpty()) return;
  Commit(BuildContent(storedSkin->ReadContent()), nullptr, -1);
}

void TvxSkinData::LoadFromList(int index) {
  CheckNotLoading();
  if (!skinList_ || index < 0 || index >= SkinListCount(*skinList_)) return;
  const TvxCompressedStoredSkin& stored = skinList_->Skins()->Items(index)->StoredSkin();
  if (stored.IsEmpty()) return;
  Commit(BuildContent(stored.ReadContent()), skinList_, index);
}

void TvxSkinData::Commit(TvxSkinContent&& content, const TvxCompressedSkinList* fromList, int listIndex) {
  CheckNotLoading();
  loading_ = true;
  const bool wasEmpty = Empty;
  bool swapped = false;
  try {
    Empty = true;
    SkinChanging = true;
    SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
    std::swap(static_cast<TvxSkinContent&>(*this), content);
    swapped = true;
    loadedFromList_ = fromList;
    loadedListIndex_ = listIndex;
    Empty = false;
    if (OnLoadData) OnLoadData(this);
    SendSkinDataMessage(WM_CHANGESKINDATA);
    SkinChanging = false;
    SendSkinDataMessage(WM_AFTERCHANGESKINDATA);
  } catch (...) {
    // A receiver failed: the skin is either still the old one or completely
    // the new one, never half of each.
    if (!swapped) Empty = wasEmpty;
    SkinChanging = false;
    loading_ = false;
    throw;
  }
  loading_ = false;
}

// ---- announcing ----

void TvxSkinData::SendSkinDataMessage(uint32_t msg) {
  const uintptr_t wParam = reinterpret_cast<uintptr_t>(this);
  std::vector<int> order;
  int ownerCookie = 0;
  for (int cookie : TvxSkinMessageReceivers::Cookies()) {
    auto receiver = TvxSkinMessageReceivers::Find(cookie);
    if (!receiver) continue;
    if (!showLayeredBorders_ && Owner() && receiver->Form == Owner() && ownerCookie == 0) {
      ownerCookie = cookie;
      continue;
    }
    if (receiver->ClassName == kFormLayerWindowClassName) continue;
    order.push_back(cookie);
  }
  auto send = [&](int cookie) {
    // Skip a receiver removed by an earlier one while this message travels.
    if (auto receiver = TvxSkinMessageReceivers::Find(cookie); receiver && receiver->Send)
      receiver->Send(msg, wParam, kSkinMessageLParam);
  };
  if (ownerCookie) send(ownerCookie);
  if (showLayeredBorders_ && LayerFrame.pictureindex != -1) {
    for (auto it = order.rbegin(); it != order.rend(); ++it) send(*it);
  } else {
    for (int cookie : order) send(cookie);
  }
}

}  // namespace vx
