// Feeds arbitrary bytes to the BMP reader. Any exception other than the
// platform's own, a crash, a sanitizer report or a broken invariant is a
// finding: a bitmap that reads must stay inside the input, convert, and write
// back to a file that reads to the same pixels.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/codecs/bmp.h"
#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vx::TMemoryStream in(std::vector<uint8_t>(data, data + size));
  // Read bitmaps back to back, as a package reader does.
  for (int i = 0; i < 4 && in.Remaining() > 0; ++i) {
    vx::TBmpImage img;
    try {
      img = vx::ReadBmp(in);
    } catch (const vx::Exception&) {
      return 0;
    }
    if (in.Position() > int64_t(size)) std::abort();
    if (int64_t(img.Pixels.size()) != img.Stride() * img.Height) std::abort();
    std::vector<uint8_t> bgra = img.ToBGRA();
    vx::TMemoryStream out;
    vx::WriteBmp(out, img);
    out.SetPosition(0);
    vx::TBmpImage back = vx::ReadBmp(out);
    if (out.Position() != out.Size()) std::abort();
    if (back.Pixels != img.Pixels || back.Palette != img.Palette || back.ToBGRA() != bgra) std::abort();
  }
  return 0;
}
