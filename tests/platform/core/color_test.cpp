#include "platform/core/color.h"
#include "platform/core/geometry.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(Color, SystemColoursResolveThroughTheTable) {
  EXPECT_TRUE(IsSystemColor(clBtnFace));
  EXPECT_EQ(uint32_t(clBtnFace), 0xFF00000Fu);
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), 0x030201);
  EXPECT_EQ(GetSysColor(-1), clBlack);
  EXPECT_EQ(GetSysColor(999), clBlack);
  EXPECT_EQ(GetRValue(RGB(1, 2, 3)), 1);
  EXPECT_EQ(GetGValue(RGB(1, 2, 3)), 2);
  EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
}

TEST(Rect, EmptyIntersectionAndUnion) {
  EXPECT_TRUE(Rect(0, 0, 0, 5).IsEmpty());
  EXPECT_TRUE(Rect(3, 0, 1, 5).IsEmpty());
  EXPECT_EQ(IntersectRect(Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)), Rect(5, 5, 10, 10));
  EXPECT_EQ(IntersectRect(Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)), TRect{});
  EXPECT_EQ(UnionRect(Rect(0, 0, 1, 1), Rect(5, 5, 6, 6)), Rect(0, 0, 6, 6));
  EXPECT_EQ(UnionRect(TRect{}, Rect(5, 5, 6, 6)), Rect(5, 5, 6, 6));
  EXPECT_TRUE(Rect(0, 0, 2, 2).Contains(Point(1, 1)));
  EXPECT_FALSE(Rect(0, 0, 2, 2).Contains(Point(2, 1)));
}

}  // namespace
}  // namespace vx
