#include "platform/gfx/pixel_core.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vx::pixel {

namespace {
// One pixel of MaskBlendRow.
inline void MaskBlendOne(uint32_t* after, uint8_t m, const uint32_t* before, uint32_t* frame) {
  const uint32_t a = *after, d = *before;
  const uint32_t s = (a & 0x00FFFFFFu) | (uint32_t(IsKey(a) ? 0 : m) << 24);
  *after = s;
  *frame = Blend(s, d);
}
}  // namespace

#if defined(__SSE2__)
namespace {
// Blend of two source pixels (16-bit lanes) over two destination pixels.
// s * a + d * (256 - a) <= 255 * 256, so the sum fits an unsigned 16-bit lane.
inline __m128i BlendLanes(__m128i s16, __m128i d16) {
  __m128i a = _mm_shufflelo_epi16(s16, _MM_SHUFFLE(3, 3, 3, 3));
  a = _mm_shufflehi_epi16(a, _MM_SHUFFLE(3, 3, 3, 3));
  const __m128i na = _mm_sub_epi16(_mm_set1_epi16(256), a);
  const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(s16, a), _mm_mullo_epi16(d16, na));
  return _mm_srli_epi16(sum, 8);
}
}  // namespace

// Four pixels a step with the same integer formula as Blend: a = 0 comes out of
// the formula as d itself, a = 255 is selected from the source.
void BlendRow(uint32_t* dst, const uint32_t* src, size_t n) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i opaque = _mm_set1_epi32(255);
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i alpha = _mm_srli_epi32(s, 24);
    const int full = _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, opaque));
    if (full == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), s);
      continue;
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF) continue;
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
    const __m128i lo = BlendLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
    const __m128i hi = BlendLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
    __m128i r = _mm_packus_epi16(lo, hi);
    if (full != 0) {
      const __m128i keep = _mm_cmpeq_epi32(alpha, opaque);
      r = _mm_or_si128(_mm_and_si128(keep, s), _mm_andnot_si128(keep, r));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), r);
  }
  for (; i < n; ++i) dst[i] = Blend(src[i], dst[i]);
}

namespace {
// Four pixels of MaskBlendRow; m32 holds their mask bytes in the low byte of
// each 32-bit lane.
inline void MaskBlend4(uint32_t* after, __m128i m32, const uint32_t* before, uint32_t* frame) {
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(int(kKeyColor));
  const __m128i zero = _mm_setzero_si128();
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(after));
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(before));
  const __m128i colour = _mm_and_si128(a, rgb);
  const __m128i isKey = _mm_cmpeq_epi32(colour, key);
  const __m128i alpha = _mm_andnot_si128(isKey, m32);
  const __m128i s = _mm_or_si128(colour, _mm_slli_epi32(alpha, 24));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(after), s);
  const __m128i lo = BlendLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
  const __m128i hi = BlendLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
  const __m128i full = _mm_cmpeq_epi32(alpha, _mm_set1_epi32(255));
  const __m128i r = _mm_or_si128(_mm_and_si128(full, s), _mm_andnot_si128(full, _mm_packus_epi16(lo, hi)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(frame), r);
}
}  // namespace

// Sixteen pixels a step: a step whose sixteen mask bytes are all 0 (all 255)
// clears (sets) the alpha and copies the before (after) pixels, key pixels
// keeping the before pixel; any other step blends four pixels at a time.
void MaskBlendRow(uint32_t* after, const uint8_t* mask, const uint32_t* before, uint32_t* frame, size_t n) {
  const __m128i zero = _mm_setzero_si128(), ones = _mm_set1_epi8(-1);
  const __m128i rgb = _mm_set1_epi32(0x00FFFFFF), key = _mm_set1_epi32(int(kKeyColor));
  const __m128i opaque = _mm_set1_epi32(int(0xFF000000u));
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i m = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(m, zero)) == 0xFFFF) {
      for (size_t j = i; j < i + 16; j += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(after + j));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(before + j));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(after + j), _mm_and_si128(a, rgb));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(frame + j), d);
      }
      continue;
    }
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(m, ones)) == 0xFFFF) {
      for (size_t j = i; j < i + 16; j += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(after + j));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(before + j));
        const __m128i colour = _mm_and_si128(a, rgb);
        const __m128i isKey = _mm_cmpeq_epi32(colour, key);
        const __m128i s = _mm_or_si128(colour, _mm_andnot_si128(isKey, opaque));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(after + j), s);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(frame + j),
                         _mm_or_si128(_mm_and_si128(isKey, d), _mm_andnot_si128(isKey, s)));
      }
      continue;
    }
    const __m128i m16lo = _mm_unpacklo_epi8(m, zero), m16hi = _mm_unpackhi_epi8(m, zero);
    MaskBlend4(after + i, _mm_unpacklo_epi16(m16lo, zero), before + i, frame + i);
    MaskBlend4(after + i + 4, _mm_unpackhi_epi16(m16lo, zero), before + i + 4, frame + i + 4);
    MaskBlend4(after + i + 8, _mm_unpacklo_epi16(m16hi, zero), before + i + 8, frame + i + 8);
    MaskBlend4(after + i + 12, _mm_unpackhi_epi16(m16hi, zero), before + i + 12, frame + i + 12);
  }
  for (; i + 4 <= n; i += 4) {
    uint32_t bytes;
    std::memcpy(&bytes, mask + i, 4);
    const __m128i m16 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(bytes)), zero);
    MaskBlend4(after + i, _mm_unpacklo_epi16(m16, zero), before + i, frame + i);
  }
  for (; i < n; ++i) MaskBlendOne(after + i, mask[i], before + i, frame + i);
}

size_t VisiblePrefix(const uint32_t* p, size_t n) {
  const __m128i alpha = _mm_set1_epi32(int(0xFF000000u)), zero = _mm_setzero_si128();
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const int clear = _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(v, alpha), zero));
    if (clear != 0) return i + size_t(__builtin_ctz(unsigned(clear))) / 4;
  }
  while (i < n && (p[i] >> 24) != 0) ++i;
  return i;
}
#else
size_t VisiblePrefix(const uint32_t* p, size_t n) {
  size_t i = 0;
  while (i < n && (p[i] >> 24) != 0) ++i;
  return i;
}

void BlendRow(uint32_t* dst, const uint32_t* src, size_t n) {
  for (size_t i = 0; i < n; ++i) dst[i] = Blend(src[i], dst[i]);
}
void MaskBlendRow(uint32_t* after, const uint8_t* mask, const uint32_t* before, uint32_t* frame, size_t n) {
  for (size_t i = 0; i < n; ++i) MaskBlendOne(after + i, mask[i], before + i, frame + i);
}
#endif

void KeyRow(uint32_t* dst, const uint32_t* src, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const uint32_t s = src[i];
    if (!IsKey(s)) dst[i] = s | 0xFF000000u;
  }
}

void ClearKeyAlpha(uint32_t* p, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  // Four pixels a step: where the colour bytes equal the key, clear the alpha
  // byte; the same test as IsKey, without a branch per pixel.
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  const __m128i key = _mm_set1_epi32(int(kKeyColor));
  const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
  for (; i + 4 <= n; i += 4) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(v, colour), key);
    v = _mm_andnot_si128(_mm_and_si128(isKey, alpha), v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v);
  }
#endif
  for (; i < n; ++i)
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
