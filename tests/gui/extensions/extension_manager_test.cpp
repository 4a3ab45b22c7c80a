// The extension manager and the project creator with real libraries: the
// list and its check boxes against "tsdllin.dat", the details, Ok and
// Anuluj, importing, the discarded program, and a project made by the
// creator, built with its Makefile, imported, enabled and called from a
// flowchart.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "alg_spec.h"
#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_table.h"
#include "core/language/variables.h"
#include "gui/extensions/main_window_extensions.h"
#include "gui/extensions/plugin_kreator.h"
#include "gui/extensions/plugin_mgr.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;
namespace fs = std::filesystem;

namespace {

const std::string kBuiltExtension = std::string(TESSARO_PROGRAM_DIR) + "/Rozszerzenia/matematyka_szkolna.so";

// One list-file record at its documented offsets.
std::string Record(const std::string& file, unsigned char enabled) {
  std::string record(620, '\0');
  record[356] = static_cast<char>(file.size());
  record.replace(357, file.size(), file);
  record[611] = static_cast<char>(enabled);
  return record;
}

// A program folder with the translation files, the template set and two
// copies of the sample extension: "kopia.so" disabled, "matematyka_szkolna.so"
// enabled.
struct ExtensionHome {
  ExtensionHome() {
    fs::copy(std::string(TESSARO_PROGRAM_DIR) + "/Kreator", home.Path("Kreator"), fs::copy_options::recursive);
    fs::create_directories(home.Path("Rozszerzenia"));
    fs::copy_file(kBuiltExtension, home.Path("Rozszerzenia/matematyka_szkolna.so"));
    fs::copy_file(kBuiltExtension, home.Path("Rozszerzenia/kopia.so"));
    home.Write("tsdllin.dat", Record("kopia.so", 0) + Record("matematyka_szkolna.so", 1));
  }
  ~ExtensionHome() {
    UnloadPlugIns();
    PlugIns.clear();
  }

  test::ShellHome home;
  test::RecordingDialogs dialogs;
};

QStringList Items(const gui::TPlugInMGR& m) {
  QStringList items;
  for (int i = 0; i < m.listaRozszerzen->count(); ++i) {
    QListWidgetItem* item = m.listaRozszerzen->item(i);
    items << item->text() + (item->checkState() == Qt::Checked ? "+" : "-");
  }
  return items;
}

// Selects the row of `file` and toggles its box with the space bar.
void ToggleWithKeyboard(gui::TPlugInMGR& m, const QString& file) {
  const QList<QListWidgetItem*> found = m.listaRozszerzen->findItems(file, Qt::MatchExactly);
  QVERIFY2(!found.isEmpty(), qPrintable(file));
  m.listaRozszerzen->setCurrentItem(found.first());
  m.listaRozszerzen->setFocus();
  QTest::keyClick(m.listaRozszerzen, Qt::Key_Space);
}

// Runs `act` on the manager once the main window's command has opened it.
void WhenManagerOpens(std::function<void(gui::TPlugInMGR&)> act) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* manager = qobject_cast<gui::TPlugInMGR*>(QApplication::activeModalWidget());
    if (!manager) return;
    timer->stop();
    timer->deleteLater();
    act(*manager);
  });
  timer->start();
}

std::string CoreBytes(const QString& text) { return gui::ToCore(text); }

}  // namespace

class ExtensionManagerTest : public QObject {
  Q_OBJECT

 private slots:
  void listChecksAndDetailsFollowTheListFile() {
    ExtensionHome e;
    LoadPlugIns();
    gui::TPlugInMGR m;
    QCOMPARE(m.windowTitle(), test::Text("msg00466"));
    QCOMPARE(m.size(), QSize(720, 379));
    QVERIFY(m.btnUsun->isHidden());
    QCOMPARE(Items(m), (QStringList{"kopia.so-", "matematyka_szkolna.so+"}));

    // kopia.so was disabled, so the refresh read its identity from the library.
    m.listaRozszerzen->setCurrentRow(0);
    const QString details = m.reDodatkoweInformacje->toPlainText();
    QVERIFY2(details.startsWith(QStringLiteral("Matematyka szkolna\nFunkcje matematyki szkolnej")), qPrintable(details));
    QTextCursor name(m.reDodatkoweInformacje->document());
    name.setPosition(1);
    QCOMPARE(name.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(name.charFormat().foreground().color(), QColor(0, 0, 255));
    const QStringList functions = m.RichEditFunkcje->toPlainText().split('\n');
    QCOMPARE(functions.mid(0, 3), (QStringList{"Silnia", functions[1], ""}));
    QVERIFY(functions[1].startsWith(QStringLiteral("Silnia(n) - iloczyn")));
    QVERIFY(functions.contains(QStringLiteral("NWD")));
    QVERIFY(e.dialogs.shown.empty());
  }

  void anulujWritesNothingButTheCheckIsInForce() {
    ExtensionHome e;
    LoadPlugIns();
    const std::string before = e.home.Read("tsdllin.dat");
    gui::TPlugInMGR m;
    m.show();
    ToggleWithKeyboard(m, "kopia.so");
    QCOMPARE(Items(m), (QStringList{"kopia.so+", "matematyka_szkolna.so+"}));
    // The box that changed is the one acted on, whatever else is selected.
    QCOMPARE(PlugIns[FindPlugIn("kopia.so")].Enabled, 1);
    QVERIFY(IsModuleLoaded(PlugIns[FindPlugIn("kopia.so")].Module));
    QCOMPARE(PlugIns[FindPlugIn("matematyka_szkolna.so")].Enabled, 1);

    QTest::mouseClick(m.btnAnuluj, Qt::LeftButton);
    QCOMPARE(m.result(), int(QDialog::Rejected));
    QCOMPARE(e.home.Read("tsdllin.dat"), before);
    QCOMPARE(PlugIns[FindPlugIn("kopia.so")].Enabled, 1);
  }

  void okWritesOneRecordPerLibrary() {
    ExtensionHome e;
    LoadPlugIns();
    {
      gui::TPlugInMGR m;
      m.show();
      ToggleWithKeyboard(m, "matematyka_szkolna.so");  // unchecked
      ToggleWithKeyboard(m, "kopia.so");               // checked
      QTest::mouseClick(m.btnZastosuj, Qt::LeftButton);
      QCOMPARE(m.result(), int(QDialog::Accepted));
    }
    const std::string bytes = e.home.Read("tsdllin.dat");
    QCOMPARE(bytes.size(), size_t(620 * 2));
    UnloadPlugIns();
    LoadPlugIns();
    QCOMPARE(PlugIns.size(), size_t(1));
    QCOMPARE(PlugIns[0].FileName, std::string("kopia.so"));
    QCOMPARE(PlugIns[0].Name, std::string("Matematyka szkolna"));
  }

  void importAsksBeforeReplacingAndThenOnlyOkLeaves() {
    ExtensionHome e;
    LoadPlugIns();
    e.home.Write("zrodlo/kopia.so", test::ReadFileBytes(kBuiltExtension));
    e.home.Write("zrodlo/nowa.so", test::ReadFileBytes(kBuiltExtension));
    gui::TPlugInMGR m;
    m.show();
    QString chosen;
    m.ChooseLibraryFile = [&chosen](QWidget*) { return chosen; };

    // Cancelled chooser: nothing.
    m.Import();
    QVERIFY(e.dialogs.shown.empty());

    // An existing name, "No": nothing changes.
    chosen = gui::FromPath(e.home.Path("zrodlo/kopia.so"));
    e.dialogs.answers = {Answer::No};
    QTest::mouseClick(m.btnDodaj, Qt::LeftButton);
    QCOMPARE(e.dialogs.shown.size(), size_t(1));
    QCOMPARE(e.dialogs.shown[0].kind, std::string("PytanieTakNie"));
    QCOMPARE(e.dialogs.shown[0].caption, LangText("msgpi00003"));
    QCOMPARE(e.dialogs.shown[0].text, LangText("msgpi00005"));
    QVERIFY(m.btnAnuluj->isEnabled());

    // "Yes": replaced, the list reloaded, and Anuluj, Esc and the close box are gone.
    e.dialogs.answers = {Answer::Yes};
    QTest::mouseClick(m.btnDodaj, Qt::LeftButton);
    QCOMPARE(e.dialogs.shown.size(), size_t(2));
    QVERIFY(!m.btnAnuluj->isEnabled());
    QCOMPARE(m.listaRozszerzen->currentItem()->text(), QStringLiteral("kopia.so"));
    QTest::keyClick(&m, Qt::Key_Escape);
    QVERIFY(m.isVisible());
    QVERIFY(!m.close());
    QVERIFY(m.isVisible());

    // A new name is copied without a question.
    chosen = gui::FromPath(e.home.Path("zrodlo/nowa.so"));
    QTest::mouseClick(m.btnDodaj, Qt::LeftButton);
    QCOMPARE(e.dialogs.shown.size(), size_t(2));
    QCOMPARE(Items(m), (QStringList{"kopia.so-", "matematyka_szkolna.so+", "nowa.so-"}));
    QTest::mouseClick(m.btnZastosuj, Qt::LeftButton);
    QVERIFY(!m.isVisible());
  }

  void failedImportIsOneNoticeNamingTheFile() {
    ExtensionHome e;
    LoadPlugIns();
    e.home.Write("zepsuty.so", "not a library");
    gui::TPlugInMGR m;
    m.ChooseLibraryFile = [&e](QWidget*) { return gui::FromPath(e.home.Path("zepsuty.so")); };
    QTest::mouseClick(m.btnDodaj, Qt::LeftButton);
    QCOMPARE(e.dialogs.shown.size(), size_t(1));
    QCOMPARE(e.dialogs.shown[0].kind, std::string("Komunikat"));
    QCOMPARE(e.dialogs.shown[0].caption, LangText("msgpi00003"));
    const std::string& text = e.dialogs.shown[0].text;
    QVERIFY2(text.rfind(LangText("msgpi00008") + "\r\nzepsuty.so\r\n" + LangText("msgpi00012"), 0) == 0,
             text.c_str());
    QVERIFY(m.btnAnuluj->isEnabled());
    QVERIFY(!fs::exists(e.home.Path("Rozszerzenia/zepsuty.so")));
    QCOMPARE(Items(m), (QStringList{"kopia.so-", "matematyka_szkolna.so+"}));
  }

  void uncheckingDiscardsTheCompiledProgramAndOkRebuildsTheMenus() {
    ExtensionHome e;
    std::unique_ptr<gui::Tmain> w = test::Start();
    w->show();
    std::vector<Tobj> bloki;
    std::string error;
    QVERIFY(fixtures::ParseAlgSpec("start 1 -1\nproc 2 -1 x := NWD(12, 18)\nend -1 -1\n", bloki, error));
    fixtures::WriteAlgFile(bloki, e.home.Path("nwd.alg"));
    w->OtworzDokument(e.home.Path("nwd.alg"));
    gui::Trun* run = gui::RunControllerOf(*w);
    int rebuilt = 0;
    w->OnExtensionsChanged = [&rebuilt] { ++rebuilt; };

    // Refused while a run loop is in progress.
    run->Compiler.Running = 1;
    QVERIFY(!gui::OpenExtensionManager(*w));
    run->Compiler.Running = 0;

    w->CommandAction("ActionKompiluj")->trigger();
    QVERIFY(!run->Compiler.IsEmpty());
    QVERIFY(!run->Compiler.HasErrors());
    bool emptied_before_release = false;
    WhenManagerOpens([&](gui::TPlugInMGR& m) {
      ToggleWithKeyboard(m, "matematyka_szkolna.so");
      emptied_before_release = run->Compiler.IsEmpty();
      QTest::mouseClick(m.btnZastosuj, Qt::LeftButton);
    });
    QVERIFY(w->CommandAction("ActionMenagerRozszerzen")->isEnabled());
    w->CommandAction("ActionMenagerRozszerzen")->trigger();
    QVERIFY(emptied_before_release);
    QCOMPARE(rebuilt, 1);
    // The next compilation no longer finds the function.
    w->CommandAction("ActionKompiluj")->trigger();
    QVERIFY(run->Compiler.HasErrors());
  }

  void creatorFileNameFolderAndLanguages() {
    ExtensionHome e;
    gui::TPlugInKreator k;
    QCOMPARE(k.windowTitle(), test::Text("msg00475"));
    QCOMPARE(k.edNazwaPliku->text(), test::Text("msg00487"));
    QCOMPARE(k.rbJezykC->text(), QStringLiteral("C (gcc)"));
    QVERIFY(k.rbJezykC->isChecked() && k.rbJezykC->isEnabled());
    for (QRadioButton* r : {k.RadioButton2, k.RadioButton3, k.RadioButton4}) QVERIFY(!r->isEnabled());

    // A cancelled folder choice keeps the typed folder.
    const QString typed = gui::FromPath(e.home.Path("projekt"));
    k.edKatalog->setText(typed);
    k.ChooseFolder = [](QWidget*, const QString&, const QString&) { return QString(); };
    QTest::mouseClick(k.BitBtn3, Qt::LeftButton);
    QCOMPARE(k.edKatalog->text(), typed);

    k.edNazwaPliku->setText(QStringLiteral("Kalkulator"));
    QTest::mouseClick(k.BitBtn1, Qt::LeftButton);
    QCOMPARE(k.edNazwaPliku->text(), QStringLiteral("Kalkulator.so"));
    QCOMPARE(k.result(), int(QDialog::Accepted));
    QVERIFY(fs::exists(e.home.Path("projekt/Kalkulator.c")));
    QCOMPARE(e.dialogs.shown.back().text, LangText("msgpm00006"));

    // A name with a path in it is refused and the window stays.
    gui::TPlugInKreator again;
    again.edKatalog->setText(typed);
    again.edNazwaPliku->setText(QStringLiteral("../Kalkulator"));
    QVERIFY(!again.GenerateProject());
    QCOMPARE(e.dialogs.shown.back().text, LangText("msgpm00012"));
  }

  // The whole road of a teacher's extension.
  void generatedProjectIsBuiltImportedEnabledAndCalled() {
    ExtensionHome e;
    std::unique_ptr<gui::Tmain> w = test::Start();
    w->show();

    // 1. The creator makes the project.
    const QString full_name = QStringLiteral("Moje \"próbne\" rozszerzenie \\ żółw");
    const QString description = QStringLiteral("Opis z \"cudzysłowem\", \\ i <i>znacznikiem</i>\nAutor: Żaneta");
    {
      gui::TPlugInKreator k;
      k.edNazwaRozszerzenia->setText(full_name);
      k.edNazwaPliku->setText(QStringLiteral("Proba_1"));
      k.edOpisRozszerzenia->setPlainText(description);
      const QString folder = gui::FromPath(e.home.Path("projekty/próba"));
      k.ChooseFolder = [folder](QWidget*, const QString&, const QString&) { return folder; };
      QTest::mouseClick(k.BitBtn3, Qt::LeftButton);
      QTest::mouseClick(k.BitBtn1, Qt::LeftButton);
      QCOMPARE(k.result(), int(QDialog::Accepted));
    }

    // 2. Its Makefile builds the library with the system compiler.
    QProcess make;
    make.setWorkingDirectory(gui::FromPath(e.home.Path("projekty/próba")));
    make.start(QStringLiteral("make"), {QStringLiteral("CFLAGS=-O2 -Wall -Wextra -Werror")});
    QVERIFY(make.waitForFinished(120000));
    QVERIFY2(make.exitCode() == 0, make.readAllStandardError().constData());
    const std::string library = e.home.Path("projekty/próba/Proba_1.so");
    QVERIFY(fs::exists(library));

    // 3. The manager imports and enables it, and "Ok" saves the list.
    WhenManagerOpens([&](gui::TPlugInMGR& m) {
      m.ChooseLibraryFile = [&library](QWidget*) { return gui::FromPath(library); };
      QTest::mouseClick(m.btnDodaj, Qt::LeftButton);
      ToggleWithKeyboard(m, "Proba_1.so");
      // Descriptions are shown as the library wrote them, never as markup.
      QVERIFY2(m.reDodatkoweInformacje->toPlainText().contains(QStringLiteral("<i>znacznikiem</i>")),
               qPrintable(m.reDodatkoweInformacje->toPlainText()));
      QTest::mouseClick(m.btnZastosuj, Qt::LeftButton);
    });
    QVERIFY(gui::OpenExtensionManager(*w));
    QCOMPARE(e.home.Read("tsdllin.dat").size(), size_t(620 * 3));

    // 4. A flowchart calls the generated sample functions.
    std::vector<Tobj> bloki;
    std::string error;
    QVERIFY(fixtures::ParseAlgSpec(
        "start 1 -1\nproc 2 -1 s := Suma(2, 3)\\np := Powitanie('Ola')\nend -1 -1\n", bloki, error));
    fixtures::WriteAlgFile(bloki, e.home.Path("suma.alg"));
    w->OtworzDokument(e.home.Path("suma.alg"));
    w->CommandAction("ActionPodswietlaj")->setChecked(false);
    w->Settings().PodswietlajBloki = false;
    w->CommandAction("ActionUruchom")->trigger();
    gui::Trun* run = gui::RunControllerOf(*w);
    QVERIFY2(!run->Compiler.HasErrors(), run->Compiler.Errors.empty() ? "" : run->Compiler.Errors[0].Text.c_str());
    QVERIFY(run->Compiler.IsFinished());
    const TKompilatorTS& c = run->Compiler;
    QCOMPARE(c.Variables[FindVariable(c, "s")].Root.Child(0).Value.AsInteger(), 5);
    QCOMPARE(QString::fromStdString(c.Variables[FindVariable(c, "p")].Root.Child(0).Value.AsString()), QStringLiteral("Witaj, Ola!"));

    // 5. The full name and description come back in Windows-1250, byte for byte.
    const int index = FindPlugIn("Proba_1.so");
    QVERIFY(index >= 0);
    const std::string expected_name = "Moje \"pr\xF3" "bne\" rozszerzenie \\ \xBF\xF3\xB3w";
    QCOMPARE(CoreBytes(full_name), expected_name);
    QCOMPARE(PlugIns[index].Name, expected_name);
    QCOMPARE(PluginName(PlugIns[index].Module), expected_name);
    QCOMPARE(PluginDescription(PlugIns[index].Module),
             CoreBytes(QString(description).replace('\n', QStringLiteral("\r\n"))));
  }
};

TESSARO_GUI_TEST(ExtensionManagerTest)
#include "extension_manager_test.moc"
