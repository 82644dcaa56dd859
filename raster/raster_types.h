// Enumerations shared by the skin definitions and the drawing primitives. The
// ordinals are what skin definitions store.
#pragma once

namespace vx {

// How a client area or a middle part is stretched.
enum TvxStretchType : int { vxstFull = 0, vxstHorz = 1, vxstVert = 2 };

// Image effects that turn an active picture into its inactive look.
enum TvxImageEffect : int {
  vxieBrightness = 0,
  vxieDarkness = 1,
  vxieGrayScale = 2,
  vxieNoise = 3,
  vxieSplitBlur = 4,
  vxieInvert = 5
};

// Animated transitions between two states of a skinned element.
enum TvxMorphKind : int {
  vxmkDefault = 0,
  vxmkGradient = 1,
  vxmkLeftGradient = 2,
  vxmkRightGradient = 3,
  vxmkLeftSlide = 4,
  vxmkRightSlide = 5,
  vxmkPush = 6
};

}  // namespace vx
