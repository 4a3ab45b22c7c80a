// The results of "Sprawdź rozwiązanie": one row per case the pupil may see,
// passed or failed; for the selected case the expected and the got output
// side by side with the first differing line marked; the hidden cases only
// as a count.
#pragma once

#include <QWidget>

#include "core/task/grading.h"
#include "core/task/task.h"

class QLabel;
class QPlainTextEdit;
class QTreeWidget;

namespace tessaro::gui {

class TaskResultsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TaskResultsPanel(QWidget* parent = nullptr);

  // Shows the results of `pupil` on `task`, as the cases' display settings allow.
  void ShowResults(const task::Task& task, const task::PupilResult& pupil);
  // Applies the texts of the active language.
  void ApplyTranslation();

  // The index in the task of the case of each row.
  const std::vector<int>& RowCases() const { return row_cases_; }

 signals:
  // A case's row was double-clicked: its index in the task.
  void caseActivated(int task_case);

 private:
  void ShowCase(int row);

  QLabel* summary_ = nullptr;
  QTreeWidget* cases_ = nullptr;
  QLabel* expected_title_ = nullptr;
  QLabel* got_title_ = nullptr;
  QPlainTextEdit* expected_ = nullptr;
  QPlainTextEdit* got_ = nullptr;
  std::vector<int> row_cases_;
  std::vector<task::CaseResult> shown_;  // one per row
  int passed_ = 0;
  int hidden_ = 0;
  int total_ = 0;
};

}  // namespace tessaro::gui
