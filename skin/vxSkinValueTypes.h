// The font style set and text alignment that skin definitions hold are the
// platform's own; skin headers include them through this file.
#pragma once

#include "platform/gfx/font_style.h"
