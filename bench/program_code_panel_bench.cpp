// The "Kod" panel of the main window on a 1,000-block flowchart: what one
// refresh after an edit costs (compile, export, the editor's new text and
// marks), and one after a change of language (export and text only). Both
// run on the user-interface thread between keys, so they must stay well
// under the panel's delay of 50 ms.
//
// bench: build/bin/program_code_panel_bench (QT_QPA_PLATFORM=offscreen is set here)
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <filesystem>
#include <memory>
#include <string>

#include "alg_spec.h"
#include "gui/app/program_start.h"
#include "gui/programcode/main_window_program_code.h"
#include "gui/programcode/program_code_controller.h"
#include "gui/programcode/program_code_panel.h"
#include "gui/shell/main_window.h"

namespace {

using namespace tessaro;

QApplication& App() {
  static int argc = 1;
  static char name[] = "program_code_panel_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: tearing Qt down among the exit handlers crashes.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// 250 loops one after another, each a condition, a body of two blocks and
// a write: 1,003 blocks with the start, the first assignments and the end.
std::string Chart() {
  constexpr int kLoops = 250;
  std::string spec = "start 1 -1\nproc 2 -1 s := 0\\ni := 0\n";
  for (int k = 0; k < kLoops; ++k) {
    const int cond = 2 + 4 * k;
    spec += "cond " + std::to_string(cond + 3) + " " + std::to_string(cond + 1) + " i < " + std::to_string(k + 10) + "\n";
    spec += "proc " + std::to_string(cond + 2) + " -1 s := s + " + std::to_string(k) + "\n";
    spec += "proc " + std::to_string(cond) + " -1 i := i + 1\n";
    spec += "io " + std::to_string(cond + 4) + " -1 write s\n";
  }
  spec += "end -1 -1\n";
  return spec;
}

struct Window {
  Window() {
    App();
    main = std::move(gui::StartProgram({"program_code_panel_bench"}).main);
    std::vector<Tobj> bloki;
    std::string error;
    if (!fixtures::ParseAlgSpec(Chart(), bloki, error)) qFatal("bad chart: %s", error.c_str());
    blocks = bloki.size();
    path = (std::filesystem::temp_directory_path() / "program_code_panel_bench.alg").string();
    fixtures::WriteAlgFile(bloki, path);
    main->OtworzDokument(path);
    main->show();
    main->Panel("dpKodProgramu")->show();
    QApplication::processEvents();
    controller = gui::ProgramCodeControllerOf(*main);
    panel = gui::ProgramCodePanelOf(*main);
  }
  ~Window() { std::filesystem::remove(path); }
  std::unique_ptr<gui::Tmain> main;
  std::string path;
  size_t blocks = 0;
  gui::ProgramCodeController* controller = nullptr;
  gui::ProgramCodePanel* panel = nullptr;
};

void BM_RefreshAfterEdit(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    w.controller->DiagramChanged();
    w.controller->Refresh();
  }
  state.counters["blocks"] = static_cast<double>(w.blocks);
  state.counters["lines"] = w.panel->ProgramText().count(QLatin1Char('\n'));
}

void BM_RefreshAfterLanguageChange(benchmark::State& state) {
  Window w;
  int k = 0;
  for (auto _ : state) {
    // Each choice refreshes the panel at once.
    w.panel->SetLanguage(static_cast<codegen::TargetLanguage>(++k % 4));
  }
  state.counters["blocks"] = static_cast<double>(w.blocks);
}

BENCHMARK(BM_RefreshAfterEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshAfterLanguageChange)->Unit(benchmark::kMillisecond);

}  // namespace
