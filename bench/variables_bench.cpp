// The variable store under the loads a pupil's program puts on it: plain
// variables read and written in a loop, arrays grown one element at a time or
// declared whole, tuples assigned and arrays rendered. The memory benchmarks
// report the heap bytes a million-element array takes per element.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>
#include <vector>

#include "core/language/compiler.h"
#include "core/language/variables.h"

namespace tessaro {
namespace {

size_t HeapInUse() { return mallinfo2().uordblks; }

void BM_ScalarReadWrite(benchmark::State& state) {
  TKompilatorTS compiler;
  const int32_t s = ResolveVariable(compiler, "s", -1);
  const int32_t i = ResolveVariable(compiler, "i", -1);
  ScalarCell(compiler, s).Value = TValue::Integer(0);
  ScalarCell(compiler, i).Value = TValue::Integer(0);
  for (auto _ : state) {
    TValue& sum = ScalarCell(compiler, s).Value;
    const int32_t next = ScalarCell(compiler, i).Value.AsInteger() + 1;
    ScalarCell(compiler, i).Value = TValue::Integer(next);
    sum = TValue::Integer(sum.AsInteger() + next % 7);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ScalarReadWrite);

void BM_ElementWrite(benchmark::State& state) {
  TKompilatorTS compiler;
  const int32_t t = ResolveVariable(compiler, "t", -1);
  const int32_t declared[] = {1000};
  DeclareVariable(compiler, t, declared);
  int32_t k = 0;
  for (auto _ : state) {
    const int32_t path[] = {k % 1000 + 1};
    ElementAccess(compiler, t, path).Value = TValue::Integer(k++);
  }
}
BENCHMARK(BM_ElementWrite);

// t[i] := i for i = 1 .. n on a fresh variable, after «dim t[n]» when
// `declare` is set (else every access grows the array by one element).
void FillArray(benchmark::State& state, bool declare) {
  const int32_t n = static_cast<int32_t>(state.range(0));
  double bytes_per_element = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    TKompilatorTS compiler;
    const int32_t t = ResolveVariable(compiler, "t", -1);
    if (declare) {
      const int32_t sizes[] = {n};
      DeclareVariable(compiler, t, sizes);
    }
    for (int32_t i = 1; i <= n; ++i) {
      const int32_t path[] = {i};
      ElementAccess(compiler, t, path).Value = TValue::Integer(i);
    }
    bytes_per_element = static_cast<double>(HeapInUse() - before) / n;
  }
  state.counters["bytes_per_element"] = bytes_per_element;
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_GrowOneByOne(benchmark::State& state) { FillArray(state, false); }
BENCHMARK(BM_GrowOneByOne)->Arg(1000000)->Arg(600000)->Unit(benchmark::kMillisecond);

void BM_DeclareThenFill(benchmark::State& state) { FillArray(state, true); }
BENCHMARK(BM_DeclareThenFill)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Declare2D(benchmark::State& state) {
  for (auto _ : state) {
    TKompilatorTS compiler;
    const int32_t t = ResolveVariable(compiler, "t", -1);
    const int32_t sizes[] = {1000, 1000};
    DeclareVariable(compiler, t, sizes);
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_Declare2D)->Unit(benchmark::kMillisecond);

std::string Tuple(int32_t rows, int32_t columns) {
  std::string text = "(";
  for (int32_t r = 0; r < rows; ++r) {
    text += r ? ",(" : "(";
    for (int32_t c = 0; c < columns; ++c) {
      if (c) text += ',';
      text += (c % 3 == 0) ? "'ab'" : (c % 3 == 1) ? "12" : "2.5";
    }
    text += ')';
  }
  return text + ")";
}

void BM_TupleAssign(benchmark::State& state) {
  const std::string text = Tuple(100, 100);
  TKompilatorTS compiler;
  const int32_t t = ResolveVariable(compiler, "t", -1);
  for (auto _ : state) benchmark::DoNotOptimize(TupleAssign(compiler, t, text, true));
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_TupleAssign);

void BM_Render(benchmark::State& state) {
  TKompilatorTS compiler;
  const int32_t t = ResolveVariable(compiler, "t", -1);
  TupleAssign(compiler, t, Tuple(100, 100), true);
  for (auto _ : state) benchmark::DoNotOptimize(RenderVariable(compiler, t));
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_Render);

void BM_ResolveManyNames(benchmark::State& state) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < 2000; ++i) names.push_back("v" + std::to_string(i));
  for (auto _ : state) {
    TKompilatorTS compiler;
    for (int32_t round = 0; round < 5; ++round) {
      for (const std::string& name : names) benchmark::DoNotOptimize(ResolveVariable(compiler, name, -1));
    }
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ResolveManyNames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaro
