// Reading and editing INI text the way the Windows profile functions do.
//
// Section and key names match without regard to letter case (Windows-1250
// rule); blanks around a name or value are dropped; one pair of equal quotes
// (" or ') around a whole value is removed; lines starting with ";" and lines
// without "=" are skipped; bytes are kept as they are. Only the first section
// of a name is seen. Values and key lists have no length limit.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

struct IniEntry {
  std::string key;    // as spelt in the file
  std::string value;  // trimmed and unquoted
};

// The entries of `section` in file order; empty when the section is absent.
std::vector<IniEntry> ReadIniSection(std::string_view text, std::string_view section);

// The value of the first entry named `key` (case-insensitive).
std::optional<std::string> FindIniValue(const std::vector<IniEntry>& entries,
                                        std::string_view key);

// `text` with `key` of `section` set to `value`. The key's line is rewritten
// in place; a missing key is added at the end of its section and a missing
// section at the end of the text. Every other line stays byte for byte.
std::string SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace tessaro
