// The caption object's text: alignment in the text area, colours of the
// active and inactive states, light and shadow, the caption frame behind the
// text, the ellipsis, and a user-drawn caption. Fonts are the fixed-metric test
// face: a character is a solid block half as wide as the font's cell height.
#include "tests/form/objects_util.h"

#include <functional>

namespace vx::test {
namespace {

using Defs = std::vector<std::unique_ptr<TvxDataSkinObject>>;

constexpr TColor kText = RGB(250, 250, 250), kActiveText = RGB(255, 255, 0);
constexpr TColor kLight = RGB(0, 255, 255), kShadow = RGB(0, 0, 0);

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
  bool empty() const { return right < 0; }
};

class ObjectsCaptionTest : public ObjectsTest {
 public:
  // A caption (20,0)-(180,25) with the text area (10,0)-(150,25) inside it,
  // drawn over the frame picture (no caption image).
  void CaptionForm(const std::string& text, std::function<void(TvxDataSkinCaption&)> setup) {
    MakeForm(300, 150);
    form->SetCaption(text);
    Defs defs;
    auto cap = std::make_unique<TvxDataSkinCaption>("caption");
    cap->activepictureindex = 0;
    cap->skinrectinapicture = false;
    cap->skinrect = {20, 0, 180, 25};
    cap->textrect = {10, 0, 150, 25};
    cap->fontname = "Tahoma";
    cap->fontheight = 10;
    cap->fontcolor = kText;
    cap->activefontcolor = kActiveText;
    cap->alignment = taLeftJustify;
    if (setup) setup(*cap);
    defs.push_back(std::move(cap));
    Use(BuildSkin({}, std::move(defs)));
    ShowForm();
    screen.RunFor(100);
  }
  // Bounding box of the pixels of colour C in the caption band.
  Box Ink(TColor c) {
    screen.Pump();
    TSurfacePtr img = ComposeWindowImage(form->Handle());
    Box b;
    if (!img) return b;
    for (int y = 0; y < std::min(25, img->Height()); ++y)
      for (int x = 0; x < img->Width(); ++x)
        if (ObjPixelColor(img->GetPixel(x, y)) == c) {
          b.left = std::min(b.left, x);
          b.top = std::min(b.top, y);
          b.right = std::max(b.right, x);
          b.bottom = std::max(b.bottom, y);
        }
    return b;
  }
  // Caption pixels whose red stands out (effects in red around white text).
  int Reddish() {
    screen.Pump();
    TSurfacePtr img = ComposeWindowImage(form->Handle());
    int n = 0;
    for (int y = 0; y < 25; ++y)
      for (int x = 20; x < 180; ++x) {
        const TColor c = ObjPixelColor(img->GetPixel(x, y));
        n += (c & 0xFF) > ((c >> 8) & 0xFF) + 20 && c != kFrameColor;
      }
    return n;
  }
};

TEST_F(ObjectsCaptionTest, TextIsAlignedInTheTextArea) {
  // "Objects": 7 characters of 5 pixels (the last block's gap not inked),
  // 35 wide, 10 high; y = 12 - 5 = 7.
  const struct {
    TAlignment alignment;
    int x;
  } cases[] = {{taLeftJustify, 20 + 10}, {taCenter, 20 + 10 + 70 - 17}, {taRightJustify, 20 + 150 - 35}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.alignment));
    CaptionForm("Objects", [&](TvxDataSkinCaption& d) { d.alignment = c.alignment; });
    const Box b = Ink(kActiveText);
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b.left, c.x);
    EXPECT_EQ(b.right, c.x + 33);
    EXPECT_GE(b.top, 7);
    EXPECT_LE(b.bottom, 16);
    delete form;
  }
}

TEST_F(ObjectsCaptionTest, ColoursFollowTheActiveState) {
  CaptionForm("Objects", nullptr);
  EXPECT_FALSE(Ink(kActiveText).empty());
  EXPECT_TRUE(Ink(kText).empty());
  auto* other = new TForm(Application);
  other->SetBounds(500, 300, 100, 80);
  other->Show();
  screen.Pump();
  ASSERT_FALSE(velmora->IsFormActive());
  EXPECT_TRUE(Ink(kActiveText).empty());
  EXPECT_EQ(Ink(kText).left, 30);
}

TEST_F(ObjectsCaptionTest, LightAndShadowSitOnePixelAwayFromTheText) {
  CaptionForm("Objects", [](TvxDataSkinCaption& d) {
    d.light = true;
    d.activelightcolor = kLight;
    d.shadow = true;
    d.activeshadowcolor = kShadow;
  });
  const Box text = Ink(kActiveText), light = Ink(kLight), shadow = Ink(kShadow);
  ASSERT_FALSE(text.empty());
  ASSERT_FALSE(light.empty());
  ASSERT_FALSE(shadow.empty());
  EXPECT_EQ(light.left, text.left - 1);
  EXPECT_EQ(light.top, text.top - 1);
  EXPECT_EQ(shadow.right, text.right + 1);
  EXPECT_EQ(shadow.bottom, text.bottom + 1);
}

TEST_F(ObjectsCaptionTest, CaptionFrameLiesBehindTheText) {
  // Frame picture: the disabled cell (16 x 14) whose text part is (3,2)-(13,12).
  // Text area (13,2)-(147,25): x = 20 + 13, y = 2 + 11 - 5 = 8. Around the
  // text the frame is 16 + 35 - 10 = 41 wide at (x - 3, y - 2); a full frame
  // spans the caption object (20..179) whether the caption is drawn over the
  // frame picture or composed in its own image (16 x 14 here, so the frame's
  // rows end at the image's last row, 13).
  struct Case {
    const char* name;
    bool full, ownImage;
    Box frame;
  };
  const Case cases[] = {
      {"around_the_text", false, false, {30, 6, 70, 19}},
      {"full_over_the_frame", true, false, {20, 6, 179, 19}},
      {"full_in_the_caption_image", true, true, {20, 6, 179, 13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CaptionForm("Objects", [&c](TvxDataSkinCaption& d) {
      d.framerect = Cell(kDisabled);
      d.frametextrect = {3, 2, 13, 12};
      d.fullframe = c.full;
      if (c.ownImage) d.activeskinrect = Cell(kHot);
    });
    const Box text = Ink(kActiveText);
    EXPECT_EQ(text.left, 33);
    const Box frame = Ink(CellColor(kDisabled));
    EXPECT_EQ(frame.left, c.frame.left);
    EXPECT_EQ(frame.top, c.frame.top);
    EXPECT_EQ(frame.right, c.frame.right);
    EXPECT_EQ(frame.bottom, c.frame.bottom);
    delete form;
  }
}

TEST_F(ObjectsCaptionTest, LongTextEndsInAnEllipsisInsideTheArea) {
  CaptionForm(std::string(60, 'W'), nullptr);
  const Box b = Ink(kActiveText);
  ASSERT_FALSE(b.empty());
  EXPECT_EQ(b.left, 30);
  EXPECT_LE(b.right, 20 + 150 - 1);
  EXPECT_GT(b.right, 20 + 150 - 12);
}

TEST_F(ObjectsCaptionTest, UserDrawnCaptionReplacesTheText) {
  // The handler gets the caption's rectangle on the canvas it draws on: the
  // window's frame, or the caption's own image (origin 0, 0).
  struct Case {
    const char* name;
    bool ownImage;
    TRect rect;
  };
  const Case cases[] = {
      {"over_the_frame", false, {20, 0, 180, 25}},
      {"in_the_caption_image", true, {0, 0, 160, 25}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int calls = 0;
    TRect seen;
    bool seenActive = false;
    CaptionForm("Objects", [&c](TvxDataSkinCaption& d) {
      if (c.ownImage) d.activeskinrect = Cell(kHot);
    });
    velmora->OnCaptionPaint = [&](TCanvas& cv, const TRect& r, bool active) {
      ++calls;
      seen = r;
      seenActive = active;
      cv.Brush().SetColor(kLight);
      cv.FillRect({r.Left, r.Top, r.Left + 4, r.Top + 4});
    };
    velmora->RepaintFrame();
    screen.Pump();
    EXPECT_GT(calls, 0);
    EXPECT_EQ(seen, c.rect);
    EXPECT_TRUE(seenActive);
    EXPECT_TRUE(Ink(kActiveText).empty());
    EXPECT_EQ(WindowColor(21, 1), kLight);
    delete form;
  }
}

TEST_F(ObjectsCaptionTest, TextEffectsDrawWithoutFailing) {
  const std::function<void(TvxDataSkinCaption&)> effects[] = {
      [](TvxDataSkinCaption& d) {
        d.gloweffect = true;
        d.glowsize = 3;
        d.glowactivecolor = RGB(255, 0, 0);
      },
      [](TvxDataSkinCaption& d) {
        d.vistagloweffect = true;
        d.glowactivecolor = RGB(255, 0, 0);
      },
      [](TvxDataSkinCaption& d) {
        d.reflectioneffect = true;
        d.reflactionactivecolor = RGB(255, 0, 0);
        d.reflectionoffset = 1;
      },
  };
  for (const auto& e : effects) {
    CaptionForm("Objects", e);
    // The text is there, and something of the effect colour's red around it.
    EXPECT_FALSE(Ink(kActiveText).empty());
    EXPECT_GT(Reddish(), 0);
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
