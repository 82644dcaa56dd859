// Loading a skin package of the size of the built-in skins (about 60 kB of INI
// text, a main picture, a mask and 12 active pictures) into a skin data
// component, next to zlib inflating the same package alone.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/codecs/bmp.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "platform/core/strings.h"
#include "skin/vxSkinControls.h"
#include "skin/vxSkinData.h"
#include "skin/vxSkinObjects.h"
#include "skin/vxStoredSkin.h"

namespace vx {
namespace {

void WriteFile(const std::string& path, const std::string& text) {
  TFileStream f(path, fmCreate);
  f.WriteBuffer(text.data(), int64_t(text.size()));
}

// A picture with smooth gradients and a few hard edges, like skin artwork.
TBmpImage Picture(int w, int h, int bitCount, int seed) {
  TBmpImage img = TBmpImage::Create(w, h, bitCount);
  for (size_t i = 0; i < img.Palette.size(); ++i)
    img.Palette[i] = TRGBQuad{uint8_t(i * 17), uint8_t(i * 5 + seed), uint8_t(255 - i * 3), 0};
  const int64_t used = (int64_t(w) * bitCount + 7) / 8;
  for (int y = 0; y < h; ++y)
    for (int64_t x = 0; x < used; ++x)
      img.Row(y)[x] = uint8_t((x * 3 + y * 2 + seed) / 5 + ((x / 40 + y / 25) % 2) * 60);
  return img;
}

void WriteBmpFile(const std::string& path, const TBmpImage& img) {
  TFileStream f(path, fmCreate);
  WriteBmp(f, img);
}

// Writes every key of a definition with a value other than its default.
void AddSection(TMemIniFile& ini, const std::string& section, const std::function<void(TCustomIniFile&)>& save) {
  TMemIniFile defaults;
  save(defaults);
  TStringList keys;
  defaults.ReadSection(section, keys);
  for (int i = 0; i < keys.Count(); ++i) {
    std::string v = defaults.ReadString(section, keys[i], "");
    if (v == "0,0,0,0") v = std::to_string(i) + ",4," + std::to_string(i + 40) + ",30";
    else if (v == "0,0") v = std::to_string(i % 9 + 1) + ",5";
    else if (v == "0") v = std::to_string(i % 3 ? 9868950 : 1);
    ini.WriteString(section, keys[i], v);
  }
}

struct PackageFixture {
  TvxCompressedStoredSkin stored{nullptr};
  size_t iniBytes = 0;
  size_t inflatedBytes = 0;

  PackageFixture() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vx_skin_bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string d = dir.string() + "/";
    WriteBmpFile(d + "main.bmp", Picture(320, 240, 24, 1));
    WriteBmpFile(d + "mask.bmp", Picture(320, 240, 8, 2));
    std::string pictures = "[PICTURES]\r\npicture=main.bmp\r\ninactivepicture=\r\nmask=mask.bmp\r\n";
    pictures += "activepicturescount=12\r\n";
    for (int i = 0; i < 12; ++i) {
      const int bits = i < 8 ? 24 : (i < 10 ? 4 : 1);
      const std::string name = "active" + std::to_string(i) + ".bmp";
      WriteBmpFile(d + name, Picture(160 + i * 8, 96, bits, i + 3));
      pictures += std::to_string(i) + "=" + name + "\r\n";
    }

    TMemIniFile ini;
    const char* objects[] = {"stdbutton", "stdbutton", "stdbutton", "stdbutton", "caption", "menuitem",
                             "mainmenubaritem", "mainmenubarbutton", "mainmenubarbutton", "button", "animate"};
    std::string list = "[SKINOBJECTS]\r\ncount=11\r\n";
    for (int i = 0; i < 11; ++i) {
      const std::string name = "object" + std::to_string(i);
      std::shared_ptr<TvxDataSkinObject> def = CreateSkinObjectDefinition(objects[i], name);
      AddSection(ini, name, [def](TCustomIniFile& f) { def->SaveToFile(f); });
      list += std::to_string(i) + "=" + name + ":" + objects[i] + "\r\n";
    }
    const char* controls[] = {"panel",    "expanel",  "menubutton", "button",   "checkradio", "gauge",
                              "splitter", "trackbar", "label",      "stdlabel", "updown",     "grid",
                              "tab",      "mainmenubar", "controlbar", "appmenu", "memo",     "edit",
                              "checklistbox", "listbox", "combobox", "scrollbar", "spinedit", "scrollbox",
                              "treeview", "bevel",    "slider",     "listview", "richedit"};
    list += "[SKINCONTROLS]\r\ncount=72\r\n";
    for (int i = 0; i < 72; ++i) {
      const char* type = controls[i % 29];
      const std::string name = "control" + std::to_string(i);
      std::shared_ptr<TvxDataSkinControl> def = CreateSkinControlDefinition(type, name);
      AddSection(ini, name, [def](TCustomIniFile& f) { def->SaveToFile(f); });
      list += std::to_string(i) + "=" + name + ":" + type + "\r\n";
    }
    std::string text =
        "[VERSION]\r\nver=3\r\nskinname=Bench\r\n" + pictures +
        "[FORMINFO]\r\nlefttoppoint=9,27\r\nrighttoppoint=300,27\r\nleftbottompoint=9,230\r\n"
        "rightbottompoint=300,230\r\nclientrect=4,26,316,236\r\nmaskrectarea=0,0,320,30\r\n"
        "[LAYERFRAME]\r\npictureindex=0\r\nmaskpictureindex=8\r\nfullborder=1\r\n" +
        list;
    TStringList lines;
    ini.GetStrings(lines);
    text += lines.Text();
    iniBytes = text.size();
    WriteFile(d + "skin.ini", text);
    stored.LoadFromIniFile(d + "skin.ini");
    TMemoryStream inflated;
    stored.DecompressToStream(inflated);
    inflatedBytes = size_t(inflated.Size());
    std::filesystem::remove_all(dir);
  }
};

PackageFixture& Fixture() {
  static PackageFixture fixture;
  return fixture;
}

void SetCounters(benchmark::State& state) {
  PackageFixture& f = Fixture();
  state.counters["ini_bytes"] = double(f.iniBytes);
  state.counters["inflated_bytes"] = double(f.inflatedBytes);
  state.counters["package_bytes"] = double(f.stored.CompressedData().Bytes().size());
}

void BM_LoadSkinPackage(benchmark::State& state) {
  PackageFixture& f = Fixture();
  TvxSkinData skinData(nullptr);
  for (auto _ : state) {
    skinData.LoadCompressedStoredSkin(&f.stored);
    benchmark::DoNotOptimize(skinData.ControlList.data());
  }
  if (skinData.ControlList.size() != 72 || skinData.ObjectList.size() != 11 || skinData.ActivePictures.size() != 12)
    state.SkipWithError("the generated skin did not load completely");
  SetCounters(state);
}
BENCHMARK(BM_LoadSkinPackage)->Unit(benchmark::kMillisecond);

// The reference: zlib inflating the same package, nothing else.
void BM_ZlibInflateSamePackage(benchmark::State& state) {
  PackageFixture& f = Fixture();
  const std::vector<uint8_t>& packed = f.stored.CompressedData().Bytes();
  std::vector<uint8_t> out(f.inflatedBytes);
  for (auto _ : state) {
    uLongf size = uLongf(out.size());
    if (uncompress(out.data(), &size, packed.data(), uLong(packed.size())) != Z_OK || size != out.size())
      state.SkipWithError("inflate failed");
    benchmark::DoNotOptimize(out.data());
  }
  SetCounters(state);
}
BENCHMARK(BM_ZlibInflateSamePackage)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vx
