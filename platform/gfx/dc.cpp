#include "platform/gfx/dc.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/gfx/pixel_core.h"

namespace vx {

TDeviceContext::TDeviceContext(TSurfacePtr surface) : surface_(std::move(surface)) {}
TDeviceContext::~TDeviceContext() = default;

TSurfacePtr TDeviceContext::SelectSurface(TSurfacePtr surface) {
  std::swap(surface, surface_);
  clipValid_ = false;
  return surface;
}

void TDeviceContext::SetDeviceOrigin(TPoint p) {
  deviceOrigin_ = p;
  clipValid_ = false;
}

void TDeviceContext::SetSystemClip(std::optional<TRegion> surfaceRgn) {
  systemClip_ = std::move(surfaceRgn);
  clipValid_ = false;
}

namespace {
// Surface coordinates are kept within +-2^30 so that later sums cannot overflow.
inline int32_t Clamp30(int64_t v) {
  constexpr int64_t k = int64_t(1) << 30;
  return int32_t(v < -k ? -k : v > k ? k : v);
}
}  // namespace

TPoint TDeviceContext::LogicalToSurface(TPoint p) const {
  const int64_t dx = int64_t(state_.viewportOrg.X) - state_.windowOrg.X + deviceOrigin_.X;
  const int64_t dy = int64_t(state_.viewportOrg.Y) - state_.windowOrg.Y + deviceOrigin_.Y;
  return {Clamp30(p.X + dx), Clamp30(p.Y + dy)};
}

TRect TDeviceContext::LogicalToSurface(const TRect& r) const {
  const TPoint a = LogicalToSurface(r.TopLeft()), b = LogicalToSurface(r.BottomRight());
  return {a.X, a.Y, b.X, b.Y};
}

TPoint TDeviceContext::SurfaceToLogical(TPoint p) const {
  const int64_t dx = int64_t(state_.viewportOrg.X) - state_.windowOrg.X + deviceOrigin_.X;
  const int64_t dy = int64_t(state_.viewportOrg.Y) - state_.windowOrg.Y + deviceOrigin_.Y;
  return {Clamp30(p.X - dx), Clamp30(p.Y - dy)};
}

const TRegion& TDeviceContext::EffectiveClip() const {
  if (clipValid_) return clipCache_;
  TRegion r = surface_ ? TRegion(surface_->BoundsRect()) : TRegion();
  if (systemClip_) r = r.Intersect(*systemClip_);
  if (state_.clip) r = r.Intersect(state_.clip->Offset(deviceOrigin_.X, deviceOrigin_.Y));
  clipCache_ = std::move(r);
  clipValid_ = true;
  return clipCache_;
}

int TDeviceContext::Save() {
  stack_.push_back(state_);
  return int(stack_.size());
}

bool TDeviceContext::Restore(int level) {
  const int n = int(stack_.size());
  const int target = level < 0 ? n + level + 1 : level;  // the level whose state comes back
  if (target < 1 || target > n) return false;
  state_ = std::move(stack_[size_t(target - 1)]);
  stack_.resize(size_t(target - 1));
  clipValid_ = false;
  return true;
}

TSurface* GetDCSurface(HDC dc) { return dc ? dc->Surface().get() : nullptr; }

int SaveDC(HDC dc) { return dc ? dc->Save() : 0; }
bool RestoreDC(HDC dc, int level) { return dc && dc->Restore(level); }

namespace {

bool SetPt(HDC dc, TPoint TDeviceContext::State::*m, TPoint v, TPoint* old) {
  if (!dc) return false;
  if (old) *old = dc->St().*m;
  dc->St().*m = v;
  dc->ClipChanged();
  return true;
}

// Current clip region in device coordinates, or the whole surface when none.
TRegion CurrentDeviceClip(HDC dc) {
  if (dc->St().clip) return *dc->St().clip;
  const TSurface* s = dc->Surface().get();
  if (!s) return TRegion();
  const TPoint o = dc->DeviceOrigin();
  return TRegion(s->BoundsRect().Offset(-o.X, -o.Y));
}

TRect LogicalToDevice(HDC dc, const TRect& r) {
  const auto& st = dc->St();
  const int64_t dx = int64_t(st.viewportOrg.X) - st.windowOrg.X, dy = int64_t(st.viewportOrg.Y) - st.windowOrg.Y;
  return {Clamp30(r.Left + dx), Clamp30(r.Top + dy), Clamp30(r.Right + dx), Clamp30(r.Bottom + dy)};
}

int SetClip(HDC dc, TRegion rgn) {
  dc->St().clip = std::move(rgn);
  dc->ClipChanged();
  return dc->EffectiveClip().Type();
}

}  // namespace

bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old) {
  return SetPt(dc, &TDeviceContext::State::viewportOrg, {x, y}, old);
}
bool OffsetViewportOrgEx(HDC dc, int dx, int dy, TPoint* old) {
  if (!dc) return false;
  const TPoint p = dc->St().viewportOrg;
  return SetPt(dc, &TDeviceContext::State::viewportOrg, {p.X + dx, p.Y + dy}, old);
}
bool GetViewportOrgEx(HDC dc, TPoint* p) {
  if (!dc || !p) return false;
  *p = dc->St().viewportOrg;
  return true;
}
bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old) {
  return SetPt(dc, &TDeviceContext::State::windowOrg, {x, y}, old);
}
bool OffsetWindowOrgEx(HDC dc, int dx, int dy, TPoint* old) {
  if (!dc) return false;
  const TPoint p = dc->St().windowOrg;
  return SetPt(dc, &TDeviceContext::State::windowOrg, {p.X + dx, p.Y + dy}, old);
}
bool GetWindowOrgEx(HDC dc, TPoint* p) {
  if (!dc || !p) return false;
  *p = dc->St().windowOrg;
  return true;
}

int IntersectClipRect(HDC dc, int l, int t, int r, int b) {
  if (!dc) return RGN_ERROR;
  return SetClip(dc, CurrentDeviceClip(dc).Intersect(LogicalToDevice(dc, TRect{l, t, r, b})));
}

int ExcludeClipRect(HDC dc, int l, int t, int r, int b) {
  if (!dc) return RGN_ERROR;
  return SetClip(dc, CurrentDeviceClip(dc).Subtract(TRegion(LogicalToDevice(dc, TRect{l, t, r, b}))));
}

int SelectClipRgn(HDC dc, const TRegion* rgn) {
  if (!dc) return RGN_ERROR;
  if (!rgn) {
    dc->St().clip.reset();
    dc->ClipChanged();
    return dc->EffectiveClip().Type();
  }
  return SetClip(dc, *rgn);
}

int ExtSelectClipRgn(HDC dc, const TRegion* rgn, int mode) {
  if (!dc) return RGN_ERROR;
  if (mode == RGN_COPY) return SelectClipRgn(dc, rgn);
  if (!rgn) return RGN_ERROR;
  TRegion res;
  if (CombineRgn(res, CurrentDeviceClip(dc), *rgn, mode) == RGN_ERROR) return RGN_ERROR;
  return SetClip(dc, std::move(res));
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
  if (!dc) return RGN_ERROR;
  if (dc->St().clip) {
    dc->St().clip->OffsetBy(dx, dy);
    dc->ClipChanged();
  }
  return dc->EffectiveClip().Type();
}

int GetClipRgn(HDC dc, TRegion& rgn) {
  if (!dc || !dc->St().clip) return 0;
  rgn = *dc->St().clip;
  return 1;
}

int GetClipBox(HDC dc, TRect* r) {
  if (!dc) return RGN_ERROR;
  const TRegion& c = dc->EffectiveClip();
  if (r) {
    if (c.IsEmpty()) {
      *r = TRect{};
    } else {
      const TPoint d = dc->LogicalToSurface(TPoint{0, 0});
      *r = c.Bounds().Offset(-d.X, -d.Y);
    }
  }
  return c.Type();
}

bool PtVisible(HDC dc, int x, int y) {
  return dc && dc->EffectiveClip().Contains(dc->LogicalToSurface(TPoint{x, y}));
}

bool RectVisible(HDC dc, const TRect& r) {
  return dc && dc->EffectiveClip().Intersects(dc->LogicalToSurface(r));
}

HFONT SelectFont(HDC dc, HFONT font) {
  if (!dc) return nullptr;
  std::swap(dc->St().font, font);
  return font;
}
HFONT GetCurrentFont(HDC dc) { return dc ? dc->St().font : nullptr; }
TColor SetTextColor(HDC dc, TColor c) {
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->St().textColor, c);
}
TColor GetTextColor(HDC dc) { return dc ? dc->St().textColor : CLR_INVALID; }
TColor SetBkColor(HDC dc, TColor c) {
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->St().bkColor, c);
}
TColor GetBkColor(HDC dc) { return dc ? dc->St().bkColor : CLR_INVALID; }
int SetBkMode(HDC dc, int mode) {
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->St().bkMode, mode);
}
int GetBkMode(HDC dc) { return dc ? dc->St().bkMode : 0; }

// ---------------------------------------------------------------------------
// Blits

namespace {


enum class Op { Copy, Key, Alpha, SrcInvert };

struct BlitArgs {
  Op op = Op::Copy;
  uint32_t key = 0;  // colour part of the key pixel
  BLENDFUNCTION bf;
};

// Two bytes at a time: lanes 0 and 2 (or 1 and 3 after a shift) of a pixel, each
// in 16 bits. DivLanes gives div255 of both lanes (each lane value <= 65025).
inline uint32_t DivLanes(uint32_t x) {
  x += 0x00800080u;
  return ((x + ((x >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}
// Lanes above 255 become 255.
inline uint32_t SaturateLanes(uint32_t x) {
  const uint32_t over = x & 0x01000100u;
  return (x | (over - (over >> 8))) & 0x00FF00FFu;
}
// div255(p * k) for every byte of p.
inline uint32_t ScalePixel(uint32_t p, uint32_t k) {
  return DivLanes((p & 0x00FF00FFu) * k) | (DivLanes(((p >> 8) & 0x00FF00FFu) * k) << 8);
}

void AlphaRowPremulScalar(uint32_t* d, const uint32_t* s, int n, uint32_t sca) {
  for (int i = 0; i < n; ++i) {
    uint32_t sp = s[i];
    if (sca != 255) sp = ScalePixel(sp, sca);
    const uint32_t a = sp >> 24;
    if (a == 255) { d[i] = sp; continue; }
    if (sp == 0) continue;
    const uint32_t na = 255 - a, dp = d[i];
    const uint32_t rb = SaturateLanes((sp & 0x00FF00FFu) + DivLanes((dp & 0x00FF00FFu) * na));
    const uint32_t ag = SaturateLanes(((sp >> 8) & 0x00FF00FFu) + DivLanes(((dp >> 8) & 0x00FF00FFu) * na));
    d[i] = rb | (ag << 8);
  }
}

#if defined(__SSE2__)
// div255 of eight 16-bit lanes, each <= 65025: the same rounding as Div255.
inline __m128i Div255x8(__m128i x) {
  x = _mm_add_epi16(x, _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

// Two pixels in eight 16-bit lanes: s' + div255(d * (255 - alpha(s'))).
inline __m128i OverPremul2(__m128i s16, __m128i d16) {
  const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s16, _MM_SHUFFLE(3, 3, 3, 3)), _MM_SHUFFLE(3, 3, 3, 3));
  const __m128i na = _mm_sub_epi16(_mm_set1_epi16(255), a);
  return _mm_add_epi16(s16, Div255x8(_mm_mullo_epi16(d16, na)));
}

void AlphaRowPremul(uint32_t* d, const uint32_t* s, int n, uint32_t sca) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i k = _mm_set1_epi16(int16_t(sca));
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    __m128i slo = _mm_unpacklo_epi8(sv, zero), shi = _mm_unpackhi_epi8(sv, zero);
    if (sca != 255) {
      slo = Div255x8(_mm_mullo_epi16(slo, k));
      shi = Div255x8(_mm_mullo_epi16(shi, k));
    }
    const __m128i lo = OverPremul2(slo, _mm_unpacklo_epi8(dv, zero));
    const __m128i hi = OverPremul2(shi, _mm_unpackhi_epi8(dv, zero));
    // Unsigned saturation: a lane above 255 (invalid premultiplied input) gives 255.
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_packus_epi16(lo, hi));
  }
  AlphaRowPremulScalar(d + i, s + i, n - i, sca);
}
#else
void AlphaRowPremul(uint32_t* d, const uint32_t* s, int n, uint32_t sca) { AlphaRowPremulScalar(d, s, n, sca); }
#endif

void AlphaRowConst(uint32_t* d, const uint32_t* s, int n, uint32_t sca) {
  const uint32_t na = 255 - sca;
  for (int i = 0; i < n; ++i) {
    const uint32_t sp = s[i] | 0xFF000000u, dp = d[i];
    const uint32_t rb = DivLanes((sp & 0x00FF00FFu) * sca + (dp & 0x00FF00FFu) * na);
    const uint32_t ag = DivLanes(((sp >> 8) & 0x00FF00FFu) * sca + ((dp >> 8) & 0x00FF00FFu) * na);
    d[i] = rb | (ag << 8);
  }
}

void ApplyRow(uint32_t* d, const uint32_t* s, int n, const BlitArgs& a) {
  switch (a.op) {
    case Op::Copy:
      std::memmove(d, s, size_t(n) * 4);
      break;
    case Op::SrcInvert:
      for (int i = 0; i < n; ++i) d[i] ^= (s[i] & 0x00FFFFFFu);
      break;
    case Op::Key:
      for (int i = 0; i < n; ++i)
        if ((s[i] & 0x00FFFFFFu) != a.key) d[i] = s[i] | 0xFF000000u;
      break;
    case Op::Alpha:
      if (a.bf.AlphaFormat & AC_SRC_ALPHA)
        AlphaRowPremul(d, s, n, a.bf.SourceConstantAlpha);
      else
        AlphaRowConst(d, s, n, a.bf.SourceConstantAlpha);
      break;
  }
}

// Composes source pixels onto the destination surface. The destination
// rectangle D (surface coordinates) maps to the source rectangle S (surface
// coordinates of src) by nearest neighbour (identity when the sizes agree).
bool Compose(HDC dst, const TRect& D, const TSurface& srcSurf, const TRect& S, const BlitArgs& args) {
  TSurface& ds = *dst->Surface();
  const int w = D.Width(), h = D.Height(), sw = S.Width(), sh = S.Height();
  const bool identity = w == sw && h == sh;

  // Work from a copy when the source shares the destination's pixels.
  TSurfacePtr tmp;
  const TSurface* ss = &srcSurf;
  TRect s = S;
  if (&srcSurf == &ds) {
    const TRect part = IntersectRect(S, srcSurf.BoundsRect());
    if (part.IsEmpty()) return true;
    tmp = TSurface::Create(part.Width(), part.Height(), srcSurf.Format());
    for (int y = 0; y < part.Height(); ++y)
      std::memcpy(tmp->Row(y), srcSurf.Row(part.Top + y) + size_t(part.Left) * srcSurf.BytesPerPixel(),
                  size_t(part.Width()) * srcSurf.BytesPerPixel());
    ss = tmp.get();
    s = S.Offset(-part.Left, -part.Top);
  }

  // Only the part of D inside the clip's bounds is looked at, so the maps stay
  // small whatever the size asked for.
  const TRect V = IntersectRect(D, dst->EffectiveClip().Bounds());
  if (V.IsEmpty()) return true;
  const int vw = V.Width(), vh = V.Height();
  // Source column and row of every visible destination column and row; the
  // mapping is that of the whole D.
  std::vector<int> xmap(static_cast<size_t>(vw)), ymap(static_cast<size_t>(vh));
  if (identity) {
    for (int i = 0; i < vw; ++i) xmap[size_t(i)] = s.Left + (V.Left - D.Left) + i;
    for (int i = 0; i < vh; ++i) ymap[size_t(i)] = s.Top + (V.Top - D.Top) + i;
  } else {
    pixel::NearestMap(xmap.data(), V.Left - D.Left, vw, 0, w, s.Left, sw);
    pixel::NearestMap(ymap.data(), V.Top - D.Top, vh, 0, h, s.Top, sh);
  }
  // The maps never decrease, so the columns and rows with a source inside the
  // source surface form one range each.
  auto validRange = [](const std::vector<int>& m, int limit, int& lo, int& hi) {
    lo = int(std::lower_bound(m.begin(), m.end(), 0) - m.begin());
    hi = int(std::lower_bound(m.begin(), m.end(), limit) - m.begin());
  };
  int x0, x1, y0, y1;
  validRange(xmap, ss->Width(), x0, x1);
  validRange(ymap, ss->Height(), y0, y1);
  const TRect valid = IntersectRect(TRect{V.Left + x0, V.Top + y0, V.Left + x1, V.Top + y1}, V);
  if (valid.IsEmpty()) return true;

  std::vector<uint32_t> sbuf(static_cast<size_t>(vw)), dbuf(static_cast<size_t>(vw));
  const bool ds32 = ds.Format() == TPixelFormat::pf32bit;
  for (const TRect& c : dst->EffectiveClip().Rects()) {
    if (c.Top >= valid.Bottom) break;
    const TRect r = IntersectRect(c, valid);
    if (r.IsEmpty()) continue;
    const int n = r.Width();
    const int cx = r.Left - V.Left;
    const bool contiguous = identity || sw == w;
    for (int y = r.Top; y < r.Bottom; ++y) {
      const int sy = ymap[size_t(y - V.Top)];
      // A plain copy of the same source row as the row above: copy that row.
      if (args.op == Op::Copy && y > r.Top && sy == ymap[size_t(y - 1 - V.Top)]) {
        std::memcpy(ds.Row(y) + size_t(r.Left) * ds.BytesPerPixel(), ds.Row(y - 1) + size_t(r.Left) * ds.BytesPerPixel(),
                    size_t(n) * ds.BytesPerPixel());
        continue;
      }
      const uint32_t* sp;
      if (contiguous) {
        sp = ss->ReadSpan(xmap[size_t(cx)], sy, n, sbuf.data());
      } else if (ss->Format() == TPixelFormat::pf32bit) {
        const uint32_t* row = ss->Row32(sy);
        for (int i = 0; i < n; ++i) sbuf[size_t(i)] = row[xmap[size_t(cx + i)]];
        sp = sbuf.data();
      } else {
        for (int i = 0; i < n; ++i) sbuf[size_t(i)] = ss->GetPixel(xmap[size_t(cx + i)], sy);
        sp = sbuf.data();
      }
      if (ds32) {
        ApplyRow(ds.Row32(y) + r.Left, sp, n, args);
      } else {
        const uint32_t* cur = ds.ReadSpan(r.Left, y, n, dbuf.data());
        if (cur != dbuf.data()) std::memcpy(dbuf.data(), cur, size_t(n) * 4);
        ApplyRow(dbuf.data(), sp, n, args);
        ds.WriteSpan(r.Left, y, n, dbuf.data());
      }
    }
  }
  return true;
}

bool Usable(HDC dc) { return dc && dc->Surface(); }

// Raster operations without a source.
bool FillOp(HDC dst, const TRect& logical, uint32_t rop) {
  const TRect D = dst->LogicalToSurface(logical);
  switch (rop) {
    case BLACKNESS: FillPixels(dst, logical, 0xFF000000u); return true;
    case WHITENESS: FillPixels(dst, logical, 0xFFFFFFFFu); return true;
    case DSTINVERT: InvertRect(dst, logical); return true;
    default: (void)D; return false;
  }
}

// Coordinates beyond this are refused, so that no sum of a position, a size and
// an origin can overflow.
constexpr int64_t kCoordLimit = int64_t(1) << 29;
inline bool Sane(int64_t v) { return v > -kCoordLimit && v < kCoordLimit; }

bool Blit(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, const BlitArgs& a) {
  if (!Usable(dst) || !Usable(src) || w < 0 || h < 0 || sw < 0 || sh < 0) return false;
  if (!Sane(int64_t(x) + w) || !Sane(x) || !Sane(int64_t(y) + h) || !Sane(y) || !Sane(int64_t(sx) + sw) ||
      !Sane(sx) || !Sane(int64_t(sy) + sh) || !Sane(sy))
    return false;
  if (w == 0 || h == 0) return true;
  if (sw == 0 || sh == 0) return false;
  const TRect D = dst->LogicalToSurface(TRect{x, y, x + w, y + h});
  const TRect S = src->LogicalToSurface(TRect{sx, sy, sx + sw, sy + sh});
  return Compose(dst, D, *src->Surface(), S, a);
}

}  // namespace

bool BitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, uint32_t rop) {
  if (rop == SRCCOPY || rop == SRCINVERT) {
    BlitArgs a;
    a.op = rop == SRCCOPY ? Op::Copy : Op::SrcInvert;
    return Blit(dst, x, y, w, h, src, sx, sy, w, h, a);
  }
  if (!Usable(dst) || w < 0 || h < 0) return false;
  return FillOp(dst, TRect{x, y, x + w, y + h}, rop);
}

bool StretchBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, uint32_t rop) {
  if (rop != SRCCOPY && rop != SRCINVERT) {
    if (!Usable(dst) || w < 0 || h < 0) return false;
    return FillOp(dst, TRect{x, y, x + w, y + h}, rop);
  }
  BlitArgs a;
  a.op = rop == SRCCOPY ? Op::Copy : Op::SrcInvert;
  return Blit(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

bool TransparentBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, TColor key) {
  BlitArgs a;
  a.op = Op::Key;
  a.key = ColorToPixel(key) & 0x00FFFFFFu;
  return Blit(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

bool AlphaBlend(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, BLENDFUNCTION bf) {
  if (bf.BlendOp != AC_SRC_OVER) return false;
  BlitArgs a;
  a.op = Op::Alpha;
  a.bf = bf;
  return Blit(dst, x, y, w, h, src, sx, sy, sw, sh, a);
}

// ---------------------------------------------------------------------------
// Pixels and fills

bool GetPixel32(HDC dc, int x, int y, uint32_t& px) {
  if (!Usable(dc)) return false;
  const TPoint p = dc->LogicalToSurface(TPoint{x, y});
  if (!dc->EffectiveClip().Contains(p)) return false;
  px = dc->Surface()->GetPixel(p.X, p.Y);
  return true;
}

bool SetPixel32(HDC dc, int x, int y, uint32_t px) {
  if (!Usable(dc)) return false;
  const TPoint p = dc->LogicalToSurface(TPoint{x, y});
  if (!dc->EffectiveClip().Contains(p)) return false;
  dc->Surface()->SetPixel(p.X, p.Y, px);
  return true;
}

TColor GetPixel(HDC dc, int x, int y) {
  uint32_t px;
  return GetPixel32(dc, x, y, px) ? PixelToColor(px) : CLR_INVALID;
}

TColor SetPixel(HDC dc, int x, int y, TColor c) {
  const uint32_t px = ColorToPixel(c);
  return SetPixel32(dc, x, y, px) ? PixelToColor(px) : CLR_INVALID;
}

bool ReadPixels(HDC dc, const TRect& r, uint32_t* out, size_t outStride) {
  if (!Usable(dc) || !out || r.Width() < 0 || r.Height() < 0) return false;
  const TSurface& s = *dc->Surface();
  const TRect R = dc->LogicalToSurface(r);
  bool whole = true;
  std::vector<uint32_t> buf(static_cast<size_t>(std::max(0, r.Width())));
  for (int y = R.Top; y < R.Bottom; ++y) {
    uint32_t* o = out + size_t(y - R.Top) * outStride;
    std::fill(o, o + r.Width(), 0u);
    if (y < 0 || y >= s.Height()) { whole = false; continue; }
    const int x0 = std::max(R.Left, 0), x1 = std::min(R.Right, s.Width());
    if (x0 != R.Left || x1 != R.Right) whole = false;
    if (x1 <= x0) continue;
    const uint32_t* p = s.ReadSpan(x0, y, x1 - x0, buf.data());
    std::memcpy(o + (x0 - R.Left), p, size_t(x1 - x0) * 4);
  }
  return whole;
}

bool WritePixels(HDC dc, int x, int y, int w, int h, const uint32_t* px, size_t stride) {
  if (!Usable(dc) || !px || w < 0 || h < 0) return false;
  TSurface& s = *dc->Surface();
  const TRect D = dc->LogicalToSurface(TRect{x, y, x + w, y + h});
  for (const TRect& c : dc->EffectiveClip().Rects()) {
    const TRect r = IntersectRect(c, D);
    if (r.IsEmpty()) continue;
    for (int yy = r.Top; yy < r.Bottom; ++yy)
      s.WriteSpan(r.Left, yy, r.Width(), px + size_t(yy - D.Top) * stride + (r.Left - D.Left));
  }
  return true;
}

namespace {
template <class F>
void ForEachSpan(HDC dc, const TRect& logical, F f) {
  if (!Usable(dc)) return;
  const TRect D = dc->LogicalToSurface(logical);
  if (D.IsEmpty()) return;
  for (const TRect& c : dc->EffectiveClip().Rects()) {
    if (c.Top >= D.Bottom) break;
    const TRect r = IntersectRect(c, D);
    if (r.IsEmpty()) continue;
    for (int y = r.Top; y < r.Bottom; ++y) f(*dc->Surface(), r.Left, y, r.Width());
  }
}
}  // namespace

void FillPixels(HDC dc, const TRect& r, uint32_t px) {
  std::vector<uint32_t> row;
  ForEachSpan(dc, r, [&](TSurface& s, int x, int y, int n) {
    if (s.Format() == TPixelFormat::pf32bit) {
      std::fill_n(s.Row32(y) + x, n, px);
      return;
    }
    row.assign(size_t(n), px);
    s.WriteSpan(x, y, n, row.data());
  });
}

void FillSolidRect(HDC dc, const TRect& r, TColor c) { FillPixels(dc, r, ColorToPixel(c)); }

void InvertRect(HDC dc, const TRect& r) {
  std::vector<uint32_t> row;
  ForEachSpan(dc, r, [&](TSurface& s, int x, int y, int n) {
    row.resize(size_t(n));
    const uint32_t* p = s.ReadSpan(x, y, n, row.data());
    if (p != row.data()) std::memcpy(row.data(), p, size_t(n) * 4);
    for (uint32_t& v : row) v ^= 0x00FFFFFFu;
    s.WriteSpan(x, y, n, row.data());
  });
}

void FillRgn(HDC dc, const TRegion& rgn, TColor c) {
  const uint32_t px = ColorToPixel(c);
  for (const TRect& r : rgn.Rects()) FillPixels(dc, r, px);
}

}  // namespace vx
