// The built-in skins: the compiled-in packages, the files beside the demo,
// loading into the skin data with the class each type keyword names, a clean
// validation and the contact sheets written for looking at.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>

#include "platform/codecs/png_codec.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "skin/vxSkinControls.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"
#include "skin/vxStoredSkin.h"
#include "skins/builtin_skins.h"
#include "tools/skintool.h"
#include "tools/skintool_skin.h"

namespace vx {
namespace {

const char* const kNames[] = {"Office2010_Silver", "Office2010_Blue", "Office2010_Black"};

std::string PackagePath(int i) { return std::string(VX_BUILTIN_SKINS_DIR) + "/" + kNames[i] + ".skn"; }

TEST(BuiltinSkins, ThreePackagesInOrderMatchTheFilesBesideTheDemo) {
  ASSERT_EQ(BuiltinSkins().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const TvxBuiltinSkin& s = BuiltinSkins()[size_t(i)];
    EXPECT_STREQ(s.Name, kNames[i]);
    TMemoryStream file;
    file.LoadFromFile(std::string(VX_DEMO_DIR) + "/" + kNames[i] + ".skn");
    ASSERT_EQ(size_t(file.Size()), s.Size) << kNames[i];
    EXPECT_TRUE(std::equal(s.Data, s.Data + s.Size, file.Bytes().begin())) << kNames[i];
    // Outer version 3, then the zlib stream at level 9.
    ASSERT_GT(s.Size, 10u);
    EXPECT_EQ(s.Data[0], 3);
    EXPECT_EQ(s.Data[8], 0x78);
    EXPECT_EQ(s.Data[9], 0xDA);
  }
}

// A check per type keyword that the definition has the class the keyword names.
using ClassCheck = std::function<bool(const TObject*)>;
template <class T>
ClassCheck Is() {
  return [](const TObject* o) { return dynamic_cast<const T*>(o) != nullptr; };
}
const std::map<std::string, ClassCheck>& ControlClasses() {
  static const std::map<std::string, ClassCheck> m = {
      {"panel", Is<TvxDataSkinPanelControl>()},        {"expanel", Is<TvxDataSkinExPanelControl>()},
      {"menubutton", Is<TvxDataSkinMenuButtonControl>()}, {"button", Is<TvxDataSkinButtonControl>()},
      {"checkradio", Is<TvxDataSkinCheckRadioControl>()}, {"gauge", Is<TvxDataSkinGaugeControl>()},
      {"splitter", Is<TvxDataSkinSplitterControl>()},  {"trackbar", Is<TvxDataSkinTrackBarControl>()},
      {"label", Is<TvxDataSkinLabelControl>()},        {"stdlabel", Is<TvxDataSkinStdLabelControl>()},
      {"updown", Is<TvxDataSkinUpDownControl>()},      {"grid", Is<TvxDataSkinGridControl>()},
      {"tab", Is<TvxDataSkinTabControl>()},            {"mainmenubar", Is<TvxDataSkinMainMenuBar>()},
      {"controlbar", Is<TvxDataSkinControlBar>()},     {"appmenu", Is<TvxDataSkinAppMenu>()},
      {"memo", Is<TvxDataSkinMemoControl>()},          {"edit", Is<TvxDataSkinEditControl>()},
      {"checklistbox", Is<TvxDataSkinCheckListBox>()}, {"listbox", Is<TvxDataSkinListBox>()},
      {"combobox", Is<TvxDataSkinComboBox>()},         {"scrollbar", Is<TvxDataSkinScrollBarControl>()},
      {"spinedit", Is<TvxDataSkinSpinEditControl>()},  {"scrollbox", Is<TvxDataSkinScrollBoxControl>()},
      {"treeview", Is<TvxDataSkinTreeView>()},         {"bevel", Is<TvxDataSkinBevel>()},
      {"slider", Is<TvxDataSkinSlider>()},             {"listview", Is<TvxDataSkinListView>()},
      {"richedit", Is<TvxDataSkinRichEdit>()}};
  return m;
}
const std::map<std::string, ClassCheck>& ObjectClasses() {
  static const std::map<std::string, ClassCheck> m = {
      {"caption", Is<TvxDataSkinCaption>()},
      {"stdbutton", Is<TvxDataSkinStdButton>()},
      {"menuitem", Is<TvxDataSkinMenuItem>()},
      {"mainmenubaritem", Is<TvxDataSkinMainMenuBarItem>()},
      {"mainmenubarbutton", Is<TvxDataSkinMainMenuBarButton>()}};
  return m;
}

TEST(BuiltinSkins, LoadIntoSkinDataWithTheClassOfEveryType) {
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(kNames[i]);
    const TvxBuiltinSkin& s = BuiltinSkins()[size_t(i)];
    TMemoryStream bytes(std::vector<uint8_t>(s.Data, s.Data + s.Size));
    TvxCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressedStream(bytes);
    ASSERT_FALSE(stored.IsEmpty());
    const TvxSkinPackageContent content = stored.ReadContent();
    EXPECT_EQ(content.InnerVersion, 3);
    EXPECT_FALSE(content.Picture.Empty());
    EXPECT_TRUE(content.InactivePicture.Empty());
    EXPECT_FALSE(content.MaskPicture.Empty());
    EXPECT_EQ(content.ActivePictures.size(), 12u);

    TvxSkinData data(nullptr);
    data.LoadCompressedStoredSkin(&stored);
    ASSERT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, kNames[i]);
    EXPECT_NE(data.LayerFrame.ActiveImage, nullptr);

    TMemIniFile ini;
    ini.SetText(content.IniText);
    const auto objects = ReadSkinEntries(ini, "SKINOBJECTS");
    ASSERT_EQ(data.ObjectList.size(), objects.size());
    for (size_t k = 0; k < objects.size(); ++k) {
      const auto it = ObjectClasses().find(objects[k].second);
      ASSERT_NE(it, ObjectClasses().end()) << objects[k].second;
      EXPECT_TRUE(it->second(data.ObjectList[k].get())) << objects[k].first;
    }
    const auto controls = ReadSkinEntries(ini, "SKINCONTROLS");
    ASSERT_EQ(data.ControlList.size(), controls.size());
    for (size_t k = 0; k < controls.size(); ++k) {
      const auto it = ControlClasses().find(controls[k].second);
      ASSERT_NE(it, ControlClasses().end()) << controls[k].second;
      EXPECT_TRUE(it->second(data.ControlList[k].get())) << controls[k].first;
    }
    // Every section a component looks up is there, with the class its type names.
    for (const auto& [name, type] : skintool::BuiltinControlSections()) {
      const int index = data.GetControlIndex(name);
      ASSERT_GE(index, 0) << name;
      EXPECT_TRUE(ControlClasses().at(type)(data.ControlList[size_t(index)].get())) << name;
    }
    for (const char* name : {"officequickbutton", "officeribbonbutton", "menuitembutton", "editbutton"})
      EXPECT_GE(data.GetControlIndex(name), 0) << name;
    for (const char* name : {"caption", "closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton",
                             "traybutton", "menuitem", "mainmenubaritem"})
      EXPECT_GE(data.GetObjectIndex(name), 0) << name;
  }
}

TEST(BuiltinSkins, ValidateWithoutProblemsAndRenderTheirSheets) {
  std::filesystem::create_directories(VX_TEST_OUT_DIR);
  for (int i = 0; i < 3; ++i) {
    std::ostringstream out, err;
    EXPECT_EQ(skintool::Run({"validate", PackagePath(i)}, out, err), 0) << out.str() << err.str();
    EXPECT_NE(out.str().find("no problems"), std::string::npos) << out.str();

    const std::string png = std::string(VX_TEST_OUT_DIR) + "/skin_sheet_" + kNames[i] + ".png";
    std::filesystem::remove(png);
    ASSERT_EQ(skintool::Run({"render", PackagePath(i), png}, out, err), 0) << err.str();
    TFileStream f(png, fmOpenRead);
    const TPngImage sheet = ReadPng(f);
    EXPECT_GT(sheet.Width, 600);
    EXPECT_GT(sheet.Height, 600);
  }
}

}  // namespace
}  // namespace vx
