// Runaway programs in the window: a doubling text and a growing array stop
// at the memory budget with their own error, and the stop command ends a run
// that allocates at once. The stop's time is printed, not asserted: speed
// belongs to the benchmarks.
#include <QAction>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

#include "core/language/value_memory.h"
#include "core/language/variables.h"
#include "gui/run/trun.h"
#include "gui_test.h"
#include "run_fixture.h"

using namespace tessaro;

namespace {

using test::RunWindow;

const std::string kDoublingText = "start 1 -1\nproc 2 -1 s := 'ab'\nproc 2 -1 s := s + s\nend -1 -1\n";
const std::string kGrowingArray = "start 1 -1\nproc 2 -1 i := 1\nproc 2 -1 t[i] := i; i := i + 1\nend -1 -1\n";
// Grows without end but slowly: a text one character longer at each step.
const std::string kGrowingText = "start 1 -1\nproc 2 -1 s := ''\nproc 2 -1 s := s + 'x'\nend -1 -1\n";

}  // namespace

class RunBudgetTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { SetMemoryBudgetMB(kDefaultMemoryBudgetMB); }

  void runawayValuesEndWithTheirOwnError_data() {
    QTest::addColumn<QString>("spec");
    QTest::addColumn<QString>("message");
    QTest::newRow("doubling text") << QString::fromStdString(kDoublingText) << QStringLiteral("msgcmp000058");
    QTest::newRow("growing array") << QString::fromStdString(kGrowingArray) << QStringLiteral("msgcmp000059");
  }
  void runawayValuesEndWithTheirOwnError() {
    QFETCH(QString, spec);
    QFETCH(QString, message);
    RunWindow r(spec.toStdString());
    r.w->Settings().LimitPamieci = 32;  // applied when the run compiles
    r.Highlight(false);
    r.Command("ActionUruchom");
    QCOMPARE(MemoryBudgetMB(), int64_t{32});
    QVERIFY(r.c().IsFinished());
    QCOMPARE(r.c().Errors.size(), size_t{1});
    const std::string text = r.c().Errors[0].Text;
    const std::string format = LangText(message.toLatin1().constData());
    QVERIFY2(text.rfind(format.substr(0, format.find("%s")), 0) == 0, text.c_str());
    QVERIFY2(text.find("(32 MB)") != std::string::npos, text.c_str());
    QCOMPARE(r.c().Errors[0].Block, 2);
    QCOMPARE(r.code->ErrorList()->count(), 1);
    // The variable list shows a glimpse of the large value, not all of it.
    for (const QString& row : r.VariableRows()) QVERIFY(row.size() <= int(gui::kShownValueLength) + 16);
  }

  // Stop (the command behind F2, the toolbar and the menu) during runs that
  // allocate: the time from the command to the end of the run is printed.
  void stopEndsAnAllocatingRunAtOnce_data() {
    QTest::addColumn<QString>("spec");
    QTest::newRow("doubling text") << QString::fromStdString(kDoublingText);
    QTest::newRow("growing array") << QString::fromStdString(kGrowingArray);
    QTest::newRow("growing text") << QString::fromStdString(kGrowingText);
  }
  void stopEndsAnAllocatingRunAtOnce() {
    QFETCH(QString, spec);
    RunWindow r(spec.toStdString());
    r.w->Settings().LimitPamieci = 1024;  // the budget is not what ends it first
    r.Highlight(false);
    QElapsedTimer since_stop;
    QTimer::singleShot(100, r.w.get(), [&r, &since_stop] {
      since_stop.start();
      r.w->CommandAction("ActionZakonczWykonywanie")->trigger();
    });
    r.Command("ActionUruchom");
    const qint64 elapsed = since_stop.isValid() ? since_stop.elapsed() : -1;
    qInfo("%s: the run ended %lld ms after the stop command (%s)", QTest::currentDataTag(),
          static_cast<long long>(elapsed), r.c().Errors.empty() ? "stopped" : r.c().Errors[0].Text.c_str());
    QVERIFY(r.c().IsFinished());
    QVERIFY(!r.c().Running);
  }
};

TESSARO_GUI_TEST(RunBudgetTest)
#include "run_budget_test.moc"
