// TConfig: the small binary key-value store behind "tsset.dat" and the
// window layout file.
//
// File layout, little-endian: a 2-byte entry count, then per entry a 2-byte
// name length, the upper-case name bytes, the tagged value, a 2-byte count of
// additional values and those tagged values. A tagged value is a 2-byte tag
// and its payload: 0 = 4-byte signed integer (booleans too, true as -1),
// 1 = one byte boolean, 3 = 10-byte extended float, 4 = 4-byte signed length
// and the bytes of a string. Any other tag reads as the integer 1 and carries
// no payload; a value of no other kind is written with tag 13.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace tessaro {

// Empty, integer, boolean, floating point or string.
using ConfigValue = std::variant<std::monostate, std::int32_t, bool, double, std::string>;

struct TVariable {
  std::string Name;  // upper case
  ConfigValue Value;
  std::vector<ConfigValue> Values;  // additional values; none for keys the program writes
};

class TConfig {
 public:
  explicit TConfig(std::string file_name) : file_name_(std::move(file_name)) {}

  const std::string& FileName() const { return file_name_; }
  const std::vector<TVariable>& Entries() const { return entries_; }

  // False at once, entries untouched, when the file does not exist. Otherwise
  // the entries are replaced by the file's; a short or corrupt file stops the
  // reading with false, keeping the entries read whole before that point.
  // A damaged file (no regular file, or over the start-up file limit) is set
  // aside as ".bad" and leaves no entries.
  bool LoadFromFile();
  // Replaces the file (through a temporary file, so a failure keeps the old
  // one). False on any failure, or when a count or length exceeds 16 bits.
  bool SaveToFile() const;

  // Position of the entry named `name` (upper-cased first), or -1.
  int IndexOfKey(const std::string& name) const;
  void WriteValue(const std::string& name, const ConfigValue& value);
  // The stored value, or `fallback` when the key is missing; never adds an entry.
  ConfigValue ReadValue(const std::string& name, const ConfigValue& fallback) const;
  void Clear() { entries_.clear(); }

  // The file image of the entries, and the reverse; exposed for tests.
  std::string Serialize() const;
  bool Parse(const std::string& bytes);

 private:
  std::string file_name_;
  std::vector<TVariable> entries_;
};

}  // namespace tessaro
