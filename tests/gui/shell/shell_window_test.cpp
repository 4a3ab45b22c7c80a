// The main window's furniture: panels, toolbars, commands, themes, the hint
// window's size rule, the status-notice blinker and the recent-files menu.
#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QtTest>

#include "core/settings/settings.h"
#include "gui/shell/command_table.h"
#include "gui/shell/hint_window.h"
#include "gui/shell/themes.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

class ShellWindow : public QObject {
  Q_OBJECT

 private slots:
  void panelsStartInTheirDocks_data() {
    QTest::addColumn<QString>("panel");
    QTest::addColumn<int>("area");
    QTest::addColumn<bool>("shown");
    QTest::newRow("open files") << "dpWykazPlikow" << int(Qt::LeftDockWidgetArea) << true;
    QTest::newRow("navigator") << "dpNavigator" << int(Qt::LeftDockWidgetArea) << true;
    QTest::newRow("variables") << "dpListaZmiennych" << int(Qt::LeftDockWidgetArea) << true;
    QTest::newRow("conversion") << "dpKonwersjaSystemow" << int(Qt::RightDockWidgetArea) << true;
    QTest::newRow("help") << "dpPomoc" << int(Qt::RightDockWidgetArea) << true;
    QTest::newRow("code") << "dpCode" << int(Qt::RightDockWidgetArea) << true;
    QTest::newRow("program code") << "dpKodProgramu" << int(Qt::RightDockWidgetArea) << false;
    QTest::newRow("analysis") << "dpNarzedzia" << int(Qt::BottomDockWidgetArea) << true;
  }
  void panelsStartInTheirDocks() {
    QFETCH(QString, panel);
    QFETCH(int, area);
    QFETCH(bool, shown);
    test::ShellHome home;
    auto w = test::Start();
    QDockWidget* dock = w->Panel(panel.toLatin1().constData());
    QVERIFY(dock);
    QCOMPARE(int(w->dockWidgetArea(dock)), area);
    // Its toggle in "Widok" follows the panel both ways.
    QAction* toggle = w->CommandAction(("ActionPokaz" + panel).toLatin1().constData());
    QVERIFY(toggle);
    QCOMPARE(toggle->isChecked(), shown);
    w->show();
    QCOMPARE(dock->isHidden(), !shown);
    if (!shown) toggle->trigger();
    QVERIFY(!dock->isHidden());
    toggle->trigger();
    QVERIFY(dock->isHidden());
    dock->show();
    QVERIFY(toggle->isChecked());
  }

  void everyCommandOfTheTableExists() {
    test::ShellHome home;
    auto w = test::Start();
    QActionGroup* tools = nullptr;
    for (const gui::Command& c : gui::kCommands) {
      QAction* a = w->CommandAction(c.name);
      QVERIFY2(a, c.name);
      QCOMPARE(a->shortcut(), QKeySequence::fromString(QString::fromLatin1(c.key)));
      QCOMPARE(a->isCheckable(), c.checkable);
      QCOMPARE(a->property("category").toString(), QString::fromLatin1(c.category));
      if (c.group == gui::CommandGroup::Tools) {
        if (!tools) tools = a->actionGroup();
        QVERIFY(tools && a->actionGroup() == tools);
      }
    }
    QVERIFY(tools->isExclusive());
    QCOMPARE(tools->actions().size(), 9);
    for (const char* bar : {"toolMainMenu", "toolbarPasekStandardowy", "toolbarPasekWidoku",
                            "toolbarPasekUruchamianie"})
      QVERIFY2(w->findChild<QToolBar*>(QString::fromLatin1(bar)), bar);
  }

  void menusKeepTheirOrder() {
    test::ShellHome home;
    auto w = test::Start();
    QStringList plik;
    for (QAction* a : w->findChild<QMenu*>("menuPlik")->actions())
      plik << (a->isSeparator() ? QStringLiteral("-")
                                : a->menu() ? a->menu()->objectName() : a->objectName());
    QCOMPARE(plik, (QStringList{"ActionNowySchemat", "ActionOtworzPlik", "menuOstatnioOtwarte",
                                "ActionZapiszPlik", "ActionZapiszJako", "ActionEksportujDoSchowka",
                                "-", "ActionEksportujDoPliku", "-", "ActionZamknijPlikZAlgorytmem",
                                "-", "ActionUstawieniaDrukarki", "ActionDrukuj", "-",
                                "ActionOtworzZadanie", "ActionUtworzZadanie", "-",
                                "ActionZamknijProgram"}));
    QStringList widok;
    for (QAction* a : w->findChild<QMenu*>("menuWidok")->actions()) widok << a->objectName();
    QCOMPARE(widok.mid(0, 8),
             (QStringList{"ActionPokazdpWykazPlikow", "ActionPokazdpNavigator",
                          "ActionPokazdpListaZmiennych", "ActionPokazdpPomoc", "ActionPokazdpCode",
                          "ActionPokazdpKodProgramu", "ActionPokazdpNarzedzia",
                          "ActionPokazdpKonwersjaSystemow"}));
    QVERIFY(w->CommandAction("ActionSiatka5")->isChecked());
    w->CommandAction("ActionSiatka15")->trigger();
    QCOMPARE(w->GridSize(), 15);
  }

  void themeFollowsTheSettings_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("active");
    QTest::newRow("aluminium") << "Aluminum" << "Aluminum";
    QTest::newRow("designed") << "Default" << "Default";
    QTest::newRow("unknown name") << "Nonsense" << "Office2003";
  }
  void themeFollowsTheSettings() {
    QFETCH(QString, stored);
    QFETCH(QString, active);
    test::ShellHome home;
    TSettings settings;
    settings.Interfejs = stored.toStdString();
    QVERIFY(SaveSettings(settings));
    auto w = test::Start();
    QCOMPARE(QString::fromStdString(gui::ActiveTheme()), active);
    QCOMPARE(QString::fromStdString(w->Settings().Interfejs), stored);
  }

  void hintSize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("extra_height");
    QTest::addColumn<bool>("picture_width");
    QTest::newRow("no picture") << "Blok warunkowy" << QSize() << 0 << false;
    QTest::newRow("narrow picture") << "A rather long hint text" << QSize(10, 30) << 32 << false;
    QTest::newRow("wide picture") << "x" << QSize(300, 40) << 42 << true;
  }
  void hintSize() {
    QFETCH(QString, text);
    QFETCH(QSize, picture);
    QFETCH(int, extra_height);
    QFETCH(bool, picture_width);
    const QFontMetrics metrics(QFont("Tahoma", 9));
    const QRect plain = metrics.boundingRect(QRect(0, 0, 1000, 0), Qt::TextWordWrap, text);
    const QRect hint = gui::HintRect(metrics, text, 1000, picture);
    QCOMPARE(hint.left(), 0);
    QCOMPARE(hint.width(), picture_width ? picture.width() + 10 : plain.width() + 8);
    QCOMPARE(hint.height(), plain.height() + 4 + extra_height);
  }

  void hintWrapsAtTheMaximumWidth() {
    const QFontMetrics metrics(QFont("Tahoma", 9));
    const QString text = QStringLiteral("word ").repeated(40);
    QVERIFY(gui::HintRect(metrics, text, 100, {}).width() <= 108);
    QVERIFY(gui::HintRect(metrics, text, 100, {}).height() > 3 * metrics.height());
  }

  // The blinker shows: empty, notice, empty, notice, and the notice stays.
  void statusNoticeBlinks() {
    test::ShellHome home;
    auto w = test::Start();
    QLabel* panel = w->findChild<QLabel*>("StatusPanel0");
    QTimer* blinker = w->findChild<QTimer*>("Timer1");
    QVERIFY(panel && blinker);
    QStringList seen;
    connect(blinker, &QTimer::timeout, this, [&] { seen << panel->text(); }, Qt::QueuedConnection);
    w->BlinkStatusNotice();
    QTRY_VERIFY_WITH_TIMEOUT(!blinker->isActive(), 3000);
    QTest::qWait(50);
    const QString notice = test::Text("msgm00025");
    QCOMPARE(seen, (QStringList{"", notice, "", notice}));
    QCOMPARE(panel->text(), notice);
  }

  void recentFilesMenuListsNewestFirst() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i)
      paths.push_back(home.WriteAlgorithm("f" + std::to_string(i) + ".alg", 1));
    for (const std::string& p : paths) QVERIFY(w->OtworzDokument(p));
    QVERIFY(w->OtworzDokument(paths[5]));  // opened again: moves up, no repeat
    QMenu* recent = w->findChild<QMenu*>("menuOstatnioOtwarte");
    QStringList entries;
    for (QAction* a : recent->actions()) entries << a->text();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries.front(), QString::fromStdString(paths[5]));
    QCOMPARE(entries.at(1), QString::fromStdString(paths[9]));
    QVERIFY(!entries.contains(QString::fromStdString(paths[1])));
    QCOMPARE(entries.count(QString::fromStdString(paths[5])), 1);
    recent->actions().at(1)->trigger();
    QCOMPARE(w->State().OtwartePliki.size(), size_t{12});
  }
};

TESSARO_GUI_TEST(ShellWindow)
#include "shell_window_test.moc"
