// Control definitions of tabs, the main menu bar, control bars and the application menu.
// Every member named like an INI key holds that key.
#pragma once

#include "skin/vxSkinControlBase.h"

namespace vx {

// "tab": tab controls, with their own nine-slice keys; "updown" names the arrows section.
class TvxDataSkinTabControl : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinTabControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect tabrect;
  TRect activetabrect;
  TRect focustabrect;
  TRect mouseintabrect;
  TRect clientrect;
  int32_t bgpictureindex;
  TPoint lefttoppoint;
  TPoint righttoppoint;
  TPoint leftbottompoint;
  TPoint rightbottompoint;
  int32_t tableftoffset;
  int32_t tabrightoffset;
  TRect tabsbgrect;
  bool tabstretcheffect;
  bool leftstretch;
  bool topstretch;
  bool rightstretch;
  bool bottomstretch;
  bool stretcheffect;
  TvxStretchType stretchtype;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor focusfontcolor;
  TColor mouseinfontcolor;
  std::string updown;
  bool showfocus;
  int32_t focusoffsetx;
  int32_t focusoffsety;
  TRect closebuttonrect;
  TRect closebuttonactiverect;
  TRect closebuttondownrect;
  bool buttontransparent;
  TColor buttontransparentcolor;
  TRect dividerrect;
  bool dividertransparent;
  TColor dividertransparentcolor;
  TRect mdicloserect;
  TRect mdicloseactiverect;
  TRect mdiclosedownrect;
  TRect mdirestorerect;
  TRect mdirestoreactiverect;
  TRect mdirestoredownrect;
  TRect mdiminrect;
  TRect mdiminactiverect;
  TRect mdimindownrect;
  bool mdibuttonstransparent;
  TColor mdibuttonstransparentcolor;
  TRect tableftbottomactiverect;
  TRect tableftbottomfocusrect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "mainmenubar": the main menu bar; the string keys name [SKINOBJECTS] entries.
class TvxDataSkinMainMenuBar : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinMainMenuBar(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect itemsrect;
  std::string menubaritem;
  std::string closebutton;
  std::string minbutton;
  std::string maxbutton;
  std::string sysmenubutton;
  TColor trackmarkcolor;
  TColor trackmarkactivecolor;
  bool stretcheffect;
  bool itemtransparent;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "controlbar": control bars.
class TvxDataSkinControlBar : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinControlBar(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect itemrect;
  int32_t bgpictureindex;
  TRect hgriprect;
  TRect vgriprect;
  int32_t gripoffset1;
  int32_t gripoffset2;
  bool itemstretcheffect;
  int32_t itemoffset1;
  int32_t itemoffset2;
  bool itemtransparent;
  TColor itemtransparentcolor;
  bool griptransparent;
  TColor griptransparentcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "appmenu": the ribbon's application menu.
class TvxDataSkinAppMenu : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinAppMenu(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  int32_t bgpictureindex;
  bool bgstretcheffect;
  TRect itemrect;
  TRect pageitemrect;
  TRect pageitemactiverect;
  int32_t itemoffset1;
  int32_t itemoffset2;
  int32_t pageitemoffset1;
  int32_t pageitemoffset2;
  int32_t pageoffset;
  std::string fontname;
  int32_t fontheight;
  int32_t fontpageheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor disabledfontcolor;
  TColor activefontcolor;
  TColor fontpagecolor;
  TColor activefontpagecolor;
  TRect gripperrect;
  TColor grippertransparentcolor;
  TRect toplinerect;
  int32_t toplineoffset1;
  int32_t toplineoffset2;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

}  // namespace vx
