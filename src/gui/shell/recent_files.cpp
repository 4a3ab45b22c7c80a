#include "gui/shell/recent_files.h"

#include <algorithm>

namespace tessaro::gui {

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  std::erase(paths_, path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMaxEntries) paths_.resize(kMaxEntries);
}

void RecentFiles::Assign(std::vector<std::string> paths) {
  paths_.clear();
  // Added oldest first so that the first given path ends up newest.
  for (auto it = paths.rbegin(); it != paths.rend(); ++it) Add(*it);
}

}  // namespace tessaro::gui
