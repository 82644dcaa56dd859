#include "platform/gfx/imagelist.h"

#include <algorithm>
#include <string>

#include "platform/core/exceptions.h"

namespace vx {

namespace {
inline uint32_t Div255(uint32_t v) { return (v + 128 + ((v + 128) >> 8)) >> 8; }

inline uint32_t Premultiply(uint32_t p) {
  const uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return 0;
  return (a << 24) | (Div255(((p >> 16) & 0xFF) * a) << 16) | (Div255(((p >> 8) & 0xFF) * a) << 8) |
         Div255((p & 0xFF) * a);
}

inline uint32_t Grey(uint32_t p) {
  const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  const uint32_t v = (255 + ((77 * r + 150 * g + 29 * b) >> 8)) / 2;
  return (p & 0xFF000000u) | (v << 16) | (v << 8) | v;
}

inline uint32_t Mix(uint32_t p, uint32_t fg, int pct) {
  uint32_t out = p & 0xFF000000u;
  for (int sh = 0; sh < 24; sh += 8) {
    const int c = int((p >> sh) & 0xFF), f = int((fg >> sh) & 0xFF);
    out |= uint32_t(c + (f - c) * pct / 100) << sh;
  }
  return out;
}

// All pixels of a bitmap as 0xAARRGGBB.
std::vector<uint32_t> PixelsOf(const TBitmap& b) {
  const int w = b.Width(), h = b.Height();
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) px[size_t(y) * size_t(w) + size_t(x)] = b.Surface()->GetPixel(x, y);
  return px;
}
}  // namespace

TImageList::TImageList(int width, int height) : w_(std::max(1, width)), h_(std::max(1, height)) {}
TImageList::~TImageList() = default;

void TImageList::SetWidth(int w) { SetSize(w, h_); }
void TImageList::SetHeight(int h) { SetSize(w_, h); }
void TImageList::SetSize(int w, int h) {
  w = std::max(1, w);
  h = std::max(1, h);
  if (w == w_ && h == h_) return;
  w_ = w;
  h_ = h;
  images_.clear();
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
  if (image.Empty()) return -1;
  const int iw = image.Width(), ih = image.Height();
  std::vector<uint32_t> px = PixelsOf(image);
  bool alpha = false;
  if (image.PixelFormat() == TPixelFormat::pf32bit)
    for (uint32_t p : px) alpha = alpha || (p >> 24) != 0;
  for (size_t k = 0; k < px.size(); ++k) {
    if (alpha) continue;
    bool transparent = false;
    if (mask) {
      const int x = int(k % size_t(iw)), y = int(k / size_t(iw));
      transparent = x < mask->Width() && y < mask->Height() && (mask->Surface()->GetPixel(x, y) & 0xFFFFFF) != 0;
    }
    px[k] = transparent ? 0u : (px[k] | 0xFF000000u);
  }
  const int cells = std::max(1, iw / w_);
  const int first = Count();
  for (int c = 0; c < cells; ++c) {
    std::vector<uint32_t> img(size_t(w_) * size_t(h_), 0u);
    for (int y = 0; y < std::min(h_, ih); ++y)
      for (int x = 0; x < w_ && c * w_ + x < iw; ++x)
        img[size_t(y) * size_t(w_) + size_t(x)] = px[size_t(y) * size_t(iw) + size_t(c * w_ + x)];
    images_.push_back(std::move(img));
  }
  return first;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  if (image.Empty()) return -1;
  const TColor key =
      maskColor == clDefault ? PixelToColor(image.Surface()->GetPixel(0, image.Height() - 1)) : ColorToRGB(maskColor);
  TBitmap m(image.Width(), image.Height(), TPixelFormat::pf24bit);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      m.Surface()->SetPixel(x, y, PixelToColor(image.Surface()->GetPixel(x, y)) == key ? 0xFFFFFFu : 0u);
  // Masking decides transparency, so the image's own alpha is not used.
  TBitmap opaque;
  opaque.Assign(image);
  opaque.SetPixelFormat(TPixelFormat::pf24bit);
  return Add(opaque, &m);
}

int TImageList::AddIcon(const TIcon& icon) {
  if (icon.Empty()) return -1;
  std::vector<uint32_t> img(size_t(w_) * size_t(h_), 0u);
  for (int y = 0; y < std::min(h_, icon.Height()); ++y)
    for (int x = 0; x < std::min(w_, icon.Width()); ++x) {
      const size_t s = size_t(y) * size_t(icon.Width()) + size_t(x);
      uint32_t p = icon.Pixels()[s];
      if (!icon.HasAlpha()) p = icon.Mask()[s] ? 0u : (p | 0xFF000000u);
      img[size_t(y) * size_t(w_) + size_t(x)] = p;
    }
  images_.push_back(std::move(img));
  return Count() - 1;
}

void TImageList::Delete(int index) {
  if (index < 0 || index >= Count()) throw EListError("Image index out of range: " + std::to_string(index));
  images_.erase(images_.begin() + index);
}

void TImageList::Clear() { images_.clear(); }

const std::vector<uint32_t>& TImageList::Image(int index) const {
  if (index < 0 || index >= Count()) throw EListError("Image index out of range: " + std::to_string(index));
  return images_[size_t(index)];
}

void TImageList::GetBitmap(int index, TBitmap& out) const {
  const auto& img = Image(index);
  out.SetPixelFormat(TPixelFormat::pf32bit);
  out.SetSize(w_, h_);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) out.Surface()->SetPixel(x, y, img[size_t(y) * size_t(w_) + size_t(x)]);
  out.SetAlphaFormat(afDefined);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) { Draw(canvas.Handle(), x, y, index, enabled); }

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
  if (!dc || index < 0 || index >= Count()) return;
  DoDraw(index, dc, x, y, ILD_NORMAL, enabled);
}

void TImageList::DoDraw(int index, HDC dc, int x, int y, uint32_t style, bool enabled) {
  if (enabled) {
    ImageList_DrawEx(*this, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_NONE, style);
    return;
  }
  if (bk_ != clNone) FillSolidRect(dc, TRect{x, y, x + w_, y + h_}, bk_);
  auto s = TSurface::Create(w_, h_, TPixelFormat::pf32bit);
  const auto& img = images_[size_t(index)];
  for (int yy = 0; yy < h_; ++yy)
    for (int xx = 0; xx < w_; ++xx) s->Row32(yy)[xx] = Premultiply(Grey(img[size_t(yy) * size_t(w_) + size_t(xx)]));
  auto sdc = CreateMemoryDC(s);
  BLENDFUNCTION bf;
  bf.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(dc, x, y, w_, h_, sdc.get(), 0, 0, w_, h_, bf);
}

bool ImageList_DrawEx(const TImageList& list, int i, HDC dc, int x, int y, int dx, int dy, TColor rgbBk, TColor rgbFg,
                      uint32_t style) {
  if (!dc || !dc->Surface() || i < 0 || i >= list.Count() || dx < 0 || dy < 0) return false;
  const int w = dx == 0 ? list.w_ : std::min(dx, list.w_);
  const int h = dy == 0 ? list.h_ : std::min(dy, list.h_);
  if (!(style & ILD_TRANSPARENT)) {
    TColor bk = rgbBk == CLR_DEFAULT ? list.bk_ : rgbBk;
    if (bk != CLR_NONE && bk != clNone) FillSolidRect(dc, TRect{x, y, x + w, y + h}, bk);
  }
  const int pct = (style & ILD_BLEND50) ? 50 : (style & ILD_BLEND25) ? 25 : 0;
  const uint32_t fg = ColorToPixel(rgbFg == CLR_DEFAULT || rgbFg == CLR_NONE ? clHighlight : rgbFg);
  auto s = TSurface::Create(w, h, TPixelFormat::pf32bit);
  const auto& img = list.images_[size_t(i)];
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      uint32_t p = img[size_t(yy) * size_t(list.w_) + size_t(xx)];
      if (pct) p = Mix(p, fg, pct);
      s->Row32(yy)[xx] = Premultiply(p);
    }
  auto sdc = CreateMemoryDC(s);
  BLENDFUNCTION bf;
  bf.AlphaFormat = AC_SRC_ALPHA;
  return AlphaBlend(dc, x, y, w, h, sdc.get(), 0, 0, w, h, bf);
}

}  // namespace vx
