#include "gui/about/info_form.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/i18n/language.h"
#include "core/i18n/windows/info_texts.h"
#include "core/platform/registry.h"
#include "core/services/online.h"
#include "gui/failure/blad_form.h"
#include "gui/online/online_services.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"

namespace tessaro::gui {

namespace {

constexpr const char* kShowAtStartKey = "Informacja";
constexpr const char* kNotAtStart = "Brak";

// The banner across the top: the program's name over a blue gradient with a
// small flowchart.
QPixmap Banner() {
  QPixmap banner(516, 166);
  QPainter p(&banner);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 516, 166);
  sky.setColorAt(0, QColor(18, 52, 110));
  sky.setColorAt(1, QColor(70, 140, 210));
  p.fillRect(banner.rect(), sky);
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(QColor(255, 255, 255, 40));
  p.drawRoundedRect(QRectF(380, 14, 90, 26), 13, 13);
  p.drawLine(425, 40, 425, 56);
  p.drawRect(QRectF(385, 56, 80, 30));
  p.drawLine(425, 86, 425, 100);
  p.drawPolygon(QPolygonF({QPointF(425, 100), QPointF(470, 120), QPointF(425, 140), QPointF(380, 120)}));
  QFont title(QStringLiteral("Sans Serif"), 40, QFont::Bold);
  p.setFont(title);
  p.drawText(QRect(24, 30, 340, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tessaro"));
  QFont subtitle(QStringLiteral("Sans Serif"), 12);
  p.setFont(subtitle);
  p.drawText(QRect(26, 100, 330, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, WindowTextOf(kInfoTexts, "Image1.Text"));
  return banner;
}

}  // namespace

Tinfo::Tinfo(const std::string& version_text, const std::string& user_id, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tinfo"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                 Qt::WindowTitleHint | Qt::CustomizeWindowHint);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* banner = new QLabel(this);
  banner->setObjectName(QStringLiteral("Image1"));
  banner->setPixmap(Banner());
  layout->addWidget(banner);

  auto* author_row = new QHBoxLayout;
  QLabel* author = NamedLabel(this, "Label1");
  QFont bold = author->font();
  bold.setBold(true);
  author->setFont(bold);
  author->setWordWrap(false);
  author_row->addWidget(author);
  author_row->addWidget(NamedLabel(this, "Label2"), 1);
  QLabel* version = NamedLabel(this, "lblWersja");
  version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  author_row->addWidget(version);
  layout->addLayout(author_row);

  auto* links = new QHBoxLayout;
  const QString web = QString::fromLatin1(kVendorWeb);
  links->addWidget(LinkLabel(this, "lblWWW", QUrl(QStringLiteral("https://") + web), web, false));
  links->addStretch(1);
  const QString mail = QString::fromLatin1(kVendorEmail);
  links->addWidget(LinkLabel(this, "lblEmail", MailtoUrl(mail), mail, false));
  layout->addLayout(links);

  layout->addWidget(NamedLabel(this, "Label3"));
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Panel1"));
  frame->setStyleSheet(QStringLiteral("#Panel1 { border: 1px solid grey; }"));
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->setContentsMargins(1, 1, 1, 1);
  memo_ = new QPlainTextEdit(frame);
  memo_->setObjectName(QStringLiteral("Memo2"));
  memo_->setFrameShape(QFrame::NoFrame);
  frame_layout->addWidget(memo_);
  layout->addWidget(frame, 1);

  auto* bottom = new QHBoxLayout;
  send_ = new QPushButton(QString(), this);
  send_->setObjectName(QStringLiteral("BitBtn2"));
  send_->setAutoDefault(false);
  connect(send_, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  ShowSendAvailability(send_, false);
  bottom->addWidget(send_);
  QLabel* id_label = NamedLabel(this, "Label4");
  id_label->setStyleSheet(QStringLiteral("color: grey; font-size: 7pt;"));
  id_label->setWordWrap(false);
  bottom->addWidget(id_label);
  auto* id = new QLineEdit(FromCore(user_id), this);
  id->setObjectName(QStringLiteral("Edit1"));
  id->setReadOnly(true);
  id->setFrame(false);
  id->setStyleSheet(QStringLiteral("color: grey; background: transparent;"));
  bottom->addWidget(id, 1);
  show_at_start_ = new QCheckBox(this);
  show_at_start_->setObjectName(QStringLiteral("CheckBox1"));
  // The stored choice is shown; it is written only when the user changes it.
  show_at_start_->setChecked(RegistryReadString(kShowAtStartKey) != kNotAtStart);
  connect(show_at_start_, &QCheckBox::toggled, this,
          [](bool on) { RegistryWriteString(kShowAtStartKey, on ? "" : kNotAtStart); });
  bottom->addWidget(show_at_start_);
  auto* close = new QPushButton(this);
  close->setObjectName(QStringLiteral("BitBtn1"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  bottom->addWidget(close);
  layout->addLayout(bottom);
  ApplyWindowTexts(*this, kInfoTexts);
  author->setText(author->text().remove(QLatin1Char('"')));
  version->setText(version->text() + QStringLiteral(" ") + FromCore(version_text));
  setFixedSize(521, 450);
}

void Tinfo::SetSender(MessageSender sender) {
  sender_ = std::move(sender);
  ShowSendAvailability(send_, static_cast<bool>(sender_));
}

void Tinfo::BitBtn2Click() {
  if (!sender_) return;
  const std::string text = FeedbackText(ToCore(memo_->toPlainText().trimmed()));
  if (text.empty()) return;  // nothing to say is not an opinion
  send_->setEnabled(false);
  QPointer<Tinfo> self(this);
  sender_(text, [self](bool delivered) {
    if (!self) return;
    self->send_->setEnabled(true);
    if (delivered) {
      self->memo_->clear();
    } else {
      ReportNotSent(ToCore(self->windowTitle()));
    }
  });
}

void ShowInformation(Tmain& window, const std::string& data) {
  OnlineServices* online = OnlineServicesOf(window);
  if (online) online->SendUsageEvent("ABOUT", data, false);
  Tinfo info(window.VersionText(), window.UserId(), &window);
  if (online && !online->Host().empty()) {
    QPointer<OnlineServices> services(online);
    info.SetSender([services](const std::string& text, std::function<void(bool)> done) {
      if (services) services->SendMessage("Opinia", text, std::move(done));
    });
  }
  info.exec();
}

void InstallInformationWindow(Tmain& window) {
  window.SetCommandHandler("ActionOProgramie", [&window] { ShowInformation(window, LangText("msgm00044")); });
}

}  // namespace tessaro::gui
