// The configuration dialog, the layout and recent files kept across starts,
// and the navigator, driven through the real windows.
#include <QSpinBox>
#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDockWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolBar>
#include <climits>
#include <filesystem>
#include <functional>

#include "core/diagram/navigator.h"
#include "core/i18n/language.h"
#include "core/platform/program_paths.h"
#include "core/settings/config.h"
#include "core/language/value_memory.h"
#include "core/settings/settings.h"
#include "core/runtime/run_history.h"
#include "core/settings/window_layout.h"
#include "gui/navigator/navigator_widget.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/settings/main_window_settings.h"
#include "gui/settings/tkonfiguracja.h"
#include "gui/shell/themes.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

// Runs the configuration command; `act` works the dialog once it is shown.
void WithSettingsDialog(gui::Tmain& window, const std::function<void(QDialog&)>& act) {
  bool acted = false;
  QTimer::singleShot(0, &window, [&] {
    auto* dialog = qobject_cast<gui::Tkonfiguracja*>(QApplication::activeModalWidget());
    if (!dialog) return;
    acted = true;
    act(*dialog);
  });
  window.CommandAction("ActionKonfiguracja")->trigger();
  QVERIFY(acted);
}

template <typename W>
W* Child(QWidget& parent, const char* name) {
  W* w = parent.findChild<W*>(QString::fromLatin1(name));
  if (!w) qFatal("no widget %s", name);
  return w;
}

void Click(QDialog& dialog, const char* button) { QTest::mouseClick(Child<QAbstractButton>(dialog, button), Qt::LeftButton); }

TSettings SavedSettings() {
  TSettings s;
  LoadSettings(s);
  return s;
}

}  // namespace

class SettingsLayout : public QObject {
  Q_OBJECT

 private slots:
  void dialogControlsMapToTheSettingsFile() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto window = test::Start();
    QVERIFY(window->CommandAction("ActionKonfiguracja")->isEnabled());
    window->Settings().WielkoscLiter = false;  // the dialog starts from memory, not the file
    WithSettingsDialog(*window, [](QDialog& d) {
      QVERIFY(!Child<QCheckBox>(d, "cbWielkoscLiter")->isChecked());
      QVERIFY(Child<QRadioButton>(d, "rbOffice2003")->isChecked());
      Child<QCheckBox>(d, "cbPodswietlajBloki")->click();
      Child<QCheckBox>(d, "cbKonsolaWyjscie")->click();
      Child<QCheckBox>(d, "cbDynamiczneTablice")->click();
      Child<QRadioButton>(d, "rbAluminum")->click();
      QVERIFY(!Child<QCheckBox>(d, "cbSprawdzajAktualizacje")->isChecked());
      Child<QCheckBox>(d, "cbSprawdzajAktualizacje")->click();
      QCOMPARE(Child<QSpinBox>(d, "seLimitPamieci")->value(), 256);
      Child<QSpinBox>(d, "seLimitPamieci")->setValue(64);
      QCOMPARE(Child<QSpinBox>(d, "seLimitHistorii")->value(), 64);
      Child<QSpinBox>(d, "seLimitHistorii")->setValue(16);
      QCOMPARE(gui::ActiveTheme(), std::string("Aluminum"));  // live
      Click(d, "btnOk");
    });
    QCOMPARE(MemoryBudgetMB(), int64_t{64});  // in force at once
    QCOMPARE(gui::RunControllerOf(*window)->Compiler.History->Budget(), int64_t{16} << 20);
    const TSettings saved = SavedSettings();
    QVERIFY(!saved.PodswietlajBloki);
    QVERIFY(saved.KonsolaWyjscie);
    QVERIFY(!saved.DynamiczneTablice);
    QVERIFY(!saved.WielkoscLiter);
    QCOMPARE(saved.Interfejs, std::string("Aluminum"));
    QVERIFY(saved.SprawdzajAktualizacje);
    QCOMPARE(saved.LimitPamieci, 64);
    QCOMPARE(saved.LimitHistorii, 16);
    QVERIFY(!window->CommandAction("ActionPodswietlaj")->isChecked());
    QVERIFY(dialogs.shown.empty());

    // "Przywróć domyślne" and "Ok": the restored column, case-insensitive names.
    WithSettingsDialog(*window, [](QDialog& d) {
      Click(d, "btnPrzywrocDomyslne");
      QCOMPARE(gui::ActiveTheme(), std::string("Office2003"));
      Click(d, "btnOk");
    });
    const TSettings restored = SavedSettings();
    QVERIFY(!restored.WielkoscLiter);
    QVERIFY(restored.DynamiczneTablice);
    QVERIFY(restored.PodswietlajBloki);
    QVERIFY(!restored.KonsolaWyjscie);
    QVERIFY(!restored.SprawdzajAktualizacje);
    QCOMPARE(restored.LimitPamieci, 256);
    QCOMPARE(restored.LimitHistorii, 64);
    QCOMPARE(MemoryBudgetMB(), int64_t{256});
    QCOMPARE(restored.Interfejs, std::string("Office2003"));
  }

  void pilotModeNeedsConsent() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto window = test::Start();
    WithSettingsDialog(*window, [](QDialog& d) {
      Child<QCheckBox>(d, "cbWersjaPilotazowa")->click();
      Click(d, "btnOk");
    });
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown[0].text, LangText("msgk00002"));
    QVERIFY(!SavedSettings().WersjaPilotazowa);  // answered No
  }

  void failedSaveKeepsTheValuesAndSaysSoOnce() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto window = test::Start();
    std::filesystem::create_directories(home.Path("tsset.dat/blocked"));  // cannot be replaced
    WithSettingsDialog(*window, [](QDialog& d) {
      Child<QCheckBox>(d, "cbWielkoscLiter")->click();
      Click(d, "btnOk");
    });
    QVERIFY(!window->Settings().WielkoscLiter);
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown[0].kind, std::string("Komunikat"));
    QVERIFY(dialogs.shown[0].text.find("tsset.dat") != std::string::npos);
  }

  void cancelKeepsAToolbarToggleAndTheTheme() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto window = test::Start();
    const std::string theme = gui::ActiveTheme();
    QAction* highlight = window->CommandAction("ActionPodswietlaj");
    highlight->setEnabled(true);
    highlight->trigger();  // off, from the toolbar
    QVERIFY(!window->Settings().PodswietlajBloki);
    WithSettingsDialog(*window, [](QDialog& d) {
      QVERIFY(!Child<QCheckBox>(d, "cbPodswietlajBloki")->isChecked());
      Child<QRadioButton>(d, "rbDefault")->click();
      Child<QCheckBox>(d, "cbPodswietlajBloki")->click();
      Click(d, "btnAnuluj");
    });
    QVERIFY(!window->Settings().PodswietlajBloki);
    QVERIFY(!highlight->isChecked());
    QCOMPARE(gui::ActiveTheme(), theme);
  }

  void unreadableLanguageFallsBackToPolish() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto window = test::Start();
    std::filesystem::remove(home.Path("lang/EN.slg"));
    window->CommandAction("ActionJezykEN")->trigger();
    QCOMPARE(Language().LanguageCode(), std::string("PL"));
    QVERIFY(window->CommandAction("ActionJezykPL")->isChecked());
    QVERIFY(!Language().Keys().empty());
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QVERIFY(dialogs.shown[0].text.find("EN") != std::string::npos);
  }

  void compilerOptionsReachEveryCompile() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto window = test::Start({"tessaro", QString::fromStdString(home.WriteAlgorithm("a.alg", 1))});
    gui::Trun* run = gui::RunControllerOf(*window);
    QVERIFY(run);
    for (bool on : {false, true}) {
      window->Settings().WielkoscLiter = on;
      window->Settings().DynamiczneTablice = !on;
      run->Compiler.CaseSensitive = 7;  // whatever was left behind
      run->Compiler.DynamicArrays = 7;
      window->CommandAction("ActionKompiluj")->trigger();
      QCOMPARE(run->Compiler.CaseSensitive, uint8_t(on ? 1 : 0));
      QCOMPARE(run->Compiler.DynamicArrays, uint8_t(on ? 0 : 1));
    }
  }

  void layoutAndRecentFilesSurviveARestart() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    const std::vector<std::string> recent = {home.Path("jeden.alg"), home.Path(" spacja .alg"), "/gone/plik.alg"};
    QRect floating_geometry;
    {
      auto window = test::Start();
      QVERIFY(std::filesystem::exists(home.Path("tsview.dat")));  // first start creates it
      QVERIFY(window->windowState() & Qt::WindowMaximized);
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window.get()));
      window->Panel("dpPomoc")->hide();
      // The program code panel starts hidden; shown, it is shown after a restart.
      QVERIFY(window->Panel("dpKodProgramu")->isHidden());
      window->CommandAction("ActionPokazdpKodProgramu")->trigger();
      QDockWidget* conversion = window->Panel("dpKonwersjaSystemow");
      conversion->setFloating(true);
      conversion->setGeometry(120, 90, 260, 210);
      floating_geometry = conversion->geometry();
      window->addToolBar(Qt::LeftToolBarArea, window->findChild<QToolBar*>("toolbarPasekWidoku"));
      window->Recent().Assign(std::vector<std::string>(recent.rbegin(), recent.rend()));
      window->Recent().Add(recent[0]);
      QVERIFY(window->close());
    }
    auto window = test::Start();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(window->Panel("dpPomoc")->isHidden());
    QVERIFY(!window->Panel("dpNavigator")->isHidden());
    QVERIFY(!window->Panel("dpKodProgramu")->isHidden());
    QVERIFY(window->CommandAction("ActionPokazdpKodProgramu")->isChecked());
    QDockWidget* conversion = window->Panel("dpKonwersjaSystemow");
    QVERIFY(conversion->isFloating());
    QCOMPARE(conversion->geometry(), floating_geometry);
    QCOMPARE(window->toolBarArea(window->findChild<QToolBar*>("toolbarPasekWidoku")), Qt::LeftToolBarArea);
    QCOMPARE(window->Recent().Paths(), (std::vector<std::string>{recent[0], recent[2], recent[1]}));
    QVERIFY(!window->findChild<QToolBar*>("toolMainMenu")->isHidden());
    // A missing file stays listed until it is chosen, and is then explained.
    window->OpenRecentFile("/gone/plik.alg");
    QCOMPARE(dialogs.shown.back().text, LangText("msgm00038"));
  }

  // The "Widok" menu's check marks say what the restored layout shows.
  void viewMenuMarksFollowTheRestoredLayout() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    TConfig layout(home.Path("tsview.dat"));
    layout.WriteValue("dpPomoc", false);
    layout.WriteValue("dpNavigator", true);
    layout.WriteValue("toolbarPasekWidoku", false);
    QVERIFY(layout.SaveToFile());
    auto window = test::Start();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (const char* name : {"dpPomoc", "dpNavigator", "dpNarzedzia", "dpKonwersjaSystemow", "dpKodProgramu"}) {
      QDockWidget* panel = window->Panel(name);
      const QByteArray toggle = QByteArray("ActionPokaz") + name;
      QVERIFY2(window->CommandAction(toggle.constData())->isChecked() == !panel->isHidden(), name);
    }
    QToolBar* bar = window->findChild<QToolBar*>("toolbarPasekWidoku");
    QVERIFY(bar->isHidden());
    QVERIFY(!window->CommandAction("ActionPokaztoolbarPasekWidoku")->isChecked());
    // The marks still work both ways.
    window->CommandAction("ActionPokazdpPomoc")->trigger();
    QVERIFY(!window->Panel("dpPomoc")->isHidden());
  }

  void panelsFarOffScreenComeBack() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    TConfig layout(home.Path("tsview.dat"));
    layout.WriteValue("dpNavigator", true);
    layout.WriteValue("dpNavigatorfloating", true);
    layout.WriteValue("dpNavigatorfloatingX", 20000);
    layout.WriteValue("dpNavigatorfloatingY", 100);
    layout.WriteValue("dpNavigatorfloatingWidth", 200);
    layout.WriteValue("dpNavigatorfloatingHeight", 160);
    layout.WriteValue("dpNavigatorfloatingDock", std::string("nil"));
    layout.WriteValue("toolMainMenu", false);
    layout.WriteValue("toolMainMenufloatingDock", std::string("nil"));
    QVERIFY(layout.SaveToFile());
    auto window = test::Start();
    QDockWidget* navigator = window->Panel("dpNavigator");
    QVERIFY(navigator->isFloating());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(navigator->geometry().topLeft()), "the panel is off screen");
    QVERIFY(!window->findChild<QToolBar*>("toolMainMenu")->isHidden());
    QCOMPARE(window->toolBarArea(window->findChild<QToolBar*>("toolMainMenu")), Qt::TopToolBarArea);
  }

  // Extreme sizes and positions in the layout file: every panel the file
  // shows stays visible on the screen, at a usable size, and its "Widok"
  // toggle says so.
  void extremeLayoutValuesAreClampedToTheScreen() {
    struct Extreme {
      const char* name;
      int32_t x, y, width, height;
    } extremes[] = {
        {"most negative", INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN},
        {"large negative sizes", 10, 10, -1000000, -1000000},
        {"largest", INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
    };
    for (const Extreme& e : extremes) {
      test::ShellHome home;
      test::RecordingDialogs dialogs;
      TConfig layout(home.Path("tsview.dat"));
      for (const char* panel : kLayoutPanels) {
        const std::string n = panel;
        layout.WriteValue(n, true);
        layout.WriteValue(n + "floating", true);
        layout.WriteValue(n + "floatingX", e.x);
        layout.WriteValue(n + "floatingY", e.y);
        layout.WriteValue(n + "floatingWidth", e.width);
        layout.WriteValue(n + "floatingHeight", e.height);
        layout.WriteValue(n + "floatingDock", std::string("nil"));
        layout.WriteValue(n + "floatingDockPos", INT32_MIN);
      }
      QVERIFY(layout.SaveToFile());
      auto window = test::Start();
      window->show();
      QVERIFY(QTest::qWaitForWindowExposed(window.get()));
      const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
      for (const char* panel : kLayoutPanels) {
        QDockWidget* d = window->Panel(panel);
        const QString what = QString::fromLatin1(e.name) + " " + QString::fromLatin1(panel);
        QVERIFY2(!d->isHidden(), qPrintable(what));
        QVERIFY2(screen.contains(d->geometry().topLeft()), qPrintable(what));
        QVERIFY2(d->width() >= 40 && d->width() <= screen.width(), qPrintable(what));
        QVERIFY2(d->height() >= 40 && d->height() <= screen.height(), qPrintable(what));
        auto* toggle = window->findChild<QAction*>(QStringLiteral("ActionPokaz") + QString::fromLatin1(panel));
        QVERIFY2(toggle && toggle->isChecked(), qPrintable(what));
      }
    }
  }

  void navigatorClickAndDragMoveTheView() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    // 80 blocks in ten columns: far larger than the editor.
    std::vector<Tobj> bloki(80);
    for (size_t i = 0; i < bloki.size(); ++i) {
      bloki[i].Left = static_cast<int32_t>(300 * (i % 10));
      bloki[i].Top = static_cast<int32_t>(250 * (i / 10));
    }
    TMemoryStream bytes;
    ZapiszSchemat(bloki, bytes);
    home.Write("big.alg", std::string(bytes.begin(), bytes.end()));
    auto window = test::Start({"tessaro", QString::fromStdString(home.Path("big.alg"))});
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* navigator = window->findChild<gui::NavigatorWidget*>("PaintBoxLupa");
    QVERIFY(navigator);
    const NavigatorGeometry g = navigator->Geometry();
    QVERIFY(!g.empty);
    auto expect_at = [&](QPoint p) {
      const QPoint box = p - navigator->BoxOrigin();
      return *NavigatorClickOrigin(navigator->Input(), g.box_width, g.box_height, box.x(), box.y());
    };
    const QPoint click = navigator->BoxOrigin() + QPoint(g.box_width * 3 / 4, g.box_height / 2);
    const ViewOrigin clicked = expect_at(click);
    QTest::mouseClick(navigator, Qt::LeftButton, {}, click);
    QCOMPARE(window->View().PoczatekX, clicked.x);
    QCOMPARE(window->View().PoczatekY, clicked.y);

    const QPoint from = navigator->BoxOrigin() + QPoint(10, 5);
    const QPoint to = navigator->BoxOrigin() + QPoint(g.box_width / 3, g.box_height / 3);
    const ViewOrigin dragged = expect_at(to);
    QTest::mousePress(navigator, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, navigator->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(navigator, &move);
    QTRY_COMPARE(window->View().PoczatekX, dragged.x);
    QCOMPARE(window->View().PoczatekY, dragged.y);
    QTest::mouseRelease(navigator, Qt::LeftButton, {}, to);
    // The rectangle follows the view.
    const NavigatorGeometry after = navigator->Geometry();
    QVERIFY(after.view_left != g.view_left || after.view_top != g.view_top);
  }
};

TESSARO_GUI_TEST(SettingsLayout)
#include "settings_layout_test.moc"
