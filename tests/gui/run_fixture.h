// The main window with an algorithm open and the helpers that answer its
// reads: shared by the run window tests.
#pragma once

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>
#include <utility>

#include "alg_spec.h"
#include "gui/analysis/console.h"
#include "gui/analysis/tcode.h"
#include "gui/run/input_edit.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "shell_fixture.h"
#include "support/recording_dialogs.h"

namespace tessaro::test {

// The main window with one algorithm open, described as text.
struct RunWindow {
  explicit RunWindow(const std::string& spec) {
    w = Start();
    w->show();
    run = gui::RunControllerOf(*w);
    code = gui::AnalysisWindowOf(*w);
    std::vector<Tobj> bloki;
    std::string error;
    if (!fixtures::ParseAlgSpec(spec, bloki, error)) qFatal("bad spec: %s", error.c_str());
    const std::string path = home.Path("test.alg");
    fixtures::WriteAlgFile(bloki, path);
    w->OtworzDokument(path);
  }

  void Highlight(bool on, int delay_ms = 20) {
    w->CommandAction("ActionPodswietlaj")->setChecked(on);
    w->Settings().PodswietlajBloki = on;
    w->findChild<QSpinBox*>(QStringLiteral("spinEditOpoznieniePods"))->setValue(delay_ms);
  }
  void Command(const char* name) {
    QAction* a = w->CommandAction(name);
    QVERIFY2(a->isEnabled(), name);
    a->trigger();
  }
  QString Status1() const { return w->findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text(); }
  QString Status2() const { return w->findChild<QLabel*>(QStringLiteral("lblTrybPracy"))->text(); }
  QStringList VariableRows() const {
    auto* list = w->findChild<QTableWidget*>(QStringLiteral("ValueListEditor"));
    QStringList rows;
    for (int r = 0; r < list->rowCount(); ++r) rows << list->item(r, 0)->text() + "=" + list->item(r, 1)->text();
    return rows;
  }
  QStringList ConsoleLines() const { return code->ConsoleEdit()->toPlainText().split(QLatin1Char('\n')); }
  TKompilatorTS& c() { return run->Compiler; }

  ShellHome home;
  RecordingDialogs dialogs;
  std::unique_ptr<gui::Tmain> w;
  gui::Trun* run = nullptr;
  gui::Tcode* code = nullptr;
};

// Types each answer into the console when it waits for a read.
class ConsoleTypist : public QObject {
 public:
  // Before the first answer it runs `meanwhile` once.
  ConsoleTypist(gui::Tcode& code, std::deque<QString> answers, std::function<void()> meanwhile = {})
      : code_(code), answers_(std::move(answers)), meanwhile_(std::move(meanwhile)) {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] {
      if (!code_.ConsoleInputActive() || answers_.empty()) return;
      if (meanwhile_) std::exchange(meanwhile_, nullptr)();
      const QString answer = answers_.front();
      answers_.pop_front();
      QTest::keyClicks(code_.ConsoleEdit(), answer);
      QTest::keyClick(code_.ConsoleEdit(), Qt::Key_Return);
    });
    timer_.start();
  }

 private:
  gui::Tcode& code_;
  std::deque<QString> answers_;
  std::function<void()> meanwhile_;
  QTimer timer_;
};

// Clicks a button of the input dialog once it is shown, noting its label and
// whether its text could be edited.
class DialogAnswer : public QObject {
 public:
  DialogAnswer(gui::Tmain& main, bool proceed, QString text = {}) {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this, &main, proceed, text] {
      gui::TinputEdit* dialog = gui::InputDialogOf(main);
      if (!dialog || !dialog->isVisible()) return;
      labels << dialog->Label1->text();
      read_only << dialog->memo1->isReadOnly();
      if (!text.isEmpty()) dialog->memo1->setPlainText(text);
      (proceed ? dialog->Button1 : dialog->Button2)->click();
    });
    timer_.start();
  }
  QStringList labels;
  QList<bool> read_only;

 private:
  QTimer timer_;
};

// Programs more than one run test drives: the factorial of the number read,
// a division by zero in the second statement of a processing block, and a
// loop long enough to be paused or stopped while it runs.
inline const std::string kFactorial =
    "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
    "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write s\nend -1 -1\n";
inline const std::string kDivisionByZero = "start 1 -1\nproc 2 -1 x := 1\\ny := x div 0\nend -1 -1\n";
inline const std::string kLongLoop =
    "start 1 -1\nproc 2 -1 i := 0\ncond 4 3 i < 100000000\nproc 2 -1 i := i + 1\nend -1 -1\n";

}  // namespace tessaro::test
