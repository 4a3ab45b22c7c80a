#include "core/extensions/plugin_library.h"

#include <dlfcn.h>

#include <map>

#include "core/i18n/cp1250.h"

namespace tessaro {

namespace {

struct ModuleRegistry {
  std::map<TModuleHandle, void*> open;
  TModuleHandle last = 0;
};

// All extension calls happen on the user-interface thread, so no lock.
ModuleRegistry& Registry() {
  static ModuleRegistry registry;
  return registry;
}

// The next handle never used before; 0 is skipped when the count wraps.
TModuleHandle NewHandle(ModuleRegistry& registry) {
  do {
    ++registry.last;
  } while (registry.last == 0 || registry.open.count(registry.last) != 0);
  return registry.last;
}

}  // namespace

TModuleLoad LoadModule(const std::string& path) {
  TModuleLoad load;
  dlerror();
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* message = dlerror();
    load.error = Utf8ToCp1250(message ? message : path);
    return load;
  }
  ModuleRegistry& registry = Registry();
  load.handle = NewHandle(registry);
  registry.open[load.handle] = library;
  return load;
}

void* FindExport(TModuleHandle module, const char* name) {
  ModuleRegistry& registry = Registry();
  auto it = registry.open.find(module);
  if (it == registry.open.end()) return nullptr;
  return dlsym(it->second, name);
}

void FreeModule(TModuleHandle module) {
  ModuleRegistry& registry = Registry();
  auto it = registry.open.find(module);
  if (it == registry.open.end()) return;
  dlclose(it->second);
  registry.open.erase(it);
}

bool IsModuleLoaded(TModuleHandle module) { return Registry().open.count(module) != 0; }

}  // namespace tessaro
