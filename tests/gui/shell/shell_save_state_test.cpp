// What the window says about a document's file: the caption's unsaved mark
// and the questions follow whether the diagram differs from its file, and a
// save where the file cannot be written says why and offers another name.
#include <QAction>
#include <QtTest>
#include <filesystem>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

#include "alg_spec.h"
#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui_test.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

using namespace tessaro;
namespace fs = std::filesystem;

namespace {

const char* const kPlan = "start 1 -1\nproc 2 -1 x := 1\nproc 3 -1 y := 2\nend -1 -1\n";

// The main window, active, with plan.alg of the home folder open.
struct Window {
  Window() {
    std::vector<Tobj> bloki;
    std::string error;
    if (!fixtures::ParseAlgSpec(kPlan, bloki, error)) qFatal("bad spec: %s", error.c_str());
    path = home.Path("plan.alg");
    fixtures::WriteAlgFile(bloki, path);
    w = test::Start();
    w->resize(1200, 900);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("the window is not active");
    w->OtworzDokument(path);
    box = gui::DiagramViewOf(*w)->PaintBox();
  }
  void Key(int key, Qt::KeyboardModifiers m = Qt::ControlModifier) {
    QTest::keyClick(w.get(), static_cast<Qt::Key>(key), m);
    QCoreApplication::processEvents();
  }
  // Selects block `i` with a click on its centre and deletes it with the Delete key.
  void DeleteBlock(size_t i) {
    const Tobj& b = w->State().Bloki[i];
    const double z = w->View().Skala / 100;
    const QPoint centre(int((b.Left + b.Width / 2 + w->View().PoczatekX) * z),
                       int((b.Top + b.Height / 2 + w->View().PoczatekY) * z));
    QTest::mouseClick(box, Qt::LeftButton, {}, centre);
    QCoreApplication::processEvents();
    Key(Qt::Key_Delete, Qt::NoModifier);
  }
  size_t BlocksOnDisk() const {
    TMemoryStream bytes;
    return ReadAlgorithmFile(path, bytes) ? ReadAlgorithm(bytes, {}).bloki.size() : 0;
  }

  test::ShellHome home;
  test::RecordingDialogs dialogs;
  std::string path;
  std::unique_ptr<gui::Tmain> w;
  QWidget* box = nullptr;
};

QString Title(const char* name, bool modified) {
  return QStringLiteral("Tessaro - ") + (modified ? QStringLiteral("*") : QString()) + QString::fromLatin1(name);
}

}  // namespace

class ShellSaveState : public QObject {
  Q_OBJECT

 private slots:
  // The mark is there exactly while the diagram differs from the file:
  // undoing back to the saved state takes it away, and with it the questions.
  void theUnsavedMarkFollowsTheFile() {
    Window r;
    QCOMPARE(r.w->windowTitle(), Title("plan", false));
    r.DeleteBlock(1);
    QCOMPARE(r.w->State().Bloki.size(), size_t{3});
    QTRY_COMPARE(r.w->windowTitle(), Title("plan", true));
    r.Key(Qt::Key_Z);  // undo: the diagram is the file's again
    QTRY_COMPARE(r.w->windowTitle(), Title("plan", false));

    r.DeleteBlock(1);
    QTRY_COMPARE(r.w->windowTitle(), Title("plan", true));
    r.Key(Qt::Key_S);  // saved: the file holds three blocks now
    QCOMPARE(r.BlocksOnDisk(), size_t{3});
    QCOMPARE(r.w->windowTitle(), Title("plan", false));
    r.Key(Qt::Key_Z);  // the four blocks are no longer what the file holds
    QTRY_COMPARE(r.w->windowTitle(), Title("plan", true));

    r.dialogs.answers = {Answer::Cancel};
    r.w->CommandAction("ActionZamknijPlikZAlgorytmem")->trigger();
    QCOMPARE(r.dialogs.shown.size(), size_t{1});
    QCOMPARE(r.dialogs.shown[0].text, LangText("msgm00026") + "\r" + LangText("msgm00014"));
    r.Key(Qt::Key_Y);  // redo: back to the saved three blocks
    QTRY_COMPARE(r.w->windowTitle(), Title("plan", false));
    QVERIFY(r.w->close());  // the quit asks nothing
    QCOMPARE(r.dialogs.shown.size(), size_t{1});
  }

  // A file that is a folder (read-only, so the old save asked whether to
  // overwrite it), and a read-only file where no new file can be made.
  void aFileThatCannotBeWrittenSaysWhyAndOffersSaveAs_data() {
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("answer");
    QTest::newRow("a folder, No") << true << int(Answer::No);
    QTest::newRow("a folder, Yes") << true << int(Answer::Yes);
    QTest::newRow("no file can be made beside it, Yes") << false << int(Answer::Yes);
  }
  void aFileThatCannotBeWrittenSaysWhyAndOffersSaveAs() {
    QFETCH(bool, folder);
    QFETCH(int, answer);
    Window r;
    std::string target;
    std::string reason;
    if (folder) {
      target = r.home.Path("plan.alg");
      fs::remove(target);
      fs::create_directory(target);
      ::chmod(target.c_str(), 0555);
      reason = std::system_category().message(EISDIR);
    } else if (::geteuid() != 0) {
      // An installed example: a read-only file in a folder the user may not write.
      r.home.Write("przyklady/silnia.alg", "old");
      target = r.home.Path("przyklady/silnia.alg");
      ::chmod(target.c_str(), 0444);
      ::chmod(r.home.Path("przyklady").c_str(), 0555);
      reason = std::system_category().message(EACCES);
    } else {
      // The super-user may write any folder of a disk, but not the kernel's.
      std::error_code ec;
      for (fs::directory_iterator it("/sys/kernel", ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type;
        struct stat st {};
        if (it->is_regular_file(type) && ::stat(it->path().c_str(), &st) == 0 && (st.st_mode & 0222) == 0) {
          target = it->path().string();
          break;
        }
      }
      if (target.empty()) QSKIP("no read-only file in /sys/kernel");
    }
    r.w->State().CurrentDocument()->Sciezka = target;
    r.DeleteBlock(1);
    const std::string copy = r.home.Path("kopia.alg");
    int chosen = 0;
    r.w->Choosers().save = [&](QWidget*) {
      ++chosen;
      return gui::FromPath(copy);
    };
    r.dialogs.answers = {static_cast<Answer>(answer)};
    r.Key(Qt::Key_S);

    QCOMPARE(r.dialogs.shown.size(), size_t{1});  // no "overwrite anyway?" first
    const test::RecordingDialogs::Shown& said = r.dialogs.shown[0];
    QCOMPARE(said.kind, std::string("PytanieTakNie"));
    QCOMPARE(said.caption, LangText("msgm00010"));
    QVERIFY2(said.text.find(target) != std::string::npos, said.text.c_str());
    if (!reason.empty()) QVERIFY2(said.text.find(reason) != std::string::npos, said.text.c_str());
    QVERIFY2(said.text.find(LangText("msgm00096")) != std::string::npos, said.text.c_str());
    if (folder) QVERIFY(fs::is_directory(target));
    if (answer == int(Answer::Yes)) {
      QCOMPARE(chosen, 1);
      QCOMPARE(r.w->State().CurrentDocument()->Sciezka, copy);
      QCOMPARE(r.w->windowTitle(), Title("kopia", false));
    } else {
      QCOMPARE(chosen, 0);
      QCOMPARE(r.w->windowTitle(), Title("plan", true));
    }
    if (folder) ::chmod(target.c_str(), 0755);
    if (!folder && ::geteuid() != 0) ::chmod(r.home.Path("przyklady").c_str(), 0755);
  }
};

TESSARO_GUI_TEST(ShellSaveState)
#include "shell_save_state_test.moc"
