// The caption objects of each built-in skin on a real form: every working
// object lights up under the pointer and goes back to normal when left, and a
// press dragged off any button runs no command.
#include "tests/form/form_fixture.h"
#include "tests/form/objects_util.h"

namespace vx::test {
namespace {

TEST_F(ObjectsTest, BuiltinSkinObjectsFollowThePointer) {
  for (int skin = 0; skin < BuiltinSkinCount(); ++skin) {
    SCOPED_TRACE(skin);
    MakeForm(500, 300);
    auto* sd = new TvxSkinData(form);
    LoadBuiltinSkin(*sd, skin);
    Use(sd);
    ShowForm();
    ASSERT_TRUE(velmora->SkinInUse());
    ASSERT_GT(Objects().Count(), 0);
    int lit = 0;
    for (int i = 0; i < Objects().Count(); ++i) {
      TvxActiveSkinObject* o = Objects().Object(i);
      if (!o->Visible || !o->Enabled || o->IsCaption()) continue;
      const TRect r = o->ObjectRect;
      const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
      if (!o->InObject(cx - r.Left, cy - r.Top)) continue;
      SCOPED_TRACE(o->IDName());
      screen.MoveTo(ScreenAt(cx, cy));
      screen.RunFor(200);
      EXPECT_EQ(Objects().HotIndex(), i);
      EXPECT_TRUE(o->MouseInside);
      ++lit;
      screen.Down();
      screen.Pump();
      screen.MoveTo(ScreenAt(250, 200));
      screen.RunFor(200);
      screen.Up();
      screen.Pump();
      EXPECT_FALSE(o->MouseInside);
      EXPECT_EQ(o->BlendPos, 0);
      EXPECT_EQ(Objects().PressedIndex(), -1);
      EXPECT_EQ(form->WindowState(), wsNormal);
      EXPECT_TRUE(form->Visible());
      EXPECT_FALSE(velmora->RolledUp());
    }
    EXPECT_GE(lit, 3);  // close, maximize, minimize at least
    delete form;
  }
}

}  // namespace
}  // namespace vx::test
