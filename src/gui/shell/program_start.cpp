#include "gui/shell/program_start.h"

#include <QApplication>
#include <fstream>

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"
#include "core/platform/registry.h"
#include "core/platform/version_info.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/layout/main_window_layout.h"
#include "gui/navigator/navigator_widget.h"
#include "gui/run/main_window_run.h"
#include "gui/settings/language_fallback.h"
#include "gui/settings/main_window_settings.h"
#include "gui/shell/command_icons.h"
#include "gui/shell/fonts.h"
#include "gui/shell/hint_window.h"
#include "gui/shell/main_window.h"
#include "gui/shell/message_dialogs.h"
#include "gui/shell/qt_text.h"

namespace tessaro::gui {

namespace {

// The one notice of a failing registry; the store is disabled after it.
void RegistryFailed() {
  Komunikat(LangText("msgm00001"), LangText("msgm00002") + " " + LangText("msgm00003"));
}

// "release" in the program folder: one line, the version text.
void WriteReleaseFile(const std::string& version) {
  std::ofstream out(ProgramFile("release"), std::ios::binary | std::ios::trunc);
  out << version << "\r\n";
}

}  // namespace

StartedProgram StartProgram(const QStringList& arguments) {
  StartedProgram program;
  // 2. The language is loaded before any window exists.
  Language();
  // 3. Title.
  QApplication::setApplicationName(QStringLiteral("Tessaro"));
  QApplication::setWindowIcon(ApplicationIcon());
  InstallFonts();
  InstallHintWindow();
  SetRegistryFailureHandler(RegistryFailed);
  // A remembered language without a readable file gives way to Polish.
  FallBackToPolishIfUnreadable();
  // 4. Version.
  const TVersionInfo version(ToPath(QApplication::applicationFilePath()));
  // 5. "/wersja", exact and case-sensitive.
  if (arguments.size() > 1 && arguments.at(1) == QLatin1String("/wersja")) {
    WriteReleaseFile(version.Item(TVersionInfo::kFileVersion));
    program.quit_at_once = true;
  }
  // 6. The windows. The block editor, analysis, magnifier and input windows
  // are created here, after the main window, when they arrive.
  program.main = std::make_unique<Tmain>(arguments);
  // The diagram drawing area and its picture commands (renderer).
  InstallDiagram(*program.main);
  // The navigator beside it.
  InstallNavigator(*program.main);
  // The run controller, the analysis window and the input dialog (run window).
  InstallRunWindow(*program.main);
  // The configuration dialog; the loaded settings reach every part.
  InstallSettings(*program.main);
  // 7. The recent-files list and the layout.
  if (!program.quit_at_once) LoadLayout(*program.main);
  // 8. The file named on the command line.
  if (!program.main->CommandLineFile().empty())
    program.main->OtworzDokument(program.main->CommandLineFile());
  // 9. Caption and editor for the document state reached.
  program.main->UpdateDocumentCommands();
  return program;
}

int RunProgram(int argc, char** argv) {
  QApplication app(argc, argv);
  MessageDialogs dialogs;
  SetDialogs(&dialogs);
  StartedProgram program = StartProgram(QApplication::arguments());
  int code = 0;
  if (!program.quit_at_once) {
    program.main->show();
    code = QApplication::exec();
  }
  program.main.reset();
  SetDialogs(nullptr);
  return code;
}

}  // namespace tessaro::gui
