#include "platform/core/strings.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"
#include "platform/core/sysutils.h"

namespace vx {
namespace {

std::vector<std::string> Lines(const TStrings& l) {
  std::vector<std::string> r;
  for (int i = 0; i < l.Count(); ++i) r.push_back(l[i]);
  return r;
}

TEST(StringList, SetTextSplitsOnEveryLineEnd) {
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"x\r", {"x"}},
  };
  for (const auto& c : cases) {
    TStringList l;
    l.SetText(c.text);
    EXPECT_EQ(Lines(l), c.lines) << "text: " << testing::PrintToString(std::string(c.text));
  }
}

TEST(StringList, TextUsesCrLfAndRoundTripsThroughFiles) {
  TStringList l{"one", "", "three=3"};
  EXPECT_EQ(l.Text(), "one\r\n\r\nthree=3\r\n");
  EXPECT_EQ(l.Values("THREE"), "3");
  EXPECT_EQ(l.IndexOf("ONE"), 0);
  std::string path = std::string(VX_TEST_OUT_DIR) + "/core_strings.txt";
  l.SaveToFile(path);
  TStringList r;
  r.LoadFromFile(path);
  EXPECT_TRUE(r.Equals(l));
  TMemoryStream m;
  m.WriteBuffer("skip|a\nb", 8);
  m.SetPosition(5);  // LoadFromStream reads from the position on
  r.LoadFromStream(m);
  EXPECT_EQ(Lines(r), (std::vector<std::string>{"a", "b"}));
  EXPECT_THROW(r.LoadFromFile(path + ".missing"), EFOpenError);
}

TEST(StringList, IndexErrorsSortingAndChangeEvents) {
  TStringList l;
  int changes = 0;
  l.OnChange = [&](TObject*) { ++changes; };
  l.Add("b");
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(l.Get(1), EListError);
  EXPECT_THROW(l.Delete(-1), EListError);
  EXPECT_THROW(l.Insert(3, "x"), EListError);
  l.BeginUpdate();
  l.Add("C");
  l.Add("a");
  l.EndUpdate();
  EXPECT_EQ(changes, 2);  // one notification for the whole update
  l.SetSorted(true);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_EQ(l.Add("B"), 2);
  EXPECT_EQ(l.IndexOf("c"), 3);
  EXPECT_THROW(l.Insert(0, "z"), EListError);
  TStringList copy;
  copy.Assign(&l);
  EXPECT_TRUE(copy.Equals(l));
}

TEST(SysUtils, IntegerTextRules) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  };
  const Case cases[] = {
      {"0", true, 0},          {"42", true, 42},        {"-42", true, -42},
      {"+7", true, 7},         {"0x10", true, 16},      {"0X1f", true, 31},
      {"0x", false, 0},        {"0xg", false, 0},       {"$10", true, 16},
      {"-$10", true, -16},     {"$", false, 0},         {"0xFFFFFFFF", true, -1},
      {"0x100000000", false, 0}, {"2147483647", true, INT32_MAX}, {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0}, {"", false, 0},         {"-", false, 0},
      {" 5", false, 0},        {"5 ", false, 0},        {"12a", false, 0},
      {"-0x10", false, 0},     {"010", true, 10},
  };
  for (const auto& c : cases) {
    int32_t v = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
  try {
    StrToInt("9x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'9x' is not a valid integer value");
  }
}

TEST(SysUtils, FileNameParts) {
  EXPECT_EQ(ExtractFilePath("/a/b/skin.ini"), "/a/b/");
  EXPECT_EQ(ExtractFileName("/a/b/skin.ini"), "skin.ini");
  EXPECT_EQ(ExtractFileExt("/a.d/skin"), "");
  EXPECT_EQ(ExtractFileExt("skin.SKN"), ".SKN");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(Trim(" \t x y \r"), "x y");
}

}  // namespace
}  // namespace vx
