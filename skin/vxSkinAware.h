// The interface of everything on a form that draws from a skin data component
// and must follow its changes. The form skinning component walks its form's
// controls (and the form's other owned components) and calls these on every
// one whose SkinData() is the skin data that announced the change.
#pragma once

namespace vx {

class TvxSkinData;

class IvxSkinAware {
 public:
  virtual ~IvxSkinAware() = default;
  // The skin data the object draws from (null: none).
  virtual TvxSkinData* SkinData() const = 0;
  // A skin load starts: forget every definition index and picture reference.
  virtual void BeforeChangeSkinData() = 0;
  // The new skin is in place: look the definitions up again, fit and repaint.
  virtual void ChangeSkinData() = 0;
};

}  // namespace vx
