// The subcommands of tessaro-cli. Each lives in its own file, NAME_command.cpp.
#pragma once

#include "cli/cli_options.h"

namespace tessaro::cli {

int RunInfo(const CliOptions& options);
int RunTree(const CliOptions& options);
int RunConvert(const CliOptions& options);
int RunRun(const CliOptions& options);
int RunCompile(const CliOptions& options);
int RunEval(const CliOptions& options);
int RunExport(const CliOptions& options);
int RunCode(const CliOptions& options);
int RunTest(const CliOptions& options);
int RunTask(const CliOptions& options);

}  // namespace tessaro::cli
