// Straightforward reference versions of the mask primitives, the noise
// procedures and the blur, written the way the rules read. The library's fast
// paths must produce exactly the same bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "effects/zt_bitmap.h"
#include "effects/zt_effect.h"
#include "effects/zt_effect_mask.h"

namespace vx::ref {

struct Mask {
  int W, H;
  std::vector<uint8_t> m;
  Mask(int w, int h) : W(w), H(h), m(size_t(w) * size_t(h), 0) {}
  void Put(long x, long y, uint8_t v) {
    if (x >= 0 && x < W && y >= 0 && y < H) m[size_t(x) + size_t(y) * size_t(W)] = v;
  }
  uint8_t At(int x, int y) const { return m[size_t(x) + size_t(y) * size_t(W)]; }

  void Line(long X1, long Y1, long X2, long Y2, uint8_t v) {
    long x = X1, y = Y1;
    Put(x, y, v);
    const long dx = std::labs(X2 - X1), dy = std::labs(Y2 - Y1), mm = std::max(dx, dy);
    long ax = 0, ay = 0;
    for (long i = 0; i <= mm; ++i) {
      bool moved = false;
      ax += dx;
      if (ax > mm) { ax -= mm; x += (X2 - X1 < 1) ? -1 : 1; moved = true; }
      ay += dy;
      if (ay > mm) { ay -= mm; y += (Y2 - Y1 < 1) ? -1 : 1; moved = true; }
      if (moved) Put(x, y, v);
    }
  }

  void Plot(long cx, long cy, long a, long b, uint8_t v) {
    for (long ap : {a, a + 1})
      for (long sx : {-1L, 1L})
        for (long sy : {-1L, 1L}) Put(cx + sx * ap, cy + sy * b, v);
    for (long bp : {b, b + 1})
      for (long sx : {-1L, 1L})
        for (long sy : {-1L, 1L}) Put(cx + sx * bp, cy + sy * a, v);
  }

  void Circle(long R, long cx, long cy, uint8_t v) {
    long x = 0, y = R, d = 3 - 2 * R;
    while (x < y) {
      Plot(cx, cy, x, y, v);
      if (d < 0) d += 4 * x + 6;
      else { d += 4 * x - 4 * y + 10; --y; }
      ++x;
    }
    if (x == y) Plot(cx, cy, x, y, v);
  }
};

// Pixel and Pixel fade: k times draw random cells until a free one comes up.
inline void RandomCells(uint8_t* mask, int W, int H, int k, uint8_t v) {
  const uint32_t n = uint32_t(W) * uint32_t(H);
  zt::TztRandom rnd(n);
  for (int i = 0; i < k; ++i) {
    uint32_t c;
    do c = rnd.Next(n);
    while (mask[c] != 0);
    mask[c] = v;
  }
}

// The triangle blur computed sum by sum.
inline void Blur(TztBitmap& b, int r) {
  const int W = b.Width(), H = b.Height(), div = (r + 1) * (r + 1);
  std::vector<uint8_t> planes(size_t(W) * size_t(H) * 3);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      for (int c = 0; c < 3; ++c) {
        int s = 0;
        for (int k = -r; k <= r; ++k)
          s += (r + 1 - std::abs(k)) * int((b.Pixel(std::clamp(x + k, 0, W - 1), y) >> (8 * c)) & 0xFF);
        planes[(size_t(y) * size_t(W) + size_t(x)) * 3 + size_t(c)] = uint8_t(s / div);
      }
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      uint32_t px = 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        int s = 0;
        for (int k = -r; k <= r; ++k)
          s += (r + 1 - std::abs(k)) * planes[(size_t(std::clamp(y + k, 0, H - 1)) * size_t(W) + size_t(x)) * 3 + size_t(c)];
        px |= uint32_t(s / div) << (8 * c);
      }
      b.SetPixel(x, y, px);
    }
}

// Displacement blocks drawn cell by cell, tile by tile, in order.
inline void ApplyTable(TztBitmap& frame, const TztBitmap& after, const std::vector<TztMoveCell>& table, int cols,
                       int rows, int R, int T) {
  const int tw = frame.Width() / T + 1, th = frame.Height() / T + 1;
  for (int ti = 0; ti < T; ++ti)
    for (int tj = 0; tj < T; ++tj)
      for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
          const TztMoveCell c = table[size_t(x + y * cols)];
          const uint32_t o = c.Opacity & 0xFF;
          if (o == 0) continue;
          for (int dy = 0; dy <= R; ++dy)
            for (int dx = 0; dx <= R; ++dx) {
              const int X = ti * tw + R * x + dx, Y = tj * th + R * y + dy;
              const int sx = R * c.SrcX + dx, sy = R * c.SrcY + dy;
              if (X >= frame.Width() || Y >= frame.Height()) continue;
              if (sx < 0 || sx >= tw || sy < 0 || sy >= th) continue;
              const int ax = ti * tw + sx, ay = tj * th + sy;
              if (ax >= after.Width() || ay >= after.Height()) continue;
              const uint32_t sp = after.Pixel(ax, ay);
              if ((sp >> 24) == 0) continue;
              if (o == 255) {
                frame.SetPixel(X, Y, sp);
              } else {
                const uint32_t a = o, s2 = (sp & 0x00FFFFFFu) | (a << 24), d = frame.Pixel(X, Y);
                uint32_t out = 0;
                for (int sh = 0; sh < 32; sh += 8)
                  out |= ((((s2 >> sh) & 0xFF) * a + ((d >> sh) & 0xFF) * (256 - a)) >> 8 & 0xFF) << sh;
                frame.SetPixel(X, Y, out);
              }
            }
        }
}

}  // namespace vx::ref
