#include "core/document/byte_reader.h"

#include <cassert>

namespace tessaro {

const uint8_t* ByteReader::Take(size_t count) {
  if (failed_ || count > data_.size() - pos_) {
    failed_ = true;
    return nullptr;
  }
  const uint8_t* p = data_.data() + pos_;
  pos_ += count;
  return p;
}

uint8_t ByteReader::Byte() {
  const uint8_t* p = Take(1);
  return p ? p[0] : 0;
}

uint16_t ByteReader::UInt16() {
  const uint8_t* p = Take(2);
  return p ? static_cast<uint16_t>(p[0] | (p[1] << 8)) : 0;
}

uint32_t ByteReader::UInt32() {
  const uint8_t* p = Take(4);
  if (!p) return 0;
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

int32_t ByteReader::Int32() { return static_cast<int32_t>(UInt32()); }

std::string ByteReader::Bytes(size_t count) {
  const uint8_t* p = Take(count);
  return p ? std::string(reinterpret_cast<const char*>(p), count) : std::string();
}

void ByteReader::Skip(size_t count) { Take(count); }

std::string ByteReader::String16() { return Bytes(UInt16()); }

bool ByteReader::Holds(int64_t count, size_t min_size) {
  assert(min_size > 0 && "an item takes at least one byte");
  if (failed_ || count < 0 || static_cast<uint64_t>(count) > Remaining() / min_size) {
    failed_ = true;
    return false;
  }
  return true;
}

}  // namespace tessaro
