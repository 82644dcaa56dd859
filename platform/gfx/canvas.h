// The framework canvas: pen, brush and font over a device context, with the
// drawing operations components use. All coordinates are logical coordinates
// of the context; everything is clipped by the context's clip.
//
// Pixel rules (pen width w, pen colour P, brush colour B):
// - A line from a to b sets one pixel per step along its major axis (the one with
//   the larger extent n; the other has extent m), from a up to, not including,
//   b: at step i the minor coordinate moves by floor((2 i m + n) / (2 n)), i m / n
//   rounded to nearest with halves away from a (the Bresenham line). For w > 1 every such pixel is the centre of a w x w square
//   (offset -(w-1)/2). Styles other than solid and clear apply to w = 1 only: a
//   dot pattern of one pixel on, one off (psDot), 6 on 2 off (psDash), 6 on 2 off
//   1 on 2 off (psDashDot), 6 on 2 off 1 on 2 off 1 on 2 off (psDashDotDot); the
//   pattern runs on along a polyline and starts anew at each MoveTo.
// - Rectangle(l, t, r, b) fills [l, r) x [t, b) with the brush (unless clear) and
//   outlines it with the pen along the path (l, t) (r-1, t) (r-1, b-1) (l, b-1).
// - Ellipse(l, t, r, b): pixel (x, y) is inside when its centre (x + .5, y + .5)
//   lies in the ellipse inscribed in [l, r) x [t, b); inside pixels are filled
//   with the brush; the outline is the inside pixels within L1 distance w of a
//   pixel outside.
// - Polygon: pixel centres inside by the even-odd rule are filled; then the
//   closed outline is drawn with the pen.
// - FrameRect: one pixel of brush colour around the inside of the rectangle.
// - DrawFocusRect: the pixels of the rectangle's one-pixel frame whose surface
//   coordinates x + y are even get their colour bytes inverted, so drawing it
//   twice restores the picture.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "platform/gfx/dc.h"
#include "platform/gfx/font_style.h"

namespace vx {

class TGraphic;
class TBitmap;

// Base of pen, brush and font: OnChange fires after every property change.
class TGraphicsObject {
 public:
  virtual ~TGraphicsObject() = default;
  std::function<void(TGraphicsObject* sender)> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  int Width() const { return width_; }
  void SetWidth(int w);  // values below 1 count as 1
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle s);
  void Assign(const TPen& o);

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle s);
  void Assign(const TBrush& o);

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};

class TFont : public TGraphicsObject {
 public:
  static constexpr int PixelsPerInch = 96;
  const std::string& Name() const { return name_; }
  void SetName(std::string_view n);
  // Negative: character height in pixels; positive: cell height (see font.h).
  int Height() const { return height_; }
  void SetHeight(int h);
  // Points at 96 pixels per inch: Size = -Height * 72 / 96 rounded, and back.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles s);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  int Charset() const { return charset_; }  // kept, not used for drawing
  void SetCharset(int c);
  void Assign(const TFont& o);
  // The realised font (cached until the next change).
  HFONT Handle() const;

 private:
  std::string name_ = "Tahoma";
  int height_ = -11;
  TFontStyles style_;
  TColor color_ = clWindowText;
  int charset_ = 1;
  mutable HFONT handle_;
};

class TCanvas {
 public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) : dc_(dc) {}
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // The context drawn on; a canvas without one asks CreateHandle for it, and
  // draws nothing when there is still none.
  HDC Handle();
  void SetHandle(HDC dc) { dc_ = dc; }
  bool HandleAllocated() const { return dc_ != nullptr; }

  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  TFont& Font() { return font_; }
  uint32_t CopyMode() const { return copyMode_; }
  void SetCopyMode(uint32_t rop) { copyMode_ = rop; }

  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // Lines through the points; the last point is not set.
  void Polyline(std::span<const TPoint> pts);
  void Polygon(std::span<const TPoint> pts);
  void Rectangle(int l, int t, int r, int b);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int l, int t, int r, int b);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void DrawFocusRect(const TRect& r);

  // The colour at (x, y), or no value outside the surface or the clip.
  std::optional<TColor> GetPixel(int x, int y);
  // The framework's Pixels property: CLR_INVALID outside (never black).
  TColor Pixels(int x, int y) { return GetPixel(x, y).value_or(CLR_INVALID); }
  void SetPixel(int x, int y, TColor c);

  // Graphics: drawn at their own size, or stretched into r.
  void Draw(int x, int y, TGraphic& g);
  void StretchDraw(const TRect& r, TGraphic& g);
  // Copies srcRect of the bitmap into dest (stretched by the nearest rule),
  // leaving out the pixels of colour `transparent`; clNone or clDefault take the
  // colour of the bitmap's bottom-left pixel.
  void BrushCopy(const TRect& dest, TBitmap& bitmap, const TRect& srcRect, TColor transparent = clDefault);
  // Copies src's srcRect into dest (stretched by the nearest rule) with CopyMode.
  void CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect);

  // Text with the canvas font; a solid brush paints the text's background.
  // TextOut moves the pen position to the end of the text.
  void TextOut(int x, int y, std::string_view text);
  void TextRect(const TRect& r, int x, int y, std::string_view text);
  TSize TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }
  // The clip box in logical coordinates.
  TRect ClipRect();

  // Selects font, text colour and background of the canvas into the context
  // (done by every text call; call it before using DrawText on Handle()).
  void ApplyFont();

 protected:
  // Override to make a context on demand.
  virtual void CreateHandle() {}

 private:
  void PenLine(TPoint a, TPoint b);
  void PlotPen(int x, int y);
  HDC dc_ = nullptr;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  uint32_t copyMode_ = SRCCOPY;
  TPoint penPos_;
  int64_t patternPos_ = 0;
};

}  // namespace vx
