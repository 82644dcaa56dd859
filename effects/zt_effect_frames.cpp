// Displacement procedures (Interlace, Corner), frame procedures (Slide, Push,
// Blur) and the blur they use.
#include <algorithm>
#include <cstring>
#include <vector>

#include <emmintrin.h>

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
  for (int y = 0; y < H && FitsCell(y); ++y) {
    TztMoveCell* row = Table + size_t(y) * size_t(W);
    const int64_t s = (y % 2 == 0) ? shift : -shift;
    // The columns whose source x + s fits a cell.
    const int64_t from = std::max<int64_t>(0, -32768 - s), to = std::min<int64_t>(W, 32768 - s);
    for (int64_t x = from; x < to; ++x) SetCell(row[x], x + s, y);
  }
}

// The after image enters from the top-left corner: cell (x, y) shows cell
// (x + dx, y + dy), written where the cell and its source lie inside the table
// and the source fits a cell.
void Corner(TztMoveCell* Table, int W, int H, int p) {
  if (p == 0 || W <= 0 || H <= 0) return;
  const int64_t a = MulDiv(W - 1, p, 100), b = MulDiv(H - 1, p, 100);
  const int64_t dx = int64_t(W) - 1 - a, dy = int64_t(H) - 1 - b;
  const int64_t x0 = std::max<int64_t>(0, -dx), x1 = std::min<int64_t>({a, W - 1, W - 1 - dx, 32767 - dx});
  const int64_t y0 = std::max<int64_t>(0, -dy), y1 = std::min<int64_t>({b, H - 1, H - 1 - dy, 32767 - dy});
  for (int64_t y = y0; y <= y1; ++y) {
    TztMoveCell* row = Table + size_t(y) * size_t(W);
    for (int64_t x = x0; x <= x1; ++x) SetCell(row[x], x + dx, y + dy);
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

// Frame := After blurred; the blur reads the after image and writes the frame,
// without a copy in between.
void Blur(TztBitmap& Frame, TztBitmap& After, const TztEffectSettings&, int p) {
  if (p == 0) return;
  const bool alphaBlend = Frame.AlphaBlend(), transparent = Frame.Transparent();
  const int r = (100 - p) / 10;
  if (r > 0 && !After.IsEmpty() && &Frame != &After) {
    Frame.SetSize(After.Width(), After.Height());
    StackBlur(After, Frame, r);
  } else {
    Frame.Assign(After);
  }
  Frame.SetAlphaBlend(alphaBlend);
  Frame.SetTransparent(transparent);
}

// The triangle filter of radius r is two box filters of r + 1 taps:
// sum over k = -r..r of (r + 1 - |k|) v[x + k] = sum over i, j = 0..r of v[x - r + i + j].
// The colour channels ride in 16-bit lanes (a sum is at most 255 (r + 1)^2 <
// 2^16 for r <= 14, and lanes only ever take back what was added, so each lane
// ends exact whatever it wrapped through, and a 64-bit sum is the same whatever
// the order of its additions and subtractions): four lanes of one 64-bit integer
// for the running sums along a row, two pixels of an SSE2 register for the columns.
// Rows are filtered into a plane of packed B, G, R bytes, then all columns
// together with running sums kept a whole row at a time. Each sum is divided
// exactly: q = mulhi(t, 65536 div d) is floor(t / d) or one less, and the
// remainder t - q d tells which.
namespace {

inline uint64_t Lanes(uint32_t p) {
  return uint64_t(p & 0xFFu) | (uint64_t(p & 0xFF00u) << 8) | (uint64_t(p & 0xFF0000u) << 16);
}

struct LaneDivider {
  __m128i magic, div, divMinus1;
  explicit LaneDivider(int d)
      : magic(_mm_set1_epi16(int16_t(65536 / d))), div(_mm_set1_epi16(int16_t(d))), divMinus1(_mm_set1_epi16(int16_t(d - 1))) {}
  // floor(t / d) in every unsigned 16-bit lane, t <= 255 d.
  __m128i operator()(__m128i t) const {
    const __m128i q = _mm_mulhi_epu16(t, magic);
    const __m128i rem = _mm_sub_epi16(t, _mm_mullo_epi16(q, div));
    return _mm_sub_epi16(q, _mm_cmpgt_epi16(rem, divMinus1));
  }
};

}  // namespace

void StackBlur(TztBitmap& Bitmap, int r) { StackBlur(Bitmap, Bitmap, r); }

void StackBlur(const TztBitmap& Source, TztBitmap& Bitmap, int r) {
  const int W = Source.Width(), H = Source.Height();
  if (r <= 0 || W <= 0 || H <= 0 || Bitmap.Width() != W || Bitmap.Height() != H) return;
  r = std::min(r, 14);
  const int taps = r + 1;
  const LaneDivider divide(taps * taps);
  const size_t w = size_t(W);
  const size_t wp = (w + 1) & ~size_t(1);  // whole pixel pairs; the padding pixel stays 0
  const __m128i zero = _mm_setzero_si128();

  // Horizontally filtered rows, made when first asked for and kept in a ring of
  // 2r + 2 rows (the vertical pass needs rows z .. z + r + 1 at row z). Output
  // row z is written over the bitmap only after row z + r + 1 has been read.
  const int slots = 2 * r + 2;
  std::vector<uint32_t> rows(size_t(slots) * wp, 0);
  std::vector<int> tag(size_t(slots), -1);
  std::vector<uint64_t> ext(w + 2 * size_t(r)), box(w + size_t(r)), dif(w + size_t(r)), sums(wp, 0);
  auto filtered = [&](int y) -> const uint32_t* {
    y = std::clamp(y, 0, H - 1);
    uint32_t* out = rows.data() + size_t(y % slots) * wp;
    if (tag[size_t(y % slots)] == y) return out;
    tag[size_t(y % slots)] = y;
    const uint32_t* row = Source.PixelPtr(0, y);
    const uint64_t first = Lanes(row[0]), last = Lanes(row[W - 1]);
    for (int i = 0; i < r; ++i) {
      ext[size_t(i)] = first;
      ext[w + size_t(r + i)] = last;
    }
    for (size_t x = 0; x < w; ++x) ext[size_t(r) + x] = Lanes(row[x]);
    // Running sums: the differences are taken in a loop of their own, so that
    // the sum carries one addition from element to element.
    uint64_t s = 0;
    for (int j = 0; j < taps; ++j) s += ext[size_t(j)];
    for (size_t z = 1; z < w + size_t(r); ++z) dif[z] = ext[z + size_t(r)] - ext[z - 1];
    box[0] = s;
    for (size_t z = 1; z < w + size_t(r); ++z) box[z] = s += dif[z];
    uint64_t t = 0;
    for (int i = 0; i < taps; ++i) t += box[size_t(i)];
    for (size_t x = 1; x < w; ++x) dif[x] = box[x + size_t(r)] - box[x - 1];
    sums[0] = t;
    for (size_t x = 1; x < w; ++x) sums[x] = t += dif[x];
    for (size_t x = 0; x < w; x += 2) {
      const __m128i q = divide(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sums.data() + x)));
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(q, zero));
    }
    return out;
  };
  auto pair = [&](const uint32_t* row, size_t x) {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(row + x)), zero);
  };

  // Vertical pass, two pixels a step. run holds the sum of filtered rows
  // z .. z + r (box row z), ring the last r + 1 box rows, acc their sum: the
  // output row z.
  const size_t pairs = wp / 2;
  std::vector<uint64_t> runs(wp, 0), accs(wp, 0), ring(size_t(taps) * wp, 0);  // two 64-bit words a pair
  auto at = [](std::vector<uint64_t>& v, size_t k) { return reinterpret_cast<__m128i*>(v.data() + 2 * k); };
  auto load = [](const __m128i* p) { return _mm_loadu_si128(p); };
  auto store = [](__m128i* p, __m128i v) { _mm_storeu_si128(p, v); };
  for (int j = 0; j < taps; ++j) {
    const uint32_t* src = filtered(-r + j);
    for (size_t k = 0; k < pairs; ++k) store(at(runs, k), _mm_add_epi16(load(at(runs, k)), pair(src, 2 * k)));
  }
  const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
  for (int z = -r; z < H; ++z) {
    __m128i* const run = at(runs, 0);
    __m128i* const acc = at(accs, 0);
    __m128i* const slot = reinterpret_cast<__m128i*>(ring.data() + size_t((z + r) % taps) * wp);
    const uint32_t* drop = filtered(z);
    const uint32_t* add = filtered(z + 1 + r);
    // The slot still holds box row z - taps (zero during the first taps rows).
    for (size_t k = 0; k < pairs; ++k) {
      const __m128i b = load(run + k);
      store(acc + k, _mm_sub_epi16(_mm_add_epi16(load(acc + k), b), load(slot + k)));
      store(slot + k, b);
      store(run + k, _mm_sub_epi16(_mm_add_epi16(b, pair(add, 2 * k)), pair(drop, 2 * k)));
    }
    if (z >= 0) {
      uint32_t* out = Bitmap.PixelPtr(0, z);
      for (size_t k = 0; k < pairs; ++k) {
        const __m128i px = _mm_or_si128(_mm_packus_epi16(divide(load(acc + k)), zero), opaque);
        if (2 * k + 1 < w)
          _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 2 * k), px);
        else
          out[2 * k] = uint32_t(_mm_cvtsi128_si32(px));
      }
    }
  }
}

}  // namespace vx::zt_procs
