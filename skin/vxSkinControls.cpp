#include "skin/vxSkinControls.h"

namespace vx {

std::unique_ptr<TvxDataSkinControl> CreateSkinControlDefinition(const std::string& type,
                                                                const std::string& name) {
  if (type == "panel") return std::make_unique<TvxDataSkinPanelControl>(name);
  if (type == "expanel") return std::make_unique<TvxDataSkinExPanelControl>(name);
  if (type == "menubutton") return std::make_unique<TvxDataSkinMenuButtonControl>(name);
  if (type == "button") return std::make_unique<TvxDataSkinButtonControl>(name);
  if (type == "checkradio") return std::make_unique<TvxDataSkinCheckRadioControl>(name);
  if (type == "gauge") return std::make_unique<TvxDataSkinGaugeControl>(name);
  if (type == "splitter") return std::make_unique<TvxDataSkinSplitterControl>(name);
  if (type == "trackbar") return std::make_unique<TvxDataSkinTrackBarControl>(name);
  if (type == "label") return std::make_unique<TvxDataSkinLabelControl>(name);
  if (type == "stdlabel") return std::make_unique<TvxDataSkinStdLabelControl>(name);
  if (type == "updown") return std::make_unique<TvxDataSkinUpDownControl>(name);
  if (type == "grid") return std::make_unique<TvxDataSkinGridControl>(name);
  if (type == "tab") return std::make_unique<TvxDataSkinTabControl>(name);
  if (type == "mainmenubar") return std::make_unique<TvxDataSkinMainMenuBar>(name);
  if (type == "controlbar") return std::make_unique<TvxDataSkinControlBar>(name);
  if (type == "appmenu") return std::make_unique<TvxDataSkinAppMenu>(name);
  if (type == "memo") return std::make_unique<TvxDataSkinMemoControl>(name);
  if (type == "edit") return std::make_unique<TvxDataSkinEditControl>(name);
  if (type == "checklistbox") return std::make_unique<TvxDataSkinCheckListBox>(name);
  if (type == "listbox") return std::make_unique<TvxDataSkinListBox>(name);
  if (type == "combobox") return std::make_unique<TvxDataSkinComboBox>(name);
  if (type == "scrollbar") return std::make_unique<TvxDataSkinScrollBarControl>(name);
  if (type == "spinedit") return std::make_unique<TvxDataSkinSpinEditControl>(name);
  if (type == "scrollbox") return std::make_unique<TvxDataSkinScrollBoxControl>(name);
  if (type == "treeview") return std::make_unique<TvxDataSkinTreeView>(name);
  if (type == "bevel") return std::make_unique<TvxDataSkinBevel>(name);
  if (type == "slider") return std::make_unique<TvxDataSkinSlider>(name);
  if (type == "listview") return std::make_unique<TvxDataSkinListView>(name);
  if (type == "richedit") return std::make_unique<TvxDataSkinRichEdit>(name);
  return nullptr;
}

}  // namespace vx
