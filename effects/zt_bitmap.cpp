#include "effects/zt_bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/core/exceptions.h"
#include "platform/gfx/pixel_core.h"

namespace vx {

namespace {
constexpr int64_t kMaxPixels = int64_t(1) << 28;
}

void TztBitmap::SetSize(int W, int H) {
  const int64_t w = std::llabs(int64_t(W)), h = std::llabs(int64_t(H));
  if (w == 0 || h == 0 || (w == width_ && h == height_)) return;
  if (w > kMaxPixels || h > kMaxPixels || w * h > kMaxPixels)
    throw EOutOfResources("Can't allocate the DIB handle");
  try {
    std::vector<uint32_t> fresh(size_t(w * h), 0u);
    pixels_.swap(fresh);
  } catch (const std::bad_alloc&) {
    throw EOutOfResources("Can't allocate the DIB handle");
  }
  width_ = int(w);
  height_ = int(h);
}

void TztBitmap::CheckAlpha() {
  alphaBlend_ = false;
  for (uint32_t p : pixels_) {
    const uint32_t a = p >> 24;
    if (a != 0 && a != 255) { alphaBlend_ = true; return; }
  }
}

void TztBitmap::SetAlpha(uint8_t a) {
  const uint32_t hi = uint32_t(a) << 24;
  for (uint32_t& p : pixels_) p = (p & 0x00FFFFFFu) | hi;
}

void TztBitmap::ClearKeyAlpha() { pixel::ClearKeyAlpha(pixels_.data(), pixels_.size()); }

void TztBitmap::SetPixel(int X, int Y, uint32_t value) {
  if (X >= 0 && X < width_ && Y >= 0 && Y < height_) *PixelPtr(X, Y) = value;
}

uint32_t TztBitmap::Pixel(int X, int Y) const {
  if (X >= 0 && X < width_ && Y >= 0 && Y < height_) return *PixelPtr(X, Y);
  return 0;
}

void TztBitmap::Fill(uint32_t value) { std::fill(pixels_.begin(), pixels_.end(), value); }

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

  // Onto itself: read from a copy of the source area.
  std::vector<uint32_t> copy;
  const uint32_t* srcBase;
  size_t srcStride;
  if (&Dest == this) {
    copy.resize(n * size_t(sb - st));
    for (int64_t y = st; y < sb; ++y)
      std::memcpy(copy.data() + size_t(y - st) * n, PixelPtr(int(sl), int(y)), n * 4);
    srcBase = copy.data();
    srcStride = n;
  } else {
    srcBase = PixelPtr(int(sl), int(st));
    srcStride = size_t(width_);
  }
  for (int64_t y = 0; y < sb - st; ++y) {
    const uint32_t* s = srcBase + size_t(y) * srcStride;
    uint32_t* d = Dest.PixelPtr(int(dl), int(dt + y));
    if (alphaBlend_) {
      pixel::BlendRow(d, s, n);
    } else if (transparent_) {
      for (size_t i = 0; i < n; ++i)
        if (!pixel::IsKey(s[i])) d[i] = s[i];
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
  pixels_ = Source.pixels_;
  width_ = Source.width_;
  height_ = Source.height_;
  alphaBlend_ = Source.alphaBlend_;
  transparent_ = Source.transparent_;
}

void TztBitmap::Assign(const uint32_t* Pixels, int W, int H, size_t Stride) {
  if (W <= 0 || H <= 0 || Pixels == nullptr) {
    throw EInvalidGraphic("Invalid source image for TztBitmap");
  }
  SetSize(W, H);
  for (int y = 0; y < H; ++y)
    std::memcpy(PixelPtr(0, y), reinterpret_cast<const uint8_t*>(Pixels) + size_t(y) * Stride, size_t(W) * 4);
  CheckAlpha();
}

}  // namespace vx
