// Recovery copies: the real program, killed with SIGKILL after a change,
// offers the changed document at its next start; a clean end or a save
// leaves no copy; copies are written at most once per interval.
#include <QProcess>
#include <QtTest>
#include <csignal>
#include <filesystem>

#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/services/recovery_store.h"
#include "gui/blockeditor/code_editor.h"
#include "gui/blockeditor/main_window_block_editor.h"
#include "gui/blockeditor/ttools.h"
#include "gui/failure/recovery_copies.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

QProcessEnvironment ProgramEnvironment(const test::TempHome& home, const char* hook) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("TESSARO_HOME"), QString::fromStdString(home.Dir()));
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("TESSARO_TEST_HOOK"), QString::fromLatin1(hook));
  return env;
}

QString Program() { return QStringLiteral(TESSARO_PROGRAM_DIR "/tessaro"); }

}  // namespace

class RecoveryCopiesTest : public QObject {
  Q_OBJECT

 private slots:
  void documentSurvivesAKill() {
    test::ShellHome home;
    const std::string folder = RecoveryFolder(home.Dir());
    QProcess first;
    first.setProcessEnvironment(ProgramEnvironment(home, "edit"));
    first.start(Program(), {});
    QVERIFY(first.waitForStarted());
    const int pid = static_cast<int>(first.processId());
    QTRY_VERIFY_WITH_TIMEOUT(!LeftBehindCopies(folder, [](int) { return false; }).empty(), 60000);
    ::kill(pid, SIGKILL);
    QVERIFY(first.waitForFinished());
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);

    QProcess second;
    second.setProcessEnvironment(ProgramEnvironment(home, "report"));
    second.start(Program(), {});
    QVERIFY(second.waitForFinished(60000));
    QCOMPARE(second.exitCode(), 0);
    const QByteArray out = second.readAllStandardOutput();
    QVERIFY2(out.contains("DOC " + QByteArray::fromStdString(LangText("msgm00047"))), out.constData());
    QVERIFY2(out.contains(QByteArray::fromStdString(LangText("msgrec00003"))), out.constData());
    QVERIFY2(out.contains("KOD s := 42"), out.constData());
    // Offered once: the old copies are gone, and the clean end removed the new ones.
    QVERIFY(LeftBehindCopies(folder, [](int) { return false; }).empty());
  }

  void copiesFollowChangesSavesAndTheInterval() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    gui::RecoveryCopies* copies = gui::RecoveryCopiesOf(*w);
    const auto all = [&] { return LeftBehindCopies(copies->Folder(), [](int) { return false; }); };
    w->NowyDokument();  // an empty new document is not worth a copy
    Tobj block;
    block.Kod = "a := 1";
    w->State().Bloki.push_back(block);
    copies->DiagramChanged();
    QTRY_COMPARE(all().size(), size_t{1});  // the first pass of the run comes at once
    // Later changes wait for the interval.
    w->State().Bloki[0].Kod = "a := 2";
    copies->DiagramChanged();
    QTest::qWait(200);
    TDocumentState read;
    QVERIFY(WczytajSchemat(read, all().front().Diagram));
    QCOMPARE(read.Bloki[0].Kod, std::string("a := 1"));
    copies->WriteNow();
    QVERIFY(WczytajSchemat(read, all().front().Diagram));
    QCOMPARE(read.Bloki[0].Kod, std::string("a := 2"));
    // A save makes the document clean again.
    w->Choosers().save = [&home](QWidget*) { return QString::fromStdString(home.Path("zapis.alg")); };
    QVERIFY(w->ZapiszDokument());
    copies->WriteNow();
    QVERIFY(all().empty());
    // Closing a changed document (answering No) removes its copy.
    w->State().Bloki[0].Kod = "a := 3";
    copies->WriteNow();
    QCOMPARE(all().size(), size_t{1});
    dialogs.answers.push_back(Answer::No);
    w->State().Zmiana = true;
    w->ZamknijDokument();
    copies->WriteNow();
    QVERIFY(all().empty());
  }

  // Text typed into a block pushes no snapshot while the block stays
  // selected; the copy still follows it within the interval.
  void typedTextReachesTheCopy() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    gui::RecoveryCopies* copies = gui::RecoveryCopiesOf(*w);
    QVERIFY(w->OtworzDokument(home.WriteAlgorithm("plik.alg")));
    w->State().Wybrany = 0;
    w->State().Repaint();
    QTest::keyClicks(gui::BlockEditorOf(*w)->Editor(), "x=1");
    QCOMPARE(w->State().Bloki[0].Kod, std::string("x:=1"));
    const auto all = [&] { return LeftBehindCopies(copies->Folder(), [](int) { return false; }); };
    QTRY_COMPARE_WITH_TIMEOUT(all().size(), size_t{1}, 15000);
    TDocumentState read;
    QVERIFY(WczytajSchemat(read, all().front().Diagram));
    QCOMPARE(read.Bloki[0].Kod, std::string("x:=1"));
  }

  // A copy left behind whose diagram does not read: "Tak" opens nothing for
  // it, the file is kept as ".bad" and the notice says where; a good copy
  // beside it still opens.
  void damagedCopyIsKeptAndNothingEmptyOpens() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    gui::RecoveryCopies* copies = gui::RecoveryCopiesOf(*w);
    const std::string folder = copies->Folder();
    const int gone = 4194000;  // no running process has this id
    const TMemoryStream damaged = {'T', 'S', 0x01, 0x02, 0x03};
    TMemoryStream good;
    Tobj block;
    block.Kod = "b := 2";
    QVERIFY(ZapiszSchemat({block}, good));
    QVERIFY(WriteRecoveryCopy(folder, gone, 1, "Zepsuty", "", damaged));
    QVERIFY(WriteRecoveryCopy(folder, gone, 2, "Dobry", "", good));
    const size_t documents = w->State().OtwartePliki.size();
    dialogs.answers.push_back(Answer::Yes);
    QCOMPARE(copies->OfferLeftBehind(), 1);
    QCOMPARE(w->State().OtwartePliki.size(), documents + 1);  // the good one only
    QCOMPARE(w->State().Bloki.size(), size_t{1});
    const std::string kept = folder + "/" + RecoveryFileName(gone, 1) + ".bad";
    QVERIFY(std::filesystem::exists(kept));
    QCOMPARE(dialogs.shown.size(), size_t{2});  // the question and one notice
    QVERIFY2(dialogs.shown[1].text.find(kept) != std::string::npos, dialogs.shown[1].text.c_str());
    QVERIFY(dialogs.shown[1].text.find("Zepsuty") != std::string::npos);
    // Not offered again.
    QCOMPARE(copies->OfferLeftBehind(), 0);
  }
};

TESSARO_GUI_TEST(RecoveryCopiesTest)
#include "recovery_copies_test.moc"
