// A continuous run calling DecToBin 100,000 times in the main window with
// the conversion panel shown, beside the same run with the panel not
// listening; the two should differ by a few per cent at most.
//
// bench: build/bin/conversion_panel_bench (QT_QPA_PLATFORM=offscreen is set here)
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <filesystem>
#include <memory>

#include "alg_spec.h"
#include "gui/app/program_start.h"
#include "gui/conversion/conversion_panel.h"
#include "gui/conversion/conversion_view.h"
#include "gui/conversion/main_window_conversion.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace {

using namespace tessaro;

constexpr const char* kConversionLoop =
    "start 1 -1\nproc 2 -1 i := 0\ncond 4 3 i < 100000\nproc 2 -1 x := DecToBin(i)\\ni := i + 1\nend -1 -1\n";

QApplication& App() {
  static int argc = 1;
  static char name[] = "conversion_panel_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: tearing Qt down among the exit handlers crashes.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

struct Window {
  explicit Window(bool listening) {
    App();
    main = std::move(gui::StartProgram({"conversion_panel_bench"}).main);
    std::vector<Tobj> bloki;
    std::string error;
    fixtures::ParseAlgSpec(kConversionLoop, bloki, error);
    path = (std::filesystem::temp_directory_path() / "conversion_panel_bench.alg").string();
    fixtures::WriteAlgFile(bloki, path);
    main->OtworzDokument(path);
    main->CommandAction("ActionPodswietlaj")->setChecked(false);
    main->Settings().PodswietlajBloki = false;
    main->show();
    main->Panel("dpKonwersjaSystemow")->show();
    if (!listening) gui::RunControllerOf(*main)->OnShowConversion = nullptr;
    QApplication::processEvents();
  }
  ~Window() { std::filesystem::remove(path); }
  std::unique_ptr<gui::Tmain> main;
  std::string path;
};

void Loop(benchmark::State& state, bool listening) {
  Window w(listening);
  gui::TKonwersjaPanel* panel = gui::ConversionPanelOf(*w.main);
  const int before = panel->View()->RenderCount;
  for (auto _ : state) w.main->CommandAction("ActionUruchom")->trigger();
  state.counters["renders"] = panel->View()->RenderCount - before;
}
void BM_DecToBinLoopPanelShown(benchmark::State& state) { Loop(state, true); }
void BM_DecToBinLoopPanelNotListening(benchmark::State& state) { Loop(state, false); }
BENCHMARK(BM_DecToBinLoopPanelShown)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_DecToBinLoopPanelNotListening)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
