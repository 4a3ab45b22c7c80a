#include <cstdio>

#include "cli/commands.h"

namespace tessaro::cli {

int RunConvert(const CliOptions&) {
  std::fprintf(stderr, "tessaro-cli: 'convert' is not available in this build\n");
  return kExitUsage;
}

}  // namespace tessaro::cli
