// Control definitions: one class per [SKINCONTROLS] type keyword. Skinned
// controls find theirs with GetControlIndex and check its class before use.
#pragma once

#include <memory>
#include <string>

#include "skin/vxSkinControlBase.h"
#include "skin/vxSkinControlsBars.h"
#include "skin/vxSkinControlsButtons.h"
#include "skin/vxSkinControlsLists.h"

namespace vx {

// The class for a [SKINCONTROLS] type keyword (exact match, the type table
// tried in order), or null when the keyword is not one of them.
std::unique_ptr<TvxDataSkinControl> CreateSkinControlDefinition(const std::string& typeKeyword,
                                                                const std::string& sectionName);

}  // namespace vx
