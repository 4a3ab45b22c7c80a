// Shared pieces of the main window tests: a program folder with the
// translation files, algorithm files to open, and tree inspection.
#pragma once

#include <QTreeWidgetItem>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/document/alg_writer.h"
#include "core/i18n/language.h"
#include "core/platform/registry.h"
#include "gui/app/program_start.h"
#include "gui/shell/main_window.h"
#include "gui/shell/open_files_tree.h"
#include "gui/shell/qt_text.h"
#include "support/temp_home.h"

namespace tessaro::test {

// A temporary program folder holding the built translation files.
class ShellHome : public TempHome {
 public:
  ShellHome() {
    std::filesystem::copy(std::string(TESSARO_PROGRAM_DIR) + "/lang", Path("lang"),
                          std::filesystem::copy_options::recursive);
    ResetRegistry();
    Language();  // the first test's folder provides the texts of the whole run
  }

  // Writes an algorithm file of `elements` processing blocks and returns its path.
  std::string WriteAlgorithm(const std::string& relative, int elements = 1) const {
    std::vector<Tobj> bloki(static_cast<size_t>(elements));
    for (int i = 0; i < elements; ++i) bloki[static_cast<size_t>(i)].Left = 40 * i;
    TMemoryStream bytes;
    ZapiszSchemat(bloki, bytes);
    Write(relative, std::string(bytes.begin(), bytes.end()));
    return Path(relative);
  }
};

inline std::unique_ptr<gui::Tmain> Start(const QStringList& arguments = {"tessaro"}) {
  return std::move(gui::StartProgram(arguments).main);
}

// The texts of the document nodes of the open-files tree, in order.
inline QStringList TreeNames(const gui::Tmain& window) {
  QStringList names;
  QTreeWidgetItem* root = window.FilesTree()->Root();
  for (int i = 0; i < root->childCount(); ++i) names << root->child(i)->text(0);
  return names;
}

inline QString Text(const char* id) { return gui::FromCore(LangText(id)); }

}  // namespace tessaro::test
