#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/gfx/pixel_core.h"
#include "raster/vx_bitmap.h"

namespace vx {
namespace {

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return (a << 24) | (r << 16) | (g << 8) | b; }

void Fill(TvxBitmap& b, uint32_t v) { b.FillRect(b.BoundsRect(), v); }

TEST(TvxBitmapSize, SetSizeRules) {
  struct Case {
    int w, h, ew, eh;
  } cases[] = {{-10, 5, 10, 5}, {0, 5, 3, 2}, {5, 0, 3, 2}, {3, 2, 3, 2}, {4, -4, 4, 4}};
  for (const Case& c : cases) {
    TvxBitmap b(3, 2);
    b.SetPixel(1, 1, 0x11223344);
    b.SetSize(c.w, c.h);
    EXPECT_EQ(b.Width(), c.ew) << c.w << "x" << c.h;
    EXPECT_EQ(b.Height(), c.eh) << c.w << "x" << c.h;
    // An unchanged size keeps the pixels, a new one starts from zero.
    const bool kept = c.ew == 3 && c.eh == 2;
    EXPECT_EQ(b.Pixel(1, 1), kept ? 0x11223344u : 0u);
  }
}

TEST(TvxBitmapSize, RefusedSizeLeavesEmptyBitmapAndSays) {
  TvxBitmap b(4, 4);
  try {
    b.SetSize(1 << 16, 1 << 16);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Can't allocate the DIB handle");
  }
  EXPECT_TRUE(b.Empty());
}

TEST(TvxBitmapPixels, SetPixelOutsideIsIgnored) {
  TvxBitmap b(2, 2);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) b.SetPixel(x, y, 0xFFFFFFFF);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(b.Pixel(x, y), 0u);
}

TEST(TvxBitmapPixels, AlphaOperations) {
  TvxBitmap b(3, 1);
  b.SetPixel(0, 0, Argb(128, 200, 100, 1));
  b.SetPixel(1, 0, Argb(0, 255, 255, 255));
  b.SetPixel(2, 0, Argb(255, 10, 20, 30));

  TvxBitmap p;
  p.Assign(b);
  p.PreMultiply();
  // nearest(a * c / 255): 128 * 200 / 255 = 100.39, 128 * 100 / 255 = 50.20, 128 / 255 = 0.50.
  EXPECT_EQ(p.Pixel(0, 0), Argb(128, 100, 50, 1));
  EXPECT_EQ(p.Pixel(1, 0), Argb(0, 0, 0, 0));
  EXPECT_EQ(p.Pixel(2, 0), Argb(255, 10, 20, 30));

  TvxBitmap c;
  c.Assign(b);
  c.ClampColorsToAlpha();
  EXPECT_EQ(c.Pixel(0, 0), Argb(128, 128, 100, 1));
  EXPECT_EQ(c.Pixel(1, 0), Argb(0, 0, 0, 0));

  b.CheckAlpha();
  EXPECT_TRUE(b.HasAlpha());
  b.FillAlpha(255);
  EXPECT_EQ(b.Pixel(0, 0), Argb(255, 200, 100, 1));
  b.SetPixel(1, 0, Argb(0, 1, 2, 3));
  b.CheckAlpha();
  EXPECT_FALSE(b.HasAlpha());
}

TEST(TvxBitmapPixels, SetTransparentColor) {
  TvxBitmap b(3, 1);
  b.SetPixel(0, 0, Argb(255, 250, 3, 4));
  b.SetPixel(1, 0, Argb(255, 249, 0, 0));
  b.SetPixel(2, 0, Argb(255, 255, 5, 5));
  b.SetTransparentColor(RGB(255, 0, 0));
  EXPECT_EQ(b.Pixel(0, 0), 0x007F007Fu);
  EXPECT_EQ(b.Pixel(1, 0), Argb(255, 249, 0, 0));
  EXPECT_EQ(b.Pixel(2, 0), 0x007F007Fu);
  EXPECT_TRUE(b.Transparent());
  b.SetTransparentColor(RGB(0, 0, 255));
  EXPECT_FALSE(b.Transparent());
}

TEST(TvxBitmapPixels, AlphaFromMaskReadsOnlyWhereTheMaskIs) {
  TvxBitmap b(3, 2);
  Fill(b, Argb(7, 10, 20, 30));
  TvxBitmap mask(2, 1);
  mask.SetPixel(0, 0, Argb(0, 255, 255, 254));  // (764 / 3) = 254.67 -> 255
  mask.SetPixel(1, 0, Argb(0, 1, 0, 0));        // 1 / 3 -> 0
  b.AlphaFromMask(mask);
  EXPECT_EQ(b.Pixel(0, 0), Argb(255, 10, 20, 30));
  EXPECT_EQ(b.Pixel(1, 0), Argb(0, 10, 20, 30));
  EXPECT_EQ(b.Pixel(2, 0), Argb(7, 10, 20, 30));
  EXPECT_EQ(b.Pixel(0, 1), Argb(7, 10, 20, 30));

  TvxBitmap m2(1, 1);
  m2.SetPixel(0, 0, Argb(0, 128, 128, 128));
  TvxBitmap q(1, 1);
  q.SetPixel(0, 0, Argb(0, 200, 100, 0));
  q.AlphaFromMaskPremultiplied(m2);
  EXPECT_EQ(q.Pixel(0, 0), Argb(128, 100, 50, 0));
}

TEST(TvxBitmapCompose, FillRectBlendsOnlyWithAlphaFlag) {
  TvxBitmap b(4, 3);
  Fill(b, Argb(255, 100, 100, 100));
  b.SetHasAlpha(true);
  b.FillRect(Rect(-5, 1, 2, 99), Argb(128, 200, 200, 200));
  // (200 * 128 + 100 * 128) >> 8 = 150, alpha (128 * 128 + 255 * 128) >> 8 = 191.
  EXPECT_EQ(b.Pixel(0, 1), Argb(191, 150, 150, 150));
  EXPECT_EQ(b.Pixel(1, 2), Argb(191, 150, 150, 150));
  EXPECT_EQ(b.Pixel(2, 1), Argb(255, 100, 100, 100));
  EXPECT_EQ(b.Pixel(0, 0), Argb(255, 100, 100, 100));
  b.SetHasAlpha(false);
  b.FillRect(Rect(3, 0, 10, 1), Argb(128, 1, 2, 3));
  EXPECT_EQ(b.Pixel(3, 0), Argb(128, 1, 2, 3));
}

// A source whose every pixel names its position: red = x, green = y.
TvxBitmap Coded(int w, int h, uint32_t alpha = 255) {
  TvxBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, Argb(alpha, x, y, 0x40));
  return b;
}

int SrcX(uint32_t p) { return (p >> 16) & 0xFF; }
int SrcY(uint32_t p) { return (p >> 8) & 0xFF; }

TEST(TvxBitmapCompose, CopyIsClippedToTheTarget) {
  TvxBitmap src = Coded(4, 3);
  TvxBitmap dst(5, 5);
  src.DrawTo(dst, 3, -1);
  EXPECT_EQ(dst.Pixel(2, 0), 0u);
  EXPECT_EQ(dst.Pixel(3, 0), Argb(255, 0, 1, 0x40));
  EXPECT_EQ(dst.Pixel(4, 1), Argb(255, 1, 2, 0x40));
  EXPECT_EQ(dst.Pixel(3, 2), 0u);
}

TEST(TvxBitmapCompose, SourceRectOutsideTheSourceDrawsNothing) {
  TvxBitmap src = Coded(4, 3);
  TvxBitmap dst(5, 5);
  for (TRect s : {Rect(-1, 0, 2, 2), Rect(0, 0, 5, 2), Rect(2, 2, 2, 3), Rect(3, 0, 2, 2)}) {
    src.DrawToRect(dst, Rect(0, 0, 5, 5), s);
    EXPECT_EQ(dst.Pixel(0, 0), 0u);
  }
}

TEST(TvxBitmapCompose, NearestStretchTakesTheSharedMapping) {
  struct Case {
    TRect dest, src;
  } cases[] = {
      {Rect(0, 0, 7, 5), Rect(0, 0, 4, 3)},    // enlarge
      {Rect(1, 1, 3, 3), Rect(0, 0, 4, 3)},    // shrink
      {Rect(-3, -2, 6, 4), Rect(1, 1, 4, 3)},  // clipped at the top left
      {Rect(2, 0, 3, 5), Rect(0, 0, 4, 3)},    // one column wide: the middle column
  };
  for (const Case& c : cases) {
    TvxBitmap src = Coded(4, 3);
    TvxBitmap dst(6, 5);
    src.DrawToRect(dst, c.dest, c.src);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        const uint32_t p = dst.Pixel(x, y);
        if (!c.dest.Contains(Point(x, y))) {
          EXPECT_EQ(p, 0u);
          continue;
        }
        EXPECT_EQ(SrcX(p), pixel::NearestSource(x, c.dest.Left, c.dest.Width(), c.src.Left, c.src.Width()));
        EXPECT_EQ(SrcY(p), pixel::NearestSource(y, c.dest.Top, c.dest.Height(), c.src.Top, c.src.Height()));
      }
  }
}

TEST(TvxBitmapCompose, BlendAndKeyModes) {
  TvxBitmap dst(3, 1);
  Fill(dst, Argb(255, 100, 100, 100));
  TvxBitmap src(3, 1);
  src.SetPixel(0, 0, Argb(128, 200, 200, 200));
  src.SetPixel(1, 0, Argb(0, 9, 9, 9));
  src.SetPixel(2, 0, Argb(255, 1, 2, 3));
  src.SetHasAlpha(true);
  src.DrawTo(dst, 0, 0);
  EXPECT_EQ(dst.Pixel(0, 0), Argb(191, 150, 150, 150));
  EXPECT_EQ(dst.Pixel(1, 0), Argb(255, 100, 100, 100));
  EXPECT_EQ(dst.Pixel(2, 0), Argb(255, 1, 2, 3));

  TvxBitmap keyed(2, 1);
  keyed.SetPixel(0, 0, 0x127F007F);
  keyed.SetPixel(1, 0, Argb(0, 5, 6, 7));
  keyed.SetTransparent(true);
  TvxBitmap d2(4, 1);
  Fill(d2, Argb(9, 1, 1, 1));
  // Stretched 2 -> 4: columns 0, 1 from the key pixel, 2, 3 from the colour.
  keyed.DrawToRect(d2, Rect(0, 0, 4, 1), Rect(0, 0, 2, 1));
  EXPECT_EQ(d2.Pixel(0, 0), Argb(9, 1, 1, 1));
  EXPECT_EQ(d2.Pixel(1, 0), Argb(9, 1, 1, 1));
  EXPECT_EQ(d2.Pixel(2, 0), Argb(255, 5, 6, 7));
  EXPECT_EQ(d2.Pixel(3, 0), Argb(255, 5, 6, 7));
}

TEST(TvxBitmapCompose, DrawOntoItselfReadsTheOriginal) {
  TvxBitmap b = Coded(4, 1);
  b.DrawToRect(b, Rect(1, 0, 4, 1), Rect(0, 0, 3, 1));
  EXPECT_EQ(SrcX(b.Pixel(1, 0)), 0);
  EXPECT_EQ(SrcX(b.Pixel(2, 0)), 1);
  EXPECT_EQ(SrcX(b.Pixel(3, 0)), 2);
}

TEST(TvxBitmapCompose, AssignCopiesPixelsAndFlags) {
  TvxBitmap a = Coded(3, 2, 77);
  a.SetName("glow");
  a.SetHasAlpha(true);
  a.SetTransparent(true);
  TvxBitmap b(9, 9);
  b.Assign(a);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Pixel(2, 1), a.Pixel(2, 1));
  EXPECT_EQ(b.Name(), "glow");
  EXPECT_TRUE(b.HasAlpha());
  EXPECT_TRUE(b.Transparent());
}

// Brute-force two-pass triangular blur: horizontal pass into a byte image,
// vertical pass from it; edges repeat; quotients truncated.
std::vector<uint32_t> ReferenceBlur(const TvxBitmap& b, int r) {
  const int w = b.Width(), h = b.Height();
  const uint32_t div = uint32_t(r + 1) * uint32_t(r + 1);
  std::vector<uint32_t> in(b.Bits(), b.Bits() + size_t(w) * h), mid(in.size()), out(in.size());
  auto pass = [&](const std::vector<uint32_t>& src, std::vector<uint32_t>& dst, bool horizontal) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t res = 0xFF000000u;
        for (int c = 0; c < 3; ++c) {
          uint32_t sum = 0;
          for (int k = -r; k <= r; ++k) {
            const int sx = horizontal ? std::clamp(x + k, 0, w - 1) : x;
            const int sy = horizontal ? y : std::clamp(y + k, 0, h - 1);
            sum += ((src[size_t(sy) * w + sx] >> (8 * c)) & 0xFF) * uint32_t(r + 1 - std::abs(k));
          }
          res |= (sum / div) << (8 * c);
        }
        dst[size_t(y) * w + x] = res;
      }
  };
  pass(in, mid, true);
  pass(mid, out, false);
  return out;
}

TEST(TvxBitmapBlur, StackBlurEqualsBruteForceReference) {
  struct Case {
    int w, h, r;
  } cases[] = {{1, 1, 1}, {7, 5, 1}, {13, 9, 3}, {5, 17, 10}, {20, 3, 4}, {2, 2, 25}};
  std::mt19937 rng(42);
  for (const Case& c : cases) {
    TvxBitmap b(c.w, c.h);
    for (int i = 0; i < c.w * c.h; ++i) b.Bits()[i] = rng();
    const std::vector<uint32_t> want = ReferenceBlur(b, c.r);
    b.StackBlur(c.r);
    for (int i = 0; i < c.w * c.h; ++i)
      ASSERT_EQ(b.Bits()[i], want[size_t(i)]) << c.w << "x" << c.h << " r=" << c.r << " at " << i;
  }
}

TEST(TvxBitmapBlur, RadiusZeroOrLessChangesNothing) {
  TvxBitmap b = Coded(3, 3, 9);
  const uint32_t before = b.Pixel(1, 1);
  b.StackBlur(0);
  b.StackBlur(-4);
  EXPECT_EQ(b.Pixel(1, 1), before);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST(TvxBitmapRegistry, ContextLeadsBackToItsBitmap) {
  TvxBitmap a;
  EXPECT_EQ(a.DC(), nullptr);
  a.SetSize(2, 2);
  HDC dc = a.DC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(FindBitmapByDC(dc), &a);
  a.SetSize(5, 5);  // new pixels, same context
  EXPECT_EQ(a.DC(), dc);
  EXPECT_EQ(GetDCSurface(dc)->Width(), 5);
  {
    TvxBitmap b(std::move(a));
    EXPECT_EQ(FindBitmapByDC(dc), &b);
  }
  EXPECT_EQ(FindBitmapByDC(dc), nullptr);
}

// Draw onto device contexts: one owned by a TvxBitmap (direct) and one that is
// not (through the context), for each mode; both must give the same pixels,
// and the context's origin and clip must apply.
TEST(TvxBitmapDraw, OntoContextsSameAsOntoBitmaps) {
  TvxBitmap src(3, 2);
  src.SetPixel(0, 0, Argb(128, 200, 200, 200));
  src.SetPixel(1, 0, 0x007F007F);
  src.SetPixel(2, 0, Argb(255, 1, 2, 3));
  src.SetPixel(0, 1, Argb(0, 9, 9, 9));
  src.SetPixel(1, 1, Argb(64, 0, 0, 255));
  src.SetPixel(2, 1, Argb(255, 40, 50, 60));
  struct Case {
    bool alpha, key;
    TRect dest;
  } cases[] = {{false, false, Rect(1, 1, 4, 3)}, {true, false, Rect(1, 1, 4, 3)}, {false, true, Rect(1, 1, 4, 3)},
               {false, false, Rect(0, 0, 6, 4)}, {true, false, Rect(0, 1, 6, 5)}, {false, true, Rect(2, 0, 5, 5)}};
  for (const Case& c : cases) {
    src.SetHasAlpha(c.alpha);
    src.SetTransparent(c.key);
    TvxBitmap want(6, 5);
    want.FillRect(want.BoundsRect(), Argb(255, 100, 100, 100));
    TvxBitmap direct;
    direct.Assign(want);
    src.DrawToRect(want, c.dest, src.BoundsRect());
    src.DrawRect(direct.DC(), c.dest, src.BoundsRect());

    auto surf = TSurface::Create(6, 5, TPixelFormat::pf32bit);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) surf->SetPixel(x, y, Argb(255, 100, 100, 100));
    TDCPtr plain = CreateMemoryDC(surf);
    src.DrawRect(plain.get(), c.dest, src.BoundsRect());
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(direct.Pixel(x, y), want.Pixel(x, y)) << x << "," << y;
        EXPECT_EQ(surf->GetPixel(x, y), want.Pixel(x, y)) << x << "," << y;
      }
  }
}

TEST(TvxBitmapDraw, OriginAndClipOfTheContextApply) {
  TvxBitmap src(2, 2);
  src.FillRect(src.BoundsRect(), Argb(128, 200, 200, 200));
  for (bool alpha : {false, true}) {
    src.SetHasAlpha(alpha);
    TvxBitmap dst(6, 6);
    dst.FillRect(dst.BoundsRect(), Argb(255, 100, 100, 100));
    HDC dc = dst.DC();
    SetViewportOrgEx(dc, 2, 1);
    src.Draw(dc, 0, 0);  // lands at (2, 1)
    EXPECT_EQ(dst.Pixel(1, 1), Argb(255, 100, 100, 100));
    EXPECT_NE(dst.Pixel(2, 1), Argb(255, 100, 100, 100));
    EXPECT_NE(dst.Pixel(3, 2), Argb(255, 100, 100, 100));
    SetViewportOrgEx(dc, 0, 0);
    IntersectClipRect(dc, 0, 0, 5, 6);
    src.Draw(dc, 4, 4);  // column 5 is clipped away
    EXPECT_NE(dst.Pixel(4, 4), Argb(255, 100, 100, 100));
    EXPECT_EQ(dst.Pixel(5, 4), Argb(255, 100, 100, 100));
    SelectClipRgn(dc, nullptr);
  }
}

}  // namespace
}  // namespace vx

#include "platform/gfx/canvas.h"
#include "platform/gfx/graphics.h"

namespace vx {
namespace {

TEST(TvxBitmapAssign, FromPlatformBitmapsAndGraphics) {
  TBitmap b32(2, 1, TPixelFormat::pf32bit);
  b32.Surface()->SetPixel(0, 0, Argb(128, 1, 2, 3));
  b32.Surface()->SetPixel(1, 0, Argb(255, 4, 5, 6));
  TvxBitmap v;
  v.Assign(b32);
  EXPECT_EQ(v.Pixel(0, 0), Argb(128, 1, 2, 3));
  EXPECT_TRUE(v.HasAlpha());

  TBitmap b24(3, 2, TPixelFormat::pf24bit);
  b24.Surface()->SetPixel(2, 1, Argb(0, 7, 8, 9));
  v.Assign(b24);
  EXPECT_EQ(v.Width(), 3);
  EXPECT_EQ(v.Pixel(2, 1), Argb(255, 7, 8, 9));
  EXPECT_EQ(v.Pixel(0, 0), Argb(255, 0, 0, 0));

  // An icon with a transparent corner: magenta background pixels are not copied.
  const uint32_t px[4] = {Argb(255, 10, 20, 30), 0, 0, Argb(255, 40, 50, 60)};
  auto icon = TIcon::FromAlpha(2, 2, px);
  TvxBitmap w(2, 2);
  w.FillRect(w.BoundsRect(), Argb(9, 1, 1, 1));
  w.Assign(*icon);
  EXPECT_EQ(w.Pixel(0, 0), Argb(255, 10, 20, 30));
  EXPECT_EQ(w.Pixel(1, 0), Argb(255, 1, 1, 1));
  EXPECT_EQ(w.Pixel(1, 1), Argb(255, 40, 50, 60));

  TBitmap out;
  v.AssignTo(out);
  EXPECT_EQ(out.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(out.Width(), 3);
  EXPECT_EQ(out.Surface()->GetPixel(2, 1), Argb(255, 7, 8, 9));
}

TEST(TvxBitmapCanvas, DrawsIntoThePixelsAcrossResizes) {
  TvxBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  c.Brush().SetColor(RGB(255, 0, 0));
  c.FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(b.Pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
  b.SetSize(8, 3);
  c.FillRect(Rect(6, 0, 8, 1));
  EXPECT_EQ(b.Pixel(7, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(&b.Canvas(), &c);
}

}  // namespace
}  // namespace vx
