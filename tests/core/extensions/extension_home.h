// A program folder with an extension folder, for tests that load the real
// extension libraries built beside the tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/extensions/plugin_table.h"
#include "support/temp_home.h"

namespace tessaro::test {

class ExtensionHome {
 public:
  ExtensionHome() {
    std::filesystem::create_directories(home.Path("Rozszerzenia"));
    setenv("TESSARO_PROBE_LOG", home.Path("probe.log").c_str(), 1);
  }
  ~ExtensionHome() {
    UnloadPlugIns();
    PlugIns.clear();
    unsetenv("TESSARO_PROBE_LOG");
  }

  // Copies a built library into the extension folder as `file_name`.
  void Install(const char* built, const std::string& file_name) const {
    std::filesystem::copy_file(built, home.Path("Rozszerzenia/" + file_name),
                               std::filesystem::copy_options::overwrite_existing);
  }

  // The calls the probe library noted since the last ClearLog.
  std::vector<std::string> Log() const {
    std::vector<std::string> lines;
    std::istringstream in(home.Read("probe.log"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  void ClearLog() const { std::filesystem::remove(home.Path("probe.log")); }

  TempHome home;
};

}  // namespace tessaro::test
