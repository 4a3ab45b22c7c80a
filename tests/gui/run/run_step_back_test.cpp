// Stepping back through the real window, by the keys: what the pupil sees
// after steps back equals what fewer steps forward showed, a read answered
// before is not asked again, and stop, an edit or a history of no size leave
// nothing to step back into.
#include <QAction>
#include <QDockWidget>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "core/i18n/language.h"
#include "core/language/variables.h"
#include "core/runtime/run_history.h"
#include "gui/analysis/analysis_items.h"
#include "gui/analysis/console.h"
#include "gui/analysis/tcode.h"
#include "gui/analysis/tree_page.h"
#include "gui/breakpoints/breakpoint_page.h"
#include "gui/breakpoints/main_window_breakpoints.h"
#include "gui/run/trun.h"
#include "gui/shell/qt_text.h"
#include "gui_test.h"
#include "run_fixture.h"

using namespace tessaro;

namespace {

using test::ConsoleTypist;
using test::kFactorial;
using test::kLongLoop;
using test::RunWindow;

// Writes inside the loop, so that output is cut back too.
const std::string kWritingLoop =
    "start 1 -1\nproc 2 -1 i := 0\ncond 5 3 i < 4\nproc 4 -1 i := i + 1\nio 2 -1 write i\nend -1 -1\n";

// Two conversions, one block each.
const std::string kConversions =
    "start 1 -1\nproc 2 -1 a := DecToHex('91')\nproc 3 -1 b := DecToOct('67')\nend -1 -1\n";

const char* const kBackCommands[] = {"ActionPoprzedniaInstrukcja", "ActionPoprzedniBlok",
                                     "ActionPoprzedniaMikroInstrukcja"};

// Everything the pupil sees of a paused run.
struct Seen {
  QStringList variables;
  int32_t current = -1;
  int32_t block = -1;
  int32_t line = -1;
  int32_t step_index = -1;
  int listing_row = -1;
  QColor listing_fill;
  QString console;
  QImage tree;
  QString breakpoints;

  bool operator==(const Seen&) const = default;
};

QString Describe(const Seen& s) {
  return QStringLiteral("vars %1 | current %2 block %3 line %4 step %5 | row %6 | bps %7 | console %8")
      .arg(s.variables.join(','))
      .arg(s.current)
      .arg(s.block)
      .arg(s.line)
      .arg(s.step_index)
      .arg(s.listing_row)
      .arg(s.breakpoints)
      .arg(s.console.right(80));
}

struct Window : RunWindow {
  explicit Window(const std::string& spec) : RunWindow(spec) {
    w->Settings().KonsolaWejscie = true;
    w->Settings().KonsolaWyjscie = true;
    Highlight(true, 1);
    w->resize(1000, 760);
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("the window is not active");
    // The tree page shows, big enough to draw the whole tree.
    if (QDockWidget* dock = w->Panel("dpNarzedzia")) dock->show();
    w->resizeDocks({w->Panel("dpNarzedzia")}, {400}, Qt::Vertical);
  }

  // One key press; the shortcuts are the commands' own.
  void Key(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (int k = 0; k < times; ++k) QTest::keyClick(w.get(), key, modifiers);
  }
  void Back(Qt::Key key, int times = 1) { Key(key, times, Qt::ShiftModifier); }

  bool BackEnabled() const {
    bool any = false;
    for (const char* name : kBackCommands) any = any || w->CommandAction(name)->isEnabled();
    return any;
  }

  Seen Now() {
    Seen s;
    s.variables = VariableRows();
    s.current = c().Current;
    if (const RunHighlight* h = run->Highlight()) {
      s.block = h->CurrentBlock;
      s.line = h->CurrentLine;
    }
    if (c().HasInstruction(c().Current)) s.step_index = c().Instructions[size_t(c().Current)].StepIndex;
    s.listing_row = code->Listing()->currentRow();
    s.listing_fill = gui::AnalysisItemDelegate::ListingFill(c(), c().Current);
    s.console = code->ConsoleEdit()->toPlainText();
    // The page's scroll follows the path the steps took, not the run's state:
    // the picture is taken unscrolled.
    gui::TreePage* tree = code->Tree();
    const QPoint scroll(tree->TreeScrollX, tree->TreeScrollY);
    tree->TreeScrollX = tree->TreeScrollY = 0;
    s.tree = tree->grab().toImage();
    tree->TreeScrollX = scroll.x();
    tree->TreeScrollY = scroll.y();
    if (gui::BreakpointPage* page = gui::BreakpointPageOf(*w))
      for (int row = 0; row < page->List()->count(); ++row) s.breakpoints += page->List()->item(row)->text() + '|';
    return s;
  }
};

}  // namespace

class RunStepBackTest : public QObject {
  Q_OBJECT

 private slots:
  // n = 5; after `forward` + `more` steps and `more` steps back the window
  // shows what it showed after `forward` steps, for each size of step.
  void stepsBackShowWhatFewerStepsForwardShowed_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("forward");
    QTest::addColumn<int>("more");
    QTest::newRow("instruction, 10 forward, 4 back") << int(Qt::Key_F8) << 6 << 4;
    QTest::newRow("block") << int(Qt::Key_F6) << 4 << 3;
    QTest::newRow("micro step") << int(Qt::Key_F7) << 14 << 5;
  }
  void stepsBackShowWhatFewerStepsForwardShowed() {
    QFETCH(int, key);
    QFETCH(int, forward);
    QFETCH(int, more);
    Window r(kFactorial);
    // A breakpoint that counts its passes through the loop's body, without stopping.
    r.w->State().CurrentDocument()->PunktyPrzerwania.push_back(TBreakPoint{4, 1, 1, 0, "1", 0, 1000});
    ConsoleTypist typist(*r.code, {QStringLiteral("5"), QStringLiteral("7")});
    r.Key(Qt::Key_F4);
    r.code->SetActivePage(gui::kPageTree);
    QVERIFY(!r.BackEnabled());
    r.Key(Qt::Key(key), forward);
    QVERIFY(r.BackEnabled());
    // The read showed the console; the tree page follows the steps from here.
    r.code->SetActivePage(gui::kPageTree);
    r.code->FollowCurrent();
    const Seen before = r.Now();
    QVERIFY2(before.variables.contains("n=5"), qPrintable(Describe(before)));
    r.Key(Qt::Key(key), more);
    const Seen ahead = r.Now();
    QVERIFY(!(ahead == before));
    r.Back(Qt::Key(key), more);
    const Seen back = r.Now();
    QVERIFY2(back == before, qPrintable(Describe(back) + "\n" + Describe(before)));
    QVERIFY2(back.tree == before.tree, "the tree page shows the values of that moment");
    QCOMPARE(r.Status1(), test::Text("msgr00005"));
    // Forward again the same steps: the same moment as before.
    r.Key(Qt::Key(key), more);
    const Seen again = r.Now();
    QVERIFY2(again == ahead, qPrintable(Describe(again) + "\n" + Describe(ahead)));
  }

  // Back to before the read and on again: the answer given before is taken
  // without asking, and the console says so.
  void aReadAnsweredBeforeIsNotAskedAgain() {
    Window r(kFactorial);
    ConsoleTypist typist(*r.code, {QStringLiteral("5"), QStringLiteral("7")});
    r.Key(Qt::Key_F4);
    r.Key(Qt::Key_F8, 6);
    const Seen six = r.Now();
    r.Back(Qt::Key_F8, 5);  // before the read
    QCOMPARE(r.VariableRows(), (QStringList{"n=?", "s=?", "i=?"}));
    QVERIFY2(!r.code->ConsoleEdit()->toPlainText().contains(QStringLiteral("?5")), "the answer's line went");
    r.Key(Qt::Key_F8, 5);
    QVERIFY(!r.code->ConsoleInputActive());
    QCOMPARE(r.VariableRows(), six.variables);
    const QString console = r.code->ConsoleEdit()->toPlainText();
    QVERIFY2(console.contains(QStringLiteral("?5 ") + test::Text("msgr00010")), qPrintable(console));
    QVERIFY2(!console.contains(QStringLiteral("?7")), qPrintable(console));
    // Running on to the end: 5! and nothing asked.
    r.Key(Qt::Key_F9);
    QCOMPARE(r.VariableRows(), (QStringList{"n=5", "s=120", "i=6"}));
  }

  // What a write put in the console after the moment goes; what came before stays.
  void outputWrittenAfterTheMomentLeavesTheConsole() {
    Window r(kWritingLoop);
    r.Key(Qt::Key_F4);
    r.Key(Qt::Key_F6, 5);  // start, i := 0, the condition, i := i + 1, write i
    const QString one = r.code->ConsoleEdit()->toPlainText();
    QVERIFY2(one.endsWith(QStringLiteral(">i = 1\n>")), qPrintable(one));
    r.Key(Qt::Key_F6, 3);
    QVERIFY(r.code->ConsoleEdit()->toPlainText().endsWith(QStringLiteral(">i = 2\n>")));
    r.Back(Qt::Key_F6, 3);
    QCOMPARE(r.code->ConsoleEdit()->toPlainText(), one);
    r.Back(Qt::Key_F6);
    QCOMPARE(r.code->ConsoleEdit()->toPlainText(), one.chopped(QStringLiteral("i = 1\n>").size()));
    QCOMPARE(r.VariableRows(), QStringList{"i=1"});
  }

  // The conversion panel shows the last conversion done by the moment gone back to.
  void theConversionPanelGoesBackToTheEarlierConversion() {
    Window r(kConversions);
    auto* value = r.w->findChild<QLineEdit*>(QStringLiteral("edWartoscKonwersji"));
    r.Key(Qt::Key_F4);
    r.Key(Qt::Key_F8, 2);
    QTRY_COMPARE(value->text(), QStringLiteral("91"));
    r.Key(Qt::Key_F8);
    QTRY_COMPARE(value->text(), QStringLiteral("67"));
    r.Back(Qt::Key_F8);
    QTRY_COMPARE(value->text(), QStringLiteral("91"));
    QCOMPARE(r.VariableRows(), (QStringList{"a=5B", "b=?"}));
  }

  // A continuous run keeps its history: paused while unseen, it steps back
  // one pass of its loop with two instruction steps.
  void aContinuousRunCanBeSteppedBackInto() {
    Window r(kLongLoop);
    r.Highlight(false);
    QTimer::singleShot(200, r.w.get(), [&r] { r.w->CommandAction("ActionWstrzymaj")->trigger(); });
    r.Command("ActionUruchom");
    QVERIFY(!r.c().IsFinished());
    QVERIFY(r.BackEnabled());
    const int32_t i = FindVariable(r.c(), "i");
    const QString before = gui::FromCore(RenderVariable(r.c(), i));
    r.Back(Qt::Key_F8, 2);
    QCOMPARE(r.VariableRows(), QStringList{"i=" + QString::number(before.toLongLong() - 1)});
  }

  // The history goes with stop, an edit and a new run; with no memory for
  // it there is none.
  void stopEditAndNoBudgetLeaveNothingToStepBackInto() {
    Window r(kFactorial);
    ConsoleTypist typist(*r.code, {QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("5")});
    r.Key(Qt::Key_F4);
    r.Key(Qt::Key_F8, 4);
    QVERIFY(r.BackEnabled());
    r.Key(Qt::Key_F2);  // stop
    QVERIFY(!r.BackEnabled());
    QVERIFY(!r.c().CanStepBack());

    r.Key(Qt::Key_F4);
    r.Key(Qt::Key_F8, 4);
    QVERIFY(r.BackEnabled());
    r.w->State().Bloki[2].Kod = "s := 2";
    r.w->State().Repaint();
    QVERIFY(!r.BackEnabled());
    QVERIFY(!r.c().CanStepBack());

    r.w->Settings().LimitHistorii = 0;
    r.Key(Qt::Key_F4);
    r.Key(Qt::Key_F8, 4);
    QVERIFY(!r.BackEnabled());
    r.Back(Qt::Key_F8);
    QCOMPARE(r.c().Current, 4);
  }

  // Once the oldest history is gone the status bar says how far back it reaches.
  void theStatusSaysHowFarBackTheHistoryReaches() {
    Window r(kLongLoop);
    r.Highlight(false);
    r.w->Settings().LimitHistorii = 1;
    r.Command("ActionKompiluj");
    // A copy every 64 steps: 1 MB of them is soon full, and the oldest go.
    r.c().History->SetFixedInterval(64);
    QTimer::singleShot(300, r.w.get(), [&r] { r.w->CommandAction("ActionWstrzymaj")->trigger(); });
    r.Command("ActionUruchom");
    QVERIFY(!r.c().IsFinished());
    QVERIFY(r.c().History->Horizon() > 0);
    const QString reach = QString::number(r.c().HistoryReach());
    QCOMPARE(r.Status1(), test::Text("msgr00005") + " " + test::Text("msgr00009").replace("%s", reach));
    r.Back(Qt::Key_F8);
    QCOMPARE(r.Status1(), test::Text("msgr00005") + " " +
                              test::Text("msgr00009").replace("%s", QString::number(r.c().HistoryReach())));
  }
};

TESSARO_GUI_TEST(RunStepBackTest)
#include "run_step_back_test.moc"
