// The help panel: the start page in both languages, the language reference
// made from the parser's tables, F1 by focus, and what may be opened.
#include <QAction>
#include <QDockWidget>
#include <QtTest>

#include "core/language/builtin_functions.h"
#include "core/services/language_reference.h"
#include "gui/help/help_panel.h"
#include "gui_test.h"
#include "shell_fixture.h"

using namespace tessaro;

namespace {

// A program folder with the shipped help pages besides the translations.
class HelpHome : public test::ShellHome {
 public:
  HelpHome() {
    std::filesystem::copy(std::string(TESSARO_PROGRAM_DIR) + "/pomoc", Path("pomoc"),
                          std::filesystem::copy_options::recursive);
  }
};

}  // namespace

class HelpPanel : public QObject {
  Q_OBJECT

 private slots:
  void followsTheLanguage() {
    HelpHome home;
    auto w = test::Start();
    gui::HelpBrowser* browser = gui::HelpBrowserOf(*w);
    QVERIFY(browser);
    QCOMPARE(browser->objectName(), QStringLiteral("WebBrowserHelp"));
    QVERIFY(browser->source().toLocalFile().endsWith("pomoc/pl/index.html"));
    QCOMPARE(browser->documentTitle(), QStringLiteral("Pomoc programu Tessaro"));
    w->CommandAction("ActionJezykEN")->trigger();
    QVERIFY(browser->source().toLocalFile().endsWith("pomoc/en/index.html"));
    QCOMPARE(browser->documentTitle(), QStringLiteral("Tessaro help"));
    w->CommandAction("ActionJezykPL")->trigger();
    QCOMPARE(browser->documentTitle(), QStringLiteral("Pomoc programu Tessaro"));
  }

  void referenceListsEveryOperatorAndBuiltin_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("PL") << "PL";
    QTest::newRow("EN") << "EN";
  }
  void referenceListsEveryOperatorAndBuiltin() {
    QFETCH(QString, language);
    HelpHome home;
    auto w = test::Start();
    w->CommandAction(("ActionJezyk" + language).toLatin1().constData())->trigger();
    gui::HelpBrowser* browser = gui::HelpBrowserOf(*w);
    browser->ShowPage(QStringLiteral("jezyk.html"));
    const QString text = browser->toPlainText();
    QVERIFY(!text.contains(QStringLiteral("<!--")));
    // Every table entry stands as a word of its own in the shown page.
    QStringList words;
    for (const QString& line : text.split(QLatin1Char('\n')))
      words += line.split(QRegularExpression(QStringLiteral("[\\s\\x{a0}]+")), Qt::SkipEmptyParts);
    for (std::string_view op : ReferenceOperators())
      QVERIFY2(words.contains(gui::FromCore(std::string(op))), std::string(op).c_str());
    for (const TBuiltinFunction& f : kBuiltinFunctions)
      QVERIFY2(words.contains(gui::FromCore(std::string(f.Name))), std::string(f.Name).c_str());
    w->CommandAction("ActionJezykPL")->trigger();
  }

  void f1ShowsThePageOfWhatHasTheFocus() {
    HelpHome home;
    auto w = test::Start();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QDockWidget* dock = w->Panel("dpPomoc");
    dock->hide();
    w->NowyDokument();
    QCOMPARE(gui::HelpPageFor(w->DiagramWidget()), QStringLiteral("rysowanie.html"));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->DiagramWidget()->setFocus();
    QTRY_VERIFY(w->DiagramWidget()->hasFocus());
    w->CommandAction("ActionPomoc")->trigger();
    QVERIFY(dock->isVisible());
    QVERIFY(gui::HelpBrowserOf(*w)->source().toLocalFile().endsWith("pomoc/pl/rysowanie.html"));
    QCOMPARE(gui::HelpPageFor(nullptr), QStringLiteral("index.html"));
  }

  void opensOnlyProgramFilesAndHttps() {
    HelpHome home;
    QVERIFY(gui::HelpTargetAllowed(QUrl(QStringLiteral("https://example.org/x"))));
    QVERIFY(gui::HelpTargetAllowed(QUrl::fromLocalFile(gui::FromPath(home.Path("pomoc/pl/index.html")))));
    QVERIFY(!gui::HelpTargetAllowed(QUrl(QStringLiteral("http://example.org/x"))));
    QVERIFY(!gui::HelpTargetAllowed(QUrl(QStringLiteral("file:///etc/passwd"))));
    QVERIFY(!gui::HelpTargetAllowed(QUrl::fromLocalFile(gui::FromPath(home.Path("pomoc/../../etc")))));
    QVERIFY(!gui::HelpTargetAllowed(QUrl(QStringLiteral("javascript:alert(1)"))));
    auto w = test::Start();
    gui::HelpBrowser* browser = gui::HelpBrowserOf(*w);
    QUrl external;
    browser->OpenExternal = [&external](const QUrl& url) {
      external = url;
      return true;
    };
    emit browser->anchorClicked(QUrl(QStringLiteral("https://example.org/more")));
    QCOMPARE(external, QUrl(QStringLiteral("https://example.org/more")));
    emit browser->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
    QVERIFY(browser->source().toLocalFile().endsWith("index.html"));
    emit browser->anchorClicked(QUrl(QStringLiteral("jezyk.html")));
    QVERIFY(browser->source().toLocalFile().endsWith("pomoc/pl/jezyk.html"));
  }
};

TESSARO_GUI_TEST(HelpPanel)
#include "help_panel_test.moc"
