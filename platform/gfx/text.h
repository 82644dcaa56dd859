// Text output on device contexts: text out, extents, tabbed text and DrawText.
// Narrow strings are UTF-8 (a byte that does not start a valid UTF-8 sequence
// reads as the Latin-1 character of that value); wide strings are UTF-16.
// Glyphs are greyscale coverage masks of the DC's font, laid in the text colour:
// each byte becomes div255(ink * c + d * (255 - c)) for coverage c, the alpha
// byte likewise with an ink alpha of 255. No shaping and no kerning: a
// character advances by its glyph's advance. Positions are the top-left corner
// of the character cell (the baseline lies `tmAscent` below it).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/gfx/dc.h"

namespace vx {

using WideString = std::u16string;

std::u32string DecodeUtf8(std::string_view s);
std::u32string DecodeUtf16(std::u16string_view s);
std::string EncodeUtf8(std::u32string_view s);
std::u16string EncodeUtf16(std::u32string_view s);

// Text out at (x, y). With the OPAQUE background mode the cell box of the text is
// first filled with the background colour. Tabs and other control characters
// draw nothing and do not advance. Underline and strike-out of the font are drawn.
bool TextOut(HDC dc, int x, int y, std::string_view text);
bool TextOutW(HDC dc, int x, int y, std::u16string_view text);

enum : uint32_t { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4 };
// ETO_OPAQUE fills *rc with the background colour (whatever the background
// mode); ETO_CLIPPED clips the text to *rc. rc may be null without those options.
bool ExtTextOut(HDC dc, int x, int y, uint32_t options, const TRect* rc, std::string_view text);
bool ExtTextOutW(HDC dc, int x, int y, uint32_t options, const TRect* rc, std::u16string_view text);

// Width (sum of advances) and height (tmHeight) of the text on one line.
bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size);
bool GetTextExtentPoint32W(HDC dc, std::u16string_view text, TSize* size);

// Tabbed text: tab stops in pixels counted from tabOrigin. No stops: every 8
// average character widths; one stop: every stops[0] pixels (8 average widths
// when it is not positive); several: at those positions (ascending), and a tab
// past the last one advances by the width of a space. Returns the width and
// height of the drawn text.
TSize TabbedTextOut(HDC dc, int x, int y, std::string_view text, std::span<const int> stops, int tabOrigin);
TSize TabbedTextOutW(HDC dc, int x, int y, std::u16string_view text, std::span<const int> stops, int tabOrigin);
TSize GetTabbedTextExtent(HDC dc, std::string_view text, std::span<const int> stops);
TSize GetTabbedTextExtentW(HDC dc, std::u16string_view text, std::span<const int> stops);

// DrawText flags.
enum : uint32_t {
  DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
  DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_TABSTOP = 0x80,
  DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
  DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000,
  DT_MODIFYSTRING = 0x10000, DT_RTLREADING = 0x20000, DT_WORD_ELLIPSIS = 0x40000,
  DT_NOFULLWIDTHCHARBREAK = 0x80000, DT_HIDEPREFIX = 0x100000, DT_PREFIXONLY = 0x200000,
};

// Formats text in r and draws it (or only measures it with DT_CALCRECT).
// Returns the height of the text: the number of lines times tmHeight (0 for an
// empty text or a null context).
//  - Prefixes (unless DT_NOPREFIX): "&" underlines the next character and is not
//    shown, "&&" shows one "&", a final lone "&" is dropped. DT_HIDEPREFIX drops
//    the "&" without underlining.
//  - Lines: LF, CR LF, LF CR and a lone CR each end one line; a break at the very
//    end adds no empty line. DT_SINGLELINE keeps one line and draws no breaks.
//  - DT_WORDBREAK (not with DT_SINGLELINE): lines are broken at spaces so that
//    they fit the width of r; the spaces at a break are dropped; a word wider than
//    r stays whole on its own line.
//  - DT_EXPANDTABS: tabs go to the next multiple of 8 average character widths
//    from the line start (DT_TABSTOP: bits 8-15 give the count of characters,
//    and DT_CALCRECT, DT_EXTERNALLEADING, DT_INTERNAL, DT_NOCLIP and DT_NOPREFIX
//    then do not apply); otherwise tabs draw nothing.
//  - DT_END_ELLIPSIS: a line wider than r loses characters at its end until it
//    fits with "..." appended. DT_PATH_ELLIPSIS: when the line holds "\" or "/",
//    characters are removed from the end of the part before the last separator
//    ("..." put in their place) and the last part is kept whole; without a
//    separator it works as DT_END_ELLIPSIS.
//  - Horizontal: DT_LEFT, DT_CENTER (left + (width(r) - line width) / 2, truncated),
//    DT_RIGHT, per line. Vertical, only with DT_SINGLELINE: DT_VCENTER
//    (top + (height(r) - tmHeight) / 2, truncated) or DT_BOTTOM; else from the top.
//  - DT_CALCRECT draws nothing and sets r.Right = r.Left + widest line and
//    r.Bottom = r.Top + the height returned (after wrapping and ellipses).
//  - Drawing is clipped to r unless DT_NOCLIP. With the OPAQUE background mode
//    each line's box is filled with the background colour first.
//  - Other flags (DT_RTLREADING, DT_WORD_ELLIPSIS, DT_EDITCONTROL, DT_MODIFYSTRING,
//    DT_INTERNAL, DT_EXTERNALLEADING, DT_PREFIXONLY) have no effect.
int DrawText(HDC dc, std::string_view text, TRect& r, uint32_t format);
// The layout DrawText draws: each line's characters (prefixes resolved,
// ellipses applied), which of them are underlined, and where the line's cell
// starts (logical coordinates) and how wide it is.
struct TTextLine {
  std::u32string text;
  std::vector<size_t> underlined;  // indexes into text
  int x = 0, y = 0, width = 0;
};
struct TTextLayout {
  std::vector<TTextLine> lines;
  int width = 0;   // widest line
  int height = 0;  // the value DrawText returns
};
TTextLayout LayoutDrawText(HDC dc, std::u32string_view text, const TRect& r, uint32_t format);
int DrawTextW(HDC dc, std::u16string_view text, TRect& r, uint32_t format);

}  // namespace vx
