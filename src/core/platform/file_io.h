// Whole-file reading and safe replacement of the program's small text and
// data files (translation selection, settings, the extension list, the
// machine-wide values).
#pragma once

#include <optional>
#include <string>

namespace tessaro {

// The bytes of the file at native `path`; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so a failed write leaves the old file as it was. False on any failure.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tessaro
