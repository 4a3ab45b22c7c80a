// Puts tasks into the main window: "Utwórz zadanie z bieżącego schematu"
// writes one from the teacher's flowchart; "Otwórz zadanie" reads a task and shows
// its statement in the help panel, with its template (or the pupil's own
// copy of it, once saved) as the document; "Sprawdź rozwiązanie" grades the
// current flowchart on the task's cases and lists the results in the panel
// dpWynikiZadania, where a double click on a case runs it in the window.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "core/task/task.h"
#include "core/task/task_maker.h"

class QDockWidget;

namespace tessaro::gui {

class TaskResultsPanel;
class Tmain;

// The open task of the window and the two commands' work.
class TaskSession : public QObject {
  Q_OBJECT

 public:
  explicit TaskSession(Tmain& window);

  // Reads the task at `path` (a folder, its task.ini, or a packed task);
  // false after a notice naming what is wrong.
  bool OpenTask(const QString& path);
  // Grades the current document on the open task and shows the results.
  void CheckSolution();
  // Makes a task with the current document as the reference (the creator's
  // request), then opens it; false after a notice naming what is wrong.
  bool CreateTask(const task::MakeTaskRequest& request);
  // Prepares the current document for stepping in the window with the
  // answers of case `task_case` waiting for its reads.
  void RunCaseInWindow(int task_case);

  const task::Task* CurrentTask() const { return task_.get(); }
  TaskResultsPanel* Panel() const { return panel_; }

  // Asks for the task to open; empty when cancelled. Tests replace it.
  std::function<QString(QWidget* parent)> ChooseTask;

 signals:
  // A task was opened.
  void taskOpened();
  // The results of a check are shown.
  void solutionChecked();

 private:
  void ShowStatement();
  void OpenTemplate();

  Tmain& window_;
  std::unique_ptr<task::Task> task_;
  TaskResultsPanel* panel_ = nullptr;
  QDockWidget* dock_ = nullptr;
};

// After InstallHelpPanel.
void InstallTasks(Tmain& window);

// The window's task session, or nullptr before InstallTasks.
TaskSession* TaskSessionOf(Tmain& window);

}  // namespace tessaro::gui
