// Window-level helpers of skinned painting: layered updates from a TvxBitmap,
// constant window alpha, work areas, and the desktop composition switches.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/core/geometry.h"
#include "platform/gfx/region.h"
#include "platform/win/wintypes.h"

namespace vx {

class TvxBitmap;

// Hands the bitmap's premultiplied pixels to the layered window at its current
// position, with the bitmap's size, constant alpha Alpha and per-pixel alpha.
// False when the window is not layered or the bitmap is empty.
bool UpdateLayeredControl(const TvxBitmap& Bitmap, uint8_t Alpha, HWND Wnd);
// Makes the window layered with constant alpha Value.
bool SetAlphaBlendTransparent(HWND Wnd, uint8_t Value);
// The work area of the primary screen.
TRect GetWorkArea();
// The work area (WorkArea true) or the whole area of the monitor nearest to Wnd.
TRect GetMonitorWorkArea(HWND Wnd, bool WorkArea);

// The desktop here composes every window itself and offers no composition
// manager switches: composition reports false and the switches do nothing.
bool IsDwmCompositionEnabled();
void SetDwmTransitions(HWND Wnd, bool Enabled);
void EnableBlurBehind(HWND Wnd, bool Enable, const std::optional<TRegion>& Region);

}  // namespace vx
