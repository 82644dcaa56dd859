// libFuzzer target for the skin package reader. The first byte picks the
// entry point for the bytes after it: 0 reads them as a package file (header,
// zlib stream, content); 1 reads them as already inflated content; 2 deflates
// them and reads the result as a package, so that the fuzzer reaches the
// content reader through the whole package path without producing valid zlib.
// Any vx::Exception is an accepted outcome; crashes, leaks, hangs and huge
// allocations are not.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/codecs/zlib_codec.h"
#include "platform/core/exceptions.h"
#include "platform/core/inifiles.h"
#include "platform/core/streams.h"
#include "platform/core/strings.h"
#include "skin/vxSkinPackage.h"
#include "skin/vxSkinValues.h"
#include "skin/vxStoredSkin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int mode = data[0] % 3;
  std::vector<uint8_t> bytes(data + 1, data + size);
  if (mode == 2) {
    const std::vector<uint8_t> z = vx::ZCompress(bytes.data(), bytes.size(), 1);
    vx::TMemoryStream package;
    package.WriteInt32(3);
    package.WriteInt32(int32_t(z.size()));
    package.WriteBuffer(z.data(), int64_t(z.size()));
    bytes = package.Bytes();
  }
  const bool inflated = mode == 1;
  vx::TMemoryStream input(std::move(bytes));
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
