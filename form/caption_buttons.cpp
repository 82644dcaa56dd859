// Caption buttons: plain buttons, standard buttons with a window command and
// animated buttons (pressing, commands, painting in every state).
#include <algorithm>

#include "form/caption_internal.h"
#include "form/caption_objects.h"
#include "form/frame_coords.h"
#include "form/velmora.h"
#include "platform/framework/forms.h"
#include "platform/framework/menus.h"
#include "raster/glow_layer.h"
#include "raster/skin_draw.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"

namespace vx {

using namespace caption_detail;

namespace {

std::unique_ptr<TvxBitmap> CopyImage(const std::unique_ptr<TvxBitmap>& src) {
  if (!src || src->Empty()) return nullptr;
  auto b = std::make_unique<TvxBitmap>();
  b->Assign(*src);
  return b;
}

// The restore state of a button with command Cmd.
bool RestoreStateOf(TvxVelmora& form, TvxSkinCommand cmd) {
  TCustomForm* f = form.Form();
  if (f == nullptr) return false;
  switch (cmd) {
    case cmMaximize:
      return f->WindowState() == wsMaximized;
    case cmMinimize:
      return f->WindowState() == wsMinimized && f != Application->MainForm();
    case cmRollUp:
      return form.RolledUp();
    default:
      return false;
  }
}

// The window commands shared by standard and animated buttons. Returns false
// when Obj was freed while the command ran.
bool RunWindowCommand(TvxActiveSkinObject& obj, TvxSkinCommand cmd, const std::weak_ptr<int>& token) {
  TvxCaptionObjects& list = obj.Objects();
  TvxVelmora& form = obj.Form();
  if (cmd == cmRollUp) {
    form.SetRolledUp(!form.RolledUp());
    return !token.expired();
  }
  if (cmd != cmClose && cmd != cmMaximize && cmd != cmMinimize && cmd != cmMinimizeToTray) return true;
  // The hot object is cleared first: the window is about to change.
  const auto listAlive = list.AliveToken();
  list.TrackMouse(-1, -1, false);
  if (listAlive.expired() || token.expired()) return false;
  TCustomForm* f = form.Form();
  switch (cmd) {
    case cmClose:
      f->Close();
      break;
    case cmMaximize:
      f->SetWindowState(f->WindowState() == wsMaximized ? wsNormal : wsMaximized);
      break;
    case cmMinimize:
      if (form.AlwaysMinimizeToTray())
        form.MinimizeToTray();
      else
        f->SetWindowState(f->WindowState() == wsMinimized ? wsNormal : wsMinimized);
      break;
    case cmMinimizeToTray:
      form.MinimizeToTray();
      break;
    default:
      break;
  }
  return !token.expired();
}

// Opens the sub-items of Item below the object's rectangle (screen coordinates).
void OpenMenuBelow(TvxActiveSkinObject& obj, TMenuItem* item) {
  TvxCaptionObjects& list = obj.Objects();
  const TRect r = obj.Form().FrameRectToScreen(obj.ObjectRect);
  list.PopupMenuItems(item, r);
}

}  // namespace

// ---- TvxSkinButtonObject ----

TvxSkinButtonObject::TvxSkinButtonObject(TvxCaptionObjects& list, const std::string& idName,
                                         const TvxDataSkinButton* def)
    : TvxActiveSkinObject(list, idName, def) {
  if (def == nullptr) return;
  downrect = def->downrect;
  disableskinrsect = def->disableskinrsect;
}

bool TvxSkinButtonObject::NeedsMorphStep() const {
  if (MenuItem != nullptr && Pressed) return false;
  return TvxActiveSkinObject::NeedsMorphStep();
}

void TvxSkinButtonObject::PaintButton(TCanvas& c, bool intoFrame) {
  if (Skin() == nullptr) return;
  if (!Enabled && !IsEmptyRect(disableskinrsect))
    DrawPicRect(c, ActivePicture(), disableskinrsect);
  else if (Pressed && MouseInside && !IsEmptyRect(downrect))
    DrawPicRect(c, ActivePicture(), downrect);
  else
    PaintBase(c, intoFrame);
}

void TvxSkinButtonObject::Paint(TCanvas& c, bool intoFrame) { PaintButton(c, intoFrame); }

void TvxSkinButtonObject::SetPressed(bool value) {
  Pressed = value;
  const bool morphs = Morphs();
  if (morphs && Highlighted) BlendPos = 1;  // no blending while held
  if (!Repaint()) return;
  if (morphs && !value) StartMorphOrRepaint();
}

void TvxSkinButtonObject::OpenObjectMenu() {
  if (MenuItem == nullptr || MenuItem->Count() == 0) return;
  const auto t = Token();
  Form().GlowManager(false).HideLayer();
  Form().GlowManager(true).HideLayer();
  if (MouseInside) ShowGlow();
  OpenMenuBelow(*this, MenuItem);
  if (Gone(t)) return;
  // The menu has closed: release the button that opened it.
  Objects().MenuClosed();
}

void TvxSkinButtonObject::MouseDown(int x, int y, TMouseBtn button) {
  if (!Enabled) return;
  const auto t = Token();
  if (button == mbLeft && !Pressed) {
    SetPressed(true);
    if (Gone(t)) return;
    OpenObjectMenu();
    if (Gone(t)) return;
  }
  FireDown(x, y, button);
}

void TvxSkinButtonObject::MouseUp(int x, int y, TMouseBtn button) {
  if (!Enabled) return;
  const auto t = Token();
  if (button == mbLeft && MenuItem == nullptr && Pressed) {
    SetPressed(false);
    if (Gone(t)) return;
  }
  FireUp(x, y, button);
}

void TvxSkinButtonObject::MouseEnter() {
  const auto t = Token();
  MouseInside = true;
  Highlighted = true;
  if (!Pressed || IsEmptyRect(downrect)) {
    if (!IsEmptyRect(activeskinrect)) {
      StartMorphOrRepaint();
      if (Gone(t)) return;
    }
    if (MenuItem != nullptr) ShowGlow();
  } else {
    if (Morphs()) BlendPos = 1;
    if (!Repaint()) return;
  }
  if (!FireEnter()) return;
  if (MenuItem == nullptr) ShowGlow();
}

void TvxSkinButtonObject::MouseLeave() {
  const auto t = Token();
  MouseInside = false;
  Highlighted = false;
  if (!(MenuItem != nullptr && Pressed)) {
    if (MenuItem != nullptr) HideGlow();
    if (!Repaint()) return;
    if (Morphs()) StartMorphOrRepaint();
    if (Gone(t)) return;
  }
  if (!FireLeave()) return;
  if (MenuItem == nullptr) HideGlow();
}

// ---- TvxSkinStdButtonObject ----

TvxSkinStdButtonObject::TvxSkinStdButtonObject(TvxCaptionObjects& list, const std::string& idName,
                                               const TvxDataSkinStdButton* def, TvxSkinCommand cmd)
    : TvxSkinButtonObject(list, idName, def), command(cmd), hasDef_(def != nullptr) {
  if (def == nullptr) {
    skinrect = activeskinrect = inactiveskinrect = ObjectRect = TRect{0, 0, 1, 1};
    skinrectinapicture = true;
    return;
  }
  command = def->command;
  restorerect = def->restorerect;
  restoreactiverect = def->restoreactiverect;
  restoredownrect = def->restoredownrect;
  restoreinactiverect = def->restoreinactiverect;
  normalhint = def->hint;
  restorehint = def->restorehint;
  AlphaNormalImage = CopyImage(def->AlphaNormalImage);
  AlphaActiveImage = CopyImage(def->AlphaActiveImage);
  AlphaDownImage = CopyImage(def->AlphaDownImage);
  AlphaInactiveImage = CopyImage(def->AlphaInactiveImage);
  AlphaRestoreNormalImage = CopyImage(def->AlphaRestoreNormalImage);
  AlphaRestoreActiveImage = CopyImage(def->AlphaRestoreActiveImage);
  AlphaRestoreDownImage = CopyImage(def->AlphaRestoreDownImage);
  AlphaRestoreInactiveImage = CopyImage(def->AlphaRestoreInactiveImage);
}

TvxSkinStdButtonObject::~TvxSkinStdButtonObject() = default;

bool TvxSkinStdButtonObject::InRestoreState() const { return RestoreStateOf(Form(), command); }

bool TvxSkinStdButtonObject::ShowsIcon() const {
  return command == cmSysMenu && Form().ShowIcon() && skinrectinapicture;
}

bool TvxSkinStdButtonObject::InObject(int x, int y) const {
  if (ShowsIcon()) return true;
  return TvxSkinButtonObject::InObject(x, y);
}

void TvxSkinStdButtonObject::Paint(TCanvas& c, bool intoFrame) {
  if (!hasDef_) {
    PaintDefault(c);
    return;
  }
  if (Skin() == nullptr) return;
  if (ShowsIcon()) {
    Objects().DrawFormIcon(c, ObjectRect.Left, ObjectRect.Top);
    BlendPos = 0;
    return;
  }
  const bool active = Form().IsFormActive();
  const bool restore = InRestoreState();
  if (!(Enabled && (active || IsEmptyRect(inactiveskinrect) || restore))) {
    PaintButton(c, intoFrame);
    return;
  }
  if (!restore || IsEmptyRect(restorerect)) {
    if (Pressed && !IsEmptyRect(downrect) && command == cmSysMenu)
      DrawPicRect(c, ActivePicture(), downrect);
    else
      PaintButton(c, intoFrame);
  } else if (!active && !IsEmptyRect(restoreinactiverect)) {
    DrawPicRect(c, ActivePicture(), restoreinactiverect);
  } else if (Pressed && MouseInside && !IsEmptyRect(restoredownrect)) {
    DrawPicRect(c, ActivePicture(), restoredownrect);
  } else if (Morphs() && InTransition() && !IsEmptyRect(restoreactiverect)) {
    DrawMorph(c, ActivePicture(), restorerect, restoreactiverect);
  } else if (Highlighted && !IsEmptyRect(restoreactiverect)) {
    DrawPicRect(c, ActivePicture(), restoreactiverect);
  } else {
    DrawPicRect(c, ActivePicture(), restorerect);
  }
}

void TvxSkinStdButtonObject::PaintDefault(TCanvas& c) {
  const int w = W(ObjectRect), h = H(ObjectRect);
  if (w <= 0 || h <= 0) return;
  TvxBitmap bmp(w, h);
  TCanvas& bc = bmp.Canvas();
  bc.Brush().SetStyle(bsSolid);
  bc.Brush().SetColor(clBtnFace);
  bc.FillRect({0, 0, w, h});
  const bool down = Pressed && MouseInside;
  if (MouseInside) {
    bc.Brush().SetColor(static_cast<TColor>(down ? 11899781 : 13811126));
    bc.FillRect({0, 0, w, h});
    bc.Brush().SetColor(clNavy);
    bc.FrameRect({0, 0, w, h});
  }
  const TColor ink = Enabled ? clBtnText : clBtnShadow;
  const int x = w / 2 - 5 + (down ? 1 : 0);
  const int y = h / 2 - 4 + (down ? 1 : 0);
  TCustomForm* f = Form().Form();
  switch (command) {
    case cmClose:
      DrawCloseGlyph(bc, x, y, ink);
      break;
    case cmMaximize:
      if (f && f->WindowState() == wsMaximized)
        DrawRestoreGlyph(bc, x, y, ink);
      else
        DrawMaximizeGlyph(bc, x, y, ink);
      break;
    case cmMinimize:
      if (f && f->WindowState() == wsMinimized)
        DrawRestoreGlyph(bc, x, y, ink);
      else
        DrawMinimizeGlyph(bc, x, y, ink);
      break;
    case cmRollUp:
      if (Form().RolledUp())
        DrawRollDownGlyph(bc, x, y, ink);
      else
        DrawRollUpGlyph(bc, x, y, ink);
      break;
    case cmMinimizeToTray:
      DrawTrayGlyph(bc, x, y, ink);
      break;
    case cmSysMenu:
      if (Form().ShowIcon())
        Objects().DrawFormIcon(bc, 0, 0);
      else
        DrawSysMenuGlyph(bc, x, y, ink);
      break;
    default:
      break;
  }
  BitBlt(c.Handle(), ObjectRect.Left, ObjectRect.Top, w, h, bmp.DC(), 0, 0, SRCCOPY);
}

void TvxSkinStdButtonObject::PaintAlpha(TCanvas&, TvxBitmap& target) {
  if (ShowsIcon()) {
    Objects().DrawFormIcon(target.Canvas(), ObjectRect.Left, ObjectRect.Top);
    return;
  }
  const bool active = Form().IsFormActive();
  const bool restore = InRestoreState();
  // 0 normal, 1 highlighted, 2 pressed, 3 inactive
  int state = 0;
  if (active || IsEmptyRect(inactiveskinrect)) {
    if (Pressed && !IsEmptyRect(downrect) && (command == cmSysMenu || MouseInside))
      state = 2;
    else if (MouseInside && !IsEmptyRect(activeskinrect))
      state = 1;
  } else {
    state = 3;
  }
  const TvxBitmap* normal[4] = {AlphaNormalImage.get(), AlphaActiveImage.get(), AlphaDownImage.get(),
                                AlphaInactiveImage.get()};
  const TvxBitmap* restored[4] = {AlphaRestoreNormalImage.get(), AlphaRestoreActiveImage.get(),
                                  AlphaRestoreDownImage.get(), AlphaRestoreInactiveImage.get()};
  const TvxBitmap* img = restore && restored[state] != nullptr ? restored[state] : normal[state];
  if (img == nullptr || img->Empty() || IsEmptyRect(ObjectRect)) return;
  TvxBitmap src;
  src.Assign(*img);
  src.SetHasAlpha(true);
  src.DrawToRect(target, ObjectRect, src.BoundsRect());
}

void TvxSkinStdButtonObject::DblClick() {
  if (command != cmSysMenu) return;
  if (TCustomForm* f = Form().Form()) f->Close();
}

void TvxSkinStdButtonObject::MouseDown(int x, int y, TMouseBtn button) {
  if (!Enabled || button != mbLeft || Pressed) return;
  const auto t = Token();
  const bool icon = ShowsIcon();
  if (!icon) {
    SetPressed(true);
    if (Gone(t)) return;
  }
  if (command == cmSysMenu) {
    // The system menu opens on button-down.
    MenuItem = Form().SystemMenuItem();
    OpenObjectMenu();
    if (Gone(t)) return;
  }
  FireDown(x, y, button);
}

void TvxSkinStdButtonObject::MouseUp(int x, int y, TMouseBtn button) {
  const auto t = Token();
  if (command == cmClose) {
    TvxSkinButtonObject::MouseUp(x, y, button);
    if (Gone(t)) return;
    if (Enabled && Highlighted && button == mbLeft) ExecuteCommand();
    return;
  }
  if (Enabled && Highlighted && button == mbLeft) {
    ExecuteCommand();
    if (Gone(t)) return;
  }
  if (!ShowsIcon()) TvxSkinButtonObject::MouseUp(x, y, button);
}

void TvxSkinStdButtonObject::MouseEnter() {
  if (command != cmDefault)
    hint = InRestoreState() && !restorehint.empty() ? restorehint : normalhint;
  if (ShowsIcon()) {
    // The icon neither glows nor morphs.
    MouseInside = true;
    Highlighted = true;
    FireEnter();
    return;
  }
  TvxSkinButtonObject::MouseEnter();
}

void TvxSkinStdButtonObject::ExecuteCommand() { RunWindowCommand(*this, command, Token()); }

// ---- TvxSkinAnimateObject ----

TvxSkinAnimateObject::TvxSkinAnimateObject(TvxCaptionObjects& list, const std::string& idName,
                                           const TvxDataSkinAnimate* def)
    : TvxActiveSkinObject(list, idName, def) {
  if (def == nullptr) return;
  countframes = def->countframes;
  cycle = def->cycle;
  buttonstyle = def->buttonstyle;
  timerinterval = std::max(25, def->timerinterval);
  command = def->command;
  downskinrect = def->downskinrect;
  restorerect = def->restorerect;
  restoreactiverect = def->restoreactiverect;
  restoredownrect = def->restoredownrect;
  restoreinactiverect = def->restoreinactiverect;
  normalhint = def->hint;
  restorehint = def->restorehint;
  morphing = false;
}

bool TvxSkinAnimateObject::InRestoreState() const { return RestoreStateOf(Form(), command); }

bool TvxSkinAnimateObject::AnimationStep() {
  if (!Animates() || !Highlighted || (Pressed && !IsEmptyRect(downskinrect))) return false;
  if (StepClock < timerinterval) {
    StepClock = static_cast<int>(std::min<int64_t>(int64_t(StepClock) + 25, timerinterval));
    return true;
  }
  if (Forward) {
    FrameIndex = FrameIndex >= countframes ? 1 : FrameIndex + 1;
    if (!cycle && FrameIndex == countframes) Highlighted = false;
  } else {
    FrameIndex = FrameIndex <= 1 ? countframes : FrameIndex - 1;
    if (FrameIndex == 1) Highlighted = false;
  }
  StepClock = 25;
  Repaint();
  return true;
}

void TvxSkinAnimateObject::Paint(TCanvas& c, bool) {
  if (Skin() == nullptr) return;
  const bool restore = InRestoreState() && !IsEmptyRect(restorerect);
  const TRect base = restore ? restorerect : skinrect;
  const TRect down = restore ? restoredownrect : downskinrect;
  const TRect inactive = restore ? restoreinactiverect : inactiveskinrect;
  const int w = W(base), h = H(base);
  const int last = std::max(1, countframes);
  auto frame = [&](int k) {
    k = std::clamp(k, 1, last);
    // Frames of a skin-sized strip may lie far beyond an int.
    const int64_t left = base.Left + int64_t(w) * (k - 1);
    return TRect{SatCoord(left), base.Top, SatCoord(left + w), base.Top + h};
  };
  const TvxBitmap* pic = ActivePicture();
  if (MenuOpen) {
    if (!IsEmptyRect(down)) {
      DrawPicRect(c, pic, down);
    } else {
      FrameIndex = last;
      DrawPicRect(c, pic, frame(FrameIndex));
    }
  } else if (!Form().IsFormActive() && !IsEmptyRect(inactive)) {
    DrawPicRect(c, pic, inactive);
  } else if (Pressed && MouseInside && !IsEmptyRect(down)) {
    DrawPicRect(c, pic, down);
  } else {
    DrawPicRect(c, pic, frame(FrameIndex));
  }
}

void TvxSkinAnimateObject::DblClick() {
  if (!buttonstyle || command != cmSysMenu) return;
  if (TCustomForm* f = Form().Form()) f->Close();
}

void TvxSkinAnimateObject::MouseEnter() {
  if (!buttonstyle) {
    TvxActiveSkinObject::MouseEnter();
    return;
  }
  if (command != cmDefault)
    hint = InRestoreState() && !restorehint.empty() ? restorehint : normalhint;
  MouseInside = true;
  if (!PlayTowards(true)) return;
  if (!FireEnter()) return;
  ShowGlow();
}

void TvxSkinAnimateObject::MouseLeave() {
  if (!buttonstyle) {
    TvxActiveSkinObject::MouseLeave();
    return;
  }
  if (!MouseInside) return;
  MouseInside = false;
  if (!PlayTowards(false)) return;
  if (!FireLeave()) return;
  HideGlow();
}

bool TvxSkinAnimateObject::PlayTowards(bool forward) {
  if (MenuOpen) return true;
  Highlighted = true;
  Forward = forward;
  if (Pressed && !IsEmptyRect(downskinrect)) return Repaint();
  if (Animates()) Objects().StartAnimationTimer();
  return true;
}

void TvxSkinAnimateObject::MouseDown(int x, int y, TMouseBtn button) {
  if (!FireDown(x, y, button) || !buttonstyle) return;
  if (!IsEmptyRect(downskinrect) && button == mbLeft) {
    FrameIndex = std::max(1, countframes);
    Pressed = true;
    if (!Repaint()) return;
  }
  if (command == cmSysMenu && button == mbLeft && MouseInside) ExecuteCommand();
}

void TvxSkinAnimateObject::MouseUp(int x, int y, TMouseBtn button) {
  if (!FireUp(x, y, button) || !buttonstyle || MenuOpen) return;
  if (!IsEmptyRect(downskinrect) && button == mbLeft) {
    Pressed = false;
    if (!Repaint()) return;
    if (Animates()) Objects().StartAnimationTimer();
  }
  if (command != cmSysMenu && button == mbLeft && MouseInside) ExecuteCommand();
}

void TvxSkinAnimateObject::ExecuteCommand() {
  if (command == cmSysMenu) {
    MenuItem = Form().SystemMenuItem();
    OpenObjectMenu();
    return;
  }
  if (command == cmDefault) {
    OpenObjectMenu();
    return;
  }
  RunWindowCommand(*this, command, Token());
}

void TvxSkinAnimateObject::OpenObjectMenu() {
  if (MenuItem == nullptr || MenuItem->Count() == 0) return;
  const auto t = Token();
  MenuOpen = true;
  if (!Repaint()) return;
  OpenMenuBelow(*this, MenuItem);
  if (Gone(t)) return;
  Objects().MenuClosed();
}

void TvxSkinAnimateObject::MenuClosed() {
  if (!MenuOpen) return;
  Highlighted = true;
  FrameIndex = std::max(1, countframes);
  Pressed = false;
  MenuOpen = false;
  Forward = false;
  if (Animates()) Objects().StartAnimationTimer();
}

}  // namespace vx
