// The recent-files list of the "Plik" menu: newest first, at most eight paths.
#pragma once

#include <string>
#include <vector>

namespace tessaro::gui {

class RecentFiles {
 public:
  static constexpr size_t kMaxEntries = 8;

  // Puts `path` first; an entry already in the list moves up instead of repeating.
  void Add(const std::string& path);
  const std::vector<std::string>& Paths() const { return paths_; }
  void Assign(std::vector<std::string> paths);

 private:
  std::vector<std::string> paths_;
};

}  // namespace tessaro::gui
