#include "raster/glow_layer.h"

#include <algorithm>
#include <cstdlib>

#include "platform/win/window.h"
#include "raster/skin_system.h"

namespace vx {

namespace {

constexpr uintptr_t kFadeTimerId = 1;

LRESULT LayerWindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProc(h, msg, wp, lp);
}

void EnsureLayerClass() {
  WNDCLASS existing;
  if (GetClassInfo(TvxLayerWindow::kClassName, &existing)) return;
  WNDCLASS cls;
  cls.lpszClassName = TvxLayerWindow::kClassName;
  cls.style = CS_SAVEBITS;
  cls.lpfnWndProc = LayerWindowProc;
  cls.hbrBackground = clNone;
  RegisterClass(cls);
}

// Copies any picture into a 32-bit bitmap of its size.
void CopyView(TvxBitmap& dest, TvxPixelView src) {
  dest.SetSize(src.Width, src.Height);
  std::vector<uint32_t> buf(static_cast<size_t>(src.Width));
  for (int y = 0; y < src.Height; ++y) {
    const uint32_t* row = src.Span(0, y, src.Width, buf.data());
    std::copy(row, row + src.Width, dest.ScanLine(y));
  }
}

}  // namespace

const char* const TvxLayerWindow::kClassName = "TvxLayerWindow";

TvxLayerWindow::TvxLayerWindow(int x, int y, int width, int height) {
  EnsureLayerClass();
  wnd_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, kClassName, "", WS_POPUP, x, y, width, height,
                        nullptr);
  if (wnd_) SetWindowLong(wnd_, GWL_EXSTYLE, GetWindowLong(wnd_, GWL_EXSTYLE) | WS_EX_LAYERED);
}

TvxLayerWindow::~TvxLayerWindow() {
  if (IsWindow(wnd_)) DestroyWindow(wnd_);
}

TvxLayerManager::TvxLayerManager(TComponent* owner) : TComponent(owner) {}

TvxLayerManager::~TvxLayerManager() { HideLayer(); }

HWND TvxLayerManager::LayerHandle() const { return window_ ? window_->Handle() : nullptr; }

void TvxLayerManager::SetTopMost(bool value) {
  if (topMost_ == value) return;
  topMost_ = value;
  UpdateLayerZOrder();
}

void TvxLayerManager::ShowLayer(int X, int Y, uint8_t Alpha, TvxPixelView Mask, TvxPixelView Picture) {
  if (window_ || image_ || visible_) HideLayer();
  if (Picture.Empty()) return;

  auto image = std::make_unique<TvxBitmap>();
  CopyView(*image, Picture);
  if (!Mask.Empty()) {
    TvxBitmap mask;
    CopyView(mask, Mask);
    image->AlphaFromMask(mask);
  }
  // Colours above their alpha are not valid premultiplied pixels.
  image->ClampColorsToAlpha();
  image->SetHasAlpha(true);

  window_ = std::make_unique<TvxLayerWindow>(X, Y, image->Width(), image->Height());
  const HWND h = window_->Handle();
  if (!IsWindow(h)) {
    // No window, no fade: a timer without a window would outlive the manager.
    window_.reset();
    return;
  }
  image_ = std::move(image);
  visible_ = true;
  UpdateLayeredControl(*image_, 0, h);
  SetWindowPos(h, topMost_ ? HWND_TOPMOST : HWND_NOTOPMOST, X, Y, 0, 0,
               SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);

  end_ = Alpha;
  // A step of Alpha / 10 would be 0 below 10 and never reach the end.
  step_ = static_cast<uint8_t>(std::max(1, Alpha / 10));
  current_ = 0;
  if (current_ == end_) return;
  fading_ = SetTimer(h, kFadeTimerId, kFadeInterval, [this](HWND, UINT, uintptr_t, DWORD) { Tick(); }) != 0;
}

void TvxLayerManager::Tick() {
  if (!image_ || !window_ || !IsWindow(window_->Handle())) {
    StopFade();
    return;
  }
  current_ = static_cast<uint8_t>(std::min<int>(current_ + step_, end_));
  UpdateLayeredControl(*image_, current_, window_->Handle());
  if (current_ == end_) StopFade();
}

void TvxLayerManager::StopFade() {
  if (fading_ && window_) KillTimer(window_->Handle(), kFadeTimerId);
  fading_ = false;
}

void TvxLayerManager::HideLayer() {
  StopFade();
  image_.reset();
  visible_ = false;
  if (window_) {
    const HWND h = window_->Handle();
    if (IsWindow(h))
      SetWindowPos(h, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    window_.reset();
  }
}

void TvxLayerManager::UpdateLayerZOrder() {
  if (!visible_ || !window_) return;
  SetWindowPos(window_->Handle(), topMost_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

TColor DarkenColor(TColor Color, int Percent) {
  const TColor c = ColorToRGB(Color);
  auto darken = [Percent](int v) {
    // Multiply, then divide rounding half away from zero.
    const long long n = static_cast<long long>(v) * Percent;
    const long long q = (std::llabs(n) + 50) / 100;
    const long long r = v - (n < 0 ? -q : q);
    return static_cast<uint8_t>(std::clamp<long long>(r, 0, 255));
  };
  return RGB(darken(GetRValue(c)), darken(GetGValue(c)), darken(GetBValue(c)));
}

}  // namespace vx
