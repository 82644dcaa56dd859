// Timed caption object changes on the manual clock: morph steps of hovered
// buttons, animated buttons with their own frame interval, and the caption
// animation on activation and deactivation.
#include "tests/form/objects_util.h"

#include <cmath>

namespace vx::test {
namespace {

using Defs = std::vector<std::unique_ptr<TvxDataSkinObject>>;

class ObjectsAnimTest : public ObjectsTest {
 public:
  void ShowAndSettle() {
    ShowForm();
    ASSERT_TRUE(form->Active());
    screen.RunFor(300);  // activation animations end, the tracking timer stops
  }
  void Hover(const std::string& id) {
    // Off the window first: the tracking timer stops, and the next hit test
    // over the object lights it at once.
    screen.MoveTo({790, 590});
    screen.RunFor(60);
    screen.MoveTo(CentreOf(id));
    screen.Pump();
  }
  void Tick() { screen.RunFor(25); }
  // Another form takes the activation, or gives it back.
  void Deactivate() {
    other = new TForm(Application);
    other->SetBounds(500, 300, 100, 80);
    other->Show();
    screen.Pump();
    ASSERT_FALSE(velmora->IsFormActive());
  }
  void Reactivate() {
    SetActiveWindow(form->Handle());
    screen.Pump();
    ASSERT_TRUE(velmora->IsFormActive());
  }
  TForm* other = nullptr;
};

int Channel(TColor c, int shift) { return (c >> shift) & 0xFF; }

TEST_F(ObjectsAnimTest, HoverMorphsInFifthsEvery25Ms) {
  MakeForm(300, 150);
  TSkinShape shape;
  shape.ButtonsRect = {120, 3, 196, 17};
  Defs defs;
  auto b = StdButton("max", cmMaximize);
  b->morphing = true;
  defs.push_back(std::move(b));
  Use(BuildSkin(shape, std::move(defs)));
  ShowAndSettle();
  TvxActiveSkinObject* max = Obj("max");
  Hover("max");
  ASSERT_TRUE(max->Highlighted);
  EXPECT_TRUE(Objects().MorphTimerActive());
  EXPECT_EQ(max->BlendPos, 0);
  const double up[] = {0.2, 0.4, 0.6, 0.8, 1, 1};
  for (double want : up) {
    Tick();
    EXPECT_NEAR(max->BlendPos, want, 1e-9);
    if (want == 0.4) {
      // The window shows the normal and highlighted images blended 60:40.
      const TColor got = ObjectColor("max");
      for (int shift : {0, 8, 16}) {
        const double mix = 0.6 * Channel(CellColor(kNormal), shift) + 0.4 * Channel(CellColor(kHot), shift);
        EXPECT_NEAR(Channel(got, shift), mix, 2.0) << shift;
      }
    }
  }
  EXPECT_FALSE(Objects().MorphTimerActive());  // the tick that had nothing to do stopped it
  EXPECT_EQ(ObjectColor("max"), CellColor(kHot));

  screen.MoveTo(ScreenAt(150, 80));
  screen.RunFor(50);  // the tracking timer sees the pointer leave
  ASSERT_FALSE(max->Highlighted);
  screen.RunFor(150);
  EXPECT_EQ(max->BlendPos, 0);
  EXPECT_FALSE(Objects().MorphTimerActive());
  EXPECT_EQ(ObjectColor("max"), CellColor(kNormal));
}

TEST_F(ObjectsAnimTest, AnimatedButtonStepsByItsOwnInterval) {
  struct AnimCase {
    const char* name;
    int countframes;
    bool cycle;
  };
  const AnimCase cases[] = {{"four_frames", 4, false}, {"cycling", 4, true}, {"no_frames", 0, false},
                            {"negative_frames", -3, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm(300, 150);
    TSkinShape shape;
    shape.ButtonsRect = {120, 3, 196, 17};
    Defs defs;
    auto a = std::make_unique<TvxDataSkinAnimate>("anim");
    a->command = cmMaximize;
    a->buttonstyle = true;
    a->cycle = c.cycle;
    a->countframes = c.countframes;
    a->timerinterval = 60;
    a->activepictureindex = 0;
    a->skinrectinapicture = true;
    a->skinrect = Cell(0);  // frame k is cell k - 1 of the sheet
    defs.push_back(std::move(a));
    Use(BuildSkin(shape, std::move(defs)));
    ShowAndSettle();
    auto* anim = dynamic_cast<TvxSkinAnimateObject*>(Obj("anim"));
    ASSERT_NE(anim, nullptr);
    Hover("anim");
    ASSERT_TRUE(anim->MouseInside);
    if (c.countframes <= 0) {
      // Nothing to play: no timer, and painting shows the first frame.
      EXPECT_FALSE(Objects().AnimationTimerActive());
      EXPECT_FALSE(anim->AnimationStep());
      EXPECT_EQ(ObjectColor("anim"), CellColor(0));
      delete form;
      continue;
    }
    EXPECT_TRUE(Objects().AnimationTimerActive());
    // 60 ms: the clock counts 25, 50, 75 and steps on every third tick.
    const int forward[] = {1, 1, 2, 2, 2, 3, 3, 3, 4};
    for (int want : forward) {
      Tick();
      EXPECT_EQ(anim->FrameIndex, want);
    }
    EXPECT_EQ(ObjectColor("anim"), CellColor(3));
    if (c.cycle) {
      Tick();
      Tick();
      Tick();
      EXPECT_EQ(anim->FrameIndex, 1);  // wraps while hovered
      EXPECT_TRUE(Objects().AnimationTimerActive());
      delete form;
      continue;
    }
    Tick();
    EXPECT_FALSE(anim->Highlighted);
    EXPECT_FALSE(Objects().AnimationTimerActive());

    // Leaving plays back to the first frame.
    screen.MoveTo(ScreenAt(150, 80));
    screen.Pump();
    Objects().TrackMouse(150, 80, true);
    ASSERT_FALSE(anim->MouseInside);
    EXPECT_FALSE(anim->Forward);
    const int back[] = {4, 4, 3, 3, 3, 2, 2, 2, 1};
    for (int want : back) {
      Tick();
      EXPECT_EQ(anim->FrameIndex, want);
    }
    Tick();
    EXPECT_FALSE(Objects().AnimationTimerActive());
    EXPECT_EQ(ObjectColor("anim"), CellColor(0));
    delete form;
  }
}

// Caption picture (active picture 1): skinrect area inactive, activeskinrect
// area active, and three animation frames stacked below.
constexpr TColor kCapInactive = RGB(10, 10, 120), kCapActive = RGB(10, 120, 10);
constexpr TColor kCapFrame[3] = {RGB(200, 0, 0), RGB(200, 100, 0), RGB(200, 200, 0)};

TEST_F(ObjectsAnimTest, CaptionAnimationOnActivationAndDeactivation) {
  struct CapCase {
    const char* name;
    int framecount;
    bool inactiveanimation;
    std::vector<TColor> deactivating;  // caption colour after each 25 ms tick
    std::vector<TColor> activating;
  };
  const TColor I = kCapInactive, A = kCapActive, F1 = kCapFrame[0], F2 = kCapFrame[1], F3 = kCapFrame[2];
  const CapCase cases[] = {
      {"animated_both_ways", 3, true, {F3, F2, F2, F1, F1, I, I, I}, {F1, F2, F2, F3, F3, A, A, A}},
      // Without inactive animation the caption jumps to its inactive image.
      {"inactive_animation_off", 3, false, {I, I, I}, {F1, F2, F2, F3, F3, A, A, A}},
      // Not animated and not morphing: inactive, only the text is drawn over
      // the frame picture.
      {"no_frames", 0, true, {kFrameColor}, {A}},
      {"negative_frames", -1, true, {kFrameColor}, {A}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeForm(300, 150);
    Defs defs;
    auto cap = std::make_unique<TvxDataSkinCaption>("caption");
    cap->activepictureindex = 1;
    cap->skinrectinapicture = false;
    cap->skinrect = {20, 0, 180, 25};
    cap->activeskinrect = {20, 25, 180, 50};
    cap->animateskinrect = {20, 50, 180, 125};
    cap->framecount = c.framecount;
    cap->animateinterval = 50;
    cap->inactiveanimation = c.inactiveanimation;
    cap->textrect = {};  // no text over the sampled pixels
    defs.push_back(std::move(cap));
    TvxSkinData* sd = BuildSkin({}, std::move(defs));
    auto pic = std::make_unique<TvxBitmap>(200, 150);
    pic->FillRect({20, 0, 180, 25}, ObjPixelOf(kCapInactive));
    pic->FillRect({20, 25, 180, 50}, ObjPixelOf(kCapActive));
    for (int i = 0; i < 3; ++i) pic->FillRect({20, 50 + 25 * i, 180, 75 + 25 * i}, ObjPixelOf(kCapFrame[i]));
    sd->ActivePictures.push_back(std::move(pic));
    Use(sd);
    ShowAndSettle();
    auto* caption = dynamic_cast<TvxSkinCaptionObject*>(Obj("caption"));
    ASSERT_NE(caption, nullptr);
    ASSERT_EQ(caption->ObjectRect, (TRect{20, 0, 180, 25}));
    EXPECT_TRUE(caption->Highlighted);
    EXPECT_EQ(WindowColor(100, 10), A);

    Deactivate();
    EXPECT_FALSE(caption->Highlighted);
    for (size_t i = 0; i < c.deactivating.size(); ++i) {
      Tick();
      EXPECT_EQ(WindowColor(100, 10), c.deactivating[i]) << "tick " << i + 1;
    }
    EXPECT_FALSE(Objects().AnimationTimerActive());

    Reactivate();
    EXPECT_TRUE(caption->Highlighted);
    for (size_t i = 0; i < c.activating.size(); ++i) {
      Tick();
      EXPECT_EQ(WindowColor(100, 10), c.activating[i]) << "tick " << i + 1;
    }
    EXPECT_FALSE(Objects().AnimationTimerActive());
    delete other;
    delete form;
  }
}

TEST_F(ObjectsAnimTest, SetActiveStateWithoutAnimationJumpsAndFiresEvents) {
  MakeForm(300, 150);
  Defs defs;
  auto cap = std::make_unique<TvxDataSkinCaption>("caption");
  cap->activepictureindex = 0;
  cap->skinrect = {20, 0, 180, 25};
  cap->activeskinrect = Cell(kHot);
  cap->morphing = true;
  defs.push_back(std::move(cap));
  Use(BuildSkin({}, std::move(defs)));
  int activations = 0, deactivations = 0;
  velmora->OnActivate = [&](TObject* s) {
    EXPECT_EQ(s, velmora);
    ++activations;
  };
  velmora->OnDeActivate = [&](TObject*) { ++deactivations; };
  ShowAndSettle();
  auto* caption = Obj("caption");
  EXPECT_TRUE(caption->Highlighted);
  EXPECT_EQ(caption->BlendPos, 1);  // morphed in on activation
  EXPECT_GT(activations, 0);
  Deactivate();
  EXPECT_GT(deactivations, 0);
  screen.RunFor(200);
  EXPECT_EQ(caption->BlendPos, 0);
  Reactivate();
  caption->Highlighted = false;
  Objects().SetActiveState(false);
  EXPECT_TRUE(caption->Highlighted);
  EXPECT_EQ(caption->BlendPos, 1);
  delete other;
}

}  // namespace
}  // namespace vx::test
