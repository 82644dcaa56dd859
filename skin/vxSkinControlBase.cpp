#include "skin/vxSkinControlBase.h"

#include "skin/vxSkinKeys.h"

namespace vx {

using skinkeys::Key;

namespace {

const Key<TvxDataSkinControl> kControlKeys[] = {
    {"pictureindex", &TvxDataSkinControl::pictureindex, -1},
    {"maskpictureindex", &TvxDataSkinControl::maskpictureindex, -1},
    {"skinrect", &TvxDataSkinControl::skinrect},
};

const Key<TvxDataSkinCustomControl> kCustomControlKeys[] = {
    {"lefttoppoint", &TvxDataSkinCustomControl::lefttoppoint},
    {"righttoppoint", &TvxDataSkinCustomControl::righttoppoint},
    {"leftbottompoint", &TvxDataSkinCustomControl::leftbottompoint},
    {"rightbottompoint", &TvxDataSkinCustomControl::rightbottompoint},
    {"clientrect", &TvxDataSkinCustomControl::clientrect},
    {"leftstretch", &TvxDataSkinCustomControl::leftstretch},
    {"topstretch", &TvxDataSkinCustomControl::topstretch},
    {"rightstretch", &TvxDataSkinCustomControl::rightstretch},
    {"bottomstretch", &TvxDataSkinCustomControl::bottomstretch},
    {"stretcheffect", &TvxDataSkinCustomControl::stretcheffect},
    {"stretchtype", &TvxDataSkinCustomControl::stretchtype},
};

}  // namespace

TvxDataSkinControl::TvxDataSkinControl(const std::string& sectionName) : SectionName(sectionName) {
  skinkeys::ApplyDefaults(*this, kControlKeys);
}
TvxDataSkinControl::~TvxDataSkinControl() = default;

void TvxDataSkinControl::LoadFromFile(TCustomIniFile& iniFile) {
  skinkeys::ReadKeys(*this, iniFile, SectionName, kControlKeys);
}

void TvxDataSkinControl::SaveToFile(TCustomIniFile& iniFile) const {
  skinkeys::EraseSection(iniFile, SectionName);
  WriteKeys(iniFile);
}

void TvxDataSkinControl::WriteKeys(TCustomIniFile& iniFile) const {
  skinkeys::WriteKeys(*this, iniFile, SectionName, kControlKeys);
}

TvxDataSkinCustomControl::TvxDataSkinCustomControl(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kCustomControlKeys);
}

void TvxDataSkinCustomControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kCustomControlKeys);
}

void TvxDataSkinCustomControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kCustomControlKeys);
}

}  // namespace vx
