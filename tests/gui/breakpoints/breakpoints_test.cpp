// Breakpoints through the real window: a click in a block's margin, the
// breakpoint page with its dialog, and the stops of a run they cause.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include "core/language/variables.h"
#include "gui/breakpoints/breakpoint_dialog.h"
#include "gui/breakpoints/breakpoint_page.h"
#include "gui/breakpoints/main_window_breakpoints.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui_test.h"
#include "picture/qt_canvas.h"
#include "run_fixture.h"

using namespace tessaro;

namespace {

using test::ConsoleTypist;
using test::kFactorial;
using test::RunWindow;

// Block 4 of kFactorial is the loop's body: line 1 «s := s * i», line 2 «i := i + 1».
constexpr int32_t kBody = 4;

struct Window : RunWindow {
  Window() : RunWindow(kFactorial), typist(*code, {QStringLiteral("5")}) {
    Highlight(false);
    w->Settings().KonsolaWejscie = true;
    w->Settings().KonsolaWyjscie = true;
    page = gui::BreakpointPageOf(*w);
  }
  TBreakPointArray& Breakpoints() { return w->State().CurrentDocument()->PunktyPrzerwania; }
  // The paint-box point of diagram point (x, y).
  QPoint Screen(int32_t x, int32_t y) const {
    const double z = w->View().Skala / 100;
    return {int((x + w->View().PoczatekX) * z), int((y + w->View().PoczatekY) * z)};
  }
  QWidget* PaintBox() const { return gui::DiagramViewOf(*w)->PaintBox(); }
  // Clicks the breakpoint margin of `block` at text line `line`.
  void ClickMargin(int32_t block, int32_t line) {
    const Tobj& b = w->State().Bloki[static_cast<size_t>(block)];
    picture::QtTextMetrics metrics;
    const int32_t lh = metrics.LineHeight(FontSpec{b.Styl.NazwaCzcionki, b.Styl.RozmiarCzcionki});
    const int32_t dy = (line + 1) * lh - 15 + lh / 2;
    QTest::mouseClick(PaintBox(), Qt::LeftButton, Qt::NoModifier, Screen(b.Left + b.Width - 10, b.Top + dy));
  }
  // The paint-box point of the margin of `block` at text line `line`.
  QPoint MarginPoint(int32_t block, int32_t line) const {
    const Tobj& b = w->State().Bloki[static_cast<size_t>(block)];
    picture::QtTextMetrics metrics;
    const int32_t lh = metrics.LineHeight(FontSpec{b.Styl.NazwaCzcionki, b.Styl.RozmiarCzcionki});
    return Screen(b.Left + b.Width - 10, b.Top + (line + 1) * lh - 15 + lh / 2);
  }
  std::vector<std::pair<int32_t, int32_t>> Places() const {
    std::vector<std::pair<int32_t, int32_t>> places;
    for (const Tobj& b : w->State().Bloki) places.emplace_back(b.Left, b.Top);
    return places;
  }
  // Configures list item `row` through the dialog, `fill` setting its controls.
  bool Configure(int row, const std::function<void(gui::TFormBreakPoint&)>& fill) {
    page->List()->setCurrentRow(row);
    bool accepted = false;
    page->RunDialog = [&](gui::TFormBreakPoint& dialog) {
      fill(dialog);
      dialog.accept();
      accepted = dialog.result() == QDialog::Accepted;
      return dialog.result();
    };
    page->findChild<QPushButton*>(QStringLiteral("TBXButton5"))->click();
    return accepted;
  }
  std::string Value(const char* name) {
    const int32_t v = FindVariable(c(), name);
    return v < 0 ? std::string() : RenderVariable(c(), v);
  }

  ConsoleTypist typist;
  gui::BreakpointPage* page = nullptr;
};

void SetCondition(gui::TFormBreakPoint& dialog, const QString& condition) {
  dialog.findChild<QRadioButton*>(QStringLiteral("RadioButton2"))->setChecked(true);
  dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(condition);
}

}  // namespace

class BreakpointsTest : public QObject {
  Q_OBJECT

 private slots:
  void marginClickAddsABreakpointThatStopsTheRun() {
    Window r;
    r.ClickMargin(kBody, 2);
    QCOMPARE(r.Breakpoints().size(), size_t(1));
    QCOMPARE(r.Breakpoints()[0], (TBreakPoint{kBody, 2, 1, 0, "1", 0}));
    QCOMPARE(r.page->List()->count(), 1);
    QVERIFY(r.page->List()->item(0)->text().contains(QStringLiteral("i := i + 1")));

    r.Command("ActionUruchom");
    QCOMPARE(int(r.c().BreakpointHit), 1);
    const Trozkaz& at = r.c().Instructions[static_cast<size_t>(r.c().Current)];
    QCOMPARE(at.BlockIndex, kBody);
    QCOMPARE(at.Line, 2);
    QCOMPARE(r.Value("n"), std::string("5"));
    QCOMPARE(r.Value("i"), std::string("1"));

    // A second click removes it; the run then goes to its end.
    r.ClickMargin(kBody, 2);
    QVERIFY(r.Breakpoints().empty());
    QCOMPARE(r.page->List()->count(), 0);
    r.Command("ActionUruchom");
    QVERIFY(r.c().IsFinished());
    QCOMPARE(r.Value("s"), std::string("120"));
  }

  // A press in the margin takes its whole click: the release, and the
  // second click of a double click, reach neither the block nor the rubber
  // band, whatever the press before it left behind.
  void marginClicksMoveAndSelectNothing_data() {
    QTest::addColumn<bool>("double_click");
    QTest::newRow("two clicks") << false;
    QTest::newRow("a double click") << true;
  }
  void marginClicksMoveAndSelectNothing() {
    QFETCH(bool, double_click);
    Window r;
    const auto places = r.Places();
    const QPoint margin = r.MarginPoint(kBody, 1);
    QTest::mouseClick(r.PaintBox(), Qt::LeftButton, {}, QPoint(r.PaintBox()->width() - 20, 20));  // empty canvas
    QCOMPARE(r.w->State().Wybrany, -1);
    if (double_click) {
      QTest::mouseDClick(r.w->windowHandle(), Qt::LeftButton, {}, r.PaintBox()->mapTo(r.w.get(), margin));
    } else {
      QTest::mouseClick(r.PaintBox(), Qt::LeftButton, {}, margin);
      QCOMPARE(r.Breakpoints().size(), size_t(1));
      QTest::mouseClick(r.PaintBox(), Qt::LeftButton, {}, margin);
    }
    QCoreApplication::processEvents();
    QVERIFY(r.Breakpoints().empty());  // toggled on and off again
    QCOMPARE(r.Places(), places);
    QCOMPARE(r.w->State().Wybrany, -1);
    QVERIFY(!r.w->State().GrupaAktywna);
    for (const Tobj& b : r.w->State().Bloki) QCOMPARE(int(b.Zaznaczony), 0);
    // The editor is ready for an ordinary click afterwards.
    QTest::mouseClick(r.PaintBox(), Qt::LeftButton, {}, r.MarginPoint(kBody, 3));
    QCOMPARE(r.w->State().Wybrany, kBody);
    QCOMPARE(r.Places(), places);
  }

  void clickBelowTheLastLineSelectsTheBlock() {
    Window r;
    r.ClickMargin(kBody, 3);
    QVERIFY(r.Breakpoints().empty());
    QCOMPARE(r.w->State().Wybrany, kBody);
  }

  void conditionAndHitCountStopWhereTheySay() {
    struct Case {
      QString condition;  // empty: unconditional
      int hit_count;
      const char* i_at_stop;
    };
    const Case cases[] = {{QStringLiteral("i = 3"), 0, "3"}, {QString(), 4, "4"}, {QStringLiteral("i > 1"), 2, "3"}};
    for (const Case& c : cases) {
      Window r;
      r.ClickMargin(kBody, 1);
      QVERIFY(r.Configure(0, [&](gui::TFormBreakPoint& dialog) {
        if (!c.condition.isEmpty()) SetCondition(dialog, c.condition);
        if (c.hit_count > 0) {
          dialog.findChild<QCheckBox*>(QStringLiteral("CheckBoxHitCount"))->setChecked(true);
          dialog.findChild<QSpinBox*>(QStringLiteral("SpinEditHitCount"))->setValue(c.hit_count);
        }
      }));
      // "=" in a condition is a comparison while the operator replacement is on.
      if (c.condition == QStringLiteral("i = 3")) QCOMPARE(r.Breakpoints()[0].Condition, std::string("i == 3"));
      r.Command("ActionUruchom");
      QCOMPARE(int(r.c().BreakpointHit), 1);
      QCOMPARE(r.Value("i"), std::string(c.i_at_stop));
      if (c.hit_count > 0) QVERIFY(r.page->List()->item(0)->text().contains(QString::number(c.hit_count)));
    }
  }

  void dialogRefusesWhatIsNotACondition() {
    for (const QString& text : {QStringLiteral("i := 0"), QStringLiteral("read x"), QString()}) {
      Window r;
      r.ClickMargin(kBody, 1);
      r.dialogs.shown.clear();
      QVERIFY(!r.Configure(0, [&](gui::TFormBreakPoint& dialog) { SetCondition(dialog, text); }));
      QCOMPARE(r.dialogs.shown.size(), size_t(1));
      QCOMPARE(r.Breakpoints()[0].Condition, std::string("1"));
    }
  }

  void disableAllLetsTheRunFinishAndRemoveDeletesOne() {
    Window r;
    r.ClickMargin(kBody, 1);
    r.ClickMargin(kBody, 2);
    QCOMPARE(r.page->List()->count(), 2);
    r.page->findChild<QPushButton*>(QStringLiteral("TBXButton2"))->click();
    QVERIFY(!r.Breakpoints()[0].Enabled && !r.Breakpoints()[1].Enabled);
    r.Command("ActionUruchom");
    QVERIFY(r.c().IsFinished());
    QCOMPARE(r.Value("s"), std::string("120"));

    r.page->List()->setCurrentRow(0);
    r.page->findChild<QPushButton*>(QStringLiteral("TBXButton4"))->click();
    QCOMPARE(r.Breakpoints().size(), size_t(1));
    QCOMPARE(r.Breakpoints()[0].Line, 2);
  }

  void hoverShowsAVariablesValueAndTheInstructionsTree() {
    Window r;
    r.ClickMargin(kBody, 2);
    r.Command("ActionUruchom");
    QCOMPARE(int(r.c().BreakpointHit), 1);
    const Tobj& b = r.w->State().Bloki[static_cast<size_t>(kBody)];
    picture::QtTextMetrics metrics;
    const int32_t lh = metrics.LineHeight(FontSpec{b.Styl.NazwaCzcionki, b.Styl.RozmiarCzcionki});
    const int32_t y = b.Top + 15 + lh + lh / 2;  // line 2, «i := i + 1»
    QWidget* hint = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == QStringLiteral("DiagramHint")) hint = top;
    }
    QVERIFY(hint);
    QTest::mouseMove(r.PaintBox(), r.Screen(b.Left + 22, y));
    QCOMPARE(hint->property("hintText").toString(), QStringLiteral("i=1"));
    // Past the end of the text: the instruction with its tree.
    const FontSpec font{b.Styl.NazwaCzcionki, b.Styl.RozmiarCzcionki};
    QTest::mouseMove(r.PaintBox(), r.Screen(b.Left + 20 + metrics.LineWidth(font, "i := i + 1") + 4, y));
    QCOMPARE(hint->property("hintText").toString(), QStringLiteral("i := i + 1"));
  }

  // A hint says something about the program and the diagram under the mouse;
  // it closes as soon as either is gone.
  void hintClosesWithWhatItDescribes_data() {
    QTest::addColumn<QString>("then");
    QTest::newRow("the mouse leaves") << "leave";
    QTest::newRow("the run resumes") << "resume";
    QTest::newRow("the run is stopped") << "stop";
    QTest::newRow("another document") << "new";
  }
  void hintClosesWithWhatItDescribes() {
    QFETCH(QString, then);
    Window r;
    r.ClickMargin(kBody, 2);
    r.Command("ActionUruchom");
    QCOMPARE(int(r.c().BreakpointHit), 1);
    const Tobj& b = r.w->State().Bloki[static_cast<size_t>(kBody)];
    picture::QtTextMetrics metrics;
    const int32_t lh = metrics.LineHeight(FontSpec{b.Styl.NazwaCzcionki, b.Styl.RozmiarCzcionki});
    QWidget* hint = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QStringLiteral("DiagramHint")) hint = top;
    QVERIFY(hint);
    QTest::mouseMove(r.PaintBox(), QPoint(1, 1));  // the pointer may already be where the hint is
    QTest::mouseMove(r.PaintBox(), r.Screen(b.Left + 22, b.Top + 15 + lh + lh / 2));
    QCOMPARE(hint->property("hintText").toString(), QStringLiteral("i=1"));
    QVERIFY(hint->isVisible());
    if (then == "leave") {
      QEvent leave(QEvent::Leave);
      QApplication::sendEvent(r.PaintBox(), &leave);
    } else if (then == "resume") {
      r.Command("ActionWznowWykonywanie");
    } else if (then == "stop") {
      r.Command("ActionZakonczWykonywanie");
    } else {
      r.w->NowyDokument();
    }
    QVERIFY(!hint->isVisible());
    QCOMPARE(hint->property("hintText").toString(), QString());
  }

  void breakpointsOfOneDocumentSurviveOpeningOthers() {
    Window r;
    r.ClickMargin(kBody, 2);
    r.Command("ActionKompiluj");
    // More documents move the table in memory; the compiled program must
    // still find (and stop at) its document's breakpoints.
    for (int k = 0; k < 8; ++k) r.w->NowyDokument();
    QVERIFY(r.c().ActiveBreakpoints() == nullptr || r.c().IsEmpty());
  }
};

TESSARO_GUI_TEST(BreakpointsTest)
#include "breakpoints_test.moc"
