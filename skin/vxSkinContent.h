// Everything one loaded skin consists of: pictures, [VERSION] texts, the frame
// information of [FORMINFO], the single-section definitions, the colours and
// the definition lists. The skin data component is one of these; a load builds
// a complete new one first and swaps it in only when nothing failed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "skin/vxSkinControlBase.h"
#include "skin/vxSkinDefTypes.h"
#include "skin/vxSkinObjects.h"

namespace vx {

class TCustomIniFile;
class TvxBitmap;

// [SKINCOLORS]: eight colours named after their keys. All 0 after
// construction; SetSystemColors gives the system colours that are also the
// values of missing keys.
class TvxSkinColors {
 public:
  void LoadFromFile(TCustomIniFile& iniFile);
  void SetSystemColors();
  static constexpr const char* SectionName = "SKINCOLORS";

  TColor cbtnface = 0;
  TColor cbtntext = 0;
  TColor cwindow = 0;
  TColor cwindowtext = 0;
  TColor chighlight = 0;
  TColor chighlighttext = 0;
  TColor cbtnhighlight = 0;
  TColor cbtnshadow = 0;
};

struct TvxSkinContent {
  TvxSkinContent();
  ~TvxSkinContent();
  TvxSkinContent(TvxSkinContent&&) noexcept;
  TvxSkinContent& operator=(TvxSkinContent&&) noexcept;

  // [VERSION]
  std::string SkinName, SkinAuthor, AuthorEmail, AuthorURL, SkinComments;

  // [PICTURES]: the frame pictures (never null; empty when absent) and the
  // active pictures that definitions address by index.
  std::unique_ptr<TvxBitmap> Picture;
  std::unique_ptr<TvxBitmap> InactivePicture;
  std::unique_ptr<TvxBitmap> MaskPicture;
  std::string PictureName, InactivePictureName, MaskPictureName;
  std::vector<std::unique_ptr<TvxBitmap>> ActivePictures;
  std::vector<std::string> ActivePictureNames;

  // [SKINOBJECTS] and [SKINCONTROLS], in entry order.
  std::vector<std::unique_ptr<TvxDataSkinObject>> ObjectList;
  std::vector<std::unique_ptr<TvxDataSkinControl>> ControlList;

  TvxDataSkinPopupWindow PopupWindow;
  TvxDataSkinLayerFrame LayerFrame;
  TvxDataSkinHintWindow HintWindow;
  TvxSkinColors SkinColors;

  // [FORMINFO]
  TPoint lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
  TRect clientrect;
  int32_t bgpictureindex = -1;
  int32_t mdibgpictureindex = -1;
  bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
  bool stretcheffect = false;
  TvxStretchType stretchtype = vxstFull;
  bool mdibgstretcheffect = false;
  TvxStretchType mdibgstretchtype = vxstFull;
  TRect maskrectarea;
  TPoint hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
  TRect buttonsrect;
  TRect captionrect;
  int32_t buttonsoffset = 0;
  bool buttonsinleft = false;
  bool mainmenupopupup = false;
  int32_t borderwidth = 0;
  int32_t formminwidth = 0, formminheight = 0;
  bool mditabstransparent = false, mainmenubartransparent = false;
  bool autorenderinginactiveimage = false;
  TvxImageEffect inactiveeffect = vxieBrightness;

  // Frees every definition and active picture and empties those lists and the
  // active picture names; resets the picture indexes of the layer frame (and
  // its images), popup and hint windows; system colours.
  void ClearAll();
  // ClearAll, then empties the three frame pictures and their names.
  void ClearSkin();

  // Reads [FORMINFO] with its adjustments; MaskPictureName must be set first.
  void ReadFormInfo(TCustomIniFile& iniFile);
  // Reads the single sections, then the definition lists, binding each object
  // definition to this content. Pictures must be in place.
  void ReadDefinitions(TCustomIniFile& iniFile);
  // [VERSION] texts and the [PICTURES] names (active picture names included).
  void ReadNames(TCustomIniFile& iniFile);
};

// The entries of a list section ([SKINOBJECTS], [SKINCONTROLS]) as (section
// name, type keyword) pairs: "count" entries, never more than the section has
// keys; each entry split at its first ':' (no ':' gives two empty texts).
std::vector<std::pair<std::string, std::string>> ReadSkinEntries(TCustomIniFile& iniFile, const std::string& section);

// The string list `name` of a section (count key "<name>count"), never longer
// than the number of keys the section holds.
std::vector<std::string> ReadSkinStringList(TCustomIniFile& iniFile, const std::string& section,
                                            const std::string& name);

}  // namespace vx
