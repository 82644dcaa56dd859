// skintool render: a contact sheet of a skin. The frame is built at two sizes
// with its caption buttons, caption text and window shape; popup and hint
// windows with content; then every object and control section with each of its
// state images, resizable ones resized by the nine-slice builder, each row
// labelled with the section name.
#include <algorithm>
#include <optional>
#include <ostream>

#include "platform/codecs/png_codec.h"
#include "platform/core/streams.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"
#include "raster/skin_image.h"
#include "raster/vx_bitmap.h"
#include "skin/vxSkinValues.h"
#include "tools/skintool_skin.h"
#include "tools/skintool_validate.h"

namespace vx::skintool {

namespace {

constexpr uint32_t kSheetBg = 0xFFF7F7F7;
constexpr uint32_t kPanelBg = 0xFFFFFFFF;
constexpr TColor kKeyColor = RGB(127, 0, 127);

TvxBitmap ToBitmap(const TBmpImage& img) {
  TvxBitmap b;
  if (img.Empty()) return b;
  b.SetSize(img.Width, img.Height);
  const std::vector<uint8_t> px = img.ToBGRA();
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) {
      const uint8_t* p = &px[(size_t(y) * img.Width + x) * 4];
      b.SetPixel(x, y, 0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
    }
  return b;
}

int W(const TRect& r) { return r.Right - r.Left; }
int H(const TRect& r) { return r.Bottom - r.Top; }

class Renderer {
 public:
  explicit Renderer(const LoadedSkin& skin) : skin_(skin), ini_(skin.Ini), sheet_(kWidth, kMaxHeight) {
    sheet_.FillRect(sheet_.BoundsRect(), kSheetBg);
    main_ = ToBitmap(skin.Content.Picture);
    mask_ = ToBitmap(skin.Content.MaskPicture);
    for (const TBmpImage& p : skin.Content.ActivePictures) pictures_.push_back(ToBitmap(p));
  }

  void Run();
  TvxBitmap& Sheet() { return sheet_; }
  int UsedHeight() const { return y_ + 10; }

 private:
  static constexpr int kWidth = 1180, kMaxHeight = 6000, kLabelW = 122, kCardW = 588;

  const TvxBitmap* Picture(int index) const {
    if (index == kMainPicture) return &main_;
    if (index >= 0 && size_t(index) < pictures_.size()) return &pictures_[size_t(index)];
    return nullptr;
  }
  void Text(int x, int y, const std::string& text, TColor color = RGB(60, 60, 60), bool bold = false, int h = -11) {
    TCanvas& c = target_->Canvas();
    c.Brush().SetStyle(bsClear);
    c.Font().SetName("Tahoma");
    c.Font().SetColor(color);
    c.Font().SetHeight(h);
    c.Font().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    c.TextOut(x, y, text);
  }
  void TextOn(TvxBitmap& b, int x, int y, const std::string& text, TColor color, bool bold = false) {
    TCanvas& c = b.Canvas();
    c.Brush().SetStyle(bsClear);
    c.Font().SetName("Tahoma");
    c.Font().SetColor(color);
    c.Font().SetHeight(-11);
    c.Font().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
    c.TextOut(x, y, text);
  }
  // A source rectangle of a picture copied 1:1 onto b (key pixels left out when transparent).
  void Blit(TvxBitmap& b, const TvxBitmap& src, const TRect& r, int x, int y, bool transparent) {
    TvxBitmap piece(W(r), H(r));
    src.DrawToRect(piece, piece.BoundsRect(), r);
    if (transparent) {
      piece.SetTransparent(true);
      piece.SetTransparentColor(kKeyColor);
    }
    piece.DrawTo(b, x, y);
  }
  // Nine-slice image of a section's element resized to w x h.
  TvxBitmap Nine(const std::string& section, const TvxBitmap& src, const TRect& skinRect, int w, int h) {
    const TPoint lt = ReadPoint(ini_, section, "lefttoppoint"), rt = ReadPoint(ini_, section, "righttoppoint");
    const TPoint lb = ReadPoint(ini_, section, "leftbottompoint"), rb = ReadPoint(ini_, section, "rightbottompoint");
    // Popup windows name their client rectangle "itemsrect".
    const TRect cl = ReadRect(ini_, section, section == "POPUPWINDOW" ? "itemsrect" : "clientrect");
    const int dx = w - W(skinRect), dy = h - H(skinRect);
    TvxBitmap b;
    CreateSkinImage(lt, rt, lb, rb, cl, lt, {rt.X + dx, rt.Y}, {lb.X, lb.Y + dy}, {rb.X + dx, rb.Y + dy},
                    {cl.Left, cl.Top, cl.Right + dx, cl.Bottom + dy}, b, src, skinRect, w, h, true,
                    ReadBoolean(ini_, section, "leftstretch"), ReadBoolean(ini_, section, "topstretch"),
                    ReadBoolean(ini_, section, "rightstretch"), ReadBoolean(ini_, section, "bottomstretch"),
                    ReadBoolean(ini_, section, "stretcheffect"), ReadStretchType(ini_, section, "stretchtype"));
    return b;
  }

  // Places an image in the current row, wrapping to a new line when needed.
  void Place(const TvxBitmap& b, const std::string& caption = "") {
    if (b.Empty()) return;
    const int captionW = caption.empty() ? 0 : int(caption.size()) * 5;
    if (x_ + std::max(b.Width(), captionW) > areaRight_) {
      x_ = kLabelW;
      y_ += rowH_ + 6;
      rowH_ = 0;
    }
    b.DrawTo(*target_, x_, y_);
    int h = b.Height();
    if (!caption.empty()) {
      Text(x_, y_ + b.Height() + 1, caption, RGB(130, 130, 130), false, -9);
      h += 12;
    }
    x_ += std::max(b.Width(), captionW) + 8;
    rowH_ = std::max(rowH_, h);
  }
  void BeginRow(const std::string& label, const std::string& type) {
    EndRow();
    Text(8, y_, label, RGB(30, 30, 30), true);
    Text(8, y_ + 13, type, RGB(140, 140, 140));
    x_ = kLabelW;
    rowH_ = 26;
  }
  void EndRow() {
    if (rowH_ == 0) return;
    y_ += rowH_ + 8;
    target_->FillRect({8, y_ - 4, areaRight_, y_ - 3}, 0xFFE0E0E0);
    rowH_ = 0;
    x_ = kLabelW;
  }
  void Heading(const std::string& text) {
    EndRow();
    y_ += 6;
    Text(8, y_, text, RGB(40, 70, 120), true, -15);
    y_ += 24;
  }

  TvxBitmap Frame(int w, int h, bool active);
  void Windows();
  void Section(const std::string& section, const std::string& type, bool object);

  const LoadedSkin& skin_;
  const TMemIniFile& ini_;
  TvxBitmap sheet_;
  TvxBitmap main_, mask_;
  std::vector<TvxBitmap> pictures_;
  int x_ = kLabelW, y_ = 10, rowH_ = 0;
  TvxBitmap* target_ = &sheet_;  // where rows are placed: the sheet or a section's card
  int areaRight_ = kWidth - 10;
};

TvxBitmap Renderer::Frame(int w, int h, bool active) {
  TvxBitmap b;
  if (main_.Empty()) return b;
  const char* s = "FORMINFO";
  const TPoint lt = ReadPoint(ini_, s, "lefttoppoint"), rt = ReadPoint(ini_, s, "righttoppoint");
  const TPoint lb = ReadPoint(ini_, s, "leftbottompoint"), rb = ReadPoint(ini_, s, "rightbottompoint");
  const TRect cl = ReadRect(ini_, s, "clientrect");
  const int dx = w - main_.Width(), dy = h - main_.Height();
  const TPoint nrt{rt.X + dx, rt.Y}, nlb{lb.X, lb.Y + dy}, nrb{rb.X + dx, rb.Y + dy};
  const TRect ncl{cl.Left, cl.Top, cl.Right + dx, cl.Bottom + dy};
  CreateSkinImage(lt, rt, lb, rb, cl, lt, nrt, nlb, nrb, ncl, b, main_, main_.BoundsRect(), w, h, true,
                  ReadBoolean(ini_, s, "leftstretch"), ReadBoolean(ini_, s, "topstretch"),
                  ReadBoolean(ini_, s, "rightstretch"), ReadBoolean(ini_, s, "bottomstretch"),
                  ReadBoolean(ini_, s, "stretcheffect"), ReadStretchType(ini_, s, "stretchtype"));
  // Caption buttons laid out from the right end of the buttons rectangle.
  const TRect buttons = ReadRect(ini_, s, "buttonsrect");
  int bx = buttons.Right + dx;
  const int count = ini_.ReadInteger("SKINOBJECTS", "count", 0);
  std::string captionSection;
  for (int i = 0; i < count; ++i) {
    const std::string entry = ini_.ReadString("SKINOBJECTS", std::to_string(i), "");
    const std::string name = entry.substr(0, entry.find(':'));
    const std::string type = entry.find(':') == std::string::npos ? "" : entry.substr(entry.find(':') + 1);
    if (type == "caption" && captionSection.empty()) captionSection = name;
    if (type != "stdbutton" || !ReadBoolean(ini_, name, "skinrectinapicture")) continue;
    const std::string cmd = ini_.ReadString(name, "command", "cmdefault");
    if (cmd != "cmclose" && cmd != "cmmaximize" && cmd != "cmminimize") continue;
    const TvxBitmap* pic = Picture(ini_.ReadInteger(name, "activepictureindex", -1));
    const TRect r = ReadRect(ini_, name, active ? "skinrect" : "inactiveskinrect");
    if (pic == nullptr || W(r) <= 0) continue;
    bx -= W(r);
    Blit(b, *pic, r, bx, buttons.Top, false);
  }
  // Caption text.
  if (!captionSection.empty()) {
    const TRect cr = ReadRect(ini_, captionSection, "skinrect");
    const std::string title = skin_.Content.IniText.empty() ? "" : ini_.ReadString("VERSION", "skinname", "Skin");
    TCanvas& c = b.Canvas();
    c.Font().SetName(ini_.ReadString(captionSection, "fontname", "Tahoma"));
    c.Font().SetHeight(-ini_.ReadInteger(captionSection, "fontheight", 13) + 2);
    const int tw = c.TextWidth(title);
    const int right = bx - 4;
    const int x = std::max(int(cr.Left), (w - tw) / 2 + std::min(0, right - ((w + tw) / 2)));
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(TColor(ini_.ReadInteger(captionSection, active ? "activefontcolor" : "fontcolor", 0)));
    c.TextOut(x, cr.Top + (H(cr) - c.TextHeight(title)) / 2, title);
  }
  // The window shape from the mask.
  if (!mask_.Empty()) {
    std::optional<TRegion> rgn;
    CreateSkinRegion(rgn, lt, rt, h, w, mask_, ncl, nrb, nlb, nrt, lt, cl, rb, lb);
    if (rgn)
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (!rgn->Contains(x, y)) b.SetPixel(x, y, kSheetBg);
  }
  return b;
}

// Popup menu with items and a hint window, built as the menu engine and the
// hint would: the whole window picture resized, items inside it.
void Renderer::Windows() {
  const int popupPic = ini_.ReadInteger("POPUPWINDOW", "windowpictureindex", -1);
  const int item = [&] {
    const int count = ini_.ReadInteger("SKINOBJECTS", "count", 0);
    for (int i = 0; i < count; ++i) {
      const std::string e = ini_.ReadString("SKINOBJECTS", std::to_string(i), "");
      if (e.ends_with(":menuitem")) return i;
    }
    return -1;
  }();
  if (const TvxBitmap* pic = Picture(popupPic)) {
    const std::string s = "POPUPWINDOW";
    const TRect items = ReadRect(ini_, s, "itemsrect");
    const int w = 190, rows = 4, ih = 22;
    // Three items and a divider: the window grows to hold them.
    const int h = H(pic->BoundsRect()) - H(items) + (rows - 1) * ih + 5;
    TvxBitmap b = Nine(s, *pic, pic->BoundsRect(), w, h);
    if (item >= 0) {
      const std::string e = ini_.ReadString("SKINOBJECTS", std::to_string(item), "");
      const std::string name = e.substr(0, e.find(':'));
      const TvxBitmap* ip = Picture(ini_.ReadInteger(name, "activepictureindex", -1));
      const int l = ini_.ReadInteger(name, "itemleftoffset", 0), r = ini_.ReadInteger(name, "itemrightoffset", 0);
      const int iw = w - (W(pic->BoundsRect()) - W(items));
      const char* labels[rows] = {"New window", "Open...", "", "Close"};
      int y = items.Top;
      for (int k = 0; k < rows; ++k) {
        const bool divider = labels[k][0] == 0;
        const TRect src = ReadRect(ini_, name, divider ? "dividerrect" : (k == 1 ? "activeskinrect" : "skinrect"));
        if (ip == nullptr || W(src) <= 0) continue;
        TvxBitmap row;
        const int dl = divider ? ini_.ReadInteger(name, "dividerleftoffset", 0) : l;
        const int dr = divider ? ini_.ReadInteger(name, "dividerrightoffset", 0) : r;
        CreateHSkinImage(dl, dr, row, true, iw, src, *ip);
        const TRect tr = ReadRect(ini_, name, "textrect");
        if (!divider)
          TextOn(row, tr.Left, (H(src) - 13) / 2, labels[k],
                 TColor(ini_.ReadInteger(name, k == 1 ? "activefontcolor" : "fontcolor", 0)));
        if (k == 0) {
          const TRect cr = ReadRect(ini_, name, "checkimagerect");
          const TRect ir = ReadRect(ini_, name, "imagerect");
          if (W(cr) > 0) Blit(row, *ip, cr, ir.Left, ir.Top, false);
        }
        row.DrawTo(b, items.Left, y);
        y += H(src);
      }
    }
    Place(b, "popup menu");
  }
  if (const TvxBitmap* pic = Picture(ini_.ReadInteger("HINTWINDOW", "windowpictureindex", -1))) {
    TvxBitmap b = Nine("HINTWINDOW", *pic, pic->BoundsRect(), 150, 26);
    TextOn(b, 8, 6, "Maximize the window", TColor(ini_.ReadInteger("HINTWINDOW", "fontcolor", 0)));
    Place(b, "hint");
  }
  const int layer = ini_.ReadInteger("LAYERFRAME", "pictureindex", -1);
  const int alpha = ini_.ReadInteger("LAYERFRAME", "maskpictureindex", -1);
  if (Picture(layer) != nullptr && Picture(alpha) != nullptr) {
    // The layered border on the sheet background: its alpha mask applied.
    TvxBitmap b;
    b.Assign(*Picture(layer));
    b.AlphaFromMaskPremultiplied(*Picture(alpha));
    b.SetHasAlpha(true);
    TvxBitmap onBg(b.Width() * 2, b.Height() * 2);
    onBg.FillRect(onBg.BoundsRect(), kSheetBg);
    b.DrawToRect(onBg, onBg.BoundsRect(), b.BoundsRect());
    Place(onBg, "layered border x2");
  }
}

void Renderer::Section(const std::string& section, const std::string& type, bool object) {
  BeginRow(section, type);
  const std::vector<SkinRect> rects = SectionPictureRects(ini_, section, object);
  const TRect skin = ReadRect(ini_, section, "skinrect");
  const bool nine = !object && ini_.ValueExists(section, "lefttoppoint") && W(skin) > 0 && type != "updown";
  static const std::vector<std::string> stateKeys = {"skinrect",        "activeskinrect",   "downskinrect",
                                                     "focusedskinrect", "disabledskinrect", "downrect",
                                                     "inactiveskinrect", "disableskinrsect"};
  for (const SkinRect& r : rects) {
    const TvxBitmap* pic = Picture(r.Picture);
    if (pic == nullptr) continue;
    const bool state = std::find(stateKeys.begin(), stateKeys.end(), r.Key) != stateKeys.end();
    std::string caption = r.Key;
    if (caption.size() > 4 && caption.ends_with("rect")) caption.resize(caption.size() - 4);
    // Small elements (glyph buttons) are shown at their own size.
    if (nine && state && W(r.Rect) == W(skin) && H(r.Rect) == H(skin) && W(skin) >= 24) {
      // Resized twice: wider, and wider and taller, to show stretching.
      const int w = std::max(W(skin) * 2, 72);
      TvxBitmap b = Nine(section, *pic, r.Rect, w, H(skin) < 30 ? H(skin) : H(skin) + 16);
      Place(b, caption);
      continue;
    }
    if (object && (type == "menuitem" || type == "mainmenubaritem") && state) {
      TvxBitmap b;
      CreateHSkinImage(ini_.ReadInteger(section, "itemleftoffset", 0), ini_.ReadInteger(section, "itemrightoffset", 0),
                       b, ReadBoolean(ini_, section, "stretcheffect"), std::max(W(r.Rect) * 2, 60), r.Rect, *pic);
      Place(b, caption);
      continue;
    }
    TvxBitmap b(W(r.Rect), H(r.Rect));
    b.FillRect(b.BoundsRect(), kPanelBg);
    Blit(b, *pic, r.Rect, 0, 0, r.Transparent);
    Place(b, caption);
  }
  if (rects.empty()) {
    // Font-only sections: a text sample in their colours.
    TvxBitmap b(150, 18);
    b.FillRect(b.BoundsRect(), kPanelBg);
    TextOn(b, 4, 2, "Sample text", TColor(ini_.ReadInteger(section, "fontcolor", 0)));
    if (ini_.ValueExists(section, "lightcolor")) {
      b.FillRect({90, 8, 146, 9}, 0xFF000000u | uint32_t(ColorToPixel(TColor(ini_.ReadInteger(section, "darkcolor", 0)))));
      b.FillRect({90, 9, 146, 10}, 0xFF000000u | uint32_t(ColorToPixel(TColor(ini_.ReadInteger(section, "lightcolor", 0)))));
    }
    Place(b);
  }
}

void Renderer::Run() {
  Text(8, y_, ini_.ReadString("VERSION", "skinname", "(unnamed skin)"), RGB(20, 20, 20), true, -20);
  y_ += 30;
  Heading("Frame");
  x_ = 8;
  rowH_ = 1;
  Place(Frame(520, 260, true), "active, 520 x 260");
  Place(Frame(300, 150, true), "active, 300 x 150");
  Place(Frame(300, 150, false), "inactive caption buttons and text");
  EndRow();
  Heading("Popup, hint and layered border");
  x_ = 8;
  rowH_ = 1;
  Windows();
  EndRow();
  for (int pass = 0; pass < 2; ++pass) {
    const char* list = pass == 0 ? "SKINOBJECTS" : "SKINCONTROLS";
    Heading(pass == 0 ? "Objects" : "Controls");
    // Each section on a card of its own; cards fill two columns, the shorter first.
    int columnY[2] = {y_, y_};
    const int count = ini_.ReadInteger(list, "count", 0);
    for (int i = 0; i < count; ++i) {
      const std::string e = ini_.ReadString(list, std::to_string(i), "");
      const size_t colon = e.find(':');
      if (colon == std::string::npos) continue;
      TvxBitmap card(kCardW, 600);
      card.FillRect(card.BoundsRect(), kSheetBg);
      target_ = &card;
      areaRight_ = kCardW - 6;
      x_ = kLabelW;
      y_ = 4;
      rowH_ = 0;
      Section(e.substr(0, colon), e.substr(colon + 1), pass == 0);
      EndRow();
      target_ = &sheet_;
      areaRight_ = kWidth - 10;
      const int h = std::min(y_, card.Height());
      const int c = columnY[0] <= columnY[1] ? 0 : 1;
      if (columnY[c] + h > sheet_.Height()) break;
      card.DrawToRect(sheet_, Bounds(c * (kCardW + 4), columnY[c], kCardW, h), Bounds(0, 0, kCardW, h));
      columnY[c] += h;
    }
    y_ = std::max(columnY[0], columnY[1]);
  }
}

}  // namespace

int Render(const std::string& path, const std::string& pngPath, std::ostream& out) {
  const std::unique_ptr<LoadedSkin> skin = LoadAnySkin(path);
  Renderer r(*skin);
  r.Run();
  const int h = std::min(r.UsedHeight(), r.Sheet().Height());
  TvxBitmap& sheet = r.Sheet();
  sheet.FillAlpha(255);
  TPngImage png;
  png.Width = sheet.Width();
  png.Height = h;
  png.Pixels.assign(reinterpret_cast<const uint8_t*>(sheet.Bits()),
                    reinterpret_cast<const uint8_t*>(sheet.Bits()) + size_t(sheet.Width()) * h * 4);
  TFileStream f(pngPath, fmCreate);
  WritePng(f, png, TPngOrder::BGRA);
  out << "rendered '" << path << "' into '" << pngPath << "': " << png.Width << "x" << png.Height << "\n";
  return 0;
}

}  // namespace vx::skintool
