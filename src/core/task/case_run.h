// One deterministic run of a compiled program on one list of answers: a fixed
// seed, a step limit and a time limit; read takes the answers in order,
// write adds a line to the output. No extension is bound, so a run reaches
// neither files nor the network.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/document/model.h"

namespace tessaro {
class TKompilatorTS;
}

namespace tessaro::task {

// The most output one run may write before it is stopped.
inline constexpr size_t kMaxRunOutputBytes = size_t{16} << 20;

struct RunLimits {
  uint64_t max_steps = 1'000'000;
  double time_limit = 5.0;  // seconds
  uint32_t seed = 1;
};

enum class RunEnd : uint8_t {
  Finished,        // the program reached its end
  RunTimeError,    // an error stopped it
  StepLimit,
  TimeLimit,
  InputExhausted,  // a read found no answer left
  OutputLimit,     // it wrote more than kMaxRunOutputBytes
};

struct CaseRun {
  RunEnd end = RunEnd::Finished;
  std::string output;       // the written lines joined by "\n"
  size_t answers_used = 0;
  uint64_t steps = 0;
  double seconds = 0;
  // Where it stopped, for a run-time error or a read without an answer.
  int32_t block = -1;
  int32_t line = 0;
  std::string instruction;  // the text of that instruction
  std::string message;      // the run-time error's text; the variable of a read
};

// "block B, line L (instruction)" for where a run stopped; empty when unknown.
std::string DescribeStop(const CaseRun& run);

// A pupil's program, compiled once and run on each case in turn.
class TaskProgram {
 public:
  TaskProgram();
  ~TaskProgram();
  TaskProgram(const TaskProgram&) = delete;
  TaskProgram& operator=(const TaskProgram&) = delete;

  // Compiles `bloki` with no extensions and no breakpoints. False with the
  // first error described in `message` ("block B, line L: text").
  bool Compile(const std::vector<Tobj>& bloki, std::string& message);

  // Runs the compiled program from its start with fresh variables.
  CaseRun Run(const std::vector<std::string>& answers, const RunLimits& limits);

 private:
  // Declared before the compiler, which refers to it, so it outlives it.
  TBreakPointArray no_breakpoints_;
  std::unique_ptr<TKompilatorTS> compiler_;
};

}  // namespace tessaro::task
