#include "tools/skintool_skin.h"

#include <set>

#include "platform/core/color.h"
#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"
#include "skin/vxSkinValues.h"
#include "skin/vxStoredSkin.h"

namespace vx::skintool {

namespace {

constexpr TColor kKeyColor = RGB(127, 0, 127);

bool Contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

}  // namespace

std::unique_ptr<LoadedSkin> LoadAnySkin(const std::string& path) {
  auto skin = std::make_unique<LoadedSkin>();
  if (SameText(ExtractFileExt(path), ".ini")) {
    skin->Content = ReadSkinFolder(path);
  } else {
    TvxCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressedFile(path);
    if (stored.IsEmpty()) throw EReadError("'" + path + "' is not a skin package of a version this tool reads");
    skin->Content = stored.ReadContent();
  }
  skin->Ini.SetText(skin->Content.IniText);
  return skin;
}

bool IsRelativeRectKey(const std::string& key) {
  static const std::set<std::string> relative = {
      "clientrect",       "textrect",         "imagerect",        "captionrect",   "itemtextrect",
      "fixedcelltextrect", "celltextrect",    "itemsrect",        "frametextrect", "rollvcaptionrect",
      "rollhcaptionrect", "itemcheckrect",    "maskrectarea",     "buttonsrect",   "borderrect",
      "sysmenubuttonrect", "intersectblurmaskrect", "excludeblurmaskrect"};
  return relative.count(LowerCase(key)) != 0;
}

std::vector<SkinRect> SectionPictureRects(const TCustomIniFile& ini, const std::string& section, bool isObject) {
  std::vector<SkinRect> rects;
  TStringList keys;
  ini.ReadSection(section, keys);
  // Stems of parts drawn with the transparent key: "thumb" from
  // "thumbtransparent=1" or from "thumbtransparentcolor" naming the key colour.
  std::vector<std::string> stems;
  for (int i = 0; i < keys.Count(); ++i) {
    const std::string k = LowerCase(keys[i]);
    std::string stem;
    if (k.size() > 16 && k.ends_with("transparentcolor")) {
      if (ini.ReadInteger(section, k, 0) == int32_t(kKeyColor)) stem = k.substr(0, k.size() - 16);
    } else if (k.size() > 11 && k.ends_with("transparent")) {
      if (ReadBoolean(ini, section, k)) stem = k.substr(0, k.size() - 11);
    }
    if (stem.empty()) continue;
    if (stem.size() > 1 && stem.back() == 's') stem.pop_back();
    stems.push_back(stem);
  }
  const int picture = isObject ? ini.ReadInteger(section, "activepictureindex", -1)
                               : ini.ReadInteger(section, "pictureindex", -1);
  const bool skinInFrame = isObject && !ReadBoolean(ini, section, "skinrectinapicture");
  for (int i = 0; i < keys.Count(); ++i) {
    const std::string k = LowerCase(keys[i]);
    if (!(k.ends_with("rect") || k.ends_with("rsect")) || IsRelativeRectKey(k)) continue;
    const TRect r = ReadRect(ini, section, k);
    if (r.Right - r.Left <= 0 || r.Bottom - r.Top <= 0) continue;
    SkinRect sr{section, k, r, picture, false};
    if (k == "skinrect" && skinInFrame) sr.Picture = kMainPicture;
    for (const std::string& stem : stems)
      if (Contains(k, stem)) sr.Transparent = true;
    // Menu arrows are glyphs laid over the item's own background.
    if (Contains(k, "arrowimagerect")) sr.Transparent = true;
    rects.push_back(sr);
  }
  return rects;
}

bool PictureSize(const LoadedSkin& skin, int index, int& width, int& height) {
  const TBmpImage* p = nullptr;
  if (index == kMainPicture) p = &skin.Content.Picture;
  else if (index >= 0 && size_t(index) < skin.Content.ActivePictures.size()) p = &skin.Content.ActivePictures[index];
  if (p == nullptr || p->Empty()) return false;
  width = p->Width;
  height = p->Height;
  return true;
}

const std::vector<std::pair<std::string, std::string>>& BuiltinControlSections() {
  static const std::vector<std::pair<std::string, std::string>> list = [] {
    std::vector<std::pair<std::string, std::string>> v;
    auto add = [&](const char* type, std::initializer_list<const char*> names) {
      for (const char* n : names) v.emplace_back(n, type);
    };
    add("panel", {"toolpanel", "panel", "groupbox", "statusbar", "bigtoolpanel", "resizetoolpanel", "officegroup",
                  "officetoolbar", "menupagepanel"});
    add("button", {"button", "toolbutton", "resizebutton", "bigtoolbutton", "resizetoolbutton", "combobutton",
                   "vtracktoolbutton", "htracktoolbutton", "officegroupbutton", "officemenubutton"});
    add("menubutton", {"toolmenubutton", "toolmenutrackbutton", "bigtoolmenubutton", "bigtoolmenutrackbutton"});
    add("checkradio", {"checkbox", "radiobox"});
    add("gauge", {"gauge", "vgauge", "statusgauge"});
    add("label", {"label", "statuspanel", "menuheader", "appmenuheader"});
    add("stdlabel", {"stdlabel", "appmenustdlabel"});
    add("trackbar", {"trackbar", "htrackbar"});
    add("splitter", {"vsplitter", "hsplitter"});
    add("updown", {"vupdown", "hupdown"});
    add("scrollbar", {"hscrollbar", "vscrollbar", "bothhscrollbar"});
    add("edit", {"edit", "buttonedit", "statusedit", "statusbuttonedit"});
    add("memo", {"memo"});
    add("spinedit", {"spinedit", "statusspinedit"});
    add("listbox", {"listbox", "captionlistbox"});
    add("checklistbox", {"checklistbox", "captionchecklistbox"});
    add("combobox", {"combobox", "captioncombobox", "statuscombobox"});
    add("tab", {"tab", "officetab"});
    add("grid", {"grid"});
    add("bevel", {"bevel", "menupagedivider", "officegroupdivider"});
    for (const char* t : {"expanel", "controlbar", "mainmenubar", "appmenu", "scrollbox", "treeview", "listview",
                          "richedit", "slider"})
      v.emplace_back(t, t);
    return v;
  }();
  return list;
}

}  // namespace vx::skintool
