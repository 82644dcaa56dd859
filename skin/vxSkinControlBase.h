// The bases of every control definition.
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

// the base of every control definition.
class TvxDataSkinControl : public TObject {
 public:
  explicit TvxDataSkinControl(const std::string& sectionName);
  ~TvxDataSkinControl() override;
  TvxDataSkinControl(const TvxDataSkinControl&) = delete;
  TvxDataSkinControl& operator=(const TvxDataSkinControl&) = delete;

  // Reads the section named SectionName: the base's keys first, then each
  // class's own keys in order, then the class's fix-ups.
  virtual void LoadFromFile(TCustomIniFile& iniFile);
  // Erases the section, then writes the same keys in the same order.
  virtual void SaveToFile(TCustomIniFile& iniFile) const;

  std::string SectionName;

  int32_t pictureindex;
  int32_t maskpictureindex;
  TRect skinrect;

 protected:
  // Writes this level's keys (and its bases') without erasing the section.
  virtual void WriteKeys(TCustomIniFile& iniFile) const;
};

// the base of resizable controls: nine-slice parameters relative to "skinrect".
class TvxDataSkinCustomControl : public TvxDataSkinControl {
 public:
  explicit TvxDataSkinCustomControl(const std::string& sectionName);
  void LoadFromFile(TCustomIniFile& iniFile) override;

  TPoint lefttoppoint;
  TPoint righttoppoint;
  TPoint leftbottompoint;
  TPoint rightbottompoint;
  TRect clientrect;
  bool leftstretch;
  bool topstretch;
  bool rightstretch;
  bool bottomstretch;
  bool stretcheffect;
  TvxStretchType stretchtype;

 protected:
  void WriteKeys(TCustomIniFile& iniFile) const override;
};

}  // namespace vx
