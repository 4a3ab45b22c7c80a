// The conversion panel of the real main window: the conversions of a run,
// bases a run may not show, the panel's own edits and presets, gathering of
// fast conversions, a hidden panel and a figure taller than the panel.
#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include "alg_spec.h"
#include "core/diagram/fake_canvas.h"
#include "gui/conversion/conversion_panel.h"
#include "gui/conversion/conversion_view.h"
#include "gui/conversion/main_window_conversion.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

struct PanelWindow {
  explicit PanelWindow(const std::string& spec = {}) {
    w = test::Start();
    w->show();
    panel = gui::ConversionPanelOf(*w);
    view = panel->View();
    if (!spec.empty()) {
      std::vector<Tobj> bloki;
      std::string error;
      if (!fixtures::ParseAlgSpec(spec, bloki, error)) qFatal("bad spec: %s", error.c_str());
      const std::string path = home.Path("test.alg");
      fixtures::WriteAlgFile(bloki, path);
      w->OtworzDokument(path);
    }
    w->CommandAction("ActionPodswietlaj")->setChecked(false);
    w->Settings().PodswietlajBloki = false;
  }
  template <typename T>
  T* Find(const char* name) const {
    return panel->findChild<T*>(QLatin1String(name));
  }
  QString Value() const { return Find<QLineEdit>("edWartoscKonwersji")->text(); }
  int Source() const { return Find<QSpinBox>("konwersjaSysZrodlowy")->value(); }
  int Target() const { return Find<QSpinBox>("konwersjaSysDocelowy")->value(); }
  QString Kind() const { return Find<QLabel>("lblSystemKonwersji")->text(); }
  // Every text the current picture draws, in order.
  std::vector<std::string> Texts() const {
    test::FakeMetrics metrics;
    test::LogCanvas log(metrics);
    view->Picture().Replay(log);
    std::vector<std::string> texts;
    for (const std::string& s : log.Starting("text ")) texts.push_back(s.substr(s.find(' ', 5) + 1));
    return texts;
  }
  bool Draws(const std::string& text) const {
    const std::vector<std::string> t = Texts();
    return std::find(t.begin(), t.end(), text) != t.end();
  }
  void Run() {
    QAction* run = w->CommandAction("ActionUruchom");
    QVERIFY(run->isEnabled());
    run->trigger();
    QVERIFY(gui::RunControllerOf(*w)->Compiler.IsFinished());
  }

  test::ShellHome home;
  test::RecordingDialogs dialogs;
  std::unique_ptr<gui::Tmain> w;
  gui::TKonwersjaPanel* panel = nullptr;
  gui::TWizualizacjaKonwersji* view = nullptr;
};

}  // namespace

class ConversionPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void startsWithSevenIntoBinary() {
    PanelWindow p;
    QTRY_VERIFY(p.view->RenderCount > 0);
    QCOMPARE(p.Value(), QStringLiteral("7"));
    QCOMPARE(p.Source(), 10);
    QCOMPARE(p.Target(), 2);
    QCOMPARE(p.Kind(), QStringLiteral("   DecToBin"));
    QVERIFY(p.Draws("7:2"));
    QVERIFY(p.Draws("111"));
    QVERIFY(!p.view->TextReszaZDzielenia().empty());
    QVERIFY(p.Draws(p.view->TextReszaZDzielenia()));
  }

  void aRunShowsItsConversionRenderedOnce() {
    PanelWindow p("start 1 -1\nproc 2 -1 x := DecToBin(13)\nend -1 -1\n");
    p.Find<QSpinBox>("konwersjaSysDocelowy")->setValue(16);  // so the run has something to change
    QTRY_VERIFY(p.view->RenderCount > 0);
    QTest::qWait(50);
    const int before = p.view->RenderCount;
    p.Run();
    QTRY_COMPARE(p.Value(), QStringLiteral("13"));
    QTest::qWait(50);
    QCOMPARE(p.view->RenderCount - before, 1);
    QCOMPARE(p.Source(), 10);
    QCOMPARE(p.Target(), 2);
    QCOMPARE(p.Kind(), QStringLiteral("   DecToBin"));
    QCOMPARE(p.view->WartoscZrodlowa, std::string("13"));
    QCOMPARE(p.view->PodstawaSystemuDocelowa, 2);
    QVERIFY(p.Draws("13:2"));
    QVERIFY(p.Draws("1101"));
  }

  void aBaseOutsideTheRangeLeavesThePanelAndShowsANote() {
    PanelWindow p("start 1 -1\nproc 2 -1 x := DecToSystem(1, 5)\nend -1 -1\n");
    QTRY_VERIFY(p.view->RenderCount > 0);
    p.Run();
    QTRY_VERIFY(!p.view->Note.empty());
    QCOMPARE(p.Value(), QStringLiteral("7"));
    QCOMPARE(p.Source(), 10);
    QCOMPARE(p.Target(), 2);
    QCOMPARE(p.view->WartoscZrodlowa, std::string("7"));
    QVERIFY(p.Draws("7:2"));
    // The note, wrapped to the panel's width.
    std::string drawn;
    for (const std::string& t : p.Texts()) drawn += t + " ";
    QVERIFY(drawn.find(p.view->Note) != std::string::npos);
    // The next edit of the panel clears the note.
    p.Find<QLineEdit>("edWartoscKonwersji")->setText(QStringLiteral("9"));
    QVERIFY(p.view->Note.empty());
  }

  void presetsAndTheEditConvertLowerCaseHexAndMarkBadDigits() {
    PanelWindow p;
    QToolButton* system = p.Find<QToolButton>("menuSystemKonwersji");
    QMenu* menu = system->menu();
    QCOMPARE(menu->actions().size(), 11);  // nine presets and two separators
    QVERIFY(menu->actions().at(3)->isSeparator());
    QVERIFY(menu->actions().at(7)->isSeparator());
    menu->findChild<QAction*>(QStringLiteral("TBXItem87"))->trigger();
    QCOMPARE(p.Source(), 16);
    QCOMPARE(p.Target(), 10);
    QCOMPARE(p.Kind(), QStringLiteral("   HexToDec"));
    QLineEdit* edit = p.Find<QLineEdit>("edWartoscKonwersji");
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("ff"));
    QCOMPARE(p.view->WartoscZrodlowa, std::string("ff"));
    QVERIFY(p.Draws("FF"));
    QVERIFY(p.Draws("255"));
    QTest::keyClicks(edit, QStringLiteral("g"));
    QVERIFY(p.Draws("G"));
    QVERIFY(!p.Draws("255"));
    QVERIFY(!p.Draws("4095"));
    p.Find<QSpinBox>("konwersjaSysZrodlowy")->setValue(3);
    QCOMPARE(p.Kind(), QStringLiteral("   Inny"));
  }

  void fastConversionsAreGatheredIntoOneRendering() {
    PanelWindow p;
    QTRY_VERIFY(p.view->RenderCount > 0);
    QTest::qWait(50);
    const int before = p.view->RenderCount;
    for (int i = 1; i <= 1000; ++i) p.panel->ShowConversion(std::to_string(i), 10, 2);
    QTRY_COMPARE(p.Value(), QStringLiteral("1000"));
    QTest::qWait(50);
    QCOMPARE(p.view->RenderCount - before, 1);
  }

  void aHiddenPanelRendersWhenShownAgain() {
    PanelWindow p;
    QTRY_VERIFY(p.view->RenderCount > 0);
    QDockWidget* dock = p.w->Panel("dpKonwersjaSystemow");
    dock->hide();
    const int before = p.view->RenderCount;
    p.panel->ShowConversion("255", 10, 16);
    QTRY_COMPARE(p.Value(), QStringLiteral("255"));
    QTest::qWait(50);
    QCOMPARE(p.view->RenderCount, before);
    dock->show();
    QTRY_COMPARE(p.view->RenderCount, before + 1);
    QVERIFY(p.Draws("F(15)"));
  }

  void aTallFigureScrollsToItsSummary() {
    PanelWindow p;
    p.panel->ShowConversion("2147483647", 10, 2);
    QTRY_COMPARE(p.Value(), QStringLiteral("2147483647"));
    auto* scroll = p.Find<QScrollArea>("PrzewijanieKonwersji");
    QTRY_VERIFY(scroll->verticalScrollBar()->maximum() > 0);
    QVERIFY(p.Draws("1111111111111111111111111111111"));
    // Everything drawn lies within the control, which the scroll area shows.
    QVERIFY(p.view->Picture().InkBounds().Bottom <= p.view->height());
    QVERIFY(p.view->Picture().InkBounds().Left >= 0);
  }
};

TESSARO_GUI_TEST(ConversionPanelTest)
#include "conversion_panel_test.moc"
