// Tinfo: "O programie ...", the version, the installation identifier and an
// opinion form.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "gui/failure/message_sending.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace tessaro::gui {

class Tinfo : public QDialog {
  Q_OBJECT

 public:
  Tinfo(const std::string& version_text, const std::string& user_id, QWidget* parent = nullptr);

  // Sends the opinion (the usage event "Opinia"); without a sender "Wyślij"
  // is disabled. The text is cleared only once it was delivered.
  void SetSender(MessageSender sender);

  // "Wyślij".
  void BitBtn2Click();

 private:
  QPlainTextEdit* memo_ = nullptr;
  QCheckBox* show_at_start_ = nullptr;
  QPushButton* send_ = nullptr;
  MessageSender sender_;
};

class Tmain;
// The command "O programie ..." (`data`: the event's data) and the start-up
// showing; the window is modal and destroyed after it closes.
void ShowInformation(Tmain& window, const std::string& data);
// Gives "O programie ..." its work. The program (not the tests) also shows
// it on Tmain::informationDue with "Otwarcie przy starcie.".
void InstallInformationWindow(Tmain& window);

}  // namespace tessaro::gui
