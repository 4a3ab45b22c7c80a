#include "gui/app/program_start.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/platform/file_io.h"
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
#include "gui/programcode/main_window_program_code.h"
#include "gui/run/trun.h"
#include "gui/layout/main_window_layout.h"
#include "gui/navigator/navigator_widget.h"
#include "gui/run/main_window_run.h"
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

// The one notice of a start-up file that was damaged and set aside.
void DamagedFileSetAside(const std::string& path, const std::string& moved_to) {
  Komunikat(LangText("mgsr00018"),
            FormatText(ExpandTextEscapes(LangText("msgm00098")), {Utf8ToCp1250(path), Utf8ToCp1250(moved_to)}));
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
  SetDamagedFileHandler(DamagedFileSetAside);
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
  // 6. The windows. The main window first; then the two parts the others
  // draw on and ask for (each installer that needs one says so and stops the
  // program when it is missing); then the panels and services, which hear of
  // each other only through the main window's signals, in any order.
  program.main = std::make_unique<Tmain>(arguments);
  Tmain& window = *program.main;
  // The diagram drawing area and its picture commands (renderer).
  InstallDiagram(window);
  // The run controller, the analysis window and the input dialog.
  InstallRunWindow(window);
  InstallNavigator(window);
  InstallExtensionManager(window);
  InstallConversionPanel(window);
  // The flowchart as a program in the "Kod" panel.
  InstallProgramCode(window);
  // Mouse editing, undo and redo, the block clipboard.
  InstallEditor(window);
  // The block content editor in the "dpCode" panel.
  InstallBlockEditor(window);
  // The breakpoint page, margin clicks and hover hints.
  InstallBreakpoints(window);
  // Tasks: open one, check the current flowchart on it.
  InstallTasks(window);
  // Failure handling, recovery copies, the web service, the information window and help.
  InstallRecoveryCopies(window);
  InstallFailureHandling(window);
  InstallOnlineServices(window);
  InstallInformationWindow(window);
  InstallHelpPanel(window);
  {
    FailureHandler* failures = FailureHandlerOf(window);
    Tmain* w = &window;
    failures->HasCompiledProgram = [w] {
      const Trun* run = RunControllerOf(*w);
      return run && (!run->Compiler.Variables.empty() || !run->Compiler.Instructions.empty());
    };
    failures->SendUsageEvent = [w](const std::string& action, const std::string& data, bool force) {
      if (OnlineServices* online = OnlineServicesOf(*w)) online->SendUsageEvent(action, data, force);
    };
    if (OnlineServices* online = OnlineServicesOf(window); online && !online->Host().empty()) {
      failures->SendDescription = [w](const std::string& text, std::function<void(bool)> done) {
        if (OnlineServices* services = OnlineServicesOf(*w)) services->SendMessage("ERRORTIP", text, std::move(done));
      };
    }
  }
  // The configuration dialog; the loaded settings reach every part.
  InstallSettings(window);
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
      QObject::connect(&window, &Tmain::informationDue, &window,
                       [&window] { ShowInformation(window, "Otwarcie przy starcie."); });
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
