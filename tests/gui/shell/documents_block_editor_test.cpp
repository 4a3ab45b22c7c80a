// The block content editor across documents: text typed into a block and not
// yet part of the history stays in its own document whatever command changes
// the current document, and no other document changes.
#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "alg_spec.h"
#include "gui_test.h"
#include "core/document/alg_reader.h"
#include "gui/blockeditor/code_editor.h"
#include "gui/blockeditor/main_window_block_editor.h"
#include "gui/blockeditor/ttools.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;

namespace {

const std::string kTyped = "start 1 -1\nproc 2 -1 s := 1\nend -1 -1\n";
const std::string kOther = "start 1 -1\nio 2 -1 write 5\nend -1 -1\n";

// The texts of document `index` (1-based): the diagram itself while it is
// current, its newest snapshot otherwise.
std::vector<std::string> Texts(gui::Tmain& w, int index) {
  TDocumentState& s = w.State();
  std::vector<Tobj> bloki = s.Bloki;
  if (index != s.AktualnyPlik) {
    TDocumentState read;
    if (!WczytajSchemat(read, s.OtwartePliki[static_cast<size_t>(index - 1)].Cofnij.front())) return {};
    bloki = read.Bloki;
  }
  std::vector<std::string> texts;
  for (const Tobj& b : bloki) texts.push_back(b.Kod);
  return texts;
}

int DocumentNamed(gui::Tmain& w, const char* name) {
  for (size_t i = 0; i < w.State().OtwartePliki.size(); ++i)
    if (w.State().OtwartePliki[i].Nazwa == name) return static_cast<int>(i) + 1;
  return 0;
}

}  // namespace

class DocumentsBlockEditor : public QObject {
  Q_OBJECT

 private slots:
  // Each row types into block 1 of "pisany" and then changes the current
  // document by the command named, keyboard, toolbar or tree alike.
  void typingStaysInItsDocument_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("Ctrl+N") << "ctrl-n";
    QTest::newRow("toolbar's new document") << "toolbar-new";
    QTest::newRow("open") << "open";
    QTest::newRow("close") << "close";
    QTest::newRow("switch in the open-files tree") << "tree";
  }
  void typingStaysInItsDocument() {
    QFETCH(QString, command);
    test::ShellHome home;
    test::RecordingDialogs dialogs;
    const auto write = [&home](const char* name, const std::string& spec) {
      std::vector<Tobj> bloki;
      std::string error;
      if (!fixtures::ParseAlgSpec(spec, bloki, error)) qFatal("bad spec: %s", error.c_str());
      fixtures::WriteAlgFile(bloki, home.Path(name));
      return home.Path(name);
    };
    const std::string other_path = write("inny.alg", kOther);
    const std::string typed_path = write("pisany.alg", kTyped);
    const std::string third_path = write("trzeci.alg", kOther);

    auto w = test::Start();
    w->resize(1200, 900);
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QVERIFY(w->OtworzDokument(other_path));
    QVERIFY(w->OtworzDokument(typed_path));
    const std::vector<std::string> other_texts = Texts(*w, DocumentNamed(*w, "inny"));

    // A real click selects block 1, a click into the editor gives it the focus.
    const Tobj& block = w->State().Bloki[1];
    const double z = w->View().Skala / 100;
    QWidget* box = gui::DiagramViewOf(*w)->PaintBox();
    QTest::mouseClick(box, Qt::LeftButton, {},
                      QPoint(int((block.Left + 10 + w->View().PoczatekX) * z),
                             int((block.Top + block.Height / 2 + w->View().PoczatekY) * z)));
    QCOMPARE(w->State().Wybrany, 1);
    gui::Ttools* tools = gui::BlockEditorOf(*w);
    gui::CodeEditor* editor = tools->Editor();
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(60, 5));
    editor->setCursorPosition(0, 6);
    QTest::keyClicks(editor, "7");
    QCOMPARE(w->State().Bloki[1].Kod, std::string("s := 17"));
    QVERIFY(editor->hasFocus());

    if (command == "ctrl-n") {
      QTest::keyClick(editor, Qt::Key_N, Qt::ControlModifier);
    } else if (command == "toolbar-new") {
      QAction* action = w->CommandAction("ActionNowySchemat");
      QToolButton* button = nullptr;
      for (QToolBar* bar : w->findChildren<QToolBar*>())
        if (auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(action)); b && b->isVisible()) button = b;
      QVERIFY(button);
      QTest::mouseClick(button, Qt::LeftButton);
    } else if (command == "open") {
      w->Choosers().open = [&third_path](QWidget*, const QString&) {
        return QStringList{QString::fromStdString(third_path)};
      };
      QTest::keyClick(editor, Qt::Key_O, Qt::ControlModifier);
    } else if (command == "close") {
      dialogs.answers.push_back(Answer::No);
      w->CommandAction("ActionZamknijPlikZAlgorytmem")->trigger();
    } else {
      auto* tree = w->FilesTree();
      QTreeWidgetItem* node = tree->Root()->child(DocumentNamed(*w, "inny") - 1);
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
    }
    QVERIFY2(w->State().CurrentDocument()->Nazwa != "pisany", "the current document did not change");

    // The editor no longer writes into the block it showed: more typing, if
    // it still can take any, changes nothing.
    QTest::keyClicks(editor, "9");
    for (const char* name : {"inny", "trzeci"}) {
      if (const int other = DocumentNamed(*w, name)) QCOMPARE(Texts(*w, other), other_texts);
    }
    if (command == "close") {
      QCOMPARE(DocumentNamed(*w, "pisany"), 0);
      return;
    }
    const int typed = DocumentNamed(*w, "pisany");
    QCOMPARE(Texts(*w, typed), (std::vector<std::string>{" ", "s := 17", " "}));
    // Back in its document, the typed text is there and undo takes it back.
    w->PrzelaczDokument(static_cast<QTreeWidgetItem*>(w->State().OtwartePliki[static_cast<size_t>(typed - 1)].WezelDrzewa));
    QCOMPARE(w->State().Bloki[1].Kod, std::string("s := 17"));
    QVERIFY(w->State().CofnijKrok());
    QCOMPARE(w->State().Bloki[1].Kod, std::string("s := 1"));
  }
};

TESSARO_GUI_TEST(DocumentsBlockEditor)
#include "documents_block_editor_test.moc"
