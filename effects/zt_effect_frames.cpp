// Displacement procedures (Interlace, Corner), frame procedures (Slide, Push,
// Blur) and the blur they use.
#include <algorithm>
#include <cstring>
#include <vector>

#include "effects/zt_bitmap.h"
#include "effects/zt_effect_mask.h"
#include "effects/zt_effect_procs.h"

namespace vx::zt_procs {

using zt::MulDiv;

namespace {

bool FitsCell(int64_t v) { return v >= -32768 && v <= 32767; }

void SetCell(TztMoveCell& c, int64_t sx, int64_t sy) {
  c.Opacity = 255;
  c.SrcX = int16_t(sx);
  c.SrcY = int16_t(sy);
}

}  // namespace

// Rows slide in from alternate sides. A cell whose source column cannot be held
// in a table cell lies far outside the table and shows nothing either way, so
// it is left at opacity 0.
void Interlace(TztMoveCell* Table, int W, int H, int p) {
  if (p == 0 || W <= 0 || H <= 0) return;
  const int64_t shift = MulDiv(100 - p, W, 100);
  for (int y = 0; y < H; ++y) {
    TztMoveCell* row = Table + size_t(y) * size_t(W);
    const int64_t s = (y % 2 == 0) ? shift : -shift;
    for (int x = 0; x < W; ++x)
      if (FitsCell(x + s) && FitsCell(y)) SetCell(row[x], x + s, y);
  }
}

// The after image enters from the top-left corner.
void Corner(TztMoveCell* Table, int W, int H, int p) {
  if (p == 0 || W <= 0 || H <= 0) return;
  const int a = MulDiv(W - 1, p, 100), b = MulDiv(H - 1, p, 100);
  for (int y = 0; y <= b && y < H; ++y)
    for (int x = 0; x <= a && x < W; ++x) {
      const int64_t sx = int64_t(W) - 1 - a + x, sy = int64_t(H) - 1 - b + y;
      if (sx < 0 || sx >= W || sy < 0 || sy >= H || !FitsCell(sx) || !FitsCell(sy)) continue;
      SetCell(Table[size_t(x) + size_t(y) * size_t(W)], sx, sy);
    }
}

namespace {

void DrawBlended(TztBitmap& A, TztBitmap& Frame, int x, int y) {
  A.SetAlphaBlend(true);
  A.DrawTo(Frame, x, y);
}

// Frame drawn onto itself at (x, y) by its alpha, reading the frame as it was.
void ShiftFrame(TztBitmap& Frame, int x, int y) {
  const bool keep = Frame.AlphaBlend();
  Frame.SetAlphaBlend(true);
  Frame.DrawTo(Frame, x, y);
  Frame.SetAlphaBlend(keep);
}

}  // namespace

void Slide(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings& Animation, int p) {
  const int W = Frame.Width(), H = Frame.Height();
  const int a = MulDiv(W, p, 100), b = MulDiv(H, p, 100);
  switch (Animation.Rotation) {
    case krNone: DrawBlended(After, Frame, a - W, 0); break;
    case krRotate90: DrawBlended(After, Frame, 0, H - b); break;
    case krRotate180: DrawBlended(After, Frame, W - a, 0); break;
    case krRotate270: DrawBlended(After, Frame, 0, b - H); break;
  }
}

void Push(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings& Animation, int p) {
  const int W = Frame.Width(), H = Frame.Height();
  const int a = MulDiv(W, p, 100), b = MulDiv(H, p, 100);
  switch (Animation.Rotation) {
    case krNone: ShiftFrame(Frame, a, 0); DrawBlended(After, Frame, a - W, 0); break;
    case krRotate90: ShiftFrame(Frame, 0, -b); DrawBlended(After, Frame, 0, H - b); break;
    case krRotate180: ShiftFrame(Frame, -a, 0); DrawBlended(After, Frame, W - a, 0); break;
    case krRotate270: ShiftFrame(Frame, 0, b); DrawBlended(After, Frame, 0, b - H); break;
  }
}

void Blur(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings&, int p) {
  if (p == 0) return;
  const bool alphaBlend = Frame.AlphaBlend(), transparent = Frame.Transparent();
  Frame.Assign(After);
  Frame.SetAlphaBlend(alphaBlend);
  Frame.SetTransparent(transparent);
  StackBlur(Frame, (100 - p) / 10);
}

// The triangle filter of radius r is two box filters of r + 1 taps:
// sum over k = -r..r of (r + 1 - |k|) v[x + k] = sum over i, j = 0..r of v[x - r + i + j].
// The three colour channels ride in 16-bit lanes of one 64-bit integer (a sum is
// at most 255 (r + 1)^2 < 2^16 for r <= 14, and lanes only ever take back what was
// added, so they never borrow from each other). Rows are filtered into a plane
// of packed B, G, R bytes, then all columns together with running sums kept a
// whole row at a time; each sum is divided through the quotient table.
namespace {

inline uint64_t Lanes(uint32_t p) {
  return uint64_t(p & 0xFFu) | (uint64_t(p & 0xFF00u) << 8) | (uint64_t(p & 0xFF0000u) << 16);
}

inline uint32_t Divided(const uint8_t* q, uint64_t t) {
  return uint32_t(q[t & 0xFFFF]) | (uint32_t(q[(t >> 16) & 0xFFFF]) << 8) | (uint32_t(q[(t >> 32) & 0xFFFF]) << 16);
}

}  // namespace

void StackBlur(TztBitmap& Bitmap, int r) {
  const int W = Bitmap.Width(), H = Bitmap.Height();
  if (r <= 0 || W <= 0 || H <= 0) return;
  r = std::min(r, 14);
  const int taps = r + 1, div = taps * taps;
  std::vector<uint8_t> quot(size_t(256) * size_t(div));
  for (size_t i = 0; i < quot.size(); ++i) quot[i] = uint8_t(i / size_t(div));
  const uint8_t* const q = quot.data();
  const size_t w = size_t(W);

  // Horizontally filtered rows, made when first asked for and kept in a ring of
  // 2r + 2 rows (the vertical pass needs rows z .. z + r + 1 at row z). Output
  // row z is written over the bitmap only after row z + r + 1 has been read.
  const int slots = 2 * r + 2;
  std::vector<uint32_t> rows(size_t(slots) * w);
  std::vector<int> tag(size_t(slots), -1);
  std::vector<uint64_t> ext(w + 2 * size_t(r)), box(w + size_t(r));
  auto filtered = [&](int y) -> const uint32_t* {
    y = std::clamp(y, 0, H - 1);
    uint32_t* out = rows.data() + size_t(y % slots) * w;
    if (tag[size_t(y % slots)] == y) return out;
    tag[size_t(y % slots)] = y;
    const uint32_t* row = Bitmap.PixelPtr(0, y);
    const uint64_t first = Lanes(row[0]), last = Lanes(row[W - 1]);
    for (int i = 0; i < r; ++i) {
      ext[size_t(i)] = first;
      ext[w + size_t(r + i)] = last;
    }
    for (size_t x = 0; x < w; ++x) ext[size_t(r) + x] = Lanes(row[x]);
    uint64_t s = 0;
    for (int j = 0; j < taps; ++j) s += ext[size_t(j)];
    box[0] = s;
    for (size_t z = 1; z < w + size_t(r); ++z) {
      s = s + ext[z + size_t(r)] - ext[z - 1];
      box[z] = s;
    }
    uint64_t t = 0;
    for (int i = 0; i < taps; ++i) t += box[size_t(i)];
    out[0] = Divided(q, t);
    for (size_t x = 1; x < w; ++x) {
      t = t + box[x + size_t(r)] - box[x - 1];
      out[x] = Divided(q, t);
    }
    return out;
  };

  // Vertical pass. run holds the sum of filtered rows z .. z + r (box row z),
  // ring the last r + 1 box rows, acc their sum: the output row z.
  std::vector<uint64_t> run(w, 0), acc(w, 0), ring(size_t(taps) * w, 0);
  for (int j = 0; j < taps; ++j) {
    const uint32_t* src = filtered(-r + j);
    for (size_t x = 0; x < w; ++x) run[x] += Lanes(src[x]);
  }
  for (int z = -r; z < H; ++z) {
    uint64_t* slot = ring.data() + size_t((z + r) % taps) * w;
    const uint32_t* drop = filtered(z);
    const uint32_t* add = filtered(z + 1 + r);
    // The slot still holds box row z - taps (zero during the first taps rows).
    for (size_t x = 0; x < w; ++x) {
      const uint64_t b = run[x];
      acc[x] = acc[x] + b - slot[x];
      slot[x] = b;
      run[x] = b + Lanes(add[x]) - Lanes(drop[x]);
    }
    if (z >= 0) {
      uint32_t* out = Bitmap.PixelPtr(0, z);
      for (size_t x = 0; x < w; ++x) out[x] = 0xFF000000u | Divided(q, acc[x]);
    }
  }
}

}  // namespace vx::zt_procs
