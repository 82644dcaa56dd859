#include "raster/parent_image.h"

#include "platform/framework/controls.h"
#include "platform/framework/forms.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/dc.h"

namespace vx {

void GetParentImage(TControl* Control, TCanvas* Canvas) {
  if (!Control || !Canvas) return;
  TWinControl* parent = Control->Parent();
  if (!parent) return;
  HDC dc = Canvas->Handle();
  if (!dc) return;

  const TRect bounds = Control->BoundsRect();
  const int saved = SaveDC(dc);
  // Parent client coordinates from here on, clipped to the parent's client area.
  OffsetViewportOrgEx(dc, -bounds.Left, -bounds.Top);
  const TRect client = parent->ClientRect();
  IntersectClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);

  const TControlState state = parent->ControlState();
  parent->SetControlState(state | csPaintCopy);
  if (auto* painter = dynamic_cast<IvxBackgroundPainter*>(parent)) {
    painter->PaintBackground(dc);
  } else {
    parent->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
    if (!dynamic_cast<TCustomForm*>(parent)) parent->Perform(WM_PAINT, WPARAM(dc), 0);
  }
  parent->SetControlState(state);

  // Windowless siblings below the control in the painting order.
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* sibling = parent->Controls(i);
    if (sibling == Control) break;
    if (sibling->IsWindowed() || !sibling->Visible()) continue;
    const TRect r = sibling->BoundsRect();
    if (IntersectRect(r, bounds).IsEmpty()) continue;
    const int inner = SaveDC(dc);
    OffsetViewportOrgEx(dc, r.Left, r.Top);
    IntersectClipRect(dc, 0, 0, r.Width(), r.Height());
    sibling->Perform(WM_PAINT, WPARAM(dc), 0);
    RestoreDC(dc, inner);
  }
  RestoreDC(dc, saved);
}

}  // namespace vx
