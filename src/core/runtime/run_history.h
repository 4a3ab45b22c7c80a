// The history of a run, for stepping back.
//
// A run is a sequence of steps, each an instruction step or a micro step
// (block steps and continuous runs are instruction steps one after another);
// the compiler's StepPosition counts them from PrepareRun. Execution is
// deterministic once three things are fixed: the answers given to `read`,
// the results of extension calls and the random generator. So the history
// keeps only those and, now and then, a full copy of the run's state
// (TRunState); every other moment is reached again by restoring the nearest
// earlier copy and re-executing from it with events silenced. The cost of a
// step while recording is one counter and one comparison, which keeps a
// continuous run as fast as without history.
//
// Memory is bounded by a budget: when the copies outgrow it, the oldest go,
// and the history then reaches back only to the oldest copy left. Copies are
// taken at intervals that grow with the copy's size, so that copying stays a
// small part of the run's time.
//
// A step back goes to the latest earlier moment between two steps that
// begins a step of its size: any such moment for a micro step; one where an
// instruction begins (after an instruction step, or after a micro step that
// moved on) for an instruction; one where control has just come into another
// block for a block. The history goes on past the end of the program (its
// last step, a run-time error), so that a run that ended can be stepped back
// into; a host's stop command calls ClearHistory.
//
// Besides, the history counts the exchanges with the user: after a step back
// `Exchanges()` tells how many reads and writes the run had made at that
// moment, so that the host can cut its console back to them. A `read` that
// is reached again takes the answer given before, without asking, and is
// announced through OnReplayedInput instead of OnInputOutput.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/runtime/plugin_value.h"
#include "core/runtime/run_state.h"

namespace tessaro {

class TKompilatorTS;
struct Trozkaz;

// The three sizes of a step back, as of a step forward.
enum class StepSize : uint8_t { Block, Instruction, Micro };

// Copies are taken every so many steps at least.
constexpr uint64_t kMinInterval = 16384;

// The budget the window uses unless the settings say otherwise.
constexpr int64_t kDefaultHistoryBudget = int64_t{64} << 20;
// The most the settings let it be, in MB.
constexpr int32_t kMaxHistoryBudgetMB = 4096;

class TRunHistory {
 public:
  explicit TRunHistory(int64_t budget) : budget_(budget) {}

  int64_t Budget() const { return budget_; }
  void SetBudget(int64_t budget);
  // The steps between two copies, whatever their size (tests make it small).
  void SetFixedInterval(uint64_t steps) { min_interval_ = max_interval_ = steps > 0 ? steps : 1; }
  // The steps after a copy of `bytes` before the next one.
  uint64_t Interval(size_t bytes) const;
  // Forgets everything; the next step takes the first copy.
  void Reset();

  // The earliest step position the history can go back to, and whether it
  // has any at all.
  bool HasCopies() const { return !copies_.empty(); }
  uint64_t Horizon() const { return copies_.empty() ? 0 : copies_.front().Position(); }
  // The memory the history holds now, estimated from above.
  size_t Bytes() const { return bytes_; }
  size_t CopyCount() const { return copies_.size(); }
  const TRunCounters& Counters() const { return counters_; }

  // ---- used by the compiler's steps (run_history.cpp) ----
  // Takes a copy of the state at `position` (replacing one at the same
  // position) and returns the position the next one is due at. A state that
  // has grown since the last copy is copied later, when enough steps have
  // passed to pay for it, unless the copy is `forced_`. A copy that only
  // speeds up steps back (`spare_`) is kept only where the budget has room
  // for it without losing older ones.
  uint64_t Checkpoint(const TKompilatorTS& compiler, uint64_t position);
  void NoteMicroStep(uint64_t position);
  bool IsMicroStep(uint64_t position) const;
  // An answer or an extension result recorded for the next read or call.
  bool RecordedAnswer(std::string& answer) const;
  void RecordAnswer(const std::string& answer);
  bool RecordedResult(TPluginResult& result) const;
  void RecordResult(const TPluginResult& result);

  const std::deque<TRunState>& Copies() const { return copies_; }
  // The copy at or before `position` (the latest such); null when none.
  const TRunState* CopyAtOrBefore(uint64_t position) const;
  // Its place among Copies(), or Copies().size() when there is none.
  size_t CopyIndexAtOrBefore(uint64_t position) const;
  // Drops the copies after `position` and the micro steps from it on: the
  // run goes on from there anew.
  void CutAfter(uint64_t position);

  // The counters of the run as it stands, and whether steps are being
  // re-executed silently now.
  TRunCounters counters_;
  uint32_t generation_ = 0;  // the compiler's ProgramGeneration it describes
  bool replaying_ = false;
  bool spare_ = false;
  bool forced_ = false;

 private:
  void Enforce();
  void TrimLogs();

  int64_t budget_;
  uint64_t min_interval_ = kMinInterval;
  uint64_t max_interval_ = uint64_t{1} << 26;
  std::deque<TRunState> copies_;
  size_t bytes_ = 0;
  size_t copy_bytes_ = 0;
  std::vector<uint64_t> micro_steps_;  // positions of the micro steps, ascending
  std::deque<std::string> answers_;    // by read number, from answers_base_
  uint64_t answers_base_ = 0;
  std::deque<TPluginResult> results_;  // by call number, from results_base_
  uint64_t results_base_ = 0;
  size_t log_bytes_ = 0;  // of answers_ and results_
};

// The exchanges of the executor with the host, kept in the history when it
// is on. A read takes a recorded answer when there is one.
void AskForAnswer(TKompilatorTS& compiler, const std::string& item, std::string& answer);
void ShowOutput(TKompilatorTS& compiler, const std::string& value, const std::string& item);
TPluginResult CallExtension(TKompilatorTS& compiler, TModuleHandle module, const std::string& function,
                            const std::vector<TValue>& arguments);
void NoteConversion(TKompilatorTS& compiler, const Trozkaz& instruction, int32_t from_base, int32_t to_base,
                    const std::string& text);

}  // namespace tessaro
