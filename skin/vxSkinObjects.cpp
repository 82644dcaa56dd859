#include "skin/vxSkinObjects.h"

#include "raster/vx_bitmap.h"
#include "skin/vxSkinContent.h"
#include "skin/vxSkinKeys.h"

namespace vx {

using skinkeys::Key;

namespace {

// ---- key tables, in file order ----

using Obj = TvxDataSkinObject;
const Key<Obj> kObjectKeys[] = {
    {"hint", &Obj::hint, ""},
    {"activepictureindex", &Obj::activepictureindex, -1},
    {"activemaskpictureindex", &Obj::activemaskpictureindex, -1},
    {"skinrectinapicture", &Obj::skinrectinapicture},
    {"skinrect", &Obj::skinrect},
    {"activeskinrect", &Obj::activeskinrect},
    {"inactiveskinrect", &Obj::inactiveskinrect},
    {"morphing", &Obj::morphing},
    {"morphkind", &Obj::morphkind},
    {"glowlayerpictureindex", &Obj::glowlayerpictureindex, -1},
    {"glowlayermaskpictureindex", &Obj::glowlayermaskpictureindex, -1},
    {"glowlayeroffsetx", &Obj::glowlayeroffsetx, 0},
    {"glowlayeroffsety", &Obj::glowlayeroffsety, 0},
    {"glowlayeralphablendvalue", &Obj::glowlayeralphablendvalue, 255},
};

const Key<Obj> kUserObjectKeys[] = {
    {"skinrect", &Obj::skinrect},
};

using Btn = TvxDataSkinButton;
const Key<Btn> kButtonKeys[] = {
    {"downrect", &Btn::downrect},
    {"disableskinrsect", &Btn::disableskinrsect},
    {"alphamaskpictureindex", &Btn::alphamaskpictureindex, -1},
    {"alphamaskactivepictureindex", &Btn::alphamaskactivepictureindex, -1},
    {"alphamaskinactivepictureindex", &Btn::alphamaskinactivepictureindex, -1},
};

using Std = TvxDataSkinStdButton;
const Key<Std> kStdButtonKeys[] = {
    {"command", &Std::command},
    {"restorerect", &Std::restorerect},
    {"restoreactiverect", &Std::restoreactiverect},
    {"restoredownrect", &Std::restoredownrect},
    {"restoreinactiverect", &Std::restoreinactiverect},
    {"restorehint", &Std::restorehint, ""},
};

using Cap = TvxDataSkinCaption;
const Key<Cap> kCaptionKeys[] = {
    {"textrect", &Cap::textrect},
    {"fontname", &Cap::fontname, "Tahoma"},
    {"fontheight", &Cap::fontheight, 13},
    {"fontstyle", &Cap::fontstyle},
    {"fontcolor", &Cap::fontcolor, 0},
    {"activefontcolor", &Cap::activefontcolor, 0},
    {"alignment", &Cap::alignment},
    {"light", &Cap::light},
    {"lightcolor", &Cap::lightcolor, 0},
    {"activelightcolor", &Cap::activelightcolor, 0},
    {"shadow", &Cap::shadow},
    {"shadowcolor", &Cap::shadowcolor, 0},
    {"activeshadowcolor", &Cap::activeshadowcolor, 0},
    {"framerect", &Cap::framerect},
    {"activeframerect", &Cap::activeframerect},
    {"frametextrect", &Cap::frametextrect},
    {"frameleftoffset", &Cap::frameleftoffset, 0},
    {"framerightoffset", &Cap::framerightoffset, 0},
    {"stretcheffect", &Cap::stretcheffect},
    {"animateskinrect", &Cap::animateskinrect},
    {"framecount", &Cap::framecount, 0},
    {"animateinterval", &Cap::animateinterval, 25},
    {"inactiveanimation", &Cap::inactiveanimation},
    {"fullframe", &Cap::fullframe},
    {"vistagloweffect", &Cap::vistagloweffect},
    {"vistaglowinactiveeffect", &Cap::vistaglowinactiveeffect},
    {"gloweffect", &Cap::gloweffect},
    {"glowinactiveeffect", &Cap::glowinactiveeffect},
    {"glowsize", &Cap::glowsize, 3},
    {"glowcolor", &Cap::glowcolor, 0},
    {"glowactivecolor", &Cap::glowactivecolor, 0},
    {"glowoffset", &Cap::glowoffset, 0},
    {"reflectioneffect", &Cap::reflectioneffect},
    {"reflactioncolor", &Cap::reflactioncolor, 0},
    {"reflactionactivecolor", &Cap::reflactionactivecolor, 0},
    {"reflectionoffset", &Cap::reflectionoffset, 0},
    {"dividerrect", &Cap::dividerrect},
    {"inactivedividerrect", &Cap::inactivedividerrect},
    {"dividertransparent", &Cap::dividertransparent},
    {"dividertransparentcolor", &Cap::dividertransparentcolor, 0},
    {"quickbuttonalphamaskpictureindex", &Cap::quickbuttonalphamaskpictureindex, -1},
};

using Ani = TvxDataSkinAnimate;
const Key<Ani> kAnimateKeys[] = {
    {"countframes", &Ani::countframes, 1},
    {"cycle", &Ani::cycle},
    {"buttonstyle", &Ani::buttonstyle},
    {"timerinterval", &Ani::timerinterval, 50},
    {"command", &Ani::command},
    {"downskinrect", &Ani::downskinrect},
    {"restorerect", &Ani::restorerect},
    {"restoreactiverect", &Ani::restoreactiverect},
    {"restoredownrect", &Ani::restoredownrect},
    {"restoreinactiverect", &Ani::restoreinactiverect},
    {"restorehint", &Ani::restorehint, ""},
};

using Mi = TvxDataSkinMenuItem;
const Key<Mi> kMenuItemKeys[] = {
    {"itemleftoffset", &Mi::itemleftoffset, 0},
    {"itemrightoffset", &Mi::itemrightoffset, 0},
    {"dividerrect", &Mi::dividerrect},
    {"dividerleftoffset", &Mi::dividerleftoffset, 0},
    {"dividerrightoffset", &Mi::dividerrightoffset, 0},
    {"textrect", &Mi::textrect},
    {"imagerect", &Mi::imagerect},
    {"fontname", &Mi::fontname, "Tahoma"},
    {"fontheight", &Mi::fontheight, 13},
    {"fontstyle", &Mi::fontstyle},
    {"fontcolor", &Mi::fontcolor, 0},
    {"activefontcolor", &Mi::activefontcolor, 0},
    {"unenabledfontcolor", &Mi::unenabledfontcolor, 0},
    {"stretcheffect", &Mi::stretcheffect},
    {"inactivestretcheffect", &Mi::inactivestretcheffect},
    {"dividerstretcheffect", &Mi::dividerstretcheffect},
    {"animateskinrect", &Mi::animateskinrect},
    {"framecount", &Mi::framecount, 0},
    {"animateinterval", &Mi::animateinterval, 25},
    {"inactiveanimation", &Mi::inactiveanimation},
    {"useimagecolor", &Mi::useimagecolor},
    {"imagecolor", &Mi::imagecolor, 0},
    {"activeimagecolor", &Mi::activeimagecolor, 0},
    {"inactivetransparent", &Mi::inactivetransparent},
    {"checkimagerect", &Mi::checkimagerect},
    {"activecheckimagerect", &Mi::activecheckimagerect},
    {"radioimagerect", &Mi::radioimagerect},
    {"activeradioimagerect", &Mi::activeradioimagerect},
    {"arrowimagerect", &Mi::arrowimagerect},
    {"activearrowimagerect", &Mi::activearrowimagerect},
};

using Mmi = TvxDataSkinMainMenuItem;
const Key<Mmi> kMainMenuItemKeys[] = {
    {"itemleftoffset", &Mmi::itemleftoffset, 0},
    {"itemrightoffset", &Mmi::itemrightoffset, 0},
    {"downrect", &Mmi::downrect},
    {"textrect", &Mmi::textrect},
    {"fontname", &Mmi::fontname, "Tahoma"},
    {"fontheight", &Mmi::fontheight, 13},
    {"fontstyle", &Mmi::fontstyle},
    {"fontcolor", &Mmi::fontcolor, 0},
    {"activefontcolor", &Mmi::activefontcolor, 0},
    {"downfontcolor", &Mmi::downfontcolor, 0},
    {"unenabledfontColor", &Mmi::unenabledfontColor, 0},
    {"stretcheffect", &Mmi::stretcheffect},
    {"animateskinrect", &Mmi::animateskinrect},
    {"framecount", &Mmi::framecount, 0},
    {"animateinterval", &Mmi::animateinterval, 25},
    {"inactiveanimation", &Mmi::inactiveanimation},
};

using Pw = TvxDataSkinPopupWindow;
const Key<Pw> kPopupWindowKeys[] = {
    {"windowpictureindex", &Pw::windowpictureindex, -1},
    {"maskpictureindex", &Pw::maskpictureindex, -1},
    {"lefttoppoint", &Pw::lefttoppoint},
    {"righttoppoint", &Pw::righttoppoint},
    {"leftbottompoint", &Pw::leftbottompoint},
    {"rightbottompoint", &Pw::rightbottompoint},
    {"itemsrect", &Pw::itemsrect},
    {"scrollmarkercolor", &Pw::scrollmarkercolor, 0},
    {"scrollmarkeractivecolor", &Pw::scrollmarkeractivecolor, 0},
    {"leftstretch", &Pw::leftstretch},
    {"rightstretch", &Pw::rightstretch},
    {"topstretch", &Pw::topstretch},
    {"bottomstretch", &Pw::bottomstretch},
    {"stretcheffect", &Pw::stretcheffect},
    {"stretchtype", &Pw::stretchtype},
};

using Hw = TvxDataSkinHintWindow;
const Key<Hw> kHintWindowKeys[] = {
    {"windowpictureindex", &Hw::windowpictureindex, -1},
    {"maskpictureindex", &Hw::maskpictureindex, -1},
    {"lefttoppoint", &Hw::lefttoppoint},
    {"righttoppoint", &Hw::righttoppoint},
    {"leftbottompoint", &Hw::leftbottompoint},
    {"rightbottompoint", &Hw::rightbottompoint},
    {"clientrect", &Hw::clientrect},
    {"fontname", &Hw::fontname, "Tahoma"},
    {"fontheight", &Hw::fontheight, 13},
    {"fontstyle", &Hw::fontstyle},
    {"fontcolor", &Hw::fontcolor, 0},
    {"leftstretch", &Hw::leftstretch},
    {"rightstretch", &Hw::rightstretch},
    {"topstretch", &Hw::topstretch},
    {"bottomstretch", &Hw::bottomstretch},
    {"stretcheffect", &Hw::stretcheffect},
    {"stretchtype", &Hw::stretchtype},
};

using Lf = TvxDataSkinLayerFrame;
const Key<Lf> kLayerFrameKeys[] = {
    {"pictureindex", &Lf::pictureindex, -1},
    {"maskpictureindex", &Lf::maskpictureindex, -1},
    {"inactivepictureindex", &Lf::inactivepictureindex, -1},
    {"inactivemaskpictureindex", &Lf::inactivemaskpictureindex, -1},
    {"lefttoppoint", &Lf::lefttoppoint},
    {"righttoppoint", &Lf::righttoppoint},
    {"leftbottompoint", &Lf::leftbottompoint},
    {"rightbottompoint", &Lf::rightbottompoint},
    {"clientrect", &Lf::clientrect},
    {"alphablendvalue", &Lf::alphablendvalue, 255},
    {"inactivealphablendvalue", &Lf::inactivealphablendvalue, 255},
    {"borderrect", &Lf::borderrect},
    {"hittestenable", &Lf::hittestenable},
    {"fullborder", &Lf::fullborder},
    {"hittestsize", &Lf::hittestsize, 0},
    {"captionrect", &Lf::captionrect},
    {"hittestlefttoppoint", &Lf::hittestlefttoppoint},
    {"hittestrighttoppoint", &Lf::hittestrighttoppoint},
    {"hittestleftbottompoint", &Lf::hittestleftbottompoint},
    {"hittestrightbottompoint", &Lf::hittestrightbottompoint},
    {"buttonsrect", &Lf::buttonsrect},
    {"sysmenubuttonrect", &Lf::sysmenubuttonrect},
    {"fullstretch", &Lf::fullstretch},
    {"rollupformheight", &Lf::rollupformheight, 0},
    {"buttonstopoffset", &Lf::buttonstopoffset, 0},
    {"sysbuttontopoffset", &Lf::sysbuttontopoffset, 0},
    {"blurmaskpictureindex", &Lf::blurmaskpictureindex, -1},
    {"intersectblurmaskrect", &Lf::intersectblurmaskrect},
    {"excludeblurmaskrect", &Lf::excludeblurmaskrect},
    {"leftoffset", &Lf::leftoffset, 0},
    {"topoffset", &Lf::topoffset, 0},
    {"widthoffset", &Lf::widthoffset, 0},
    {"heightoffset", &Lf::heightoffset, 0},
};

// "Restore" for a maximize, minimize or roll-up button whose hint names that
// action and that has no restore hint of its own.
void FixRestoreHint(std::string& restorehint, const std::string& hint, TvxSkinCommand command) {
  if (!restorehint.empty()) return;
  if ((hint == "Maximize" && command == cmMaximize) || (hint == "Minimize" && command == cmMinimize) ||
      ((hint == "RollUp" || hint == "Roll Up") && command == cmRollUp))
    restorehint = "Restore";
}

void UseIfEmpty(TRect& r, const TRect& fallback) {
  if (r.IsEmpty()) r = fallback;
}

bool ValidPicture(const TvxSkinContent& skin, int32_t index) {
  return index >= 0 && index < static_cast<int32_t>(skin.ActivePictures.size()) && skin.ActivePictures[index] &&
         !skin.ActivePictures[index]->Empty();
}

// Pixels of image outside keep (the part copied from the picture) become
// fully transparent.
void ClearOutside(TvxBitmap& image, const TRect& keep) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (!keep.Contains(TPoint{x, y})) image.SetPixel(x, y, 0);
}

}  // namespace

// ---- TvxDataSkinObject ----

TvxDataSkinObject::TvxDataSkinObject(const std::string& sectionName) : SectionName(sectionName) {
  skinkeys::ApplyDefaults(*this, kObjectKeys);
}
TvxDataSkinObject::~TvxDataSkinObject() = default;

void TvxDataSkinObject::LoadFromFile(TCustomIniFile& iniFile) {
  skinkeys::ReadKeys(*this, iniFile, SectionName, kObjectKeys);
}

void TvxDataSkinObject::SaveToFile(TCustomIniFile& iniFile) const {
  skinkeys::EraseSection(iniFile, SectionName);
  WriteKeys(iniFile);
}

void TvxDataSkinObject::WriteKeys(TCustomIniFile& iniFile) const {
  skinkeys::WriteKeys(*this, iniFile, SectionName, kObjectKeys);
}

void TvxDataSkinObject::InitAlphaImages(const TvxSkinContent&) {}

// ---- TvxDataUserObject ----

void TvxDataUserObject::LoadFromFile(TCustomIniFile& iniFile) {
  skinkeys::ReadKeys<Obj>(*this, iniFile, SectionName, kUserObjectKeys);
}

void TvxDataUserObject::WriteKeys(TCustomIniFile& iniFile) const {
  skinkeys::WriteKeys<Obj>(*this, iniFile, SectionName, kUserObjectKeys);
}

// ---- TvxDataSkinButton ----

TvxDataSkinButton::TvxDataSkinButton(const std::string& sectionName) : TvxDataSkinObject(sectionName) {
  skinkeys::ApplyDefaults(*this, kButtonKeys);
}
TvxDataSkinButton::~TvxDataSkinButton() = default;

void TvxDataSkinButton::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinObject::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kButtonKeys);
}

void TvxDataSkinButton::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinObject::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kButtonKeys);
}

bool TvxDataSkinButton::WantsAlphaImages(const TvxSkinContent& skin) {
  return skin.LayerFrame.pictureindex != -1 && skin.LayerFrame.fullborder;
}

std::unique_ptr<TvxBitmap> TvxDataSkinButton::MakeAlphaImage(const TvxSkinContent& skin, const TRect& rect,
                                                             int32_t maskIndex) const {
  if (rect.IsEmpty() || !ValidPicture(skin, activepictureindex)) return nullptr;
  const TvxBitmap& picture = *skin.ActivePictures[activepictureindex];
  auto image = std::make_unique<TvxBitmap>(rect.Width(), rect.Height());
  // Copy the part of the rectangle that lies inside the picture; the rest stays
  // transparent black rather than reading outside the picture.
  const TRect src = IntersectRect(rect, picture.BoundsRect());
  for (int y = src.Top; y < src.Bottom; ++y)
    for (int x = src.Left; x < src.Right; ++x)
      image->SetPixel(x - rect.Left, y - rect.Top, picture.Pixel(x, y) | 0xFF000000u);
  if (!ValidPicture(skin, maskIndex)) {
    image->FillAlpha(255);
    image->SetHasAlpha(true);
    ClearOutside(*image, src.Offset(-rect.Left, -rect.Top));
    return image;
  }
  // The mask is the top-left part of the mask picture; where it does not reach,
  // alpha stays 0.
  image->FillAlpha(0);
  image->AlphaFromMask(*skin.ActivePictures[maskIndex]);
  image->PreMultiply();
  image->SetHasAlpha(true);
  ClearOutside(*image, src.Offset(-rect.Left, -rect.Top));
  return image;
}

void TvxDataSkinButton::InitAlphaImages(const TvxSkinContent& skin) {
  AlphaNormalImage.reset();
  AlphaActiveImage.reset();
  AlphaDownImage.reset();
  AlphaInactiveImage.reset();
  if (!WantsAlphaImages(skin)) return;
  AlphaNormalImage = MakeAlphaImage(skin, skinrect, alphamaskpictureindex);
  AlphaActiveImage = MakeAlphaImage(skin, activeskinrect, alphamaskactivepictureindex);
  AlphaDownImage = MakeAlphaImage(skin, downrect, alphamaskactivepictureindex);
  AlphaInactiveImage = MakeAlphaImage(skin, inactiveskinrect, alphamaskinactivepictureindex);
}

// ---- TvxDataSkinStdButton ----

TvxDataSkinStdButton::TvxDataSkinStdButton(const std::string& sectionName) : TvxDataSkinButton(sectionName) {
  skinkeys::ApplyDefaults(*this, kStdButtonKeys);
}
TvxDataSkinStdButton::~TvxDataSkinStdButton() = default;

void TvxDataSkinStdButton::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinButton::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kStdButtonKeys);
  FixRestoreHint(restorehint, hint, command);
}

void TvxDataSkinStdButton::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinButton::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kStdButtonKeys);
}

void TvxDataSkinStdButton::InitAlphaImages(const TvxSkinContent& skin) {
  TvxDataSkinButton::InitAlphaImages(skin);
  AlphaRestoreNormalImage.reset();
  AlphaRestoreActiveImage.reset();
  AlphaRestoreDownImage.reset();
  AlphaRestoreInactiveImage.reset();
  if (!WantsAlphaImages(skin)) return;
  AlphaRestoreNormalImage = MakeAlphaImage(skin, restorerect, alphamaskpictureindex);
  AlphaRestoreActiveImage = MakeAlphaImage(skin, restoreactiverect, alphamaskactivepictureindex);
  AlphaRestoreDownImage = MakeAlphaImage(skin, restoredownrect, alphamaskactivepictureindex);
  AlphaRestoreInactiveImage = MakeAlphaImage(skin, restoreinactiverect, alphamaskinactivepictureindex);
}

// ---- TvxDataSkinCaption ----

TvxDataSkinCaption::TvxDataSkinCaption(const std::string& sectionName) : TvxDataSkinObject(sectionName) {
  skinkeys::ApplyDefaults(*this, kCaptionKeys);
}

void TvxDataSkinCaption::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinObject::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kCaptionKeys);
}

void TvxDataSkinCaption::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinObject::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kCaptionKeys);
}

// ---- TvxDataSkinAnimate ----

TvxDataSkinAnimate::TvxDataSkinAnimate(const std::string& sectionName) : TvxDataSkinObject(sectionName) {
  skinkeys::ApplyDefaults(*this, kAnimateKeys);
}

void TvxDataSkinAnimate::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinObject::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kAnimateKeys);
  morphing = false;
  FixRestoreHint(restorehint, hint, command);
}

void TvxDataSkinAnimate::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinObject::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kAnimateKeys);
}

// ---- TvxDataSkinMenuItem ----

TvxDataSkinMenuItem::TvxDataSkinMenuItem(const std::string& sectionName) : TvxDataSkinObject(sectionName) {
  skinkeys::ApplyDefaults(*this, kMenuItemKeys);
}

void TvxDataSkinMenuItem::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinObject::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kMenuItemKeys);
  UseIfEmpty(activecheckimagerect, checkimagerect);
  UseIfEmpty(activeradioimagerect, radioimagerect);
  UseIfEmpty(activearrowimagerect, arrowimagerect);
}

void TvxDataSkinMenuItem::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinObject::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kMenuItemKeys);
}

// ---- TvxDataSkinMainMenuItem ----

TvxDataSkinMainMenuItem::TvxDataSkinMainMenuItem(const std::string& sectionName) : TvxDataSkinObject(sectionName) {
  skinkeys::ApplyDefaults(*this, kMainMenuItemKeys);
}

void TvxDataSkinMainMenuItem::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinObject::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kMainMenuItemKeys);
}

void TvxDataSkinMainMenuItem::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinObject::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kMainMenuItemKeys);
}

// ---- factory ----

std::unique_ptr<TvxDataSkinObject> CreateSkinObjectDefinition(const std::string& type, const std::string& name) {
  if (type == "button") return std::make_unique<TvxDataSkinButton>(name);
  if (type == "stdbutton") return std::make_unique<TvxDataSkinStdButton>(name);
  if (type == "mainmenubarbutton") return std::make_unique<TvxDataSkinMainMenuBarButton>(name);
  if (type == "caption") return std::make_unique<TvxDataSkinCaption>(name);
  if (type == "animate") return std::make_unique<TvxDataSkinAnimate>(name);
  if (type == "menuitem") return std::make_unique<TvxDataSkinMenuItem>(name);
  if (type == "mainmenubaritem") return std::make_unique<TvxDataSkinMainMenuBarItem>(name);
  if (type == "userobject") return std::make_unique<TvxDataUserObject>(name);
  return nullptr;
}

// ---- single-section definitions ----

TvxDataSkinPopupWindow::TvxDataSkinPopupWindow() { skinkeys::ApplyDefaults(*this, kPopupWindowKeys); }
void TvxDataSkinPopupWindow::LoadFromFile(TCustomIniFile& iniFile) {
  skinkeys::ReadKeys(*this, iniFile, SectionName, kPopupWindowKeys);
}
void TvxDataSkinPopupWindow::SaveToFile(TCustomIniFile& iniFile) const {
  skinkeys::EraseSection(iniFile, SectionName);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kPopupWindowKeys);
}

TvxDataSkinHintWindow::TvxDataSkinHintWindow() { skinkeys::ApplyDefaults(*this, kHintWindowKeys); }
void TvxDataSkinHintWindow::LoadFromFile(TCustomIniFile& iniFile) {
  skinkeys::ReadKeys(*this, iniFile, SectionName, kHintWindowKeys);
}
void TvxDataSkinHintWindow::SaveToFile(TCustomIniFile& iniFile) const {
  skinkeys::EraseSection(iniFile, SectionName);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kHintWindowKeys);
}

TvxDataSkinLayerFrame::TvxDataSkinLayerFrame() { skinkeys::ApplyDefaults(*this, kLayerFrameKeys); }
TvxDataSkinLayerFrame::~TvxDataSkinLayerFrame() = default;
TvxDataSkinLayerFrame::TvxDataSkinLayerFrame(TvxDataSkinLayerFrame&&) noexcept = default;
TvxDataSkinLayerFrame& TvxDataSkinLayerFrame::operator=(TvxDataSkinLayerFrame&&) noexcept = default;

void TvxDataSkinLayerFrame::LoadFromFile(TCustomIniFile& iniFile) {
  skinkeys::ReadKeys(*this, iniFile, SectionName, kLayerFrameKeys);
}
void TvxDataSkinLayerFrame::SaveToFile(TCustomIniFile& iniFile) const {
  skinkeys::EraseSection(iniFile, SectionName);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kLayerFrameKeys);
}

void TvxDataSkinLayerFrame::ReleaseImages() {
  ActiveImage.reset();
  InactiveImage.reset();
}

namespace {
// The whole picture with alpha from the mask pixel at the same place
// (nearest (R + G + B) / 3), colours left unmultiplied. Where the mask does not
// reach, alpha is 0.
std::unique_ptr<TvxBitmap> MakeLayerImage(const TvxSkinContent& skin, int32_t pictureIndex, int32_t maskIndex) {
  if (pictureIndex == -1 || maskIndex == -1 || !ValidPicture(skin, pictureIndex) || !ValidPicture(skin, maskIndex))
    return nullptr;
  const TvxBitmap& picture = *skin.ActivePictures[pictureIndex];
  const TvxBitmap& mask = *skin.ActivePictures[maskIndex];
  auto image = std::make_unique<TvxBitmap>();
  image->Assign(picture);
  image->FillAlpha(0);
  image->AlphaFromMask(mask);
  image->CheckAlpha();
  return image;
}
}  // namespace

void TvxDataSkinLayerFrame::InitAlphaImages(const TvxSkinContent& skin) {
  ActiveImage = MakeLayerImage(skin, pictureindex, maskpictureindex);
  InactiveImage = MakeLayerImage(skin, inactivepictureindex, inactivemaskpictureindex);
}

}  // namespace vx
