// Loading extension libraries: thin wrappers over dlopen, dlsym and dlclose.
//
// A loaded library is known by a small integer handle rather than by the
// loader's pointer. Copies of extension entries (the compiler keeps its own)
// may outlive the library they name; a released handle is not given out
// again (until 2^32 loads later), so a lookup through a stale copy finds
// nothing instead of touching a released library.
#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// 0 means "not loaded"; every lookup on it finds nothing.
using TModuleHandle = uint32_t;

struct TModuleLoad {
  TModuleHandle handle = 0;
  std::string error;  // the loader's message when handle is 0; Windows-1250
};

// Loads the library at `path` (a native, UTF-8 path). All its symbols are
// bound at once, so a library with unresolved symbols fails here and not in
// the middle of a pupil's run.
TModuleLoad LoadModule(const std::string& path);

// The address of export `name`, or nullptr when the library lacks it or the
// handle is 0, unknown or released. Never raises an error.
void* FindExport(TModuleHandle module, const char* name);

// Releases a library; 0 and unknown handles are ignored.
void FreeModule(TModuleHandle module);

bool IsModuleLoaded(TModuleHandle module);

}  // namespace tessaro
