// "Utwórz zadanie z bieżącego schematu": asks the teacher for the title,
// the statement, the inputs of the cases and the folder; the caller makes
// the task with the current flowchart as the reference.
#pragma once

#include <QDialog>

#include "core/task/task_maker.h"

class QLineEdit;
class QPlainTextEdit;

namespace tessaro::gui {

class TaskCreatorDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TaskCreatorDialog(QWidget* parent = nullptr);

  // What was entered, as a request for task::MakeTask: one input per group
  // of lines, the groups separated by empty lines.
  task::MakeTaskRequest Request() const;

 private:
  QLineEdit* title_ = nullptr;
  QPlainTextEdit* statement_ = nullptr;
  QPlainTextEdit* inputs_ = nullptr;
  QLineEdit* folder_ = nullptr;
};

// The inputs of `text`: its groups of non-empty lines, named "01", "02", ...
std::vector<task::MakeTaskInput> SplitCaseInputs(const QString& text);

}  // namespace tessaro::gui
