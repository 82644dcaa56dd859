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
// Rows are filtered into three byte planes, then the columns of the planes are
// filtered with running sums kept for a whole row at a time.
void StackBlur(TztBitmap& Bitmap, int r) {
  const int W = Bitmap.Width(), H = Bitmap.Height();
  if (r <= 0 || W <= 0 || H <= 0) return;
  const int taps = r + 1, div = taps * taps;
  std::vector<uint8_t> quot(size_t(256) * size_t(div));
  for (size_t i = 0; i < quot.size(); ++i) quot[i] = uint8_t(i / size_t(div));
  const uint8_t* const q = quot.data();

  const size_t plane = size_t(W) * size_t(H);
  std::vector<uint8_t> planes(3 * plane);
  uint8_t* const pl[3] = {planes.data(), planes.data() + plane, planes.data() + 2 * plane};

  // Horizontal pass. ext holds the row with r copies of each edge pixel on both
  // sides; box[z] = ext[z] + .. + ext[z + r].
  std::vector<int> ext(size_t(W + 2 * r)), box(size_t(W + r));
  for (int y = 0; y < H; ++y) {
    const uint32_t* row = Bitmap.PixelPtr(0, y);
    for (int c = 0; c < 3; ++c) {
      const int shift = 8 * c;
      for (int i = 0; i < W + 2 * r; ++i) ext[size_t(i)] = int((row[std::clamp(i - r, 0, W - 1)] >> shift) & 0xFF);
      int s = 0;
      for (int j = 0; j < taps; ++j) s += ext[size_t(j)];
      box[0] = s;
      for (int z = 1; z < W + r; ++z) {
        s += ext[size_t(z + r)] - ext[size_t(z - 1)];
        box[size_t(z)] = s;
      }
      int t = 0;
      for (int i = 0; i < taps; ++i) t += box[size_t(i)];
      uint8_t* out = pl[c] + size_t(y) * size_t(W);
      out[0] = q[t];
      for (int x = 1; x < W; ++x) {
        t += box[size_t(x + r)] - box[size_t(x - 1)];
        out[x] = q[t];
      }
    }
  }

  // Vertical pass over all columns at once. rowBox[z] (a ring of r + 1 rows)
  // holds the sums of plane rows z .. z + r; acc the sum of the last r + 1 of
  // those.
  const size_t w = size_t(W);
  std::vector<uint16_t> ring(size_t(taps) * 3 * w);
  std::vector<int> run(3 * w), acc(3 * w);
  auto planeRow = [&](int c, int y) { return pl[c] + size_t(std::clamp(y, 0, H - 1)) * w; };
  // run := sum of plane rows z .. z + r for z = -r.
  for (int c = 0; c < 3; ++c) {
    int* rc = run.data() + size_t(c) * w;
    std::fill(rc, rc + w, 0);
    for (int j = 0; j < taps; ++j) {
      const uint8_t* src = planeRow(c, -r + j);
      for (size_t x = 0; x < w; ++x) rc[x] += src[x];
    }
  }
  std::fill(acc.begin(), acc.end(), 0);
  // Box rows z = -r .. H - 1 + r - r; output row y uses box rows y - r .. y.
  for (int z = -r; z < H; ++z) {
    uint16_t* slot = ring.data() + size_t((z + r) % taps) * 3 * w;
    for (int c = 0; c < 3; ++c) {
      int* rc = run.data() + size_t(c) * w;
      int* ac = acc.data() + size_t(c) * w;
      uint16_t* sc = slot + size_t(c) * w;
      if (z - (-r) >= taps) {
        for (size_t x = 0; x < w; ++x) ac[x] -= sc[x];  // drop box row z - taps
      }
      for (size_t x = 0; x < w; ++x) {
        sc[x] = uint16_t(rc[x]);
        ac[x] += rc[x];
      }
      // Advance run to box row z + 1: add plane row z + 1 + r, drop plane row z.
      const uint8_t* add = planeRow(c, z + 1 + r);
      const uint8_t* drop = planeRow(c, z);
      for (size_t x = 0; x < w; ++x) rc[x] += int(add[x]) - int(drop[x]);
    }
    const int y = z;  // acc now holds box rows y - r .. y when y >= 0
    if (y >= 0) {
      uint32_t* out = Bitmap.PixelPtr(0, y);
      const int* a0 = acc.data();
      const int* a1 = acc.data() + w;
      const int* a2 = acc.data() + 2 * w;
      for (size_t x = 0; x < w; ++x)
        out[x] = 0xFF000000u | uint32_t(q[a0[x]]) | (uint32_t(q[a1[x]]) << 8) | (uint32_t(q[a2[x]]) << 16);
    }
  }
}

}  // namespace vx::zt_procs
