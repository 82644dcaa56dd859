#include "platform/codecs/zlib_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/core/exceptions.h"
#include "platform/core/streams.h"

namespace vx {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::vector<uint8_t> Sample() {
  std::string s;
  for (int i = 0; i < 5000; ++i) s += "key" + std::to_string(i % 97) + "=value\r\n";
  return Bytes(s);
}

TEST(Zlib, RoundTripAtLevelNine) {
  for (const auto& data : {std::vector<uint8_t>{}, Bytes("x"), Sample()}) {
    auto packed = ZCompress(data.data(), data.size());
    ASSERT_GE(packed.size(), 2u);
    EXPECT_EQ(packed[0], 0x78);
    EXPECT_EQ(packed[1], 0xDA);  // level 9
    EXPECT_EQ(ZDecompress(packed.data(), packed.size()), data);
  }
  TMemoryStream in(Sample()), z, out;
  ZCompressStream(in, z);
  z.SetPosition(0);
  ZDecompressStream(z, out);
  EXPECT_EQ(out.Bytes(), Sample());
}

TEST(Zlib, BadDataAndCap) {
  const auto data = Sample();
  const auto packed = ZCompress(data.data(), data.size());
  struct Case {
    const char* name;
    std::vector<uint8_t> input;
    size_t cap;
    const char* messagePart;
  };
  auto flipped = packed;
  flipped[packed.size() / 2] ^= 0x55;
  auto badTrailer = packed;
  badTrailer.back() ^= 1;
  const Case cases[] = {
      {"empty input", {}, kInflateDefaultCap, "ends early"},
      {"not zlib", Bytes("hello world"), kInflateDefaultCap, "incorrect header"},
      {"truncated", std::vector<uint8_t>(packed.begin(), packed.end() - 10), kInflateDefaultCap, "ends early"},
      {"corrupt middle", flipped, kInflateDefaultCap, "Decompression error"},
      {"bad checksum", badTrailer, kInflateDefaultCap, "check"},
      {"over the cap", packed, data.size() - 1, "cap"},
  };
  for (const auto& c : cases) {
    try {
      ZDecompress(c.input.data(), c.input.size(), c.cap);
      ADD_FAILURE() << c.name << ": no exception";
    } catch (const ECompressionError& e) {
      EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << c.name << ": " << e.what();
    }
  }
  // Exactly at the cap is fine; bytes after the stream are ignored.
  EXPECT_EQ(ZDecompress(packed.data(), packed.size(), data.size()), data);
  auto trailing = packed;
  trailing.push_back(0x42);
  EXPECT_EQ(ZDecompress(trailing.data(), trailing.size()), data);
}

TEST(Zlib, HighlyCompressibleBombStopsAtTheCap) {
  std::vector<uint8_t> zeros(8 << 20, 0);
  auto packed = ZCompress(zeros.data(), zeros.size());
  EXPECT_LT(packed.size(), 20000u);
  EXPECT_THROW(ZDecompress(packed.data(), packed.size(), 1 << 20), ECompressionError);
}

}  // namespace
}  // namespace vx
