#include "gui/task/main_window_task.h"

#include <QAction>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include "core/i18n/cp1250.h"
#include "core/i18n/language.h"
#include "core/i18n/retranslation.h"
#include "core/platform/dialogs.h"
#include "core/platform/file_io.h"
#include "core/platform/program_paths.h"
#include "core/task/grading.h"
#include "core/task/task_reader.h"
#include "gui/help/help_panel.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"
#include "gui/shell/qt_text.h"
#include "gui/task/task_creator_dialog.h"
#include "gui/task/task_results_panel.h"

namespace tessaro::gui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kResultsPanel = "dpWynikiZadania";

QString DefaultChooser(QWidget* parent) {
  // The shipped tasks are where a pupil looks first.
  return QFileDialog::getOpenFileName(parent, Tr("msg00537"), FromPath(ProgramFile("Zadania")),
                                      Tr("msgz00012") + QStringLiteral(" (task.ini *.tzad *.zip)"));
}

}  // namespace

TaskSession::TaskSession(Tmain& window) : QObject(&window), window_(window) {
  setObjectName(QStringLiteral("TaskSession"));
  ChooseTask = DefaultChooser;
  auto* dock = new QDockWidget(&window);
  dock_ = dock;
  dock->setObjectName(QString::fromLatin1(kResultsPanel));
  panel_ = new TaskResultsPanel(dock);
  dock->setWidget(panel_);
  dock->setWindowTitle(Tr("msgz00001"));
  // Beside the analysis tools, with their width for the two outputs.
  window.addDockWidget(Qt::BottomDockWidgetArea, dock);
  if (QDockWidget* tools = window.Panel("dpNarzedzia")) window.tabifyDockWidget(tools, dock);
  dock->hide();
  const RetranslationHandle handle = AddRetranslationObserver([this, dock] {
    dock->setWindowTitle(Tr("msgz00001"));
    panel_->ApplyTranslation();
    if (task_) ShowStatement();
  });
  connect(this, &QObject::destroyed, [handle] { RemoveRetranslationObserver(handle); });
  connect(panel_, &TaskResultsPanel::caseActivated, this, &TaskSession::RunCaseInWindow);
}

bool TaskSession::OpenTask(const QString& chosen) {
  // A task's own task.ini stands for its folder.
  QString path = chosen;
  if (QFileInfo(path).fileName().compare(QStringLiteral("task.ini"), Qt::CaseInsensitive) == 0) {
    path = QFileInfo(path).absolutePath();
  }
  task::TaskRead read = task::ReadTask(ToPath(path));
  if (!read.ok) {
    Komunikat(LangText("msgz00003"), read.error);
    return false;
  }
  task_ = std::make_unique<task::Task>(std::move(read.task));
  ShowStatement();
  OpenTemplate();
  emit taskOpened();
  return true;
}

void TaskSession::ShowStatement() {
  HelpBrowser* browser = HelpBrowserOf(window_);
  if (!browser || !task_) return;
  const bool english = Language().LanguageCode() == "EN" && task_->statement_en.format != task::StatementFormat::None;
  const task::Statement& s = english ? task_->statement_en : task_->statement;
  const QString text = QString::fromUtf8(s.text.data(), static_cast<qsizetype>(s.text.size()));
  if (s.format == task::StatementFormat::Html) {
    browser->setHtml(text);
  } else {
    browser->setMarkdown(text);
  }
  if (QDockWidget* dock = window_.Panel("dpPomoc")) {
    dock->show();
    dock->raise();
  }
}

// The pupil works in a copy of the template kept in the user's folder, so
// that opening the task again brings back what was saved.
void TaskSession::OpenTemplate() {
  if (task_->template_alg.empty()) return;
  const fs::path folder = fs::path(UserDataDir()) / "Zadania";
  std::string name = fs::path(task_->source).filename().string();
  if (name.empty()) name = fs::path(task_->source).parent_path().filename().string();
  const fs::path work = folder / (fs::path(name).stem().string() + ".alg");
  std::error_code ec;
  if (!fs::exists(work, ec)) {
    fs::create_directories(folder, ec);
    if (!ReplaceFileBytes(work.string(), task_->template_alg)) return;
  }
  window_.OtworzDokument(work.string());
}

void TaskSession::CheckSolution() {
  if (!task_) {
    Komunikat(LangText("msgz00003"), LangText("msgz00002"));
    return;
  }
  const task::PupilResult result = task::GradeProgram(*task_, window_.State().Bloki, task::Submission{});
  panel_->ShowResults(*task_, result);
  if (QDockWidget* dock = dock_) {
    dock->show();
    dock->raise();
  }
  emit solutionChecked();
}

void TaskSession::RunCaseInWindow(int task_case) {
  if (!task_ || task_case < 0 || static_cast<size_t>(task_case) >= task_->cases.size()) return;
  Trun* run = RunControllerOf(window_);
  QAction* prepare = window_.CommandAction("ActionUruchomKrokPoKroku");
  if (!run || !prepare || !prepare->isEnabled()) return;
  // Prepared first: the answers wait for the run that follows.
  prepare->trigger();
  run->FeedAnswers(task_->cases[static_cast<size_t>(task_case)].answers);
}

bool TaskSession::CreateTask(const task::MakeTaskRequest& request) {
  const task::MakeTaskResult made = task::MakeTask(window_.State().Bloki, request);
  if (!made.ok) {
    Komunikat(LangText("msgz00003"), made.error);
    return false;
  }
  std::string notice = LangText("msgz00018") + " " + Utf8ToCp1250(request.task_dir);
  for (const std::string& warning : made.warnings) notice += "\n" + warning;
  Komunikat(LangText("msgz00003"), notice);
  return OpenTask(FromPath(request.task_dir));
}

void InstallTasks(Tmain& window) {
  auto* session = new TaskSession(window);
  window.AddPart(session);
  window.SetCommandHandler("ActionOtworzZadanie", [&window, session] {
    const QString path = session->ChooseTask(&window);
    if (!path.isEmpty()) session->OpenTask(path);
  });
  window.SetCommandHandler("ActionSprawdzRozwiazanie", [session] { session->CheckSolution(); });
  window.SetCommandHandler("ActionUtworzZadanie", [&window, session] {
    TaskCreatorDialog dialog(&window);
    if (dialog.exec() == QDialog::Accepted) session->CreateTask(dialog.Request());
  });
}

TaskSession* TaskSessionOf(Tmain& window) {
  return window.Part<TaskSession>();
}

}  // namespace tessaro::gui
