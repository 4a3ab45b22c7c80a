#include "gui/task/task_creator_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/shell/qt_text.h"

namespace tessaro::gui {

std::vector<task::MakeTaskInput> SplitCaseInputs(const QString& text) {
  std::vector<task::MakeTaskInput> inputs;
  QString group;
  const auto close = [&] {
    if (group.isEmpty()) return;
    const QString name = QStringLiteral("%1").arg(inputs.size() + 1, 2, 10, QLatin1Char('0'));
    inputs.push_back({name.toStdString(), group.toStdString()});
    group.clear();
  };
  for (const QString& raw : text.split(QLatin1Char('\n'))) {
    const QString line = raw.trimmed();
    if (line.isEmpty()) {
      close();
    } else {
      group += line + QLatin1Char('\n');
    }
  }
  close();
  return inputs;
}

TaskCreatorDialog::TaskCreatorDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TaskCreator"));
  setWindowTitle(Tr("msg00539"));
  title_ = new QLineEdit(this);
  title_->setObjectName(QStringLiteral("edTytul"));
  statement_ = new QPlainTextEdit(this);
  statement_->setObjectName(QStringLiteral("edTresc"));
  inputs_ = new QPlainTextEdit(this);
  inputs_->setObjectName(QStringLiteral("edWejscia"));
  folder_ = new QLineEdit(this);
  folder_->setObjectName(QStringLiteral("edFolder"));
  auto* browse = new QPushButton(Tr("msgz00017"), this);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString dir = QFileDialog::getExistingDirectory(this, Tr("msgz00016"), folder_->text());
    if (!dir.isEmpty()) folder_->setText(dir);
  });
  auto* folder_row = new QHBoxLayout;
  folder_row->addWidget(folder_);
  folder_row->addWidget(browse);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Nothing to make without a folder and an input.
  const auto update = [this, buttons] {
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!folder_->text().trimmed().isEmpty() &&
                                                      !SplitCaseInputs(inputs_->toPlainText()).empty());
  };
  connect(folder_, &QLineEdit::textChanged, this, update);
  connect(inputs_, &QPlainTextEdit::textChanged, this, update);
  update();

  auto* form = new QFormLayout(this);
  form->addRow(Tr("msgz00013"), title_);
  form->addRow(Tr("msgz00014"), statement_);
  form->addRow(Tr("msgz00015"), inputs_);
  form->addRow(Tr("msgz00016"), folder_row);
  form->addRow(buttons);
  resize(560, 520);
}

task::MakeTaskRequest TaskCreatorDialog::Request() const {
  task::MakeTaskRequest request;
  request.task_dir = ToPath(folder_->text().trimmed());
  request.inputs = SplitCaseInputs(inputs_->toPlainText());
  request.title = ToCore(title_->text().trimmed());
  const QByteArray statement = statement_->toPlainText().toUtf8();
  request.statement_md = std::string(statement.constData(), static_cast<size_t>(statement.size()));
  if (!request.statement_md.empty() && request.statement_md.back() != '\n') request.statement_md += '\n';
  return request;
}

}  // namespace tessaro::gui
