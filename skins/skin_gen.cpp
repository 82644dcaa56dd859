#include "skins/skin_gen.h"

#include <algorithm>
#include <array>
#include <functional>
#include <cmath>
#include <filesystem>
#include <memory>
#include <set>

#include "platform/core/exceptions.h"
#include "platform/core/geometry.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "skin/vxSkinControls.h"
#include "skin/vxSkinObjects.h"
#include "skin/vxSkinValues.h"

namespace vx::skins {

namespace {

// 0xRRGGBB as written in colour tables -> the platform's 0x00BBGGRR.
constexpr TColor Hex(uint32_t rgb) { return RGB(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)); }

constexpr TColor kKey = RGB(127, 0, 127);  // transparent key of marker, glyph and thumb tiles
constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kBlack = RGB(0, 0, 0);

// Colour interpolation for drawing gradients and soft edges: a + (b - a) * num / den per channel.
TColor Mix(TColor a, TColor b, int num, int den) {
  if (den <= 0) return a;
  auto ch = [&](int ca, int cb) { return uint8_t(ca + ((cb - ca) * num + (cb >= ca ? den / 2 : -den / 2)) / den); };
  return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}
TColor Lighter(TColor c, int percent) { return Mix(c, kWhite, percent, 100); }
TColor Darker(TColor c, int percent) { return Mix(c, kBlack, percent, 100); }

// Shared state colours.
const TColor kHotTop = Hex(0xFFF6D2), kHotBottom = Hex(0xFFE28A), kHotBorder = Hex(0xE6C86E);
const TColor kDownTop = Hex(0xFDD984), kDownBottom = Hex(0xF7B54C), kDownBorder = Hex(0xC48B2F);
const TColor kFileTop = Hex(0x3C7DD0), kFileBottom = Hex(0x1B56A8), kFileBorder = Hex(0x174A8F);
const TColor kFileHotTop = Hex(0x5694E0), kFileHotBottom = Hex(0x2466BD);
const TColor kFileDownTop = Hex(0x1D4F96), kFileDownBottom = Hex(0x2A62AD);

// ---- one drawing surface that grows as elements are placed on it ----

class Sheet {
 public:
  explicit Sheet(int maxWidth, int maxHeight = 1024, TColor background = kKey)
      : maxW_(maxWidth), maxH_(maxHeight), px_(size_t(maxWidth) * maxHeight, background) {}

  // Places a w x h element: left to right, a new row when the width is used up.
  TRect Alloc(int w, int h) {
    if (x_ + w > maxW_) {
      x_ = 0;
      y_ += rowH_;
      rowH_ = 0;
    }
    if (w > maxW_ || y_ + h > maxH_) throw Exception("skin generator: an element does not fit its picture");
    const TRect r = Bounds(x_, y_, w, h);
    x_ += w;
    rowH_ = std::max(rowH_, h);
    usedW_ = std::max(usedW_, int(r.Right));
    usedH_ = std::max(usedH_, int(r.Bottom));
    return r;
  }
  // Starts a new row for the next element.
  void NewRow() {
    if (x_ == 0) return;
    x_ = 0;
    y_ += rowH_;
    rowH_ = 0;
  }

  void Set(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < maxW_ && y < maxH_) px_[size_t(y) * maxW_ + x] = c;
  }
  TColor Get(int x, int y) const { return px_[size_t(y) * maxW_ + x]; }
  void Fill(const TRect& r, TColor c) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) Set(x, y, c);
  }
  void VGrad(const TRect& r, TColor top, TColor bottom) {
    const int h = r.Bottom - r.Top;
    for (int y = r.Top; y < r.Bottom; ++y) {
      const TColor c = Mix(top, bottom, y - r.Top, std::max(1, h - 1));
      for (int x = r.Left; x < r.Right; ++x) Set(x, y, c);
    }
  }
  void HGrad(const TRect& r, TColor left, TColor right) {
    const int w = r.Right - r.Left;
    for (int x = r.Left; x < r.Right; ++x) {
      const TColor c = Mix(left, right, x - r.Left, std::max(1, w - 1));
      for (int y = r.Top; y < r.Bottom; ++y) Set(x, y, c);
    }
  }
  void HLine(int x0, int x1, int y, TColor c) {
    for (int x = x0; x < x1; ++x) Set(x, y, c);
  }
  void VLine(int x, int y0, int y1, TColor c) {
    for (int y = y0; y < y1; ++y) Set(x, y, c);
  }
  void Frame(const TRect& r, TColor c) {
    HLine(r.Left, r.Right, r.Top, c);
    HLine(r.Left, r.Right, r.Bottom - 1, c);
    VLine(r.Left, r.Top, r.Bottom, c);
    VLine(r.Right - 1, r.Top, r.Bottom, c);
  }
  // Pixels marked '#' in rows (all the same length), at (x, y).
  void Glyph(int x, int y, std::initializer_list<const char*> rows, TColor c) {
    int dy = 0;
    for (const char* row : rows) {
      for (int dx = 0; row[dx] != 0; ++dx)
        if (row[dx] == '#') Set(x + dx, y + dy, c);
        else if (row[dx] == '+') Set(x + dx, y + dy, Mix(Get(x + dx, y + dy), c, 1, 2));
      ++dy;
    }
  }
  static TSize GlyphSize(std::initializer_list<const char*> rows) {
    return {int(std::char_traits<char>::length(*rows.begin())), int(rows.size())};
  }
  // The glyph centred in r.
  void GlyphIn(const TRect& r, std::initializer_list<const char*> rows, TColor c, int dx = 0, int dy = 0) {
    const TSize s = GlyphSize(rows);
    Glyph(r.Left + (r.Right - r.Left - s.cx) / 2 + dx, r.Top + (r.Bottom - r.Top - s.cy) / 2 + dy, rows, c);
  }

  int UsedWidth() const { return usedW_; }
  int UsedHeight() const { return usedH_; }

  // The used part as a 24-bit bitmap.
  TBmpImage ToBmp24() const {
    std::vector<uint8_t> bgra(size_t(usedW_) * usedH_ * 4);
    for (int y = 0; y < usedH_; ++y)
      for (int x = 0; x < usedW_; ++x) {
        const TColor c = Get(x, y);
        uint8_t* p = &bgra[(size_t(y) * usedW_ + x) * 4];
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
        p[3] = 255;
      }
    return TBmpImage::FromBGRA(usedW_, usedH_, bgra.data(), 24);
  }
  void SetUsed(int w, int h) {
    usedW_ = w;
    usedH_ = h;
  }

 private:
  int maxW_, maxH_;
  std::vector<TColor> px_;
  int x_ = 0, y_ = 0, rowH_ = 0, usedW_ = 0, usedH_ = 0;
};

// A grey-level image: 1 bit (0 black = inside, 1 white) or 8 bits (grey ramp).
TBmpImage GreyImage(int w, int h, int bitCount, const std::vector<uint8_t>& levels) {
  TBmpImage img = TBmpImage::Create(w, h, bitCount);
  if (bitCount == 1) {
    img.Palette[0] = TRGBQuad{0, 0, 0, 0};
    img.Palette[1] = TRGBQuad{255, 255, 255, 0};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (levels[size_t(y) * w + x] >= 128) img.Row(y)[x / 8] = uint8_t(img.Row(y)[x / 8] | (0x80 >> (x % 8)));
  } else {
    for (int i = 0; i < 256; ++i) img.Palette[i] = TRGBQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) img.Row(y)[x] = levels[size_t(y) * w + x];
  }
  return img;
}

// ---- glyphs (crisp, one pixel per mark) ----

#define GLYPH_CLOSE                                                                        \
  { "##.....##", ".##...##.", "..##.##..", "...###...", "..##.##..", ".##...##.", "##.....##" }
#define GLYPH_MAX                                                                            \
  { "#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#########" }
#define GLYPH_RESTORE                                                                                   \
  { "..#######", "..#######", "..#.....#", "#######.#", "#######.#", "#.....###", "#.....#..", "#######.." }
#define GLYPH_MIN \
  { ".........", ".........", ".........", ".........", ".........", "#########", "#########" }
#define GLYPH_ROLLUP \
  { "....#....", "...###...", "..##.##..", ".##...##.", "##.....##", "........." }
#define GLYPH_ROLLDOWN \
  { ".........", "##.....##", ".##...##.", "..##.##..", "...###...", "....#...." }
#define GLYPH_TRAY \
  { "....#....", "....#....", "..#####..", "...###...", "....#....", ".........", "#########" }
#define GLYPH_ARROW_UP \
  { "...#...", "..###..", ".#####.", "#######" }
#define GLYPH_ARROW_DOWN \
  { "#######", ".#####.", "..###..", "...#..." }
#define GLYPH_ARROW_LEFT \
  { "...#", "..##", ".###", "####", ".###", "..##", "...#" }
#define GLYPH_ARROW_RIGHT \
  { "#...", "##..", "###.", "####", "###.", "##..", "#..." }
#define GLYPH_SMALL_DOWN \
  { "#####", ".###.", "..#.." }
#define GLYPH_CHECK \
  { "........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....", "...#....." }
#define GLYPH_DOT \
  { ".###.", "#####", "#####", "#####", ".###." }
#define GLYPH_DASH \
  { "#######", "#######" }
#define GLYPH_GRIP \
  { "##.##", "##.##", ".....", "##.##", "##.##", ".....", "##.##", "##.##" }
#define GLYPH_HGRIP \
  { "##.##.##", "##.##.##" }
#define GLYPH_LAUNCHER \
  { "####...", "#......", "#......", "#...#..", "....#.#", ".....##", "..#####" }
#define GLYPH_ELLIPSIS \
  { "#.#.#" }
#define GLYPH_SMALL_CLOSE \
  { "##...##", ".##.##.", "..###..", ".##.##.", "##...##" }
#define GLYPH_SMALL_MIN \
  { ".......", ".......", ".......", "#######", "#######" }
#define GLYPH_SMALL_MAX \
  { "#######", "#######", "#.....#", "#.....#", "#######" }

// ---- the generator ----

enum class State { Normal, Hot, Down, Focused, Disabled, Inactive };

struct BoxColors {
  TColor top, bottom, border, inner;
  bool hasBorder = true, hasInner = true;
};

class Generator {
 public:
  Generator(const TvxSkinPalette& p, bool fixture, TvxFixtureOptions options)
      : p_(p), fixture_(fixture), opt_(options) {}

  TvxGeneratedSkin Run();

 private:
  // The next flat fixture colour.
  TColor Piece() { return FixtureColor(piece_++); }

  // A nine-slice element with corner insets (l, t, r, b): in fixture mode every
  // slice is one flat colour, otherwise the box style.
  void Nine(Sheet& s, const TRect& r, int l, int t, int rr, int b, const std::function<void()>& draw) {
    if (!fixture_) {
      draw();
      return;
    }
    const int xs[4] = {r.Left, r.Left + l, r.Right - rr, r.Right};
    const int ys[4] = {r.Top, r.Top + t, r.Bottom - b, r.Bottom};
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) s.Fill({xs[i], ys[j], xs[i + 1], ys[j + 1]}, Piece());
  }
  // A flat state tile: one fixture colour, or the drawing.
  void Tile(Sheet& s, const TRect& r, const std::function<void()>& draw) {
    if (fixture_) s.Fill(r, Piece());
    else draw();
  }

  BoxColors ButtonColors(State st) const {
    switch (st) {
      case State::Hot: return {kHotTop, kHotBottom, kHotBorder, Lighter(kHotTop, 55)};
      case State::Down: return {kDownTop, kDownBottom, kDownBorder, Mix(kDownTop, kHotTop, 1, 2)};
      case State::Focused:
        return {Lighter(p_.PageTop, 60), Darker(p_.PageBottom, 3), p_.Accent, kWhite};
      case State::Disabled:
        return {Lighter(p_.PageTop, 40), Lighter(p_.PageBottom, 30), Lighter(ButtonBorder(), 45), kWhite, true, false};
      default: return {Lighter(p_.PageTop, 70), Darker(p_.PageBottom, 4), ButtonBorder(), kWhite};
    }
  }
  TColor ButtonBorder() const { return Mix(p_.Border, p_.PageBottom, 1, 4); }
  TColor FlatColor() const { return Mix(p_.PageTop, p_.PageBottom, 1, 2); }

  // Gradient box with a one-pixel border, a one-pixel inner highlight and
  // corners rounded by `radius` (0 to 2) against `outside`.
  void DrawBox(Sheet& s, const TRect& r, const BoxColors& c, int radius, TColor outside) {
    s.VGrad(r, c.top, c.bottom);
    if (c.hasInner) {
      const TRect in{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
      s.HLine(in.Left, in.Right, in.Top, c.inner);
      s.VLine(in.Left, in.Top, in.Bottom, Mix(c.inner, c.bottom, 1, 2));
      s.VLine(in.Right - 1, in.Top, in.Bottom, Mix(c.inner, c.bottom, 1, 2));
    }
    if (!c.hasBorder) return;
    s.Frame(r, c.border);
    if (radius <= 0) return;
    const int x0 = r.Left, x1 = r.Right - 1, y0 = r.Top, y1 = r.Bottom - 1;
    for (auto [x, y, sx, sy] : {std::array{x0, y0, 1, 1}, std::array{x1, y0, -1, 1}, std::array{x0, y1, 1, -1},
                                std::array{x1, y1, -1, -1}}) {
      s.Set(x, y, radius >= 2 ? outside : Mix(c.border, outside, 2, 3));
      if (radius >= 2) {
        s.Set(x + sx, y, Mix(c.border, outside, 1, 2));
        s.Set(x, y + sy, Mix(c.border, outside, 1, 2));
        s.Set(x + sx, y + sy, c.border);
      }
    }
  }

  // One button-like state image of w x h at the next free place.
  TRect StateBox(Sheet& s, int w, int h, State st, bool flat, int corner, TColor outside) {
    const TRect r = s.Alloc(w, h);
    Nine(s, r, corner, corner, corner, corner, [&] {
      if (flat && (st == State::Normal || st == State::Disabled)) {
        s.Fill(r, outside);
        return;
      }
      DrawBox(s, r, ButtonColors(st), 2, outside);
    });
    return r;
  }

  struct States {
    TRect normal, hot, down, focused, disabled;
  };
  States ButtonStates(Sheet& s, int w, int h, bool flat, int corner, TColor outside) {
    s.NewRow();
    States st;
    st.normal = StateBox(s, w, h, State::Normal, flat, corner, outside);
    st.hot = StateBox(s, w, h, State::Hot, flat, corner, outside);
    st.down = StateBox(s, w, h, State::Down, flat, corner, outside);
    st.focused = StateBox(s, w, h, flat ? State::Hot : State::Focused, flat, corner, outside);
    st.disabled = StateBox(s, w, h, State::Disabled, flat, corner, outside);
    return st;
  }

  // A glyph tile of w x h: background (kKey when transparent), the glyph centred.
  template <class DrawGlyph>
  TRect GlyphTile(Sheet& s, int w, int h, TColor bg, DrawGlyph glyph) {
    const TRect r = s.Alloc(w, h);
    Tile(s, r, [&] {
      s.Fill(r, bg);
      glyph(r);
    });
    return r;
  }

  // ---- the pictures ----
  void DrawFrame();
  void DrawCaptionButtons();
  void DrawButtons();
  void DrawMenus();
  void DrawPopup();
  void DrawHint();
  void DrawLayerFrame();
  void DrawRibbon();
  void DrawControls();

  TColor CaptionColor(int y) const { return Mix(p_.FrameTop, p_.FrameBottom, std::min(y, kCaption - 1), kCaption - 1); }

  // ---- INI ----
  void WriteIni(TMemIniFile& ini);
  template <class T>
  T& Control(const std::string& type, const std::string& name) {
    std::unique_ptr<TvxDataSkinControl> d = CreateSkinControlDefinition(type, name);
    T* t = dynamic_cast<T*>(d.get());
    if (t == nullptr) throw Exception("skin generator: type " + type + " is not the class expected for " + name);
    controls_.emplace_back(type, std::move(d));
    return *t;
  }
  template <class T>
  T& Object(const std::string& type, const std::string& name) {
    std::unique_ptr<TvxDataSkinObject> d = CreateSkinObjectDefinition(type, name);
    T* t = dynamic_cast<T*>(d.get());
    if (t == nullptr) throw Exception("skin generator: type " + type + " is not the class expected for " + name);
    objects_.emplace_back(type, std::move(d));
    return *t;
  }
  void DefineControls();
  void DefineObjects();

  static constexpr int kW = 240, kH = 140, kCaption = 30, kBorder = 4;
  static constexpr int kCapBtnW = 26, kCapBtnH = 20;
  // Last column of the stretched caption band of the built-in skins: just
  // left of the caption buttons.
  static constexpr int kCaptionRightX = kW - kBorder - 4 * kCapBtnW - 1;
  enum Pic { pCaptionButtons, pButtons, pMenu, pPopup, pPopupMask, pHint, pHintMask, pLayer, pLayerAlpha, pLayerBlur,
             pRibbon, pControls, pButtonAlpha, pCount };

  TvxSkinPalette p_;
  bool fixture_;
  TvxFixtureOptions opt_;
  int piece_ = 0;

  TvxGeneratedSkin out_;
  TBmpImage active_[pCount];
  std::vector<uint8_t> frameMask_;

  // Rectangles remembered between drawing and the INI.
  struct CapRow {
    TRect normal, hot, down, inactive;
  };
  CapRow capClose_, capMax_, capRestore_, capMin_, capRollUp_, capRollDown_, capTray_, capSys_;
  CapRow barClose_, barMin_, barMax_, barRestore_, barSys_;
  TRect sysIconInFrame_;
  States button_, tool_, bigTool_, comboBtn_, groupBtn_, appItemBtn_, quick_, fileBtn_, menuItemBtn_, editBtn_;
  TRect markerFlat_, marker_, markerHot_, markerDown_;
  // menu picture
  TRect menuItem_, menuItemHot_, menuDivider_, menuCheck_, menuCheckHot_, menuRadio_, menuRadioHot_, menuArrow_,
      menuArrowHot_, barBg_, barItem_, barItemHot_, barItemDown_, menuHeader_;
  // popup and hint
  TSize popupSize_, hintSize_, layerSize_;
  // ribbon picture
  TRect panel_, toolPanel_, groupBox_, statusBar_, officeGroup_, officeToolbar_, menuPagePanel_, tabNormal_, tabActive_,
      tabHot_, tabBody_, tabsBg_, tabClose_[3], tabDivider_, statusPanel_, label_, appMenuBg_, appItem_, appPageItem_,
      appPageItemActive_, appGripper_, appTopLine_, expanel_, expanelRollH_, expanelRollV_, exBtn_[5][3],
      controlBar_, controlBarItem_, controlBarHGrip_, controlBarVGrip_, scrollBox_, gridFixed_, gridSelect_,
      gridFocus_;
  // controls picture
  TRect check_[8], radio_[8], checkBg_, gauge_, gaugeProgress_, vgauge_, vgaugeProgress_, statusGauge_,
      statusGaugeProgress_, track_, trackV_, trackThumb_, trackThumbHot_, trackVThumb_, trackVThumbHot_, splitV_,
      splitH_, gripV_, gripH_, upDown_[4][3], sbH_, sbV_, sbBtn_[4][3], sbThumbH_[3], sbThumbV_[3], sbGripH_[3],
      sbGripV_[3], edit_, editHot_, editBtn4_[4], comboBtn4_[4], listBox_, listItem_, listItemActive_,
      listItemFocus_, spinBtn_[2][3], sliderH_, sliderHThumb_, sliderV_, sliderVThumb_, treeExpand_,
      treeNoExpand_;

  std::vector<std::pair<std::string, std::unique_ptr<TvxDataSkinControl>>> controls_;
  std::vector<std::pair<std::string, std::unique_ptr<TvxDataSkinObject>>> objects_;
};

// ---- frame ----

void Generator::DrawFrame() {
  Sheet s(kW, kH, p_.FrameBottom);
  s.SetUsed(kW, kH);
  frameMask_.assign(size_t(kW) * kH, 0);
  const int ltx = 30, rtx = kW - 12, by = kH - 12;
  if (fixture_) {
    const int xs[4] = {0, ltx, rtx, kW};
    const int ys[4] = {0, kCaption, by, kH};
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) s.Fill({xs[i], ys[j], xs[i + 1], ys[j + 1]}, Piece());
  } else {
    s.VGrad({0, 0, kW, kCaption}, p_.FrameTop, p_.FrameBottom);
    // The client and the line around it.
    const TRect client{kBorder, kCaption, kW - kBorder, kH - kBorder};
    s.Fill(client, p_.PageBottom);
    const TColor clientLine = Mix(p_.Border, p_.FrameBottom, 1, 3);
    s.VLine(kBorder - 1, kCaption, kH - kBorder + 1, clientLine);
    s.VLine(kW - kBorder, kCaption, kH - kBorder + 1, clientLine);
    s.HLine(kBorder - 1, kW - kBorder + 1, kH - kBorder, clientLine);
    // Outer line with a highlight inside it.
    const TColor hi = Lighter(p_.FrameTop, 45);
    s.HLine(1, kW - 1, 1, hi);
    s.VLine(1, 1, kH - 1, Mix(hi, p_.FrameBottom, 1, 2));
    s.VLine(kW - 2, 1, kH - 1, Mix(hi, p_.FrameBottom, 2, 3));
    s.Frame({0, 0, kW, kH}, p_.Border);
  }
  // Rounded corners: radius 6 at the top, 2 at the bottom; outside pixels are
  // cut by the mask, the arc itself is the border colour.
  auto corner = [&](int cx, int cy, int r, int sx, int sy) {
    for (int dy = 0; dy < r; ++dy)
      for (int dx = 0; dx < r; ++dx) {
        const double fx = r - 0.5 - dx, fy = r - 0.5 - dy;
        const double d = std::sqrt(fx * fx + fy * fy);
        const int x = cx + sx * dx, y = cy + sy * dy;
        if (d > r) {
          frameMask_[size_t(y) * kW + x] = 255;
          if (!fixture_) s.Set(x, y, p_.Border);
        } else if (d > r - 1.1 && !fixture_) {
          s.Set(x, y, p_.Border);
        } else if (d > r - 2.1 && !fixture_ && sy > 0) {
          s.Set(x, y, Lighter(p_.FrameTop, 45));
        }
      }
  };
  corner(0, 0, 6, 1, 1);
  corner(kW - 1, 0, 6, -1, 1);
  corner(0, kH - 1, 2, 1, -1);
  corner(kW - 1, kH - 1, 2, -1, -1);
  // The system menu glyph, part of the frame.
  sysIconInFrame_ = Bounds(8, 7, 16, 16);
  if (fixture_) {
    s.Fill(sysIconInFrame_, Piece());
  } else {
    const TRect r = sysIconInFrame_;
    DrawBox(s, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1},
            {Lighter(kFileTop, 20), kFileBottom, kFileBorder, Lighter(kFileTop, 40)}, 1, CaptionColor(r.Top));
    s.HLine(r.Left + 4, r.Right - 4, r.Top + 5, kWhite);
    s.HLine(r.Left + 4, r.Right - 4, r.Top + 8, kWhite);
    s.HLine(r.Left + 4, r.Right - 6, r.Top + 11, kWhite);
  }
  out_.Picture = s.ToBmp24();
  out_.PictureName = "frame.bmp";
  if (opt_.Mask || !fixture_) {
    out_.Mask = GreyImage(kW, kH, 8, frameMask_);
    out_.MaskName = "framemask.bmp";
  }
}

// ---- caption buttons and the bar buttons of a main menu bar ----

void Generator::DrawCaptionButtons() {
  Sheet s(4 * kCapBtnW);
  auto row = [&](CapRow& cr, std::initializer_list<const char*> glyph, int w, int h, bool bar) {
    s.NewRow();
    TRect* rects[4] = {&cr.normal, &cr.hot, &cr.down, &cr.inactive};
    for (int st = 0; st < 4; ++st) {
      const TRect r = s.Alloc(w, h);
      *rects[st] = r;
      Tile(s, r, [&] {
        const TColor bg = bar ? p_.FrameBottom : kKey;
        for (int y = r.Top; y < r.Bottom; ++y) s.HLine(r.Left, r.Right, y, bar ? bg : CaptionColor(y - r.Top + 1));
        TColor ink = p_.CaptionText;
        if (st == 1 || st == 2) {
          DrawBox(s, r, ButtonColors(st == 1 ? State::Hot : State::Down), 2, bar ? bg : CaptionColor(1));
          ink = Hex(0x3B3B3B);
        } else if (st == 3) {
          ink = Mix(p_.CaptionText, p_.FrameBottom, 1, 2);
        }
        s.GlyphIn(r, glyph, ink, 0, st == 2 ? 1 : 0);
      });
    }
  };
  row(capClose_, GLYPH_CLOSE, kCapBtnW, kCapBtnH, false);
  row(capMax_, GLYPH_MAX, kCapBtnW, kCapBtnH, false);
  row(capRestore_, GLYPH_RESTORE, kCapBtnW, kCapBtnH, false);
  row(capMin_, GLYPH_MIN, kCapBtnW, kCapBtnH, false);
  row(capRollUp_, GLYPH_ROLLUP, kCapBtnW, kCapBtnH, false);
  row(capRollDown_, GLYPH_ROLLDOWN, kCapBtnW, kCapBtnH, false);
  row(capTray_, GLYPH_TRAY, kCapBtnW, kCapBtnH, false);
  // System menu states: hot and pressed frames around the frame's glyph.
  {
    s.NewRow();
    TRect* rects[4] = {&capSys_.normal, &capSys_.hot, &capSys_.down, &capSys_.inactive};
    for (int st = 0; st < 4; ++st) {
      const TRect r = s.Alloc(16, 16);
      *rects[st] = r;
      Tile(s, r, [&] {
        for (int y = r.Top; y < r.Bottom; ++y) s.HLine(r.Left, r.Right, y, CaptionColor(y - r.Top + 7));
        if (st == 1 || st == 2) DrawBox(s, r, ButtonColors(st == 1 ? State::Hot : State::Down), 1, CaptionColor(7));
        const TRect in{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        const bool dim = st == 3;
        DrawBox(s, in, {Lighter(kFileTop, dim ? 50 : 20), dim ? Lighter(kFileBottom, 45) : kFileBottom,
                        dim ? Lighter(kFileBorder, 45) : kFileBorder, Lighter(kFileTop, 40)},
                1, s.Get(in.Left, in.Top));
        s.HLine(in.Left + 3, in.Right - 3, in.Top + 4, kWhite);
        s.HLine(in.Left + 3, in.Right - 3, in.Top + 6, kWhite);
        s.HLine(in.Left + 3, in.Right - 5, in.Top + 8, kWhite);
      });
    }
  }
  row(barClose_, GLYPH_SMALL_CLOSE, 16, 14, true);
  row(barMin_, GLYPH_SMALL_MIN, 16, 14, true);
  row(barMax_, GLYPH_SMALL_MAX, 16, 14, true);
  row(barRestore_, GLYPH_RESTORE, 16, 14, true);
  row(barSys_, GLYPH_SMALL_DOWN, 16, 14, true);
  active_[pCaptionButtons] = s.ToBmp24();
}

// ---- buttons ----

void Generator::DrawButtons() {
  Sheet s(5 * 54);
  const TColor flat = FlatColor();
  button_ = ButtonStates(s, 40, 22, false, 3, flat);
  tool_ = ButtonStates(s, 30, 22, true, 3, flat);
  bigTool_ = ButtonStates(s, 40, 66, true, 3, flat);
  comboBtn_ = ButtonStates(s, 16, 20, false, 3, kWhite);
  groupBtn_ = ButtonStates(s, 14, 14, true, 3, Darker(p_.PageBottom, 4));
  // The launcher glyph sits in every state of the group button.
  for (const TRect* r : {&groupBtn_.normal, &groupBtn_.hot, &groupBtn_.down, &groupBtn_.focused, &groupBtn_.disabled})
    if (!fixture_) s.GlyphIn(*r, GLYPH_LAUNCHER, r == &groupBtn_.disabled ? Lighter(p_.GroupText, 50) : p_.GroupText);
  appItemBtn_ = ButtonStates(s, 40, 24, true, 3, kWhite);
  quick_ = ButtonStates(s, 22, 22, true, 3, CaptionColor(4));
  menuItemBtn_ = ButtonStates(s, 30, 22, true, 3, kWhite);
  editBtn_ = ButtonStates(s, 15, 18, false, 2, kWhite);
  // The blue application button.
  {
    s.NewRow();
    const BoxColors c[5] = {{kFileTop, kFileBottom, kFileBorder, Lighter(kFileTop, 30)},
                            {kFileHotTop, kFileHotBottom, kFileBorder, Lighter(kFileHotTop, 35)},
                            {kFileDownTop, kFileDownBottom, Darker(kFileBorder, 20), Mix(kFileDownTop, kFileDownBottom, 1, 2)},
                            {kFileHotTop, kFileHotBottom, kFileBorder, Lighter(kFileHotTop, 35)},
                            {Lighter(kFileTop, 40), Lighter(kFileBottom, 40), Lighter(kFileBorder, 40), Lighter(kFileTop, 50)}};
    TRect* rects[5] = {&fileBtn_.normal, &fileBtn_.hot, &fileBtn_.down, &fileBtn_.focused, &fileBtn_.disabled};
    for (int i = 0; i < 5; ++i) {
      const TRect r = s.Alloc(54, 24);
      *rects[i] = r;
      Nine(s, r, 4, 4, 4, 4, [&] {
        s.Fill(r, p_.TabRow);
        DrawBox(s, {r.Left, r.Top, r.Right, r.Bottom + 2}, c[i], 2, p_.TabRow);
        s.HLine(r.Left, r.Right, r.Bottom - 1, c[i].border);
      });
    }
  }
  // Menu markers of buttons with a menu: arrows on the key colour.
  s.NewRow();
  TRect* m[4] = {&markerFlat_, &marker_, &markerHot_, &markerDown_};
  for (int i = 0; i < 4; ++i)
    *m[i] = GlyphTile(s, 7, 5, kKey, [&](const TRect& r) {
      s.GlyphIn(r, GLYPH_SMALL_DOWN, i == 0 ? Lighter(p_.ControlText, 40) : p_.ControlText, 0, i == 3 ? 1 : 0);
    });
  active_[pButtons] = s.ToBmp24();
}

// ---- menus ----

void Generator::DrawMenus() {
  Sheet s(120);
  const int col = 26;  // image column
  auto itemBg = [&](const TRect& r) {
    s.Fill(r, kWhite);
    s.Fill({r.Left, r.Top, r.Left + col, r.Bottom}, p_.MenuColumn);
    s.VLine(r.Left + col, r.Top, r.Bottom, Mix(p_.MenuColumn, p_.MenuBorder, 1, 2));
  };
  menuItem_ = s.Alloc(60, 22);
  Nine(s, menuItem_, 28, 0, 2, 0, [&] { itemBg(menuItem_); });
  menuItemHot_ = s.Alloc(60, 22);
  Nine(s, menuItemHot_, 28, 0, 2, 0, [&] {
    itemBg(menuItemHot_);
    DrawBox(s, {menuItemHot_.Left + 2, menuItemHot_.Top + 1, menuItemHot_.Right - 2, menuItemHot_.Bottom - 1},
            ButtonColors(State::Hot), 2, kWhite);
  });
  s.NewRow();
  menuDivider_ = s.Alloc(60, 5);
  Nine(s, menuDivider_, 30, 0, 2, 0, [&] {
    itemBg(menuDivider_);
    s.HLine(menuDivider_.Left + col + 4, menuDivider_.Right, menuDivider_.Top + 2, Mix(p_.MenuBorder, kWhite, 1, 3));
  });
  s.NewRow();
  auto glyphOn = [&](TRect& r, bool hot, std::initializer_list<const char*> g) {
    r = GlyphTile(s, 16, 16, p_.MenuColumn, [&](const TRect& t) {
      if (hot) DrawBox(s, t, ButtonColors(State::Down), 2, p_.MenuColumn);
      else DrawBox(s, t, ButtonColors(State::Hot), 2, p_.MenuColumn);
      s.GlyphIn(t, g, Hex(0x2B2B2B));
    });
  };
  glyphOn(menuCheck_, false, GLYPH_CHECK);
  glyphOn(menuCheckHot_, true, GLYPH_CHECK);
  glyphOn(menuRadio_, false, GLYPH_DOT);
  glyphOn(menuRadioHot_, true, GLYPH_DOT);
  menuArrow_ = GlyphTile(s, 8, 16, kKey, [&](const TRect& t) { s.GlyphIn(t, GLYPH_ARROW_RIGHT, p_.ControlText); });
  menuArrowHot_ = GlyphTile(s, 8, 16, kKey, [&](const TRect& t) { s.GlyphIn(t, GLYPH_ARROW_RIGHT, Hex(0x000000)); });
  s.NewRow();
  // Main menu bar: background and item states.
  barBg_ = s.Alloc(30, 22);
  Tile(s, barBg_, [&] { s.VGrad(barBg_, p_.FrameBottom, Darker(p_.FrameBottom, 3)); });
  barItem_ = s.Alloc(30, 22);
  Nine(s, barItem_, 3, 0, 3, 0, [&] { s.VGrad(barItem_, p_.FrameBottom, Darker(p_.FrameBottom, 3)); });
  barItemHot_ = s.Alloc(30, 22);
  Nine(s, barItemHot_, 3, 0, 3, 0, [&] { DrawBox(s, barItemHot_, ButtonColors(State::Hot), 2, p_.FrameBottom); });
  s.NewRow();
  barItemDown_ = s.Alloc(30, 22);
  Nine(s, barItemDown_, 3, 0, 3, 0, [&] { DrawBox(s, barItemDown_, ButtonColors(State::Down), 2, p_.FrameBottom); });
  menuHeader_ = s.Alloc(40, 20);
  Nine(s, menuHeader_, 2, 2, 2, 2, [&] {
    s.Fill(menuHeader_, Lighter(p_.MenuColumn, 30));
    s.HLine(menuHeader_.Left, menuHeader_.Right, menuHeader_.Bottom - 1, Mix(p_.MenuColumn, p_.MenuBorder, 1, 2));
  });
  active_[pMenu] = s.ToBmp24();
}

// A whole-picture frame with rounded corners, its 1-bit mask (black inside).
static TBmpImage RoundMask(int w, int h, int radius) {
  std::vector<uint8_t> m(size_t(w) * h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int dx = x < radius ? radius - x : (x >= w - radius ? x - (w - radius - 1) : 0);
      const int dy = y < radius ? radius - y : (y >= h - radius ? y - (h - radius - 1) : 0);
      if (dx > 0 && dy > 0 && dx * dx + dy * dy > radius * radius + 1) m[size_t(y) * w + x] = 255;
    }
  return GreyImage(w, h, 1, m);
}

void Generator::DrawPopup() {
  popupSize_ = {40, 40};
  Sheet s(40, 40, kWhite);
  s.SetUsed(40, 40);
  const TRect r{0, 0, 40, 40};
  Nine(s, r, 3, 3, 3, 3, [&] {
    s.Fill(r, kWhite);
    s.Frame(r, p_.MenuBorder);
    s.Frame({1, 1, 39, 39}, Hex(0xFCFCFC));
    for (auto [x, y] : {std::pair{0, 0}, std::pair{39, 0}, std::pair{0, 39}, std::pair{39, 39}})
      s.Set(x, y, Mix(p_.MenuBorder, kWhite, 1, 2));
  });
  active_[pPopup] = s.ToBmp24();
  active_[pPopupMask] = RoundMask(40, 40, 2);
}

void Generator::DrawHint() {
  hintSize_ = {30, 30};
  Sheet s(30, 30, kWhite);
  s.SetUsed(30, 30);
  const TRect r{0, 0, 30, 30};
  Nine(s, r, 4, 4, 4, 4, [&] { DrawBox(s, r, {kWhite, Hex(0xE4E5F0), Hex(0x767676), kWhite}, 2, kWhite); });
  active_[pHint] = s.ToBmp24();
  active_[pHintMask] = RoundMask(30, 30, 2);
}

// The layered border: a soft shadow around the frame. The picture is the
// shadow colour, the 8-bit mask its opacity (0 over the form), the blur mask
// black where the window behind may be blurred.
void Generator::DrawLayerFrame() {
  const int n = 48, edge = 8;
  layerSize_ = {n, n};
  Sheet s(n, n, Darker(p_.Border, 40));
  s.SetUsed(n, n);
  std::vector<uint8_t> alpha(size_t(n) * n, 0), blur(size_t(n) * n, 255);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const int d = std::min({x, y, n - 1 - x, n - 1 - y});  // distance from the outer edge
      if (d < edge) alpha[size_t(y) * n + x] = uint8_t(6 + d * d * 70 / ((edge - 1) * (edge - 1)));
      if (d >= edge) blur[size_t(y) * n + x] = 0;
    }
  if (fixture_) {
    const int xs[4] = {0, edge + 2, n - edge - 2, n};
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) s.Fill({xs[i], xs[j], xs[i + 1], xs[j + 1]}, Piece());
  }
  active_[pLayer] = s.ToBmp24();
  active_[pLayerAlpha] = GreyImage(n, n, 8, alpha);
  active_[pLayerBlur] = GreyImage(n, n, 1, blur);
  // Alpha mask of caption buttons on a full layered border: rounded, opaque.
  std::vector<uint8_t> ba(size_t(kCapBtnW) * kCapBtnH, 255);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{kCapBtnW - 1, 0}, std::pair{0, kCapBtnH - 1},
                      std::pair{kCapBtnW - 1, kCapBtnH - 1}})
    ba[size_t(y) * kCapBtnW + x] = 96;
  active_[pButtonAlpha] = GreyImage(kCapBtnW, kCapBtnH, 8, ba);
}

// ---- ribbon, panels, tabs, application menu ----

void Generator::DrawRibbon() {
  Sheet s(180);
  const TColor body = p_.PageBottom;
  const TColor line = ButtonBorder();
  auto box = [&](TRect& r, int w, int h, int c, const std::function<void(const TRect&)>& draw) {
    r = s.Alloc(w, h);
    Nine(s, r, c, c, c, c, [&] { draw(r); });
  };
  box(panel_, 24, 24, 2, [&](const TRect& r) {
    s.VGrad(r, p_.PageTop, p_.PageBottom);
    s.Frame(r, line);
  });
  box(toolPanel_, 24, 24, 2, [&](const TRect& r) {
    s.VGrad(r, Lighter(p_.TabRow, 30), p_.TabRow);
    s.HLine(r.Left, r.Right, r.Bottom - 1, line);
  });
  box(groupBox_, 40, 40, 6, [&](const TRect& r) {
    s.Fill(r, body);
    s.Frame({r.Left, r.Top + 8, r.Right, r.Bottom}, line);
    s.Frame({r.Left + 1, r.Top + 9, r.Right - 1, r.Bottom - 1}, Lighter(body, 60));
  });
  box(statusBar_, 30, 22, 2, [&](const TRect& r) {
    s.VGrad(r, p_.FrameTop, p_.FrameBottom);
    s.HLine(r.Left, r.Right, r.Top, Mix(p_.Border, p_.FrameTop, 1, 2));
    s.HLine(r.Left, r.Right, r.Top + 1, Lighter(p_.FrameTop, 50));
  });
  box(officeToolbar_, 30, 24, 3, [&](const TRect& r) {
    DrawBox(s, r, {Lighter(p_.PageTop, 40), p_.PageBottom, line, kWhite}, 2, body);
  });
  s.NewRow();
  box(officeGroup_, 60, 90, 0, [&](const TRect& r) {
    s.VGrad(r, p_.PageTop, p_.PageBottom);
    const TRect cap{r.Left + 2, r.Bottom - 18, r.Right - 2, r.Bottom - 2};
    s.VGrad(cap, Mix(p_.PageBottom, p_.TabRow, 1, 2), Darker(p_.PageBottom, 5));
    s.HLine(cap.Left, cap.Right, cap.Top - 1, Mix(line, p_.PageBottom, 1, 2));
    // Group separator on the right: a dark line with a light one beside it.
    s.VLine(r.Right - 2, r.Top + 3, r.Bottom - 3, line);
    s.VLine(r.Right - 1, r.Top + 3, r.Bottom - 3, Lighter(p_.PageTop, 70));
  });
  box(menuPagePanel_, 30, 30, 2, [&](const TRect& r) { s.VGrad(r, kWhite, Lighter(p_.MenuColumn, 20)); });
  box(appMenuBg_, 60, 60, 4, [&](const TRect& r) {
    s.Fill(r, kWhite);
    s.Fill({r.Left, r.Top, r.Left + 4, r.Bottom}, kFileBottom);
    s.Fill({r.Left, r.Top, r.Right, r.Top + 3}, kFileBottom);
  });
  // Tabs: the row background, normal (the row itself), hot and active.
  s.NewRow();
  box(tabsBg_, 20, 24, 0, [&](const TRect& r) { s.VGrad(r, Lighter(p_.TabRow, 20), p_.TabRow); });
  tabNormal_ = s.Alloc(40, 24);
  Nine(s, tabNormal_, 4, 4, 4, 4, [&] { s.VGrad(tabNormal_, Lighter(p_.TabRow, 20), p_.TabRow); });
  tabHot_ = s.Alloc(40, 24);
  Nine(s, tabHot_, 4, 4, 4, 4, [&] {
    s.VGrad(tabHot_, Lighter(p_.TabRow, 20), p_.TabRow);
    DrawBox(s, {tabHot_.Left, tabHot_.Top + 1, tabHot_.Right, tabHot_.Bottom + 2},
            {Lighter(p_.PageTop, 20), Mix(p_.PageTop, kHotTop, 1, 3), Mix(line, kHotBorder, 1, 2), kWhite}, 2,
            Lighter(p_.TabRow, 20));
  });
  tabActive_ = s.Alloc(40, 24);
  Nine(s, tabActive_, 4, 4, 4, 4, [&] {
    s.VGrad(tabActive_, Lighter(p_.TabRow, 20), p_.TabRow);
    DrawBox(s, {tabActive_.Left, tabActive_.Top + 1, tabActive_.Right, tabActive_.Bottom + 2},
            {p_.PageTop, p_.PageTop, line, kWhite}, 2, Lighter(p_.TabRow, 20));
    s.HLine(tabActive_.Left + 1, tabActive_.Right - 1, tabActive_.Bottom - 1, p_.PageTop);
  });
  s.NewRow();
  box(tabBody_, 40, 40, 3, [&](const TRect& r) {
    s.VGrad(r, p_.PageTop, p_.PageBottom);
    s.Frame(r, line);
    s.HLine(r.Left + 1, r.Right - 1, r.Top + 1, Lighter(p_.PageTop, 60));
  });
  for (int i = 0; i < 3; ++i)
    tabClose_[i] = GlyphTile(s, 12, 12, kKey, [&](const TRect& r) {
      if (i > 0) DrawBox(s, r, ButtonColors(i == 1 ? State::Hot : State::Down), 1, kKey);
      s.GlyphIn(r, GLYPH_SMALL_CLOSE, p_.ControlText);
    });
  tabDivider_ = GlyphTile(s, 2, 16, kKey, [&](const TRect& r) {
    s.VLine(r.Left, r.Top, r.Bottom, line);
    s.VLine(r.Left + 1, r.Top, r.Bottom, Lighter(p_.PageTop, 60));
  });
  box(statusPanel_, 30, 22, 3, [&](const TRect& r) {
    s.VGrad(r, p_.FrameTop, p_.FrameBottom);
    s.VLine(r.Right - 2, r.Top + 3, r.Bottom - 3, Mix(p_.Border, p_.FrameBottom, 1, 2));
    s.VLine(r.Right - 1, r.Top + 3, r.Bottom - 3, Lighter(p_.FrameTop, 50));
  });
  box(label_, 20, 20, 2, [&](const TRect& r) { s.Fill(r, body); });
  // Application menu items.
  s.NewRow();
  box(appItem_, 60, 26, 3, [&](const TRect& r) { DrawBox(s, r, ButtonColors(State::Hot), 2, kWhite); });
  box(appPageItem_, 60, 26, 3, [&](const TRect& r) { s.Fill(r, kWhite); });
  box(appPageItemActive_, 60, 26, 3, [&](const TRect& r) {
    DrawBox(s, r, {kFileHotTop, kFileBottom, kFileBorder, Lighter(kFileHotTop, 30)}, 2, kWhite);
  });
  s.NewRow();
  appGripper_ = GlyphTile(s, 10, 6, kKey, [&](const TRect& r) { s.GlyphIn(r, GLYPH_HGRIP, line); });
  appTopLine_ = s.Alloc(20, 3);
  Tile(s, appTopLine_, [&] { s.VGrad(appTopLine_, kFileTop, kFileBottom); });
  // Expandable panel: body with a caption band, rolled bands, small buttons.
  box(expanel_, 60, 60, 0, [&](const TRect& r) {
    s.Fill(r, body);
    s.VGrad({r.Left, r.Top, r.Right, r.Top + 20}, Lighter(p_.TabRow, 40), p_.TabRow);
    s.Frame(r, line);
    s.HLine(r.Left, r.Right, r.Top + 20, line);
  });
  expanelRollH_ = s.Alloc(60, 20);
  Nine(s, expanelRollH_, 3, 3, 3, 3, [&] {
    s.VGrad(expanelRollH_, Lighter(p_.TabRow, 40), p_.TabRow);
    s.Frame(expanelRollH_, line);
  });
  expanelRollV_ = s.Alloc(20, 60);
  Nine(s, expanelRollV_, 3, 3, 3, 3, [&] {
    s.HGrad(expanelRollV_, Lighter(p_.TabRow, 40), p_.TabRow);
    s.Frame(expanelRollV_, line);
  });
  s.NewRow();
  const std::initializer_list<const char*> exGlyphs[5] = {GLYPH_SMALL_CLOSE, GLYPH_ARROW_LEFT, GLYPH_ARROW_RIGHT,
                                                          GLYPH_ARROW_UP, GLYPH_ARROW_DOWN};
  for (int b = 0; b < 5; ++b)
    for (int st = 0; st < 3; ++st)
      exBtn_[b][st] = GlyphTile(s, 14, 14, kKey, [&](const TRect& r) {
        if (st > 0) DrawBox(s, r, ButtonColors(st == 1 ? State::Hot : State::Down), 1, kKey);
        s.GlyphIn(r, exGlyphs[b], p_.ControlText);
      });
  // Control bar, scroll box, grid cells.
  s.NewRow();
  box(controlBar_, 30, 30, 2, [&](const TRect& r) { s.VGrad(r, Lighter(p_.TabRow, 30), p_.TabRow); });
  box(controlBarItem_, 40, 26, 3, [&](const TRect& r) {
    DrawBox(s, r, {Lighter(p_.PageTop, 40), p_.PageBottom, line, kWhite}, 2, p_.TabRow);
  });
  controlBarHGrip_ = GlyphTile(s, 5, 16, kKey, [&](const TRect& r) { s.GlyphIn(r, GLYPH_GRIP, line); });
  controlBarVGrip_ = GlyphTile(s, 16, 5, kKey, [&](const TRect& r) {
    s.GlyphIn(r, {"##.##.##.##.##", "##.##.##.##.##"}, line);
  });
  box(scrollBox_, 20, 20, 2, [&](const TRect& r) {
    s.Fill(r, body);
    s.Frame(r, line);
  });
  s.NewRow();
  box(gridFixed_, 30, 20, 2, [&](const TRect& r) {
    s.VGrad(r, Lighter(p_.PageTop, 50), p_.PageBottom);
    s.HLine(r.Left, r.Right, r.Bottom - 1, line);
    s.VLine(r.Right - 1, r.Top + 2, r.Bottom - 2, line);
  });
  box(gridSelect_, 30, 20, 2, [&](const TRect& r) { DrawBox(s, r, ButtonColors(State::Down), 0, kWhite); });
  box(gridFocus_, 30, 20, 2, [&](const TRect& r) { DrawBox(s, r, ButtonColors(State::Hot), 0, kWhite); });
  active_[pRibbon] = s.ToBmp24();
}

// ---- ordinary controls ----

void Generator::DrawControls() {
  Sheet s(200);
  const TColor body = p_.PageBottom;
  const TColor line = ButtonBorder();
  const TColor field = Hex(0xABADB3);
  // Check and radio images: unchecked, checked, hot unchecked, hot checked,
  // disabled unchecked, disabled checked, grayed, hot grayed.
  auto checkImage = [&](const TRect& r, int kind, bool radio) {
    const bool hot = kind == 2 || kind == 3 || kind == 7, dis = kind == 4 || kind == 5;
    const bool checked = kind == 1 || kind == 3 || kind == 5;
    const bool grayed = kind >= 6;
    s.Fill(r, body);
    const TRect b{r.Left, r.Top, r.Left + 13, r.Top + 13};
    const BoxColors c = dis ? BoxColors{Hex(0xF4F4F4), Hex(0xF4F4F4), Hex(0xC8C8C8), Hex(0xF4F4F4)}
                        : hot ? BoxColors{kHotTop, kHotBottom, kHotBorder, kWhite}
                              : BoxColors{Hex(0xE8EBEF), kWhite, Hex(0x8E8F8F), Hex(0xF4F6F8)};
    if (radio) {
      for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) {
          const double d = std::hypot(x - 6.0, y - 6.0);
          if (d <= 5.6) s.Set(b.Left + x, b.Top + y, Mix(c.top, c.bottom, y, 12));
          if (d > 5.0 && d <= 6.4) s.Set(b.Left + x, b.Top + y, c.border);
        }
      if (checked) s.GlyphIn(b, GLYPH_DOT, dis ? Hex(0xA0A0A0) : Hex(0x2B4F8A));
      if (grayed) s.GlyphIn(b, {"###", "###", "###"}, Hex(0x9A9A9A));
    } else {
      DrawBox(s, b, c, 0, body);
      if (checked) s.GlyphIn(b, GLYPH_CHECK, dis ? Hex(0xA0A0A0) : Hex(0x2B2B2B));
      if (grayed) s.Fill({b.Left + 3, b.Top + 3, b.Right - 3, b.Bottom - 3}, Hex(0x6F8FBF));
    }
  };
  for (int i = 0; i < 8; ++i) check_[i] = GlyphTile(s, 13, 13, body, [&](const TRect& r) { checkImage(r, i, false); });
  s.NewRow();
  for (int i = 0; i < 8; ++i) radio_[i] = GlyphTile(s, 13, 13, body, [&](const TRect& r) { checkImage(r, i, true); });
  s.NewRow();
  auto box = [&](TRect& r, int w, int h, int c, const std::function<void(const TRect&)>& draw) {
    r = s.Alloc(w, h);
    Nine(s, r, c, c, c, c, [&] { draw(r); });
  };
  box(checkBg_, 20, 20, 2, [&](const TRect& r) { s.Fill(r, body); });
  // Progress bars.
  auto gaugeFrame = [&](const TRect& r) {
    DrawBox(s, r, {Hex(0xE6E6E6), Hex(0xF6F6F6), Hex(0xB2B2B2), Hex(0xDADADA)}, 1, body);
  };
  box(gauge_, 40, 14, 2, gaugeFrame);
  box(gaugeProgress_, 20, 12, 1, [&](const TRect& r) { s.VGrad(r, Hex(0x8FE08A), Hex(0x2EA52A)); });
  box(statusGauge_, 40, 12, 2, gaugeFrame);
  box(statusGaugeProgress_, 20, 10, 1, [&](const TRect& r) { s.VGrad(r, Hex(0x8FE08A), Hex(0x2EA52A)); });
  box(vgauge_, 14, 40, 2, gaugeFrame);
  box(vgaugeProgress_, 12, 20, 1, [&](const TRect& r) { s.HGrad(r, Hex(0x8FE08A), Hex(0x2EA52A)); });
  s.NewRow();
  // Track bars: the bar background with the groove, thumbs on the key colour.
  box(track_, 40, 22, 4, [&](const TRect& r) {
    s.Fill(r, body);
    s.Frame({r.Left + 2, r.Top + 9, r.Right - 2, r.Top + 13}, line);
    s.HLine(r.Left + 3, r.Right - 3, r.Top + 10, Hex(0xE0E0E0));
  });
  box(trackV_, 22, 40, 4, [&](const TRect& r) {
    s.Fill(r, body);
    s.Frame({r.Left + 9, r.Top + 2, r.Left + 13, r.Bottom - 2}, line);
  });
  auto thumb = [&](TRect& r, int w, int h, bool hot) {
    r = GlyphTile(s, w, h, kKey, [&](const TRect& t) {
      DrawBox(s, t, hot ? ButtonColors(State::Hot) : ButtonColors(State::Normal), 1, kKey);
    });
  };
  thumb(trackThumb_, 9, 16, false);
  thumb(trackThumbHot_, 9, 16, true);
  thumb(trackVThumb_, 16, 9, false);
  thumb(trackVThumbHot_, 16, 9, true);
  // Splitters with grips.
  box(splitV_, 6, 30, 0, [&](const TRect& r) { s.Fill(r, body); });
  box(splitH_, 30, 6, 0, [&](const TRect& r) { s.Fill(r, body); });
  gripV_ = GlyphTile(s, 5, 8, kKey, [&](const TRect& r) { s.GlyphIn(r, GLYPH_GRIP, line); });
  gripH_ = GlyphTile(s, 8, 2, kKey, [&](const TRect& r) { s.GlyphIn(r, GLYPH_HGRIP, line); });
  s.NewRow();
  // Up-down and spin buttons: up, down, left, right in three states.
  const std::initializer_list<const char*> arrows[4] = {GLYPH_ARROW_UP, GLYPH_ARROW_DOWN, GLYPH_ARROW_LEFT,
                                                        GLYPH_ARROW_RIGHT};
  for (int a = 0; a < 4; ++a)
    for (int st = 0; st < 3; ++st) {
      const bool h = a >= 2;
      upDown_[a][st] = s.Alloc(h ? 10 : 15, h ? 15 : 10);
      Tile(s, upDown_[a][st], [&] {
        DrawBox(s, upDown_[a][st], ButtonColors(st == 0 ? State::Normal : st == 1 ? State::Hot : State::Down), 1,
                body);
        s.GlyphIn(upDown_[a][st], arrows[a], p_.ControlText);
      });
    }
  s.NewRow();
  for (int a = 0; a < 2; ++a)
    for (int st = 0; st < 3; ++st) {
      spinBtn_[a][st] = s.Alloc(15, 9);
      Tile(s, spinBtn_[a][st], [&] {
        s.Fill(spinBtn_[a][st], kWhite);
        if (st > 0) DrawBox(s, spinBtn_[a][st], ButtonColors(st == 1 ? State::Hot : State::Down), 1, kWhite);
        s.GlyphIn(spinBtn_[a][st], a == 0 ? std::initializer_list<const char*>{"..#..", ".###.", "#####"}
                                          : std::initializer_list<const char*>{"#####", ".###.", "..#.."},
                  p_.ControlText);
      });
    }
  s.NewRow();
  // Scroll bars: track, arrow buttons, thumbs with their grips.
  box(sbH_, 64, 17, 0, [&](const TRect& r) {
    s.VGrad(r, Hex(0xE9EBEE), Hex(0xF6F7F8));
    s.HLine(r.Left, r.Right, r.Top, Hex(0xDBDDE0));
  });
  box(sbV_, 17, 64, 0, [&](const TRect& r) {
    s.HGrad(r, Hex(0xE9EBEE), Hex(0xF6F7F8));
    s.VLine(r.Left, r.Top, r.Bottom, Hex(0xDBDDE0));
  });
  s.NewRow();
  for (int a = 0; a < 4; ++a)
    for (int st = 0; st < 3; ++st) {
      sbBtn_[a][st] = s.Alloc(17, 17);
      Tile(s, sbBtn_[a][st], [&] {
        s.Fill(sbBtn_[a][st], Hex(0xF0F1F3));
        if (st > 0) DrawBox(s, sbBtn_[a][st], ButtonColors(st == 1 ? State::Hot : State::Down), 2, Hex(0xF0F1F3));
        s.GlyphIn(sbBtn_[a][st], arrows[a], st == 0 ? Hex(0x606060) : Hex(0x202020));
      });
    }
  s.NewRow();
  for (int st = 0; st < 3; ++st) {
    sbThumbH_[st] = s.Alloc(30, 17);
    Nine(s, sbThumbH_[st], 3, 0, 3, 0, [&] {
      s.Fill(sbThumbH_[st], kKey);
      DrawBox(s, {sbThumbH_[st].Left, sbThumbH_[st].Top + 1, sbThumbH_[st].Right, sbThumbH_[st].Bottom - 1},
              ButtonColors(st == 0 ? State::Normal : st == 1 ? State::Hot : State::Down), 2, kKey);
    });
  }
  for (int st = 0; st < 3; ++st) {
    sbThumbV_[st] = s.Alloc(17, 30);
    Nine(s, sbThumbV_[st], 0, 3, 0, 3, [&] {
      s.Fill(sbThumbV_[st], kKey);
      DrawBox(s, {sbThumbV_[st].Left + 1, sbThumbV_[st].Top, sbThumbV_[st].Right - 1, sbThumbV_[st].Bottom},
              ButtonColors(st == 0 ? State::Normal : st == 1 ? State::Hot : State::Down), 2, kKey);
    });
  }
  for (int st = 0; st < 3; ++st)
    sbGripH_[st] = GlyphTile(s, 8, 7, kKey, [&](const TRect& r) {
      s.GlyphIn(r, {"#.#.#", "#.#.#", "#.#.#", "#.#.#", "#.#.#"}, st == 0 ? Hex(0x8C8C8C) : Hex(0x7A5A10));
    });
  for (int st = 0; st < 3; ++st)
    sbGripV_[st] = GlyphTile(s, 7, 8, kKey, [&](const TRect& r) {
      s.GlyphIn(r, {"#####", ".....", "#####", ".....", "#####"}, st == 0 ? Hex(0x8C8C8C) : Hex(0x7A5A10));
    });
  s.NewRow();
  // Edits, combo boxes and list boxes on white.
  box(edit_, 40, 20, 2, [&](const TRect& r) {
    s.Fill(r, kWhite);
    s.Frame(r, field);
  });
  box(editHot_, 40, 20, 2, [&](const TRect& r) {
    s.Fill(r, kWhite);
    s.Frame(r, kHotBorder);
  });
  const std::initializer_list<const char*> editGlyph = GLYPH_ELLIPSIS, comboGlyph = GLYPH_SMALL_DOWN;
  for (int st = 0; st < 4; ++st) {
    editBtn4_[st] = s.Alloc(15, 18);
    Tile(s, editBtn4_[st], [&] {
      s.Fill(editBtn4_[st], kWhite);
      if (st == 1 || st == 2) DrawBox(s, editBtn4_[st], ButtonColors(st == 1 ? State::Hot : State::Down), 1, kWhite);
      s.GlyphIn(editBtn4_[st], editGlyph, st == 3 ? Hex(0xB0B0B0) : p_.ControlText, 0, 3);
    });
  }
  for (int st = 0; st < 4; ++st) {
    comboBtn4_[st] = s.Alloc(15, 18);
    Tile(s, comboBtn4_[st], [&] {
      s.Fill(comboBtn4_[st], kWhite);
      if (st == 1 || st == 2) DrawBox(s, comboBtn4_[st], ButtonColors(st == 1 ? State::Hot : State::Down), 1, kWhite);
      s.GlyphIn(comboBtn4_[st], comboGlyph, st == 3 ? Hex(0xB0B0B0) : p_.ControlText);
    });
  }
  s.NewRow();
  box(listBox_, 40, 40, 2, [&](const TRect& r) {
    s.Fill(r, kWhite);
    s.Frame(r, field);
  });
  box(listItem_, 40, 18, 2, [&](const TRect& r) { s.Fill(r, kWhite); });
  box(listItemActive_, 40, 18, 2, [&](const TRect& r) { DrawBox(s, r, ButtonColors(State::Down), 2, kWhite); });
  box(listItemFocus_, 40, 18, 2, [&](const TRect& r) { DrawBox(s, r, ButtonColors(State::Hot), 2, kWhite); });
  s.NewRow();
  // Slider and tree view marks.
  box(sliderH_, 40, 6, 2, [&](const TRect& r) { DrawBox(s, r, {Hex(0xD5D8DC), Hex(0xEEF0F2), line, Hex(0xC8CBD0)}, 1, body); });
  sliderHThumb_ = GlyphTile(s, 11, 14, body, [&](const TRect& r) { DrawBox(s, r, ButtonColors(State::Normal), 2, body); });
  box(sliderV_, 6, 40, 2, [&](const TRect& r) { DrawBox(s, r, {Hex(0xD5D8DC), Hex(0xEEF0F2), line, Hex(0xC8CBD0)}, 1, body); });
  sliderVThumb_ = GlyphTile(s, 14, 11, body, [&](const TRect& r) { DrawBox(s, r, ButtonColors(State::Normal), 2, body); });
  treeExpand_ = GlyphTile(s, 9, 9, kWhite, [&](const TRect& r) { s.GlyphIn(r, GLYPH_ARROW_RIGHT, Hex(0x808080)); });
  treeNoExpand_ = GlyphTile(s, 9, 9, kWhite, [&](const TRect& r) { s.GlyphIn(r, GLYPH_ARROW_DOWN, Hex(0x404040)); });
  active_[pControls] = s.ToBmp24();
}

// ---- definitions ----

void SetNine(TvxDataSkinCustomControl& d, int picture, const TRect& r, int l, int t, int rr, int b) {
  d.pictureindex = picture;
  d.skinrect = r;
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  d.lefttoppoint = {l, t};
  d.righttoppoint = {w - rr, t};
  d.leftbottompoint = {l, h - b};
  d.rightbottompoint = {w - rr, h - b};
  d.clientrect = {l, t, w - rr, h - b};
  d.leftstretch = d.topstretch = d.rightstretch = d.bottomstretch = true;
  d.stretcheffect = true;
  d.stretchtype = vxstFull;
}
void SetNine(TvxDataSkinCustomControl& d, int picture, const TRect& r, int c) { SetNine(d, picture, r, c, c, c, c); }

void Generator::DefineObjects() {
  const TColor inactiveText = Mix(p_.CaptionText, p_.FrameBottom, 1, 2);
  {
    auto& c = Object<TvxDataSkinCaption>("caption", "caption");
    if (fixture_) {
      c.skinrect = {30, 0, 128, kCaption};
      c.textrect = {0, 0, 98, kCaption};
    } else {
      // From the left corner zone to the right one: the text area (picture
      // columns 30 to 128) follows the width of the window.
      c.skinrect = {kCaptionRightX - 102, 0, kCaptionRightX + 1, kCaption};
      c.textrect = {1, 0, 99, kCaption};
    }
    c.fontname = "Tahoma";
    c.fontheight = 13;
    c.fontcolor = inactiveText;
    c.activefontcolor = p_.CaptionText;
    c.alignment = taCenter;
    c.framecount = 0;
    c.quickbuttonalphamaskpictureindex = -1;
  }
  auto capButton = [&](const char* name, TvxSkinCommand cmd, const char* hint, const CapRow& row,
                       const CapRow* restore) -> TvxDataSkinStdButton& {
    auto& b = Object<TvxDataSkinStdButton>("stdbutton", name);
    b.hint = hint;
    b.command = cmd;
    b.activepictureindex = pCaptionButtons;
    b.skinrectinapicture = true;
    b.skinrect = row.normal;
    b.activeskinrect = row.hot;
    b.downrect = row.down;
    b.inactiveskinrect = row.inactive;
    b.disableskinrsect = row.inactive;
    b.morphing = true;
    b.morphkind = vxmkDefault;
    if (restore != nullptr) {
      b.restorerect = restore->normal;
      b.restoreactiverect = restore->hot;
      b.restoredownrect = restore->down;
      b.restoreinactiverect = restore->inactive;
      b.restorehint = "Restore";
    }
    if (fixture_ && opt_.FullBorder) {
      b.alphamaskpictureindex = b.alphamaskactivepictureindex = b.alphamaskinactivepictureindex = pButtonAlpha;
    }
    return b;
  };
  capButton("closebutton", cmClose, "Close", capClose_, nullptr);
  capButton("maxbutton", cmMaximize, "Maximize", capMax_, &capRestore_);
  capButton("minbutton", cmMinimize, "Minimize", capMin_, &capRestore_);
  capButton("rollupbutton", cmRollUp, "Roll Up", capRollUp_, &capRollDown_);
  capButton("traybutton", cmMinimizeToTray, "Minimize to tray", capTray_, nullptr);
  {
    auto& b = capButton("sysmenubutton", cmSysMenu, "System menu", capSys_, nullptr);
    b.skinrectinapicture = false;  // the glyph is part of the frame picture
    b.skinrect = sysIconInFrame_;
  }
  {
    auto& m = Object<TvxDataSkinMenuItem>("menuitem", "menuitem");
    m.activepictureindex = pMenu;
    m.skinrectinapicture = true;
    m.skinrect = menuItem_;
    m.activeskinrect = menuItemHot_;
    m.itemleftoffset = 28;
    m.itemrightoffset = 2;
    m.dividerrect = menuDivider_;
    m.dividerleftoffset = 30;
    m.dividerrightoffset = 2;
    m.textrect = {32, 0, 56, 22};
    m.imagerect = {5, 3, 21, 19};
    m.fontname = "Tahoma";
    m.fontheight = 13;
    m.fontcolor = Hex(0x3B3B3B);
    m.activefontcolor = Hex(0x000000);
    m.unenabledfontcolor = Hex(0xA0A0A0);
    m.stretcheffect = m.inactivestretcheffect = m.dividerstretcheffect = true;
    m.checkimagerect = menuCheck_;
    m.activecheckimagerect = menuCheckHot_;
    m.radioimagerect = menuRadio_;
    m.activeradioimagerect = menuRadioHot_;
    m.arrowimagerect = menuArrow_;
    m.activearrowimagerect = menuArrowHot_;
  }
  {
    auto& m = Object<TvxDataSkinMainMenuBarItem>("mainmenubaritem", "mainmenubaritem");
    m.activepictureindex = pMenu;
    m.skinrectinapicture = true;
    m.skinrect = barItem_;
    m.activeskinrect = barItemHot_;
    m.downrect = barItemDown_;
    m.itemleftoffset = m.itemrightoffset = 3;
    m.textrect = {3, 0, 27, 22};
    m.fontname = "Tahoma";
    m.fontheight = 13;
    m.fontcolor = p_.CaptionText;
    m.activefontcolor = m.downfontcolor = Hex(0x202020);
    m.unenabledfontColor = Hex(0xA0A0A0);
    m.stretcheffect = true;
  }
  auto barButton = [&](const char* name, TvxSkinCommand cmd, const char* hint, const CapRow& row,
                       const CapRow* restore) {
    auto& b = Object<TvxDataSkinMainMenuBarButton>("mainmenubarbutton", name);
    b.hint = hint;
    b.command = cmd;
    b.activepictureindex = pCaptionButtons;
    b.skinrectinapicture = true;
    b.skinrect = row.normal;
    b.activeskinrect = row.hot;
    b.downrect = row.down;
    b.inactiveskinrect = row.inactive;
    if (restore != nullptr) {
      b.restorerect = restore->normal;
      b.restoreactiverect = restore->hot;
      b.restoredownrect = restore->down;
      b.restoreinactiverect = restore->inactive;
      b.restorehint = "Restore";
    }
  };
  barButton("mainmenubarclose", cmClose, "Close", barClose_, nullptr);
  barButton("mainmenubarmin", cmMinimize, "Minimize", barMin_, &barRestore_);
  barButton("mainmenubarmax", cmMaximize, "Maximize", barMax_, &barRestore_);
  barButton("mainmenubarsysmenu", cmSysMenu, "System menu", barSys_, nullptr);
}

void Generator::DefineControls() {
  const std::string font = "Tahoma";
  const TColor text = p_.ControlText, disabled = Hex(0x9A9A9A), dark = Hex(0x1E1E1E);

  auto button = [&](const std::string& type, const std::string& name, const States& st, int corner)
      -> TvxDataSkinButtonControl& {
    auto& d = Control<TvxDataSkinButtonControl>(type, name);
    SetNine(d, pButtons, st.normal, corner);
    d.activeskinrect = st.hot;
    d.downskinrect = st.down;
    d.focusedskinrect = st.focused;
    d.disabledskinrect = st.disabled;
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = text;
    d.activefontcolor = dark;
    d.downfontcolor = dark;
    d.disabledfontcolor = disabled;
    d.morphing = true;
    d.morphkind = vxmkDefault;
    d.menumarkerflatrect = markerFlat_;
    d.menumarkerrect = marker_;
    d.menumarkeractiverect = markerHot_;
    d.menumarkerdownrect = markerDown_;
    d.menumarkertransparentcolor = kKey;
    return d;
  };
  auto menuButton = [&](const std::string& name, const States& st) {
    auto& d = dynamic_cast<TvxDataSkinMenuButtonControl&>(button("menubutton", name, st, 3));
    d.trackbuttonrect = {st.normal.Right - 13, st.normal.Top, st.normal.Right, st.normal.Bottom};
  };
  auto panel = [&](const std::string& name, const TRect& r, int corner) -> TvxDataSkinPanelControl& {
    auto& d = Control<TvxDataSkinPanelControl>("panel", name);
    SetNine(d, pRibbon, r, corner);
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = text;
    d.alignment = taCenter;
    d.grippertransparentcolor = d.buttontransparentcolor = kKey;
    return d;
  };

  // Panels.
  panel("toolpanel", toolPanel_, 2);
  panel("panel", panel_, 2);
  {
    auto& d = panel("groupbox", groupBox_, 6);
    d.lefttoppoint = {6, 14};
    d.righttoppoint = {34, 14};
    d.clientrect = {6, 14, 34, 34};
    d.captionrect = {6, 0, 34, 16};
    d.alignment = taLeftJustify;
    d.fontcolor = p_.GroupText;
  }
  panel("statusbar", statusBar_, 2).fontcolor = p_.CaptionText;
  panel("bigtoolpanel", toolPanel_, 2);
  panel("resizetoolpanel", toolPanel_, 2);
  {
    auto& d = panel("officegroup", officeGroup_, 4);
    d.lefttoppoint = {4, 4};
    d.righttoppoint = {54, 4};
    d.leftbottompoint = {4, 70};
    d.rightbottompoint = {54, 70};
    d.clientrect = {4, 4, 54, 70};
    d.captionrect = {4, 72, 54, 88};
    d.fontcolor = p_.GroupText;
  }
  panel("officetoolbar", officeToolbar_, 3);
  panel("menupagepanel", menuPagePanel_, 2);

  // Buttons.
  button("button", "button", button_, 3).showfocus = true;
  button("button", "toolbutton", tool_, 3);
  button("button", "resizebutton", tool_, 3);
  button("button", "bigtoolbutton", bigTool_, 3);
  button("button", "resizetoolbutton", tool_, 3);
  button("button", "combobutton", comboBtn_, 3);
  button("button", "vtracktoolbutton", tool_, 3);
  button("button", "htracktoolbutton", tool_, 3);
  button("button", "officegroupbutton", groupBtn_, 3);
  button("button", "officemenubutton", appItemBtn_, 3);
  menuButton("toolmenubutton", tool_);
  menuButton("toolmenutrackbutton", tool_);
  menuButton("bigtoolmenubutton", bigTool_);
  menuButton("bigtoolmenutrackbutton", bigTool_);
  // Optional sections other parts look up.
  button("button", "officequickbutton", quick_, 3).fontcolor = p_.CaptionText;
  {
    auto& d = button("button", "officeribbonbutton", fileBtn_, 4);
    d.fontcolor = d.activefontcolor = d.downfontcolor = kWhite;
    d.disabledfontcolor = Hex(0xD8E4F4);
    d.fontstyle = TFontStyles{fsBold};
  }
  button("button", "menuitembutton", menuItemBtn_, 3);
  button("button", "editbutton", editBtn_, 2);

  // Check and radio boxes.
  for (int radio = 0; radio < 2; ++radio) {
    auto& d = Control<TvxDataSkinCheckRadioControl>("checkradio", radio ? "radiobox" : "checkbox");
    SetNine(d, pControls, checkBg_, 2);
    const TRect* im = radio ? radio_ : check_;
    d.activeskinrect = checkBg_;
    d.checkimagearea = {2, 3, 15, 16};
    d.textarea = {19, 0, 20, 20};
    d.uncheckimagerect = im[0];
    d.checkimagerect = im[1];
    d.activeuncheckimagerect = im[2];
    d.activecheckimagerect = im[3];
    d.unenableduncheckimagerect = im[4];
    d.unenabledcheckimagerect = im[5];
    d.grayedcheckimagerect = im[6];
    d.activegrayedcheckimagerect = im[7];
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = text;
    d.activefontcolor = dark;
    d.unenabledfontcolor = disabled;
    d.framefontcolor = p_.GroupText;
  }

  // Progress bars.
  auto gauge = [&](const std::string& name, const TRect& frame, const TRect& progress, bool vertical) {
    auto& d = Control<TvxDataSkinGaugeControl>("gauge", name);
    SetNine(d, pControls, frame, 2);
    const int w = frame.Right - frame.Left, h = frame.Bottom - frame.Top;
    d.progressarea = {1, 1, w - 1, h - 1};
    d.progressrect = progress;
    d.beginoffset = d.endoffset = 1;
    d.vertical = vertical;
    d.progressstretch = true;
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = text;
    d.progresstransparentcolor = kKey;
  };
  gauge("gauge", gauge_, gaugeProgress_, false);
  gauge("vgauge", vgauge_, vgaugeProgress_, true);
  gauge("statusgauge", statusGauge_, statusGaugeProgress_, false);

  // Labels.
  auto label = [&](const std::string& name, int picture, const TRect& r, int corner, TColor color, bool bold) {
    auto& d = Control<TvxDataSkinLabelControl>("label", name);
    SetNine(d, picture, r, corner);
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = color;
    if (bold) d.fontstyle = TFontStyles{fsBold};
  };
  label("label", pRibbon, label_, 2, text, false);
  label("statuspanel", pRibbon, statusPanel_, 3, p_.CaptionText, false);
  label("menuheader", pMenu, menuHeader_, 2, Hex(0x2B2B2B), true);
  label("appmenuheader", pMenu, menuHeader_, 2, Hex(0x2B2B2B), true);
  for (const char* name : {"stdlabel", "appmenustdlabel"}) {
    auto& d = Control<TvxDataSkinStdLabelControl>("stdlabel", name);
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = std::string(name) == "stdlabel" ? text : Hex(0x3B3B3B);
    d.activefontcolor = Hex(0xC04000);
  }

  // Track bars, splitters, up-downs, scroll bars.
  auto trackbar = [&](const std::string& name, bool vertical) {
    auto& d = Control<TvxDataSkinTrackBarControl>("trackbar", name);
    SetNine(d, pControls, vertical ? trackV_ : track_, 4);
    d.activeskinrect = vertical ? trackV_ : track_;
    d.trackarea = vertical ? TRect{0, 6, 22, 34} : TRect{6, 0, 34, 22};
    d.buttonrect = vertical ? trackVThumb_ : trackThumb_;
    d.activebuttonrect = vertical ? trackVThumbHot_ : trackThumbHot_;
    d.vertical = vertical;
    d.buttontransparent = true;
    d.buttontransparentcolor = kKey;
  };
  trackbar("trackbar", true);
  trackbar("htrackbar", false);
  for (int h = 0; h < 2; ++h) {
    auto& d = Control<TvxDataSkinSplitterControl>("splitter", h ? "hsplitter" : "vsplitter");
    SetNine(d, pControls, h ? splitH_ : splitV_, 0);
    d.gripperrect = h ? gripH_ : gripV_;
    d.grippertransparent = true;
    d.grippertransparentcolor = kKey;
  }
  for (int h = 0; h < 2; ++h) {
    auto& d = Control<TvxDataSkinUpDownControl>("updown", h ? "hupdown" : "vupdown");
    d.pictureindex = pControls;
    const int a = h ? 2 : 0;  // up (or left) and down (or right)
    d.skinrect = upDown_[a][0];
    d.upbuttonrect = upDown_[a][0];
    d.activeupbuttonrect = upDown_[a][1];
    d.downupbuttonrect = upDown_[a][2];
    d.downbuttonrect = upDown_[a + 1][0];
    d.activedownbuttonrect = upDown_[a + 1][1];
    d.downdownbuttonrect = upDown_[a + 1][2];
  }
  auto scrollbar = [&](const std::string& name, bool vertical) {
    auto& d = Control<TvxDataSkinScrollBarControl>("scrollbar", name);
    const TRect& r = vertical ? sbV_ : sbH_;
    if (vertical) SetNine(d, pControls, r, 0, 17, 0, 17);
    else SetNine(d, pControls, r, 17, 0, 17, 0);
    d.trackarea = vertical ? TRect{0, 17, 17, 47} : TRect{17, 0, 47, 17};
    const int up = vertical ? 0 : 2;
    d.upbuttonrect = sbBtn_[up][0];
    d.activeupbuttonrect = sbBtn_[up][1];
    d.downupbuttonrect = sbBtn_[up][2];
    d.downbuttonrect = sbBtn_[up + 1][0];
    d.activedownbuttonrect = sbBtn_[up + 1][1];
    d.downdownbuttonrect = sbBtn_[up + 1][2];
    const TRect* th = vertical ? sbThumbV_ : sbThumbH_;
    d.thumbrect = th[0];
    d.activethumbrect = th[1];
    d.downthumbrect = th[2];
    d.thumboffset1 = d.thumboffset2 = 3;
    d.thumbtransparent = true;
    d.thumbtransparentcolor = kKey;
    d.thumbstretcheffect = true;
    d.thumbminsize = 12;
    d.thumbminpagesize = 8;
    const TRect* g = vertical ? sbGripV_ : sbGripH_;
    d.glyphrect = g[0];
    d.activeglyphrect = g[1];
    d.downglyphrect = g[2];
    d.glyphtransparent = true;
    d.glyphtransparentcolor = kKey;
  };
  scrollbar("hscrollbar", false);
  scrollbar("vscrollbar", true);
  scrollbar("bothhscrollbar", false);

  // Edits.
  auto edit = [&](const std::string& type, const std::string& name) -> TvxDataSkinEditControl& {
    auto& d = Control<TvxDataSkinEditControl>(type, name);
    SetNine(d, pControls, edit_, 2);
    d.activeskinrect = editHot_;
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = Hex(0x1E1E1E);
    d.activefontcolor = Hex(0x000000);
    d.disabledfontcolor = disabled;
    d.buttonrect = editBtn4_[0];
    d.activebuttonrect = editBtn4_[1];
    d.downbuttonrect = editBtn4_[2];
    d.unenabledbuttonrect = editBtn4_[3];
    return d;
  };
  edit("edit", "edit");
  edit("edit", "buttonedit");
  edit("edit", "statusedit");
  edit("edit", "statusbuttonedit");
  {
    auto& d = dynamic_cast<TvxDataSkinMemoControl&>(edit("memo", "memo"));
    d.bgcolor = d.activebgcolor = kWhite;
  }
  for (const char* name : {"spinedit", "statusspinedit"}) {
    auto& d = Control<TvxDataSkinSpinEditControl>("spinedit", name);
    SetNine(d, pControls, edit_, 2);
    d.activeskinrect = editHot_;
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = Hex(0x1E1E1E);
    d.activefontcolor = Hex(0x000000);
    d.disabledfontcolor = disabled;
    d.upbuttonrect = spinBtn_[0][0];
    d.activeupbuttonrect = spinBtn_[0][1];
    d.downupbuttonrect = spinBtn_[0][2];
    d.downbuttonrect = spinBtn_[1][0];
    d.activedownbuttonrect = spinBtn_[1][1];
    d.downdownbuttonrect = spinBtn_[1][2];
  }

  // Lists and combo boxes.
  auto listbox = [&](const std::string& type, const std::string& name, bool caption) -> TvxDataSkinListBox& {
    auto& d = Control<TvxDataSkinListBox>(type, name);
    SetNine(d, pControls, listBox_, 2);
    d.itemrect = listItem_;
    d.activeitemrect = listItemActive_;
    d.focusitemrect = listItemFocus_;
    d.itemleftoffset = d.itemrightoffset = 2;
    d.itemtextrect = {4, 0, 36, 18};
    d.fontname = d.captionfontname = font;
    d.fontheight = d.captionfontheight = 13;
    d.fontcolor = Hex(0x1E1E1E);
    d.activefontcolor = d.focusfontcolor = Hex(0x000000);
    d.captionfontcolor = p_.GroupText;
    if (caption) d.captionrect = {2, 2, 38, 20};
    d.upbuttonrect = upDown_[0][0];
    d.activeupbuttonrect = upDown_[0][1];
    d.downupbuttonrect = upDown_[0][2];
    d.downbuttonrect = upDown_[1][0];
    d.activedownbuttonrect = upDown_[1][1];
    d.downdownbuttonrect = upDown_[1][2];
    d.checkbuttonrect = check_[0];
    d.activecheckbuttonrect = check_[2];
    d.downcheckbuttonrect = check_[3];
    d.vscrollbarname = "vscrollbar";
    d.hscrollbarname = "hscrollbar";
    d.bothhscrollbarname = "bothhscrollbar";
    d.showfocus = true;
    return d;
  };
  listbox("listbox", "listbox", false);
  listbox("listbox", "captionlistbox", true);
  for (const auto& [name, caption] : {std::pair{"checklistbox", false}, std::pair{"captionchecklistbox", true}}) {
    auto& d = dynamic_cast<TvxDataSkinCheckListBox&>(listbox("checklistbox", name, caption));
    d.itemcheckrect = {2, 2, 15, 15};
    d.checkimagerect = check_[1];
    d.uncheckimagerect = check_[0];
  }
  for (const char* name : {"combobox", "captioncombobox", "statuscombobox"}) {
    auto& d = Control<TvxDataSkinComboBox>("combobox", name);
    SetNine(d, pControls, edit_, 2);
    d.activeskinrect = editHot_;
    d.itemrect = listItem_;
    d.activeitemrect = listItemActive_;
    d.focusitemrect = listItemFocus_;
    d.itemleftoffset = d.itemrightoffset = 2;
    d.itemtextrect = {4, 0, 36, 18};
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = Hex(0x1E1E1E);
    d.activefontcolor = d.focusfontcolor = Hex(0x000000);
    d.listboxname = "listbox";
    d.buttonrect = comboBtn4_[0];
    d.activebuttonrect = comboBtn4_[1];
    d.downbuttonrect = comboBtn4_[2];
    d.unenabledbuttonrect = comboBtn4_[3];
    d.itemstretcheffect = d.focusitemstretcheffect = true;
  }

  // Tabs.
  for (const char* name : {"tab", "officetab"}) {
    auto& d = Control<TvxDataSkinTabControl>("tab", name);
    d.pictureindex = pRibbon;
    d.skinrect = tabBody_;
    d.tabrect = tabNormal_;
    d.activetabrect = tabActive_;
    d.focustabrect = tabActive_;
    d.mouseintabrect = tabHot_;
    d.lefttoppoint = {3, 3};
    d.righttoppoint = {37, 3};
    d.leftbottompoint = {3, 37};
    d.rightbottompoint = {37, 37};
    d.clientrect = {3, 3, 37, 37};
    d.tableftoffset = d.tabrightoffset = 4;
    d.tabsbgrect = tabsBg_;
    d.tabstretcheffect = d.leftstretch = d.topstretch = d.rightstretch = d.bottomstretch = d.stretcheffect = true;
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = std::string(name) == "officetab" ? p_.CaptionText : text;
    d.activefontcolor = d.focusfontcolor = d.mouseinfontcolor = Hex(0x1E1E1E);
    d.updown = "hupdown";
    d.focusoffsetx = d.focusoffsety = 2;
    d.closebuttonrect = tabClose_[0];
    d.closebuttonactiverect = tabClose_[1];
    d.closebuttondownrect = tabClose_[2];
    d.buttontransparent = true;
    d.buttontransparentcolor = kKey;
    d.dividerrect = tabDivider_;
    d.dividertransparent = true;
    d.dividertransparentcolor = kKey;
    d.mdibuttonstransparentcolor = kKey;
  }
  {
    auto& d = Control<TvxDataSkinGridControl>("grid", "grid");
    d.pictureindex = pRibbon;
    d.fixedcellrect = gridFixed_;
    d.selectcellrect = gridSelect_;
    d.focuscellrect = gridFocus_;
    d.fixedcellleftoffset = d.fixedcellrightoffset = 2;
    d.cellleftoffset = d.cellrightoffset = 2;
    d.fixedcelltextrect = d.celltextrect = {3, 0, 27, 20};
    d.linescolor = Hex(0xD5D8DC);
    d.bgcolor = kWhite;
    d.fontname = d.fixedfontname = font;
    d.fontheight = d.fixedfontheight = 13;
    d.fontcolor = Hex(0x1E1E1E);
    d.selectfontcolor = d.focusfontcolor = Hex(0x000000);
    d.fixedfontcolor = p_.GroupText;
    d.cellstretcheffect = d.fixedcellstretcheffect = d.showfocus = true;
  }
  for (const char* name : {"bevel", "menupagedivider", "officegroupdivider"}) {
    auto& d = Control<TvxDataSkinBevel>("bevel", name);
    d.darkcolor = std::string(name) == "menupagedivider" ? Hex(0xE2E4E7) : ButtonBorder();
    d.lightcolor = kWhite;
  }

  // One section each.
  {
    auto& d = Control<TvxDataSkinExPanelControl>("expanel", "expanel");
    SetNine(d, pRibbon, expanel_, 3, 22, 3, 3);
    d.rollhskinrect = expanelRollH_;
    d.rollvskinrect = expanelRollV_;
    d.rollleftoffset = d.rollrightoffset = d.rolltopoffset = d.rollbottomoffset = 3;
    d.captionrect = {4, 0, 40, 20};
    d.rollhcaptionrect = {4, 0, 40, 20};
    d.rollvcaptionrect = {0, 20, 20, 56};
    d.closebuttonrect = exBtn_[0][0];
    d.closebuttonactiverect = exBtn_[0][1];
    d.closebuttondownrect = exBtn_[0][2];
    d.hrollbuttonrect = exBtn_[1][0];
    d.hrollbuttonactiverect = exBtn_[1][1];
    d.hrollbuttondownrect = exBtn_[1][2];
    d.hrestorebuttonrect = exBtn_[2][0];
    d.hrestorebuttonactiverect = exBtn_[2][1];
    d.hrestorebuttondownrect = exBtn_[2][2];
    d.vrollbuttonrect = exBtn_[3][0];
    d.vrollbuttonactiverect = exBtn_[3][1];
    d.vrollbuttondownrect = exBtn_[3][2];
    d.vrestorebuttonrect = exBtn_[4][0];
    d.vrestorebuttonactiverect = exBtn_[4][1];
    d.vrestorebuttondownrect = exBtn_[4][2];
    d.fontname = font;
    d.fontheight = 13;
    d.fontstyle = TFontStyles{fsBold};
    d.fontcolor = p_.GroupText;
    d.buttonstransparent = true;
    d.buttonstransparentcolor = kKey;
  }
  {
    auto& d = Control<TvxDataSkinControlBar>("controlbar", "controlbar");
    SetNine(d, pRibbon, controlBar_, 2);
    d.itemrect = controlBarItem_;
    d.hgriprect = controlBarHGrip_;
    d.vgriprect = controlBarVGrip_;
    d.gripoffset1 = d.gripoffset2 = 3;
    d.itemstretcheffect = true;
    d.itemoffset1 = d.itemoffset2 = 3;
    d.itemtransparentcolor = kKey;
    d.griptransparent = true;
    d.griptransparentcolor = kKey;
  }
  {
    auto& d = Control<TvxDataSkinMainMenuBar>("mainmenubar", "mainmenubar");
    d.pictureindex = pMenu;
    d.skinrect = barBg_;
    d.itemsrect = {0, 0, barBg_.Right - barBg_.Left, barBg_.Bottom - barBg_.Top};
    d.menubaritem = "mainmenubaritem";
    d.closebutton = "mainmenubarclose";
    d.minbutton = "mainmenubarmin";
    d.maxbutton = "mainmenubarmax";
    d.sysmenubutton = "mainmenubarsysmenu";
    d.trackmarkcolor = p_.CaptionText;
    d.trackmarkactivecolor = Hex(0x000000);
    d.stretcheffect = true;
  }
  {
    auto& d = Control<TvxDataSkinAppMenu>("appmenu", "appmenu");
    SetNine(d, pRibbon, appMenuBg_, 4);
    d.itemrect = appItem_;
    d.pageitemrect = appPageItem_;
    d.pageitemactiverect = appPageItemActive_;
    d.itemoffset1 = d.itemoffset2 = 3;
    d.pageitemoffset1 = d.pageitemoffset2 = 10;
    d.pageoffset = 0;
    d.fontname = font;
    d.fontheight = 13;
    d.fontpageheight = 16;
    d.fontcolor = Hex(0x2B2B2B);
    d.disabledfontcolor = disabled;
    d.activefontcolor = Hex(0x000000);
    d.fontpagecolor = Hex(0x2B2B2B);
    d.activefontpagecolor = kWhite;
    d.gripperrect = appGripper_;
    d.grippertransparentcolor = kKey;
    d.toplinerect = appTopLine_;
    d.toplineoffset1 = d.toplineoffset2 = 2;
  }
  {
    auto& d = Control<TvxDataSkinScrollBoxControl>("scrollbox", "scrollbox");
    SetNine(d, pRibbon, scrollBox_, 2);
  }
  {
    auto& d = Control<TvxDataSkinTreeView>("treeview", "treeview");
    d.fontname = font;
    d.fontheight = 13;
    d.fontcolor = Hex(0x1E1E1E);
    d.bgcolor = kWhite;
    d.pictureindex = pControls;
    d.expandimagerect = treeExpand_;
    d.noexpandimagerect = treeNoExpand_;
  }
  for (const auto& [type, name] : {std::pair{"listview", "listview"}, std::pair{"richedit", "richedit"}}) {
    auto& d = Control<TvxDataSkinControl>(type, name);
    if (auto* lv = dynamic_cast<TvxDataSkinListView*>(&d)) {
      lv->fontname = font;
      lv->fontheight = 13;
      lv->fontcolor = Hex(0x1E1E1E);
      lv->bgcolor = kWhite;
    } else if (auto* re = dynamic_cast<TvxDataSkinRichEdit*>(&d)) {
      re->fontname = font;
      re->fontheight = 13;
      re->fontcolor = Hex(0x1E1E1E);
      re->bgcolor = kWhite;
    }
  }
  {
    auto& d = Control<TvxDataSkinSlider>("slider", "slider");
    d.pictureindex = pControls;
    d.bgcolor = p_.PageBottom;
    d.hrulerrect = sliderH_;
    d.hthumbrect = sliderHThumb_;
    d.vrulerrect = sliderV_;
    d.vthumbrect = sliderVThumb_;
    d.edgesize = 2;
    d.pointscolor = ButtonBorder();
  }
}

void Generator::WriteIni(TMemIniFile& ini) {
  ini.WriteString("VERSION", "ver", "3");
  ini.WriteString("VERSION", "skinname", p_.Name);
  ini.WriteString("VERSION", "skinauthor", "vx toolkit");
  ini.WriteString("VERSION", "authoremail", "");
  ini.WriteString("VERSION", "authorurl", "");
  ini.WriteString("VERSION", "skincomments",
                  fixture_ ? "Fixture skin: every slice and state rectangle has a flat colour of its own"
                           : "Office-suite look, drawn by the skin generator");
  ini.WriteString("PICTURES", "picture", out_.PictureName);
  ini.WriteString("PICTURES", "inactivepicture", "");
  ini.WriteString("PICTURES", "mask", out_.MaskName);
  ini.WriteInteger("PICTURES", "activepicturescount", int(out_.ActiveNames.size()));
  for (size_t i = 0; i < out_.ActiveNames.size(); ++i)
    ini.WriteString("PICTURES", std::to_string(i), out_.ActiveNames[i]);

  const char* s = "FORMINFO";
  // The built-in skins end the stretched part of the caption band where the
  // caption buttons start, so that the caption object (spanning the left and
  // right corner zones) grows with the window; the sizing corner stays small.
  const TPoint lt{30, kCaption}, rt{fixture_ ? kW - 12 : kCaptionRightX, kCaption}, lb{30, kH - 12},
      rb{kW - 12, kH - 12};
  const TPoint hitRt{kW - 12, kCaption};
  const TRect client{kBorder, kCaption, kW - kBorder, kH - kBorder};
  WritePoint(ini, s, "lefttoppoint", lt);
  WritePoint(ini, s, "righttoppoint", rt);
  WritePoint(ini, s, "leftbottompoint", lb);
  WritePoint(ini, s, "rightbottompoint", rb);
  WriteRect(ini, s, "clientrect", client);
  ini.WriteInteger(s, "bgpictureindex", -1);
  ini.WriteInteger(s, "mdibgpictureindex", -1);
  for (const char* k : {"leftstretch", "rightstretch", "topstretch", "bottomstretch"}) WriteBoolean(ini, s, k, true);
  WriteBoolean(ini, s, "stretcheffect", false);
  WriteStretchType(ini, s, "stretchtype", vxstFull);
  WriteBoolean(ini, s, "mdibgstretcheffect", false);
  WriteStretchType(ini, s, "mdibgstretchtype", vxstFull);
  WriteRect(ini, s, "maskrectarea", client);
  WritePoint(ini, s, "hittestlefttoppoint", lt);
  WritePoint(ini, s, "hittestrighttoppoint", hitRt);
  WritePoint(ini, s, "hittestleftbottompoint", lb);
  WritePoint(ini, s, "hittestrightbottompoint", rb);
  WriteRect(ini, s, "buttonsrect", {kW - kBorder - 4 * kCapBtnW, 1, kW - kBorder, 1 + kCapBtnH});
  WriteRect(ini, s, "captionrect", {30, 0, kW - kBorder - 4 * kCapBtnW, kCaption});
  ini.WriteInteger(s, "buttonsoffset", 0);
  WriteBoolean(ini, s, "buttonsinleft", false);
  WriteBoolean(ini, s, "mainmenupopupup", false);
  ini.WriteInteger(s, "borderwidth", kBorder);
  ini.WriteInteger(s, "formminwidth", 200);
  ini.WriteInteger(s, "formminheight", kCaption + kBorder + 8);
  WriteBoolean(ini, s, "mditabstransparent", false);
  WriteBoolean(ini, s, "mainmenubartransparent", false);
  WriteBoolean(ini, s, "autorenderinginactiveimage", true);
  ini.WriteString(s, "inactiveeffect", "iebrightness");

  const char* c = "SKINCOLORS";
  ini.WriteInteger(c, "cbtnface", int32_t(p_.PageBottom));
  ini.WriteInteger(c, "cbtntext", int32_t(p_.ControlText));
  ini.WriteInteger(c, "cwindow", int32_t(kWhite));
  ini.WriteInteger(c, "cwindowtext", int32_t(Hex(0x1E1E1E)));
  ini.WriteInteger(c, "chighlight", int32_t(kHotBottom));
  ini.WriteInteger(c, "chighlighttext", int32_t(Hex(0x000000)));
  ini.WriteInteger(c, "cbtnhighlight", int32_t(kWhite));
  ini.WriteInteger(c, "cbtnshadow", int32_t(ButtonBorder()));

  TvxDataSkinPopupWindow popup;
  popup.windowpictureindex = pPopup;
  popup.maskpictureindex = opt_.Mask ? pPopupMask : -1;
  popup.lefttoppoint = {3, 3};
  popup.righttoppoint = {popupSize_.cx - 3, 3};
  popup.leftbottompoint = {3, popupSize_.cy - 3};
  popup.rightbottompoint = {popupSize_.cx - 3, popupSize_.cy - 3};
  popup.itemsrect = {3, 3, popupSize_.cx - 3, popupSize_.cy - 3};
  popup.scrollmarkercolor = p_.ControlText;
  popup.scrollmarkeractivecolor = Hex(0x000000);
  popup.leftstretch = popup.rightstretch = popup.topstretch = popup.bottomstretch = popup.stretcheffect = true;
  popup.SaveToFile(ini);

  TvxDataSkinHintWindow hint;
  hint.windowpictureindex = pHint;
  hint.maskpictureindex = opt_.Mask ? pHintMask : -1;
  hint.lefttoppoint = {4, 4};
  hint.righttoppoint = {hintSize_.cx - 4, 4};
  hint.leftbottompoint = {4, hintSize_.cy - 4};
  hint.rightbottompoint = {hintSize_.cx - 4, hintSize_.cy - 4};
  hint.clientrect = {4, 4, hintSize_.cx - 4, hintSize_.cy - 4};
  hint.fontname = "Tahoma";
  hint.fontheight = 13;
  hint.fontcolor = Hex(0x4C4C4C);
  hint.leftstretch = hint.rightstretch = hint.topstretch = hint.bottomstretch = hint.stretcheffect = true;
  hint.SaveToFile(ini);

  TvxDataSkinLayerFrame layer;
  if (!fixture_ || opt_.LayerFrame) {
    const int n = layerSize_.cx, e = 10;
    layer.pictureindex = layer.inactivepictureindex = pLayer;
    layer.maskpictureindex = layer.inactivemaskpictureindex = pLayerAlpha;
    layer.lefttoppoint = {e, e};
    layer.righttoppoint = {n - e, e};
    layer.leftbottompoint = {e, n - e};
    layer.rightbottompoint = {n - e, n - e};
    layer.clientrect = {8, 8, n - 8, n - 8};
    layer.alphablendvalue = 255;
    layer.inactivealphablendvalue = 160;
    layer.borderrect = {8, 8, 8, 8};
    layer.hittestenable = true;
    layer.fullborder = fixture_ && opt_.FullBorder;
    layer.hittestsize = 6;
    layer.captionrect = {8, 8, n - 8, 8 + kCaption};
    layer.hittestlefttoppoint = layer.lefttoppoint;
    layer.hittestrighttoppoint = layer.righttoppoint;
    layer.hittestleftbottompoint = layer.leftbottompoint;
    layer.hittestrightbottompoint = layer.rightbottompoint;
    layer.fullstretch = true;
    layer.rollupformheight = kCaption + kBorder;
    layer.blurmaskpictureindex = pLayerBlur;
    layer.intersectblurmaskrect = {8, 8, n - 8, n - 8};
    layer.leftoffset = layer.topoffset = -8;
    layer.widthoffset = layer.heightoffset = 16;
  }
  layer.SaveToFile(ini);

  ini.WriteInteger("SKINOBJECTS", "count", int(objects_.size()));
  for (size_t i = 0; i < objects_.size(); ++i)
    ini.WriteString("SKINOBJECTS", std::to_string(i), objects_[i].second->SectionName + ":" + objects_[i].first);
  for (const auto& o : objects_) o.second->SaveToFile(ini);
  ini.WriteInteger("SKINCONTROLS", "count", int(controls_.size()));
  for (size_t i = 0; i < controls_.size(); ++i)
    ini.WriteString("SKINCONTROLS", std::to_string(i), controls_[i].second->SectionName + ":" + controls_[i].first);
  for (const auto& c2 : controls_) c2.second->SaveToFile(ini);
}

TvxGeneratedSkin Generator::Run() {
  DrawFrame();
  DrawCaptionButtons();
  DrawButtons();
  DrawMenus();
  DrawPopup();
  DrawHint();
  DrawLayerFrame();
  DrawRibbon();
  DrawControls();
  const char* names[pCount] = {"captionbuttons.bmp", "buttons.bmp", "menu.bmp",     "popup.bmp",  "popupmask.bmp",
                               "hint.bmp",           "hintmask.bmp", "layer.bmp",   "layeralpha.bmp", "layerblur.bmp",
                               "ribbon.bmp",         "controls.bmp", "buttonalpha.bmp"};
  // The caption-button alpha mask is only needed on a full layered border.
  const int count = (fixture_ && opt_.FullBorder) ? pCount : pButtonAlpha;
  for (int i = 0; i < count; ++i) {
    out_.ActiveNames.push_back(names[i]);
    out_.Active.push_back(active_[i]);
  }
  DefineObjects();
  DefineControls();
  TMemIniFile ini;
  WriteIni(ini);
  out_.IniText = ini.GetText();
  return std::move(out_);
}

}  // namespace

const std::vector<TvxSkinPalette>& BuiltinPalettes() {
  static const std::vector<TvxSkinPalette> palettes = [] {
    std::vector<TvxSkinPalette> v(3);
    v[0] = {"Office2010_Silver", Hex(0xF3F5F8), Hex(0xE2E6EB), Hex(0xA7B0BB), Hex(0x3B3B3B), Hex(0xE9ECF0),
            Hex(0xFFFFFF), Hex(0xEEF1F5), Hex(0x5C6573), Hex(0x3B3B3B), Hex(0xEEF0F3), Hex(0xA7ABB0), Hex(0x6B8BC0)};
    v[1] = {"Office2010_Blue", Hex(0xDFE9F5), Hex(0xC4D7EE), Hex(0x8AA0BD), Hex(0x1E395B), Hex(0xDCE7F5),
            Hex(0xFFFFFF), Hex(0xE4EDF9), Hex(0x3E6AAA), Hex(0x1E395B), Hex(0xE9EEF6), Hex(0x97A9C2), Hex(0x5B86C5)};
    v[2] = {"Office2010_Black", Hex(0x575757), Hex(0x2E2E2E), Hex(0x1C1C1C), Hex(0xF0F0F0), Hex(0x4A4A4A),
            Hex(0xEBEBEB), Hex(0xD6D6D6), Hex(0x505050), Hex(0x262626), Hex(0xEDEDED), Hex(0x868686), Hex(0x707070)};
    return v;
  }();
  return palettes;
}

TColor FixtureColor(int n) {
  // A walk through a 6 x 6 x 6 grid of levels that avoids 0 and 255 (black,
  // white) and every channel value of the key colour's red (127).
  static const uint8_t levels[6] = {20, 60, 100, 150, 190, 230};
  const int i = n % 216;
  const int r = levels[i % 6], g = levels[(i / 6) % 6], b = levels[(i / 36) % 6];
  const int round = n / 216;  // a further round shifts all channels a little
  return RGB(uint8_t(r + 3 * round), uint8_t(g + 3 * round), uint8_t(b + 3 * round));
}

TvxGeneratedSkin GenerateSkin(const TvxSkinPalette& palette) { return Generator(palette, false, {}).Run(); }

TvxGeneratedSkin GenerateFixtureSkin(const TvxFixtureOptions& options) {
  TvxSkinPalette p = BuiltinPalettes()[0];
  p.Name = "Fixture";
  return Generator(p, true, options).Run();
}

std::string WriteSkinFolder(const TvxGeneratedSkin& skin, const std::string& folder, const std::string& iniName) {
  namespace fs = std::filesystem;
  fs::create_directories(folder);
  auto bmp = [&](const std::string& name, const TBmpImage& img) {
    if (name.empty()) return;
    TFileStream f((fs::path(folder) / name).string(), fmCreate);
    WriteBmp(f, img);
  };
  bmp(skin.PictureName, skin.Picture);
  bmp(skin.MaskName, skin.Mask);
  for (size_t i = 0; i < skin.Active.size(); ++i) bmp(skin.ActiveNames[i], skin.Active[i]);
  const std::string ini = (fs::path(folder) / iniName).string();
  TFileStream f(ini, fmCreate);
  f.WriteBuffer(skin.IniText.data(), int64_t(skin.IniText.size()));
  return ini;
}

std::string WriteFixtureSkin(const std::string& folder, const TvxFixtureOptions& options) {
  return WriteSkinFolder(GenerateFixtureSkin(options), folder);
}

}  // namespace vx::skins
