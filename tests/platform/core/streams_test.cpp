#include "platform/core/streams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/core/exceptions.h"

namespace vx {
namespace {

std::string TempPath(const char* name) { return std::string(VX_TEST_OUT_DIR) + "/core_" + name; }

TEST(MemoryStream, LittleEndianIntegersRoundTrip) {
  TMemoryStream m;
  m.WriteInt8(-2);
  m.WriteInt16(-300);
  m.WriteUInt16(0xBEEF);
  m.WriteInt32(-123456789);
  m.WriteUInt32(0xDEADBEEF);
  const uint8_t expectedStart[] = {0xFE, 0xD4, 0xFE, 0xEF, 0xBE};
  ASSERT_EQ(m.Size(), 1 + 2 + 2 + 4 + 4);
  EXPECT_EQ(0, memcmp(m.Memory(), expectedStart, sizeof expectedStart));
  m.SetPosition(0);
  EXPECT_EQ(m.ReadInt8(), -2);
  EXPECT_EQ(m.ReadInt16(), -300);
  EXPECT_EQ(m.ReadUInt16(), 0xBEEF);
  EXPECT_EQ(m.ReadInt32(), -123456789);
  EXPECT_EQ(m.ReadUInt32(), 0xDEADBEEFu);
  EXPECT_THROW(m.ReadUInt8(), EReadError);
}

TEST(MemoryStream, ShortReadThrowsAndSeekRules) {
  TMemoryStream m(std::vector<uint8_t>{1, 2, 3});
  uint8_t buf[4] = {};
  EXPECT_EQ(m.Read(buf, 4), 3);  // plain Read reports the short count
  m.SetPosition(1);
  EXPECT_THROW(m.ReadBuffer(buf, 3), EReadError);
  EXPECT_THROW(m.ReadInt32(), EReadError);
  EXPECT_THROW(m.Seek(-1, soBeginning), EReadError);
  EXPECT_EQ(m.Seek(-1, soEnd), 2);
  EXPECT_EQ(m.Remaining(), 1);
  // Writing past the end fills the gap with zeros.
  m.SetPosition(5);
  m.WriteUInt8(9);
  EXPECT_EQ(m.Bytes(), (std::vector<uint8_t>{1, 2, 3, 0, 0, 9}));
}

TEST(Stream, CopyFromCountAndWholeSource) {
  TMemoryStream src(std::vector<uint8_t>{10, 11, 12, 13});
  TMemoryStream dst;
  src.SetPosition(1);
  EXPECT_EQ(dst.CopyFrom(src, 2), 2);
  EXPECT_EQ(dst.Bytes(), (std::vector<uint8_t>{11, 12}));
  src.SetPosition(3);
  EXPECT_EQ(dst.CopyFrom(src, 0), 4);  // 0 = whole source from its start
  EXPECT_EQ(dst.Bytes(), (std::vector<uint8_t>{11, 12, 10, 11, 12, 13}));
  src.SetPosition(2);
  EXPECT_THROW(dst.CopyFrom(src, 3), EReadError);
}

TEST(FileStream, WriteReadAndOpenErrorsNameThePath) {
  std::string path = TempPath("stream.bin");
  {
    TFileStream f(path, fmCreate);
    f.WriteUInt32(0x01020304);
    f.WriteBuffer("xyz", 3);
    EXPECT_EQ(f.Size(), 7);
  }
  {
    TFileStream f(path, fmOpenRead);
    EXPECT_EQ(f.ReadUInt32(), 0x01020304u);
    EXPECT_EQ(f.Remaining(), 3);
    EXPECT_THROW(f.ReadInt32(), EReadError);
    EXPECT_THROW(f.WriteUInt8(1), EWriteError);  // opened read-only
  }
  TMemoryStream m;
  m.LoadFromFile(path);
  EXPECT_EQ(m.Size(), 7);
  std::remove(path.c_str());

  std::string missing = TempPath("no/such/file.bin");
  try {
    TFileStream f(missing, fmOpenRead);
    FAIL() << "opened a missing file";
  } catch (const EFOpenError& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  EXPECT_THROW(TFileStream(missing, fmCreate), EFOpenError);
  EXPECT_THROW(TFileStream(VX_TEST_OUT_DIR, fmOpenRead), EFOpenError);  // a directory
}

}  // namespace
}  // namespace vx
