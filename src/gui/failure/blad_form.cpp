#include "gui/failure/blad_form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

#include "core/i18n/language.h"
#include "core/i18n/windows/blad_form_texts.h"
#include "core/platform/dialogs.h"
#include "core/services/online.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"

namespace tessaro::gui {

QUrl MailtoUrl(const QString& address) { return QUrl(QStringLiteral("mailto:") + address.trimmed()); }

QLabel* LinkLabel(QWidget* parent, const char* name, const QUrl& url, const QString& text, bool underlined) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::RichText);
  label->setText(QStringLiteral("<a href=\"%1\" style=\"color: navy; text-decoration: %2;\">%3</a>")
                     .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(),
                          underlined ? QStringLiteral("underline") : QStringLiteral("none"), text.toHtmlEscaped()));
  label->setCursor(Qt::PointingHandCursor);
  label->setProperty("url", url);
  QObject::connect(label, &QLabel::linkActivated, label, [url] { QDesktopServices::openUrl(url); });
  return label;
}

TBladForm::TBladForm(bool repeated, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TBladForm"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(40, 40));
  picture->setAlignment(Qt::AlignTop);
  top->addWidget(picture);
  top->addWidget(NamedLabel(this, "Label1"), 1);
  layout->addLayout(top);
  layout->addWidget(NamedLabel(this, "Label2", true));
  layout->addWidget(NamedLabel(this, "Label3"));

  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Panel1"));
  frame->setFrameShape(QFrame::Box);
  frame->setStyleSheet(QStringLiteral("#Panel1 { border: 1px solid grey; }"));
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->setContentsMargins(1, 1, 1, 1);
  memo_ = new QPlainTextEdit(frame);
  memo_->setObjectName(QStringLiteral("Memo1"));
  memo_->setFrameShape(QFrame::NoFrame);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  frame_layout->addWidget(memo_);
  layout->addWidget(frame, 1);

  auto* mail_row = new QHBoxLayout;
  mail_row->addWidget(NamedLabel(this, "Label4", true));
  mail_row->addWidget(NamedLabel(this, "Label5"));
  email_ = new QLineEdit(this);
  email_->setObjectName(QStringLiteral("edemail"));
  mail_row->addWidget(email_, 1);
  send_ = new QPushButton(QString(), this);
  send_->setObjectName(QStringLiteral("BitBtn2"));
  send_->setAutoDefault(false);
  connect(send_, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ShowSendAvailability(send_, false);
  mail_row->addWidget(send_);
  layout->addLayout(mail_row);
  layout->addWidget(NamedLabel(this, "Label6"));

  auto* address_row = new QHBoxLayout;
  address_row->addWidget(NamedLabel(this, "Label7"));
  QLabel* address = LinkLabel(this, "Label8", MailtoUrl(QString::fromLatin1(kVendorEmail)),
                              QString::fromLatin1(kVendorEmail), true);
  address_row->addWidget(address);
  address_row->addStretch(1);
  layout->addLayout(address_row);

  further_label_ = NamedLabel(this, "lblKolejneBledy");
  further_label_->hide();
  layout->addWidget(further_label_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* close = new QPushButton(this);
  close->setObjectName(QStringLiteral("BitBtn1"));
  close->setAutoDefault(false);
  connect(close, &QPushButton::clicked, this, [this] { done(Close); });
  buttons->addWidget(close);
  auto* ignore = new QPushButton(this);
  ignore->setObjectName(QStringLiteral("BitBtn3"));
  ignore->setDefault(true);
  connect(ignore, &QPushButton::clicked, this, [this] { done(Ignore); });
  buttons->addWidget(ignore);
  layout->addLayout(buttons);
  if (repeated) {
    // The same failure came back after it was ignored: going on would only repeat it.
    ignore->hide();
    close->setDefault(true);
    close->setFocus();
  } else {
    ignore->setFocus();
  }
  ApplyWindowTexts(*this, kBladFormTexts);
  setFixedSize(450, 283 + 40);
}

void TBladForm::reject() {
  if (findChild<QPushButton*>(QStringLiteral("BitBtn3"))->isHidden())
    done(Close);
  else
    done(Ignore);
}

void TBladForm::CountFurtherFailure() {
  ++further_;
  further_label_->setText(Tr("msgfail0001") + QStringLiteral(" ") + QString::number(further_));
  further_label_->show();
}

void TBladForm::SetSender(MessageSender sender) {
  sender_ = std::move(sender);
  ShowSendAvailability(send_, static_cast<bool>(sender_));
}

void TBladForm::BitBtn2Click() {
  if (!sender_) return;
  const std::string message = ErrorTipMessage(ToCore(email_->text()), ToCore(memo_->toPlainText()));
  if (message.empty()) return;
  // One message at a time; the dialog may be gone when the answer comes.
  send_->setEnabled(false);
  QPointer<TBladForm> self(this);
  sender_(message, [self](bool delivered) {
    if (!self) return;
    self->send_->setEnabled(true);
    if (!delivered) {
      ReportNotSent(LangText("mgsb00001"));
      return;
    }
    Komunikat(LangText("mgsb00001"), LangText("mgsb00002"));
    self->memo_->clear();
  });
}

}  // namespace tessaro::gui
