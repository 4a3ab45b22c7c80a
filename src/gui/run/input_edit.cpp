#include "gui/run/input_edit.h"

#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/i18n/language.h"
#include "core/i18n/retranslation.h"
#include "core/i18n/windows/input_edit_texts.h"
#include "core/platform/dialogs.h"
#include "core/platform/program_paths.h"
#include "gui/analysis/rtf_text.h"
#include "gui/shell/qt_text.h"
#include "gui/shell/window_texts.h"

namespace tessaro::gui {

namespace {

QString FileFilter() { return QStringLiteral("Plik tekstowy (*.txt);;Wszystkie pliki (*.*)"); }

void ReportFileFailure() { Komunikat(LangText("msgi00001"), LangText("msgi00002")); }

}  // namespace

TinputEdit::TinputEdit(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TinputEdit"));
  QFont tahoma(QStringLiteral("Tahoma"));
  tahoma.setPixelSize(11);
  setFont(tahoma);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 0);
  Label1 = new QLabel(this);
  Label1->setObjectName(QStringLiteral("Label1"));
  layout->addWidget(Label1);
  auto* frame = new QFrame(this);
  frame->setObjectName(QStringLiteral("Shape1"));
  frame->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 1px solid silver; }"));
  auto* frame_layout = new QVBoxLayout(frame);
  frame_layout->setContentsMargins(1, 1, 1, 1);
  memo1 = new QTextEdit(frame);
  memo1->setObjectName(QStringLiteral("memo1"));
  QFont courier(QStringLiteral("Courier New"));
  courier.setPixelSize(13);
  memo1->setFont(courier);
  memo1->setLineWrapMode(QTextEdit::NoWrap);
  memo1->setAcceptRichText(false);
  frame_layout->addWidget(memo1);
  layout->addWidget(frame, 1);
  // An answer may span lines, so Enter starts a new one and Ctrl+Enter
  // answers; the hint says so while an answer is asked for.
  memo1->installEventFilter(this);
  LabelHint = new QLabel(this);
  LabelHint->setObjectName(QStringLiteral("LabelHint"));
  LabelHint->setStyleSheet(QStringLiteral("color: rgb(96, 96, 96);"));
  layout->addWidget(LabelHint);

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  auto* row = new QHBoxLayout(panel);
  load_ = new QToolButton(panel);
  load_->setObjectName(QStringLiteral("spOdczyt"));
  load_->setAutoRaise(true);
  load_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  save_ = new QToolButton(panel);
  save_->setObjectName(QStringLiteral("spZapis"));
  save_->setAutoRaise(true);
  save_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  Button2 = new QPushButton(panel);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setAutoDefault(false);
  Button1 = new QPushButton(panel);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  row->addWidget(load_);
  row->addWidget(save_);
  row->addStretch(1);
  row->addWidget(Button2);
  row->addWidget(Button1);
  row->addStretch(1);
  row->addSpacing(load_->sizeHint().width() * 2);  // keeps the buttons centred
  layout->addWidget(panel);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(load_, &QToolButton::clicked, this, [this] { LoadText(); });
  connect(save_, &QToolButton::clicked, this, [this] { SaveText(); });

  const QString folder = FromPath(ProgramDir());
  ChooseOpenFile = [folder](QWidget* p) {
    return QFileDialog::getOpenFileName(p, WindowTextOf(kInputEditTexts, "OpenDialog.Title"), folder, FileFilter());
  };
  ChooseSaveFile = [folder](QWidget* p) {
    return QFileDialog::getSaveFileName(p, WindowTextOf(kInputEditTexts, "SaveDialog.Title"), folder, FileFilter());
  };
  resize(380, 260);
  ApplyTranslation();
  retranslation_ = AddRetranslationObserver([this] { ApplyTranslation(); });
}

TinputEdit::~TinputEdit() {
  if (retranslation_ >= 0) RemoveRetranslationObserver(retranslation_);
}

void TinputEdit::ApplyTranslation() {
  ApplyWindowTexts(*this, kInputEditTexts);
  LabelHint->setText(Tr("msgi00003"));
}

bool TinputEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == memo1 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && (key->modifiers() & Qt::ControlModifier)) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

bool TinputEdit::Ask(const QString& label, const QString& value, bool editable, QString& text) {
  Label1->setText(label);
  memo1->setPlainText(value);
  memo1->setReadOnly(!editable);
  LabelHint->setVisible(editable);
  if (parentWidget()) {
    const QRect owner = parentWidget()->window()->geometry();
    move(owner.center() - rect().center());
  }
  const bool ok = exec() == QDialog::Accepted;
  text = memo1->toPlainText();
  return ok;
}

void TinputEdit::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  resize(380, height());
  if (Label1->text().endsWith(QLatin1Char('?')))
    memo1->setFocus();
  else
    Button1->setFocus();
}

void TinputEdit::LoadText() {
  const QString name = ChooseOpenFile ? ChooseOpenFile(this) : QString();
  if (name.isEmpty()) return;
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    ReportFileFailure();
    return;
  }
  const QByteArray bytes = file.readAll();
  memo1->setPlainText(LooksLikeRtf(bytes) ? RtfToText(bytes) : FromCore(bytes.toStdString()));
}

void TinputEdit::SaveText() {
  const QString name = ChooseSaveFile ? ChooseSaveFile(this) : QString();
  if (name.isEmpty()) return;
  // The format the name asks for: RTF for ".rtf", plain text otherwise.
  const bool rtf = name.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive);
  if (!WriteTextFile(name, *memo1->document(), rtf)) ReportFileFailure();
}

}  // namespace tessaro::gui
