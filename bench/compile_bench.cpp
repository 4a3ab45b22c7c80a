// Compiling a generated diagram of 10,000 blocks: cutting, parsing, linking,
// resolution and function binding together.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/language/compiler.h"

namespace {

using tessaro::Tobj;

// A start block, then processing, condition and input/output blocks in
// turn, each leading to the next, and an end block.
std::vector<Tobj> GeneratedDiagram(int32_t blocks) {
  const char* const kTexts[] = {
      "x := x + 1\r\ny := y * 2 - x",
      "s := s + Sqrt(x) * t[i mod 10 + 1]",
      "write x, y",
      "dim t[10];i := 1",
  };
  std::vector<Tobj> bloki(static_cast<size_t>(blocks));
  for (int32_t j = 0; j < blocks; ++j) {
    Tobj& b = bloki[static_cast<size_t>(j)];
    b.Link1 = j + 1;
    if (j == 0) {
      b.Blok = tessaro::Start;
    } else if (j == blocks - 1) {
      b.Blok = tessaro::Koniec;
      b.Link1 = -1;
    } else if (j % 5 == 0) {
      b.Blok = tessaro::Warunek;
      b.Kod = "x < 100\r\ny <> 7";
      b.Link2 = j + 2 < blocks ? j + 2 : -1;
    } else {
      b.Blok = j % 5 == 3 ? tessaro::WeWY : tessaro::Przetwarzanie;
      b.Kod = kTexts[j % 4];
    }
  }
  return bloki;
}

void BM_Compile(benchmark::State& state) {
  const std::vector<Tobj> bloki = GeneratedDiagram(static_cast<int32_t>(state.range(0)));
  const std::vector<tessaro::TPlugInEntry> no_extensions;
  tessaro::TBreakPointArray breakpoints;
  tessaro::TKompilatorTS compiler;
  for (auto _ : state) {
    const bool ok = compiler.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, no_extensions,
                                     breakpoints);
    benchmark::DoNotOptimize(ok);
    if (!ok) state.SkipWithError("the generated diagram does not compile");
  }
  state.counters["instructions"] = static_cast<double>(compiler.Instructions.size());
}
BENCHMARK(BM_Compile)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
