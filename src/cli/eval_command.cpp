#include <cstdio>

#include "cli/commands.h"

namespace tessaro::cli {

int RunEval(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'eval' is not available in this build\n");
  return kExitUsage;
}

}  // namespace tessaro::cli
