#include "raster/compose.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gfx/pixel_core.h"

namespace vx {

namespace {

void ApplyRow(uint32_t* d, const uint32_t* s, size_t n, TvxComposeMode mode) {
  switch (mode) {
    case TvxComposeMode::Copy: std::memcpy(d, s, n * sizeof(uint32_t)); break;
    case TvxComposeMode::Blend: pixel::BlendRow(d, s, n); break;
    case TvxComposeMode::Key: pixel::KeyRow(d, s, n); break;
  }
}

}  // namespace

void ComposeRect(const TvxPixelTarget& dst, const TRect& destRect, const TvxPixelView& src,
                 const TRect& srcRect, TvxComposeMode mode) {
  if (dst.Bits == nullptr || src.Empty()) return;
  const TRect clip = IntersectRect(destRect, TRect{0, 0, dst.Width, dst.Height});
  if (clip.IsEmpty()) return;
  if (srcRect.IsEmpty() || !TRect{0, 0, src.Width, src.Height}.Contains(srcRect)) return;

  const int dw = destRect.Width(), dh = destRect.Height();
  const int sw = srcRect.Width(), sh = srcRect.Height();
  const size_t n = static_cast<size_t>(clip.Width());

  if (dw == sw && dh == sh) {
    const int sx = srcRect.Left + (clip.Left - destRect.Left);
    std::vector<uint32_t> buf(src.Bits ? 0 : n);
    for (int y = clip.Top; y < clip.Bottom; ++y) {
      const int sy = srcRect.Top + (y - destRect.Top);
      ApplyRow(dst.Row(y) + clip.Left, src.Span(sx, sy, int(n), buf.data()), n, mode);
    }
    return;
  }

  std::vector<int> xmap(n);
  pixel::NearestMap(xmap.data(), clip.Left, static_cast<int>(n), destRect.Left, dw, srcRect.Left, sw);
  // Source columns xmap[0] .. xmap[n - 1] of a row, fetched once per mapped row.
  const int x0 = std::min(xmap.front(), xmap.back()), x1 = std::max(xmap.front(), xmap.back());
  std::vector<uint32_t> row(n), buf(src.Bits ? 0 : size_t(x1 - x0 + 1));
  int lastSy = -1;
  for (int y = clip.Top; y < clip.Bottom; ++y) {
    const int sy = pixel::NearestSource(y, destRect.Top, dh, srcRect.Top, sh);
    if (sy != lastSy) {
      const uint32_t* s = src.Span(x0, sy, x1 - x0 + 1, buf.data()) - x0;
      for (size_t i = 0; i < n; ++i) row[i] = s[xmap[i]];
      lastSy = sy;
    }
    ApplyRow(dst.Row(y) + clip.Left, row.data(), n, mode);
  }
}

void CopyClipped(const TvxPixelTarget& dst, int x, int y, const TvxPixelView& src, const TRect& srcRect) {
  if (dst.Bits == nullptr || src.Empty()) return;
  // Clip the source rectangle to the source, moving the destination with it.
  TRect s = srcRect;
  int dx = x, dy = y;
  if (s.Left < 0) { dx -= s.Left; s.Left = 0; }
  if (s.Top < 0) { dy -= s.Top; s.Top = 0; }
  s.Right = std::min(s.Right, src.Width);
  s.Bottom = std::min(s.Bottom, src.Height);
  if (s.IsEmpty()) return;
  const TRect d = IntersectRect(Bounds(dx, dy, s.Width(), s.Height()), TRect{0, 0, dst.Width, dst.Height});
  if (d.IsEmpty()) return;
  const int sx = s.Left + (d.Left - dx);
  std::vector<uint32_t> buf(src.Bits ? 0 : size_t(d.Width()));
  for (int row = d.Top; row < d.Bottom; ++row) {
    const int sy = s.Top + (row - dy);
    std::memcpy(dst.Row(row) + d.Left, src.Span(sx, sy, d.Width(), buf.data()),
                static_cast<size_t>(d.Width()) * sizeof(uint32_t));
  }
}

}  // namespace vx
