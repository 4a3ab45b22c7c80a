// One drag step (press, move, release with its snapshot and repaint) and one
// undo and one redo step on a generated diagram of 1,000 blocks in the main
// window, as the user meets them.
//
// bench: build/bin/editor_bench (QT_QPA_PLATFORM=offscreen is set here)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "alg_spec.h"
#include "gui/app/program_start.h"
#include "gui/diagram/diagram_view.h"
#include "gui/diagram/main_window_diagram.h"
#include "gui/editor/diagram_editor.h"
#include "gui/editor/main_window_editor.h"
#include "gui/shell/main_window.h"

namespace {

using namespace tessaro;

QApplication& App() {
  static int argc = 1;
  static char name[] = "editor_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// 1,000 processing blocks in rows of 25, each leading to the next.
std::vector<Tobj> Generated(int count) {
  std::vector<Tobj> bloki(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Tobj& e = bloki[static_cast<size_t>(i)];
    e.Left = 20 + (i % 25) * 140;
    e.Top = 20 + (i / 25) * 90;
    e.Kod = "x := x + " + std::to_string(i);
    e.Link1 = i + 1 < count ? i + 1 : -1;
  }
  return bloki;
}

struct Window {
  Window() {
    App();
    main = std::move(gui::StartProgram({"editor_bench"}).main);
    main->resize(1400, 1000);
    main->show();
    path = (std::filesystem::temp_directory_path() / "editor_bench_1000.alg").string();
    if (!fixtures::WriteAlgFile(Generated(1000), path)) {
      std::fprintf(stderr, "editor_bench: cannot write %s\n", path.c_str());
      std::exit(1);
    }
    main->OtworzDokument(path);
    editor = gui::DiagramEditorOf(*main);
    box = gui::DiagramViewOf(*main)->PaintBox();
    QApplication::processEvents();
  }
  ~Window() { std::filesystem::remove(path); }

  QPoint Centre(int i) {
    const Tobj& e = main->State().Bloki[static_cast<size_t>(i)];
    const gui::ViewState& v = main->View();
    return {e.Left + e.Width / 2 + v.PoczatekX, e.Top + e.Height / 2 + v.PoczatekY};
  }
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), box->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons, Qt::NoModifier);
    if (type == QEvent::MouseButtonPress) editor->Press(&event);
    if (type == QEvent::MouseMove) editor->Move(&event);
    if (type == QEvent::MouseButtonRelease) editor->Release(&event);
  }

  std::unique_ptr<gui::Tmain> main;
  gui::DiagramEditor* editor = nullptr;
  QWidget* box = nullptr;
  std::string path;
};

Window& TheWindow() {
  static Window w;
  return w;
}

// Block 0 goes 40 units right and comes back on the next step.
void BM_DragStep(benchmark::State& st) {
  Window& w = TheWindow();
  int direction = 40;
  for (auto _ : st) {
    const QPoint from = w.Centre(0);
    const QPoint to = from + QPoint(direction, 0);
    w.Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    w.Mouse(QEvent::MouseMove, from + QPoint(direction / 2, 0), Qt::LeftButton);
    w.Mouse(QEvent::MouseMove, to, Qt::LeftButton);
    w.Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    direction = -direction;
  }
  st.counters["blocks"] = static_cast<double>(w.main->State().Bloki.size());
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

// Untimed, block 1 moves 5 units into a new snapshot (undone again before a
// timed redo); timed, the one undo or redo step.
void UndoRedoStep(benchmark::State& st, bool redo) {
  Window& w = TheWindow();
  TDocumentState& s = w.main->State();
  for (auto _ : st) {
    st.PauseTiming();
    s.Bloki[1].Left += 5;
    s.ZapiszStan();
    if (redo) s.CofnijKrok();
    st.ResumeTiming();
    if (redo)
      s.PonowKrok();
    else
      s.CofnijKrok();
  }
}

void BM_Undo(benchmark::State& st) { UndoRedoStep(st, false); }
BENCHMARK(BM_Undo)->Unit(benchmark::kMillisecond);

void BM_Redo(benchmark::State& st) { UndoRedoStep(st, true); }
BENCHMARK(BM_Redo)->Unit(benchmark::kMillisecond);

}  // namespace
