#include "skin/vxSkinControlsLists.h"

#include "skin/vxSkinKeys.h"

namespace vx {

using skinkeys::Key;

namespace {

const Key<TvxDataSkinEditControl> kEditControlKeys[] = {
    {"activeskinrect", &TvxDataSkinEditControl::activeskinrect},
    {"fontname", &TvxDataSkinEditControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinEditControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinEditControl::fontstyle},
    {"fontcolor", &TvxDataSkinEditControl::fontcolor, 0},
    {"disabledfontcolor", &TvxDataSkinEditControl::disabledfontcolor, 0},
    {"activefontcolor", &TvxDataSkinEditControl::activefontcolor, 0},
    {"buttonrect", &TvxDataSkinEditControl::buttonrect},
    {"activebuttonrect", &TvxDataSkinEditControl::activebuttonrect},
    {"downbuttonrect", &TvxDataSkinEditControl::downbuttonrect},
    {"unenabledbuttonrect", &TvxDataSkinEditControl::unenabledbuttonrect},
};

const Key<TvxDataSkinMemoControl> kMemoControlKeys[] = {
    {"bgcolor", &TvxDataSkinMemoControl::bgcolor, 0},
    {"activebgcolor", &TvxDataSkinMemoControl::activebgcolor, 0},
};

const Key<TvxDataSkinSpinEditControl> kSpinEditControlKeys[] = {
    {"activeskinrect", &TvxDataSkinSpinEditControl::activeskinrect},
    {"fontname", &TvxDataSkinSpinEditControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinSpinEditControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinSpinEditControl::fontstyle},
    {"fontcolor", &TvxDataSkinSpinEditControl::fontcolor, 0},
    {"activefontcolor", &TvxDataSkinSpinEditControl::activefontcolor, 0},
    {"disabledfontcolor", &TvxDataSkinSpinEditControl::disabledfontcolor, 0},
    {"upbuttonrect", &TvxDataSkinSpinEditControl::upbuttonrect},
    {"activeupbuttonrect", &TvxDataSkinSpinEditControl::activeupbuttonrect},
    {"downupbuttonrect", &TvxDataSkinSpinEditControl::downupbuttonrect},
    {"downbuttonrect", &TvxDataSkinSpinEditControl::downbuttonrect},
    {"activedownbuttonrect", &TvxDataSkinSpinEditControl::activedownbuttonrect},
    {"downdownbuttonrect", &TvxDataSkinSpinEditControl::downdownbuttonrect},
};

const Key<TvxDataSkinListBox> kListBoxKeys[] = {
    {"itemrect", &TvxDataSkinListBox::itemrect},
    {"activeitemrect", &TvxDataSkinListBox::activeitemrect},
    {"focusitemrect", &TvxDataSkinListBox::focusitemrect},
    {"itemleftoffset", &TvxDataSkinListBox::itemleftoffset, 0},
    {"itemrightoffset", &TvxDataSkinListBox::itemrightoffset, 0},
    {"itemtextrect", &TvxDataSkinListBox::itemtextrect},
    {"fontname", &TvxDataSkinListBox::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinListBox::fontheight, 13},
    {"fontstyle", &TvxDataSkinListBox::fontstyle},
    {"fontcolor", &TvxDataSkinListBox::fontcolor, 0},
    {"activefontcolor", &TvxDataSkinListBox::activefontcolor, 0},
    {"focusfontcolor", &TvxDataSkinListBox::focusfontcolor, 0},
    {"captionrect", &TvxDataSkinListBox::captionrect},
    {"captionfontname", &TvxDataSkinListBox::captionfontname, "Tahoma"},
    {"captionfontheight", &TvxDataSkinListBox::captionfontheight, 13},
    {"captionfontstyle", &TvxDataSkinListBox::captionfontstyle},
    {"captionfontcolor", &TvxDataSkinListBox::captionfontcolor, 0},
    {"upbuttonrect", &TvxDataSkinListBox::upbuttonrect},
    {"activeupbuttonrect", &TvxDataSkinListBox::activeupbuttonrect},
    {"downupbuttonrect", &TvxDataSkinListBox::downupbuttonrect},
    {"downbuttonrect", &TvxDataSkinListBox::downbuttonrect},
    {"activedownbuttonrect", &TvxDataSkinListBox::activedownbuttonrect},
    {"downdownbuttonrect", &TvxDataSkinListBox::downdownbuttonrect},
    {"checkbuttonrect", &TvxDataSkinListBox::checkbuttonrect},
    {"activecheckbuttonrect", &TvxDataSkinListBox::activecheckbuttonrect},
    {"downcheckbuttonrect", &TvxDataSkinListBox::downcheckbuttonrect},
    {"vscrollbarname", &TvxDataSkinListBox::vscrollbarname, "vscrollbar"},
    {"hscrollbarname", &TvxDataSkinListBox::hscrollbarname, "hscrollbar"},
    {"bothhscrollbarname", &TvxDataSkinListBox::bothhscrollbarname, "bothhscrollbar"},
    {"showfocus", &TvxDataSkinListBox::showfocus},
    {"disabledbuttonsrect", &TvxDataSkinListBox::disabledbuttonsrect},
    {"buttonsarea", &TvxDataSkinListBox::buttonsarea},
};

const Key<TvxDataSkinCheckListBox> kCheckListBoxKeys[] = {
    {"itemcheckrect", &TvxDataSkinCheckListBox::itemcheckrect},
    {"checkimagerect", &TvxDataSkinCheckListBox::checkimagerect},
    {"uncheckimagerect", &TvxDataSkinCheckListBox::uncheckimagerect},
};

const Key<TvxDataSkinComboBox> kComboBoxKeys[] = {
    {"activeskinrect", &TvxDataSkinComboBox::activeskinrect},
    {"itemrect", &TvxDataSkinComboBox::itemrect},
    {"activeitemrect", &TvxDataSkinComboBox::activeitemrect},
    {"focusitemrect", &TvxDataSkinComboBox::focusitemrect},
    {"itemleftoffset", &TvxDataSkinComboBox::itemleftoffset, 0},
    {"itemrightoffset", &TvxDataSkinComboBox::itemrightoffset, 0},
    {"itemtextrect", &TvxDataSkinComboBox::itemtextrect},
    {"fontname", &TvxDataSkinComboBox::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinComboBox::fontheight, 13},
    {"fontstyle", &TvxDataSkinComboBox::fontstyle},
    {"fontcolor", &TvxDataSkinComboBox::fontcolor, 0},
    {"focusfontcolor", &TvxDataSkinComboBox::focusfontcolor, 0},
    {"activefontcolor", &TvxDataSkinComboBox::activefontcolor, 0},
    {"listboxname", &TvxDataSkinComboBox::listboxname, ""},
    {"buttonrect", &TvxDataSkinComboBox::buttonrect},
    {"activebuttonrect", &TvxDataSkinComboBox::activebuttonrect},
    {"downbuttonrect", &TvxDataSkinComboBox::downbuttonrect},
    {"unenabledbuttonrect", &TvxDataSkinComboBox::unenabledbuttonrect},
    {"itemstretcheffect", &TvxDataSkinComboBox::itemstretcheffect},
    {"focusitemstretcheffect", &TvxDataSkinComboBox::focusitemstretcheffect},
    {"showfocus", &TvxDataSkinComboBox::showfocus},
};

const Key<TvxDataSkinScrollBoxControl> kScrollBoxControlKeys[] = {
    {"bgpictureindex", &TvxDataSkinScrollBoxControl::bgpictureindex, -1},
};

const Key<TvxDataSkinTreeView> kTreeViewKeys[] = {
    {"fontname", &TvxDataSkinTreeView::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinTreeView::fontheight, 13},
    {"fontstyle", &TvxDataSkinTreeView::fontstyle},
    {"fontcolor", &TvxDataSkinTreeView::fontcolor, 0},
    {"bgcolor", &TvxDataSkinTreeView::bgcolor, 0},
    {"expandimagerect", &TvxDataSkinTreeView::expandimagerect},
    {"noexpandimagerect", &TvxDataSkinTreeView::noexpandimagerect},
};

const Key<TvxDataSkinListView> kListViewKeys[] = {
    {"fontname", &TvxDataSkinListView::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinListView::fontheight, 13},
    {"fontstyle", &TvxDataSkinListView::fontstyle},
    {"fontcolor", &TvxDataSkinListView::fontcolor, 0},
    {"bgcolor", &TvxDataSkinListView::bgcolor, 0},
};

const Key<TvxDataSkinRichEdit> kRichEditKeys[] = {
    {"fontname", &TvxDataSkinRichEdit::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinRichEdit::fontheight, 13},
    {"fontstyle", &TvxDataSkinRichEdit::fontstyle},
    {"fontcolor", &TvxDataSkinRichEdit::fontcolor, 0},
    {"bgcolor", &TvxDataSkinRichEdit::bgcolor, 0},
};

const Key<TvxDataSkinGridControl> kGridControlKeys[] = {
    {"fixedcellrect", &TvxDataSkinGridControl::fixedcellrect},
    {"selectcellrect", &TvxDataSkinGridControl::selectcellrect},
    {"focuscellrect", &TvxDataSkinGridControl::focuscellrect},
    {"fixedcellleftoffset", &TvxDataSkinGridControl::fixedcellleftoffset, 0},
    {"fixedcellrightoffset", &TvxDataSkinGridControl::fixedcellrightoffset, 0},
    {"fixedcelltextrect", &TvxDataSkinGridControl::fixedcelltextrect},
    {"cellleftoffset", &TvxDataSkinGridControl::cellleftoffset, 0},
    {"cellrightoffset", &TvxDataSkinGridControl::cellrightoffset, 0},
    {"celltextrect", &TvxDataSkinGridControl::celltextrect},
    {"bgpictureindex", &TvxDataSkinGridControl::bgpictureindex, -1},
    {"linescolor", &TvxDataSkinGridControl::linescolor, 0},
    {"bgcolor", &TvxDataSkinGridControl::bgcolor, 0},
    {"fontname", &TvxDataSkinGridControl::fontname, "Tahoma"},
    {"fontheight", &TvxDataSkinGridControl::fontheight, 13},
    {"fontstyle", &TvxDataSkinGridControl::fontstyle},
    {"fontcolor", &TvxDataSkinGridControl::fontcolor, 0},
    {"selectfontcolor", &TvxDataSkinGridControl::selectfontcolor, 0},
    {"focusfontcolor", &TvxDataSkinGridControl::focusfontcolor, 0},
    {"fixedfontname", &TvxDataSkinGridControl::fixedfontname, "Tahoma"},
    {"fixedfontheight", &TvxDataSkinGridControl::fixedfontheight, 13},
    {"fixedfontstyle", &TvxDataSkinGridControl::fixedfontstyle},
    {"fixedfontcolor", &TvxDataSkinGridControl::fixedfontcolor, 0},
    {"cellstretcheffect", &TvxDataSkinGridControl::cellstretcheffect},
    {"fixedcellstretcheffect", &TvxDataSkinGridControl::fixedcellstretcheffect},
    {"showfocus", &TvxDataSkinGridControl::showfocus},
};

}  // namespace

TvxDataSkinEditControl::TvxDataSkinEditControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kEditControlKeys);
}

void TvxDataSkinEditControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kEditControlKeys);
}

void TvxDataSkinEditControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kEditControlKeys);
}

TvxDataSkinMemoControl::TvxDataSkinMemoControl(const std::string& sectionName) : TvxDataSkinEditControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kMemoControlKeys);
}

void TvxDataSkinMemoControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinEditControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kMemoControlKeys);
}

void TvxDataSkinMemoControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinEditControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kMemoControlKeys);
}

TvxDataSkinSpinEditControl::TvxDataSkinSpinEditControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kSpinEditControlKeys);
}

void TvxDataSkinSpinEditControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kSpinEditControlKeys);
}

void TvxDataSkinSpinEditControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kSpinEditControlKeys);
}

TvxDataSkinListBox::TvxDataSkinListBox(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kListBoxKeys);
}

void TvxDataSkinListBox::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kListBoxKeys);
}

void TvxDataSkinListBox::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kListBoxKeys);
}

TvxDataSkinCheckListBox::TvxDataSkinCheckListBox(const std::string& sectionName) : TvxDataSkinListBox(sectionName) {
  skinkeys::ApplyDefaults(*this, kCheckListBoxKeys);
}

void TvxDataSkinCheckListBox::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinListBox::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kCheckListBoxKeys);
}

void TvxDataSkinCheckListBox::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinListBox::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kCheckListBoxKeys);
}

TvxDataSkinComboBox::TvxDataSkinComboBox(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kComboBoxKeys);
}

void TvxDataSkinComboBox::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kComboBoxKeys);
}

void TvxDataSkinComboBox::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kComboBoxKeys);
}

TvxDataSkinScrollBoxControl::TvxDataSkinScrollBoxControl(const std::string& sectionName) : TvxDataSkinCustomControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kScrollBoxControlKeys);
}

void TvxDataSkinScrollBoxControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinCustomControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kScrollBoxControlKeys);
}

void TvxDataSkinScrollBoxControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinCustomControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kScrollBoxControlKeys);
}

TvxDataSkinTreeView::TvxDataSkinTreeView(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kTreeViewKeys);
}

void TvxDataSkinTreeView::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kTreeViewKeys);
}

void TvxDataSkinTreeView::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kTreeViewKeys);
}

TvxDataSkinListView::TvxDataSkinListView(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kListViewKeys);
}

void TvxDataSkinListView::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kListViewKeys);
}

void TvxDataSkinListView::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kListViewKeys);
}

TvxDataSkinRichEdit::TvxDataSkinRichEdit(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kRichEditKeys);
}

void TvxDataSkinRichEdit::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kRichEditKeys);
}

void TvxDataSkinRichEdit::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kRichEditKeys);
}

TvxDataSkinGridControl::TvxDataSkinGridControl(const std::string& sectionName) : TvxDataSkinControl(sectionName) {
  skinkeys::ApplyDefaults(*this, kGridControlKeys);
}

void TvxDataSkinGridControl::LoadFromFile(TCustomIniFile& iniFile) {
  TvxDataSkinControl::LoadFromFile(iniFile);
  skinkeys::ReadKeys(*this, iniFile, SectionName, kGridControlKeys);
}

void TvxDataSkinGridControl::WriteKeys(TCustomIniFile& iniFile) const {
  TvxDataSkinControl::WriteKeys(iniFile);
  skinkeys::WriteKeys(*this, iniFile, SectionName, kGridControlKeys);
}

}  // namespace vx
