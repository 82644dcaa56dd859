// TvxVelmora: taking over the host form, the window procedure's message table,
// skin changes and the relay to skin-aware controls.
#include "form/velmora.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "form/caption_objects.h"
#include "form/frame_coords.h"
#include "platform/framework/menus.h"
#include "raster/glow_layer.h"
#include "raster/vx_bitmap.h"
#include "skin/skin_messages.h"
#include "skin/vxSkinAware.h"
#include "skin/vxSkinData.h"

namespace vx {

namespace {

// The procedure installed in the form's WindowProc. A named type, so that the
// destructor can tell whether the form's WindowProc is still this one.
struct VelmoraProc {
  std::shared_ptr<void> link;
  std::function<void(TMessage&)> call;
  void operator()(TMessage& m) const { call(m); }
};

// The messages between MDI children and their main form.
constexpr UINT kFirstMDIMessage = 0x4CE, kLastMDIMessage = 0x4D4;

// Posted to the form when its skin data went away: re-apply without it.
UINT ReapplyMessage() {
  static const UINT msg = RegisterWindowMessage("TvxVelmora.ReapplySkin");
  return msg;
}

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         msg == WM_NCMOUSELEAVE || msg == WM_MOUSELEAVE;
}

}  // namespace

// ---- construction ----------------------------------------------------------------

TvxVelmora::TvxVelmora(TComponent* owner) : TComponent(owner) {
  form_ = dynamic_cast<TCustomForm*>(owner);
  if (!form_) throw EInvalidCast("Invalid class typecast");

  glow_[0] = new TvxLayerManager(this);
  glow_[1] = new TvxLayerManager(this);
  logo_ = std::make_unique<TvxBitmap>();
  for (auto& s : maskStrips_) s = std::make_unique<TvxBitmap>();
  objects_ = std::make_unique<TvxCaptionObjects>(*this);
  for (TFont* f : {&defCaptionFont_, &defInActiveCaptionFont_}) {
    f->SetName("Tahoma");
    f->SetHeight(13);
    f->SetStyle({fsBold});
  }
  defCaptionFont_.SetColor(clBtnText);
  defInActiveCaptionFont_.SetColor(clBtnShadow);

  // The platform frame must draw no caption buttons of its own.
  savedFormIcons_ = form_->BorderIcons();
  form_->SetBorderIcons(0);
  form_->SetAutoSize(false);

  RegisterReceiver();
  if (!Designing()) InstallWindowProc();
}

TvxVelmora::~TvxVelmora() {
  UnregisterReceiver();
  if (objects_) {
    objects_->StopTimers();
    objects_->Clear();
  }
  // When the form itself is going, its controls part is already destroyed:
  // the owner link was cut before this component was freed, so touch nothing.
  const bool hostAlive = Owner() == form_ && !form_->HasState(csDestroying);
  if (link_) {
    // Put the old procedure back unless someone chained on top of ours, or
    // ours is running right now (replacing it would free it mid-call); then
    // the installed one stays and only forwards.
    if (hostAlive && !Designing() && link_->depth == 0) {
      auto* proc = form_->WindowProc.target<VelmoraProc>();
      if (proc && proc->link == link_) form_->WindowProc = link_->old;
    }
    link_->self = nullptr;
  }
  if (hostAlive) {
    form_->SetBorderIcons(savedFormIcons_);
    if (form_->HandleAllocated()) {
      const HWND h = form_->Handle();
      if (windowRegion_) SetWindowRgn(h, std::nullopt, true);
      SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
  }
  windowRegion_.reset();
  if (skinData_) skinData_->RemoveFreeNotification(this);
  if (menusSkinData_) menusSkinData_->RemoveFreeNotification(this);
  objects_.reset();
}

// The take-over uses the framework's replaceable WindowProc rather than a hook
// of the window: WindowProc belongs to the form object, so it survives
// RecreateWnd and sees WM_NCCREATE of every new window, while a window hook
// would be lost with the old window and be installed too late for the new one.
void TvxVelmora::InstallWindowProc() {
  link_ = std::make_shared<ProcLink>();
  link_->self = this;
  link_->old = form_->WindowProc;
  std::shared_ptr<ProcLink> link = link_;
  VelmoraProc proc;
  proc.link = link;
  proc.call = [link](TMessage& m) {
    std::shared_ptr<ProcLink> keep = link;  // the component may go while it runs
    ++keep->depth;
    if (keep->self) {
      keep->self->FormWindowProc(m);
    } else if (keep->old) {
      auto old = keep->old;
      old(m);
    }
    --keep->depth;
  };
  form_->WindowProc = std::move(proc);
  if (form_->HandleAllocated()) {
    form_->RecreateWnd();
    // An MDI window keeps no caption style of its own: the component draws it.
    if (IsMDIChild() || IsMDIForm()) {
      const HWND h = form_->Handle();
      SetWindowLong(h, GWL_STYLE, GetWindowLong(h, GWL_STYLE) & ~intptr_t(WS_CAPTION));
    }
  }
}

void TvxVelmora::RegisterReceiver() {
  TvxSkinMessageReceiver r;
  r.Form = form_;
  r.ClassName = "TvxVelmora";
  std::weak_ptr<int> alive = alive_;
  TCustomForm* form = form_;
  r.Send = [alive, form](uint32_t msg, uintptr_t wp, intptr_t lp) {
    if (alive.expired()) return;
    if (form->HandleAllocated()) {
      SendMessage(form->Handle(), msg, wp, lp);
    } else {
      form->Perform(msg, wp, lp);
    }
  };
  receiverCookie_ = TvxSkinMessageReceivers::Add(std::move(r));
}

void TvxVelmora::UnregisterReceiver() {
  if (receiverCookie_) TvxSkinMessageReceivers::Remove(receiverCookie_);
  receiverCookie_ = 0;
  alive_.reset();
}

void TvxVelmora::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == skinData_) {
    // The skin data is being destroyed: drop everything taken from it now,
    // and fall back to the default frame once that destruction is over.
    skinData_ = nullptr;
    skinInUse_ = false;
    objects_->StopTimers();
    objects_->Clear();
    if (!HasState(csDestroying) && link_ && form_->HandleAllocated())
      PostMessage(form_->Handle(), ReapplyMessage(), 0, 0);
  }
  if (component == menusSkinData_) menusSkinData_ = nullptr;
}

// ---- properties ------------------------------------------------------------------

void TvxVelmora::SetSkinData(TvxSkinData* value) {
  if (skinData_) skinData_->RemoveFreeNotification(this);
  skinData_ = value;
  if (value) {
    value->FreeNotification(this);
    if (!IsMDIChild()) skinnable_ = value->SkinnableForm();
  }
  if (!Designing()) ApplySkin(true);
}

void TvxVelmora::SetMenusSkinData(TvxSkinData* value) {
  if (menusSkinData_) menusSkinData_->RemoveFreeNotification(this);
  menusSkinData_ = value;
  if (value) value->FreeNotification(this);
}

void TvxVelmora::SetBorderIcons(TvxBorderIcons value) {
  borderIcons_ = value;
  if (!objects_->Empty()) {
    auto link = link_;
    objects_->ApplyBorderIcons();
    if (link && !link->self) return;
    if (skinInUse_) UpdateFrame(true);
    RepaintFrame();
  }
  if (!skinnable_) form_->SetBorderIcons(borderIcons_ & (biSystemMenu | biMinimize | biMaximize));
}

void TvxVelmora::SetHideCaptionButtons(bool v) {
  hideCaptionButtons_ = v;
  if (!objects_->Empty()) {
    auto link = link_;
    objects_->ApplyBorderIcons();
    if (link && !link->self) return;
    RepaintFrame();
  }
}

void TvxVelmora::SetShowIcon(bool v) {
  showIcon_ = v;
  RepaintFrame();
}

void TvxVelmora::SetUseSkinFontInCaption(bool v) {
  useSkinFontInCaption_ = v;
  RepaintFrame();
}

void TvxVelmora::SetRolledUp(bool value) {
  if (rolledUp_ == value) return;
  // The minimal roll-up: the window shrinks to its caption and gets its
  // height back. The rest of the window behaviour (remembered bounds across
  // maximizing, the roll-up animation) belongs to the window-behaviour section.
  if (value) rolledUpHeight_ = form_->Height();
  rolledUp_ = value;
  auto link = link_;
  if (value) {
    form_->SetHeight(GetMinHeight());
  } else if (rolledUpHeight_ > 0) {
    form_->SetHeight(std::max(rolledUpHeight_, GetMinHeight()));
  }
  if (link && !link->self) return;
  if (ActiveSkin()) UpdateFrame(true);
  RepaintFrame();
}

// ---- state -----------------------------------------------------------------------

bool TvxVelmora::IsMDIChild() const { return form_->FormStyle() == fsMDIChild; }
bool TvxVelmora::IsMDIForm() const { return form_->FormStyle() == fsMDIForm; }
bool TvxVelmora::IsMaximizedMDIChild() const { return IsMDIChild() && IsMaximized(); }
bool TvxVelmora::HasBorder() const { return form_->BorderStyle() != bsNone; }

bool TvxVelmora::IsMinimized() const {
  return form_->HandleAllocated() ? IsIconic(form_->Handle()) : form_->WindowState() == wsMinimized;
}

bool TvxVelmora::IsMaximized() const {
  return form_->HandleAllocated() ? IsZoomed(form_->Handle()) : form_->WindowState() == wsMaximized;
}

bool TvxVelmora::IsFormActive() const {
  if (previewMode_) return true;
  if (IsMDIChild() || IsMDIForm()) return ncActive_;
  return form_->Active();
}

bool TvxVelmora::Resizable() const {
  return alwaysResize_ || form_->BorderStyle() == bsSizeable || form_->BorderStyle() == bsSizeToolWin;
}

// Frame painting needs the skin's main picture: without it the default frame
// is drawn.
bool TvxVelmora::ActiveSkin() const {
  return skinInUse_ && skinData_ && !skinData_->Empty && !skinData_->Picture->Empty();
}

void TvxVelmora::MinimizeToTray() {
  // No tray icon yet: the form is minimized the ordinary way.
  if (form_->HandleAllocated()) SendMessage(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TvxVelmora::ShowSystemMenu(int x, int y) {
  // The skinned system menu and its loop are not built yet: the framework's
  // plain popup shows the commands that apply now.
  TMenuItem* root = SystemMenuItem();
  if (!root || !systemMenu_) return;
  const bool maximized = IsMaximized(), minimized = IsMinimized();
  const bool normal = !maximized && !minimized;
  for (const auto& [item, cmd] : systemCommands_) {
    if (root->IndexOf(item) < 0) continue;  // taken out of the menu by its user
    switch (cmd) {
      case SC_RESTORE: item->SetEnabled(!normal); break;
      case SC_MOVE: item->SetEnabled(normal); break;
      case SC_SIZE: item->SetEnabled(normal && !rolledUp_ && Resizable()); break;
      case SC_MINIMIZE: item->SetEnabled(!minimized && (borderIcons_ & biMinimize)); break;
      case SC_MAXIMIZE: item->SetEnabled(!maximized && (borderIcons_ & biMaximize)); break;
      default: break;
    }
  }
  systemMenu_->Popup(x, y);
}

void TvxVelmora::ShowSystemMenuBelow(const TRect& r) { ShowSystemMenu(r.Left, r.Bottom); }

TMenuItem* TvxVelmora::SystemMenuItem() {
  if (!systemMenu_) {
    systemMenu_ = new TPopupMenu(this);
    struct Cmd {
      const char* caption;
      WPARAM cmd;
    };
    static const Cmd cmds[] = {{"&Restore", SC_RESTORE}, {"&Move", SC_MOVE},         {"&Size", SC_SIZE},
                               {"Mi&nimize", SC_MINIMIZE}, {"Ma&ximize", SC_MAXIMIZE}, {"-", 0},
                               {"&Close", SC_CLOSE}};
    for (const Cmd& c : cmds) {
      auto* item = new TMenuItem(systemMenu_);
      item->SetCaption(c.caption);
      systemCommands_.emplace_back(item, c.cmd);
      if (c.cmd) {
        TCustomForm* form = form_;
        const WPARAM cmd = c.cmd;
        item->OnClick = [form, cmd](TObject*) {
          if (form->HandleAllocated()) SendMessage(form->Handle(), WM_SYSCOMMAND, cmd, 0);
        };
      }
      systemMenu_->Items()->Add(item);
    }
  }
  return systemMenu_->Items();
}

TvxLayerManager& TvxVelmora::GlowManager(bool forMenuObjects) { return *glow_[forMenuObjects ? 1 : 0]; }

void TvxVelmora::RefreshFrameSize() {
  TRect r;
  if (form_->HandleAllocated() && GetWindowRect(form_->Handle(), &r)) {
    frameWidth_ = r.Width();
    frameHeight_ = r.Height();
  } else {
    frameWidth_ = form_->Width();
    frameHeight_ = form_->Height();
  }
}

void TvxVelmora::ScreenToFrame(TPoint& p) const {
  if (IsMDIChild() && form_->HandleAllocated()) {
    ScreenToClient(form_->Handle(), &p);
    if (skinInUse_) {
      p.X += geom_.FrameClientRect.Left;
      p.Y += geom_.FrameClientRect.Top;
    } else {
      p.X += 3;
      p.Y += CaptionHeight() + 3;
    }
    return;
  }
  TRect r{form_->Left(), form_->Top(), 0, 0};
  if (form_->HandleAllocated()) GetWindowRect(form_->Handle(), &r);
  p.X -= r.Left;
  p.Y -= r.Top;
}

TRect TvxVelmora::FrameRectToScreen(const TRect& r) const {
  // The frame-to-screen offset is the same for every point.
  TPoint o{0, 0};
  ScreenToFrame(o);
  return {r.Left - o.X, r.Top - o.Y, r.Right - o.X, r.Bottom - o.Y};
}

// ---- the window procedure --------------------------------------------------------

void TvxVelmora::CallOld(TMessage& m) {
  if (link_ && link_->old) {
    // Copy: the old procedure may replace the form's WindowProc while it runs.
    auto old = link_->old;
    old(m);
  } else {
    form_->WndProc(m);
  }
}

// False once the form's own destructor has run (it leaves the screen's list
// first): its window may still get messages while the rest is torn down.
bool TvxVelmora::HostAlive() const {
  if (form_->HasState(csDestroying)) return false;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i) == form_) return true;
  return false;
}

void TvxVelmora::FormWindowProc(TMessage& m) {
  // Messages that reach the form while it is being destroyed (its framework
  // part is gone already) are passed on untouched.
  if (Designing() || !HostAlive()) {
    CallOld(m);
    return;
  }
  std::shared_ptr<ProcLink> link = link_;
  PreFilter(m);
  Dispatch(m);
  if (!link->self) return;  // the component went while the message ran
  if (skinnable_ && IsMouseMessage(m.Msg)) objects_->RouteMouse(m);
}

void TvxVelmora::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      if (!skinnable_) break;
      DoNCCalcSize(m);
      return;
    case WM_NCPAINT:
      if (!skinnable_) break;
      DoNCPaint(m);
      return;
    case WM_NCHITTEST:
      if (!skinnable_ && !FullBorderMode()) break;
      DoNCHitTest(m);
      return;
    case WM_NCACTIVATE:
      if (!skinnable_) break;
      DoNCActivate(m);
      return;
    case WM_ACTIVATE:
      if (!skinnable_) break;
      DoActivate(m);
      return;
    case WM_SETTEXT: {
      if (!skinnable_) break;
      auto link = link_;
      CallOld(m);
      if (!link->self) return;
      if (HasBorder() && !IsMaximizedMDIChild()) RepaintFrame();
      return;
    }
    case WM_SIZE:
      DoSize(m);
      return;
    case WM_SIZING:
      if (!inMoveSizeLoop_) break;
      DoSizing(m);
      return;
    case WM_ENTERSIZEMOVE:
      inMoveSizeLoop_ = true;
      break;
    case WM_EXITSIZEMOVE: {
      inMoveSizeLoop_ = false;
      auto link = link_;
      CallOld(m);
      if (!link->self) return;
      // The last WM_SIZE of the loop only passed: make sure the frame fits.
      const int w = frameWidth_, h = frameHeight_;
      RefreshFrameSize();
      if (skinnable_ && (w != frameWidth_ || h != frameHeight_)) {
        if (ActiveSkin()) {
          UpdateFrame(true);
        } else {
          BuildWindowRegion(true);
          RepaintFrame();
        }
      }
      return;
    }
    case WM_ERASEBKGND:
      if (IsMDIForm()) break;
      PaintClientBackground(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_GETMINMAXINFO:
      if (skinnable_) {
        if (auto* mmi = FromLParam<MINMAXINFO>(m.LParam)) {
          mmi->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
          mmi->ptMaxTrackSize = {GetMaxWidth(), GetMaxHeight()};
        }
      }
      break;
    case WM_DISPLAYCHANGE: {
      auto link = link_;
      CallOld(m);
      if (!link->self) return;
      if (HasBorder() && (GetMaxWidth() < form_->Width() || GetMaxHeight() < form_->Height())) NudgeSize();
      return;
    }
    case WM_STYLECHANGED: {
      // A new border style changes the frame (or removes it).
      auto link = link_;
      CallOld(m);
      if (!link->self || !skinnable_) return;
      RefreshFrameSize();
      if (ActiveSkin()) {
        UpdateFrame(true);
      } else {
        BuildWindowRegion(true);
      }
      RepaintFrame();
      return;
    }
    case WM_SYNCPAINT:
      if (!skinnable_ || !rolledUp_) break;
      if (form_->HandleAllocated()) SendMessage(form_->Handle(), WM_NCPAINT, 1, 0);
      m.Result = 0;
      return;
    case WM_SETCURSOR:
      if (skinnable_ && useFormCursorInNCArea_) {
        const int hit = int(int16_t(LOWORD(m.LParam)));
        int code = HTCLIENT;
        if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) code = hit;
        m.LParam = MAKELPARAM(WORD(code), HIWORD(m.LParam));
      }
      break;
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) == SC_KEYMENU) SystemMenuKey(m);
      WindowBehaviour(m);
      break;
    case WM_WINDOWPOSCHANGED:
    case WM_MOVING:
    case WM_SHOWWINDOW:
    case WM_TIMER:
    case WM_MOUSEACTIVATE:
    case VXM_TRAYRESTORED:
      WindowBehaviour(m);
      break;
    case VXM_SUSPENDLAYERS:
    case VXM_RESUMELAYERS:
    case WM_SHOWLAYEREDBORDERS:
    case WM_AEROBLURCHANGED:
      LayeredBorderMessage(m);
      break;
    case WM_BEFORECHANGESKINDATA:
    case WM_CHANGESKINDATA:
    case WM_AFTERCHANGESKINDATA:
      DoSkinMessage(m);
      return;
    case WM_CHANGEFORMSKINNABLE: {
      auto link = link_;
      if (skinData_ && m.WParam == reinterpret_cast<WPARAM>(skinData_) && !IsMDIChild())
        SetSkinnable(skinData_->SkinnableForm());
      if (!link->self) return;
      break;
    }
    case WM_CHANGERESSTRDATA:
      objects_->LocalizeObjectHints();
      break;
    case VXM_PAINTFRAMETODC:
      if (!skinnable_) break;
      DoPaintFrameToDC(m, kPaintFrameToDCAnswer);
      return;
    case VXM_GRABFRAME:
      if (!skinnable_ || m.LParam != kGrabFrameKey) break;
      DoPaintFrameToDC(m, kGrabFrameKey);
      return;
    default:
      if (m.Msg >= kFirstMDIMessage && m.Msg <= kLastMDIMessage) WindowBehaviour(m);
      if (m.Msg == ReapplyMessage()) {
        ApplySkin(true);
        return;
      }
      break;
    case VXM_ISSKINNEDFORM:
      // The platform counts as a recent one: the answer follows Skinnable.
      m.Result = skinnable_ ? kSkinnedFormAnswer : kUnskinnedFormAnswer;
      return;
    case WM_DESTROY:
      objects_->StopTimers();
      WindowBehaviour(m);
      break;
  }
  CallOld(m);
}

void TvxVelmora::DoNCCalcSize(TMessage& m) {
  m.Result = 0;
  if (IsMaximizedMDIChild() || !HasBorder()) return;
  // Both forms of the message start with the proposed window rectangle.
  auto* r = FromLParam<TRect>(m.LParam);
  if (!r) return;
  int l, t, rt, b;
  if (ActiveSkin()) {
    // The proposed rectangle is the window's new size; the window itself
    // still has the old one.
    frameWidth_ = r->Width();
    frameHeight_ = r->Height();
    CalcFrameGeometry();
    if (FullBorderMode()) {
      m.Result = 1;
      return;
    }
    const TRect cr = InPicture(skinData_->clientrect, skinData_->Picture->Width(), skinData_->Picture->Height());
    // A client rectangle reaching past the picture gives no negative margin.
    l = std::max(0, cr.Left);
    t = std::max(0, cr.Top);
    rt = std::max(0, skinData_->Picture->Width() - cr.Right);
    b = std::max(0, skinData_->Picture->Height() - cr.Bottom);
  } else {
    l = 3;
    t = CaptionHeight() + 3;
    rt = 3;
    b = 3;
  }
  r->Left += l;
  r->Top += t;
  r->Right -= rt;
  r->Bottom -= b;
  if (r->Right < r->Left) r->Right = r->Left;
  if (r->Bottom < r->Top) r->Bottom = r->Top;
}

void TvxVelmora::DoNCPaint(TMessage& m) {
  m.Result = 0;
  if (!HasBorder() || IsMaximizedMDIChild()) return;
  if (ActiveSkin()) {
    if (FullBorderMode()) {
      m.Result = 1;
      return;
    }
    PaintSkinFrame(nullptr, false);
  } else if (!skinChanging_) {
    PaintDefaultFrame(nullptr, false);
  }
}

void TvxVelmora::DoNCHitTest(TMessage& m) {
  if (FullBorderMode()) {
    m.Result = HTCLIENT;
    return;
  }
  TPoint p = LParamToPoint(m.LParam);
  ScreenToFrame(p);
  if (frameWidth_ == 0 || frameHeight_ == 0) RefreshFrameSize();
  if (!HasBorder()) {
    // No frame: the whole window is client, nothing of it moves or sizes.
    m.Result = HTCLIENT;
    return;
  }
  m.Result = ActiveSkin() ? SkinHitTest(p) : DefaultHitTest(p);
  if (m.Result == HTOBJECT && !objects_->MouseTrackingActive()) {
    auto link = link_;
    objects_->TrackMouse(p.X, p.Y, true);  // fires the enter event
    if (link && !link->self) return;
    objects_->StartMouseTracking();
  }
}

void TvxVelmora::DoNCActivate(TMessage& m) {
  auto link = link_;
  for (TvxLayerManager* g : glow_) g->HideLayer();
  ncActive_ = m.WParam != 0;
  if (!ncActive_) objects_->TrackMouse(-1, -1, false);
  if (!link->self) return;
  if (IsMDIChild() && form_->Visible()) {
    CallOld(m);
    if (!link->self) return;
    if (form_->HandleAllocated())
      RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  m.Result = 1;
  if (IsMaximizedMDIChild() || !HasBorder()) {
    objects_->SetActiveState(false);
  } else {
    if (form_->HandleAllocated()) SendMessage(form_->Handle(), WM_NCPAINT, 1, 0);
    if (!link->self) return;
    objects_->SetActiveState(true);
  }
  if (!link->self) return;
  ClientInactiveEffect(ncActive_);
  LayeredBorderActivate(ncActive_);
}

void TvxVelmora::DoActivate(TMessage& m) {
  auto link = link_;
  CallOld(m);
  if (!link->self) return;
  if (form_->HandleAllocated()) SendMessage(form_->Handle(), WM_NCPAINT, 1, 0);
  if (!link->self) return;
  if (IsMaximizedMDIChild()) {
    objects_->SetActiveState(false);
  } else {
    objects_->ResetHover();
    objects_->SetActiveState(true);
  }
}

void TvxVelmora::DoSize(TMessage& m) {
  auto link = link_;
  if (inMoveSizeLoop_) {
    // The frame follows WM_SIZING while the window is dragged.
    if (!logo_->Empty() && !IsMDIForm()) form_->Invalidate();
    CallOld(m);
    return;
  }
  CallOld(m);
  if (!link->self) return;
  RefreshFrameSize();
  if (skinnable_) {
    if (ActiveSkin()) {
      if (frameWidth_ >= GetMinWidth() && frameHeight_ >= GetMinHeight()) UpdateFrame(true);
    } else {
      BuildWindowRegion(true);
      if (form_->HandleAllocated()) SendMessage(form_->Handle(), WM_NCPAINT, 1, 0);
    }
  }
  if (!link->self) return;
  if (!logo_->Empty() && !IsMDIForm()) form_->Invalidate();
}

void TvxVelmora::DoSizing(TMessage& m) {
  auto link = link_;
  CallOld(m);
  if (!link->self) return;
  auto* r = FromLParam<TRect>(m.LParam);
  if (!r) return;
  const int w = std::max(r->Width(), GetMinWidth());
  const int h = std::max(r->Height(), GetMinHeight());
  if (!skinnable_) return;
  if (!ActiveSkin()) {
    frameWidth_ = w;
    frameHeight_ = h;
    BuildWindowRegion(true);
    return;
  }
  if (form_->Width() >= GetMinWidth() && form_->Height() >= GetMinHeight() && (w != frameWidth_ || h != frameHeight_)) {
    frameWidth_ = w;
    frameHeight_ = h;
    UpdateFrame(true);
  }
}

void TvxVelmora::DoPaintFrameToDC(TMessage& m, LRESULT answer) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (dc && HasBorder() && !IsMaximizedMDIChild()) PaintFrameInto(dc);
  m.Result = answer;
}

void TvxVelmora::PaintFrameInto(HDC dc) {
  if (ActiveSkin()) {
    PaintSkinFrame(dc, true);
  } else {
    PaintDefaultFrame(dc, true);
  }
}

void TvxVelmora::RepaintFrame() {
  if (FullBorderMode()) return;  // the layered border repaints itself
  if (form_->HandleAllocated() && !form_->HasState(csDestroying)) SendMessage(form_->Handle(), WM_NCPAINT, 1, 0);
}

// ---- skin changes ----------------------------------------------------------------

void TvxVelmora::DoSkinMessage(TMessage& m) {
  auto link = link_;
  TvxSkinData* announced = reinterpret_cast<TvxSkinData*>(m.WParam);
  const bool mine = skinData_ && announced == skinData_;
  switch (m.Msg) {
    case WM_BEFORECHANGESKINDATA:
      if (mine) {
        skinChanging_ = true;
        skinInUse_ = false;
        objects_->StopTimers();
        objects_->Clear();
      }
      // Every control that draws from the announced skin data hears of it,
      // whichever skin data the form itself uses: it gets the change call
      // afterwards in any case.
      RelaySkinChange(announced, true);
      if (!link->self) return;
      if (mine) {
        // Copies: a handler that frees the component frees the members.
        if (auto ev = OnBeforeChangeSkinData) ev(this);
      }
      break;
    case WM_CHANGESKINDATA:
      skinChanging_ = false;
      if (mine) ApplySkin(true);
      if (!link->self) return;
      RelaySkinChange(announced, false);
      break;
    case WM_AFTERCHANGESKINDATA:
      if (mine) {
        if (auto ev = OnAfterChangeSkinData) ev(this);
      }
      break;
  }
  if (!link->self) return;
  CallOld(m);
}

void TvxVelmora::RelaySkinChange(TvxSkinData* sd, bool before) {
  if (!sd) return;
  auto link = link_;
  // A call may create or free controls, so the tree is walked afresh after
  // every call, and each object is called once.
  std::set<const IvxSkinAware*> done;
  for (;;) {
    if (link && !link->self) return;
    std::vector<TComponent*> all;
    std::vector<TWinControl*> parents{form_};
    while (!parents.empty()) {
      TWinControl* p = parents.back();
      parents.pop_back();
      for (int i = 0; i < p->ControlCount(); ++i) {
        TControl* c = p->Controls(i);
        all.push_back(c);
        if (auto* w = dynamic_cast<TWinControl*>(c)) parents.push_back(w);
      }
    }
    for (int i = 0; i < form_->ComponentCount(); ++i) all.push_back(form_->Components(i));
    IvxSkinAware* next = nullptr;
    for (TComponent* c : all) {
      auto* aware = dynamic_cast<IvxSkinAware*>(c);
      if (aware && !done.count(aware) && aware->SkinData() == sd) {
        next = aware;
        break;
      }
    }
    if (!next) return;
    done.insert(next);
    if (before) {
      next->BeforeChangeSkinData();
    } else {
      next->ChangeSkinData();
    }
  }
}

void TvxVelmora::ApplySkin(bool) {
  if (Designing()) return;
  auto link = link_;
  objects_->ResetIndexes();
  skinInUse_ = skinData_ && !skinData_->Empty;
  for (TvxLayerManager* g : glow_) g->HideLayer();
  if (skinInUse_ && skinnable_) {
    objects_->Clear();
    objects_->CreateSkinObjects();
    objects_->ApplyBorderIcons();  // asks OnActivateCustomObject
    if (link && !link->self) return;
    objects_->LocalizeObjectHints();
  } else {
    objects_->Clear();
    RefreshFrameSize();
    BuildWindowRegion(true);
  }
  if (skinnable_) {
    form_->SetBorderIcons(0);
  } else {
    form_->SetBorderIcons(borderIcons_ & (biSystemMenu | biMinimize | biMaximize));
  }

  // Size fix-up; every branch changes the size, so the client area is
  // recalculated for the new frame.
  const int minW = GetMinWidth(), minH = GetMinHeight();
  if (form_->Width() < minW && form_->Height() < minH) {
    form_->SetBounds(form_->Left(), form_->Top(), minW, minH);
  } else if (form_->Height() < minH) {
    form_->SetHeight(minH);
  } else if (form_->Width() < minW) {
    form_->SetWidth(minW);
  } else {
    NudgeSize();
  }
  if (link && !link->self) return;
  if ((rolledUp_ || IsMinimized()) && form_->Height() != GetMinHeight()) form_->SetHeight(GetMinHeight());
  if (link && !link->self) return;
  if (IsMinimized() && form_->Width() != GetMinWidth()) form_->SetWidth(GetMinWidth());
  if (link && !link->self) return;

  RefreshFrameSize();
  if (skinInUse_) UpdateFrame(true);
  if (form_->HandleAllocated()) {
    // A form without a window yet gets its frame when the window is made.
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    form_->Invalidate();
  }
  if (link && !link->self) return;
  objects_->SetActiveState(!IsMaximizedMDIChild());
  if (link && !link->self) return;
  objects_->StartMouseTracking();
  if (auto ev = OnChangeSkinData) ev(this);
  if (link && !link->self) return;
  if (!rolledUp_) {
    if (clientWidth_ > 0) form_->SetClientWidth(clientWidth_);
    if (link && !link->self) return;
    if (clientHeight_ > 0) form_->SetClientHeight(clientHeight_);
  }
}

void TvxVelmora::SetSkinnable(bool value) {
  if (Designing()) return;
  if (IsMDIForm() && form_->MDIChildCount() > 0) return;
  auto link = link_;
  const bool wasMaximized = IsMaximized() && form_->Visible();
  if (wasMaximized) form_->SetWindowState(wsNormal);
  if (link && !link->self) return;
  skinnable_ = value;
  ApplySkin(true);
  if (link && !link->self) return;
  if (skinData_) RelaySkinChange(skinData_, false);
  if (link && !link->self) return;
  if (form_->HandleAllocated()) {
    const HWND h = form_->Handle();
    if (!skinnable_) SetWindowRgn(h, std::nullopt, true);
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  if (link && !link->self) return;
  if (wasMaximized) form_->SetWindowState(wsMaximized);
}

}  // namespace vx
