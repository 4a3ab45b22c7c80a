#include "gui/app/program_start.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "core/i18n/language.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"
#include "core/platform/registry.h"
#include "core/platform/version_info.h"
#include "core/services/online.h"
#include "gui/blockeditor/main_window_block_editor.h"
#include "gui/conversion/main_window_conversion.h"
#include "gui/breakpoints/main_window_breakpoints.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/extensions/main_window_extensions.h"
#include "gui/editor/main_window_editor.h"
#include "gui/failure/failure_handler.h"
#include "gui/about/info_form.h"
#include "gui/failure/recovery_copies.h"
#include "gui/failure/tessaro_application.h"
#include "gui/help/help_panel.h"
#include "gui/online/online_services.h"
#include "gui/run/trun.h"
#include "gui/layout/main_window_layout.h"
#include "gui/navigator/navigator_widget.h"
#include "gui/run/main_window_run.h"
#include "gui/shell/language_fallback.h"
#include "gui/settings/main_window_settings.h"
#include "gui/shell/command_icons.h"
#include "gui/shell/fonts.h"
#include "gui/shell/hint_window.h"
#include "gui/shell/main_window.h"
#include "gui/shell/message_dialogs.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/qt_translations.h"
#include "gui/task/main_window_task.h"

namespace tessaro::gui {

namespace {

// The one notice of a failing registry; the store is disabled after it.
void RegistryFailed() {
  Komunikat(LangText("msgm00001"), LangText("msgm00002") + " " + LangText("msgm00003"));
}

// The test hooks of the program started as a child process by the tests
// ($TESSARO_TEST_HOOK): "edit" draws a change into a new document, "report"
// accepts every question and prints the open documents, then ends; "fail"
// throws from an event handler, as a fault in any window would.
enum class TestHook { None, Edit, Report, Fail };

TestHook ProgramTestHook() {
  const char* hook = std::getenv("TESSARO_TEST_HOOK");
  if (!hook) return TestHook::None;
  if (std::string_view(hook) == "edit") return TestHook::Edit;
  if (std::string_view(hook) == "report") return TestHook::Report;
  if (std::string_view(hook) == "fail") return TestHook::Fail;
  return TestHook::None;
}

// Dialogs of the "report" hook: questions are answered Yes, notices printed.
class AnsweringDialogs final : public Dialogs {
 public:
  void Komunikat(const std::string& caption, const std::string& text) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
  Answer PytanieTakNie(const std::string&, const std::string&, QuestionIcon) override { return Answer::Yes; }
  Answer PytanieTakNieAnuluj(const std::string&, const std::string&) override { return Answer::No; }
};

void RunTestHook(Tmain& window, TestHook hook) {
  if (hook == TestHook::Edit) {
    window.NowyDokument();
    Tobj block;
    block.Blok = Przetwarzanie;
    block.Left = 100;
    block.Top = 60;
    block.Width = 120;
    block.Height = 40;
    block.Kod = "s := 42";
    window.State().Bloki.push_back(block);
    window.State().ZapiszStan();
    window.State().Repaint();
    std::printf("edited\n");
    std::fflush(stdout);
  } else if (hook == TestHook::Fail) {
    QTimer::singleShot(500, &window, [] { throw std::runtime_error("Test failure from an event handler"); });
  } else if (hook == TestHook::Report) {
    TDocumentState& state = window.State();
    for (size_t i = 0; i < state.OtwartePliki.size(); ++i) {
      std::printf("DOC %s\n", state.OtwartePliki[i].Nazwa.c_str());
    }
    for (const Tobj& block : state.Bloki) std::printf("KOD %s\n", block.Kod.c_str());
    std::fflush(stdout);
    QApplication::exit(0);
  }
}

}  // namespace

StartedProgram StartProgram(const QStringList& arguments) {
  StartedProgram program;
  // 2. The language is loaded before any window exists; Qt's own dialogs follow it.
  Language();
  InstallQtTranslations();
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
    // "release" goes where the update check reads and keeps it (the per-user
    // data folder, which is the program folder of a writable portable copy):
    // a program folder the user cannot write would silently lose it.
    WriteReleaseFile(UserDataDir(), version.Item(TVersionInfo::kFileVersion));
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
  // The extension manager (after the run controller, which it stops).
  InstallExtensionManager(*program.main);
  // The number-base conversion panel, fed by the run's conversions.
  InstallConversionPanel(*program.main);
  // Tasks: open one, check the current flowchart on it (before the block
  // content editor, which commits its text before the check).
  InstallTasks(*program.main);
  // Mouse editing, undo and redo, the block clipboard (editor).
  InstallEditor(*program.main);
  // The block content editor in the "dpCode" panel (after the editing, whose hooks it joins).
  InstallBlockEditor(*program.main);
  // The breakpoint page, margin clicks and hover hints (after the editor).
  InstallBreakpoints(*program.main);
  // Failure handling, recovery copies, the web service, the information window and help.
  InstallRecoveryCopies(*program.main);
  InstallFailureHandling(*program.main);
  InstallOnlineServices(*program.main);
  InstallInformationWindow(*program.main);
  InstallHelpPanel(*program.main);
  {
    Tmain* window = program.main.get();
    FailureHandler* failures = FailureHandlerOf(*window);
    failures->HasCompiledProgram = [window] {
      const Trun* run = RunControllerOf(*window);
      return run && (!run->Compiler.Variables.empty() || !run->Compiler.Instructions.empty());
    };
    failures->SendUsageEvent = [window](const std::string& action, const std::string& data, bool force) {
      if (OnlineServices* online = OnlineServicesOf(*window)) online->SendUsageEvent(action, data, force);
    };
  }
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
  TessaroApplication app(argc, argv);
  MessageDialogs dialogs;
  SetDialogs(&dialogs);
  const TestHook hook = ProgramTestHook();
  AnsweringDialogs answering;
  if (hook == TestHook::Report) SetDialogs(&answering);
  StartedProgram program = StartProgram(QApplication::arguments());
  int code = 0;
  if (!program.quit_at_once) {
    Tmain& window = *program.main;
    if (hook == TestHook::None)
      window.OnShowInformation = [&window] { ShowInformation(window, "Otwarcie przy starcie."); };
    window.show();
    // After the window is up: documents left by a run that did not end
    // cleanly, then the update check.
    QTimer::singleShot(0, &window, [&window, hook] {
      if (RecoveryCopies* copies = RecoveryCopiesOf(window)) copies->OfferLeftBehind();
      if (OnlineServices* online = OnlineServicesOf(window)) online->StartUpdateCheck();
      RunTestHook(window, hook);
    });
    code = QApplication::exec();
    // A clean end: nothing is left to recover.
    if (RecoveryCopies* copies = RecoveryCopiesOf(window)) copies->RemoveAll();
  }
  program.main.reset();
  SetDialogs(nullptr);
  return code;
}

}  // namespace tessaro::gui
