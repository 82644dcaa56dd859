// The caption object: caption picture, text with frame, light, shadow and
// glow, reflection or glass effects, the caption animation and morphs.
#include <algorithm>

#include "form/caption_internal.h"
#include "form/caption_objects.h"
#include "form/frame_coords.h"
#include "form/velmora.h"
#include "platform/framework/forms.h"
#include "platform/gfx/text.h"
#include "raster/skin_draw.h"
#include "raster/skin_image.h"
#include "skin/vxResStrData.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"

namespace vx {

using namespace caption_detail;

TvxSkinCaptionObject::TvxSkinCaptionObject(TvxCaptionObjects& list, const std::string& idName,
                                           const TvxDataSkinCaption* def)
    : TvxActiveSkinObject(list, idName, def) {
  if (def == nullptr) return;
  textrect = def->textrect;
  fontname = def->fontname;
  fontheight = def->fontheight;
  fontstyle = def->fontstyle;
  fontcolor = def->fontcolor;
  activefontcolor = def->activefontcolor;
  alignment = def->alignment;
  light = def->light;
  lightcolor = def->lightcolor;
  activelightcolor = def->activelightcolor;
  shadow = def->shadow;
  shadowcolor = def->shadowcolor;
  activeshadowcolor = def->activeshadowcolor;
  framerect = def->framerect;
  activeframerect = def->activeframerect;
  frametextrect = def->frametextrect;
  frameleftoffset = def->frameleftoffset;
  framerightoffset = def->framerightoffset;
  fullframe = def->fullframe;
  stretcheffect = def->stretcheffect;
  animateskinrect = def->animateskinrect;
  framecount = def->framecount;
  animateinterval = def->animateinterval;
  inactiveanimation = def->inactiveanimation;
  vistagloweffect = def->vistagloweffect;
  vistaglowinactiveeffect = def->vistaglowinactiveeffect;
  gloweffect = def->gloweffect;
  glowinactiveeffect = def->glowinactiveeffect;
  glowsize = def->glowsize;
  glowcolor = def->glowcolor;
  glowactivecolor = def->glowactivecolor;
  glowoffset = def->glowoffset;
  reflectioneffect = def->reflectioneffect;
  reflactioncolor = def->reflactioncolor;
  reflactionactivecolor = def->reflactionactivecolor;
  reflectionoffset = def->reflectionoffset;
  dividerrect = def->dividerrect;
  inactivedividerrect = def->inactivedividerrect;
  dividertransparent = def->dividertransparent;
  dividertransparentcolor = def->dividertransparentcolor;
  quickbuttonalphamaskpictureindex = def->quickbuttonalphamaskpictureindex;
}

bool TvxSkinCaptionObject::Animated() const {
  const TvxSkinData* sd = Skin();
  // A frame count of zero or less has no frames to show.
  return sd != nullptr && sd->EnableSkinEffects() && !IsEmptyRect(animateskinrect) && framecount > 0;
}

bool TvxSkinCaptionObject::AnimationStep() {
  if (!Animated()) return false;
  if (FadeClock < animateinterval) {
    FadeClock = static_cast<int>(std::min<int64_t>(int64_t(FadeClock) + 25, animateinterval));
    return true;
  }
  const bool active = Form().IsFormActive();
  if (active && FadeFrame <= framecount) {
    ++FadeFrame;
  } else if (!active && FadeFrame > 0) {
    --FadeFrame;
  } else {
    return false;
  }
  FadeClock = 25;
  Repaint();
  return true;
}

TRect TvxSkinCaptionObject::TextArea() const {
  const int64_t grow = int64_t(W(ObjectRect)) - (int64_t(skinrect.Right) - skinrect.Left);
  if (IsEmptyRect(framerect)) return SatMoved(textrect, 0, 0, grow, 0);
  return SatMoved(textrect, frametextrect.Left, frametextrect.Top,
                  grow + frametextrect.Right - (int64_t(framerect.Right) - framerect.Left), 0);
}

void TvxSkinCaptionObject::BuildCaptionImage(TvxBitmap& out, const TRect& source) const {
  TRect src = source;
  // No image is wider than the frame, nor taller than its picture.
  const int w = std::min(W(ObjectRect), Form().FrameWidth());
  const TvxBitmap* pic = ActivePicture();
  if (pic != nullptr) {
    src = AtMostPicture(src, *pic);
  } else {
    src.Right = SatCoord(src.Left + int64_t(std::min(W(src), w)));
    src.Bottom = SatCoord(src.Top + int64_t(std::min(H(src), Form().FrameHeight())));
  }
  if (w <= 0 || IsEmptyRect(src)) return;
  const TvxSkinData* sd = Skin();
  int lm = sd ? sd->lefttoppoint.X - skinrect.Left : 0;
  int rm = sd ? skinrect.Right - sd->righttoppoint.X : 0;
  lm = std::clamp(lm, 0, W(src));
  rm = std::clamp(rm, 0, W(src) - lm);
  if ((lm == 0 && rm == 0) || pic == nullptr) {
    out.SetSize(w, H(src));
    out.FillRect(out.BoundsRect(), 0xFF000000u);
    // Copied directly; where the object is wider than the picture the rest is tiled.
    for (int x = 0; x < w; x += W(src)) CopyPicRect(out.DC(), x, 0, pic, src);
    return;
  }
  CreateHSkinImage(lm, rm, out, stretcheffect, w, src, pic->View());
}

void TvxSkinCaptionObject::DrawCaptionText(TCanvas& c, int x0, int y0, bool a) {
  TvxVelmora& form = Form();
  if (form.OnCaptionPaint) {
    TvxCaptionObjects::CallGuard guard(Objects());
    auto ev = form.OnCaptionPaint;
    // The caption's rectangle on this canvas: the frame, or its own image.
    ev(c, TRect{x0, y0, x0 + W(ObjectRect), y0 + H(ObjectRect)}, a);
    return;
  }
  TCustomForm* f = form.Form();
  if (f == nullptr) return;
  std::string text = f->Caption();
  if (form.IsMDIForm()) {
    TCustomForm* child = f->ActiveMDIChild();
    if (child != nullptr && child->WindowState() == wsMaximized) text += " - [" + child->Caption() + "]";
  }
  const TRect area = TextArea();
  if (text.empty() || IsEmptyRect(textrect)) return;

  TFont& font = c.Font();
  if (form.UseSkinFontInCaption()) {
    font.SetName(fontname.empty() ? "Tahoma" : fontname);
    font.SetStyle(fontstyle);
    // No caption text is taller than the window (a skin's height may be any int).
    const int tallest = std::max(1, form.FrameHeight());
    font.SetHeight(std::clamp(fontheight, -tallest, tallest));
  } else {
    font.Assign(form.DefCaptionFont());
  }
  const TvxSkinData* sd = Skin();
  if (sd != nullptr && sd->ResourceStrData() != nullptr)
    font.SetCharset(sd->ResourceStrData()->CharSet());
  else
    font.SetCharset(form.DefCaptionFont().Charset());
  const TColor textColor = a ? activefontcolor : fontcolor;
  font.SetColor(textColor);
  c.Brush().SetStyle(bsClear);

  CorrectTextByWidth(c, text, W(area));
  const TSize ext = c.TextExtent(text);
  const int tw = ext.cx, th = ext.cy;
  int y = area.Top + H(area) / 2 - th / 2;
  int x = area.Left;
  if (alignment == taRightJustify)
    x = area.Right - tw;
  else if (alignment == taCenter)
    x = area.Left + W(area) / 2 - tw / 2;
  x += x0;
  y += y0;
  if (font.Height() % 2 != 0) --y;

  // Caption frame behind the text.
  if (!IsEmptyRect(framerect)) {
    const TRect src = a && !IsEmptyRect(activeframerect) ? activeframerect : framerect;
    const TvxBitmap* pic = ActivePicture();
    const int bo = form.Geometry().ButtonsOffset;
    int64_t fw = 0, fx = 0;
    if (fullframe && int64_t(W(ObjectRect)) - 2 * int64_t(bo) > 0) {
      fw = int64_t(W(ObjectRect)) - 2 * int64_t(bo);
      fx = int64_t(x0) + bo;  // the object's left edge on this canvas
    } else {
      fw = (int64_t(framerect.Right) - framerect.Left) + tw - (int64_t(frametextrect.Right) - frametextrect.Left);
      fx = int64_t(x) - frametextrect.Left;
    }
    // No frame image is wider than the window, nor taller than its picture.
    fw = std::min<int64_t>(fw, form.FrameWidth());
    if (fw > 0 && pic != nullptr) {
      TvxBitmap fb;
      CreateHSkinImage(frameleftoffset, framerightoffset, fb, false, static_cast<int>(fw), AtMostPicture(src, *pic),
                       pic->View());
      if (!fb.Empty())
        BitBlt(c.Handle(), SatCoord(fx), SatCoord(int64_t(y) - frametextrect.Top), fb.Width(), fb.Height(), fb.DC(),
               0, 0, SRCCOPY);
    }
  }
  if (light) {
    font.SetColor(a ? activelightcolor : lightcolor);
    c.TextOut(x - 1, y - 1, text);
  }
  if (shadow) {
    font.SetColor(a ? activeshadowcolor : shadowcolor);
    c.TextOut(x + 1, y + 1, text);
  }
  font.SetColor(textColor);
  const TRect tr{x, y, x + tw, y + th};
  const uint32_t fmt = DT_SINGLELINE | DT_LEFT | DT_NOPREFIX | DT_NOCLIP;
  // Effect sizes and offsets beyond the window's height show nothing more.
  const int most = std::max(1, form.FrameHeight());
  auto fit = [most](int v) { return std::clamp(v, -most, most); };
  if (reflectioneffect) {
    DrawReflectionText(c, tr, text, a ? reflactionactivecolor : reflactioncolor, fit(reflectionoffset), fmt);
  } else if (vistagloweffect && (a || vistaglowinactiveeffect)) {
    DrawVistaGlowText(c, tr, text, a ? glowactivecolor : glowcolor, fmt);
  } else if (gloweffect && (a || glowinactiveeffect)) {
    DrawGlowText(c, tr, text, fit(glowsize), a ? glowactivecolor : glowcolor, fit(glowoffset), fmt);
  } else {
    c.TextOut(x, y, text);
  }
}

void TvxSkinCaptionObject::Paint(TCanvas& c, bool) {
  TvxSkinData* sd = Skin();
  if (sd == nullptr) return;
  const auto t = Token();
  const bool active = Form().IsFormActive();
  auto show = [&](TvxBitmap& img, bool textActive, bool effect) {
    if (img.Empty()) return;
    DrawCaptionText(img.Canvas(), 0, 0, textActive);
    if (Gone(t)) return;
    if (effect) ApplyImageEffect(img, sd->inactiveeffect);
    BitBlt(c.Handle(), ObjectRect.Left, ObjectRect.Top, img.Width(), img.Height(), img.DC(), 0, 0, SRCCOPY);
  };
  const bool animated = Animated();
  if (animated && FadeFrame > 0 && FadeFrame <= framecount) {
    TRect fr = animateskinrect;
    if (H(animateskinrect) > H(skinrect)) {
      const int ph = H(animateskinrect) / framecount;
      fr = {fr.Left, fr.Top + ph * (FadeFrame - 1), fr.Right, fr.Top + ph * FadeFrame};
    } else {
      const int pw = W(animateskinrect) / framecount;
      fr = {fr.Left + pw * (FadeFrame - 1), fr.Top, fr.Left + pw * FadeFrame, fr.Bottom};
    }
    TvxBitmap img;
    BuildCaptionImage(img, fr);
    show(img, !active, false);
    return;
  }
  const bool morphs = Morphs();
  if (morphs && InTransition()) {
    TvxBitmap normal, hot;
    BuildCaptionImage(normal, skinrect);
    BuildCaptionImage(hot, activeskinrect);
    if (normal.Empty()) return;
    DrawCaptionText(normal.Canvas(), 0, 0, false);
    if (Gone(t)) return;
    if (!hot.Empty()) {
      DrawCaptionText(hot.Canvas(), 0, 0, true);
      if (Gone(t)) return;
      MorphInto(normal, hot, morphkind, std::clamp(BlendPos, 0.0, 1.0));
    }
    if (!active && sd->autorenderinginactiveimage) ApplyImageEffect(normal, sd->inactiveeffect);
    BitBlt(c.Handle(), ObjectRect.Left, ObjectRect.Top, normal.Width(), normal.Height(), normal.DC(), 0, 0,
           SRCCOPY);
    return;
  }
  if (IsEmptyRect(activeskinrect) || (!active && !morphs && !stretcheffect && !animated)) {
    DrawCaptionText(c, ObjectRect.Left, ObjectRect.Top, active);
    return;
  }
  TvxBitmap img;
  if (active) {
    BuildCaptionImage(img, activeskinrect);
    show(img, true, false);
  } else {
    BuildCaptionImage(img, skinrect);
    show(img, false, sd->autorenderinginactiveimage);
  }
}

}  // namespace vx
