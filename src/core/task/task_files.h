// The files of a task, from its folder or from a zip of that folder.
//
// Only what a task may hold is read: the files at its top and those directly
// in "cases/". A zip may hold the files at its top or inside one folder. Every
// entry name of a zip is checked before anything is read: a name that leaves
// the task's folder ("../", an absolute path, a drive) rejects the whole zip.
// Nothing is ever extracted to disk. Sizes are checked before a file is read.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace tessaro::task {

inline constexpr size_t kMaxTaskFileBytes = size_t{4} << 20;  // one case, statement or template
inline constexpr size_t kMaxTaskBytes = size_t{64} << 20;     // the whole task
inline constexpr size_t kMaxTaskFiles = 4000;
// The folder of the cases inside a task.
inline constexpr std::string_view kCasesFolder = "cases/";

struct TaskFiles {
  bool ok = false;
  std::string error;  // core text naming the file, when not ok
  // Path inside the task with forward slashes ("task.ini", "cases/01-a.in") -> bytes.
  std::map<std::string, std::string> files;
};

// A native path as the task's messages show it (core text, Windows-1250).
std::string ShownPath(const std::string& path);

// Whether `path` names a packed task (by its extension, ".tzad" or ".zip").
bool IsPackedTaskPath(const std::string& path);

// Reads the task at native `path`: a folder, or a packed task read with libzip.
TaskFiles ReadTaskFiles(const std::string& path);

// The same for a packed task already in memory; `name` is used in messages.
TaskFiles ReadPackedTask(const std::string& bytes, const std::string& name);

}  // namespace tessaro::task
