// The analysis views: the item-height rule, the listing and error-list
// texts and clicks, the errors page coming and going, the tree page's drag
// limits and copy, and the word descriptions of the hover hint.
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMimeData>
#include <QTabWidget>
#include <QtTest>

#include "alg_spec.h"
#include "core/i18n/language.h"
#include "core/language/builtin_functions.h"
#include "core/runtime/tree_layout.h"
#include "gui/analysis/analysis_items.h"
#include "gui/analysis/describe_word.h"
#include "gui/analysis/tcode.h"
#include "gui/analysis/tree_page.h"
#include "gui/shell/qt_text.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

const std::string kOneBlock = "start 1 -1\nproc 2 -1 x := 1\nend -1 -1\n";

struct Compiled {
  explicit Compiled(const std::string& spec) {
    std::string error;
    fixtures::ParseAlgSpec(spec, bloki, error);
    c.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, extensions, breakpoints);
    c.PrepareRun();
    code.SetCompiler(&c);
    code.resize(500, 300);
    code.show();
  }
  test::ShellHome home;
  test::RecordingDialogs dialogs;
  std::vector<Tobj> bloki;
  std::vector<TPlugInEntry> extensions;
  TBreakPointArray breakpoints;
  TKompilatorTS c;
  gui::Tcode code;
};

QStringList Items(QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

}  // namespace

class AnalysisViews : public QObject {
  Q_OBJECT

 private slots:
  void itemHeights_data() {
    QTest::addColumn<int>("blank");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("fits one line") << 7 << 20 << 400 << 18;
    QTest::newRow("two lines") << 7 << 30 << 400 << 33;
    QTest::newRow("many lines") << 7 << 100 << 180 << 18 + 11 * 15;
    QTest::newRow("just wider than 80") << 7 << 1 << 81 << 18 + 11 * 15;
    QTest::newRow("80 wide") << 7 << 50 << 80 << 18;
    QTest::newRow("narrower") << 7 << 50 << 10 << 18;
  }
  void itemHeights() {
    QFETCH(int, blank);
    QFETCH(int, length);
    QFETCH(int, width);
    QFETCH(int, height);
    QCOMPARE(gui::ItemHeight(blank, length, width), height);
  }

  void listingOfAProgram() {
    Compiled p(kOneBlock);
    p.code.WriteListing();
    QCOMPARE(Items(p.code.Listing()).size(), 3);
    QVERIFY(Items(p.code.Listing()).at(1).contains(QStringLiteral("x := 1")));
    QCOMPARE(Items(p.code.Listing()).at(2), test::Text("msgcmp000020"));
    // Clicking an item selects its instruction and shows its tree.
    p.code.Listing()->setCurrentRow(1);
    p.code.ListingClick();
    QCOMPARE(p.c.SelectedInstruction, 1);
    QCOMPARE(p.code.Tree()->ShownInstruction, 1);
  }

  void currentAndNextItemsOfACondition() {
    Compiled p("start 1 -1\ncond 2 3 1 = 1\nend -1 -1\nend -1 -1\n");
    p.c.InstructionStep();  // now at the condition
    QCOMPARE(p.c.Current, 1);
    QCOMPARE(gui::AnalysisItemDelegate::ListingFill(p.c, 1), QColor(233, 254, 235));
    QCOMPARE(gui::AnalysisItemDelegate::ListingFill(p.c, 2), QColor(243, 243, 243));
    QCOMPARE(gui::AnalysisItemDelegate::ListingFill(p.c, 3), QColor(243, 243, 243));
    QCOMPARE(gui::AnalysisItemDelegate::ListingFill(p.c, 0), QColor(Qt::white));
  }

  void errorListClickSelectsErrorOrWarning() {
    Compiled p(kOneBlock);
    p.c.Errors = {{"e1", -1, 0}, {"e2", -1, 1}};
    p.c.Warnings = {{"w1", -1, 2}};
    p.code.WriteErrorList();
    QCOMPARE(p.code.ErrorList()->count(), 3);
    const std::tuple<int, int, int> clicks[] = {{0, 0, -1}, {1, 1, -1}, {2, -1, 0}};
    for (const auto& [row, error, warning] : clicks) {
      p.code.ErrorList()->setCurrentRow(row);
      p.code.ErrorListClick();
      QCOMPARE(p.c.SelectedError, error);
      QCOMPARE(p.c.SelectedWarning, warning);
    }
  }

  void errorsPageIsAttachedLast() {
    Compiled p(kOneBlock);
    QTabWidget* pages = p.code.PageControl();
    QCOMPARE(pages->count(), 5);
    p.code.ShowErrorsPage();
    QCOMPARE(pages->count(), 6);
    QCOMPARE(pages->currentIndex(), 5);
    QCOMPARE(pages->tabText(5), test::Text("msg00387"));
    p.code.DetachErrorsPage();
    QCOMPARE(pages->count(), 5);
    QCOMPARE(pages->tabText(gui::kPageConsole), test::Text("msg00382"));
  }

  void treeDragStaysWithinItsLimits() {
    Compiled p("start 1 -1\nproc 2 -1 x := 1 + 2\nend -1 -1\n");
    p.code.SetActivePage(gui::kPageTree);
    gui::TreePage* tree = p.code.Tree();
    tree->ShowInstructionTree(1);
    QCOMPARE(tree->ShownInstruction, 1);
    QVERIFY(QTest::qWaitForWindowExposed(&p.code));
    tree->update();
    QTRY_VERIFY(tree->TreeHeight > 0);
    QVERIFY2(tree->TreeHeight < tree->height(), qPrintable(QString::number(tree->height())));
    const int lowest = tree->height() - tree->TreeHeight - 50;
    QTest::mousePress(tree, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(tree, QPoint(30, 10 + 2000));
    QCOMPARE(tree->TreeScrollY, std::max(0, lowest));
    QCOMPARE(tree->TreeScrollX, 20);
    QTest::mouseMove(tree, QPoint(30, 10 - 2000));
    QCOMPARE(tree->TreeScrollY, 0);
    QTest::mouseRelease(tree, Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseMove(tree, QPoint(60, 60));
    QCOMPARE(tree->TreeScrollX, 20);  // released: no more dragging
    tree->ResetTreePage();
    QCOMPARE(tree->ShownInstruction, -1);
    QCOMPARE(tree->TreeScrollX, 0);
  }

  void copyingTheTree() {
    Compiled p("start 1 -1\nproc 2 -1 x := 1 + 2\nend -1 -1\n");
    gui::TreePage* tree = p.code.Tree();
    tree->CopyToClipboard();
    QCOMPARE(p.dialogs.shown.size(), size_t(1));
    QCOMPARE(p.dialogs.shown[0].caption, LangText("mgsc00003"));
    QCOMPARE(p.dialogs.shown[0].text, LangText("mgsc00008"));
    tree->ShowInstructionTree(1);
    tree->CopyToClipboard();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data->hasImage());
    QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const TTreeExtent extent = TreeExtent(p.c.Instructions[1].Tree.get());
    QCOMPARE(image.size(), QSize(extent.Width, extent.Height));
  }

  void describeWord_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");
    const QString sqrt = gui::FromCore(" - " + LangText("msgcmp000007") + ": " +
                                       BuiltinHint(FindBuiltinFunction("Sqrt")));
    QTest::newRow("builtin") << "Sqrt" << true << sqrt;
    QTest::newRow("builtin any case") << "SQRT" << true << sqrt;
    QTest::newRow("read") << "rEaD" << true << " - " + test::Text("msgcmp000009");
    QTest::newRow("struct") << "struct" << true << " - " + test::Text("msgcmp000013");
    QTest::newRow("unknown") << "nothing" << false << "";
  }
  void describeWord() {
    QFETCH(QString, word);
    QFETCH(bool, found);
    QFETCH(QString, text);
    test::ShellHome home;
    TKompilatorTS c;
    const gui::TWordDescription d = gui::DescribeWord(c, gui::ToCore(word));
    QCOMPARE(d.Found, found);
    QCOMPARE(gui::FromCore(d.Text), text);
  }

  void aVariableHidesTheBuiltinOfItsName() {
    Compiled p("start 1 -1\nproc 2 -1 Sqrt := 2\nend -1 -1\n");
    QVERIFY(!gui::DescribeWord(p.c, "Sqrt").Found);
  }
};

TESSARO_GUI_TEST(AnalysisViews)
#include "analysis_views_test.moc"
