// TztBitmap: sizing, pixel access, the three drawing modes and their clipping.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx/dc.h"
#include "platform/gfx/surface.h"

#include "effects/zt_bitmap.h"
#include "platform/core/exceptions.h"

namespace vx {
namespace {

// A bitmap whose every pixel names its position: 0xFF00YYXX.
TztBitmap Coded(int W, int H, uint32_t alpha = 0xFF) {
  TztBitmap b(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) b.SetPixel(x, y, (alpha << 24) | uint32_t(y << 8) | uint32_t(x));
  return b;
}

TEST(ZtBitmap, SetSizeRules) {
  TztBitmap b;
  EXPECT_TRUE(b.IsEmpty());
  b.SetSize(3, -2);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  b.SetPixel(2, 1, 0x12345678u);
  b.SetSize(0, 5);  // a zero does nothing
  b.SetSize(3, 2);  // nor does the same size
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Pixel(2, 1), 0x12345678u);
  b.SetSize(4, 4);
  EXPECT_EQ(b.Pixel(2, 1), 0u);
  try {
    b.SetSize(1 << 20, 1 << 20);
    FAIL() << "2^40 pixels allocated";
  } catch (const EOutOfResources& e) {
    EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
  }
  EXPECT_EQ(b.Width(), 4);  // a failed SetSize keeps the buffer
  EXPECT_THROW(b.SetSize(-2147483647 - 1, 3), EOutOfResources);
}

TEST(ZtBitmap, SetPixelOnlyInside) {
  TztBitmap b(2, 2);
  for (const auto& [x, y] : {std::pair{2, 0}, {0, 2}, {-1, 0}, {0, -1}}) b.SetPixel(x, y, 1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(b.Pixels()[i], 0u);
  EXPECT_EQ(b.Pixel(5, 5), 0u);
}

TEST(ZtBitmap, AlphaChecks) {
  TztBitmap b(2, 1);
  b.Fill(0xFF000000u);
  b.SetPixel(1, 0, 0x00FFFFFFu);
  b.CheckAlpha();
  EXPECT_FALSE(b.AlphaBlend());  // only 0 and 255
  b.SetPixel(0, 0, 0x80000000u);
  b.CheckAlpha();
  EXPECT_TRUE(b.AlphaBlend());
  b.SetAlpha(7);
  EXPECT_EQ(b.Pixel(0, 0), 0x07000000u);
  EXPECT_EQ(b.Pixel(1, 0), 0x07FFFFFFu);
}

TEST(ZtBitmap, DrawModes) {
  TztBitmap src(3, 1), dst(3, 1);
  src.SetPixel(0, 0, 0x80C8C8C8u);
  src.SetPixel(1, 0, 0xFF7F007Fu);  // key colour
  src.SetPixel(2, 0, 0x007F007Fu);  // key colour with alpha 0
  dst.Fill(0x64646464u);
  TztBitmap copy = dst;
  src.DrawTo(copy, 0, 0);
  EXPECT_EQ(copy.Pixel(1, 0), 0xFF7F007Fu);
  TztBitmap keyed = dst;
  src.SetTransparent(true);
  src.DrawTo(keyed, 0, 0);
  EXPECT_EQ(keyed.Pixel(0, 0), 0x80C8C8C8u);
  EXPECT_EQ(keyed.Pixel(1, 0), 0x64646464u);
  EXPECT_EQ(keyed.Pixel(2, 0), 0x64646464u);
  TztBitmap blended = dst;
  src.SetAlphaBlend(true);  // takes precedence over Transparent
  src.DrawTo(blended, 0, 0);
  // (200 * 128 + 100 * 128) >> 8 = 150 per colour byte, (128 * 128 + 100 * 128) >> 8 = 114 alpha.
  EXPECT_EQ(blended.Pixel(0, 0), 0x72969696u);
  EXPECT_EQ(blended.Pixel(1, 0), 0xFF7F007Fu);  // alpha 255 copies
  EXPECT_EQ(blended.Pixel(2, 0), 0x64646464u);  // alpha 0 leaves the destination
}

TEST(ZtBitmap, DrawToClipsSourceAndDestination) {
  const TztBitmap src = Coded(4, 3);
  const struct { int x, y; TRect r; int dx, dy; uint32_t want; } cases[] = {
      {-1, -1, TRect(0, 0, 4, 3), 0, 0, 0xFF000101u},
      {2, 1, TRect(0, 0, 4, 3), 3, 2, 0xFF000101u},
      {0, 0, TRect(-2, -1, 2, 2), 2, 1, 0xFF000000u},  // source rectangle starting outside
      {1, 0, TRect(2, 1, 9, 9), 2, 1, 0xFF000203u},
  };
  for (const auto& c : cases) {
    TztBitmap dst(4, 3);
    src.DrawTo(dst, c.x, c.y, c.r);
    EXPECT_EQ(dst.Pixel(c.dx, c.dy), c.want) << c.x << "," << c.y;
  }
  TztBitmap dst(4, 3);
  src.DrawTo(dst, 100, 0);
  src.DrawTo(dst, -100, 0);
  src.DrawTo(dst, 0, 0, TRect(3, 3, 1, 1));
  for (size_t i = 0; i < dst.PixelCount(); ++i) EXPECT_EQ(dst.Pixels()[i], 0u);
}

TEST(ZtBitmap, DrawOntoItselfReadsThePixelsAsTheyWere) {
  for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {2, -1}}) {
    for (bool blend : {false, true}) {
      TztBitmap b = Coded(5, 4), want = Coded(5, 4);
      const TztBitmap copy = Coded(5, 4);
      b.SetAlphaBlend(blend);
      TztBitmap c = copy;
      c.SetAlphaBlend(blend);
      c.DrawTo(want, dx, dy);
      b.DrawTo(b, dx, dy);
      for (size_t i = 0; i < b.PixelCount(); ++i) ASSERT_EQ(b.Pixels()[i], want.Pixels()[i]) << dx << "," << dy;
    }
  }
}

TEST(ZtBitmap, StretchUsesTheSharedNearestRule) {
  const TztBitmap src = Coded(2, 1);
  TztBitmap dst(4, 1);
  src.StretchDrawTo(dst, TRect(0, 0, 4, 1), TRect(0, 0, 2, 1));
  EXPECT_EQ(dst.Pixel(0, 0) & 0xFF, 0u);
  EXPECT_EQ(dst.Pixel(1, 0) & 0xFF, 0u);
  EXPECT_EQ(dst.Pixel(2, 0) & 0xFF, 1u);
  EXPECT_EQ(dst.Pixel(3, 0) & 0xFF, 1u);
  TztBitmap one(1, 1);
  Coded(5, 3).StretchDrawTo(one, TRect(-3, -3, 9, 9), TRect(0, 0, 5, 3));  // clipped to the buffer
}

TEST(ZtBitmap, AssignCopiesPixelsAndFlags) {
  TztBitmap a = Coded(3, 2, 0x80);
  a.SetTransparent(true);
  TztBitmap b;
  b.Assign(a);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Pixel(2, 1), 0x80000102u);
  EXPECT_TRUE(b.Transparent());
  std::vector<uint32_t> raw = {1, 2, 99, 3, 0x80000004u, 99};  // rows of 2 with a spare pixel
  TztBitmap c;
  c.Assign(raw.data(), 2, 2, 3 * sizeof(uint32_t));
  EXPECT_EQ(c.Pixel(1, 1), 0x80000004u);
  EXPECT_TRUE(c.AlphaBlend());
  EXPECT_THROW(c.Assign(nullptr, 2, 2, 8), EInvalidGraphic);
}

TEST(ZtBitmapDC, ContextMapsBackToItsBuffer) {
  TztBitmap a(2, 2);
  ASSERT_NE(a.DC(), nullptr);
  EXPECT_EQ(TztBitmap::FromDC(a.DC()), &a);
  const HDC dc = a.DC();
  TztBitmap b = std::move(a);
  EXPECT_EQ(TztBitmap::FromDC(dc), &b);
  EXPECT_EQ(a.DC(), nullptr);
  {
    TztBitmap c = b;  // a copy has a context of its own
    EXPECT_NE(c.DC(), b.DC());
    EXPECT_EQ(TztBitmap::FromDC(c.DC()), &c);
  }
  b = TztBitmap();
  EXPECT_EQ(TztBitmap::FromDC(dc), nullptr);
  const TDCPtr plain = CreateMemoryDC(TSurface::Create(2, 2, TPixelFormat::pf32bit));
  EXPECT_EQ(TztBitmap::FromDC(plain.get()), nullptr);
  // Drawing through the buffer's own context changes its pixels.
  TztBitmap d(3, 3);
  FillPixels(d.DC(), TRect(1, 1, 2, 2), 0xFF123456u);
  EXPECT_EQ(d.Pixel(1, 1), 0xFF123456u);
}

TEST(ZtBitmapDC, DrawOntoContextsByFlag) {
  TztBitmap src(2, 1);
  src.SetPixel(0, 0, 0x80C8C8C8u);
  src.SetPixel(1, 0, 0x807F007Fu);  // key colour
  auto target = [] {
    TSurfacePtr s = TSurface::Create(4, 2, TPixelFormat::pf32bit);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) s->SetPixel(x, y, 0x64646464u);
    return s;
  };
  // Plain copy at (1, 1).
  TSurfacePtr s1 = target();
  TDCPtr dc1 = CreateMemoryDC(s1);
  src.Draw(dc1.get(), 1, 1);
  EXPECT_EQ(s1->GetPixel(1, 1), 0x80C8C8C8u);
  EXPECT_EQ(s1->GetPixel(2, 1), 0x807F007Fu);
  EXPECT_EQ(s1->GetPixel(0, 1), 0x64646464u);
  // Blended through a read-back, the same formula as buffer to buffer; clipped.
  TztBitmap blend = src;
  blend.SetAlphaBlend(true);
  TSurfacePtr s2 = target();
  TDCPtr dc2 = CreateMemoryDC(s2);
  IntersectClipRect(dc2.get(), 0, 0, 2, 2);
  blend.Draw(dc2.get(), 1, 0);
  EXPECT_EQ(s2->GetPixel(1, 0), 0x72969696u);
  EXPECT_EQ(s2->GetPixel(2, 0), 0x64646464u);  // outside the clip
  // Transparent onto a plain context: the key pixel is skipped, the other written.
  TztBitmap keyed = src;
  keyed.SetTransparent(true);
  TSurfacePtr s3 = target();
  TDCPtr dc3 = CreateMemoryDC(s3);
  keyed.Draw(dc3.get(), 0, 0);
  EXPECT_EQ(s3->GetPixel(1, 0), 0x64646464u);
  EXPECT_EQ(s3->GetPixel(0, 0) & 0x00FFFFFFu, 0x00C8C8C8u);
  // Onto another buffer's context: buffer to buffer (alpha kept as it is).
  TztBitmap dest(4, 2);
  dest.Fill(0x64646464u);
  keyed.Draw(dest.DC(), 0, 0);
  EXPECT_EQ(dest.Pixel(0, 0), 0x80C8C8C8u);
  EXPECT_EQ(dest.Pixel(1, 0), 0x64646464u);
  // Stretched onto a destination rectangle.
  TSurfacePtr s4 = target();
  TDCPtr dc4 = CreateMemoryDC(s4);
  src.Draw(dc4.get(), TRect(0, 0, 4, 2), TRect(0, 0, 2, 1));
  EXPECT_EQ(s4->GetPixel(0, 1), 0x80C8C8C8u);
  EXPECT_EQ(s4->GetPixel(3, 1), 0x807F007Fu);
  src.Draw(nullptr, 0, 0);  // nothing to draw on
}

TEST(ZtBitmapDC, AssignFromSurfaces) {
  TSurfacePtr s32 = TSurface::Create(2, 1, TPixelFormat::pf32bit);
  s32->SetPixel(1, 0, 0x40FF0000u);
  TztBitmap a;
  a.Assign(*s32);
  EXPECT_EQ(a.Pixel(1, 0), 0x40FF0000u);
  EXPECT_TRUE(a.AlphaBlend());
  TSurfacePtr s24 = TSurface::Create(2, 1, TPixelFormat::pf24bit);
  s24->SetPixel(0, 0, 0x00112233u);
  a.Assign(*s24);
  EXPECT_EQ(a.Pixel(0, 0), 0xFF112233u);
  EXPECT_FALSE(a.AlphaBlend());
}

}  // namespace
}  // namespace vx
