// Value types held by the skin definitions: the platform's font style set and
// alignment, the stretch, effect and morph enumerations, and the window command
// of caption buttons.
#pragma once

#include "raster/raster_types.h"
#include "skin/vxSkinValueTypes.h"

namespace vx {

// What pressing a caption button or an animated button does; the ordinal is
// what the definition stores.
enum TvxSkinCommand : int {
  cmClose = 0,
  cmMaximize = 1,
  cmMinimize = 2,
  cmSysMenu = 3,
  cmDefault = 4,
  cmRollUp = 5,
  cmMinimizeToTray = 6
};

}  // namespace vx
