// Components that hold skin packages: one stored skin, a list item holding one,
// and the list component. The compressed data is the bare zlib stream of a
// package (no version, no length); an empty stream means no skin is held.
#pragma once

#include <memory>
#include <string>

#include "platform/core/classes.h"
#include "platform/core/streams.h"
#include "skin/vxSkinPackage.h"

namespace vx {

class TvxCompressedStoredSkin : public TComponent {
 public:
  explicit TvxCompressedStoredSkin(TComponent* owner);
  ~TvxCompressedStoredSkin() override;

  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value) { description_ = value; }
  // The folder skin's INI file name. While designed (and not being streamed
  // in) setting it packs that skin and keeps only the name part.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value);
  // The package file name; while designed, setting it reads that package and
  // keeps only the name part.
  const std::string& CompressedFileName() const { return compressedFileName_; }
  void SetCompressedFileName(const std::string& value);

  bool IsEmpty() const { return data_.Bytes().empty(); }
  const TMemoryStream& CompressedData() const { return data_; }

  // Packs a skin folder. An INI file without the five skin sections changes
  // nothing; any other failure throws and also leaves the data as it was
  // (EWriteError for content larger than kMaxSkinContentSize).
  void LoadFromIniFile(const std::string& iniFileName);
  // Reads a package. An outer version above 3 leaves the stored skin empty. A
  // length N of 0 or less, or beyond the end of the data, throws EReadError and
  // keeps the previous data.
  void LoadFromCompressedFile(const std::string& fileName);
  // The same from a stream, starting at its position 0.
  void LoadFromCompressedStream(TStream& stream);
  // Writes int32 3, int32 length and the compressed data at the stream's position.
  void SaveToCompressedStream(TStream& stream) const;
  // Writes the inflated content at the stream's position (capped, see
  // kMaxSkinContentSize).
  void DecompressToStream(TStream& stream) const;
  // Decodes the package content (pictures and INI text) without changing
  // anything; throws on any bad input (see ReadSkinContent).
  TvxSkinPackageContent ReadContent() const;

  // The stored property "CompressedData": the bare zlib stream, always written.
  // Reading takes the stream's bytes from its position to its end unchanged.
  void ReadCompressedData(TStream& stream);
  void WriteCompressedData(TStream& stream) const;

  // Copies the texts and the compressed data of another stored skin.
  void Assign(const TPersistent* source) override;

  // Setters of FileName and CompressedFileName load only in this state.
  static bool LoadsOnNameChange(const TComponent* component);

 private:
  std::string description_;
  std::string fileName_;
  std::string compressedFileName_;
  TMemoryStream data_;
};

class TvxSkinListItems;

class TvxSkinListItem : public TCollectionItem {
 public:
  explicit TvxSkinListItem(TCollection* collection);
  ~TvxSkinListItem() override;

  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value) { description_ = value; }
  // Like the stored skin's setters, using the design state of the component
  // that owns the collection, and loading into this item's stored skin.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value);
  const std::string& CompressedFileName() const { return compressedFileName_; }
  void SetCompressedFileName(const std::string& value);
  // "vxSkin" and the item's index at construction.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }
  std::string DisplayName() const override { return name_; }

  TvxCompressedStoredSkin& StoredSkin() { return *storedSkin_; }
  const TvxCompressedStoredSkin& StoredSkin() const { return *storedSkin_; }

  // The stored property "Skin": the package with its 8-byte header, always
  // written. Reading takes a package from the stream's position 0; the bare
  // header that an item without a skin writes reads back as no skin.
  void ReadSkin(TStream& stream);
  void WriteSkin(TStream& stream) const { storedSkin_->SaveToCompressedStream(stream); }

  void Assign(const TPersistent* source) override;

 private:
  const TComponent* OwnerComponent() const;

  std::string description_;
  std::string fileName_;
  std::string compressedFileName_;
  std::string name_;
  std::unique_ptr<TvxCompressedStoredSkin> storedSkin_;
};

class TvxSkinListItems : public TCollection {
 public:
  explicit TvxSkinListItems(TPersistent* owner);
  TvxSkinListItem* Items(int index) const { return ItemAs<TvxSkinListItem>(index); }
  TvxSkinListItem* Add() { return static_cast<TvxSkinListItem*>(TCollection::Add()); }
};

class TvxCompressedSkinList : public TComponent {
 public:
  explicit TvxCompressedSkinList(TComponent* owner);
  ~TvxCompressedSkinList() override;

  TvxSkinListItems* Skins() const { return skins_.get(); }
  // Copies the collection.
  void SetSkins(const TvxSkinListItems* value) { skins_->Assign(value); }

 private:
  std::unique_ptr<TvxSkinListItems> skins_;
};

}  // namespace vx
