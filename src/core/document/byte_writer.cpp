#include "core/document/byte_writer.h"

#include "core/document/alg_format.h"

namespace tessaro {

void ByteWriter::UInt16(uint16_t v) {
  out_.push_back(static_cast<uint8_t>(v));
  out_.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::UInt32(uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<uint8_t>(v >> shift));
}

void ByteWriter::Int32(int32_t v) { UInt32(static_cast<uint32_t>(v)); }

bool ByteWriter::String16(const std::string& text) {
  if (text.size() > kMaxStringSize) return false;
  UInt16(static_cast<uint16_t>(text.size()));
  out_.insert(out_.end(), text.begin(), text.end());
  return true;
}

}  // namespace tessaro
