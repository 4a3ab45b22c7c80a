// A full copy of everything a run's future and its display depend on, taken
// between two steps and put back when the run steps back.
//
// Whatever a step can change is here: the variables with their cells, the
// program counter, every instruction's step position and node values (the
// tree page shows them, and a micro step continues from them), the
// breakpoints' hit counts and last match, the error and warning lists'
// lengths, the random generator, and the history's own counters of
// exchanges with the user. The compiled program itself (instructions, trees,
// flat code) is not copied: it does not change while a run lasts.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/language/variables.h"

namespace tessaro {

class TKompilatorTS;

// The last base conversion a conversion built-in did, as the conversion
// panel shows it; not Shown while none was done in this run.
struct TConversionShown {
  bool Shown = false;
  int32_t FromBase = 0;
  int32_t ToBase = 0;
  std::string Text;
};

// What the history counts while a run goes on; part of every copy.
struct TRunCounters {
  uint64_t Reads = 0;      // reads answered so far: the next read's place among the answers
  uint64_t Exchanges = 0;  // reads and writes so far: what the console has shown
  uint64_t Calls = 0;      // extension calls so far: the next call's place among the results
  TConversionShown Conversion;
};

class TRunState {
 public:
  // Copies the compiler's run state; `counters` are the history's.
  void Capture(const TKompilatorTS& compiler, const TRunCounters& counters, uint64_t position);
  // Puts the copy back (the copy stays as it is, for later use).
  void Restore(TKompilatorTS& compiler, TRunCounters& counters) const;

  uint64_t Position() const { return position_; }
  // What the copy holds in memory, estimated from above.
  size_t Bytes() const { return bytes_; }
  const TRunCounters& Counters() const { return counters_; }

 private:
  uint64_t position_ = 0;
  size_t bytes_ = 0;
  std::vector<std::string> names_;
  std::vector<TInstancjaZmiennej> roots_;
  std::unordered_map<std::string, std::vector<int32_t>> names_by_upper_;
  int64_t cell_count_ = 0;
  int32_t current_ = 0;
  uint8_t breakpoint_hit_ = 0;
  int32_t last_break_block_ = -1;
  int32_t last_break_line_ = -1;
  std::vector<int32_t> hits_;
  size_t errors_ = 0;
  size_t warnings_ = 0;
  uint32_t run_time_errors_ = 0;
  std::vector<int32_t> step_indexes_;
  std::vector<TValue> node_values_;                         // every instruction's steps, in order
  std::vector<std::pair<uint32_t, std::string>> src_texts_;  // the non-empty answers kept in read nodes
  std::mt19937 random_;
  TRunCounters counters_;
};

// A deep copy of `from` into `to` (which is reset first), without recursion;
// returns the bytes the copy holds, estimated from above.
size_t CopyCell(const TInstancjaZmiennej& from, TInstancjaZmiennej& to);

}  // namespace tessaro
