// Export of a generated 1,000-block flowchart: loops and branches nested
// three deep with processing blocks between them. Goal: all four languages
// in at most 50 ms together.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/codegen/code_export.h"
#include "core/language/compiler.h"

namespace {

using tessaro::Tobj;

class ChartBuilder {
 public:
  int Add(int kind, const std::string& text, int link1 = -1, int link2 = -1) {
    Tobj b;
    b.Blok = kind;
    b.Kod = text;
    b.Link1 = link1;
    b.Link2 = link2;
    blocks.push_back(b);
    return static_cast<int>(blocks.size()) - 1;
  }
  int Proc(int next) {
    const int id = static_cast<int>(blocks.size());
    return Add(tessaro::Przetwarzanie, "s := s + " + std::to_string(id) + "\r\nwrite s", next);
  }
  // Statements until about `budget` blocks are used; returns the entry.
  int Sequence(int depth, int next, int& budget) {
    while (budget > 0) {
      const int shape = depth >= 3 ? 0 : (budget % 5);
      budget -= 1;
      if (shape == 1) {  // if/else
        int inner = 3;
        const int yes = Sequence(depth + 1, next, inner);
        int inner2 = 2;
        const int no = Sequence(depth + 1, next, inner2);
        budget -= 5;
        next = Add(tessaro::Warunek, "s mod 3 = 0", no, yes);
      } else if (shape == 2) {  // while
        const int head = Add(tessaro::Warunek, "i < 10", -1, -1);
        int inner = 4;
        const int body = Sequence(depth + 1, head, inner);
        blocks[static_cast<size_t>(head)].Link1 = next;
        blocks[static_cast<size_t>(head)].Link2 = body;
        budget -= 4;
        next = head;
      } else {
        next = Proc(next);
      }
      if (static_cast<int>(blocks.size()) >= limit) break;
    }
    return next;
  }
  std::vector<Tobj> blocks;
  int limit = 1000;
};

std::vector<Tobj> Chart() {
  ChartBuilder b;
  b.Add(tessaro::Start, " ");
  const int end = b.Add(tessaro::Koniec, " ");
  int budget = 1000;
  const int first = b.Sequence(0, end, budget);
  const int init = b.Add(tessaro::Przetwarzanie, "s := 0\r\ni := 0", first);
  b.blocks[0].Link1 = init;
  return b.blocks;
}

struct Compiled {
  tessaro::TKompilatorTS c;
  tessaro::TBreakPointArray none;
  std::vector<tessaro::TPlugInEntry> no_extensions;
  Compiled() {
    const std::vector<Tobj> blocks = Chart();
    c.Compile(blocks, static_cast<int32_t>(blocks.size()) - 1, -1, no_extensions, none);
  }
};

void BM_ExportAllLanguages(benchmark::State& state) {
  Compiled program;
  for (auto _ : state) {
    for (tessaro::codegen::TargetLanguage language :
         {tessaro::codegen::TargetLanguage::Python, tessaro::codegen::TargetLanguage::Cpp,
          tessaro::codegen::TargetLanguage::Java, tessaro::codegen::TargetLanguage::Pascal}) {
      tessaro::codegen::ExportOptions options;
      options.Language = language;
      benchmark::DoNotOptimize(tessaro::codegen::ExportProgram(program.c, options));
    }
  }
  state.counters["blocks"] = static_cast<double>(Chart().size());
}
BENCHMARK(BM_ExportAllLanguages)->Unit(benchmark::kMillisecond);

void BM_ExportPython(benchmark::State& state) {
  Compiled program;
  for (auto _ : state) {
    tessaro::codegen::ExportOptions options;
    benchmark::DoNotOptimize(tessaro::codegen::ExportProgram(program.c, options));
  }
}
BENCHMARK(BM_ExportPython)->Unit(benchmark::kMillisecond);

void BM_StructureOnly(benchmark::State& state) {
  Compiled program;
  for (auto _ : state) {
    tessaro::codegen::CodeTree tree;
    std::string error;
    benchmark::DoNotOptimize(tessaro::codegen::BuildCodeTree(program.c, {}, tree, error));
  }
}
BENCHMARK(BM_StructureOnly)->Unit(benchmark::kMillisecond);

}  // namespace
