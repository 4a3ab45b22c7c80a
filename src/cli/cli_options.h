// Command-line parsing shared by every subcommand of tessaro-cli.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tessaro::cli {

// Exit codes (sysexits where one fits).
enum ExitCode {
  kExitOk = 0,
  kExitUsage = 64,
  kExitNoInput = 66,
  kExitCantCreate = 73,
};

// Exit codes of "test" and "task", which graders' scripts read: every case
// passed, some failed, the task or the command line is wrong.
enum TestExitCode {
  kExitAllPassed = 0,
  kExitSomeFailed = 1,
  kExitTestUsage = 2,
};

struct CliOptions {
  std::string command;                  // the subcommand, empty when none
  std::vector<std::string> positional;  // the other plain arguments, in order
  std::map<std::string, std::vector<std::string>> values;  // "--seed" -> {"7"}
  std::vector<std::string> flags;       // "--names", ...

  bool Has(const std::string& flag) const;
  // The last value given for `option`, or `fallback`.
  std::string Value(const std::string& option, const std::string& fallback = "") const;
  const std::vector<std::string>& Values(const std::string& option) const;
};

// Parses argv. Options may stand before or after the subcommand; "--" ends the
// options. Returns false and sets `error` on an unknown option or a missing value.
bool ParseCommandLine(int argc, char** argv, CliOptions& options, std::string& error);

// Prints a core (Windows-1250) text as UTF-8.
void PrintOut(const std::string& cp1250_text);
void PrintErr(const std::string& cp1250_text);

}  // namespace tessaro::cli
