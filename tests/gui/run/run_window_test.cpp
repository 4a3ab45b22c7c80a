// The run controller driving the real main window: compiling, running with
// the console answering reads, stepping by instruction and by micro step,
// run-time errors, pausing during a long delay and discarding the program.
#include <QAction>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTabWidget>
#include <QtTest>
#include <deque>

#include "alg_spec.h"
#include "core/language/variables.h"
#include "gui/analysis/analysis_items.h"
#include "gui/analysis/console.h"
#include "gui/analysis/tcode.h"
#include "gui/analysis/tree_page.h"
#include "gui/run/input_edit.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui_test.h"
#include "run_fixture.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

const QColor kCurrentFill(233, 254, 235);

using test::ConsoleTypist;
using test::kFactorial;
using test::DialogAnswer;
using test::kDivisionByZero;
using test::kLongLoop;
using test::RunWindow;

}  // namespace

class RunWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void runAnswersReadsInTheConsoleAndListsTheVariables() {
    RunWindow r(kFactorial);
    r.Highlight(false);
    r.w->Settings().KonsolaWejscie = true;
    r.w->Settings().KonsolaWyjscie = true;
    ConsoleTypist typist(*r.code, {QStringLiteral("5")});
    r.Command("ActionUruchom");
    const QStringList lines = r.ConsoleLines();
    QVERIFY2(lines.size() >= 4, qPrintable(lines.join('|')));
    QCOMPARE(lines.mid(lines.size() - 4), (QStringList{"n = ", "?5", ">s = 120", ">"}));
    QCOMPARE(r.VariableRows(), (QStringList{"n=5", "s=120", "i=6"}));
    QCOMPARE(r.Status1(), test::Text("msgr00001"));
    QCOMPARE(r.code->ActivePage(), int(gui::kPageConsole));
    QCOMPARE(r.code->ConsoleEdit()->ConsoleHistory, (std::vector<std::string>{"5"}));
    // The run commands are back, the pause and step commands are not.
    QVERIFY(r.w->CommandAction("ActionUruchom")->isEnabled());
    QVERIFY(!r.w->CommandAction("ActionWstrzymaj")->isEnabled());
    QVERIFY(!r.w->CommandAction("ActionNastepnaInstrukcja")->isEnabled());
  }

  void emptyConsoleAnswerStopsTheRun() {
    RunWindow r(kFactorial);
    r.Highlight(false);
    r.w->Settings().KonsolaWejscie = true;
    ConsoleTypist typist(*r.code, {QString()});
    r.Command("ActionUruchom");
    QVERIFY(r.c().IsFinished());
    QCOMPARE(r.VariableRows(), (QStringList{"n=?", "s=?", "i=?"}));
  }

  void inputDialogWhenTheConsoleDoesNotTakeADirection() {
    RunWindow r(kFactorial);
    r.Highlight(false);
    {
      // A read answered in the dialog, then the write shown read-only; "Dalej" both times.
      DialogAnswer answer(*r.w, true, QStringLiteral("4"));
      r.Command("ActionUruchom");
      QCOMPARE(answer.labels, (QStringList{"n=?", "s="}));
      QCOMPARE(answer.read_only, (QList<bool>{false, true}));
      QCOMPARE(r.VariableRows(), (QStringList{"n=4", "s=24", "i=5"}));
    }
    {
      // "Zakończ" at the read stops the program before anything is computed.
      DialogAnswer answer(*r.w, false);
      r.Command("ActionUruchom");
      QCOMPARE(answer.labels, (QStringList{"n=?"}));
      QCOMPARE(r.VariableRows(), (QStringList{"n=?", "s=?", "i=?"}));
      QCOMPARE(r.Status1(), test::Text("msgr00007"));
    }
  }

  void stepsMoveTheListingsCurrentItem() {
    RunWindow r(kFactorial);
    r.Highlight(false);
    r.w->Settings().KonsolaWejscie = true;
    r.Command("ActionUruchomKrokPoKroku");
    QCOMPARE(r.Status1(), test::Text("msgm00029"));
    QCOMPARE(r.code->Listing()->count(), int(r.c().Instructions.size()));
    QCOMPARE(r.c().Current, 0);
    QCOMPARE(gui::AnalysisItemDelegate::ListingFill(r.c(), 0), kCurrentFill);
    ConsoleTypist typist(*r.code, {QStringLiteral("3")});
    for (int expected : {1, 2, 3}) {
      r.Command("ActionNastepnaInstrukcja");
      QCOMPARE(r.c().Current, expected);
      QCOMPARE(gui::AnalysisItemDelegate::ListingFill(r.c(), expected), kCurrentFill);
    }
    // Stepping forced the highlight on.
    QVERIFY(r.w->Settings().PodswietlajBloki);
    QVERIFY(r.w->CommandAction("ActionPodswietlaj")->isChecked());
    // Read n, then s := 1; i := 1 is next.
    QCOMPARE(r.VariableRows(), (QStringList{"n=3", "s=1", "i=?"}));
    // Under a real display, RUN_SCREENSHOT names a picture of the paused window
    // with the tree page showing.
    if (qEnvironmentVariableIsSet("RUN_SCREENSHOT")) {
      r.w->resize(1100, 800);
      r.code->SetActivePage(gui::kPageListing);
      QTest::qWait(300);
      r.w->screen()->grabWindow(r.w->winId()).save(qEnvironmentVariable("RUN_SCREENSHOT") + "_listing.png");
      r.Command("ActionNastepnaMikroInstrukcja");
      QTest::qWait(300);
      r.w->screen()->grabWindow(r.w->winId()).save(qEnvironmentVariable("RUN_SCREENSHOT"));
    }
  }

  void microStepsMarkTheNextNodeOnTheTreePage() {
    RunWindow r("start 1 -1\nproc 2 -1 x := 1 + 2\nend -1 -1\n");
    r.Highlight(true, 20);
    r.Command("ActionUruchomKrokPoKroku");
    for (int i = 0; i < 3 && r.c().Current == 0; ++i) r.Command("ActionNastepnaMikroInstrukcja");
    QCOMPARE(r.code->ActivePage(), int(gui::kPageTree));
    gui::TreePage* tree = r.code->Tree();
    r.w->resizeDocks({r.w->Panel("dpNarzedzia")}, {450}, Qt::Vertical);
    QTRY_VERIFY(tree->height() > 200);
    QCOMPARE(r.c().Current, 1);
    QCOMPARE(tree->ShownInstruction, 1);
    const Trozkaz& instruction = r.c().Instructions[1];
    // x := 1 + 2 has five nodes: five evaluating steps, then the pass to the next instruction.
    for (int step = 0; step < 5; ++step) {
      QVERIFY(CurrentStepNode(instruction.Steps, instruction.StepIndex) != nullptr);
      const QImage picture = tree->grab().toImage();
      if (qEnvironmentVariableIsSet("TREE_PICTURE")) picture.save(qEnvironmentVariable("TREE_PICTURE"));
      bool green = false;
      for (int y = 0; y < picture.height() && !green; ++y)
        for (int x = 0; x < picture.width() && !green; ++x) green = picture.pixelColor(x, y) == QColor(0, 128, 0);
      QVERIFY2(green, "the next node is outlined in green");
      r.Command("ActionNastepnaMikroInstrukcja");
      QCOMPARE(r.c().Current, 1);
    }
    QCOMPARE(CurrentStepNode(instruction.Steps, instruction.StepIndex), nullptr);
    r.Command("ActionNastepnaMikroInstrukcja");
    QCOMPARE(r.c().Current, 2);
    QCOMPARE(r.VariableRows(), (QStringList{"x=3"}));
  }

  void runTimeErrorWhileRunningAndWhileStepping() {
    {
      RunWindow r(kDivisionByZero);
      r.Highlight(false);
      r.Command("ActionUruchom");
      // The status names the error, not a normal end.
      QCOMPARE(r.Status1(), test::Text("msgr00004") + " " + gui::FromCore(r.c().Errors.back().Text));
      QVERIFY(r.code->ErrorsPageAttached());
      QCOMPARE(r.code->PageControl()->currentWidget()->objectName(), QStringLiteral("TabSheet4"));
      QCOMPARE(r.code->ErrorList()->count(), 1);
    }
    {
      RunWindow r(kDivisionByZero);
      r.Highlight(true, 20);
      r.Command("ActionUruchomKrokPoKroku");
      r.Command("ActionNastepnaInstrukcja");
      r.Command("ActionNastepnaInstrukcja");
      r.Command("ActionNastepnaInstrukcja");
      QCOMPARE(r.Status1(), test::Text("msgr00004") + " " + gui::FromCore(r.c().Errors.back().Text));
      QCOMPARE(r.code->ErrorList()->count(), 1);
      QVERIFY(r.c().IsFinished());
    }
  }

  void pauseDuringALongDelayStopsAtOnce() {
    RunWindow r(kLongLoop);
    r.Highlight(true, 15000);
    QTimer::singleShot(300, r.w.get(), [&r] { r.w->CommandAction("ActionWstrzymaj")->trigger(); });
    QElapsedTimer clock;
    clock.start();
    r.Command("ActionUruchom");
    QVERIFY2(clock.elapsed() < 10000, "the pause ended the wait of the delay");
    QVERIFY(!r.c().IsFinished());
    QCOMPARE(r.c().Running, uint8_t(0));
    QVERIFY(r.w->CommandAction("ActionWznowWykonywanie")->isEnabled());
    QVERIFY(!r.w->CommandAction("ActionWstrzymaj")->isEnabled());
    // Resuming goes on from the next instruction; stop ends it the same way.
    QTimer::singleShot(300, r.w.get(), [&r] { r.w->CommandAction("ActionZakonczWykonywanie")->trigger(); });
    r.Command("ActionWznowWykonywanie");
    QVERIFY(r.c().IsFinished());
  }

  void pauseDuringAnUnseenRun() {
    RunWindow r(kLongLoop);
    r.Highlight(false);
    QTimer::singleShot(100, r.w.get(), [&r] { r.w->CommandAction("ActionWstrzymaj")->trigger(); });
    r.Command("ActionUruchom");
    QVERIFY(!r.c().IsFinished());
    // The list shows exactly the value the program holds.
    const int32_t i = FindVariable(r.c(), "i");
    QCOMPARE(r.VariableRows(), QStringList{"i=" + gui::FromCore(RenderVariable(r.c(), i))});
  }

  void editingWhilePausedDiscardsTheProgram() {
    RunWindow r(kDivisionByZero);
    r.Command("ActionUruchomKrokPoKroku");
    QVERIFY(!r.c().IsEmpty());
    QCOMPARE(r.Status2(), test::Text("msgm00064"));
    r.w->State().Bloki[1].Kod = "x := 2";
    r.w->State().Repaint();
    QVERIFY(r.c().IsEmpty());
    QCOMPARE(r.Status2(), test::Text("msgm00065"));
    QCOMPARE(r.Status1(), test::Text("msgr00008"));  // never silently
    QCOMPARE(r.code->Listing()->count(), 0);
    QVERIFY(!r.w->CommandAction("ActionNastepnaInstrukcja")->isEnabled());
    // A selection alone changes nothing.
    r.Command("ActionUruchomKrokPoKroku");
    r.w->State().Bloki[1].Zaznaczony = 1;
    r.w->State().Repaint();
    QVERIFY(!r.c().IsEmpty());
    // Another document does.
    r.w->NowyDokument();
    QVERIFY(r.c().IsEmpty());
  }

  void compileErrorsShowTheErrorsPage() {
    RunWindow r("start 1 -1\nproc 2 -1 x := (1\nend -1 -1\n");
    r.Command("ActionKompiluj");
    QCOMPARE(r.Status1(), test::Text("msgm00072"));
    QCOMPARE(r.w->findChild<QLabel*>(QStringLiteral("StatusPanel1"))->property("iconIndex").toInt(), 0);
    QVERIFY(r.code->ErrorsPageAttached());
    QVERIFY(r.code->ErrorList()->count() >= 1);
    r.Command("ActionUruchom");
    QCOMPARE(r.w->findChild<QLabel*>(QStringLiteral("StatusPanel1"))->property("iconIndex").toInt(), -1);
  }
};

TESSARO_GUI_TEST(RunWindowTest)
#include "run_window_test.moc"
