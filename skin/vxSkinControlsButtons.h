// Control definitions of buttons, check boxes, labels, panels, bars and bevels.
// Every member named like an INI key holds that key.
#pragma once

#include "skin/vxSkinControlBase.h"

namespace vx {

// "button": push buttons and tool buttons.
class TvxDataSkinButtonControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinButtonControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor downfontcolor;
  TColor disabledfontcolor;
  TRect activeskinrect;
  TRect downskinrect;
  TRect focusedskinrect;
  TRect disabledskinrect;
  bool morphing;
  TvxMorphKind morphkind;
  TRect animateskinrect;
  int32_t framecount;
  int32_t animateinterval;
  bool showfocus;
  TRect menumarkerflatrect;
  TRect menumarkerrect;
  TRect menumarkeractiverect;
  TRect menumarkerdownrect;
  TColor menumarkertransparentcolor;
  int32_t glowlayerpictureindex;
  int32_t glowlayermaskpictureindex;
  int32_t glowlayeroffsetleft;
  int32_t glowlayeroffsettop;
  int32_t glowlayeroffsetright;
  int32_t glowlayeroffsetbottom;
  int32_t glowlayershowoffsetx;
  int32_t glowlayershowoffsety;
  int32_t glowlayeralphablendvalue;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "menubutton": buttons with a part that opens their menu.
class TvxDataSkinMenuButtonControl : public TvxDataSkinButtonControl {
 public:
  explicit TvxDataSkinMenuButtonControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect trackbuttonrect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "checkradio": check boxes and radio buttons.
class TvxDataSkinCheckRadioControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinCheckRadioControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor unenabledfontcolor;
  TColor framefontcolor;
  TRect activeskinrect;
  TRect checkimagearea;
  TRect textarea;
  TRect checkimagerect;
  TRect uncheckimagerect;
  TRect activecheckimagerect;
  TRect activeuncheckimagerect;
  TRect unenabledcheckimagerect;
  TRect unenableduncheckimagerect;
  TRect grayedcheckimagerect;
  TRect activegrayedcheckimagerect;
  bool morphing;
  TvxMorphKind morphkind;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "panel": panels, group boxes, tool bars and status bars.
class TvxDataSkinPanelControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinPanelControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  int32_t bgpictureindex;
  TRect captionrect;
  TAlignment alignment;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TRect checkimagerect;
  TRect uncheckimagerect;
  TRect markframerect;
  TRect framerect;
  TRect frametextrect;
  int32_t frameleftoffset;
  int32_t framerightoffset;
  TRect gripperrect;
  bool grippertransparent;
  TColor grippertransparentcolor;
  TRect buttonrect;
  TRect buttonactiverect;
  TRect buttondownrect;
  bool buttontransparent;
  TColor buttontransparentcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "expanel": panels that roll up, with close, roll and restore buttons.
class TvxDataSkinExPanelControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinExPanelControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect rollhskinrect;
  TRect rollvskinrect;
  int32_t rollleftoffset;
  int32_t rollrightoffset;
  int32_t rolltopoffset;
  int32_t rollbottomoffset;
  TRect rollvcaptionrect;
  TRect rollhcaptionrect;
  TRect closebuttonrect;
  TRect closebuttonactiverect;
  TRect closebuttondownrect;
  TRect hrollbuttonrect;
  TRect hrollbuttonactiverect;
  TRect hrollbuttondownrect;
  TRect hrestorebuttonrect;
  TRect hrestorebuttonactiverect;
  TRect hrestorebuttondownrect;
  TRect vrollbuttonrect;
  TRect vrollbuttonactiverect;
  TRect vrollbuttondownrect;
  TRect vrestorebuttonrect;
  TRect vrestorebuttonactiverect;
  TRect vrestorebuttondownrect;
  TRect captionrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  bool buttonstransparent;
  TColor buttonstransparentcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "label": labels with a skinned background.
class TvxDataSkinLabelControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinLabelControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "stdlabel": labels that take only font and colours from the skin.
class TvxDataSkinStdLabelControl : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinStdLabelControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "gauge": progress bars.
class TvxDataSkinGaugeControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinGaugeControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect progressarea;
  TRect progressrect;
  int32_t beginoffset;
  int32_t endoffset;
  bool vertical;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  bool progresstransparent;
  TColor progresstransparentcolor;
  bool progressstretch;
  TRect animationskinrect;
  int32_t animationcountframes;
  int32_t animationtimerinterval;
  TRect progressanimationskinrect;
  int32_t progressanimationcountframes;
  int32_t progressanimationtimerinterval;
  int32_t animationbeginoffset;
  int32_t animationendoffset;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "splitter": splitters.
class TvxDataSkinSplitterControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinSplitterControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect gripperrect;
  bool grippertransparent;
  TColor grippertransparentcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "trackbar": track bars.
class TvxDataSkinTrackBarControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinTrackBarControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect activeskinrect;
  TRect trackarea;
  TRect buttonrect;
  TRect activebuttonrect;
  bool vertical;
  bool buttontransparent;
  TColor buttontransparentcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "updown": up-down arrows; never drawn as a nine-slice image.
class TvxDataSkinUpDownControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinUpDownControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect upbuttonrect;
  TRect activeupbuttonrect;
  TRect downupbuttonrect;
  TRect downbuttonrect;
  TRect activedownbuttonrect;
  TRect downdownbuttonrect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "scrollbar": scroll bars.
class TvxDataSkinScrollBarControl : public TvxDataSkinCustomControl {
 public:
  explicit TvxDataSkinScrollBarControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect trackarea;
  TRect upbuttonrect;
  TRect activeupbuttonrect;
  TRect downupbuttonrect;
  TRect downbuttonrect;
  TRect activedownbuttonrect;
  TRect downdownbuttonrect;
  TRect thumbrect;
  TRect activethumbrect;
  TRect downthumbrect;
  int32_t thumboffset1;
  int32_t thumboffset2;
  bool thumbtransparent;
  TColor thumbtransparentcolor;
  bool thumbstretcheffect;
  int32_t thumbminsize;
  int32_t thumbminpagesize;
  TRect glyphrect;
  TRect activeglyphrect;
  TRect downglyphrect;
  bool glyphtransparent;
  TColor glyphtransparentcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "bevel": bevels and dividers drawn in two colours.
class TvxDataSkinBevel : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinBevel(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TColor lightcolor;
  TColor darkcolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "slider": sliders.
class TvxDataSkinSlider : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinSlider(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TColor bgcolor;
  TRect hrulerrect;
  TRect hthumbrect;
  TRect vrulerrect;
  TRect vthumbrect;
  int32_t edgesize;
  TColor pointscolor;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

}  // namespace vx
