// What run, compile and eval share: the compiler object with the options of
// the command line, the extensions, the console on stdin and stdout, and the
// loading of algorithm files.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "core/extensions/plugin_entry.h"
#include "core/language/compiler.h"

namespace tessaro::cli {

class ProgramSession {
  // Declared before the compiler, which holds on to it, so it outlives it.
  TBreakPointArray no_breakpoints_;

 public:
  ProgramSession() = default;
  ~ProgramSession();
  ProgramSession(const ProgramSession&) = delete;
  ProgramSession& operator=(const ProgramSession&) = delete;

  // Applies the options and loads the extensions: the enabled ones of the
  // program folder, then each --extension PATH. Returns 0, or the exit code
  // after a message on stderr.
  int Start(const CliOptions& options, const char* command);

  // Compiles `bloki` with the session's extensions and no breakpoints.
  bool Compile(const std::vector<Tobj>& bloki);

  // Connects read and write to stdin and stdout.
  void ConnectConsole(bool with_names);

  // Prints the error list (errors, then warnings) to stderr.
  void PrintErrorList() const;

  TKompilatorTS compiler;
  std::vector<TPlugInEntry> extensions;  // in binding order
  bool empty_answer = false;             // a read got no answer, which stopped the run

 private:
  std::vector<TModuleHandle> own_modules_;
  bool plugins_loaded_ = false;
};

// Reads an algorithm file into `bloki`; false after a message on stderr.
bool LoadAlgorithm(const std::string& path, const char* command, std::vector<Tobj>& bloki);

}  // namespace tessaro::cli
