// Byte streams: a seekable base with exact-transfer and little-endian helpers,
// an in-memory stream with direct access to its bytes, and a file stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };
using enum TSeekOrigin;

class TStream {
 public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Transfers up to count bytes and returns how many were transferred (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  // Returns the new position. Seeking before the start throws EReadError;
  // seeking past the end is allowed (a later write fills the gap with zeros).
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
  virtual int64_t Size();
  virtual void SetSize(int64_t size) = 0;

  int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soBeginning); }
  // Bytes between the position and the end (0 when positioned past the end).
  int64_t Remaining();

  // Exact transfers: throw EReadError / EWriteError when fewer bytes move.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);

  // Copies count bytes from source's position. A count of 0 copies the whole
  // source from its start (the source is rewound first). Returns the bytes
  // copied; throws EReadError when the source holds fewer than count.
  int64_t CopyFrom(TStream& source, int64_t count);

  // Little-endian integers; each read throws EReadError at the end of the stream.
  int8_t ReadInt8();
  uint8_t ReadUInt8();
  int16_t ReadInt16();
  uint16_t ReadUInt16();
  int32_t ReadInt32();
  uint32_t ReadUInt32();
  void WriteInt8(int8_t v);
  void WriteUInt8(uint8_t v);
  void WriteInt16(int16_t v);
  void WriteUInt16(uint16_t v);
  void WriteInt32(int32_t v);
  void WriteUInt32(uint32_t v);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return int64_t(data_.size()); }
  // Growing fills with zeros; the position is kept even past a shrunk end.
  void SetSize(int64_t size) override;

  // Direct access to the bytes; valid until the size changes.
  uint8_t* Memory() { return data_.data(); }
  const uint8_t* Memory() const { return data_.data(); }
  const std::vector<uint8_t>& Bytes() const { return data_; }
  std::vector<uint8_t>& Bytes() { return data_; }

  void Clear();
  // Replace the content with the whole of stream (from its start) or a file;
  // the position is 0 afterwards.
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
  // Write the whole content at stream's position / into a new file.
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<uint8_t> data_;
  int64_t pos_ = 0;
};

// File open modes.
enum TFileMode : uint32_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmCreate = 0xFF00,  // create or truncate, then read and write
};

// A stream over a file. Failing to open throws EFOpenError whose message names
// the path and the reason.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& fileName, uint32_t mode);
  ~TFileStream() override;

  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override;
  void SetSize(int64_t size) override;
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
  int fd_ = -1;
};

}  // namespace vx
