#include "core/runtime/run_history.h"

#include <algorithm>
#include <functional>

#include "core/language/compiler.h"
#include "core/runtime/run_control.h"

namespace tessaro {

namespace {

// A step back that re-executes more steps than this leaves a copy half way,
// so that the next step back re-executes half as many.
constexpr uint64_t kHalfwayCopy = 1024;


int32_t BlockOf(const TKompilatorTS& c, int32_t instruction) {
  return c.HasInstruction(instruction) ? c.Instructions[static_cast<size_t>(instruction)].BlockIndex : -1;
}

}  // namespace

// ---- the record ----

// Copying a byte of cells into fresh memory costs about as much as half a
// step of a continuous run (more on a virtual machine, whose page faults are
// dear), so an interval of eight steps a byte keeps copying to a few per
// cent of a run's time; re-executing that many steps for a step back takes
// a fraction of a second even for large arrays.
uint64_t TRunHistory::Interval(size_t bytes) const {
  return std::clamp<uint64_t>(uint64_t{bytes} * 8, min_interval_, std::max(min_interval_, max_interval_));
}

namespace {

size_t AnswerBytes(const std::string& answer) { return sizeof(std::string) + answer.capacity(); }
size_t ResultBytes(const TPluginResult& result) {
  return sizeof(TPluginResult) + result.error.capacity() +
         (result.value.Kind() == ValueKind::String ? result.value.AsString().capacity() + 32 : 0);
}

// What a copy of the compiler's state would hold, without making it: the
// cells, the node values and the fixed part.
size_t EstimatedBytes(const TKompilatorTS& c) {
  size_t bytes = sizeof(TRunState) + static_cast<size_t>(std::max<int64_t>(c.CellCount, 0)) * sizeof(TInstancjaZmiennej);
  for (const Trozkaz& instruction : c.Instructions) bytes += instruction.Steps.size() * sizeof(TValue);
  return bytes;
}

}  // namespace

void TRunHistory::SetBudget(int64_t budget) {
  budget_ = budget;
  Enforce();
}

void TRunHistory::Reset() {
  copies_.clear();
  copy_bytes_ = 0;
  bytes_ = 0;
  micro_steps_.clear();
  answers_.clear();
  answers_base_ = 0;
  results_.clear();
  results_base_ = 0;
  log_bytes_ = 0;
  counters_ = TRunCounters{};
}

uint64_t TRunHistory::Checkpoint(const TKompilatorTS& compiler, uint64_t position) {
  if (!forced_ && !spare_ && !copies_.empty()) {
    const uint64_t ready = copies_.back().Position() + Interval(EstimatedBytes(compiler));
    if (position < ready) return ready;
  }
  forced_ = false;
  while (!copies_.empty() && copies_.back().Position() >= position) {
    copy_bytes_ -= copies_.back().Bytes();
    copies_.pop_back();
  }
  copies_.emplace_back();
  copies_.back().Capture(compiler, counters_, position);
  const size_t bytes = copies_.back().Bytes();
  if (spare_ && bytes_ + bytes > static_cast<size_t>(std::max<int64_t>(budget_, 0))) {
    copies_.pop_back();
    return kNoCheckpoint;
  }
  copy_bytes_ += bytes;
  Enforce();
  return position + Interval(bytes);
}

void TRunHistory::NoteMicroStep(uint64_t position) {
  if (micro_steps_.empty() || micro_steps_.back() < position) micro_steps_.push_back(position);
  Enforce();
}

bool TRunHistory::IsMicroStep(uint64_t position) const {
  return std::binary_search(micro_steps_.begin(), micro_steps_.end(), position);
}

bool TRunHistory::RecordedAnswer(std::string& answer) const {
  if (counters_.Reads < answers_base_ || counters_.Reads - answers_base_ >= answers_.size()) return false;
  answer = answers_[static_cast<size_t>(counters_.Reads - answers_base_)];
  return true;
}

void TRunHistory::RecordAnswer(const std::string& answer) {
  if (counters_.Reads < answers_base_) return;
  const uint64_t at = counters_.Reads - answers_base_;
  while (answers_.size() > at) {
    log_bytes_ -= AnswerBytes(answers_.back());
    answers_.pop_back();
  }
  answers_.push_back(answer);
  log_bytes_ += AnswerBytes(answer);
  Enforce();
}

bool TRunHistory::RecordedResult(TPluginResult& result) const {
  if (counters_.Calls < results_base_ || counters_.Calls - results_base_ >= results_.size()) return false;
  result = results_[static_cast<size_t>(counters_.Calls - results_base_)];
  return true;
}

void TRunHistory::RecordResult(const TPluginResult& result) {
  if (counters_.Calls < results_base_) return;
  const uint64_t at = counters_.Calls - results_base_;
  while (results_.size() > at) {
    log_bytes_ -= ResultBytes(results_.back());
    results_.pop_back();
  }
  results_.push_back(result);
  log_bytes_ += ResultBytes(result);
  Enforce();
}

size_t TRunHistory::CopyIndexAtOrBefore(uint64_t position) const {
  auto after = std::upper_bound(copies_.begin(), copies_.end(), position,
                                [](uint64_t p, const TRunState& copy) { return p < copy.Position(); });
  return after == copies_.begin() ? copies_.size() : static_cast<size_t>(after - copies_.begin()) - 1;
}

const TRunState* TRunHistory::CopyAtOrBefore(uint64_t position) const {
  const size_t index = CopyIndexAtOrBefore(position);
  return index < copies_.size() ? &copies_[index] : nullptr;
}

void TRunHistory::CutAfter(uint64_t position) {
  while (!copies_.empty() && copies_.back().Position() > position) {
    copy_bytes_ -= copies_.back().Bytes();
    copies_.pop_back();
  }
  micro_steps_.erase(std::lower_bound(micro_steps_.begin(), micro_steps_.end(), position), micro_steps_.end());
  Enforce();
}

// The oldest copies go first; what only they needed goes with them.
void TRunHistory::Enforce() {
  auto logs = [this] { return micro_steps_.capacity() * sizeof(uint64_t) + log_bytes_; };
  bytes_ = copy_bytes_ + logs();
  if (bytes_ <= static_cast<size_t>(std::max<int64_t>(budget_, 0))) return;
  while (!copies_.empty() && bytes_ > static_cast<size_t>(std::max<int64_t>(budget_, 0))) {
    copy_bytes_ -= copies_.front().Bytes();
    copies_.pop_front();
    TrimLogs();
    bytes_ = copy_bytes_ + logs();
  }
  if (copies_.empty()) TrimLogs();
}

void TRunHistory::TrimLogs() {
  if (copies_.empty()) {
    micro_steps_.clear();
    micro_steps_.shrink_to_fit();
    answers_base_ = counters_.Reads;
    answers_.clear();
    results_base_ = counters_.Calls;
    results_.clear();
    log_bytes_ = 0;
    return;
  }
  const TRunState& oldest = copies_.front();
  micro_steps_.erase(micro_steps_.begin(),
                     std::lower_bound(micro_steps_.begin(), micro_steps_.end(), oldest.Position()));
  while (answers_base_ < oldest.Counters().Reads && !answers_.empty()) {
    log_bytes_ -= AnswerBytes(answers_.front());
    answers_.pop_front();
    ++answers_base_;
  }
  while (results_base_ < oldest.Counters().Calls && !results_.empty()) {
    log_bytes_ -= ResultBytes(results_.front());
    results_.pop_front();
    ++results_base_;
  }
}

namespace {

// While the history re-executes steps, the host hears nothing: its events
// are put aside, and the exchanges take what was recorded.
class HistoryReplay {
 public:
  explicit HistoryReplay(TKompilatorTS& c) : c_(c) {
    Park(c_.OnStateChange, state_);
    Park(c_.OnVariableChange, variable_);
    Park(c_.OnStep, step_);
    Park(c_.OnConversion, conversion_);
    Park(c_.OnReplayedInput, replayed_);
    c_.History->replaying_ = true;
  }
  ~HistoryReplay() {
    c_.OnStateChange = std::move(state_);
    c_.OnVariableChange = std::move(variable_);
    c_.OnStep = std::move(step_);
    c_.OnConversion = std::move(conversion_);
    c_.OnReplayedInput = std::move(replayed_);
    if (c_.History) c_.History->replaying_ = false;
  }
  HistoryReplay(const HistoryReplay&) = delete;
  HistoryReplay& operator=(const HistoryReplay&) = delete;

 private:
  template <typename Event>
  static void Park(Event& event, Event& kept) {
    kept = std::move(event);
    event = nullptr;
  }

  TKompilatorTS& c_;
  TKompilatorTS::ByteEvent state_;
  TKompilatorTS::VariableEvent variable_;
  TKompilatorTS::ByteEvent step_;
  TKompilatorTS::ConversionEvent conversion_;
  TKompilatorTS::ReplayedInputEvent replayed_;
};

}  // namespace

namespace {

// The history, forgotten first when it describes a program that is gone.
TRunHistory* CurrentHistory(TKompilatorTS& c) {
  TRunHistory* h = c.History.get();
  if (h && h->generation_ != c.ProgramGeneration) {
    h->Reset();
    h->generation_ = c.ProgramGeneration;
    c.CheckpointDue = c.StepPosition;
  }
  return h;
}

bool IsCurrent(const TKompilatorTS& c) { return c.History && c.History->generation_ == c.ProgramGeneration; }

}  // namespace

// ---- the exchanges of the executor ----

void AskForAnswer(TKompilatorTS& c, const std::string& item, std::string& answer) {
  TRunHistory* h = CurrentHistory(c);
  if (!h) {
    c.OnInputOutput(c, "", item, 0, answer);
    return;
  }
  if (h->RecordedAnswer(answer)) {
    ++h->counters_.Reads;
    ++h->counters_.Exchanges;
    if (!h->replaying_ && c.OnReplayedInput) c.OnReplayedInput(c, item, answer);
    return;
  }
  // A replay covers answered reads only; this is a safety net.
  if (h->replaying_) {
    answer.clear();
    return;
  }
  const int32_t current = c.Current;
  c.OnInputOutput(c, "", item, 0, answer);
  h = CurrentHistory(c);  // the handler may have turned the history off
  if (!h) return;
  ++h->counters_.Exchanges;
  // An answer that ended the run (an empty one, a cancelled dialog) is not
  // kept: going back and on again asks anew.
  if (c.Current != current) return;
  h->RecordAnswer(answer);
  ++h->counters_.Reads;
}

void ShowOutput(TKompilatorTS& c, const std::string& value, const std::string& item) {
  if (TRunHistory* h = CurrentHistory(c)) {
    ++h->counters_.Exchanges;
    if (h->replaying_) return;
  }
  std::string answer;
  c.OnInputOutput(c, value, item, 1, answer);
}

TPluginResult CallExtension(TKompilatorTS& c, TModuleHandle module, const std::string& function,
                            const std::vector<TValue>& arguments) {
  TRunHistory* h = CurrentHistory(c);
  TPluginResult result;
  if (h && h->RecordedResult(result)) {
    ++h->counters_.Calls;
    return result;
  }
  result = CallPluginFunction(module, function, arguments);
  if ((h = CurrentHistory(c))) {
    h->RecordResult(result);
    ++h->counters_.Calls;
  }
  return result;
}

void NoteConversion(TKompilatorTS& c, const Trozkaz& instruction, int32_t from_base, int32_t to_base,
                    const std::string& text) {
  if (TRunHistory* h = CurrentHistory(c)) h->counters_.Conversion = TConversionShown{true, from_base, to_base, text};
  if (c.OnConversion) c.OnConversion(instruction, from_base, to_base, text);
}

// ---- the compiler's side ----


void TKompilatorTS::TakeCheckpoint() {
  TRunHistory* h = CurrentHistory(*this);
  CheckpointDue = h ? h->Checkpoint(*this, StepPosition) : kNoCheckpoint;
}

void TKompilatorTS::SetHistoryBudget(int64_t bytes) {
  if (bytes <= 0) {
    History.reset();
    CheckpointDue = kNoCheckpoint;
    return;
  }
  if (History) {
    History->SetBudget(bytes);
    return;
  }
  History = {new TRunHistory(bytes), [](TRunHistory* h) { delete h; }};
  History->generation_ = ProgramGeneration;
  CheckpointDue = StepPosition;
}

void TKompilatorTS::ClearHistory() {
  if (!History) return;
  History->Reset();
  History->generation_ = ProgramGeneration;
  CheckpointDue = StepPosition;
}

void TKompilatorTS::NoteOutsideChange() {
  if (!CurrentHistory(*this) || History->replaying_) return;
  History->forced_ = true;
  CheckpointDue = std::min(CheckpointDue, StepPosition);
}

bool TKompilatorTS::CanStepBack() const {
  return IsCurrent(*this) && !History->replaying_ && !Running && ExecutionDepth == 0 && History->HasCopies() &&
         History->Horizon() < StepPosition;
}

uint64_t TKompilatorTS::HistoryReach() const {
  return IsCurrent(*this) && History->HasCopies() && History->Horizon() < StepPosition ? StepPosition - History->Horizon()
                                                                               : 0;
}

uint64_t TKompilatorTS::Exchanges() const { return IsCurrent(*this) ? History->Counters().Exchanges : 0; }

void TKompilatorTS::BeginMicroStep() {
  BeginStep();
  if (TRunHistory* h = CurrentHistory(*this); h && !h->replaying_) h->NoteMicroStep(StepPosition - 1);
}

namespace {

// After the step that began at `from` and ended with the run at position
// `position`: whether that position starts an instruction (an instruction
// step, or a micro step that moved on) or a block (one that moved into
// another block, or ended the run).
bool IsBoundary(const TKompilatorTS& c, StepSize size, bool micro, int32_t from) {
  const bool instruction = !micro || !c.HasInstruction(c.Current) ||
                           c.Instructions[static_cast<size_t>(c.Current)].StepIndex == 0;
  if (size != StepSize::Block) return instruction;
  return instruction && BlockOf(c, c.Current) != BlockOf(c, from);
}

// Restores `copy` and re-executes up to `end`, silently, taking a copy at
// `due`; `each` hears of every step: the position it ended at, whether it
// was a micro step and the instruction it began at. False when the steps
// did not go as recorded.
bool ReplayTo(TKompilatorTS& c, const TRunState& copy, uint64_t end, uint64_t due,
              const std::function<void(uint64_t, bool, int32_t)>& each) {
  TRunHistory& h = *c.History;
  HistoryReplay quiet(c);
  copy.Restore(c, h.counters_);
  c.StepPosition = copy.Position();
  c.CheckpointDue = due;
  c.Running = 0;
  c.StopRequest = kNoStopRequest;
  while (c.StepPosition < end) {
    const uint64_t at = c.StepPosition;
    const int32_t from = c.Current;
    const bool micro = h.IsMicroStep(at);
    if (micro) {
      c.MicroStep();
    } else {
      c.InstructionStep();
    }
    if (!c.History || c.StepPosition != at + 1) return false;
    if (each) each(c.StepPosition, micro, from);
  }
  return true;
}

// The position a step back of `size` goes to: the latest before now that
// starts a step of that size; kNoCheckpoint when the steps went otherwise.
uint64_t StepBackTarget(TKompilatorTS& c, StepSize size) {
  const uint64_t last = c.StepPosition - 1;  // the latest position before now
  if (size == StepSize::Micro) return last;
  TRunHistory& h = *c.History;
  // From the latest copy backwards, each copy re-executes up to the next one.
  const std::deque<TRunState>& copies = h.Copies();
  size_t index = h.CopyIndexAtOrBefore(last);
  if (index >= copies.size()) return kNoCheckpoint;
  for (;;) {
    const TRunState& copy = copies[index];
    const uint64_t end =
        index + 1 < copies.size() && copies[index + 1].Position() <= last ? copies[index + 1].Position() : last;
    uint64_t found = kNoCheckpoint;
    const bool ok = ReplayTo(c, copy, end, kNoCheckpoint, [&](uint64_t position, bool micro, int32_t from) {
      if (IsBoundary(c, size, micro, from)) found = position;
    });
    if (!ok) return kNoCheckpoint;
    if (found != kNoCheckpoint) return found;
    // The run's start, or the oldest moment kept, is as far as a step back goes.
    if (index == 0) return copy.Position();
    --index;
  }
}

}  // namespace

bool TKompilatorTS::StepBack(StepSize size) {
  if (!CanStepBack()) return false;
  TRunHistory& h = *History;
  const uint64_t target = StepBackTarget(*this, size);
  bool ok = target != kNoCheckpoint;
  if (ok) {
    h.CutAfter(target);
    const TRunState* copy = h.CopyAtOrBefore(target);
    ok = copy != nullptr;
    if (ok) {
      const uint64_t distance = target - copy->Position();
      h.spare_ = true;
      ok = ReplayTo(*this, *copy, target, distance > kHalfwayCopy ? copy->Position() + distance / 2 : kNoCheckpoint, nullptr);
      h.spare_ = false;
    }
  }
  if (!ok) {
    // The steps did not go as recorded (the breakpoints' conditions read
    // something else now, say): the history cannot be trusted any more.
    ClearHistory();
    return false;
  }
  // A copy taken inside a continuous run may hold the instruction's walk at
  // its end; the run, stopped here, had restarted it.
  if (target == 0 || !h.IsMicroStep(target - 1)) RestartCurrentWalk(*this);
  // The next copy is due as if the run had come here forwards.
  CheckpointDue = StepPosition;
  if (h.HasCopies()) {
    const TRunState& back = h.Copies().back();
    CheckpointDue = std::max(StepPosition, back.Position() + h.Interval(back.Bytes()));
  }
  ClearSelections();
  FireStateChange(kStatePaused);
  FireVariableChange(-1);
  FireStep(kStepBack);
  return true;
}

}  // namespace tessaro
