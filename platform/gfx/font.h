// Fonts: a description, realised once into a shared font object that knows its
// metrics and renders greyscale glyphs (cached per font). Faces come from
// FreeType through fontconfig after the substitution table, or from the built-in
// fixed-metric test face.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/gfx/dc.h"

namespace vx {

struct TFontDesc {
  std::string Name = "Tahoma";
  // Negative: the character height (em size) in pixels; positive: the cell height
  // (ascent + descent); 0: the default, character height 11.
  int Height = -11;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  friend bool operator==(const TFontDesc&, const TFontDesc&) = default;
};

struct TTextMetric {
  int tmHeight = 0;  // cell height = ascent + descent: the line height
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;  // cell height minus character height
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
};

// One rendered glyph: a coverage bitmap (0..255, rows top-down, `width` bytes
// per row) placed at (pen x + left, baseline - top), and the pen advance.
struct TGlyph {
  int left = 0, top = 0, width = 0, height = 0;
  int advance = 0;
  std::vector<uint8_t> coverage;
};

// The name of the built-in test face. Its metrics are fixed for every height h
// (cell height c = |h|, or 11 for 0): ascent c - c div 5, descent c div 5, no
// leading; every character other than a control character advances max(1, c div 2);
// printable characters other than the space are a solid block of
// advance - 1 columns from one row below the cell top down to the baseline.
inline constexpr const char* kTestFontName = "VX Test Fixed";
// When on, every font realises as the test face (keeps its height and styles), so
// layout tests give the same result on every machine.
void SetTestFontForAll(bool on);
bool TestFontForAll();

// The installed family a face name is drawn with: "Tahoma", "Arial" and
// "MS Sans Serif" (and a few other common names) go to metric-compatible fonts;
// other names are returned unchanged.
std::string SubstituteFontName(std::string_view name);

class TFontObject {
 public:
  virtual ~TFontObject();
  const TFontDesc& Desc() const { return desc_; }
  const TTextMetric& Metrics() const { return tm_; }
  // The family actually used (after substitution and fontconfig matching).
  const std::string& FaceName() const { return faceName_; }
  // Cached; the reference stays valid as long as the font.
  const TGlyph& Glyph(char32_t c) const;
  int Advance(char32_t c) const { return Glyph(c).advance; }
  // Underline and strike-out lines: offset below the baseline (negative above) of
  // the first row, and thickness, in pixels.
  int UnderlineOffset() const { return underlineOffset_; }
  int StrikeOutOffset() const { return strikeOffset_; }
  int LineThickness() const { return lineThickness_; }

 protected:
  explicit TFontObject(const TFontDesc& d) : desc_(d) {}
  virtual TGlyph Render(char32_t c) const = 0;
  TFontDesc desc_;
  TTextMetric tm_;
  std::string faceName_;
  int underlineOffset_ = 1, strikeOffset_ = -3, lineThickness_ = 1;

 private:
  mutable std::array<std::unique_ptr<TGlyph>, 256> low_;
  mutable std::unordered_map<char32_t, std::unique_ptr<TGlyph>> high_;
};

// The font for a description (shared: equal descriptions give the same object).
// Never null: a face that cannot be found or loaded gives the test face.
// Largest character or cell height in pixels a font is realised at; larger
// heights (either sign) are taken at this limit.
constexpr int kMaxFontHeight = 2048;
HFONT CreateFont(const TFontDesc& desc);
// The font a context uses when none is selected ("Tahoma", character height 11).
HFONT DefaultFont();
// The font selected into dc, or the default one.
const TFontObject& DCFont(HDC dc);

bool GetTextMetrics(HDC dc, TTextMetric* tm);

}  // namespace vx
