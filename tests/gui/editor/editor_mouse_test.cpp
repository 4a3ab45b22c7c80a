// The diagram editor driven through the real main window with mouse and key
// events: drawing a flowchart from an empty document and running it, undo
// and redo, the block clipboard, Delete, the rubber band and group moves,
// the context menu, refusals, and edits refused while a run is active.
#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QtTest>
#include <deque>

#include "core/document/document_state.h"
#include "gui/analysis/console.h"
#include "gui/analysis/tcode.h"
#include "gui/blockeditor/code_editor.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/editor/diagram_editor.h"
#include "gui/editor/main_window_editor.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui_test.h"
#include "run_fixture.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

// The main window with one new, empty document, active and ready for keys.
struct Editor {
  Editor() {
    w = test::Start();
    w->resize(1400, 1000);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("the window is not active");
    view = gui::DiagramViewOf(*w);
    editor = gui::DiagramEditorOf(*w);
    box = view->PaintBox();
    Key(Qt::Key_N);  // Ctrl+N
  }

  TDocumentState& s() { return w->State(); }
  std::vector<Tobj>& b() { return s().Bloki; }

  void Key(int key, Qt::KeyboardModifiers m = Qt::ControlModifier) {
    QTest::keyClick(w.get(), static_cast<Qt::Key>(key), m);
  }
  // A diagram point on the paint box.
  QPoint Screen(int x, int y) const {
    const double z = w->View().Skala / 100;
    return {int((x + w->View().PoczatekX) * z), int((y + w->View().PoczatekY) * z)};
  }
  QPoint Centre(int i) { return Screen(b()[i].Left + b()[i].Width / 2, b()[i].Top + b()[i].Height / 2); }
  void Click(QPoint at, Qt::KeyboardModifiers m = {}, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(box, button, m, at);
    QCoreApplication::processEvents();
  }
  void ClickBlock(int i, Qt::KeyboardModifiers m = {}) { Click(Centre(i), m); }
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers m = {}) {
    QTest::mousePress(box, Qt::LeftButton, m, from);
    for (int k = 1; k <= 4; ++k) QTest::mouseMove(box, from + (to - from) * k / 4);
    QTest::mouseRelease(box, Qt::LeftButton, m, to);
    QCoreApplication::processEvents();
  }
  // Chooses a tool by its short-cut (Ctrl+3 .. Ctrl+9) and clicks at a diagram point.
  int Place(int tool_key, int x, int y) {
    Key(tool_key);
    Click(Screen(x, y));
    return static_cast<int>(b().size()) - 1;
  }
  // Selects the block and types its text into the block content editor.
  void Text(int i, const std::string& text) {
    ClickBlock(i);
    auto* code = w->findChild<gui::CodeEditor*>(QStringLiteral("CodeEditor"));
    QVERIFY(code);
    const QStringList lines = QString::fromStdString(text).split(QStringLiteral("\r\n"));
    for (int k = 0; k < lines.size(); ++k) {
      if (k > 0) QTest::keyClick(code, Qt::Key_Return);
      QTest::keyClicks(code, lines[k]);
    }
    QCOMPARE(s().Bloki[static_cast<size_t>(i)].Kod, text);
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : dialogs.shown) out.push_back(m.text);
    return out;
  }
  bool Blinking() const { return w->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive(); }

  test::ShellHome home;
  test::RecordingDialogs dialogs;
  std::unique_ptr<gui::Tmain> w;
  gui::DiagramView* view = nullptr;
  gui::DiagramEditor* editor = nullptr;
  QWidget* box = nullptr;
};

using test::ConsoleTypist;

// Draws the factorial flowchart; returns nothing, leaves it in the window.
//   0 start, 1 read n, 2 s:=1 i:=1, 3 node, 4 i<=n, 5 s:=s*i i:=i+1, 6 write s, 7 end
void DrawFactorial(Editor& e) {
  QCOMPARE(e.Place(Qt::Key_3, 200, 10), 0);
  QCOMPARE(e.Place(Qt::Key_7, 200, 90), 1);
  QCOMPARE(e.Place(Qt::Key_5, 200, 170), 2);
  QCOMPARE(e.Place(Qt::Key_8, 230, 260), 3);
  QCOMPARE(e.Place(Qt::Key_6, 200, 300), 4);
  QCOMPARE(e.Place(Qt::Key_5, 420, 370), 5);
  QCOMPARE(e.Place(Qt::Key_7, 200, 450), 6);
  QCOMPARE(e.Place(Qt::Key_4, 200, 530), 7);
  e.Text(1, "read n");
  e.Text(2, "s := 1\r\ni := 1");
  e.Text(4, "i <= n");
  e.Text(5, "s := s * i\r\ni := i + 1");
  e.Text(6, "write s");
  // The main line with Ctrl+click, the loop's body with Shift+click.
  e.ClickBlock(0);
  for (int next : {1, 2, 3, 4, 6, 7}) e.ClickBlock(next, Qt::ControlModifier);
  e.ClickBlock(4);
  e.ClickBlock(5, Qt::ShiftModifier);
  e.ClickBlock(3, Qt::ControlModifier);
}

}  // namespace

class EditorMouseTest : public QObject {
  Q_OBJECT

 private slots:
  void drawsSavesReopensAndRunsTheFactorial() {
    Editor e;
    QVERIFY(e.s().Bloki.empty());
    DrawFactorial(e);
    if (QTest::currentTestFailed()) return;
    const std::vector<std::pair<int, int>> links = {{1, -1}, {2, -1}, {3, -1}, {4, -1},
                                                    {6, 5},  {3, -1}, {7, -1}, {-1, -1}};
    for (size_t i = 0; i < links.size(); ++i) {
      QCOMPARE(e.b()[i].Link1, links[i].first);
      QCOMPARE(e.b()[i].Link2, links[i].second);
    }
    QVERIFY(e.dialogs.shown.empty());
    QVERIFY(e.s().Zmiana);

    const std::string path = e.home.Path("silnia.alg");
    e.w->Choosers().save = [&](QWidget*) { return gui::FromPath(path); };
    e.Key(Qt::Key_S);
    e.w->Choosers().open = [&](QWidget*, const QString&) { return QStringList{gui::FromPath(path)}; };
    e.Key(Qt::Key_O);
    QCOMPARE(e.w->windowTitle(), QStringLiteral("Tessaro - silnia"));
    QCOMPARE(e.b().size(), 8u);

    e.w->Settings().KonsolaWejscie = true;
    e.w->Settings().KonsolaWyjscie = true;
    e.w->Settings().PodswietlajBloki = false;
    e.w->CommandAction("ActionPodswietlaj")->setChecked(false);
    gui::Tcode* code = gui::AnalysisWindowOf(*e.w);
    ConsoleTypist typist(*code, {QStringLiteral("5")});
    e.Key(Qt::Key_F9, Qt::NoModifier);
    QTRY_VERIFY(code->ConsoleEdit()->toPlainText().contains(QStringLiteral(">s = 120")));
  }

  void undoRedoAndTheirKeys() {
    Editor e;
    e.Place(Qt::Key_5, 100, 100);
    e.Place(Qt::Key_5, 100, 200);
    e.Drag(e.Centre(0), e.Centre(0) + QPoint(200, 0));
    const int moved_left = e.b()[0].Left;
    QVERIFY(moved_left >= 290);
    e.Key(Qt::Key_Z);
    QCOMPARE(e.b()[0].Left, 100);
    e.Key(Qt::Key_Z);
    QCOMPARE(e.b().size(), 1u);
    e.Key(Qt::Key_Y);
    QCOMPARE(e.b().size(), 2u);
    e.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(e.b()[0].Left, moved_left);
    // A click on a block is no change: undo still takes back the move.
    e.ClickBlock(1);
    e.Key(Qt::Key_Z);
    QCOMPARE(e.b()[0].Left, 100);
    // New work empties the redo stack.
    e.Place(Qt::Key_5, 300, 300);
    e.Key(Qt::Key_Y);
    QCOMPARE(e.b().size(), 3u);
    QCOMPARE(e.b()[0].Left, 100);
  }

  void clipboardAndDeleteKeys() {
    Editor e;
    e.Place(Qt::Key_5, 100, 100);
    e.Place(Qt::Key_5, 100, 200);
    QVERIFY(!e.w->CommandAction("ActionKopiuj")->isEnabled());
    e.ClickBlock(0);
    e.ClickBlock(1, Qt::ControlModifier);  // 0 -> 1, 1 selected
    QVERIFY(e.w->CommandAction("ActionKopiuj")->isEnabled());
    // Delete removes the block and leaves the clipboard alone.
    e.Key(Qt::Key_Delete, Qt::NoModifier);
    QCOMPARE(e.b().size(), 1u);
    QCOMPARE(e.b()[0].Link1, -1);
    QVERIFY(!e.w->CommandAction("ActionWklej")->isEnabled());
    // Cut and paste moves a block; the clipboard keeps it for another paste.
    e.ClickBlock(0);
    e.Key(Qt::Key_X);
    QVERIFY(e.b().empty());
    QVERIFY(e.w->CommandAction("ActionWklej")->isEnabled());
    e.Key(Qt::Key_V);
    e.Key(Qt::Key_V);
    // Both pastes land 30 units right of and below the copy, one on the other.
    QCOMPARE(e.b().size(), 2u);
    QCOMPARE(e.b()[0].Left, 130);
    QCOMPARE(e.b()[1].Left, 130);
    QVERIFY(e.s().Zmiana);
    e.Key(Qt::Key_Z);
    QCOMPARE(e.b().size(), 1u);
    // Ctrl+D removes the links of the selection only.
    e.Place(Qt::Key_5, 100, 300);
    e.ClickBlock(0);
    e.ClickBlock(1, Qt::ControlModifier);
    QCOMPARE(e.b()[0].Link1, 1);
    e.ClickBlock(0);
    e.Key(Qt::Key_D);
    QCOMPARE(e.b()[0].Link1, -1);
    QCOMPARE(e.s().Schowek.size(), 1u);
  }

  void refusedLinksEndTheDragAndReportAfterTheEvent() {
    Editor e;
    e.Place(Qt::Key_5, 100, 100);
    e.Place(Qt::Key_5, 100, 250);
    e.ClickBlock(0);
    e.ClickBlock(1, Qt::ControlModifier);
    // 1 -> 0 would make a pair leading to each other; the drag that began ends.
    const QPoint from = e.Centre(0);
    e.Drag(from, from + QPoint(150, 0), Qt::ControlModifier);
    QCOMPARE(e.b()[0].Left, 100);
    QCOMPARE(e.b()[1].Link1, -1);
    QTRY_COMPARE(e.Messages(), std::vector<std::string>{LangText("msgm00040")});
    // Shift on a block that is not a condition.
    e.ClickBlock(1);
    e.ClickBlock(0, Qt::ShiftModifier);
    QTRY_COMPARE(e.Messages().size(), 2u);
    QCOMPARE(e.Messages()[1], LangText("msgm00070"));
  }

  void aLoopOfABodyAndItsConditionCanBeDrawn() {
    Editor e;
    const int cond = e.Place(Qt::Key_6, 100, 100);
    const int body = e.Place(Qt::Key_5, 300, 200);
    e.ClickBlock(cond);
    e.ClickBlock(body, Qt::ShiftModifier);  // condition -> body
    e.ClickBlock(cond, Qt::ControlModifier);  // body -> condition
    QCOMPARE(e.b()[cond].Link2, body);
    QCOMPARE(e.b()[body].Link1, cond);
    e.ClickBlock(cond);
    e.ClickBlock(body, Qt::ControlModifier);  // condition's first exit to the body as well
    QCOMPARE(e.b()[cond].Link1, body);
    QCOMPARE(e.Messages(), std::vector<std::string>{});
    // A condition's second exit cannot be element 0.
    const int other = e.Place(Qt::Key_6, 100, 300);
    e.ClickBlock(other);
    e.ClickBlock(cond, Qt::ShiftModifier);
    QCOMPARE(e.b()[other].Link2, -1);
    QTRY_COMPARE(e.Messages(), std::vector<std::string>{LangText("msged0005")});
  }

  void toolsRubberBandAndGroupMove() {
    Editor e;
    e.Place(Qt::Key_5, 100, 100);
    // A click on a block with a block tool places a new block there.
    e.Place(Qt::Key_3, e.b()[0].Left + 5, e.b()[0].Top + 5);
    QCOMPARE(e.b().size(), 2u);
    QCOMPARE(e.b()[1].Blok, int32_t{Start});
    QVERIFY(e.w->CommandAction("ActionWybieranie")->isChecked());
    QCOMPARE(e.s().Wybrany, -1);
    e.Place(Qt::Key_5, 100, 300);
    // The band around blocks 0 and 1 (they overlap) makes a group; block 2 stays out.
    e.Drag(e.Screen(50, 50), e.Screen(250, 250));
    QVERIFY(e.s().GrupaAktywna);
    QCOMPARE(e.b()[2].Zaznaczony, uint8_t{0});
    QVERIFY(e.w->CommandAction("ActionWyrownajPionowo")->isEnabled());
    const int left0 = e.b()[0].Left, left1 = e.b()[1].Left;
    e.Drag(e.Centre(0), e.Centre(0) + QPoint(100, 0));
    QCOMPARE(e.b()[0].Left, left0 + 100);
    QCOMPARE(e.b()[1].Left, left1 + 100);
    QCOMPARE(e.b()[2].Left, 100);
    e.Key(Qt::Key_Z);
    QCOMPARE(e.b()[0].Left, left0);
    QVERIFY(!e.s().GrupaAktywna);
    // The pan tool moves the view, not the blocks.
    e.Key(Qt::Key_1);
    const int origin = e.w->View().PoczatekX;
    e.Drag(e.Screen(400, 400), e.Screen(400, 400) + QPoint(60, 0));
    QCOMPARE(e.w->View().PoczatekX, origin + 60);
    QCOMPARE(e.b()[0].Left, left0);
  }

  void contextMenuOnARightClickOfTheSelection() {
    Editor e;
    e.Place(Qt::Key_5, 100, 100);
    auto* menu = e.w->findChild<QMenu*>(QStringLiteral("PopupMenuEdycja"));
    QVERIFY(menu);
    bool filled = false;
    e.w->OnFillStyleMenus = [&](QMenu* text, QMenu* fill, QMenu* frame, QMenu* context) {
      filled = text && fill && frame && context == menu;
    };
    e.ClickBlock(0);
    QCoreApplication::processEvents();
    QVERIFY(!menu->isVisible());
    e.Click(e.Centre(0), {}, Qt::RightButton);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(filled);
    auto* fill = menu->findChild<QMenu*>(QStringLiteral("menuKolorWypelnienia"));
    QVERIFY(fill);
    menu->hide();
    const TColor before = e.b()[0].Styl.KolorWypelnienia;
    fill->actions().at(9)->trigger();  // red
    QCOMPARE(e.b()[0].Styl.KolorWypelnienia, TColor{0x0000FF});
    e.Key(Qt::Key_Z);
    QCOMPARE(e.b()[0].Styl.KolorWypelnienia, before);
  }

  void hiddenNodesCannotBeHitAndNoGridIsAStepOfOne() {
    Editor e;
    e.Place(Qt::Key_8, 100, 100);
    e.w->CommandAction("ActionWezel")->trigger();
    QVERIFY(!e.w->CommandAction("ActionWezel")->isChecked());
    e.ClickBlock(0);
    QCOMPARE(e.s().Wybrany, -1);
    e.w->CommandAction("ActionWezel")->trigger();
    e.ClickBlock(0);
    QCOMPARE(e.s().Wybrany, 0);
    e.w->CommandAction("ActionSiatka0")->trigger();
    QCOMPARE(e.w->GridSize(), 1);
    e.Drag(e.Centre(0), e.Centre(0) + QPoint(33, 17));
    QCOMPARE(e.b()[0].Left, 133);
    QCOMPARE(e.b()[0].Top, 117);
  }

  void draggingPastTheEdgeScrolls() {
    Editor e;
    e.Place(Qt::Key_5, 100, 100);
    const int origin = e.w->View().PoczatekX;
    QTest::mousePress(e.box, Qt::LeftButton, {}, e.Centre(0));
    for (int x : {200, 400, e.box->width() - 2}) QTest::mouseMove(e.box, QPoint(x, e.Centre(0).y()));
    QVERIFY(e.editor->AutoScroll().isActive());
    QTRY_VERIFY(e.w->View().PoczatekX < origin - 40);
    QTest::mouseRelease(e.box, Qt::LeftButton, {}, QPoint(e.box->width() - 2, e.Centre(0).y()));
    QVERIFY(!e.editor->AutoScroll().isActive());
    QVERIFY(e.b()[0].Left > e.box->width() - origin);
  }

  void editsWaitWhileARunIsActive() {
    Editor e;
    DrawFactorial(e);
    if (QTest::currentTestFailed()) return;
    e.w->Settings().KonsolaWejscie = true;
    e.w->Settings().KonsolaWyjscie = true;
    // Highlighting with a delay keeps the run going between instructions.
    e.w->CommandAction("ActionPodswietlaj")->setChecked(true);
    e.w->Settings().PodswietlajBloki = true;
    e.w->findChild<QSpinBox*>(QStringLiteral("spinEditOpoznieniePods"))->setValue(60);
    gui::Tcode* code = gui::AnalysisWindowOf(*e.w);
    gui::Trun* run = gui::RunControllerOf(*e.w);
    const std::vector<Tobj> before = e.b();
    int checked = 0;
    bool blinked = true;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      if (checked || !run->Compiler.Running || code->ConsoleInputActive()) return;
      checked = 1;
      e.Drag(e.Centre(2), e.Centre(2) + QPoint(100, 0));
      blinked = e.Blinking();
      for (int key : {Qt::Key_Z, Qt::Key_Y, Qt::Key_D}) {
        QTRY_VERIFY(!e.Blinking());
        e.Key(key);
        blinked = blinked && e.Blinking();
      }
    });
    probe.start();
    ConsoleTypist typist(*code, {QStringLiteral("3")});
    e.Key(Qt::Key_F9, Qt::NoModifier);
    QTRY_VERIFY_WITH_TIMEOUT(code->ConsoleEdit()->toPlainText().contains(QStringLiteral(">s = 6")), 20000);
    QCOMPARE(checked, 1);
    QVERIFY(blinked);
    QCOMPARE(e.b().size(), before.size());
    QCOMPARE(e.b()[2].Left, before[2].Left);
    QCOMPARE(e.b()[3].Link1, before[3].Link1);
  }

  // A move while the run waits ends it, as every change of the diagram does,
  // but says so; the move is one undo step.
  void aClickDuringAPausedRunKeepsTheProgramAndADragEndsItVisibly() {
    Editor e;
    DrawFactorial(e);
    if (QTest::currentTestFailed()) return;
    gui::Trun* run = gui::RunControllerOf(*e.w);
    e.Key(Qt::Key_F4, Qt::NoModifier);  // step by step: compiled and paused
    QVERIFY(!run->Compiler.IsEmpty());
    e.ClickBlock(2);
    QVERIFY(!run->Compiler.IsEmpty());
    const int32_t left = e.b()[2].Left;
    e.Drag(e.Centre(2), e.Centre(2) + QPoint(100, 0));
    QVERIFY(run->Compiler.IsEmpty());
    QVERIFY(e.b()[2].Left > left);
    QCOMPARE(e.w->findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text(), test::Text("msgr00008"));
    e.Key(Qt::Key_Z);
    QCOMPARE(e.b()[2].Left, left);
    e.Key(Qt::Key_Y);
    QVERIFY(e.b()[2].Left > left);
  }

  // A placement refused while a run is active puts the selection tool back,
  // so nothing is placed by the first click after the run.
  void aRefusedPlacementDisarmsTheTool() {
    Editor e;
    DrawFactorial(e);
    if (QTest::currentTestFailed()) return;
    e.w->Settings().KonsolaWejscie = true;
    e.w->Settings().KonsolaWyjscie = true;
    e.w->CommandAction("ActionPodswietlaj")->setChecked(true);
    e.w->Settings().PodswietlajBloki = true;
    e.w->findChild<QSpinBox*>(QStringLiteral("spinEditOpoznieniePods"))->setValue(60);
    gui::Tcode* code = gui::AnalysisWindowOf(*e.w);
    gui::Trun* run = gui::RunControllerOf(*e.w);
    int checked = 0;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      if (checked || !run->Compiler.Running || code->ConsoleInputActive()) return;
      checked = 1;
      e.Key(Qt::Key_5);  // "Przetwarzanie"
      e.Click(e.Screen(700, 100));
      checked = e.editor->Narzedzie() == gui::kToolSelect ? 2 : 3;
    });
    probe.start();
    ConsoleTypist typist(*code, {QStringLiteral("3")});
    const size_t blocks = e.b().size();
    e.Key(Qt::Key_F9, Qt::NoModifier);
    QTRY_VERIFY_WITH_TIMEOUT(code->ConsoleEdit()->toPlainText().contains(QStringLiteral(">s = 6")), 20000);
    QCOMPARE(checked, 2);
    QVERIFY(e.w->CommandAction("ActionWybieranie")->isChecked());
    e.Click(e.Screen(700, 100));
    QCOMPARE(e.b().size(), blocks);
  }

  void closingTheLastDocumentHidesTheAnalysisPanel() {
    Editor e;
    e.Place(Qt::Key_5, 100, 100);
    QDockWidget* analysis = e.w->Panel("dpNarzedzia");
    analysis->show();
    bool closed = false;
    e.w->OnCloseBlockEditor = [&] { closed = true; };
    e.dialogs.answers.push_back(Answer::No);
    e.w->ZamknijDokument();
    QVERIFY(analysis->isHidden());
    QVERIFY(closed);
    QVERIFY(!e.w->CommandAction("ActionWklej")->isEnabled());
    // It comes back with the next document, and "Widok" says so.
    e.Key(Qt::Key_N);
    QVERIFY(!analysis->isHidden());
    QVERIFY(e.w->CommandAction("ActionPokazdpNarzedzia")->isChecked());
    // A panel the user closed stays closed.
    analysis->hide();
    e.dialogs.answers.push_back(Answer::No);
    e.w->ZamknijDokument();
    e.Key(Qt::Key_N);
    QVERIFY(analysis->isHidden());
  }
};

TESSARO_GUI_TEST(EditorMouseTest)
#include "editor_mouse_test.moc"
