#include <cstdio>

#include "cli/commands.h"

namespace tessaro::cli {

int RunCompile(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'compile' is not available in this build\n");
  return kExitUsage;
}

}  // namespace tessaro::cli
