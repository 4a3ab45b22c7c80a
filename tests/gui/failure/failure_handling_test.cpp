// A command that throws: the failure dialog, "Ignoruj błąd" with the diagram
// put back, failures while the dialog is open, the repeated failure, the
// report, "Wyślij", and the out-of-memory path with its recovery copies.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <utility>

#include "core/document/alg_reader.h"
#include "core/services/recovery_store.h"
#include "gui/failure/blad_form.h"
#include "gui/failure/failure_handler.h"
#include "gui/about/info_form.h"
#include "gui/shell/qt_text.h"
#include "gui/failure/recovery_copies.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;
using gui::TBladForm;

namespace {

std::vector<std::string> Texts(const std::vector<Tobj>& bloki) {
  std::vector<std::string> texts;
  for (const Tobj& o : bloki) texts.push_back(o.Kod);
  return texts;
}

// The failure dialog on the screen, or nullptr.
TBladForm* OpenDialog() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* d = qobject_cast<TBladForm*>(w); d && d->isVisible()) return d;
  return nullptr;
}

// Runs `act` once the failure dialog is showing (the dialog is modal, so the
// test acts from inside its event loop).
void WhenDialogShows(std::function<void(TBladForm*)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    if (TBladForm* dialog = OpenDialog()) {
      poll->stop();
      poll->deleteLater();
      act(dialog);
    }
  });
  poll->start(10);
}

void Click(TBladForm* dialog, const char* button) {
  QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

Tobj Block(const char* kod) {
  Tobj o;
  o.Kod = kod;
  o.Width = 100;
  o.Height = 40;
  return o;
}

}  // namespace

class FailureHandling : public QObject {
  Q_OBJECT

 private slots:
  void ignoredFailureKeepsTheProgramAndUndoesTheHalfDoneChange() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->show();
    w->NowyDokument();
    w->State().Bloki.push_back(Block("a := 1"));
    const std::vector<std::string> before = Texts(w->State().Bloki);
    const size_t snapshots = w->State().CurrentDocument()->Cofnij.size();
    // A command that changes the diagram, pushes nothing and fails half-way.
    w->SetCommandHandler("ActionWWW", [&w] {
      w->State().Bloki.push_back(Block("half"));
      w->State().Bloki[0].Kod = "broken";
      throw std::runtime_error("half-done change");
    });
    bool shown = false;
    bool ignore_offered = false;
    bool ignore_focused = false;
    WhenDialogShows([&](TBladForm* dialog) {
      shown = true;
      auto* ignore = dialog->findChild<QPushButton*>("BitBtn3");
      ignore_offered = ignore->isVisible();
      ignore_focused = dialog->focusWidget() == ignore;
      Click(dialog, "BitBtn3");  // "Ignoruj błąd"
    });
    w->CommandAction("ActionWWW")->trigger();
    QVERIFY(shown);
    QVERIFY(ignore_offered);
    QVERIFY(ignore_focused);
    QVERIFY(w->isVisible());
    QCOMPARE(Texts(w->State().Bloki), before);
    QCOMPARE(w->State().CurrentDocument()->Cofnij.size(), snapshots);
    QCOMPARE(dialogs.shown.size(), size_t{1});
    QCOMPARE(dialogs.shown.back().text, LangText("msgfail0002"));
    gui::FailureHandler* handler = gui::FailureHandlerOf(*w);
    QVERIFY(handler->LastReport().find("half-done change ClassName:std::runtime_error") == 0);
    QVERIFY(handler->LastReport().find("KOMPILACJA") == std::string::npos);

    // The same failure again offers only "Zamknij"; the close box then closes too.
    bool only_close = false;
    WhenDialogShows([&](TBladForm* dialog) {
      only_close = dialog->findChild<QPushButton*>("BitBtn3")->isHidden();
      Click(dialog, "BitBtn1");  // "Zamknij"
    });
    w->CommandAction("ActionWWW")->trigger();
    QVERIFY(only_close);
    // "Zamknij" goes the normal way out: the quit path asks about the
    // unsaved document (answered Cancel here, so the program stays).
    dialogs.answers.push_back(Answer::Cancel);
    w->State().Zmiana = true;
    QTRY_VERIFY(dialogs.shown.back().kind == "PytanieTakNieAnuluj");
    QVERIFY(w->isVisible());
  }

  void closeBoxIgnoresAndFurtherFailuresAreOnlyCounted() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->show();
    int calls = 0;
    w->SetCommandHandler("ActionWWW", [&calls] {
      ++calls;
      throw std::logic_error("failure " + std::to_string(calls));
    });
    int dialogs_seen = 0;
    int counted = 0;
    QString count_text;
    WhenDialogShows([&](TBladForm* dialog) {
      ++dialogs_seen;
      // Two more failures while the dialog is open: counted, no second dialog.
      w->CommandAction("ActionWWW")->trigger();
      w->CommandAction("ActionWWW")->trigger();
      counted = dialog->FurtherFailures();
      count_text = dialog->findChild<QLabel*>("lblKolejneBledy")->text();
      dialog->close();  // the close box
    });
    w->CommandAction("ActionWWW")->trigger();
    QCOMPARE(counted, 2);
    QVERIFY(count_text.endsWith("2"));
    QCOMPARE(calls, 3);
    QCOMPARE(dialogs_seen, 1);
    QVERIFY(w->isVisible());
    QVERIFY(OpenDialog() == nullptr);
  }

  void reportListsTheBlocksOfACompiledProgramAndSendIsForced() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->show();
    w->NowyDokument();
    w->State().Bloki = {Block("x := 1")};
    gui::FailureHandler* handler = gui::FailureHandlerOf(*w);
    handler->HasCompiledProgram = [] { return true; };
    std::vector<std::tuple<std::string, std::string, bool>> events;
    handler->SendUsageEvent = [&events](const std::string& a, const std::string& d, bool f) {
      events.emplace_back(a, d, f);
    };
    // The service acknowledges every description.
    handler->SendDescription = [&events](const std::string& d, std::function<void(bool)> done) {
      events.emplace_back("ERRORTIP", d, true);
      done(true);
    };
    w->SetCommandHandler("ActionWWW", [] { throw std::out_of_range("idx"); });
    bool memo_cleared = false;
    WhenDialogShows([&](TBladForm* dialog) {
      dialog->findChild<QLineEdit*>("edemail")->setText("  uczen@example.org ");
      Click(dialog, "BitBtn2");  // "Wyślij" with an e-mail and no description
      dialog->findChild<QPlainTextEdit*>("Memo1")->setPlainText(QString(1500, QLatin1Char('x')));
      dialog->findChild<QLineEdit*>("edemail")->clear();
      Click(dialog, "BitBtn2");
      memo_cleared = dialog->findChild<QPlainTextEdit*>("Memo1")->toPlainText().isEmpty();
      Click(dialog, "BitBtn2");  // nothing left to send
      Click(dialog, "BitBtn3");
    });
    w->CommandAction("ActionWWW")->trigger();
    QVERIFY(memo_cleared);
    QCOMPARE(events.size(), size_t{3});
    QCOMPARE(std::get<0>(events[0]), std::string("Error"));
    QVERIFY(!std::get<2>(events[0]));
    QVERIFY(std::get<1>(events[0]).find("\rKOMPILACJA \rBlok=\"Przetwarzanie\"\rKod=\"x := 1\"") != std::string::npos);
    QCOMPARE(events[1], std::make_tuple(std::string("ERRORTIP"), std::string("email: <b>uczen@example.org</b><br>"), true));
    QCOMPARE(std::get<1>(events[2]), std::string(1000, 'x'));
    QCOMPARE(dialogs.shown.front().text, LangText("mgsb00002"));
  }

  // "Wyślij" claims only what the service acknowledged: without a service it
  // is disabled and says why; a failed delivery keeps the text and says so.
  void sendButtonsClaimOnlyWhatWasDelivered() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    {
      TBladForm form(false);
      auto* send = form.findChild<QPushButton*>("BitBtn2");
      QVERIFY(!send->isEnabled());
      QCOMPARE(send->toolTip(), gui::Tr("mgsb00004"));
      gui::Tinfo info("1.0", "ID");
      QVERIFY(!info.findChild<QPushButton*>("BitBtn2")->isEnabled());
      QCOMPARE(info.findChild<QPushButton*>("BitBtn2")->toolTip(), gui::Tr("mgsb00004"));
    }
    for (bool delivered : {false, true}) {
      TBladForm form(false);
      gui::Tinfo info("1.0", "ID");
      struct Form {
        QDialog* dialog;
        const char* memo;
        const char* thanks;  // the notice of a delivery, or nullptr
      } forms[] = {{&form, "Memo1", "mgsb00002"}, {&info, "Memo2", nullptr}};
      std::function<void(bool)> pending;
      const gui::MessageSender sender = [&pending](const std::string&, std::function<void(bool)> done) {
        pending = std::move(done);
      };
      form.SetSender(sender);
      info.SetSender(sender);
      for (const Form& f : forms) {
        dialogs.shown.clear();
        auto* memo = f.dialog->findChild<QPlainTextEdit*>(QString::fromLatin1(f.memo));
        memo->setPlainText(QStringLiteral("opis"));
        auto* send = f.dialog->findChild<QPushButton*>("BitBtn2");
        QVERIFY(send->isEnabled());
        QTest::mouseClick(send, Qt::LeftButton);
        // Nothing is claimed while the answer is out; no second send meanwhile.
        QVERIFY(!send->isEnabled());
        QCOMPARE(memo->toPlainText(), QStringLiteral("opis"));
        QVERIFY(dialogs.shown.empty());
        std::exchange(pending, nullptr)(delivered);
        QVERIFY(send->isEnabled());
        QCOMPARE(memo->toPlainText().isEmpty(), delivered);
        if (!delivered) {
          QCOMPARE(dialogs.shown.size(), size_t{1});
          QCOMPARE(dialogs.shown[0].text, LangText("mgsb00003"));
        } else {
          QCOMPARE(dialogs.shown.size(), f.thanks ? size_t{1} : size_t{0});
          if (f.thanks) QCOMPARE(dialogs.shown[0].text, LangText(f.thanks));
        }
      }
    }
  }

  void outOfMemoryWritesRecoveryCopiesAndEndsWithoutTheDialog() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->show();
    w->NowyDokument();
    gui::FailureHandler* handler = gui::FailureHandlerOf(*w);
    bool terminated = false;
    handler->Terminate = [&terminated] { terminated = true; };
    w->SetCommandHandler("ActionWWW", [&w] {
      w->State().Bloki.push_back(Block("t := 7"));
      throw std::bad_alloc();
    });
    bool dialog_seen = false;
    WhenDialogShows([&](TBladForm* dialog) {
      dialog_seen = true;
      dialog->close();
    });
    w->CommandAction("ActionWWW")->trigger();
    QVERIFY(terminated);
    QVERIFY(!dialog_seen);
    QCOMPARE(dialogs.shown.back().text, LangText("msgm00059"));
    const auto copies = LeftBehindCopies(gui::RecoveryCopiesOf(*w)->Folder(), [](int) { return false; });
    QCOMPARE(copies.size(), size_t{1});
    TDocumentState restored;
    QVERIFY(WczytajSchemat(restored, copies[0].Diagram));
    QCOMPARE(restored.Bloki.size(), size_t{1});
    QCOMPARE(restored.Bloki[0].Kod, std::string("t := 7"));
    gui::RecoveryCopiesOf(*w)->RemoveAll();
  }
};

TESSARO_GUI_TEST(FailureHandling)
#include "failure_handling_test.moc"
