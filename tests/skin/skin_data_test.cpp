// The skin data component: folder and package loads, staged loading, the
// announcements, lookups, SkinIndex switching, [FORMINFO] adjustments and the
// alpha images prepared from a small generated skin.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codecs/bmp.h"
#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "raster/vx_bitmap.h"
#include "skin/skin_messages.h"
#include "skin/vxResStrData.h"
#include "skin/vxSkinControls.h"
#include "skin/vxSkinData.h"
#include "skin/vxStoredSkin.h"

namespace vx {
namespace {

// ---- the generated skin ----

// Every picture pixel names its picture (seed) and position, so a sampled
// pixel tells where it came from. Colours are 0x00RRGGBB as TvxBitmap holds them.
uint32_t PatternColor(int seed, int x, int y) {
  return (uint32_t(seed * 40 + 10) << 16) | (uint32_t(x * 20 + 5) << 8) | uint32_t(y * 30 + 7);
}
// Masks: grey levels, so that (R + G + B) / 3 is the level.
uint32_t MaskGrey(int x, int y) { return uint32_t(x * 60 + y * 25 + 3); }

TBmpImage MakePicture(int w, int h, const std::function<uint32_t(int, int)>& color) {
  std::vector<uint8_t> bgra(size_t(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t c = color(x, y);
      uint8_t* p = &bgra[(size_t(y) * w + x) * 4];
      p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16), p[3] = 255;
    }
  return TBmpImage::FromBGRA(w, h, bgra.data(), 24);
}

TBmpImage MakeMask(int w, int h) {
  return MakePicture(w, h, [](int x, int y) {
    const uint32_t g = MaskGrey(x, y);
    return g | (g << 8) | (g << 16);
  });
}

void WriteFile(const std::string& path, const std::string& text) {
  TFileStream f(path, fmCreate);
  f.WriteBuffer(text.data(), int64_t(text.size()));
}

void WriteBmpFile(const std::string& path, const TBmpImage& image) {
  TFileStream f(path, fmCreate);
  WriteBmp(f, image);
}

std::string FreshDir(const std::string& suffix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir = std::filesystem::path(VX_TEST_OUT_DIR) / "skindata" /
                              (std::string(info->test_suite_name()) + "." + info->name() + suffix);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string() + "/";
}

// Active pictures: 0 buttons 8x4, 1 button mask 4x2 (smaller than a button),
// 2 layer frame 6x4, 3 layer frame mask 4x3 (smaller than the frame).
const char* const kIniTemplate =
    "[VERSION]\r\nver=1\r\nskinname=$NAME\r\nskinauthor=Us\r\nauthoremail=a@b.c\r\n"
    "[PICTURES]\r\npicture=frame.bmp\r\ninactivepicture=\r\nmask=mask.bmp\r\nactivepicturescount=4\r\n"
    "0=buttons.bmp\r\n1=btnmask.bmp\r\n2=layer.bmp\r\n3=$LAYERMASK\r\n"
    "[FORMINFO]\r\nlefttoppoint=3,3\r\nrighttoppoint=9,3\r\nleftbottompoint=3,8\r\nrightbottompoint=9,8\r\n"
    "clientrect=4,2,10,7\r\nmaskrectarea=1,1,5,5\r\nhittestlefttoppoint=0,5\r\nhittestrighttoppoint=8,2\r\n"
    "buttonsrect=1,1,4,2\r\ninactiveeffect=iegrayscale\r\nformminwidth=200\r\n"
    "[LAYERFRAME]\r\npictureindex=2\r\nmaskpictureindex=3\r\nfullborder=$FULL\r\n"
    "[POPUPWINDOW]\r\nwindowpictureindex=0\r\nitemsrect=1,1,3,3\r\n"
    "[HINTWINDOW]\r\nwindowpictureindex=0\r\nfontname=Arial\r\n"
    "[SKINCOLORS]\r\ncbtnface=123\r\n"
    "[SKINOBJECTS]\r\ncount=$OBJCOUNT\r\n0=bogus:nonsense\r\n1=close:stdbutton\r\n2=caption:caption\r\n"
    "3=nocolon\r\n4=item:menuitem\r\n"
    "[close]\r\nactivepictureindex=0\r\nskinrect=$CLOSERECT\r\nactiveskinrect=4,0,8,4\r\ndownrect=6,2,10,6\r\n"
    "alphamaskpictureindex=1\r\nalphamaskactivepictureindex=99\r\nhint=Maximize\r\ncommand=cmmaximize\r\n"
    "[caption]\r\nfontheight=15\r\nreflactioncolor=99\r\n"
    "[item]\r\narrowimagerect=1,1,5,5\r\n"
    "[SKINCONTROLS]\r\ncount=4\r\n0=button:button\r\n1=button:panel\r\n2=listbox:listbox\r\n3=ud:updown\r\n"
    "[button]\r\npictureindex=0\r\nskinrect=0,0,8,4\r\nfontcolor=255\r\n"
    "[listbox]\r\nitemrect=1,2,3,4\r\n"
    "[ud]\r\nlefttoppoint=1,1\r\n";

struct SkinOptions {
  std::string name = "Tiny";
  std::string closeRect = "0,0,4,4";
  std::string layerMask = "layermask.bmp";
  std::string objCount = "5";
  bool fullBorder = true;
  bool writeButtonsBmp = true;
};

std::string Replace(std::string s, const std::string& from, const std::string& to) {
  for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
  return s;
}

// Writes a folder skin and returns its INI path.
std::string WriteSkin(const std::string& dir, const SkinOptions& options = {}) {
  std::string ini = kIniTemplate;
  ini = Replace(ini, "$NAME", options.name);
  ini = Replace(ini, "$CLOSERECT", options.closeRect);
  ini = Replace(ini, "$LAYERMASK", options.layerMask);
  ini = Replace(ini, "$OBJCOUNT", options.objCount);
  ini = Replace(ini, "$FULL", options.fullBorder ? "1" : "0");
  WriteFile(dir + "skin.ini", ini);
  WriteBmpFile(dir + "frame.bmp", MakePicture(12, 10, [](int x, int y) { return PatternColor(1, x, y); }));
  WriteBmpFile(dir + "mask.bmp", MakeMask(12, 10));
  if (options.writeButtonsBmp)
    WriteBmpFile(dir + "buttons.bmp", MakePicture(8, 4, [](int x, int y) { return PatternColor(2, x, y); }));
  WriteBmpFile(dir + "btnmask.bmp", MakeMask(4, 2));
  WriteBmpFile(dir + "layer.bmp", MakePicture(6, 4, [](int x, int y) { return PatternColor(3, x, y); }));
  WriteBmpFile(dir + "layermask.bmp", MakeMask(4, 3));
  return dir + "skin.ini";
}

// Packs a folder skin into a package file and returns its path.
std::string WritePackage(const std::string& iniPath, const std::string& packagePath) {
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromIniFile(iniPath);
  TFileStream f(packagePath, fmCreate);
  stored.SaveToCompressedStream(f);
  return packagePath;
}

std::string BitmapDump(const TvxBitmap* b) {
  if (!b) return "none";
  std::ostringstream s;
  s << b->Width() << "x" << b->Height() << (b->HasAlpha() ? "a" : "") << ":";
  for (int y = 0; y < b->Height(); ++y)
    for (int x = 0; x < b->Width(); ++x) s << std::hex << b->Pixel(x, y) << ",";
  return s.str();
}

// Everything a consumer can see of a loaded skin, as text.
std::string Dump(const TvxSkinData& sd) {
  std::ostringstream s;
  s << "empty=" << sd.Empty << " changing=" << sd.SkinChanging << "\n";
  s << sd.SkinName << "|" << sd.SkinAuthor << "|" << sd.AuthorEmail << "|" << sd.AuthorURL << "|" << sd.SkinComments
    << "\n";
  s << sd.PictureName << "|" << sd.InactivePictureName << "|" << sd.MaskPictureName << "\n";
  s << BitmapDump(sd.Picture.get()) << "\n" << BitmapDump(sd.InactivePicture.get()) << "\n"
    << BitmapDump(sd.MaskPicture.get()) << "\n";
  for (const auto& name : sd.ActivePictureNames) s << name << ";";
  for (const auto& p : sd.ActivePictures) s << BitmapDump(p.get()) << "\n";
  auto pt = [&](const TPoint& p) { s << p.X << "," << p.Y << " "; };
  auto rc = [&](const TRect& r) { s << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << " "; };
  pt(sd.lefttoppoint), pt(sd.righttoppoint), pt(sd.leftbottompoint), pt(sd.rightbottompoint);
  rc(sd.clientrect), rc(sd.maskrectarea), rc(sd.buttonsrect), rc(sd.captionrect);
  pt(sd.hittestlefttoppoint), pt(sd.hittestrighttoppoint), pt(sd.hittestleftbottompoint),
      pt(sd.hittestrightbottompoint);
  s << sd.bgpictureindex << sd.mdibgpictureindex << sd.leftstretch << sd.rightstretch << sd.topstretch
    << sd.bottomstretch << sd.stretcheffect << sd.stretchtype << sd.mdibgstretcheffect << sd.mdibgstretchtype
    << sd.buttonsoffset << sd.buttonsinleft << sd.mainmenupopupup << sd.borderwidth << sd.formminwidth
    << sd.formminheight << sd.mditabstransparent << sd.mainmenubartransparent << sd.autorenderinginactiveimage
    << sd.inactiveeffect << "\n";
  const TvxSkinColors& c = sd.SkinColors;
  s << c.cbtnface << "," << c.cbtntext << "," << c.cwindow << "," << c.cwindowtext << "," << c.chighlight << ","
    << c.chighlighttext << "," << c.cbtnhighlight << "," << c.cbtnshadow << "\n";
  TMemIniFile ini;
  sd.PopupWindow.SaveToFile(ini);
  sd.HintWindow.SaveToFile(ini);
  sd.LayerFrame.SaveToFile(ini);
  for (const auto& o : sd.ObjectList) {
    s << o->SectionName << ":" << typeid(*o).name() << " ";
    o->SaveToFile(ini);
    if (auto* b = dynamic_cast<const TvxDataSkinButton*>(o.get()))
      s << BitmapDump(b->AlphaNormalImage.get()) << BitmapDump(b->AlphaActiveImage.get())
        << BitmapDump(b->AlphaDownImage.get()) << BitmapDump(b->AlphaInactiveImage.get());
  }
  for (const auto& d : sd.ControlList) {
    s << d->SectionName << ":" << typeid(*d).name() << " ";
    d->SaveToFile(ini);
  }
  s << "\n" << ini.GetText();
  s << BitmapDump(sd.LayerFrame.ActiveImage.get()) << "\n" << BitmapDump(sd.LayerFrame.InactiveImage.get());
  return s.str();
}

// ---- a recording receiver for the skin messages ----

struct Received {
  std::string form;
  uint32_t msg;
  bool empty;
  bool changing;
  std::string skinName;
};

class Recorder {
 public:
  explicit Recorder(const TvxSkinData* sd) : sd_(sd) {}
  ~Recorder() {
    for (int c : cookies_) TvxSkinMessageReceivers::Remove(c);
  }
  void AddForm(const std::string& name, const TComponent* form = nullptr,
               const std::string& className = "TForm") {
    TvxSkinMessageReceiver r;
    r.Form = form;
    r.ClassName = className;
    r.Send = [this, name](uint32_t msg, uintptr_t wParam, intptr_t lParam) {
      // Only our own skin data's messages, always with LParam 1000.
      if (wParam != reinterpret_cast<uintptr_t>(sd_)) return;
      EXPECT_EQ(lParam, 1000);
      log.push_back({name, msg, sd_->Empty, sd_->SkinChanging, sd_->SkinName});
      if (onMessage) onMessage(name, msg);
    };
    cookies_.push_back(TvxSkinMessageReceivers::Add(std::move(r)));
  }
  std::vector<std::string> Order(uint32_t msg) const {
    std::vector<std::string> forms;
    for (const auto& r : log)
      if (r.msg == msg) forms.push_back(r.form);
    return forms;
  }
  std::vector<Received> log;
  std::function<void(const std::string&, uint32_t)> onMessage;

 private:
  const TvxSkinData* sd_;
  std::vector<int> cookies_;
};

class SkinDataTest : public ::testing::Test {
 protected:
  TComponent owner{nullptr};
};

// ---- loading ----

TEST_F(SkinDataTest, FolderAndPackageLoadIntoTheSameState) {
  const std::string dir = FreshDir("");
  const std::string ini = WriteSkin(dir);
  const std::string package = WritePackage(ini, dir + "tiny.skn");

  TvxSkinData fromFolder(&owner), fromPackage(&owner), fromStored(&owner);
  fromFolder.LoadFromFile(ini);
  fromPackage.LoadFromCompressedFile(package);
  TvxCompressedStoredSkin stored(&owner);
  stored.LoadFromCompressedFile(package);
  fromStored.SetCompressedStoredSkin(&stored);

  EXPECT_FALSE(fromFolder.Empty);
  EXPECT_EQ(fromFolder.SkinName, "Tiny");
  EXPECT_EQ(fromFolder.ActivePictures.size(), 4u);
  EXPECT_EQ(fromFolder.Picture->Width(), 12);
  EXPECT_TRUE(fromFolder.InactivePicture->Empty());
  EXPECT_EQ(fromFolder.inactiveeffect, vxieGrayScale);
  EXPECT_EQ(fromFolder.SkinColors.cbtnface, 123);
  EXPECT_EQ(fromFolder.SkinColors.cbtntext, clBtnText);
  EXPECT_EQ(fromFolder.ObjectList.size(), 3u);
  EXPECT_EQ(fromFolder.ControlList.size(), 4u);
  EXPECT_EQ(Dump(fromPackage), Dump(fromFolder));
  EXPECT_EQ(Dump(fromStored), Dump(fromFolder));
}

TEST_F(SkinDataTest, EntriesAndExactCaseLookups) {
  const std::string dir = FreshDir("");
  TvxSkinData sd(&owner);
  sd.LoadFromFile(WriteSkin(dir));
  // Entry 0 of an unknown type and entry 3 without a colon add nothing.
  EXPECT_EQ(sd.GetObjectIndex("close"), 0);
  EXPECT_EQ(sd.GetObjectIndex("caption"), 1);
  EXPECT_EQ(sd.GetObjectIndex("item"), 2);
  EXPECT_EQ(sd.GetObjectIndex("bogus"), -1);
  EXPECT_EQ(sd.GetObjectIndex("nocolon"), -1);
  EXPECT_EQ(sd.GetObjectIndex(""), -1);
  EXPECT_EQ(sd.GetObjectIndex("Close"), -1);
  // Two entries named "button": the first (the button) is found.
  EXPECT_EQ(sd.GetControlIndex("button"), 0);
  EXPECT_TRUE(dynamic_cast<TvxDataSkinButtonControl*>(sd.ControlList[0].get()));
  EXPECT_TRUE(dynamic_cast<TvxDataSkinPanelControl*>(sd.ControlList[1].get()));
  EXPECT_EQ(sd.GetControlIndex("Button"), -1);
  EXPECT_EQ(sd.GetControlIndex("listbox"), 2);
  auto* close = dynamic_cast<TvxDataSkinStdButton*>(sd.ObjectList[0].get());
  ASSERT_TRUE(close);
  EXPECT_EQ(close->restorehint, "Restore");
  EXPECT_EQ(dynamic_cast<TvxDataSkinCaption*>(sd.ObjectList[1].get())->reflactioncolor, 99);
  EXPECT_EQ(dynamic_cast<TvxDataSkinMenuItem*>(sd.ObjectList[2].get())->activearrowimagerect, TRect(1, 1, 5, 5));
  EXPECT_EQ(dynamic_cast<TvxDataSkinUpDownControl*>(sd.ControlList[3].get())->lefttoppoint, TPoint());
}

TEST_F(SkinDataTest, ListCountsNeverRunPastTheKeysThatExist) {
  const std::string dir = FreshDir("");
  SkinOptions options;
  options.objCount = "2000000000";
  TvxSkinData sd(&owner);
  sd.LoadFromFile(WriteSkin(dir, options));
  EXPECT_EQ(sd.ObjectList.size(), 3u);
  // The package path reads the same text.
  TvxSkinData fromPackage(&owner);
  fromPackage.LoadFromCompressedFile(WritePackage(dir + "skin.ini", dir + "big.skn"));
  EXPECT_EQ(fromPackage.ObjectList.size(), 3u);
}

TEST_F(SkinDataTest, FormInfoAdjustments) {
  struct Case {
    const char* name;
    const char* mask;  // [PICTURES] mask
    const char* forminfo;
    TPoint lefttop, hitLeftTop, hitRightTop;
    TRect maskrectarea;
  } cases[] = {
      {"no mask keeps the mask area and hit-test points", "",
       "lefttoppoint=3,3\nrightbottompoint=9,8\nclientrect=4,2,10,7\nmaskrectarea=1,1,5,5\n"
       "hittestlefttoppoint=0,5\nhittestrighttoppoint=8,2\n",
       {4, 3}, {0, 5}, {8, 2}, {1, 1, 5, 5}},
      {"mask: zero hit-test coordinate takes the corner before it is pulled in", "m.bmp",
       "lefttoppoint=3,3\nrightbottompoint=9,8\nclientrect=4,2,10,7\nmaskrectarea=1,1,5,5\n"
       "hittestlefttoppoint=0,5\nhittestrighttoppoint=8,2\n",
       {4, 3}, {3, 3}, {8, 2}, {1, 1, 10, 7}},
      {"mask: empty mask area becomes the client rectangle", "m.bmp",
       "lefttoppoint=3,3\nrightbottompoint=9,8\nclientrect=4,2,10,7\nmaskrectarea=1,1,1,5\n", {4, 3}, {3, 3},
       {0, 0}, {4, 2, 10, 7}},
      {"corner pulled into the client rectangle", "",
       "lefttoppoint=9,27\nrightbottompoint=200,100\nclientrect=10,26,282,207\n", {10, 27}, {0, 0}, {0, 0}, {}},
      {"same X of the two corners: nothing pulled in", "",
       "lefttoppoint=9,27\nrightbottompoint=9,100\nclientrect=10,26,282,207\n", {9, 27}, {0, 0}, {0, 0}, {}},
  };
  for (const Case& c : cases) {
    TMemIniFile ini;
    ini.SetText(std::string("[PICTURES]\nmask=") + c.mask + "\n[FORMINFO]\n" + c.forminfo);
    TvxSkinContent content;
    content.ReadNames(ini);
    content.ReadFormInfo(ini);
    EXPECT_EQ(content.lefttoppoint, c.lefttop) << c.name;
    EXPECT_EQ(content.hittestlefttoppoint, c.hitLeftTop) << c.name;
    EXPECT_EQ(content.hittestrighttoppoint, c.hitRightTop) << c.name;
    EXPECT_EQ(content.maskrectarea, c.maskrectarea) << c.name;
  }
  // All four pulls at once.
  TMemIniFile ini;
  ini.SetText(
      "[FORMINFO]\nlefttoppoint=1,1\nrighttoppoint=50,1\nleftbottompoint=1,50\nrightbottompoint=50,50\n"
      "clientrect=5,6,40,45\n");
  TvxSkinContent content;
  content.ReadFormInfo(ini);
  EXPECT_EQ(content.lefttoppoint, TPoint(5, 6));
  EXPECT_EQ(content.righttoppoint, TPoint(40, 6));
  EXPECT_EQ(content.leftbottompoint, TPoint(5, 45));
  EXPECT_EQ(content.rightbottompoint, TPoint(40, 45));
}

// ---- failures leave the previous skin ----

TEST_F(SkinDataTest, FailedLoadsLeaveThePreviousSkinAndAnnounceNothing) {
  const std::string dir = FreshDir("");
  const std::string good = WriteSkin(dir);

  struct Case {
    const char* name;
    std::function<void(TvxSkinData&, const std::string& dir)> load;
  } cases[] = {
      {"corrupt package",
       [](TvxSkinData& sd, const std::string& d) {
         {
           TFileStream f(d + "corrupt.skn", fmCreate);
           f.WriteInt32(3);
           f.WriteInt32(16);
           const char junk[] = "\x78\xda this is not deflate";
           f.WriteBuffer(junk, 16);
         }
         sd.LoadFromCompressedFile(d + "corrupt.skn");
       }},
      {"missing picture file",
       [](TvxSkinData& sd, const std::string& d) {
         SkinOptions options;
         options.writeButtonsBmp = false;
         const std::string sub = d + "missing/";
         std::filesystem::create_directories(sub);
         sd.LoadFromFile(WriteSkin(sub, options));
       }},
      {"malformed rectangle in a folder",
       [](TvxSkinData& sd, const std::string& d) {
         SkinOptions options;
         options.closeRect = "0,0,4";
         const std::string sub = d + "badrect/";
         std::filesystem::create_directories(sub);
         sd.LoadFromFile(WriteSkin(sub, options));
       }},
      {"malformed rectangle in a package",
       [](TvxSkinData& sd, const std::string& d) {
         SkinOptions options;
         options.closeRect = "0,,4,4";
         const std::string sub = d + "badrectpkg/";
         std::filesystem::create_directories(sub);
         sd.LoadFromCompressedFile(WritePackage(WriteSkin(sub, options), sub + "bad.skn"));
       }},
  };
  for (const Case& c : cases) {
    TvxSkinData sd(&owner);
    sd.LoadFromFile(good);
    const std::string before = Dump(sd);
    Recorder rec(&sd);
    rec.AddForm("form");
    bool loadedData = false;
    sd.OnLoadData = [&](TObject*) { loadedData = true; };
    EXPECT_THROW(c.load(sd, dir), Exception) << c.name;
    EXPECT_TRUE(rec.log.empty()) << c.name;
    EXPECT_FALSE(loadedData) << c.name;
    EXPECT_EQ(Dump(sd), before) << c.name;
    EXPECT_FALSE(sd.Empty) << c.name;
    EXPECT_FALSE(sd.SkinChanging) << c.name;
    // The skin stays usable: the next good load works as usual.
    sd.LoadFromFile(good);
    EXPECT_EQ(rec.log.size(), 3u) << c.name;
  }
}

TEST_F(SkinDataTest, NotASkinOrAnEmptyPackageChangesNothing) {
  const std::string dir = FreshDir("");
  WriteFile(dir + "noskin.ini", "[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\n");
  TvxSkinData sd(&owner);
  Recorder rec(&sd);
  rec.AddForm("form");
  sd.LoadFromFile(dir + "noskin.ini");
  sd.LoadFromFile(dir + "does-not-exist.ini");
  TvxCompressedStoredSkin empty(&owner);
  sd.LoadCompressedStoredSkin(&empty);
  sd.LoadCompressedStoredSkin(nullptr);
  EXPECT_TRUE(rec.log.empty());
  EXPECT_TRUE(sd.Empty);
}

// ---- announcements ----

TEST_F(SkinDataTest, LoadAnnouncesInOrderWithTheFlagsEachReceiverSees) {
  const std::string dir = FreshDir("");
  const std::string ini = WriteSkin(dir, SkinOptions{.name = "First"});
  TvxSkinData sd(&owner);
  sd.SetShowLayeredBorders(false);
  sd.LoadFromFile(ini);
  Recorder rec(&sd);
  rec.AddForm("a");
  rec.AddForm("b");
  std::vector<std::string> events;
  rec.onMessage = [&](const std::string& form, uint32_t msg) { events.push_back(form + std::to_string(msg)); };
  sd.OnLoadData = [&](TObject* sender) {
    EXPECT_EQ(sender, &sd);
    events.push_back("OnLoadData");
  };
  const std::string dir2 = FreshDir("2");
  sd.LoadFromFile(WriteSkin(dir2, SkinOptions{.name = "Second"}));
  EXPECT_EQ(events, (std::vector<std::string>{"a1225", "b1225", "OnLoadData", "a1226", "b1226", "a1227", "b1227"}));
  struct Seen {
    bool empty, changing;
    const char* skin;
  } expected[] = {{true, true, "First"},   {true, true, "First"},   {false, true, "Second"},
                  {false, true, "Second"}, {false, false, "Second"}, {false, false, "Second"}};
  ASSERT_EQ(rec.log.size(), 6u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(rec.log[i].empty, expected[i].empty) << i;
    EXPECT_EQ(rec.log[i].changing, expected[i].changing) << i;
    EXPECT_EQ(rec.log[i].skinName, expected[i].skin) << i;
  }
}

TEST_F(SkinDataTest, AnnouncementOrderFollowsOwnerAndLayeredBorder) {
  const std::string dir = FreshDir("");
  const std::string ini = WriteSkin(dir);
  TComponent otherOwner(nullptr);
  struct Case {
    const char* name;
    bool showLayeredBorders;
    bool skinLoaded;  // the test skin has a layer frame picture
    bool ownerIsForm;
    std::vector<std::string> order;
  } cases[] = {
      {"no layer frame: screen order", true, false, true, {"f1", "owner", "f3"}},
      {"shown layer frame: reversed", true, true, true, {"f3", "owner", "f1"}},
      {"borders hidden: owner first", false, true, true, {"owner", "f1", "f3"}},
      {"borders hidden, owner not a form", false, true, false, {"f1", "owner", "f3"}},
  };
  for (const Case& c : cases) {
    TComponent* skinOwner = c.ownerIsForm ? &owner : &otherOwner;
    TvxSkinData sd(skinOwner);
    if (c.skinLoaded) sd.LoadFromFile(ini);
    sd.SetShowLayeredBorders(c.showLayeredBorders);
    Recorder rec(&sd);
    rec.AddForm("f1");
    rec.AddForm("owner", &owner);
    rec.AddForm("layer", nullptr, kFormLayerWindowClassName);
    rec.AddForm("f3");
    sd.SetAeroBlurEnabled(false);
    EXPECT_EQ(rec.Order(WM_AEROBLURCHANGED), c.order) << c.name;
  }
}

TEST_F(SkinDataTest, FirstLoadAnnouncesWithTheOldAndThenTheNewLayerFrame) {
  const std::string dir = FreshDir("");
  TvxSkinData sd(&owner);
  Recorder rec(&sd);
  rec.AddForm("f1");
  rec.AddForm("f2");
  sd.LoadFromFile(WriteSkin(dir));
  // Before the swap the (empty) skin has no layer frame; after it, it has one.
  EXPECT_EQ(rec.Order(WM_BEFORECHANGESKINDATA), (std::vector<std::string>{"f1", "f2"}));
  EXPECT_EQ(rec.Order(WM_CHANGESKINDATA), (std::vector<std::string>{"f2", "f1"}));
  EXPECT_EQ(rec.Order(WM_AFTERCHANGESKINDATA), (std::vector<std::string>{"f2", "f1"}));
}

TEST_F(SkinDataTest, SettersAnnounceOnlyRealChangesOutsideStreaming) {
  struct Case {
    const char* name;
    std::function<void(TvxSkinData&)> set;
    uint32_t msg;
  } cases[] = {
      {"SkinnableForm", [](TvxSkinData& sd) { sd.SetSkinnableForm(!sd.SkinnableForm()); }, WM_CHANGEFORMSKINNABLE},
      {"ShowLayeredBorders", [](TvxSkinData& sd) { sd.SetShowLayeredBorders(!sd.ShowLayeredBorders()); },
       WM_SHOWLAYEREDBORDERS},
      {"AeroBlurEnabled", [](TvxSkinData& sd) { sd.SetAeroBlurEnabled(!sd.AeroBlurEnabled()); }, WM_AEROBLURCHANGED},
  };
  for (const Case& c : cases) {
    TvxSkinData sd(&owner);
    Recorder rec(&sd);
    rec.AddForm("f");
    c.set(sd);
    EXPECT_EQ(rec.Order(c.msg).size(), 1u) << c.name;
    rec.log.clear();
    // The same value again: silent.
    const bool skinnable = sd.SkinnableForm(), layered = sd.ShowLayeredBorders(), blur = sd.AeroBlurEnabled();
    sd.SetSkinnableForm(skinnable);
    sd.SetShowLayeredBorders(layered);
    sd.SetAeroBlurEnabled(blur);
    EXPECT_TRUE(rec.log.empty()) << c.name;
    // While streamed in: stored, silent.
    sd.BeginLoad();
    c.set(sd);
    EXPECT_TRUE(rec.log.empty()) << c.name;
    sd.EndLoad();
  }
  // The string table announces even while streamed in, and is forgotten when freed.
  TvxSkinData sd(&owner);
  Recorder rec(&sd);
  rec.AddForm("f");
  auto* strings = new TvxResourceStrData(&owner);
  sd.BeginLoad();
  sd.SetResourceStrData(strings);
  sd.EndLoad();
  EXPECT_EQ(rec.Order(WM_CHANGERESSTRDATA).size(), 1u);
  delete strings;
  EXPECT_EQ(sd.ResourceStrData(), nullptr);
}

TEST_F(SkinDataTest, LoadFromAHandlerIsRefusedAndTheOuterLoadCompletes) {
  const std::string dir = FreshDir("");
  const std::string ini = WriteSkin(dir);
  TvxSkinData sd(&owner);
  Recorder rec(&sd);
  rec.AddForm("f");
  int refused = 0;
  rec.onMessage = [&](const std::string&, uint32_t msg) {
    try {
      sd.LoadFromFile(ini);
    } catch (const Exception&) {
      ++refused;
    }
    if (msg == WM_CHANGESKINDATA) {
      try {
        sd.SetSkinIndex(3);  // without a list: stored, nothing loaded
      } catch (const Exception&) {
        ADD_FAILURE() << "storing an index needs no load";
      }
    }
  };
  sd.LoadFromFile(ini);
  EXPECT_EQ(refused, 3);
  EXPECT_EQ(rec.log.size(), 3u);
  EXPECT_FALSE(sd.Empty);
  EXPECT_FALSE(sd.Loading());
}

// ---- SkinList and SkinIndex ----

TEST_F(SkinDataTest, SkinIndexSwitchesAndReloadsOnlyWhenNeeded) {
  const std::string dirA = FreshDir("A"), dirB = FreshDir("B");
  const std::string iniA = WriteSkin(dirA, SkinOptions{.name = "A"});
  const std::string iniB = WriteSkin(dirB, SkinOptions{.name = "B"});
  TvxCompressedSkinList list(&owner);
  list.Skins()->Add()->StoredSkin().LoadFromIniFile(iniA);
  list.Skins()->Add()->StoredSkin().LoadFromIniFile(iniB);
  TvxSkinData sd(&owner);
  Recorder rec(&sd);
  rec.AddForm("f");

  sd.SetSkinList(&list);
  EXPECT_EQ(sd.SkinName, "A");
  sd.SetSkinIndex(1);
  EXPECT_EQ(sd.SkinName, "B");
  rec.log.clear();
  sd.SetSkinIndex(5);  // out of range: ignored
  sd.SetSkinIndex(-1);
  sd.SetSkinIndex(1);  // already loaded from that entry
  EXPECT_EQ(sd.SkinIndex(), 1);
  EXPECT_TRUE(rec.log.empty());
  // After a load from a file, the current index loads its entry again.
  sd.LoadFromFile(iniA);
  EXPECT_EQ(sd.SkinName, "A");
  sd.SetSkinIndex(1);
  EXPECT_EQ(sd.SkinName, "B");
  // ClearSkin forgets where the skin came from, too.
  sd.ClearSkin();
  sd.SetSkinIndex(1);
  EXPECT_EQ(sd.SkinName, "B");
  // While designed, the index is only stored.
  sd.SetDesigning(true);
  rec.log.clear();
  sd.SetSkinIndex(0);
  EXPECT_EQ(sd.SkinIndex(), 0);
  EXPECT_EQ(sd.SkinName, "B");
  EXPECT_TRUE(rec.log.empty());
}

TEST_F(SkinDataTest, FailedSwitchKeepsTheIndexAndTheSkin) {
  const std::string dir = FreshDir("");
  const std::string ini = WriteSkin(dir);
  TvxCompressedSkinList list(&owner);
  list.Skins()->Add()->StoredSkin().LoadFromIniFile(ini);
  // Entry 1 holds a package whose zlib data is damaged.
  TMemoryStream bad;
  bad.WriteInt32(3);
  bad.WriteInt32(8);
  const uint8_t junk[8] = {0x78, 0xDA, 1, 2, 3, 4, 5, 6};
  bad.WriteBuffer(junk, 8);
  list.Skins()->Add()->StoredSkin().LoadFromCompressedStream(bad);
  ASSERT_FALSE(list.Skins()->Items(1)->StoredSkin().IsEmpty());

  TvxSkinData sd(&owner);
  sd.SetSkinList(&list);
  const std::string before = Dump(sd);
  EXPECT_THROW(sd.SetSkinIndex(1), Exception);
  EXPECT_EQ(sd.SkinIndex(), 0);
  EXPECT_EQ(Dump(sd), before);
  // The list is freed: the reference goes, the skin stays.
  list.Skins()->Clear();
}

TEST_F(SkinDataTest, StreamedInSkinIndexLoadsOnceWhenTheListArrives) {
  const std::string dirA = FreshDir("A"), dirB = FreshDir("B");
  auto* list = new TvxCompressedSkinList(&owner);
  list->Skins()->Add()->StoredSkin().LoadFromIniFile(WriteSkin(dirA, SkinOptions{.name = "A"}));
  list->Skins()->Add()->StoredSkin().LoadFromIniFile(WriteSkin(dirB, SkinOptions{.name = "B"}));
  TvxSkinData sd(&owner);
  Recorder rec(&sd);
  rec.AddForm("f");
  sd.BeginLoad();
  sd.SetSkinIndex(1);  // no list yet: stored unchecked
  sd.SetSkinList(list);
  sd.EndLoad();
  EXPECT_EQ(sd.SkinName, "B");
  EXPECT_EQ(rec.Order(WM_CHANGESKINDATA).size(), 1u);
  delete list;
  EXPECT_EQ(sd.SkinList(), nullptr);
  EXPECT_EQ(sd.SkinName, "B");
}

TEST_F(SkinDataTest, ClearSkinClearsAllThreePictureNames) {
  const std::string dir = FreshDir("");
  std::string ini = WriteSkin(dir);
  // Give the skin an inactive picture too.
  TMemIniFile text(ini);
  std::string body = text.GetText();
  WriteFile(ini, Replace(body, "inactivepicture=", "inactivepicture=frame.bmp"));
  TvxSkinData sd(&owner);
  sd.LoadFromFile(ini);
  ASSERT_EQ(sd.InactivePictureName, "frame.bmp");
  ASSERT_FALSE(sd.InactivePicture->Empty());
  sd.ClearSkin();
  EXPECT_TRUE(sd.Empty);
  EXPECT_EQ(sd.PictureName, "");
  EXPECT_EQ(sd.InactivePictureName, "");
  EXPECT_EQ(sd.MaskPictureName, "");
  EXPECT_TRUE(sd.Picture->Empty() && sd.InactivePicture->Empty() && sd.MaskPicture->Empty());
  EXPECT_TRUE(sd.ObjectList.empty() && sd.ControlList.empty() && sd.ActivePictures.empty());
  EXPECT_EQ(sd.LayerFrame.pictureindex, -1);
  EXPECT_EQ(sd.LayerFrame.ActiveImage, nullptr);
  EXPECT_EQ(sd.PopupWindow.windowpictureindex, -1);
  EXPECT_EQ(sd.SkinColors.cbtnface, clBtnFace);
}

TEST_F(SkinDataTest, ConstructionState) {
  TvxSkinData sd(&owner);
  EXPECT_TRUE(sd.Empty);
  EXPECT_FALSE(sd.SkinChanging);
  EXPECT_TRUE(sd.SkinnableForm() && sd.EnableSkinEffects() && sd.ShowButtonGlowFrames() &&
              sd.ShowCaptionButtonGlowFrames() && sd.ShowLayeredBorders() && sd.AeroBlurEnabled() &&
              sd.DlgTreeViewDrawSkin() && sd.DlgListViewDrawSkin());
  EXPECT_FALSE(sd.AnimationForAllWindows());
  EXPECT_EQ(sd.SkinIndex(), 0);
  EXPECT_EQ(sd.DlgTreeViewItemSkinDataName(), "listbox");
  EXPECT_EQ(sd.DlgListViewItemSkinDataName(), "listbox");
  EXPECT_EQ(sd.SkinColors.cbtnface, 0);
  EXPECT_EQ(sd.HintWindow.fontname, "Tahoma");
  EXPECT_EQ(sd.LayerFrame.alphablendvalue, 255);
  EXPECT_EQ(sd.LayerFrame.inactivemaskpictureindex, -1);
}

// ---- alpha images ----

uint32_t Premultiplied(uint32_t color, uint32_t a) {
  auto mul = [a](uint32_t c) { return (a * c + 127) / 255; };
  return (a << 24) | (mul((color >> 16) & 0xFF) << 16) | (mul((color >> 8) & 0xFF) << 8) | mul(color & 0xFF);
}
uint32_t MaskAlpha(int x, int y) { return MaskGrey(x, y); }  // a grey level: (3g) / 3 = g

TEST_F(SkinDataTest, LayerFrameImageIsUnpremultipliedAndClippedToItsMask) {
  const std::string dir = FreshDir("");
  TvxSkinData sd(&owner);
  sd.LoadFromFile(WriteSkin(dir));
  const TvxBitmap* image = sd.LayerFrame.ActiveImage.get();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(sd.LayerFrame.InactiveImage, nullptr);
  ASSERT_EQ(image->Width(), 6);
  ASSERT_EQ(image->Height(), 4);
  EXPECT_TRUE(image->HasAlpha());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const uint32_t a = (x < 4 && y < 3) ? MaskAlpha(x, y) : 0;  // the mask is 4x3
      EXPECT_EQ(image->Pixel(x, y), (a << 24) | PatternColor(3, x, y)) << x << "," << y;
    }
}

TEST_F(SkinDataTest, ButtonAlphaImagesArePremultiplied) {
  const std::string dir = FreshDir("");
  TvxSkinData sd(&owner);
  sd.LoadFromFile(WriteSkin(dir));
  auto* close = dynamic_cast<TvxDataSkinStdButton*>(sd.ObjectList[0].get());
  ASSERT_TRUE(close);
  // Normal: skinrect 0,0,4,4 of the buttons with the 4x2 mask: alpha 0 below it.
  const TvxBitmap* normal = close->AlphaNormalImage.get();
  ASSERT_NE(normal, nullptr);
  ASSERT_EQ(normal->Width(), 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(normal->Pixel(x, y), Premultiplied(PatternColor(2, x, y), y < 2 ? MaskAlpha(x, y) : 0))
          << x << "," << y;
  // Active: mask index 99 of 4 pictures: fully opaque.
  const TvxBitmap* active = close->AlphaActiveImage.get();
  ASSERT_NE(active, nullptr);
  EXPECT_EQ(active->Pixel(1, 2), 0xFF000000u | PatternColor(2, 5, 2));
  // Pressed: downrect 6,2,10,6 reaches past the 8x4 picture: outside is clear.
  const TvxBitmap* down = close->AlphaDownImage.get();
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->Pixel(0, 0), 0xFF000000u | PatternColor(2, 6, 2));
  EXPECT_EQ(down->Pixel(1, 1), 0xFF000000u | PatternColor(2, 7, 3));
  EXPECT_EQ(down->Pixel(2, 0), 0u);
  EXPECT_EQ(down->Pixel(0, 2), 0u);
  // No inactive rectangle, no restore rectangles: no images.
  EXPECT_EQ(close->AlphaInactiveImage, nullptr);
  EXPECT_EQ(close->AlphaRestoreNormalImage, nullptr);
}

TEST_F(SkinDataTest, NoButtonAlphaImagesWithoutAFullLayeredBorder) {
  const std::string dir = FreshDir("");
  TvxSkinData sd(&owner);
  sd.LoadFromFile(WriteSkin(dir, SkinOptions{.fullBorder = false}));
  auto* close = dynamic_cast<TvxDataSkinStdButton*>(sd.ObjectList[0].get());
  ASSERT_TRUE(close);
  EXPECT_EQ(close->AlphaNormalImage, nullptr);
  EXPECT_EQ(close->AlphaActiveImage, nullptr);
  EXPECT_EQ(close->AlphaDownImage, nullptr);
  EXPECT_NE(sd.LayerFrame.ActiveImage, nullptr) << "the layer frame itself is still prepared";
}

// ---- string table ----

TEST(ResourceStrData, DefaultsAndLookup) {
  TvxResourceStrData table(nullptr);
  EXPECT_EQ(table.ResStrings().Count(), 131);
  EXPECT_EQ(table.CharSet(), 1);
  struct Case {
    const char* key;
    const char* text;
  } cases[] = {{"mi_closecaption", "&Close"},       {"MI_MINTOTRAYCAPTION", "Minimize to &Tray"},
               {"FLV_LOOKIN", "Look in: "},         {"FIND_REPLACE_All", "Replace All"},
               {"PRNDLG_MARGINS", "Margins (millimeters)"}, {"DBNAV_REFRESH", "REFRESH"},
               {"MSG_BTN_NOTOALL", "N&oToAll"},     {"NO_SUCH_KEY", ""}};
  for (const Case& c : cases) EXPECT_EQ(table.GetResStr(c.key), c.text) << c.key;
  EXPECT_EQ(table.ResStrings()[0], "MI_MINCAPTION=Mi&nimize");
  EXPECT_EQ(table.ResStrings()[130], "DBNAV_REFRESH=REFRESH");

  TStringList replaced{"A=x=y", "MI_MAXCAPTION=Big", "a=second", "novalue", "=empty key"};
  table.SetResStrings(replaced);
  EXPECT_EQ(table.GetResStr("a"), "x=y");
  EXPECT_EQ(table.GetResStr("MI_CLOSECAPTION"), "");
  EXPECT_EQ(table.GetResStr("novalue"), "");
  EXPECT_EQ(table.GetResStr("MI_MAXCAPTION"), "Big");
  replaced.Clear();
  EXPECT_EQ(table.ResStrings().Count(), 5) << "the table holds a copy";
}

}  // namespace
}  // namespace vx
