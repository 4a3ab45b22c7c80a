// The variable store: value cells, variables, and the operations the
// compiler and the run time use on them.
//
// A variable is a tree of cells. A plain variable is its root's first child,
// an array element the cell reached by a path of 1-based indexes: t[2,5] is
// root -> child 2 -> child 5. Arrays of any number of dimensions grow on
// demand, and a cell may hold a value and children at once. The run time
// addresses variables by their index in the compiler's list, never by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/value.h"

namespace tessaro {

class TKompilatorTS;

// One value cell: 24 bytes. A cell without children (most cells of an array)
// carries only a null pointer for them.
class TInstancjaZmiennej {
 public:
  TInstancjaZmiennej() = default;
  // A moved cell keeps its list of children where it was: pointers into the
  // list stay valid.
  TInstancjaZmiennej(TInstancjaZmiennej&&) noexcept = default;
  TInstancjaZmiennej& operator=(TInstancjaZmiennej&& other) noexcept {
    if (this != &other) {
      if (children_) ReleaseChildren();
      Value = std::move(other.Value);
      children_ = std::move(other.children_);
      ++layout_changes_;
    }
    return *this;
  }
  // Released level by level, so that a deeply nested tree cannot exhaust the stack.
  ~TInstancjaZmiennej() {
    if (children_) ReleaseChildren();
  }

  TValue Value;

  int32_t ChildCount() const { return children_ ? static_cast<int32_t>(children_->size()) : 0; }
  // How many children the list holds room for.
  int64_t ChildCapacity() const { return children_ ? static_cast<int64_t>(children_->capacity()) : 0; }
  // Position p holds index p + 1.
  TInstancjaZmiennej& Child(int32_t position) { return (*children_)[static_cast<size_t>(position)]; }
  const TInstancjaZmiennej& Child(int32_t position) const {
    return (*children_)[static_cast<size_t>(position)];
  }
  // The child of index `index` (1-based), or null when there is none.
  TInstancjaZmiennej* FindChild(int32_t index) {
    return children_ && index >= 1 && static_cast<size_t>(index) <= children_->size()
               ? &(*children_)[static_cast<size_t>(index - 1)]
               : nullptr;
  }
  // The value of child 1, where a plain variable keeps its value; null when there is none.
  TValue* FirstValue() { return children_ && !children_->empty() ? &children_->front().Value : nullptr; }
  // Extends the children to exactly `count` fresh cells; never shrinks.
  void GrowChildren(int32_t count);
  // Room for `count` children without changing them.
  void ReserveChildren(int32_t count);
  // Drops the value and every child.
  void Reset();

  // Counts, on this thread, every change that may move or free a list of
  // children (growth, release, replacement). Whoever keeps pointers to cells
  // between operations compares it before using them again.
  static uint64_t LayoutChanges() { return layout_changes_; }

 private:
  void ReleaseChildren();

  std::unique_ptr<std::vector<TInstancjaZmiennej>> children_;
  static inline thread_local uint64_t layout_changes_ = 0;
};

// One variable.
struct Tzmienna {
  std::string Name;  // as first written
  TInstancjaZmiennej Root;
  TKompilatorTS* Owner = nullptr;
};

// The most cells all variables of one compiler object may hold together
// (its CellLimit; about 1.6 GB). Growing past it fails like an exhausted memory (std::bad_alloc, which the
// run time's fault guard reports) instead of taking the machine's memory.
constexpr int64_t kMaxCells = int64_t{1} << 26;

// The index of the variable named `name`, or -1. Names compare exactly when
// CaseSensitive is set, else ignoring letter case; the first match wins.
int32_t FindVariable(const TKompilatorTS& compiler, std::string_view name);

// The compiler's name binding at instruction `position`: the index of the
// variable `name`, created (with its Empty element 1) when new variables are
// allowed. Reports an invalid name, a name that differs from an existing one
// only in letter case (a warning, while CaseSensitive is set) and, when
// creation is not allowed, an unknown name (then -1).
int32_t ResolveVariable(TKompilatorTS& compiler, const std::string& name, int32_t position);

// The cell of `variable` at `path` (1-based indexes). Missing cells are
// created while DynamicArrays is set; otherwise a path beyond the array is a
// run-time error that stops the run and yields NullInstance (reset to Empty).
TInstancjaZmiennej& ElementAccess(TKompilatorTS& compiler, int32_t variable,
                                  std::span<const int32_t> path);

// The cell of a plain variable: its element 1.
TInstancjaZmiennej& ScalarCell(TKompilatorTS& compiler, int32_t variable);

// The index or size check before an element access or a declaration: an
// empty list and an entry below 1 are run-time errors that stop the run.
bool CheckIndexes(TKompilatorTS& compiler, std::span<const int32_t> indexes);

// `dim`: resets every cell inside the given sizes to Empty, creating the
// missing ones; cells outside stay as they are. The sizes are checked first.
bool DeclareVariable(TKompilatorTS& compiler, int32_t variable, std::span<const int32_t> sizes);
// The same from the dimension text of a declaration ("3,4"; "$1F" and "0x1F"
// are hexadecimal). A part that is not a number is a run-time error.
bool DeclareVariable(TKompilatorTS& compiler, int32_t variable, std::string_view dimensions);

// Assigns the literals of a tuple such as "((1,2),(3,'a'))" to the elements
// of `variable`; `set` forces DynamicArrays on for it. Returns false after a
// run-time error; elements assigned before the error keep their values.
bool TupleAssign(TKompilatorTS& compiler, int32_t variable, std::string_view text,
                 bool force_dynamic_arrays);

// `read` into a whole variable: the answer, put in parentheses when it lacks
// them, assigned as a tuple with DynamicArrays as the user set it.
bool ReadWholeVariable(TKompilatorTS& compiler, int32_t variable, std::string_view answer);

// The text of a variable as `write`, the variable list and hints show it:
// "5", "?", "(1,2,3)", "((1,2),(3,4))". A text longer than `max_length` is
// cut there and ends in an ellipsis: the variable list and hints show a
// glimpse of a large array or text at the cost of that glimpse only.
std::string RenderVariable(const TKompilatorTS& compiler, int32_t variable, size_t max_length = SIZE_MAX - 2);
// The text of one cell value: "?" for Empty, "0" for the values equal to
// Empty, reals with four decimals.
std::string RenderValue(const TValue& value);

// Destroys every variable and tells the owner that the whole list changed.
void ClearVariables(TKompilatorTS& compiler);

// Sets DynamicArrays on for its lifetime and puts the previous value back on
// every way out, exceptions included.
class ForcedDynamicArrays {
 public:
  explicit ForcedDynamicArrays(uint8_t& setting) : setting_(setting), saved_(setting) { setting = 1; }
  ~ForcedDynamicArrays() { setting_ = saved_; }
  ForcedDynamicArrays(const ForcedDynamicArrays&) = delete;
  ForcedDynamicArrays& operator=(const ForcedDynamicArrays&) = delete;

 private:
  uint8_t& setting_;
  uint8_t saved_;
};

}  // namespace tessaro
