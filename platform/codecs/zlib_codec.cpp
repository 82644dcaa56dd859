#include "platform/codecs/zlib_codec.h"

#include <zlib.h>

#include <algorithm>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

namespace vx {

namespace {

std::string ZMessage(const z_stream& z, int rc) {
  if (z.msg) return z.msg;
  switch (rc) {
    case Z_MEM_ERROR: return "out of memory";
    case Z_BUF_ERROR: return "compressed data ends early";
    case Z_DATA_ERROR: return "invalid data";
    case Z_NEED_DICT: return "a preset dictionary is required";
    default: return "error " + std::to_string(rc);
  }
}

// zlib takes 32-bit lengths; feed larger inputs in pieces.
constexpr size_t kChunk = size_t(1) << 30;

}  // namespace

std::vector<uint8_t> ZCompress(const uint8_t* data, size_t size, int level) {
  if (level < 0 || level > 9) throw ECompressionError("Compression level " + std::to_string(level) + " out of range");
  z_stream z{};
  int rc = deflateInit(&z, level);
  if (rc != Z_OK) throw ECompressionError("Compression error: " + ZMessage(z, rc));
  std::vector<uint8_t> out;
  try {
    out.resize(deflateBound(&z, uLong(std::min(size, kChunk))) + 64);
    size_t inDone = 0, outDone = 0;
    for (;;) {
      size_t inPart = std::min(size - inDone, kChunk);
      z.next_in = const_cast<Bytef*>(data + inDone);
      z.avail_in = uInt(inPart);
      bool last = inDone + inPart == size;
      do {
        if (outDone == out.size()) out.resize(out.size() * 2);
        size_t room = std::min(out.size() - outDone, kChunk);
        z.next_out = out.data() + outDone;
        z.avail_out = uInt(room);
        rc = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
        if (rc == Z_STREAM_ERROR) throw ECompressionError("Compression error: " + ZMessage(z, rc));
        outDone += room - z.avail_out;
      } while (z.avail_out == 0 || (last && rc != Z_STREAM_END));
      inDone += inPart;
      if (last) break;
    }
    out.resize(outDone);
  } catch (...) {
    deflateEnd(&z);
    throw;
  }
  deflateEnd(&z);
  return out;
}

std::vector<uint8_t> ZDecompress(const uint8_t* data, size_t size, size_t maxOutput) {
  z_stream z{};
  int rc = inflateInit(&z);
  if (rc != Z_OK) throw ECompressionError("Decompression error: " + ZMessage(z, rc));
  std::vector<uint8_t> out;
  try {
    size_t inDone = 0, outDone = 0;
    rc = Z_OK;
    while (rc != Z_STREAM_END) {
      if (z.avail_in == 0) {
        if (inDone == size) throw ECompressionError("Decompression error: compressed data ends early");
        size_t part = std::min(size - inDone, kChunk);
        z.next_in = const_cast<Bytef*>(data + inDone);
        z.avail_in = uInt(part);
        inDone += part;
      }
      if (outDone == out.size() && outDone < maxOutput) {
        // Grow geometrically, never past the cap.
        size_t grow = std::max<size_t>(out.size(), std::max<size_t>(size * 2, 4096));
        out.resize(std::min(maxOutput, outDone + grow));
      }
      if (outDone == out.size()) {
        // At the cap: the stream may still end without producing another byte.
        uint8_t probe;
        z.next_out = &probe;
        z.avail_out = 1;
        rc = inflate(&z, Z_NO_FLUSH);
        if (z.avail_out == 0) {
          throw ECompressionError("Decompression error: inflated data exceeds the cap of " +
                                  std::to_string(maxOutput) + " bytes");
        }
      } else {
        size_t room = std::min(out.size() - outDone, kChunk);
        z.next_out = out.data() + outDone;
        z.avail_out = uInt(room);
        rc = inflate(&z, Z_NO_FLUSH);
        outDone += room - z.avail_out;
      }
      if (rc == Z_NEED_DICT || rc == Z_DATA_ERROR || rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR) {
        throw ECompressionError("Decompression error: " + ZMessage(z, rc));
      }
      if (rc == Z_BUF_ERROR && z.avail_in == 0 && inDone == size) {
        throw ECompressionError("Decompression error: compressed data ends early");
      }
    }
    out.resize(outDone);
  } catch (...) {
    inflateEnd(&z);
    throw;
  }
  inflateEnd(&z);
  return out;
}

void ZCompressStream(TStream& source, TStream& dest, int level) {
  std::vector<uint8_t> in(size_t(source.Remaining()));
  source.ReadBuffer(in.data(), int64_t(in.size()));
  std::vector<uint8_t> out = ZCompress(in.data(), in.size(), level);
  dest.WriteBuffer(out.data(), int64_t(out.size()));
}

void ZDecompressStream(TStream& source, TStream& dest, size_t maxOutput) {
  std::vector<uint8_t> in(size_t(source.Remaining()));
  source.ReadBuffer(in.data(), int64_t(in.size()));
  std::vector<uint8_t> out = ZDecompress(in.data(), in.size(), maxOutput);
  dest.WriteBuffer(out.data(), int64_t(out.size()));
}

}  // namespace vx
