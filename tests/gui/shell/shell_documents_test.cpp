// The life of documents in the main window: names, the open-files tree, the
// caption, the questions before closing, saving, switching and the command
// states.
#include <QAction>
#include <QtTest>

#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

QString Numbered(int n) { return test::Text("msgm00047") + QString::number(n); }

int ImageOf(const gui::Tmain& window, int child) {
  return window.FilesTree()->Root()->child(child)->data(0, Qt::UserRole).toInt();
}

}  // namespace

class ShellDocuments : public QObject {
  Q_OBJECT

 private slots:
  void newDocumentsTakeTheSmallestFreeNumber() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    for (int i = 0; i < 3; ++i) w->NowyDokument();
    QCOMPARE(test::TreeNames(*w), (QStringList{Numbered(1), Numbered(2), Numbered(3)}));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro - ") + Numbered(3));
    QCOMPARE(ImageOf(*w, 0), int(gui::OpenFilesTree::kNeverSaved));

    w->PrzelaczDokument(w->FilesTree()->Root()->child(1));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro - ") + Numbered(2));
    w->ZamknijDokument();
    QCOMPARE(test::TreeNames(*w), (QStringList{Numbered(1), Numbered(3)}));
    // The first remaining document becomes current.
    QCOMPARE(w->State().AktualnyPlik, 1);
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro - ") + Numbered(1));
    w->NowyDokument();
    QCOMPARE(test::TreeNames(*w), (QStringList{Numbered(1), Numbered(3), Numbered(2)}));
  }

  void closingTheLastDocumentHidesTheEditor() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->NowyDokument();
    QVERIFY(w->DiagramWidget()->isVisibleTo(w.get()));
    w->ZamknijDokument();
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro"));
    QCOMPARE(w->State().AktualnyPlik, 0);
    QVERIFY(!w->DiagramWidget()->isVisibleTo(w.get()));
    QVERIFY(test::TreeNames(*w).isEmpty());
  }

  // The close question is asked only while the diagram has changed; each row
  // gives the answer and what must remain.
  void closeQuestion_data() {
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("stays_open");
    QTest::addColumn<bool>("still_changed");
    QTest::newRow("unchanged: no question") << false << int(Answer::Cancel) << false << false << false;
    QTest::newRow("changed, No") << true << int(Answer::No) << true << false << false;
    QTest::newRow("changed, Cancel") << true << int(Answer::Cancel) << true << true << true;
    // Yes on a never-saved document whose save dialog is cancelled.
    QTest::newRow("changed, Yes, save cancelled") << true << int(Answer::Yes) << true << true << true;
  }
  void closeQuestion() {
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, stays_open);
    QFETCH(bool, still_changed);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->Choosers().save = [](QWidget*) { return QString(); };
    w->NowyDokument();
    w->State().Zmiana = changed;
    dialogs.answers.push_back(static_cast<Answer>(answer));
    w->ZamknijDokument();
    QCOMPARE(!dialogs.shown.empty(), asked);
    if (asked) {
      QCOMPARE(dialogs.shown[0].kind, std::string("PytanieTakNieAnuluj"));
      QCOMPARE(dialogs.shown[0].caption, LangText("msgm00023"));
      QCOMPARE(dialogs.shown[0].text, LangText("msgm00026") + "\r" + LangText("msgm00014"));
    }
    QCOMPARE(w->State().OtwartePliki.size(), size_t{stays_open ? 1u : 0u});
    QCOMPARE(w->State().Zmiana, still_changed);
  }

  void quitQuestion_data() {
    QTest::addColumn<bool>("document");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closes");
    QTest::newRow("no document") << false << false << int(Answer::Cancel) << false << true;
    QTest::newRow("unchanged") << true << false << int(Answer::Cancel) << false << true;
    QTest::newRow("changed, No") << true << true << int(Answer::No) << true << true;
    QTest::newRow("changed, Cancel") << true << true << int(Answer::Cancel) << true << false;
    QTest::newRow("changed, Yes, save cancelled") << true << true << int(Answer::Yes) << true << false;
  }
  void quitQuestion() {
    QFETCH(bool, document);
    QFETCH(bool, changed);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closes);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->Choosers().save = [](QWidget*) { return QString(); };
    if (document) w->NowyDokument();
    w->show();
    w->State().Zmiana = changed;
    dialogs.answers.push_back(static_cast<Answer>(answer));
    QCOMPARE(w->close(), closes);
    QCOMPARE(!dialogs.shown.empty(), asked);
    if (asked) QCOMPARE(dialogs.shown[0].text, LangText("msgm00027") + "\r" + LangText("msgm00015"));
  }

  void quitWithYesSavesTheCurrentDocument() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    const std::string path = home.WriteAlgorithm("plan.alg", 1);
    auto w = test::Start();
    w->OtworzDokument(path);
    w->State().Bloki.push_back(Tobj{});
    w->State().Zmiana = true;
    dialogs.answers.push_back(Answer::Yes);
    w->show();
    QVERIFY(w->close());
    TMemoryStream bytes;
    QVERIFY(ReadAlgorithmFile(path, bytes));
    QCOMPARE(ReadAlgorithm(bytes, {}).bloki.size(), size_t{2});
  }

  // Documents that are not current hold their work only in memory; quitting
  // asks about each one whose work its file lacks.
  void quitAsksAboutOtherDocumentsWithUnsavedWork_data() {
    QTest::addColumn<bool>("other_edited");
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("closes");
    QTest::newRow("other unchanged") << false << int(Answer::Cancel) << 0 << true;
    QTest::newRow("other edited, No") << true << int(Answer::No) << 1 << true;
    QTest::newRow("other edited, Cancel") << true << int(Answer::Cancel) << 1 << false;
    QTest::newRow("other edited, Yes") << true << int(Answer::Yes) << 1 << true;
  }
  void quitAsksAboutOtherDocumentsWithUnsavedWork() {
    QFETCH(bool, other_edited);
    QFETCH(int, answer);
    QFETCH(int, questions);
    QFETCH(bool, closes);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    const std::string path = home.WriteAlgorithm("plan.alg", 2);
    auto w = test::Start();
    w->OtworzDokument(path);
    w->show();  // sizes recomputed by a repaint are no work of the user's
    if (other_edited) w->State().Bloki.push_back(Tobj{});
    w->NowyDokument();  // the file's document is no longer current
    w->State().Zmiana = false;
    dialogs.answers.push_back(static_cast<Answer>(answer));
    QCOMPARE(w->close(), closes);
    QCOMPARE(int(dialogs.shown.size()), questions);
    if (questions) {
      QCOMPARE(dialogs.shown[0].text,
               LangText("msgm00074") + " plan\r" + LangText("msgm00015"));
      QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro - plan"));  // shown while asked
    }
    TMemoryStream bytes;
    QVERIFY(ReadAlgorithmFile(path, bytes));
    const size_t on_disk = answer == int(Answer::Yes) && other_edited ? 3 : 2;
    QCOMPARE(ReadAlgorithm(bytes, {}).bloki.size(), on_disk);
  }

  // Which commands a document enables. Commands whose work comes with later
  // parts of the program stay disabled either way.
  void commandStates_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("without");
    QTest::addColumn<bool>("with");
    QTest::newRow("new") << "ActionNowySchemat" << true << true;
    QTest::newRow("open") << "ActionOtworzPlik" << true << true;
    QTest::newRow("exit") << "ActionZamknijProgram" << true << true;
    QTest::newRow("save") << "ActionZapiszPlik" << false << true;
    QTest::newRow("save as") << "ActionZapiszJako" << false << true;
    QTest::newRow("close") << "ActionZamknijPlikZAlgorytmem" << false << true;
    QTest::newRow("centre vertically") << "ActionWyrownajPionowo" << false << false;
    QTest::newRow("centre horizontally") << "ActionWyrownajPoziomo" << false << false;
    QTest::newRow("pause") << "ActionWstrzymaj" << false << false;
    QTest::newRow("stop") << "ActionZakonczWykonywanie" << false << false;
    QTest::newRow("next block") << "ActionNastepnyBlok" << false << false;
  }
  void commandStates() {
    QFETCH(QString, command);
    QFETCH(bool, without);
    QFETCH(bool, with);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    QAction* action = w->CommandAction(command.toLatin1().constData());
    QVERIFY(action);
    QCOMPARE(action->isEnabled(), without);
    w->NowyDokument();
    QCOMPARE(action->isEnabled(), with);
    w->ZamknijDokument();
    QCOMPARE(action->isEnabled(), without);
  }

  void commandWithLaterWorkFollowsTheDocumentOnceItHasAHandler() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    gui::Tmain window({"tessaro"});  // the bare window: no other part has given work yet
    auto* w = &window;
    QAction* print = w->CommandAction("ActionDrukuj");
    w->NowyDokument();
    QVERIFY(!print->isEnabled());
    int printed = 0;
    w->SetCommandHandler("ActionDrukuj", [&printed] { ++printed; });
    QVERIFY(print->isEnabled());
    print->trigger();
    QCOMPARE(printed, 1);
    w->ZamknijDokument();
    QVERIFY(!print->isEnabled());
  }

  void saveAsAppendsTheExtension_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain name") << "test" << "test.alg" << "test";
    QTest::newRow("upper-case extension") << "test.ALG" << "test.ALG" << "test";
    QTest::newRow("extension inside") << "a.alg.bak" << "a.alg.bak" << "a.alg";
    QTest::newRow("other extension") << "plan.txt" << "plan.txt.alg" << "plan.txt";
  }
  void saveAsAppendsTheExtension() {
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QFETCH(QString, name);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    const QString folder = QString::fromStdString(home.Dir()) + "/";
    w->Choosers().save = [&](QWidget*) { return folder + chosen; };
    w->NowyDokument();
    QVERIFY(w->ZapiszDokument());  // never saved: asks for a name
    QVERIFY(QFileInfo::exists(folder + saved));
    QCOMPARE(w->State().CurrentDocument()->Sciezka, (folder + saved).toStdString());
    QCOMPARE(test::TreeNames(*w), QStringList{name});
    QCOMPARE(ImageOf(*w, 0), int(gui::OpenFilesTree::kFromFile));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro - ") + name);
  }

  void failedSaveKeepsNameAndPath() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->Choosers().save = [](QWidget*) { return QStringLiteral("/nonexistent/folder/x"); };
    w->NowyDokument();
    QVERIFY(!w->ZapiszDokumentJako());
    QCOMPARE(w->State().CurrentDocument()->Sciezka, std::string());
    QCOMPARE(test::TreeNames(*w), QStringList{Numbered(1)});
    QVERIFY(!dialogs.shown.empty());  // the writer reported the failure
  }

  void openShowsTheFileNameWithoutItsExtension() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    const std::string plain = home.WriteAlgorithm("sub/plan.alg", 2);
    const std::string twice = home.WriteAlgorithm("a.alg.alg", 1);
    auto w = test::Start();
    w->Choosers().open = [&](QWidget*, const QString&) {
      return QStringList{QString::fromStdString(plain), QString::fromStdString(twice),
                         QStringLiteral("/nonexistent.alg")};
    };
    w->OpenFiles();
    QCOMPARE(test::TreeNames(*w), (QStringList{"plan", "a.alg"}));
    QCOMPARE(ImageOf(*w, 0), int(gui::OpenFilesTree::kFromFile));
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro - a.alg"));  // the last is current
    QCOMPARE(w->State().AktualnyPlik, 2);
    QVERIFY(!w->State().Zmiana);
    const auto& recent = w->Recent().Paths();
    QCOMPARE(recent.size(), size_t{2});
    QCOMPARE(recent[0], twice);
    QVERIFY(dialogs.shown.empty());
  }

  void unreadableFilesOpenNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("foreign file") << QByteArray("not an algorithm at all");
    QTest::newRow("empty file") << QByteArray();
    // The right magic, then a count that claims more than the file holds.
    QTest::newRow("damaged file") << QByteArray("\x9F\x1E\x68\x03\xFF\xFF\xFF\x7F", 8);
  }
  void unreadableFilesOpenNothing() {
    QFETCH(QByteArray, bytes);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    home.Write("bad.alg", bytes.toStdString());
    auto w = test::Start();
    QVERIFY(!w->OtworzDokument(home.Path("bad.alg")));
    QVERIFY(w->State().OtwartePliki.empty());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tessaro"));
    QVERIFY(test::TreeNames(*w).isEmpty());
    QVERIFY(!dialogs.shown.empty());
    QCOMPARE(dialogs.shown[0].kind, std::string("Komunikat"));
  }

  void missingRecentFileGivesANotice() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->Recent().Add("/nonexistent/plan.alg");
    w->OpenRecentFile("/nonexistent/plan.alg");
    QVERIFY(w->State().OtwartePliki.empty());
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown[0].caption, LangText("msgm00023"));
    QCOMPARE(dialogs.shown[0].text, LangText("msgm00038"));
    QCOMPARE(w->Recent().Paths().size(), size_t{1});
  }

  // Text typed into a block pushes no snapshot of its own; switching away and
  // back must not lose it.
  void switchingKeepsUnsnapshotEdits() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->NowyDokument();
    w->State().Bloki.push_back(Tobj{});
    w->State().Wybrany = 0;
    w->State().UstawKod("x := 1");
    w->NowyDokument();
    QVERIFY(w->State().Bloki.empty());
    w->PrzelaczDokument(w->FilesTree()->Root()->child(0));
    QCOMPARE(w->State().Bloki.size(), size_t{1});
    QCOMPARE(w->State().Bloki[0].Kod, std::string("x := 1"));
    // Switching sets the changed flag, so the close question is asked.
    QVERIFY(w->State().Zmiana);
  }

  void treeSelectionSwitchesAndKeepsViews() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->NowyDokument();
    w->View().PoczatekX = 123;
    w->NowyDokument();
    QCOMPARE(w->View().PoczatekX, 0);
    w->FilesTree()->setCurrentItem(w->FilesTree()->Root()->child(0));
    QCOMPARE(w->State().AktualnyPlik, 1);
    QCOMPARE(w->View().PoczatekX, 123);
    w->FilesTree()->setCurrentItem(w->FilesTree()->Root());  // the root is no document
    QCOMPARE(w->State().AktualnyPlik, 1);
  }

  void closingTheClipboardSourceEmptiesTheClipboard() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->NowyDokument();
    w->NowyDokument();
    w->NowyDokument();
    w->State().Schowek.push_back(TSchowek{});
    w->State().SchowekZrodlo = 3;
    w->PrzelaczDokument(w->FilesTree()->Root()->child(0));
    w->ZamknijDokument();
    // The source moved one place down with the records after the closed one.
    QCOMPARE(w->State().SchowekZrodlo, 2);
    w->PrzelaczDokument(w->FilesTree()->Root()->child(1));
    w->ZamknijDokument();
    QCOMPARE(w->State().SchowekZrodlo, -1);
    QVERIFY(w->State().Schowek.empty());
  }
};

TESSARO_GUI_TEST(ShellDocuments)
#include "shell_documents_test.moc"
