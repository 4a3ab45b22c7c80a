// The main window as a class sees it: a language switch during analysis,
// Qt's own dialogs in the chosen language, pictures without the run's marks,
// the changed flag that only edits set, and the small things of the view.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "core/i18n/language.h"
#include "gui/diagram/diagram_commands.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui_test.h"
#include "picture/picture_export.h"
#include "run_fixture.h"

using namespace tessaro;
using test::RunWindow;

namespace {

const std::string kTwoBlocks = "start 1 -1\nproc 2 -1 x := 1\\ny := 2\nend -1 -1\n";

// The screen picture of the diagram as SVG text, to look for its words.
QByteArray ScreenSvg(gui::Tmain& w) {
  gui::DiagramView* view = gui::DiagramViewOf(w);
  view->RysujSchemat();
  const DiagramPicture& picture = view->Renderer().Picture();
  return picture::PictureSvg(picture, picture.FrameWithInk(), view->Metrics());
}

// Exports the diagram as SVG into `path` through the real command.
QByteArray ExportSvg(gui::Tmain& w, const QString& path) {
  gui::DiagramCommands* commands = gui::DiagramCommandsOf(w);
  commands->SaveDialog = [path](QWidget*, const QString&, int& filter) {
    filter = 2;
    return path;
  };
  w.CommandAction("ActionEksportujDoPliku")->trigger();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

class ShellDisplayTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { SetLanguage("PL"); }
  void cleanup() { SetLanguage("PL"); }

  void aLanguageSwitchDuringAnalysisTranslatesWhatIsShown() {
    RunWindow r(kTwoBlocks);
    r.Highlight(false);
    auto* zoom = r.w->findChild<QComboBox*>(QStringLiteral("tbComboBoxLupa"));
    zoom->setCurrentIndex(8);
    emit zoom->activated(8);
    const QString zoom_text = zoom->currentText();
    r.Command("ActionUruchomKrokPoKroku");
    r.Command("ActionNastepnaInstrukcja");
    QVERIFY(ScreenSvg(*r.w).contains("Koniec"));
    QCOMPARE(r.Status2(), QStringLiteral("Tryb analizy"));
    const int listed = r.code->Listing()->count();
    const int32_t end_width = r.w->State().Bloki[2].Width;

    r.w->CommandAction("ActionJezykEN")->trigger();
    // The diagram, the statuses and the listing speak English; the run goes on.
    QVERIFY(!r.c().IsEmpty());
    QCOMPARE(r.c().Current, 1);
    const QByteArray svg = ScreenSvg(*r.w);
    QVERIFY(svg.contains("End"));
    QVERIFY(!svg.contains("Koniec"));
    QCOMPARE(r.Status2(), QStringLiteral("Analysis mode"));
    QCOMPARE(r.Status1(), test::Text("msgm00029"));
    QCOMPARE(r.code->Listing()->count(), listed);
    QCOMPARE(r.code->Listing()->item(listed - 1)->text(), test::Text("msgcmp000020"));
    QCOMPARE(zoom->currentText(), zoom_text);
    QVERIFY(r.w->CommandAction("ActionNastepnaInstrukcja")->isEnabled());
    // The end block was measured again for its new text.
    QVERIFY(r.w->State().Bloki[2].Width < end_width);
    // Under a real display, LANGUAGE_SCREENSHOT names a picture of the paused
    // window after the switch.
    if (qEnvironmentVariableIsSet("LANGUAGE_SCREENSHOT")) {
      r.w->resize(1100, 800);
      r.Command("ActionNastepnaInstrukcja");
      QTest::qWait(300);
      r.w->screen()->grabWindow(r.w->winId()).save(qEnvironmentVariable("LANGUAGE_SCREENSHOT"));
    }
  }

  void qtDialogsFollowTheLanguage() {
    RunWindow r(kTwoBlocks);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Anuluj"));
    // The export dialog's title and filters come from the translation files.
    QString title;
    QStringList filters;
    QTimer::singleShot(50, r.w.get(), [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      title = dialog->windowTitle();
      filters = dialog->nameFilters();
      dialog->reject();
    });
    int filter = 0;
    gui::DiagramCommands* commands = gui::DiagramCommandsOf(*r.w);
    QVERIFY(commands->SaveDialog(r.w.get(), QStringLiteral("x"), filter).isEmpty());
    QCOMPARE(title, test::Text("msg00095"));
    QCOMPARE(filters.value(1), test::Text("msgm00091"));

    r.w->CommandAction("ActionJezykEN")->trigger();
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    QCOMPARE(test::Text("msgm00091"), QStringLiteral("JPEG picture (*.jpg)"));
  }

  void picturesShowTheDiagramNotTheRun() {
    QTemporaryDir dir;
    RunWindow r(kTwoBlocks);
    const QByteArray plain = ExportSvg(*r.w, dir.filePath("plain.svg"));
    QVERIFY(plain.contains("<svg"));
    // Paused on the processing block, with a block selected and a listing pick.
    r.Command("ActionUruchomKrokPoKroku");
    r.Command("ActionNastepnaInstrukcja");
    r.code->Listing()->setCurrentRow(2);
    r.w->State().Wybrany = 1;
    QCOMPARE(ExportSvg(*r.w, dir.filePath("paused.svg")), plain);
    QVERIFY(!r.c().IsEmpty());
  }

  void onlyEditsMarkTheDocumentChanged() {
    QTemporaryDir dir;
    RunWindow r(kTwoBlocks);
    QVERIFY(!r.w->State().Zmiana);
    gui::DiagramCommands* commands = gui::DiagramCommandsOf(*r.w);
    commands->PrintDialog = [](QPrinter&, QWidget*) { return false; };
    ExportSvg(*r.w, dir.filePath("a.svg"));
    r.w->CommandAction("ActionEksportujDoSchowka")->trigger();
    r.w->CommandAction("ActionDrukuj")->trigger();
    auto* zoom = r.w->findChild<QComboBox*>(QStringLiteral("tbComboBoxLupa"));
    zoom->setCurrentIndex(8);
    emit zoom->activated(8);
    QVERIFY(!r.w->State().Zmiana);
    // A new document and the switch back change nothing either.
    QTreeWidgetItem* first = r.w->FilesTree()->currentItem();
    r.w->NowyDokument();
    QVERIFY(!r.w->State().Zmiana);
    r.w->FilesTree()->setCurrentItem(first);
    QCOMPARE(r.w->State().AktualnyPlik, 1);
    QVERIFY(!r.w->State().Zmiana);
    // Quitting asks nothing.
    QVERIFY(r.w->ConfirmQuit());
    QVERIFY2(r.dialogs.shown.empty(), r.dialogs.shown.empty() ? "" : r.dialogs.shown[0].text.c_str());
    // An edit marks it; a save clears the mark.
    r.w->State().WyznaczObszar();
    QVERIFY(r.w->State().Zmiana);
    QVERIFY(r.w->ZapiszDokument());
    QVERIFY(!r.w->State().Zmiana);
  }

  void smallThingsOfTheView() {
    RunWindow r(kTwoBlocks);
    gui::DiagramView* view = gui::DiagramViewOf(*r.w);
    // "Połączenia łamane" starts unchecked: straight connections.
    QAction* right_angled = r.w->CommandAction("ActionLamana");
    QVERIFY(right_angled->isCheckable());
    QVERIFY(!right_angled->isChecked());
    view->RysujSchemat();
    QVERIFY(view->Scene().PolaczeniaProste);
    right_angled->setChecked(true);
    QVERIFY(!view->Scene().PolaczeniaProste);
    // The name column is as wide as its title.
    auto* list = r.w->findChild<QTableWidget*>(QStringLiteral("ValueListEditor"));
    QHeaderView* header = list->horizontalHeader();
    QVERIFY(header->sectionSize(0) >= header->sectionSizeHint(0));
    // A click in the open-files tree switches once.
    int switches = 0;
    r.w->OnCloseBlockEditor = [&switches] { ++switches; };
    QTreeWidgetItem* first = r.w->FilesTree()->currentItem();
    r.w->NowyDokument();
    switches = 0;
    r.w->FilesTree()->setCurrentItem(first);
    QCOMPARE(switches, 1);
  }

  void anOldStatusGoesWithItsDocument() {
    RunWindow r("start 1 -1\nproc 2 -1 x := (1\nend -1 -1\n");
    r.Command("ActionKompiluj");
    QCOMPARE(r.Status1(), test::Text("msgm00072"));
    r.w->ShowStatusNotice(test::Text("msgm00020"));
    r.w->NowyDokument();
    QCOMPARE(r.Status1(), QString());
    QCOMPARE(r.w->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text(), QString());
    QCOMPARE(r.Status2(), test::Text("msgm00065"));
  }
};

TESSARO_GUI_TEST(ShellDisplayTest)
#include "shell_display_test.moc"
