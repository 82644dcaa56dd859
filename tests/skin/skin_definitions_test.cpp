// Definition classes: defaults, reading, writing back, fix-ups and class identity.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/strings.h"
#include "platform/core/sysutils.h"
#include "skin/vxSkinControls.h"
#include "skin/vxSkinObjects.h"

namespace vx {
namespace {

// One definition behind a uniform face, so that every class runs through the
// same round-trip checks.
struct AnyDef {
  std::function<void(TCustomIniFile&)> load;
  std::function<void(TCustomIniFile&)> save;
  std::string section;
};

template <class T>
AnyDef Wrap(std::shared_ptr<T> d, std::string section) {
  return {[d](TCustomIniFile& ini) { d->LoadFromFile(ini); }, [d](TCustomIniFile& ini) { d->SaveToFile(ini); },
          std::move(section)};
}

const char* const kObjectTypes[] = {"button",   "stdbutton", "mainmenubarbutton", "caption",
                                    "animate",  "menuitem",  "mainmenubaritem",   "userobject"};
const char* const kControlTypes[] = {"panel",   "expanel",     "menubutton",   "button",   "checkradio", "gauge",
                                     "splitter", "trackbar",   "label",        "stdlabel", "updown",     "grid",
                                     "tab",     "mainmenubar", "controlbar",   "appmenu",  "memo",       "edit",
                                     "checklistbox", "listbox", "combobox",    "scrollbar", "spinedit",  "scrollbox",
                                     "treeview", "bevel",      "slider",       "listview", "richedit"};
const char* const kSingleSections[] = {"POPUPWINDOW", "HINTWINDOW", "LAYERFRAME"};

// Every definition kind by a label: "object:<type>", "control:<type>" or the section name.
std::vector<std::string> AllKinds() {
  std::vector<std::string> kinds;
  for (const char* t : kObjectTypes) kinds.push_back(std::string("object:") + t);
  for (const char* t : kControlTypes) kinds.push_back(std::string("control:") + t);
  for (const char* s : kSingleSections) kinds.push_back(s);
  return kinds;
}

AnyDef Make(const std::string& kind) {
  const std::string section = "sec";
  if (kind.rfind("object:", 0) == 0) {
    std::shared_ptr<TvxDataSkinObject> d = CreateSkinObjectDefinition(kind.substr(7), section);
    EXPECT_TRUE(d) << kind;
    return Wrap(d, section);
  }
  if (kind.rfind("control:", 0) == 0) {
    std::shared_ptr<TvxDataSkinControl> d = CreateSkinControlDefinition(kind.substr(8), section);
    EXPECT_TRUE(d) << kind;
    return Wrap(d, section);
  }
  if (kind == "POPUPWINDOW") return Wrap(std::make_shared<TvxDataSkinPopupWindow>(), kind);
  if (kind == "HINTWINDOW") return Wrap(std::make_shared<TvxDataSkinHintWindow>(), kind);
  return Wrap(std::make_shared<TvxDataSkinLayerFrame>(), kind);
}

using Lines = std::vector<std::pair<std::string, std::string>>;

Lines SectionLines(const TCustomIniFile& ini, const std::string& section) {
  TStringList keys;
  ini.ReadSection(section, keys);
  Lines lines;
  for (int i = 0; i < keys.Count(); ++i) lines.emplace_back(keys[i], ini.ReadString(section, keys[i], "<none>"));
  return lines;
}

Lines Saved(const AnyDef& d) {
  TMemIniFile ini;
  d.save(ini);
  return SectionLines(ini, d.section);
}

// A value of the same kind as the written default `def`, different from it;
// `i` makes values differ from key to key.
std::string OtherValue(const std::string& def, int i) {
  const std::string n = std::to_string(i + 1);
  if (def == "0,0,0,0") return n + ",2," + std::to_string(i + 30) + ",40";
  if (def == "0,0") return n + ",7";
  if (def == "tacenter") return "taleftjustify";
  if (def == "stfull") return "stvert";
  if (def == "mkdefault") return "mkpush";
  if (def == "cmdefault") return "cmclose";
  if (def == "0") return "1";  // booleans and integers alike
  if (def == "") return "fsbold,fsitalic";  // font styles; string keys keep any text
  int32_t number = 0;
  if (TryStrToInt(def, number)) return std::to_string(number + 100 + i);
  return def + "x";  // strings with a default of their own
}

// Keys a class rewrites after reading, so a written value does not come back.
const std::map<std::string, std::map<std::string, std::string>> kFixedAfterRead = {
    {"object:animate", {{"morphing", "0"}}},
    {"control:updown",
     {{"lefttoppoint", "0,0"}, {"righttoppoint", "0,0"}, {"leftbottompoint", "0,0"}, {"rightbottompoint", "0,0"},
      {"clientrect", "0,0,0,0"}}},
};

TEST(SkinDefinitions, EmptySectionReadsTheConstructionDefaults) {
  for (const std::string& kind : AllKinds()) {
    AnyDef fresh = Make(kind);
    AnyDef loaded = Make(kind);
    TMemIniFile empty;
    loaded.load(empty);
    EXPECT_EQ(Saved(loaded), Saved(fresh)) << kind;
  }
}

TEST(SkinDefinitions, EveryKeyRoundTripsInClassOrderAndSaveErasesTheSection) {
  for (const std::string& kind : AllKinds()) {
    const Lines defaults = Saved(Make(kind));
    ASSERT_FALSE(defaults.empty()) << kind;
    TMemIniFile source;
    for (size_t i = 0; i < defaults.size(); ++i)
      source.WriteString("sec2", defaults[i].first, OtherValue(defaults[i].second, int(i)));
    // The definition reads the section it was made for; copy under that name.
    Lines written = SectionLines(source, "sec2");
    AnyDef d = Make(kind);
    TMemIniFile in;
    for (const auto& [k, v] : written) in.WriteString(d.section, k, v);
    d.load(in);

    TMemIniFile out;
    out.WriteString(d.section, "stale", "1");
    d.save(out);
    const Lines back = SectionLines(out, d.section);
    ASSERT_EQ(back.size(), defaults.size()) << kind << ": a stale key survived or a key is missing";
    const auto fixed = kFixedAfterRead.count(kind) ? kFixedAfterRead.at(kind) : std::map<std::string, std::string>{};
    for (size_t i = 0; i < back.size(); ++i) {
      EXPECT_EQ(back[i].first, defaults[i].first) << kind << ": key order";
      const std::string expected = fixed.count(back[i].first) ? fixed.at(back[i].first) : written[i].second;
      EXPECT_EQ(back[i].second, expected) << kind << " key " << back[i].first;
    }
  }
}

TEST(SkinDefinitions, DefaultsThatDifferFromZero) {
  struct Case {
    const char* kind;
    const char* key;
    const char* value;
  } cases[] = {
      {"object:button", "activepictureindex", "-1"},
      {"object:button", "glowlayeralphablendvalue", "255"},
      {"object:button", "morphkind", "mkdefault"},
      {"object:stdbutton", "command", "cmdefault"},
      {"object:caption", "fontname", "Tahoma"},
      {"object:caption", "fontheight", "13"},
      {"object:caption", "alignment", "tacenter"},
      {"object:caption", "animateinterval", "25"},
      {"object:caption", "glowsize", "3"},
      {"object:caption", "quickbuttonalphamaskpictureindex", "-1"},
      {"object:animate", "countframes", "1"},
      {"object:animate", "timerinterval", "50"},
      {"control:stdlabel", "activefontcolor", "16711680"},
      {"control:listbox", "vscrollbarname", "vscrollbar"},
      {"control:checklistbox", "bothhscrollbarname", "bothhscrollbar"},
      {"control:combobox", "listboxname", ""},
      {"control:appmenu", "itemoffset2", "3"},
      {"control:appmenu", "pageitemoffset1", "10"},
      {"control:appmenu", "fontpageheight", "16"},
      {"control:controlbar", "itemoffset1", "3"},
      {"control:tab", "fontname", "Tahoma"},
      {"control:tab", "stretchtype", "stfull"},
      {"control:button", "glowlayeralphablendvalue", "255"},
      {"LAYERFRAME", "inactivealphablendvalue", "255"},
      {"LAYERFRAME", "blurmaskpictureindex", "-1"},
      {"HINTWINDOW", "fontheight", "13"},
      {"POPUPWINDOW", "maskpictureindex", "-1"},
  };
  for (const Case& c : cases) {
    const Lines lines = Saved(Make(c.kind));
    auto it = std::find_if(lines.begin(), lines.end(), [&](const auto& l) { return l.first == c.key; });
    ASSERT_NE(it, lines.end()) << c.kind << " lacks " << c.key;
    EXPECT_EQ(it->second, c.value) << c.kind << " " << c.key;
  }
}

TEST(SkinDefinitions, KeysKeepTheirOddSpellings) {
  struct Case {
    const char* kind;
    const char* key;
  } cases[] = {{"object:button", "disableskinrsect"},
               {"object:caption", "reflactioncolor"},
               {"object:caption", "reflactionactivecolor"},
               {"object:mainmenubaritem", "unenabledfontColor"},
               {"object:menuitem", "unenabledfontcolor"}};
  for (const Case& c : cases) {
    const Lines lines = Saved(Make(c.kind));
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const auto& l) { return l.first == c.key; }))
        << c.kind << " " << c.key;
  }
  // Keys match without regard to case when read.
  TMemIniFile ini;
  ini.WriteString("item", "unenabledfontcolor", "77");
  TvxDataSkinMainMenuBarItem item("item");
  item.LoadFromFile(ini);
  EXPECT_EQ(item.unenabledfontColor, 77);
}

TEST(SkinDefinitions, ClassIdentityFollowsTheTypeTables) {
  auto obj = [](const char* t) { return CreateSkinObjectDefinition(t, "s"); };
  auto ctl = [](const char* t) { return CreateSkinControlDefinition(t, "s"); };
  EXPECT_TRUE(dynamic_cast<TvxDataSkinStdButton*>(obj("mainmenubarbutton").get()));
  EXPECT_TRUE(dynamic_cast<TvxDataSkinButton*>(obj("stdbutton").get()));
  EXPECT_FALSE(dynamic_cast<TvxDataSkinStdButton*>(obj("button").get()));
  EXPECT_TRUE(dynamic_cast<TvxDataSkinMainMenuItem*>(obj("mainmenubaritem").get()));
  EXPECT_FALSE(dynamic_cast<TvxDataSkinMenuItem*>(obj("mainmenubaritem").get()));
  EXPECT_TRUE(dynamic_cast<TvxDataUserObject*>(obj("userobject").get()));
  EXPECT_EQ(obj("Button"), nullptr);
  EXPECT_EQ(obj("panel"), nullptr);

  EXPECT_TRUE(dynamic_cast<TvxDataSkinListBox*>(ctl("checklistbox").get()));
  EXPECT_TRUE(dynamic_cast<TvxDataSkinEditControl*>(ctl("memo").get()));
  EXPECT_TRUE(dynamic_cast<TvxDataSkinButtonControl*>(ctl("menubutton").get()));
  EXPECT_FALSE(dynamic_cast<TvxDataSkinMenuButtonControl*>(ctl("button").get()));
  EXPECT_TRUE(dynamic_cast<TvxDataSkinCustomControl*>(ctl("panel").get()));
  EXPECT_FALSE(dynamic_cast<TvxDataSkinCustomControl*>(ctl("stdlabel").get()));
  EXPECT_FALSE(dynamic_cast<TvxDataSkinCustomControl*>(ctl("tab").get()));
  EXPECT_EQ(ctl("stdbutton"), nullptr);
  EXPECT_EQ(ctl(""), nullptr);
}

TEST(SkinDefinitions, RestoreHintRule) {
  struct Case {
    const char* type;
    const char* hint;
    const char* command;
    const char* restorehint;  // nullptr: key absent
    const char* expected;
  } cases[] = {
      {"stdbutton", "Maximize", "cmmaximize", nullptr, "Restore"},
      {"stdbutton", "maximize", "cmmaximize", nullptr, ""},
      {"stdbutton", "Maximize", "cmminimize", nullptr, ""},
      {"stdbutton", "Minimize", "cmminimize", nullptr, "Restore"},
      {"stdbutton", "RollUp", "cmrollup", nullptr, "Restore"},
      {"stdbutton", "Roll Up", "cmrollup", nullptr, "Restore"},
      {"stdbutton", "Maximize", "cmmaximize", "Back", "Back"},
      {"mainmenubarbutton", "Minimize", "cmminimize", nullptr, "Restore"},
      {"animate", "Maximize", "cmmaximize", nullptr, "Restore"},
      {"animate", "Close", "cmclose", nullptr, ""},
  };
  for (const Case& c : cases) {
    TMemIniFile ini;
    ini.WriteString("b", "hint", c.hint);
    ini.WriteString("b", "command", c.command);
    if (c.restorehint) ini.WriteString("b", "restorehint", c.restorehint);
    auto d = CreateSkinObjectDefinition(c.type, "b");
    d->LoadFromFile(ini);
    const std::string got = dynamic_cast<TvxDataSkinStdButton*>(d.get())
                                ? dynamic_cast<TvxDataSkinStdButton*>(d.get())->restorehint
                                : dynamic_cast<TvxDataSkinAnimate*>(d.get())->restorehint;
    EXPECT_EQ(got, c.expected) << c.type << " " << c.hint << " " << c.command;
  }
}

TEST(SkinDefinitions, CommandKeywords) {
  struct Case {
    const char* text;  // nullptr: key absent
    TvxSkinCommand command;
  } cases[] = {{"cmclose", cmClose},     {"cmmaximize", cmMaximize},         {"cmminimize", cmMinimize},
               {"cmsysmenu", cmSysMenu}, {"cmdefault", cmDefault},           {"cmrollup", cmRollUp},
               {nullptr, cmDefault},     {"cmminimizetotray", cmMinimizeToTray}, {"cmMinimize", cmMinimizeToTray},
               {"", cmMinimizeToTray}};
  for (const Case& c : cases) {
    TMemIniFile ini;
    if (c.text) ini.WriteString("b", "command", c.text);
    TvxDataSkinStdButton button("b");
    button.LoadFromFile(ini);
    EXPECT_EQ(button.command, c.command) << (c.text ? c.text : "(absent)");
  }
}

TEST(SkinDefinitions, FixUpsAfterReading) {
  TMemIniFile ini;
  ini.SetText(
      "[u]\nhint=Hello\nskinrect=1,2,3,4\nactivepictureindex=3\n"
      "[a]\nmorphing=1\ncountframes=4\n"
      "[m]\narrowimagerect=1,1,5,5\ncheckimagerect=2,2,6,6\nactivecheckimagerect=7,7,9,9\nradioimagerect=3,3,4,4\n"
      "activeradioimagerect=3,3,3,9\n"
      "[ud]\nlefttoppoint=4,4\nrightbottompoint=5,5\nclientrect=1,1,9,9\nupbuttonrect=0,0,8,8\nskinrect=0,0,20,20\n");
  TvxDataUserObject user("u");
  user.LoadFromFile(ini);
  EXPECT_EQ(user.hint, "");
  EXPECT_EQ(user.activepictureindex, -1);
  EXPECT_EQ(user.skinrect, TRect(1, 2, 3, 4));

  TvxDataSkinAnimate animate("a");
  animate.LoadFromFile(ini);
  EXPECT_FALSE(animate.morphing);
  EXPECT_EQ(animate.countframes, 4);

  TvxDataSkinMenuItem item("m");
  item.LoadFromFile(ini);
  EXPECT_EQ(item.activearrowimagerect, TRect(1, 1, 5, 5));
  EXPECT_EQ(item.activecheckimagerect, TRect(7, 7, 9, 9));
  EXPECT_EQ(item.activeradioimagerect, TRect(3, 3, 4, 4)) << "zero width counts as empty";

  TvxDataSkinUpDownControl updown("ud");
  updown.LoadFromFile(ini);
  EXPECT_EQ(updown.lefttoppoint, TPoint());
  EXPECT_EQ(updown.rightbottompoint, TPoint());
  EXPECT_EQ(updown.clientrect, TRect());
  EXPECT_EQ(updown.upbuttonrect, TRect(0, 0, 8, 8));
  EXPECT_EQ(updown.skinrect, TRect(0, 0, 20, 20));
}

TEST(SkinDefinitions, DerivedControlsReadTheirBasesKeys) {
  TMemIniFile ini;
  ini.SetText(
      "[clb]\npictureindex=2\nvscrollbarname=myscroll\nitemrect=1,2,3,4\nitemcheckrect=5,6,7,8\n"
      "[memo]\nfontcolor=255\nbuttonrect=1,1,2,2\nbgcolor=65280\nstretchtype=stvert\n");
  TvxDataSkinCheckListBox clb("clb");
  clb.LoadFromFile(ini);
  EXPECT_EQ(clb.pictureindex, 2);
  EXPECT_EQ(clb.vscrollbarname, "myscroll");
  EXPECT_EQ(clb.hscrollbarname, "hscrollbar");
  EXPECT_EQ(clb.itemrect, TRect(1, 2, 3, 4));
  EXPECT_EQ(clb.itemcheckrect, TRect(5, 6, 7, 8));
  TvxDataSkinMemoControl memo("memo");
  memo.LoadFromFile(ini);
  EXPECT_EQ(memo.fontcolor, 255);
  EXPECT_EQ(memo.buttonrect, TRect(1, 1, 2, 2));
  EXPECT_EQ(memo.bgcolor, 65280);
  EXPECT_EQ(memo.stretchtype, vxstVert);
  EXPECT_EQ(memo.fontname, "Tahoma");
}

TEST(SkinDefinitions, MalformedRectangleThrows) {
  TMemIniFile ini;
  ini.SetText("[b]\nskinrect=3,26,282\n");
  TvxDataSkinButton button("b");
  EXPECT_THROW(button.LoadFromFile(ini), EConvertError);
}

}  // namespace
}  // namespace vx
