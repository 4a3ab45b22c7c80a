// The cost of one extension call as a run makes it: clear, arguments,
// execute, result type, error text, and reading the result.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/extensions/plugin_dll.h"
#include "core/extensions/plugin_library.h"
#include "core/runtime/plugin_value.h"

namespace tessaro {
namespace {

void BM_ExtensionCallNwd(benchmark::State& state) {
  TModuleLoad load = LoadModule(TESSARO_EXT_MATEMATYKA);
  if (load.handle == 0) {
    state.SkipWithError("matematyka_szkolna.so did not load");
    return;
  }
  std::vector<TValue> arguments = {TValue::Integer(1071), TValue::Integer(462)};
  for (auto _ : state) {
    TPluginResult result = CallPluginFunction(load.handle, "NWD", arguments);
    benchmark::DoNotOptimize(result);
  }
  FreeModule(load.handle);
}
BENCHMARK(BM_ExtensionCallNwd);

// The compiler's binding walks the listing until it finds the name.
void BM_ExtensionBindLastFunction(benchmark::State& state) {
  TModuleLoad load = LoadModule(TESSARO_EXT_MATEMATYKA);
  if (load.handle == 0) {
    state.SkipWithError("matematyka_szkolna.so did not load");
    return;
  }
  for (auto _ : state) {
    bool found = ForEachPluginFunction(load.handle,
                                       [](const std::string& name) { return name != "Min"; });
    benchmark::DoNotOptimize(found);
  }
  FreeModule(load.handle);
}
BENCHMARK(BM_ExtensionBindLastFunction);

}  // namespace
}  // namespace tessaro
