#include <cstdio>

#include "cli/commands.h"

namespace tessaro::cli {

int RunRun(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'run' is not available in this build\n");
  return kExitUsage;
}

}  // namespace tessaro::cli
