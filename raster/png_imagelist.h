// PNG image list: an image list whose images are PNG pictures with their own
// alpha. The platform list keeps one transparent placeholder per picture so
// counts and indexes agree; drawing an entry draws the PNG instead.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/classes.h"
#include "platform/gfx/imagelist.h"

namespace vx {

class TStream;
class TvxBitmap;
class TvxPngImageList;

// A PNG picture: the complete file bytes as read (what is stored and saved),
// its decoded straight-alpha pixels, and the file's colour type and whether it
// names a transparent colour.
class TvxPngImage : public TPersistent {
 public:
  enum class TColorType : uint8_t { Grey = 0, RGB = 2, Palette = 3, GreyAlpha = 4, RGBAlpha = 6 };

  TvxPngImage() = default;
  TvxPngImage(const TvxPngImage& other) { CopyFrom(other); }
  TvxPngImage& operator=(const TvxPngImage& other) {
    CopyFrom(other);
    return *this;
  }

  bool Empty() const { return width_ == 0 || height_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  TColorType ColorType() const { return colorType_; }
  bool HasTransparentColor() const { return hasTrns_; }
  // The PNG file bytes (empty for an empty picture).
  const std::vector<uint8_t>& Data() const { return data_; }
  // Width x Height pixels 0xAARRGGBB, straight alpha, top-down.
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // Reads one PNG file from the stream's position and leaves the stream right
  // after it. A malformed file raises EInvalidGraphic and keeps the old picture.
  void LoadFromStream(TStream& stream);
  void LoadFromData(const std::vector<uint8_t>& bytes);
  void LoadFromFile(const std::string& path);
  // Writes the complete file bytes (nothing for an empty picture).
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& path) const;
  void Clear();

  // From another TvxPngImage; anything else raises EConvertError.
  void Assign(const TPersistent* source) override;

 private:
  void CopyFrom(const TvxPngImage& other);

  int width_ = 0;
  int height_ = 0;
  TColorType colorType_ = TColorType::RGBAlpha;
  bool hasTrns_ = false;
  std::vector<uint8_t> data_;
  std::vector<uint32_t> pixels_;
};

class TvxPngImageItem : public TCollectionItem {
 public:
  // Named "PngImage" followed by its index at creation; appends a placeholder
  // to the owning list's platform list.
  explicit TvxPngImageItem(TCollection* collection);
  // Deletes the platform entry with the item's index when it exists.
  ~TvxPngImageItem() override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // Name, or the default display name when Name is empty.
  std::string DisplayName() const override;

  const TvxPngImage& PngImage() const { return png_; }
  // Copies the picture and marks the item changed.
  void SetPngImage(const TvxPngImage& png);

  void Assign(const TPersistent* source) override;

 private:
  TvxPngImageList* List() const;

  std::string name_;
  TvxPngImage png_;
};

class TvxPngImageItems : public TCollection {
 public:
  explicit TvxPngImageItems(TvxPngImageList* list);
  TvxPngImageList* List() const { return list_; }
  TvxPngImageItem* Items(int index) const { return ItemAs<TvxPngImageItem>(index); }
  TvxPngImageItem* Add() { return static_cast<TvxPngImageItem*>(TCollection::Add()); }

 private:
  TvxPngImageList* list_;
};

class TvxPngImageList : public TComponent, public TImageList {
 public:
  explicit TvxPngImageList(TComponent* owner, int width = 16, int height = 16);
  ~TvxPngImageList() override;

  TvxPngImageItems& PngImages() { return items_; }
  const TvxPngImageItems& PngImages() const { return items_; }
  int PngWidth() const { return Width(); }
  int PngHeight() const { return Height(); }
  // A new size (values below 1 count as 1) resizes the platform list and
  // removes every item, except while the list is being loaded: then the items
  // stay and get new placeholders.
  void SetPngWidth(int value);
  void SetPngHeight(int value);

 protected:
  // Draws item Index's PNG stretched over the list's image size with its own
  // alpha; disabled, a half-transparent copy. An item without a picture draws nothing.
  void DoDraw(int index, HDC dc, int x, int y, uint32_t style, bool enabled) override;

 private:
  friend class TvxPngImageItem;
  void Resize(int width, int height);
  void AddPlaceholder();

  TvxPngImageItems items_;
};

// Bitmap becomes the PNG's size with its colours and alpha, then CheckAlpha.
// An empty PNG empties the bitmap.
void PngToBitmap(TvxBitmap& Bitmap, const TvxPngImage& Png);
// The disabled look: the PNG with its alpha halved. Grey and palette pictures
// without an alpha channel get alpha 127 where opaque; pictures with an alpha
// channel or plain colour get the nearest integer to a / 256 * 128 (255 gives
// 128); transparent-colour pixels stay 0.
void PngToTranslucentBitmap(TvxBitmap& Bitmap, const TvxPngImage& Png);

}  // namespace vx
