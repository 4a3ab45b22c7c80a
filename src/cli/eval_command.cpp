// tessaro-cli eval EXPR...: evaluates expressions in turn, without a
// program; later expressions see the variables of earlier ones.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/program_session.h"
#include "core/i18n/cp1250.h"
#include "core/runtime/value_ops.h"

namespace tessaro::cli {

namespace {

const char* KindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Empty: return "empty";
    case ValueKind::Integer: return "integer";
    case ValueKind::Real: return "real";
    case ValueKind::String: return "string";
    case ValueKind::Boolean: return "boolean";
  }
  return "empty";
}

// The collected errors on one line.
std::string OneLine(const std::string& errors) {
  std::string out;
  for (char c : errors) {
    if (c == '\r') out += " | ";
    else if (c != '\n') out += c;
  }
  return out;
}

}  // namespace

int RunEval(const CliOptions& options) {
  if (options.positional.empty()) {
    std::fprintf(stderr, "usage: tessaro-cli eval [options] EXPR...\n");
    return kExitUsage;
  }
  ProgramSession session;
  if (int status = session.Start(options, "eval"); status != kExitOk) return status;
  session.ConnectConsole(options.Has("--names"));
  TKompilatorTS& c = session.compiler;
  // Calls bind to these as they would in a compiled program.
  c.Extensions = session.extensions;
  bool failed = false;
  for (const std::string& expression : options.positional) {
    const TEvaluation e = c.EvaluateExpression(Utf8ToCp1250(expression), true);
    if (!e.ErrorText.empty()) {
      failed = true;
      PrintOut("error: " + OneLine(e.ErrorText) + "\n");
    } else {
      PrintOut(std::string(KindName(e.Value.Kind())) + " " + TextForm(e.Value) + "\n");
    }
  }
  return failed ? 2 : kExitOk;
}

}  // namespace tessaro::cli
