#include "platform/gfx/pixel_core.h"

#include <cstdint>

namespace vx::pixel {

void BlendRow(uint32_t* dst, const uint32_t* src, size_t n) {
  for (size_t i = 0; i < n; ++i) dst[i] = Blend(src[i], dst[i]);
}

void KeyRow(uint32_t* dst, const uint32_t* src, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const uint32_t s = src[i];
    if (!IsKey(s)) dst[i] = s | 0xFF000000u;
  }
}

void ClearKeyAlpha(uint32_t* p, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (IsKey(p[i])) p[i] &= 0x00FFFFFFu;
}

namespace {
// Nearest integer of num / den for num >= 0, den > 0, halves to even.
int64_t DivNearestEven(int64_t num, int64_t den) {
  int64_t q = num / den;
  const int64_t r2 = 2 * (num % den);
  if (r2 > den || (r2 == den && (q & 1))) ++q;
  return q;
}
}  // namespace

int NearestSource(int x, int destLeft, int destLen, int srcLeft, int srcLen) {
  if (destLen < 2) return int((2 * int64_t(srcLeft) + srcLen - 1) / 2);
  const int64_t num = int64_t(x - destLeft) * (srcLen - 1);
  if (num < 0) return int(srcLeft - DivNearestEven(-num, destLen - 1));
  return int(srcLeft + DivNearestEven(num, destLen - 1));
}

void NearestMap(int* map, int from, int count, int destLeft, int destLen, int srcLeft, int srcLen) {
  if (count <= 0) return;
  if (destLen < 2 || srcLen < 1 || from < destLeft) {
    for (int i = 0; i < count; ++i) map[i] = NearestSource(from + i, destLeft, destLen, srcLeft, srcLen);
    return;
  }
  // Walk num = (x - destLeft) * (srcLen - 1) as quotient and remainder of destLen - 1.
  const int64_t den = destLen - 1;
  const int64_t step = srcLen - 1;
  const int64_t stepQ = step / den, stepR = step % den;  // srcLen >= 1, so step >= 0
  const int64_t num0 = int64_t(from - destLeft) * step;
  int64_t q = num0 / den, r = num0 % den;
  for (int i = 0; i < count; ++i) {
    const int64_t r2 = 2 * r;
    const int64_t n = q + ((r2 > den || (r2 == den && (q & 1))) ? 1 : 0);
    map[i] = int(srcLeft + n);
    q += stepQ;
    r += stepR;
    if (r >= den) { r -= den; ++q; }
  }
}

}  // namespace vx::pixel
