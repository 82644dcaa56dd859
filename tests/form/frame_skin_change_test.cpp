// Skin changes: the component re-applies a new skin with new objects, keeps
// the previous one when a load fails, relays the change to every skin-aware
// control that uses the announced skin data, and survives handlers that free
// the form or switch the skin data.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "form/caption_objects.h"
#include "platform/framework/extctrls.h"
#include "raster/vx_bitmap.h"
#include "skin/vxSkinAware.h"
#include "tests/form/form_fixture.h"

namespace vx::test {
namespace {

// A control drawing from a skin data: counts the calls it gets.
class TAwarePanel : public TPanel, public IvxSkinAware {
 public:
  TAwarePanel(TComponent* owner, TWinControl* parent, TvxSkinData* data) : TPanel(owner), data_(data) {
    SetParent(parent);
  }
  TvxSkinData* SkinData() const override { return data_; }
  void BeforeChangeSkinData() override {
    ++before;
    if (OnBefore) OnBefore();
  }
  void ChangeSkinData() override {
    ++change;
    // Each call comes after the one before it, never twice.
    EXPECT_EQ(before, change);
  }
  int before = 0, change = 0;
  std::function<void()> OnBefore;

 private:
  TvxSkinData* data_;
};

class FrameSkinChange : public FormFixture {
 protected:
  int Counts(int& before, int& change, int& after) {
    velmora->OnBeforeChangeSkinData = [&](TObject*) { ++before; };
    velmora->OnChangeSkinData = [&](TObject*) { ++change; };
    velmora->OnAfterChangeSkinData = [&](TObject*) { ++after; };
    return 0;
  }
};

TEST_F(FrameSkinChange, NewSkinIsAppliedWithItsOwnObjects) {
  MakeForm(500, 350);
  form->SetTag(-10000);
  velmora->SetTag(12345);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  ShowForm();
  ASSERT_TRUE(velmora->SkinInUse());
  ASSERT_GT(velmora->Objects().Count(), 0);
  int before = 0, change = 0, after = 0;
  Counts(before, change, after);

  LoadBuiltinSkin(*data, 2);
  screen.Pump();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(change, 1);
  EXPECT_EQ(after, 1);
  EXPECT_TRUE(velmora->SkinInUse());
  EXPECT_FALSE(velmora->SkinChanging());
  // The frame of the new skin.
  const TRect& cr = data->clientrect;
  TRect client;
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, (TRect{cr.Left, cr.Top, 500 - (data->Picture->Width() - cr.Right),
                           350 - (data->Picture->Height() - cr.Bottom)}));
  // Every object comes from a definition of the new skin.
  std::set<std::string> names;
  for (const auto& def : data->ObjectList) names.insert(def->SectionName);
  ASSERT_GT(velmora->Objects().Count(), 0);
  for (int i = 0; i < velmora->Objects().Count(); ++i)
    EXPECT_TRUE(names.count(velmora->Objects().Object(i)->IDName())) << velmora->Objects().Object(i)->IDName();
  // The frame is painted from the new picture: the top-left corner pixel.
  const int x = 2, y = cr.Top / 2;
  EXPECT_EQ(WindowPixel(x, y) & 0xFFFFFF, data->Picture->Pixel(x, y) & 0xFFFFFF);
  WritePng("skin_change_black");
  // The user's tags are the user's.
  EXPECT_EQ(form->Tag(), -10000);
  EXPECT_EQ(velmora->Tag(), 12345);
}

// The published client size is given to the form after every skin change.
TEST_F(FrameSkinChange, ClientSizeIsKeptAcrossSkins) {
  MakeForm(400, 300);
  velmora->SetClientWidth(320);
  velmora->SetClientHeight(180);
  TvxSkinData* data = AttachSkinData();
  ShowForm();
  for (int i = 0; i < BuiltinSkinCount(); ++i) {
    LoadBuiltinSkin(*data, i);
    screen.Pump();
    EXPECT_EQ(form->ClientWidth(), 320) << i;
    EXPECT_EQ(form->ClientHeight(), 180) << i;
  }
  LoadFixtureSkin(*data);
  screen.Pump();
  EXPECT_EQ(form->ClientWidth(), 320);
  EXPECT_EQ(form->Width(), 328);
}

TEST_F(FrameSkinChange, FailedLoadKeepsTheSkinAndTheFrame) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  LoadFixtureSkin(*data);
  ShowForm();
  const int objects = velmora->Objects().Count();
  const TRect geometry = velmora->Geometry().FrameClientRect;
  TRegion region;
  GetWindowRgn(Wnd(), region);
  int before = 0, change = 0, after = 0;
  Counts(before, change, after);

  // A skin folder whose frame picture is missing.
  const std::string dir = ProcessDir("broken_skin");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string src = FixtureSkinPath();
  const std::string folder = std::filesystem::path(src).parent_path().string();
  for (const auto& e : std::filesystem::directory_iterator(folder))
    if (e.path().filename() != "frame.bmp") std::filesystem::copy(e.path(), dir + "/" + e.path().filename().string());
  EXPECT_ANY_THROW(data->LoadFromFile(dir + "/" + std::filesystem::path(src).filename().string()));
  screen.Pump();

  EXPECT_EQ(before + change + after, 0);
  EXPECT_TRUE(velmora->SkinInUse());
  EXPECT_FALSE(velmora->SkinChanging());
  EXPECT_EQ(velmora->Objects().Count(), objects);
  EXPECT_EQ(velmora->Geometry().FrameClientRect, geometry);
  TRegion now;
  GetWindowRgn(Wnd(), now);
  EXPECT_EQ(now, region);
  // Painted again, the frame still comes from the skin.
  velmora->RepaintFrame();
  EXPECT_EQ(WindowPixel(1, 150) & 0xFFFFFF, data->Picture->Pixel(1, 80) & 0xFFFFFF);
}

// Every control using the announced skin data hears both calls, whichever
// skin data its form's component uses (or none); controls using another skin
// data hear nothing.
TEST_F(FrameSkinChange, ChangeReachesEveryControlUsingTheAnnouncedSkinData) {
  MakeForm(400, 300);
  TvxSkinData* own = AttachSkinData();
  TvxSkinData* other = new TvxSkinData(form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* nested = new TAwarePanel(form, panel, other);      // two levels down
  auto* direct = new TAwarePanel(form, form, other);
  auto* mine = new TAwarePanel(form, form, own);
  TForm* second = new TForm(Application);
  new TvxVelmora(second);  // no skin data of its own
  auto* elsewhere = new TAwarePanel(second, second, other);
  ShowForm();

  LoadFixtureSkin(*other);
  screen.Pump();
  for (TAwarePanel* p : {nested, direct, elsewhere}) {
    EXPECT_EQ(p->before, 1);
    EXPECT_EQ(p->change, 1);
  }
  EXPECT_EQ(mine->before + mine->change, 0);
  EXPECT_FALSE(velmora->SkinInUse());

  LoadFixtureSkin(*own);
  screen.Pump();
  EXPECT_EQ(mine->before, 1);
  EXPECT_EQ(mine->change, 1);
  EXPECT_EQ(direct->change, 1);
  EXPECT_TRUE(velmora->SkinInUse());

  // A control freed by another control's call is not called afterwards.
  direct->OnBefore = [&] {
    delete nested;
    nested = nullptr;
  };
  LoadFixtureSkin(*other);
  screen.Pump();
  EXPECT_EQ(direct->change, 2);
  EXPECT_EQ(elsewhere->change, 2);
}

TEST_F(FrameSkinChange, HandlersThatFreeTheFormOrSwitchTheSkinAreSafe) {
  MakeForm(400, 300);
  TvxSkinData* data = AttachSkinData();
  ShowForm();
  // The form is released from the component's own event.
  velmora->OnChangeSkinData = [this](TObject*) { form->Release(); };
  const int forms = Screen->FormCount();
  LoadFixtureSkin(*data);
  screen.Pump();
  EXPECT_EQ(Screen->FormCount(), forms - 1);

  // The handler moves the component to another skin data.
  MakeForm(400, 300);
  TvxSkinData* first = AttachSkinData();
  TvxSkinData* second = new TvxSkinData(form);
  LoadBuiltinSkin(*second, 0);
  ShowForm();
  TvxVelmora* v = velmora;
  v->OnChangeSkinData = [v, second](TObject*) {
    if (v->SkinData() != second) v->SetSkinData(second);
  };
  LoadFixtureSkin(*first);
  screen.Pump();
  EXPECT_EQ(velmora->SkinData(), second);
  EXPECT_TRUE(velmora->SkinInUse());
  EXPECT_EQ(velmora->Geometry().FrameClientRect.Left, second->clientrect.Left);

  // The skin data goes away: the component falls back to the default frame.
  velmora->OnChangeSkinData = nullptr;
  delete second;
  screen.Pump();
  EXPECT_EQ(velmora->SkinData(), nullptr);
  EXPECT_FALSE(velmora->SkinInUse());
  TRect client;
  GetClientAreaInWindow(Wnd(), &client);
  EXPECT_EQ(client, (TRect{3, 22, 397, 297}));
}

}  // namespace
}  // namespace vx::test
