#include "platform/core/inifiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/strings.h"

namespace vx {
namespace {

std::vector<std::string> Lines(const TStrings& l) {
  std::vector<std::string> r;
  for (int i = 0; i < l.Count(); ++i) r.push_back(l[i]);
  return r;
}

TMemIniFile FromText(const std::string& text) {
  TStringList l;
  l.SetText(text);
  return TMemIniFile(l);
}

TEST(IniFile, ReadIntegerRules) {
  struct Case {
    const char* value;  // nullptr: key absent
    int32_t expected;
  };
  const int32_t def = -77;
  const Case cases[] = {
      {"12", 12},      {"-5", -5},       {"+5", 5},        {"0x10", 16},  {"0X1F", 31},
      {"0x", def},     {"0xZZ", def},    {"$ff", 255},     {"-$10", -16}, {"", def},
      {"abc", def},    {"1.5", def},     {"99999999999", def}, {"12abc", def}, {"0", 0},
      {"9868950", 9868950}, {nullptr, def},
  };
  for (const auto& c : cases) {
    TMemIniFile ini;
    if (c.value) ini.WriteString("s", "k", c.value);
    EXPECT_EQ(ini.ReadInteger("s", "k", def), c.expected) << (c.value ? c.value : "(absent)");
  }
}

TEST(IniFile, ParsingConventions) {
  const char* text =
      "; file comment\r\n"
      "orphan=1\r\n"
      "[Main]\r\n"
      "  Key One =  value with  inner blanks  \r\n"
      "; note\r\n"
      "eq=a=b\r\n"
      "dup=first\r\n"
      "DUP=second\r\n"
      "empty=\r\n"
      "noequals\r\n"
      "[ other ]\r\n"
      "x=1\r\n"
      "[MAIN]\r\n"
      "late=yes\r\n";
  TMemIniFile ini = FromText(text);
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"main", "key one", "value with  inner blanks"},
      {"MAIN", "KEY ONE", "value with  inner blanks"},
      {"Main", "eq", "a=b"},
      {"Main", "dup", "first"},
      {"Main", "empty", ""},
      {"Main", "late", "yes"},       // a repeated header joins the first section
      {"Other", "x", "1"},
      {"Main", "noequals", "<def>"},
      {"Main", "; note", "<def>"},
      {"", "orphan", "<def>"},       // lines before any section are not keys
      {"Missing", "x", "<def>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<def>"), c.expected) << c.section << "/" << c.key;
  }
  EXPECT_TRUE(ini.SectionExists("OTHER"));
  EXPECT_TRUE(ini.ValueExists("main", "EMPTY"));
  EXPECT_FALSE(ini.ValueExists("main", "noequals"));
  TStringList l;
  ini.ReadSections(l);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"Main", "other"}));
  ini.ReadSection("main", l);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"Key One", "eq", "dup", "empty", "late"}));
}

TEST(IniFile, EveryLineEndReadsTheSame) {
  for (const char* eol : {"\r\n", "\r", "\n"}) {
    std::string text = std::string("[a]") + eol + "k=1" + eol + eol + "[b]" + eol + "k=0x20";
    TMemIniFile ini;
    ini.SetText(text);
    EXPECT_EQ(ini.ReadInteger("a", "k", 0), 1) << testing::PrintToString(std::string(eol));
    EXPECT_EQ(ini.ReadInteger("b", "k", 0), 32) << testing::PrintToString(std::string(eol));
  }
}

TEST(IniFile, WritingKeepsOrderAndUnreadableLines) {
  TMemIniFile ini = FromText("; top\r\n\r\n[s]\r\nb=1\r\n; keep me\r\na=2\r\nb=shadow\r\n");
  ini.WriteString("s", "a", "20");  // existing key keeps its place
  ini.WriteInteger("new", "z", -3);
  ini.WriteString("new", "y", "v");
  ini.WriteString("S", "c", "3");
  EXPECT_EQ(ini.GetText(),
            "; top\r\n\r\n[s]\r\nb=1\r\n; keep me\r\na=20\r\nb=shadow\r\nc=3\r\n\r\n[new]\r\nz=-3\r\ny=v\r\n");
  ini.DeleteKey("S", "B");  // every occurrence goes
  EXPECT_FALSE(ini.ValueExists("s", "b"));
  ini.EraseSection("S");
  EXPECT_FALSE(ini.SectionExists("s"));
  ini.EraseSection("s");  // erasing again is harmless
  // An erased section written again lists keys in the order written.
  ini.WriteString("s", "second", "2");
  ini.WriteString("s", "first", "1");
  EXPECT_EQ(ini.GetText(), "; top\r\n\r\n[new]\r\nz=-3\r\ny=v\r\n\r\n[s]\r\nsecond=2\r\nfirst=1\r\n");
  // Reparsing the written text gives the same text.
  TMemIniFile again;
  again.SetText(ini.GetText());
  EXPECT_EQ(again.GetText(), ini.GetText());
}

TEST(IniFile, RefusesWhatALineCannotHold) {
  TMemIniFile ini;
  EXPECT_THROW(ini.WriteString("s", "a=b", "1"), EIniFileException);
  EXPECT_THROW(ini.WriteString("s", "", "1"), EIniFileException);
  EXPECT_THROW(ini.WriteString("s", "k", "line\r\n[evil]"), EIniFileException);
  EXPECT_THROW(ini.WriteString("a]b", "k", "1"), EIniFileException);
  EXPECT_FALSE(ini.SectionExists("s"));
}

TEST(IniFile, FileBackedWritesThroughAndBatches) {
  std::string path = std::string(VX_TEST_OUT_DIR) + "/core_ini_test.ini";
  std::remove(path.c_str());
  {
    TIniFile ini(path);  // a missing file is an empty INI file
    EXPECT_FALSE(ini.SectionExists("s"));
    ini.WriteInteger("s", "n", 5);
    TMemIniFile disk(path);
    EXPECT_EQ(disk.ReadInteger("s", "n", 0), 5);

    ini.BeginUpdate();
    ini.WriteString("s", "m", "x");
    EXPECT_FALSE(TMemIniFile(path).ValueExists("s", "m"));
    ini.EndUpdate();
    EXPECT_EQ(TMemIniFile(path).ReadString("s", "m", ""), "x");
  }
  {
    TIniFile open(path);
    open.BeginUpdate();
    open.WriteString("s", "pending", "1");
  }  // an update left open is written when the object goes
  TIniFile reread(path);
  EXPECT_EQ(reread.ReadString("S", "M", ""), "x");
  EXPECT_EQ(reread.ReadString("s", "pending", ""), "1");
  TStringList raw;
  raw.LoadFromFile(path);
  EXPECT_EQ(Lines(raw), (std::vector<std::string>{"[s]", "n=5", "m=x", "pending=1"}));
  std::remove(path.c_str());

  TIniFile bad(std::string(VX_TEST_OUT_DIR) + "/no/such/dir/x.ini");
  EXPECT_THROW(bad.WriteString("s", "k", "v"), EFOpenError);
}

TEST(IniFile, LargeTextLookupsStayFast) {
  // 4000 keys in 200 sections; 200000 reads must not rescan the text.
  std::string text;
  for (int s = 0; s < 200; ++s) {
    text += "[section" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 20; ++k) text += "key" + std::to_string(k) + "=" + std::to_string(s * 100 + k) + "\r\n";
  }
  TMemIniFile ini;
  ini.SetText(text);
  int64_t sum = 0;
  for (int r = 0; r < 50; ++r) {
    for (int s = 0; s < 200; ++s) {
      std::string sec = "SECTION" + std::to_string(s);
      for (int k = 0; k < 20; ++k) sum += ini.ReadInteger(sec, "Key" + std::to_string(k), 0);
    }
  }
  int64_t once = 0;
  for (int s = 0; s < 200; ++s)
    for (int k = 0; k < 20; ++k) once += s * 100 + k;
  EXPECT_EQ(sum, once * 50);
}

}  // namespace
}  // namespace vx
