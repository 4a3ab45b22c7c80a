#include "gui/failure/failure_handler.h"

#include <QCursor>
#include <QTimer>
#include <cstdlib>
#include <optional>

#include "core/i18n/language.h"
#include "core/document/snapshots.h"
#include "core/platform/dialogs.h"
#include "core/services/failure_report.h"
#include "gui/failure/blad_form.h"
#include "gui/failure/recovery_copies.h"
#include "gui/failure/tessaro_application.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

FailureHandler::FailureHandler(Tmain& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("FailureHandler"));
  Terminate = [] { std::_Exit(EXIT_FAILURE); };
}

bool FailureHandler::Handle(std::exception_ptr error, const std::string& sender) {
  // One dialog at a time: what fails while it is open is only counted.
  if (dialog_) {
    dialog_->CountFurtherFailure();
    return true;
  }
  TFailure failure = DescribeException(error);
  failure.SenderClassName = sender;
  const QPoint mouse = QCursor::pos();
  failure.MouseX = mouse.x();
  failure.MouseY = mouse.y();
  if (IsOutOfMemory(failure)) {
    // Save what can be saved before anything else needs memory.
    if (RecoveryCopies* copies = RecoveryCopiesOf(window_)) copies->WriteNow();
    last_report_ = ReportHead(failure, LangText("msgm00049"));
    if (SendUsageEvent) SendUsageEvent("Error", last_report_, false);
    Komunikat(LangText("msgm00012"), LangText("msgm00059"));
    Terminate();
    return false;
  }
  const bool compiled = HasCompiledProgram && HasCompiledProgram();
  last_report_ = FailureReport(failure, LangText("msgm00049"), compiled ? &window_.State().Bloki : nullptr);
  if (SendUsageEvent) SendUsageEvent("Error", last_report_, false);
  if (RecoveryCopies* copies = RecoveryCopiesOf(window_)) copies->WriteNow();

  const std::string key = failure.ClassName + "\n" + failure.Message;
  auto* dialog = new TBladForm(key == last_ignored_, &window_);
  if (SendDescription) dialog->SetSender(SendDescription);
  dialog_ = dialog;
  const int result = dialog->exec();
  delete dialog;
  if (result == TBladForm::Ignore) {
    last_ignored_ = key;
    return true;
  }
  // "Zamknij" takes the normal way out, which asks about every unsaved document.
  QTimer::singleShot(0, &window_, [this] { window_.close(); });
  return false;
}

void FailureHandler::RunCommand(const QString& command, const std::function<void()>& run) {
  TDocumentState& state = window_.State();
  const int32_t current = state.AktualnyPlik;
  TOtwartePliki* document = state.CurrentDocument();
  // What the command may change, so that a half-done change can be taken back.
  const std::optional<TOtwartePliki> record = document ? std::optional<TOtwartePliki>(*document) : std::nullopt;
  const std::vector<Tobj> before = state.Bloki;
  const bool changed = state.Zmiana;
  try {
    run();
  } catch (...) {
    const bool ignored = Handle(std::current_exception(), "QAction " + command.toStdString());
    document = state.CurrentDocument();
    if (!ignored || !record || state.AktualnyPlik != current || !document ||
        document->WezelDrzewa != record->WezelDrzewa)
      return;
    if (SameWork(state.Bloki, before) && document->Cofnij == record->Cofnij &&
        document->PunktyPrzerwania == record->PunktyPrzerwania)
      return;
    // The command stopped half-way: its change must not be saved or undone into.
    document->Cofnij = record->Cofnij;
    document->CofnijPunkty = record->CofnijPunkty;
    document->Ponow = record->Ponow;
    document->PonowPunkty = record->PonowPunkty;
    document->PunktyPrzerwania = record->PunktyPrzerwania;
    state.Bloki = before;
    state.Wybrany = -1;
    state.GrupaAktywna = false;
    state.WyznaczObszar();
    state.Zmiana = changed;
    state.SelectionChanged();
    state.BreakpointsChanged();
    state.Repaint();
    Komunikat(LangText("msgm00012"), LangText("msgfail0002"));
  }
}

FailureHandler* FailureHandlerOf(Tmain& window) {
  return window.Part<FailureHandler>();
}

void InstallFailureHandling(Tmain& window) {
  auto* handler = new FailureHandler(window);
  window.AddPart(handler);
  Q_ASSERT_X(!window.CommandGuard, "InstallFailureHandling", "the commands have one guard");
  window.CommandGuard = [handler](const QString& command, const std::function<void()>& run) {
    handler->RunCommand(command, run);
  };
  QPointer<FailureHandler> guarded(handler);
  TessaroApplication::OnFailure = [guarded](std::exception_ptr error, const std::string& sender) {
    if (guarded) guarded->Handle(error, sender);
  };
}

}  // namespace tessaro::gui
