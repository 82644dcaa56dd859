#include "skin/vxSkinControlsBars.h"

#include "skin/vxSkinKeys.h"

namespace vx {

using skinkeys::Key;

namespace {

const Key<TvxDataSkinTabControl> kTabControlKeys[] = {
    {"tabrect", &TvxDataSkinTabControl::tabrect},
    {"activetabrect", &TvxDataSkinTabControl::activetabrect},
    {"focustabrect", &TvxDataSkinTabControl::focustabrect},
    {"mouseintabrect", &TvxDataSkinTabControl::mouseintabrect},
    {"clientrect", &TvxDataSkinTabControl::clientrect},
    {"bgpictureindex", &TvxDataSkinTabControl::bgpictureindex, -1},
    {"lefttoppoint", &TvxDataSkinTabControl::lefttoppoint},
    {"righttoppoint", &TvxDataSkinTabControl::righttoppoint},
    {"leftbottompoint", &TvxDataSkinTabControl::leftbottompoint},
    {"rightbottompoint", &TvxDataSkinTabControl::rightbottompoint},
    {"tableftoffset", &TvxDataSkinTabControl::tableftoffset, 0},
    {"tabrightoffset", &TvxDataSkinTabControl::tabrightoffset, 0},
    {"tabsbgrect", &TvxDataSkinTabControl::tabsbgrect},
    {"tabstretcheffect", &TvxDataSkinTabControl::tabstretcheffect},
    {"leftstretch", &TvxDataSkinTabControl::leftstretch},
    {"topstretch", &TvxDataSkinTabControl::topstretch},
    {"rightstretch", &TvxDataSkinTabControl::rightstretch},
    {"bottomstretch", &TvxDataSkinTabControl::bottomstretch},
    {"stretcheffect", &TvxDataSkinTabControl::stretcheffect},
    {"stretchtype", &TvxDataSkinTabControl::stretchtype},
    {"fontname", &TvxDataSkinTabControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinTabControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinTabControl::fontstyle},
    {"fontcolor", &TvxDataSkinTabControl::fontcolor, 0},
    {"activefontcolor", &TvxDataSkinTabControl::activefontcolor, 0},
    {"focusfontcolor", &TvxDataSkinTabControl::focusfontcolor, 0},
    {"mouseinfontcolor", &TvxDataSkinTabControl::mouseinfontcolor, 0},
    {"updown", &TvxDataSkinTabControl::updown, ""},
    {"showfocus", &TvxDataSkinTabControl::showfocus},
    {"focusoffsetx", &TvxDataSkinTabControl::focusoffsetx, 0},
    {"focusoffsety", &TvxDataSkinTabControl::focusoffsety, 0},
    {"closebuttonrect", &TvxDataSkinTabControl::closebuttonrect},
    {"closebuttonactiverect", &TvxDataSkinTabControl::closebuttonactiverect},
    {"closebuttondownrect", &TvxDataSkinTabControl::closebuttondownrect},
    {"buttontransparent", &TvxDataSkinTabControl::buttontransparent},
    {"buttontransparentcolor", &TvxDataSkinTabControl::buttontransparentcolor, 0},
    {"dividerrect", &TvxDataSkinTabControl::dividerrect},
    {"dividertransparent", &TvxDataSkinTabControl::dividertransparent},
    {"dividertransparentcolor", &TvxDataSkinTabControl::dividertransparentcolor, 0},
    {"mdicloserect", &TvxDataSkinTabControl::mdicloserect},
    {"mdicloseactiverect", &TvxDataSkinTabControl::mdicloseactiverect},
    {"mdiclosedownrect", &TvxDataSkinTabControl::mdiclosedownrect},
    {"mdirestorerect", &TvxDataSkinTabControl::mdirestorerect},
    {"mdirestoreactiverect", &TvxDataSkinTabControl::mdirestoreactiverect},
    {"mdirestoredownrect", &TvxDataSkinTabControl::mdirestoredownrect},
    {"mdiminrect", &TvxDataSkinTabControl::mdiminrect},
    {"mdiminactiverect", &TvxDataSkinTabControl::mdiminactiverect},
    {"mdimindownrect", &TvxDataSkinTabControl::mdimindownrect},
    {"mdibuttonstransparent", &TvxDataSkinTabControl::mdibuttonstransparent},
    {"mdibuttonstransparentcolor", &TvxDataSkinTabControl::mdibuttonstransparentcolor, 0},
    {"tableftbottomactiverect", &TvxDataSkinTabControl::tableftbottomactiverect},
    {"tableftbottomfocusrect", &TvxDataSkinTabControl::tableftbottomfocusrect},
};

const Key<TvxDataSkinMainMenuBar> kMainMenuBarKeys[] = {
    {"itemsrect", &TvxDataSkinMainMenuBar::itemsrect},
    {"menubaritem", &TvxDataSkinMainMenuBar::menubaritem, ""},
    {"closebutton", &TvxDataSkinMainMenuBar::closebutton, ""},
    {"minbutton", &TvxDataSkinMainMenuBar::minbutton, ""},
    {"maxbutton", &TvxDataSkinMainMenuBar::maxbutton, ""},
    {"sysmenubutton", &TvxDataSkinMainMenuBar::sysmenubutton, ""},
    {"trackmarkcolor", &TvxDataSkinMainMenuBar::trackmarkcolor, 0},
    {"trackmarkactivecolor", &TvxDataSkinMainMenuBar::trackmarkactivecolor, 0},
    {"stretcheffect", &TvxDataSkinMainMenuBar::stretcheffect},
    {"itemtransparent", &TvxDataSkinMainMenuBar::itemtransparent},
};

const Key<TvxDataSkinControlBar> kControlBarKeys[] = {
    {"itemrect", &TvxDataSkinControlBar::itemrect},
    {"bgpictureindex", &TvxDataSkinControlBar::bgpictureindex, -1},
    {"hgriprect", &TvxDataSkinControlBar::hgriprect},
    {"vgriprect", &TvxDataSkinControlBar::vgriprect},
    {"gripoffset1", &TvxDataSkinControlBar::gripoffset1, 0},
    {"gripoffset2", &TvxDataSkinControlBar::gripoffset2, 0},
    {"itemstretcheffect", &TvxDataSkinControlBar::itemstretcheffect},
    {"itemoffset1", &TvxDataSkinControlBar::itemoffset1, 3},
    {"itemoffset2", &TvxDataSkinControlBar::itemoffset2, 3},
    {"itemtransparent", &TvxDataSkinControlBar::itemtransparent},
    {"itemtransparentcolor", &TvxDataSkinControlBar::itemtransparentcolor, 0},
    {"griptransparent", &TvxDataSkinControlBar::griptransparent},
    {"griptransparentcolor", &TvxDataSkinControlBar::griptransparentcolor, 0},
};

const Key<TvxDataSkinAppMenu> kAppMenuKeys[] = {
    {"bgpictureindex", &TvxDataSkinAppMenu::bgpictureindex, -1},
    {"bgstretcheffect", &TvxDataSkinAppMenu::bgstretcheffect},
    {"itemrect", &TvxDataSkinAppMenu::itemrect},
    {"pageitemrect", &TvxDataSkinAppMenu::pageitemrect},
    {"pageitemactiverect", &TvxDataSkinAppMenu::pageitemactiverect},
    {"itemoffset1", &TvxDataSkinAppMenu::itemoffset1, 3},
    {"itemoffset2", &TvxDataSkinAppMenu::itemoffset2, 3},
    {"pageitemoffset1", &TvxDataSkinAppMenu::pageitemoffset1, 10},
    {"pageitemoffset2", &TvxDataSkinAppMenu::pageitemoffset2, 10},
    {"pageoffset", &TvxDataSkinAppMenu::pageoffset, 0},
    {"fontname", &TvxDataSkinAppMenu::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinAppMenu::fontheight, 13},
    {"fontpageheight", &TvxDataSkinAppMenu::fontpageheight, 16},
    {"fontstyle", &TvxDataSkinAppMenu::fontstyle},
    {"fontcolor", &TvxDataSkinAppMenu::fontcolor, 0},
    {"disabledfontcolor", &TvxDataSkinAppMenu::disabledfontcolor, 0},
    {"activefontcolor", &TvxDataSkinAppMenu::activefontcolor, 0},
    {"fontpagecolor", &TvxDataSkinAppMenu::fontpagecolor, 0},
    {"activefontpagecolor", &TvxDataSkinAppMenu::activefontpagecolor, 0},
    {"gripperrect", &TvxDataSkinAppMenu::gripperrect},
    {"grippertransparentcolor", &TvxDataSkinAppMenu::grippertransparentcolor, 0},
    {"toplinerect", &TvxDataSkinAppMenu::toplinerect},
    {"toplineoffset1", &TvxDataSkinAppMenu::toplineoffset1, 0},
    {"toplineoffset2", &TvxDataSkinAppMenu::toplineoffset2, 0},
};

}  // namespace

TvxDataSkinTabControl::TvxDataSkinTabControl(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kTabControlKeys);
}

void TvxDataSkinTabControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kTabControlKeys);
}

void TvxDataSkinTabControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kTabControlKeys);
}

TvxDataSkinMainMenuBar::TvxDataSkinMainMenuBar(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kMainMenuBarKeys);
}

void TvxDataSkinMainMenuBar::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kMainMenuBarKeys);
}

void TvxDataSkinMainMenuBar::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kMainMenuBarKeys);
}

TvxDataSkinControlBar::TvxDataSkinControlBar(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kControlBarKeys);
}

void TvxDataSkinControlBar::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kControlBarKeys);
}

void TvxDataSkinControlBar::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kControlBarKeys);
}

TvxDataSkinAppMenu::TvxDataSkinAppMenu(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kAppMenuKeys);
}

void TvxDataSkinAppMenu::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kAppMenuKeys);
}

void TvxDataSkinAppMenu::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kAppMenuKeys);
}

}  // namespace vx
