#include "tests/form/form_fixture.h"

#include <filesystem>
#include <map>
#include <vector>

#include <unistd.h>

#include "platform/core/streams.h"
#include "platform/gfx/font.h"
#include "platform/win/compositor.h"
#include "skin/vxStoredSkin.h"
#include "skins/builtin_skins.h"

namespace vx::test {

namespace {
// Removes the process's folders when the test process ends.
struct ProcessDirs {
  std::vector<std::string> dirs;
  ~ProcessDirs() {
    std::error_code ec;
    for (const std::string& d : dirs) std::filesystem::remove_all(d, ec);
  }
};
ProcessDirs g_processDirs;
}  // namespace

std::string ProcessDir(const std::string& name) {
  std::string dir = std::string(VX_TEST_OUT_DIR) + "/form/" + name + "-" + std::to_string(getpid());
  g_processDirs.dirs.push_back(dir);
  return dir;
}

std::string FixtureSkinPath(const skins::TvxFixtureOptions& options) {
  static std::map<int, std::string> written;
  const int key = (options.Mask ? 1 : 0) | (options.LayerFrame ? 2 : 0) | (options.FullBorder ? 4 : 0);
  auto it = written.find(key);
  if (it != written.end()) return it->second;
  const std::string dir = ProcessDir("fixture_skin_" + std::to_string(key));
  std::filesystem::remove_all(dir);
  return written[key] = skins::WriteFixtureSkin(dir, options);
}

void LoadFixtureSkin(TvxSkinData& data, const skins::TvxFixtureOptions& options) {
  data.LoadFromFile(FixtureSkinPath(options));
}

int BuiltinSkinCount() { return int(BuiltinSkins().size()); }

void LoadBuiltinSkin(TvxSkinData& data, int i) {
  const TvxBuiltinSkin& s = BuiltinSkins()[size_t(i)];
  TMemoryStream bytes(std::vector<uint8_t>(s.Data, s.Data + s.Size));
  TvxCompressedStoredSkin stored(nullptr);
  stored.LoadFromCompressedStream(bytes);
  data.LoadCompressedStoredSkin(&stored);
}

void FormFixture::SetUp() { SetTestFontForAll(true); }

void FormFixture::TearDown() {
  SetWaitHook([] { return false; });
  while (Screen->FormCount() > 0) delete Screen->Forms(0);
  Application->SetMainForm(nullptr);
  Application->ClearTerminated();
  SetTestFontForAll(false);
}

void FormFixture::MakeForm(int w, int h, TFormBorderStyle bs) {
  form = new TForm(Application);
  form->SetBorderStyle(bs);
  form->SetBounds(100, 100, w, h);
  form->SetCaption("Frame");
  velmora = new TvxVelmora(form);
}

TvxSkinData* FormFixture::AttachSkinData() {
  auto* data = new TvxSkinData(form);
  velmora->SetSkinData(data);
  return data;
}

void FormFixture::ShowForm() {
  form->Show();
  screen.Pump();
}

uint32_t FormFixture::WindowPixel(int x, int y) {
  screen.Pump();
  TSurfacePtr img = ComposeWindowImage(Wnd());
  if (!img || x < 0 || y < 0 || x >= img->Width() || y >= img->Height()) return 0;
  return img->GetPixel(x, y);
}

void FormFixture::WritePng(const std::string& name) {
  screen.Pump();
  const std::string dir = std::string(VX_TEST_OUT_DIR) + "/form";
  std::filesystem::create_directories(dir);
  screen.WriteWindowPng(Wnd(), dir + "/" + name + ".png");
}

TPoint FormFixture::ScreenAt(int x, int y) {
  TRect r;
  GetWindowRect(Wnd(), &r);
  return {r.Left + x, r.Top + y};
}

}  // namespace vx::test
