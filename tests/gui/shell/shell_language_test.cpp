// The language menu: every text of the main window and of an open message
// dialog follows the switch at once.
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "gui/shell/message_dialogs.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

QString MenuTitle(const gui::Tmain& w, const char* name) {
  return w.findChild<QMenu*>(QString::fromLatin1(name))->title();
}

QStringList ButtonTexts(QMessageBox* box) {
  QStringList texts;
  for (QAbstractButton* b : box->buttons()) texts << b->text();
  texts.sort();
  return texts;
}

}  // namespace

class ShellLanguage : public QObject {
  Q_OBJECT

 private slots:
  void init() { SetLanguage("PL"); }

  void switchRetranslatesTheWindowAtOnce() {
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    auto w = test::Start();
    w->NowyDokument();
    QCOMPARE(MenuTitle(*w, "menuPlik"), QStringLiteral("&Plik"));
    QCOMPARE(w->CommandAction("ActionNowySchemat")->text(), QStringLiteral("Nowy schemat"));
    QCOMPARE(w->Panel("dpWykazPlikow")->windowTitle(), QStringLiteral("Otwarte pliki"));
    QVERIFY(w->CommandAction("ActionJezykPL")->isChecked());

    w->CommandAction("ActionJezykEN")->trigger();
    QCOMPARE(MenuTitle(*w, "menuPlik"), QStringLiteral("&File"));
    QCOMPARE(w->CommandAction("ActionNowySchemat")->text(), QStringLiteral("New diagram"));
    QCOMPARE(w->Panel("dpWykazPlikow")->windowTitle(), QStringLiteral("Open files"));
    QCOMPARE(w->FilesTree()->Root()->text(0), test::Text("msgm00068"));
    QVERIFY(w->CommandAction("ActionJezykEN")->isChecked());
    // The caption keeps the document's name.
    QVERIFY(w->windowTitle().startsWith(QStringLiteral("Tessaro - ")));
  }

  void everyTranslatedTextIsPresent() {
    test::ShellHome home;
    auto w = test::Start();
    for (const char* code : {"PL", "EN"}) {
      SetLanguage(code);
      for (QAction* a : w->findChildren<QAction*>()) {
        if (a->isSeparator() || a->objectName().isEmpty()) continue;
        QVERIFY2(!a->text().startsWith(QLatin1Char('[')), qPrintable(a->objectName() + ": " + a->text()));
      }
      for (QMenu* m : w->findChildren<QMenu*>())
        QVERIFY2(!m->title().startsWith(QLatin1Char('[')), qPrintable(m->objectName()));
      for (QDockWidget* d : w->findChildren<QDockWidget*>())
        QVERIFY2(!d->windowTitle().startsWith(QLatin1Char('[')), qPrintable(d->objectName()));
    }
  }

  void hiddenLanguagesExistDisabled() {
    test::ShellHome home;
    auto w = test::Start();
    for (const char* name : {"ActionJezykDE", "ActionJezykCZ"}) {
      QAction* a = w->CommandAction(name);
      QVERIFY(a);
      QVERIFY(!a->isVisible());
      QVERIFY(!a->isEnabled());
    }
  }

  void openDialogFollowsTheSwitch() {
    test::ShellHome home;
    gui::MessageDialogs dialogs;
    QStringList before, after;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      before = ButtonTexts(box);
      SetLanguage("EN");
      after = ButtonTexts(box);
      for (QAbstractButton* b : box->buttons())
        if (b->text() == test::Text(gui::kCancelId)) b->click();
    });
    const Answer answer = dialogs.PytanieTakNieAnuluj("Caption", "Text");
    QCOMPARE(answer, Answer::Cancel);
    QCOMPARE(before, (QStringList{"Anuluj", "Nie", "Tak"}));
    QCOMPARE(after, (QStringList{"Cancel", "No", "Yes"}));
  }

  void dialogAnswers_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << "Tak" << int(Answer::Yes);
    QTest::newRow("no") << "Nie" << int(Answer::No);
    QTest::newRow("escape") << "" << int(Answer::No);
  }
  void dialogAnswers() {
    QFETCH(QString, button);
    QFETCH(int, answer);
    test::ShellHome home;
    gui::MessageDialogs dialogs;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      if (button.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
      }
      for (QAbstractButton* b : box->buttons())
        if (b->text() == button) b->click();
    });
    QCOMPARE(int(dialogs.PytanieTakNie("Caption", "Text", QuestionIcon::Standard)), answer);
  }
};

TESSARO_GUI_TEST(ShellLanguage)
#include "shell_language_test.moc"
