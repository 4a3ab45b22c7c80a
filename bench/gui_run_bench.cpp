// A continuous run of the loop fixture in the main window with highlighting
// off, beside the same run on a bare compiler object as the command-line
// runner does it; and how long a pause takes to end a run in the window.
//
// bench: build-bench/bin/gui_run_bench (QT_QPA_PLATFORM=offscreen is set here)
// The window's runs are compared, in turn, with a bare run in this process
// and with `tessaro-cli run` as a process of its own.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string_view>

#include "alg_spec.h"
#include "core/language/compiler.h"
#include "gui/app/program_start.h"
#include "gui/run/main_window_run.h"
#include "gui/run/trun.h"
#include "gui/shell/main_window.h"

namespace {

using namespace tessaro;

std::string Fixture(const char* name) {
  std::ifstream in(std::string(TESSARO_BENCH_DIR) + "/fixtures/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The loop fixture; `iterations` replaces its count when given.
std::vector<Tobj> LoopDiagram(const char* iterations = nullptr) {
  std::string spec = Fixture("loop.txt");
  if (iterations) {
    for (size_t at = spec.find("1000000"); at != std::string::npos; at = spec.find("1000000", at)) {
      spec.replace(at, 7, iterations);
      at += std::string_view(iterations).size();
    }
  }
  std::vector<Tobj> bloki;
  std::string error;
  fixtures::ParseAlgSpec(spec, bloki, error);
  return bloki;
}

QApplication& App() {
  static int argc = 1;
  static char name[] = "gui_run_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
  return app;
}

// The main window with the loop fixture open and highlighting off.
struct Window {
  explicit Window(const char* iterations = nullptr) {
    App();
    main = std::move(gui::StartProgram({"gui_run_bench"}).main);
    path = (std::filesystem::temp_directory_path() / "gui_run_bench_loop.alg").string();
    fixtures::WriteAlgFile(LoopDiagram(iterations), path);
    main->OtworzDokument(path);
    main->CommandAction("ActionPodswietlaj")->setChecked(false);
    main->Settings().PodswietlajBloki = false;
    main->Settings().KonsolaWyjscie = true;  // the result goes to the console, not a dialog
    run = gui::RunControllerOf(*main);
  }
  ~Window() { std::filesystem::remove(path); }
  std::unique_ptr<gui::Tmain> main;
  gui::Trun* run = nullptr;
  std::string path;
};

// The loop on a compiler object of its own, as the command-line runner does it.
void BareRun(const std::vector<Tobj>& bloki) {
  TKompilatorTS c;
  c.OnInputOutput = [](TKompilatorTS&, const std::string&, const std::string&, uint8_t, std::string& a) {
    a.clear();
  };
  std::vector<TPlugInEntry> none;
  TBreakPointArray breakpoints;
  c.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, none, breakpoints);
  c.PrepareRun();
  c.Run();
}

void BM_BareCompilerRun(benchmark::State& state) {
  const std::vector<Tobj> bloki = LoopDiagram();
  for (auto _ : state) BareRun(bloki);
}
BENCHMARK(BM_BareCompilerRun)->Unit(benchmark::kMillisecond)->Iterations(3);

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The window's run against a yardstick run, taken in turn so that a
// machine whose speed drifts moves both alike: the ratio of the medians is
// the figure to read (the goal is at most 1.3). `yardstick` runs the loop
// once, false when it could not.
void WindowInTurnWith(benchmark::State& state, Window& w, const char* name,
                      const std::function<bool()>& yardstick) {
  std::vector<double> other;
  std::vector<double> window;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    if (!yardstick()) {
      state.SkipWithError("the yardstick did not run the loop");
      return;
    }
    other.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    w.main->CommandAction("ActionUruchom")->trigger();
    window.push_back(clock.nsecsElapsed() / 1e6);
  }
  state.counters[name] = Median(other);
  state.counters["window_ms"] = Median(window);
  state.counters["ratio"] = Median(window) / Median(other);
}

// Against a bare compiler object in this process.
void BM_WindowOverBare(benchmark::State& state) {
  const std::vector<Tobj> bloki = LoopDiagram();
  Window w;
  WindowInTurnWith(state, w, "bare_ms", [&] {
    BareRun(bloki);
    return true;
  });
}
BENCHMARK(BM_WindowOverBare)->Unit(benchmark::kMillisecond)->Iterations(11);

// Against `tessaro-cli run` of the same file beside this program: the
// command's whole process, as a pupil would time it at the command line.
void BM_WindowOverCli(benchmark::State& state) {
  Window w;
  const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tessaro-cli");
  WindowInTurnWith(state, w, "cli_ms", [&] {
    QProcess process;
    process.start(cli, {QStringLiteral("run"), QString::fromStdString(w.path)});
    return process.waitForFinished(60000) && process.exitCode() == 0;
  });
}
BENCHMARK(BM_WindowOverCli)->Unit(benchmark::kMillisecond)->Iterations(11);

void BM_WindowRun(benchmark::State& state) {
  Window w;
  for (auto _ : state) {
    w.main->CommandAction("ActionUruchom")->trigger();
  }
}
BENCHMARK(BM_WindowRun)->Unit(benchmark::kMillisecond)->Iterations(3);

// From the pause command to the end of the run loop, with highlighting off
// and with it on and a 15000 ms delay.
void PauseLatency(benchmark::State& state, bool highlight) {
  Window w("100000000");  // a loop that runs for seconds, paused long before its end
  if (highlight) {
    w.main->Settings().PodswietlajBloki = true;
    w.main->CommandAction("ActionPodswietlaj")->setChecked(true);
    w.main->findChild<QSpinBox*>(QStringLiteral("spinEditOpoznieniePods"))->setValue(15000);
  }
  double worst = 0;
  for (auto _ : state) {
    QElapsedTimer since_pause;
    // Early enough that the loop is still running.
    QTimer::singleShot(40, w.main.get(), [&] {
      since_pause.start();
      w.main->CommandAction("ActionWstrzymaj")->trigger();
    });
    w.main->CommandAction("ActionUruchom")->trigger();
    if (!since_pause.isValid()) {
      state.SkipWithError("the run ended before the pause command");
      break;
    }
    const double ms = since_pause.nsecsElapsed() / 1e6;
    worst = std::max(worst, ms);
    state.SetIterationTime(ms / 1000);
    w.main->CommandAction("ActionZakonczWykonywanie")->trigger();
  }
  state.counters["worst_ms"] = worst;
}
void BM_PauseLatencyUnseen(benchmark::State& state) { PauseLatency(state, false); }
void BM_PauseLatencyLongDelay(benchmark::State& state) { PauseLatency(state, true); }
BENCHMARK(BM_PauseLatencyUnseen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PauseLatencyLongDelay)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
