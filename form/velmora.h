// TvxVelmora: the form skinning component. Dropped on a top-level form (or an
// MDI child), it takes over the form's window procedure and draws everything
// around the client area from the skin's [FORMINFO] description: border,
// caption, caption objects, window shape, frame hit testing, track sizes and
// the client background. Without a skin it draws a plain default frame.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/framework/forms.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/region.h"

namespace vx {

class TvxSkinData;
class TvxBitmap;
class TvxLayerManager;
class TvxCaptionObjects;
class TMenuItem;
class TPopupMenu;

// Caption buttons the component shows. biSystemMenu, biMinimize and
// biMaximize are the framework's own flags; these two extend the set.
enum TvxBorderIcon : uint8_t { biRollUp = 16, biMinimizeToTray = 32 };
using TvxBorderIcons = uint8_t;
constexpr TvxBorderIcons kDefaultVxBorderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;

// The owner given to TvxVelmora is not a form.
class EInvalidCast : public Exception {
 public:
  using Exception::Exception;
};

// Messages of the form skinning component (numbers shared across the toolkit).
constexpr UINT VXM_PARENTBACKGROUNDCHANGED = 1284;
constexpr UINT VXM_ISSKINNEDFORM = 0xB1B2;
constexpr UINT VXM_SUSPENDLAYERS = 0xB1B3;
constexpr UINT VXM_RESUMELAYERS = 0xB1B4;
constexpr UINT VXM_PAINTFRAMETODC = 0xB1C9;
constexpr UINT VXM_GRABFRAME = 0xBC4B;
constexpr UINT VXM_TRAYRESTORED = 1426;
constexpr LRESULT kSkinnedFormAnswer = 0x3235;
constexpr LRESULT kUnskinnedFormAnswer = 0x3234;
constexpr LRESULT kPaintFrameToDCAnswer = 0x3233;
constexpr LPARAM kGrabFrameKey = 0x41A2;

// The frame for one window size, all in window coordinates.
struct TvxFrameGeometry {
  TPoint FrameLeftTop, FrameRightTop, FrameLeftBottom, FrameRightBottom;
  TRect FrameClientRect, FrameCaptionRect, FrameButtonsRect;
  bool ButtonsRectOnLeft = false;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  TPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
  TRect FrameMaskRect;
};

using TvxCaptionPaintEvent = std::function<void(TCanvas& canvas, const TRect& r, bool active)>;
using TvxObjectMouseEvent = std::function<void(const std::string& id, int x, int y, const TRect& r, TMouseBtn b)>;
using TvxObjectMouseMoveEvent = std::function<void(const std::string& id, int x, int y, const TRect& r)>;
using TvxObjectEvent = std::function<void(const std::string& id)>;
using TvxObjectPaintEvent = std::function<void(const std::string& id, TCanvas& canvas, const TRect& r)>;
using TvxActivateCustomObjectEvent = std::function<void(const std::string& id, bool& visible)>;

class TvxVelmora : public TComponent {
 public:
  // The owner must be a form (EInvalidCast otherwise). Outside design time the
  // component takes over the form's window procedure and recreates its window.
  explicit TvxVelmora(TComponent* owner);
  ~TvxVelmora() override;
  std::string ClassName() const override { return "TvxVelmora"; }

  TCustomForm* Form() const { return form_; }

  // ---- skin ----
  TvxSkinData* SkinData() const { return skinData_; }
  void SetSkinData(TvxSkinData* value);
  TvxSkinData* MenusSkinData() const { return menusSkinData_; }
  void SetMenusSkinData(TvxSkinData* value);
  bool Skinnable() const { return skinnable_; }
  // WM_CHANGEFORMSKINNABLE: switches between the skinned frame and the
  // platform's own frame.
  void SetSkinnable(bool value);
  bool SkinInUse() const { return skinInUse_; }
  bool SkinChanging() const { return skinChanging_; }
  bool PreviewMode() const { return previewMode_; }
  void SetPreviewMode(bool value) { previewMode_ = value; }
  bool Designing() const { return HasState(csDesigning); }
  // Re-reads everything from the skin: objects, track sizes, frame, region.
  void ApplySkin(bool recreate = true);

  // ---- frame geometry ----
  const TvxFrameGeometry& Geometry() const { return geom_; }
  int FrameWidth() const { return frameWidth_; }
  int FrameHeight() const { return frameHeight_; }
  // Fills Geometry() for FrameWidth x FrameHeight from the skin.
  void CalcFrameGeometry();
  // Geometry, object layout, region and repaint.
  void UpdateFrame(bool arrangeObjects);
  int CaptionHeight() const;      // default mode: 19, 15 for tool windows
  int CaptionButtonSize() const;  // default mode: 17, 13 for tool windows
  TSize SmallIconSize() const;    // SM_CXSMICON/SM_CYSMICON, else SM_CXSIZE/SM_CYSIZE
  bool IsFormActive() const;
  void ScreenToFrame(TPoint& p) const;
  TRect FrameRectToScreen(const TRect& r) const;  // inverse of ScreenToFrame

  // ---- painting ----
  // Paint the non-client area into dc, or into the window DC when
  // useGivenDC is false. The dc's clip is restored afterwards.
  void PaintSkinFrame(HDC dc, bool useGivenDC);
  void PaintDefaultFrame(HDC dc, bool useGivenDC);
  void RepaintFrame();
  // The client background (tile layouts and logo) into dc; nothing for null.
  void PaintClientBackground(HDC dc);

  // ---- region and hit testing ----
  void BuildWindowRegion(bool stretch);
  // The region last given to the window (window coordinates), if any.
  const std::optional<TRegion>& WindowRegion() const { return windowRegion_; }
  // Mask strips for the current size: 0 top, 1 bottom, 2 left, 3 right.
  const TvxBitmap& MaskStrip(int i) const;
  bool PointInShape(TPoint p) const;
  // Points in frame (window) coordinates.
  bool CaptionHitTest(TPoint p);
  int SkinHitTest(TPoint p);
  int DefaultHitTest(TPoint p);

  // ---- track sizes ----
  // Never beyond GetMaxWidth / GetMaxHeight: a skin's minimum larger than the
  // screen gives the screen's size.
  int GetMinWidth();
  int GetMinHeight();
  int GetMaxWidth();
  int GetMaxHeight();
  // Makes the form one pixel narrower (or wider at its minimum) and back.
  void NudgeSize();

  // ---- window state ----
  bool RolledUp() const { return rolledUp_; }
  void SetRolledUp(bool value);
  bool InMoveSizeLoop() const { return inMoveSizeLoop_; }
  bool LayerWindowSizing() const { return false; }
  bool FullBorderMode() const { return false; }
  bool IsMDIChild() const;
  bool IsMaximizedMDIChild() const;
  bool IsMDIForm() const;
  bool HasBorder() const;
  void MinimizeToTray();
  void ShowSystemMenu(int x, int y);
  void ShowSystemMenuBelow(const TRect& r);
  TMenuItem* SystemMenuItem();
  TvxLayerManager& GlowManager(bool forMenuObjects);
  TvxCaptionObjects& Objects() { return *objects_; }

  // ---- published ----
  TvxBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TvxBorderIcons value);
  bool HideCaptionButtons() const { return hideCaptionButtons_; }
  void SetHideCaptionButtons(bool v);
  bool DisableSystemMenu() const { return disableSystemMenu_; }
  void SetDisableSystemMenu(bool v) { disableSystemMenu_ = v; }
  bool UseDefaultObjectHint() const { return useDefaultObjectHint_; }
  void SetUseDefaultObjectHint(bool v) { useDefaultObjectHint_ = v; }
  bool ShowObjectHint() const { return showObjectHint_; }
  void SetShowObjectHint(bool v) { showObjectHint_ = v; }
  bool ShowIcon() const { return showIcon_; }
  void SetShowIcon(bool v);
  bool AlwaysMinimizeToTray() const { return alwaysMinimizeToTray_; }
  void SetAlwaysMinimizeToTray(bool v) { alwaysMinimizeToTray_ = v; }
  bool UseSkinFontInCaption() const { return useSkinFontInCaption_; }
  void SetUseSkinFontInCaption(bool v);
  bool UseFormCursorInNCArea() const { return useFormCursorInNCArea_; }
  void SetUseFormCursorInNCArea(bool v) { useFormCursorInNCArea_ = v; }
  bool AlwaysResize() const { return alwaysResize_; }
  void SetAlwaysResize(bool v) { alwaysResize_ = v; }
  bool MaximizeOnFullScreen() const { return maximizeOnFullScreen_; }
  void SetMaximizeOnFullScreen(bool v) { maximizeOnFullScreen_ = v; }
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int v) { minWidth_ = v; }
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int v) { minHeight_ = v; }
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int v) { maxWidth_ = v; }
  int MaxHeight() const { return maxHeight_; }
  void SetMaxHeight(int v) { maxHeight_ = v; }
  // Client size the form gets after each skin change (0 = keep).
  int ClientWidth() const { return clientWidth_; }
  void SetClientWidth(int v) { clientWidth_ = v; }
  int ClientHeight() const { return clientHeight_; }
  void SetClientHeight(int v) { clientHeight_ = v; }
  TvxBitmap& LogoBitMap() { return *logo_; }
  bool LogoBitMapTransparent() const { return logoTransparent_; }
  void SetLogoBitMapTransparent(bool v) { logoTransparent_ = v; }
  TFont& DefCaptionFont() { return defCaptionFont_; }
  TFont& DefInActiveCaptionFont() { return defInActiveCaptionFont_; }

  // ---- events ----
  TvxCaptionPaintEvent OnCaptionPaint;
  TvxObjectMouseEvent OnMouseDownEvent, OnMouseUpEvent;
  TvxObjectMouseMoveEvent OnMouseMoveEvent;
  TvxObjectEvent OnMouseEnterEvent, OnMouseLeaveEvent;
  TvxObjectPaintEvent OnPaintEvent;
  TvxActivateCustomObjectEvent OnActivateCustomObject;
  TNotifyEvent OnActivate, OnDeActivate;
  TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  int MinTrackWidth();
  int MinTrackHeight();
  // The size of the monitor holding the window: its work area, or the whole
  // monitor with MaximizeOnFullScreen.
  TSize MonitorAreaSize() const;
  // The link between the form's WindowProc and the component: the installed
  // procedure holds a copy, and `self` is cleared when the component goes, so
  // code that called out can tell whether it still exists.
  struct ProcLink {
    TvxVelmora* self = nullptr;
    std::function<void(TMessage&)> old;
    int depth = 0;  // calls of the installed procedure now running
  };
  void InstallWindowProc();
  void FormWindowProc(TMessage& m);
  void CallOld(TMessage& m);
  bool HostAlive() const;
  void Dispatch(TMessage& m);
  void DoNCCalcSize(TMessage& m);
  void DoNCPaint(TMessage& m);
  void DoNCHitTest(TMessage& m);
  void DoNCActivate(TMessage& m);
  void DoActivate(TMessage& m);
  void DoSize(TMessage& m);
  void DoSizing(TMessage& m);
  void DoSkinMessage(TMessage& m);
  void DoPaintFrameToDC(TMessage& m, LRESULT answer);
  void PaintFrameInto(HDC dc);
  void RelaySkinChange(TvxSkinData* sd, bool before);
  void RefreshFrameSize();
  TRect DefaultClientRect() const;
  bool Resizable() const;
  bool IsMinimized() const;
  bool IsMaximized() const;
  bool ActiveSkin() const;
  void RegisterReceiver();
  void UnregisterReceiver();
  void SetRegion(std::optional<TRegion> rgn);
  // Hook points of the sections not built here.
  void LayeredBorderActivate(bool) {}  // layered border: tell it the new active state
  void ClientInactiveEffect(bool) {}  // client-inactive panel: create or remove
  void WindowBehaviour(TMessage&) {}       // window states, docking, show animation, MDI messages
  void SystemMenuKey(TMessage&) {}         // SC_KEYMENU and the skinned system menu loop
  void PreFilter(TMessage&) {}             // closes skin menus and hides hints on mouse buttons
  void LayeredBorderMessage(TMessage&) {}  // suspend / resume / show the layered border, blur switch

  TCustomForm* form_ = nullptr;
  std::shared_ptr<ProcLink> link_;
  TvxSkinData* skinData_ = nullptr;
  TvxSkinData* menusSkinData_ = nullptr;
  bool skinnable_ = true;
  bool skinInUse_ = false;
  bool skinChanging_ = false;
  bool previewMode_ = false;
  int frameWidth_ = 0, frameHeight_ = 0;
  TvxFrameGeometry geom_;
  std::optional<TRegion> windowRegion_;
  std::unique_ptr<TvxBitmap> maskStrips_[4];
  std::unique_ptr<TvxBitmap> logo_;
  std::unique_ptr<TvxCaptionObjects> objects_;
  TvxLayerManager* glow_[2] = {nullptr, nullptr};
  TPopupMenu* systemMenu_ = nullptr;
  std::vector<std::pair<TMenuItem*, WPARAM>> systemCommands_;
  bool ncActive_ = false;
  bool rolledUp_ = false;
  int rolledUpHeight_ = 0;
  bool inMoveSizeLoop_ = false;
  int receiverCookie_ = 0;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
  TBorderIcons savedFormIcons_ = 0;

  TvxBorderIcons borderIcons_ = kDefaultVxBorderIcons;
  bool hideCaptionButtons_ = false;
  bool disableSystemMenu_ = false;
  bool useDefaultObjectHint_ = true;
  bool showObjectHint_ = true;
  bool showIcon_ = false;
  bool alwaysMinimizeToTray_ = false;
  bool useSkinFontInCaption_ = true;
  bool useFormCursorInNCArea_ = false;
  bool alwaysResize_ = false;
  bool maximizeOnFullScreen_ = false;
  int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
  int clientWidth_ = 0, clientHeight_ = 0;
  bool logoTransparent_ = false;
  TFont defCaptionFont_;
  TFont defInActiveCaptionFont_;
};

}  // namespace vx
