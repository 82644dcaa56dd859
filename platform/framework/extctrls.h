// Timer, bevel and panel.
#pragma once

#include "platform/framework/controls.h"

namespace vx {

// Fires OnTimer every Interval milliseconds while Enabled (and OnTimer is set).
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner) : TComponent(owner) {}
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  UINT Interval() const { return interval_; }
  // 0 stops the timer (it stays Enabled).
  void SetInterval(UINT ms);
  // Assign through SetOnTimer so that the timer starts or stops with it.
  void SetOnTimer(TNotifyEvent e);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  bool Running() const { return id_ != 0; }

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  bool enabled_ = true;
  UINT interval_ = 1000;
  TNotifyEvent onTimer_;
  uintptr_t id_ = 0;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);
  std::string ClassName() const override { return "TBevel"; }
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape s);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle s);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A plain container with an optional caption and raised or lowered edges.
class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);
  std::string ClassName() const override { return "TPanel"; }
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel b);
  void AdjustClientRect(TRect& r) override;

 protected:
  void Paint() override;

 private:
  TPanelBevel bevelOuter_ = bvRaised;
};

}  // namespace vx
