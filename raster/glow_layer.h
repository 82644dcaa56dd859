// Glow layers: a soft per-pixel-alpha picture shown in its own borderless,
// click-through top-level window next to a control, fading in on a 25 ms timer.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/classes.h"
#include "platform/core/color.h"
#include "platform/win/wintypes.h"
#include "raster/vx_bitmap.h"

namespace vx {

// A hidden popup with the tool-window, transparent (mouse passes through) and
// layered extended styles. It never activates on a click and paints nothing:
// its content comes only from layered-window updates. Destroyed with the object.
class TvxLayerWindow {
 public:
  // Registers the window class on first use.
  TvxLayerWindow(int x, int y, int width, int height);
  ~TvxLayerWindow();
  TvxLayerWindow(const TvxLayerWindow&) = delete;
  TvxLayerWindow& operator=(const TvxLayerWindow&) = delete;

  HWND Handle() const { return wnd_; }
  static const char* const kClassName;

 private:
  HWND wnd_ = nullptr;
};

// Owns one layer window and the image it shows, and fades the image in.
class TvxLayerManager : public TComponent {
 public:
  static constexpr unsigned kFadeInterval = 25;  // ms

  explicit TvxLayerManager(TComponent* owner);
  ~TvxLayerManager() override;

  // When true (the default) the layer is a top-most window; when false it sits
  // above every other window but below the top-most ones. Applied at once to a
  // visible layer.
  bool TopMost() const { return topMost_; }
  void SetTopMost(bool value);
  bool LayerVisible() const { return visible_; }

  // Shows Picture at screen position (X, Y) with the per-pixel alpha of Mask
  // (alpha = nearest (R + G + B) / 3 of the mask pixel; where the mask does not
  // reach, the picture keeps its own alpha) and fades it in to Alpha in steps of
  // Alpha / 10 (at least 1) every 25 ms, the last step capped at Alpha. A shown
  // layer is hidden first. An empty picture shows nothing.
  void ShowLayer(int X, int Y, uint8_t Alpha, TvxPixelView Mask, TvxPixelView Picture);
  // Removes the layer at once: stops the fade, frees the image and the window.
  void HideLayer();
  // Puts a visible layer back in the z-order TopMost asks for, without activating it.
  void UpdateLayerZOrder();

  // The layer window (null while hidden), the image it shows (colours limited to
  // their alpha, so it is valid premultiplied data), and the fade state.
  HWND LayerHandle() const;
  const TvxBitmap* Image() const { return image_.get(); }
  uint8_t CurrentAlpha() const { return current_; }
  uint8_t EndAlpha() const { return end_; }
  bool Fading() const { return fading_; }

 private:
  void Tick();
  void StopFade();

  std::unique_ptr<TvxLayerWindow> window_;
  std::unique_ptr<TvxBitmap> image_;
  bool topMost_ = true;
  bool visible_ = false;
  bool fading_ = false;
  uint8_t current_ = 0;
  uint8_t end_ = 0;
  uint8_t step_ = 0;
};

// Each of red, green and blue of Color (a system colour is resolved first)
// reduced by c * Percent / 100 rounded to nearest, kept within 0..255.
TColor DarkenColor(TColor Color, int Percent);

}  // namespace vx
