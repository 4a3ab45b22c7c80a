// Whole-file reading and safe replacement of the program's small text and
// data files (translation selection, settings, the extension list, the
// machine-wide values).
//
// Every read opens regular files only, without blocking: a named pipe or a
// device given the name of one of these files counts as unreadable instead
// of stalling the program.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tessaro {

// The size limits of the files read at start-up. A larger file is damaged.
inline constexpr size_t kStartupFileLimit = size_t{1} << 20;        // settings, layout, lists
inline constexpr size_t kTranslationFileLimit = size_t{16} << 20;  // "lang\*.slg"

// The bytes of the regular file at native `path`; nothing when it cannot be
// read or holds more than `limit` bytes.
std::optional<std::string> ReadFileBytes(const std::string& path, size_t limit = SIZE_MAX);

// What reading a start-up file found.
enum class StartupFileState : uint8_t {
  Read,     // bytes holds the file
  Missing,  // nothing of that name
  Damaged,  // not a regular file, unreadable, or larger than its limit
};

struct StartupFile {
  StartupFileState State = StartupFileState::Missing;
  std::string Bytes;
};

// Reads the start-up file at `path`, at most `limit` bytes of it.
StartupFile ReadStartupFile(const std::string& path, size_t limit = kStartupFileLimit);

// Moves a damaged file aside to `path` + ".bad" (replacing an older one), so
// that the next start uses defaults and the user can still look at it, and
// tells the damaged-file handler. The new name, or "" when the file could
// not be moved (the caller's own failure path speaks then).
std::string SetAsideDamagedFile(const std::string& path);

// The handler that tells the user of a file set aside: the window shows one
// notice. Null (the default) is silent.
using DamagedFileHandler = std::function<void(const std::string& path, const std::string& moved_to)>;
void SetDamagedFileHandler(DamagedFileHandler handler);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so a failed write leaves the old file as it was. False on any failure.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes);

}  // namespace tessaro
