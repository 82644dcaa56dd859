#include <gtest/gtest.h>

#include <climits>

#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/imagelist.h"
#include "platform/gfx/text.h"
#include "raster/skin_draw.h"
#include "raster/vx_bitmap.h"

namespace vx {
namespace {

constexpr uint32_t kWhitePx = 0xFFFFFFFFu;

// A white canvas of the given size with the fixed-metric test font.
struct Sheet {
  TvxBitmap bmp;
  Sheet(int w, int h) : bmp(w, h) {
    SetTestFontForAll(true);
    bmp.FillRect(bmp.BoundsRect(), kWhitePx);
    TCanvas& c = bmp.Canvas();
    c.Font().SetHeight(-10);
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
  }
  TCanvas& C() { return bmp.Canvas(); }
  // Rows of the picture: '#' for black, 'R' red, 'B' blue, '.' white, '?' other.
  std::string Art() const {
    std::string s;
    for (int y = 0; y < bmp.Height(); ++y) {
      for (int x = 0; x < bmp.Width(); ++x) {
        const uint32_t p = bmp.Pixel(x, y) & 0xFFFFFF;
        s += p == 0 ? '#' : p == 0xFF0000 ? 'R' : p == 0x0000FF ? 'B' : p == 0xFFFFFF ? '.' : '?';
      }
      s += '\n';
    }
    return s;
  }
};

std::string Lines(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) s += std::string(r) + "\n";
  return s;
}

struct GlyphCase {
  const char* name;
  int w, h;
  std::function<void(TCanvas&)> draw;
  std::string want;
};

TEST(Glyphs, PixelsMatchSmallPictures) {
  const GlyphCase cases[] = {
      {"left arrow", 10, 10, [](TCanvas& c) { DrawArrowImage(c, Rect(0, 0, 10, 10), clBlack, 1); },
       Lines({"..........", "..........", "......#...", ".....##...", "....###...", "...####...", "....###...",
              ".....##...", "......#...", ".........."})},
      {"down arrow", 10, 9, [](TCanvas& c) { DrawArrowImage(c, Rect(0, 0, 10, 10), clBlack, 4); },
       Lines({"..........", "..........", "..........", "..........", "..#######.", "...#####..", "....###...",
              ".....#....", ".........."})},
      {"plus", 10, 10, [](TCanvas& c) { DrawArrowImage(c, Rect(0, 0, 10, 10), clBlack, 5); },
       Lines({"..........", "....##....", "....##....", "....##....", ".########.", ".########.", "....##....",
              "....##....", "....##....", ".........."})},
      {"check", 8, 8, [](TCanvas& c) { DrawCheckImage(c, 0, 0, clBlack); },
       Lines({"........", "......#.", ".....##.", "#...###.", "##.###..", "#####...", ".###....", "..#....."})},
      {"radio", 8, 8, [](TCanvas& c) { DrawRadioImage(c, 1, 1, clBlack); },
       Lines({"........", ".######.", ".######.", ".######.", ".######.", ".######.", ".######.", "........"})},
      {"maximize", 12, 11, [](TCanvas& c) { DrawMaximizeGlyph(c, 0, 0, clBlack); },
       Lines({"###########.", "###########.", "#.........#.", "#.........#.", "#.........#.", "#.........#.",
              "#.........#.", "#.........#.", "#.........#.", "###########.", "............"})},
      {"minimize", 10, 10, [](TCanvas& c) { DrawMinimizeGlyph(c, 0, 0, clBlack); },
       Lines({"..........", "..........", "..........", "..........", "..........", "..........", "..........",
              "..........", ".########.", ".########."})},
      {"roll up", 10, 7, [](TCanvas& c) { DrawRollUpGlyph(c, 0, 0, clBlack); },
       Lines({"..........", "..........", "..........", "....##....", "...####...", "..######..", ".########."})},
      {"frame 3D", 5, 4, [](TCanvas& c) { DrawFrame3D(c, Rect(0, 0, 5, 4), clRed, clBlue); },
       Lines({"RRRRB", "R...B", "R...B", "BBBBB"})},
      // 4 x 3 after the reduction: not both even, so the walk starts with a dot.
      {"focus rect", 5, 4, [](TCanvas& c) { DrawSkinFocusRect(c, Rect(0, 0, 5, 4)); },
       Lines({"#.#.#", ".....", "#...#", ".#.#."})},
      // 4 x 2: both even, the walk starts with a gap.
      {"focus rect even", 5, 3, [](TCanvas& c) { DrawSkinFocusRect(c, Rect(0, 0, 5, 3)); },
       Lines({".#.#.", "#...#", ".#.#."})},
  };
  for (const GlyphCase& c : cases) {
    Sheet s(c.w, c.h);
    c.draw(s.C());
    EXPECT_EQ(s.Art(), c.want) << c.name << "\n" << s.Art();
  }
}

TEST(GlyphStrip, DrawsTheChosenGlyphWithItsCornerColourTransparent) {
  // Strip of three 3 x 2 glyphs: background green, glyph k has a red pixel in column k.
  TBitmap strip(9, 2, TPixelFormat::pf32bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 9; ++x) strip.Surface()->SetPixel(x, y, 0xFF00FF00u);
  for (int k = 0; k < 3; ++k) strip.Surface()->SetPixel(3 * k + k, 0, 0xFFFF0000u);
  for (int index = 1; index <= 3; ++index) {
    Sheet s(4, 3);
    DrawGlyph(s.C(), 1, 1, index, 3, strip);
    EXPECT_EQ(s.Art(), Lines({"....", std::string(".").append(index == 1 ? "R.." : index == 2 ? ".R." : "..R").c_str(), "...."}))
        << index;
  }
  for (auto [index, count] : {std::pair{0, 3}, {4, 3}, {1, 0}}) {
    Sheet s(4, 3);
    DrawGlyph(s.C(), 0, 0, index, count, strip);
    EXPECT_EQ(s.Art(), Lines({"....", "....", "...."})) << index << "/" << count;
  }
}

TEST(TextHelpers, CorrectTextByWidth) {
  Sheet s(10, 10);  // test font: 5 pixels a character
  struct Case {
    std::string text;
    int max;
    std::string want;
  } cases[] = {
      {"Hello World", 55, "Hello World"},  // fits: unchanged, no dots
      {"Hello World", 30, "Hel..."},
      {"Hello", 10, "..."},                // not even the dots fit
      {"\xC3\xB6\xC3\xB6\xC3\xB6\xC3\xB6\xC3\xB6", 24, "\xC3\xB6..."},  // whole characters go
  };
  for (const Case& c : cases) {
    std::string t = c.text;
    CorrectTextByWidth(s.C(), t, c.max);
    EXPECT_EQ(t, c.want) << c.text << " in " << c.max;
    std::u16string w(c.text.begin(), c.text.end());
    if (c.text[0] != '\xC3') {
      CorrectTextByWidth(s.C(), w, c.max);
      EXPECT_EQ(std::string(w.begin(), w.end()), c.want);
    }
  }
  EXPECT_EQ(GetWideTextWidth(s.C(), u"abcd"), 20);
  EXPECT_EQ(GetWideTextHeight(s.C(), u"abcd"), 10);
}

TEST(TextHelpers, MultiLineTextBreaksOrCutsWords) {
  Sheet s(10, 10);
  struct Case {
    const char* text;
    int width;
    bool keep;
    const char* want;
  } cases[] = {
      {"ab cdefghij kl", 30, false, "ab cde...  kl"},
      {"ab cdefghij kl", 30, true, "ab cdefgh ij kl"},
      {"short", 30, false, "short"},
  };
  for (const Case& c : cases) EXPECT_EQ(MultiLineTextOf(s.C(), c.text, c.width, c.keep), c.want) << c.text;
}

// Bounding box of pixels of one colour (0xRRGGBB).
TRect BoxOf(const TvxBitmap& b, uint32_t rgb) {
  TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if ((b.Pixel(x, y) & 0xFFFFFF) == rgb) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}

TEST(ImageAndText, LayoutPlacesGlyphAndCaption) {
  TImageList images(16, 16);
  TBitmap green(16, 16, TPixelFormat::pf32bit);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) green.Surface()->SetPixel(x, y, 0xFF00FF00u);
  images.Add(green);
  struct Case {
    TvxButtonLayout layout;
    int margin;
    bool pressed;
    TPoint glyph;
    int textLeft, textTop;  // first inked pixel of the caption "Ab"
  } cases[] = {
      // Rect 100 x 40, centre (50, 20); glyph 16, text 10 x 10, spacing 4.
      {blGlyphLeft, -1, false, {35, 12}, 56, 16},
      {blGlyphLeft, 3, false, {3, 12}, 24, 16},
      {blGlyphRight, 3, false, {81, 12}, 68, 16},
      {blGlyphRight, -1, true, {50, 13}, 37, 17},
      {blGlyphTop, -1, false, {42, 5}, 46, 26},
      {blGlyphBottom, 2, false, {42, 22}, 46, 9},
  };
  for (const Case& c : cases) {
    Sheet s(100, 40);
    DrawImageAndText(s.C(), Rect(0, 0, 100, 40), c.margin, 4, c.layout, "Ab", &images, 0, c.pressed, true, false,
                     clBlack);
    const TRect g = BoxOf(s.bmp, 0x00FF00);
    EXPECT_EQ(g.TopLeft(), c.glyph) << c.layout << " margin " << c.margin;
    EXPECT_EQ(g.Width(), 16);
    const TRect t = BoxOf(s.bmp, 0x000000);
    EXPECT_EQ(t.Left, c.textLeft) << c.layout << " margin " << c.margin;
    EXPECT_EQ(t.Top, c.textTop) << c.layout << " margin " << c.margin;
  }
}

TEST(ImageAndText, ColourBars) {
  TImageList images(16, 16);
  TBitmap green(16, 16, TPixelFormat::pf32bit);
  images.Add(green);
  // No glyph, no caption: the rectangle inset (4, 4, 2, 4) is filled.
  Sheet a(30, 20);
  DrawImageAndText(a.C(), Rect(0, 0, 30, 20), -1, 4, blGlyphLeft, "", nullptr, -1, false, true, true, clRed);
  EXPECT_EQ(BoxOf(a.bmp, 0xFF0000), Rect(4, 4, 28, 16));
  // With a glyph: three rows at the bottom of the glyph, the list's width.
  Sheet b(30, 30);
  DrawImageAndText(b.C(), Rect(0, 0, 30, 30), 2, 0, blGlyphLeft, "", &images, 0, false, true, true, clRed);
  EXPECT_EQ(BoxOf(b.bmp, 0xFF0000), Rect(2, 7 + 14, 18, 7 + 17));
  // Caption only: three rows around the caption's bottom, 2 pixels wider.
  Sheet c(40, 20);
  DrawImageAndText(c.C(), Rect(0, 0, 40, 20), -1, 4, blGlyphLeft, "Ab", nullptr, -1, false, true, true, clRed);
  EXPECT_EQ(BoxOf(c.bmp, 0xFF0000), Rect(15, 14, 27, 17));
}

TEST(GlowText, GlowSurroundsTheTextAndFadesOut) {
  Sheet s(80, 40);
  const int h = DrawGlowText(s.C(), Rect(20, 15, 60, 25), std::string_view("Ab"), 4, clRed, 0, DT_LEFT);
  EXPECT_EQ(h, 10);
  // Text ink stays black; right next to it the glow is reddish; far away white.
  EXPECT_EQ(s.bmp.Pixel(21, 20) & 0xFFFFFF, 0u);
  const uint32_t near = s.bmp.Pixel(19, 20);
  EXPECT_EQ((near >> 16) & 0xFF, 0xFFu);
  EXPECT_LT(near & 0xFF, 0xFFu);
  EXPECT_EQ(s.bmp.Pixel(5, 5), kWhitePx);
  EXPECT_EQ(s.bmp.Pixel(70, 20), kWhitePx);
}

TEST(ReflectionText, MirrorAppearsBelowTheTextOnly) {
  Sheet s(60, 50);
  DrawReflectionText(s.C(), Rect(10, 5, 50, 15), "Ab", clBlue, 0, DT_LEFT);
  bool below = false;
  for (int y = 16; y < 30; ++y)
    for (int x = 10; x < 50; ++x) {
      const uint32_t p = s.bmp.Pixel(x, y) & 0xFFFFFF;
      if (p != 0xFFFFFF) {
        below = true;
        EXPECT_EQ(p & 0xFF, 0xFFu) << "reflection is blue-ish at " << x << "," << y;
      }
    }
  EXPECT_TRUE(below);
  for (int x = 0; x < 60; ++x) EXPECT_EQ(s.bmp.Pixel(x, 2), kWhitePx);
}

// Sizes and offsets read from a skin file may be anything: the effects stay
// within range (no overflow under the sanitizers, no giant bitmap) and the
// text is still drawn.
TEST(TextEffects, HostileSizesAndOffsetsAreSurvived) {
  for (int v : {INT_MAX, INT_MIN, 1 << 30, -(1 << 30)}) {
    Sheet s(60, 30);
    EXPECT_EQ(DrawReflectionText(s.C(), Rect(10, 5, 50, 15), "Ab", clBlue, v, DT_LEFT), 10) << v;
    EXPECT_EQ(DrawGlowText(s.C(), Rect(10, 5, 50, 15), std::string_view("Ab"), 2, clRed, v, DT_LEFT), 10) << v;
    EXPECT_EQ(DrawGlowText(s.C(), Rect(10, 5, 50, 15), std::string_view("Ab"), v < 0 ? v : 1 << 13, clRed, 0,
                           DT_LEFT),
              10)
        << v;
  }
}

TEST(ColourAndRects, Helpers) {
  EXPECT_EQ(MixColors(RGB(10, 20, 31), RGB(20, 40, 60)), RGB(15, 30, 45));
  EXPECT_EQ(MixColors(clBlack, clWhite), RGB(127, 127, 127));
  EXPECT_TRUE(PointInRect(Rect(0, 0, 10, 10), Point(10, 10)));
  EXPECT_FALSE(PointInRect(Rect(0, 0, 10, 10), Point(11, 5)));
  EXPECT_TRUE(IsNullPoint(Point(0, 5)));
  EXPECT_FALSE(IsNullPoint(Point(1, 5)));
  EXPECT_TRUE(IsNullRect(Rect(5, 0, 5, 10)));
  EXPECT_TRUE(RectInRect(Rect(1, 1, 5, 5), Rect(0, 0, 10, 10)));
  EXPECT_FALSE(RectInRect(Rect(1, 1, 10, 5), Rect(0, 0, 10, 10)));
  EXPECT_TRUE(RectToRectIntersection(Rect(0, 0, 5, 5), Rect(4, 4, 8, 8)));
  EXPECT_FALSE(RectToRectIntersection(Rect(0, 0, 5, 5), Rect(5, 0, 8, 8)));
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST(TextHelpers, SingleLineWritersPlaceTheText) {
  // Test font: a character advances c div 2 and inks from one row below the cell
  // top. Odd font heights lift the text by one row.
  struct Case {
    const char* name;
    int height;
    std::function<void(TCanvas&)> write;
    int left, top;  // first inked pixel
  } cases[] = {
      {"left, even", -10, [](TCanvas& c) { WriteTextLeft(c, "Ab", Rect(3, 0, 40, 20)); }, 3, 6},
            // Cell at -1 + (22 - 11) div 2 = 4 instead of (21 - 11) div 2 = 5.
      {"left, odd lifts", -11, [](TCanvas& c) { WriteTextLeft(c, "Ab", Rect(3, 0, 40, 21)); }, 3, 5},
      {"centre", -10, [](TCanvas& c) { WriteTextCenter(c, "b", Rect(0, 0, 20, 10)); }, 7, 1},
      {"centre, W widens by 2", -10, [](TCanvas& c) { WriteTextCenter(c, "W", Rect(0, 0, 20, 10)); }, 8, 1},
      {"left plain ignores W", -10, [](TCanvas& c) { WriteTextLeftPlain(c, "W", Rect(4, 0, 20, 10)); }, 4, 1},
      {"aligned right", -10, [](TCanvas& c) { WriteTextAligned(c, "Ab", Rect(0, 0, 30, 10), taRightJustify); }, 20, 1},
      {"rect indent", -10, [](TCanvas& c) { WriteTextRectIndent(c, "Ab", Rect(1, 0, 40, 20), 3); }, 6, 6},
  };
  for (const Case& c : cases) {
    Sheet s(40, 20);
    s.C().Font().SetHeight(c.height);
    c.write(s.C());
    const TRect box = BoxOf(s.bmp, 0);
    EXPECT_EQ(box.Left, c.left) << c.name;
    EXPECT_EQ(box.Top, c.top) << c.name;
  }
}

}  // namespace
}  // namespace vx
