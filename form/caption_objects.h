// Caption objects of the form skinning component: the active parts of a
// skinned window frame (caption buttons with a command, plain and animated
// buttons, the caption text object and user objects), their layout in a frame
// of any size, painting in every state, mouse tracking, commands, hints, glow
// frames and the morph and animation timers. The list lives in the form
// component (TvxVelmora) and is reached through TvxVelmora::Objects().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/color.h"
#include "platform/core/geometry.h"
#include "platform/framework/controls.h"
#include "skin/vxSkinDefTypes.h"

namespace vx {

class TvxVelmora;
class TvxCaptionObjects;
class TvxBitmap;
class TvxSkinData;
class TMenuItem;
class TTimer;
class TvxDataSkinObject;
class TvxDataSkinButton;
class TvxDataSkinStdButton;
class TvxDataSkinCaption;
class TvxDataSkinAnimate;

// The base of every caption object. Fields named like definition keys are
// copied from the definition when the object is created.
class TvxActiveSkinObject {
 public:
  // Def may be null (the default buttons of the unskinned frame have none).
  TvxActiveSkinObject(TvxCaptionObjects& list, const std::string& idName,
                      const TvxDataSkinObject* def);
  virtual ~TvxActiveSkinObject();
  TvxActiveSkinObject(const TvxActiveSkinObject&) = delete;
  TvxActiveSkinObject& operator=(const TvxActiveSkinObject&) = delete;

  const std::string& IDName() const { return idName_; }
  TvxCaptionObjects& Objects() const { return list_; }
  TvxVelmora& Form() const;

  std::string hint;
  TRect skinrect, activeskinrect, inactiveskinrect;
  TRect ObjectRect;
  bool skinrectinapicture = false;
  int activepictureindex = -1;       // -1 when the definition's index is not a picture
  int activemaskpictureindex = -1;
  bool morphing = false;
  TvxMorphKind morphkind = vxmkDefault;
  int glowlayerpictureindex = -1, glowlayermaskpictureindex = -1;
  int glowlayeroffsetx = 0, glowlayeroffsety = 0, glowlayeralphablendvalue = 0;
  bool MouseInside = false;
  bool Highlighted = false;
  double BlendPos = 0;
  bool Enabled = true;
  bool Visible = true;

  // (X, Y) relative to ObjectRect. False outside the mask picture.
  virtual bool InObject(int x, int y) const;
  virtual void ShowGlow();
  virtual void HideGlow();
  virtual bool NeedsMorphStep() const;
  // IntoFrame: false while the frame painter composes the frame strips, true
  // for direct repaints into the window.
  virtual void Paint(TCanvas& c, bool intoFrame);
  // Paints onto the 32-bit top window of a full layered border; nothing here.
  virtual void PaintAlpha(TCanvas& c, TvxBitmap& target);
  virtual void DblClick();
  virtual void MouseDown(int x, int y, TMouseBtn button);
  virtual void MouseUp(int x, int y, TMouseBtn button);
  virtual void MouseMove(int x, int y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool IsCaption() const { return false; }

  // Morphing is on, the skin is loaded, skin effects are enabled and no full
  // layered border draws the buttons.
  bool Morphs() const;
  // Starts the morph timer when the object morphs, else repaints it.
  void StartMorphOrRepaint();
  // BlendPos one 0.2 step towards Highlighted, then a repaint.
  void MorphStep();

 protected:
  TvxSkinData* Skin() const;  // null when there is no loaded skin
  const TvxBitmap* ActivePicture() const;
  const TvxBitmap* MaskPicture() const;
  const TvxBitmap* FramePicture() const;
  const TvxBitmap* PictureAt(int index) const;
  // The picture the normal image (skinrect) comes from.
  const TvxBitmap* NormalPicture() const;
  // Copies Src of Pic 1:1 to ObjectRect.TopLeft; nothing without a picture.
  void DrawPicRect(TCanvas& c, const TvxBitmap* pic, const TRect& src) const;
  // Blends the normal image (NormalSrc of NormalPic) and the highlighted image
  // (ActiveSrc of the active picture) at BlendPos and draws the result.
  void DrawMorph(TCanvas& c, const TvxBitmap* normalPic, const TRect& normalSrc,
                 const TRect& activeSrc) const;
  bool InTransition() const;
  void PaintBase(TCanvas& c, bool intoFrame);
  // Event helpers: each returns false when this object was freed (or taken
  // out of the list) while the event ran; the caller must then return at once.
  bool FireEnter();
  bool FireLeave();
  bool FireDown(int x, int y, TMouseBtn button);
  bool FireUp(int x, int y, TMouseBtn button);
  bool Repaint();
  // The hover state of the base enter and leave, with the highlighted image
  // morphed in or out (or repainted); false when the object went meanwhile.
  bool SetHover(bool inside);
  // A copy taken before calling out; Gone(t) afterwards tells whether the
  // object may still be used (it was freed, or taken out of the list). Static:
  // nothing of a freed object is touched, not even to call a member.
  std::weak_ptr<int> Token() const { return alive_; }
  static bool Gone(const std::weak_ptr<int>& t) {
    const auto p = t.lock();
    return p == nullptr || *p != 0;
  }
  // Objects with a menu item use the second glow layer manager.
  virtual bool HasMenuItem() const { return false; }

 private:
  friend class TvxCaptionObjects;
  TvxCaptionObjects& list_;
  std::string idName_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);  // 1 once out of the list
};

// Painted only by the form's OnPaintEvent.
class TvxUserObject : public TvxActiveSkinObject {
 public:
  using TvxActiveSkinObject::TvxActiveSkinObject;
  void Paint(TCanvas& c, bool intoFrame) override;
};

// A button; may carry a menu item whose sub-items open on a press.
class TvxSkinButtonObject : public TvxActiveSkinObject {
 public:
  TvxSkinButtonObject(TvxCaptionObjects& list, const std::string& idName,
                      const TvxDataSkinButton* def);

  bool Pressed = false;
  bool PopupUp = false;
  TRect downrect, disableskinrsect;
  TMenuItem* MenuItem = nullptr;  // not owned

  bool NeedsMorphStep() const override;
  void Paint(TCanvas& c, bool intoFrame) override;
  void MouseDown(int x, int y, TMouseBtn button) override;
  void MouseUp(int x, int y, TMouseBtn button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void SetPressed(bool value);
  virtual void OpenObjectMenu();

 protected:
  void PaintButton(TCanvas& c, bool intoFrame);
  bool HasMenuItem() const override { return MenuItem != nullptr; }
};

// A caption button with a window command and restore-state images.
class TvxSkinStdButtonObject : public TvxSkinButtonObject {
 public:
  // Def null: a default button of the unskinned frame.
  TvxSkinStdButtonObject(TvxCaptionObjects& list, const std::string& idName,
                         const TvxDataSkinStdButton* def, TvxSkinCommand cmd);
  ~TvxSkinStdButtonObject() override;

  TvxSkinCommand command = cmDefault;
  TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
  std::string normalhint, restorehint;
  // Copies of the definition's premultiplied state images (may be null).
  std::unique_ptr<TvxBitmap> AlphaNormalImage, AlphaActiveImage, AlphaDownImage,
      AlphaInactiveImage, AlphaRestoreNormalImage, AlphaRestoreActiveImage,
      AlphaRestoreDownImage, AlphaRestoreInactiveImage;
  bool HasDefinition() const { return hasDef_; }

  // Maximize while maximized, minimize while a non-main form is minimized,
  // roll-up while rolled up.
  bool InRestoreState() const;
  // A system-menu button that draws the form's icon.
  bool ShowsIcon() const;

  bool InObject(int x, int y) const override;
  void Paint(TCanvas& c, bool intoFrame) override;
  void PaintAlpha(TCanvas& c, TvxBitmap& target) override;
  void DblClick() override;
  void MouseDown(int x, int y, TMouseBtn button) override;
  void MouseUp(int x, int y, TMouseBtn button) override;
  void MouseEnter() override;
  void ExecuteCommand();

 private:
  void PaintDefault(TCanvas& c);
  bool hasDef_ = false;
};

// A button whose images are a horizontal strip of frames.
class TvxSkinAnimateObject : public TvxActiveSkinObject {
 public:
  TvxSkinAnimateObject(TvxCaptionObjects& list, const std::string& idName,
                       const TvxDataSkinAnimate* def);

  int countframes = 1;
  bool cycle = false;
  bool buttonstyle = false;
  int timerinterval = 25;
  TvxSkinCommand command = cmDefault;
  TRect downskinrect;
  TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
  std::string normalhint, restorehint;
  int FrameIndex = 1;
  int StepClock = 25;
  bool Forward = true;
  bool Pressed = false;
  bool MenuOpen = false;
  TMenuItem* MenuItem = nullptr;  // not owned

  // countframes of zero or less: the object has nothing to animate.
  bool Animates() const { return countframes > 0; }
  bool InRestoreState() const;
  // One 25 ms tick of the animation timer; true while it still needs ticks.
  bool AnimationStep();
  bool NeedsMorphStep() const override { return false; }
  void Paint(TCanvas& c, bool intoFrame) override;
  void DblClick() override;
  void MouseDown(int x, int y, TMouseBtn button) override;
  void MouseUp(int x, int y, TMouseBtn button) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void ExecuteCommand();
  void OpenObjectMenu();
  // The skin menu the object opened closed: play back to the first frame.
  void MenuClosed();

 protected:
  bool HasMenuItem() const override { return MenuItem != nullptr; }

 private:
  // Enter and leave: unless a menu is open, play forward or back (a held
  // button with a pressed image only repaints). False when freed meanwhile.
  bool PlayTowards(bool forward);
};

// The caption: text, caption picture, caption frame and caption animation.
class TvxSkinCaptionObject : public TvxActiveSkinObject {
 public:
  TvxSkinCaptionObject(TvxCaptionObjects& list, const std::string& idName,
                       const TvxDataSkinCaption* def);

  TRect textrect;
  std::string fontname;
  int fontheight = 0;
  TFontStyles fontstyle;
  TColor fontcolor = 0, activefontcolor = 0;
  TAlignment alignment = taLeftJustify;
  bool light = false;
  TColor lightcolor = 0, activelightcolor = 0;
  bool shadow = false;
  TColor shadowcolor = 0, activeshadowcolor = 0;
  TRect framerect, activeframerect, frametextrect;
  int frameleftoffset = 0, framerightoffset = 0;
  bool fullframe = false;
  bool stretcheffect = false;
  TRect animateskinrect;
  int framecount = 0;
  int animateinterval = 0;
  bool inactiveanimation = false;
  bool vistagloweffect = false, vistaglowinactiveeffect = false;
  bool gloweffect = false, glowinactiveeffect = false;
  int glowsize = 0;
  TColor glowcolor = 0, glowactivecolor = 0;
  int glowoffset = 0;
  bool reflectioneffect = false;
  TColor reflactioncolor = 0, reflactionactivecolor = 0;
  int reflectionoffset = 0;
  TRect dividerrect, inactivedividerrect;
  bool dividertransparent = false;
  TColor dividertransparentcolor = 0;
  int quickbuttonalphamaskpictureindex = -1;

  int FadeFrame = 0;
  int FadeClock = 0;
  int QuickHotIndex = -1, QuickPrevHotIndex = -1, QuickDownIndex = -1, QuickMenuIndex = -1;

  // animateskinrect set, framecount above zero and skin effects enabled.
  bool Animated() const;
  // One 25 ms tick of the caption animation; true while it still needs ticks.
  bool AnimationStep();
  // The text area inside the object (relative to the caption picture).
  TRect TextArea() const;

  bool IsCaption() const override { return true; }
  void Paint(TCanvas& c, bool intoFrame) override;

 private:
  // Caption image of the object's size from Src of the active picture.
  void BuildCaptionImage(TvxBitmap& out, const TRect& src) const;
  // Draws the caption text at origin (X0, Y0) for active state A.
  void DrawCaptionText(TCanvas& c, int x0, int y0, bool a);
};

// The object list and the list-wide operations of the form component.
class TvxCaptionObjects {
 public:
  explicit TvxCaptionObjects(TvxVelmora& form);
  ~TvxCaptionObjects();
  TvxCaptionObjects(const TvxCaptionObjects&) = delete;
  TvxCaptionObjects& operator=(const TvxCaptionObjects&) = delete;

  TvxVelmora& Form() const { return form_; }

  int Count() const { return static_cast<int>(objects_.size()); }
  TvxActiveSkinObject* Object(int i) const;
  bool Empty() const { return objects_.empty(); }
  // The first object named IDName, or null.
  TvxActiveSkinObject* FindObject(const std::string& idName) const;
  int IndexOf(const TvxActiveSkinObject* obj) const;

  // Frees all objects and resets the indexes. Objects freed while one of them
  // is still running an event are kept alive until that call returns.
  void Clear();
  void CreateSkinObjects();
  void CreateDefaultObjects();
  void ApplyBorderIcons();
  void LocalizeObjectHints();

  // Skin mode layout: anchoring to the four frame corners, then the
  // automatic button layout.
  void ArrangeObjects();
  // Default mode layout of the six default buttons for the frame's current
  // size; returns the caption rectangle left between them.
  TRect LayoutDefaultObjects();
  // The position of R (picture coordinates) in the current frame.
  TRect AnchorRect(const TRect& r) const;

  void RepaintObject(TvxActiveSkinObject* obj);

  int HotIndex() const { return hotIndex_; }
  int PrevHotIndex() const { return prevHotIndex_; }
  int PressedIndex() const { return pressedIndex_; }
  void ResetIndexes();
  void ResetHover();

  void TrackMouse(int x, int y, bool track);
  // Second stage of the form window procedure for the non-client mouse
  // messages and the button-up messages that arrive while an object holds the
  // capture. True when an object took the message (a caption button was
  // pressed or released, or the system menu opened), so a caller may leave out
  // the default handling. Presses on HTCAPTION answer false: moving and the
  // caption double-click belong to the window behaviour.
  bool RouteMouse(TMessage& m);
  void SetActiveState(bool animate);
  // Skin menus opened from an object closed.
  void MenuClosed();

  void StartMouseTracking();
  bool MouseTrackingActive() const;
  void StartMorphTimer();
  bool MorphTimerActive() const;
  void StartAnimationTimer();
  bool AnimationTimerActive() const;
  void StopTimers();

  // One tick of each timer (what the timers run every interval).
  void MouseTrackingTick();
  void MorphTick();
  void AnimationTick();

  // Hint shown for the hot object (empty when none).
  const std::string& ShownHint() const { return shownHint_; }

  // Opens the sub-items of Item below ScreenRect and runs the chosen item.
  // The skin menu engine plugs in here; without it a plain popup opens.
  std::function<void(TMenuItem* item, const TRect& screenRect)> OnPopupMenuItems;
  void PopupMenuItems(TMenuItem* item, const TRect& screenRect);
  // Draws the form's icon at the small-icon size at (X, Y).
  void DrawFormIcon(TCanvas& c, int x, int y);

  // Press the hot object / release the pressed object (mouse routing);
  // true when a button (not the caption) took the press or release.
  bool PressObject(int x, int y, TMouseBtn button);
  bool ReleaseObject(int x, int y, TMouseBtn button);

  // Held while objects are being called: a Clear from inside (an event that
  // changes the skin) keeps the objects alive until the outermost holder has
  // returned and the form window's message is done, so that the callers'
  // object pointers stay valid.
  class CallGuard {
   public:
    explicit CallGuard(TvxCaptionObjects& l) : alive_(l.alive_), list_(&l) { ++l.callDepth_; }
    ~CallGuard() {
      if (alive_.expired()) return;
      if (--list_->callDepth_ == 0) list_->FreeRetired();
    }
    CallGuard(const CallGuard&) = delete;
    CallGuard& operator=(const CallGuard&) = delete;
    // The list itself was freed while the call ran.
    bool Gone() const { return alive_.expired(); }

   private:
    std::weak_ptr<int> alive_;
    TvxCaptionObjects* list_;
  };

  // Liveness of the list across call-outs: a copy taken before an event
  // tells afterwards whether the list still exists.
  std::weak_ptr<int> AliveToken() const { return alive_; }
  // Incremented by every Clear; a changed value after a call-out means the
  // objects the caller held are gone.
  uint64_t Generation() const { return generation_; }

 private:
  friend class TvxActiveSkinObject;
  void ValidateIndexes();
  void ShowObjectHint(TvxActiveSkinObject* obj);
  void HideObjectHint();
  // Frees the objects taken out of the list once nothing runs that may still
  // hold them: no call into the objects, and no message of the form window
  // being handled (the frame painter walks the objects while it paints).
  void FreeRetired();
  // The form's window, or null while the form has none or is going.
  HWND FormHandle() const;
  // Gives up the capture a pressed button took.
  void DropCapture();
  void StopTimer(const std::unique_ptr<TTimer>& t);

  TvxVelmora& form_;
  std::vector<std::unique_ptr<TvxActiveSkinObject>> objects_;
  std::vector<std::unique_ptr<TvxActiveSkinObject>> retired_;
  int callDepth_ = 0;
  uint64_t generation_ = 0;
  int hotIndex_ = -1, prevHotIndex_ = -1, pressedIndex_ = -1;
  HWND captureWnd_ = nullptr;  // the window a pressed button captured the mouse to
  std::unique_ptr<TTimer> trackTimer_, morphTimer_, animTimer_;
  std::string shownHint_;
  std::unique_ptr<TvxBitmap> icon_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace vx
