#include "raster/vx_bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/pixel_core.h"
#include "raster/compose.h"

namespace vx {

namespace {

// The process-wide list of device contexts that belong to a TvxBitmap.
struct Registry {
  std::mutex mu;
  std::unordered_map<HDC, TvxBitmap*> map;
};
Registry& Reg() {
  static Registry* r = new Registry;  // never destroyed: bitmaps may outlive static teardown
  return *r;
}
void Enter(HDC dc, TvxBitmap* b) {
  std::lock_guard<std::mutex> lock(Reg().mu);
  Reg().map[dc] = b;
}
void Leave(HDC dc) {
  std::lock_guard<std::mutex> lock(Reg().mu);
  Reg().map.erase(dc);
}

}  // namespace

TvxBitmap* FindBitmapByDC(HDC dc) {
  if (dc == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(Reg().mu);
  auto it = Reg().map.find(dc);
  return it == Reg().map.end() ? nullptr : it->second;
}

TvxPixelView ViewOf(const TSurface* surface) {
  if (surface == nullptr || surface->IsEmpty()) return {};
  if (surface->Format() == TPixelFormat::pf32bit)
    return {surface->Row32(0), surface->Width(), surface->Height(), surface->Width(), nullptr};
  return {nullptr, surface->Width(), surface->Height(), 0, surface};
}

TvxPixelView ViewOf(const TBitmap& bitmap) { return ViewOf(bitmap.Surface().get()); }

TvxBitmap::TvxBitmap() = default;

TvxBitmap::TvxBitmap(int width, int height) { SetSize(width, height); }

TvxBitmap::~TvxBitmap() {
  if (dc_) Leave(dc_.get());
}

TvxBitmap::TvxBitmap(TvxBitmap&& other) noexcept { *this = std::move(other); }

TvxBitmap& TvxBitmap::operator=(TvxBitmap&& other) noexcept {
  if (&other == this) return *this;
  if (dc_) Leave(dc_.get());
  surface_ = std::move(other.surface_);
  dc_ = std::move(other.dc_);
  canvas_ = std::move(other.canvas_);
  if (dc_) Enter(dc_.get(), this);
  bits_ = std::exchange(other.bits_, nullptr);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  hasAlpha_ = std::exchange(other.hasAlpha_, false);
  transparent_ = std::exchange(other.transparent_, false);
  name_ = std::move(other.name_);
  return *this;
}

void TvxBitmap::Allocate(int width, int height) {
  Clear();
  TSurfacePtr s;
  try {
    s = TSurface::Create(width, height, TPixelFormat::pf32bit);
  } catch (const std::exception&) {
    throw EOutOfResources("Can't allocate the DIB handle");
  }
  if (!dc_) {
    dc_ = CreateMemoryDC();
    Enter(dc_.get(), this);
  }
  dc_->SelectSurface(s);
  surface_ = std::move(s);
  bits_ = surface_->Row32(0);
  width_ = width;
  height_ = height;
}

void TvxBitmap::SetSize(int width, int height) {
  // std::abs of INT_MIN is undefined; treat it as the largest value, which the cap refuses.
  const int w = width == INT32_MIN ? INT32_MAX : std::abs(width);
  const int h = height == INT32_MIN ? INT32_MAX : std::abs(height);
  if (w == 0 || h == 0) return;
  if (w == width_ && h == height_) return;
  Allocate(w, h);
}

void TvxBitmap::Clear() {
  if (dc_) dc_->SelectSurface(nullptr);
  surface_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void TvxBitmap::Assign(const TvxBitmap& source) {
  if (&source == this) return;
  if (source.Empty()) {
    Clear();
  } else {
    if (source.width_ != width_ || source.height_ != height_) Allocate(source.width_, source.height_);
    std::memcpy(bits_, source.bits_, static_cast<size_t>(width_) * height_ * sizeof(uint32_t));
  }
  name_ = source.name_;
  hasAlpha_ = source.hasAlpha_;
  transparent_ = source.transparent_;
}

void TvxBitmap::Assign(const TBitmap& source) {
  const TvxPixelView v = ViewOf(source);
  if (v.Empty()) {
    Clear();
    return;
  }
  if (v.Width != width_ || v.Height != height_) Allocate(v.Width, v.Height);
  CopyClipped(TargetOf(*this), 0, 0, v, BoundsRect());
  if (source.PixelFormat() == TPixelFormat::pf32bit)
    CheckAlpha();
  else
    FillAlpha(255);
}

void TvxBitmap::Assign(TGraphic& source) {
  if (auto* bmp = dynamic_cast<TBitmap*>(&source)) {
    Assign(*bmp);
    return;
  }
  if (Empty()) return;
  constexpr uint32_t kMagenta = 0xFFFF00FFu;
  TBitmap work(width_, height_, TPixelFormat::pf32bit);
  FillPixels(work.DC(), BoundsRect(), kMagenta);
  work.Canvas().StretchDraw(BoundsRect(), source);
  for (int y = 0; y < height_; ++y) {
    const uint32_t* s = work.Surface()->Row32(y);
    uint32_t* d = ScanLine(y);
    for (int x = 0; x < width_; ++x)
      if ((s[x] & 0x00FFFFFFu) != (kMagenta & 0x00FFFFFFu)) d[x] = s[x];
  }
  FillAlpha(255);
}

void TvxBitmap::AssignTo(TBitmap& dest) const {
  dest.SetPixelFormat(TPixelFormat::pf32bit);
  dest.SetSize(width_, height_);
  for (int y = 0; y < height_; ++y)
    std::memcpy(dest.Surface()->Row32(y), ScanLine(y), static_cast<size_t>(width_) * sizeof(uint32_t));
}

TCanvas& TvxBitmap::Canvas() {
  if (!dc_) {
    dc_ = CreateMemoryDC();
    Enter(dc_.get(), this);
  }
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(dc_.get());
  return *canvas_;
}

void TvxBitmap::SetPixel(int x, int y, uint32_t value) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  *PixelPtr(x, y) = value;
}

uint32_t TvxBitmap::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return *PixelPtr(x, y);
}

void TvxBitmap::FillAlpha(uint8_t a) {
  const size_t n = static_cast<size_t>(width_) * height_;
  const uint32_t alpha = uint32_t(a) << 24;
  for (size_t i = 0; i < n; ++i) bits_[i] = (bits_[i] & 0x00FFFFFFu) | alpha;
}

void TvxBitmap::CheckAlpha() {
  const size_t n = static_cast<size_t>(width_) * height_;
  hasAlpha_ = false;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t a = bits_[i] >> 24;
    if (a != 0 && a != 255) {
      hasAlpha_ = true;
      return;
    }
  }
}

void TvxBitmap::PreMultiply() {
  const size_t n = static_cast<size_t>(width_) * height_;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t p = bits_[i];
    const uint32_t a = p >> 24;
    // a * c / 255 is never exactly half-way, so adding 127 rounds to nearest.
    auto mul = [a](uint32_t c) { return (a * c + 127) / 255; };
    bits_[i] = (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
  }
}

void TvxBitmap::ClampColorsToAlpha() {
  const size_t n = static_cast<size_t>(width_) * height_;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t p = bits_[i];
    const uint32_t a = p >> 24;
    const uint32_t r = std::min((p >> 16) & 0xFF, a);
    const uint32_t g = std::min((p >> 8) & 0xFF, a);
    const uint32_t b = std::min(p & 0xFF, a);
    bits_[i] = (a << 24) | (r << 16) | (g << 8) | b;
  }
}

void TvxBitmap::SetTransparentColor(TColor color) {
  const int kr = GetRValue(color), kg = GetGValue(color), kb = GetBValue(color);
  const size_t n = static_cast<size_t>(width_) * height_;
  transparent_ = false;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t p = bits_[i];
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    if (std::abs(r - kr) < 6 && std::abs(g - kg) < 6 && std::abs(b - kb) < 6) {
      bits_[i] = pixel::kKeyColor;
      transparent_ = true;
    }
  }
}

void TvxBitmap::AlphaFromMask(const TvxBitmap& mask) {
  const int w = std::min(width_, mask.width_), h = std::min(height_, mask.height_);
  for (int y = 0; y < h; ++y) {
    uint32_t* d = ScanLine(y);
    const uint32_t* m = mask.ScanLine(y);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = m[x];
      // (R + G + B) / 3 is never half-way, so adding 1 rounds to nearest.
      const uint32_t a = (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) + 1) / 3;
      d[x] = (d[x] & 0x00FFFFFFu) | (a << 24);
    }
  }
}

void TvxBitmap::AlphaFromMaskPremultiplied(const TvxBitmap& mask) {
  AlphaFromMask(mask);
  PreMultiply();
}

void TvxBitmap::FillRect(const TRect& rect, uint32_t value) {
  const TRect r = IntersectRect(rect, BoundsRect());
  if (r.IsEmpty()) return;
  const size_t n = static_cast<size_t>(r.Width());
  if (hasAlpha_) {
    std::vector<uint32_t> row(n, value);
    for (int y = r.Top; y < r.Bottom; ++y) pixel::BlendRow(PixelPtr(r.Left, y), row.data(), n);
  } else {
    for (int y = r.Top; y < r.Bottom; ++y) std::fill_n(PixelPtr(r.Left, y), n, value);
  }
}

void TvxBitmap::DrawTo(TvxBitmap& target, int x, int y) const {
  DrawToRect(target, Bounds(x, y, width_, height_), BoundsRect());
}

void TvxBitmap::DrawToRect(TvxBitmap& target, const TRect& destRect, const TRect& srcRect) const {
  const TvxComposeMode mode = hasAlpha_      ? TvxComposeMode::Blend
                              : transparent_ ? TvxComposeMode::Key
                                             : TvxComposeMode::Copy;
  if (&target == this) {
    // Composing a bitmap onto itself reads what it writes; work from a copy.
    TvxBitmap copy;
    copy.Assign(*this);
    ComposeRect(TargetOf(target), destRect, copy.View(), srcRect, mode);
    return;
  }
  ComposeRect(TargetOf(target), destRect, View(), srcRect, mode);
}

void TvxBitmap::Draw(TCanvas& canvas, int x, int y) const { Draw(canvas.Handle(), x, y); }

void TvxBitmap::Draw(HDC dc, int x, int y) const { DrawRect(dc, Bounds(x, y, width_, height_), BoundsRect()); }

void TvxBitmap::DrawRect(HDC dc, const TRect& destRect, const TRect& srcRect) const {
  if (dc == nullptr || Empty() || destRect.IsEmpty()) return;
  if (srcRect.IsEmpty() || !BoundsRect().Contains(srcRect)) return;
  const TvxComposeMode mode = hasAlpha_      ? TvxComposeMode::Blend
                              : transparent_ ? TvxComposeMode::Key
                                             : TvxComposeMode::Copy;
  TvxBitmap* target = FindBitmapByDC(dc);
  if (target != nullptr && target != this && target->surface_ && dc->Surface() == target->surface_ &&
      !dc->St().clip && !dc->SystemClip()) {
    ComposeRect(TargetOf(*target), dc->LogicalToSurface(destRect), View(), srcRect, mode);
    return;
  }
  const int dw = destRect.Width(), dh = destRect.Height();
  const int sw = srcRect.Width(), sh = srcRect.Height();
  switch (mode) {
    case TvxComposeMode::Copy:
      StretchBlt(dc, destRect.Left, destRect.Top, dw, dh, dc_.get(), srcRect.Left, srcRect.Top, sw, sh, SRCCOPY);
      return;
    case TvxComposeMode::Key:
      TransparentBlt(dc, destRect.Left, destRect.Top, dw, dh, dc_.get(), srcRect.Left, srcRect.Top, sw, sh,
                     RGB(127, 0, 127));
      return;
    case TvxComposeMode::Blend: {
      // Only the part that can be written is read back, blended and written back.
      TRect box;
      if (GetClipBox(dc, &box) == RGN_ERROR) return;
      const TRect area = IntersectRect(destRect, box);
      if (area.IsEmpty()) return;
      TvxBitmap tmp(area.Width(), area.Height());
      ReadPixels(dc, area, tmp.Bits(), static_cast<size_t>(area.Width()));
      ComposeRect(TargetOf(tmp), destRect.Offset(-area.Left, -area.Top), View(), srcRect, mode);
      WritePixels(dc, area.Left, area.Top, area.Width(), area.Height(), tmp.Bits(), static_cast<size_t>(area.Width()));
      return;
    }
  }
}

// ---------------------------------------------------------------------------
// Stack blur: a triangular kernel of weights r + 1 - |k|, k = -r..r, summed with
// a sliding window (sum, incoming half, outgoing half) so that each pixel costs
// the same whatever the radius. Samples beyond an edge repeat the edge pixel.
// Sums are divided by (r + 1)^2 through a table of quotients while the table
// stays small, and by plain division otherwise: the quotient is the same.

namespace {

template <typename Sum>
struct Divider {
  Sum div;
  std::vector<uint8_t> table;
  explicit Divider(Sum d) : div(d) {
    const uint64_t size = uint64_t(256) * d;
    if (size <= (uint64_t(1) << 22)) {
      table.resize(size);
      for (uint64_t i = 0; i < size; ++i) table[i] = static_cast<uint8_t>(i / d);
    }
  }
  uint8_t operator()(Sum s) const { return table.empty() ? static_cast<uint8_t>(s / div) : table[s]; }
};

// One pass over `count` lines of `len` samples. Sample i of line j is at
// base + j * lineStep + i * sampleStep (in pixels); the result goes to out with
// the same layout. in and out must not overlap.
template <typename Sum>
void BlurLines(const uint32_t* in, uint32_t* out, int count, int len, ptrdiff_t lineStep, ptrdiff_t sampleStep,
               int r, const Divider<Sum>& dv) {
  const int last = len - 1;
  auto at = [&](const uint32_t* line, int i) { return line[static_cast<ptrdiff_t>(std::clamp(i, 0, last)) * sampleStep]; };
  for (int j = 0; j < count; ++j) {
    const uint32_t* src = in + j * lineStep;
    uint32_t* dst = out + j * lineStep;
    Sum sum[3] = {0, 0, 0}, sin[3] = {0, 0, 0}, sout[3] = {0, 0, 0};
    for (int k = -r; k <= r; ++k) {
      const uint32_t p = at(src, k);
      const Sum w = static_cast<Sum>(r + 1 - std::abs(k));
      for (int c = 0; c < 3; ++c) {
        const Sum v = (p >> (8 * c)) & 0xFF;
        sum[c] += v * w;
        if (k <= 0) sout[c] += v;
        else sin[c] += v;
      }
    }
    // sout = samples i - r .. i, sin = samples i + 1 .. i + r + 1.
    {
      const uint32_t p = at(src, r + 1);
      for (int c = 0; c < 3; ++c) sin[c] += (p >> (8 * c)) & 0xFF;
    }
    for (int i = 0; i < len; ++i) {
      dst[static_cast<ptrdiff_t>(i) * sampleStep] =
          0xFF000000u | (uint32_t(dv(sum[2])) << 16) | (uint32_t(dv(sum[1])) << 8) | dv(sum[0]);
      const uint32_t leave = at(src, i - r);
      const uint32_t mid = at(src, i + 1);
      const uint32_t enter = at(src, i + r + 2);
      for (int c = 0; c < 3; ++c) {
        const int sh = 8 * c;
        sum[c] += sin[c] - sout[c];
        sout[c] += ((mid >> sh) & 0xFF);
        sout[c] -= ((leave >> sh) & 0xFF);
        sin[c] += ((enter >> sh) & 0xFF);
        sin[c] -= ((mid >> sh) & 0xFF);
      }
    }
  }
}

// The vertical pass walks whole rows at once so that memory is read in order:
// per column sums live in arrays and every row update touches one row in, one
// row leaving and one row entering.
template <typename Sum>
void BlurColumns(const uint32_t* in, uint32_t* out, int w, int h, int r, const Divider<Sum>& dv) {
  const int last = h - 1;
  auto row = [&](int y) { return in + static_cast<ptrdiff_t>(std::clamp(y, 0, last)) * w; };
  const size_t n = static_cast<size_t>(w) * 3;
  std::vector<Sum> sum(n, 0), sin(n, 0), sout(n, 0);
  for (int k = -r; k <= r + 1; ++k) {
    const uint32_t* p = row(k);
    const Sum wgt = k <= r ? static_cast<Sum>(r + 1 - std::abs(k)) : 0;
    for (int x = 0; x < w; ++x) {
      for (int c = 0; c < 3; ++c) {
        const Sum v = (p[x] >> (8 * c)) & 0xFF;
        const size_t i = static_cast<size_t>(x) * 3 + c;
        sum[i] += v * wgt;
        if (k <= 0) sout[i] += v;
        else sin[i] += v;
      }
    }
  }
  for (int y = 0; y < h; ++y) {
    uint32_t* d = out + static_cast<ptrdiff_t>(y) * w;
    const uint32_t* leave = row(y - r);
    const uint32_t* mid = row(y + 1);
    const uint32_t* enter = row(y + r + 2);
    for (int x = 0; x < w; ++x) {
      Sum* s = &sum[static_cast<size_t>(x) * 3];
      Sum* si = &sin[static_cast<size_t>(x) * 3];
      Sum* so = &sout[static_cast<size_t>(x) * 3];
      d[x] = 0xFF000000u | (uint32_t(dv(s[2])) << 16) | (uint32_t(dv(s[1])) << 8) | dv(s[0]);
      for (int c = 0; c < 3; ++c) {
        const int sh = 8 * c;
        const Sum m = (mid[x] >> sh) & 0xFF;
        s[c] += si[c] - so[c];
        so[c] += m - ((leave[x] >> sh) & 0xFF);
        si[c] += ((enter[x] >> sh) & 0xFF) - m;
      }
    }
  }
}

template <typename Sum>
void StackBlurImpl(uint32_t* bits, int w, int h, int r) {
  const Divider<Sum> dv(static_cast<Sum>(r + 1) * static_cast<Sum>(r + 1));
  std::vector<uint32_t> tmp(static_cast<size_t>(w) * h);
  BlurLines<Sum>(bits, tmp.data(), h, w, w, 1, r, dv);
  BlurColumns<Sum>(tmp.data(), bits, w, h, r, dv);
}

}  // namespace

void TvxBitmap::StackBlur(int radius) {
  if (radius <= 0 || Empty()) return;
  // 255 * (r + 1)^2 must fit the sums; wider sums past that.
  if (radius < 4000)
    StackBlurImpl<uint32_t>(bits_, width_, height_, radius);
  else
    StackBlurImpl<uint64_t>(bits_, width_, height_, radius);
}

}  // namespace vx
