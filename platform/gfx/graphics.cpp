#include "platform/gfx/graphics.h"

#include <algorithm>
#include <cstring>

#include "platform/codecs/bmp.h"
#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "platform/gfx/pixel_core.h"

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

// A premultiplied 32-bit copy of straight-alpha pixels, with its context.
struct PremulCopy {
  TSurfacePtr s;
  TDCPtr dc;
  PremulCopy(int w, int h, const uint32_t* px, size_t stride) : s(TSurface::Create(w, h, TPixelFormat::pf32bit)) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) s->Row32(y)[x] = Premultiply(px[size_t(y) * stride + size_t(x)]);
    dc = CreateMemoryDC(s);
  }
};

BLENDFUNCTION PremulBlend() {
  BLENDFUNCTION bf;
  bf.AlphaFormat = AC_SRC_ALPHA;
  return bf;
}
}  // namespace

void TGraphic::SetTransparent(bool t) {
  if (t == transparent_) return;
  transparent_ = t;
  Changed();
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead);
  LoadFromStream(f);
}

void TGraphic::SaveToFile(const std::string& fileName) {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

// ---------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() : surface_(TSurface::Create(0, 0, TPixelFormat::pf32bit)), dc_(CreateMemoryDC(surface_)) {
  canvas_ = std::make_unique<TCanvas>(dc_.get());
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap() {
  format_ = format;
  Recreate(width, height, format, false);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const { return surface_->Width(); }
int TBitmap::Height() const { return surface_->Height(); }

void TBitmap::Recreate(int w, int h, TPixelFormat f, bool keep) {
  w = std::max(0, w);
  h = std::max(0, h);
  TSurfacePtr n = TSurface::Create(w, h, f);
  if (keep) {
    const int cw = std::min(w, surface_->Width()), ch = std::min(h, surface_->Height());
    std::vector<uint32_t> row(static_cast<size_t>(std::max(cw, 0)));
    for (int y = 0; y < ch; ++y) {
      const uint32_t* p = surface_->ReadSpan(0, y, cw, row.data());
      if (surface_->Format() == TPixelFormat::pf24bit || f == TPixelFormat::pf24bit) {
        n->WriteSpan(0, y, cw, p);
      } else {
        std::memcpy(n->Row32(y), p, size_t(cw) * 4);
      }
    }
  }
  surface_ = n;
  dc_->SelectSurface(n);
  format_ = f;
}

void TBitmap::SetSize(int w, int h) {
  w = std::max(0, w);
  h = std::max(0, h);
  if (w == Width() && h == Height()) return;
  Recreate(w, h, format_, true);
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat f) {
  if (f == format_) return;
  Recreate(Width(), Height(), f, true);
  Changed();
}

void TBitmap::SetAlphaFormat(TAlphaFormat a) {
  if (a == alphaFormat_) return;
  alphaFormat_ = a;
  Changed();
}

TCanvas& TBitmap::Canvas() { return *canvas_; }

uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= Height()) throw EInvalidGraphic("Scan line index out of range");
  return surface_->Row(y);
}
const uint8_t* TBitmap::ScanLine(int y) const {
  if (y < 0 || y >= Height()) throw EInvalidGraphic("Scan line index out of range");
  return surface_->Row(y);
}

TColor TBitmap::TransparentColor() const {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (surface_->IsEmpty()) return clNone;
  return PixelToColor(surface_->GetPixel(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor c) {
  transparentColor_ = c;
  transparentMode_ = tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode m) {
  if (m == transparentMode_) return;
  transparentMode_ = m;
  Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& r) {
  HDC dst = canvas.Handle();
  if (!dst || Empty()) return;
  const int w = Width(), h = Height();
  if (Transparent()) {
    TransparentBlt(dst, r.Left, r.Top, r.Width(), r.Height(), dc_.get(), 0, 0, w, h, TransparentColor());
  } else if (format_ == TPixelFormat::pf32bit && alphaFormat_ == afPremultiplied) {
    AlphaBlend(dst, r.Left, r.Top, r.Width(), r.Height(), dc_.get(), 0, 0, w, h, PremulBlend());
  } else if (format_ == TPixelFormat::pf32bit && alphaFormat_ == afDefined) {
    PremulCopy p(w, h, surface_->Row32(0), size_t(w));
    AlphaBlend(dst, r.Left, r.Top, r.Width(), r.Height(), p.dc.get(), 0, 0, w, h, PremulBlend());
  } else {
    StretchBlt(dst, r.Left, r.Top, r.Width(), r.Height(), dc_.get(), 0, 0, w, h, canvas.CopyMode());
  }
}

void TBitmap::LoadFromStream(TStream& s) {
  const TBmpImage img = ReadBmp(s);
  const TPixelFormat f = img.BitCount == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit;
  const std::vector<uint8_t> bgra = img.ToBGRA();
  TSurfacePtr n = TSurface::Create(img.Width, img.Height, f);
  for (int y = 0; y < img.Height; ++y)
    n->WriteSpan(0, y, img.Width, reinterpret_cast<const uint32_t*>(bgra.data() + size_t(y) * size_t(img.Width) * 4));
  surface_ = n;
  dc_->SelectSurface(n);
  format_ = f;
  Changed();
}

void TBitmap::SaveToStream(TStream& s) {
  if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap");
  const int w = Width(), h = Height();
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    const uint32_t* p = surface_->ReadSpan(0, y, w, px.data() + size_t(y) * size_t(w));
    if (p != px.data() + size_t(y) * size_t(w)) std::memcpy(px.data() + size_t(y) * size_t(w), p, size_t(w) * 4);
  }
  const TBmpImage img = TBmpImage::FromBGRA(w, h, reinterpret_cast<const uint8_t*>(px.data()),
                                            format_ == TPixelFormat::pf32bit ? 32 : 24);
  WriteBmp(s, img);
}

void TBitmap::Assign(const TBitmap& src) {
  if (&src == this) return;
  TSurfacePtr n = TSurface::Create(src.Width(), src.Height(), src.format_);
  if (!src.surface_->IsEmpty())
    std::memcpy(n->Bits(), src.surface_->Bits(), src.surface_->Stride() * size_t(src.Height()));
  surface_ = n;
  dc_->SelectSurface(n);
  format_ = src.format_;
  alphaFormat_ = src.alphaFormat_;
  transparentMode_ = src.transparentMode_;
  transparentColor_ = src.transparentColor_;
  transparent_ = src.transparent_;
  Changed();
}

void TBitmap::Assign(TGraphic& src) {
  if (auto* b = dynamic_cast<TBitmap*>(&src)) {
    Assign(*b);
    return;
  }
  Recreate(src.Width(), src.Height(), TPixelFormat::pf32bit, false);
  if (!Empty()) src.Draw(*canvas_, TRect{0, 0, Width(), Height()});
  Changed();
}

// ---------------------------------------------------------------------------
// TIcon

std::shared_ptr<TIcon> TIcon::FromAlpha(int w, int h, const uint32_t* argb) {
  auto i = std::make_shared<TIcon>();
  i->w_ = std::max(0, w);
  i->h_ = std::max(0, h);
  i->hasAlpha_ = true;
  i->color_.assign(argb, argb + size_t(i->w_) * size_t(i->h_));
  i->mask_.assign(i->color_.size(), 0);
  return i;
}

std::shared_ptr<TIcon> TIcon::FromMask(int w, int h, const uint32_t* color, const uint8_t* andMask) {
  auto i = std::make_shared<TIcon>();
  i->w_ = std::max(0, w);
  i->h_ = std::max(0, h);
  const size_t n = size_t(i->w_) * size_t(i->h_);
  i->color_.assign(color, color + n);
  i->mask_.resize(n);
  for (size_t k = 0; k < n; ++k) i->mask_[k] = andMask[k] ? 1 : 0;
  return i;
}

std::shared_ptr<TIcon> TIcon::FromBitmaps(const TBitmap& color, const TBitmap* mask) {
  const int w = color.Width(), h = color.Height();
  if (mask && (mask->Width() < w || mask->Height() < h)) throw EInvalidGraphic("Icon mask is smaller than the image");
  std::vector<uint32_t> px(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) color.Surface()->ReadSpan(0, y, w, px.data() + size_t(y) * size_t(w));
  // ReadSpan may return a pointer into a 32-bit surface without filling px.
  if (color.PixelFormat() == TPixelFormat::pf32bit)
    for (int y = 0; y < h; ++y) std::memcpy(px.data() + size_t(y) * size_t(w), color.Surface()->Row32(y), size_t(w) * 4);
  bool alpha = false;
  if (color.PixelFormat() == TPixelFormat::pf32bit)
    for (uint32_t p : px) alpha = alpha || (p >> 24) != 0;
  if (alpha) return FromAlpha(w, h, px.data());
  std::vector<uint8_t> m(px.size(), 0);
  if (mask)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) m[size_t(y) * size_t(w) + size_t(x)] = (mask->Surface()->GetPixel(x, y) & 0xFFFFFF) != 0;
  return FromMask(w, h, px.data(), m.data());
}

void TIcon::Draw(TCanvas& canvas, const TRect& r) { DrawIconEx(canvas.Handle(), r.Left, r.Top, *this, r.Width(), r.Height(), DI_NORMAL); }

void TIcon::LoadFromStream(TStream&) { throw EInvalidGraphic("Icon files are not supported"); }
void TIcon::SaveToStream(TStream&) { throw EInvalidGraphic("Icon files are not supported"); }

bool DrawIconEx(HDC dc, int x, int y, const TIcon& icon, int cx, int cy, uint32_t flags) {
  if (!dc || !dc->Surface() || icon.Empty() || cx < 0 || cy < 0) return false;
  const int w = icon.Width(), h = icon.Height();
  if (cx == 0) cx = w;
  if (cy == 0) cy = h;
  if (icon.HasAlpha()) {
    if (!(flags & DI_IMAGE)) return true;
    PremulCopy p(w, h, icon.Pixels().data(), size_t(w));
    return AlphaBlend(dc, x, y, cx, cy, p.dc.get(), 0, 0, w, h, PremulBlend());
  }
  std::vector<int> xm(static_cast<size_t>(cx)), ym(static_cast<size_t>(cy));
  pixel::NearestMap(xm.data(), 0, cx, 0, cx, 0, w);
  pixel::NearestMap(ym.data(), 0, cy, 0, cy, 0, h);
  std::vector<uint32_t> area(size_t(cx) * size_t(cy));
  ReadPixels(dc, TRect{x, y, x + cx, y + cy}, area.data(), size_t(cx));
  for (int j = 0; j < cy; ++j)
    for (int i = 0; i < cx; ++i) {
      const size_t s = size_t(ym[size_t(j)]) * size_t(w) + size_t(xm[size_t(i)]);
      uint32_t& d = area[size_t(j) * size_t(cx) + size_t(i)];
      uint32_t v = d;
      if (flags & DI_MASK) v &= icon.Mask()[s] ? 0xFFFFFFFFu : 0xFF000000u;
      if (flags & DI_IMAGE) v ^= icon.Pixels()[s] & 0x00FFFFFFu;
      if (v != d || !icon.Mask()[s]) v |= 0xFF000000u;
      d = v;
    }
  return WritePixels(dc, x, y, cx, cy, area.data(), size_t(cx));
}

}  // namespace vx
