// Shared set-up of the caption object tests: a headless desktop, a form with a
// form skinning component, and small skins built in code whose frame picture,
// corner points and object definitions each test chooses. State pictures are
// flat colours, so a sampled pixel tells which rectangle was drawn.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "form/caption_objects.h"
#include "form/velmora.h"
#include "platform/backend/headless/headless.h"
#include "platform/framework/forms.h"
#include "platform/gfx/font.h"
#include "platform/win/compositor.h"
#include "raster/vx_bitmap.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"

namespace vx::test {

// 0x00BBGGRR of a 0xAARRGGBB pixel.
inline TColor ObjPixelColor(uint32_t px) {
  return TColor(((px >> 16) & 0xFF) | (px & 0xFF00) | ((px & 0xFF) << 16));
}
inline uint32_t ObjPixelOf(TColor c) {
  return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// Frame geometry of a code-built skin (picture coordinates).
struct TSkinShape {
  int Width = 200, Height = 100;
  TPoint LT{20, 30}, RT{180, 30}, LB{20, 90}, RB{180, 90};
  TRect Client{4, 30, 196, 96};
  TRect ButtonsRect, CaptionRect;
  int ButtonsOffset = 0;
  bool ButtonsInLeft = false;
};

// The state sheet of caption buttons: one 16 x 14 cell per state, each a flat
// colour of its own (cell i at (16 i, 0)).
enum TCell { kNormal, kHot, kDown, kInactive, kDisabled, kRestore, kRestoreHot, kRestoreDown, kRestoreInactive,
             kCellCount };
constexpr int kCellW = 16, kCellH = 14;
inline TRect Cell(int i) { return {kCellW * i, 0, kCellW * (i + 1), kCellH}; }
inline TColor CellColor(int i) { return RGB(20 + 23 * i, 200 - 17 * i, 60 + 19 * i); }
constexpr TColor kFrameColor = RGB(90, 90, 90);

class ObjectsTest : public ::testing::Test {
 public:
  void SetUp() override {
    SetTestFontForAll(true);
    // The application outlives each test's desktop: give it a hint window of
    // this desktop, so that an old window handle never names a new window.
    Application->SetShowHint(false);
    Application->SetShowHint(true);
  }
  void TearDown() override {
    while (Screen->FormCount() > 0) delete Screen->Forms(0);
    Application->SetMainForm(nullptr);
    Application->ClearTerminated();
    SetTestFontForAll(false);
  }

  void MakeForm(int w = 300, int h = 150) {
    form = new TForm(Application);
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(100, 100, w, h);
    form->SetCaption("Objects");
    velmora = new TvxVelmora(form);
  }

  // A skin data owned by the form with the given frame and definitions; the
  // button sheet is active picture 0. Not yet assigned to the component.
  TvxSkinData* BuildSkin(const TSkinShape& s, std::vector<std::unique_ptr<TvxDataSkinObject>> defs) {
    auto* sd = new TvxSkinData(form);
    sd->Picture->SetSize(s.Width, s.Height);
    sd->Picture->FillRect(sd->Picture->BoundsRect(), ObjPixelOf(kFrameColor));
    auto sheet = std::make_unique<TvxBitmap>(kCellW * kCellCount, kCellH);
    for (int i = 0; i < kCellCount; ++i) sheet->FillRect(Cell(i), ObjPixelOf(CellColor(i)));
    sd->ActivePictures.push_back(std::move(sheet));
    sd->ActivePictureNames.push_back("buttons.bmp");
    sd->lefttoppoint = s.LT;
    sd->righttoppoint = s.RT;
    sd->leftbottompoint = s.LB;
    sd->rightbottompoint = s.RB;
    sd->clientrect = s.Client;
    sd->maskrectarea = s.Client;
    sd->hittestlefttoppoint = s.LT;
    sd->hittestrighttoppoint = s.RT;
    sd->hittestleftbottompoint = s.LB;
    sd->hittestrightbottompoint = s.RB;
    sd->buttonsrect = s.ButtonsRect;
    sd->captionrect = s.CaptionRect;
    sd->buttonsoffset = s.ButtonsOffset;
    sd->buttonsinleft = s.ButtonsInLeft;
    sd->leftstretch = sd->rightstretch = sd->topstretch = sd->bottomstretch = true;
    sd->ObjectList = std::move(defs);
    sd->Empty = false;
    return sd;
  }

  // Shows the form (activated) and runs pending messages.
  void ShowForm() {
    form->Show();
    screen.Pump();
  }
  void Use(TvxSkinData* sd) {
    velmora->SetSkinData(sd);
    screen.Pump();
  }

  TvxCaptionObjects& Objects() { return velmora->Objects(); }
  TvxActiveSkinObject* Obj(const std::string& id) { return Objects().FindObject(id); }
  TRect RectOf(const std::string& id) {
    TvxActiveSkinObject* o = Obj(id);
    return o ? o->ObjectRect : TRect{-1, -1, -1, -1};
  }

  // Screen point of a window point, and of the centre of an object.
  TPoint ScreenAt(int x, int y) {
    TRect r;
    GetWindowRect(form->Handle(), &r);
    return {r.Left + x, r.Top + y};
  }
  TPoint CentreOf(const std::string& id) {
    const TRect r = RectOf(id);
    return ScreenAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // The colour the window shows at a window point.
  TColor WindowColor(int x, int y) {
    screen.Pump();
    TSurfacePtr img = ComposeWindowImage(form->Handle());
    if (!img || x < 0 || y < 0 || x >= img->Width() || y >= img->Height()) return clNone;
    return ObjPixelColor(img->GetPixel(x, y));
  }
  TColor ObjectColor(const std::string& id) {
    const TRect r = RectOf(id);
    return WindowColor((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  THeadlessScreen screen{800, 600};
  TForm* form = nullptr;
  TvxVelmora* velmora = nullptr;
};

// A standard caption button drawn from the state sheet.
inline std::unique_ptr<TvxDataSkinStdButton> StdButton(const std::string& name, TvxSkinCommand cmd,
                                                       bool inPicture = true) {
  auto b = std::make_unique<TvxDataSkinStdButton>(name);
  b->command = cmd;
  b->activepictureindex = 0;
  b->activemaskpictureindex = -1;
  b->skinrectinapicture = inPicture;
  b->skinrect = Cell(kNormal);
  b->activeskinrect = Cell(kHot);
  b->downrect = Cell(kDown);
  b->inactiveskinrect = Cell(kInactive);
  b->disableskinrsect = Cell(kDisabled);
  b->morphing = false;
  b->hint = "hint of " + name;
  return b;
}

}  // namespace vx::test
