// TBladForm: the failure dialog. The user may describe what happened and
// send it, then ignore the failure or close the program.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "gui/failure/message_sending.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QUrl;

namespace tessaro::gui {

class TBladForm : public QDialog {
  Q_OBJECT

 public:
  // Results of exec().
  enum Result { Ignore = 0, Close = 1 };

  // `repeated`: the failure ignored last time happened again, so only
  // "Zamknij" is offered.
  explicit TBladForm(bool repeated, QWidget* parent = nullptr);

  // Sends the description (the usage event "ERRORTIP"); without a sender
  // "Wyślij" is disabled. The text is cleared only once it was delivered.
  void SetSender(MessageSender sender);

  // Another failure happened while the dialog was open.
  void CountFurtherFailure();
  int FurtherFailures() const { return further_; }

  // "Wyślij".
  void BitBtn2Click();

 protected:
  void reject() override;  // the close box and Escape ignore the failure

 private:
  QPlainTextEdit* memo_ = nullptr;
  QLineEdit* email_ = nullptr;
  QLabel* further_label_ = nullptr;
  int further_ = 0;
  MessageSender sender_;
  QPushButton* send_ = nullptr;
};

// A valid mailto: URI of `address` (no "//" after the colon).
QUrl MailtoUrl(const QString& address);
// A navy label that opens `url` with the system's handler when clicked.
QLabel* LinkLabel(QWidget* parent, const char* name, const QUrl& url, const QString& text, bool underlined);

// The vendor's addresses shown by the failure and information windows.
inline constexpr const char* kVendorEmail = "tessaro@example.org";
inline constexpr const char* kVendorWeb = "tessaro.example.org";

}  // namespace tessaro::gui
