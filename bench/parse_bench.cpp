// Parsing speed: classifying a few hundred typical instruction texts, each
// into its statement form and tree, and freeing the trees again.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/language/statement_parser.h"
#include "core/runtime/tree_layout.h"

namespace {

using namespace tessaro;

// What pupils write in processing, condition and input/output blocks; "@"
// stands for a variable name that changes from copy to copy.
constexpr const char* kTemplates[] = {
    "@ := 0",
    "@ := @ + 1",
    "@++",
    "--@",
    "@ += 2",
    "suma := suma + t[@]",
    "t[@] := t[@ - 1] * 2",
    "m[@, j] := m[j, @] + 1",
    "@ := (a + b) * (c - d) / 2",
    "@ := a mod 10 div 2",
    "@ := Sqrt(Sqr(x) + Sqr(y))",
    "@ := Power(2, n) - 1",
    "@ := Copy(s, 1, Length(s) - 1)",
    "@ := DecToBin(Str(n))",
    "@ := Random(100) + 1",
    "@ < n",
    "@ >= 1 and @ <= 5",
    "@ == 1 or @ == 2",
    "not (@ > 0) || t[@] != 0",
    "(@ mod 2 == 0) && (@ <> 7)",
    "@ := 'tekst ' + Str(@)",
    "@ := @ shl 1 | 1",
    "@ := -@",
    "write @",
    "write 'Wynik: ', @, ' koniec'",
    "read @",
    "read @, n",
    "dim @[10]",
    "dim @[3,4], v",
    "set @ := (1, 2, 3)",
};

std::vector<std::string> Texts() {
  const char* names[] = {"i", "x", "licznik", "a1", "wynik", "k", "tab_pom", "n2", "z", "suma2"};
  std::vector<std::string> texts;
  for (const char* name : names) {
    for (const char* t : kTemplates) {
      std::string text = t;
      for (size_t p; (p = text.find('@')) != std::string::npos;) text.replace(p, 1, name);
      texts.push_back(text);
    }
  }
  return texts;
}

void BM_ClassifyInstructions(benchmark::State& state) {
  const std::vector<std::string> texts = Texts();
  for (auto _ : state) {
    for (const std::string& text : texts) {
      TParsedStatement parsed = ClassifyInstruction(text);
      benchmark::DoNotOptimize(parsed.Steps.data());
      FreeTree(parsed.Tree);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
  state.counters["texts"] = static_cast<double>(texts.size());
}
BENCHMARK(BM_ClassifyInstructions);

void BM_LayoutAndExtent(benchmark::State& state) {
  const std::vector<std::string> texts = Texts();
  std::vector<TreeOwner> trees;
  for (const std::string& text : texts) trees.emplace_back(ClassifyInstruction(text).Tree);
  for (auto _ : state) {
    for (const TreeOwner& tree : trees) {
      LayoutTree(tree.get());
      benchmark::DoNotOptimize(TreeExtent(tree.get()));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(trees.size()));
}
BENCHMARK(BM_LayoutAndExtent);

}  // namespace
