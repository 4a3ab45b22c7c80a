// A bounds-checked reader over a byte buffer.
//
// Every read checks what remains. The first read that does not fit puts the
// reader into its failed state: that read and every later one yields zero or
// empty, and the caller checks ok() once, at the point where it would accept
// the data. This keeps one "bad format" path for the whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tessaro {

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

  bool ok() const { return !failed_; }
  size_t Remaining() const { return failed_ ? 0 : data_.size() - pos_; }

  uint8_t Byte();
  uint16_t UInt16();
  int32_t Int32();
  uint32_t UInt32();
  std::string Bytes(size_t count);
  void Skip(size_t count);
  // A 16-bit byte count followed by that many bytes.
  std::string String16();

  // Checks, before anything is allocated for them, that `count` items of at
  // least `min_size` bytes each fit in what remains; fails the reader if not.
  bool Holds(int64_t count, size_t min_size);

 private:
  // The next `count` bytes, or nullptr (and the failed state) when they do not fit.
  const uint8_t* Take(size_t count);

  std::span<const uint8_t> data_;
  size_t pos_ = 0;
  bool failed_ = false;
};

}  // namespace tessaro
