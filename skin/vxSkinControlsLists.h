// Control definitions of edits, lists, combo boxes, grids and views.
// Every member named like an INI key holds that key.
#pragma once

#include "skin/vxSkinControlBase.h"

namespace vx {

// "edit": edits, with or without a button.
class TvxDataSkinEditControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinEditControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect activeskinrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor disabledfontcolor;
  TColor activefontcolor;
  TRect buttonrect;
  TRect activebuttonrect;
  TRect downbuttonrect;
  TRect unenabledbuttonrect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "memo": memos.
class TvxDataSkinMemoControl : public TvxDataSkinEditControl {
 public:
  explicit TvxDataSkinMemoControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TColor bgcolor;
  TColor activebgcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "spinedit": spin edits.
class TvxDataSkinSpinEditControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinSpinEditControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect activeskinrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor disabledfontcolor;
  TRect upbuttonrect;
  TRect activeupbuttonrect;
  TRect downupbuttonrect;
  TRect downbuttonrect;
  TRect activedownbuttonrect;
  TRect downdownbuttonrect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "listbox": list boxes; the *scrollbarname keys name the scroll bar sections.
class TvxDataSkinListBox : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinListBox(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect itemrect;
  TRect activeitemrect;
  TRect focusitemrect;
  int32_t itemleftoffset;
  int32_t itemrightoffset;
  TRect itemtextrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor focusfontcolor;
  TRect captionrect;
  std::string captionfontname;
  int32_t captionfontheight;
  TFontStyles captionfontstyle;
  TColor captionfontcolor;
  TRect upbuttonrect;
  TRect activeupbuttonrect;
  TRect downupbuttonrect;
  TRect downbuttonrect;
  TRect activedownbuttonrect;
  TRect downdownbuttonrect;
  TRect checkbuttonrect;
  TRect activecheckbuttonrect;
  TRect downcheckbuttonrect;
  std::string vscrollbarname;
  std::string hscrollbarname;
  std::string bothhscrollbarname;
  bool showfocus;
  TRect disabledbuttonsrect;
  TRect buttonsarea;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "checklistbox": check list boxes.
class TvxDataSkinCheckListBox : public TvxDataSkinListBox {
 public:
  explicit TvxDataSkinCheckListBox(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect itemcheckrect;
  TRect checkimagerect;
  TRect uncheckimagerect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "combobox": combo boxes; "listboxname" names the drop-down list section.
class TvxDataSkinComboBox : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinComboBox(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect activeskinrect;
  TRect itemrect;
  TRect activeitemrect;
  TRect focusitemrect;
  int32_t itemleftoffset;
  int32_t itemrightoffset;
  TRect itemtextrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor focusfontcolor;
  TColor activefontcolor;
  std::string listboxname;
  TRect buttonrect;
  TRect activebuttonrect;
  TRect downbuttonrect;
  TRect unenabledbuttonrect;
  bool itemstretcheffect;
  bool focusitemstretcheffect;
  bool showfocus;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "scrollbox": scroll boxes.
class TvxDataSkinScrollBoxControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinScrollBoxControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  int32_t bgpictureindex;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "treeview": tree views.
class TvxDataSkinTreeView : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinTreeView(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor bgcolor;
  TRect expandimagerect;
  TRect noexpandimagerect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "listview": list views.
class TvxDataSkinListView : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinListView(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor bgcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "richedit": rich edits.
class TvxDataSkinRichEdit : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinRichEdit(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor bgcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "grid": grids.
class TvxDataSkinGridControl : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinGridControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect fixedcellrect;
  TRect selectcellrect;
  TRect focuscellrect;
  int32_t fixedcellleftoffset;
  int32_t fixedcellrightoffset;
  TRect fixedcelltextrect;
  int32_t cellleftoffset;
  int32_t cellrightoffset;
  TRect celltextrect;
  int32_t bgpictureindex;
  TColor linescolor;
  TColor bgcolor;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor selectfontcolor;
  TColor focusfontcolor;
  std::string fixedfontname;
  int32_t fixedfontheight;
  TFontStyles fixedfontstyle;
  TColor fixedfontcolor;
  bool cellstretcheffect;
  bool fixedcellstretcheffect;
  bool showfocus;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

}  // namespace vx
