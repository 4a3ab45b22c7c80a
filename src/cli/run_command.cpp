// tessaro-cli run FILE.alg: compiles an algorithm and runs it to its end,
// with read and write on stdin and stdout.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/program_session.h"

namespace tessaro::cli {

namespace {

enum RunExit {
  kRunEnded = 0,
  kRunCompileFailed = 1,
  kRunError = 2,
  kRunNoAnswer = 3,
  kRunStepLimit = 4,
};

bool ParseCount(const std::string& text, uint64_t& count) {
  if (text.empty() || text.size() > 18) return false;
  count = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    count = count * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

void Trace(const TKompilatorTS& c) {
  if (c.IsFinished() || c.Current < 0) return;
  const Trozkaz& ins = c.Instructions[static_cast<size_t>(c.Current)];
  PrintErr("#" + std::to_string(c.Current) + " block " + std::to_string(ins.BlockIndex) + " line " +
           std::to_string(ins.Line) + ": " + ins.Text + "\n");
}

void DumpVariables(const TKompilatorTS& c) {
  for (int32_t v = 0; v < static_cast<int32_t>(c.Variables.size()); ++v) {
    PrintOut(c.Variables[static_cast<size_t>(v)].Name + " = " + RenderVariable(c, v) + "\n");
  }
}

}  // namespace

int RunRun(const CliOptions& options) {
  if (options.positional.size() != 1) {
    std::fprintf(stderr, "usage: tessaro-cli run [options] FILE.alg\n");
    return kExitUsage;
  }
  uint64_t max_steps = 0;
  if (!ParseCount(options.Value("--max-steps", "0"), max_steps)) {
    std::fprintf(stderr, "tessaro-cli: run: --max-steps needs a whole number\n");
    return kExitUsage;
  }
  uint64_t history_mb = 0;
  if (!ParseCount(options.Value("--history", "0"), history_mb) || history_mb > (uint64_t{1} << 20)) {
    std::fprintf(stderr, "tessaro-cli: run: --history needs a whole number of megabytes\n");
    return kExitUsage;
  }
  ProgramSession session;
  if (int status = session.Start(options, "run"); status != kExitOk) return status;
  std::vector<Tobj> bloki;
  if (!LoadAlgorithm(options.positional[0], "run", bloki)) return kExitNoInput;

  TKompilatorTS& c = session.compiler;
  if (!session.Compile(bloki)) {
    session.PrintErrorList();
    return kRunCompileFailed;
  }
  session.ConnectConsole(options.Has("--names"));
  c.SetHistoryBudget(static_cast<int64_t>(history_mb) << 20);
  c.PrepareRun();

  const bool trace = options.Has("--trace");
  uint64_t executed = 0;
  bool limit_reached = false;
  // Before each instruction: the first when the run starts, every next one
  // after its predecessor's step.
  c.OnStateChange = [&](TKompilatorTS& sender, uint8_t code) {
    if (code == kStateRunning && trace) Trace(sender);
  };
  // Only a limit or a trace needs to hear of every instruction; a run without
  // either is spared the call.
  if (max_steps || trace) {
    c.OnStep = [&](TKompilatorTS& sender, uint8_t code) {
      if (code != 0) return;
      ++executed;
      if (max_steps && executed >= max_steps && !sender.IsFinished()) {
        limit_reached = true;
        sender.Stop();
        return;
      }
      if (trace) Trace(sender);
    };
  }
  c.Run();

  session.PrintErrorList();
  if (options.Has("--dump-vars")) DumpVariables(c);
  std::fflush(stdout);
  if (c.HasErrors()) return kRunError;
  if (session.empty_answer) return kRunNoAnswer;
  if (limit_reached) return kRunStepLimit;
  return kRunEnded;
}

}  // namespace tessaro::cli
