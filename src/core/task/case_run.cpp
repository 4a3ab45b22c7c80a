#include "core/task/case_run.h"

#include <chrono>

#include "core/language/compiler.h"
#include "core/runtime/builtin_calls.h"

namespace tessaro::task {

namespace {

using Clock = std::chrono::steady_clock;

// The clock is read once per this many instructions.
constexpr uint64_t kClockInterval = 1024;

std::string Where(int32_t block, int32_t line, const std::string& instruction) {
  if (block < 0) return "";
  std::string where = "block " + std::to_string(block);
  if (line > 0) where += ", line " + std::to_string(line);
  if (!instruction.empty()) where += " (" + instruction + ")";
  return where;
}

}  // namespace

TaskProgram::TaskProgram() : compiler_(std::make_unique<TKompilatorTS>()) {}

TaskProgram::~TaskProgram() {
  compiler_->OnStateChange = nullptr;
  compiler_->OnVariableChange = nullptr;
  compiler_->OnStep = nullptr;
  compiler_->OnInputOutput = nullptr;
  compiler_.reset();
}

bool TaskProgram::Compile(const std::vector<Tobj>& bloki, std::string& message) {
  TKompilatorTS& c = *compiler_;
  const std::vector<TPlugInEntry> no_extensions;
  if (c.Compile(bloki, static_cast<int32_t>(bloki.size()) - 1, -1, no_extensions, no_breakpoints_)) {
    return true;
  }
  message.clear();
  if (c.Errors.empty()) return false;
  const TBlad& e = c.Errors.front();
  if (c.HasInstruction(e.Instruction)) {
    const Trozkaz& ins = c.Instructions[static_cast<size_t>(e.Instruction)];
    message = Where(ins.BlockIndex, ins.Line, ins.Text);
  } else {
    message = Where(e.Block, 0, "");
  }
  message += (message.empty() ? "" : ": ") + e.Text;
  return false;
}

CaseRun TaskProgram::Run(const std::vector<std::string>& answers, const RunLimits& limits) {
  TKompilatorTS& c = *compiler_;
  CaseRun run;
  const Clock::time_point start = Clock::now();
  const auto deadline = start + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(limits.time_limit));
  bool output_full = false, time_up = false, step_limit = false, no_answer = false;

  c.OnInputOutput = [&](TKompilatorTS& sender, const std::string& value, const std::string& item,
                        uint8_t direction, std::string& answer) {
    answer.clear();
    if (direction == 1) {
      if (output_full) return;
      if (run.output.size() + value.size() + 1 > kMaxRunOutputBytes) {
        output_full = true;
        sender.Stop();
        return;
      }
      run.output += value;
      run.output += '\n';
      return;
    }
    if (run.answers_used < answers.size()) {
      answer = answers[run.answers_used++];
      return;
    }
    // No answer left: the console ends the run the same way.
    no_answer = true;
    if (sender.HasInstruction(sender.Current)) {
      const Trozkaz& ins = sender.Instructions[static_cast<size_t>(sender.Current)];
      run.block = ins.BlockIndex;
      run.line = ins.Line;
      run.instruction = ins.Text;
    }
    run.message = item;
    sender.Stop();
  };
  c.OnStep = [&](TKompilatorTS& sender, uint8_t code) {
    if (code != 0) return;
    ++run.steps;
    if (run.steps >= limits.max_steps && !sender.IsFinished()) {
      step_limit = true;
      sender.Stop();
      return;
    }
    if (run.steps % kClockInterval == 0 && Clock::now() >= deadline) {
      time_up = true;
      sender.Stop();
    }
  };

  SeedRandom(limits.seed);
  c.ClearErrors();  // a previous case's run-time error
  c.PrepareRun();
  c.Run();
  c.OnInputOutput = nullptr;
  c.OnStep = nullptr;

  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (!run.output.empty()) run.output.pop_back();  // the last line's end
  if (c.HasErrors()) {
    run.end = RunEnd::RunTimeError;
    const TBlad& e = c.Errors.front();
    run.message = e.Text;
    run.block = e.Block;
    run.line = 0;
    run.instruction.clear();
    if (c.HasInstruction(e.Instruction)) {
      const Trozkaz& ins = c.Instructions[static_cast<size_t>(e.Instruction)];
      run.line = ins.Line;
      run.instruction = ins.Text;
    }
  } else if (no_answer) {
    run.end = RunEnd::InputExhausted;
  } else if (output_full) {
    run.end = RunEnd::OutputLimit;
  } else if (step_limit) {
    run.end = RunEnd::StepLimit;
  } else if (time_up) {
    run.end = RunEnd::TimeLimit;
  }
  return run;
}

std::string DescribeStop(const CaseRun& run) { return Where(run.block, run.line, run.instruction); }

}  // namespace tessaro::task
