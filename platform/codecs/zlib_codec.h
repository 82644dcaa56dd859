// zlib streams (RFC 1950: header, deflate data, Adler-32 trailer).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx {

class TStream;

constexpr size_t kInflateDefaultCap = size_t(64) << 20;

// One zlib stream of the bytes, at the given level (9 = best, the package level).
std::vector<uint8_t> ZCompress(const uint8_t* data, size_t size, int level = 9);
// Inflates one zlib stream. Throws ECompressionError when the data is corrupt,
// ends before the stream does, or would inflate to more than maxOutput bytes.
// Bytes after the end of the zlib stream are ignored.
std::vector<uint8_t> ZDecompress(const uint8_t* data, size_t size, size_t maxOutput = kInflateDefaultCap);

// Stream forms: read source from its position to its end, write at dest's position.
void ZCompressStream(TStream& source, TStream& dest, int level = 9);
void ZDecompressStream(TStream& source, TStream& dest, size_t maxOutput = kInflateDefaultCap);

}  // namespace vx
