#include <cstdio>

#include "cli/commands.h"

namespace tessaro::cli {

int RunTree(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'tree' is not available in this build\n");
  return kExitUsage;
}

}  // namespace tessaro::cli
