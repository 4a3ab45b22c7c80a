// Writing and reading whole diagrams in the algorithm format, as every undo
// snapshot, document switch, save and open does.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/document/alg_reader.h"
#include "core/document/alg_writer.h"
#include "core/document/elements.h"

namespace tessaro {
namespace {

// A diagram of `n` blocks with texts of a few short lines, linked in a chain.
std::vector<Tobj> Diagram(int n) {
  std::vector<Tobj> bloki;
  bloki.reserve(n);
  for (int i = 0; i < n; ++i) {
    Tobj e = NowyElement(i % 2 ? Przetwarzanie : Warunek, 40 * i, 60 * i, TElementDefaults{});
    e.Kod = "s := s + tab[" + std::to_string(i) + "]\r\ni := i + 1\r\nwrite s";
    e.Link1 = i + 1 < n ? i + 1 : -1;
    bloki.push_back(e);
  }
  return bloki;
}

void BM_ZapiszSchemat(benchmark::State& state) {
  const std::vector<Tobj> bloki = Diagram(static_cast<int>(state.range(0)));
  TMemoryStream stream;
  for (auto _ : state) {
    ZapiszSchemat(bloki, stream);
    benchmark::DoNotOptimize(stream.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ZapiszSchemat)->Arg(100)->Arg(1000)->Arg(10000);

void BM_ReadAlgorithm(benchmark::State& state) {
  TMemoryStream stream;
  ZapiszSchemat(Diagram(static_cast<int>(state.range(0))), stream);
  for (auto _ : state) {
    TAlgRead read = ReadAlgorithm(stream, TElementDefaults{});
    benchmark::DoNotOptimize(read.bloki.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadAlgorithm)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace
}  // namespace tessaro
