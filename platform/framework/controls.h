// Controls of the framework: windowless (TGraphicControl) and windowed
// (TWinControl, TCustomControl) controls with bounds, alignment, anchors,
// constraints, visibility, enabling, text, font, colour, tab order, hints,
// mouse capture and the mouse enter / leave notifications.
//
// Every control handles messages through `WindowProc` (replaceable; by
// default it calls the virtual `WndProc`). Windowed controls own a window of
// the window system; its messages arrive at WindowProc. Windowless controls
// get their mouse messages from their parent, with coordinates relative to
// the control. `Perform` sends a message straight to WindowProc.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/classes.h"
#include "platform/gfx/canvas.h"
#include "platform/win/window.h"

namespace vx {

// ---- framework messages ------------------------------------------------------
// Numbers clear of the window system's and of the toolkit's own messages.
enum : uint32_t {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0,
  CM_DEACTIVATE = CM_BASE + 1,
  CM_DIALOGKEY = CM_BASE + 5,        // WParam key, LParam key data; Result 1 = handled
  CM_DIALOGCHAR = CM_BASE + 6,       // WParam character; Result 1 = handled
  CM_FOCUSCHANGED = CM_BASE + 7,     // LParam: TControl* now focused (broadcast in the form)
  CM_PARENTFONTCHANGED = CM_BASE + 8,
  CM_PARENTCOLORCHANGED = CM_BASE + 9,
  CM_HITTEST = CM_BASE + 10,         // LParam point; Result 0 = transparent at that point
  CM_VISIBLECHANGED = CM_BASE + 11,  // WParam new visibility
  CM_ENABLEDCHANGED = CM_BASE + 12,
  CM_COLORCHANGED = CM_BASE + 13,
  CM_FONTCHANGED = CM_BASE + 14,
  CM_CURSORCHANGED = CM_BASE + 15,
  CM_TEXTCHANGED = CM_BASE + 18,
  CM_MOUSEENTER = CM_BASE + 19,      // LParam: the control entered (also sent to its parents)
  CM_MOUSELEAVE = CM_BASE + 20,
  CM_MENUCHANGED = CM_BASE + 21,
  CM_SHOWINGCHANGED = CM_BASE + 25,
  CM_ENTER = CM_BASE + 26,
  CM_EXIT = CM_BASE + 27,
  CM_WANTSPECIALKEY = CM_BASE + 30,  // WParam key; Result 1 = the control handles it itself
  CM_RELEASE = CM_BASE + 33,
  CM_SHOWHINTCHANGED = CM_BASE + 34,
  CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
  CM_TABSTOPCHANGED = CM_BASE + 40,
  CM_CONTROLLISTCHANGE = CM_BASE + 44,  // WParam TControl*, LParam inserted (1) / removed (0)
  CM_CHILDKEY = CM_BASE + 46,
  CM_HINTSHOW = CM_BASE + 48,           // LParam THintInfo*; Result 1 = no hint
  CM_CONTROLCHANGE = CM_BASE + 54,
  CM_BORDERCHANGED = CM_BASE + 59,
  CM_CANCELMODE = CM_BASE + 64,         // LParam: the control that was clicked
  CM_PARENTBACKGROUNDCHANGED = CM_BASE + 66,  // the parent's background changed (colour, size)
  CM_MOUSEWHEEL = CM_BASE + 67,
  CM_ISSHORTCUT = CM_BASE + 68,
};

// ---- enumerations and sets -------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : uint8_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint8_t;

enum TShiftFlag : uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = uint32_t;

enum TMouseBtn { mbLeft, mbRight, mbMiddle };

enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csDesignInteractive = 1u << 2,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,
  csNoStdEvents = 1u << 12,
  csParentBackground = 1u << 13,
};
using TControlStyle = uint32_t;

enum TControlStateFlag : uint32_t {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csAlignmentNeeded = 1u << 2,
  csFocusing = 1u << 3,
  csCreating = 1u << 4,
  csCustomPaint = 1u << 5,
  csDestroyingHandle = 1u << 6,
  // The control paints a copy of its background for a transparent child: its
  // own painting only, without its windowless children.
  csPaintCopy = 1u << 7,
};
using TControlState = uint32_t;

// Cursor 0 = the default (the parent's or the class's).
constexpr HCURSOR crDefault = 0;

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;

using TMouseEvent = std::function<void(TObject* sender, TMouseBtn button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;
using TMouseWheelEvent = std::function<void(TObject* sender, TShiftState shift, int delta, TPoint mousePos, bool& handled)>;

// Min/Max width and height of a control; 0 = no limit.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  friend bool operator==(const TSizeConstraints&, const TSizeConstraints&) = default;
};

// The shift state of the keyboard now (and of the mouse buttons from a MK_* mask).
TShiftState KeyboardShiftState();
TShiftState KeysToShiftState(WPARAM mkFlags);
TShiftState KeyDataToShiftState(LPARAM keyData);

// Accelerators: "&x" marks x; "&&" is a literal "&".
// The accelerator character of a caption (0 when none), lower-cased for letters.
char32_t GetHotkey(std::string_view caption);
// True when `ch` is the accelerator of `caption` (letters compare without case).
bool IsAccel(char32_t ch, std::string_view caption);
// The caption without accelerator marks ("&&" becomes "&").
std::string StripHotkey(std::string_view caption);

// A canvas on a control that can be used outside a paint: it takes a device
// context of the control (of the parent, clipped and moved, for a windowless
// control) on first use and gives it back when the current message has been
// handled (FreeDeviceContexts) or the control goes away.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : control_(control) {}
  ~TControlCanvas() override;
  TControl* Control() const { return control_; }
  // Gives the context back (called after each dispatched message).
  void FreeHandle();
  // Paints use the paint context; the canvas must not keep it afterwards.
  void SetPaintHandle(HDC dc) {
    FreeHandle();
    SetHandle(dc);
    paintDC_ = dc != nullptr;
  }

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HWND dcWindow_ = nullptr;
  bool paintDC_ = false;
};
// Gives back every context taken by control canvases outside a paint.
void FreeDeviceContexts();

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  std::string ClassName() const override { return "TControl"; }

  // ---- parent and geometry ----
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  // Position in the parent's client area (screen for a form), size. Applies the
  // size constraints; realigns the parent and the control's own children.
  virtual void SetBounds(int left, int top, int width, int height);
  // The client area in the control's own coordinates.
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(int w);
  void SetClientHeight(int h);
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(TPoint p) {
    TPoint o = ClientOrigin();
    return {p.X + o.X, p.Y + o.Y};
  }
  TPoint ScreenToClient(TPoint p) {
    TPoint o = ClientOrigin();
    return {p.X - o.X, p.Y - o.Y};
  }

  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors a);
  const TSizeConstraints& Constraints() const { return constraints_; }
  void SetConstraints(const TSizeConstraints& c);
  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool v);

  // ---- state ----
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& s) { SetText(s); }
  const std::string& Text() const { return text_; }
  // Stores the text, then sends CM_TEXTCHANGED (and WM_SETTEXT to a window).
  virtual void SetText(const std::string& s);

  TFont& Font() { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);

  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& h) { hint_ = h; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);

  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* m);
  HCURSOR Cursor() const { return cursor_; }
  void SetCursor(HCURSOR c);

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle s) { controlStyle_ = s; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState s) { controlState_ = s; }

  // ---- messages ----
  LRESULT Perform(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
  // Replaceable message handler; by default calls WndProc. Save the old value
  // to chain to it.
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& msg);
  // What happens to a message nobody handled.
  virtual void DefaultHandler(TMessage& msg);

  // ---- painting ----
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  // A canvas usable at any time (windowed custom and graphic controls paint on it).
  TControlCanvas& ControlCanvas() { return canvas_; }

  // ---- mouse ----
  bool MouseCapture();
  void SetMouseCapture(bool v);
  // True while the pointer is over this control (see CM_MOUSEENTER / CM_MOUSELEAVE).
  bool MouseInControl() const;

  virtual void Click();
  virtual void DblClick();
  void BringToFront();
  void SendToBack();
  // Visible and all parents visible (for windowless controls; windowed ones ask the window).
  virtual bool IsShowing();
  // Makes the control's accelerator character compare to `ch`.
  bool IsAccelerator(char32_t ch) const { return IsAccel(ch, text_); }

  TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;

  virtual bool IsWindowed() const { return false; }

 protected:
  friend class TWinControl;
  virtual void MouseDown(TMouseBtn button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseBtn button, TShiftState shift, int x, int y);
  virtual bool DoMouseWheel(TShiftState shift, int delta, TPoint mousePos);
  virtual void Resize();
  // Auto size: CanAutoSize proposes the size; the base keeps it.
  virtual bool CanAutoSize(int& w, int& h);
  virtual void AdjustSize();
  // The windowless control paints itself here (windowed: TCustomControl::Paint).
  virtual void Paint() {}
  virtual void FontChanged();
  // Applies the new bounds; windowed controls move their window.
  virtual void DoSetBounds(int l, int t, int w, int h);
  void RequestAlign();
  void UpdateAnchorRules();
  void SendCancelMode();
  void InvalidateControl(bool isVisible, bool isOpaque);
  TPoint SmallPointFromLParam(LPARAM lp) const { return LParamToPoint(lp); }
  // Anchor distances kept for alNone children when the parent resizes.
  int anchorRight_ = 0, anchorBottom_ = 0;
  bool anchorValid_ = false;

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  TSizeConstraints constraints_;
  bool autoSize_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TFont font_;
  bool parentFont_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TPopupMenu* popupMenu_ = nullptr;
  HCURSOR cursor_ = crDefault;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState controlState_ = 0;
  TControlCanvas canvas_{this};
  int updatingFont_ = 0;

  void Notification(TComponent* c, TOperation op) override;
};

// A control without a window: it paints on its parent's surface.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  std::string ClassName() const override { return "TGraphicControl"; }
  TCanvas& Canvas() { return canvas_; }
  void WndProc(TMessage& msg) override;
};

// Parameters a windowed control creates its window with.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  std::string WinClassName = "VxWinControl";
  UINT WindowClassStyle = CS_DBLCLKS;
  TColor Background = clNone;
};

// A control with its own window. Children are windowless or windowed
// controls; the window is created when the control gets a parent that has
// one (or, for a form, at once) and lives until the control goes.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }
  bool IsWindowed() const override { return true; }

  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys the window and makes a new one (the window procedure sees
  // WM_NCCREATE again); children get new windows too.
  void RecreateWnd();
  // The control of a framework window, or nullptr.
  static TWinControl* FindControl(HWND hwnd);

  void SetParent(TWinControl* parent) override;
  void SetParentWindow(HWND parentWindow);
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void SetText(const std::string& s) override;
  void SetVisible(bool v) override;
  void SetEnabled(bool v) override;
  bool IsShowing() override;
  bool Showing() { return IsShowing(); }

  // ---- children (back to front in z-order) ----
  int ControlCount() const { return int(controls_.size()); }
  TControl* Controls(int i) const { return controls_.at(size_t(i)); }
  // The topmost visible (and enabled unless allowDisabled) child at a point of
  // the client area; windowed children only with allowWinControls.
  TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false);
  bool ContainsControl(TControl* c) const;
  void Broadcast(TMessage& msg);
  void NotifyControls(UINT msg);
  void PaintControls(HDC dc, TControl* first = nullptr);

  // ---- alignment ----
  void DisableAlign();
  void EnableAlign();
  bool AlignDisabled() const { return alignLevel_ > 0; }
  void Realign() { AlignControl(nullptr); }
  // Realigns the children; `control` (the one that asked) wins ties of position.
  void AlignControl(TControl* control);
  // Where aligned children go; starts as ClientRect.
  virtual void AdjustClientRect(TRect& r);
  virtual void AlignControls(TControl* control, TRect& r);

  // ---- focus and tab order ----
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  int TabOrder() const;
  void SetTabOrder(int v);
  // Windowed children in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* cur, bool goForward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* cur, bool goForward, bool checkTabStop);
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();

  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;

  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  void Invalidate() override;
  void Update() override;

 protected:
  friend class TControl;
  friend class TCustomForm;
  friend struct TWinControlAccess;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  // Called after the window exists (children get theirs here).
  virtual void CreateHandle();
  void DestroyHandle();
  void DoSetBounds(int l, int t, int w, int h) override;
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char32_t& key);
  virtual void DoEnter();
  virtual void DoExit();
  // Paints the client area into dc (TCustomControl: Paint on its canvas), then
  // the windowless children.
  virtual void PaintWindow(HDC dc);
  bool CanAutoSize(int& w, int& h) override;
  void FontChanged() override;
  void UpdateWindowBounds();
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  // Routes a mouse message to a windowless child; true when one took it.
  bool IsControlMouseMsg(TMessage& msg);
  bool DoKeyDownMsg(TMessage& msg);

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  bool tabStop_ = false;
  int alignLevel_ = 0;
  bool inAlign_ = false;
  bool brushCleared_ = false;
};

// A windowed control that paints itself on its canvas in Paint.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TCustomControl"; }
  TCanvas& Canvas() { return canvas_; }

 protected:
  void PaintWindow(HDC dc) override;
};

// The form a control sits on (the topmost one when forms are nested), or nullptr.
TCustomForm* GetParentForm(TControl* control, bool topForm = true);

// The control under the mouse now (windowless ones included), or nullptr.
TControl* MouseControl();
// Recomputes the control under the pointer and sends CM_MOUSELEAVE to the old
// one and CM_MOUSEENTER to the new one. Called on every mouse move, enter and
// leave of a framework window, so it also works while the mouse is captured.
void UpdateMouseControl();
// The deepest control at a screen point, windowless ones included.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
// Watches changes of MouseControl (the application's hint machinery uses it).
void SetMouseControlHook(std::function<void(TControl* from, TControl* to)> hook);
// The windowless control that has the mouse captured, or nullptr.
TControl* CaptureControl();

}  // namespace vx
