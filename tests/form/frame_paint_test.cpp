// Frame pixels: the fixture skin's flat slices show where each part of the
// frame came from (corners 1:1, edges stretched or tiled), the client is
// never painted over, an inactive form shows the skin's inactive effect, a
// device context handed in keeps its clip, and the default frame draws its
// rings, grip lines and caption.
#include <gtest/gtest.h>

#include "form/caption_objects.h"
#include "platform/gfx/surface.h"
#include "platform/win/compositor.h"
#include "raster/effect_bmp.h"
#include "raster/vx_bitmap.h"
#include "skin/vxResStrData.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

constexpr uint32_t kRgb = 0x00FFFFFFu;
uint32_t Rgb(TColor c) { return ColorToPixel(c) & kRgb; }

class FramePaint : public FormFixture {
 protected:
  // The fixture skin (picture 240 x 140, corners at x 30 / 228 and y 30 /
  // 128) on a W x H form; caption objects hidden so that every frame pixel
  // comes from the picture.
  TvxSkinData* ShowSkinned(int w, int h, bool stretch) {
    MakeForm(w, h);
    TvxSkinData* data = AttachSkinData();
    LoadFixtureSkin(*data);
    data->leftstretch = data->rightstretch = data->topstretch = data->bottomstretch = stretch;
    ShowForm();
    for (int i = 0; i < velmora->Objects().Count(); ++i) velmora->Objects().Object(i)->Visible = false;
    velmora->RepaintFrame();
    screen.Pump();
    return data;
  }
  // The picture pixel a frame pixel must show: corners 1:1 from their corner
  // of the picture; anything between them from the middle of its flat slice.
  uint32_t Expected(const TvxBitmap& pic, int x, int y) {
    const int dx = velmora->FrameWidth() - pic.Width(), dy = velmora->FrameHeight() - pic.Height();
    const int px = x < 30 ? x : x >= 228 + dx ? x - dx : 100;
    const int py = y < 30 ? y : y >= 128 + dy ? y - dy : 80;
    return pic.Pixel(px, py) & kRgb;
  }
  // Every frame pixel inside the window's shape, with `transform` applied to
  // the expected colour; counts mismatches (reports the first few).
  int CompareFrame(const TvxBitmap& pic, uint32_t (*transform)(uint32_t)) {
    TRegion rgn;
    const bool hasRgn = GetWindowRgn(Wnd(), rgn) != 0;
    const TRect& cr = velmora->Geometry().FrameClientRect;
    screen.Pump();
    TSurfacePtr img = ComposeWindowImage(Wnd());
    int bad = 0;
    for (int y = 0; y < velmora->FrameHeight(); ++y)
      for (int x = 0; x < velmora->FrameWidth(); ++x) {
        if (cr.Contains(TPoint{x, y}) || (hasRgn && !rgn.Contains(x, y))) continue;
        const uint32_t want = transform(Expected(pic, x, y));
        const uint32_t got = img->GetPixel(x, y) & kRgb;
        if (got != want && bad++ < 5) ADD_FAILURE() << "at " << x << ", " << y << std::hex << " got " << got << " want " << want;
      }
    return bad;
  }
  static uint32_t Same(uint32_t c) { return c; }
};

TEST_F(FramePaint, SkinFrameCopiesCornersAndStretchesOrTilesEdges) {
  for (bool stretch : {true, false}) {
    for (const TSize size : {TSize{240, 140}, TSize{400, 300}, TSize{517, 211}}) {
      SCOPED_TRACE(testing::Message() << "stretch " << stretch << " " << size.cx << "x" << size.cy);
      TvxSkinData* data = ShowSkinned(size.cx, size.cy, stretch);
      EXPECT_EQ(CompareFrame(*data->Picture, &Same), 0);
      if (stretch && size.cx == 400) WritePng("skin_frame_no_objects");
      delete form;
    }
  }
}

TEST_F(FramePaint, SkinFrameWithObjectsIsWrittenForLooking) {
  MakeForm(420, 260);
  LoadFixtureSkin(*AttachSkinData());
  ShowForm();
  WritePng("skin_frame_fixture");
  // A built-in skin, for a look at a real frame.
  TForm* first = form;
  MakeForm(520, 360);
  LoadBuiltinSkin(*AttachSkinData(), 1);
  ShowForm();
  WritePng("skin_frame_builtin_blue");
  // The first form is now inactive.
  form = first;
  WritePng("skin_frame_fixture_inactive");
}

TEST_F(FramePaint, InactiveFormShowsTheSkinsInactiveEffect) {
  TvxSkinData* data = ShowSkinned(400, 300, true);
  ASSERT_TRUE(data->autorenderinginactiveimage);
  ASSERT_TRUE(data->InactivePicture->Empty());
  // Another form takes the activation.
  TForm* other = new TForm(Application);
  other->SetBounds(500, 400, 100, 80);
  other->Show();
  screen.Pump();
  ASSERT_FALSE(velmora->IsFormActive());
  struct Case {
    TvxImageEffect effect;
    void (*apply)(TvxEffectBmp&);
  } cases[] = {
      {vxieBrightness, [](TvxEffectBmp& e) { e.Brightness(0.5); }},
      {vxieDarkness, [](TvxEffectBmp& e) { e.Darkness(0.3); }},
      {vxieGrayScale, [](TvxEffectBmp& e) { e.GrayScale(); }},
      {vxieInvert, [](TvxEffectBmp& e) { e.Invert(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.effect));
    data->inactiveeffect = c.effect;
    velmora->RepaintFrame();
    static void (*apply)(TvxEffectBmp&);
    apply = c.apply;
    EXPECT_EQ(CompareFrame(*data->Picture,
                           [](uint32_t rgb) {
                             TvxEffectBmp e(1, 1);
                             e.SetPixel(0, 0, rgb);
                             apply(e);
                             return e.Pixel(0, 0) & kRgb;
                           }),
              0);
  }
  // Turned off: the active picture.
  data->autorenderinginactiveimage = false;
  velmora->RepaintFrame();
  EXPECT_EQ(CompareFrame(*data->Picture, &Same), 0);
  // Preview mode is always painted active.
  data->autorenderinginactiveimage = true;
  velmora->SetPreviewMode(true);
  velmora->RepaintFrame();
  EXPECT_EQ(CompareFrame(*data->Picture, &Same), 0);
  // A skin with an inactive picture shows it while inactive.
  velmora->SetPreviewMode(false);
  data->autorenderinginactiveimage = false;
  data->InactivePicture->Assign(*data->Picture);
  for (int y = 0; y < data->InactivePicture->Height(); ++y)
    for (int x = 0; x < data->InactivePicture->Width(); ++x)
      data->InactivePicture->SetPixel(x, y, data->Picture->Pixel(x, y) ^ 0x00FFFFFFu);
  velmora->RepaintFrame();
  EXPECT_EQ(CompareFrame(*data->Picture, [](uint32_t rgb) { return rgb ^ kRgb; }), 0);
}

// VXM_PAINTFRAMETODC paints the frame into a device context handed in and
// leaves the client area and the context's clip as they were.
TEST_F(FramePaint, PaintingIntoAGivenDCKeepsItsClientAndClip) {
  for (bool skinned : {true, false}) {
    SCOPED_TRACE(skinned);
    TvxSkinData* data = nullptr;
    if (skinned) {
      data = ShowSkinned(400, 300, true);
    } else {
      MakeForm(400, 300);
      ShowForm();
    }
    const TRect cr = velmora->Geometry().FrameClientRect;
    TvxBitmap target(400, 300);
    target.FillRect(target.BoundsRect(), 0xFF123456);
    TRect clipBefore;
    GetClipBox(target.DC(), &clipBefore);
    EXPECT_EQ(SendMessage(Wnd(), VXM_PAINTFRAMETODC, reinterpret_cast<WPARAM>(target.DC()), 0),
              kPaintFrameToDCAnswer);
    EXPECT_EQ(SendMessage(Wnd(), VXM_GRABFRAME, reinterpret_cast<WPARAM>(target.DC()), kGrabFrameKey),
              kGrabFrameKey);
    TRect clipAfter;
    GetClipBox(target.DC(), &clipAfter);
    EXPECT_EQ(clipAfter, clipBefore);
    // The client is untouched, the frame painted.
    for (const TPoint p : {TPoint{cr.Left, cr.Top}, TPoint{cr.Right - 1, cr.Bottom - 1}, TPoint{200, 150}})
      EXPECT_EQ(target.Pixel(p.X, p.Y), 0xFF123456u) << p.X << ", " << p.Y;
    EXPECT_NE(target.Pixel(1, 150) & kRgb, 0x123456u);
    if (skinned) {
      EXPECT_EQ(target.Pixel(1, 150) & kRgb, data->Picture->Pixel(1, 80) & kRgb);
    }
    // The client can still be drawn after the frame.
    FillSolidRect(target.DC(), cr, RGB(1, 2, 3));
    EXPECT_EQ(target.Pixel(200, 150) & kRgb, 0x010203u);
    delete form;
  }
}

// A window capture (WM_PRINT) gets the skinned frame and the skin's client
// background, as the screen shows them.
TEST_F(FramePaint, PrintedWindowMatchesTheScreen) {
  ShowSkinned(400, 300, true);
  TvxBitmap image(400, 300);
  ASSERT_TRUE(PrintWindow(Wnd(), image.DC(), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN));
  TRegion rgn;
  GetWindowRgn(Wnd(), rgn);
  screen.Pump();
  TSurfacePtr shown = ComposeWindowImage(Wnd());
  int differ = 0;
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x)
      if (rgn.Contains(x, y) && (image.Pixel(x, y) & kRgb) != (shown->GetPixel(x, y) & kRgb)) ++differ;
  EXPECT_EQ(differ, 0);
}

TEST_F(FramePaint, DefaultFrameRingsGripLinesAndCaption) {
  struct Case {
    TFormBorderStyle bs;
    int caption;
  } cases[] = {{bsSizeable, 19}, {bsToolWindow, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.bs));
    MakeForm(300, 200, c.bs);
    form->SetCaption("");
    ShowForm();
    WritePng(c.bs == bsSizeable ? "default_frame" : "default_frame_tool");
    auto px = [&](int x, int y) { return WindowPixel(x, y) & kRgb; };
    // Three rings, outermost first.
    EXPECT_EQ(px(0, 0), Rgb(cl3DLight));
    EXPECT_EQ(px(0, 150), Rgb(cl3DLight));
    EXPECT_EQ(px(299, 150), Rgb(cl3DDkShadow));
    EXPECT_EQ(px(150, 199), Rgb(cl3DDkShadow));
    EXPECT_EQ(px(1, 150), Rgb(clBtnHighlight));
    EXPECT_EQ(px(298, 150), Rgb(clBtnShadow));
    EXPECT_EQ(px(2, 150), Rgb(clBtnFace));
    EXPECT_EQ(px(297, 150), Rgb(clBtnFace));
    // Grip lines from caption y = 2 (window y = 5), caption height - 5 of
    // them, highlight first; the rows around them are face.
    const TRect cap = velmora->Objects().LayoutDefaultObjects();
    const int x = cap.Left + 6;
    EXPECT_EQ(px(x, 4), Rgb(clBtnFace));
    for (int i = 0; i < c.caption - 5; ++i)
      EXPECT_EQ(px(x, 5 + i), Rgb(i % 2 == 0 ? clBtnHighlight : clBtnShadow)) << "line " << i;
    EXPECT_EQ(px(x, 5 + c.caption - 5), Rgb(clBtnFace));
    // The lines stop short of the buttons.
    EXPECT_EQ(px(cap.Right - 1, 5), Rgb(clBtnFace));
    delete form;
  }
}

TEST_F(FramePaint, DefaultCaptionTextClearsTheGripLinesAroundIt) {
  MakeForm(300, 200);
  form->SetCaption("Caption");
  ShowForm();
  WritePng("default_frame_caption");
  const TRect cap = velmora->Objects().LayoutDefaultObjects();
  const int mid = (cap.Left + cap.Right) / 2;
  // The text sits in the middle of the caption on a face-coloured plate: its
  // top row (just above the text) is face where a grip line would be.
  bool text = false;
  for (int y = 3; y < 3 + 19; ++y)
    for (int x = mid - 4; x <= mid + 4; ++x) text = text || (WindowPixel(x, y) & kRgb) == Rgb(clBtnText);
  EXPECT_TRUE(text);
  EXPECT_EQ(WindowPixel(mid, 5) & kRgb, Rgb(clBtnFace));
  EXPECT_EQ(WindowPixel(cap.Left + 6, 5) & kRgb, Rgb(clBtnHighlight));

  // OnCaptionPaint draws the caption instead, given the caption area.
  TRect seen;
  velmora->OnCaptionPaint = [&](TCanvas& canvas, const TRect& r, bool active) {
    seen = r;
    EXPECT_TRUE(active);
    canvas.Brush().SetColor(RGB(9, 99, 199));
    canvas.FillRect(r);
  };
  velmora->RepaintFrame();
  EXPECT_EQ(seen, (TRect{cap.Left - 3, 0, cap.Right - 3, 19}));
  EXPECT_EQ(PixelColor(WindowPixel(mid, 12)), RGB(9, 99, 199));
}


// The default caption's font is DefCaptionFont (DefInActiveCaptionFont when
// inactive) with the character set of the skin data's string table when it
// has one; OnCaptionPaint draws with the canvas it gets.
TEST_F(FramePaint, DefaultCaptionFontTakesTheStringTablesCharacterSet) {
  for (const bool table : {false, true}) {
    SCOPED_TRACE(table ? "string table" : "none");
    MakeForm(300, 200);
    velmora->DefCaptionFont().SetCharset(186);
    TvxSkinData* data = AttachSkinData();
    if (table) {
      auto* rs = new TvxResourceStrData(form);
      rs->SetCharSet(204);
      data->SetResourceStrData(rs);
    }
    int charset = -1;
    std::string name;
    velmora->OnCaptionPaint = [&](TCanvas& canvas, const TRect&, bool) {
      charset = canvas.Font().Charset();
      name = canvas.Font().Name();
    };
    ShowForm();
    velmora->RepaintFrame();
    EXPECT_EQ(name, "Tahoma");
    EXPECT_EQ(charset, table ? 204 : 186);
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
