#include "platform/gfx/canvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"

namespace vx {
namespace {

// A tiny black 32-bit surface with a canvas; pictures: '#' white, '.' black,
// 'r' red, '?' anything else.
struct Sheet {
  TSurfacePtr s;
  TDCPtr dc;
  TCanvas c;
  Sheet(int w, int h) : s(TSurface::Create(w, h, TPixelFormat::pf32bit)), dc(CreateMemoryDC(s)), c(dc.get()) {
    FillPixels(dc.get(), TRect{0, 0, w, h}, 0xFF000000u);
    c.Pen().SetColor(clWhite);
    c.Brush().SetStyle(bsClear);
  }
  std::string Picture() const {
    std::string out;
    for (int y = 0; y < s->Height(); ++y) {
      for (int x = 0; x < s->Width(); ++x) {
        const uint32_t p = s->GetPixel(x, y);
        out += p == 0xFFFFFFFFu ? '#' : p == 0xFF000000u ? '.' : p == 0xFFFF0000u ? 'r' : '?';
      }
      out += '\n';
    }
    return out;
  }
};

TEST(Canvas, ShapesPinnedPixels) {
  const struct {
    const char* name;
    void (*draw)(TCanvas&);
    const char* want;
  } cases[] = {
      {"line leaves out its end point", [](TCanvas& c) { c.MoveTo(0, 0); c.LineTo(4, 0); },
       "####..\n......\n......\n......\n"},
      {"diagonal", [](TCanvas& c) { c.MoveTo(0, 0); c.LineTo(3, 3); },
       "#.....\n.#....\n..#...\n......\n"},
      {"shallow", [](TCanvas& c) { c.MoveTo(0, 0); c.LineTo(6, 2); },
       "##....\n..###.\n.....#\n......\n"},
      {"backwards", [](TCanvas& c) { c.MoveTo(5, 1); c.LineTo(1, 1); },
       "......\n..####\n......\n......\n"},
      {"polyline leaves out the last point", [](TCanvas& c) {
         const TPoint p[] = {{0, 0}, {3, 0}, {3, 3}};
         c.Polyline(p);
       },
       "####..\n...#..\n...#..\n......\n"},
      {"dotted", [](TCanvas& c) { c.Pen().SetStyle(psDot); c.MoveTo(0, 1); c.LineTo(6, 1); },
       "......\n#.#.#.\n......\n......\n"},
      {"dots run on around a corner", [](TCanvas& c) {
         c.Pen().SetStyle(psDot);
         const TPoint p[] = {{0, 0}, {3, 0}, {3, 4}};
         c.Polyline(p);
       },
       "#.#...\n...#..\n......\n...#..\n"},
      {"wide pen", [](TCanvas& c) { c.Pen().SetWidth(3); c.MoveTo(1, 1); c.LineTo(3, 1); },
       "####..\n####..\n####..\n......\n"},
      {"rectangle with clear brush", [](TCanvas& c) { c.Rectangle(1, 0, 5, 4); },
       ".####.\n.#..#.\n.#..#.\n.####.\n"},
      {"rectangle filled", [](TCanvas& c) {
         c.Brush().SetColor(clRed);
         c.Rectangle(0, 0, 4, 3);
       },
       "####..\n#rr#..\n####..\n......\n"},
      {"rectangle one pixel high", [](TCanvas& c) { c.Rectangle(1, 1, 4, 2); },
       "......\n.###..\n......\n......\n"},
      {"rectangle one pixel", [](TCanvas& c) { c.Rectangle(2, 2, 3, 3); },
       "......\n......\n..#...\n......\n"},
      {"clear pen", [](TCanvas& c) {
         c.Pen().SetStyle(psClear);
         c.Brush().SetColor(clRed);
         c.Rectangle(0, 0, 2, 2);
       },
       "rr....\nrr....\n......\n......\n"},
      {"fill and frame use the brush", [](TCanvas& c) {
         c.Brush().SetColor(clRed);
         c.FillRect(TRect{0, 0, 2, 4});
         c.Brush().SetColor(clWhite);
         c.FrameRect(TRect{2, 0, 6, 4});
       },
       "rr####\nrr#..#\nrr#..#\nrr####\n"},
      {"ellipse", [](TCanvas& c) { c.Ellipse(0, 0, 6, 4); },
       ".####.\n#....#\n#....#\n.####.\n"},
      {"filled ellipse", [](TCanvas& c) {
         c.Brush().SetColor(clRed);
         c.Ellipse(0, 0, 6, 4);
       },
       ".####.\n#rrrr#\n#rrrr#\n.####.\n"},
      {"polygon filled and outlined", [](TCanvas& c) {
         c.Brush().SetColor(clRed);
         c.Pen().SetStyle(psClear);
         const TPoint p[] = {{0, 0}, {4, 0}, {0, 4}};
         c.Polygon(p);
       },
       "rrr...\nrr....\nr.....\n......\n"},  // pixel centres inside
      {"polygon outline closes", [](TCanvas& c) {
         const TPoint p[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
         c.Polygon(p);
       },
       "####..\n#..#..\n#..#..\n####..\n"},
      {"focus rectangle", [](TCanvas& c) { c.DrawFocusRect(TRect{0, 0, 6, 4}); },
       "#.#.#.\n.....#\n#.....\n.#.#.#\n"},
      {"focus rectangle twice restores", [](TCanvas& c) {
         c.DrawFocusRect(TRect{1, 0, 5, 3});
         c.DrawFocusRect(TRect{1, 0, 5, 3});
       },
       "......\n......\n......\n......\n"},
      {"origin and clip apply", [](TCanvas& c) {
         SetViewportOrgEx(c.Handle(), 2, 1);
         IntersectClipRect(c.Handle(), 0, 0, 3, 9);
         c.MoveTo(-2, 0);
         c.LineTo(6, 0);
       },
       "......\n..###.\n......\n......\n"},
  };
  for (const auto& k : cases) {
    Sheet sh(6, 4);
    k.draw(sh.c);
    EXPECT_EQ(sh.Picture(), k.want) << k.name;
  }
}

TEST(Canvas, HugeCoordinatesDrawOnlyWhatShows) {
  // These must finish at once and draw exactly the visible part.
  Sheet sh(6, 4);
  sh.c.Brush().SetColor(clRed);
  sh.c.Pen().SetStyle(psClear);
  sh.c.Ellipse(-1000000000, -1000000000, 1000000000, 1000000000);
  sh.c.Pen().SetStyle(psSolid);
  sh.c.MoveTo(-2000000000, 1);
  sh.c.LineTo(2000000000, 1);
  sh.c.Pen().SetStyle(psDot);
  sh.c.MoveTo(2000000000, 3);
  sh.c.LineTo(-2000000000, 3);  // 2e9 steps from the start: even steps are on
  sh.c.Pen().SetStyle(psClear);
  EXPECT_EQ(sh.Picture(), "rrrrrr\n######\nrrrrrr\n#r#r#r\n");
  const TPoint big[] = {{-1000000000, 0}, {1000000000, 0}, {0, 1000000000}};
  sh.c.Brush().SetColor(clWhite);
  sh.c.Polygon(big);
  sh.c.Pen().SetStyle(psSolid);
  sh.c.DrawFocusRect(TRect{-1000000000, -1000000000, 1000000000, 1000000000});
  EXPECT_EQ(sh.Picture(), "######\n######\n######\n######\n");
  auto src = TSurface::Create(2, 2, TPixelFormat::pf32bit);
  auto sdc = CreateMemoryDC(src);
  FillPixels(sdc.get(), TRect{0, 0, 2, 2}, 0xFF000000u);
  EXPECT_TRUE(StretchBlt(sh.dc.get(), -100000000, 0, 200000000, 4, sdc.get(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(sh.Picture(), "......\n......\n......\n......\n");
  EXPECT_FALSE(StretchBlt(sh.dc.get(), 2000000000, 0, 2000000000, 4, sdc.get(), 0, 0, 2, 2, SRCCOPY));
}

TEST(Canvas, PixelsReadOutsideSayNoValue) {
  Sheet sh(3, 3);
  sh.c.SetPixel(1, 1, clRed);
  EXPECT_EQ(sh.c.GetPixel(1, 1), std::optional<TColor>(clRed));
  EXPECT_EQ(sh.c.GetPixel(0, 0), std::optional<TColor>(clBlack));
  EXPECT_FALSE(sh.c.GetPixel(3, 0).has_value());
  EXPECT_FALSE(sh.c.GetPixel(-1, 2).has_value());
  EXPECT_EQ(sh.c.Pixels(5, 5), CLR_INVALID);
  TCanvas none;
  EXPECT_FALSE(none.GetPixel(0, 0).has_value());
  none.Rectangle(0, 0, 5, 5);  // no context: nothing happens
}

TEST(Canvas, FontSizeAndText) {
  TFont f;
  f.SetSize(8);
  EXPECT_EQ(f.Height(), -11);
  f.SetHeight(-13);
  EXPECT_EQ(f.Size(), 10);
  int changes = 0;
  f.OnChange = [&](TGraphicsObject*) { ++changes; };
  f.SetStyle({fsBold});
  f.SetStyle({fsBold});
  EXPECT_EQ(changes, 1);

  Sheet sh(30, 12);
  sh.c.Font().SetName(kTestFontName);
  sh.c.Font().SetHeight(-10);
  sh.c.Font().SetColor(clWhite);
  EXPECT_EQ(sh.c.TextWidth("abc"), 15);
  EXPECT_EQ(sh.c.TextHeight("abc"), 10);
  sh.c.TextOut(1, 0, "ab");
  EXPECT_EQ(sh.c.PenPos(), (TPoint{11, 0}));
  EXPECT_EQ(sh.s->GetPixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(sh.s->GetPixel(5, 1), 0xFF000000u);
  // A solid brush fills the text background; TextRect clips to its rectangle.
  sh.c.Brush().SetColor(clRed);
  sh.c.TextRect(TRect{12, 0, 20, 10}, 12, 0, "abcdef");
  EXPECT_EQ(sh.s->GetPixel(16, 1), 0xFFFF0000u);
  EXPECT_EQ(sh.s->GetPixel(12, 1), 0xFFFFFFFFu);
  EXPECT_EQ(sh.s->GetPixel(20, 1), 0xFF000000u);
}

}  // namespace
}  // namespace vx
