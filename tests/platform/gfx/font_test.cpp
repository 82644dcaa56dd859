#include "platform/gfx/font.h"

#include <gtest/gtest.h>

#include <limits>

#include <string>

#include "platform/core/streams.h"
#include "platform/codecs/png_codec.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/imagelist.h"
#include "platform/gfx/text.h"

namespace vx {
namespace {

TEST(Fonts, SubstitutionTable) {
  EXPECT_EQ(SubstituteFontName("Tahoma"), "Liberation Sans");
  EXPECT_EQ(SubstituteFontName("arial"), "Liberation Sans");
  EXPECT_EQ(SubstituteFontName("MS Sans Serif"), "Liberation Sans");
  EXPECT_EQ(SubstituteFontName("DejaVu Serif"), "DejaVu Serif");
}

TEST(Fonts, InstalledFacesHonourHeightsAndStyles) {
  const struct {
    const char* name;
    int height;
    bool bold, italic;
    const char* face;
  } cases[] = {
      {"Tahoma", -11, false, false, "Liberation Sans"},
      {"Arial", -13, true, false, "Liberation Sans"},
      {"MS Sans Serif", 16, false, true, "Liberation Sans"},
      {"DejaVu Serif", -20, false, false, "DejaVu Serif"},
  };
  for (const auto& c : cases) {
    TFontDesc d;
    d.Name = c.name;
    d.Height = c.height;
    d.Bold = c.bold;
    d.Italic = c.italic;
    HFONT f = CreateFont(d);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->FaceName(), c.face) << c.name;
    const TTextMetric& tm = f->Metrics();
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent) << c.name;
    if (c.height < 0) {
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -c.height) << c.name << ": character height";
    } else {
      EXPECT_EQ(tm.tmHeight, c.height) << c.name << ": cell height";
    }
    // Greyscale anti-aliasing: some partial coverage, and a cached glyph.
    const TGlyph& g = f->Glyph(U'S');
    bool partial = false;
    for (uint8_t v : g.coverage) partial = partial || (v > 0 && v < 255);
    EXPECT_TRUE(partial) << c.name;
    EXPECT_EQ(&g, &f->Glyph(U'S'));
    EXPECT_GT(g.advance, 0);
  }
  TFontDesc a, b;
  a.Name = b.Name = "Arial";
  b.Bold = true;
  EXPECT_EQ(CreateFont(a), CreateFont(a)) << "equal descriptions share one font";
  EXPECT_GT(CreateFont(b)->Advance(U'm'), 0);
  TFontDesc unknown;
  unknown.Name = "No Such Face 123";
  EXPECT_GT(CreateFont(unknown)->Advance(U'x'), 0) << "fontconfig falls back to an installed face";
}

TEST(Fonts, HeightsBeyondTheLimitAreTakenAtTheLimit) {
  for (int height : {kMaxFontHeight + 1, 1 << 30, -(1 << 30), std::numeric_limits<int>::min()}) {
    TFontDesc d;
    d.Name = "Arial";
    d.Height = height;
    HFONT f = CreateFont(d);
    ASSERT_TRUE(f);
    EXPECT_LE(f->Metrics().tmHeight, 2 * kMaxFontHeight) << height;
    const TGlyph& g = f->Glyph(U'W');
    EXPECT_LE(int64_t(g.width) * g.height, int64_t(4) * kMaxFontHeight * kMaxFontHeight) << height;
  }
}

TEST(Fonts, TestFaceForAll) {
  SetTestFontForAll(true);
  TFontDesc d;
  d.Name = "Arial";
  d.Height = -12;
  HFONT f = CreateFont(d);
  EXPECT_EQ(f->FaceName(), kTestFontName);
  EXPECT_EQ(f->Advance(U'W'), 6);
  EXPECT_EQ(f->Metrics().tmAscent, 10);
  SetTestFontForAll(false);
  EXPECT_EQ(CreateFont(d)->FaceName(), "Liberation Sans");
}

// A sheet of fonts, styles, DrawText flags, lines, shapes and blends, written
// as a PNG for looking at.
TEST(SampleSheet, WritesPng) {
  TBitmap sheet(640, 540);
  TCanvas& c = sheet.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(TRect{0, 0, 640, 540});
  c.Brush().SetStyle(bsClear);
  c.Font().SetColor(clBlack);

  int y = 6;
  const struct {
    const char* name;
    int height;
    TFontStyles style;
  } fonts[] = {
      {"Tahoma", -11, {}},         {"Tahoma", -11, {fsBold}},     {"Arial", -13, {fsItalic}},
      {"Arial", -13, {fsUnderline}}, {"MS Sans Serif", 16, {fsStrikeOut}}, {"DejaVu Serif", -20, {}},
      {"Liberation Mono", -14, {fsBold, fsItalic}}, {kTestFontName, -12, {}},
  };
  for (const auto& f : fonts) {
    c.Font().SetName(f.name);
    c.Font().SetHeight(f.height);
    c.Font().SetStyle(f.style);
    c.TextOut(8, y, std::string(f.name) + " " + std::to_string(f.height) + ": The quick brown fox 0123 &!? \xC3\xA9\xC3\xBC");
    y += c.TextHeight("Ag") + 4;
  }

  c.Font().SetName("Tahoma");
  c.Font().SetHeight(-11);
  c.Font().SetStyle({});
  c.ApplyFont();
  HDC dc = c.Handle();
  c.Pen().SetColor(RGB(200, 200, 200));
  const struct {
    const char* text;
    uint32_t fmt;
  } boxes[] = {
      {"&File menu, left", DT_LEFT | DT_SINGLELINE | DT_VCENTER},
      {"Centred && prefixed &Name", DT_CENTER | DT_SINGLELINE | DT_VCENTER},
      {"Right aligned", DT_RIGHT | DT_SINGLELINE | DT_BOTTOM},
      {"A long line that is cut with an end ellipsis", DT_END_ELLIPSIS | DT_SINGLELINE},
      {"C:\\Program Files\\Skins\\silver.skn", DT_PATH_ELLIPSIS | DT_SINGLELINE},
      {"Word break: several words wrapped onto more lines", DT_WORDBREAK | DT_CENTER},
  };
  int bx = 8;
  for (const auto& b : boxes) {
    TRect r{bx, 220, bx + 96, 262};
    c.Rectangle(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
    DrawText(dc, b.text, r, b.fmt);
    bx += 104;
  }
  TRect wide{8, 270, 300, 300};
  DrawTextW(dc, u"Wide: \u00C0\u00E9\u00EE\u00F5\u00FC \u03A9\u03B1\u03B2\ttab", wide, DT_EXPANDTABS);

  // Lines and shapes.
  c.Pen().SetColor(clNavy);
  for (int i = 0; i < 8; ++i) {
    c.MoveTo(330, 282);
    c.LineTo(330 + (i - 4) * 10, 282 + (i % 2 ? 28 : -28));
  }
  c.Pen().SetStyle(psDot);
  c.Rectangle(380, 250, 440, 310);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(3);
  c.Brush().SetColor(RGB(255, 220, 120));
  c.Ellipse(450, 250, 530, 310);
  const TPoint tri[] = {{540, 310}, {580, 250}, {620, 310}};
  c.Brush().SetColor(RGB(120, 200, 120));
  c.Polygon(tri);
  c.Pen().SetWidth(1);
  c.DrawFocusRect(TRect{376, 246, 444, 314});

  // Blends: a red bar under a premultiplied blue gradient at three constant alphas.
  c.Brush().SetColor(clRed);
  c.FillRect(TRect{8, 330, 630, 345});
  TBitmap grad(256, 30);
  for (int yy = 0; yy < 30; ++yy)
    for (int x = 0; x < 256; ++x) grad.Surface()->SetPixel(x, yy, (uint32_t(x) << 24) | uint32_t(x));
  for (int k = 0; k < 3; ++k) {
    BLENDFUNCTION bf;
    bf.SourceConstantAlpha = uint8_t(255 - k * 100);
    bf.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dc, 8 + k * 208, 322, 200, 30, grad.DC(), 0, 0, 256, 30, bf);
  }
  TImageList il(16, 16);
  TBitmap icon(16, 16, TPixelFormat::pf24bit);
  icon.Canvas().Brush().SetColor(clFuchsia);
  icon.Canvas().FillRect(TRect{0, 0, 16, 16});
  icon.Canvas().Brush().SetColor(clGreen);
  icon.Canvas().Ellipse(1, 1, 15, 15);
  il.AddMasked(icon, clFuchsia);
  il.Draw(c, 8, 370, 0, true);
  il.Draw(c, 30, 370, 0, false);

  // A 3x nearest-neighbour zoom of the first lines, to judge the anti-aliasing.
  StretchBlt(dc, 8, 400, 600, 135, dc, 8, 4, 200, 45, SRCCOPY);

  TMemoryStream png;
  TPngImage img;
  img.Width = sheet.Width();
  img.Height = sheet.Height();
  img.Pixels.assign(sheet.Surface()->Bits(), sheet.Surface()->Bits() + sheet.Surface()->Stride() * size_t(img.Height));
  for (size_t i = 3; i < img.Pixels.size(); i += 4) img.Pixels[i] = 255;
  WritePng(png, img, TPngOrder::BGRA);
  const std::string path = std::string(VX_TEST_OUT_DIR) + "/gfx_sample_sheet.png";
  ASSERT_NO_THROW(png.SaveToFile(path));
  EXPECT_GT(png.Size(), 1000);
}

}  // namespace
}  // namespace vx
