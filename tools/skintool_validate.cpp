// skintool validate: checks a skin folder or package for the faults that make
// a skin draw wrongly or not at all, one line per problem.
#include "tools/skintool_validate.h"

#include <map>
#include <ostream>
#include <set>
#include <sstream>

#include "platform/core/strings.h"
#include "platform/core/sysutils.h"
#include "skin/vxSkinControls.h"
#include "skin/vxSkinObjects.h"
#include "skin/vxSkinValues.h"
#include "tools/skintool_skin.h"

namespace vx::skintool {

namespace {

constexpr uint32_t kKeyPixel = 0x7F007F;  // RGB(127, 0, 127) as R, G, B

std::string RectText(const TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom);
}
std::string PictureText(int index) {
  return index == kMainPicture ? std::string("the frame picture") : "active picture " + std::to_string(index);
}

class Validator {
 public:
  Validator(const LoadedSkin& skin, std::ostream& out) : skin_(skin), ini_(skin.Ini), out_(out) {}

  int Run();

 private:
  void Problem(const std::string& section, const std::string& key, const std::string& message) {
    out_ << "[" << section << "]" << (key.empty() ? "" : " " + key) << ": " << message << "\n";
    ++problems_;
  }
  int PictureCount() const { return int(skin_.Content.ActivePictures.size()); }
  bool Size(int index, int& w, int& h) const { return PictureSize(skin_, index, w, h); }

  void CheckPictureIndexes(const std::string& section);
  void CheckInside(const std::string& section, const std::string& key, const TRect& r, int picture);
  void CheckSameSize(const std::string& section, const std::string& maskKey, const std::string& pictureKey,
                     int mask, int picture);
  void CheckNinePoints(const std::string& section, int w, int h, bool withClient);
  void CheckKeyColour(const SkinRect& r);
  void CheckStrips(const std::string& section, const std::vector<SkinRect>& rects);
  void CheckEntries(const std::string& list, bool objects);

  const LoadedSkin& skin_;
  const TMemIniFile& ini_;
  std::ostream& out_;
  int problems_ = 0;
  std::set<std::string> objectNames_, controlNames_;
  std::map<int, std::vector<uint8_t>> pixels_;  // BGRA of pictures, made on demand
};

void Validator::CheckPictureIndexes(const std::string& section) {
  TStringList keys;
  ini_.ReadSection(section, keys);
  for (int i = 0; i < keys.Count(); ++i) {
    const std::string k = LowerCase(keys[i]);
    if (k.find("pictureindex") == std::string::npos) continue;
    const int v = ini_.ReadInteger(section, k, -1);
    if (v != -1 && (v < 0 || v >= PictureCount()))
      Problem(section, k, "picture index " + std::to_string(v) + " is out of range (the skin has " +
                              std::to_string(PictureCount()) + " active pictures)");
  }
}

void Validator::CheckInside(const std::string& section, const std::string& key, const TRect& r, int picture) {
  int w = 0, h = 0;
  if (!Size(picture, w, h)) {
    Problem(section, key, "rectangle " + RectText(r) + " has no picture to lie in (" + PictureText(picture) +
                              " does not exist)");
    return;
  }
  if (r.Left < 0 || r.Top < 0 || r.Right > w || r.Bottom > h || r.Left > r.Right || r.Top > r.Bottom)
    Problem(section, key, "rectangle " + RectText(r) + " is not inside " + PictureText(picture) + " (" +
                              std::to_string(w) + "x" + std::to_string(h) + ")");
}

void Validator::CheckSameSize(const std::string& section, const std::string& maskKey, const std::string& pictureKey,
                              int mask, int picture) {
  int mw = 0, mh = 0, pw = 0, ph = 0;
  if (mask == -1 || picture == -1 || !Size(mask, mw, mh) || !Size(picture, pw, ph)) return;
  if (mw != pw || mh != ph)
    Problem(section, maskKey, "mask is " + std::to_string(mw) + "x" + std::to_string(mh) + " but the picture of " +
                                  pictureKey + " is " + std::to_string(pw) + "x" + std::to_string(ph));
}

void Validator::CheckNinePoints(const std::string& section, int w, int h, bool withClient) {
  const TPoint lt = ReadPoint(ini_, section, "lefttoppoint"), rt = ReadPoint(ini_, section, "righttoppoint");
  const TPoint lb = ReadPoint(ini_, section, "leftbottompoint"), rb = ReadPoint(ini_, section, "rightbottompoint");
  for (const auto& [key, p] : {std::pair{"lefttoppoint", lt}, std::pair{"righttoppoint", rt},
                               std::pair{"leftbottompoint", lb}, std::pair{"rightbottompoint", rb}})
    if (p.X < 0 || p.Y < 0 || p.X > w || p.Y > h)
      Problem(section, key, "point " + std::to_string(p.X) + "," + std::to_string(p.Y) + " lies outside the " +
                                std::to_string(w) + "x" + std::to_string(h) + " element");
  if (lt.X > rt.X || lb.X > rb.X || lt.Y > lb.Y || rt.Y > rb.Y)
    Problem(section, "", "corner points are crossed (left of right, top above bottom expected)");
  if (!withClient) return;
  const TRect c = ReadRect(ini_, section, "clientrect");
  if (c.Left < 0 || c.Top < 0 || c.Right > w || c.Bottom > h || c.Left > c.Right || c.Top > c.Bottom)
    Problem(section, "clientrect", "rectangle " + RectText(c) + " is not inside the " + std::to_string(w) + "x" +
                                       std::to_string(h) + " element");
}

void Validator::CheckKeyColour(const SkinRect& r) {
  if (r.Transparent) return;
  int w = 0, h = 0;
  if (!Size(r.Picture, w, h)) return;
  if (r.Rect.Left < 0 || r.Rect.Top < 0 || r.Rect.Right > w || r.Rect.Bottom > h) return;
  auto it = pixels_.find(r.Picture);
  if (it == pixels_.end()) {
    const TBmpImage& img =
        r.Picture == kMainPicture ? skin_.Content.Picture : skin_.Content.ActivePictures[size_t(r.Picture)];
    it = pixels_.emplace(r.Picture, img.ToBGRA()).first;
  }
  const std::vector<uint8_t>& px = it->second;
  for (int y = r.Rect.Top; y < r.Rect.Bottom; ++y)
    for (int x = r.Rect.Left; x < r.Rect.Right; ++x) {
      const uint8_t* p = &px[(size_t(y) * w + x) * 4];
      if ((uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]) == kKeyPixel) {
        Problem(r.Section, r.Key, "rectangle " + RectText(r.Rect) + " holds the transparent key colour at " +
                                      std::to_string(x) + "," + std::to_string(y) +
                                      " but nothing draws it transparently");
        return;
      }
    }
}

// Animation strips: a strip cut into `count` frames must divide evenly.
void Validator::CheckStrips(const std::string& section, const std::vector<SkinRect>& rects) {
  static const std::pair<const char*, const char*> strips[] = {
      {"animateskinrect", "framecount"},
      {"animationskinrect", "animationcountframes"},
      {"progressanimationskinrect", "progressanimationcountframes"}};
  for (const SkinRect& r : rects)
    for (const auto& [rectKey, countKey] : strips) {
      if (r.Key != rectKey) continue;
      const int n = ini_.ReadInteger(section, countKey, 0);
      const int w = r.Rect.Right - r.Rect.Left, h = r.Rect.Bottom - r.Rect.Top;
      if (n < 1) Problem(section, countKey, "the strip " + std::string(rectKey) + " has no frame count");
      else if (w % n != 0 && h % n != 0)
        Problem(section, countKey, std::to_string(n) + " frames do not divide the strip " + RectText(r.Rect));
    }
  // Animated objects: countframes cells of the skin rectangle's size, side by side.
  if (ini_.ValueExists(section, "countframes")) {
    const int n = ini_.ReadInteger(section, "countframes", 1);
    const TRect s = ReadRect(ini_, section, "skinrect");
    int w = 0, h = 0;
    const int pic = ini_.ReadInteger(section, "activepictureindex", -1);
    if (n < 1) Problem(section, "countframes", "an animation needs at least one frame");
    else if (Size(pic, w, h) && s.Right > s.Left && s.Left + (s.Right - s.Left) * n > w)
      Problem(section, "countframes", std::to_string(n) + " frames of " + RectText(s) + " run past the picture");
  }
}

void Validator::CheckEntries(const std::string& list, bool objects) {
  const int count = ini_.ReadInteger(list, "count", 0);
  for (int i = 0; i < count; ++i) {
    const std::string entry = ini_.ReadString(list, std::to_string(i), "");
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) {
      Problem(list, std::to_string(i), "entry '" + entry + "' is not of the form name:type");
      continue;
    }
    const std::string name = entry.substr(0, colon), type = entry.substr(colon + 1);
    const bool known = objects ? CreateSkinObjectDefinition(type, name) != nullptr
                               : CreateSkinControlDefinition(type, name) != nullptr;
    if (!known) Problem(list, std::to_string(i), "unknown type '" + type + "' of section " + name);
    if (!ini_.SectionExists(name)) Problem(list, std::to_string(i), "section [" + name + "] is missing");
    (objects ? objectNames_ : controlNames_).insert(name);
  }
}

int Validator::Run() {
  for (const std::string& missing : MissingSkinSections(ini_)) Problem(missing, "", "section is missing");

  // Frame picture, mask and [FORMINFO].
  int fw = 0, fh = 0;
  const bool hasFrame = Size(kMainPicture, fw, fh);
  const TBmpImage& mask = skin_.Content.MaskPicture;
  if (!mask.Empty() && hasFrame && (mask.Width != fw || mask.Height != fh))
    Problem("PICTURES", "mask", "mask is " + std::to_string(mask.Width) + "x" + std::to_string(mask.Height) +
                                    " but the frame picture is " + std::to_string(fw) + "x" + std::to_string(fh));
  CheckPictureIndexes("FORMINFO");
  if (hasFrame) {
    CheckNinePoints("FORMINFO", fw, fh, true);
    for (const char* key : {"maskrectarea", "buttonsrect", "captionrect"}) {
      const TRect r = ReadRect(ini_, "FORMINFO", key);
      if (r.Right > r.Left && r.Bottom > r.Top) CheckInside("FORMINFO", key, r, kMainPicture);
    }
  }

  // The single sections: whole-picture frames with their masks.
  for (const char* section : {"POPUPWINDOW", "HINTWINDOW"}) {
    CheckPictureIndexes(section);
    const int pic = ini_.ReadInteger(section, "windowpictureindex", -1);
    int w = 0, h = 0;
    if (Size(pic, w, h)) {
      CheckNinePoints(section, w, h, false);
      const char* clientKey = std::string(section) == "POPUPWINDOW" ? "itemsrect" : "clientrect";
      const TRect c = ReadRect(ini_, section, clientKey);
      if (c.Left < 0 || c.Top < 0 || c.Right > w || c.Bottom > h)
        Problem(section, clientKey, "rectangle " + RectText(c) + " is not inside the window picture");
    }
    CheckSameSize(section, "maskpictureindex", "windowpictureindex", ini_.ReadInteger(section, "maskpictureindex", -1),
                  pic);
  }
  CheckPictureIndexes("LAYERFRAME");
  {
    const int pic = ini_.ReadInteger("LAYERFRAME", "pictureindex", -1);
    const int inactive = ini_.ReadInteger("LAYERFRAME", "inactivepictureindex", -1);
    CheckSameSize("LAYERFRAME", "maskpictureindex", "pictureindex",
                  ini_.ReadInteger("LAYERFRAME", "maskpictureindex", -1), pic);
    CheckSameSize("LAYERFRAME", "inactivemaskpictureindex", "inactivepictureindex",
                  ini_.ReadInteger("LAYERFRAME", "inactivemaskpictureindex", -1), inactive);
    CheckSameSize("LAYERFRAME", "blurmaskpictureindex", "pictureindex",
                  ini_.ReadInteger("LAYERFRAME", "blurmaskpictureindex", -1), pic);
    int w = 0, h = 0;
    if (Size(pic, w, h)) CheckNinePoints("LAYERFRAME", w, h, true);
  }

  CheckEntries("SKINOBJECTS", true);
  CheckEntries("SKINCONTROLS", false);

  // Object and control sections.
  for (int pass = 0; pass < 2; ++pass) {
    const bool objects = pass == 0;
    for (const std::string& section : objects ? objectNames_ : controlNames_) {
      if (!ini_.SectionExists(section)) continue;
      CheckPictureIndexes(section);
      const std::vector<SkinRect> rects = SectionPictureRects(ini_, section, objects);
      for (const SkinRect& r : rects) {
        CheckInside(section, r.Key, r.Rect, r.Picture);
        CheckKeyColour(r);
      }
      CheckStrips(section, rects);
      const TRect skin = ReadRect(ini_, section, "skinrect");
      const int sw = skin.Right - skin.Left, sh = skin.Bottom - skin.Top;
      if (!objects && sw > 0 && sh > 0 && ini_.ValueExists(section, "lefttoppoint"))
        CheckNinePoints(section, sw, sh, true);
      if (objects) {
        const int pic = ini_.ReadInteger(section, "activepictureindex", -1);
        CheckSameSize(section, "activemaskpictureindex", "activepictureindex",
                      ini_.ReadInteger(section, "activemaskpictureindex", -1), pic);
        // Button alpha masks: their top-left part must cover every image they mask.
        for (const char* key : {"alphamaskpictureindex", "alphamaskactivepictureindex",
                                "alphamaskinactivepictureindex"}) {
          int mw = 0, mh = 0;
          if (!Size(ini_.ReadInteger(section, key, -1), mw, mh)) continue;
          for (const SkinRect& r : rects)
            if (r.Picture == pic && (r.Rect.Right - r.Rect.Left > mw || r.Rect.Bottom - r.Rect.Top > mh)) {
              Problem(section, key, "alpha mask of " + std::to_string(mw) + "x" + std::to_string(mh) +
                                        " is smaller than " + r.Key + " " + RectText(r.Rect));
              break;
            }
        }
      } else {
        int mw = 0, mh = 0;
        if (Size(ini_.ReadInteger(section, "maskpictureindex", -1), mw, mh) && (mw < sw || mh < sh))
          Problem(section, "maskpictureindex", "mask of " + std::to_string(mw) + "x" + std::to_string(mh) +
                                                   " is smaller than the skin rectangle");
      }
      // Section names that keys name.
      static const std::pair<const char*, bool> named[] = {
          {"vscrollbarname", false}, {"hscrollbarname", false}, {"bothhscrollbarname", false},
          {"listboxname", false},    {"updown", false},         {"menubaritem", true},
          {"closebutton", true},     {"minbutton", true},       {"maxbutton", true},
          {"sysmenubutton", true}};
      for (const auto& [key, isObject] : named) {
        if (objects) continue;
        const std::string name = ini_.ReadString(section, key, "");
        if (name.empty()) continue;
        const std::set<std::string>& names = isObject ? objectNames_ : controlNames_;
        if (names.count(name) == 0)
          Problem(section, key, "names [" + name + "], which is not an entry of " +
                                    (isObject ? "[SKINOBJECTS]" : "[SKINCONTROLS]"));
      }
    }
  }

  // Every control section the built-in skins declare.
  std::map<std::string, std::string> types;
  const int count = ini_.ReadInteger("SKINCONTROLS", "count", 0);
  for (int i = 0; i < count; ++i) {
    const std::string entry = ini_.ReadString("SKINCONTROLS", std::to_string(i), "");
    const size_t colon = entry.find(':');
    if (colon != std::string::npos) types.emplace(entry.substr(0, colon), entry.substr(colon + 1));
  }
  for (const auto& [name, type] : BuiltinControlSections()) {
    const auto it = types.find(name);
    if (it == types.end()) Problem("SKINCONTROLS", "", "no entry for the control section " + name);
    else if (it->second != type)
      Problem("SKINCONTROLS", "", "section " + name + " is of type " + it->second + ", expected " + type);
  }
  return problems_;
}

}  // namespace

int Validate(const std::string& path, std::ostream& out) {
  const std::unique_ptr<LoadedSkin> skin = LoadAnySkin(path);
  std::ostringstream lines;
  const int problems = Validator(*skin, lines).Run();
  std::istringstream in(lines.str());
  for (std::string line; std::getline(in, line);) out << path << ": " << line << "\n";
  out << path << ": " << (problems == 0 ? std::string("no problems") : std::to_string(problems) + " problem(s)")
      << "\n";
  return problems == 0 ? 0 : 1;
}

}  // namespace vx::skintool
