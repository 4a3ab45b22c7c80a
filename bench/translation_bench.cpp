// Message lookup and translation loading: every caption of every window goes
// through LangText, and a language switch reloads the whole file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/i18n/language.h"
#include "core/platform/program_paths.h"
#include "core/settings/settings.h"

namespace {

// The benchmark runs from the build's program folder, which holds the
// shipped translation files.
void UseBuildFolder() { tessaro::SetProgramDir(""); }

void BM_LangTextHit(benchmark::State& state) {
  UseBuildFolder();
  tessaro::TLanguage language;
  language.LoadTexts();
  const std::vector<std::string> ids = language.Keys();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(language.Text(ids[i]));
    i = (i + 1) % ids.size();
  }
}
BENCHMARK(BM_LangTextHit);

void BM_LangTextMiss(benchmark::State& state) {
  UseBuildFolder();
  tessaro::TLanguage language;
  language.LoadTexts();
  for (auto _ : state) benchmark::DoNotOptimize(language.Text("msgm99999"));
}
BENCHMARK(BM_LangTextMiss);

void BM_LoadTexts(benchmark::State& state) {
  UseBuildFolder();
  tessaro::TLanguage language;
  for (auto _ : state) {
    language.LoadTexts();
    benchmark::DoNotOptimize(language.Keys().size());
  }
}
BENCHMARK(BM_LoadTexts);

void BM_SettingsRoundTrip(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "tessaro_bench_tsset.dat").string();
  tessaro::TSettings settings;
  for (auto _ : state) {
    tessaro::SaveSettings(settings, path);
    tessaro::LoadSettings(settings, path);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SettingsRoundTrip);

}  // namespace
