// A class graded at once: 30 pupils' factorial flowcharts against the shipped
// factorial task of 10 cases, every pupil read from its file, compiled and
// run on each case, on as many threads as the machine has cores. The whole
// grading is meant to take well under two seconds.
//
// bench: build/bin/task_grading_bench
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "alg_spec.h"
#include "core/task/grading.h"
#include "core/task/task_reader.h"

namespace {

using namespace tessaro;
namespace fs = std::filesystem;

constexpr int kPupils = 30;

constexpr const char* kFactorial =
    "start 1 -1\nio 2 -1 read n\nproc 3 -1 s := 1\\ni := 1\ncond 5 4 i <= n\n"
    "proc 3 -1 s := s * i\\ni := i + 1\nio 6 -1 write s\nend -1 -1\n";

void GradeClass(benchmark::State& state) {
  const task::TaskRead read = task::ReadTask(std::string(TESSARO_SOURCE_DIR) + "/resources/Zadania/silnia");
  if (!read.ok) {
    state.SkipWithError(read.error.c_str());
    return;
  }
  std::string folder = (fs::temp_directory_path() / "tessaro-class-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  std::vector<Tobj> bloki;
  std::string error;
  fixtures::ParseAlgSpec(kFactorial, bloki, error);
  std::vector<task::Submission> submissions;
  for (int i = 0; i < kPupils; ++i) {
    const std::string path = folder + "/pupil" + std::to_string(i) + ".alg";
    fixtures::WriteAlgFile(bloki, path);
    submissions.push_back({"pupil" + std::to_string(i), path});
  }
  const unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
  for (auto _ : state) {
    const auto results = task::GradeAll(read.task, submissions, {}, jobs);
    benchmark::DoNotOptimize(results.data());
  }
  state.counters["cases"] = benchmark::Counter(static_cast<double>(kPupils * read.task.cases.size()),
                                               benchmark::Counter::kIsIterationInvariantRate);
  std::error_code ec;
  fs::remove_all(folder, ec);
}
BENCHMARK(GradeClass)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
