// Mask procedures driven by the seeded generator (Pixel, Pixel fade, Pixel
// line, Stream) and the plasma. The generator is reseeded from W x H on every
// call, so every frame of a transition picks the same cells in the same order.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "effects/zt_effect_mask.h"
#include "effects/zt_effect_procs.h"

namespace vx::zt_procs {

using zt::MulDiv;
using zt::Nearest;

namespace {

bool Empty(int W, int H) { return W <= 0 || H <= 0; }

// Marks the first k distinct cells drawn by Random(n) from the seed n: the
// cells that "k times: draw until a free cell comes up, take it" takes. The
// draws come from four interleaved copies of the generator (each stepping four
// at a time) so the multiplications do not wait on each other, and the marks
// live in a bit set small enough for the cache; the cells and their order are
// those of the one-at-a-time loop.
std::vector<uint64_t> MarkRandomCells(uint32_t n, uint64_t k) {
  std::vector<uint64_t> bits((size_t(n) + 63) / 64, 0);
  if (k >= n) {
    for (uint32_t i = 0; i < n; ++i) bits[i >> 6] |= uint64_t(1) << (i & 63);
    return bits;
  }
  constexpr uint32_t a = 134775813u;
  const uint32_t a2 = a * a, a4 = a2 * a2;
  const uint32_t c4 = a * a2 + a2 + a + 1u;  // x(j + 4) = a^4 x(j) + c4
  uint32_t x0 = n * a + 1u;
  uint32_t x1 = x0 * a + 1u, x2 = x1 * a + 1u, x3 = x2 * a + 1u;
  uint64_t* const b = bits.data();
  uint64_t left = k;
  auto take = [&](uint32_t x) {
    const uint32_t i = uint32_t((uint64_t(x) * n) >> 32);
    uint64_t& word = b[i >> 6];
    const uint64_t bit = uint64_t(1) << (i & 63);
    if (!(word & bit)) {
      word |= bit;
      --left;
    }
  };
  while (true) {
    take(x0); if (left == 0) break;
    take(x1); if (left == 0) break;
    take(x2); if (left == 0) break;
    take(x3); if (left == 0) break;
    x0 = x0 * a4 + c4; x1 = x1 * a4 + c4; x2 = x2 * a4 + c4; x3 = x3 * a4 + c4;
  }
  return bits;
}

void WriteMarked(uint8_t* mask, const std::vector<uint64_t>& bits, size_t n, uint8_t v) {
  for (size_t w = 0; w < bits.size(); ++w) {
    uint64_t word = bits[w];
    while (word) {
      const size_t i = w * 64 + size_t(__builtin_ctzll(word));
      if (i < n) mask[i] = v;
      word &= word - 1;
    }
  }
}

}  // namespace

void Pixel(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const uint64_t n = uint64_t(W) * uint64_t(H);
  if (n > 0xFFFFFFFFu) return;  // cell indexes must fit the generator's range
  const int k = Nearest(double(n) * (p / 100.0));
  if (k <= 0) return;
  WriteMarked(Mask, MarkRandomCells(uint32_t(n), uint64_t(k)), n, 255);
}

void PixelFade(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const uint64_t n = uint64_t(W) * uint64_t(H);
  if (n > 0xFFFFFFFFu) return;
  const int k = Nearest(double(n) * p / 100.0);
  if (k <= 0) return;
  WriteMarked(Mask, MarkRandomCells(uint32_t(n), uint64_t(k)), n, uint8_t(Nearest(p / 100.0 * 255)));
}

void PixelLine(uint8_t* Mask, int W, int H, int p) {
  if (p == 0 || Empty(W, H)) return;
  const uint64_t n = uint64_t(W) * uint64_t(H);
  if (n > 0xFFFFFFFFu) return;
  const int k = Nearest(double(n) * p / 100.0);
  if (k <= 0) return;
  const std::vector<uint64_t> bits = MarkRandomCells(uint32_t(n), uint64_t(k));
  const int cols = std::min(W, Nearest(p / 100.0 * (2.0 * W - 1)) + 1);
  const double slope = 0.1 * W / p;
  for (int x = 0; x < cols; ++x) {
    const int g = Nearest(2.0 * p - x * slope);
    const uint8_t v = uint8_t(std::min(255, Nearest(std::max(0, g) / 100.0 * 255)));
    for (int y = 0; y < H; ++y) {
      const size_t i = size_t(x) + size_t(y) * size_t(W);
      if (bits[i >> 6] & (uint64_t(1) << (i & 63))) Mask[i] = v;
    }
  }
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
