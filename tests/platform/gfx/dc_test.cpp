#include "platform/gfx/dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/pixel_core.h"

namespace vx {
namespace {

constexpr uint32_t kBg = 0xFF000000u;
constexpr uint32_t kInk = 0xFFFFFFFFu;

// A small 32-bit surface with its context, and a picture of it as text
// ('#' = kInk, '.' = kBg, '?' otherwise) for readable pixel assertions.
struct Canvas32 {
  TSurfacePtr s;
  TDCPtr dc;
  explicit Canvas32(int w, int h, uint32_t fill = kBg, TPixelFormat f = TPixelFormat::pf32bit)
      : s(TSurface::Create(w, h, f)), dc(CreateMemoryDC(s)) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) s->SetPixel(x, y, fill);
  }
  std::string Picture() const {
    std::string out;
    for (int y = 0; y < s->Height(); ++y) {
      for (int x = 0; x < s->Width(); ++x) {
        const uint32_t p = s->GetPixel(x, y);
        out += p == kInk ? '#' : p == kBg ? '.' : '?';
      }
      out += '\n';
    }
    return out;
  }
};

TEST(Surface, LayoutAndLimits) {
  const struct {
    int w;
    TPixelFormat f;
    size_t stride;
  } cases[] = {{1, TPixelFormat::pf24bit, 4}, {3, TPixelFormat::pf24bit, 12}, {5, TPixelFormat::pf24bit, 16},
               {5, TPixelFormat::pf32bit, 20}, {0, TPixelFormat::pf32bit, 0}};
  for (const auto& c : cases) {
    auto s = TSurface::Create(c.w, 2, c.f);
    EXPECT_EQ(s->Stride(), c.stride) << c.w;
    for (size_t i = 0; i < s->Stride() * 2; ++i) ASSERT_EQ(s->Bits()[i], 0);
  }
  auto s = TSurface::Create(2, 1, TPixelFormat::pf24bit);
  s->SetPixel(1, 0, 0x12345678u);
  EXPECT_EQ(s->Bits()[3], 0x78);
  EXPECT_EQ(s->Bits()[4], 0x56);
  EXPECT_EQ(s->Bits()[5], 0x34);
  EXPECT_EQ(s->GetPixel(1, 0), 0xFF345678u);
  EXPECT_THROW(TSurface::Create(-1, 4, TPixelFormat::pf32bit), EOutOfResources);
  EXPECT_THROW(TSurface::Create(40000, 4, TPixelFormat::pf32bit), EOutOfResources);
  EXPECT_THROW(TSurface::Create(30000, 30000, TPixelFormat::pf32bit), EOutOfResources);
}

TEST(DeviceContext, OriginAndClipDecideWhatIsWritten) {
  const struct {
    const char* name;
    void (*setup)(HDC);
    const char* want;
  } cases[] = {
      {"no clip", [](HDC) {},
       "######\n######\n######\n######\n"},
      {"intersect", [](HDC dc) { IntersectClipRect(dc, 1, 1, 3, 9); },
       "......\n.##...\n.##...\n.##...\n"},
      {"intersect twice", [](HDC dc) { IntersectClipRect(dc, 1, 1, 4, 9); IntersectClipRect(dc, 2, 0, 9, 3); },
       "......\n..##..\n..##..\n......\n"},
      {"exclude", [](HDC dc) { ExcludeClipRect(dc, 1, 1, 5, 3); },
       "######\n#....#\n#....#\n######\n"},
      {"viewport moves logical rects", [](HDC dc) { SetViewportOrgEx(dc, 2, 1); IntersectClipRect(dc, 0, 0, 2, 2); },
       "......\n..##..\n..##..\n......\n"},
      {"window origin is the opposite", [](HDC dc) { SetWindowOrgEx(dc, -2, -1); IntersectClipRect(dc, 0, 0, 2, 2); },
       "......\n..##..\n..##..\n......\n"},
      {"selected region is in device units", [](HDC dc) {
         SetViewportOrgEx(dc, 3, 0);
         TRegion r(TRect{0, 0, 2, 1});
         SelectClipRgn(dc, &r);
       },
       "##....\n......\n......\n......\n"},
      {"device origin and system clip", [](HDC dc) {
         dc->SetDeviceOrigin({1, 1});
         dc->SetSystemClip(TRegion(TRect{1, 1, 5, 3}));
         TRegion r(TRect{-5, -5, 50, 50});
         SelectClipRgn(dc, &r);  // cannot widen the system clip
       },
       "......\n.####.\n.####.\n......\n"},
      {"or with a region", [](HDC dc) {
         IntersectClipRect(dc, 0, 0, 1, 1);
         TRegion r(TRect{5, 3, 6, 4});
         ExtSelectClipRgn(dc, &r, RGN_OR);
       },
       "#.....\n......\n......\n.....#\n"},
      {"restore brings back clip and origin", [](HDC dc) {
         IntersectClipRect(dc, 0, 0, 3, 4);
         const int level = SaveDC(dc);
         SetViewportOrgEx(dc, 10, 10);
         IntersectClipRect(dc, 0, 0, 1, 1);
         RestoreDC(dc, level);
       },
       "###...\n###...\n###...\n###...\n"},
      {"restore of minus one", [](HDC dc) {
         SaveDC(dc);
         IntersectClipRect(dc, 0, 0, 1, 1);
         SaveDC(dc);
         IntersectClipRect(dc, 0, 0, 0, 0);
         RestoreDC(dc, -1);
       },
       "#.....\n......\n......\n......\n"},
  };
  for (const auto& c : cases) {
    Canvas32 cv(6, 4);
    c.setup(cv.dc.get());
    const TPoint o = cv.dc->SurfaceToLogical({0, 0});
    FillPixels(cv.dc.get(), TRect{o.X, o.Y, o.X + 6, o.Y + 4}, kInk);
    EXPECT_EQ(cv.Picture(), c.want) << c.name;
  }
}

TEST(DeviceContext, ClipQueriesAndFailures) {
  Canvas32 cv(10, 10);
  HDC dc = cv.dc.get();
  TRect box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (TRect{0, 0, 10, 10}));
  SetViewportOrgEx(dc, 4, 4);
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (TRect{-4, -4, 6, 6}));
  EXPECT_EQ(ExcludeClipRect(dc, 0, 0, 1, 1), COMPLEXREGION);
  EXPECT_FALSE(PtVisible(dc, 0, 0));
  EXPECT_TRUE(PtVisible(dc, 1, 0));
  EXPECT_EQ(IntersectClipRect(dc, 20, 20, 30, 30), NULLREGION);
  EXPECT_FALSE(RectVisible(dc, TRect{-4, -4, 6, 6}));
  EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
  EXPECT_FALSE(RestoreDC(dc, 1)) << "nothing saved";
  EXPECT_FALSE(RestoreDC(dc, -1));
  EXPECT_EQ(SaveDC(nullptr), 0);
  EXPECT_EQ(IntersectClipRect(nullptr, 0, 0, 1, 1), RGN_ERROR);
  SelectClipRgn(dc, nullptr);
  TRegion none;
  EXPECT_EQ(GetClipRgn(dc, none), 0);
}

TEST(DeviceContext, PixelsOutsideTheSurfaceSaySo) {
  Canvas32 cv(3, 3);
  HDC dc = cv.dc.get();
  EXPECT_EQ(SetPixel(dc, 1, 1, RGB(10, 20, 30)), RGB(10, 20, 30));
  EXPECT_EQ(cv.s->GetPixel(1, 1), 0xFF0A141Eu);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(dc, 3, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(dc, 0, 3, clRed), CLR_INVALID);

  std::vector<uint32_t> out(4 * 3, 0xDEADBEEFu);
  EXPECT_FALSE(ReadPixels(dc, TRect{1, 1, 5, 3}, out.data(), 4));
  EXPECT_EQ(out[0], 0xFF0A141Eu);
  EXPECT_EQ(out[2], 0u) << "outside the surface reads as 0";
  EXPECT_EQ(out[4], kBg);
  EXPECT_TRUE(ReadPixels(dc, TRect{0, 0, 3, 3}, out.data(), 3));
}

// Source 4 x 1 with distinct pixels, used by the blit tables.
constexpr uint32_t kSrc[4] = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFF7F007Fu};

struct Pair {
  TSurfacePtr src = TSurface::Create(4, 1, TPixelFormat::pf32bit);
  TDCPtr sdc = CreateMemoryDC(src);
  TSurfacePtr dst = TSurface::Create(8, 1, TPixelFormat::pf32bit);
  TDCPtr ddc = CreateMemoryDC(dst);
  Pair() {
    for (int x = 0; x < 4; ++x) src->SetPixel(x, 0, kSrc[x]);
    for (int x = 0; x < 8; ++x) dst->SetPixel(x, 0, 0x11111111u);
  }
  std::vector<uint32_t> Row() const {
    std::vector<uint32_t> v;
    for (int x = 0; x < 8; ++x) v.push_back(dst->GetPixel(x, 0));
    return v;
  }
};

TEST(Blit, CopyStretchAndKeyTable) {
  constexpr uint32_t O = 0x11111111u, B = kSrc[0], G = kSrc[1], R = kSrc[2], K = kSrc[3];
  const struct {
    const char* name;
    bool (*blit)(Pair&);
    std::vector<uint32_t> want;
  } cases[] = {
      {"copy", [](Pair& p) { return BitBlt(p.ddc.get(), 2, 0, 4, 1, p.sdc.get(), 0, 0, SRCCOPY); },
       {O, O, B, G, R, K, O, O}},
      {"copy past the source edge", [](Pair& p) { return BitBlt(p.ddc.get(), 0, 0, 4, 1, p.sdc.get(), 2, 0, SRCCOPY); },
       {R, K, O, O, O, O, O, O}},
      {"copy from a negative source", [](Pair& p) { return BitBlt(p.ddc.get(), 0, 0, 3, 1, p.sdc.get(), -1, 0, SRCCOPY); },
       {O, B, G, O, O, O, O, O}},
      // 4 -> 8: column x takes nearest(x * 3 / 7): 0 0.43 0.86 1.29 1.71 2.14 2.57 3.
      {"stretch up", [](Pair& p) { return StretchBlt(p.ddc.get(), 0, 0, 8, 1, p.sdc.get(), 0, 0, 4, 1, SRCCOPY); },
       {B, B, G, G, R, R, K, K}},
      // 4 -> 3: nearest(x * 3 / 2): 0, 1.5 -> 2 (halves to even), 3.
      {"stretch down", [](Pair& p) { return StretchBlt(p.ddc.get(), 0, 0, 3, 1, p.sdc.get(), 0, 0, 4, 1, SRCCOPY); },
       {B, R, K, O, O, O, O, O}},
      // A one-column destination takes the middle (0 + 4 - 1) div 2 = 1.
      {"stretch to one", [](Pair& p) { return StretchBlt(p.ddc.get(), 0, 0, 1, 1, p.sdc.get(), 0, 0, 4, 1, SRCCOPY); },
       {G, O, O, O, O, O, O, O}},
      {"key skips the key colour", [](Pair& p) {
         return TransparentBlt(p.ddc.get(), 0, 0, 4, 1, p.sdc.get(), 0, 0, 4, 1, RGB(127, 0, 127));
       },
       {B, G, R, O, O, O, O, O}},
      {"key stretched", [](Pair& p) {
         return TransparentBlt(p.ddc.get(), 0, 0, 8, 1, p.sdc.get(), 0, 0, 4, 1, RGB(0, 255, 0));
       },
       {B, B, O, O, R, R, K, K}},
      {"clipped stretch keeps the unclipped mapping", [](Pair& p) {
         IntersectClipRect(p.ddc.get(), 3, 0, 5, 1);
         return StretchBlt(p.ddc.get(), 0, 0, 8, 1, p.sdc.get(), 0, 0, 4, 1, SRCCOPY);
       },
       {O, O, O, G, R, O, O, O}},
      {"source origin", [](Pair& p) {
         SetViewportOrgEx(p.sdc.get(), -1, 0);  // logical 0 is surface column -1
         return BitBlt(p.ddc.get(), 0, 0, 3, 1, p.sdc.get(), 0, 0, SRCCOPY);
       },
       {O, B, G, O, O, O, O, O}},
  };
  for (const auto& c : cases) {
    Pair p;
    EXPECT_TRUE(c.blit(p)) << c.name;
    EXPECT_EQ(p.Row(), c.want) << c.name;
  }
}

TEST(Blit, StretchFollowsTheSharedNearestRule) {
  for (int sw : {1, 2, 3, 7, 16})
    for (int w : {1, 2, 5, 9, 31}) {
      auto src = TSurface::Create(sw, 1, TPixelFormat::pf32bit);
      auto dst = TSurface::Create(w, 1, TPixelFormat::pf32bit);
      for (int x = 0; x < sw; ++x) src->SetPixel(x, 0, 0xFF000000u | uint32_t(x));
      auto sdc = CreateMemoryDC(src), ddc = CreateMemoryDC(dst);
      ASSERT_TRUE(StretchBlt(ddc.get(), 0, 0, w, 1, sdc.get(), 0, 0, sw, 1, SRCCOPY));
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(int(dst->GetPixel(x, 0) & 0xFFFFFF), pixel::NearestSource(x, 0, w, 0, sw)) << sw << "->" << w;
    }
}

TEST(Blit, OverlappingCopyOnOneSurface) {
  Canvas32 cv(6, 1);
  for (int x = 0; x < 6; ++x) cv.s->SetPixel(x, 0, 0xFF000000u | uint32_t(x));
  ASSERT_TRUE(BitBlt(cv.dc.get(), 1, 0, 5, 1, cv.dc.get(), 0, 0, SRCCOPY));
  for (int x = 1; x < 6; ++x) EXPECT_EQ(cv.s->GetPixel(x, 0), 0xFF000000u | uint32_t(x - 1));
}

TEST(Blit, AlphaBlendTable) {
  const struct {
    const char* name;
    uint32_t src, dst;
    uint8_t sca, format;
    uint32_t want;
  } cases[] = {
      {"opaque premultiplied copies", 0xFF102030u, 0xFF405060u, 255, AC_SRC_ALPHA, 0xFF102030u},
      {"transparent premultiplied keeps", 0x00000000u, 0xFF405060u, 255, AC_SRC_ALPHA, 0xFF405060u},
      // s = 0x80 alpha, colour 0x40: d = 0x40 + div255(0xC8 * 127) = 64 + 100 = 164.
      {"half premultiplied", 0x80404040u, 0xFFC8C8C8u, 255, AC_SRC_ALPHA, 0xFFA4A4A4u},
      // constant 128 on opaque: s' = div255(0xFF*128)=128 alpha, colour div255(200*128)=100;
      // d = 100 + div255(50 * 127) = 100 + 25 = 125; alpha 128 + div255(255*127) = 255.
      {"constant alpha on premultiplied", 0xFFC8C8C8u, 0xFF323232u, 128, AC_SRC_ALPHA, 0xFF7D7D7Du},
      // no per-pixel alpha: div255(200*128 + 50*127) = div255(31950) = 125.
      {"constant alpha only", 0x00C8C8C8u, 0xFF323232u, 128, 0, 0xFF7D7D7Du},
      {"invalid premultiplied saturates", 0x10FFFFFFu, 0xFFFFFFFFu, 255, AC_SRC_ALPHA, 0xFFFFFFFFu},
      {"zero constant leaves", 0xFFFFFFFFu, 0x80102030u, 0, AC_SRC_ALPHA, 0x80102030u},
  };
  for (const auto& c : cases) {
    auto s = TSurface::Create(1, 1, TPixelFormat::pf32bit), d = TSurface::Create(1, 1, TPixelFormat::pf32bit);
    s->SetPixel(0, 0, c.src);
    d->SetPixel(0, 0, c.dst);
    auto sdc = CreateMemoryDC(s), ddc = CreateMemoryDC(d);
    BLENDFUNCTION bf;
    bf.SourceConstantAlpha = c.sca;
    bf.AlphaFormat = c.format;
    ASSERT_TRUE(AlphaBlend(ddc.get(), 0, 0, 1, 1, sdc.get(), 0, 0, 1, 1, bf));
    EXPECT_EQ(d->GetPixel(0, 0), c.want) << c.name << std::hex << " got " << d->GetPixel(0, 0);
  }
  BLENDFUNCTION bad;
  bad.BlendOp = 7;
  auto s = TSurface::Create(1, 1, TPixelFormat::pf32bit);
  auto dc = CreateMemoryDC(s);
  EXPECT_FALSE(AlphaBlend(dc.get(), 0, 0, 1, 1, dc.get(), 0, 0, 1, 1, bad));
}

// The documented formula, byte by byte.
uint32_t PremulReference(uint32_t s, uint32_t d, uint32_t sca) {
  auto near = [](uint32_t v) { return (2 * v + 255) / 510; };  // nearest integer of v / 255
  uint32_t sp = 0;
  for (int sh = 0; sh < 32; sh += 8) sp |= near(((s >> sh) & 0xFF) * sca) << sh;
  const uint32_t a = sp >> 24;
  uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8)
    out |= std::min<uint32_t>(255, ((sp >> sh) & 0xFF) + near(((d >> sh) & 0xFF) * (255 - a))) << sh;
  return out;
}

TEST(Blit, AlphaBlendWideRowsMatchTheFormula) {
  // Rows long enough for any vector path, with a ragged tail, random pixels
  // (some not validly premultiplied) and several constant alphas.
  uint32_t seed = 7;
  auto rnd = [&] { return seed = seed * 1664525u + 1013904223u; };
  for (uint32_t sca : {255u, 200u, 1u, 0u}) {
    auto s = TSurface::Create(37, 3, TPixelFormat::pf32bit), d = TSurface::Create(37, 3, TPixelFormat::pf32bit);
    std::vector<uint32_t> before;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 37; ++x) {
        uint32_t p = rnd();
        if (x % 5 == 0) p |= 0xFF000000u;
        if (x % 7 == 0) p &= 0x00FFFFFFu;
        if (x % 11 == 0) p = 0;
        s->SetPixel(x, y, p);
        d->SetPixel(x, y, rnd());
        before.push_back(d->GetPixel(x, y));
      }
    auto sdc = CreateMemoryDC(s), ddc = CreateMemoryDC(d);
    BLENDFUNCTION bf;
    bf.SourceConstantAlpha = uint8_t(sca);
    bf.AlphaFormat = AC_SRC_ALPHA;
    ASSERT_TRUE(AlphaBlend(ddc.get(), 0, 0, 37, 3, sdc.get(), 0, 0, 37, 3, bf));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(d->GetPixel(x, y), PremulReference(s->GetPixel(x, y), before[size_t(y * 37 + x)], sca))
            << std::hex << "sca " << sca << " at " << std::dec << x << "," << y;
  }
}

TEST(Blit, MixedFormatsAndBadArguments) {
  auto s24 = TSurface::Create(3, 2, TPixelFormat::pf24bit);
  auto s32 = TSurface::Create(3, 2, TPixelFormat::pf32bit);
  s24->SetPixel(2, 1, 0x00ABCDEFu);
  auto d24 = CreateMemoryDC(s24), d32 = CreateMemoryDC(s32);
  ASSERT_TRUE(BitBlt(d32.get(), 0, 0, 3, 2, d24.get(), 0, 0, SRCCOPY));
  EXPECT_EQ(s32->GetPixel(2, 1), 0xFFABCDEFu) << "24-bit reads opaque";
  s32->SetPixel(0, 0, 0x80123456u);
  ASSERT_TRUE(BitBlt(d24.get(), 1, 0, 1, 1, d32.get(), 0, 0, SRCCOPY));
  EXPECT_EQ(s24->GetPixel(1, 0), 0xFF123456u);
  // Row padding bytes stay untouched: row 0 is 9 bytes + 3 padding.
  for (int i = 9; i < 12; ++i) EXPECT_EQ(s24->Bits()[i], 0);

  EXPECT_FALSE(BitBlt(d32.get(), 0, 0, -1, 1, d24.get(), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, d24.get(), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(d32.get(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(d32.get(), 0, 0, 1, 1, d24.get(), 0, 0, 0x12345678u));
  EXPECT_FALSE(StretchBlt(d32.get(), 0, 0, 2, 2, d24.get(), 0, 0, 0, 2, SRCCOPY));
  auto empty = CreateMemoryDC();
  EXPECT_FALSE(BitBlt(empty.get(), 0, 0, 1, 1, d24.get(), 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(d32.get(), 0, 0, 1, 1, nullptr, 0, 0, WHITENESS));
  EXPECT_EQ(s32->GetPixel(0, 0), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace vx
