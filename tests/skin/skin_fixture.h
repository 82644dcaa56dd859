// A tiny folder skin written by the tests themselves: pictures of every bit
// depth the packages use (24-bit main picture, 8-bit mask, 32-, 4- and 1-bit
// active pictures, one stored top-down) with distinct pixels, and an INI text
// with CR LF line ends that names them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/codecs/bmp.h"
#include "platform/core/streams.h"

namespace vx::testing {

inline TBmpImage PatternImage(int width, int height, int bitCount, int seed, bool topDown = false) {
  TBmpImage img = TBmpImage::Create(width, height, bitCount);
  img.TopDown = topDown;
  for (size_t i = 0; i < img.Palette.size(); ++i)
    img.Palette[i] = TRGBQuad{uint8_t(i * 7 + seed), uint8_t(i * 13), uint8_t(255 - i), 0};
  const int64_t usedBytes = (int64_t(width) * bitCount + 7) / 8;  // leave row padding zero
  for (int y = 0; y < height; ++y)
    for (int64_t x = 0; x < usedBytes; ++x) img.Row(y)[x] = uint8_t(seed + y * 31 + x * 17);
  return img;
}

inline void ExpectSameImage(const TBmpImage& a, const TBmpImage& b) {
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.BitCount, b.BitCount);
  EXPECT_TRUE(a.Palette == b.Palette);
  EXPECT_TRUE(a.Pixels == b.Pixels);
}

inline void WriteBmpFile(const std::string& path, const TBmpImage& img) {
  TFileStream f(path, fmCreate);
  WriteBmp(f, img);
}

inline void WriteTextFile(const std::string& path, const std::string& text) {
  TFileStream f(path, fmCreate);
  f.WriteBuffer(text.data(), int64_t(text.size()));
}

inline std::string ReadTextFile(const std::string& path) {
  TMemoryStream m;
  m.LoadFromFile(path);
  return std::string(m.Bytes().begin(), m.Bytes().end());
}

// An empty folder under the test output folder, named after the running test.
inline std::string FreshDir(const std::string& suffix = "") {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::path(VX_TEST_OUT_DIR) / "skin" /
                              (std::string(info->test_suite_name()) + "." + info->name() + suffix);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string() + "/";
}

struct TestSkin {
  std::string iniPath;
  std::string iniText;
  TBmpImage picture, mask;
  std::vector<TBmpImage> active;
};

inline std::string TestSkinIni(const std::string& extraPictureLines = "") {
  return "[VERSION]\r\nver=1\r\nskinname=Test skin\r\n"
         "[PICTURES]\r\npicture=frame.bmp\r\ninactivepicture=\r\nmask=mask.bmp\r\n"
         "activepicturescount=4\r\n0=buttons.bmp\r\n1=glyphs4.bmp\r\n2=mono.bmp\r\n3=alpha.bmp\r\n" +
         extraPictureLines +
         "[FORMINFO]\r\nlefttoppoint=2,3\r\nclientrect=2,3,5,4\r\n"
         "[SKINOBJECTS]\r\ncount=2\r\n0=close:button\r\n1=caption:caption\r\n"
         "[SKINCONTROLS]\r\ncount=3\r\n0=button:button\r\n1=panel:panel\r\n2=label:label\r\n";
}

// Writes the skin into dir (which ends with '/').
inline TestSkin WriteTestSkin(const std::string& dir) {
  TestSkin s;
  s.picture = PatternImage(7, 5, 24, 1);
  s.mask = PatternImage(7, 5, 8, 2);
  s.active = {PatternImage(9, 3, 24, 3, /*topDown=*/true), PatternImage(5, 4, 4, 4), PatternImage(11, 2, 1, 5),
              PatternImage(3, 3, 32, 6)};
  WriteBmpFile(dir + "frame.bmp", s.picture);
  WriteBmpFile(dir + "mask.bmp", s.mask);
  const char* names[] = {"buttons.bmp", "glyphs4.bmp", "mono.bmp", "alpha.bmp"};
  for (size_t i = 0; i < s.active.size(); ++i) WriteBmpFile(dir + names[i], s.active[i]);
  s.iniText = TestSkinIni();
  s.iniPath = dir + "skin.ini";
  WriteTextFile(s.iniPath, s.iniText);
  return s;
}

}  // namespace vx::testing
