// skintool preview: the window alone, at the size asked for, in the skin's own
// pixels; bad options and skins fail with a status.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "platform/codecs/png_codec.h"
#include "platform/core/streams.h"
#include "skins/skin_gen.h"
#include "tools/skintool.h"

using namespace vx;

namespace {

TPngImage ReadPngFile(const std::string& path) {
  TMemoryStream s;
  s.LoadFromFile(path);
  return ReadPng(s);
}

// RGBA bytes of a PNG pixel as 0xRRGGBB.
uint32_t Rgb(const TPngImage& img, int x, int y) {
  const uint8_t* p = &img.Pixels[(size_t(y) * img.Width + x) * 4];
  return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}
uint8_t Alpha(const TPngImage& img, int x, int y) { return img.Pixels[(size_t(y) * img.Width + x) * 4 + 3]; }

// The fixture picture's pixel as 0xRRGGBB.
uint32_t PictureRgb(const TBmpImage& picture, int x, int y) {
  const std::vector<uint8_t> px = picture.ToBGRA();
  const uint8_t* p = &px[(size_t(y) * picture.Width + x) * 4];
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

int RunTool(const std::vector<std::string>& args, std::string* errText = nullptr) {
  std::ostringstream out, err;
  const int rc = skintool::Run(args, out, err);
  if (errText) *errText = err.str();
  return rc;
}

class SkintoolPreview : public ::testing::Test {
 protected:
  void SetUp() override {
    // Test cases run as parallel processes: each writes its own folder.
    dir_ = std::string(VX_TEST_OUT_DIR) + "/tools/preview-" + std::to_string(getpid());
    ini_ = skins::WriteFixtureSkin(dir_);
    skin_ = skins::GenerateFixtureSkin({});
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string dir_, ini_;
  skins::TvxGeneratedSkin skin_;
};

TEST_F(SkintoolPreview, WritesTheWindowAtTheAskedSizeWithTheSkinCornerAndShape) {
  const std::string png = dir_ + "/normal.png";
  ASSERT_EQ(RunTool({"preview", ini_, png, "--size", "321x203"}), 0);
  const TPngImage img = ReadPngFile(png);
  ASSERT_EQ(img.Width, 321);
  ASSERT_EQ(img.Height, 203);
  // The top-left corner is the picture's, cut by the mask: black mask pixels
  // are the window, others are outside its shape.
  const std::vector<uint8_t> mask = skin_.Mask.ToBGRA();
  int inside = 0, outside = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const uint8_t* m = &mask[(size_t(y) * skin_.Mask.Width + x) * 4];
      if (m[0] == 0 && m[1] == 0 && m[2] == 0) {
        ++inside;
        EXPECT_EQ(Rgb(img, x, y), PictureRgb(skin_.Picture, x, y)) << x << "," << y;
        EXPECT_EQ(Alpha(img, x, y), 255);
      } else {
        ++outside;
        EXPECT_EQ(Alpha(img, x, y), 0) << x << "," << y;
      }
    }
  EXPECT_GT(inside, 0);
}

TEST_F(SkintoolPreview, MaximizedFillsTheScreen) {
  const std::string max = dir_ + "/max.png";
  ASSERT_EQ(RunTool({"preview", ini_, max, "--maximized", "--size", "400x300"}), 0);
  const TPngImage img = ReadPngFile(max);
  EXPECT_EQ(img.Width, 400);
  EXPECT_EQ(img.Height, 300);
}

TEST_F(SkintoolPreview, InactiveFrameDiffersFromTheActiveOne) {
  const std::string active = dir_ + "/active.png", inactive = dir_ + "/inactive.png";
  ASSERT_EQ(RunTool({"preview", ini_, active}), 0);
  ASSERT_EQ(RunTool({"preview", ini_, inactive, "--inactive"}), 0);
  const TPngImage a = ReadPngFile(active), i = ReadPngFile(inactive);
  ASSERT_EQ(a.Width, 480);
  ASSERT_EQ(i.Width, 480);
  ASSERT_EQ(a.Height, i.Height);
  EXPECT_NE(a.Pixels, i.Pixels);
}

TEST_F(SkintoolPreview, BadOptionsAndSkinsFail) {
  const std::string png = dir_ + "/bad.png";
  struct Case {
    std::vector<std::string> args;
    int status;
  } cases[] = {
      {{"preview", ini_}, 2},
      {{"preview", ini_, png, "--size"}, 2},
      {{"preview", ini_, png, "--size", "0x10"}, 2},
      {{"preview", ini_, png, "--size", "10x"}, 2},
      {{"preview", ini_, png, "--size", "99999x10"}, 2},
      {{"preview", ini_, png, "--shiny"}, 2},
      {{"preview", dir_ + "/missing.skn", png}, 1},
      {{"preview", dir_ + "/missing.ini", png}, 1},
  };
  for (const Case& c : cases) {
    std::string err;
    EXPECT_EQ(RunTool(c.args, &err), c.status) << c.args.back();
    EXPECT_FALSE(err.empty());
  }
}

}  // namespace
