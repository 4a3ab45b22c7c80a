// The block content editor in the real main window: typing into the
// QScintilla editor with key events and reading what the blocks store.
#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "core/extensions/plugin_table.h"
#include "core/language/block_text_edit.h"
#include "core/settings/settings.h"
#include "gui/blockeditor/code_editor.h"
#include "gui/blockeditor/main_window_block_editor.h"
#include "gui/blockeditor/ttools.h"
#include "gui_test.h"
#include "shell_fixture.h"

using namespace tessaro;
using gui::CodeEditor;
using gui::Ttools;

namespace {

// A program with a new document holding one block of each kind given.
struct EditorWindow {
  explicit EditorWindow(std::initializer_list<int32_t> kinds) {
    window = test::Start();
    window->NowyDokument();
    for (int32_t kind : kinds) {
      Tobj block;
      block.Blok = kind;
      block.Left = 40 * static_cast<int32_t>(state().Bloki.size());
      block.Width = block.Height = 30;
      state().Bloki.push_back(block);
    }
    state().ZapiszStan();  // the blocks as placed are the first undo state
    tools = gui::BlockEditorOf(*window);
    editor = tools->Editor();
  }

  TDocumentState& state() { return window->State(); }
  const std::string& Kod(int index) { return state().Bloki[static_cast<size_t>(index)].Kod; }

  // A click on a block selects it and repaints.
  void Select(int index) {
    state().Wybrany = index;
    state().Repaint();
  }

  QString EditorText() const { return editor->text(); }

  QAction* MenuItem(const char* submenu, const QString& caption) const {
    auto* menu = tools->InsertMenu()->findChild<QMenu*>(QString::fromLatin1(submenu));
    if (!menu) return nullptr;
    for (QAction* a : menu->actions()) {
      if (a->text() == caption) return a;
    }
    return nullptr;
  }

  test::ShellHome home;
  std::unique_ptr<gui::Tmain> window;
  Ttools* tools = nullptr;
  CodeEditor* editor = nullptr;
};

// keyClicks sends Latin-1 only; these are key events with any character.
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The longest the event loop went without serving a 5 ms timer while
// `action` ran inside it and until `done` held (at most 30 s).
qint64 LongestStall(const std::function<void()>& action, const std::function<bool()>& done) {
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  QTimer ticker;
  ticker.setInterval(5);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longest = std::max(longest, clock.elapsed() - last);
    last = clock.elapsed();
  });
  clock.start();
  ticker.start();
  QTimer::singleShot(0, action);
  while (!done() && clock.elapsed() < 30000) QTest::qWait(5);
  longest = std::max(longest, clock.elapsed() - last);
  return longest;
}

QString StatusText(Ttools* tools) {
  return tools->findChild<QLabel*>(QStringLiteral("ToolsStatusPanel1"))->text();
}

}  // namespace

class BlockEditor : public QObject {
  Q_OBJECT

 private slots:
  void storedTextIsReplacedWhileTheEditorKeepsWhatWasTyped_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("processing") << int(Przetwarzanie) << "x=1" << "x:=1";
    QTest::newRow("condition") << int(Warunek) << "a=b" << "a==b";
    QTest::newRow("condition, =>") << int(Warunek) << "a=>b" << "a=>b";
    QTest::newRow("compound") << int(Przetwarzanie) << "x += 2" << "x += 2";
    QTest::newRow("compound in a condition") << int(Warunek) << "x += 2" << "x += 2";
    QTest::newRow("double quotes") << int(WeWY) << "write \"abc\"" << "write 'abc'";
    QTest::newRow("apostrophe inside") << int(WeWY) << "write \"don't\"" << "write \"don't\"";
    QTest::newRow("note") << int(Notatka) << "a=b" << "a=b";
  }
  void storedTextIsReplacedWhileTheEditorKeepsWhatWasTyped() {
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    EditorWindow w({kind});
    w.Select(0);
    QVERIFY(!w.tools->findChild<QWidget*>(QStringLiteral("PanelTools"))->isHidden());
    QCOMPARE(w.EditorText(), QString());  // a new block's single space shows as nothing
    QTest::keyClicks(w.editor, typed);
    QCOMPARE(QString::fromStdString(w.Kod(0)), stored);
    QCOMPARE(w.EditorText(), typed);
    // Shown again, the editor shows the stored form.
    w.Select(-1);
    w.Select(0);
    QCOMPARE(w.EditorText(), stored);
  }

  void linesAreStoredWithCrLfAndErasingStoresASpace() {
    EditorWindow w({Przetwarzanie});
    w.window->Settings().ZamieniajOperator = false;
    w.Select(0);
    QTest::keyClicks(w.editor, "read n");
    QTest::keyClick(w.editor, Qt::Key_Return);
    QTest::keyClicks(w.editor, "s=n ");
    QCOMPARE(w.Kod(0), std::string("read n\r\ns=n"));  // trimmed, not replaced
    w.editor->selectAll();
    QTest::keyClick(w.editor, Qt::Key_Delete);
    QCOMPARE(w.Kod(0), std::string(" "));
  }

  void blocksWithoutTextHideTheEditor() {
    EditorWindow w({Start, Warunek, Przetwarzanie});
    auto* panel = w.tools->findChild<QWidget*>(QStringLiteral("PanelTools"));
    auto* label = w.tools->findChild<QLabel*>(QStringLiteral("LabelToolType"));
    auto* wstaw = w.tools->findChild<QToolButton*>(QStringLiteral("TBXButtonWstaw"));
    auto* swap = w.tools->findChild<QToolButton*>(QStringLiteral("TBXButtonZamienTakNie"));
    w.Select(0);
    QVERIFY(panel->isHidden());
    QVERIFY(!label->isHidden());
    QCOMPARE(label->text(), test::Text("msg00352"));
    QVERIFY(!wstaw->isEnabled());
    w.Select(1);
    QVERIFY(!panel->isHidden() && label->isHidden() && wstaw->isEnabled());
    QVERIFY(!swap->isHidden() && swap->isEnabled());
    w.Select(2);
    QVERIFY(swap->isHidden() && !swap->isEnabled());
    // A kind this program does not know hides the panel.
    w.state().Bloki[2].Blok = 9;
    w.tools->ShowSelectedBlock();
    QVERIFY(panel->isHidden());
    QTest::keyClicks(w.editor, "x=1");
    QCOMPARE(w.Kod(2), std::string(" "));
  }

  void swapFlipsTheExitsAndTheImage() {
    EditorWindow w({Warunek});
    w.state().Bloki[0].NieTak = 1;
    w.Select(0);
    auto* swap = w.tools->findChild<QToolButton*>(QStringLiteral("TBXButtonZamienTakNie"));
    const QImage before = swap->icon().pixmap(62, 18).toImage();
    QTest::mouseClick(swap, Qt::LeftButton);
    QCOMPARE(int(w.state().Bloki[0].NieTak), 0);
    QVERIFY(swap->icon().pixmap(62, 18).toImage() != before);
    QVERIFY(w.state().Zmiana);
    QTest::mouseClick(swap, Qt::LeftButton);
    QCOMPARE(int(w.state().Bloki[0].NieTak), 1);
    QCOMPARE(swap->icon().pixmap(62, 18).toImage(), before);
  }

  void insertMenuInsertsAtTheCaret() {
    EditorWindow w({Przetwarzanie});
    w.Select(0);
    QTest::keyClicks(w.editor, "x := ");
    QAction* sin = w.MenuItem("MenuFunkcje", "Sin");
    QVERIFY(sin);
    QVERIFY(!sin->toolTip().isEmpty());
    sin->trigger();
    QCOMPARE(w.EditorText(), QStringLiteral("x := Sin(  )"));
    QTest::keyClicks(w.editor, "a");  // the caret stands between the blanks
    QCOMPARE(w.EditorText(), QStringLiteral("x := Sin( a )"));
    QCOMPARE(w.Kod(0), std::string("x := Sin( a )"));
    // "&&" shows as "&&", not as a mnemonic, and inserts "&&".
    QAction* and_item = w.MenuItem("MenuOperatory", "&&&&");
    QVERIFY(and_item);
    and_item->trigger();
    QCOMPARE(w.EditorText(), QStringLiteral("x := Sin( a&& )"));
    // The insertion is one edit of the editor, so it can be undone.
    w.editor->undo();
    QCOMPARE(w.EditorText(), QStringLiteral("x := Sin( a )"));
    QAction* dim = w.MenuItem("MenuPolecenia", "dim tablica[10]");
    QVERIFY(dim);
  }

  void completionOffersBuiltinsAndEnabledExtensions() {
    EditorWindow w({Przetwarzanie});
    namespace fs = std::filesystem;
    fs::create_directories(w.home.Path("Rozszerzenia"));
    fs::copy_file(std::string(TESSARO_PROGRAM_DIR) + "/Rozszerzenia/matematyka_szkolna.so",
                  w.home.Path("Rozszerzenia/matematyka_szkolna.so"));
    RefreshPlugIns();
    w.tools->BuildMenus();
    // Disabled: neither in the menu nor in the completion.
    auto* extensions = w.tools->InsertMenu()->findChild<QMenu*>(QStringLiteral("MenuRozszerzenia"));
    QVERIFY(extensions->actions().isEmpty());
    QVERIFY(CheckPlugIn("matematyka_szkolna.so", true));
    w.tools->BuildMenus();
    extensions = w.tools->InsertMenu()->findChild<QMenu*>(QStringLiteral("MenuRozszerzenia"));
    QCOMPARE(extensions->actions().size(), 1);
    QVERIFY(!extensions->actions().front()->menu()->actions().isEmpty());

    w.Select(0);
    QTest::keyClicks(w.editor, "y := nw");
    QTest::keyClick(w.editor, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(w.editor->isListActive());
    QTest::keyClick(w.editor, Qt::Key_Return);
    QCOMPARE(w.EditorText(), QStringLiteral("y := NWD"));
    // A built-in: the name replaces the word typed so far.
    QTest::keyClicks(w.editor, "+sqr");
    QTest::keyClick(w.editor, Qt::Key_Space, Qt::ControlModifier);
    QVERIFY(w.editor->isListActive());
    QTest::keyClick(w.editor, Qt::Key_Return);
    QVERIFY(w.EditorText().startsWith(QStringLiteral("y := NWD+Sqr")));
    UnloadPlugIns();
    PlugIns.clear();
  }

  void templateCompletionExpandsAKeyword() {
    EditorWindow w({WeWY});
    w.Select(0);
    QTest::keyClicks(w.editor, "read a; dim t");
    QTest::keyClick(w.editor, Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(w.EditorText(), QStringLiteral("read a; dim tablica[10]"));
    // Several templates fit: a list to choose from.
    w.editor->clear();
    QTest::keyClicks(w.editor, "wr");
    QTest::keyClick(w.editor, Qt::Key_Space, Qt::ShiftModifier);
    QVERIFY(w.editor->isListActive());
    QTest::keyClick(w.editor, Qt::Key_Return);
    QCOMPARE(w.EditorText(), QStringLiteral("write"));
    // A word no template begins with: Shift+Space types a space.
    w.editor->clear();
    QTest::keyClicks(w.editor, "x");
    QTest::keyClick(w.editor, Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(w.EditorText(), QStringLiteral("x "));
  }

  void errorsAreUnderlinedAndTheFirstIsInTheStatusBar() {
    EditorWindow w({Przetwarzanie});
    w.Select(0);
    QTest::keyClicks(w.editor, "x := Foo(1)");
    w.tools->CheckNow();
    QCOMPARE(int(w.editor->Errors().size()), 1);
    QCOMPARE(w.editor->Errors()[0].Column, 6);
    QVERIFY(StatusText(w.tools).contains(QStringLiteral("Foo")));
    QVERIFY(!w.editor->ErrorAt(6).isEmpty());
    QVERIFY(w.editor->ErrorAt(0).isEmpty());
    QTest::keyClick(w.editor, Qt::Key_Backspace);
    QTest::keyClick(w.editor, Qt::Key_Backspace);
    QTest::keyClick(w.editor, Qt::Key_Backspace);
    w.tools->CheckNow();
    QVERIFY(w.editor->Errors().empty());
    QCOMPARE(StatusText(w.tools), test::Text("msg00354"));
  }

  void aLongPastedTextIsCheckedWithoutHoldingUpTheWindow_data() {
    QTest::addColumn<QString>("pasted");
    QString sum = QStringLiteral("x := 1");
    while (sum.size() < 64 * 1024 - 2) sum += QStringLiteral("+1");
    QTest::newRow("64 KB sum") << sum;
    QTest::newRow("32,000 nested brackets")
        << QStringLiteral("x := ") + QString(32000, QLatin1Char('(')) + QStringLiteral("1") + QString(32000, QLatin1Char(')'));
  }
  void aLongPastedTextIsCheckedWithoutHoldingUpTheWindow() {
    QFETCH(QString, pasted);
    EditorWindow w({Przetwarzanie});
    w.Select(0);
    w.editor->setFocus();
    QApplication::clipboard()->setText(pasted);
    const qint64 stall = LongestStall([&] { QTest::keyClick(w.editor, Qt::Key_V, Qt::ControlModifier); },
                                      [&] { return !w.editor->Errors().empty(); });
    qInfo("%s: the event loop stood still for at most %lld ms", QTest::currentDataTag(), stall);
    QCOMPARE(w.Kod(0).size(), size_t(pasted.size()));
    // Refused as nested too deeply, marked in the text and named in the status bar.
    QCOMPARE(int(w.editor->Errors().size()), 1);
    QVERIFY(StatusText(w.tools).contains(QStringLiteral("1000")));
    QVERIFY(!w.editor->ErrorAt(w.editor->Errors()[0].Column - 1).isEmpty());
    // Typing on: one character more at the end of the long line.
    const qint64 keystroke = LongestStall([&] { QTest::keyClick(w.editor, Qt::Key_Plus); },
                                          [&] { return w.Kod(0).size() == size_t(pasted.size()) + 1; });
    qInfo("%s: a keystroke after it held the event loop for at most %lld ms", QTest::currentDataTag(), keystroke);
  }

  void aCheckOfATextChangedMeanwhileIsNotShown() {
    EditorWindow w({Przetwarzanie});
    w.Select(0);
    const QString fine = QStringLiteral("x := 1\n").repeated(8000);
    QString sum = QStringLiteral("x := 1");
    while (sum.size() < 64 * 1024 - 2) sum += QStringLiteral("+1");
    w.editor->setText(fine);
    w.tools->CheckNow();
    QVERIFY(w.editor->Errors().empty());
    // The check of the faulty text goes to the worker after the pause ...
    w.editor->setText(sum);
    QTRY_VERIFY(w.tools->CheckRunning());
    // ... and the text is mended before it ends: its errors are never shown.
    w.editor->setText(fine);
    bool shown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { shown = shown || !w.editor->Errors().empty(); });
    watch.start(5);
    QTRY_VERIFY_WITH_TIMEOUT(!w.tools->CheckRunning(), 30000);
    QTest::qWait(400);  // the pause after the mending, and the check it starts
    QTRY_VERIFY_WITH_TIMEOUT(!w.tools->CheckRunning(), 30000);
    QVERIFY(!shown);
    QCOMPARE(StatusText(w.tools), test::Text("msg00354"));
  }

  void charactersOutsideWindows1250AreRefused() {
    EditorWindow w({Przetwarzanie});
    w.Select(0);
    TypeText(w.editor, QStringLiteral("s := 'zażółć"));
    TypeText(w.editor, QStringLiteral("\u4E2D\u2192"));
    TypeText(w.editor, QStringLiteral("'"));
    QCOMPARE(w.EditorText(), QStringLiteral("s := 'zażółć'"));
    QCOMPARE(gui::FromCore(w.Kod(0)), QStringLiteral("s := 'zażółć'"));
    QVERIFY(StatusText(w.tools).contains(QStringLiteral("\u2192")));
  }

  void textLongerThanTheFileFormatHoldsIsRefused() {
    EditorWindow w({Notatka});
    w.state().Bloki[0].Kod = std::string(kMaxBlockTextBytes - 1, 'a');
    w.Select(0);
    w.editor->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
    QTest::keyClicks(w.editor, "bc");
    QCOMPARE(w.Kod(0).size(), kMaxBlockTextBytes);
    QCOMPARE(w.Kod(0).back(), 'b');
    QCOMPARE(StatusText(w.tools), test::Text("msged00003"));
  }

  void typingWritesOnlyIntoTheShownBlock() {
    EditorWindow w({Przetwarzanie, Przetwarzanie});
    w.Select(0);
    QTest::keyClicks(w.editor, "a=1");
    // The selection moves without the editor being told: nothing is written.
    w.state().Wybrany = 1;
    QTest::keyClicks(w.editor, "2");
    QCOMPARE(w.Kod(0), std::string("a:=1"));
    QCOMPARE(w.Kod(1), std::string(" "));
    // Once the change is repainted the editor shows the new block.
    w.state().Repaint();
    QCOMPARE(w.EditorText(), QString());
    QTest::keyClicks(w.editor, "b=2");
    QCOMPARE(w.Kod(0), std::string("a:=1"));
    QCOMPARE(w.Kod(1), std::string("b:=2"));
    // A block changed under the editor is shown again before it is typed over.
    w.state().Bloki[1].Kod = "c := 3";
    w.state().Repaint();
    QCOMPARE(w.EditorText(), QStringLiteral("c := 3"));
  }

  void typingSwapAndColoursAreUndoSteps() {
    EditorWindow w({Przetwarzanie, Warunek});
    w.tools->ChooseColour = [](QWidget*, const QColor&) { return std::optional<QColor>(QColor(0x11, 0x22, 0x33)); };
    w.Select(0);
    QTest::keyClicks(w.editor, "x=1");
    w.Select(1);  // leaving the block ends the typing: one step
    QTest::keyClicks(w.editor, "a>b");
    w.tools->Action("acZmienKolorWypelnienia")->trigger();  // the text first, then the colour
    QTest::mouseClick(w.tools->findChild<QToolButton*>(QStringLiteral("TBXButtonZamienTakNie")), Qt::LeftButton);
    QCOMPARE(int(w.state().Bloki[1].NieTak), 0);

    QVERIFY(w.state().CofnijKrok());
    QCOMPARE(int(w.state().Bloki[1].NieTak), 1);
    QVERIFY(w.state().CofnijKrok());
    QCOMPARE(w.state().Bloki[1].Styl.KolorWypelnienia, kDefaultFillColour);
    QCOMPARE(w.Kod(1), std::string("a>b"));
    QVERIFY(w.state().CofnijKrok());
    QCOMPARE(w.Kod(1), std::string(" "));
    QCOMPARE(w.Kod(0), std::string("x:=1"));
    QVERIFY(w.state().CofnijKrok());
    QCOMPARE(w.Kod(0), std::string(" "));
  }

  void coloursAndFontReachTheSelectedBlockAndTheGroup() {
    EditorWindow w({Przetwarzanie, Przetwarzanie, Przetwarzanie, Przetwarzanie, Przetwarzanie});
    w.tools->ChooseColour = [](QWidget*, const QColor&) { return std::optional<QColor>(QColor(0x11, 0x22, 0x33)); };
    w.tools->ChooseFont = [](QWidget*, const QFont&) {
      QFont f(QStringLiteral("Arial"));
      f.setPointSize(15);
      return std::optional<QFont>(f);
    };
    w.Select(1);
    w.tools->Action("acZmienKolorWypelnienia")->trigger();
    QCOMPARE(w.state().Bloki[1].Styl.KolorWypelnienia, 0x332211);
    QCOMPARE(w.state().Bloki[0].Styl.KolorWypelnienia, kDefaultFillColour);
    // A group of three and the selected block; the fifth stays.
    w.state().GrupaAktywna = true;
    for (int i : {0, 2, 3}) w.state().Bloki[static_cast<size_t>(i)].Zaznaczony = 1;
    w.tools->Action("acZmienCzcionke")->trigger();
    w.tools->Action("acZmienKolorTekstu")->trigger();
    w.tools->Action("acZmienKolorObrysuj")->trigger();
    for (int i = 0; i < 5; ++i) {
      const TObjStyl& s = w.state().Bloki[static_cast<size_t>(i)].Styl;
      const bool changed = i != 4;
      QCOMPARE(s.NazwaCzcionki == "Arial" && s.RozmiarCzcionki == 15, changed);
      QCOMPARE(s.KolorTekstu == 0x332211, changed);
      QCOMPARE(s.KolorObrysu == 0x332211, changed);
    }
    // Cancelled dialogs change nothing.
    w.tools->ChooseColour = [](QWidget*, const QColor&) { return std::optional<QColor>(); };
    w.tools->Action("acZmienKolorWypelnienia")->trigger();
    QCOMPARE(w.state().Bloki[4].Styl.KolorWypelnienia, kDefaultFillColour);
  }
};

TESSARO_GUI_TEST(BlockEditor)
#include "block_editor_test.moc"
