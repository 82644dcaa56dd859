// The skin generator: draws the pictures and writes the INI text of the
// built-in skins (one geometry, three palettes), and of small fixture skins
// whose every slice and state rectangle is one flat colour of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/codecs/bmp.h"
#include "platform/core/color.h"

namespace vx::skins {

// Colours of one built-in look (0x00BBGGRR).
struct TvxSkinPalette {
  std::string Name;         // skin name, also the package file name without ".skn"
  TColor FrameTop = 0;      // frame and caption gradient, top
  TColor FrameBottom = 0;   // and bottom
  TColor Border = 0;        // outer border line
  TColor CaptionText = 0;
  TColor TabRow = 0;        // ribbon tab row
  TColor PageTop = 0;       // page body gradient
  TColor PageBottom = 0;
  TColor GroupText = 0;     // group caption text
  TColor ControlText = 0;   // text of controls on the page
  TColor MenuColumn = 0;    // image column of menus
  TColor MenuBorder = 0;
  TColor Accent = 0;        // focus borders, selection marks
};

// The three built-in palettes in package order: Silver, Blue, Black.
const std::vector<TvxSkinPalette>& BuiltinPalettes();

// A generated skin: the INI text (CR LF lines) and its pictures, named as
// [PICTURES] names them.
struct TvxGeneratedSkin {
  std::string IniText;
  std::string PictureName, MaskName;
  TBmpImage Picture, Mask;
  std::vector<std::string> ActiveNames;
  std::vector<TBmpImage> Active;
};

// Fixture variants.
struct TvxFixtureOptions {
  bool Mask = true;         // frame mask, popup and hint masks
  bool LayerFrame = false;  // a [LAYERFRAME] with picture, alpha mask and blur mask
  bool FullBorder = false;  // the layer frame's "fullborder" (caption buttons get alpha masks)
};

TvxGeneratedSkin GenerateSkin(const TvxSkinPalette& palette);
// The same geometry with every slice and every state rectangle painted in a
// flat colour of its own (see FixtureColor).
TvxGeneratedSkin GenerateFixtureSkin(const TvxFixtureOptions& options);

// Writes the INI file (named iniName) and the bitmap files into folder, which
// is created when missing. Returns the INI file's path.
std::string WriteSkinFolder(const TvxGeneratedSkin& skin, const std::string& folder,
                            const std::string& iniName = "skin.ini");
// GenerateFixtureSkin + WriteSkinFolder.
std::string WriteFixtureSkin(const std::string& folder, const TvxFixtureOptions& options = {});

// The flat colour of fixture piece n (0, 1, 2, ...): every piece differs from
// every other, from black, white and the key colour RGB(127, 0, 127).
TColor FixtureColor(int n);

}  // namespace vx::skins
