// The demonstration program's main window: a skinned form whose components are
// created with their stored values, in the first built-in skin.
#pragma once

#include "platform/framework/forms.h"

namespace vx {
class TvxSkinData;
class TvxCompressedSkinList;
class TvxResourceStrData;
class TvxVelmora;
}  // namespace vx

namespace demo {

class TForm1 : public vx::TForm {
 public:
  explicit TForm1(vx::TComponent* owner);

  vx::TvxSkinData* vxSkinData1 = nullptr;
  vx::TvxCompressedSkinList* vxCompressedSkinList1 = nullptr;
  vx::TvxResourceStrData* vxResourceStrData1 = nullptr;
  vx::TvxVelmora* vxVelmora1 = nullptr;
};

}  // namespace demo
