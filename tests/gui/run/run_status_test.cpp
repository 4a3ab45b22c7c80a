// What the run window says while a teacher runs a program in front of a
// class: the status after every way a run ends, the highlight after a
// compile and a pause, the console while a program waits, the listing and
// error list under the arrow keys, the tree page of a tall tree, and a long
// write to the console.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QtTest>
#include <functional>

#include "core/runtime/tree_layout.h"
#include "core/runtime/tree_paint.h"
#include "gui/analysis/tree_page.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui_test.h"
#include "run_fixture.h"

using namespace tessaro;
using test::ConsoleTypist;
using test::DialogAnswer;
using test::kDivisionByZero;
using test::kLongLoop;
using test::RunWindow;

namespace {

const std::string kTwoLines = "start 1 -1\nproc 2 -1 x := 1\\ny := 2\nend -1 -1\n";
const std::string kRead = "start 1 -1\nio 2 -1 read n\nproc 3 -1 m := n + 1\nend -1 -1\n";

// What the diagram showed at its last render: the block marked current and
// the block of the listing's pick.
struct RenderWatch {
  explicit RenderWatch(gui::Tmain& w) {
    gui::DiagramView* view = gui::DiagramViewOf(w);
    QObject::connect(view, &gui::DiagramView::Rendered, [this, view] {
      const RunHighlight* highlight = view->Scene().Highlight;
      current = highlight ? highlight->CurrentBlock : -1;
      picked = highlight ? highlight->InstructionBlock : -1;
      error = highlight ? highlight->ErrorBlock : -1;
    });
  }
  int32_t current = -2;
  int32_t picked = -2;
  int32_t error = -2;
};

int32_t BlockOfCurrent(TKompilatorTS& c) {
  return c.IsFinished() ? -1 : c.Instructions[static_cast<size_t>(c.Current)].BlockIndex;
}

void Type(gui::Console* console, const QString& line) {
  QTest::keyClicks(console, line);
  QTest::keyClick(console, Qt::Key_Return);
}

void ClickItem(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The sum 1 + 2 + ... + n: a tree n levels deep.
std::string TallSum(int n) {
  std::string sum = "1";
  for (int k = 2; k <= n; ++k) sum += " + " + std::to_string(k);
  return "start 1 -1\nproc 2 -1 x := " + sum + "\nend -1 -1\n";
}

}  // namespace

class RunStatusTest : public QObject {
  Q_OBJECT

 private slots:
  void theStatusSaysHowTheRunEnded() {
    struct Case {
      const char* name;
      const std::string& spec;
      std::function<void(RunWindow&)> act;
      std::function<QString(RunWindow&)> expected;
    };
    auto later = [](RunWindow& r, const char* command) {
      QTimer::singleShot(100, r.w.get(), [&r, command] { r.w->CommandAction(command)->trigger(); });
    };
    const Case cases[] = {
        {"pause", kLongLoop,
         [&](RunWindow& r) {
           later(r, "ActionWstrzymaj");
           r.Command("ActionUruchom");
         },
         [](RunWindow&) { return test::Text("msgr00005"); }},
        {"stop during a run", kLongLoop,
         [&](RunWindow& r) {
           later(r, "ActionZakonczWykonywanie");
           r.Command("ActionUruchom");
         },
         [](RunWindow&) { return test::Text("msgr00006"); }},
        {"stop while suspended", kTwoLines,
         [](RunWindow& r) {
           r.Command("ActionUruchomKrokPoKroku");
           r.Command("ActionNastepnaInstrukcja");
           r.Command("ActionZakonczWykonywanie");
         },
         [](RunWindow&) { return test::Text("msgr00006"); }},
        {"run-time error", kDivisionByZero, [](RunWindow& r) { r.Command("ActionUruchom"); },
         [](RunWindow& r) { return test::Text("msgr00004") + " " + gui::FromCore(r.c().Errors.back().Text); }},
        {"cancelled read", kRead,
         [](RunWindow& r) {
           DialogAnswer cancel(*r.w, false);
           r.Command("ActionUruchom");
         },
         [](RunWindow&) { return test::Text("msgr00007"); }},
        {"the end", kTwoLines, [](RunWindow& r) { r.Command("ActionUruchom"); },
         [](RunWindow&) { return test::Text("msgr00001"); }},
        {"console error with no program", kTwoLines,
         [](RunWindow& r) {
           r.code->SetActivePage(gui::kPageConsole);
           Type(r.code->ConsoleEdit(), "1 div 0");
           QVERIFY(r.c().IsEmpty());
         },
         [](RunWindow&) { return QString(); }},
    };
    for (const Case& c : cases) {
      RunWindow r(c.spec);
      r.Highlight(false);
      c.act(r);
      QVERIFY2(r.Status1() == c.expected(r), qPrintable(QString(c.name) + ": " + r.Status1()));
    }
  }

  void theHighlightShowsWhereTheRunIs() {
    RunWindow r(kLongLoop);
    r.Highlight(false);
    RenderWatch watch(*r.w);
    // Compiling marks the start block at once, with highlighting off too.
    for (const char* command : {"ActionUruchomKrokPoKroku", "ActionKompiluj"}) {
      watch.current = -2;
      r.Command(command);
      QCOMPARE(watch.current, 0);
    }
    // An unseen run marks no block while it runs; a pause shows the loop,
    // not the start block.
    int32_t while_running = -2;
    QTimer::singleShot(100, r.w.get(), [&r, &watch, &while_running] {
      while_running = watch.current;
      r.w->CommandAction("ActionWstrzymaj")->trigger();
    });
    r.Command("ActionUruchom");
    QCOMPARE(while_running, -1);
    QVERIFY(!r.c().IsFinished());
    QVERIFY(watch.current == 2 || watch.current == 3);
    QCOMPARE(watch.current, BlockOfCurrent(r.c()));
    // Micro steps on the tree page keep the current block green; nothing is
    // marked as the listing's pick.
    for (int i = 0; i < 4; ++i) {
      r.Command("ActionNastepnaMikroInstrukcja");
      QCOMPARE(r.code->ActivePage(), int(gui::kPageTree));
      QCOMPARE(watch.current, BlockOfCurrent(r.c()));
      QCOMPARE(watch.picked, -1);
      QCOMPARE(r.code->Tree()->ShownInstruction, r.c().Current);
    }
  }

  void theConsoleLeavesAPausedProgramAlone() {
    RunWindow r(kTwoLines);
    r.Highlight(false);
    r.Command("ActionUruchomKrokPoKroku");
    r.Command("ActionNastepnaInstrukcja");
    const QString status = r.Status1();
    QCOMPARE(r.c().Current, 1);
    r.code->SetActivePage(gui::kPageConsole);
    gui::Console* console = r.code->ConsoleEdit();
    // An error is printed in the console; the program waits where it was.
    Type(console, "10 div 0");
    QStringList lines = r.ConsoleLines();
    QVERIFY2(!lines.at(lines.size() - 2).startsWith(test::Text("mgsc00016")), qPrintable(lines.join('|')));
    QCOMPARE(r.c().Current, 1);
    QVERIFY(r.c().Errors.empty());
    QCOMPARE(r.Status1(), status);
    QVERIFY(r.w->CommandAction("ActionNastepnaInstrukcja")->isEnabled());
    // read and write are refused at the prompt.
    Type(console, "read x");
    lines = r.ConsoleLines();
    QCOMPARE(lines.at(lines.size() - 2), test::Text("mgsc00020"));
    QVERIFY(!r.code->ConsoleInputActive());
    // The program goes on as if nothing happened.
    r.Command("ActionNastepnaInstrukcja");
    QCOMPARE(r.c().Current, 2);
    QCOMPARE(r.VariableRows(), (QStringList{"x=1", "y=?"}));
  }

  void noRunOrStepStartsWhileAReadWaits() {
    RunWindow r(kRead);
    r.Highlight(false);
    r.w->Settings().KonsolaWejscie = true;
    r.Command("ActionUruchomKrokPoKroku");
    r.Command("ActionNastepnaInstrukcja");
    QCOMPARE(r.c().Current, 1);
    int32_t seen = -1;
    QTimer typist;
    typist.setInterval(5);
    QObject::connect(&typist, &QTimer::timeout, [&] {
      if (!r.code->ConsoleInputActive()) return;
      typist.stop();
      for (const char* command : {"ActionNastepnaInstrukcja", "ActionUruchom", "ActionUruchomKrokPoKroku",
                                  "ActionKompiluj", "ActionNastepnaMikroInstrukcja"})
        r.w->CommandAction(command)->trigger();
      seen = r.c().Current;
      Type(r.code->ConsoleEdit(), "4");
    });
    typist.start();
    r.Command("ActionNastepnaInstrukcja");
    QCOMPARE(seen, 1);
    QCOMPARE(r.c().Current, 2);
    QCOMPARE(r.VariableRows(), (QStringList{"n=4", "m=?"}));
  }

  void escapeAtAReadLeavesAFreshPrompt() {
    RunWindow r(kRead);
    r.Highlight(false);
    r.w->Settings().KonsolaWejscie = true;
    QTimer escape;
    escape.setInterval(5);
    QObject::connect(&escape, &QTimer::timeout, [&] {
      if (r.code->ConsoleInputActive()) QTest::keyClick(r.code->ConsoleEdit(), Qt::Key_Escape);
    });
    escape.start();
    r.Command("ActionUruchom");
    QCOMPARE(r.ConsoleLines().last(), QStringLiteral(">"));
    QCOMPARE(r.ConsoleLines().at(r.ConsoleLines().size() - 2), QStringLiteral("?"));
    QCOMPARE(r.Status1(), test::Text("msgr00007"));
  }

  void arrowKeysInTheListingMarkTheDiagram() {
    RunWindow r(kTwoLines);
    RenderWatch watch(*r.w);
    r.Command("ActionUruchomKrokPoKroku");
    QListWidget* listing = r.code->Listing();
    r.code->SetActivePage(gui::kPageListing);
    ClickItem(listing, 0);
    QCOMPARE(r.c().SelectedInstruction, 0);
    for (int row : {1, 2}) {
      QTest::keyClick(listing, Qt::Key_Down);
      QCOMPARE(listing->currentRow(), row);
      QCOMPARE(r.c().SelectedInstruction, row);
      QCOMPARE(r.code->Tree()->ShownInstruction, row);
      QCOMPARE(watch.picked, r.c().Instructions[static_cast<size_t>(row)].BlockIndex);
    }
  }

  void arrowKeysInTheErrorListSelectTheError() {
    RunWindow errors("start 1 -1\nproc 2 -1 x := (1\nproc 3 -1 y := (2\nend -1 -1\n");
    errors.Command("ActionKompiluj");
    QListWidget* list = errors.code->ErrorList();
    QVERIFY(list->count() >= 2);
    ClickItem(list, 0);
    QCOMPARE(errors.c().SelectedError, 0);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(errors.c().SelectedError, 1);
  }

  // The block of the error that ended a run, or of a compilation's first
  // error, is framed red at once, with no click in the error list.
  void aFailedRunFramesTheFailingBlockAtOnce() {
    {
      RunWindow r("start 1 -1\nproc 2 -1 x := 1\nproc 3 -1 y := x div 0\nend -1 -1\n");
      r.Highlight(false);
      RenderWatch watch(*r.w);
      r.Command("ActionUruchom");
      QCOMPARE(r.c().SelectedError, int32_t(r.c().Errors.size()) - 1);
      QCOMPARE(watch.error, 2);
      QCOMPARE(r.code->ErrorList()->currentRow(), r.c().SelectedError);
    }
    {
      RunWindow r("start 1 -1\nproc 2 -1 x := 1\nproc 3 -1 y := (2\nend -1 -1\n");
      RenderWatch watch(*r.w);
      r.Command("ActionUruchom");
      QCOMPARE(r.c().SelectedError, 0);
      QCOMPARE(watch.error, 2);
    }
  }

  // A status too long for its panel is cut with "…" and shown whole in the
  // panel's tooltip; the error list shows the whole message. The long text
  // here: a breakpoint condition that cannot be evaluated.
  void noStatusTextIsCutOff() {
    RunWindow r(kTwoLines);
    r.Highlight(false);
    r.w->State().CurrentDocument()->PunktyPrzerwania.push_back(
        TBreakPoint{1, 2, 1, 1, "a_variable_that_nobody_has_ever_declared > 1", 0});
    r.Command("ActionUruchom");
    QCOMPARE(r.c().Errors.size(), size_t{1});
    const QString error = gui::FromCore(r.c().Errors[0].Text);
    QVERIFY2(error.contains(QStringLiteral("a_variable_that_nobody_has_ever_declared")), qPrintable(error));
    auto* panel = r.w->findChild<QLabel*>(QStringLiteral("StatusPanel1"));
    QCOMPARE(panel->text(), test::Text("msgr00004") + " " + error);
    QVERIFY(panel->fontMetrics().horizontalAdvance(panel->text()) > panel->contentsRect().width());
    panel->grab();  // painted: the panel shows the start of the text
    QCOMPARE(panel->toolTip(), panel->text());
    QVERIFY(panel->minimumSizeHint().width() <= panel->width());

    auto* notice = r.w->findChild<QLabel*>(QStringLiteral("StatusPanel0"));
    const QString long_notice = QString(400, QLatin1Char('n'));
    r.w->ShowStatusNotice(long_notice);
    notice->grab();
    QCOMPARE(notice->toolTip(), long_notice);
    QVERIFY(notice->minimumSizeHint().width() < 50);  // a long notice does not widen the window
    r.w->ShowStatusNotice(QStringLiteral("n"));
    notice->grab();
    QCOMPARE(notice->toolTip(), QString());

    QListWidget* list = r.code->ErrorList();
    r.code->SetActivePage(r.code->ActivePage());
    QCOMPARE(list->count(), 1);
    const QRect item = list->visualItemRect(list->item(0));
    const QRect text = list->fontMetrics().boundingRect(QRect(0, 0, item.width() - 80, 100000),
                                                         Qt::TextWordWrap | Qt::AlignLeft, list->item(0)->text());
    QVERIFY2(item.height() >= text.height() + 4, qPrintable(QStringLiteral("%1 < %2").arg(item.height()).arg(text.height())));
  }

  void theListingKeepsTheCurrentInstructionInView() {
    std::string lines = "x := 0";
    for (int k = 1; k < 60; ++k) lines += "\\nx := x + 1";
    RunWindow r("start 1 -1\nproc 2 -1 " + lines + "\nend -1 -1\n");
    r.Highlight(true, 20);
    r.w->resizeDocks({r.w->Panel("dpNarzedzia")}, {150}, Qt::Vertical);
    r.Command("ActionUruchomKrokPoKroku");
    r.code->SetActivePage(gui::kPageListing);
    QListWidget* listing = r.code->Listing();
    for (int step = 0; step < 45; ++step) r.Command("ActionNastepnaInstrukcja");
    QCOMPARE(r.c().Current, 45);
    const QRect item = listing->visualItemRect(listing->item(45));
    QVERIFY2(listing->viewport()->rect().intersects(item), "the current item is scrolled into view");
  }

  void aTallTreeShowsItsMarkedNode() {
    RunWindow r(TallSum(30));
    r.Highlight(true, 20);
    r.w->resize(1100, 800);
    r.w->resizeDocks({r.w->Panel("dpNarzedzia")}, {320}, Qt::Vertical);
    r.Command("ActionUruchomKrokPoKroku");
    r.Command("ActionNastepnaInstrukcja");
    gui::TreePage* tree = r.code->Tree();
    r.Command("ActionNastepnaMikroInstrukcja");
    QTRY_VERIFY(tree->TreeHeight > 0);
    const Trozkaz& instruction = r.c().Instructions[1];
    QVERIFY2(tree->TreeHeight > tree->height(), "the tree is taller than the page");
    auto marked_visible = [&] {
      const TwrTree* node = CurrentStepNode(instruction.Steps, instruction.StepIndex);
      if (!node) return false;
      const TTreeExtent extent = TreeExtent(instruction.Tree.get());
      const int x = tree->width() < extent.Width ? tree->TreeScrollX - extent.Left + 10
                                                 : tree->width() / 2 + tree->TreeScrollX;
      const int y = tree->TreeScrollY + 50 + node->PosY;
      return x + node->PosX > 0 && x + node->PosX < tree->width() && y > 40 && y + 14 < tree->height();
    };
    // Every micro step: the node to compute next is on the page.
    for (int step = 0; step < 6; ++step) {
      QVERIFY2(marked_visible(), qPrintable(QString("step %1").arg(step)));
      r.Command("ActionNastepnaMikroInstrukcja");
    }
    if (qEnvironmentVariableIsSet("TALL_TREE_SCREENSHOT")) {
      QTest::qWait(300);
      r.w->screen()->grabWindow(r.w->winId()).save(qEnvironmentVariable("TALL_TREE_SCREENSHOT"));
    }
    // The page was moved up to show the low node, and can be dragged back.
    const int before = tree->TreeScrollY;
    QVERIFY(before < -80);
    QTest::mousePress(tree, Qt::LeftButton, {}, QPoint(100, 20));
    QTest::mouseMove(tree, QPoint(100, 100));
    QTest::mouseRelease(tree, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(tree->TreeScrollY, before + 80);
  }

  void afterTheEndAListingClickShowsTheTreeWithoutValues() {
    RunWindow r("start 1 -1\nproc 2 -1 x := 1 + 2\nend -1 -1\n");
    r.Highlight(false);
    r.Command("ActionUruchom");
    QVERIFY(r.c().IsFinished());
    r.code->SetActivePage(gui::kPageListing);
    ClickItem(r.code->Listing(), 1);
    QCOMPARE(r.code->Tree()->ShownInstruction, 1);
    const TwrTree* sum = r.c().Instructions[1].Tree->RightNode;
    QVERIFY(sum);
    QCOMPARE(NodeValueText(*sum), std::string());
  }

  void aLongWriteKeepsTheConsoleShort() {
    // s doubles 18 times: a text of 2.6 million characters.
    RunWindow r("start 1 -1\nproc 2 -1 s := '0123456789'\\nk := 0\ncond 4 3 k < 18\n"
                "proc 2 -1 s := s + s\\nk := k + 1\nio 5 -1 write s\nend -1 -1\n");
    r.Highlight(false);
    r.w->Settings().KonsolaWyjscie = true;
    r.Command("ActionUruchom");
    QCOMPARE(r.Status1(), test::Text("msgr00001"));
    const QString text = r.code->ConsoleEdit()->toPlainText();
    QCOMPARE(text.size(), gui::kConsoleTextLimit);
    QVERIFY(text.endsWith(QStringLiteral("56789\n>")));
  }
};

TESSARO_GUI_TEST(RunStatusTest)
#include "run_status_test.moc"
