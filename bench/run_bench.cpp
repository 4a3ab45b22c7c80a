// A continuous run of each benchmark algorithm on a bare compiler object, as
// the command-line runner does it: with the instructions' flat form, with
// the flat form while the history for stepping back is kept (as the window
// keeps it, within its default budget), and with the tree walk alone, which
// the stepping modes use.
//
// bench: build-bench/bin/run_bench
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "alg_spec.h"
#include "core/language/compiler.h"
#include "core/runtime/run_history.h"

namespace {

using namespace tessaro;

std::vector<Tobj> Diagram(const std::string& name) {
  std::ifstream in(std::string(TESSARO_BENCH_DIR) + "/fixtures/" + name + ".txt");
  std::stringstream text;
  text << in.rdbuf();
  std::vector<Tobj> bloki;
  std::string error;
  fixtures::ParseAlgSpec(text.str(), bloki, error);
  return bloki;
}

void RunFixture(benchmark::State& state, const std::string& name, bool flat, bool history = false) {
  const std::vector<Tobj> bloki = Diagram(name);
  int64_t instructions = 0;
  for (auto _ : state) {
    TKompilatorTS c;
    c.OnInputOutput = [](TKompilatorTS&, const std::string&, const std::string&, uint8_t, std::string& a) {
      a.clear();
    };
    c.OnStep = [&](TKompilatorTS&, uint8_t code) { instructions += code == 0; };
    std::vector<TPlugInEntry> none;
    TBreakPointArray breakpoints;
    c.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, none, breakpoints);
    if (history) c.SetHistoryBudget(kDefaultHistoryBudget);
    c.PrepareRun();
    if (!flat) {
      for (Trozkaz& instruction : c.Instructions) instruction.Fast = TFastCode{};
    }
    c.Run();
  }
  state.counters["instructions"] = benchmark::Counter(static_cast<double>(instructions),
                                                      benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Flat(benchmark::State& state, const char* name) { RunFixture(state, name, true); }
void BM_Walk(benchmark::State& state, const char* name) { RunFixture(state, name, false); }
void BM_FlatHistory(benchmark::State& state, const char* name) { RunFixture(state, name, true, true); }

BENCHMARK_CAPTURE(BM_Flat, loop, "loop")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FlatHistory, loop, "loop")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Walk, loop, "loop")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Flat, sieve, "sieve")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FlatHistory, sieve, "sieve")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Walk, sieve, "sieve")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Flat, bubble, "bubble")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FlatHistory, bubble, "bubble")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Walk, bubble, "bubble")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Flat, text, "text")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FlatHistory, text, "text")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Walk, text, "text")->Unit(benchmark::kMillisecond);

}  // namespace
