#include "core/platform/version_info.h"

#include <sys/stat.h>

#include "core/platform/version.h"

namespace tessaro {

namespace {

const std::string kUnknown = "N/A";

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TVersionInfo::TVersionInfo(const std::string& executable_path) {
  struct stat info {};
  if (executable_path.empty() || stat(executable_path.c_str(), &info) != 0) {
    items_.fill(kUnknown);
    return;
  }
  items_ = {"", "Tessaro", ProgramVersion(), "tessaro", "", "", BaseName(executable_path),
            "Tessaro", ProgramVersion(), ""};
}

const std::string& TVersionInfo::Item(int index) const {
  if (index < 0 || index >= static_cast<int>(items_.size())) return kUnknown;
  return items_[static_cast<size_t>(index)];
}

}  // namespace tessaro
