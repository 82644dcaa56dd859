// Writes raster_sheet.png into the test output folder: every builder, glyph,
// text effect, morph and image effect on one picture, for looking at.
#include <gtest/gtest.h>

#include <string>

#include "platform/codecs/png_codec.h"
#include "platform/core/streams.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/text.h"
#include "raster/effect_bmp.h"
#include "raster/skin_draw.h"
#include "raster/skin_image.h"
#include "raster/vx_bitmap.h"

namespace vx {
namespace {

uint32_t Px(int r, int g, int b) { return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }

// A 40 x 30 element: corners blue, edges striped (so tiling and stretching
// differ), client a checker with a diagonal.
TvxBitmap Element() {
  TvxBitmap b(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool l = x < 6, r = x >= 34, t = y < 5, bo = y >= 25;
      uint32_t p;
      if ((l || r) && (t || bo)) p = Px(30, 60, 160);
      else if (t || bo) p = (x % 6 < 3) ? Px(200, 120, 40) : Px(240, 200, 120);
      else if (l || r) p = (y % 6 < 3) ? Px(40, 150, 60) : Px(140, 220, 150);
      else p = ((x / 4 + y / 4) % 2) ? Px(235, 235, 235) : Px(200, 200, 215);
      if (!(l || r || t || bo) && x - 6 == y - 5) p = Px(200, 0, 0);
      b.SetPixel(x, y, p);
    }
  return b;
}

void Label(TvxBitmap& sheet, int x, int y, const std::string& text) {
  TCanvas& c = sheet.Canvas();
  c.Brush().SetStyle(bsClear);
  c.Font().SetColor(clBlack);
  c.Font().SetHeight(-11);
  c.TextOut(x, y, text);
}

void Put(TvxBitmap& sheet, const TvxBitmap& b, int x, int y, int scale = 1) {
  if (b.Empty()) return;
  TvxBitmap copy;
  copy.Assign(b);
  copy.SetHasAlpha(false);
  copy.SetTransparent(false);
  copy.DrawToRect(sheet, Bounds(x, y, b.Width() * scale, b.Height() * scale), copy.BoundsRect());
}

TEST(RasterSheet, WritesEveryPrimitiveToAPicture) {
  SetTestFontForAll(false);
  TvxBitmap sheet(900, 760);
  sheet.FillRect(sheet.BoundsRect(), Px(255, 255, 255));
  const TvxBitmap src = Element();
  const TPoint LT(6, 5), RT(34, 5), LB(6, 25), RB(34, 25);
  const TRect Cl(6, 5, 34, 25), R(0, 0, 40, 30);

  Label(sheet, 10, 4, "element, and CreateSkinImage 150x70: tiled / stretched / client horz / client vert");
  Put(sheet, src, 10, 22);
  int x = 60;
  for (int mode = 0; mode < 4; ++mode) {
    const int dx = 110, dy = 40;
    TvxBitmap d;
    CreateSkinImage(LT, RT, LB, RB, Cl, LT, {RT.X + dx, RT.Y}, {LB.X, LB.Y + dy}, {RB.X + dx, RB.Y + dy},
                    {Cl.Left, Cl.Top, Cl.Right + dx, Cl.Bottom + dy}, d, src, R, 150, 70, true, mode == 1,
                    mode == 1, mode == 1, mode == 1, mode >= 1, mode == 3 ? vxstVert : mode == 2 ? vxstHorz : vxstFull);
    Put(sheet, d, x, 22);
    x += 160;
  }

  Label(sheet, 10, 100, "three-slice: HSkin tiled, HSkin stretched, HSkinLeft, HSkinCenter, VSkin; border bands");
  {
    TvxBitmap h;
    CreateHSkinImage(6, 6, h, false, 130, Rect(0, 0, 40, 5), src);
    Put(sheet, h, 10, 120, 2);
    CreateHSkinImage(6, 6, h, true, 130, Rect(0, 0, 40, 5), src);
    Put(sheet, h, 10, 135, 2);
    CreateHSkinImageLeft(6, 6, h, false, 130, Rect(0, 0, 40, 5), src);
    Put(sheet, h, 10, 150, 2);
    CreateHSkinImageCenter(6, 6, h, false, 130, Rect(0, 0, 40, 5), src);
    Put(sheet, h, 10, 165, 2);
    TvxBitmap v;
    CreateVSkinImage(5, 5, v, false, 90, Rect(0, 0, 6, 30), src);
    Put(sheet, v, 290, 120, 2);
    TvxBitmap top, bottom, left, right;
    CreateSkinBorderImages(LT, RT, LB, false, false, false, false, 90, 160, R, src, bottom, right, top, left,
                           {6, 5, 154, 85}, {154, 85}, {6, 85}, {154, 5}, LT, Cl, RB);
    Put(sheet, top, 320, 120);
    Put(sheet, left, 320, 120 + top.Height());
    Put(sheet, right, 320 + 160 - right.Width(), 120 + top.Height());
    Put(sheet, bottom, 320, 120 + top.Height() + left.Height());
  }

  Label(sheet, 500, 100, "mask and CreateSkinRegion 150x80 (region in black)");
  {
    TvxBitmap mask(40, 30);
    for (int y = 0; y < 30; ++y)
      for (int xx = 0; xx < 40; ++xx) {
        // Rounded corners: outside a radius-6 circle at each corner is white.
        const int cx = xx < 6 ? 6 : xx >= 34 ? 33 : xx, cy = y < 5 ? 6 : y >= 25 ? 23 : y;
        const bool out = (xx - cx) * (xx - cx) + (y - cy) * (y - cy) > 36 || (y >= 12 && y < 16 && xx < 2);
        mask.SetPixel(xx, y, out ? Px(255, 255, 255) : Px(0, 0, 0));
      }
    Put(sheet, mask, 500, 120, 2);
    std::optional<TRegion> rgn;
    const int dx = 110, dy = 50;
    CreateSkinRegion(rgn, LT, RT, 80, 150, mask, {Cl.Left, Cl.Top, Cl.Right + dx, Cl.Bottom + dy},
                     {RB.X + dx, RB.Y + dy}, {LB.X, LB.Y + dy}, {RT.X + dx, RT.Y}, LT, Cl, RB, LB);
    if (rgn)
      for (const TRect& r : rgn->Rects()) sheet.FillRect(r.Offset(590, 120), Px(0, 0, 0));
  }

  Label(sheet, 10, 230, "glyphs x4: arrows, big arrows, track, end, back, check, radio, caption glyphs, 3D frame, focus");
  {
    TvxBitmap g(290, 16);
    g.FillRect(g.BoundsRect(), Px(255, 255, 255));
    TCanvas& c = g.Canvas();
    int gx = 0;
    for (int k = 1; k <= 5; ++k, gx += 12) DrawArrowImage(c, Bounds(gx, 3, 12, 12), clBlack, k);
    for (int k = 1; k <= 4; ++k, gx += 14) DrawBigArrowImage(c, Bounds(gx, 2, 14, 14), clNavy, k);
    DrawTrackArrowImage(c, Bounds(gx, 2, 10, 12), clBlack);
    gx += 10;
    DrawEndArrowImage(c, Bounds(gx, 2, 10, 12), clBlack);
    gx += 10;
    DrawBackArrowImage(c, Bounds(gx, 2, 12, 12), clBlack);
    gx += 12;
    DrawCheckImage(c, gx, 4, clGreen);
    gx += 10;
    DrawRadioImage(c, gx, 5, clMaroon);
    gx += 9;
    using Fn = void (*)(TCanvas&, int, int, TColor);
    for (Fn f : {&DrawCloseGlyph, &DrawMaximizeGlyph, &DrawRestoreGlyph, &DrawMinimizeGlyph, &DrawSysMenuGlyph,
                 &DrawRollUpGlyph, &DrawRollDownGlyph, &DrawTrayGlyph}) {
      f(c, gx, 3, clBlack);
      gx += 13;
    }
    g.Canvas().Font().SetColor(clBlack);
    DrawFrame3D(c, Bounds(gx, 2, 12, 12), clWhite, clGray);
    c.Brush().SetColor(clSilver);
    c.FillRect(Bounds(gx + 1, 3, 10, 10));
    DrawFrame3D(c, Bounds(gx, 2, 12, 12), clWhite, clGray);
    gx += 14;
    DrawSkinFocusRect(c, Bounds(gx, 2, 12, 12));
    Put(sheet, g, 10, 255, 3);
  }

  Label(sheet, 10, 330, "texts: glow, thick glow, vista glow, vista W, vista W2, reflection, reflection W");
  {
    TCanvas& c = sheet.Canvas();
    c.Font().SetHeight(-16);
    c.Font().SetColor(clBlack);
    DrawGlowText(c, Rect(20, 355, 200, 380), std::string_view("Glow text"), 4, clYellow, 0, DT_LEFT | DT_SINGLELINE);
    DrawGlowText(c, Rect(20, 385, 200, 410), std::string_view("Shadow text"), 2, clGray, 2, DT_LEFT | DT_SINGLELINE);
    DrawThickGlowText(c, Rect(220, 355, 400, 380), "Thick glow", 4, clAqua, 0, DT_LEFT | DT_SINGLELINE);
    DrawVistaGlowText(c, Rect(220, 395, 400, 420), "Vista glow", clWhite, DT_LEFT | DT_SINGLELINE);
    sheet.FillRect(Rect(420, 345, 880, 430), Px(60, 90, 140));
    c.Font().SetColor(clBlack);
    DrawVistaGlowText(c, Rect(430, 355, 600, 380), "Vista glow", clWhite, DT_LEFT | DT_SINGLELINE);
    DrawVistaGlowTextW(c, Rect(600, 355, 760, 380), u"Vista W", clWhite, DT_LEFT | DT_SINGLELINE);
    DrawVistaGlowTextW2(c, Rect(600, 395, 760, 420), u"Vista W2", clWhite, DT_LEFT | DT_SINGLELINE);
    DrawReflectionText(c, Rect(20, 440, 200, 465), "Reflection", clNavy, 0, DT_LEFT | DT_SINGLELINE);
    DrawReflectionTextW(c, Rect(220, 440, 400, 465), "Reflection W", clMaroon, 2, DT_LEFT | DT_SINGLELINE);
    c.Font().SetHeight(-12);
    sheet.FillRect(Rect(430, 440, 590, 500), Px(230, 230, 250));
    WriteMultiLineText(c, "A word-wrapped caption that keeps whole words", Rect(430, 440, 590, 500), true);
    sheet.FillRect(Rect(600, 440, 700, 500), Px(230, 250, 230));
    WriteMultiLineText(c, "A caption cut at superextraordinarily long words", Rect(600, 440, 700, 500), false);
    std::string t = "A long caption cut by width";
    CorrectTextByWidth(c, t, 120);
    sheet.FillRect(Rect(20, 500, 140, 520), Px(250, 230, 230));
    WriteTextLeft(c, t, Rect(20, 500, 140, 520));
    sheet.FillRect(Rect(150, 500, 300, 520), Px(250, 230, 230));
    WriteTextCenter(c, "Centred", Rect(150, 500, 300, 520));
  }

  Label(sheet, 10, 540, "morphs at k = 0.35 (default, gradient, left/right gradient, left/right slide, push); effects");
  {
    TvxBitmap a(80, 40), b(80, 40);
    for (int y = 0; y < 40; ++y)
      for (int xx = 0; xx < 80; ++xx) {
        a.SetPixel(xx, y, Px(xx * 3, 40, 200 - y * 4));
        b.SetPixel(xx, y, ((xx / 8 + y / 8) % 2) ? Px(250, 220, 60) : Px(60, 60, 60));
      }
    const TvxEffectBmp eb(b);
    int mx = 10;
    for (int kind = 0; kind <= 6; ++kind, mx += 90) {
      TvxEffectBmp e(a);
      e.MorphByKind(TvxMorphKind(kind), eb, 0.35);
      TvxBitmap out;
      e.CopyTo(out);
      Put(sheet, out, mx, 560);
    }
    mx = 10;
    for (int eff = 0; eff <= 5; ++eff, mx += 90) {
      TvxEffectBmp e(a);
      e.ApplyEffect(TvxImageEffect(eff));
      TvxBitmap out;
      e.CopyTo(out);
      Put(sheet, out, mx, 610);
    }
    TvxBitmap blur;
    blur.Assign(b);
    blur.StackBlur(3);
    Put(sheet, blur, 550, 610);
    blur.Assign(b);
    blur.StackBlur(10);
    Put(sheet, blur, 640, 610);
  }

  Label(sheet, 10, 660, "image and text: glyph left / right / top / bottom, colour bars");
  {
    TCanvas& c = sheet.Canvas();
    c.Font().SetHeight(-12);
    c.Font().SetColor(clBlack);
    TBitmap strip(32, 16, TPixelFormat::pf32bit);
    for (int y = 0; y < 16; ++y)
      for (int xx = 0; xx < 32; ++xx)
        strip.Surface()->SetPixel(xx, y, (y == 15 && xx % 16 == 0) ? Px(255, 0, 255)
                                         : ((xx % 16) - 8) * ((xx % 16) - 8) + (y - 8) * (y - 8) < 40
                                             ? (xx < 16 ? Px(0, 140, 0) : Px(160, 0, 0))
                                             : Px(255, 0, 255));
    int bx = 10;
    for (TvxButtonLayout l : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
      const TRect r = Bounds(bx, 680, 120, 60);
      sheet.FillRect(r, Px(225, 225, 225));
      DrawImageAndTextGlyph(c, r, -1, 4, l, "Button", strip, 2, 1, false, l == blGlyphBottom, clRed);
      bx += 130;
    }
    const TRect r = Bounds(bx, 680, 120, 60);
    sheet.FillRect(r, Px(225, 225, 225));
    DrawImageAndText(c, r, -1, 4, blGlyphLeft, "Colour", nullptr, -1, false, true, true, clBlue);
  }

  sheet.FillAlpha(255);
  TPngImage png;
  png.Width = sheet.Width();
  png.Height = sheet.Height();
  png.Pixels.assign(reinterpret_cast<const uint8_t*>(sheet.Bits()),
                    reinterpret_cast<const uint8_t*>(sheet.Bits()) + size_t(sheet.Width()) * sheet.Height() * 4);
  const std::string path = std::string(VX_TEST_OUT_DIR) + "/raster_sheet.png";
  {
    TFileStream f(path, fmCreate);
    WritePng(f, png, TPngOrder::BGRA);
  }
  TFileStream check(path, fmOpenRead);
  const TPngImage back = ReadPng(check);
  EXPECT_EQ(back.Width, 900);
  EXPECT_EQ(back.Height, 760);
  SetTestFontForAll(true);
}

}  // namespace
}  // namespace vx
