// Object definitions: one class per [SKINOBJECTS] type keyword (caption buttons,
// caption, animated objects, menu items, main menu bar items and buttons), and
// the single-section definitions [POPUPWINDOW], [HINTWINDOW] and [LAYERFRAME].
// Every member named like an INI key holds that key.
#pragma once

#include <memory>
#include <string>

#include "platform/core/classes.h"
#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "skin/vxSkinDefTypes.h"

namespace vx {

class TCustomIniFile;
class TvxBitmap;
struct TvxSkinContent;

class TvxDataSkinObject : public TObject {
 public:
  explicit TvxDataSkinObject(const std::string& sectionName);
  ~TvxDataSkinObject() override;
  TvxDataSkinObject(const TvxDataSkinObject&) = delete;
  TvxDataSkinObject& operator=(const TvxDataSkinObject&) = delete;

  // Reads the section named SectionName: the base's keys first, then each
  // class's own keys in order, then the class's fix-ups.
  virtual void LoadFromFile(TCustomIniFile& iniFile);
  // Erases the section, then writes the same keys in the same order.
  virtual void SaveToFile(TCustomIniFile& iniFile) const;
  // Prepares images that depend on the whole skin; called once per load after
  // the section has been read.
  virtual void InitAlphaImages(const TvxSkinContent& skin);

  std::string SectionName;

  std::string hint;
  int32_t activepictureindex;
  int32_t activemaskpictureindex;
  bool skinrectinapicture;
  TRect skinrect;
  TRect activeskinrect;
  TRect inactiveskinrect;
  bool morphing;
  TvxMorphKind morphkind;
  int32_t glowlayerpictureindex;
  int32_t glowlayermaskpictureindex;
  int32_t glowlayeroffsetx;
  int32_t glowlayeroffsety;
  int32_t glowlayeralphablendvalue;

 protected:
  // Writes this level's keys (and its bases') without erasing the section.
  virtual void WriteKeys(TCustomIniFile& iniFile) const;
};

// "userobject": reads and writes only "skinrect".
class TvxDataUserObject : public TvxDataSkinObject {
 public:
  using TvxDataSkinObject::TvxDataSkinObject;
  void LoadFromFile(TCustomIniFile& iniFile) override;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "button": a caption button with state images and, on skins with a full
// layered border, premultiplied alpha images of its states.
class TvxDataSkinButton : public TvxDataSkinObject {
 public:
  explicit TvxDataSkinButton(const std::string& sectionName);
  ~TvxDataSkinButton() override;
  void LoadFromFile(TCustomIniFile& iniFile) override;
  void InitAlphaImages(const TvxSkinContent& skin) override;

  TRect downrect;
  TRect disableskinrsect;
  int32_t alphamaskpictureindex;
  int32_t alphamaskactivepictureindex;
  int32_t alphamaskinactivepictureindex;

  // Premultiplied images of the normal, active, pressed and inactive states;
  // null when the skin has no full layered border or the state has no image.
  std::unique_ptr<TvxBitmap> AlphaNormalImage;
  std::unique_ptr<TvxBitmap> AlphaActiveImage;
  std::unique_ptr<TvxBitmap> AlphaDownImage;
  std::unique_ptr<TvxBitmap> AlphaInactiveImage;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
  // A premultiplied image of Rect of the active picture with alpha from the
  // mask picture MaskIndex; null when there is nothing to show.
  std::unique_ptr<TvxBitmap> MakeAlphaImage(const TvxSkinContent& skin, const TRect& rect,
                                            int32_t maskIndex) const;
  static bool WantsAlphaImages(const TvxSkinContent& skin);
};

// "stdbutton": a caption button with a window command and restore images.
class TvxDataSkinStdButton : public TvxDataSkinButton {
 public:
  explicit TvxDataSkinStdButton(const std::string& sectionName);
  ~TvxDataSkinStdButton() override;
  void LoadFromFile(TCustomIniFile& iniFile) override;
  void InitAlphaImages(const TvxSkinContent& skin) override;

  TvxSkinCommand command;
  TRect restorerect;
  TRect restoreactiverect;
  TRect restoredownrect;
  TRect restoreinactiverect;
  std::string restorehint;

  std::unique_ptr<TvxBitmap> AlphaRestoreNormalImage;
  std::unique_ptr<TvxBitmap> AlphaRestoreActiveImage;
  std::unique_ptr<TvxBitmap> AlphaRestoreDownImage;
  std::unique_ptr<TvxBitmap> AlphaRestoreInactiveImage;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "mainmenubarbutton": a standard button inside the main menu bar.
class TvxDataSkinMainMenuBarButton : public TvxDataSkinStdButton {
 public:
  using TvxDataSkinStdButton::TvxDataSkinStdButton;
};

// "caption": the caption text area with its text effects.
class TvxDataSkinCaption : public TvxDataSkinObject {
 public:
  explicit TvxDataSkinCaption(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TRect textrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TAlignment alignment;
  bool light;
  TColor lightcolor;
  TColor activelightcolor;
  bool shadow;
  TColor shadowcolor;
  TColor activeshadowcolor;
  TRect framerect;
  TRect activeframerect;
  TRect frametextrect;
  int32_t frameleftoffset;
  int32_t framerightoffset;
  bool stretcheffect;
  TRect animateskinrect;
  int32_t framecount;
  int32_t animateinterval;
  bool inactiveanimation;
  bool fullframe;
  bool vistagloweffect;
  bool vistaglowinactiveeffect;
  bool gloweffect;
  bool glowinactiveeffect;
  int32_t glowsize;
  TColor glowcolor;
  TColor glowactivecolor;
  int32_t glowoffset;
  bool reflectioneffect;
  TColor reflactioncolor;
  TColor reflactionactivecolor;
  int32_t reflectionoffset;
  TRect dividerrect;
  TRect inactivedividerrect;
  bool dividertransparent;
  TColor dividertransparentcolor;
  int32_t quickbuttonalphamaskpictureindex;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "animate": an object that plays a strip of frames; never morphs.
class TvxDataSkinAnimate : public TvxDataSkinObject {
 public:
  explicit TvxDataSkinAnimate(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  int32_t countframes;
  bool cycle;
  bool buttonstyle;
  int32_t timerinterval;
  TvxSkinCommand command;
  TRect downskinrect;
  TRect restorerect;
  TRect restoreactiverect;
  TRect restoredownrect;
  TRect restoreinactiverect;
  std::string restorehint;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "menuitem": items of popup menus.
class TvxDataSkinMenuItem : public TvxDataSkinObject {
 public:
  explicit TvxDataSkinMenuItem(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  int32_t itemleftoffset;
  int32_t itemrightoffset;
  TRect dividerrect;
  int32_t dividerleftoffset;
  int32_t dividerrightoffset;
  TRect textrect;
  TRect imagerect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor unenabledfontcolor;
  bool stretcheffect;
  bool inactivestretcheffect;
  bool dividerstretcheffect;
  TRect animateskinrect;
  int32_t framecount;
  int32_t animateinterval;
  bool inactiveanimation;
  bool useimagecolor;
  TColor imagecolor;
  TColor activeimagecolor;
  bool inactivetransparent;
  TRect checkimagerect;
  TRect activecheckimagerect;
  TRect radioimagerect;
  TRect activeradioimagerect;
  TRect arrowimagerect;
  TRect activearrowimagerect;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// Items of a main menu bar; no keyword of its own.
class TvxDataSkinMainMenuItem : public TvxDataSkinObject {
 public:
  explicit TvxDataSkinMainMenuItem(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  int32_t itemleftoffset;
  int32_t itemrightoffset;
  TRect downrect;
  TRect textrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  TColor activefontcolor;
  TColor downfontcolor;
  TColor unenabledfontColor;
  bool stretcheffect;
  TRect animateskinrect;
  int32_t framecount;
  int32_t animateinterval;
  bool inactiveanimation;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

// "mainmenubaritem".
class TvxDataSkinMainMenuBarItem : public TvxDataSkinMainMenuItem {
 public:
  using TvxDataSkinMainMenuItem::TvxDataSkinMainMenuItem;
};

// The class for an [SKINOBJECTS] type keyword (exact match), or null when the
// keyword is not one of them.
std::unique_ptr<TvxDataSkinObject> CreateSkinObjectDefinition(const std::string& typeKeyword,
                                                              const std::string& sectionName);

// [POPUPWINDOW]: the frame of popup menus.
class TvxDataSkinPopupWindow {
 public:
  TvxDataSkinPopupWindow();
  void LoadFromFile(TCustomIniFile& iniFile);
  void SaveToFile(TCustomIniFile& iniFile) const;
  static constexpr const char* SectionName = "POPUPWINDOW";

  int32_t windowpictureindex;
  int32_t maskpictureindex;
  TPoint lefttoppoint;
  TPoint righttoppoint;
  TPoint leftbottompoint;
  TPoint rightbottompoint;
  TRect itemsrect;
  TColor scrollmarkercolor;
  TColor scrollmarkeractivecolor;
  bool leftstretch;
  bool rightstretch;
  bool topstretch;
  bool bottomstretch;
  bool stretcheffect;
  TvxStretchType stretchtype;
};

// [HINTWINDOW]: the frame and font of hints.
class TvxDataSkinHintWindow {
 public:
  TvxDataSkinHintWindow();
  void LoadFromFile(TCustomIniFile& iniFile);
  void SaveToFile(TCustomIniFile& iniFile) const;
  static constexpr const char* SectionName = "HINTWINDOW";

  int32_t windowpictureindex;
  int32_t maskpictureindex;
  TPoint lefttoppoint;
  TPoint righttoppoint;
  TPoint leftbottompoint;
  TPoint rightbottompoint;
  TRect clientrect;
  std::string fontname;
  int32_t fontheight;
  TFontStyles fontstyle;
  TColor fontcolor;
  bool leftstretch;
  bool rightstretch;
  bool topstretch;
  bool bottomstretch;
  bool stretcheffect;
  TvxStretchType stretchtype;
};

// [LAYERFRAME]: the per-pixel-alpha border around a form, with its prepared
// unpremultiplied images.
class TvxDataSkinLayerFrame {
 public:
  TvxDataSkinLayerFrame();
  ~TvxDataSkinLayerFrame();
  TvxDataSkinLayerFrame(TvxDataSkinLayerFrame&&) noexcept;
  TvxDataSkinLayerFrame& operator=(TvxDataSkinLayerFrame&&) noexcept;
  void LoadFromFile(TCustomIniFile& iniFile);
  void SaveToFile(TCustomIniFile& iniFile) const;
  static constexpr const char* SectionName = "LAYERFRAME";

  // Rebuilds ActiveImage and InactiveImage from the skin's active pictures;
  // an index pair that is -1 or out of range gives no image.
  void InitAlphaImages(const TvxSkinContent& skin);
  // Frees both images.
  void ReleaseImages();

  int32_t pictureindex;
  int32_t maskpictureindex;
  int32_t inactivepictureindex;
  int32_t inactivemaskpictureindex;
  TPoint lefttoppoint;
  TPoint righttoppoint;
  TPoint leftbottompoint;
  TPoint rightbottompoint;
  TRect clientrect;
  int32_t alphablendvalue;
  int32_t inactivealphablendvalue;
  TRect borderrect;
  bool hittestenable;
  bool fullborder;
  int32_t hittestsize;
  TRect captionrect;
  TPoint hittestlefttoppoint;
  TPoint hittestrighttoppoint;
  TPoint hittestleftbottompoint;
  TPoint hittestrightbottompoint;
  TRect buttonsrect;
  TRect sysmenubuttonrect;
  bool fullstretch;
  int32_t rollupformheight;
  int32_t buttonstopoffset;
  int32_t sysbuttontopoffset;
  int32_t blurmaskpictureindex;
  TRect intersectblurmaskrect;
  TRect excludeblurmaskrect;
  int32_t leftoffset;
  int32_t topoffset;
  int32_t widthoffset;
  int32_t heightoffset;

  std::unique_ptr<TvxBitmap> ActiveImage;
  std::unique_ptr<TvxBitmap> InactiveImage;
};

}  // namespace vx
