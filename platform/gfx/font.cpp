#include "platform/gfx/font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

#include "platform/core/sysutils.h"

namespace vx {

namespace {

bool gTestForAll = false;

int CellOrDefault(int h) { return h == 0 ? 11 : std::abs(h); }

class TestFont final : public TFontObject {
 public:
  explicit TestFont(const TFontDesc& d) : TFontObject(d) {
    faceName_ = kTestFontName;
    const int c = std::max(1, CellOrDefault(d.Height));
    tm_.tmHeight = c;
    tm_.tmDescent = c / 5;
    tm_.tmAscent = c - tm_.tmDescent;
    tm_.tmAveCharWidth = tm_.tmMaxCharWidth = std::max(1, c / 2);
    underlineOffset_ = tm_.tmDescent > 1 ? 1 : 0;
    strikeOffset_ = -std::max(1, tm_.tmAscent / 2);
    lineThickness_ = 1;
  }

 protected:
  TGlyph Render(char32_t ch) const override {
    TGlyph g;
    if (ch < 32 || ch == 127) return g;
    g.advance = tm_.tmAveCharWidth;
    if (ch == U' ' || ch == 0xA0) return g;
    g.left = 0;
    g.width = std::max(0, g.advance - 1);
    g.top = tm_.tmAscent - 1;
    g.height = std::max(0, tm_.tmAscent - 1);
    g.coverage.assign(size_t(g.width) * size_t(g.height), 255);
    return g;
  }
};

// ---------------------------------------------------------------------------
// FreeType faces found through fontconfig.

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) l = nullptr;
    return l;
  }();
  return lib;
}

struct Match {
  std::string file, family;
  int index = 0;
  bool bold = false, italic = false;  // the face itself has the style
};

bool FindFace(const std::string& family, bool bold, bool italic, Match& m) {
  // The configuration is released at exit, so that leak checkers stay quiet.
  static bool inited = [] {
    if (!FcInit()) return false;
    std::atexit([] { FcFini(); });
    return true;
  }();
  if (!inited) return false;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* found = FcFontMatch(nullptr, pat, &res);
  FcPatternDestroy(pat);
  if (!found) return false;
  FcChar8* file = nullptr;
  FcChar8* fam = nullptr;
  int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  bool ok = FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch;
  if (ok) {
    m.file = reinterpret_cast<const char*>(file);
    if (FcPatternGetString(found, FC_FAMILY, 0, &fam) == FcResultMatch) m.family = reinterpret_cast<const char*>(fam);
    FcPatternGetInteger(found, FC_INDEX, 0, &index);
    FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(found, FC_SLANT, 0, &slant);
    m.index = index;
    m.bold = weight >= FC_WEIGHT_DEMIBOLD;
    m.italic = slant != FC_SLANT_ROMAN;
  }
  FcPatternDestroy(found);
  return ok;
}

inline int RoundDiv(int64_t num, int64_t den) {
  return int(num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den));
}

class FreeTypeFont final : public TFontObject {
 public:
  FreeTypeFont(const TFontDesc& d, FT_Face face, const Match& m) : TFontObject(d), face_(face) {
    faceName_ = m.family;
    emboldenSynth_ = d.Bold && !m.bold;
    obliqueSynth_ = d.Italic && !m.italic;
    const int upem = face->units_per_EM ? face->units_per_EM : 2048;
    int asc = face->ascender, desc = -face->descender;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
      asc = os2->usWinAscent;
      desc = os2->usWinDescent;
    }
    if (asc + desc <= 0) { asc = upem * 4 / 5; desc = upem / 5; }
    // Size in 26.6 pixels: the character height, or the em that makes the cell the height asked for.
    int64_t ppem64;
    if (d.Height > 0)
      ppem64 = std::max<int64_t>(64, int64_t(d.Height) * 64 * upem / (asc + desc));
    else
      ppem64 = int64_t(CellOrDefault(d.Height)) * 64;
    FT_Set_Char_Size(face, 0, FT_F26Dot6(ppem64), 72, 72);
    const int64_t den = int64_t(upem) * 64;
    if (d.Height > 0) {
      tm_.tmHeight = d.Height;
      tm_.tmAscent = RoundDiv(int64_t(asc) * ppem64, den);
      tm_.tmDescent = tm_.tmHeight - tm_.tmAscent;
    } else {
      tm_.tmAscent = RoundDiv(int64_t(asc) * ppem64, den);
      tm_.tmDescent = RoundDiv(int64_t(desc) * ppem64, den);
      tm_.tmHeight = tm_.tmAscent + tm_.tmDescent;
    }
    tm_.tmInternalLeading = std::max(0, tm_.tmHeight - RoundDiv(ppem64, 64));
    const int avg = os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
    tm_.tmAveCharWidth = std::max(1, RoundDiv(int64_t(avg) * ppem64, den));
    tm_.tmMaxCharWidth = std::max(tm_.tmAveCharWidth, RoundDiv(int64_t(face->max_advance_width) * ppem64, den));
    lineThickness_ = std::max(1, RoundDiv(int64_t(face->underline_thickness) * ppem64, den));
    underlineOffset_ = std::max(1, RoundDiv(-int64_t(face->underline_position) * ppem64, den) - lineThickness_ / 2);
    if (underlineOffset_ + lineThickness_ > tm_.tmDescent) underlineOffset_ = std::max(0, tm_.tmDescent - lineThickness_);
    int strike = os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0
                     ? RoundDiv(int64_t(os2->yStrikeoutPosition) * ppem64, den)
                     : tm_.tmAscent / 3;
    strikeOffset_ = -std::max(1, strike);
  }
  ~FreeTypeFont() override { FT_Done_Face(face_); }

 protected:
  TGlyph Render(char32_t ch) const override {
    TGlyph g;
    if (ch < 32 && ch != U'\t') return g;  // control characters draw nothing
    if (ch == U'\t') return g;
    const FT_UInt gi = FT_Get_Char_Index(face_, FT_ULong(ch));
    if (FT_Load_Glyph(face_, gi, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0) return g;
    FT_GlyphSlot slot = face_->glyph;
    if (obliqueSynth_) FT_GlyphSlot_Oblique(slot);
    if (emboldenSynth_) FT_GlyphSlot_Embolden(slot);
    g.advance = int((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.width == 0 || bm.rows == 0) return g;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = int(bm.width);
    g.height = int(bm.rows);
    g.coverage.resize(size_t(g.width) * size_t(g.height));
    const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
    for (int y = 0; y < g.height; ++y) {
      const uint8_t* src = bm.buffer + (bm.pitch >= 0 ? y * bm.pitch : (g.height - 1 - y) * -bm.pitch);
      uint8_t* dst = g.coverage.data() + size_t(y) * size_t(g.width);
      for (int x = 0; x < g.width; ++x) dst[x] = levels == 255 ? src[x] : uint8_t(src[x] * 255 / levels);
    }
    return g;
  }

 private:
  FT_Face face_;
  bool emboldenSynth_ = false, obliqueSynth_ = false;
};

std::shared_ptr<TFontObject> Realise(const TFontDesc& d) {
  if (gTestForAll || SameText(d.Name, kTestFontName)) return std::make_shared<TestFont>(d);
  Match m;
  FT_Library lib = Library();
  if (lib && FindFace(SubstituteFontName(d.Name), d.Bold, d.Italic, m)) {
    FT_Face face = nullptr;
    if (FT_New_Face(lib, m.file.c_str(), m.index, &face) == 0) {
      if (FT_IS_SCALABLE(face)) return std::make_shared<FreeTypeFont>(d, face, m);
      FT_Done_Face(face);
    }
  }
  return std::make_shared<TestFont>(d);
}

struct DescLess {
  bool operator()(const TFontDesc& a, const TFontDesc& b) const {
    return std::tie(a.Name, a.Height, a.Bold, a.Italic, a.Underline, a.StrikeOut) <
           std::tie(b.Name, b.Height, b.Bold, b.Italic, b.Underline, b.StrikeOut);
  }
};

std::map<TFontDesc, HFONT, DescLess>& Cache() {
  static std::map<TFontDesc, HFONT, DescLess> cache;
  return cache;
}

}  // namespace

void SetTestFontForAll(bool on) {
  if (on == gTestForAll) return;
  gTestForAll = on;
  Cache().clear();  // fonts already handed out stay valid; new requests realise anew
}
bool TestFontForAll() { return gTestForAll; }

std::string SubstituteFontName(std::string_view name) {
  static const struct {
    const char* from;
    const char* to;
  } table[] = {
      {"Tahoma", "Liberation Sans"},          {"Arial", "Liberation Sans"},
      {"MS Sans Serif", "Liberation Sans"},   {"Microsoft Sans Serif", "Liberation Sans"},
      {"Segoe UI", "Liberation Sans"},        {"Helvetica", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
      {"Verdana", "DejaVu Sans"},
  };
  for (const auto& e : table)
    if (SameText(name, e.from)) return e.to;
  return std::string(name);
}

TFontObject::~TFontObject() = default;

const TGlyph& TFontObject::Glyph(char32_t c) const {
  std::unique_ptr<TGlyph>* slot;
  if (c < 256) {
    slot = &low_[c];
  } else {
    slot = &high_[c];
  }
  if (!*slot) *slot = std::make_unique<TGlyph>(Render(c));
  return **slot;
}

HFONT CreateFont(const TFontDesc& requested) {
  // Heights beyond any screen are taken at the limit: a glyph of a height
  // read from a hostile file would otherwise need gigabytes.
  TFontDesc desc = requested;
  desc.Height = std::clamp(desc.Height, -kMaxFontHeight, kMaxFontHeight);
  auto& cache = Cache();
  auto it = cache.find(desc);
  if (it != cache.end()) return it->second;
  if (cache.size() >= 512) cache.clear();  // bounded; handed-out fonts stay alive
  HFONT f = Realise(desc);
  cache.emplace(desc, f);
  return f;
}

HFONT DefaultFont() { return CreateFont(TFontDesc{}); }

const TFontObject& DCFont(HDC dc) {
  if (dc && dc->St().font) return *dc->St().font;
  static thread_local HFONT holder;
  holder = DefaultFont();
  return *holder;
}

bool GetTextMetrics(HDC dc, TTextMetric* tm) {
  if (!dc || !tm) return false;
  *tm = DCFont(dc).Metrics();
  return true;
}

}  // namespace vx
