#include "skin/vxStoredSkin.h"

#include "platform/codecs/zlib_codec.h"
#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"

namespace vx {

// ---- TvxCompressedStoredSkin ----

TvxCompressedStoredSkin::TvxCompressedStoredSkin(TComponent* owner) : TComponent(owner) {}

TvxCompressedStoredSkin::~TvxCompressedStoredSkin() = default;

bool TvxCompressedStoredSkin::LoadsOnNameChange(const TComponent* component) {
  return component && component->HasState(csDesigning) && !component->HasState(csLoading | csReading);
}

void TvxCompressedStoredSkin::SetFileName(const std::string& value) {
  if (LoadsOnNameChange(this)) {
    LoadFromIniFile(value);
    fileName_ = ExtractFileName(value);
  } else {
    fileName_ = value;
  }
}

void TvxCompressedStoredSkin::SetCompressedFileName(const std::string& value) {
  if (LoadsOnNameChange(this)) {
    LoadFromCompressedFile(value);
    compressedFileName_ = ExtractFileName(value);
  } else {
    compressedFileName_ = value;
  }
}

void TvxCompressedStoredSkin::LoadFromIniFile(const std::string& iniFileName) {
  TStringList lines;
  lines.LoadFromFile(iniFileName);
  if (!IsSkinIniFile(TMemIniFile(lines))) return;
  const TvxSkinPackageContent content = ReadSkinFolder(iniFileName);
  TMemoryStream raw;
  WriteSkinContent(raw, content);
  // Readers refuse content past the cap, so a package must not hold more.
  if (uint64_t(raw.Size()) > kMaxSkinContentSize)
    throw EWriteError("skin '" + iniFileName + "' makes " + std::to_string(raw.Size()) +
                      " bytes of package content; a package holds at most " + std::to_string(kMaxSkinContentSize));
  std::vector<uint8_t> packed = ZCompress(raw.Memory(), size_t(raw.Size()), 9);
  data_.Clear();
  data_.WriteBuffer(packed.data(), int64_t(packed.size()));
  data_.SetPosition(0);
}

void TvxCompressedStoredSkin::LoadFromCompressedFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  LoadFromCompressedStream(file);
}

void TvxCompressedStoredSkin::LoadFromCompressedStream(TStream& stream) {
  stream.SetPosition(0);
  if (stream.Remaining() < 4) throw EReadError("skin package is too short for its version");
  const int32_t version = stream.ReadInt32();
  if (version > kSkinPackageVersion) {
    data_.Clear();
    return;
  }
  if (stream.Remaining() < 4) throw EReadError("skin package is too short for its length field");
  const int32_t length = stream.ReadInt32();
  if (length <= 0) throw EReadError("skin package holds no compressed data (length " + std::to_string(length) + ")");
  const int64_t remaining = stream.Remaining();
  if (length > remaining)
    throw EReadError("skin package declares " + std::to_string(length) + " bytes of compressed data but only " +
                     std::to_string(remaining) + " follow");
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  stream.ReadBuffer(bytes.data(), length);
  data_.Bytes() = std::move(bytes);
  data_.SetPosition(0);
}

void TvxCompressedStoredSkin::SaveToCompressedStream(TStream& stream) const {
  stream.WriteInt32(kSkinPackageVersion);
  stream.WriteInt32(int32_t(data_.Bytes().size()));
  WriteCompressedData(stream);
}

void TvxCompressedStoredSkin::DecompressToStream(TStream& stream) const {
  if (IsEmpty()) return;
  std::vector<uint8_t> content = InflateSkinContent(data_.Memory(), data_.Bytes().size());
  if (!content.empty()) stream.WriteBuffer(content.data(), int64_t(content.size()));
}

TvxSkinPackageContent TvxCompressedStoredSkin::ReadContent() const {
  if (IsEmpty()) throw EReadError("the stored skin holds no package");
  TMemoryStream content(InflateSkinContent(data_.Memory(), data_.Bytes().size()));
  return ReadSkinContent(content);
}

void TvxCompressedStoredSkin::ReadCompressedData(TStream& stream) {
  const int64_t size = stream.Remaining();
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0) stream.ReadBuffer(bytes.data(), size);
  data_.Bytes() = std::move(bytes);
  data_.SetPosition(0);
}

void TvxCompressedStoredSkin::WriteCompressedData(TStream& stream) const {
  if (!IsEmpty()) stream.WriteBuffer(data_.Memory(), int64_t(data_.Bytes().size()));
}

void TvxCompressedStoredSkin::Assign(const TPersistent* source) {
  auto* src = dynamic_cast<const TvxCompressedStoredSkin*>(source);
  if (!src) {
    TComponent::Assign(source);
    return;
  }
  if (src == this) return;
  description_ = src->description_;
  fileName_ = src->fileName_;
  compressedFileName_ = src->compressedFileName_;
  data_.Bytes() = src->data_.Bytes();
  data_.SetPosition(0);
}

// ---- TvxSkinListItem ----

TvxSkinListItem::TvxSkinListItem(TCollection* collection)
    : TCollectionItem(collection), storedSkin_(std::make_unique<TvxCompressedStoredSkin>(nullptr)) {
  name_ = "vxSkin" + std::to_string(Index());
}

TvxSkinListItem::~TvxSkinListItem() = default;

const TComponent* TvxSkinListItem::OwnerComponent() const {
  return Collection() ? dynamic_cast<const TComponent*>(Collection()->Owner()) : nullptr;
}

void TvxSkinListItem::SetFileName(const std::string& value) {
  if (TvxCompressedStoredSkin::LoadsOnNameChange(OwnerComponent())) {
    storedSkin_->LoadFromIniFile(value);
    fileName_ = ExtractFileName(value);
  } else {
    fileName_ = value;
  }
}

void TvxSkinListItem::SetCompressedFileName(const std::string& value) {
  if (TvxCompressedStoredSkin::LoadsOnNameChange(OwnerComponent())) {
    storedSkin_->LoadFromCompressedFile(value);
    compressedFileName_ = ExtractFileName(value);
  } else {
    compressedFileName_ = value;
  }
}

void TvxSkinListItem::Assign(const TPersistent* source) {
  auto* src = dynamic_cast<const TvxSkinListItem*>(source);
  if (!src) {
    TCollectionItem::Assign(source);
    return;
  }
  if (src == this) return;
  description_ = src->description_;
  fileName_ = src->fileName_;
  compressedFileName_ = src->compressedFileName_;
  name_ = src->name_;
  storedSkin_->Assign(src->storedSkin_.get());
}

void TvxSkinListItem::ReadSkin(TStream& stream) {
  // An item without a skin is written as a bare header with length 0; that
  // reads back as no skin rather than as a broken package.
  stream.SetPosition(0);
  if (stream.Remaining() == 8 && stream.ReadInt32() <= kSkinPackageVersion && stream.ReadInt32() == 0) {
    storedSkin_->ReadCompressedData(stream);
    return;
  }
  storedSkin_->LoadFromCompressedStream(stream);
}

// ---- TvxSkinListItems, TvxCompressedSkinList ----

TvxSkinListItems::TvxSkinListItems(TPersistent* owner)
    : TCollection(TCollection::ItemClass<TvxSkinListItem>(), owner) {}

TvxCompressedSkinList::TvxCompressedSkinList(TComponent* owner)
    : TComponent(owner), skins_(std::make_unique<TvxSkinListItems>(this)) {}

TvxCompressedSkinList::~TvxCompressedSkinList() = default;

}  // namespace vx
