// "Otwórz zadanie" and "Sprawdź rozwiązanie": the statement in the help
// panel, the results of a failing and a passing flowchart in the panel, the
// hidden cases as a count.
#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QtTest>

#include "alg_spec.h"
#include "gui/analysis/console.h"
#include "gui/analysis/tcode.h"
#include "gui/help/help_panel.h"
#include "gui/run/main_window_run.h"
#include "gui/task/main_window_task.h"
#include "gui/task/task_creator_dialog.h"
#include "gui/task/task_results_panel.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

const QString kFactorialTask = QStringLiteral(TESSARO_SOURCE_DIR "/resources/Zadania/silnia");

// The factorial with the loop ending one step early: (n-1)!, right for 0 and 1 only.
constexpr const char* kEarlyEnd =
    "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i < n\n"
    "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write s\nend -1 -1\n";
constexpr const char* kRight =
    "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
    "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write s\nend -1 -1\n";

std::string WriteDiagram(const test::ShellHome& home, const char* name, const char* spec) {
  std::vector<Tobj> bloki;
  std::string error;
  if (!fixtures::ParseAlgSpec(spec, bloki, error)) qFatal("bad spec: %s", error.c_str());
  const std::string path = home.Path(name);
  fixtures::WriteAlgFile(bloki, path);
  return path;
}

QStringList Rows(const QTreeWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    rows << list->topLevelItem(i)->text(0) + QLatin1Char('=') + list->topLevelItem(i)->text(1);
  }
  return rows;
}

}  // namespace

class TaskCheck : public QObject {
  Q_OBJECT

 private slots:
  void aFailingFlowchartShowsItsFirstDifference() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->show();
    gui::TaskSession* session = gui::TaskSessionOf(*w);
    QVERIFY(session);
    QVERIFY(w->OtworzDokument(WriteDiagram(home, "celina.alg", kEarlyEnd)));

    // Without a task the check says what to do first.
    QAction* check = w->CommandAction("ActionSprawdzRozwiazanie");
    QVERIFY(check->isEnabled());
    check->trigger();
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown[0].text, LangText("msgz00002"));

    QVERIFY(session->OpenTask(kFactorialTask + QStringLiteral("/task.ini")));
    QVERIFY(gui::HelpBrowserOf(*w)->toPlainText().contains(QStringLiteral("Silnia")));
    check->trigger();

    QDockWidget* dock = w->findChild<QDockWidget*>(QStringLiteral("dpWynikiZadania"));
    QVERIFY(dock && dock->isVisible());
    auto* list = dock->findChild<QTreeWidget*>(QStringLiteral("lvPrzypadki"));
    const QString ok = test::Text("msgz00004"), bad = test::Text("msgz00005");
    // 04-dziesiec hides when it fails, 05-dwanascie always: two hidden cases.
    QCOMPARE(Rows(list), (QStringList{"01-piec=" + bad, "02-zero=" + ok, "03-jeden=" + ok, "06-dwa=" + bad,
                                      "07-trzy=" + bad, "08-siedem=" + bad, "09-osiem=" + bad,
                                      "10-jedenascie=" + bad}));
    const QString summary = dock->findChild<QLabel*>(QStringLiteral("lblWynikZadania"))->text();
    QVERIFY2(summary.contains(QStringLiteral("2/10")), qPrintable(summary));
    QVERIFY2(summary.contains(test::Text("msgz00008") + QStringLiteral(" 2")), qPrintable(summary));
    // The first failed case is selected: expected and got side by side, the line marked.
    QCOMPARE(list->currentItem(), list->topLevelItem(0));
    auto* expected = dock->findChild<QPlainTextEdit*>(QStringLiteral("edOczekiwane"));
    auto* got = dock->findChild<QPlainTextEdit*>(QStringLiteral("edOtrzymane"));
    QCOMPARE(expected->toPlainText(), QStringLiteral("120"));
    QCOMPARE(got->toPlainText(), QStringLiteral("24"));
    QCOMPARE(got->extraSelections().size(), 1);
    QCOMPARE(expected->extraSelections().size(), 1);
    // Another row shows its own case.
    list->setCurrentItem(list->topLevelItem(1));
    QCOMPARE(got->toPlainText(), QStringLiteral("1"));
    QCOMPARE(got->extraSelections().size(), 0);

    // A double click on the failed case prepares it in the window; its
    // answers wait for the reads, shown in the console as if typed.
    w->Settings().KonsolaWejscie = true;
    w->Settings().KonsolaWyjscie = true;
    QTreeWidgetItem* failed = list->topLevelItem(0);
    list->scrollToItem(failed);
    QSignalSpy clicked(list, &QTreeWidget::itemDoubleClicked);
    // A view takes a double click only after the press that starts it.
    const QPoint where = list->visualItemRect(failed).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(w->CommandAction("ActionNastepnaInstrukcja")->isEnabled());
    w->CommandAction("ActionUruchom")->trigger();
    const QString console = gui::AnalysisWindowOf(*w)->ConsoleEdit()->toPlainText();
    QVERIFY2(console.contains(QStringLiteral("n = 5")), qPrintable(console));
    QVERIFY2(console.contains(QStringLiteral("s = 24")), qPrintable(console));
    QCOMPARE(dialogs.shown.size(), size_t{1});  // nothing asked
  }

  void aPassingFlowchartPassesEveryCase() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->show();
    QVERIFY(w->OtworzDokument(WriteDiagram(home, "ala.alg", kRight)));
    gui::TaskSession* session = gui::TaskSessionOf(*w);
    QSignalSpy checked(session, &gui::TaskSession::solutionChecked);
    QVERIFY(session->OpenTask(kFactorialTask));
    w->CommandAction("ActionSprawdzRozwiazanie")->trigger();
    QCOMPARE(checked.count(), 1);
    auto* list = w->findChild<QTreeWidget*>(QStringLiteral("lvPrzypadki"));
    // Only 05-dwanascie stays hidden; 04-dziesiec shows while it passes.
    QCOMPARE(list->topLevelItemCount(), 9);
    for (int i = 0; i < list->topLevelItemCount(); ++i) QCOMPARE(list->topLevelItem(i)->text(1), test::Text("msgz00004"));
    const QString summary = w->findChild<QLabel*>(QStringLiteral("lblWynikZadania"))->text();
    QVERIFY2(summary.contains(QStringLiteral("10/10")), qPrintable(summary));
    QVERIFY(dialogs.shown.empty());
  }

  void theTeacherMakesATaskFromTheFlowchart() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    QVERIFY(w->OtworzDokument(WriteDiagram(home, "wzor.alg", kRight)));
    QVERIFY(w->CommandAction("ActionUtworzZadanie")->isEnabled());

    // What the creator collects: the inputs are the groups of lines.
    gui::TaskCreatorDialog dialog(w.get());
    dialog.findChild<QLineEdit*>(QStringLiteral("edTytul"))->setText(QStringLiteral("Silnia od nowa"));
    dialog.findChild<QPlainTextEdit*>(QStringLiteral("edTresc"))->setPlainText(QStringLiteral("# Silnia"));
    dialog.findChild<QPlainTextEdit*>(QStringLiteral("edWejscia"))->setPlainText(QStringLiteral("5\n\n\n0 \n"));
    dialog.findChild<QLineEdit*>(QStringLiteral("edFolder"))->setText(QString::fromStdString(home.Path("nowe")));
    const task::MakeTaskRequest request = dialog.Request();
    QCOMPARE(request.inputs.size(), size_t{2});
    QCOMPARE(request.inputs[1].bytes, std::string("0\n"));

    gui::TaskSession* session = gui::TaskSessionOf(*w);
    QVERIFY(session->CreateTask(request));
    QCOMPARE(test::ReadFileBytes(home.Path("nowe/cases/01.out")), std::string("120\n"));
    QCOMPARE(test::ReadFileBytes(home.Path("nowe/cases/02.out")), std::string("1\n"));
    QCOMPARE(test::ReadFileBytes(home.Path("nowe/statement.md")), std::string("# Silnia\n"));
    QVERIFY(session->CurrentTask());
    QCOMPARE(session->CurrentTask()->settings.title, std::string("Silnia od nowa"));
    // The flowchart passes its own task.
    w->CommandAction("ActionSprawdzRozwiazanie")->trigger();
    const QString summary = w->findChild<QLabel*>(QStringLiteral("lblWynikZadania"))->text();
    QVERIFY2(summary.contains(QStringLiteral("2/2")), qPrintable(summary));
  }

  void aBrokenTaskIsNamedInANotice() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    home.Write("zle/task.ini", "[task]\ntitle = x\n");
    auto w = test::Start();
    QVERIFY(!gui::TaskSessionOf(*w)->OpenTask(QString::fromStdString(home.Path("zle"))));
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QVERIFY(dialogs.shown[0].text.find("statement.html or statement.md is missing") != std::string::npos);
    QVERIFY(!gui::TaskSessionOf(*w)->CurrentTask());
  }
};

TESSARO_GUI_TEST(TaskCheck)
#include "task_check_test.moc"
