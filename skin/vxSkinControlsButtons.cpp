#include "skin/vxSkinControlsButtons.h"

#include "skin/vxSkinKeys.h"

namespace vx {

using skinkeys::Key;

namespace {

const Key<TvxDataSkinButtonControl> kButtonControlKeys[] = {
    {"fontname", &TvxDataSkinButtonControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinButtonControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinButtonControl::fontstyle},
    {"fontcolor", &TvxDataSkinButtonControl::fontcolor, 0},
    {"activefontcolor", &TvxDataSkinButtonControl::activefontcolor, 0},
    {"downfontcolor", &TvxDataSkinButtonControl::downfontcolor, 0},
    {"disabledfontcolor", &TvxDataSkinButtonControl::disabledfontcolor, 0},
    {"activeskinrect", &TvxDataSkinButtonControl::activeskinrect},
    {"downskinrect", &TvxDataSkinButtonControl::downskinrect},
    {"focusedskinrect", &TvxDataSkinButtonControl::focusedskinrect},
    {"disabledskinrect", &TvxDataSkinButtonControl::disabledskinrect},
    {"morphing", &TvxDataSkinButtonControl::morphing},
    {"morphkind", &TvxDataSkinButtonControl::morphkind},
    {"animateskinrect", &TvxDataSkinButtonControl::animateskinrect},
    {"framecount", &TvxDataSkinButtonControl::framecount, 0},
    {"animateinterval", &TvxDataSkinButtonControl::animateinterval, 25},
    {"showfocus", &TvxDataSkinButtonControl::showfocus},
    {"menumarkerflatrect", &TvxDataSkinButtonControl::menumarkerflatrect},
    {"menumarkerrect", &TvxDataSkinButtonControl::menumarkerrect},
    {"menumarkeractiverect", &TvxDataSkinButtonControl::menumarkeractiverect},
    {"menumarkerdownrect", &TvxDataSkinButtonControl::menumarkerdownrect},
    {"menumarkertransparentcolor", &TvxDataSkinButtonControl::menumarkertransparentcolor, 0},
    {"glowlayerpictureindex", &TvxDataSkinButtonControl::glowlayerpictureindex, -1},
    {"glowlayermaskpictureindex", &TvxDataSkinButtonControl::glowlayermaskpictureindex, -1},
    {"glowlayeroffsetleft", &TvxDataSkinButtonControl::glowlayeroffsetleft, 0},
    {"glowlayeroffsettop", &TvxDataSkinButtonControl::glowlayeroffsettop, 0},
    {"glowlayeroffsetright", &TvxDataSkinButtonControl::glowlayeroffsetright, 0},
    {"glowlayeroffsetbottom", &TvxDataSkinButtonControl::glowlayeroffsetbottom, 0},
    {"glowlayershowoffsetx", &TvxDataSkinButtonControl::glowlayershowoffsetx, 0},
    {"glowlayershowoffsety", &TvxDataSkinButtonControl::glowlayershowoffsety, 0},
    {"glowlayeralphablendvalue", &TvxDataSkinButtonControl::glowlayeralphablendvalue, 255},
};

const Key<TvxDataSkinMenuButtonControl> kMenuButtonControlKeys[] = {
    {"trackbuttonrect", &TvxDataSkinMenuButtonControl::trackbuttonrect},
};

const Key<TvxDataSkinCheckRadioControl> kCheckRadioControlKeys[] = {
    {"fontname", &TvxDataSkinCheckRadioControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinCheckRadioControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinCheckRadioControl::fontstyle},
    {"fontcolor", &TvxDataSkinCheckRadioControl::fontcolor, 0},
    {"activefontcolor", &TvxDataSkinCheckRadioControl::activefontcolor, 0},
    {"unenabledfontcolor", &TvxDataSkinCheckRadioControl::unenabledfontcolor, 0},
    {"framefontcolor", &TvxDataSkinCheckRadioControl::framefontcolor, 0},
    {"activeskinrect", &TvxDataSkinCheckRadioControl::activeskinrect},
    {"checkimagearea", &TvxDataSkinCheckRadioControl::checkimagearea},
    {"textarea", &TvxDataSkinCheckRadioControl::textarea},
    {"checkimagerect", &TvxDataSkinCheckRadioControl::checkimagerect},
    {"uncheckimagerect", &TvxDataSkinCheckRadioControl::uncheckimagerect},
    {"activecheckimagerect", &TvxDataSkinCheckRadioControl::activecheckimagerect},
    {"activeuncheckimagerect", &TvxDataSkinCheckRadioControl::activeuncheckimagerect},
    {"unenabledcheckimagerect", &TvxDataSkinCheckRadioControl::unenabledcheckimagerect},
    {"unenableduncheckimagerect", &TvxDataSkinCheckRadioControl::unenableduncheckimagerect},
    {"grayedcheckimagerect", &TvxDataSkinCheckRadioControl::grayedcheckimagerect},
    {"activegrayedcheckimagerect", &TvxDataSkinCheckRadioControl::activegrayedcheckimagerect},
    {"morphing", &TvxDataSkinCheckRadioControl::morphing},
    {"morphkind", &TvxDataSkinCheckRadioControl::morphkind},
};

const Key<TvxDataSkinPanelControl> kPanelControlKeys[] = {
    {"bgpictureindex", &TvxDataSkinPanelControl::bgpictureindex, -1},
    {"captionrect", &TvxDataSkinPanelControl::captionrect},
    {"alignment", &TvxDataSkinPanelControl::alignment},
    {"fontname", &TvxDataSkinPanelControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinPanelControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinPanelControl::fontstyle},
    {"fontcolor", &TvxDataSkinPanelControl::fontcolor, 0},
    {"checkimagerect", &TvxDataSkinPanelControl::checkimagerect},
    {"uncheckimagerect", &TvxDataSkinPanelControl::uncheckimagerect},
    {"markframerect", &TvxDataSkinPanelControl::markframerect},
    {"framerect", &TvxDataSkinPanelControl::framerect},
    {"frametextrect", &TvxDataSkinPanelControl::frametextrect},
    {"frameleftoffset", &TvxDataSkinPanelControl::frameleftoffset, 0},
    {"framerightoffset", &TvxDataSkinPanelControl::framerightoffset, 0},
    {"gripperrect", &TvxDataSkinPanelControl::gripperrect},
    {"grippertransparent", &TvxDataSkinPanelControl::grippertransparent},
    {"grippertransparentcolor", &TvxDataSkinPanelControl::grippertransparentcolor, 0},
    {"buttonrect", &TvxDataSkinPanelControl::buttonrect},
    {"buttonactiverect", &TvxDataSkinPanelControl::buttonactiverect},
    {"buttondownrect", &TvxDataSkinPanelControl::buttondownrect},
    {"buttontransparent", &TvxDataSkinPanelControl::buttontransparent},
    {"buttontransparentcolor", &TvxDataSkinPanelControl::buttontransparentcolor, 0},
};

const Key<TvxDataSkinExPanelControl> kExPanelControlKeys[] = {
    {"rollhskinrect", &TvxDataSkinExPanelControl::rollhskinrect},
    {"rollvskinrect", &TvxDataSkinExPanelControl::rollvskinrect},
    {"rollleftoffset", &TvxDataSkinExPanelControl::rollleftoffset, 0},
    {"rollrightoffset", &TvxDataSkinExPanelControl::rollrightoffset, 0},
    {"rolltopoffset", &TvxDataSkinExPanelControl::rolltopoffset, 0},
    {"rollbottomoffset", &TvxDataSkinExPanelControl::rollbottomoffset, 0},
    {"rollvcaptionrect", &TvxDataSkinExPanelControl::rollvcaptionrect},
    {"rollhcaptionrect", &TvxDataSkinExPanelControl::rollhcaptionrect},
    {"closebuttonrect", &TvxDataSkinExPanelControl::closebuttonrect},
    {"closebuttonactiverect", &TvxDataSkinExPanelControl::closebuttonactiverect},
    {"closebuttondownrect", &TvxDataSkinExPanelControl::closebuttondownrect},
    {"hrollbuttonrect", &TvxDataSkinExPanelControl::hrollbuttonrect},
    {"hrollbuttonactiverect", &TvxDataSkinExPanelControl::hrollbuttonactiverect},
    {"hrollbuttondownrect", &TvxDataSkinExPanelControl::hrollbuttondownrect},
    {"hrestorebuttonrect", &TvxDataSkinExPanelControl::hrestorebuttonrect},
    {"hrestorebuttonactiverect", &TvxDataSkinExPanelControl::hrestorebuttonactiverect},
    {"hrestorebuttondownrect", &TvxDataSkinExPanelControl::hrestorebuttondownrect},
    {"vrollbuttonrect", &TvxDataSkinExPanelControl::vrollbuttonrect},
    {"vrollbuttonactiverect", &TvxDataSkinExPanelControl::vrollbuttonactiverect},
    {"vrollbuttondownrect", &TvxDataSkinExPanelControl::vrollbuttondownrect},
    {"vrestorebuttonrect", &TvxDataSkinExPanelControl::vrestorebuttonrect},
    {"vrestorebuttonactiverect", &TvxDataSkinExPanelControl::vrestorebuttonactiverect},
    {"vrestorebuttondownrect", &TvxDataSkinExPanelControl::vrestorebuttondownrect},
    {"captionrect", &TvxDataSkinExPanelControl::captionrect},
    {"fontname", &TvxDataSkinExPanelControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinExPanelControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinExPanelControl::fontstyle},
    {"fontcolor", &TvxDataSkinExPanelControl::fontcolor, 0},
    {"buttonstransparent", &TvxDataSkinExPanelControl::buttonstransparent},
    {"buttonstransparentcolor", &TvxDataSkinExPanelControl::buttonstransparentcolor, 0},
};

const Key<TvxDataSkinLabelControl> kLabelControlKeys[] = {
    {"fontname", &TvxDataSkinLabelControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinLabelControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinLabelControl::fontstyle},
    {"fontcolor", &TvxDataSkinLabelControl::fontcolor, 0},
};

const Key<TvxDataSkinStdLabelControl> kStdLabelControlKeys[] = {
    {"fontname", &TvxDataSkinStdLabelControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinStdLabelControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinStdLabelControl::fontstyle},
    {"fontcolor", &TvxDataSkinStdLabelControl::fontcolor, 0},
    {"activefontcolor", &TvxDataSkinStdLabelControl::activefontcolor, 16711680},
};

const Key<TvxDataSkinGaugeControl> kGaugeControlKeys[] = {
    {"progressarea", &TvxDataSkinGaugeControl::progressarea},
    {"progressrect", &TvxDataSkinGaugeControl::progressrect},
    {"beginoffset", &TvxDataSkinGaugeControl::beginoffset, 0},
    {"endoffset", &TvxDataSkinGaugeControl::endoffset, 0},
    {"vertical", &TvxDataSkinGaugeControl::vertical},
    {"fontname", &TvxDataSkinGaugeControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinGaugeControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinGaugeControl::fontstyle},
    {"fontcolor", &TvxDataSkinGaugeControl::fontcolor, 0},
    {"progresstransparent", &TvxDataSkinGaugeControl::progresstransparent},
    {"progresstransparentcolor", &TvxDataSkinGaugeControl::progresstransparentcolor, 0},
    {"progressstretch", &TvxDataSkinGaugeControl::progressstretch},
    {"animationskinrect", &TvxDataSkinGaugeControl::animationskinrect},
    {"animationcountframes", &TvxDataSkinGaugeControl::animationcountframes, 0},
    {"animationtimerinterval", &TvxDataSkinGaugeControl::animationtimerinterval, 0},
    {"progressanimationskinrect", &TvxDataSkinGaugeControl::progressanimationskinrect},
    {"progressanimationcountframes", &TvxDataSkinGaugeControl::progressanimationcountframes, 0},
    {"progressanimationtimerinterval", &TvxDataSkinGaugeControl::progressanimationtimerinterval, 0},
    {"animationbeginoffset", &TvxDataSkinGaugeControl::animationbeginoffset, 0},
    {"animationendoffset", &TvxDataSkinGaugeControl::animationendoffset, 0},
};

const Key<TvxDataSkinSplitterControl> kSplitterControlKeys[] = {
    {"gripperrect", &TvxDataSkinSplitterControl::gripperrect},
    {"grippertransparent", &TvxDataSkinSplitterControl::grippertransparent},
    {"grippertransparentcolor", &TvxDataSkinSplitterControl::grippertransparentcolor, 0},
};

const Key<TvxDataSkinTrackBarControl> kTrackBarControlKeys[] = {
    {"activeskinrect", &TvxDataSkinTrackBarControl::activeskinrect},
    {"trackarea", &TvxDataSkinTrackBarControl::trackarea},
    {"buttonrect", &TvxDataSkinTrackBarControl::buttonrect},
    {"activebuttonrect", &TvxDataSkinTrackBarControl::activebuttonrect},
    {"vertical", &TvxDataSkinTrackBarControl::vertical},
    {"buttontransparent", &TvxDataSkinTrackBarControl::buttontransparent},
    {"buttontransparentcolor", &TvxDataSkinTrackBarControl::buttontransparentcolor, 0},
};

const Key<TvxDataSkinUpDownControl> kUpDownControlKeys[] = {
    {"upbuttonrect", &TvxDataSkinUpDownControl::upbuttonrect},
    {"activeupbuttonrect", &TvxDataSkinUpDownControl::activeupbuttonrect},
    {"downupbuttonrect", &TvxDataSkinUpDownControl::downupbuttonrect},
    {"downbuttonrect", &TvxDataSkinUpDownControl::downbuttonrect},
    {"activedownbuttonrect", &TvxDataSkinUpDownControl::activedownbuttonrect},
    {"downdownbuttonrect", &TvxDataSkinUpDownControl::downdownbuttonrect},
};

const Key<TvxDataSkinScrollBarControl> kScrollBarControlKeys[] = {
    {"trackarea", &TvxDataSkinScrollBarControl::trackarea},
    {"upbuttonrect", &TvxDataSkinScrollBarControl::upbuttonrect},
    {"activeupbuttonrect", &TvxDataSkinScrollBarControl::activeupbuttonrect},
    {"downupbuttonrect", &TvxDataSkinScrollBarControl::downupbuttonrect},
    {"downbuttonrect", &TvxDataSkinScrollBarControl::downbuttonrect},
    {"activedownbuttonrect", &TvxDataSkinScrollBarControl::activedownbuttonrect},
    {"downdownbuttonrect", &TvxDataSkinScrollBarControl::downdownbuttonrect},
    {"thumbrect", &TvxDataSkinScrollBarControl::thumbrect},
    {"activethumbrect", &TvxDataSkinScrollBarControl::activethumbrect},
    {"downthumbrect", &TvxDataSkinScrollBarControl::downthumbrect},
    {"thumboffset1", &TvxDataSkinScrollBarControl::thumboffset1, 0},
    {"thumboffset2", &TvxDataSkinScrollBarControl::thumboffset2, 0},
    {"thumbtransparent", &TvxDataSkinScrollBarControl::thumbtransparent},
    {"thumbtransparentcolor", &TvxDataSkinScrollBarControl::thumbtransparentcolor, 0},
    {"thumbstretcheffect", &TvxDataSkinScrollBarControl::thumbstretcheffect},
    {"thumbminsize", &TvxDataSkinScrollBarControl::thumbminsize, 0},
    {"thumbminpagesize", &TvxDataSkinScrollBarControl::thumbminpagesize, 0},
    {"glyphrect", &TvxDataSkinScrollBarControl::glyphrect},
    {"activeglyphrect", &TvxDataSkinScrollBarControl::activeglyphrect},
    {"downglyphrect", &TvxDataSkinScrollBarControl::downglyphrect},
    {"glyphtransparent", &TvxDataSkinScrollBarControl::glyphtransparent},
    {"glyphtransparentcolor", &TvxDataSkinScrollBarControl::glyphtransparentcolor, 0},
};

const Key<TvxDataSkinBevel> kBevelKeys[] = {
    {"lightcolor", &TvxDataSkinBevel::lightcolor, 0},
    {"darkcolor", &TvxDataSkinBevel::darkcolor, 0},
};

const Key<TvxDataSkinSlider> kSliderKeys[] = {
    {"bgcolor", &TvxDataSkinSlider::bgcolor, 0},
    {"hrulerrect", &TvxDataSkinSlider::hrulerrect},
    {"hthumbrect", &TvxDataSkinSlider::hthumbrect},
    {"vrulerrect", &TvxDataSkinSlider::vrulerrect},
    {"vthumbrect", &TvxDataSkinSlider::vthumbrect},
    {"edgesize", &TvxDataSkinSlider::edgesize, 0},
    {"pointscolor", &TvxDataSkinSlider::pointscolor, 0},
};

}  // namespace

TvxDataSkinButtonControl::TvxDataSkinButtonControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kButtonControlKeys);
}

void TvxDataSkinButtonControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kButtonControlKeys);
}

void TvxDataSkinButtonControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kButtonControlKeys);
}

TvxDataSkinMenuButtonControl::TvxDataSkinMenuButtonControl(const std::string& sectionName) : TvxDataSkinButtonControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kMenuButtonControlKeys);
}

void TvxDataSkinMenuButtonControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinButtonControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kMenuButtonControlKeys);
}

void TvxDataSkinMenuButtonControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinButtonControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kMenuButtonControlKeys);
}

TvxDataSkinCheckRadioControl::TvxDataSkinCheckRadioControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kCheckRadioControlKeys);
}

void TvxDataSkinCheckRadioControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kCheckRadioControlKeys);
}

void TvxDataSkinCheckRadioControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kCheckRadioControlKeys);
}

TvxDataSkinPanelControl::TvxDataSkinPanelControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kPanelControlKeys);
}

void TvxDataSkinPanelControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kPanelControlKeys);
}

void TvxDataSkinPanelControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kPanelControlKeys);
}

TvxDataSkinExPanelControl::TvxDataSkinExPanelControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kExPanelControlKeys);
}

void TvxDataSkinExPanelControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kExPanelControlKeys);
}

void TvxDataSkinExPanelControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kExPanelControlKeys);
}

TvxDataSkinLabelControl::TvxDataSkinLabelControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kLabelControlKeys);
}

void TvxDataSkinLabelControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kLabelControlKeys);
}

void TvxDataSkinLabelControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kLabelControlKeys);
}

TvxDataSkinStdLabelControl::TvxDataSkinStdLabelControl(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kStdLabelControlKeys);
}

void TvxDataSkinStdLabelControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kStdLabelControlKeys);
}

void TvxDataSkinStdLabelControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kStdLabelControlKeys);
}

TvxDataSkinGaugeControl::TvxDataSkinGaugeControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kGaugeControlKeys);
}

void TvxDataSkinGaugeControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kGaugeControlKeys);
}

void TvxDataSkinGaugeControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kGaugeControlKeys);
}

TvxDataSkinSplitterControl::TvxDataSkinSplitterControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kSplitterControlKeys);
}

void TvxDataSkinSplitterControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kSplitterControlKeys);
}

void TvxDataSkinSplitterControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kSplitterControlKeys);
}

TvxDataSkinTrackBarControl::TvxDataSkinTrackBarControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kTrackBarControlKeys);
}

void TvxDataSkinTrackBarControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kTrackBarControlKeys);
}

void TvxDataSkinTrackBarControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kTrackBarControlKeys);
}

TvxDataSkinUpDownControl::TvxDataSkinUpDownControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kUpDownControlKeys);
}

void TvxDataSkinUpDownControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kUpDownControlKeys);
  // Up-down arrows are drawn from their button rectangles only, never as a
  // nine-slice image.
  lefttoppoint = righttoppoint = leftbottompoint = rightbottompoint = TPoint{};
  clientrect = TRect{};
}

void TvxDataSkinUpDownControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kUpDownControlKeys);
}

TvxDataSkinScrollBarControl::TvxDataSkinScrollBarControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kScrollBarControlKeys);
}

void TvxDataSkinScrollBarControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kScrollBarControlKeys);
}

void TvxDataSkinScrollBarControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kScrollBarControlKeys);
}

TvxDataSkinBevel::TvxDataSkinBevel(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kBevelKeys);
}

void TvxDataSkinBevel::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kBevelKeys);
}

void TvxDataSkinBevel::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kBevelKeys);
}

TvxDataSkinSlider::TvxDataSkinSlider(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kSliderKeys);
}

void TvxDataSkinSlider::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kSliderKeys);
}

void TvxDataSkinSlider::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kSliderKeys);
}

}  // namespace vx
