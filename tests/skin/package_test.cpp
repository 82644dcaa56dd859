// Skin packages: the byte layout, the folder writer, the stored-skin and list
// components, and hostile packages that must end in a clear exception.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

#include <climits>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/codecs/zlib_codec.h"
#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "skin/vxSkinPackage.h"
#include "skin/vxStoredSkin.h"
#include "tests/skin/skin_fixture.h"

namespace vx {
namespace {

using namespace vx::testing;
using Bytes = std::vector<uint8_t>;

void PutInt32(Bytes& b, int32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

Bytes BmpBytes(const TBmpImage& img) {
  TMemoryStream m;
  WriteBmp(m, img);
  return m.Bytes();
}

void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

Bytes Package(int32_t version, const Bytes& compressed) {
  Bytes b;
  PutInt32(b, version);
  PutInt32(b, int32_t(compressed.size()));
  Append(b, compressed);
  return b;
}

Bytes Deflate(const Bytes& content) { return ZCompress(content.data(), content.size(), 9); }

TvxSkinPackageContent ReadPackage(const Bytes& package) {
  TvxCompressedStoredSkin stored(nullptr);
  TMemoryStream m(package);
  stored.LoadFromCompressedStream(m);
  return stored.ReadContent();
}

Bytes Inflated(const TvxCompressedStoredSkin& stored) {
  TMemoryStream m;
  stored.DecompressToStream(m);
  return m.Bytes();
}

// Content with the given inner version, optional pictures and active pictures.
Bytes Content(int32_t version, std::vector<const TBmpImage*> optional, std::vector<TBmpImage> active,
              const std::string& ini, std::optional<int32_t> count = std::nullopt) {
  Bytes b;
  PutInt32(b, version);
  for (const TBmpImage* p : optional) {
    b.push_back(p ? 0 : 1);
    if (p) Append(b, BmpBytes(*p));
  }
  PutInt32(b, count ? *count : int32_t(active.size()));
  for (const auto& a : active) Append(b, BmpBytes(a));
  b.insert(b.end(), ini.begin(), ini.end());
  return b;
}

class SkinPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = FreshDir();
    skin = WriteTestSkin(dir);
  }
  std::string dir;
  TestSkin skin;
};

TEST_F(SkinPackage, FolderPacksAndDecodesToTheSamePicturesAndText) {
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromIniFile(skin.iniPath);
  ASSERT_FALSE(stored.IsEmpty());
  const TvxSkinPackageContent content = stored.ReadContent();
  EXPECT_EQ(content.InnerVersion, 3);
  ExpectSameImage(content.Picture, skin.picture);
  EXPECT_TRUE(content.InactivePicture.Empty());
  ExpectSameImage(content.MaskPicture, skin.mask);
  ASSERT_EQ(content.ActivePictures.size(), skin.active.size());
  for (size_t i = 0; i < skin.active.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectSameImage(content.ActivePictures[i], skin.active[i]);
  }
  EXPECT_EQ(content.IniText, skin.iniText);

  // Writing the decoded content again gives the same inflated bytes.
  TMemoryStream again;
  WriteSkinContent(again, content);
  EXPECT_TRUE(again.Bytes() == Inflated(stored));
}

TEST_F(SkinPackage, IniTextLinesAreEndedByCrLf) {
  WriteTextFile(skin.iniPath, "[VERSION]\nver=1\r[PICTURES]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]");
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromIniFile(skin.iniPath);
  EXPECT_EQ(stored.ReadContent().IniText,
            "[VERSION]\r\nver=1\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n");
}

TEST_F(SkinPackage, InflatedLayoutByteByByte) {
  // No main picture, one inactive picture, no mask, no active pictures.
  WriteTextFile(skin.iniPath, "[VERSION]\r\n[PICTURES]\r\ninactivepicture=frame.bmp\r\n[FORMINFO]\r\n"
                              "[SKINOBJECTS]\r\n[SKINCONTROLS]\r\n");
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromIniFile(skin.iniPath);
  const Bytes inflated = Inflated(stored);
  const Bytes frame = BmpBytes(skin.picture);
  Bytes expected = {3, 0, 0, 0, 1, 0};
  Append(expected, frame);
  Append(expected, {1, 0, 0, 0, 0});
  const std::string text = "[VERSION]\r\n[PICTURES]\r\ninactivepicture=frame.bmp\r\n";
  ASSERT_GE(inflated.size(), expected.size() + text.size());
  EXPECT_TRUE(Bytes(inflated.begin(), inflated.begin() + expected.size()) == expected);
  EXPECT_EQ(std::string(inflated.begin() + expected.size(), inflated.begin() + expected.size() + text.size()), text);
}

TEST_F(SkinPackage, StoredFormsCarryTheirHeaders) {
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromIniFile(skin.iniPath);

  TMemoryStream property;
  stored.WriteCompressedData(property);
  ASSERT_GE(property.Size(), 2);
  EXPECT_EQ(property.Bytes()[0], 0x78);
  EXPECT_EQ(property.Bytes()[1], 0xDA);

  TvxSkinListItems items(nullptr);
  TvxSkinListItem* item = items.Add();
  TMemoryStream readBack(property.Bytes());
  item->StoredSkin().ReadCompressedData(readBack);
  TMemoryStream skinProperty;
  item->WriteSkin(skinProperty);
  Bytes expected;
  PutInt32(expected, 3);
  PutInt32(expected, int32_t(property.Size()));
  Append(expected, property.Bytes());
  EXPECT_TRUE(skinProperty.Bytes() == expected);

  // An item without a skin writes a bare header that reads back as no skin.
  TvxSkinListItem* empty = items.Add();
  TMemoryStream emptyProperty;
  empty->WriteSkin(emptyProperty);
  EXPECT_EQ(emptyProperty.Size(), 8);
  item->ReadSkin(emptyProperty);
  EXPECT_TRUE(item->StoredSkin().IsEmpty());

  // And the package form reads back into identical compressed data.
  TvxCompressedStoredSkin copy(nullptr);
  copy.LoadFromCompressedStream(skinProperty);
  EXPECT_TRUE(copy.CompressedData().Bytes() == stored.CompressedData().Bytes());
}

TEST(SkinPackageVersions, OuterVersionAboveThreeLeavesTheStoredSkinEmpty) {
  const Bytes compressed = Deflate(Content(3, {nullptr, nullptr, nullptr}, {}, "[VERSION]\r\n"));
  for (int32_t version : {INT_MIN, -1, 0, 1, 2, 3, 4, 100}) {
    SCOPED_TRACE(version);
    TvxCompressedStoredSkin stored(nullptr);
    TMemoryStream previous(Package(3, compressed));
    stored.LoadFromCompressedStream(previous);
    TMemoryStream m(Package(version, compressed));
    stored.LoadFromCompressedStream(m);
    if (version <= 3) {
      ASSERT_FALSE(stored.IsEmpty());
      EXPECT_EQ(stored.ReadContent().IniText, "[VERSION]\r\n");
    } else {
      EXPECT_TRUE(stored.IsEmpty());
    }
  }
  // The version alone decides: nothing after a newer version is looked at.
  TvxCompressedStoredSkin stored(nullptr);
  TMemoryStream versionOnly(Bytes{4, 0, 0, 0});
  EXPECT_NO_THROW(stored.LoadFromCompressedStream(versionOnly));
  EXPECT_TRUE(stored.IsEmpty());
}

TEST(SkinPackageVersions, InnerVersionTwoSkipsTwoPictures) {
  const TBmpImage main = PatternImage(4, 2, 24, 10), extra1 = PatternImage(2, 2, 8, 11),
                  extra2 = PatternImage(3, 1, 1, 12), active = PatternImage(2, 3, 4, 13);
  for (int32_t version : {-7, 0, 1, 2, 3}) {
    SCOPED_TRACE(version);
    std::vector<const TBmpImage*> optional = {&main, nullptr, nullptr};
    if (version == 2) optional.insert(optional.end(), {&extra1, &extra2});
    const auto content = ReadPackage(Package(3, Deflate(Content(version, optional, {active}, "[X]\r\n"))));
    EXPECT_EQ(content.InnerVersion, version);
    ExpectSameImage(content.Picture, main);
    ASSERT_EQ(content.ActivePictures.size(), 1u);
    ExpectSameImage(content.ActivePictures[0], active);
    EXPECT_EQ(content.IniText, "[X]\r\n");
  }
}

TEST(SkinPackageVersions, SkinWithoutActivePicturesHasCountZeroThenText) {
  const auto content = ReadPackage(Package(3, Deflate(Content(3, {nullptr, nullptr, nullptr}, {}, "[A]"))));
  EXPECT_TRUE(content.Picture.Empty() && content.InactivePicture.Empty() && content.MaskPicture.Empty());
  EXPECT_TRUE(content.ActivePictures.empty());
  EXPECT_EQ(content.IniText, "[A]");
}

enum class Kind { Read, Compression, Graphic };

void ExpectKind(const std::function<void()>& f, Kind kind) {
  try {
    f();
    ADD_FAILURE() << "no exception";
  } catch (const EReadError& e) {
    EXPECT_EQ(kind, Kind::Read) << e.what();
    EXPECT_GT(std::strlen(e.what()), 10u);
  } catch (const ECompressionError& e) {
    EXPECT_EQ(kind, Kind::Compression) << e.what();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(kind, Kind::Graphic) << e.what();
  }
}

Bytes WithCount(int32_t count, const TBmpImage& bitmap, const std::string& text = "") {
  return Content(3, {nullptr, nullptr, nullptr}, {bitmap}, text, count);
}

Bytes PatchedBmp(const TBmpImage& img, size_t offset, int32_t value) {
  Bytes b = BmpBytes(img);
  for (int i = 0; i < 4; ++i) b[offset + i] = uint8_t(uint32_t(value) >> (8 * i));
  return b;
}

TEST(SkinPackageHostile, EveryBadCountAndSizeThrows) {
  const TBmpImage small = PatternImage(4, 4, 24, 20);
  const Bytes good = Deflate(Content(3, {nullptr, nullptr, nullptr}, {small}, "[A]\r\n"));

  auto withHeader = [](int32_t version, int32_t length, const Bytes& data) {
    Bytes b;
    PutInt32(b, version);
    PutInt32(b, length);
    Append(b, data);
    return b;
  };
  auto contentWithBitmap = [](const Bytes& bitmap) {
    Bytes c;
    PutInt32(c, 3);
    Append(c, {1, 1, 1});
    PutInt32(c, 1);
    Append(c, bitmap);
    return c;
  };
  Bytes corrupt = good;
  corrupt[corrupt.size() / 2] ^= 0x55;
  corrupt[corrupt.size() / 2 + 1] ^= 0xAA;

  struct Case {
    const char* name;
    Bytes package;
    Kind kind;
  };
  const Case cases[] = {
      {"shorter than the version", {3, 0, 0}, Kind::Read},
      {"shorter than the header", {3, 0, 0, 0, 5}, Kind::Read},
      {"N zero", withHeader(3, 0, good), Kind::Read},
      {"N negative", withHeader(3, -5, good), Kind::Read},
      {"N beyond the end", withHeader(3, int32_t(good.size()) + 1, good), Kind::Read},
      {"N huge", withHeader(3, INT_MAX, good), Kind::Read},
      {"not zlib", Package(3, Bytes(40, 0x41)), Kind::Compression},
      {"corrupt zlib", Package(3, corrupt), Kind::Compression},
      {"zlib cut short", Package(3, Bytes(good.begin(), good.end() - 6)), Kind::Compression},
      {"empty content", Package(3, Deflate({})), Kind::Read},
      {"content ends in the version", Package(3, Deflate({3, 0})), Kind::Read},
      {"inner version 4", Package(3, Deflate(Content(4, {nullptr, nullptr, nullptr}, {}, "[A]"))), Kind::Read},
      {"inner version huge", Package(3, Deflate(Content(INT_MAX, {nullptr, nullptr, nullptr}, {}, ""))), Kind::Read},
      {"no presence byte", Package(3, Deflate({3, 0, 0, 0})), Kind::Read},
      {"no picture count", Package(3, Deflate({3, 0, 0, 0, 1, 1, 1, 7})), Kind::Read},
      {"count negative", Package(3, Deflate(WithCount(-1, small))), Kind::Read},
      {"count huge", Package(3, Deflate(WithCount(INT_MAX, small))), Kind::Read},
      {"count beyond the bytes", Package(3, Deflate(WithCount(2, small))), Kind::Read},
      {"count beyond the bitmaps", Package(3, Deflate(WithCount(3, small, std::string(200, 'x')))), Kind::Graphic},
      {"present picture is not a bitmap", Package(3, Deflate({3, 0, 0, 0, 0, 'X', 'Y', 'Z'})), Kind::Graphic},
      {"bitmap size beyond the end", Package(3, Deflate(contentWithBitmap(PatchedBmp(small, 2, 1 << 30)))),
       Kind::Graphic},
      {"bitmap width too large", Package(3, Deflate(contentWithBitmap(PatchedBmp(small, 18, 1 << 20)))),
       Kind::Graphic},
      {"bitmap rows beyond the end", Package(3, Deflate(contentWithBitmap(PatchedBmp(small, 22, 30000)))),
       Kind::Graphic},
      {"bitmap negative width", Package(3, Deflate(contentWithBitmap(PatchedBmp(small, 18, -4)))), Kind::Graphic},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectKind([&] { ReadPackage(c.package); }, c.kind);
  }
}

// One zlib stream of `size` zero bytes, deflated from a small buffer.
Bytes DeflatedZeros(size_t size) {
  z_stream z{};
  EXPECT_EQ(deflateInit(&z, 1), Z_OK);
  const Bytes zeros(1 << 20, 0);
  Bytes out;
  uint8_t buf[1 << 16];
  size_t left = size;
  int flush = Z_NO_FLUSH;
  do {
    if (z.avail_in == 0 && flush == Z_NO_FLUSH) {
      const size_t part = std::min(left, zeros.size());
      z.next_in = const_cast<Bytef*>(zeros.data());
      z.avail_in = uInt(part);
      left -= part;
      if (left == 0) flush = Z_FINISH;
    }
    z.next_out = buf;
    z.avail_out = sizeof buf;
    const int rc = deflate(&z, flush);
    out.insert(out.end(), buf, buf + (sizeof buf - z.avail_out));
    if (rc == Z_STREAM_END) break;
  } while (true);
  deflateEnd(&z);
  return out;
}

TEST(SkinPackageHostile, ContentPastTheInflateCapThrows) {
  // 64 MiB + 1 of zeros deflates to about 64 kB.
  ExpectKind([&] { ReadPackage(Package(3, DeflatedZeros(kMaxSkinContentSize + 1))); }, Kind::Compression);
}

TEST(SkinPackageHostile, FailedReadKeepsThePreviousData) {
  TvxCompressedStoredSkin stored(nullptr);
  TMemoryStream good(Package(3, Deflate(Content(3, {nullptr, nullptr, nullptr}, {}, "[A]"))));
  stored.LoadFromCompressedStream(good);
  const Bytes before = stored.CompressedData().Bytes();
  Bytes bad;
  PutInt32(bad, 3);
  PutInt32(bad, 1000);
  TMemoryStream badStream(bad);
  EXPECT_THROW(stored.LoadFromCompressedStream(badStream), EReadError);
  EXPECT_TRUE(stored.CompressedData().Bytes() == before);
}

TEST_F(SkinPackage, FolderProblemsKeepThePreviousData) {
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromIniFile(skin.iniPath);
  const Bytes before = stored.CompressedData().Bytes();
  const std::string other = dir + "other.ini";

  // Without [SKINCONTROLS] the folder is no skin: refused silently, although
  // every picture exists.
  std::string text = TestSkinIni();
  text = text.substr(0, text.find("[SKINCONTROLS]"));
  WriteTextFile(other, text);
  stored.LoadFromIniFile(other);
  EXPECT_TRUE(stored.CompressedData().Bytes() == before);
  EXPECT_THROW(ReadSkinFolder(other), EReadError);

  const std::pair<const char*, std::string> failing[] = {
      {"missing picture file", [] {
         std::string t = TestSkinIni();
         return t.replace(t.find("mask.bmp"), 8, "gone.bmp");
       }()},
      {"unnamed active picture", [] {
         std::string t = TestSkinIni();
         return t.replace(t.find("2=mono.bmp\r\n"), 12, "");
       }()},
      {"huge active picture count", [] {
         std::string t = TestSkinIni();
         return t.replace(t.find("activepicturescount=4"), 21, "activepicturescount=999999999");
       }()},
      {"not a bitmap", [] {
         std::string t = TestSkinIni();
         return t.replace(t.find("0=buttons.bmp"), 13, "0=skin.ini");
       }()},
  };
  for (const auto& [name, ini] : failing) {
    SCOPED_TRACE(name);
    WriteTextFile(other, ini);
    EXPECT_THROW(stored.LoadFromIniFile(other), Exception);
    EXPECT_TRUE(stored.CompressedData().Bytes() == before);
  }
}

// ---- components ----

TEST_F(SkinPackage, NameSettersLoadOnlyWhileDesigned) {
  TvxCompressedStoredSkin packed(nullptr);
  packed.LoadFromIniFile(skin.iniPath);
  const std::string packagePath = dir + "test.skn";
  {
    TFileStream f(packagePath, fmCreate);
    packed.SaveToCompressedStream(f);
  }
  struct Case {
    const char* name;
    bool designing;
    bool loading;
    bool loads;
  };
  const Case cases[] = {
      {"running", false, false, false},
      {"designed", true, false, true},
      {"designed while streamed in", true, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TComponent form(nullptr);
    auto* stored = new TvxCompressedStoredSkin(&form);
    auto* list = new TvxCompressedSkinList(&form);
    TvxSkinListItem* item = list->Skins()->Add();
    if (c.designing) form.SetDesigning(true);
    if (c.loading) form.BeginLoad();

    stored->SetFileName(skin.iniPath);
    item->SetCompressedFileName(packagePath);
    EXPECT_EQ(stored->FileName(), c.loads ? "skin.ini" : skin.iniPath);
    EXPECT_EQ(item->CompressedFileName(), c.loads ? "test.skn" : packagePath);
    EXPECT_EQ(!stored->IsEmpty(), c.loads);
    EXPECT_EQ(!item->StoredSkin().IsEmpty(), c.loads);
    if (c.loads) {
      EXPECT_TRUE(item->StoredSkin().CompressedData().Bytes() == packed.CompressedData().Bytes());
      EXPECT_TRUE(stored->CompressedData().Bytes() == packed.CompressedData().Bytes());
    }
    if (c.loading) form.EndLoad();
  }
}

TEST_F(SkinPackage, SkinListItemsAreNamedAndCopied) {
  TvxCompressedSkinList list(nullptr);
  TvxSkinListItem* first = list.Skins()->Add();
  TvxSkinListItem* second = list.Skins()->Add();
  EXPECT_EQ(first->Name(), "vxSkin0");
  EXPECT_EQ(second->DisplayName(), "vxSkin1");
  second->SetDescription("blue");
  second->StoredSkin().LoadFromIniFile(skin.iniPath);

  TvxCompressedSkinList copy(nullptr);
  copy.SetSkins(list.Skins());
  ASSERT_EQ(copy.Skins()->Count(), 2);
  EXPECT_EQ(copy.Skins()->Items(1)->Name(), "vxSkin1");
  EXPECT_EQ(copy.Skins()->Items(1)->Description(), "blue");
  EXPECT_TRUE(copy.Skins()->Items(1)->StoredSkin().CompressedData().Bytes() ==
              second->StoredSkin().CompressedData().Bytes());
  EXPECT_TRUE(copy.Skins()->Items(0)->StoredSkin().IsEmpty());
  list.Skins()->Clear();
  EXPECT_FALSE(copy.Skins()->Items(1)->StoredSkin().IsEmpty());
}

}  // namespace
}  // namespace vx
