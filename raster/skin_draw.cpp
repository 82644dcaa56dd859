#include "raster/skin_draw.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <type_traits>
#include <vector>

#include "platform/gfx/canvas.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/imagelist.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/text.h"
#include "raster/vx_bitmap.h"

namespace vx {

// ---------------------------------------------------------------------------
// Glyph strips

void DrawGlyph(TCanvas& Canvas, int X, int Y, int Index, int Count, const TBitmap& Bitmap) {
  if (Count <= 0 || Index < 1 || Index > Count || Bitmap.Empty()) return;
  const int gw = Bitmap.Width() / Count, gh = Bitmap.Height();
  if (gw <= 0) return;
  TBitmap glyph(gw, gh, TPixelFormat::pf32bit);
  BitBlt(glyph.DC(), 0, 0, gw, gh, Bitmap.DC(), (Index - 1) * gw, 0, SRCCOPY);
  glyph.SetTransparentMode(tmAuto);
  glyph.SetTransparent(true);
  Canvas.Draw(X, Y, glyph);
}

// ---------------------------------------------------------------------------
// Text

namespace {

bool OddFontHeight(TCanvas& c) { return c.Font().Height() % 2 != 0; }

int DrawNarrow(TCanvas& c, std::string_view text, TRect& r, uint32_t format) {
  c.ApplyFont();
  return DrawText(c.Handle(), text, r, format);
}

int TextWidthOf(TCanvas& c, std::string_view text) { return c.TextWidth(text); }

// Byte length of the last UTF-8 character of s (a stray byte counts alone).
size_t LastCharLength(const std::string& s) {
  size_t n = 1;
  while (n < s.size() && n < 4 && (static_cast<unsigned char>(s[s.size() - n]) & 0xC0) == 0x80) ++n;
  const unsigned char lead = static_cast<unsigned char>(s[s.size() - n]);
  const size_t want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return want == n ? n : 1;
}

size_t LastCharLength(const std::u16string& s) {
  if (s.size() >= 2 && (s.back() & 0xFC00) == 0xDC00 && (s[s.size() - 2] & 0xFC00) == 0xD800) return 2;
  return 1;
}

template <typename Str, typename Measure>
void CorrectByWidth(Str& text, int maxWidth, Measure measure, const Str& dots) {
  if (measure(text) <= maxWidth) return;
  while (!text.empty()) {
    text.erase(text.size() - LastCharLength(text));
    if (measure(text + dots) <= maxWidth) break;
  }
  text += dots;
}

void SingleLine(TCanvas& c, std::string_view text, TRect r, uint32_t align, bool wRule) {
  if (wRule && !text.empty() && text[0] == 'W') r.Right += 2;
  if (OddFontHeight(c)) r.Top -= 1;
  DrawNarrow(c, text, r, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | align);
}

}  // namespace

int DrawWideText(TCanvas& Canvas, std::u16string_view Text, TRect& Rect, uint32_t Format) {
  Canvas.ApplyFont();
  return DrawTextW(Canvas.Handle(), Text, Rect, Format);
}

int GetWideTextWidth(TCanvas& Canvas, std::u16string_view Text) {
  TRect r;
  DrawWideText(Canvas, Text, r, DT_CALCRECT);
  return r.Width();
}

int GetWideTextHeight(TCanvas& Canvas, std::u16string_view Text) {
  TRect r;
  DrawWideText(Canvas, Text, r, DT_CALCRECT);
  return r.Height();
}

void CorrectTextByWidth(TCanvas& Canvas, std::string& Text, int MaxWidth) {
  CorrectByWidth(Text, MaxWidth, [&](const std::string& s) { return TextWidthOf(Canvas, s); }, std::string("..."));
}

void CorrectTextByWidth(TCanvas& Canvas, std::u16string& Text, int MaxWidth) {
  CorrectByWidth(Text, MaxWidth, [&](const std::u16string& s) { return GetWideTextWidth(Canvas, s); },
                 std::u16string(u"..."));
}

void WriteTextCenter(TCanvas& Canvas, std::string_view Text, TRect Rect) {
  SingleLine(Canvas, Text, Rect, DT_CENTER, true);
}
void WriteTextLeft(TCanvas& Canvas, std::string_view Text, TRect Rect) { SingleLine(Canvas, Text, Rect, DT_LEFT, true); }
void WriteTextLeftPlain(TCanvas& Canvas, std::string_view Text, TRect Rect) {
  SingleLine(Canvas, Text, Rect, DT_LEFT, false);
}
void WriteTextAligned(TCanvas& Canvas, std::string_view Text, TRect Rect, TAlignment Alignment) {
  const uint32_t align = Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
  SingleLine(Canvas, Text, Rect, align, false);
}

void WriteTextRectIndent(TCanvas& Canvas, std::string_view Text, TRect Rect, int Indent) {
  int y = Rect.Top + Rect.Height() / 2 - Canvas.TextHeight(Text) / 2;
  if (OddFontHeight(Canvas)) y -= 1;
  Canvas.TextRect(Rect, Rect.Left + 2 + Indent, y, Text);
}
void WriteTextRect(TCanvas& Canvas, std::string_view Text, TRect Rect) { WriteTextRectIndent(Canvas, Text, Rect, 0); }

std::string MultiLineTextOf(TCanvas& Canvas, std::string_view Text, int Width, bool KeepWords) {
  const std::u32string chars = DecodeUtf8(Text);
  std::u32string out, line;
  bool dropping = false;
  auto lineWidth = [&]() {
    TRect r;
    DrawNarrow(Canvas, EncodeUtf8(line), r, DT_CALCRECT);
    return r.Width();
  };
  for (char32_t c : chars) {
    line += c;
    const bool blank = c == U' ';
    if (!KeepWords && dropping) {
      if (!blank) continue;  // dropped up to the next blank
      dropping = false;
    }
    if (blank || lineWidth() <= Width) {
      out += c;
      if (blank) line.clear();
      continue;
    }
    if (KeepWords) {
      // Break before the character; it starts the next line.
      out += U' ';
      out += c;
      line.clear();
    } else {
      // Cut the word: its end becomes "...", the rest up to the next blank is dropped.
      if (out.size() > 3) out.replace(out.size() - 3, 3, U"...");
      out += U' ';
      line.clear();
      dropping = true;
    }
  }
  return EncodeUtf8(out);
}

void WriteMultiLineText(TCanvas& Canvas, std::string_view Text, TRect Rect, bool KeepWords) {
  if (Text.empty()) return;
  const std::string out = MultiLineTextOf(Canvas, Text, Rect.Width(), KeepWords);
  if (OddFontHeight(Canvas)) Rect.Top -= 1;
  DrawNarrow(Canvas, out, Rect, DT_WORDBREAK | DT_CENTER);
}

// ---------------------------------------------------------------------------
// Glow and reflection

namespace {

// Text drawer on a TvxBitmap: red text with the canvas's font, clear background.
using TextPainter = std::function<void(TvxBitmap& b, TRect r, uint32_t format)>;

void PrepareRed(TvxBitmap& b, TCanvas& from) {
  TCanvas& c = b.Canvas();
  c.Font().Assign(from.Font());
  c.Font().SetColor(clRed);
  c.Brush().SetStyle(bsClear);
  c.ApplyFont();
}

// Every pixel becomes the glow colour with the red byte as alpha.
void RedToAlpha(TvxBitmap& b, TColor color) {
  const uint32_t rgb = ColorToPixel(color) & 0x00FFFFFFu;
  const size_t n = size_t(b.Width()) * size_t(b.Height());
  uint32_t* p = b.Bits();
  for (size_t i = 0; i < n; ++i) p[i] = ((p[i] << 8) & 0xFF000000u) | rgb;
  b.SetHasAlpha(true);
}

template <typename Str>
int DrawTextOf(TCanvas& c, const Str& text, TRect& r, uint32_t format) {
  if constexpr (std::is_same_v<Str, std::u16string_view>) {
    return DrawWideText(c, text, r, format);
  } else {
    return DrawNarrow(c, text, r, format);
  }
}

template <typename Str>
void RedText(TvxBitmap& b, const Str& text, TRect r, uint32_t format) {
  if constexpr (std::is_same_v<Str, std::u16string_view>) {
    DrawTextW(b.DC(), text, r, format);
  } else {
    DrawText(b.DC(), text, r, format);
  }
}

// The final text itself, over the glow, with a clear brush.
template <typename Str>
int PlainText(TCanvas& c, const Str& text, TRect r, uint32_t format) {
  c.Brush().SetStyle(bsClear);
  return DrawTextOf(c, text, r, format);
}

// Glow sizes and glow or reflection offsets come from skin files: they are
// taken within these limits, so that positions and bitmap sizes stay in range.
constexpr int kMaxGlowSize = 256;
constexpr int kMaxTextEffectOffset = 1 << 12;

// Builds a glow bitmap of Rect grown by `grow` on each side: `paint` lays the
// red text, `blur` blurs; then it is blended at (Rect.Left + offset - grow, ...).
void Glow(TCanvas& c, const TRect& rect, int grow, int offset, TColor color, const std::function<void(TvxBitmap&)>& paint,
          const std::function<void(TvxBitmap&)>& blur) {
  const int w = rect.Width() + 2 * grow, h = rect.Height() + 2 * grow;
  if (w <= 0 || h <= 0) return;
  TvxBitmap b(w, h);
  PrepareRed(b, c);
  paint(b);
  blur(b);
  RedToAlpha(b, color);
  b.Draw(c, rect.Left + offset - grow, rect.Top + offset - grow);
}

template <typename Str>
int GlowText(TCanvas& c, TRect rect, Str text, int g, TColor color, int offset, uint32_t format, bool thick) {
  g = std::clamp(g, 0, kMaxGlowSize);
  offset = std::clamp(offset, -kMaxTextEffectOffset, kMaxTextEffectOffset);
  const TRect inner = Bounds(g, g, rect.Width(), rect.Height());
  Glow(
      c, rect, g, offset, color,
      [&](TvxBitmap& b) {
        RedText(b, text, inner, format);
        if (thick)
          for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) RedText(b, text, inner.Offset(dx, dy), format);
      },
      [&](TvxBitmap& b) { b.StackBlur(g); });
  return PlainText(c, text, rect, format);
}

// variant 0: narrow, radius 10; 1: wide with an inset block, radius 10; 2: wide
// with a widened block, radius 12.
template <typename Str>
int VistaGlow(TCanvas& c, TRect rect, Str text, TColor color, uint32_t format, int variant) {
  const int r = variant == 2 ? 12 : 10;
  const TRect inner = Bounds(r, r, rect.Width(), rect.Height());
  Glow(
      c, rect, r, 0, color,
      [&](TvxBitmap& b) {
        if (variant == 1) b.FillRect(inner.Inflate(-3, -3), 0xFFFF0000u);
        if (variant == 2) b.FillRect(inner.Inflate(3, -2), 0xFFFF0000u);
        for (auto [dx, dy] : {std::pair{-1, -1}, {-2, -2}, {-1, 0}, {-2, 0}, {1, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 0}})
          RedText(b, text, inner.Offset(dx, dy), format);
      },
      [&](TvxBitmap& b) {
        if (variant == 0) {
          b.StackBlur(r);
        } else {
          b.StackBlur(r / 2);
          b.StackBlur(r / 2);
        }
      });
  return PlainText(c, text, rect, format);
}

template <typename Str>
int Reflection(TCanvas& c, TRect rect, Str text, TColor color, int offset, uint32_t format, double floor) {
  offset = std::clamp(offset, -kMaxTextEffectOffset, kMaxTextEffectOffset);
  const int w = rect.Width(), h = rect.Height();
  if (w > 0 && h > 0) {
    TvxBitmap b(w, h);
    PrepareRed(b, c);
    RedText(b, text, TRect{0, 0, w, h}, format);
    TRect inside{0, 0, w, h};
    RedText(b, text, inside, format | DT_CALCRECT);
    TRect onCanvas = rect;
    DrawTextOf(c, text, onCanvas, format | DT_CALCRECT);
    const int t = inside.Top, bo = inside.Bottom;
    if (bo > t) {
      const uint32_t rgb = ColorToPixel(color) & 0x00FFFFFFu;
      for (int i = 0; i < h; ++i) {
        uint32_t* row = b.ScanLine(i);
        if (i < t || i > bo) {
          std::fill_n(row, w, 0u);
          continue;
        }
        double f = 0.7 - double(t + bo - i) / double(bo - t);
        if (f < floor) f = floor;
        for (int x = 0; x < w; ++x) {
          const double a = std::nearbyint(double((row[x] >> 16) & 0xFF) * f);
          row[x] = (uint32_t(std::clamp(a, 0.0, 255.0)) << 24) | rgb;
        }
      }
    }
    for (int i = 0; i < h / 2; ++i) std::swap_ranges(b.ScanLine(i), b.ScanLine(i) + w, b.ScanLine(h - 1 - i));
    b.SetHasAlpha(true);
    b.Draw(c, rect.Left, onCanvas.Bottom + bo + offset - h);
  }
  return PlainText(c, text, rect, format);
}

}  // namespace

int DrawGlowText(TCanvas& Canvas, TRect Rect, std::string_view Text, int GlowSize, TColor GlowColor, int GlowOffset,
                 uint32_t Format) {
  return GlowText(Canvas, Rect, Text, GlowSize, GlowColor, GlowOffset, Format, false);
}
int DrawGlowText(TCanvas& Canvas, TRect Rect, std::u16string_view Text, int GlowSize, TColor GlowColor,
                 int GlowOffset, uint32_t Format) {
  return GlowText(Canvas, Rect, Text, GlowSize, GlowColor, GlowOffset, Format, false);
}
int DrawThickGlowText(TCanvas& Canvas, TRect Rect, std::string_view Text, int GlowSize, TColor GlowColor,
                      int GlowOffset, uint32_t Format) {
  return GlowText(Canvas, Rect, Text, GlowSize, GlowColor, GlowOffset, Format, true);
}
int DrawVistaGlowText(TCanvas& Canvas, TRect Rect, std::string_view Text, TColor GlowColor, uint32_t Format) {
  return VistaGlow(Canvas, Rect, Text, GlowColor, Format, 0);
}
int DrawVistaGlowTextW(TCanvas& Canvas, TRect Rect, std::u16string_view Text, TColor GlowColor, uint32_t Format) {
  return VistaGlow(Canvas, Rect, Text, GlowColor, Format, 1);
}
int DrawVistaGlowTextW2(TCanvas& Canvas, TRect Rect, std::u16string_view Text, TColor GlowColor, uint32_t Format) {
  return VistaGlow(Canvas, Rect, Text, GlowColor, Format, 2);
}
int DrawReflectionText(TCanvas& Canvas, TRect Rect, std::string_view Text, TColor ReflectionColor,
                       int ReflectionOffset, uint32_t Format) {
  return Reflection(Canvas, Rect, Text, ReflectionColor, ReflectionOffset, Format, 0.05);
}
int DrawReflectionTextW(TCanvas& Canvas, TRect Rect, std::string_view Text, TColor ReflectionColor,
                        int ReflectionOffset, uint32_t Format) {
  const std::u16string wide = EncodeUtf16(DecodeUtf8(Text));
  return Reflection(Canvas, Rect, std::u16string_view(wide), ReflectionColor, ReflectionOffset, Format, 0.0);
}

// ---------------------------------------------------------------------------
// Glyphs

namespace {

void SetPen(TCanvas& c, TColor color) {
  c.Pen().SetColor(color);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

void Frame(TCanvas& c, int l, int t, int r, int b) {
  c.Brush().SetStyle(bsClear);
  c.Rectangle(l, t, r, b);
}

TPoint Centre(const TRect& r) { return {r.Left + r.Width() / 2, r.Top + r.Height() / 2}; }

void Arrow(TCanvas& c, const TRect& rect, TColor color, int kind, int steps) {
  SetPen(c, color);
  const auto [cx, cy] = Centre(rect);
  switch (kind) {
    case 1:
      for (int i = 0; i < steps; ++i) Line(c, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
      break;
    case 2:
      for (int n = steps - 1; n >= 0; --n) Line(c, cx + 2 - n, cy + n, cx + 2 - n, cy - n - 1);
      break;
    case 3:
      for (int i = 0; i < steps; ++i) Line(c, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
      break;
    case 4:
      for (int n = steps - 1; n >= 0; --n) Line(c, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
      break;
    case 5:
      if (steps != 4) break;
      Line(c, cx - 4, cy - 1, cx + 4, cy - 1);
      Line(c, cx - 4, cy, cx + 4, cy);
      Line(c, cx - 1, cy - 4, cx - 1, cy + 4);
      Line(c, cx, cy - 4, cx, cy + 4);
      break;
    default: break;
  }
}

}  // namespace

void DrawArrowImage(TCanvas& Canvas, TRect Rect, TColor Color, int Kind) { Arrow(Canvas, Rect, Color, Kind, 4); }
void DrawBigArrowImage(TCanvas& Canvas, TRect Rect, TColor Color, int Kind) { Arrow(Canvas, Rect, Color, Kind, 6); }

void DrawTrackArrowImage(TCanvas& Canvas, TRect Rect, TColor Color) {
  SetPen(Canvas, Color);
  const auto [cx, cy] = Centre(Rect);
  for (int n = 2; n >= 0; --n) Line(Canvas, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
}

void DrawEndArrowImage(TCanvas& Canvas, TRect Rect, TColor Color) {
  SetPen(Canvas, Color);
  const auto [cx, cy] = Centre(Rect);
  for (int n = 3; n >= 0; --n) Line(Canvas, cx - n, cy + 3 - n, cx + n + 1, cy + 3 - n);
  Line(Canvas, cx - 3, cy - 3, cx + 4, cy - 3);
}

void DrawBackArrowImage(TCanvas& Canvas, TRect Rect, TColor Color) {
  SetPen(Canvas, Color);
  const auto [cx, cy] = Centre(Rect);
  for (int i = 0; i < 3; ++i) Canvas.SetPixel(cx + i, cy + i, Color);
  const TPoint tri[] = {{cx + 3, cy}, {cx + 3, cy + 3}, {cx, cy + 3}, {cx + 3, cy}};
  Canvas.Polyline(tri);
  const TPoint hook[] = {{cx - 3, cy + 2}, {cx - 3, cy - 3}, {cx + 3, cy - 3}};
  Canvas.Polyline(hook);
}

void DrawCheckImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  for (int i = 0; i <= 2; ++i) {
    const TPoint pts[] = {{X, Y + 5 - i}, {X + 2, Y + 7 - i}, {X + 7, Y + 2 - i}};
    Canvas.Polyline(pts);
  }
}

void DrawRadioImage(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  Canvas.Brush().SetColor(Color);
  Canvas.Rectangle(X, Y, X + 6, Y + 6);
}

void DrawCloseGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  Line(Canvas, X + 1, Y + 1, X + 9, Y + 9);
  Line(Canvas, X + 9, Y + 1, X + 1, Y + 9);
  Line(Canvas, X + 2, Y + 1, X + 10, Y + 9);
  Line(Canvas, X + 8, Y + 1, X, Y + 9);
}

void DrawMaximizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  Frame(Canvas, X, Y, X + 11, Y + 10);
  Frame(Canvas, X, Y, X + 11, Y + 2);
}

void DrawRestoreGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  Frame(Canvas, X + 2, Y, X + 10, Y + 6);
  Frame(Canvas, X + 2, Y, X + 10, Y + 2);
  Frame(Canvas, X, Y + 4, X + 7, Y + 10);
  Frame(Canvas, X, Y + 4, X + 7, Y + 6);
}

void DrawMinimizeGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  Line(Canvas, X + 1, Y + 8, X + 9, Y + 8);
  Line(Canvas, X + 1, Y + 9, X + 9, Y + 9);
}

void DrawSysMenuGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  Frame(Canvas, X + 1, Y + 3, X + 9, Y + 6);
}

void DrawRollUpGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  for (int i = 0; i <= 4; ++i) Line(Canvas, X + 1 + i, Y + 6 - i, X + 9 - i, Y + 6 - i);
}

void DrawRollDownGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  for (int i = 0; i <= 4; ++i) Line(Canvas, X + 5 - i, Y + 6 - i, X + 5 + i, Y + 6 - i);
}

void DrawTrayGlyph(TCanvas& Canvas, int X, int Y, TColor Color) {
  SetPen(Canvas, Color);
  Canvas.Brush().SetColor(Color);
  Canvas.Rectangle(X + 2, Y + 2, X + 7, Y + 7);
}

void DrawFrame3D(TCanvas& Canvas, TRect Rect, TColor TopLeftColor, TColor BottomRightColor) {
  Rect.Right -= 1;
  Rect.Bottom -= 1;
  SetPen(Canvas, TopLeftColor);
  const TPoint tl[] = {{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}};
  Canvas.Polyline(tl);
  SetPen(Canvas, BottomRightColor);
  const TPoint br[] = {{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}};
  Canvas.Polyline(br);
}

void DrawSkinFocusRect(TCanvas& Canvas, TRect Rect) {
  Rect.Right -= 1;
  Rect.Bottom -= 1;
  const int w = Rect.Width(), h = Rect.Height();
  if (w < 0 || h < 0 || (w == 0 && h == 0)) return;
  const TColor color = Canvas.Font().Color();
  // Walk the outline once, clockwise from the top-left corner; the dots run on
  // around the corners.
  bool dot = !(w % 2 == 0 && h % 2 == 0);
  auto step = [&](int x, int y) {
    if (dot) Canvas.SetPixel(x, y, color);
    dot = !dot;
  };
  for (int x = Rect.Left; x < Rect.Right; ++x) step(x, Rect.Top);
  for (int y = Rect.Top; y < Rect.Bottom; ++y) step(Rect.Right, y);
  for (int x = Rect.Right; x > Rect.Left; --x) step(x, Rect.Bottom);
  for (int y = Rect.Bottom; y > Rect.Top; --y) step(Rect.Left, y);
}

// ---------------------------------------------------------------------------
// Image and text

namespace {

struct LayoutResult {
  TPoint glyph, text;
};

LayoutResult CalcLayout(const TRect& r, int margin, int spacing, TvxButtonLayout layout, int gw, int gh, int tw, int th) {
  const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
  const int gx0 = cx - gw / 2, gy0 = cy - gh / 2, tx0 = cx - tw / 2, ty0 = cy - th / 2;
  LayoutResult o;
  if (margin != -1) {
    switch (layout) {
      case blGlyphLeft:
        o.glyph = {r.Left + margin, gy0};
        o.text = {r.Left + margin + gw + spacing, ty0};
        break;
      case blGlyphRight:
        o.glyph = {r.Right - gw - margin, gy0};
        o.text = {o.glyph.X - spacing - tw, ty0};
        break;
      case blGlyphTop:
        o.glyph = {gx0, r.Top + margin};
        o.text = {tx0, o.glyph.Y + gh + spacing};
        break;
      case blGlyphBottom:
        o.glyph = {gx0, r.Bottom - gh - margin};
        o.text = {tx0, o.glyph.Y - spacing - th};
        break;
    }
    return o;
  }
  const int hw = (gw + tw + spacing) / 2, hh = (gh + th + spacing) / 2;
  switch (layout) {
    case blGlyphLeft:
      o.glyph = {cx - hw, gy0};
      o.text = {cx + hw - tw, ty0};
      break;
    case blGlyphRight:
      o.text = {cx - hw, ty0};
      o.glyph = {cx + hw - gw, gy0};
      break;
    case blGlyphTop:
      o.glyph = {gx0, cy - hh};
      o.text = {tx0, cy + hh - th};
      break;
    case blGlyphBottom:
      o.text = {tx0, cy - hh};
      o.glyph = {gx0, cy + hh - gh};
      break;
  }
  return o;
}

void HLine(TCanvas& c, int x1, int x2, int y) { Line(c, x1, y, x2, y); }

struct GlyphSource {
  int gw = 0, gh = 0;        // one glyph
  int barW = 0, barH = 0;    // width and height the colour bar is measured by
  std::function<void(TCanvas&, int, int)> draw;
};

void ImageAndText(TCanvas& c, TRect rect, int margin, int spacing, TvxButtonLayout layout, std::string_view caption,
                  const GlyphSource& g, bool pressed, bool colorBar, TColor barColor, bool centreLines,
                  TRect emptyBar) {
  if (g.gw == 0) spacing = 0;
  int tw = 0, th = 0;
  if (!caption.empty()) {
    TRect m{0, 0, rect.Width(), rect.Height()};
    if (layout == blGlyphLeft || layout == blGlyphRight)
      m.Right -= g.gw;
    else
      m.Bottom -= g.gh;
    DrawNarrow(c, caption, m, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK);
    tw = m.Width();
    th = m.Height();
  }
  c.Brush().SetStyle(bsClear);
  LayoutResult pos = CalcLayout(rect, margin, spacing, layout, g.gw, g.gh, tw, th);
  if (pressed) {
    pos.glyph = {pos.glyph.X + 1, pos.glyph.Y + 1};
    pos.text = {pos.text.X + 1, pos.text.Y + 1};
  }
  TRect tr{pos.text.X, pos.text.Y, pos.text.X + tw + 2, pos.text.Y + th};
  if (!caption.empty()) {
    TRect drawn = tr;
    if (OddFontHeight(c)) drawn.Top -= 1;
    DrawNarrow(c, caption, drawn, DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | (centreLines ? DT_CENTER : DT_LEFT));
  }
  if (g.gw != 0) {
    g.draw(c, pos.glyph.X, pos.glyph.Y);
    if (colorBar) {
      SetPen(c, barColor);
      for (int d = -2; d <= 0; ++d) HLine(c, pos.glyph.X, pos.glyph.X + g.barW, pos.glyph.Y + g.barH + d);
    }
  } else if (colorBar) {
    if (!caption.empty()) {
      SetPen(c, barColor);
      for (int d = -1; d <= 1; ++d) HLine(c, tr.Left, tr.Right, tr.Bottom + d);
    } else {
      c.Brush().SetColor(barColor);
      c.FillRect(emptyBar);
    }
  }
}

GlyphSource ListGlyph(TImageList* images, int index, bool enabled) {
  GlyphSource g;
  if (images != nullptr && index >= 0 && index < images->Count()) {
    g.gw = g.barW = images->Width();
    g.gh = g.barH = images->Height();
    g.draw = [=](TCanvas& c, int x, int y) { images->Draw(c, x, y, index, enabled); };
  }
  return g;
}

}  // namespace

void DrawImageAndText(TCanvas& Canvas, TRect Rect, int Margin, int Spacing, TvxButtonLayout Layout,
                      std::string_view Caption, TImageList* Images, int ImageIndex, bool Pressed, bool Enabled,
                      bool ColorBar, TColor ColorBarColor) {
  ImageAndText(Canvas, Rect, Margin, Spacing, Layout, Caption, ListGlyph(Images, ImageIndex, Enabled), Pressed,
               ColorBar, ColorBarColor, true, TRect{Rect.Left + 4, Rect.Top + 4, Rect.Right - 2, Rect.Bottom - 4});
}

void DrawImageAndTextLeft(TCanvas& Canvas, TRect Rect, int Margin, int Spacing, TvxButtonLayout Layout,
                          std::string_view Caption, TImageList* Images, int ImageIndex, bool Pressed, bool Enabled,
                          bool ColorBar, TColor ColorBarColor) {
  ImageAndText(Canvas, Rect, Margin, Spacing, Layout, Caption, ListGlyph(Images, ImageIndex, Enabled), Pressed,
               ColorBar, ColorBarColor, false, TRect{Rect.Left + 4, Rect.Top + 4, Rect.Right - 2, Rect.Bottom - 4});
}

void DrawImageAndTextGlyph(TCanvas& Canvas, TRect Rect, int Margin, int Spacing, TvxButtonLayout Layout,
                           std::string_view Caption, const TBitmap& Glyph, int GlyphCount, int GlyphIndex,
                           bool Pressed, bool ColorBar, TColor ColorBarColor) {
  GlyphSource g;
  if (!Glyph.Empty() && GlyphCount > 0) {
    g.gw = Glyph.Width() / GlyphCount;
    g.gh = g.gw > 0 ? Glyph.Height() : 0;
    g.barW = Glyph.Width();
    g.barH = Glyph.Height();
    g.draw = [&](TCanvas& c, int x, int y) { DrawGlyph(c, x, y, GlyphIndex, GlyphCount, Glyph); };
  }
  const TRect bar = Pressed ? TRect{Rect.Left + 4, Rect.Top + 5, Rect.Right - 2, Rect.Bottom - 3}
                            : TRect{Rect.Left + 4, Rect.Top + 4, Rect.Right - 2, Rect.Bottom - 4};
  ImageAndText(Canvas, Rect, Margin, Spacing, Layout, Caption, g, Pressed, ColorBar, ColorBarColor, true, bar);
}

// ---------------------------------------------------------------------------
// Colours

TColor MixColors(TColor Color1, TColor Color2) {
  const TColor a = ColorToRGB(Color1), b = ColorToRGB(Color2);
  return RGB(uint8_t((GetRValue(a) + GetRValue(b)) >> 1), uint8_t((GetGValue(a) + GetGValue(b)) >> 1),
             uint8_t((GetBValue(a) + GetBValue(b)) >> 1));
}

}  // namespace vx
