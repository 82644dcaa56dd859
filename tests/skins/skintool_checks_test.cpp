// skintool validate finds each kind of fault in a skin: one fixture skin,
// broken one way per case.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "skins/skin_gen.h"
#include "tools/skintool.h"

namespace vx {
namespace {

struct Fault {
  const char* name;
  const char* section;
  const char* key;
  const char* value;  // nullptr: erase the section
  const char* expected;
};

TEST(SkintoolValidate, ReportsEachFaultOnItsOwnLine) {
  const Fault faults[] = {
      {"rect outside picture", "button", "activeskinrect", "0,0,9999,22", "[button] activeskinrect: rectangle"},
      {"picture index out of range", "button", "pictureindex", "40", "[button] pictureindex: picture index 40"},
      {"named section missing", "listbox", "vscrollbarname", "novscroll", "[listbox] vscrollbarname: names [novscroll]"},
      {"menu bar item missing", "mainmenubar", "menubaritem", "nobaritem", "[mainmenubar] menubaritem: names"},
      {"mask of another size", "POPUPWINDOW", "maskpictureindex", "6", "[POPUPWINDOW] maskpictureindex: mask is"},
      {"layer alpha of another size", "LAYERFRAME", "maskpictureindex", "4", "[LAYERFRAME] maskpictureindex"},
      {"strip not divisible", "button", "animateskinrect", "0,0,40,22", "[button] framecount: 3 frames"},
      {"key colour in an opaque part", "slider", "hthumbrect", "", "transparent key colour"},
      {"built-in section missing", "SKINCONTROLS", nullptr, nullptr, "[SKINCONTROLS]"},
      {"unknown type", "SKINOBJECTS", "0", "caption:nosuchtype", "unknown type 'nosuchtype'"},
  };
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.name);
    const std::string dir = std::string(VX_TEST_OUT_DIR) + "/skins/validate-" + std::to_string(&f - faults);
    std::filesystem::remove_all(dir);
    const std::string iniPath = skins::WriteFixtureSkin(dir, {true, true, false});
    {
      TMemIniFile ini(iniPath);
      if (std::string(f.name) == "strip not divisible") ini.WriteInteger("button", "framecount", 3);
      if (std::string(f.name) == "key colour in an opaque part") {
        // Point the slider thumb at a part drawn on the key colour (the tab close glyph).
        ini.WriteString("slider", "pictureindex", "10");
        ini.WriteString("slider", "hthumbrect", ini.ReadString("tab", "closebuttonrect", ""));
      } else if (f.value == nullptr) {
        ini.WriteInteger("SKINCONTROLS", "count", ini.ReadInteger("SKINCONTROLS", "count", 0) - 1);
      } else {
        ini.WriteString(f.section, f.key, f.value);
      }
      ini.UpdateFile();
    }
    std::ostringstream out, err;
    EXPECT_EQ(skintool::Run({"validate", iniPath}, out, err), 1) << out.str() << err.str();
    EXPECT_NE(out.str().find(f.expected), std::string::npos) << out.str();
  }
}

TEST(SkintoolValidate, CleanFixtureHasNoProblemAndUnreadableSkinFails) {
  const std::string dir = std::string(VX_TEST_OUT_DIR) + "/skins/validate-clean";
  std::filesystem::remove_all(dir);
  for (bool layer : {false, true}) {
    const std::string iniPath = skins::WriteFixtureSkin(dir + (layer ? "-layer" : ""), {true, layer, layer});
    std::ostringstream out, err;
    EXPECT_EQ(skintool::Run({"validate", iniPath}, out, err), 0) << out.str() << err.str();
  }
  std::ostringstream out, err;
  EXPECT_EQ(skintool::Run({"validate", dir + "/missing.skn"}, out, err), 1);
  EXPECT_NE(err.str().find("skintool:"), std::string::npos);
  EXPECT_EQ(skintool::Run({"render", dir + "/missing.skn"}, out, err), 2);
}

}  // namespace
}  // namespace vx
