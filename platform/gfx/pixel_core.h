// The pixel loops shared by every 32-bit buffer of the toolkit (the skin pixel
// buffers and the transition library's bitmap): one blend, one key test, one
// nearest-neighbour mapping. Pixels are 0xAARRGGBB values (bytes B, G, R, A).
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx::pixel {

// Colour part of the transparent key pixel: RGB(127, 0, 127).
constexpr uint32_t kKeyColor = 0x007F007Fu;

constexpr bool IsKey(uint32_t p) { return (p & 0x00FFFFFFu) == kKeyColor; }

// Blend of source s over destination d by the source's alpha a: a = 255 gives s,
// a = 0 leaves d, otherwise each of the four bytes becomes
// (s * a + d * (256 - a)) >> 8, exactly in integers.
constexpr uint32_t Blend(uint32_t s, uint32_t d) {
  const uint32_t a = s >> 24;
  if (a == 255) return s;
  if (a == 0) return d;
  const uint32_t na = 256 - a;
  // Two lanes at a time: bytes 0 and 2, then bytes 1 and 3. Each lane product
  // stays below 2^16, so the lanes never carry into each other.
  const uint32_t rb = (((s & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * na) >> 8) & 0x00FF00FFu;
  const uint32_t ag = ((((s >> 8) & 0x00FF00FFu) * a + ((d >> 8) & 0x00FF00FFu) * na)) & 0xFF00FF00u;
  return rb | ag;
}

// dst[i] = Blend(src[i], dst[i]).
void BlendRow(uint32_t* dst, const uint32_t* src, size_t n);

// Masked blend of one row: after[i] gets the alpha mask[i] (0 when its colour
// is the key, colour kept), then frame[i] = Blend(after[i], before[i]). Runs of
// mask 0 or 255 are copied instead of blended, with the same result. frame may
// be before, and before may be after (each pixel is read before it is written).
void MaskBlendRow(uint32_t* after, const uint8_t* mask, const uint32_t* before, uint32_t* frame, size_t n);

// The number of leading pixels of p[0 .. n) whose alpha is not 0.
size_t VisiblePrefix(const uint32_t* p, size_t n);

// Every source pixel that is not the key is written with alpha 255; key pixels
// leave the destination as it was.
void KeyRow(uint32_t* dst, const uint32_t* src, size_t n);

// Every pixel whose colour part is the key gets alpha 0 (colour kept).
void ClearKeyAlpha(uint32_t* p, size_t n);

// Nearest-neighbour stretch rule. For destination index x of a destination span
// [destLeft, destLeft + destLen) mapped onto the source span [srcLeft, srcLeft + srcLen):
//   destLen >= 2: srcLeft + nearest((x - destLeft) * (srcLen - 1) / (destLen - 1)),
//                 the quotient rounded to the nearest integer, halves to even;
//   destLen <  2: (2 * srcLeft + srcLen - 1) div 2, the middle of the source span.
int NearestSource(int x, int destLeft, int destLen, int srcLeft, int srcLen);

// Fills map[i] = NearestSource(from + i, destLeft, destLen, srcLeft, srcLen) for
// i in [0, count), incrementally (no division per entry).
void NearestMap(int* map, int from, int count, int destLeft, int destLen, int srcLeft, int srcLen);

}  // namespace vx::pixel
