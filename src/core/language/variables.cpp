#include "core/language/variables.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <new>
#include <optional>

#include "core/i18n/language.h"
#include "core/language/compiler.h"
#include "core/language/message_format.h"
#include "core/language/text_rules.h"
#include "core/language/value_memory.h"
#include "core/language/tokens.h"
#include "core/platform/bulk_memory.h"

namespace tessaro {

// ---- cells ----

namespace {

constexpr int64_t kCellBytes = sizeof(TInstancjaZmiennej);

// The budget's count follows the lists' capacity: that is what they hold.
void CountCapacityChange(size_t before, size_t after) {
  if (after != before) CountValueBytes((static_cast<int64_t>(after) - static_cast<int64_t>(before)) * kCellBytes);
}

}  // namespace

void TInstancjaZmiennej::GrowChildren(int32_t count) {
  if (count <= ChildCount()) return;
  if (!children_) children_ = std::make_unique<std::vector<TInstancjaZmiennej>>();
  ++layout_changes_;
  const size_t before = children_->capacity();
  children_->resize(static_cast<size_t>(count));
  CountCapacityChange(before, children_->capacity());
}

void TInstancjaZmiennej::ReserveChildren(int32_t count) {
  if (count <= 0) return;
  if (!children_) children_ = std::make_unique<std::vector<TInstancjaZmiennej>>();
  ++layout_changes_;
  const size_t before = children_->capacity();
  children_->reserve(static_cast<size_t>(count));
  CountCapacityChange(before, children_->capacity());
  // A declared array is filled right away: let its pages come in one go.
  if (children_->capacity() != before) {
    PrepareBulkMemory(children_->data(), children_->capacity() * sizeof(TInstancjaZmiennej));
  }
}

void TInstancjaZmiennej::Reset() {
  Value = TValue();
  if (children_) ReleaseChildren();
}

void TInstancjaZmiennej::ReleaseChildren() {
  // Every list is emptied of its grandchildren before it is destroyed, so no
  // destructor below this one has anything left to recurse into.
  ++layout_changes_;
  std::vector<std::unique_ptr<std::vector<TInstancjaZmiennej>>> pending;
  pending.push_back(std::move(children_));
  while (!pending.empty()) {
    std::unique_ptr<std::vector<TInstancjaZmiennej>> list = std::move(pending.back());
    pending.pop_back();
    for (TInstancjaZmiennej& cell : *list) {
      if (cell.children_) pending.push_back(std::move(cell.children_));
    }
    CountCapacityChange(list->capacity(), 0);
  }
}

namespace {

bool IsVariable(const TKompilatorTS& compiler, int32_t variable) {
  return variable >= 0 && variable < static_cast<int32_t>(compiler.Variables.size());
}

std::string UpperName(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

// The budget's check before `cell` makes room for `count` children: exactly
// that many, or as a growing list does, at least twice what it had.
void CheckRoomForChildren(const TKompilatorTS& compiler, const TInstancjaZmiennej& cell, int32_t count,
                          bool exact) {
  const int64_t capacity = cell.ChildCapacity();
  if (count <= capacity) return;
  const int64_t after = exact ? count : std::max<int64_t>(count, 2 * capacity);
  CheckCellGrowth((after - capacity) * kCellBytes, compiler.CellCount, kCellBytes);
}

// Grows `cell` to `count` children, keeping the store within its limit and
// the program within its memory budget.
void GrowCell(TKompilatorTS& compiler, TInstancjaZmiennej& cell, int32_t count) {
  const int64_t added = int64_t{count} - cell.ChildCount();
  if (added <= 0) return;
  CheckRoomForChildren(compiler, cell, count, false);
  if (compiler.CellCount + added > compiler.CellLimit) throw std::bad_alloc();
  cell.GrowChildren(count);
  compiler.CellCount += added;
}

TInstancjaZmiennej& FreshNullInstance(TKompilatorTS& compiler) {
  // A caller may have written into it after an earlier error.
  compiler.NullInstance.Reset();
  return compiler.NullInstance;
}

}  // namespace

// ---- lookup and resolution ----

int32_t FindVariable(const TKompilatorTS& compiler, std::string_view name) {
  auto it = compiler.VariablesByName.find(UpperName(name));
  if (it == compiler.VariablesByName.end()) return -1;
  if (!compiler.CaseSensitive) return it->second.front();
  for (int32_t index : it->second) {
    if (compiler.Variables[static_cast<size_t>(index)].Name == name) return index;
  }
  return -1;
}

int32_t ResolveVariable(TKompilatorTS& compiler, const std::string& name, int32_t position) {
  // 1. An invalid name is reported, and resolution goes on with it.
  if (!IsValidVariableName(name)) {
    compiler.AddError(FormatText(LangText("msgcmp000031"), {name}), position);
  }
  // 2. Only the variables whose names are equal ignoring case can match; the
  // index keeps them in list order.
  std::string upper = UpperName(name);
  auto it = compiler.VariablesByName.find(upper);
  if (it != compiler.VariablesByName.end()) {
    if (!compiler.CaseSensitive) return it->second.front();
    for (int32_t index : it->second) {
      const std::string& existing = compiler.Variables[static_cast<size_t>(index)].Name;
      if (existing == name) return index;
      compiler.AddWarning(FormatText(LangText("msgcmp000032"), {name, existing}), position);
    }
  }
  // 3. Nothing matched.
  if (!compiler.AllowNewVariables) {
    compiler.AddError(FormatText(LangText("msgcmp000033"), {name}), position);
    return -1;
  }
  const int32_t index = static_cast<int32_t>(compiler.Variables.size());
  compiler.Variables.push_back(Tzmienna{name, TInstancjaZmiennej(), &compiler});
  compiler.VariablesByName[std::move(upper)].push_back(index);
  ForcedDynamicArrays forced(compiler.DynamicArrays);
  ScalarCell(compiler, index).Value = TValue();
  return index;
}

// ---- element access ----

namespace {

// One step of element access: child k of `cell`, grown when DynamicArrays is
// set. Null after an index error, which is reported and stops the run.
TInstancjaZmiennej* StepDown(TKompilatorTS& compiler, TInstancjaZmiennej& cell, int32_t k) {
  if (k < 1) {
    // Callers check indexes first; this keeps a slip from reaching memory.
    compiler.AddRunTimeError(LangText("msgcmp000006"));
    return nullptr;
  }
  if (cell.ChildCount() < k) {
    if (!compiler.DynamicArrays) {
      compiler.AddRunTimeError(LangText("msgcmp000035"));
      return nullptr;
    }
    GrowCell(compiler, cell, k);
  }
  return &cell.Child(k - 1);
}

}  // namespace

TInstancjaZmiennej& ElementAccess(TKompilatorTS& compiler, int32_t variable,
                                  std::span<const int32_t> path) {
  assert(IsVariable(compiler, variable) && "element access of a variable that does not exist");
  if (!IsVariable(compiler, variable)) return FreshNullInstance(compiler);
  TInstancjaZmiennej* cell = &compiler.Variables[static_cast<size_t>(variable)].Root;
  for (int32_t k : path) {
    cell = StepDown(compiler, *cell, k);
    if (!cell) return FreshNullInstance(compiler);
  }
  return *cell;
}

TInstancjaZmiennej& ScalarCell(TKompilatorTS& compiler, int32_t variable) {
  if (IsVariable(compiler, variable)) {
    TInstancjaZmiennej& root = compiler.Variables[static_cast<size_t>(variable)].Root;
    if (root.ChildCount() > 0) return root.Child(0);
  }
  static constexpr int32_t kElementOne[] = {1};
  return ElementAccess(compiler, variable, kElementOne);
}

bool CheckIndexes(TKompilatorTS& compiler, std::span<const int32_t> indexes) {
  if (indexes.empty()) {
    compiler.AddRunTimeError(LangText("msgcmp000005"));
    return false;
  }
  for (int32_t index : indexes) {
    if (index < 1) {
      compiler.AddRunTimeError(LangText("msgcmp000006"));
      return false;
    }
  }
  return true;
}

// ---- declaration ----

namespace {

// Visits every path inside `sizes` in odometer order, the first index
// changing fastest, and resets each cell's value. A level too small for its
// declared size grows to it at its first visit, in one step and without
// spare capacity: growing cell by cell made a large declaration cost more
// than the program that used it.
void ResetDeclaredCells(TKompilatorTS& compiler, TInstancjaZmiennej& root,
                        std::span<const int32_t> sizes) {
  std::vector<int32_t> path(sizes.size(), 1);
  for (;;) {
    TInstancjaZmiennej* cell = &root;
    for (size_t j = 0; j < path.size(); ++j) {
      if (cell->ChildCount() < path[j]) {
        CheckRoomForChildren(compiler, *cell, sizes[j], true);
        cell->ReserveChildren(sizes[j]);
        GrowCell(compiler, *cell, sizes[j]);
      }
      cell = &cell->Child(path[j] - 1);
    }
    cell->Value = TValue();
    size_t j = 0;
    while (j < path.size() && path[j] == sizes[j]) path[j++] = 1;
    if (j == path.size()) return;
    ++path[j];
  }
}

// The sizes of a dimension text: "3,4" -> {3, 4}. False when a part is not
// an integer literal.
bool ParseSizes(std::string_view text, std::vector<int32_t>& sizes) {
  for (;;) {
    const size_t comma = text.find(',');
    const TValue size = ClassifyToken(text.substr(0, comma));
    if (size.Kind() != ValueKind::Integer) return false;
    sizes.push_back(size.AsInteger());
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace

bool DeclareVariable(TKompilatorTS& compiler, int32_t variable, std::span<const int32_t> sizes) {
  ForcedDynamicArrays forced(compiler.DynamicArrays);
  if (!CheckIndexes(compiler, sizes)) return false;
  assert(IsVariable(compiler, variable) && "declaration of a variable that does not exist");
  if (!IsVariable(compiler, variable)) return false;
  ResetDeclaredCells(compiler, compiler.Variables[static_cast<size_t>(variable)].Root, sizes);
  return true;
}

bool DeclareVariable(TKompilatorTS& compiler, int32_t variable, std::string_view dimensions) {
  ForcedDynamicArrays forced(compiler.DynamicArrays);
  std::vector<int32_t> sizes;
  if (!ParseSizes(dimensions, sizes)) {
    compiler.AddRunTimeError(LangText("msgcmp000049"));
    return false;
  }
  return DeclareVariable(compiler, variable, sizes);
}

// ---- tuple assignment ----

namespace {

// The walk over a tuple text. P never shrinks: a scalar after a deeper group
// keeps the deeper path's length, so "((1,2),3)" assigns 3 to (2,1).
class TupleWalk {
 public:
  TupleWalk(TKompilatorTS& compiler, int32_t variable)
      : compiler_(compiler), chain_{&compiler.Variables[static_cast<size_t>(variable)].Root} {}

  bool Run(std::string_view text) {
    for (char c : text) {
      if (c == kQuote) {
        ++quotes_;
        token_.push_back(c);
        continue;
      }
      if (quotes_ % 2 == 1) {
        token_.push_back(c);
        continue;
      }
      if (c == '(') {
        Deeper();
      } else if (c == ')') {
        --depth_;
        if (!Separator(false)) return false;
      } else if (c == ',') {
        if (!Separator(true)) return false;
      } else {
        token_.push_back(c);
      }
    }
    // A token that no "," or ")" follows is never assigned.
    return true;
  }

 private:
  void Deeper() {
    ++depth_;
    if (static_cast<int32_t>(path_.size()) < depth_) path_.resize(static_cast<size_t>(depth_), 1);
  }

  bool Separator(bool comma) {
    if (comma && depth_ < 1) {
      compiler_.AddRunTimeError(LangText("msgcmp000029"));
      return false;
    }
    if (!token_.empty() && !AssignToken()) return false;
    if (comma) {
      SetEntry(static_cast<size_t>(depth_) - 1, path_[static_cast<size_t>(depth_) - 1] + 1);
    } else {
      // Entry depth + 1 starts again at 1 for the next group at that level.
      SetEntry(static_cast<size_t>(depth_), 1);
    }
    token_.clear();
    return true;
  }

  void SetEntry(size_t entry, int32_t value) {
    path_[entry] = value;
    // The cells below that entry lie on another path now.
    if (entry < valid_) valid_ = entry;
  }

  // The cell at P. chain_[j] is the cell after j entries of P; the ones up to
  // valid_ still match P, so only the changed end of the path is walked again.
  TInstancjaZmiennej* CellAtPath() {
    chain_.resize(path_.size() + 1);
    for (size_t j = valid_; j < path_.size(); ++j) {
      chain_[j + 1] = StepDown(compiler_, *chain_[j], path_[j]);
      if (!chain_[j + 1]) {
        valid_ = j;
        return nullptr;
      }
    }
    valid_ = path_.size();
    return chain_.back();
  }

  bool AssignToken() {
    TValue value = ClassifyToken(token_);
    if (value.IsEmpty()) {
      compiler_.AddRunTimeError(FormatText(LangText("msgcmp000030"), {token_}));
      return false;
    }
    TInstancjaZmiennej* cell = CellAtPath();
    // An index error has stopped the run: the rest of the tuple is not assigned.
    if (!cell) return false;
    cell->Value = std::move(value);
    return true;
  }

  TKompilatorTS& compiler_;
  int32_t quotes_ = 0;
  int32_t depth_ = 0;
  std::vector<int32_t> path_;
  std::vector<TInstancjaZmiennej*> chain_;
  size_t valid_ = 0;
  std::string token_;
};

// The parentheses that structure a tuple are those outside apostrophes; the
// walk needs them never to close more groups than are open.
bool UnquotedParenthesesNest(std::string_view text) {
  int32_t quotes = 0;
  int32_t depth = 0;
  for (char c : text) {
    if (c == kQuote) {
      ++quotes;
    } else if (quotes % 2 == 0) {
      if (c == '(') ++depth;
      if (c == ')' && --depth < 0) return false;
    }
  }
  return true;
}

std::string RemoveLineBreakPairs(std::string text) {
  size_t out = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    text[out++] = text[i];
  }
  text.resize(out);
  return text;
}

}  // namespace

bool TupleAssign(TKompilatorTS& compiler, int32_t variable, std::string_view text,
                 bool force_dynamic_arrays) {
  std::optional<ForcedDynamicArrays> forced;
  if (force_dynamic_arrays) forced.emplace(compiler.DynamicArrays);
  // 1. Unbalanced parentheses: nothing is assigned.
  if (!TKompilatorTS::CheckParentheses(text) || !UnquotedParenthesesNest(text)) {
    compiler.AddRunTimeError(LangText("msgcmp000022"));
    return false;
  }
  // 2. Spaces outside apostrophes and line breaks do not count.
  const std::string prepared = RemoveLineBreakPairs(RemoveSpacesOutsideQuotes(text));
  // 3.-4. The walk.
  if (!IsVariable(compiler, variable)) return false;
  return TupleWalk(compiler, variable).Run(prepared);
}

bool ReadWholeVariable(TKompilatorTS& compiler, int32_t variable, std::string_view answer) {
  std::string wrapped(answer);
  if (wrapped.empty() || wrapped.front() != '(') wrapped.insert(0, 1, '(');
  if (wrapped.back() != ')') wrapped.push_back(')');
  return TupleAssign(compiler, variable, wrapped, false);
}

// ---- rendering ----

namespace {

std::string FixedDigits(double v, int precision) {
  // to_chars ignores the process locale, which a desktop host may set; 400
  // characters hold the 309 integer digits of the largest double and more.
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, precision);
  return std::string(buffer, result.ptr);
}

// Adds one unit in the last digit of a decimal text such as "-0.0312".
void IncrementLastDigit(std::string& text) {
  for (size_t i = text.size(); i-- > 0;) {
    if (text[i] == '.') continue;
    if (text[i] == '-') {
      text.insert(i + 1, 1, '1');
      return;
    }
    if (text[i] != '9') {
      ++text[i];
      return;
    }
    text[i] = '0';
  }
  text.insert(0, 1, '1');
}

// The "0.0000" number format: four decimals, halves rounded away from zero
// (to_chars alone rounds an exact half, such as 1/32, to even), and no minus
// sign on a result that shows as zero.
std::string FourDecimals(double v) {
  std::string text = FixedDigits(v, 4);
  // 60 decimals show every digit of any double that does not render as 0.0000.
  const std::string exact = FixedDigits(v, 60);
  const size_t point = exact.find('.');
  const bool half = exact.compare(point + 5, std::string::npos, "5" + std::string(55, '0')) == 0;
  if (half && text.compare(text.size() - 4, 4, exact, point + 1, 4) == 0) IncrementLastDigit(text);
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace

std::string RenderValue(const TValue& value) {
  switch (value.Kind()) {
    case ValueKind::Empty:
      return "?";
    case ValueKind::Integer:
      return std::to_string(value.AsInteger());
    case ValueKind::Boolean:
      return value.AsBoolean() ? "True" : "0";
    case ValueKind::String:
      return value.AsString().empty() ? "0" : value.AsString();
    case ValueKind::Real: {
      const double v = value.AsReal();
      if (v == 0) return "0";
      if (std::isnan(v)) return "NAN";
      if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
      return FourDecimals(v);
    }
  }
  return "?";
}

namespace {

// Writes a cell tree without recursion: a cell with children is "(" + its
// children joined with "," + ")", any other cell its value. Stops once `out`
// holds more than `limit` characters; false then.
bool AppendCell(const TInstancjaZmiennej& root, std::string& out, size_t limit) {
  struct Frame {
    const TInstancjaZmiennej* cell;
    int32_t next;
  };
  std::vector<Frame> open;
  auto enter = [&](const TInstancjaZmiennej& cell) {
    if (cell.ChildCount() == 0) {
      const TValue& value = cell.Value;
      // A long text is not copied whole only to be cut.
      if (value.Kind() == ValueKind::String && value.AsString().size() > limit) {
        out.append(value.AsString(), 0, limit + 1);
      } else {
        out += RenderValue(value);
      }
    } else {
      out += '(';
      open.push_back(Frame{&cell, 0});
    }
  };
  enter(root);
  while (!open.empty()) {
    Frame& top = open.back();
    if (top.next == top.cell->ChildCount()) {
      out += ')';
      open.pop_back();
      continue;
    }
    if (out.size() > limit) return false;
    if (top.next > 0) out += ',';
    enter(top.cell->Child(top.next++));
  }
  return out.size() <= limit;
}

}  // namespace

std::string RenderVariable(const TKompilatorTS& compiler, int32_t variable, size_t max_length) {
  if (!IsVariable(compiler, variable)) return "";
  std::string text;
  const bool whole = AppendCell(compiler.Variables[static_cast<size_t>(variable)].Root, text, max_length);
  if (!whole) {
    text.resize(max_length);
    if (text.find(',') == std::string::npos && !text.empty()) text.erase(0, 1);
    return text + "\x85";  // an ellipsis in Windows-1250
  }
  // Without any comma, even one inside a string value, the outer pair goes.
  if (text.find(',') == std::string::npos) {
    text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
  }
  return text;
}

// ---- clearing ----

void ClearVariables(TKompilatorTS& compiler) {
  compiler.Variables.clear();
  compiler.VariablesByName.clear();
  compiler.CellCount = 0;
  compiler.FireVariableChange(-1);
}

}  // namespace tessaro
