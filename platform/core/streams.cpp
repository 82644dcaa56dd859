#include "platform/core/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/core/exceptions.h"

namespace vx {

// ---- TStream ----

int64_t TStream::Size() {
  int64_t pos = Seek(0, soCurrent);
  int64_t end = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return end;
}

int64_t TStream::Remaining() {
  int64_t r = Size() - Position();
  return r > 0 ? r : 0;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count < 0) throw EReadError("Stream read error: negative byte count");
  auto* p = static_cast<uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    int64_t n = Read(p + done, count - done);
    if (n <= 0) {
      throw EReadError("Stream read error: " + std::to_string(count) + " bytes requested, " +
                       std::to_string(done) + " available");
    }
    done += n;
  }
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count < 0) throw EWriteError("Stream write error: negative byte count");
  auto* p = static_cast<const uint8_t*>(buffer);
  int64_t done = 0;
  while (done < count) {
    int64_t n = Write(p + done, count - done);
    if (n <= 0) {
      throw EWriteError("Stream write error: " + std::to_string(count) + " bytes to write, " +
                        std::to_string(done) + " written");
    }
    done += n;
  }
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count < 0) throw EReadError("Stream read error: negative byte count");
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  uint8_t buf[65536];
  int64_t left = count;
  while (left > 0) {
    int64_t n = left < int64_t(sizeof buf) ? left : int64_t(sizeof buf);
    source.ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    left -= n;
  }
  return count;
}

int8_t TStream::ReadInt8() { return static_cast<int8_t>(ReadUInt8()); }
uint8_t TStream::ReadUInt8() {
  uint8_t b;
  ReadBuffer(&b, 1);
  return b;
}
int16_t TStream::ReadInt16() { return static_cast<int16_t>(ReadUInt16()); }
uint16_t TStream::ReadUInt16() {
  uint8_t b[2];
  ReadBuffer(b, 2);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}
int32_t TStream::ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }
uint32_t TStream::ReadUInt32() {
  uint8_t b[4];
  ReadBuffer(b, 4);
  return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}
void TStream::WriteInt8(int8_t v) { WriteUInt8(static_cast<uint8_t>(v)); }
void TStream::WriteUInt8(uint8_t v) { WriteBuffer(&v, 1); }
void TStream::WriteInt16(int16_t v) { WriteUInt16(static_cast<uint16_t>(v)); }
void TStream::WriteUInt16(uint16_t v) {
  uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
  WriteBuffer(b, 2);
}
void TStream::WriteInt32(int32_t v) { WriteUInt32(static_cast<uint32_t>(v)); }
void TStream::WriteUInt32(uint32_t v) {
  uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
  WriteBuffer(b, 4);
}

// ---- TMemoryStream ----

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  int64_t size = Size();
  if (count <= 0 || pos_ >= size) return 0;
  int64_t n = count < size - pos_ ? count : size - pos_;
  std::memcpy(buffer, data_.data() + pos_, size_t(n));
  pos_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  int64_t end = pos_ + count;
  if (end > Size()) data_.resize(size_t(end));
  std::memcpy(data_.data() + pos_, buffer, size_t(count));
  pos_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? pos_ : Size();
  int64_t p = base + offset;
  if (p < 0) throw EReadError("Stream seek error: position before the start");
  pos_ = p;
  return pos_;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0) throw EWriteError("Stream error: negative size");
  data_.resize(size_t(size));
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  int64_t n = stream.Size();
  std::vector<uint8_t> bytes(size_t(n > 0 ? n : 0));
  stream.ReadBuffer(bytes.data(), int64_t(bytes.size()));
  data_ = std::move(bytes);
  pos_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead);
  LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& stream) const {
  stream.WriteBuffer(data_.data(), int64_t(data_.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

// ---- TFileStream ----

TFileStream::TFileStream(const std::string& fileName, uint32_t mode) : fileName_(fileName) {
  int flags;
  if (mode == fmCreate) {
    flags = O_RDWR | O_CREAT | O_TRUNC;
  } else {
    switch (mode & 3u) {
      case fmOpenWrite: flags = O_WRONLY; break;
      case fmOpenReadWrite: flags = O_RDWR; break;
      default: flags = O_RDONLY; break;
    }
  }
  fd_ = ::open(fileName.c_str(), flags | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    int err = errno;
    throw EFOpenError(std::string(mode == fmCreate ? "Cannot create file \"" : "Cannot open file \"") +
                      fileName + "\". " + std::strerror(err));
  }
  struct stat st;
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw EFOpenError("Cannot open file \"" + fileName + "\". Is a directory");
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  for (;;) {
    ssize_t n = ::read(fd_, buffer, size_t(count));
    if (n >= 0) return n;
    if (errno != EINTR) throw EReadError("Cannot read file \"" + fileName_ + "\". " + std::strerror(errno));
  }
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  for (;;) {
    ssize_t n = ::write(fd_, buffer, size_t(count));
    if (n >= 0) return n;
    if (errno != EINTR) throw EWriteError("Cannot write file \"" + fileName_ + "\". " + std::strerror(errno));
  }
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  off_t p = ::lseek(fd_, off_t(offset), whence);
  if (p < 0) throw EReadError("Cannot seek in file \"" + fileName_ + "\". " + std::strerror(errno));
  return p;
}

int64_t TFileStream::Size() {
  struct stat st;
  if (::fstat(fd_, &st) != 0) return TStream::Size();
  return st.st_size;
}

void TFileStream::SetSize(int64_t size) {
  if (size < 0 || ::ftruncate(fd_, off_t(size)) != 0) {
    throw EWriteError("Cannot resize file \"" + fileName_ + "\"");
  }
}

}  // namespace vx
