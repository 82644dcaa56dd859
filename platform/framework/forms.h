// Forms, the application object, the screen object and the hint window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/framework/controls.h"

namespace vx {

class TMainMenu;
class TMenuItem;

// Misuse of a control or form (focusing a hidden control, making a visible form modal).
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIconFlag : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint8_t;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
enum : int {
  mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
  mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11,
};

// A key message as the shortcut handlers see it.
struct TWMKey {
  UINT Msg = WM_KEYDOWN;
  WORD CharCode = 0;
  LPARAM KeyData = 0;
  LRESULT Result = 0;
};

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(TWMKey& msg, bool& handled)>;

class TCustomForm : public TCustomControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  std::string ClassName() const override { return "TCustomForm"; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle v);
  TWindowState WindowState();
  void SetWindowState(TWindowState v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* m);
  // The form paints a plain frame (caption, buttons, border) unless something
  // else handles WM_NCPAINT first (the form skinning component).
  bool PlainFrame() const { return plainFrame_; }
  void SetPlainFrame(bool v);

  // The control that has (or gets, when the form is activated) the focus.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* c);
  // Gives c the focus, activating the form when needed.
  void FocusControl(TWinControl* c);
  // Moves the focus off c (it is being hidden or disabled).
  void DefocusControl(TWinControl* c);
  void SetFocusToForm();
  bool Active() const { return active_; }

  // ---- showing and closing ----
  void SetVisible(bool v) override;
  void SetParent(TWinControl* parent) override;
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Shows the form modally: the other forms are disabled and messages are
  // processed until ModalResult is set (a button, Close) or the application
  // ends. Returns ModalResult. Throws EInvalidOperation for a visible form.
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  // Asks OnCloseQuery, then OnClose with the default action (caHide; a modal
  // form sets ModalResult to mrCancel instead; the main form ends the application).
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages being handled are done.
  void Release();

  // Menu shortcuts: OnShortCut first, then the main menu.
  virtual bool IsShortCut(WORD key, TShiftState shift);
  bool IsShortCut(TWMKey& msg);

  // MDI: the child forms of an MDI main form (fsMDIForm).
  int MDIChildCount() const;
  TCustomForm* MDIChildren(int i) const;
  TCustomForm* ActiveMDIChild() const;

  TNotifyEvent OnShow, OnHide, OnActivate, OnDeactivate, OnPaint, OnCreate, OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

  void WndProc(TMessage& msg) override;

  // Called by controls of the form.
  void SetFocusedControl(TWinControl* c);
  void ControlRemoved(TControl* c);
  void KeyPreviewDown(WORD& key, TShiftState shift) { KeyDown(key, shift); }
  void KeyPreviewPress(char32_t& key) { KeyPress(key); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateHandle() override;
  void Paint() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoClose(TCloseAction& action);
  // The plain frame: caption bar, caption buttons and border.
  virtual void PaintPlainFrame(HDC windowDC);
  // Caption button rectangles in window coordinates (empty when absent).
  TRect CaptionButtonRect(int hit);
  void ApplyStyle();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TPosition position_ = poDesigned;
  bool keyPreview_ = false;
  TMainMenu* menu_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  bool active_ = false;
  bool ncActive_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
  bool plainFrame_ = true;
  int pressedHit_ = 0;
  bool releasing_ = false;

  void Notification(TComponent* c, TOperation op) override;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
  std::string ClassName() const override { return "TForm"; }
};

// ---- hints -------------------------------------------------------------------------

struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos;        // screen position of the hint window
  int HintMaxWidth = 300;
  TColor HintColor = clInfoBk;
  TRect CursorRect;      // the hint hides when the pointer leaves it (control coordinates)
  TPoint CursorPos;      // control coordinates
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
};

// The window that shows a hint. Replace it with Application->SetHintWindowClass.
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* owner);
  std::string ClassName() const override { return "THintWindow"; }
  // The window rectangle (at 0, 0) a hint text needs.
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
  // Shows the hint in rect (screen coordinates) without activating.
  virtual void ActivateHint(const TRect& rect, const std::string& hint);
  virtual void ReleaseHint();
  bool Showing() { return handle_ && IsWindowVisible(handle_); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
};

using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& info)>;
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
// A message filter: returns true when it handled the message (it is then not dispatched).
using TMessageFilter = std::function<bool(MSG& msg)>;
using TMessageFilterId = uint64_t;

// ---- the application ---------------------------------------------------------------

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;
  std::string ClassName() const override { return "TApplication"; }

  void Initialize() {}
  // Creates a form owned by the application; the first one becomes the main form.
  template <class T>
  T* CreateForm() {
    T* f = new T(this);
    if (!mainForm_) mainForm_ = f;
    return f;
  }
  TCustomForm* MainForm() const { return mainForm_; }
  void SetMainForm(TCustomForm* f) { mainForm_ = f; }
  std::string Title() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }

  // Shows the main form and processes messages until it closes (or Terminate,
  // or nothing can arrive any more).
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Lets the loops run again after Terminate (hosts that run more than one
  // session in a process, such as tests). Run does it at its start.
  void ClearTerminated() { terminated_ = false; }
  // Processes every pending message; safe to call from inside a handler.
  void ProcessMessages();
  // Processes one message, or waits for one. False when nothing can ever
  // arrive (or the application ended).
  bool HandleMessage();

  // OnMessage sees every message of the application's loops first; then the
  // filters, newest first. Filters leave by identity, in any order, also from
  // inside a filter.
  TMessageEvent OnMessage;
  TMessageFilterId AddMessageFilter(TMessageFilter filter);
  bool RemoveMessageFilter(TMessageFilterId id);
  int MessageFilterCount() const { return int(filters_.size()); }

  // Minimizes every form (the main form is minimized, the others hidden) and
  // brings them back.
  void Minimize();
  void Restore();
  bool IsMinimized() const { return minimized_; }
  TNotifyEvent OnMinimize, OnRestore, OnActivate, OnDeactivate, OnHint;

  // ---- hints ----
  bool ShowHint() const { return showHint_; }
  // Switching on (again) makes a new hint window of the current class.
  void SetShowHint(bool v);
  void SetHintWindowClass(THintWindowClass factory);
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor c) { hintColor_ = c; }
  TShowHintEvent OnShowHint;
  const std::string& Hint() const { return hint_; }
  THintWindow* HintWindow() const { return hintWindow_; }
  // Shows the hint of the control under the pointer now.
  void ActivateHint(TPoint cursorPos);
  void CancelHint();
  void HideHint();

  // Called by the controls.
  void MouseControlChanged(TControl* from, TControl* to);
  void FormDestroyed(TCustomForm* f);

 protected:
  void Notification(TComponent* c, TOperation op) override;

 private:
  bool ProcessMessage(MSG& msg);
  void StartHintTimer(int ms);
  void StopHintTimer();
  void StartHideTimer(int ms);
  void StopHideTimer();

  struct Filter {
    TMessageFilterId id;
    TMessageFilter fn;
    bool removed = false;
  };
  std::vector<std::shared_ptr<Filter>> filters_;
  TMessageFilterId nextFilterId_ = 1;
  TCustomForm* mainForm_ = nullptr;
  std::string title_;
  bool terminated_ = false;
  bool minimized_ = false;
  std::vector<HWND> hiddenByMinimize_;
  bool showHint_ = true;
  THintWindowClass hintClass_;
  THintWindow* hintWindow_ = nullptr;
  TControl* hintControl_ = nullptr;
  uintptr_t hintTimer_ = 0;
  uintptr_t hideTimer_ = 0;
  int hintPause_ = 500;
  int hintHidePause_ = 2500;
  TColor hintColor_ = clInfoBk;
  std::string hint_;
};

// ---- the screen --------------------------------------------------------------------

struct TMonitor {
  HMONITOR Handle = nullptr;
  int MonitorNum = 0;
  TRect BoundsRect;
  TRect WorkareaRect;
  bool Primary = false;
};

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TScreen"; }
  int FormCount() const { return int(forms_.size()); }
  TCustomForm* Forms(int i) const { return forms_.at(size_t(i)); }
  TCustomForm* ActiveForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  int MonitorCount() const;
  TMonitor Monitors(int i) const;
  TMonitor MonitorFromWindow(HWND h) const;
  TMonitor MonitorFromPoint(TPoint p) const;
  int Width() const { return GetScreenSize().cx; }
  int Height() const { return GetScreenSize().cy; }
  TRect WorkAreaRect() const;
  HCURSOR Cursor() const { return cursor_; }
  void SetCursor(HCURSOR c);
  TNotifyEvent OnActiveFormChange, OnActiveControlChange;

  // Kept by the forms.
  void AddForm(TCustomForm* f);
  void RemoveForm(TCustomForm* f);
  void SetActiveForm(TCustomForm* f);
  void SetActiveControl(TWinControl* c);

 private:
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  HCURSOR cursor_ = crDefault;
};

// The process-wide objects (created when the library is loaded).
extern TApplication* Application;
extern TScreen* Screen;

}  // namespace vx
