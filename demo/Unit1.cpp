#include "demo/Unit1.h"

#include "form/velmora.h"
#include "platform/core/streams.h"
#include "skin/vxResStrData.h"
#include "skin/vxSkinData.h"
#include "skin/vxStoredSkin.h"
#include "skins/builtin_skins.h"

using namespace vx;

namespace demo {

TForm1::TForm1(TComponent* owner) : TForm(owner) {
  SetCaption("Velmora VCL - Office 2010 Ribbon UI - Demo");
  SetBounds(296, 208, Width(), Height());
  SetColor(clBtnFace);
  Font().SetName("MS Sans Serif");
  Font().SetHeight(-11);
  SetBorderIcons(0);

  // The skin list holds the three built-in packages inline, as the stored
  // window description does.
  vxCompressedSkinList1 = new TvxCompressedSkinList(this);
  for (const TvxBuiltinSkin& skin : BuiltinSkins()) {
    TvxSkinListItem* item = vxCompressedSkinList1->Skins()->Add();
    item->SetDescription(skin.Name);
    item->SetName("vxSkin" + std::to_string(item->Index()));
    TMemoryStream bytes(std::vector<uint8_t>(skin.Data, skin.Data + skin.Size));
    item->ReadSkin(bytes);
    item->SetCompressedFileName(std::string(skin.Name) + ".skn");
  }

  vxResourceStrData1 = new TvxResourceStrData(this);

  vxSkinData1 = new TvxSkinData(this);
  vxSkinData1->SetResourceStrData(vxResourceStrData1);
  vxSkinData1->SetSkinList(vxCompressedSkinList1);
  vxSkinData1->SetSkinIndex(0);

  vxVelmora1 = new TvxVelmora(this);
  vxVelmora1->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
  vxVelmora1->SetShowObjectHint(false);
  vxVelmora1->SetShowIcon(false);
  vxVelmora1->DefCaptionFont().SetName("Arial");
  vxVelmora1->DefCaptionFont().SetHeight(14);
  vxVelmora1->DefInActiveCaptionFont().SetName("Arial");
  vxVelmora1->DefInActiveCaptionFont().SetHeight(14);
  vxVelmora1->SetMenusSkinData(vxSkinData1);
  vxVelmora1->SetSkinData(vxSkinData1);

  SetClientWidth(617);
  SetClientHeight(443);
}

}  // namespace demo
