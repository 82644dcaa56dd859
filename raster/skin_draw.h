// Text, glyph and layout helpers of skinned painting: texts with ellipsis, word
// wrap, glow and reflection; arrows, check marks and caption glyphs; the
// image-and-text layout of buttons and items; rectangle and colour helpers.
// Narrow texts are UTF-8, wide texts UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "platform/gfx/font_style.h"

namespace vx {

class TCanvas;
class TBitmap;
class TImageList;

// ---- Strips of glyphs.

// Draws glyph Index (1-based) of a strip of Count equal glyphs at (X, Y),
// transparent by its bottom-left pixel's colour. Index or Count out of range
// draws nothing.
void DrawGlyph(TCanvas& Canvas, int X, int Y, int Index, int Count, const TBitmap& Bitmap);

// ---- Text.

// The platform's wide text drawing with the canvas's font and colours; returns
// the drawn height.
int DrawWideText(TCanvas& Canvas, std::u16string_view Text, TRect& Rect, uint32_t Format);
int GetWideTextWidth(TCanvas& Canvas, std::u16string_view Text);
int GetWideTextHeight(TCanvas& Canvas, std::u16string_view Text);

// When Text is wider than MaxWidth, drops whole characters from its end until
// the rest followed by "..." fits (or nothing is left) and appends "...".
void CorrectTextByWidth(TCanvas& Canvas, std::string& Text, int MaxWidth);
void CorrectTextByWidth(TCanvas& Canvas, std::u16string& Text, int MaxWidth);

// Single line, vertically centred, not clipped. The first two move the
// rectangle's right edge 2 pixels right when the text starts with "W". Every
// single-line writer lifts the rectangle by one pixel when the font height is odd.
void WriteTextCenter(TCanvas& Canvas, std::string_view Text, TRect Rect);
void WriteTextLeft(TCanvas& Canvas, std::string_view Text, TRect Rect);
void WriteTextLeftPlain(TCanvas& Canvas, std::string_view Text, TRect Rect);
void WriteTextAligned(TCanvas& Canvas, std::string_view Text, TRect Rect, TAlignment Alignment);
// The canvas's clipped text output at x = Rect.Left + 2 (+ Indent), vertically centred.
void WriteTextRect(TCanvas& Canvas, std::string_view Text, TRect Rect);
void WriteTextRectIndent(TCanvas& Canvas, std::string_view Text, TRect Rect, int Indent);
// Word-wrapped, horizontally centred text. With KeepWords a word that does not
// fit starts a new line; without it the rest of the word is cut off and the
// line ends in "...".
void WriteMultiLineText(TCanvas& Canvas, std::string_view Text, TRect Rect, bool KeepWords);
// The text WriteMultiLineText hands to the word-wrapping output for a width.
std::string MultiLineTextOf(TCanvas& Canvas, std::string_view Text, int Width, bool KeepWords);

// Text over a blurred glow of GlowColor, GlowSize pixels wide, moved by
// GlowOffset (a shadow when the offset is positive). Returns the text's height.
int DrawGlowText(TCanvas& Canvas, TRect Rect, std::string_view Text, int GlowSize, TColor GlowColor,
                 int GlowOffset, uint32_t Format);
int DrawGlowText(TCanvas& Canvas, TRect Rect, std::u16string_view Text, int GlowSize, TColor GlowColor,
                 int GlowOffset, uint32_t Format);
// The same with a glow made from the text drawn five times (thicker).
int DrawThickGlowText(TCanvas& Canvas, TRect Rect, std::string_view Text, int GlowSize, TColor GlowColor,
                      int GlowOffset, uint32_t Format);
// Wide soft glows of radius 10 (and 12 for W2).
int DrawVistaGlowText(TCanvas& Canvas, TRect Rect, std::string_view Text, TColor GlowColor, uint32_t Format);
int DrawVistaGlowTextW(TCanvas& Canvas, TRect Rect, std::u16string_view Text, TColor GlowColor, uint32_t Format);
int DrawVistaGlowTextW2(TCanvas& Canvas, TRect Rect, std::u16string_view Text, TColor GlowColor, uint32_t Format);
// Text with a fading mirror image of ReflectionColor under it.
int DrawReflectionText(TCanvas& Canvas, TRect Rect, std::string_view Text, TColor ReflectionColor,
                       int ReflectionOffset, uint32_t Format);
int DrawReflectionTextW(TCanvas& Canvas, TRect Rect, std::string_view Text, TColor ReflectionColor,
                        int ReflectionOffset, uint32_t Format);

// ---- Glyphs. Coordinates are relative to (X, Y) or to the centre of Rect.

// Kind 1 left, 2 right, 3 up, 4 down (4-step triangles), 5 a plus sign.
void DrawArrowImage(TCanvas& Canvas, TRect Rect, TColor Color, int Kind);
// Kinds 1 to 4 with 6 steps.
void DrawBigArrowImage(TCanvas& Canvas, TRect Rect, TColor Color, int Kind);
void DrawTrackArrowImage(TCanvas& Canvas, TRect Rect, TColor Color);
void DrawEndArrowImage(TCanvas& Canvas, TRect Rect, TColor Color);
void DrawBackArrowImage(TCanvas& Canvas, TRect Rect, TColor Color);
void DrawCheckImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRadioImage(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
void DrawTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color);
// One-pixel frame: left and top in TopLeftColor, right and bottom in BottomRightColor.
void DrawFrame3D(TCanvas& Canvas, TRect Rect, TColor TopLeftColor, TColor BottomRightColor);
// A dotted one-pixel rectangle in the canvas font colour.
void DrawSkinFocusRect(TCanvas& Canvas, TRect Rect);

// ---- Image and text layout.

enum TvxButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Lays out image ImageIndex of Images (may be null) and a multi-line Caption in
// Rect and draws them. Margin -1 centres the pair.
void DrawImageAndText(TCanvas& Canvas, TRect Rect, int Margin, int Spacing, TvxButtonLayout Layout,
                      std::string_view Caption, TImageList* Images, int ImageIndex, bool Pressed, bool Enabled,
                      bool ColorBar, TColor ColorBarColor);
// The same with every caption line starting at the text's left edge.
void DrawImageAndTextLeft(TCanvas& Canvas, TRect Rect, int Margin, int Spacing, TvxButtonLayout Layout,
                          std::string_view Caption, TImageList* Images, int ImageIndex, bool Pressed, bool Enabled,
                          bool ColorBar, TColor ColorBarColor);
// The same with glyph GlyphIndex (1-based) of a strip of GlyphCount glyphs.
void DrawImageAndTextGlyph(TCanvas& Canvas, TRect Rect, int Margin, int Spacing, TvxButtonLayout Layout,
                           std::string_view Caption, const TBitmap& Glyph, int GlyphCount, int GlyphIndex,
                           bool Pressed, bool ColorBar, TColor ColorBarColor);

// ---- Rectangles and colours.

// Channel-wise average of two colours (system colours resolved first).
TColor MixColors(TColor Color1, TColor Color2);

constexpr int RectWidth(const TRect& R) { return R.Right - R.Left; }
constexpr int RectHeight(const TRect& R) { return R.Bottom - R.Top; }
constexpr TRect NullRect() { return {0, 0, 0, 0}; }
// Width or height zero or negative.
constexpr bool IsNullRect(const TRect& R) { return R.Right - R.Left <= 0 || R.Bottom - R.Top <= 0; }
// X or Y is zero.
constexpr bool IsNullPoint(const TPoint& P) { return P.X == 0 || P.Y == 0; }
// Both edges inclusive.
constexpr bool PointInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X <= R.Right && P.Y >= R.Top && P.Y <= R.Bottom;
}
// Both corners of R1 inside R2 by the platform's point test (right and bottom
// edges exclusive).
constexpr bool RectInRect(const TRect& R1, const TRect& R2) { return R2.Contains(R1.TopLeft()) && R2.Contains(R1.BottomRight()); }
// True when the rectangles share at least one pixel.
constexpr bool RectToRectIntersection(const TRect& R1, const TRect& R2) { return !IntersectRect(R1, R2).IsEmpty(); }
constexpr bool EqualRects(const TRect& R1, const TRect& R2) { return R1 == R2; }
constexpr int Max(int A, int B) { return A > B ? A : B; }
constexpr int Min(int A, int B) { return A < B ? A : B; }

}  // namespace vx
