// The registry of named procedures and the progress of the frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/zt_effect.h"

namespace vx {
namespace {

TEST(ZtRegistry, NamesInRegistrationOrder) {
  const std::vector<std::string> names = EffectNames();
  ASSERT_EQ(names.size(), 2u + 59u);
  EXPECT_EQ(names[0], "[ RANDOM ] - Random selection");
  EXPECT_EQ(names[1], "[ BITMAP ] - Bitmap Animation");
  EXPECT_EQ(names[2], "[ FADE ] - SmoothDiagonal");
  EXPECT_EQ(names[2 + 33], "[ FADE ] - Pixel line");
  EXPECT_EQ(names[2 + 53], "[ FADE ] - Plasma");
  EXPECT_EQ(names[2 + 54], "[ SLIDE ] - Interlace");
  EXPECT_EQ(names[2 + 55], "[ SLIDE ] - Corner");
  EXPECT_EQ(names[2 + 56], "[ MANUAL ] - Slide");
  EXPECT_EQ(names[2 + 58], "[ MANUAL ] - Blur");
}

TEST(ZtRegistry, FindByDisplayNameThenBareNameIgnoringCase) {
  const struct { const char* query; const char* found; } cases[] = {
      {"smoothdown", "[ FADE ] - SmoothDown"},
      {"[ fade ] - smoothdown", "[ FADE ] - SmoothDown"},
      {"PIXEL FADE", "[ FADE ] - Pixel fade"},
      {"slide", "[ MANUAL ] - Slide"},      // the bare name of the frame procedure
      {"[ SLIDE ] - corner", "[ SLIDE ] - Corner"},
  };
  for (const auto& c : cases) {
    const TztProcItem* item = FindEffectProc(c.query);
    ASSERT_NE(item, nullptr) << c.query;
    EXPECT_EQ(item->DisplayName, c.found) << c.query;
  }
  EXPECT_EQ(FindEffectProc("[ RANDOM ] - Random selection"), nullptr);
  EXPECT_EQ(FindEffectProc("Nothing"), nullptr);
  EXPECT_EQ(FindEffectProc(""), nullptr);
  EXPECT_EQ(FindEffectProc("SmoothDown")->Group, 0);
  EXPECT_EQ(FindEffectProc("Interlace")->Group, 1);
  EXPECT_EQ(FindEffectProc("Blur")->Group, 2);
}

void MyMask(uint8_t* m, int W, int H, int) { m[size_t(W) * size_t(H) - 1] = 255; }
void MyOtherMask(uint8_t*, int, int, int) {}

TEST(ZtRegistry, RegistrationRefusesDuplicatesAndMismatchedGroups) {
  RegisterEffectProc("Registry test", 0, TztMaskProc(MyMask));
  const TztProcItem* item = FindEffectProc("registry TEST");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->DisplayName, "[ FADE ] - Registry test");
  EXPECT_EQ(EffectNames().back(), "[ FADE ] - Registry test");
  try {
    RegisterEffectProc("Another name", 0, TztMaskProc(MyMask));
    FAIL() << "same procedure registered twice";
  } catch (const EProcItemError& e) {
    EXPECT_STREQ(e.what(), "Effect procedute Another name already exists in list");
  }
  // A second procedure under a display name that exists would never be found.
  EXPECT_THROW(RegisterEffectProc("registry test", 0, TztMaskProc(MyOtherMask)), EProcItemError);
  EXPECT_THROW(RegisterEffectProc("Wrong group", 1, TztMaskProc(MyOtherMask)), EProcItemError);
  EXPECT_THROW(RegisterEffectProc("Null", 0, TztMaskProc(nullptr)), EProcItemError);
  EXPECT_EQ(FindEffectProc("Wrong group"), nullptr);
}

TEST(ZtProgress, FrameSequences) {
  EXPECT_EQ(FrameProgressSequence(150), (std::vector<int>{13, 27, 40, 53, 67, 80, 93, 100}));
  EXPECT_EQ(FrameProgressSequence(50), (std::vector<int>{40, 80, 100}));
  EXPECT_EQ(FrameProgressSequence(10), (std::vector<int>{40, 80, 100}));  // 10 ms counts as 50
  EXPECT_EQ(FrameProgressSequence(400).size(), 20u);
  EXPECT_EQ(FrameProgress(199.0f, 200), 100);  // 99.5 rounds to 100
  EXPECT_EQ(FrameProgress(197.0f, 200), 98);   // 98.5 rounds to even
}

}  // namespace
}  // namespace vx
