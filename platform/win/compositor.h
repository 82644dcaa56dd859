// The compositor: blends every visible top-level window's retained surface, in
// z-order, with its region and alpha, into one framebuffer of the virtual
// screen. Only damaged areas are recomposed.
#pragma once

#include <functional>
#include <vector>

#include "platform/gfx/region.h"
#include "platform/gfx/surface.h"

namespace vx {

// What the compositor needs to know of one top-level window.
struct TCompositeLayer {
  TSurfacePtr surface;  // window-sized, 32-bit
  TRect rect;                         // screen coordinates
  const TRegion* region = nullptr;    // window coordinates, or null
  enum class Mode { Opaque, ConstAlpha, ColorKey, PerPixel } mode = Mode::Opaque;
  uint8_t alpha = 255;        // ConstAlpha and PerPixel
  uint32_t keyColor = 0;      // ColorKey: colour part 0x00RRGGBB
};

class TCompositor {
 public:
  // Background colour of the desktop as 0xFFRRGGBB.
  static constexpr uint32_t kDesktopPixel = 0xFF3A6EA5u;

  void Resize(int width, int height);
  TSize Size() const;
  // Marks a screen area to be recomposed.
  void Damage(const TRect& r);
  void DamageAll();
  const TRegion& PendingDamage() const { return damage_; }
  // Recomposes the damaged area from the layers (bottom first). Returns the
  // area recomposed, which is also added to the presentation damage.
  TRegion Compose(const std::vector<TCompositeLayer>& bottomFirst);
  // The framebuffer (0xFFRRGGBB pixels after composition).
  const TSurfacePtr& Framebuffer() const { return screen_; }
  // Everything recomposed since the last call (for a backend that presents).
  TRegion TakePresentDamage();

 private:
  TSurfacePtr screen_;
  TRegion damage_;
  TRegion present_;
};

// Composes the current desktop (only damaged areas) and returns the framebuffer.
const TSurfacePtr& ComposeScreen();
// Composes one top-level window alone, over a transparent background, into a
// surface of its size (region and alpha applied). Null for a stale handle.
TSurfacePtr ComposeWindowImage(struct HWND__* hwnd);
// Called after changes that must show at once even while no messages are pumped
// (layered alpha, per-pixel updates, show, hide, move). A backend that presents
// on its own sets it; the hook usually calls ComposeScreen.
void SetScreenChangedHook(std::function<void()> hook);
// Area recomposed since the last call.
TRegion TakeScreenDamage();
// Marks a screen area (nullptr: all of it) to be recomposed, e.g. after a
// backend lost its copy of the screen.
void DamageScreen(const TRect* r = nullptr);

}  // namespace vx
