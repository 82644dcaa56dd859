// TvxCaptionObjects: creating the caption objects, border icons and hints,
// layout, mouse tracking and routing, active state, and the three timers.
#include <algorithm>

#include "form/caption_internal.h"
#include "form/caption_objects.h"
#include "form/frame_coords.h"
#include "form/velmora.h"
#include "platform/framework/extctrls.h"
#include "platform/framework/forms.h"
#include "platform/framework/menus.h"
#include "skin/vxResStrData.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"

namespace vx {

using namespace caption_detail;

namespace {

constexpr TvxSkinCommand kLayoutOrder[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};
constexpr unsigned kTrackInterval = 50, kMorphInterval = 25, kAnimInterval = 25;

// The command of a standard button or an animated button; false for others.
bool CommandOf(const TvxActiveSkinObject* o, TvxSkinCommand& cmd) {
  if (auto* s = dynamic_cast<const TvxSkinStdButtonObject*>(o)) {
    cmd = s->command;
    return true;
  }
  if (auto* a = dynamic_cast<const TvxSkinAnimateObject*>(o)) {
    cmd = a->command;
    return true;
  }
  return false;
}

bool ZoneHas(const TRect& z, TPoint p) { return p.X >= z.Left && p.X < z.Right && p.Y >= z.Top && p.Y < z.Bottom; }

TRect Moved(const TRect& r, int64_t dx, int64_t dy) { return SatMoved(r, dx, dy, dx, dy); }

}  // namespace

TvxCaptionObjects::TvxCaptionObjects(TvxVelmora& form) : form_(form) {
  auto make = [this](std::unique_ptr<TTimer>& t, unsigned interval, void (TvxCaptionObjects::*tick)()) {
    t = std::make_unique<TTimer>(nullptr);
    t->SetEnabled(false);
    t->SetInterval(interval);
    t->SetOnTimer([this, tick](TObject*) { (this->*tick)(); });
  };
  make(trackTimer_, kTrackInterval, &TvxCaptionObjects::MouseTrackingTick);
  make(morphTimer_, kMorphInterval, &TvxCaptionObjects::MorphTick);
  make(animTimer_, kAnimInterval, &TvxCaptionObjects::AnimationTick);
}

TvxCaptionObjects::~TvxCaptionObjects() {
  alive_.reset();
  HideObjectHint();
  DropCapture();
}

HWND TvxCaptionObjects::FormHandle() const {
  TCustomForm* f = form_.Form();
  if (f == nullptr || form_.Owner() != f || f->HasState(csDestroying) || !f->HandleAllocated()) return nullptr;
  return f->Handle();
}

void TvxCaptionObjects::FreeRetired() {
  if (retired_.empty() || callDepth_ > 0) return;
  const HWND h = FormHandle();
  if (h != nullptr && IsInDispatch(h)) {
    std::weak_ptr<int> alive = alive_;
    RunAfterDispatch(h, [alive, this] {
      if (!alive.expired()) FreeRetired();
    });
    return;
  }
  retired_.clear();
}

void TvxCaptionObjects::DropCapture() {
  const HWND h = captureWnd_;
  captureWnd_ = nullptr;
  if (h != nullptr && GetCapture() == h) ReleaseCapture();
}

TvxActiveSkinObject* TvxCaptionObjects::Object(int i) const {
  return i >= 0 && i < Count() ? objects_[static_cast<size_t>(i)].get() : nullptr;
}

TvxActiveSkinObject* TvxCaptionObjects::FindObject(const std::string& idName) const {
  for (const auto& o : objects_)
    if (o->IDName() == idName) return o.get();
  return nullptr;
}

int TvxCaptionObjects::IndexOf(const TvxActiveSkinObject* obj) const {
  for (int i = 0; i < Count(); ++i)
    if (objects_[static_cast<size_t>(i)].get() == obj) return i;
  return -1;
}

void TvxCaptionObjects::Clear() {
  HideObjectHint();
  const bool held = pressedIndex_ >= 0;
  for (auto& o : objects_) {
    *o->alive_ = 1;
    retired_.push_back(std::move(o));
  }
  objects_.clear();
  FreeRetired();
  ++generation_;
  // A held button took the capture; nothing could release it any more.
  if (held) DropCapture();
  ResetIndexes();
}

// ---- creating ----

void TvxCaptionObjects::CreateSkinObjects() {
  Clear();
  TvxSkinData* sd = form_.SkinData();
  if (sd == nullptr) return;
  for (const auto& defPtr : sd->ObjectList) {
    const TvxDataSkinObject* def = defPtr.get();
    if (def == nullptr) continue;
    // Menu items and main menu bar parts belong to the menus and the menu bar.
    if (dynamic_cast<const TvxDataSkinMenuItem*>(def) || dynamic_cast<const TvxDataSkinMainMenuItem*>(def) ||
        dynamic_cast<const TvxDataSkinMainMenuBarButton*>(def))
      continue;
    std::unique_ptr<TvxActiveSkinObject> obj;
    if (auto* s = dynamic_cast<const TvxDataSkinStdButton*>(def))
      obj = std::make_unique<TvxSkinStdButtonObject>(*this, def->SectionName, s, s->command);
    else if (auto* b = dynamic_cast<const TvxDataSkinButton*>(def))
      obj = std::make_unique<TvxSkinButtonObject>(*this, def->SectionName, b);
    else if (auto* c = dynamic_cast<const TvxDataSkinCaption*>(def))
      obj = std::make_unique<TvxSkinCaptionObject>(*this, def->SectionName, c);
    else if (auto* a = dynamic_cast<const TvxDataSkinAnimate*>(def))
      obj = std::make_unique<TvxSkinAnimateObject>(*this, def->SectionName, a);
    else if (dynamic_cast<const TvxDataUserObject*>(def))
      obj = std::make_unique<TvxUserObject>(*this, def->SectionName, def);
    if (obj) objects_.push_back(std::move(obj));
  }
}

void TvxCaptionObjects::CreateDefaultObjects() {
  Clear();
  static const std::pair<const char*, TvxSkinCommand> kDefaults[] = {
      {"closebutton", cmClose},   {"maxbutton", cmMaximize},    {"minbutton", cmMinimize},
      {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
  for (const auto& [name, cmd] : kDefaults)
    objects_.push_back(std::make_unique<TvxSkinStdButtonObject>(*this, name, nullptr, cmd));
  ApplyBorderIcons();
}

void TvxCaptionObjects::ApplyBorderIcons() {
  CallGuard guard(*this);
  const uint64_t gen = generation_;
  const bool hideAll = form_.HideCaptionButtons();
  const TvxBorderIcons icons = form_.BorderIcons();
  for (size_t i = 0; i < objects_.size(); ++i) {
    TvxActiveSkinObject* o = objects_[i].get();
    TvxSkinCommand cmd;
    if (!CommandOf(o, cmd)) continue;
    if (hideAll) {
      // A button drawn into the frame picture stays visible but dead.
      o->Enabled = false;
      o->Visible = !o->skinrectinapicture;
      continue;
    }
    auto* anim = dynamic_cast<TvxSkinAnimateObject*>(o);
    if (anim != nullptr && !anim->buttonstyle) continue;
    auto apply = [o](bool present) {
      o->Enabled = present;
      o->Visible = o->skinrectinapicture ? present : true;
    };
    switch (cmd) {
      case cmMaximize:
        apply((icons & biMaximize) != 0);
        break;
      case cmMinimize:
        apply((icons & biMinimize) != 0);
        break;
      case cmRollUp:
        apply((icons & biRollUp) != 0);
        break;
      case cmMinimizeToTray:
        apply((icons & biMinimizeToTray) != 0);
        break;
      case cmSysMenu:
        apply((icons & biSystemMenu) != 0 && !form_.DisableSystemMenu());
        break;
      case cmDefault: {
        bool visible = false;
        if (auto ev = form_.OnActivateCustomObject) {
          ev(o->IDName(), visible);
          if (guard.Gone()) return;
          if (gen != generation_) return;
        }
        o->Visible = visible;
        break;
      }
      default:
        break;
    }
  }
  if (!hideAll) {
    // Dialog style: only the system menu icon (or none) and a skin that has a
    // dialog close button; that button replaces every other close button.
    constexpr TvxBorderIcons kOthers = biMinimize | biMaximize | biRollUp | biMinimizeToTray;
    TvxActiveSkinObject* dialogClose = FindObject("dialogclosebutton");
    const bool dialog = dialogClose != nullptr && (icons & kOthers) == 0;
    for (auto& o : objects_) {
      auto* s = dynamic_cast<TvxSkinStdButtonObject*>(o.get());
      if (s == nullptr || s->command != cmClose || o.get() == dialogClose) continue;
      // Close buttons hidden for an earlier dialog-style set come back.
      s->Enabled = !dialog;
      s->Visible = !dialog;
    }
    if (dialogClose != nullptr) dialogClose->Enabled = dialogClose->Visible = dialog;
  }
  LocalizeObjectHints();
}

void TvxCaptionObjects::LocalizeObjectHints() {
  TvxSkinData* sd = form_.SkinData();
  if (!form_.UseDefaultObjectHint() || sd == nullptr) return;
  const TvxResourceStrData* rs = sd->ResourceStrData();
  auto text = [rs](const char* key, const char* builtIn) {
    if (rs != nullptr) {
      std::string s = rs->GetResStr(key);
      if (!s.empty()) return s;
    }
    return std::string(builtIn);
  };
  for (auto& o : objects_) {
    TvxSkinCommand cmd;
    if (!CommandOf(o.get(), cmd) || cmd == cmDefault) continue;
    std::string h;
    switch (cmd) {
      case cmClose: h = text("CLOSEBUTTON_HINT", "Close"); break;
      case cmMaximize: h = text("MAXBUTTON_HINT", "Maximize"); break;
      case cmMinimize: h = text("MINBUTTON_HINT", "Minimize"); break;
      case cmSysMenu: h = text("MENUBUTTON_HINT", "System menu"); break;
      case cmRollUp: h = text("ROLLUPBUTTON_HINT", "Roll Up"); break;
      case cmMinimizeToTray: h = text("TRAYBUTTON_HINT", "Minimize to Tray"); break;
      default: break;
    }
    const std::string restore = text("RESTORE_HINT", "Restore");
    o->hint = h;
    if (auto* s = dynamic_cast<TvxSkinStdButtonObject*>(o.get())) {
      s->normalhint = h;
      s->restorehint = restore;
    } else if (auto* a = dynamic_cast<TvxSkinAnimateObject*>(o.get())) {
      a->normalhint = h;
      a->restorehint = restore;
    }
  }
}

// ---- layout ----

TRect TvxCaptionObjects::AnchorRect(const TRect& r) const {
  const TvxSkinData* sd = form_.SkinData();
  if (sd == nullptr || sd->Picture == nullptr) return r;
  const int pw = sd->Picture->Width(), ph = sd->Picture->Height();
  const TPoint lt = InPicture(sd->lefttoppoint, pw, ph), rt = InPicture(sd->righttoppoint, pw, ph),
               lb = InPicture(sd->leftbottompoint, pw, ph), rb = InPicture(sd->rightbottompoint, pw, ph);
  const TPoint frb = form_.Geometry().FrameRightBottom;
  const int64_t dx = int64_t(frb.X) - rb.X, dy = int64_t(frb.Y) - rb.Y;
  const TRect zLT{0, 0, lt.X, lt.Y}, zRT{rt.X, 0, pw, rt.Y}, zLB{0, lb.Y, lb.X, ph}, zRB{rb.X, rb.Y, pw, ph};
  // The bottom-right corner is the last pixel inside the rectangle, so that a
  // rectangle flush with the picture's right or bottom edge is in its zone.
  const TPoint tl = r.TopLeft();
  const TPoint br{std::max(r.Left, r.Right - 1), std::max(r.Top, r.Bottom - 1)};
  auto inside = [&](const TRect& z) { return ZoneHas(z, tl) && ZoneHas(z, br); };
  if (inside(zLT)) return r;
  if (inside(zRT)) return Moved(r, dx, 0);
  if (inside(zLB)) return Moved(r, 0, dy);
  if (inside(zRB)) return Moved(r, dx, dy);
  if (ZoneHas(zLT, tl) && ZoneHas(zRB, br)) return SatMoved(r, 0, 0, dx, dy);
  if (ZoneHas(zLT, tl) && ZoneHas(zRT, br)) return SatMoved(r, 0, 0, dx, 0);
  if (ZoneHas(zLB, tl) && ZoneHas(zRB, br)) return SatMoved(r, 0, dy, dx, dy);
  if (ZoneHas(zLT, tl) && ZoneHas(zLB, br)) return SatMoved(r, 0, 0, 0, dy);
  if (ZoneHas(zRT, tl) && ZoneHas(zRB, br)) return SatMoved(r, dx, 0, dx, dy);
  return r;
}

void TvxCaptionObjects::ArrangeObjects() {
  if (form_.FullBorderMode()) return;
  const TvxSkinData* sd = form_.SkinData();
  if (sd == nullptr || sd->Empty) return;
  for (auto& o : objects_)
    if (!o->skinrectinapicture) o->ObjectRect = AnchorRect(o->skinrect);

  const TvxFrameGeometry& g = form_.Geometry();
  const bool haveButtons = !IsEmptyRect(g.FrameButtonsRect);
  if (!haveButtons && IsEmptyRect(g.FrameCaptionRect)) return;
  const TRect base = haveButtons ? g.FrameButtonsRect : g.FrameCaptionRect;
  const int y = base.Top;
  const int64_t gap = g.ButtonsOffset;

  auto sizeOf = [this](const TvxActiveSkinObject* o) {
    auto* s = dynamic_cast<const TvxSkinStdButtonObject*>(o);
    if (s != nullptr && s->command == cmSysMenu && form_.ShowIcon()) return form_.SmallIconSize();
    return TSize{SatCoord(int64_t(o->skinrect.Right) - o->skinrect.Left),
                 SatCoord(int64_t(o->skinrect.Bottom) - o->skinrect.Top)};
  };
  // The rectangle of size S at (X, Y), saturated.
  auto place = [](int64_t x, int64_t y, TSize s) {
    return TRect{SatCoord(x), SatCoord(y), SatCoord(x + s.cx), SatCoord(y + s.cy)};
  };
  auto laidOut = [](const TvxActiveSkinObject* o, TvxSkinCommand want) {
    TvxSkinCommand cmd;
    return o->Visible && o->skinrectinapicture && CommandOf(o, cmd) && cmd == want;
  };
  // The buttons in layout order: the first of each command, then every default button.
  std::vector<TvxActiveSkinObject*> row;
  for (TvxSkinCommand cmd : kLayoutOrder)
    for (auto& o : objects_)
      if (laidOut(o.get(), cmd)) {
        row.push_back(o.get());
        break;
      }
  for (auto& o : objects_)
    if (laidOut(o.get(), cmDefault)) row.push_back(o.get());
  TvxActiveSkinObject* sysButton = nullptr;
  for (auto& o : objects_)
    if (laidOut(o.get(), cmSysMenu)) {
      sysButton = o.get();
      break;
    }
  TvxActiveSkinObject* caption = nullptr;
  for (auto& o : objects_)
    if (o->IsCaption()) {
      caption = o.get();
      break;
    }

  // Positions run in 64 bits and are clamped when each one is stored: a row
  // of skin-sized buttons and gaps may add up beyond an int.
  if (!g.ButtonsInLeft) {
    int64_t x = base.Right;
    for (TvxActiveSkinObject* o : row) {
      const TSize s = sizeOf(o);
      o->ObjectRect = place(x - s.cx, y, s);
      x = SatCoord(x - (gap + s.cx));
    }
    if (!haveButtons && caption != nullptr) caption->ObjectRect.Right = SatCoord(x + gap);
    x = g.FrameCaptionRect.Left;
    if (sysButton != nullptr) {
      const TSize s = sizeOf(sysButton);
      const int64_t y0 = g.FrameCaptionRect.Top + H(g.FrameCaptionRect) / 2 - s.cy / 2;
      sysButton->ObjectRect = place(x, y0, s);
      x = SatCoord(x + gap + s.cx);
      if (caption != nullptr) caption->ObjectRect.Left = SatCoord(x - gap);
    }
  } else {
    int64_t x = base.Left;
    if (!haveButtons && sysButton != nullptr) row.push_back(sysButton);
    for (TvxActiveSkinObject* o : row) {
      const TSize s = sizeOf(o);
      o->ObjectRect = place(x, y, s);
      x = SatCoord(x + gap + s.cx);
    }
    if (!haveButtons && caption != nullptr) caption->ObjectRect.Left = SatCoord(x + gap);
  }
}

TRect TvxCaptionObjects::LayoutDefaultObjects() {
  const int fw = form_.FrameWidth();
  const int size = form_.CaptionButtonSize();
  TRect cap{3, 3, fw - 3, form_.CaptionHeight()};
  auto find = [this](TvxSkinCommand cmd) -> TvxSkinStdButtonObject* {
    for (auto& o : objects_) {
      auto* s = dynamic_cast<TvxSkinStdButtonObject*>(o.get());
      if (s != nullptr && s->Visible && s->command == cmd) return s;
    }
    return nullptr;
  };
  int x = fw - 3;
  for (TvxSkinCommand cmd : kLayoutOrder)
    if (TvxSkinStdButtonObject* s = find(cmd)) {
      s->ObjectRect = {x - size, 4, x, 4 + size};
      x -= size;
    }
  cap.Right = x;
  x = 3;
  if (TvxSkinStdButtonObject* s = find(cmSysMenu)) {
    const TSize sz = form_.ShowIcon() ? form_.SmallIconSize() : TSize{size, size};
    s->ObjectRect = {x, 4, x + sz.cx, 4 + sz.cy};
    cap.Left = x + sz.cx;
  }
  return cap;
}

// ---- painting ----

void TvxCaptionObjects::RepaintObject(TvxActiveSkinObject* obj) {
  if (obj == nullptr) return;
  if (form_.FullBorderMode()) {
    form_.RepaintFrame();
    return;
  }
  if (form_.IsMaximizedMDIChild() || !form_.HasBorder()) return;
  TCustomForm* f = form_.Form();
  if (f == nullptr || !f->HandleAllocated()) return;
  const HWND h = f->Handle();
  HDC dc = GetWindowDC(h);
  if (dc == nullptr) return;
  {
    CallGuard guard(*this);
    TCanvas c(dc);
    obj->Paint(c, true);
  }
  ReleaseDC(h, dc);
}

void TvxCaptionObjects::DrawFormIcon(TCanvas& c, int x, int y) {
  const TSize s = form_.SmallIconSize();
  if (s.cx <= 0 || s.cy <= 0) return;
  if (!icon_ || icon_->Width() != s.cx || icon_->Height() != s.cy) {
    // The framework's forms carry no icon: the default application icon, a
    // small window with a title bar, made once at the small-icon size.
    icon_ = std::make_unique<TvxBitmap>(s.cx, s.cy);
    const uint32_t frame = 0xFF1F3F7Fu, title = 0xFF2F5FBFu, body = 0xFFFFFFFFu;
    icon_->FillRect(icon_->BoundsRect(), frame);
    icon_->FillRect({1, 1, s.cx - 1, std::min(s.cy - 1, 1 + std::max(2, s.cy / 4))}, title);
    icon_->FillRect({1, 1 + std::max(2, s.cy / 4) + 1, s.cx - 1, s.cy - 1}, body);
  }
  BitBlt(c.Handle(), x, y, s.cx, s.cy, icon_->DC(), 0, 0, SRCCOPY);
}

// ---- indexes ----

void TvxCaptionObjects::ResetIndexes() {
  // Forgetting a held button also gives up the capture it took (a move or
  // size loop that holds the capture itself has no pressed object).
  if (pressedIndex_ >= 0) DropCapture();
  hotIndex_ = prevHotIndex_ = pressedIndex_ = -1;
}

void TvxCaptionObjects::ValidateIndexes() {
  if (hotIndex_ >= Count()) hotIndex_ = -1;
  if (prevHotIndex_ >= Count()) prevHotIndex_ = -1;
  if (pressedIndex_ >= Count()) pressedIndex_ = -1;
}

void TvxCaptionObjects::ResetHover() {
  HideObjectHint();
  for (auto& o : objects_) {
    if (o->IsCaption()) continue;
    o->MouseInside = false;
    o->Highlighted = false;
    o->BlendPos = 0;
    if (auto* a = dynamic_cast<TvxSkinAnimateObject*>(o.get())) a->FrameIndex = 1;
  }
}

// ---- mouse ----

void TvxCaptionObjects::TrackMouse(int x, int y, bool track) {
  if (objects_.empty()) return;
  TvxVelmora& f = form_;
  if (!f.IsFormActive() || f.InMoveSizeLoop() || f.LayerWindowSizing() || f.PreviewMode() ||
      f.IsMaximizedMDIChild() || !f.HasBorder() || f.FullBorderMode())
    return;
  CallGuard guard(*this);
  ValidateIndexes();
  prevHotIndex_ = hotIndex_;
  int found = -1;
  if (track) {
    for (int i = 0; i < Count(); ++i) {
      const TvxActiveSkinObject* o = objects_[static_cast<size_t>(i)].get();
      const TRect& r = o->ObjectRect;
      if (o->Enabled && o->Visible && r.Contains({x, y}) && o->InObject(x - r.Left, y - r.Top)) {
        found = i;
        break;
      }
    }
  }
  // While a button is held, no other object lights up.
  if (pressedIndex_ != -1 && pressedIndex_ != found) found = -1;
  hotIndex_ = found;
  const int prev = prevHotIndex_;
  if (hotIndex_ == prev) return;
  const uint64_t gen = generation_;
  if (TvxActiveSkinObject* o = Object(prev)) {
    if (o->Enabled && o->Visible) {
      o->MouseLeave();
      if (guard.Gone() || gen != generation_) return;
    }
    HideObjectHint();
  }
  // Re-read: the leave handler may have moved the hot object.
  if (TvxActiveSkinObject* o = Object(hotIndex_)) {
    if (o->Enabled && o->Visible) {
      o->MouseEnter();
      if (guard.Gone() || gen != generation_) return;
      if (Object(hotIndex_) == o) ShowObjectHint(o);
    }
  }
}

bool TvxCaptionObjects::PressObject(int x, int y, TMouseBtn button) {
  ValidateIndexes();
  TvxActiveSkinObject* o = Object(hotIndex_);
  if (o == nullptr) return false;
  const bool caption = o->IsCaption();
  TCustomForm* f = form_.Form();
  if (!caption && f != nullptr && f->HandleAllocated()) {
    captureWnd_ = f->Handle();
    SetCapture(captureWnd_);
  }
  pressedIndex_ = hotIndex_;
  CallGuard guard(*this);
  o->MouseDown(x, y, button);
  return !caption;
}

bool TvxCaptionObjects::ReleaseObject(int x, int y, TMouseBtn button) {
  ValidateIndexes();
  TvxActiveSkinObject* o = Object(pressedIndex_);
  if (o == nullptr) return false;
  const bool caption = o->IsCaption();
  CallGuard guard(*this);
  const uint64_t gen = generation_;
  pressedIndex_ = -1;
  if (captureWnd_ != nullptr) {
    DropCapture();
    if (guard.Gone() || gen != generation_) return !caption;
  }
  o->MouseUp(x, y, button);
  return !caption;
}

bool TvxCaptionObjects::RouteMouse(TMessage& m) {
  if (!form_.Skinnable()) return false;
  CallGuard guard(*this);
  TPoint p = LParamToPoint(m.LParam);
  const bool ncMessage = m.Msg != WM_LBUTTONUP && m.Msg != WM_RBUTTONUP;
  if (ncMessage) form_.ScreenToFrame(p);
  const bool onCaption = m.WParam == HTCAPTION;
  switch (m.Msg) {
    case WM_NCMOUSEMOVE: {
      ValidateIndexes();
      TvxActiveSkinObject* o = Object(pressedIndex_ >= 0 ? pressedIndex_ : hotIndex_);
      if (o != nullptr) o->MouseMove(p.X, p.Y);
      return false;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: {
      TrackMouse(p.X, p.Y, true);
      if (guard.Gone()) return true;
      const bool took = PressObject(p.X, p.Y, m.Msg == WM_NCLBUTTONDOWN ? mbLeft : mbRight);
      if (guard.Gone()) return true;
      if (!onCaption) return took;
      pressedIndex_ = -1;
      if (m.Msg == WM_NCRBUTTONDOWN && !form_.DisableSystemMenu()) {
        TPoint cursor = LParamToPoint(m.LParam);
        form_.ShowSystemMenu(cursor.X, cursor.Y);
        return true;
      }
      return false;
    }
    case WM_NCLBUTTONDBLCLK: {
      TrackMouse(p.X, p.Y, true);
      if (guard.Gone()) return true;
      const bool took = PressObject(p.X, p.Y, mbLeft);
      if (guard.Gone()) return true;
      ValidateIndexes();
      if (TvxActiveSkinObject* o = Object(hotIndex_)) {
        o->DblClick();
        if (guard.Gone()) return true;
      }
      // The caption double-click itself belongs to the window behaviour.
      if (onCaption) {
        pressedIndex_ = -1;
        return false;
      }
      return took;
    }
    case WM_NCLBUTTONUP:
      return ReleaseObject(p.X, p.Y, mbLeft);
    case WM_NCRBUTTONUP:
      return ReleaseObject(p.X, p.Y, mbRight);
    case WM_LBUTTONUP:
      return ReleaseObject(-1, -1, mbLeft);
    case WM_RBUTTONUP:
      return ReleaseObject(-1, -1, mbRight);
    default:
      return false;
  }
}

void TvxCaptionObjects::SetActiveState(bool animate) {
  CallGuard guard(*this);
  const bool active = form_.IsFormActive();
  for (auto& o : objects_) {
    auto* cap = dynamic_cast<TvxSkinCaptionObject*>(o.get());
    if (cap == nullptr || cap->Highlighted == active) continue;
    // Only the first caption whose state differs is handled.
    cap->Highlighted = active;
    const auto t = cap->Token();
    if (animate) {
      if (cap->Animated()) {
        cap->FadeClock = 25;
        cap->FadeFrame = active ? 1 : (cap->inactiveanimation ? cap->framecount : 0);
        StartAnimationTimer();
      }
      form_.RepaintFrame();
      if (guard.Gone()) return;
      if (TvxActiveSkinObject::Gone(t)) break;
      if (cap->Morphs()) StartMorphTimer();
    } else if (cap->Morphs()) {
      cap->BlendPos = active ? 1 : 0;
    }
    break;
  }
  if (active) {
    if (auto ev = form_.OnActivate) ev(&form_);
  } else {
    if (auto ev = form_.OnDeActivate) ev(&form_);
  }
}

void TvxCaptionObjects::MenuClosed() {
  CallGuard guard(*this);
  const uint64_t gen = generation_;
  for (size_t i = 0; i < objects_.size(); ++i) {
    TvxActiveSkinObject* o = objects_[i].get();
    if (auto* cap = dynamic_cast<TvxSkinCaptionObject*>(o)) {
      cap->QuickHotIndex = cap->QuickPrevHotIndex = cap->QuickDownIndex = cap->QuickMenuIndex = -1;
    } else if (auto* a = dynamic_cast<TvxSkinAnimateObject*>(o)) {
      a->MenuClosed();
    } else if (auto* b = dynamic_cast<TvxSkinButtonObject*>(o)) {
      if (b->MenuItem != nullptr && b->Pressed) {
        b->SetPressed(false);
        if (guard.Gone() || gen != generation_) return;
      }
    }
  }
}

void TvxCaptionObjects::PopupMenuItems(TMenuItem* item, const TRect& screenRect) {
  if (item == nullptr) return;
  if (OnPopupMenuItems) {
    auto ev = OnPopupMenuItems;
    ev(item, screenRect);
    return;
  }
  // No skin menu engine yet: the system menu opens through the form
  // component, other items as a plain popup below the object.
  if (item == form_.SystemMenuItem()) {
    form_.ShowSystemMenuBelow(screenRect);
    return;
  }
  if (TMenuItem* chosen = TrackPlainPopup(item, {screenRect.Left, screenRect.Bottom}, nullptr)) chosen->Click();
}

// ---- hints ----

void TvxCaptionObjects::ShowObjectHint(TvxActiveSkinObject* obj) {
  if (!form_.ShowObjectHint() || obj->hint.empty() || Application == nullptr) return;
  // The application's hint window (made on first use, as the application
  // does for its controls); hints switched off for the application stay off.
  if (!Application->ShowHint()) return;
  if (Application->HintWindow() == nullptr) Application->SetShowHint(true);
  THintWindow* hw = Application->HintWindow();
  if (hw == nullptr) return;
  TRect r = hw->CalcHintRect(400, obj->hint);
  TPoint cursor{};
  GetCursorPos(&cursor);
  const TRect objScreen = form_.FrameRectToScreen(obj->ObjectRect);
  r = Moved(r, cursor.X - r.Left, objScreen.Bottom + 2 - r.Top);
  hw->ActivateHint(r, obj->hint);
  shownHint_ = obj->hint;
}

void TvxCaptionObjects::HideObjectHint() {
  if (shownHint_.empty()) return;
  shownHint_.clear();
  if (Application != nullptr)
    if (THintWindow* hw = Application->HintWindow()) hw->ReleaseHint();
}

// ---- timers ----

void TvxCaptionObjects::StopTimer(const std::unique_ptr<TTimer>& t) {
  if (t) t->SetEnabled(false);
}

void TvxCaptionObjects::StartMouseTracking() { trackTimer_->SetEnabled(true); }
bool TvxCaptionObjects::MouseTrackingActive() const { return trackTimer_->Running(); }
void TvxCaptionObjects::StartMorphTimer() { morphTimer_->SetEnabled(true); }
bool TvxCaptionObjects::MorphTimerActive() const { return morphTimer_->Running(); }
void TvxCaptionObjects::StartAnimationTimer() { animTimer_->SetEnabled(true); }
bool TvxCaptionObjects::AnimationTimerActive() const { return animTimer_->Running(); }

void TvxCaptionObjects::StopTimers() {
  StopTimer(trackTimer_);
  StopTimer(morphTimer_);
  StopTimer(animTimer_);
  HideObjectHint();
}

void TvxCaptionObjects::MouseTrackingTick() {
  TCustomForm* f = form_.Form();
  // Nothing lights up on an inactive form; WM_NCHITTEST starts the timer again.
  if (f == nullptr || !f->HandleAllocated() || !form_.IsFormActive()) {
    StopTimer(trackTimer_);
    return;
  }
  CallGuard guard(*this);
  TPoint p{};
  GetCursorPos(&p);
  if (WindowFromPoint(p) != f->Handle()) {
    // While a button is held the timer goes on, so that coming back over the
    // button presses it in again.
    if (pressedIndex_ < 0) StopTimer(trackTimer_);
    TrackMouse(-1, -1, false);
    return;
  }
  if (form_.InMoveSizeLoop() || form_.LayerWindowSizing()) {
    StopTimer(trackTimer_);
    return;
  }
  form_.ScreenToFrame(p);
  const TRect client = form_.SkinInUse()
                           ? form_.Geometry().FrameClientRect
                           : TRect{3, form_.CaptionHeight() + 3, form_.FrameWidth() - 3, form_.FrameHeight() - 3};
  if (!client.Contains(p))
    TrackMouse(p.X, p.Y, true);
  else if (hotIndex_ != -1)
    TrackMouse(-1, -1, true);
}

void TvxCaptionObjects::MorphTick() {
  CallGuard guard(*this);
  const uint64_t gen = generation_;
  bool any = false;
  for (size_t i = 0; i < objects_.size(); ++i) {
    TvxActiveSkinObject* o = objects_[i].get();
    if (!o->Morphs() || !o->NeedsMorphStep()) continue;
    any = true;
    o->MorphStep();
    if (guard.Gone()) return;
    if (gen != generation_) break;
  }
  if (!any) StopTimer(morphTimer_);
}

void TvxCaptionObjects::AnimationTick() {
  CallGuard guard(*this);
  const uint64_t gen = generation_;
  bool any = false;
  for (size_t i = 0; i < objects_.size(); ++i) {
    TvxActiveSkinObject* o = objects_[i].get();
    bool stepped = false;
    if (auto* a = dynamic_cast<TvxSkinAnimateObject*>(o)) {
      if (a->buttonstyle) stepped = a->AnimationStep();
    } else if (auto* c = dynamic_cast<TvxSkinCaptionObject*>(o)) {
      stepped = c->AnimationStep();
    }
    if (!stepped) continue;
    any = true;
    if (guard.Gone()) return;
    if (gen != generation_) break;
  }
  if (!any) StopTimer(animTimer_);
}

}  // namespace vx
