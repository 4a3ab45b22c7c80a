#include "core/runtime/run_state.h"

#include <cassert>

#include "core/language/compiler.h"
#include "core/runtime/builtin_calls.h"

namespace tessaro {

namespace {

// The heap a value keeps alive beside its own 16 bytes. Texts are shared
// between copies, so this counts a text once per copy: an estimate from above.
size_t ValueBytes(const TValue& value) {
  return value.Kind() == ValueKind::String ? value.AsString().capacity() + 32 : 0;
}

bool IsInner(const TwrTree& node) { return node.LeftNode || node.RightNode; }

}  // namespace

size_t CopyCell(const TInstancjaZmiennej& from, TInstancjaZmiennej& to) {
  to.Reset();
  size_t bytes = 0;
  // Pairs of cells still to copy; deep trees must not recurse.
  std::vector<std::pair<const TInstancjaZmiennej*, TInstancjaZmiennej*>> pending{{&from, &to}};
  while (!pending.empty()) {
    const auto [source, target] = pending.back();
    pending.pop_back();
    target->Value = source->Value;
    bytes += ValueBytes(source->Value);
    const int32_t count = source->ChildCount();
    if (count == 0) continue;
    target->GrowChildren(count);
    bytes += sizeof(std::vector<TInstancjaZmiennej>) + 16 + size_t(count) * sizeof(TInstancjaZmiennej);
    for (int32_t k = 0; k < count; ++k) pending.emplace_back(&source->Child(k), &target->Child(k));
  }
  return bytes;
}

void TRunState::Capture(const TKompilatorTS& c, const TRunCounters& counters, uint64_t position) {
  position_ = position;
  bytes_ = sizeof(TRunState);
  names_.clear();
  roots_.clear();
  roots_.resize(c.Variables.size());
  names_.reserve(c.Variables.size());
  for (size_t v = 0; v < c.Variables.size(); ++v) {
    names_.push_back(c.Variables[v].Name);
    bytes_ += CopyCell(c.Variables[v].Root, roots_[v]) + sizeof(TInstancjaZmiennej) + names_.back().capacity() + 32;
  }
  names_by_upper_ = c.VariablesByName;
  bytes_ += names_by_upper_.size() * 96;
  cell_count_ = c.CellCount;
  current_ = c.Current;
  breakpoint_hit_ = c.BreakpointHit;
  last_break_block_ = c.LastBreakBlock;
  last_break_line_ = c.LastBreakLine;
  hits_.clear();
  if (const TBreakPointArray* list = c.ActiveBreakpoints()) {
    for (const TBreakPoint& bp : *list) hits_.push_back(bp.Hits);
  }
  bytes_ += hits_.size() * sizeof(int32_t);
  errors_ = c.Errors.size();
  warnings_ = c.Warnings.size();
  run_time_errors_ = c.RunTimeErrorCount;
  step_indexes_.clear();
  node_values_.clear();
  src_texts_.clear();
  step_indexes_.reserve(c.Instructions.size());
  uint32_t node = 0;
  for (const Trozkaz& instruction : c.Instructions) {
    step_indexes_.push_back(instruction.StepIndex);
    for (const TwrTree* step : instruction.Steps) {
      node_values_.push_back(step->NodeValue);
      bytes_ += ValueBytes(step->NodeValue);
      if (IsInner(*step) && !step->SrcText.empty()) {
        src_texts_.emplace_back(node, step->SrcText);
        bytes_ += step->SrcText.capacity() + 40;
      }
      ++node;
    }
  }
  bytes_ += step_indexes_.size() * sizeof(int32_t) + node_values_.size() * sizeof(TValue);
  random_ = RandomGenerator();
  counters_ = counters;
  bytes_ += counters_.Conversion.Text.capacity();
}

void TRunState::Restore(TKompilatorTS& c, TRunCounters& counters) const {
  assert(step_indexes_.size() == c.Instructions.size() && "a run state belongs to the program it was taken of");
  c.Variables.resize(roots_.size());
  for (size_t v = 0; v < roots_.size(); ++v) {
    Tzmienna& variable = c.Variables[v];
    variable.Name = names_[v];
    variable.Owner = &c;
    CopyCell(roots_[v], variable.Root);
  }
  c.VariablesByName = names_by_upper_;
  c.CellCount = cell_count_;
  c.FastCells.Valid = false;
  c.Current = current_;
  c.BreakpointHit = breakpoint_hit_;
  c.LastBreakBlock = last_break_block_;
  c.LastBreakLine = last_break_line_;
  // Breakpoints are matched by their place in the list; one set since has no count to go back to.
  if (TBreakPointArray* list = c.ActiveBreakpoints()) {
    for (size_t k = 0; k < list->size(); ++k) (*list)[k].Hits = k < hits_.size() ? hits_[k] : 0;
  }
  if (c.Errors.size() > errors_) c.Errors.resize(errors_);
  if (c.Warnings.size() > warnings_) c.Warnings.resize(warnings_);
  c.RunTimeErrorCount = run_time_errors_;
  size_t node = 0;
  size_t next_text = 0;
  for (size_t k = 0; k < c.Instructions.size(); ++k) {
    Trozkaz& instruction = c.Instructions[k];
    instruction.StepIndex = step_indexes_[k];
    for (TwrTree* step : instruction.Steps) {
      step->NodeValue = node_values_[node];
      if (IsInner(*step)) {
        if (next_text < src_texts_.size() && src_texts_[next_text].first == node) {
          step->SrcText = src_texts_[next_text++].second;
        } else {
          step->SrcText.clear();
        }
      }
      ++node;
    }
  }
  RandomGenerator() = random_;
  counters = counters_;
}

}  // namespace tessaro
