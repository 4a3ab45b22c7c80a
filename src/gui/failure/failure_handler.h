// The application-wide failure handler: whatever escapes a command or an
// event handler ends here, is reported, and the user chooses to go on or to
// close the program.
#pragma once

#include <QObject>
#include <QPointer>
#include <exception>
#include <functional>
#include <string>

#include "gui/failure/message_sending.h"

#include "gui/failure/blad_form.h"

namespace tessaro::gui {

class Tmain;

class FailureHandler : public QObject {
  Q_OBJECT

 public:
  explicit FailureHandler(Tmain& window);

  // Handles `error`, escaped from an object of class `sender` ("" when
  // unknown). Returns after the failure dialog closed: true when the user
  // ignored the failure and the program goes on.
  bool Handle(std::exception_ptr error, const std::string& sender);

  // Runs a command's work; a failure inside it is handled, and when ignored
  // a diagram the command left half-changed is put back as it was before.
  void RunCommand(const QString& command, const std::function<void()>& run);

  // The open failure dialog, or nullptr.
  TBladForm* Dialog() const { return dialog_; }

  // Ends the program after an out-of-memory failure; tests replace it.
  std::function<void()> Terminate;
  // Sends a usage event (action, data, forced); unset: nothing is sent.
  std::function<void(const std::string&, const std::string&, bool)> SendUsageEvent;
  // Sends the user's description of a failure and reports its delivery;
  // unset (no service host): the dialog's "Wyślij" is disabled.
  MessageSender SendDescription;
  // Whether the compiler holds a compiled program (the report lists the blocks).
  std::function<bool()> HasCompiledProgram;
  // The report of the last failure, as sent.
  const std::string& LastReport() const { return last_report_; }

 private:
  Tmain& window_;
  QPointer<TBladForm> dialog_;
  std::string last_ignored_;
  std::string last_report_;
};

FailureHandler* FailureHandlerOf(Tmain& window);
// Creates the handler, guards every command of the window and sends what
// escapes the event loop's handlers (TessaroApplication) to it.
void InstallFailureHandling(Tmain& window);

}  // namespace tessaro::gui
