// The check the block editor runs after a pause in typing: one block of 20
// lines cut, classified, parsed and checked. It must stay well under 1 ms,
// since it runs on the user-interface thread.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/document/model.h"
#include "core/language/block_check.h"
#include "core/language/block_highlight.h"
#include "core/language/block_text_edit.h"
#include "core/language/block_vocabulary.h"

namespace {

using namespace tessaro;

// A processing block as a pupil writes one, with two mistakes in it.
std::string TwentyLineBlock() {
  const char* lines[] = {
      "read n",          "s := 0",
      "i := 1",          "t[i] := Sqrt(Sqr(x) + Sqr(y))",
      "s = s + t[i]",    "i++",
      "m[i, j] := m[j, i] + 1",
      "w := Copy(napis, 1, Length(napis) - 1)",
      "k := (a + b) * (c - d) / 2",
      "p := Power(2, n) - 1; q := p mod 10 div 2",
      "write 'suma=', s", "2x := 1",
      "z := Foo(1, 2)",  "dim tab[10], v",
      "set tab:=(1,2,3)", "r := Random(100)",
      "h := DecToHex(255)", "b := (s > 10) and not (i == 3)",
      "s += i",          "write s, i, t[1]",
  };
  std::string text;
  for (const char* line : lines) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

void BM_CheckTwentyLineBlock(benchmark::State& state) {
  const std::string text = TwentyLineBlock();
  const std::vector<std::string> extensions = {"Nwd", "Nww"};
  for (auto _ : state) benchmark::DoNotOptimize(CheckBlockText(text, Przetwarzanie, extensions));
}
BENCHMARK(BM_CheckTwentyLineBlock)->Unit(benchmark::kMicrosecond);

// What every keystroke costs besides the check: replacement and colouring.
void BM_StoreAndColourTwentyLineBlock(benchmark::State& state) {
  const std::string text = TwentyLineBlock();
  const THighlighter highlighter(HighlightedWords({}));
  for (auto _ : state) {
    benchmark::DoNotOptimize(BlockTextFromEditor(text, Przetwarzanie, true));
    benchmark::DoNotOptimize(highlighter.Styles(text));
  }
}
BENCHMARK(BM_StoreAndColourTwentyLineBlock)->Unit(benchmark::kMicrosecond);

// A pasted 64 KB instruction, «x := 1+1+…+1»: the check must stay linear in
// the text (the parser gives up past its nesting limit) and fast enough not
// to hold up typing after the pause.
std::string LongSum() {
  std::string text = "x := 1";
  while (text.size() < 64 * 1024) text += "+1";
  return text;
}

// 32,000 nested brackets around one number: refused by the depth limit.
std::string DeepBrackets() {
  return "x := " + std::string(32000, '(') + "1" + std::string(32000, ')');
}

void BM_CheckLongSum64KB(benchmark::State& state) {
  const std::string text = LongSum();
  for (auto _ : state) benchmark::DoNotOptimize(CheckBlockText(text, Przetwarzanie, {}));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CheckLongSum64KB)->Unit(benchmark::kMillisecond);

void BM_CheckDeepBrackets(benchmark::State& state) {
  const std::string text = DeepBrackets();
  for (auto _ : state) benchmark::DoNotOptimize(CheckBlockText(text, Przetwarzanie, {}));
}
BENCHMARK(BM_CheckDeepBrackets)->Unit(benchmark::kMillisecond);

// The keystroke's own work on the long text: replacement and colouring.
void BM_StoreAndColourLongSum64KB(benchmark::State& state) {
  const std::string text = LongSum();
  const THighlighter highlighter(HighlightedWords({}));
  for (auto _ : state) {
    benchmark::DoNotOptimize(BlockTextFromEditor(text, Przetwarzanie, true));
    benchmark::DoNotOptimize(highlighter.Styles(text));
  }
}
BENCHMARK(BM_StoreAndColourLongSum64KB)->Unit(benchmark::kMillisecond);

}  // namespace
