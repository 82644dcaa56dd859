// skintool end to end: a generated folder skin packs, unpacks to the same INI
// bytes and pixels, and packs again to the same content; every error gives a
// message and a non-zero status without leaving files behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codecs/bmp.h"
#include "platform/codecs/zlib_codec.h"
#include "platform/core/streams.h"
#include "skin/vxSkinPackage.h"
#include "skin/vxStoredSkin.h"
#include "tests/skin/skin_fixture.h"
#include "tools/skintool.h"

namespace vx {
namespace {

using namespace vx::testing;
namespace fs = std::filesystem;

struct Result {
  int status;
  std::string out, err;
};

Result Tool(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int status = skintool::Run(args, out, err);
  return {status, out.str(), err.str()};
}

std::vector<uint8_t> InflatedPackage(const std::string& path) {
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromCompressedFile(path);
  TMemoryStream m;
  stored.DecompressToStream(m);
  return m.Bytes();
}

TBmpImage ReadBmpFile(const std::string& path) {
  TFileStream f(path, fmOpenRead);
  return ReadBmp(f);
}

// A package file holding the given content (whose INI text names the pictures).
void WritePackage(const std::string& path, const TvxSkinPackageContent& content, int32_t version = 3) {
  TMemoryStream raw;
  WriteSkinContent(raw, content);
  const std::vector<uint8_t> z = ZCompress(raw.Memory(), size_t(raw.Size()), 9);
  TFileStream f(path, fmCreate);
  f.WriteInt32(version);
  f.WriteInt32(int32_t(z.size()));
  f.WriteBuffer(z.data(), int64_t(z.size()));
}

TEST(SkinTool, PackUnpackPackKeepsEveryByteOfContent) {
  const std::string dir = FreshDir();
  fs::create_directories(dir + "src");
  const TestSkin skin = WriteTestSkin(dir + "src/");

  Result r = Tool({"pack", skin.iniPath, dir + "a.skn"});
  ASSERT_EQ(r.status, 0) << r.err;
  r = Tool({"unpack", dir + "a.skn", dir + "out"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");

  EXPECT_EQ(ReadTextFile(dir + "out/skin.ini"), skin.iniText);
  ExpectSameImage(ReadBmpFile(dir + "out/frame.bmp"), skin.picture);
  ExpectSameImage(ReadBmpFile(dir + "out/mask.bmp"), skin.mask);
  const char* names[] = {"buttons.bmp", "glyphs4.bmp", "mono.bmp", "alpha.bmp"};
  for (size_t i = 0; i < skin.active.size(); ++i) {
    SCOPED_TRACE(names[i]);
    ExpectSameImage(ReadBmpFile(dir + "out/" + names[i]), skin.active[i]);
  }

  r = Tool({"pack", dir + "out/skin.ini", dir + "b.skn"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(InflatedPackage(dir + "a.skn") == InflatedPackage(dir + "b.skn"));
}

TEST(SkinTool, InfoDescribesPackageAndFolder) {
  const std::string dir = FreshDir();
  const TestSkin skin = WriteTestSkin(dir);
  ASSERT_EQ(Tool({"pack", skin.iniPath, dir + "a.skn"}).status, 0);

  const std::string common =
      "picture: frame.bmp (7x5, 24-bit)\n"
      "inactivepicture: absent\n"
      "mask: mask.bmp (7x5, 8-bit)\n"
      "active pictures: 4\n"
      "  0: buttons.bmp (9x3, 24-bit)\n"
      "  1: glyphs4.bmp (5x4, 4-bit)\n"
      "  2: mono.bmp (11x2, 1-bit)\n"
      "  3: alpha.bmp (3x3, 32-bit)\n"
      "INI text: " + std::to_string(skin.iniText.size()) + " bytes\n"
      "[SKINOBJECTS] entries: 2\n"
      "[SKINCONTROLS] entries: 3\n";

  Result r = Tool({"info", dir + "a.skn"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("outer version: 3\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("inner version: 3\n" + common), std::string::npos) << r.out;

  r = Tool({"info", skin.iniPath});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "skin folder: " + skin.iniPath + "\n" + common);
}

TEST(SkinTool, ErrorsGiveAMessageAndAStatus) {
  const std::string dir = FreshDir();
  const TestSkin skin = WriteTestSkin(dir);
  std::string notSkin = TestSkinIni();
  WriteTextFile(dir + "noskin.ini", notSkin.substr(0, notSkin.find("[SKINCONTROLS]")));
  std::string missingPicture = TestSkinIni();
  WriteTextFile(dir + "missing.ini", missingPicture.replace(missingPicture.find("mono.bmp"), 8, "gone.bmp"));
  WriteTextFile(dir + "garbage.skn", "this is not a skin package");
  TvxSkinPackageContent content;
  content.IniText = "[VERSION]\r\n";
  WritePackage(dir + "v4.skn", content, 4);
  WritePackage(dir + "v3.skn", content, 3);
  {
    std::string bytes = ReadTextFile(dir + "v3.skn");
    WriteTextFile(dir + "cut.skn", bytes.substr(0, bytes.size() - 5));
  }

  struct Case {
    std::vector<std::string> args;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {{}, 2, "usage"},
      {{"frob"}, 2, "unknown command 'frob'"},
      {{"pack", skin.iniPath}, 2, "pack takes 2 arguments"},
      {{"info", "a", "b"}, 2, "usage"},
      {{"pack", dir + "noskin.ini", dir + "x.skn"}, 1, "lacks [SKINCONTROLS]"},
      {{"pack", dir + "nofile.ini", dir + "x.skn"}, 1, "nofile.ini"},
      {{"pack", dir + "missing.ini", dir + "x.skn"}, 1, "gone.bmp"},
      {{"unpack", dir + "nofile.skn", dir + "x"}, 1, "nofile.skn"},
      {{"unpack", dir + "v4.skn", dir + "x"}, 1, "version field is 4"},
      {{"unpack", dir + "cut.skn", dir + "x"}, 1, "only"},
      {{"info", dir + "garbage.skn"}, 1, "skintool: "},
      {{"info", dir + "noskin.ini"}, 1, "lacks [SKINCONTROLS]"},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    const Result r = Tool(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_FALSE(fs::exists(dir + "x.skn"));
  EXPECT_FALSE(fs::exists(dir + "x.skn.tmp"));
  EXPECT_FALSE(fs::exists(dir + "x"));
}

TEST(SkinTool, UnpackRefusesNamesThatLeaveTheFolder) {
  const std::string dir = FreshDir();
  TvxSkinPackageContent content;
  content.ActivePictures = {PatternImage(2, 2, 24, 1)};
  struct Case {
    const char* ini;
    const char* message;
  };
  const Case cases[] = {
      {"[PICTURES]\r\nactivepicturescount=1\r\n0=../escaped.bmp\r\n", "would leave the folder"},
      {"[PICTURES]\r\nactivepicturescount=1\r\n0=sub/../../escaped.bmp\r\n", "would leave the folder"},
      {"[PICTURES]\r\nactivepicturescount=1\r\n0=..\\escaped.bmp\r\n", "would leave the folder"},
      {"[PICTURES]\r\nactivepicturescount=1\r\n0=/tmp/escaped.bmp\r\n", "would leave the folder"},
      {"[PICTURES]\r\nactivepicturescount=1\r\n0=skin.ini\r\n", "name of the INI file"},
      {"[PICTURES]\r\nactivepicturescount=1\r\n0=./skin.ini\r\n", "name of the INI file"},
      {"[PICTURES]\r\nactivepicturescount=1\r\n0=\r\n", "no file name"},
      {"[PICTURES]\r\n", "names only 0"},
      {"[PICTURES]\r\nactivepicturescount=99999999\r\n", "out of range"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ini);
    content.IniText = c.ini;
    WritePackage(dir + "bad.skn", content);
    const Result r = Tool({"unpack", dir + "bad.skn", dir + "out/inner"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir + "out"));
    EXPECT_FALSE(fs::exists(dir + "escaped.bmp"));
  }

  // Two different pictures under one file name, however it is spelled.
  content.Picture = PatternImage(3, 3, 8, 9);
  content.IniText = "[PICTURES]\r\npicture=a.bmp\r\nactivepicturescount=1\r\n0=./a.bmp\r\n";
  WritePackage(dir + "bad.skn", content);
  Result shared = Tool({"unpack", dir + "bad.skn", dir + "out/inner"});
  EXPECT_EQ(shared.status, 1);
  EXPECT_NE(shared.err.find("share the file name"), std::string::npos) << shared.err;
  content.Picture = TBmpImage{};

  // A subfolder that links elsewhere does not carry a picture out either.
  fs::create_directories(dir + "out/inner");
  fs::create_directories(dir + "elsewhere");
  fs::create_symlink(fs::absolute(dir + "elsewhere"), dir + "out/inner/link");
  content.IniText = "[PICTURES]\r\nactivepicturescount=1\r\n0=link/escaped.bmp\r\n";
  WritePackage(dir + "bad.skn", content);
  const Result r = Tool({"unpack", dir + "bad.skn", dir + "out/inner"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("leads out"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir + "elsewhere/escaped.bmp"));
}

TEST(SkinTool, SubfoldersInsideTheFolderAreAllowed) {
  const std::pair<const char*, bool> names[] = {
      {"a.bmp", true},      {"pics/a.bmp", true}, {"./a.bmp", true}, {"a..b.bmp", true},
      {"", false},          {"..", false},        {"../a.bmp", false}, {"pics/../../a.bmp", false},
      {"/a.bmp", false},    {"\\a.bmp", false},   {"C:a.bmp", false},  {"pics\\..\\a.bmp", false},
  };
  for (const auto& [name, safe] : names) EXPECT_EQ(skintool::IsSafePictureName(name), safe) << name;
}

// The executable itself: status codes and streams as a shell sees them.
TEST(SkinTool, ExecutableReportsStatus) {
  const std::string dir = FreshDir();
  const TestSkin skin = WriteTestSkin(dir);
  const std::string exe = VX_SKINTOOL_EXE;
  auto run = [&](const std::string& args) {
    const int raw = std::system((exe + " " + args + " >" + dir + "out.txt 2>" + dir + "err.txt").c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };
  EXPECT_EQ(run("pack '" + skin.iniPath + "' '" + dir + "a.skn'"), 0);
  EXPECT_EQ(run("info '" + dir + "a.skn'"), 0);
  EXPECT_NE(ReadTextFile(dir + "out.txt").find("active pictures: 4"), std::string::npos);
  EXPECT_EQ(run("unpack '" + dir + "missing.skn' '" + dir + "x'"), 1);
  EXPECT_NE(ReadTextFile(dir + "err.txt").find("missing.skn"), std::string::npos);
  EXPECT_EQ(run(""), 2);
}

}  // namespace
}  // namespace vx
