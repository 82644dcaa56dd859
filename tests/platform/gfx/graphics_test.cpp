#include "platform/gfx/graphics.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "platform/gfx/imagelist.h"

namespace vx {
namespace {

constexpr uint32_t kBlack = 0xFF000000u;

struct Target {
  TSurfacePtr s = TSurface::Create(4, 2, TPixelFormat::pf32bit);
  TDCPtr dc = CreateMemoryDC(s);
  TCanvas c{dc.get()};
  explicit Target(uint32_t fill = kBlack) { FillPixels(dc.get(), TRect{0, 0, 4, 2}, fill); }
  uint32_t At(int x, int y) const { return s->GetPixel(x, y); }
};

// 2 x 2 bitmap: top row red, green; bottom row blue, key.
std::unique_ptr<TBitmap> Quad(TPixelFormat f = TPixelFormat::pf32bit) {
  auto b = std::make_unique<TBitmap>(2, 2, f);
  b->Surface()->SetPixel(0, 0, 0xFFFF0000u);
  b->Surface()->SetPixel(1, 0, 0xFF00FF00u);
  b->Surface()->SetPixel(0, 1, 0xFF0000FFu);
  b->Surface()->SetPixel(1, 1, 0xFF7F007Fu);
  return b;
}

TEST(Bitmap, DrawModes) {
  {
    Target t;
    auto b = Quad();
    t.c.Draw(1, 0, *b);
    EXPECT_EQ(t.At(1, 0), 0xFFFF0000u);
    EXPECT_EQ(t.At(2, 1), 0xFF7F007Fu);
  }
  {
    // Transparent with the automatic colour: the bottom-left pixel (blue).
    Target t;
    auto b = Quad();
    b->SetTransparent(true);
    EXPECT_EQ(b->TransparentColor(), RGB(0, 0, 255));
    t.c.Draw(0, 0, *b);
    EXPECT_EQ(t.At(0, 1), kBlack);
    EXPECT_EQ(t.At(1, 1), 0xFF7F007Fu);
    // A fixed colour instead.
    Target t2;
    b->SetTransparentColor(RGB(127, 0, 127));
    EXPECT_EQ(b->TransparentMode(), tmFixed);
    t2.c.Draw(0, 0, *b);
    EXPECT_EQ(t2.At(0, 1), 0xFF0000FFu);
    EXPECT_EQ(t2.At(1, 1), kBlack);
  }
  {
    // Straight alpha: premultiplied then blended.
    Target t(0xFF000000u);
    TBitmap b(1, 1);
    b.Surface()->SetPixel(0, 0, 0x80FFFFFFu);
    b.SetAlphaFormat(afDefined);
    t.c.Draw(0, 0, b);
    EXPECT_EQ(t.At(0, 0), 0xFF808080u);
    b.Surface()->SetPixel(0, 0, 0x80808080u);
    b.SetAlphaFormat(afPremultiplied);
    t.c.Draw(1, 0, b);
    EXPECT_EQ(t.At(1, 0), 0xFF808080u);
  }
  {
    // BrushCopy without a colour leaves out the bottom-left pixel's colour (blue).
    Target t;
    auto b = Quad();
    t.c.BrushCopy(TRect{0, 0, 2, 2}, *b, TRect{0, 0, 2, 2});
    EXPECT_EQ(t.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(t.At(0, 1), kBlack);
    t.c.BrushCopy(TRect{2, 0, 4, 2}, *b, TRect{0, 0, 2, 2}, RGB(255, 0, 0));
    EXPECT_EQ(t.At(2, 0), kBlack);
    EXPECT_EQ(t.At(2, 1), 0xFF0000FFu);
  }
  {
    Target t;
    auto b = Quad();
    t.c.StretchDraw(TRect{0, 0, 4, 2}, *b);
    EXPECT_EQ(t.At(1, 0), 0xFFFF0000u);
    EXPECT_EQ(t.At(2, 0), 0xFF00FF00u);
  }
}

TEST(Bitmap, SizeFormatAndScanLines) {
  auto b = Quad();
  b->SetSize(3, 1);
  EXPECT_EQ(b->Width(), 3);
  EXPECT_EQ(b->Surface()->GetPixel(1, 0), 0xFF00FF00u) << "overlap kept";
  EXPECT_EQ(b->Surface()->GetPixel(2, 0), 0u) << "new pixels are zero";
  HDC dc = b->DC();
  b->SetSize(5, 5);
  EXPECT_EQ(b->DC(), dc) << "the context survives a resize";
  EXPECT_EQ(GetDCSurface(dc), b->Surface().get());
  b->SetPixelFormat(TPixelFormat::pf24bit);
  EXPECT_EQ(b->Surface()->Stride(), 16u);
  EXPECT_EQ(b->Surface()->GetPixel(0, 0), 0xFFFF0000u);
  EXPECT_NO_THROW(b->ScanLine(4));
  EXPECT_THROW(b->ScanLine(5), EInvalidGraphic);
  EXPECT_THROW(b->ScanLine(-1), EInvalidGraphic);
  b->SetSize(-3, 2);
  EXPECT_TRUE(b->Empty());
  EXPECT_EQ(b->TransparentColor(), clNone);
}

TEST(Bitmap, BmpRoundTripAndFailedLoad) {
  for (TPixelFormat f : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    auto b = Quad(f);
    if (f == TPixelFormat::pf32bit) b->Surface()->SetPixel(1, 0, 0x4000FF00u);
    TMemoryStream m;
    b->SaveToStream(m);
    m.Seek(0, TSeekOrigin::soBeginning);
    TBitmap back;
    back.LoadFromStream(m);
    EXPECT_EQ(back.PixelFormat(), f);
    ASSERT_EQ(back.Width(), 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) EXPECT_EQ(back.Surface()->GetPixel(x, y), b->Surface()->GetPixel(x, y)) << x << y;

    TBitmap copy;
    copy.Assign(*b);
    EXPECT_EQ(copy.Surface()->GetPixel(1, 1), b->Surface()->GetPixel(1, 1));
    EXPECT_NE(copy.Surface(), b->Surface());
  }
  auto b = Quad();
  TMemoryStream bad(std::vector<uint8_t>{'B', 'M', 1, 2, 3});
  EXPECT_THROW(b->LoadFromStream(bad), EInvalidGraphic);
  EXPECT_EQ(b->Width(), 2) << "a failed load leaves the bitmap as it was";
  EXPECT_EQ(b->Surface()->GetPixel(0, 0), 0xFFFF0000u);
  TBitmap empty;
  TMemoryStream m;
  EXPECT_THROW(empty.SaveToStream(m), EInvalidGraphic);
}

TEST(Icon, AlphaAndMaskDrawing) {
  const uint32_t argb[2] = {0xFFFF0000u, 0x80FFFFFFu};
  auto a = TIcon::FromAlpha(2, 1, argb);
  Target t;
  ASSERT_TRUE(DrawIconEx(t.dc.get(), 0, 0, *a, 0, 0, DI_NORMAL));
  EXPECT_EQ(t.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(t.At(1, 0), 0xFF808080u);

  // Mask 1 keeps the screen (a colour there inverts it), mask 0 shows the colour.
  const uint32_t col[3] = {0x00112233u, 0x00000000u, 0x00FFFFFFu};
  const uint8_t mask[3] = {0, 1, 1};
  auto m = TIcon::FromMask(3, 1, col, mask);
  Target t2(0xFF102030u);
  ASSERT_TRUE(DrawIconEx(t2.dc.get(), 0, 0, *m, 0, 0, DI_NORMAL));
  EXPECT_EQ(t2.At(0, 0), 0xFF112233u);
  EXPECT_EQ(t2.At(1, 0), 0xFF102030u);
  EXPECT_EQ(t2.At(2, 0), 0xFFEFDFCFu);
  // Stretched to 4 x 2.
  Target t3;
  ASSERT_TRUE(DrawIconEx(t3.dc.get(), 0, 0, *a, 4, 2, DI_NORMAL));
  EXPECT_EQ(t3.At(1, 1), 0xFFFF0000u);
  EXPECT_EQ(t3.At(2, 1), 0xFF808080u);

  TBitmap color(2, 1, TPixelFormat::pf24bit), maskBmp(2, 1, TPixelFormat::pf24bit);
  maskBmp.Surface()->SetPixel(1, 0, 0xFFFFFFFFu);
  auto fb = TIcon::FromBitmaps(color, &maskBmp);
  EXPECT_FALSE(fb->HasAlpha());
  EXPECT_EQ(fb->Mask(), (std::vector<uint8_t>{0, 1}));
  TBitmap small(1, 1);
  EXPECT_THROW(TIcon::FromBitmaps(color, &small), EInvalidGraphic);
}

TEST(ImageList, AddDeleteAndDraw) {
  TImageList il(2, 2);
  // A 5-wide strip makes two 2-wide cells; the fifth column is dropped.
  TBitmap strip(5, 2, TPixelFormat::pf24bit);
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 2; ++y) strip.Surface()->SetPixel(x, y, x < 2 ? 0xFFFF0000u : 0xFF00FF00u);
  strip.Surface()->SetPixel(0, 1, 0xFF7F007Fu);
  EXPECT_EQ(il.AddMasked(strip, RGB(127, 0, 127)), 0);
  EXPECT_EQ(il.Count(), 2);
  EXPECT_EQ(il.Image(0)[2], 0u) << "masked pixel is transparent";
  EXPECT_EQ(il.Image(0)[0], 0xFFFF0000u);
  EXPECT_EQ(il.Image(1)[0], 0xFF00FF00u);

  Target t;
  il.Draw(t.c, 0, 0, 0);
  EXPECT_EQ(t.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(t.At(0, 1), kBlack);
  il.Draw(t.c, 2, 0, 1, false);
  // Disabled: (255 + (150 * 255 >> 8)) / 2 = (255 + 149) / 2 = 202.
  EXPECT_EQ(t.At(2, 0), 0xFFCACACAu);
  il.Draw(t.c, 0, 0, 7);  // out of range: nothing

  Target t2;
  il.SetBkColor(clWhite);
  il.Draw(t2.c, 0, 0, 0);
  EXPECT_EQ(t2.At(0, 1), 0xFFFFFFFFu) << "background behind transparent pixels";
  Target t3;
  ASSERT_TRUE(ImageList_DrawEx(il, 1, t3.dc.get(), 0, 0, 1, 0, CLR_NONE, clBlack, ILD_BLEND50));
  EXPECT_EQ(t3.At(0, 0), 0xFF008000u);  // 255 + (0 - 255) * 50 / 100 = 128
  EXPECT_EQ(t3.At(1, 0), kBlack) << "dx limits the width drawn";

  il.Delete(0);
  EXPECT_EQ(il.Count(), 1);
  EXPECT_EQ(il.Image(0)[0], 0xFF00FF00u);
  EXPECT_THROW(il.Delete(1), EListError);
  EXPECT_THROW(il.Delete(-1), EListError);
  il.SetSize(3, 3);
  EXPECT_EQ(il.Count(), 0);

  // 32-bit images keep their alpha; icons go in by their alpha or mask.
  TBitmap a(3, 3);
  a.Surface()->SetPixel(0, 0, 0x80FFFFFFu);
  il.Add(a);
  EXPECT_EQ(il.Image(0)[0], 0x80FFFFFFu);
  EXPECT_EQ(il.Image(0)[1], 0u);
  const uint32_t col[1] = {0x00ABCDEFu};
  const uint8_t mask[1] = {0};
  EXPECT_EQ(il.AddIcon(*TIcon::FromMask(1, 1, col, mask)), 1);
  EXPECT_EQ(il.Image(1)[0], 0xFFABCDEFu);
}

}  // namespace
}  // namespace vx
