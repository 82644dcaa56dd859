// Skin INI value encodings: points and rectangles that keep only digits,
// keyword fallbacks, font styles by substring, string lists, and writers whose
// output the readers accept.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/strings.h"
#include "skin/vxSkinValues.h"

namespace vx {
namespace {

// An in-memory INI file with one section [s] holding the given key lines.
std::unique_ptr<TMemIniFile> Ini(const std::string& lines) {
  auto ini = std::make_unique<TMemIniFile>();
  ini->SetText("[s]\r\n" + lines);
  return ini;
}

struct PointCase {
  const char* line;  // "" = key absent
  std::optional<TPoint> expected;  // nullopt = conversion error
};

TEST(SkinValues, ReadPointKeepsOnlyDigits) {
  const PointCase cases[] = {
      {"p=9,27", TPoint{9, 27}},
      {"p= 9 , 27 ", TPoint{9, 27}},
      {"p=9,27,5", TPoint{9, 27}},
      {"p=-1,-1", TPoint{1, 1}},
      {"p=1a2,b3", TPoint{12, 3}},
      {"", TPoint{0, 0}},
      {"p=9", std::nullopt},
      {"p=", std::nullopt},
      {"p=,5", std::nullopt},
      {"p=x,5", std::nullopt},
      {"p=99999999999,1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto ini = Ini(c.line);
    if (c.expected) {
      EXPECT_EQ(ReadPoint(*ini, "s", "p"), *c.expected);
    } else {
      EXPECT_THROW(ReadPoint(*ini, "s", "p"), EConvertError);
    }
  }
}

struct RectCase {
  const char* line;
  std::optional<TRect> expected;
};

TEST(SkinValues, ReadRectKeepsOnlyDigits) {
  const RectCase cases[] = {
      {"r=3,26,282,207", TRect{3, 26, 282, 207}},
      {"r=3, 26, 282, 207, 1", TRect{3, 26, 282, 207}},
      {"r=3px,2x6,28a2,207;", TRect{3, 26, 282, 207}},
      {"r=-3,-26,282,207", TRect{3, 26, 282, 207}},
      {"", TRect{0, 0, 0, 0}},
      {"r=3,26,282", std::nullopt},
      {"r=3,26,,207", std::nullopt},
      {"r=", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    auto ini = Ini(c.line);
    if (c.expected) {
      EXPECT_EQ(ReadRect(*ini, "s", "r"), *c.expected);
    } else {
      EXPECT_THROW(ReadRect(*ini, "s", "r"), EConvertError);
    }
  }
}

TEST(SkinValues, ConversionErrorNamesPlaceAndText) {
  auto ini = Ini("clientrect=3,26,282");
  try {
    ReadRect(*ini, "s", "clientrect");
    FAIL() << "no conversion error";
  } catch (const EConvertError& e) {
    const std::string msg = e.what();
    EXPECT_NE(msg.find("[s] clientrect"), std::string::npos) << msg;
    EXPECT_NE(msg.find("'3,26,282'"), std::string::npos) << msg;
  }
}

TEST(SkinValues, ReadBooleanIsTrueOnlyForOne) {
  const std::pair<const char*, bool> cases[] = {
      {"b=1", true}, {"b=0x1", true}, {"b=2", false}, {"b=true", false},
      {"b=", false}, {"b=-1", false}, {"", false},
  };
  for (const auto& [line, expected] : cases) {
    SCOPED_TRACE(line);
    EXPECT_EQ(ReadBoolean(*Ini(line), "s", "b"), expected);
  }
}

TEST(SkinValues, ReadFontStylesMatchesSubstringsWithCase) {
  const std::pair<const char*, TFontStyles> cases[] = {
      {"f=fsbold", {fsBold}},
      {"f=fsbold,fsitalic", {fsBold, fsItalic}},
      {"f=fsitalic fsbold", {fsBold, fsItalic}},
      {"f=xfsunderlinexfsstrikeout", {fsUnderline, fsStrikeOut}},
      {"f=FSBOLD,FSITALIC", {}},
      {"f=", {}},
      {"", {}},
  };
  for (const auto& [line, expected] : cases) {
    SCOPED_TRACE(line);
    EXPECT_EQ(ReadFontStyles(*Ini(line), "s", "f"), expected);
  }
}

// Each keyword reader: its exact keywords, its fallback for other text (empty
// and capitals included) and its default for an absent key.
TEST(SkinValues, KeywordReadersFallBackForOtherText) {
  struct Case {
    const char* line;
    int expected;
  };
  const Case alignment[] = {{"k=tacenter", taCenter},           {"k=taleftjustify", taLeftJustify},
                            {"k=tarightjustify", taRightJustify}, {"k=TACENTER", taRightJustify},
                            {"k=", taRightJustify},             {"", taCenter}};
  for (const auto& c : alignment) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ReadAlignment(*Ini(c.line), "s", "k"), c.expected);
  }
  const Case stretch[] = {{"k=stfull", vxstFull}, {"k=stvert", vxstVert}, {"k=sthorz", vxstHorz},
                          {"k=StFull", vxstHorz}, {"k=", vxstHorz},       {"", vxstFull}};
  for (const auto& c : stretch) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ReadStretchType(*Ini(c.line), "s", "k"), c.expected);
  }
  const Case effect[] = {{"k=iebrightness", vxieBrightness}, {"k=iedarkness", vxieDarkness},
                         {"k=iegrayscale", vxieGrayScale},   {"k=ienoise", vxieNoise},
                         {"k=iesplitblur", vxieSplitBlur},   {"k=ieinvert", vxieInvert},
                         {"k=blur", vxieGrayScale},          {"k=", vxieGrayScale},
                         {"", vxieBrightness}};
  for (const auto& c : effect) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ReadImageEffect(*Ini(c.line), "s", "k"), c.expected);
  }
  const Case morph[] = {{"k=mkdefault", vxmkDefault},         {"k=mkgradient", vxmkGradient},
                        {"k=mkleftgradient", vxmkLeftGradient}, {"k=mkrightgradient", vxmkRightGradient},
                        {"k=mkleftslide", vxmkLeftSlide},       {"k=mkrightslide", vxmkRightSlide},
                        {"k=mkpush", vxmkPush},                 {"k=MKPUSH", vxmkDefault},
                        {"", vxmkDefault}};
  for (const auto& c : morph) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ReadMorphKind(*Ini(c.line), "s", "k"), c.expected);
  }
}

TEST(SkinValues, ReadStringsAppendsCountEntries) {
  struct Case {
    const char* lines;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"activepicturescount=2\r\n0=a.bmp\r\n", {"pre", "a.bmp", ""}},
      {"activepicturescount=2\r\n1=b.bmp\r\n0=a.bmp\r\n2=c.bmp\r\n", {"pre", "a.bmp", "b.bmp"}},
      {"0=a.bmp\r\n", {"pre"}},
      {"activepicturescount=-3\r\n0=a.bmp\r\n", {"pre"}},
      {"activepicturescount=two\r\n0=a.bmp\r\n", {"pre"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    TStringList list{"pre"};
    ReadStrings(*Ini(c.lines), "s", "activepictures", list);
    std::vector<std::string> got;
    for (int i = 0; i < list.Count(); ++i) got.push_back(list[i]);
    EXPECT_EQ(got, c.expected);
  }
}

TEST(SkinValues, ReadStringsRefusesHugeCount) {
  TStringList list;
  EXPECT_THROW(ReadStrings(*Ini("activepicturescount=2147483647"), "s", "activepictures", list), EReadError);
  EXPECT_EQ(list.Count(), 0);
}

// Writers give the exact text, and the readers read it back (except negative
// coordinates, whose minus sign the readers drop).
TEST(SkinValues, WritersProduceReaderForms) {
  TMemIniFile ini;
  WriteRect(ini, "s", "r", {3, 26, 282, 207});
  WriteRect(ini, "s", "neg", {-3, 26, 282, 207});
  WritePoint(ini, "s", "p", {9, 27});
  WriteBoolean(ini, "s", "t", true);
  WriteBoolean(ini, "s", "f", false);
  WriteFontStyles(ini, "s", "fs", {fsStrikeOut, fsBold, fsUnderline});
  WriteFontStyles(ini, "s", "nofs", {});
  WriteAlignment(ini, "s", "a", taRightJustify);
  WriteStretchType(ini, "s", "st", vxstVert);
  WriteMorphKind(ini, "s", "mk", vxmkRightSlide);

  const std::pair<const char*, const char*> texts[] = {
      {"r", "3,26,282,207"}, {"neg", "-3,26,282,207"}, {"p", "9,27"},     {"t", "1"},
      {"f", "0"},            {"fs", "fsbold,fsunderline,fsstrikeout"},    {"nofs", ""},
      {"a", "tarightjustify"}, {"st", "stvert"},       {"mk", "mkrightslide"},
  };
  for (const auto& [key, text] : texts) EXPECT_EQ(ini.ReadString("s", key, "<absent>"), text) << key;

  EXPECT_EQ(ReadRect(ini, "s", "r"), TRect(3, 26, 282, 207));
  EXPECT_NE(ReadRect(ini, "s", "neg"), TRect(-3, 26, 282, 207));
  EXPECT_EQ(ReadPoint(ini, "s", "p"), TPoint(9, 27));
  EXPECT_TRUE(ReadBoolean(ini, "s", "t"));
  EXPECT_FALSE(ReadBoolean(ini, "s", "f"));
  EXPECT_EQ(ReadFontStyles(ini, "s", "fs"), TFontStyles({fsBold, fsUnderline, fsStrikeOut}));

  for (TAlignment a : {taLeftJustify, taRightJustify, taCenter}) {
    WriteAlignment(ini, "s", "a", a);
    EXPECT_EQ(ReadAlignment(ini, "s", "a"), a);
  }
  for (TvxStretchType st : {vxstFull, vxstHorz, vxstVert}) {
    WriteStretchType(ini, "s", "st", st);
    EXPECT_EQ(ReadStretchType(ini, "s", "st"), st);
  }
  for (int m = 0; m <= 6; ++m) {
    WriteMorphKind(ini, "s", "mk", TvxMorphKind(m));
    EXPECT_EQ(ReadMorphKind(ini, "s", "mk"), TvxMorphKind(m));
  }
}

}  // namespace
}  // namespace vx
