// Mask procedures driven by the seeded generator (Pixel, Pixel fade, Pixel
// line, Stream) and the plasma. The generator is reseeded from W x H on every
// call, so every frame of a transition picks the same cells in the same order.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <emmintrin.h>

#include "effects/zt_effect_mask.h"
#include "effects/zt_effect_procs.h"

namespace vx::zt_procs {

using zt::MulDiv;
using zt::Nearest;

namespace {

bool Empty(int W, int H) { return W <= 0 || H <= 0; }

// The cells of an n-cell mask in the order in which the generator seeded with n
// first draws them: the cells that "k times: draw until a free cell comes up,
// take it" takes are exactly the first k of that order. The order is extended on
// demand and kept for the last mask size used on the thread, so the frames of a
// transition (same size, rising p) draw every cell once in all instead of once
// per frame.
class RandomOrder {
 public:
  void Prepare(uint32_t n) {
    if (n == n_ && n != 0 && order_) return;
    n_ = n;
    count_ = 0;
    recordedFrom_ = 0;
    bits_.assign((size_t(n) + 63) / 64, 0);
    // Filled as cells are found (a group of four draws may pass the last cell);
    // left uninitialised so that only the part in use is ever touched, and kept
    // when it is large enough already.
    if (capacity_ < size_t(n) + 4) {
      order_.reset();
      capacity_ = 0;
      order_.reset(new uint32_t[size_t(n) + 4]);
      capacity_ = size_t(n) + 4;
    }
    x_[0] = n * kA + 1u;
    for (int i = 1; i < 4; ++i) x_[i] = x_[i - 1] * kA + 1u;
  }

  // Draws on until at least k distinct cells are known. Four interleaved copies
  // of the generator (each stepping four at a time) ride in one SSE2 register,
  // which also makes their cell indexes, so the scalar multiplier is left out;
  // the membership bits fit the cache; no branch depends on whether a cell was
  // free. Until a few cells before k only the bits are kept: a frame needs the
  // order past its own k (the cells drawn too far, taken back), and a frame
  // that needs it before (see Covers) starts over.
  void Extend(uint64_t k) {
    constexpr uint32_t a2 = kA * kA, a4 = a2 * a2, c4 = kA * a2 + a2 + kA + 1u;  // x(j + 4) = a^4 x(j) + c4
    uint64_t* const b = bits_.data();
    uint32_t* const order = order_.get();
    uint64_t count = count_;
    const __m128i nv = _mm_set1_epi32(int(n_)), av = _mm_set1_epi32(int(a4)), cv = _mm_set1_epi32(int(c4));
    const __m128i low = _mm_set_epi32(0, -1, 0, -1), high = _mm_set_epi32(-1, 0, -1, 0);
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x_));
    alignas(16) uint32_t cells[4];
    auto take = [&](uint32_t i) {
      const uint64_t word = b[i >> 6];
      order[count] = i;
      count += ((~word) >> (i & 63)) & 1;
      b[i >> 6] = word | (uint64_t(1) << (i & 63));
    };
    auto mark = [&](uint32_t i) {
      const uint64_t word = b[i >> 6];
      count += ((~word) >> (i & 63)) & 1;
      b[i >> 6] = word | (uint64_t(1) << (i & 63));
    };
    // Cell (x n) >> 32 and the next state x a^4 + c4 of each copy; the 32-bit
    // products of lanes 0, 2 and 1, 3 are taken separately.
    auto draw4 = [&] {
      const __m128i x13 = _mm_srli_epi64(x, 32);
      const __m128i c02 = _mm_srli_epi64(_mm_mul_epu32(x, nv), 32);
      const __m128i c13 = _mm_and_si128(_mm_mul_epu32(x13, nv), high);
      _mm_store_si128(reinterpret_cast<__m128i*>(cells), _mm_or_si128(c02, c13));
      const __m128i p02 = _mm_and_si128(_mm_mul_epu32(x, av), low);
      const __m128i p13 = _mm_slli_epi64(_mm_mul_epu32(x13, av), 32);
      x = _mm_add_epi32(_mm_or_si128(p02, p13), cv);
    };
    const uint64_t start = count, quiet = k > 8 ? k - 8 : 0;  // four draws find at most four cells
    while (count < quiet) {
      draw4();
      mark(cells[0]);
      mark(cells[1]);
      mark(cells[2]);
      mark(cells[3]);
    }
    if (count != start) recordedFrom_ = count;
    while (count < k) {
      draw4();
      take(cells[0]);
      take(cells[1]);
      take(cells[2]);
      take(cells[3]);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(x_), x);
    count_ = std::min<uint64_t>(count, n_);
  }

  // Whether the order is written down where a frame of k cells reads it: its
  // first k entries when it sets them one by one (k <= Count() - k), the entries
  // from k on otherwise.
  bool Covers(uint64_t k) const { return k <= count_ - k ? recordedFrom_ == 0 : recordedFrom_ <= k; }

  const uint32_t* Order() const { return order_.get(); }
  const uint64_t* Bits() const { return bits_.data(); }
  uint64_t Count() const { return count_; }

  // Starts over at the next Prepare, keeping the memory.
  void Forget() { n_ = 0; }

 private:
  static constexpr uint32_t kA = 134775813u;
  uint32_t n_ = 0;
  uint32_t x_[4] = {};
  uint64_t count_ = 0;
  uint64_t recordedFrom_ = 0;  // order_[recordedFrom_ .. count_) holds cells
  std::vector<uint64_t> bits_;
  std::unique_ptr<uint32_t[]> order_;
  size_t capacity_ = 0;
};

// Orders of masks up to this many cells are kept between calls (about 4 bytes a cell).
constexpr uint32_t kKeptCells = 1u << 22;
thread_local RandomOrder keptOrder;

// Calls f(cell) for the first k cells of the order of an n-cell mask, k < n.
// The first k cells of the order of an n-cell mask (k < n), handed over as
// the cells drawn so far (the bit set, count of them) and those of them past k
// (order[k .. count)). A frame of a rising transition has few of the latter, so
// the bits are expanded row by row and the few extra cells taken back, instead
// of writing k scattered cells. When the memory for the order cannot be had
// the mask is left as it is (the frame shows the before image there) rather
// than failing a paint.
template <class Set, class Rows, class Unset>
void ForRandomCells(uint32_t n, uint64_t k, Set set, Rows rows, Unset unset) {
  RandomOrder local;
  RandomOrder& order = n <= kKeptCells ? keptOrder : local;
  try {
    order.Prepare(n);
  } catch (const std::bad_alloc&) {
    order = RandomOrder();
    return;
  }
  order.Extend(k);
  if (!order.Covers(k)) {  // a lower progress than before: start over
    order.Forget();
    order.Prepare(n);
    order.Extend(k);
  }
  const uint32_t* cells = order.Order();
  const uint64_t count = order.Count();
  if (k <= count - k) {
    for (uint64_t j = 0; j < k; ++j) set(cells[j]);
    return;
  }
  rows(order.Bits());
  for (uint64_t j = k; j < count; ++j) unset(cells[j]);
}

// Writes v into the first k cells of the order (all cells when k >= n); the
// mask is 0 on entry.
void MarkRandomCells(uint8_t* mask, uint32_t n, uint64_t k, uint8_t v) {
  if (k >= n) {
    std::memset(mask, v, n);
    return;
  }
  ForRandomCells(
      n, k, [&](uint32_t c) { mask[c] = v; },
      [&](const uint64_t* bits) {
        // Eight cells at a time: each byte of the bit set picks one of 256 patterns.
        uint64_t pattern[256];
        for (int b = 0; b < 256; ++b) {
          uint64_t q = 0;
          for (int j = 0; j < 8; ++j)
            if (b & (1 << j)) q |= uint64_t(v) << (8 * j);
          pattern[b] = q;
        }
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(bits);  // little-endian bit order
        const uint32_t whole = n / 8;
        for (uint32_t i = 0; i < whole; ++i) std::memcpy(mask + size_t(i) * 8, &pattern[bytes[i]], 8);
        for (uint32_t i = whole * 8; i < n; ++i) mask[i] = uint8_t(-uint8_t((bits[i >> 6] >> (i & 63)) & 1)) & v;
      },
      [&](uint32_t c) { mask[c] = 0; });
}

// n = W x H, or 0 when the cell indexes do not fit the generator's range.
uint32_t Cells(int W, int H) {
  const uint64_t n = uint64_t(W) * uint64_t(H);
  return n > 0xFFFFFFFFu ? 0 : uint32_t(n);
}

}  // namespace

void ReleaseRandomOrders() { keptOrder = RandomOrder(); }

void ForgetRandomOrders() { keptOrder.Forget(); }

void Pixel(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const uint32_t n = Cells(W, H);
  const int k = Nearest(double(n) * (p / 100.0));
  if (n == 0 || k <= 0) return;
  MarkRandomCells(Mask, n, uint64_t(k), 255);
}

void PixelFade(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const uint32_t n = Cells(W, H);
  const int k = Nearest(double(n) * p / 100.0);
  if (n == 0 || k <= 0) return;
  MarkRandomCells(Mask, n, uint64_t(k), uint8_t(Nearest(p / 100.0 * 255)));
}

void PixelLine(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const uint32_t n = Cells(W, H);
  const int k = Nearest(double(n) * p / 100.0);
  if (n == 0 || k <= 0) return;
  // Marked cells of columns 0..cols-1 take their column's value.
  const int cols = std::min(W, Nearest(p / 100.0 * (2.0 * W - 1)) + 1);
  if (cols <= 0) return;
  const double slope = 0.1 * W / p;
  std::vector<uint8_t> value(static_cast<size_t>(cols));
  for (int x = 0; x < cols; ++x) {
    const int g = Nearest(2.0 * p - x * slope);
    value[size_t(x)] = uint8_t(std::min(255, Nearest(std::max(0, g) / 100.0 * 255)));
  }
  if (uint64_t(k) >= n) {
    for (int y = 0; y < H; ++y) std::memcpy(Mask + size_t(y) * size_t(W), value.data(), size_t(cols));
    return;
  }
  const uint32_t w = uint32_t(W);
  ForRandomCells(
      n, uint64_t(k),
      [&](uint32_t c) {
        if (c % w < uint32_t(cols)) Mask[c] = value[c % w];
      },
      [&](const uint64_t* bits) {
        // Eight cells at a time where the row's cells start a byte of the bit set.
        uint64_t pattern[256];
        for (int b = 0; b < 256; ++b) {
          uint64_t q = 0;
          for (int j = 0; j < 8; ++j)
            if (b & (1 << j)) q |= uint64_t(0xFF) << (8 * j);
          pattern[b] = q;
        }
        const uint8_t* bytes = reinterpret_cast<const uint8_t*>(bits);  // little-endian bit order
        auto one = [&](size_t i, int x) {
          Mask[i] = uint8_t(-uint8_t((bits[i >> 6] >> (i & 63)) & 1)) & value[size_t(x)];
        };
        for (int y = 0; y < H; ++y) {
          const size_t row = size_t(y) * size_t(W);
          int x = 0;
          for (; x < cols && ((row + size_t(x)) & 7) != 0; ++x) one(row + size_t(x), x);
          for (; x + 8 <= cols; x += 8) {
            uint64_t v;
            std::memcpy(&v, value.data() + x, 8);
            v &= pattern[bytes[(row + size_t(x)) >> 3]];
            std::memcpy(Mask + row + size_t(x), &v, 8);
          }
          for (; x < cols; ++x) one(row + size_t(x), x);
        }
      },
      [&](uint32_t c) {
        if (c % w < uint32_t(cols)) Mask[c] = 0;
      });
}

void Stream(uint8_t* Mask, int W, int H, int p) {
  if (Empty(W, H)) return;
  zt::TztRandom rnd(uint32_t(uint64_t(W) * uint64_t(H)));
  std::vector<int> d(static_cast<size_t>(W)), e(static_cast<size_t>(W), H - 1);
  for (int x = 0; x < W; ++x) d[size_t(x)] = -int(rnd.Next(80));
  for (int j = 1; j <= 8; ++j) {
    if (W - j - 1 < j) continue;
    for (int x = j; x <= W - j - 1; ++x)
      d[size_t(x)] = (d[size_t(x) - 1] + 2 * d[size_t(x)] + d[size_t(x) + 1]) / 4;
  }
  const int steps = MulDiv(H + 79, p, 100) + 1;
  for (int s = 0; s < steps; ++s) {
    for (int x = 0; x < W; ++x) {
      int& dx = d[size_t(x)];
      int& ex = e[size_t(x)];
      if (ex < dx) {
        dx = 0;
        --ex;
      } else {
        if (dx >= 0) Mask[size_t(x) + size_t(dx) * size_t(W)] = 255;
        ++dx;
      }
    }
  }
}

namespace {

struct PlasmaTables {
  int sin[512], cos[512], palette[512];
  PlasmaTables() {
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 512; ++i) {
      sin[i] = (int(std::sin(2 * pi * i / 512) * 256) + 256) & 511;
      cos[i] = (int(std::cos(2 * pi * i / 512) * 256) + 256) & 511;
    }
    static const int C[13] = {255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    const int step = (12 * 65536) / 511;
    int q = 0, nxt = 0;
    for (int k = 0; k < 511; ++k, q += step) {
      const int i = q >> 16, cur = C[i];
      nxt = C[std::min(i + 1, 12)];
      const int wc = 65536 - (q & 65535), wn = q & 65535;
      if (wc < step - wc) palette[k] = nxt;
      else if (step - wn > wn) palette[k] = cur;
      else palette[k] = (cur * wc + nxt * wn) >> 16;
    }
    palette[511] = nxt;
  }
};

}  // namespace

void Plasma(uint8_t* Mask, int W, int H, int p) {
  if (Empty(W, H)) return;
  static const PlasmaTables t;
  const int top = MulDiv(2 * p, 255, 100);
  for (int y = 0; y < H; ++y) {
    const int a = t.sin[y & 511], b = t.cos[y & 511];
    uint8_t* row = Mask + size_t(y) * size_t(W);
    for (int x = 0; x < W; ++x) {
      const int v = top - t.palette[(t.sin[(a + x) & 511] + b) & 511];
      row[x] = uint8_t(std::clamp(v, 0, 255));
    }
  }
}

}  // namespace vx::zt_procs
