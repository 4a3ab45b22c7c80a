#include <cstdio>

#include "cli/commands.h"

namespace tessaro::cli {

int RunInfo(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'info' is not available in this build\n");
  return kExitUsage;
}

}  // namespace tessaro::cli
