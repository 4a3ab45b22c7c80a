// The language menu: every text of the main window and of an open message
// dialog follows the switch at once.
#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <QAbstractButton>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <iterator>
#include <span>

#include "core/i18n/windows/blad_form_texts.h"
#include "core/i18n/windows/breakpoint_form_texts.h"
#include "core/i18n/windows/code_texts.h"
#include "core/i18n/windows/info_texts.h"
#include "core/i18n/windows/input_edit_texts.h"
#include "core/i18n/windows/konfiguracja_texts.h"
#include "core/i18n/windows/lupa_texts.h"
#include "core/i18n/windows/plugin_kreator_texts.h"
#include "core/i18n/windows/plugin_mgr_texts.h"
#include "core/i18n/windows/tools_texts.h"
#include "core/language/message_format.h"
#include "gui/blockeditor/main_window_block_editor.h"
#include "gui/blockeditor/ttools.h"
#include "gui/breakpoints/breakpoint_dialog.h"
#include "gui/analysis/tcode.h"
#include "gui/extensions/plugin_kreator.h"
#include "gui/extensions/plugin_mgr.h"
#include "gui/failure/blad_form.h"
#include "gui/about/info_form.h"
#include "gui/run/input_edit.h"
#include "gui/run/main_window_run.h"
#include "gui/settings/tkonfiguracja.h"
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

// What `window` shows for the table entry `t`, or a null text when the
// target is not a caption, a label, a button, an action, a tab or a hint.
QString Shown(QWidget& window, const WindowText& t) {
  const QString target = QString::fromLatin1(t.target);
  const bool hint = target.endsWith(QLatin1String(".Hint"));
  const QString object = hint ? target.chopped(5) : target;
  if (object.contains(QLatin1Char('.'))) return QString();
  if (object == QLatin1String("Caption")) return window.windowTitle();
  QObject* found = window.findChild<QObject*>(object);
  if (auto* a = qobject_cast<QAction*>(found)) return hint ? a->toolTip() : a->text();
  if (auto* l = qobject_cast<QLabel*>(found)) return hint ? l->toolTip() : l->text();
  if (auto* b = qobject_cast<QAbstractButton*>(found)) return hint ? b->toolTip() : b->text();
  auto* page = qobject_cast<QWidget*>(found);
  if (!page || hint) return QString();
  auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
  auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
  if (tabs) return tabs->tabText(tabs->indexOf(page));
  // A page out of its tabs keeps its text as its title.
  return object.startsWith(QLatin1String("TabSheet")) ? page->windowTitle() : QString();
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

  // Every window shows the texts of its one table (and of no copy of it):
  // each entry that names a caption, label, button, action, tab or hint of
  // the window shows the table's text, in either language.
  void everyWindowShowsItsTable_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("PL") << QStringLiteral("PL");
    QTest::newRow("EN") << QStringLiteral("EN");
  }
  void everyWindowShowsItsTable() {
    QFETCH(QString, language);
    test::ShellHome home;
    auto w = test::Start();
    SetLanguage(language.toStdString());
    gui::TBladForm blad(false);
    gui::Tinfo info("1.0", "id");
    gui::Tkonfiguracja konfiguracja(w->Settings());
    gui::TFormBreakPoint breakpoint;
    gui::TPlugInMGR manager;
    gui::TPlugInKreator kreator;
    struct Window {
      const char* name;
      QWidget* window;
      std::span<const WindowText> table;
    };
    const Window windows[] = {
        {"Ttools", gui::BlockEditorOf(*w), kToolsTexts},
        {"Tcode", gui::AnalysisWindowOf(*w), kCodeTexts},
        {"Tinfo", &info, kInfoTexts},
        {"Tlupa", w->Panel("dpNavigator")->widget(), kLupaTexts},
        {"TinputEdit", gui::InputDialogOf(*w), kInputEditTexts},
        {"TBladForm", &blad, kBladFormTexts},
        {"TFormBreakPoint", &breakpoint, kBreakPointFormTexts},
        {"Tkonfiguracja", &konfiguracja, kKonfiguracjaTexts},
        {"TPlugInMGR", &manager, kPlugInMgrTexts},
        {"TPlugInKreator", &kreator, kPlugInKreatorTexts},
    };
    for (const Window& window : windows) {
      QVERIFY2(window.window, window.name);
      int checked = 0;
      for (const WindowText& t : window.table) {
        const QString shown = Shown(*window.window, t);
        if (shown.isNull()) continue;
        QString expected = gui::Tr(t.id);
        // The texts a window shapes on the way: quotes dropped, the version
        // appended, escapes expanded.
        const std::string_view target(t.target);
        if (window.window == &info && target == "Label1") expected.remove(QLatin1Char('"'));
        if (window.window == &info && target == "lblWersja") expected += QStringLiteral(" 1.0");
        if (target == "lblOpisZamiany") expected = gui::FromCore(ExpandTextEscapes(LangText(t.id)));
        QVERIFY2(shown == expected, qPrintable(QStringLiteral("%1 %2: %3 instead of %4")
                                                   .arg(QString::fromLatin1(window.name), QString::fromLatin1(t.target),
                                                        shown, expected)));
        ++checked;
      }
      QVERIFY2(checked > 0, window.name);
    }
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
