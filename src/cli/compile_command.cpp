// tessaro-cli compile FILE.alg: the instruction listing and the error list.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/program_session.h"
#include "core/runtime/analysis_text.h"

namespace tessaro::cli {

int RunCompile(const CliOptions& options) {
  if (options.positional.size() != 1) {
    std::fprintf(stderr, "usage: tessaro-cli compile [options] FILE.alg\n");
    return kExitUsage;
  }
  ProgramSession session;
  if (int status = session.Start(options, "compile"); status != kExitOk) return status;
  std::vector<Tobj> bloki;
  if (!LoadAlgorithm(options.positional[0], "compile", bloki)) return kExitNoInput;

  TKompilatorTS& c = session.compiler;
  const bool ok = session.Compile(bloki);
  // Item 0, the start block, carries no number, as in the listing window.
  const std::vector<std::string> listing = ListingItems(c);
  for (size_t k = 0; k < listing.size(); ++k) {
    PrintOut((k > 0 ? std::to_string(k) + ". " : std::string()) + listing[k] + "\n");
  }
  for (const std::string& item : ErrorListItems(c)) PrintOut(item + "\n");
  return ok ? kExitOk : 1;
}

}  // namespace tessaro::cli
