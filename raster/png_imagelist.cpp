#include "raster/png_imagelist.h"

#include <algorithm>
#include <cstring>

#include "platform/codecs/png_codec.h"
#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "raster/vx_bitmap.h"

namespace vx {

namespace {

constexpr uint8_t kPngSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

void ReadExactly(TStream& s, std::vector<uint8_t>& out, size_t n) {
  if (static_cast<int64_t>(n) > s.Remaining()) throw EInvalidGraphic("PNG file is truncated");
  const size_t at = out.size();
  out.resize(at + n);
  s.ReadBuffer(out.data() + at, static_cast<int64_t>(n));
}

}  // namespace

// ---- TvxPngImage ----

void TvxPngImage::CopyFrom(const TvxPngImage& other) {
  if (this == &other) return;
  width_ = other.width_;
  height_ = other.height_;
  colorType_ = other.colorType_;
  hasTrns_ = other.hasTrns_;
  data_ = other.data_;
  pixels_ = other.pixels_;
}

void TvxPngImage::Clear() {
  width_ = height_ = 0;
  colorType_ = TColorType::RGBAlpha;
  hasTrns_ = false;
  data_.clear();
  pixels_.clear();
}

void TvxPngImage::LoadFromStream(TStream& stream) {
  // Walk the chunks up to IEND so that exactly one file is taken from the
  // stream, noting the colour type and a transparent colour on the way.
  std::vector<uint8_t> bytes;
  ReadExactly(stream, bytes, 8);
  if (std::memcmp(bytes.data(), kPngSignature, 8) != 0) throw EInvalidGraphic("Not a PNG file");
  int colorType = -1;
  bool trns = false;
  for (;;) {
    const size_t head = bytes.size();
    ReadExactly(stream, bytes, 8);
    const uint32_t length = BigEndian32(&bytes[head]);
    if (length > 0x7FFFFFFFu) throw EInvalidGraphic("PNG chunk length is invalid");
    ReadExactly(stream, bytes, size_t(length) + 4);
    const char* type = reinterpret_cast<const char*>(&bytes[head + 4]);
    if (std::memcmp(type, "IHDR", 4) == 0) {
      if (length < 13 || head != 8) throw EInvalidGraphic("PNG header is invalid");
      colorType = bytes[head + 8 + 9];
    } else if (std::memcmp(type, "tRNS", 4) == 0) {
      trns = true;
    } else if (std::memcmp(type, "IEND", 4) == 0) {
      break;
    }
  }
  if (colorType < 0) throw EInvalidGraphic("PNG header is missing");
  TMemoryStream mem(bytes);
  const TPngImage decoded = ReadPng(mem, TPngOrder::BGRA);
  std::vector<uint32_t> pixels(static_cast<size_t>(decoded.Width) * decoded.Height);
  if (!pixels.empty()) std::memcpy(pixels.data(), decoded.Pixels.data(), pixels.size() * 4);
  width_ = decoded.Width;
  height_ = decoded.Height;
  colorType_ = static_cast<TColorType>(colorType);
  hasTrns_ = trns;
  data_ = std::move(bytes);
  pixels_ = std::move(pixels);
}

void TvxPngImage::LoadFromData(const std::vector<uint8_t>& bytes) {
  TMemoryStream mem(bytes);
  LoadFromStream(mem);
}

void TvxPngImage::LoadFromFile(const std::string& path) {
  TFileStream f(path, fmOpenRead);
  LoadFromStream(f);
}

void TvxPngImage::SaveToStream(TStream& stream) const {
  if (!data_.empty()) stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TvxPngImage::SaveToFile(const std::string& path) const {
  TFileStream f(path, fmCreate);
  SaveToStream(f);
}

void TvxPngImage::Assign(const TPersistent* source) {
  if (const auto* png = dynamic_cast<const TvxPngImage*>(source)) {
    CopyFrom(*png);
    return;
  }
  TPersistent::Assign(source);
}

// ---- bitmaps from PNGs ----

void PngToBitmap(TvxBitmap& Bitmap, const TvxPngImage& Png) {
  if (Png.Empty()) {
    Bitmap.Clear();
    return;
  }
  Bitmap.SetSize(Png.Width(), Png.Height());
  std::copy(Png.Pixels().begin(), Png.Pixels().end(), Bitmap.Bits());
  Bitmap.CheckAlpha();
}

void PngToTranslucentBitmap(TvxBitmap& Bitmap, const TvxPngImage& Png) {
  PngToBitmap(Bitmap, Png);
  if (Bitmap.Empty()) return;
  const bool noAlphaChannel = Png.ColorType() == TvxPngImage::TColorType::Grey ||
                              Png.ColorType() == TvxPngImage::TColorType::Palette;
  uint32_t* p = Bitmap.Bits();
  const size_t n = static_cast<size_t>(Bitmap.Width()) * Bitmap.Height();
  for (size_t i = 0; i < n; ++i) {
    const uint32_t a = p[i] >> 24;
    // Transparent-colour pixels were decoded with alpha 0 and stay 0.
    uint32_t t = (a + 1) / 2;  // nearest integer to a / 256 * 128
    if (noAlphaChannel && a == 255) t = 127;
    p[i] = (p[i] & 0x00FFFFFFu) | (t << 24);
  }
  Bitmap.SetHasAlpha(true);
}

// ---- items ----

TvxPngImageItem::TvxPngImageItem(TCollection* collection) : TCollectionItem(collection) {
  name_ = "PngImage" + std::to_string(Index());
  if (TvxPngImageList* list = List()) list->AddPlaceholder();
}

TvxPngImageItem::~TvxPngImageItem() {
  TvxPngImageList* list = List();
  const int index = Index();
  if (list && index >= 0 && index < list->Count()) list->Delete(index);
}

TvxPngImageList* TvxPngImageItem::List() const {
  const auto* items = dynamic_cast<const TvxPngImageItems*>(Collection());
  return items ? items->List() : nullptr;
}

std::string TvxPngImageItem::DisplayName() const {
  return name_.empty() ? TCollectionItem::DisplayName() : name_;
}

void TvxPngImageItem::SetPngImage(const TvxPngImage& png) {
  png_ = png;
  Changed(false);
}

void TvxPngImageItem::Assign(const TPersistent* source) {
  if (const auto* item = dynamic_cast<const TvxPngImageItem*>(source)) {
    name_ = item->name_;
    SetPngImage(item->png_);
    return;
  }
  TCollectionItem::Assign(source);
}

TvxPngImageItems::TvxPngImageItems(TvxPngImageList* list)
    : TCollection(TCollection::ItemClass<TvxPngImageItem>(), list), list_(list) {}

// ---- list ----

TvxPngImageList::TvxPngImageList(TComponent* owner, int width, int height)
    : TComponent(owner), TImageList(width, height), items_(this) {}

TvxPngImageList::~TvxPngImageList() { items_.Clear(); }

void TvxPngImageList::AddPlaceholder() {
  // Black, with a white mask: every pixel transparent.
  const TBitmap image(Width(), Height(), TPixelFormat::pf24bit);
  TBitmap mask(Width(), Height(), TPixelFormat::pf24bit);
  mask.Canvas().Brush().SetColor(clWhite);
  mask.Canvas().FillRect(TRect{0, 0, Width(), Height()});
  Add(image, &mask);
}

void TvxPngImageList::Resize(int width, int height) {
  width = std::max(1, width);
  height = std::max(1, height);
  if (width == Width() && height == Height()) return;
  SetSize(width, height);  // empties the platform list
  if (HasState(csLoading)) {
    for (int i = 0; i < items_.Count(); ++i) AddPlaceholder();
  } else {
    items_.Clear();
  }
}

void TvxPngImageList::SetPngWidth(int value) { Resize(value, Height()); }
void TvxPngImageList::SetPngHeight(int value) { Resize(Width(), value); }

void TvxPngImageList::DoDraw(int index, HDC dc, int x, int y, uint32_t style, bool enabled) {
  (void)style;
  if (index < 0 || index >= items_.Count()) return;
  const TvxPngImage& png = items_.Items(index)->PngImage();
  if (png.Empty()) return;
  TvxBitmap bmp;
  if (enabled)
    PngToBitmap(bmp, png);
  else
    PngToTranslucentBitmap(bmp, png);
  // Drawn by alpha even when every alpha is 0 or 255.
  bmp.SetHasAlpha(true);
  bmp.DrawRect(dc, TRect{x, y, x + Width(), y + Height()}, bmp.BoundsRect());
}

}  // namespace vx
