// Start-up of the main window: the command line, "/wersja", the installation
// identifier and the registry failure rule.
#include <QtTest>
#include <sys/stat.h>

#include <filesystem>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/platform/registry.h"
#include "core/platform/version.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/cli_runner.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

class ShellStartup : public QObject {
  Q_OBJECT

 private slots:
  void fileArgumentIsOpened() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    const std::string path = home.WriteAlgorithm("plan.alg", 3);
    auto window = test::Start({"tessaro", QString::fromStdString(path)});
    QCOMPARE(window->windowTitle(), QStringLiteral("Tessaro - plan"));
    QCOMPARE(window->State().AktualnyPlik, 1);
    QCOMPARE(window->State().Bloki.size(), size_t{3});
    QVERIFY(!window->State().Zmiana);
    QCOMPARE(test::TreeNames(*window), QStringList{"plan"});
    QVERIFY(window->DiagramWidget()->isVisibleTo(window.get()));
    QVERIFY(dialogs.shown.empty());
  }

  void missingFileArgumentOpensNothing_data() {
    QTest::addColumn<QString>("argument");
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/plan.alg");
    QTest::newRow("a folder") << QStringLiteral("/tmp");
    QTest::newRow("case-sensitive switch") << QStringLiteral("/WERSJA");
  }
  void missingFileArgumentOpensNothing() {
    QFETCH(QString, argument);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    gui::StartedProgram program = gui::StartProgram({"tessaro", argument});
    QVERIFY(!program.quit_at_once);
    QCOMPARE(program.main->windowTitle(), QStringLiteral("Tessaro"));
    QVERIFY(program.main->State().OtwartePliki.empty());
    QVERIFY(!program.main->DiagramWidget()->isVisibleTo(program.main.get()));
    QVERIFY(dialogs.shown.empty());
    QVERIFY(home.Read("release").empty());
  }

  void versionSwitchWritesReleaseAndEnds() {
    test::ShellHome home;
    home.Write("release", "old text that is longer than the version\r\n");
    const test::CliResult r =
        test::RunProgram(std::string(TESSARO_PROGRAM_DIR) + "/tessaro", {"/wersja"}, "", home.Dir());
    QCOMPARE(r.exit_code, 0);
    QCOMPARE(home.Read("release"), std::string(ProgramVersion()) + "\r\n");
  }

  void versionSwitchSkipsTheWindowAndCloseHandlers() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    gui::StartedProgram program = gui::StartProgram({"tessaro", "/wersja"});
    QVERIFY(program.quit_at_once);
    QVERIFY(!program.main->isVisible());
    QCOMPARE(home.Read("release"), std::string(ProgramVersion()) + "\r\n");
  }

  void installationIdIsMadeOnceAndKept() {
    test::ShellHome home;
    std::string first;
    {
      auto window = test::Start();
      first = window->UserId();
    }
    QCOMPARE(first.size(), size_t{16});
    for (char c : first) QVERIFY(c >= 'A' && c <= 'X');
    QVERIFY(home.Read(kRegistryFile).find("IdTS=" + first) != std::string::npos);
    auto again = test::Start();
    QCOMPARE(again->UserId(), first);
  }

  void failingRegistryGivesOneNotice() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    // A folder where the store should be, which cannot be set aside either
    // (a non-empty folder holds the ".bad" name): it cannot be replaced.
    std::filesystem::create_directory(home.Path(kRegistryFile));
    home.Write(std::string(kRegistryFile) + ".bad/keep", "x");
    auto window = test::Start();
    QCOMPARE(window->UserId().size(), size_t{16});
    QVERIFY(RegistryDisabled());
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown[0].kind, std::string("Komunikat"));
    QCOMPARE(dialogs.shown[0].caption, LangText("msgm00001"));
    QCOMPARE(dialogs.shown[0].text, LangText("msgm00002") + " " + LangText("msgm00003"));
    auto second = test::Start();  // the same run: no second notice, a fresh identifier
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QVERIFY(second->UserId() != window->UserId());
    ResetRegistry();
  }

  // A start-up file that is no regular file (a named pipe, which would block
  // any read) or is too large counts as damaged: set aside with one notice,
  // and the start goes on with defaults.
  void damagedStartupFilesDoNotBlockTheStart_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("pipe");
    for (const char* file : {"tsdllin.dat", "tsreg.dat", "tsset.dat", "tsview.dat", "tsmru.dat"}) {
      QTest::newRow((std::string(file) + " pipe").c_str()) << QString::fromLatin1(file) << true;
      QTest::newRow((std::string(file) + " 2 MiB").c_str()) << QString::fromLatin1(file) << false;
    }
  }
  void damagedStartupFilesDoNotBlockTheStart() {
    QFETCH(QString, file);
    QFETCH(bool, pipe);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    const std::string path = home.Path(file.toStdString());
    std::filesystem::remove(path);
    if (pipe) {
      QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    } else {
      home.Write(file.toStdString(), std::string(size_t{2} << 20, '\x01'));
    }
    auto window = test::Start();
    QVERIFY(window);
    QVERIFY(std::filesystem::exists(std::filesystem::symlink_status(path + ".bad")));
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown[0].text, FormatText(ExpandTextEscapes(LangText("msgm00098")), {path, path + ".bad"}));
    ResetRegistry();
  }

  // The information window is due at start while "Informacja" is empty.
  void informationWindowAtStart_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("first start") << "" << 1;
    QTest::newRow("box cleared") << "Brak" << 0;
  }
  void informationWindowAtStart() {
    QFETCH(QString, stored);
    QFETCH(int, shown);
    test::ShellHome home;
    RegistryWriteString("Informacja", stored.toStdString());
    auto window = test::Start();
    int calls = 0;
    QObject::connect(window.get(), &gui::Tmain::informationDue, [&calls] { ++calls; });
    QCOMPARE(calls, 0);
    window->show();
    QTest::qWait(300);
    QCOMPARE(calls, shown);
    window->hide();
    window->show();  // only the first show starts the timer
    QTest::qWait(300);
    QCOMPARE(calls, shown);
  }

  void versionTextComesFromTheBuild() {
    test::ShellHome home;
    auto window = test::Start();
    QCOMPARE(window->VersionText(), std::string(ProgramVersion()));
  }
};

TESSARO_GUI_TEST(ShellStartup)
#include "shell_startup_test.moc"
