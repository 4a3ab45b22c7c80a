#include <cstdio>

#include "cli/commands.h"

namespace tessaro::cli {

int RunExport(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'export' is not available in this build\n");
  return kExitUsage;
}

}  // namespace tessaro::cli
