// Fixture skins: every slice and state rectangle in a flat colour of its own,
// so that a sampled pixel tells which source rectangle was drawn, in variants
// with and without mask, layered border and full border.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/core/inifiles.h"
#include "raster/vx_bitmap.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"
#include "skins/skin_gen.h"
#include "tools/skintool_skin.h"

namespace vx {
namespace {

std::string FreshDir(const std::string& name) {
  const std::string dir = std::string(VX_TEST_OUT_DIR) + "/skins/" + name;
  std::filesystem::remove_all(dir);
  return dir;
}

TEST(FixtureSkin, ColoursNeverRepeatAndAvoidBlackWhiteAndKey) {
  std::map<TColor, int> seen;
  for (int n = 0; n < 2000; ++n) {
    const TColor c = skins::FixtureColor(n);
    EXPECT_TRUE(seen.emplace(c, n).second) << n << " repeats " << seen[c];
    EXPECT_NE(c, RGB(0, 0, 0));
    EXPECT_NE(c, RGB(255, 255, 255));
    EXPECT_NE(c, RGB(127, 0, 127));
  }
}

// The colour at the centre of every picture rectangle that sections name
// tells the rectangle apart from every other one.
TEST(FixtureSkin, EveryStateRectangleHasItsOwnColour) {
  const skins::TvxGeneratedSkin skin = skins::GenerateFixtureSkin({});
  TMemIniFile ini;
  ini.SetText(skin.IniText);
  std::map<std::pair<int, std::tuple<int, int, int, int>>, std::string> rects;
  for (const char* list : {"SKINOBJECTS", "SKINCONTROLS"})
    for (const auto& [name, type] : ReadSkinEntries(ini, list))
      for (const skintool::SkinRect& r : skintool::SectionPictureRects(ini, name, std::string(list) == "SKINOBJECTS"))
        rects.emplace(std::pair{r.Picture, std::tuple{r.Rect.Left, r.Rect.Top, r.Rect.Right, r.Rect.Bottom}},
                      name + "." + r.Key);
  ASSERT_GT(rects.size(), 100u);
  // A part of another rectangle (the menu part of a menu button) shares its colour.
  auto nested = [&](int pic, int l, int t, int r, int b) {
    for (const auto& [other, key] : rects) {
      const auto [ol, ot, orr, ob] = other.second;
      if (other.first == pic && std::tuple{ol, ot, orr, ob} != std::tuple{l, t, r, b} && ol <= l && ot <= t &&
          r <= orr && b <= ob)
        return true;
    }
    return false;
  };
  std::map<std::pair<int, uint32_t>, std::string> colours;
  for (const auto& [where, key] : rects) {
    const auto [pic, rect] = where;
    const auto [l, t, r, b] = rect;
    if (nested(pic, l, t, r, b)) continue;
    const TBmpImage& img = pic == skintool::kMainPicture ? skin.Picture : skin.Active.at(size_t(pic));
    const std::vector<uint8_t> px = img.ToBGRA();
    const int x = (l + r) / 2, y = (t + b) / 2;
    const uint8_t* p = &px[(size_t(y) * img.Width + x) * 4];
    const uint32_t c = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    const auto [it, fresh] = colours.emplace(std::pair{pic, c}, key);
    EXPECT_TRUE(fresh) << key << " has the colour of " << it->second;
  }
}

struct Variant {
  const char* name;
  skins::TvxFixtureOptions options;
  bool mask, layer, alphaButtons;
};

TEST(FixtureSkin, VariantsLoadWithTheirMaskLayerAndFullBorder) {
  const Variant variants[] = {
      {"plain", {true, false, false}, true, false, false},
      {"nomask", {false, false, false}, false, false, false},
      {"layer", {true, true, false}, true, true, false},
      {"fullborder", {true, true, true}, true, true, true},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    const std::string ini = skins::WriteFixtureSkin(FreshDir(v.name), v.options);
    TvxSkinData data(nullptr);
    data.LoadFromFile(ini);
    ASSERT_FALSE(data.Empty);
    EXPECT_EQ(!data.MaskPicture->Empty(), v.mask);
    EXPECT_EQ(data.PopupWindow.maskpictureindex != -1, v.mask);
    EXPECT_EQ(data.LayerFrame.pictureindex != -1, v.layer);
    EXPECT_EQ(data.LayerFrame.ActiveImage != nullptr, v.layer);
    EXPECT_EQ(data.LayerFrame.fullborder, v.alphaButtons);
    const int close = data.GetObjectIndex("closebutton");
    ASSERT_GE(close, 0);
    const auto* button = dynamic_cast<const TvxDataSkinStdButton*>(data.ObjectList[size_t(close)].get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->AlphaNormalImage != nullptr, v.alphaButtons);
    // The frame's corner pieces differ from its edges, so a drawn frame shows
    // which piece landed where.
    const TvxBitmap& frame = *data.Picture;
    EXPECT_NE(frame.Pixel(1, 1), frame.Pixel(100, 1));
    EXPECT_NE(frame.Pixel(100, 1), frame.Pixel(100, 80));
  }
}

}  // namespace
}  // namespace vx
