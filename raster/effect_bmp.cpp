#include "raster/effect_bmp.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/gfx/graphics.h"
#include "raster/vx_bitmap.h"

namespace vx {

namespace {

// Nearest integer (halves to even) of v, held to a range that cannot overflow.
int64_t Nearest(double v) {
  if (std::isnan(v)) return 0;
  v = std::clamp(v, -1e12, 1e12);
  return static_cast<int64_t>(std::nearbyint(v));
}

uint8_t Clamp255(double v) {
  const double r = std::nearbyint(v);
  return static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
}

uint8_t Mix(uint8_t a, uint8_t b, double w) { return Clamp255(w * a + (1 - w) * b); }

}  // namespace

TvxEffectBmp::TvxEffectBmp(int width, int height) {
  surface_ = TSurface::Create(std::max(0, width), std::max(0, height), TPixelFormat::pf24bit);
  width_ = surface_->Width();
  height_ = surface_->Height();
  stride_ = static_cast<int>(surface_->Stride());
}

TvxEffectBmp::~TvxEffectBmp() = default;

TvxEffectBmp::TvxEffectBmp(TvxEffectBmp&& other) noexcept { *this = std::move(other); }

TvxEffectBmp& TvxEffectBmp::operator=(TvxEffectBmp&& other) noexcept {
  if (&other == this) return *this;
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  stride_ = std::exchange(other.stride_, 0);
  surface_ = std::move(other.surface_);
  dc_ = std::move(other.dc_);
  return *this;
}

TvxEffectBmp::TvxEffectBmp(const TSurface& source) : TvxEffectBmp(source.Width(), source.Height()) {
  std::vector<uint32_t> row(static_cast<size_t>(width_));
  for (int y = 0; y < height_; ++y) {
    const uint32_t* s = source.ReadSpan(0, y, width_, row.data());
    uint8_t* d = ScanLine(y);
    for (int x = 0; x < width_; ++x) {
      d[3 * x] = uint8_t(s[x]);
      d[3 * x + 1] = uint8_t(s[x] >> 8);
      d[3 * x + 2] = uint8_t(s[x] >> 16);
    }
  }
}

TvxEffectBmp::TvxEffectBmp(const TBitmap& source) {
  if (source.Surface()) *this = TvxEffectBmp(*source.Surface());
}

void TvxEffectBmp::Draw(HDC dc, int x, int y) const {
  if (dc == nullptr || width_ == 0 || height_ == 0) return;
  if (!dc_) dc_ = CreateMemoryDC(surface_);
  BitBlt(dc, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

TvxEffectBmp::TvxEffectBmp(const TvxBitmap& source) : TvxEffectBmp(source.Width(), source.Height()) {
  for (int y = 0; y < height_; ++y) {
    const uint32_t* s = source.ScanLine(y);
    uint8_t* d = ScanLine(y);
    for (int x = 0; x < width_; ++x) {
      d[3 * x] = uint8_t(s[x]);
      d[3 * x + 1] = uint8_t(s[x] >> 8);
      d[3 * x + 2] = uint8_t(s[x] >> 16);
    }
  }
}

uint32_t TvxEffectBmp::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const uint8_t* p = ScanLine(y) + 3 * x;
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
}

void TvxEffectBmp::SetPixel(int x, int y, uint32_t rgb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = ScanLine(y) + 3 * x;
  p[0] = uint8_t(rgb);
  p[1] = uint8_t(rgb >> 8);
  p[2] = uint8_t(rgb >> 16);
}

void TvxEffectBmp::CopyTo(TvxBitmap& dest) const {
  if (width_ == 0 || height_ == 0) {
    dest.Clear();
    return;
  }
  dest.SetSize(width_, height_);
  for (int y = 0; y < height_; ++y) {
    uint32_t* d = dest.ScanLine(y);
    for (int x = 0; x < width_; ++x) d[x] = 0xFF000000u | Pixel(x, y);
  }
}

void TvxEffectBmp::MixColumn(const TvxEffectBmp& b, int x, double w) {
  if (x < 0 || x >= width_) return;
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y) + 3 * x;
    const uint8_t* s = b.ScanLine(y) + 3 * x;
    for (int c = 0; c < 3; ++c) d[c] = Mix(d[c], s[c], w);
  }
}

void TvxEffectBmp::MixRow(const TvxEffectBmp& b, int y, double w) {
  if (y < 0 || y >= height_) return;
  uint8_t* d = ScanLine(y);
  const uint8_t* s = b.ScanLine(y);
  for (int i = 0; i < 3 * width_; ++i) d[i] = Mix(d[i], s[i], w);
}

void TvxEffectBmp::CopyColumnFrom(const TvxEffectBmp& b, int destX, int srcX) {
  if (destX < 0 || destX >= width_ || srcX < 0 || srcX >= width_) return;
  for (int y = 0; y < height_; ++y) std::memcpy(ScanLine(y) + 3 * destX, b.ScanLine(y) + 3 * srcX, 3);
}

void TvxEffectBmp::Morph(const TvxEffectBmp& b, double k) {
  if (!SameSize(b)) return;
  k = std::isnan(k) ? 0 : std::clamp(k, 0.0, 1.0);
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y);
    const uint8_t* s = b.ScanLine(y);
    for (int i = 0; i < 3 * width_; ++i) d[i] = Clamp255((1 - k) * d[i] + k * s[i]);
  }
}

void TvxEffectBmp::MorphGradient(const TvxEffectBmp& b, double k) {
  if (width_ < height_)
    MorphVGradient(b, k);
  else
    MorphHGradient(b, k);
}

void TvxEffectBmp::MorphHGradient(const TvxEffectBmp& b, double k) {
  if (!SameSize(b) || width_ == 0) return;
  const int64_t W = width_;
  const int64_t n = Nearest(W * k);
  const int64_t ramp = (W - n) / 2;
  const double step = ramp == 0 ? 1.0 : 1.0 / double(ramp);
  const int64_t left = std::max<int64_t>(0, W / 2 - n / 2);
  const int64_t right = std::min<int64_t>(W - 1, n / 2 + W / 2);
  for (int64_t x = left; x <= right; ++x) CopyColumnFrom(b, int(x), int(x));
  // Runs outwards from the band's edges; columns outside the buffer are skipped.
  for (int64_t x = std::min(left, W - 1); x >= 0; --x) MixColumn(b, int(x), std::min(1.0, double(left - x) * step));
  for (int64_t x = std::max<int64_t>(right, 0); x < W; ++x)
    MixColumn(b, int(x), std::min(1.0, double(x - right) * step));
}

void TvxEffectBmp::MorphVGradient(const TvxEffectBmp& b, double k) {
  if (!SameSize(b) || height_ == 0) return;
  const int64_t H = height_;
  const int64_t n = Nearest(H * k);
  const int64_t ramp = (H - n - 1) / 2;
  const double step = ramp == 0 ? 0.0 : 1.0 / double(ramp);
  const int64_t top = std::max<int64_t>(0, H / 2 - n / 2);
  const int64_t bottom = std::min<int64_t>(H - 1, n / 2 + H / 2);
  for (int64_t y = top; y <= bottom; ++y) std::memcpy(ScanLine(int(y)), b.ScanLine(int(y)), size_t(3) * width_);
  for (int64_t y = std::min(top, H - 1); y >= 0; --y) MixRow(b, int(y), std::min(1.0, double(top - y) * step));
  for (int64_t y = std::max<int64_t>(bottom, 0); y < H; ++y) MixRow(b, int(y), std::min(1.0, double(y - bottom) * step));
}

void TvxEffectBmp::MorphLeftGradient(const TvxEffectBmp& b, double k) {
  if (!SameSize(b) || width_ == 0) return;
  const int64_t n = std::max<int64_t>(1, std::min<int64_t>(Nearest(width_ * k), width_ - 1));
  // With a width of 1 the ramp still ends at the last column.
  for (int64_t x = 0; x <= std::min<int64_t>(n, width_ - 1); ++x)
    MixColumn(b, int(x), std::min(1.0, double(x) / double(n)));
}

void TvxEffectBmp::MorphRightGradient(const TvxEffectBmp& b, double k) {
  if (!SameSize(b) || width_ == 0) return;
  const int64_t W = width_;
  const int64_t m = std::max<int64_t>(0, std::min<int64_t>(W - Nearest(W * k), W - 1));
  const double step = 1.0 / double(W - m);
  for (int64_t x = W - 1; x >= m; --x) MixColumn(b, int(x), std::min(1.0, double(W - 1 - x) * step));
}

void TvxEffectBmp::MorphLeftSlide(const TvxEffectBmp& b, double k) {
  if (!SameSize(b) || width_ == 0) return;
  const int W = width_;
  const int n = int(std::min<int64_t>(W, std::max<int64_t>(1, std::min<int64_t>(Nearest(W * k), W - 1))));
  for (int y = 0; y < height_; ++y) std::memcpy(ScanLine(y), b.ScanLine(y) + 3 * (W - n), size_t(3) * n);
}

void TvxEffectBmp::MorphRightSlide(const TvxEffectBmp& b, double k) {
  if (!SameSize(b) || width_ == 0) return;
  const int W = width_;
  const int n = int(std::min<int64_t>(W, std::max<int64_t>(1, std::min<int64_t>(Nearest(W * k), W - 1))));
  for (int y = 0; y < height_; ++y) std::memcpy(ScanLine(y) + 3 * (W - n), b.ScanLine(y), size_t(3) * n);
}

void TvxEffectBmp::MorphPush(const TvxEffectBmp& b, double k) {
  if (!SameSize(b) || width_ == 0) return;
  const int W = width_;
  const int n = int(std::max<int64_t>(0, std::min<int64_t>(Nearest(W * k), W - 1)));
  const size_t shift = size_t(n) + 1;
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y);
    // A moves right by n + 1, then columns 0..n take B's last n + 1 columns.
    std::memmove(d + 3 * shift, d, 3 * (size_t(W) - shift));
    std::memcpy(d, b.ScanLine(y) + 3 * (W - n - 1), 3 * shift);
  }
}

void TvxEffectBmp::MorphByKind(TvxMorphKind kind, const TvxEffectBmp& b, double k) {
  switch (kind) {
    case vxmkGradient: MorphGradient(b, k); break;
    case vxmkLeftGradient: MorphLeftGradient(b, k); break;
    case vxmkRightGradient: MorphRightGradient(b, k); break;
    case vxmkLeftSlide: MorphLeftSlide(b, k); break;
    case vxmkRightSlide: MorphRightSlide(b, k); break;
    case vxmkPush: MorphPush(b, k); break;
    case vxmkDefault:
    default: Morph(b, k); break;
  }
}

void TvxEffectBmp::Brightness(double amount) {
  amount = std::isnan(amount) ? 0 : std::clamp(amount, 0.0, 1.0);
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y);
    for (int i = 0; i < 3 * width_; ++i) d[i] = Clamp255((1 - amount) * d[i] + 255 * amount);
  }
}

void TvxEffectBmp::Darkness(double amount) {
  amount = std::isnan(amount) ? 0 : std::clamp(amount, 0.0, 1.0);
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y);
    for (int i = 0; i < 3 * width_; ++i) d[i] = Clamp255((1 - amount) * d[i]);
  }
}

void TvxEffectBmp::GrayScale() {
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y);
    for (int x = 0; x < width_; ++x) {
      uint8_t* p = d + 3 * x;
      const uint8_t g = Clamp255(0.3 * p[2] + 0.59 * p[1] + 0.11 * p[0]);
      p[0] = p[1] = p[2] = g;
    }
  }
}

void TvxEffectBmp::AddNoise(int range) {
  static std::mt19937 rng(0x5EED1234u);
  AddNoise(range, rng);
}

void TvxEffectBmp::AddNoise(int range, std::mt19937& rng) {
  if (range <= 0) return;
  std::uniform_int_distribution<int> dist(0, range - 1);
  const int half = range / 2;
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y);
    for (int x = 0; x < width_; ++x) {
      const int off = dist(rng) - half;
      for (int c = 0; c < 3; ++c) d[3 * x + c] = uint8_t(std::clamp(d[3 * x + c] + off, 0, 255));
    }
  }
}

void TvxEffectBmp::SplitBlur(int amount) {
  if (amount <= 0) return;
  // Rows and columns beyond the buffer fall back to the pixel's own row or
  // column, on every side.
  for (int i = 0; i < height_; ++i) {
    const int up = i - amount < 0 ? i : i - amount;
    const int down = i + amount >= height_ ? i : i + amount;
    uint8_t* row = ScanLine(i);
    const uint8_t* ru = ScanLine(up);
    const uint8_t* rd = ScanLine(down);
    for (int j = 0; j < width_; ++j) {
      const int l = j - amount < 0 ? j : j - amount;
      const int r = j + amount >= width_ ? j : j + amount;
      for (int c = 0; c < 3; ++c)
        row[3 * j + c] = uint8_t((ru[3 * l + c] + rd[3 * l + c] + ru[3 * r + c] + rd[3 * r + c]) >> 2);
    }
  }
}

void TvxEffectBmp::Invert() {
  for (int y = 0; y < height_; ++y) {
    uint8_t* d = ScanLine(y);
    for (int i = 0; i < 3 * width_; ++i) d[i] = uint8_t(255 - d[i]);
  }
}

void TvxEffectBmp::ApplyEffect(TvxImageEffect effect) {
  switch (effect) {
    case vxieBrightness: Brightness(0.5); break;
    case vxieDarkness: Darkness(0.3); break;
    case vxieGrayScale: GrayScale(); break;
    case vxieNoise: AddNoise(50); break;
    case vxieSplitBlur: SplitBlur(1); break;
    case vxieInvert: Invert(); break;
  }
}

}  // namespace vx
