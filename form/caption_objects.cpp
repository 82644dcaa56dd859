// The base caption object, user objects and the pixel helpers they share.
#include "form/caption_objects.h"

#include <algorithm>

#include "form/caption_internal.h"
#include "form/frame_coords.h"
#include "form/velmora.h"
#include "raster/effect_bmp.h"
#include "raster/glow_layer.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"

namespace vx {

namespace caption_detail {

void CopyPicRect(HDC dst, int x, int y, const TvxBitmap* pic, const TRect& src) {
  if (dst == nullptr || pic == nullptr || pic->Empty() || IsEmptyRect(src)) return;
  BitBlt(dst, x, y, W(src), H(src), pic->DC(), src.Left, src.Top, SRCCOPY);
}

void PicPiece(TvxBitmap& out, const TvxBitmap* pic, const TRect& src) {
  if (pic == nullptr || IsEmptyRect(src)) return;
  const TRect piece = AtMostPicture(src, *pic);
  out.SetSize(W(piece), H(piece));
  out.FillRect(out.BoundsRect(), 0xFF000000u);
  CopyPicRect(out.DC(), 0, 0, pic, src);
}

void MorphInto(TvxBitmap& a, const TvxBitmap& b, TvxMorphKind kind, double k) {
  if (a.Empty() || a.Width() != b.Width() || a.Height() != b.Height()) return;
  TvxEffectBmp ea(a);
  TvxEffectBmp eb(b);
  ea.MorphByKind(kind, eb, k);
  ea.CopyTo(a);
}

void ApplyImageEffect(TvxBitmap& bmp, TvxImageEffect effect) {
  if (bmp.Empty()) return;
  TvxEffectBmp e(bmp);
  e.ApplyEffect(effect);
  e.CopyTo(bmp);
}

}  // namespace caption_detail

using namespace caption_detail;

// ---- TvxActiveSkinObject ----

TvxActiveSkinObject::TvxActiveSkinObject(TvxCaptionObjects& list, const std::string& idName,
                                         const TvxDataSkinObject* def)
    : list_(list), idName_(idName) {
  if (def == nullptr) return;
  hint = def->hint;
  skinrect = def->skinrect;
  activeskinrect = def->activeskinrect;
  inactiveskinrect = def->inactiveskinrect;
  skinrectinapicture = def->skinrectinapicture;
  morphing = def->morphing;
  morphkind = def->morphkind;
  glowlayerpictureindex = def->glowlayerpictureindex;
  glowlayermaskpictureindex = def->glowlayermaskpictureindex;
  glowlayeroffsetx = def->glowlayeroffsetx;
  glowlayeroffsety = def->glowlayeroffsety;
  glowlayeralphablendvalue = def->glowlayeralphablendvalue;
  // Picture indexes outside the skin's list mean "no picture"; without an
  // active picture there is no highlighted image either.
  const TvxSkinData* sd = list.Form().SkinData();
  const int count = sd ? static_cast<int>(sd->ActivePictures.size()) : 0;
  auto valid = [&](int i) { return i >= 0 && i < count ? i : -1; };
  activepictureindex = valid(def->activepictureindex);
  activemaskpictureindex = valid(def->activemaskpictureindex);
  if (activepictureindex < 0) activeskinrect = TRect{};
  if (IsEmptyRect(activeskinrect)) morphing = false;
  ObjectRect = skinrect;
}

TvxActiveSkinObject::~TvxActiveSkinObject() = default;

TvxVelmora& TvxActiveSkinObject::Form() const { return list_.Form(); }

TvxSkinData* TvxActiveSkinObject::Skin() const {
  TvxSkinData* sd = Form().SkinData();
  return sd != nullptr && !sd->Empty ? sd : nullptr;
}

const TvxBitmap* TvxActiveSkinObject::PictureAt(int index) const {
  const TvxSkinData* sd = Skin();
  if (sd == nullptr || index < 0 || index >= static_cast<int>(sd->ActivePictures.size())) return nullptr;
  const TvxBitmap* b = sd->ActivePictures[static_cast<size_t>(index)].get();
  return b != nullptr && !b->Empty() ? b : nullptr;
}

const TvxBitmap* TvxActiveSkinObject::ActivePicture() const { return PictureAt(activepictureindex); }
const TvxBitmap* TvxActiveSkinObject::MaskPicture() const { return PictureAt(activemaskpictureindex); }

const TvxBitmap* TvxActiveSkinObject::FramePicture() const {
  const TvxSkinData* sd = Skin();
  if (sd == nullptr) return nullptr;
  // The frame of an inactive form is drawn from the inactive picture when
  // the skin has one; its objects are repainted from the same picture.
  if (!Form().IsFormActive() && sd->InactivePicture != nullptr && !sd->InactivePicture->Empty())
    return sd->InactivePicture.get();
  if (sd->Picture == nullptr || sd->Picture->Empty()) return nullptr;
  return sd->Picture.get();
}

const TvxBitmap* TvxActiveSkinObject::NormalPicture() const {
  return skinrectinapicture ? ActivePicture() : FramePicture();
}

bool TvxActiveSkinObject::InObject(int x, int y) const {
  const TvxBitmap* mask = MaskPicture();
  if (Skin() == nullptr || mask == nullptr) return true;
  // Only pixels of the mask picture can say yes.
  if (x < 0 || y < 0 || x >= mask->Width() || y >= mask->Height()) return false;
  return (mask->Pixel(x, y) & 0x00FFFFFFu) == 0;
}

void TvxActiveSkinObject::ShowGlow() {
  TvxSkinData* sd = Skin();
  if (sd == nullptr || glowlayerpictureindex == -1 || !sd->ShowCaptionButtonGlowFrames()) return;
  const TvxBitmap* pic = PictureAt(glowlayerpictureindex);
  if (pic == nullptr) return;
  const TvxBitmap* mask = PictureAt(glowlayermaskpictureindex);
  const TRect r = Form().FrameRectToScreen(ObjectRect);
  const int alpha = std::clamp(glowlayeralphablendvalue, 0, 255);
  Form().GlowManager(HasMenuItem())
      .ShowLayer(SatCoord(int64_t(r.Left) - glowlayeroffsetx), SatCoord(int64_t(r.Top) - glowlayeroffsety),
                 static_cast<uint8_t>(alpha),
                 mask ? mask->View() : TvxPixelView{}, pic->View());
}

void TvxActiveSkinObject::HideGlow() {
  TvxSkinData* sd = Skin();
  if (sd == nullptr || glowlayerpictureindex == -1 || !sd->ShowCaptionButtonGlowFrames()) return;
  Form().GlowManager(HasMenuItem()).HideLayer();
}

bool TvxActiveSkinObject::NeedsMorphStep() const {
  return (Highlighted && BlendPos < 1) || (!Highlighted && BlendPos > 0);
}

bool TvxActiveSkinObject::InTransition() const { return NeedsMorphStep(); }

bool TvxActiveSkinObject::Morphs() const {
  const TvxSkinData* sd = Skin();
  return morphing && sd != nullptr && sd->EnableSkinEffects() && !Form().FullBorderMode();
}

void TvxActiveSkinObject::StartMorphOrRepaint() {
  if (Morphs())
    list_.StartMorphTimer();
  else
    Repaint();
}

void TvxActiveSkinObject::MorphStep() {
  BlendPos += Highlighted ? 0.2 : -0.2;
  // Five steps of 0.2 must end exactly on 0 or 1.
  if (BlendPos > 0.999) BlendPos = 1;
  if (BlendPos < 0.001) BlendPos = 0;
  Repaint();
}

bool TvxActiveSkinObject::Repaint() {
  const auto t = Token();
  list_.RepaintObject(this);
  return !Gone(t);
}

void TvxActiveSkinObject::DrawPicRect(TCanvas& c, const TvxBitmap* pic, const TRect& src) const {
  CopyPicRect(c.Handle(), ObjectRect.Left, ObjectRect.Top, pic, src);
}

void TvxActiveSkinObject::DrawMorph(TCanvas& c, const TvxBitmap* normalPic, const TRect& normalSrc,
                                    const TRect& activeSrc) const {
  if (IsEmptyRect(normalSrc)) return;
  TvxBitmap a, b;
  PicPiece(a, normalPic, normalSrc);
  // The highlighted image is read at the normal image's size.
  PicPiece(b, ActivePicture(), {activeSrc.Left, activeSrc.Top, activeSrc.Left + W(normalSrc),
                                activeSrc.Top + H(normalSrc)});
  MorphInto(a, b, morphkind, std::clamp(BlendPos, 0.0, 1.0));
  BitBlt(c.Handle(), ObjectRect.Left, ObjectRect.Top, a.Width(), a.Height(), a.DC(), 0, 0, SRCCOPY);
}

void TvxActiveSkinObject::PaintBase(TCanvas& c, bool intoFrame) {
  if (Skin() == nullptr) return;
  const bool active = Form().IsFormActive();
  if (Enabled && !active && !IsEmptyRect(inactiveskinrect)) {
    DrawPicRect(c, ActivePicture(), inactiveskinrect);
  } else if (Morphs() && InTransition()) {
    DrawMorph(c, NormalPicture(), skinrect, activeskinrect);
  } else if (Highlighted && !IsEmptyRect(activeskinrect)) {
    DrawPicRect(c, ActivePicture(), activeskinrect);
  } else if (intoFrame || skinrectinapicture) {
    // The frame strips already hold the normal image of a frame-picture object.
    DrawPicRect(c, NormalPicture(), skinrect);
  }
}

void TvxActiveSkinObject::Paint(TCanvas& c, bool intoFrame) { PaintBase(c, intoFrame); }

void TvxActiveSkinObject::PaintAlpha(TCanvas&, TvxBitmap&) {}

void TvxActiveSkinObject::DblClick() {}

bool TvxActiveSkinObject::FireDown(int x, int y, TMouseBtn button) {
  const auto t = Token();
  if (auto ev = Form().OnMouseDownEvent) ev(idName_, x, y, ObjectRect, button);
  return !Gone(t);
}

bool TvxActiveSkinObject::FireUp(int x, int y, TMouseBtn button) {
  const auto t = Token();
  if (!MouseInside) return true;
  if (auto ev = Form().OnMouseUpEvent) ev(idName_, x, y, ObjectRect, button);
  return !Gone(t);
}

bool TvxActiveSkinObject::FireEnter() {
  const auto t = Token();
  if (auto ev = Form().OnMouseEnterEvent) ev(idName_);
  return !Gone(t);
}

bool TvxActiveSkinObject::FireLeave() {
  const auto t = Token();
  if (auto ev = Form().OnMouseLeaveEvent) ev(idName_);
  return !Gone(t);
}

void TvxActiveSkinObject::MouseDown(int x, int y, TMouseBtn button) { FireDown(x, y, button); }

void TvxActiveSkinObject::MouseUp(int x, int y, TMouseBtn button) { FireUp(x, y, button); }

void TvxActiveSkinObject::MouseMove(int x, int y) {
  // A copy of the handler: the handler may replace itself.
  if (auto ev = Form().OnMouseMoveEvent) ev(idName_, x, y, ObjectRect);
}

bool TvxActiveSkinObject::SetHover(bool inside) {
  MouseInside = inside;
  Highlighted = inside;
  if (IsEmptyRect(activeskinrect)) return true;
  const auto t = Token();
  StartMorphOrRepaint();
  return !Gone(t);
}

void TvxActiveSkinObject::MouseEnter() {
  if (!SetHover(true) || !FireEnter()) return;
  ShowGlow();
}

void TvxActiveSkinObject::MouseLeave() {
  if (!SetHover(false) || !FireLeave()) return;
  HideGlow();
}

// ---- TvxUserObject ----

void TvxUserObject::Paint(TCanvas& c, bool) {
  if (Skin() == nullptr) return;
  // The frame painter holds this object while it paints: objects freed by the
  // handler live on until the paint is over.
  TvxCaptionObjects::CallGuard guard(Objects());
  if (auto ev = Form().OnPaintEvent) ev(IDName(), c, ObjectRect);
}

}  // namespace vx
