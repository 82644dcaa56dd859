// libFuzzer target for the skin package reader. The first byte picks the
// entry point: even reads the bytes after it as a package file (header, zlib
// stream, content), odd reads them as already inflated content, so that the
// fuzzer reaches the content reader without having to produce valid zlib.
// Any vx::Exception is an accepted outcome; crashes, leaks, hangs and huge
// allocations are not.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "platform/core/strings.h"
#include "skin/vxSkinPackage.h"
#include "skin/vxSkinValues.h"
#include "skin/vxStoredSkin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool inflated = data[0] & 1;
  vx::TMemoryStream input(std::vector<uint8_t>(data + 1, data + size));
  try {
    vx::TvxSkinPackageContent content;
    if (inflated) {
      content = vx::ReadSkinContent(input);
    } else {
      vx::TvxCompressedStoredSkin stored(nullptr);
      stored.LoadFromCompressedStream(input);
      if (stored.IsEmpty()) return 0;
      content = stored.ReadContent();
    }
    // What the skin data and skintool read next: the INI text and its names.
    vx::TMemIniFile ini;
    ini.SetText(content.IniText);
    vx::TStringList names;
    vx::ReadStrings(ini, "PICTURES", "activepictures", names);
    for (const auto& picture : content.ActivePictures) (void)picture.ToBGRA();
  } catch (const vx::Exception&) {
  }
  return 0;
}
