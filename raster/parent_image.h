// What a transparent control shows through: its parent's background under it.
#pragma once

namespace vx {

class TControl;
class TCanvas;
class TDeviceContext;
using HDC = TDeviceContext*;

// A container that paints its background itself (a skinned panel) instead of
// answering the erase-background message.
class IvxBackgroundPainter {
 public:
  virtual ~IvxBackgroundPainter() = default;
  // Paints the background of the whole client area into dc (client coordinates).
  virtual void PaintBackground(HDC dc) = 0;
};

// Paints onto Canvas, at the control's own coordinates, what its parent shows
// under it: the parent's background (a background painter's, else the
// erase-background answer followed, for a parent that is not a form, by its own
// painting), then every visible windowless sibling that comes before the control
// in the parent's control order and overlaps it. Nothing happens without a parent.
void GetParentImage(TControl* Control, TCanvas* Canvas);

}  // namespace vx
