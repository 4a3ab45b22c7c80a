#include "core/platform/program_paths.h"

#include <cstdlib>
#include <filesystem>
#include <strings.h>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace tessaro {

namespace {

std::string& OverrideDir() {
  static std::string dir;
  return dir;
}

std::string StripTrailingSlash(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::string ExecutableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path(ec).string();
  return exe.parent_path().string();
}

// The one folder holding everything, when the user or a test chose one.
std::string ChosenHome() {
  if (!OverrideDir().empty()) return OverrideDir();
  if (const char* home = std::getenv("TESSARO_HOME"); home && *home) return StripTrailingSlash(home);
  return {};
}

// "<prefix>/share/tessaro" for an executable in "<prefix>/bin"; empty for a
// portable copy (build folder, unpacked archive) whose files sit beside it.
std::string InstalledShareDir(const std::string& exe_dir) {
  fs::path exe(exe_dir);
  if (exe.filename() != "bin") return {};
  fs::path share = exe.parent_path() / "share" / "tessaro";
  std::error_code ec;
  if (!fs::is_directory(share, ec)) return {};
  return share.string();
}


std::string UserBase(const char* variable, const char* fallback_under_home) {
  if (const char* dir = std::getenv(variable); dir && *dir == '/') return StripTrailingSlash(dir) + "/tessaro";
  std::string home;
  if (const char* h = std::getenv("HOME"); h && *h) home = StripTrailingSlash(h);
  return home + "/" + fallback_under_home + "/tessaro";
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

// The first component of a backslash or slash separated name.
std::string FirstComponent(const std::string& relative) {
  return relative.substr(0, relative.find_first_of("\\/"));
}

}  // namespace

std::string ShippedDir() {
  if (std::string home = ChosenHome(); !home.empty()) return home;
  const std::string exe = ExecutableDir();
  if (std::string share = InstalledShareDir(exe); !share.empty()) return share;
  return exe;
}

std::string ProgramDir() { return ShippedDir(); }

void SetProgramDir(const std::string& dir) { OverrideDir() = StripTrailingSlash(dir); }

std::string UserDirForExecutable(const std::string& exe_dir, bool data) {
  // A portable copy keeps its files beside it. An installed program never
  // writes into its own tree, even when run by an administrator who could.
  if (InstalledShareDir(exe_dir).empty() && ::access(exe_dir.c_str(), W_OK) == 0) return exe_dir;
  // The same folders Qt's QStandardPaths reports on Linux.
  return data ? UserBase("XDG_DATA_HOME", ".local/share") : UserBase("XDG_CONFIG_HOME", ".config");
}

std::string UserConfigDir() {
  if (std::string home = ChosenHome(); !home.empty()) return home;
  return UserDirForExecutable(ExecutableDir(), false);
}

std::string UserDataDir() {
  if (std::string home = ChosenHome(); !home.empty()) return home;
  return UserDirForExecutable(ExecutableDir(), true);
}

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
  return ResolveCaseInsensitive(ShippedDir(), relative);
}

std::string UserFile(const std::string& relative) {
  const std::string first = FirstComponent(relative);
  const bool data = strcasecmp(first.c_str(), "Rozszerzenia") == 0;
  const std::string base = data ? UserDataDir() : UserConfigDir();
  fs::path path = ResolveCaseInsensitive(base, relative);
  // The user's folders do not exist before the first file is written there.
  // A folder chosen by $TESSARO_HOME or a portable copy is left as it is.
  if (ChosenHome().empty() && base != ExecutableDir()) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
  }
  return path.string();
}

std::string ReadableUserFile(const std::string& relative) {
  std::string user = UserFile(relative);
  std::error_code ec;
  if (fs::exists(user, ec)) return user;
  return ProgramFile(relative);
}

}  // namespace tessaro
