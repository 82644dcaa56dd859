#include "effects/zt_bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/pixel_core.h"

namespace vx {

namespace {

// Every buffer's device context, so that a context can be mapped back to it.
std::mutex& RegistryMutex() {
  static std::mutex m;
  return m;
}
std::unordered_map<HDC, TztBitmap*>& Registry() {
  static std::unordered_map<HDC, TztBitmap*> r;
  return r;
}

void Enter(HDC dc, TztBitmap* b) {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  Registry()[dc] = b;
}

void Leave(HDC dc) {
  std::lock_guard<std::mutex> lock(RegistryMutex());
  Registry().erase(dc);
}

const TColor kKeyTColor = RGB(127, 0, 127);

}  // namespace

TztBitmap* TztBitmap::FromDC(HDC dc) {
  if (!dc) return nullptr;
  std::lock_guard<std::mutex> lock(RegistryMutex());
  const auto it = Registry().find(dc);
  return it == Registry().end() ? nullptr : it->second;
}

TztBitmap::TztBitmap(TztBitmap&& other) noexcept { *this = std::move(other); }

TztBitmap& TztBitmap::operator=(TztBitmap&& other) noexcept {
  if (&other == this) return *this;
  Release();
  surface_ = std::move(other.surface_);
  dc_ = std::move(other.dc_);
  bits_ = other.bits_;
  width_ = other.width_;
  height_ = other.height_;
  alphaBlend_ = other.alphaBlend_;
  transparent_ = other.transparent_;
  other.bits_ = nullptr;
  other.width_ = other.height_ = 0;
  if (dc_) Enter(dc_.get(), this);
  return *this;
}

TztBitmap::~TztBitmap() { Release(); }

void TztBitmap::Release() {
  if (dc_) Leave(dc_.get());
  dc_.reset();
  surface_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TztBitmap::SetSize(int W, int H) {
  const int64_t w = std::llabs(int64_t(W)), h = std::llabs(int64_t(H));
  if (w == 0 || h == 0 || (w == width_ && h == height_)) return;
  TSurfacePtr surface;
  try {
    if (w > TSurface::kMaxSide || h > TSurface::kMaxSide) throw EOutOfResources("too large");
    surface = TSurface::Create(int(w), int(h), TPixelFormat::pf32bit);
  } catch (const EOutOfResources&) {
    throw EOutOfResources("Can't allocate the DIB handle");
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Can't allocate the DIB handle");
  }
  TDCPtr dc;
  try {
    dc = CreateMemoryDC(surface);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Can't create compatible DC");
  }
  Release();
  surface_ = std::move(surface);
  dc_ = std::move(dc);
  bits_ = surface_->Row32(0);
  width_ = int(w);
  height_ = int(h);
  Enter(dc_.get(), this);
}

void TztBitmap::CheckAlpha() {
  alphaBlend_ = false;
  for (size_t i = 0; i < PixelCount(); ++i) {
    const uint32_t a = bits_[i] >> 24;
    if (a != 0 && a != 255) { alphaBlend_ = true; return; }
  }
}

void TztBitmap::SetAlpha(uint8_t a) {
  const uint32_t hi = uint32_t(a) << 24;
  for (size_t i = 0; i < PixelCount(); ++i) bits_[i] = (bits_[i] & 0x00FFFFFFu) | hi;
}

void TztBitmap::ClearKeyAlpha() { pixel::ClearKeyAlpha(bits_, PixelCount()); }

void TztBitmap::SetPixel(int X, int Y, uint32_t value) {
  if (X >= 0 && X < width_ && Y >= 0 && Y < height_) *PixelPtr(X, Y) = value;
}

uint32_t TztBitmap::Pixel(int X, int Y) const {
  if (X >= 0 && X < width_ && Y >= 0 && Y < height_) return *PixelPtr(X, Y);
  return 0;
}

void TztBitmap::Fill(uint32_t value) { std::fill(bits_, bits_ + PixelCount(), value); }

void TztBitmap::DrawTo(TztBitmap& Dest, int X, int Y) const { DrawTo(Dest, X, Y, TRect(0, 0, width_, height_)); }

void TztBitmap::DrawTo(TztBitmap& Dest, int X, int Y, const TRect& Src) const {
  // Clip the source to this buffer, then the destination to Dest, in 64 bits.
  int64_t sl = std::max<int64_t>(Src.Left, 0), st = std::max<int64_t>(Src.Top, 0);
  int64_t sr = std::min<int64_t>(Src.Right, width_), sb = std::min<int64_t>(Src.Bottom, height_);
  int64_t dl = int64_t(X) + (sl - Src.Left), dt = int64_t(Y) + (st - Src.Top);
  if (dl < 0) { sl -= dl; dl = 0; }
  if (dt < 0) { st -= dt; dt = 0; }
  sr = std::min<int64_t>(sr, sl + (Dest.width_ - dl));
  sb = std::min<int64_t>(sb, st + (Dest.height_ - dt));
  if (sr <= sl || sb <= st) return;
  const size_t n = size_t(sr - sl);

  // Onto itself the rows are taken in the order that reads every source row
  // before it is written (bottom-up when moving down), each through a copy of
  // the row, so the result is that of drawing an untouched copy.
  const bool self = &Dest == this;
  std::vector<uint32_t> row(self ? n : 0);
  const int64_t rowsN = sb - st;
  const bool up = self && dt > st;
  for (int64_t i = 0; i < rowsN; ++i) {
    const int64_t y = up ? rowsN - 1 - i : i;
    const uint32_t* s = PixelPtr(int(sl), int(st + y));
    if (self) {
      std::memcpy(row.data(), s, n * 4);
      s = row.data();
    }
    uint32_t* d = Dest.PixelPtr(int(dl), int(dt + y));
    if (alphaBlend_) {
      pixel::BlendRow(d, s, n);
    } else if (transparent_) {
      for (size_t i2 = 0; i2 < n; ++i2)
        if (!pixel::IsKey(s[i2])) d[i2] = s[i2];
    } else {
      std::memcpy(d, s, n * 4);
    }
  }
}

void TztBitmap::StretchDrawTo(TztBitmap& Dest, const TRect& DestRect, const TRect& Src) const {
  if (DestRect.IsEmpty() || Src.IsEmpty() || IsEmpty() || Dest.IsEmpty()) return;
  const int x0 = std::max(DestRect.Left, 0), x1 = std::min(DestRect.Right, Dest.width_);
  const int y0 = std::max(DestRect.Top, 0), y1 = std::min(DestRect.Bottom, Dest.height_);
  if (x1 <= x0 || y1 <= y0) return;
  std::vector<int> xs(size_t(x1 - x0)), ys(size_t(y1 - y0));
  pixel::NearestMap(xs.data(), x0, x1 - x0, DestRect.Left, DestRect.Width(), Src.Left, Src.Width());
  pixel::NearestMap(ys.data(), y0, y1 - y0, DestRect.Top, DestRect.Height(), Src.Top, Src.Height());
  const TztBitmap* src = this;
  TztBitmap copy;
  if (&Dest == this) { copy = *this; src = &copy; }
  for (int y = y0; y < y1; ++y) {
    const int sy = ys[size_t(y - y0)];
    if (sy < 0 || sy >= height_) continue;
    uint32_t* d = Dest.PixelPtr(0, y);
    const uint32_t* s = src->PixelPtr(0, sy);
    for (int x = x0; x < x1; ++x) {
      const int sx = xs[size_t(x - x0)];
      if (sx >= 0 && sx < width_) d[x] = s[sx];
    }
  }
}

void TztBitmap::Assign(const TztBitmap& Source) {
  if (&Source == this) return;
  if (Source.IsEmpty()) {
    Release();
  } else {
    SetSize(Source.width_, Source.height_);
    std::memcpy(bits_, Source.bits_, PixelCount() * 4);
  }
  alphaBlend_ = Source.alphaBlend_;
  transparent_ = Source.transparent_;
}

void TztBitmap::Assign(const TSurface& Source) {
  if (Source.IsEmpty()) return;
  SetSize(Source.Width(), Source.Height());
  for (int y = 0; y < height_; ++y) {
    const uint32_t* row = Source.ReadSpan(0, y, width_, PixelPtr(0, y));
    if (row != PixelPtr(0, y)) std::memcpy(PixelPtr(0, y), row, size_t(width_) * 4);
  }
  if (Source.Format() == TPixelFormat::pf32bit) CheckAlpha();
  else alphaBlend_ = false;
}

void TztBitmap::Draw(HDC dc, int X, int Y) const { Draw(dc, X, Y, TRect(0, 0, width_, height_)); }

void TztBitmap::Draw(HDC dc, int X, int Y, const TRect& Src) const {
  Draw(dc, TRect(X, Y, X + Src.Width(), Y + Src.Height()), Src);
}

void TztBitmap::Draw(HDC dc, const TRect& D, const TRect& Src) const {
  if (!dc || IsEmpty() || D.IsEmpty() || Src.IsEmpty()) return;
  if (D.Width() != Src.Width() || D.Height() != Src.Height()) {
    // Stretched first into a buffer of the destination size, then drawn by the flags.
    TztBitmap tmp(D.Width(), D.Height());
    StretchDrawTo(tmp, TRect(0, 0, D.Width(), D.Height()), Src);
    tmp.alphaBlend_ = alphaBlend_;
    tmp.transparent_ = transparent_;
    tmp.Draw(dc, D.Left, D.Top);
    return;
  }
  if (TztBitmap* target = FromDC(dc)) {
    const TPoint o = dc->LogicalToSurface(D.TopLeft());
    DrawTo(*target, o.X, o.Y, Src);
    return;
  }
  // Only the part of Src inside this buffer is drawn.
  const TRect s = IntersectRect(Src, TRect(0, 0, width_, height_));
  if (s.IsEmpty()) return;
  const int x = D.Left + (s.Left - Src.Left), y = D.Top + (s.Top - Src.Top), w = s.Width(), h = s.Height();
  if (alphaBlend_) {
    std::vector<uint32_t> back(size_t(w) * size_t(h));
    ReadPixels(dc, TRect(x, y, x + w, y + h), back.data(), size_t(w));
    for (int r = 0; r < h; ++r) pixel::BlendRow(back.data() + size_t(r) * size_t(w), PixelPtr(s.Left, s.Top + r), size_t(w));
    WritePixels(dc, x, y, w, h, back.data(), size_t(w));
  } else if (transparent_) {
    TransparentBlt(dc, x, y, w, h, dc_.get(), s.Left, s.Top, w, h, kKeyTColor);
  } else {
    BitBlt(dc, x, y, w, h, dc_.get(), s.Left, s.Top, SRCCOPY);
  }
}

void TztBitmap::Assign(const uint32_t* Pixels, int W, int H, size_t Stride) {
  if (W <= 0 || H <= 0 || Pixels == nullptr) throw EInvalidGraphic("Invalid source image for TztBitmap");
  SetSize(W, H);
  for (int y = 0; y < H; ++y)
    std::memcpy(PixelPtr(0, y), reinterpret_cast<const uint8_t*>(Pixels) + size_t(y) * Stride, size_t(W) * 4);
  CheckAlpha();
}

}  // namespace vx
