// Runs tessaro-cli as a child process for the command-line tests.
#pragma once

#include <string>
#include <vector>

namespace tessaro::test {

struct CliResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs the program at `program` with `args`, feeding `input` on stdin.
// `home`, when not empty, becomes $TESSARO_HOME of the child.
CliResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& input = "", const std::string& home = "");

}  // namespace tessaro::test
