#include "skin/vxSkinContent.h"

#include <algorithm>

#include "platform/core/inifiles.h"
#include "platform/core/strings.h"
#include "raster/vx_bitmap.h"
#include "skin/vxSkinControls.h"
#include "skin/vxSkinKeys.h"

namespace vx {

using skinkeys::Key;

namespace {

const Key<TvxSkinColors> kSkinColorKeys[] = {
    {"cbtnface", &TvxSkinColors::cbtnface, clBtnFace},
    {"cbtntext", &TvxSkinColors::cbtntext, clBtnText},
    {"cwindow", &TvxSkinColors::cwindow, clWindow},
    {"cwindowtext", &TvxSkinColors::cwindowtext, clWindowText},
    {"chighlight", &TvxSkinColors::chighlight, clHighlight},
    {"chighlighttext", &TvxSkinColors::chighlighttext, clHighlightText},
    {"cbtnhighlight", &TvxSkinColors::cbtnhighlight, clBtnHighlight},
    {"cbtnshadow", &TvxSkinColors::cbtnshadow, clBtnShadow},
};

using Sc = TvxSkinContent;
// [FORMINFO] up to the hit-test points: read before the mask adjustment.
const Key<Sc> kFormInfoFirstKeys[] = {
    {"lefttoppoint", &Sc::lefttoppoint},
    {"righttoppoint", &Sc::righttoppoint},
    {"leftbottompoint", &Sc::leftbottompoint},
    {"rightbottompoint", &Sc::rightbottompoint},
    {"clientrect", &Sc::clientrect},
    {"bgpictureindex", &Sc::bgpictureindex, -1},
    {"mdibgpictureindex", &Sc::mdibgpictureindex, -1},
    {"leftstretch", &Sc::leftstretch},
    {"rightstretch", &Sc::rightstretch},
    {"topstretch", &Sc::topstretch},
    {"bottomstretch", &Sc::bottomstretch},
    {"stretcheffect", &Sc::stretcheffect},
    {"stretchtype", &Sc::stretchtype},
    {"mdibgstretcheffect", &Sc::mdibgstretcheffect},
    {"mdibgstretchtype", &Sc::mdibgstretchtype},
    {"maskrectarea", &Sc::maskrectarea},
    {"hittestlefttoppoint", &Sc::hittestlefttoppoint},
    {"hittestrighttoppoint", &Sc::hittestrighttoppoint},
    {"hittestleftbottompoint", &Sc::hittestleftbottompoint},
    {"hittestrightbottompoint", &Sc::hittestrightbottompoint},
};
// The rest of [FORMINFO], read after the mask adjustment.
const Key<Sc> kFormInfoLastKeys[] = {
    {"buttonsrect", &Sc::buttonsrect},
    {"captionrect", &Sc::captionrect},
    {"buttonsoffset", &Sc::buttonsoffset, 0},
    {"buttonsinleft", &Sc::buttonsinleft},
    {"mainmenupopupup", &Sc::mainmenupopupup},
    {"borderwidth", &Sc::borderwidth, 0},
    {"formminwidth", &Sc::formminwidth, 0},
    {"formminheight", &Sc::formminheight, 0},
    {"mditabstransparent", &Sc::mditabstransparent},
    {"mainmenubartransparent", &Sc::mainmenubartransparent},
    {"autorenderinginactiveimage", &Sc::autorenderinginactiveimage},
    {"inactiveeffect", &Sc::inactiveeffect},
};

// How many keys a section holds: the bound for every count read from it.
int SectionKeyCount(TCustomIniFile& ini, const std::string& section) {
  TStringList keys;
  ini.ReadSection(section, keys);
  return keys.Count();
}

int BoundedCount(TCustomIniFile& ini, const std::string& section, const std::string& countKey) {
  const int32_t count = ini.ReadInteger(section, countKey, 0);
  if (count <= 0) return 0;
  return std::min<int>(count, SectionKeyCount(ini, section));
}

}  // namespace

void TvxSkinColors::LoadFromFile(TCustomIniFile& iniFile) {
  skinkeys::ReadKeys(*this, iniFile, SectionName, kSkinColorKeys);
}

void TvxSkinColors::SetSystemColors() { skinkeys::ApplyDefaults(*this, kSkinColorKeys); }

std::vector<std::pair<std::string, std::string>> ReadSkinEntries(TCustomIniFile& ini, const std::string& section) {
  std::vector<std::pair<std::string, std::string>> entries;
  const int count = BoundedCount(ini, section, "count");
  entries.reserve(size_t(count));
  for (int i = 0; i < count; ++i) {
    const std::string text = ini.ReadString(section, std::to_string(i), "");
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
      entries.emplace_back();
    else
      entries.emplace_back(text.substr(0, colon), text.substr(colon + 1));
  }
  return entries;
}

std::vector<std::string> ReadSkinStringList(TCustomIniFile& ini, const std::string& section,
                                            const std::string& name) {
  std::vector<std::string> list;
  const int count = BoundedCount(ini, section, name + "count");
  list.reserve(size_t(count));
  for (int i = 0; i < count; ++i) list.push_back(ini.ReadString(section, std::to_string(i), ""));
  return list;
}

TvxSkinContent::TvxSkinContent()
    : Picture(std::make_unique<TvxBitmap>()),
      InactivePicture(std::make_unique<TvxBitmap>()),
      MaskPicture(std::make_unique<TvxBitmap>()) {}
TvxSkinContent::~TvxSkinContent() = default;
TvxSkinContent::TvxSkinContent(TvxSkinContent&&) noexcept = default;
TvxSkinContent& TvxSkinContent::operator=(TvxSkinContent&&) noexcept = default;

void TvxSkinContent::ClearAll() {
  ObjectList.clear();
  ControlList.clear();
  ActivePictures.clear();
  ActivePictureNames.clear();
  LayerFrame.pictureindex = -1;
  LayerFrame.inactivepictureindex = -1;
  LayerFrame.ReleaseImages();
  PopupWindow.windowpictureindex = -1;
  HintWindow.windowpictureindex = -1;
  SkinColors.SetSystemColors();
}

void TvxSkinContent::ClearSkin() {
  ClearAll();
  Picture->Clear();
  InactivePicture->Clear();
  MaskPicture->Clear();
  PictureName.clear();
  InactivePictureName.clear();
  MaskPictureName.clear();
}

void TvxSkinContent::ReadNames(TCustomIniFile& ini) {
  SkinName = ini.ReadString("VERSION", "skinname", "");
  SkinAuthor = ini.ReadString("VERSION", "skinauthor", "");
  AuthorEmail = ini.ReadString("VERSION", "authoremail", "");
  AuthorURL = ini.ReadString("VERSION", "authorurl", "");
  SkinComments = ini.ReadString("VERSION", "skincomments", "");
  PictureName = ini.ReadString("PICTURES", "picture", "");
  InactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
  MaskPictureName = ini.ReadString("PICTURES", "mask", "");
  ActivePictureNames = ReadSkinStringList(ini, "PICTURES", "activepictures");
}

void TvxSkinContent::ReadFormInfo(TCustomIniFile& ini) {
  const std::string section = "FORMINFO";
  skinkeys::ReadKeys(*this, ini, section, kFormInfoFirstKeys);
  if (!MaskPictureName.empty()) {
    // The mask cuts at least the client area; unset hit-test corners follow
    // the frame corners.
    if (maskrectarea.IsEmpty())
      maskrectarea = clientrect;
    else
      maskrectarea = {std::min(maskrectarea.Left, clientrect.Left), std::min(maskrectarea.Top, clientrect.Top),
                      std::max(maskrectarea.Right, clientrect.Right),
                      std::max(maskrectarea.Bottom, clientrect.Bottom)};
    auto follow = [](TPoint& hit, const TPoint& corner) {
      if (hit.X == 0 || hit.Y == 0) hit = corner;
    };
    follow(hittestlefttoppoint, lefttoppoint);
    follow(hittestrighttoppoint, righttoppoint);
    follow(hittestleftbottompoint, leftbottompoint);
    follow(hittestrightbottompoint, rightbottompoint);
  }
  skinkeys::ReadKeys(*this, ini, section, kFormInfoLastKeys);
  // Pull the corner points into the client rectangle, unless the frame is
  // degenerate (the right-bottom point shares X or Y with the left-top one).
  if (rightbottompoint.X != lefttoppoint.X && rightbottompoint.Y != lefttoppoint.Y) {
    lefttoppoint.X = std::max(lefttoppoint.X, clientrect.Left);
    leftbottompoint.X = std::max(leftbottompoint.X, clientrect.Left);
    lefttoppoint.Y = std::max(lefttoppoint.Y, clientrect.Top);
    righttoppoint.Y = std::max(righttoppoint.Y, clientrect.Top);
    righttoppoint.X = std::min(righttoppoint.X, clientrect.Right);
    rightbottompoint.X = std::min(rightbottompoint.X, clientrect.Right);
    leftbottompoint.Y = std::min(leftbottompoint.Y, clientrect.Bottom);
    rightbottompoint.Y = std::min(rightbottompoint.Y, clientrect.Bottom);
  }
}

void TvxSkinContent::ReadDefinitions(TCustomIniFile& ini) {
  PopupWindow.LoadFromFile(ini);
  LayerFrame.LoadFromFile(ini);
  LayerFrame.InitAlphaImages(*this);
  HintWindow.LoadFromFile(ini);
  SkinColors.LoadFromFile(ini);
  for (const auto& [name, type] : ReadSkinEntries(ini, "SKINOBJECTS")) {
    std::unique_ptr<TvxDataSkinObject> def = CreateSkinObjectDefinition(type, name);
    if (!def) continue;
    def->LoadFromFile(ini);
    def->InitAlphaImages(*this);
    ObjectList.push_back(std::move(def));
  }
  for (const auto& [name, type] : ReadSkinEntries(ini, "SKINCONTROLS")) {
    std::unique_ptr<TvxDataSkinControl> def = CreateSkinControlDefinition(type, name);
    if (!def) continue;
    def->LoadFromFile(ini);
    ControlList.push_back(std::move(def));
  }
}

}  // namespace vx
