// What the validate and render commands of skintool share: a skin read from a
// folder or a package, and the rectangles its sections name, each with the
// picture it belongs to.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/geometry.h"
#include "platform/core/inifiles.h"
#include "skin/vxSkinPackage.h"

namespace vx::skintool {

// Picture numbers of SkinRect::Picture besides active picture indexes.
constexpr int kMainPicture = -2;  // the frame picture of [PICTURES] "picture"
constexpr int kNoPicture = -1;

struct LoadedSkin {
  TvxSkinPackageContent Content;
  TMemIniFile Ini;
};

// A folder's INI file (extension ".ini") or a package file. Throws the
// reader's exception for anything unreadable.
std::unique_ptr<LoadedSkin> LoadAnySkin(const std::string& path);

// A rectangle a key of a section gives in a picture.
struct SkinRect {
  std::string Section;
  std::string Key;
  TRect Rect;
  int Picture = kNoPicture;     // kMainPicture, an active picture index (maybe out of range) or kNoPicture
  bool Transparent = false;     // drawn with a transparent key colour
};

// True for keys that hold a rectangle relative to an element rather than a
// place in a picture ("clientrect", "textrect", ...).
bool IsRelativeRectKey(const std::string& key);

// The non-empty picture rectangles of one [SKINOBJECTS] or [SKINCONTROLS]
// section, in key order. isObject selects the picture rule of objects
// ("activepictureindex", "skinrect" in the frame picture unless
// "skinrectinapicture") or of controls ("pictureindex").
std::vector<SkinRect> SectionPictureRects(const TCustomIniFile& ini, const std::string& section, bool isObject);

// Width and height of picture `index` (kMainPicture or an active picture),
// or false when there is no such picture.
bool PictureSize(const LoadedSkin& skin, int index, int& width, int& height);

// The sections the built-in skins declare in [SKINCONTROLS], as
// (name, type keyword).
const std::vector<std::pair<std::string, std::string>>& BuiltinControlSections();

}  // namespace vx::skintool
