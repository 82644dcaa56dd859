#include "platform/gfx/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/font.h"

namespace vx {
namespace {

// The fixed test face at height -10: cell 10 (ascent 8, descent 2), every
// character 5 wide, glyphs solid blocks of columns 0..3 and rows 1..7 of the
// cell, underline on cell row 9, tab stops every 40.
struct TextFixture : ::testing::Test {
  TSurfacePtr s = TSurface::Create(60, 30, TPixelFormat::pf32bit);
  TDCPtr dc = CreateMemoryDC(s);
  void SetUp() override {
    TFontDesc d;
    d.Name = kTestFontName;
    d.Height = -10;
    SelectFont(dc.get(), CreateFont(d));
    SetTextColor(dc.get(), clWhite);
    SetBkMode(dc.get(), TRANSPARENT);
  }
  void Reset() {
    for (int y = 0; y < s->Height(); ++y)
      for (int x = 0; x < s->Width(); ++x) s->SetPixel(x, y, 0);
  }
  bool Ink(int x, int y) const { return s->GetPixel(x, y) == 0xFFFFFFFFu; }
  // The ink of one surface row as text.
  std::string Row(int y, int w = 60) const {
    std::string r;
    for (int x = 0; x < w; ++x) r += Ink(x, y) ? '#' : '.';
    return r;
  }
};

struct LaidLine {
  std::string text;
  int x, y;
  std::vector<size_t> ul = {};
};

TEST_F(TextFixture, DrawTextLayoutTable) {
  const struct {
    const char* name;
    const char* text;
    TRect r;
    uint32_t fmt;
    std::vector<LaidLine> want;
    int height;
  } cases[] = {
      {"one line", "abc", {0, 0, 100, 50}, DT_LEFT, {{"abc", 0, 0}}, 10},
      {"LF", "ab\ncd", {0, 0, 100, 50}, 0, {{"ab", 0, 0}, {"cd", 0, 10}}, 20},
      {"CR LF is one break", "ab\r\ncd", {0, 0, 100, 50}, 0, {{"ab", 0, 0}, {"cd", 0, 10}}, 20},
      {"LF CR is one break", "ab\n\rcd", {0, 0, 100, 50}, 0, {{"ab", 0, 0}, {"cd", 0, 10}}, 20},
      {"lone CR breaks", "ab\rcd", {0, 0, 100, 50}, 0, {{"ab", 0, 0}, {"cd", 0, 10}}, 20},
      {"LF LF is an empty line", "a\n\nb", {0, 0, 100, 50}, 0, {{"a", 0, 0}, {"", 0, 10}, {"b", 0, 20}}, 30},
      {"final break adds nothing", "a\n", {0, 0, 100, 50}, 0, {{"a", 0, 0}}, 10},
      {"single line drops breaks", "ab\r\ncd", {0, 0, 100, 50}, DT_SINGLELINE, {{"abcd", 0, 0}}, 10},
      {"center", "ab", {10, 0, 41, 50}, DT_CENTER, {{"ab", 20, 0}}, 10},
      {"center per line", "abcd\nab", {0, 0, 40, 50}, DT_CENTER, {{"abcd", 10, 0}, {"ab", 15, 10}}, 20},
      {"center of a too wide line", "abcdefgh", {0, 0, 30, 50}, DT_CENTER, {{"abcdefgh", -5, 0}}, 10},
      {"right", "ab", {0, 0, 40, 50}, DT_RIGHT, {{"ab", 30, 0}}, 10},
      {"vcenter", "ab", {0, 0, 40, 25}, DT_SINGLELINE | DT_VCENTER, {{"ab", 0, 7}}, 10},
      {"vcenter needs single line", "ab", {0, 0, 40, 25}, DT_VCENTER, {{"ab", 0, 0}}, 10},
      {"bottom", "ab", {0, 0, 40, 25}, DT_SINGLELINE | DT_BOTTOM, {{"ab", 0, 15}}, 10},
      {"bottom needs single line", "ab", {0, 0, 40, 25}, DT_BOTTOM, {{"ab", 0, 0}}, 10},
      {"prefix", "&File", {0, 0, 100, 50}, 0, {{"File", 0, 0, {0}}}, 10},
      {"prefix in the middle", "Sa&ve as", {0, 0, 100, 50}, 0, {{"Save as", 0, 0, {2}}}, 10},
      {"double ampersand", "a&&b", {0, 0, 100, 50}, 0, {{"a&b", 0, 0}}, 10},
      {"final lone ampersand", "ab&", {0, 0, 100, 50}, 0, {{"ab", 0, 0}}, 10},
      {"no prefix", "&a&&b", {0, 0, 100, 50}, DT_NOPREFIX, {{"&a&&b", 0, 0}}, 10},
      {"hide prefix lays out alike", "&File", {0, 0, 100, 50}, DT_HIDEPREFIX, {{"File", 0, 0, {0}}}, 10},
      {"word break", "aaa bb cc", {0, 0, 40, 50}, DT_WORDBREAK, {{"aaa bb", 0, 0}, {"cc", 0, 10}}, 20},
      {"word break drops the spaces at a break", "aa   bb", {0, 0, 20, 50}, DT_WORDBREAK,
       {{"aa", 0, 0}, {"bb", 0, 10}}, 20},
      {"long word stays whole", "aaaaaaaaaa b", {0, 0, 20, 50}, DT_WORDBREAK, {{"aaaaaaaaaa", 0, 0}, {"b", 0, 10}}, 20},
      {"word break keeps paragraphs", "ab cd\nef", {0, 0, 100, 50}, DT_WORDBREAK, {{"ab cd", 0, 0}, {"ef", 0, 10}}, 20},
      {"word break centred", "aaa bb cc", {0, 0, 40, 50}, DT_WORDBREAK | DT_CENTER,
       {{"aaa bb", 5, 0}, {"cc", 15, 10}}, 20},
      {"word break ignored on a single line", "aaa bb cc", {0, 0, 40, 50}, DT_WORDBREAK | DT_SINGLELINE,
       {{"aaa bb cc", 0, 0}}, 10},
      {"end ellipsis", "abcdefgh", {0, 0, 30, 50}, DT_END_ELLIPSIS, {{"abc...", 0, 0}}, 10},
      {"end ellipsis fits already", "abcdef", {0, 0, 30, 50}, DT_END_ELLIPSIS, {{"abcdef", 0, 0}}, 10},
      {"end ellipsis too narrow for anything", "abcdef", {0, 0, 10, 50}, DT_END_ELLIPSIS, {{"...", 0, 0}}, 10},
      {"end ellipsis keeps the prefix mark", "&abcdefgh", {0, 0, 30, 50}, DT_END_ELLIPSIS,
       {{"abc...", 0, 0, {0}}}, 10},
      {"path ellipsis", "ab\\cd\\ef", {0, 0, 35, 50}, DT_PATH_ELLIPSIS, {{"a...\\ef", 0, 0}}, 10},
      {"path ellipsis with slashes", "/usr/share/x", {0, 0, 40, 50}, DT_PATH_ELLIPSIS, {{"/us.../x", 0, 0}}, 10},
      {"path ellipsis without separator", "abcdefgh", {0, 0, 30, 50}, DT_PATH_ELLIPSIS, {{"abc...", 0, 0}}, 10},
      {"empty text", "", {0, 0, 30, 50}, 0, {}, 0},
  };
  for (const auto& c : cases) {
    const TTextLayout lay = LayoutDrawText(dc.get(), DecodeUtf8(c.text), c.r, c.fmt);
    ASSERT_EQ(lay.lines.size(), c.want.size()) << c.name;
    for (size_t i = 0; i < c.want.size(); ++i) {
      EXPECT_EQ(EncodeUtf8(lay.lines[i].text), c.want[i].text) << c.name << " line " << i;
      EXPECT_EQ(lay.lines[i].x, c.want[i].x) << c.name << " line " << i;
      EXPECT_EQ(lay.lines[i].y, c.want[i].y) << c.name << " line " << i;
      EXPECT_EQ(lay.lines[i].underlined, c.want[i].ul) << c.name << " line " << i;
      EXPECT_EQ(lay.lines[i].width, 5 * int(DecodeUtf8(c.want[i].text).size())) << c.name;
    }
    EXPECT_EQ(lay.height, c.height) << c.name;
    TRect r = c.r;
    EXPECT_EQ(DrawText(dc.get(), c.text, r, c.fmt), c.height) << c.name;
  }
}

TEST_F(TextFixture, CalcRectTabsAndWideText) {
  const struct {
    const char* name;
    std::u16string text;
    uint32_t fmt;
    TRect want;
  } cases[] = {
      {"plain", u"abc", DT_CALCRECT, {3, 4, 18, 14}},
      {"two lines take the widest", u"abcd\nab", DT_CALCRECT, {3, 4, 23, 24}},
      {"tabs not expanded draw nothing", u"a\tb", DT_CALCRECT, {3, 4, 13, 14}},
      {"tabs expanded", u"a\tb", DT_CALCRECT | DT_EXPANDTABS, {3, 4, 48, 14}},
      {"tab from the line start", u"abcdefghij\tb", DT_CALCRECT | DT_EXPANDTABS, {3, 4, 88, 14}},
      {"word break wraps to the width", u"aaa bb cc", DT_CALCRECT | DT_WORDBREAK, {3, 4, 33, 24}},
      {"surrogate pair is one character", u"a\U0001F600b", DT_CALCRECT, {3, 4, 18, 14}},
  };
  for (const auto& c : cases) {
    TRect r{3, 4, 43, 4};
    const int h = DrawTextW(dc.get(), c.text, r, c.fmt);
    EXPECT_EQ(r, c.want) << c.name;
    EXPECT_EQ(h, c.want.Height()) << c.name;
  }
  // DT_TABSTOP: 2 characters per stop; calc rect does not apply with it, so it draws.
  TRect r{0, 0, 60, 30};
  DrawText(dc.get(), "a\tb", r, DT_EXPANDTABS | DT_TABSTOP | (2 << 8));
  EXPECT_EQ(Row(4, 16), "####......####..");
}

TEST_F(TextFixture, DrawnPixelsFollowTheLayout) {
  TRect r{2, 3, 60, 30};
  DrawText(dc.get(), "a&bc", r, DT_NOCLIP);
  EXPECT_EQ(Row(3, 20), "....................") << "cell row 0 is empty";
  EXPECT_EQ(Row(4, 20), "..####.####.####....");
  EXPECT_EQ(Row(10, 20), "..####.####.####....");
  EXPECT_EQ(Row(11, 20), "....................") << "descent";
  EXPECT_EQ(Row(12, 20), ".......#####........") << "prefix underline on cell row 9";

  Reset();
  r = TRect{2, 3, 60, 30};
  DrawText(dc.get(), "a&bc", r, DT_HIDEPREFIX);
  EXPECT_EQ(Row(12, 20), "....................");

  // Clipped to the rectangle unless DT_NOCLIP.
  Reset();
  r = TRect{0, 0, 7, 30};
  DrawText(dc.get(), "ab", r, 0);
  EXPECT_EQ(Row(4, 12), "####.##.....");
  Reset();
  r = TRect{0, 0, 7, 30};
  DrawText(dc.get(), "ab", r, DT_NOCLIP);
  EXPECT_EQ(Row(4, 12), "####.####...");

  // Opaque background fills each line's box.
  Reset();
  SetBkMode(dc.get(), OPAQUE);
  SetBkColor(dc.get(), RGB(1, 2, 3));
  r = TRect{0, 0, 60, 30};
  DrawText(dc.get(), "ab", r, 0);
  EXPECT_EQ(s->GetPixel(9, 0), 0xFF010203u);
  EXPECT_EQ(s->GetPixel(10, 0), 0u);
  EXPECT_EQ(s->GetPixel(9, 9), 0xFF010203u);
  EXPECT_EQ(s->GetPixel(0, 10), 0u);
}

TEST_F(TextFixture, TwentyFourBitSurfacesGetTheSameInk) {
  auto s24 = TSurface::Create(60, 30, TPixelFormat::pf24bit);
  auto dc24 = CreateMemoryDC(s24);
  SelectFont(dc24.get(), GetCurrentFont(dc.get()));
  SetTextColor(dc24.get(), RGB(10, 200, 30));
  SetTextColor(dc.get(), RGB(10, 200, 30));
  SetBkMode(dc24.get(), TRANSPARENT);
  for (HDC d : {dc.get(), dc24.get()}) {
    TRect r{1, 2, 60, 30};
    DrawText(d, "ab\ncd", r, DT_CENTER);
  }
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x)
      ASSERT_EQ(s24->GetPixel(x, y) & 0xFFFFFF, s->GetPixel(x, y) & 0xFFFFFF) << x << "," << y;
  EXPECT_EQ(s24->GetPixel(26, 3), 0xFF0AC81Eu);  // red 10, green 200, blue 30
}

TEST_F(TextFixture, TextOutExtentAndTabbedText) {
  TSize sz;
  ASSERT_TRUE(GetTextExtentPoint32(dc.get(), "h\xC3\xA9llo", &sz));  // UTF-8 e-acute is one character
  EXPECT_EQ(sz, (TSize{25, 10}));
  ASSERT_TRUE(GetTextExtentPoint32(dc.get(), "h\xE9llo", &sz));  // a stray Latin-1 byte too
  EXPECT_EQ(sz, (TSize{25, 10}));

  TextOut(dc.get(), 1, 0, "ab");
  EXPECT_EQ(Row(1, 12), ".####.####..");

  // "a\tb\tc" with characters 5 wide.
  const struct {
    const char* name;
    std::vector<int> stops;
    int origin;
    int width;
  } cases[] = {
      {"default stops every 40", {}, 0, 85},
      {"one stop repeats", {12}, 0, 29},                  // a 5, tab 12, b 17, tab 24, c 29
      {"listed stops", {7, 30}, 0, 35},                   // tab 7, b 12, tab 30, c 35
      {"past the last stop a tab is a space", {7, 10}, 0, 22},  // tab 7, b 12, tab +5, c 22
      {"origin shifts the stops", {12}, -4, 29},          // stops at 8, 20: c ends at 25, 29 from x = -4
      {"non-positive single stop is the default", {0}, 0, 85},
  };
  for (const auto& c : cases) {
    if (c.origin == 0) {
      EXPECT_EQ(GetTabbedTextExtent(dc.get(), "a\tb\tc", c.stops).cx, c.width) << c.name;
    }
    const TSize drawn = TabbedTextOut(dc.get(), c.origin, 20, "a\tb\tc", c.stops, c.origin);
    EXPECT_EQ(drawn, (TSize{c.width, 10})) << c.name;
  }
  Reset();
  const int stops[] = {12};
  TabbedTextOut(dc.get(), 0, 0, "a\tb", stops, 0);
  EXPECT_EQ(Row(1, 20), "####........####....");
}

}  // namespace
}  // namespace vx
