// Feeds arbitrary bytes to the PNG reader: only EInvalidGraphic (or another
// platform exception) may come out; a decoded image must match its size.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/codecs/png_codec.h"
#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vx::TMemoryStream in(std::vector<uint8_t>(data, data + size));
  try {
    vx::TPngImage img = vx::ReadPng(in);
    if (img.Pixels.size() != size_t(img.Width) * size_t(img.Height) * 4) std::abort();
    if (in.Position() > int64_t(size)) std::abort();
  } catch (const vx::Exception&) {
  }
  return 0;
}
