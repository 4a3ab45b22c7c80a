// Appends little-endian values to a byte buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

class ByteWriter {
 public:
  // Room for `size` bytes in all, so a writer that knows its size grows the buffer once.
  void Reserve(size_t size) { out_.reserve(size); }
  void Byte(uint8_t v) { out_.push_back(v); }
  void UInt16(uint16_t v);
  void Int32(int32_t v);
  void UInt32(uint32_t v);
  // A 16-bit byte count and the bytes; false (nothing written) when the text
  // is longer than the count can say.
  bool String16(const std::string& text);

  std::vector<uint8_t>& bytes() { return out_; }

 private:
  std::vector<uint8_t> out_;
};

}  // namespace tessaro
