#include "raster/skin_system.h"

#include "platform/win/window.h"
#include "raster/vx_bitmap.h"

namespace vx {

bool UpdateLayeredControl(const TvxBitmap& Bitmap, uint8_t Alpha, HWND Wnd) {
  if (Bitmap.Empty() || !IsWindow(Wnd)) return false;
  if ((GetWindowLong(Wnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) return false;
  TRect wr;
  if (!GetWindowRect(Wnd, &wr)) return false;
  const TPoint pos = wr.TopLeft();
  const TSize size{Bitmap.Width(), Bitmap.Height()};
  const TPoint srcPt{0, 0};
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
  return UpdateLayeredWindow(Wnd, &pos, &size, Bitmap.DC(), &srcPt, 0, &blend, ULW_ALPHA);
}

bool SetAlphaBlendTransparent(HWND Wnd, uint8_t Value) {
  if (!IsWindow(Wnd)) return false;
  const intptr_t ex = GetWindowLong(Wnd, GWL_EXSTYLE);
  if ((ex & WS_EX_LAYERED) == 0) SetWindowLong(Wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
  return SetLayeredWindowAttributes(Wnd, 0, Value, LWA_ALPHA);
}

TRect GetWorkArea() {
  TRect r;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

TRect GetMonitorWorkArea(HWND Wnd, bool WorkArea) {
  MONITORINFO mi;
  if (!GetMonitorInfo(MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST), &mi)) return GetWorkArea();
  return WorkArea ? mi.rcWork : mi.rcMonitor;
}

bool IsDwmCompositionEnabled() { return false; }
void SetDwmTransitions(HWND, bool) {}
void EnableBlurBehind(HWND, bool, const std::optional<TRegion>&) {}

}  // namespace vx
