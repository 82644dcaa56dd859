#include "platform/win/compositor.h"

#include <algorithm>

#include "platform/gfx/dc.h"
#include "platform/win/internal.h"

namespace vx {

using namespace detail;

void TCompositor::Resize(int width, int height) {
  if (screen_ && screen_->Width() == width && screen_->Height() == height) return;
  screen_ = TSurface::Create(width, height, TPixelFormat::pf32bit);
  DamageAll();
}

TSize TCompositor::Size() const { return screen_ ? TSize{screen_->Width(), screen_->Height()} : TSize{}; }

void TCompositor::Damage(const TRect& r) {
  if (!screen_) return;
  const TRect c = IntersectRect(r, screen_->BoundsRect());
  if (!c.IsEmpty()) damage_ = damage_.Union(TRegion(c));
}

void TCompositor::DamageAll() {
  if (screen_) damage_ = TRegion(screen_->BoundsRect());
}

TRegion TCompositor::Compose(const std::vector<TCompositeLayer>& layers) {
  if (!screen_ || damage_.IsEmpty()) return TRegion();
  const TRegion area = damage_;
  damage_ = TRegion();
  // What each layer must draw: its part of the damaged area that no opaque
  // layer above it hides. Nothing is drawn twice where opaque windows overlap.
  std::vector<TRegion> clips(layers.size());
  TRegion covered;
  for (size_t i = layers.size(); i-- > 0;) {
    const TCompositeLayer& l = layers[i];
    if (!l.surface || l.surface->IsEmpty()) continue;
    TRegion shape = area.Intersect(l.rect);
    if (l.region) shape = shape.Intersect(l.region->Offset(l.rect.Left, l.rect.Top));
    if (shape.IsEmpty()) continue;
    clips[i] = shape.Subtract(covered);
    if (l.mode == TCompositeLayer::Mode::Opaque) covered = covered.Union(shape);
  }
  auto dc = CreateMemoryDC(screen_);
  HDC d = dc.get();
  const TRegion background = area.Subtract(covered);
  for (const TRect& r : background.Rects()) FillPixels(d, r, kDesktopPixel);
  for (size_t i = 0; i < layers.size(); ++i) {
    const TCompositeLayer& l = layers[i];
    const TRegion& clip = clips[i];
    if (clip.IsEmpty()) continue;
    SelectClipRgn(d, &clip);
    auto src = CreateMemoryDC(l.surface);
    const int w = std::min(l.rect.Width(), l.surface->Width());
    const int h = std::min(l.rect.Height(), l.surface->Height());
    switch (l.mode) {
      case TCompositeLayer::Mode::Opaque:
        BitBlt(d, l.rect.Left, l.rect.Top, w, h, src.get(), 0, 0, SRCCOPY);
        // An opaque window shows opaque whatever its alpha bytes were.
        for (const TRect& r : clip.Rects())
          for (int y = r.Top; y < r.Bottom; ++y) {
            uint32_t* row = screen_->Row32(y);
            for (int x = r.Left; x < r.Right; ++x) row[x] |= 0xFF000000u;
          }
        break;
      case TCompositeLayer::Mode::ConstAlpha:
        AlphaBlend(d, l.rect.Left, l.rect.Top, w, h, src.get(), 0, 0, w, h, BLENDFUNCTION{AC_SRC_OVER, 0, l.alpha, 0});
        break;
      case TCompositeLayer::Mode::PerPixel:
        AlphaBlend(d, l.rect.Left, l.rect.Top, w, h, src.get(), 0, 0, w, h,
                   BLENDFUNCTION{AC_SRC_OVER, 0, l.alpha, AC_SRC_ALPHA});
        break;
      case TCompositeLayer::Mode::ColorKey:
        TransparentBlt(d, l.rect.Left, l.rect.Top, w, h, src.get(), 0, 0, w, h, PixelToColor(l.keyColor));
        break;
    }
  }
  SelectClipRgn(d, nullptr);
  present_ = present_.Union(area);
  return area;
}

TRegion TCompositor::TakePresentDamage() {
  TRegion r = std::move(present_);
  present_ = TRegion();
  return r;
}

namespace {

std::function<void()> g_screenHook;
bool g_inHook = false;

bool LayerOf(Wnd* w, TCompositeLayer& l) {
  if (!(w->style & WS_VISIBLE) || !w->surface) return false;
  l.surface = w->surface;
  l.rect = w->rect;
  l.region = w->region ? &*w->region : nullptr;
  l.mode = TCompositeLayer::Mode::Opaque;
  if (w->exStyle & WS_EX_LAYERED) {
    if (w->perPixel) {
      l.mode = TCompositeLayer::Mode::PerPixel;
      l.alpha = w->perPixelAlpha;
    } else if (w->layeredAttr && (w->layeredFlags & LWA_COLORKEY)) {
      l.mode = TCompositeLayer::Mode::ColorKey;
      l.keyColor = ColorToPixel(w->layeredKey) & 0x00FFFFFFu;
    } else if (w->layeredAttr && (w->layeredFlags & LWA_ALPHA) && w->layeredAlpha != 255) {
      l.mode = TCompositeLayer::Mode::ConstAlpha;
      l.alpha = w->layeredAlpha;
    }
  }
  return true;
}

}  // namespace

namespace detail {

void NotifyScreenChanged() {
  if (!g_screenHook || g_inHook) return;
  g_inHook = true;
  try {
    g_screenHook();
  } catch (...) {
    g_inHook = false;
    throw;
  }
  g_inHook = false;
}

}  // namespace detail

const TSurfacePtr& ComposeScreen() {
  Desktop& d = D();
  std::vector<TCompositeLayer> layers;
  layers.reserve(d.topLevel.size());
  for (auto it = d.topLevel.rbegin(); it != d.topLevel.rend(); ++it) {
    Wnd* w = d.Lookup(*it);
    if (!w) continue;
    EnsureSurface(w);
    TCompositeLayer l;
    if (LayerOf(w, l)) layers.push_back(l);
  }
  d.compositor.Compose(layers);
  return d.compositor.Framebuffer();
}

TSurfacePtr ComposeWindowImage(HWND hwnd) {
  Desktop& d = D();
  Wnd* w = d.Lookup(hwnd);
  if (!w) return nullptr;
  w = Root(w);
  EnsureSurface(w);
  const TSurface& s = *w->surface;
  auto out = TSurface::Create(s.Width(), s.Height(), TPixelFormat::pf32bit);
  TCompositeLayer l;
  LayerOf(w, l);
  if (!(w->exStyle & WS_EX_LAYERED)) l.mode = TCompositeLayer::Mode::Opaque;
  TRegion area(s.BoundsRect());
  if (w->region) area = area.Intersect(*w->region);
  // Straight (not premultiplied) RGBA, as an image file wants it.
  for (const TRect& r : area.Rects())
    for (int y = r.Top; y < r.Bottom; ++y) {
      const uint32_t* src = s.Row32(y);
      uint32_t* dst = out->Row32(y);
      for (int x = r.Left; x < r.Right; ++x) {
        const uint32_t p = src[x];
        switch (l.mode) {
          case TCompositeLayer::Mode::Opaque: dst[x] = p | 0xFF000000u; break;
          case TCompositeLayer::Mode::ConstAlpha: dst[x] = (p & 0x00FFFFFFu) | (uint32_t(l.alpha) << 24); break;
          case TCompositeLayer::Mode::ColorKey: dst[x] = (p & 0x00FFFFFFu) == l.keyColor ? 0 : (p | 0xFF000000u); break;
          case TCompositeLayer::Mode::PerPixel: {
            const uint32_t a = p >> 24;
            if (a == 0) {
              dst[x] = 0;
              break;
            }
            auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
            const uint32_t outA = (a * l.alpha + 127) / 255;
            dst[x] = (outA << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
            break;
          }
        }
      }
    }
  return out;
}

void SetScreenChangedHook(std::function<void()> hook) { g_screenHook = std::move(hook); }

TRegion TakeScreenDamage() { return D().compositor.TakePresentDamage(); }

void DamageScreen(const TRect* r) {
  if (r)
    D().compositor.Damage(*r);
  else
    D().compositor.DamageAll();
}

}  // namespace vx
