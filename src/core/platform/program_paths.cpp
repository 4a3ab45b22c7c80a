#include "core/platform/program_paths.h"

#include <cstdlib>
#include <filesystem>
#include <strings.h>
#include <system_error>

namespace fs = std::filesystem;

namespace tessaro {

namespace {

std::string& OverrideDir() {
  static std::string dir;
  return dir;
}

std::string ExecutableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

std::string StripTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

// The entry of `dir` whose name equals `name` ignoring ASCII case, or `name`.
std::string MatchEntry(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  if (fs::exists(dir / name, ec)) return name;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string candidate = it->path().filename().string();
    if (strcasecmp(candidate.c_str(), name.c_str()) == 0) return candidate;
  }
  return name;
}

}  // namespace

std::string ProgramDir() {
  if (!OverrideDir().empty()) return OverrideDir();
  if (const char* home = std::getenv("TESSARO_HOME"); home && *home) {
    return StripTrailingSlash(home);
  }
  return ExecutableDir();
}

void SetProgramDir(const std::string& dir) { OverrideDir() = StripTrailingSlash(dir); }

std::string ResolveCaseInsensitive(const std::string& base, const std::string& relative) {
  fs::path path = base;
  std::string part;
  auto flush = [&] {
    if (!part.empty()) path /= MatchEntry(path, part);
    part.clear();
  };
  for (char c : relative) {
    if (c == '\\' || c == '/') {
      flush();
    } else {
      part += c;
    }
  }
  flush();
  return path.string();
}

std::string ProgramFile(const std::string& relative) {
  return ResolveCaseInsensitive(ProgramDir(), relative);
}

}  // namespace tessaro
