#include "platform/gfx/text.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "platform/gfx/font.h"

namespace vx {

// ---------------------------------------------------------------------------
// Encodings

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  size_t i = 0;
  const size_t n = s.size();
  while (i < n) {
    const uint8_t b = uint8_t(s[i]);
    int len = 0;
    char32_t cp = 0, min = 0;
    if (b < 0x80) { out.push_back(b); ++i; continue; }
    if ((b & 0xE0) == 0xC0) { len = 2; cp = b & 0x1F; min = 0x80; }
    else if ((b & 0xF0) == 0xE0) { len = 3; cp = b & 0x0F; min = 0x800; }
    else if ((b & 0xF8) == 0xF0) { len = 4; cp = b & 0x07; min = 0x10000; }
    bool ok = len > 0 && i + size_t(len) <= n;
    for (int k = 1; ok && k < len; ++k) {
      const uint8_t c = uint8_t(s[i + size_t(k)]);
      if ((c & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (c & 0x3F);
    }
    if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (ok) { out.push_back(cp); i += size_t(len); }
    else { out.push_back(b); ++i; }  // Latin-1 reading of a stray byte
  }
  return out;
}

std::u32string DecodeUtf16(std::u16string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(s[i + 1]) - 0xDC00));
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      out.push_back(0xFFFD);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view s) {
  std::string out;
  for (char32_t c : s) {
    if (c < 0x80) out += char(c);
    else if (c < 0x800) { out += char(0xC0 | (c >> 6)); out += char(0x80 | (c & 0x3F)); }
    else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12)); out += char(0x80 | ((c >> 6) & 0x3F)); out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18)); out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F)); out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string EncodeUtf16(std::u32string_view s) {
  std::u16string out;
  for (char32_t c : s) {
    if (c < 0x10000) out += char16_t(c);
    else {
      c -= 0x10000;
      out += char16_t(0xD800 + (c >> 10));
      out += char16_t(0xDC00 + (c & 0x3FF));
    }
  }
  return out;
}

namespace {

inline uint32_t Div255(uint32_t v) { return (v + 128 + ((v + 128) >> 8)) >> 8; }

struct TC {
  char32_t c;
  bool ul;
};

// Where glyphs may land (surface coordinates) and with what ink.
class Painter {
 public:
  Painter(HDC dc, const TRect* logicalClip) : dc_(dc), font_(DCFont(dc)) {
    ok_ = dc && dc->Surface();
    if (!ok_) return;
    if (logicalClip) {
      ownClip_ = dc->EffectiveClip().Intersect(dc->LogicalToSurface(*logicalClip));
      clip_ = &*ownClip_;
    } else {
      clip_ = &dc->EffectiveClip();
    }
    ink_ = ColorToPixel(dc->St().textColor);
  }
  bool Ok() const { return ok_ && !clip_->IsEmpty(); }
  const TFontObject& Font() const { return font_; }

  void Fill(const TRect& logical, uint32_t px) {
    const TRect D = dc_->LogicalToSurface(logical);
    TSurface& s = *dc_->Surface();
    for (const TRect& c : clip_->Rects()) {
      if (c.Top >= D.Bottom) break;
      const TRect r = IntersectRect(c, D);
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) s.SetPixel(x, y, px);
    }
  }

  // Glyph with its pen at logical x and baseline logical y.
  void Glyph(const TGlyph& g, int x, int baseline) {
    if (g.width <= 0 || g.height <= 0) return;
    const TPoint p = dc_->LogicalToSurface(TPoint{x + g.left, baseline - g.top});
    const TRect G{p.X, p.Y, p.X + g.width, p.Y + g.height};
    if (IntersectRect(G, clip_->Bounds()).IsEmpty()) return;
    TSurface& s = *dc_->Surface();
    const bool s32 = s.Format() == TPixelFormat::pf32bit;
    for (const TRect& c : clip_->Rects()) {
      if (c.Top >= G.Bottom) break;
      const TRect r = IntersectRect(c, G);
      for (int y = r.Top; y < r.Bottom; ++y) {
        const uint8_t* cov = g.coverage.data() + size_t(y - G.Top) * size_t(g.width) + (r.Left - G.Left);
        for (int x2 = r.Left; x2 < r.Right; ++x2, ++cov) {
          const uint32_t a = *cov;
          if (a == 0) continue;
          if (a == 255) {
            if (s32) s.Row32(y)[x2] = ink_;
            else s.SetPixel(x2, y, ink_);
            continue;
          }
          const uint32_t d = s32 ? s.Row32(y)[x2] : s.GetPixel(x2, y);
          uint32_t out = 0;
          for (int sh = 0; sh < 32; sh += 8)
            out |= Div255(((ink_ >> sh) & 0xFF) * a + ((d >> sh) & 0xFF) * (255 - a)) << sh;
          if (s32) s.Row32(y)[x2] = out;
          else s.SetPixel(x2, y, out);
        }
      }
    }
  }

  uint32_t Ink() const { return ink_; }

 private:
  HDC dc_;
  const TFontObject& font_;
  bool ok_ = false;
  std::optional<TRegion> ownClip_;
  const TRegion* clip_ = nullptr;
  uint32_t ink_ = 0;
};

// Pen advance for one character; tabs through `tab` (null: tabs do not advance).
using TabFn = std::function<int(int x)>;

inline int Step(const TFontObject& f, int x, char32_t c, const TabFn* tab) {
  if (c == U'\t') return tab && *tab ? (*tab)(x) : x;
  return x + f.Advance(c);
}

int MeasureRun(const TFontObject& f, const TC* s, size_t n, int x0, const TabFn* tab) {
  int x = x0;
  for (size_t i = 0; i < n; ++i) x = Step(f, x, s[i].c, tab);
  return x - x0;
}

// Draws one run at logical (x, top); returns its width.
int DrawRun(Painter& p, const TC* s, size_t n, int x, int top, const TabFn* tab, bool showUnderlines) {
  const TFontObject& f = p.Font();
  const TTextMetric& tm = f.Metrics();
  const int baseline = top + tm.tmAscent;
  const int x0 = x;
  const int ulY = baseline + f.UnderlineOffset(), th = f.LineThickness();
  for (size_t i = 0; i < n; ++i) {
    const int nx = Step(f, x, s[i].c, tab);
    if (s[i].c != U'\t') p.Glyph(f.Glyph(s[i].c), x, baseline);
    if (showUnderlines && s[i].ul && nx > x) p.Fill(TRect{x, ulY, nx, ulY + th}, p.Ink());
    x = nx;
  }
  const TFontDesc& d = f.Desc();
  if (d.Underline && x > x0) p.Fill(TRect{x0, ulY, x, ulY + th}, p.Ink());
  if (d.StrikeOut && x > x0) {
    const int sy = baseline + f.StrikeOutOffset();
    p.Fill(TRect{x0, sy, x, sy + th}, p.Ink());
  }
  return x - x0;
}

std::vector<TC> Plain(std::u32string_view s) {
  std::vector<TC> v;
  v.reserve(s.size());
  for (char32_t c : s) v.push_back({c, false});
  return v;
}

bool TextOutImpl(HDC dc, int x, int y, uint32_t options, const TRect* rc, std::u32string_view text) {
  if (!dc || !dc->Surface()) return false;
  if ((options & (ETO_OPAQUE | ETO_CLIPPED)) && !rc) return false;
  Painter p(dc, (options & ETO_CLIPPED) ? rc : nullptr);
  const auto chars = Plain(text);
  const TFontObject& f = p.Font();
  if (options & ETO_OPAQUE) p.Fill(*rc, ColorToPixel(dc->St().bkColor));
  else if (dc->St().bkMode == OPAQUE) {
    const int w = MeasureRun(f, chars.data(), chars.size(), x, nullptr);
    p.Fill(TRect{x, y, x + w, y + f.Metrics().tmHeight}, ColorToPixel(dc->St().bkColor));
  }
  DrawRun(p, chars.data(), chars.size(), x, y, nullptr, false);
  return true;
}

TabFn MakeTabFn(const TFontObject& f, std::span<const int> stops, int origin) {
  const int def = 8 * f.Metrics().tmAveCharWidth;
  std::vector<int> v(stops.begin(), stops.end());
  const int space = std::max(1, f.Advance(U' '));
  if (v.size() <= 1) {
    const int step = v.empty() || v[0] <= 0 ? std::max(1, def) : v[0];
    return [step, origin](int x) {
      const int r = x - origin;
      const int q = r >= 0 ? r / step + 1 : -((-r) / step) + ((-r) % step == 0 ? 1 : 0);
      return origin + q * step;
    };
  }
  return [v, origin, space](int x) {
    for (int s : v)
      if (origin + s > x) return origin + s;
    return x + space;
  };
}

TSize Tabbed(HDC dc, int x, int y, std::u32string_view text, std::span<const int> stops, int origin, bool draw) {
  if (!dc) return {};
  const TFontObject& f = DCFont(dc);
  const TabFn tab = MakeTabFn(f, stops, origin);
  const auto chars = Plain(text);
  const int w = MeasureRun(f, chars.data(), chars.size(), x, &tab);
  const TSize size{w, f.Metrics().tmHeight};
  if (draw && dc->Surface()) {
    Painter p(dc, nullptr);
    if (dc->St().bkMode == OPAQUE) p.Fill(TRect{x, y, x + w, y + size.cy}, ColorToPixel(dc->St().bkColor));
    DrawRun(p, chars.data(), chars.size(), x, y, &tab, false);
  }
  return size;
}

// ---------------------------------------------------------------------------
// DrawText

struct Line {
  std::vector<TC> chars;
  int width = 0;
};

std::vector<TC> ApplyPrefixes(std::u32string_view s, bool prefixes) {
  std::vector<TC> out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (prefixes && s[i] == U'&') {
      if (i + 1 >= s.size()) break;  // a final lone "&"
      if (s[i + 1] == U'&') { out.push_back({U'&', false}); ++i; continue; }
      out.push_back({s[i + 1], true});
      ++i;
      continue;
    }
    out.push_back({s[i], false});
  }
  return out;
}

// Splits at LF, CR LF, LF CR and CR; a final break opens no new line.
std::vector<std::vector<TC>> SplitLines(const std::vector<TC>& s) {
  std::vector<std::vector<TC>> lines(1);
  for (size_t i = 0; i < s.size(); ++i) {
    const char32_t c = s[i].c;
    if (c == U'\n' || c == U'\r') {
      if (i + 1 < s.size() && (s[i + 1].c == U'\n' || s[i + 1].c == U'\r') && s[i + 1].c != c) ++i;
      if (i + 1 < s.size()) lines.emplace_back();
      continue;
    }
    lines.back().push_back(s[i]);
  }
  return lines;
}

void WrapLine(const TFontObject& f, const std::vector<TC>& c, int maxW, const TabFn* tab, std::vector<Line>& out) {
  const size_t n = c.size();
  size_t pos = 0;
  if (n == 0) {
    out.push_back({});
    return;
  }
  while (pos < n) {
    size_t i = pos, end = n, next = n;
    size_t breakEnd = SIZE_MAX, breakNext = SIZE_MAX;
    int x = 0;
    bool cut = false;
    while (i < n) {
      if (c[i].c == U' ') {
        size_t j = i;
        while (j < n && c[j].c == U' ') x = Step(f, x, c[j++].c, tab);
        if (i > pos) { breakEnd = i; breakNext = j; }
        i = j;
        continue;
      }
      const int nx = Step(f, x, c[i].c, tab);
      if (nx > maxW && i > pos) {
        if (breakEnd != SIZE_MAX) {
          end = breakEnd;
          next = breakNext;
        } else {  // no space before: the word runs on whole
          size_t j = i;
          while (j < n && c[j].c != U' ') ++j;
          end = j;
          next = j;
          while (next < n && c[next].c == U' ') ++next;
        }
        cut = true;
        break;
      }
      x = nx;
      ++i;
    }
    if (!cut) { end = n; next = n; }
    Line l;
    l.chars.assign(c.begin() + long(pos), c.begin() + long(end));
    out.push_back(std::move(l));
    pos = next;
  }
}

std::vector<TC> Dots() { return {{U'.', false}, {U'.', false}, {U'.', false}}; }

void EndEllipsis(const TFontObject& f, std::vector<TC>& line, int maxW, const TabFn* tab) {
  if (MeasureRun(f, line.data(), line.size(), 0, tab) <= maxW) return;
  const auto dots = Dots();
  std::vector<TC> head = line;
  while (!head.empty()) {
    head.pop_back();
    std::vector<TC> t = head;
    t.insert(t.end(), dots.begin(), dots.end());
    if (MeasureRun(f, t.data(), t.size(), 0, tab) <= maxW) break;
  }
  head.insert(head.end(), dots.begin(), dots.end());
  line = std::move(head);
}

void PathEllipsis(const TFontObject& f, std::vector<TC>& line, int maxW, const TabFn* tab) {
  if (MeasureRun(f, line.data(), line.size(), 0, tab) <= maxW) return;
  size_t sep = SIZE_MAX;
  for (size_t i = 0; i < line.size(); ++i)
    if (line[i].c == U'\\' || line[i].c == U'/') sep = i;
  if (sep == SIZE_MAX) {
    EndEllipsis(f, line, maxW, tab);
    return;
  }
  std::vector<TC> head(line.begin(), line.begin() + long(sep));
  const std::vector<TC> tail(line.begin() + long(sep), line.end());
  const auto dots = Dots();
  auto build = [&] {
    std::vector<TC> t = head;
    t.insert(t.end(), dots.begin(), dots.end());
    t.insert(t.end(), tail.begin(), tail.end());
    return t;
  };
  std::vector<TC> t = build();
  while (!head.empty() && MeasureRun(f, t.data(), t.size(), 0, tab) > maxW) {
    head.pop_back();
    t = build();
  }
  line = std::move(t);
}

uint32_t NormalFlags(uint32_t fmt) {
  if (fmt & DT_TABSTOP) fmt &= ~uint32_t(DT_CALCRECT | DT_EXTERNALLEADING | DT_INTERNAL | DT_NOCLIP | DT_NOPREFIX);
  return fmt;
}

TabFn DrawTextTabs(const TFontObject& f, uint32_t fmt) {
  int tabChars = 8;
  if ((fmt & DT_TABSTOP) && ((fmt >> 8) & 0xFF)) tabChars = int((fmt >> 8) & 0xFF);
  const int tabW = std::max(1, tabChars * f.Metrics().tmAveCharWidth);
  return [tabW](int x) {
    return x >= 0 ? (x / tabW + 1) * tabW : -((-x) / tabW) * tabW + ((-x) % tabW == 0 ? tabW : 0);
  };
}

// fmt as given: DT_TABSTOP's count lives in bits that mean other flags otherwise.
TTextLayout Layout(const TFontObject& f, std::u32string_view text, const TRect& r, uint32_t rawFmt) {
  const uint32_t fmt = NormalFlags(rawFmt);
  TTextLayout out;
  if (text.empty()) return out;
  const TTextMetric& tm = f.Metrics();
  const bool single = fmt & DT_SINGLELINE;
  const TabFn tabFn = DrawTextTabs(f, rawFmt);
  const TabFn* tab = (fmt & DT_EXPANDTABS) ? &tabFn : nullptr;
  const int maxW = r.Width();

  const std::vector<TC> chars = ApplyPrefixes(text, !(fmt & DT_NOPREFIX));
  std::vector<Line> lines;
  if (single) {
    Line l;
    for (const TC& c : chars)
      if (c.c != U'\n' && c.c != U'\r') l.chars.push_back(c);
    lines.push_back(std::move(l));
  } else {
    for (auto& para : SplitLines(chars)) {
      if (fmt & DT_WORDBREAK) WrapLine(f, para, maxW, tab, lines);
      else lines.push_back(Line{std::move(para), 0});
    }
  }
  for (Line& l : lines) {
    if (fmt & DT_PATH_ELLIPSIS) PathEllipsis(f, l.chars, maxW, tab);
    else if (fmt & DT_END_ELLIPSIS) EndEllipsis(f, l.chars, maxW, tab);
    l.width = MeasureRun(f, l.chars.data(), l.chars.size(), 0, tab);
    out.width = std::max(out.width, l.width);
  }
  const int lineH = tm.tmHeight;
  out.height = int(lines.size()) * lineH;
  int y = r.Top;
  if (single && (fmt & DT_VCENTER)) y = r.Top + (r.Height() - lineH) / 2;
  else if (single && (fmt & DT_BOTTOM)) y = r.Bottom - lineH;
  for (const Line& l : lines) {
    TTextLine tl;
    tl.x = r.Left;
    if (fmt & DT_CENTER) tl.x = r.Left + (maxW - l.width) / 2;
    else if (fmt & DT_RIGHT) tl.x = r.Right - l.width;
    tl.y = y;
    tl.width = l.width;
    for (size_t i = 0; i < l.chars.size(); ++i) {
      tl.text.push_back(l.chars[i].c);
      if (l.chars[i].ul) tl.underlined.push_back(i);
    }
    out.lines.push_back(std::move(tl));
    y += lineH;
  }
  return out;
}

int DrawTextImpl(HDC dc, std::u32string_view text, TRect& r, uint32_t rawFmt) {
  if (!dc) return 0;
  const uint32_t fmt = NormalFlags(rawFmt);
  const TFontObject& f = DCFont(dc);
  const TTextLayout lay = Layout(f, text, r, rawFmt);
  if (fmt & DT_CALCRECT) {
    r.Right = r.Left + lay.width;
    r.Bottom = r.Top + lay.height;
    return lay.height;
  }
  if (!dc->Surface() || lay.lines.empty()) return lay.height;
  Painter p(dc, (fmt & DT_NOCLIP) ? nullptr : &r);
  if (!p.Ok()) return lay.height;
  const bool opaque = dc->St().bkMode == OPAQUE;
  const uint32_t bk = ColorToPixel(dc->St().bkColor);
  const bool showUl = !(fmt & DT_HIDEPREFIX);
  const TabFn tabFn = DrawTextTabs(f, rawFmt);
  const int lineH = f.Metrics().tmHeight;
  std::vector<TC> chars;
  for (const TTextLine& l : lay.lines) {
    if (opaque && l.width > 0) p.Fill(TRect{l.x, l.y, l.x + l.width, l.y + lineH}, bk);
    chars = Plain(l.text);
    for (size_t i : l.underlined) chars[i].ul = true;
    // Tabs are measured from the line's own start.
    TabFn shifted;
    const TabFn* lt = nullptr;
    if (fmt & DT_EXPANDTABS) {
      shifted = [&tabFn, x = l.x](int px) { return x + tabFn(px - x); };
      lt = &shifted;
    }
    DrawRun(p, chars.data(), chars.size(), l.x, l.y, lt, showUl);
  }
  return lay.height;
}

}  // namespace

bool TextOut(HDC dc, int x, int y, std::string_view text) { return TextOutImpl(dc, x, y, 0, nullptr, DecodeUtf8(text)); }
bool TextOutW(HDC dc, int x, int y, std::u16string_view text) {
  return TextOutImpl(dc, x, y, 0, nullptr, DecodeUtf16(text));
}
bool ExtTextOut(HDC dc, int x, int y, uint32_t options, const TRect* rc, std::string_view text) {
  return TextOutImpl(dc, x, y, options, rc, DecodeUtf8(text));
}
bool ExtTextOutW(HDC dc, int x, int y, uint32_t options, const TRect* rc, std::u16string_view text) {
  return TextOutImpl(dc, x, y, options, rc, DecodeUtf16(text));
}

namespace {
bool Extent(HDC dc, std::u32string_view text, TSize* size) {
  if (!dc || !size) return false;
  const TFontObject& f = DCFont(dc);
  const auto chars = Plain(text);
  *size = TSize{MeasureRun(f, chars.data(), chars.size(), 0, nullptr), f.Metrics().tmHeight};
  return true;
}
}  // namespace

bool GetTextExtentPoint32(HDC dc, std::string_view text, TSize* size) { return Extent(dc, DecodeUtf8(text), size); }
bool GetTextExtentPoint32W(HDC dc, std::u16string_view text, TSize* size) {
  return Extent(dc, DecodeUtf16(text), size);
}

TSize TabbedTextOut(HDC dc, int x, int y, std::string_view text, std::span<const int> stops, int tabOrigin) {
  return Tabbed(dc, x, y, DecodeUtf8(text), stops, tabOrigin, true);
}
TSize TabbedTextOutW(HDC dc, int x, int y, std::u16string_view text, std::span<const int> stops, int tabOrigin) {
  return Tabbed(dc, x, y, DecodeUtf16(text), stops, tabOrigin, true);
}
TSize GetTabbedTextExtent(HDC dc, std::string_view text, std::span<const int> stops) {
  return Tabbed(dc, 0, 0, DecodeUtf8(text), stops, 0, false);
}
TSize GetTabbedTextExtentW(HDC dc, std::u16string_view text, std::span<const int> stops) {
  return Tabbed(dc, 0, 0, DecodeUtf16(text), stops, 0, false);
}

int DrawText(HDC dc, std::string_view text, TRect& r, uint32_t format) {
  return DrawTextImpl(dc, DecodeUtf8(text), r, format);
}
int DrawTextW(HDC dc, std::u16string_view text, TRect& r, uint32_t format) {
  return DrawTextImpl(dc, DecodeUtf16(text), r, format);
}
TTextLayout LayoutDrawText(HDC dc, std::u32string_view text, const TRect& r, uint32_t format) {
  return Layout(DCFont(dc), text, r, format);
}

}  // namespace vx
