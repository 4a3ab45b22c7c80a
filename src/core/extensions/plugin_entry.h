// One known extension: an entry of the extension table and one 620-byte
// record of the list file "tsdllin.dat".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/extensions/plugin_library.h"

namespace tessaro {

struct TPlugInEntry {
  std::string Name;         // from PobierzNazwe, at most 100 characters
  std::string Description;  // from PobierzOpis, at most 254 characters
  std::string FileName;     // the library's file name without folder; identifies the entry
  uint8_t Enabled = 0;      // 1 = enabled
  uint8_t UsedByAlgorithm = 0;  // set in the compiler's copy when a call binds to it
  TModuleHandle Module = 0;     // 0 when not loaded
  std::string LoadError;    // why the last load failed; not part of the record
};

// The record: three length-prefixed strings, then the flags and the handle.
struct TRecordString {
  size_t offset;
  size_t size;  // length byte included
  size_t MaxLength() const { return size - 1; }
};

inline constexpr size_t kPlugInRecordSize = 620;
inline constexpr TRecordString kRecordName{0, 101};
inline constexpr TRecordString kRecordDescription{101, 255};
inline constexpr TRecordString kRecordFileName{356, 255};
inline constexpr size_t kRecordEnabled = 611;
inline constexpr size_t kRecordUsed = 612;
inline constexpr size_t kRecordModule = 616;

using TPlugInRecord = std::array<unsigned char, kPlugInRecordSize>;

// Strings longer than their field are cut. Bytes past a string's length,
// the padding and the handle are written as zeros.
TPlugInRecord EncodePlugInRecord(const TPlugInEntry& entry);

// A length byte larger than its field is cut to the field. The used byte and
// the handle are not read: they mean nothing in a file.
TPlugInEntry DecodePlugInRecord(const TPlugInRecord& record);

}  // namespace tessaro
