// The "Kod" panel in the real main window: the shipped examples in each
// language against the core's export, the selection and the run marked in
// the program, a click on a line selecting its block, edits followed,
// compile errors, "Kopiuj" and "Zapisz jako".
#include <Qsci/qscilexercpp.h>
#include <Qsci/qscilexerjava.h>
#include <Qsci/qscilexerpascal.h>
#include <Qsci/qscilexerpython.h>
#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QtTest>
#include <filesystem>

#include "core/codegen/code_export.h"
#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/extensions/plugin_table.h"
#include "core/language/compiler.h"
#include "gui/blockeditor/code_editor.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/programcode/main_window_program_code.h"
#include "gui/programcode/program_code_controller.h"
#include "gui/programcode/program_code_panel.h"
#include "gui_test.h"
#include "run_fixture.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;
using codegen::TargetLanguage;

namespace {

const char* const kExamples[] = {"dziesietna_na_dwojkowa", "liczba_pierwsza", "maksimum_tablicy", "nwd",
                                 "silnia",                 "sortowanie_babelkowe", "suma_szeregu"};

struct LanguageCase {
  TargetLanguage language;
  const char* caption;
  const char* lexer;  // the class of the editor's lexer
};

const LanguageCase kLanguageCases[] = {
    {TargetLanguage::Python, "Python", "QsciLexerPython"},
    {TargetLanguage::Cpp, "C++", "QsciLexerCPP"},
    {TargetLanguage::Java, "Java", "QsciLexerJava"},
    {TargetLanguage::Pascal, "Pascal", "QsciLexerPascal"},
};

std::string ExamplePath(const char* name) {
  return std::string(TESSARO_PROGRAM_DIR) + "/Przyklady/" + name + ".alg";
}

// The core's export of `bloki`, compiled as the command line compiles it.
codegen::ExportResult CoreExport(const std::vector<Tobj>& bloki, TargetLanguage language, const std::string& title,
                                 const std::string& program_name = "Main") {
  TBreakPointArray none;
  TKompilatorTS compiler;
  compiler.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, static_cast<int32_t>(PlugIns.size()) - 1, PlugIns,
                   none);
  codegen::ExportOptions options;
  options.Language = language;
  options.ProgramName = program_name;
  options.Title = title;
  return codegen::ExportProgram(compiler, options);
}

std::vector<Tobj> ReadExample(const char* name) {
  TMemoryStream bytes;
  if (!ReadAlgorithmFile(ExamplePath(name), bytes)) qFatal("cannot read the example %s", name);
  return ReadAlgorithm(bytes, TElementDefaults{}).bloki;
}

// The lines (0-based) of `result` that came from `block`, or from `instruction`.
std::vector<int> LinesOfBlock(const codegen::ExportResult& result, int32_t block) {
  std::vector<int> lines;
  for (size_t i = 0; i < result.Lines.size(); ++i)
    if (result.Lines[i].Block == block) lines.push_back(static_cast<int>(i));
  return lines;
}
std::vector<int> LinesOfInstruction(const codegen::ExportResult& result, int32_t instruction) {
  std::vector<int> lines;
  for (size_t i = 0; i < result.Lines.size(); ++i)
    if (result.Lines[i].Instruction == instruction) lines.push_back(static_cast<int>(i));
  return lines;
}

// The main window with an example open and the "Kod" panel shown through its command in "Widok".
struct CodeWindow {
  explicit CodeWindow(const char* example = "silnia") {
    w = test::Start();
    w->resize(1400, 1000);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    panel = gui::ProgramCodePanelOf(*w);
    controller = gui::ProgramCodeControllerOf(*w);
    QVERIFY(panel && controller);
    QVERIFY(w->OtworzDokument(ExamplePath(example)));
    QDockWidget* dock = w->Panel("dpKodProgramu");
    QVERIFY(dock->isHidden());
    w->CommandAction("ActionPokazdpKodProgramu")->trigger();
    QVERIFY(!dock->isHidden());
    QTRY_VERIFY(!controller->RefreshPending());
  }

  // Hidden first, so the block editor gives up the keyboard (and commits)
  // while the window is whole.
  ~CodeWindow() {
    if (w) w->hide();
  }

  void Choose(const LanguageCase& c) {
    auto* list = panel->findChild<QComboBox*>(QStringLiteral("cbJezykProgramu"));
    list->setCurrentIndex(list->findText(QString::fromLatin1(c.caption)));
    QCOMPARE(int(panel->Language()), int(c.language));
  }
  // A click on the centre of block `i` in the drawing area.
  void ClickBlock(int32_t i) {
    const Tobj& b = w->State().Bloki[static_cast<size_t>(i)];
    const double z = w->View().Skala / 100;
    const QPoint at(int((b.Left + b.Width / 2 + w->View().PoczatekX) * z),
                    int((b.Top + b.Height / 2 + w->View().PoczatekY) * z));
    QTest::mouseClick(gui::DiagramViewOf(*w)->PaintBox(), Qt::LeftButton, {}, at);
  }
  // A click on line `line` (0-based) of the program, past the margins.
  void ClickLine(int line) {
    QsciScintilla* editor = panel->Editor();
    editor->ensureLineVisible(line);
    const long position = editor->positionFromLineIndex(line, 0);
    const int x = int(editor->SendScintilla(QsciScintilla::SCI_POINTXFROMPOSITION, 0UL, position)) + 2;
    const int y = int(editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL, position)) +
                  int(editor->SendScintilla(QsciScintilla::SCI_TEXTHEIGHT, static_cast<unsigned long>(line))) / 2;
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(x, y));
  }
  codegen::ExportResult Expected(TargetLanguage language) const {
    return CoreExport(w->State().Bloki, language, w->State().CurrentDocument()->Nazwa);
  }

  test::ShellHome home;
  test::RecordingDialogs dialogs;
  std::unique_ptr<gui::Tmain> w;
  gui::ProgramCodePanel* panel = nullptr;
  gui::ProgramCodeController* controller = nullptr;
};

}  // namespace

class ProgramCodePanelTest : public QObject {
  Q_OBJECT

 private slots:
  // The panel starts hidden; its command in "Widok" has an icon and a text.
  void commandInTheViewMenu() {
    test::ShellHome home;
    auto w = test::Start();
    QAction* toggle = w->CommandAction("ActionPokazdpKodProgramu");
    QVERIFY(toggle);
    QVERIFY(!toggle->isChecked());
    QVERIFY(!toggle->icon().isNull());
    QCOMPARE(toggle->text(), test::Text("msg00544"));
    QCOMPARE(w->Panel("dpKodProgramu")->windowTitle(), test::Text("msg00543"));
    QVERIFY(w->findChild<QMenu*>(QStringLiteral("menuWidok"))->actions().contains(toggle));
  }

  // Every shipped example in every language: the text is the core's export,
  // the editor highlights with that language's lexer and cannot be typed into.
  void examplesInEachLanguageAreTheCoreExport() {
    CodeWindow c;
    for (const char* example : kExamples) {
      QVERIFY(c.w->OtworzDokument(ExamplePath(example)));
      QTRY_VERIFY(!c.controller->RefreshPending());
      for (const LanguageCase& l : kLanguageCases) {
        c.Choose(l);
        const codegen::ExportResult expected = CoreExport(ReadExample(example), l.language, example);
        QVERIFY2(expected.Ok, example);
        QVERIFY2(c.panel->ShowsProgram(), example);
        QCOMPARE(c.panel->ProgramText(), gui::FromCore(expected.Text));
        QCOMPARE(c.panel->Editor()->lexer()->metaObject()->className(), l.lexer);
        QVERIFY(c.panel->Editor()->isReadOnly());
      }
    }
  }

  // Selecting a block on the diagram marks its lines; a click on a line of
  // another block selects that block, and the marks follow.
  void selectionAndLineClicks() {
    CodeWindow c;
    // 3 is the condition "i <= n", 4 the loop's body.
    const codegen::ExportResult expected = c.Expected(TargetLanguage::Python);
    c.ClickBlock(4);
    QCOMPARE(c.w->State().Wybrany, 4);
    const std::vector<int> body = LinesOfBlock(expected, 4);
    QCOMPARE(body.size(), size_t(2));
    QCOMPARE(c.panel->SelectedLines(), body);

    const std::vector<int> condition = LinesOfBlock(expected, 3);
    QVERIFY(!condition.empty());
    c.ClickLine(condition.front());
    QCOMPARE(c.w->State().Wybrany, 3);
    QCOMPARE(c.panel->SelectedLines(), condition);
    // The block editor shows the block the line selected.
    QTRY_COMPARE(c.w->findChild<gui::CodeEditor*>(QStringLiteral("CodeEditor"))->text(), QStringLiteral("i <= n"));

    // A generated line (the header comment) selects nothing.
    c.ClickLine(0);
    QCOMPARE(c.w->State().Wybrany, 3);
  }

  // Typing into a block is followed after a short wait, not at every key;
  // a text that does not compile shows the compile errors instead of code.
  void editsAreFollowed() {
    CodeWindow c;
    c.ClickBlock(2);
    auto* code = c.w->findChild<gui::CodeEditor*>(QStringLiteral("CodeEditor"));
    QVERIFY(code);
    code->setFocus();
    QTest::keyClick(code, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(code, Qt::Key_Return);
    QTest::keyClicks(code, "t := 7");
    QCOMPARE(c.w->State().Bloki[2].Kod, std::string("s := 1\r\ni := 1\r\nt := 7"));
    QVERIFY(c.controller->RefreshPending());
    QTRY_VERIFY(!c.controller->RefreshPending());
    QCOMPARE(c.panel->ProgramText(), gui::FromCore(c.Expected(TargetLanguage::Python).Text));
    QVERIFY(c.panel->ProgramText().contains(QStringLiteral("t = ")));

    QTest::keyClicks(code, " * (");
    QCOMPARE(c.w->State().Bloki[2].Kod, std::string("s := 1\r\ni := 1\r\nt := 7 * ("));
    QVERIFY(c.controller->RefreshPending());
    QTRY_VERIFY(!c.controller->RefreshPending());
    QVERIFY(!c.panel->ShowsProgram());
    auto* message = c.panel->findChild<QLabel*>(QStringLiteral("lblKomunikatKodu"));
    QVERIFY(message->isVisible());
    QVERIFY(message->text().startsWith(test::Text("msg00554")));
    QVERIFY(!c.panel->CopyAction()->isEnabled());
    QVERIFY(!c.panel->SaveAction()->isEnabled());

    // Taking the typing back brings the program back.
    for (int k = 0; k < 4; ++k) QTest::keyClick(code, Qt::Key_Backspace);
    QTRY_VERIFY(c.panel->ShowsProgram());
    QVERIFY(c.panel->ProgramText().contains(QStringLiteral("t = ")));

    // Options that change what compiles, confirmed in the configuration
    // dialog (which repaints), compile the diagram again too.
    QTRY_VERIFY(!c.controller->RefreshPending());
    c.w->Settings().WielkoscLiter = !c.w->Settings().WielkoscLiter;
    c.w->State().Repaint();
    QVERIFY(c.controller->RefreshPending());
    QTRY_VERIFY(!c.controller->RefreshPending());
  }

  // What the export could not express is listed below the program.
  void warningsStandBelowTheProgram() {
    CodeWindow c;
    auto* warnings = c.panel->findChild<QLabel*>(QStringLiteral("lblOstrzezeniaKodu"));
    QVERIFY(warnings->isHidden());
    // A block that no path from the start reaches.
    TDocumentState& s = c.w->State();
    Tobj lone = s.Bloki[2];
    lone.Left += 300;
    lone.Kod = "x := 1";
    lone.Link1 = 6;
    s.Bloki.push_back(lone);
    s.ZapiszStan();
    QTRY_VERIFY(!c.controller->RefreshPending());
    const codegen::ExportResult expected = c.Expected(TargetLanguage::Python);
    QCOMPARE(expected.Warnings.size(), size_t(1));
    QVERIFY(warnings->isVisible());
    QCOMPARE(warnings->text(), test::Text("msg00557") + QLatin1Char('\n') + gui::FromCore(expected.Warnings[0]));
  }

  // A hidden panel does no work and catches up when shown again.
  void hiddenPanelCatchesUp() {
    CodeWindow c;
    c.w->CommandAction("ActionPokazdpKodProgramu")->trigger();
    QVERIFY(c.w->Panel("dpKodProgramu")->isHidden());
    const QString before = c.panel->ProgramText();
    TDocumentState& s = c.w->State();
    s.Bloki[5].Kod = "write s * 2";
    s.ZapiszStan();
    QTest::qWait(2 * gui::kProgramCodeDelayMs);
    QCOMPARE(c.panel->ProgramText(), before);
    c.w->CommandAction("ActionPokazdpKodProgramu")->trigger();
    QTRY_COMPARE(c.panel->ProgramText(), gui::FromCore(c.Expected(TargetLanguage::Python).Text));
  }

  void noDocumentShowsAMessage() {
    CodeWindow c;
    c.w->CommandAction("ActionZamknijPlikZAlgorytmem")->trigger();
    QTRY_VERIFY(!c.panel->ShowsProgram());
    QCOMPARE(c.panel->findChild<QLabel*>(QStringLiteral("lblKomunikatKodu"))->text(), test::Text("msg00553"));
  }

  // While a run is stepped, the current instruction's lines are marked; the
  // marks go when the run ends.
  void runMarksTheCurrentInstruction() {
    CodeWindow c;
    c.w->CommandAction("ActionPodswietlaj")->setChecked(true);
    c.w->Settings().PodswietlajBloki = true;
    c.w->findChild<QSpinBox*>(QStringLiteral("spinEditOpoznieniePods"))->setValue(20);
    gui::Trun* run = gui::RunControllerOf(*c.w);
    test::DialogAnswer answer(*c.w, true, QStringLiteral("3"));
    const codegen::ExportResult expected = c.Expected(TargetLanguage::Python);
    c.w->CommandAction("ActionUruchomKrokPoKroku")->trigger();
    int marked = 0;
    for (int step = 0; step < 12 && !run->Compiler.IsFinished(); ++step) {
      const int32_t current = run->Compiler.Current;
      QCOMPARE(c.panel->RunLines(), LinesOfInstruction(expected, current));
      marked += c.panel->RunLines().empty() ? 0 : 1;
      QAction* next = c.w->CommandAction("ActionNastepnaInstrukcja");
      QTRY_VERIFY(next->isEnabled());
      next->trigger();
    }
    QVERIFY(marked >= 6);
    c.w->CommandAction("ActionZakonczWykonywanie")->trigger();
    QTRY_VERIFY(c.panel->RunLines().empty());
  }

  void copyPutsTheProgramOnTheClipboard() {
    CodeWindow c;
    c.Choose(kLanguageCases[2]);
    c.panel->CopyAction()->trigger();
    QCOMPARE(QApplication::clipboard()->text(), gui::FromCore(c.Expected(TargetLanguage::Java).Text));
  }

  // "Zapisz jako" suggests the document's name with the language's
  // extension, adds the extension when none is typed, names Java's class
  // after the file and writes UTF-8.
  void saveAsWritesTheProgram_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("program");
    QTest::newRow("python") << 0 << "Silnia2.py" << "Silnia2.py" << "Silnia2";
    QTest::newRow("cpp, no extension typed") << 1 << "Silnia2" << "Silnia2.cpp" << "Silnia2";
    QTest::newRow("java class after the file") << 2 << "Silnia2.java" << "Silnia2.java" << "Silnia2";
    QTest::newRow("pascal") << 3 << "silnia_pas.pas" << "silnia_pas.pas" << "silnia_pas";
  }
  void saveAsWritesTheProgram() {
    QFETCH(int, language);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QString, program);
    CodeWindow c;
    const LanguageCase& l = kLanguageCases[language];
    c.Choose(l);
    QString suggested, filter;
    const QString folder = gui::FromPath(c.home.Path(""));
    c.controller->ChooseFile = [&](QWidget*, const QString& s, const QString& f) {
      suggested = s;
      filter = f;
      return folder + QLatin1Char('/') + typed;
    };
    c.panel->SaveAction()->trigger();
    const QString extension = QString::fromLatin1(codegen::TargetExtension(l.language));
    QVERIFY(suggested.endsWith(QStringLiteral("/silnia.") + extension));
    QCOMPARE(filter, QStringLiteral("%1 (*.%2)").arg(QString::fromLatin1(l.caption), extension));
    QFile file(folder + QLatin1Char('/') + written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const codegen::ExportResult expected =
        CoreExport(c.w->State().Bloki, l.language, "silnia", program.toStdString());
    QCOMPARE(QString::fromUtf8(file.readAll()), gui::FromCore(expected.Text));
    if (l.language == TargetLanguage::Java)
      QVERIFY(gui::FromCore(expected.Text).contains(QStringLiteral("public class Silnia2 {")));
    QVERIFY(c.dialogs.shown.empty());
  }

  void saveAsThatFailsSaysSo() {
    CodeWindow c;
    const QString target = gui::FromPath(c.home.Path("no_such_folder")) + QStringLiteral("/silnia.py");
    c.controller->ChooseFile = [&](QWidget*, const QString&, const QString&) { return target; };
    QVERIFY(!c.controller->SaveProgramAs());
    QCOMPARE(c.dialogs.shown.size(), size_t(1));
    QVERIFY(c.dialogs.shown[0].text.find("no_such_folder") != std::string::npos);
    // Cancelled: nothing written, nothing said.
    c.controller->ChooseFile = [](QWidget*, const QString&, const QString&) { return QString(); };
    QVERIFY(!c.controller->SaveProgramAs());
    QCOMPARE(c.dialogs.shown.size(), size_t(1));
  }
};

TESSARO_GUI_TEST(ProgramCodePanelTest)

#include "program_code_test.moc"
