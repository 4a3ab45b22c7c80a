// The Free Pascal printer. Values are the prelude's TValue, whose overloaded
// operators compute as the interpreter does, so «s := s * i» stays as it is.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "core/codegen/code_lines.h"
#include "core/codegen/for_loops.h"
#include "core/codegen/pascal_prelude.h"
#include "core/codegen/printer.h"
#include "core/codegen/variable_use.h"
#include "core/language/builtin_functions.h"
#include "core/language/compiler.h"
#include "core/language/text_rules.h"
#include "core/language/tokens.h"
#include "core/runtime/builtin_calls.h"
#include "core/runtime/value_ops.h"

namespace tessaro::codegen {

// Named per language: the other languages' printers use the same names.
namespace pascal_printer {
namespace {

constexpr std::string_view kKeywords[] = {
    "and", "array", "as", "asm", "begin", "case", "class", "const", "constructor", "destructor", "div", "do",
    "downto", "else", "end", "except", "exports", "file", "finalization", "finally", "for", "function", "goto",
    "if", "implementation", "in", "inherited", "initialization", "inline", "interface", "is", "label",
    "library", "mod", "nil", "not", "object", "of", "on", "operator", "or", "out", "packed", "procedure",
    "program", "property", "raise", "record", "reintroduce", "repeat", "resourcestring", "self", "set",
    "shl", "shr", "string", "then", "threadvar", "to", "try", "type", "unit", "until", "uses", "var",
    "while", "with", "xor", "absolute", "abstract", "alias", "assembler", "cdecl", "default", "export",
    "external", "forward", "index", "name", "override", "overload", "private", "protected", "public",
    "published", "read", "register", "stdcall", "virtual", "write", "specialize", "generic", "helper"};

// Pascal's binding strengths, loosest first.
enum Precedence : int {
  kRelation = 1,
  kSum = 2,
  kProduct = 3,
  kUnary = 4,
  kAtom = 20,
};

struct PExpr {
  std::string text;
  int precedence = kAtom;
  bool literal = false;  // a bare Pascal literal, not yet a TValue
  Natural type = Natural::None;  // LongInt, Double, AnsiString or Boolean instead of a TValue
};

bool IsNumber(Natural n) { return n == Natural::Integer || n == Natural::Real; }

std::string_view NaturalType(Natural n) {
  switch (n) {
    case Natural::Integer: return "LongInt";
    case Natural::Real: return "Double";
    case Natural::Text: return "AnsiString";
    case Natural::Boolean: return "Boolean";
    default: return "TValue";
  }
}

std::string PascalString(const std::string& s) {
  std::string out;
  bool open = false;
  for (char c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      if (open) out += '\'';
      open = false;
      out += "#" + std::to_string(u);
      continue;
    }
    if (!open) out += '\'';
    open = true;
    out += c;
    if (c == '\'') out += '\'';
  }
  if (open) out += '\'';
  return out.empty() ? "''" : out;
}

std::string RealLiteral(double v) {
  char buf[40];
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  std::string s(buf);
  if (s.find_first_of(".en") == std::string::npos) s += ".0";
  return s;
}

class PascalPrinter {
 public:
  PascalPrinter(const PrintJob& job, ExportResult& result)
      : p_(job.Program), tree_(job.Tree), options_(job.Options), types_(job.Types), result_(result) {
    std::vector<std::string_view> reserved(std::begin(kKeywords), std::end(kKeywords));
    for (std::string_view n : PascalPreludeNames()) reserved.push_back(n);
    use_ = AnalyseVariables(p_, reserved, true);
    std::vector<std::string> taken;
    for (int32_t f = 0; f < tree_.FlagCount; ++f) flags_.push_back(FreshName("leave" + std::to_string(f + 1), use_, reserved, taken));
    if (tree_.UsesState) state_ = FreshName("state", use_, reserved, taken);
    used_.assign(p_.Variables.size(), 0);
  }

  void Print() {
    CodeLines body;
    Statements(tree_.Body, 1, body);
    CodeLines out;
    out.Add(0, "{ " + (options_.Title.empty() ? std::string("Program") : options_.Title) +
                   ": exported from a Tessaro flowchart.");
    out.Add(0, "  Values, arithmetic, read and write follow the flowchart interpreter (prelude below).");
    if (!use_.Renamed.empty()) {
      std::string list;
      for (const std::string& r : use_.Renamed) list += (list.empty() ? "" : ", ") + r;
      out.Add(0, "  Renamed where a name is reserved in Pascal: " + list + ".");
    }
    out.AppendComment(out.Size() - 1, " }");
    out.Add(0, "program " + ProgramName() + ";");
    out.Blank();
    out.Add(0, "{$mode objfpc}{$H+}");
    out.Blank();
    out.AddText(PascalPrelude(std::vector<std::string>(sections_.begin(), sections_.end())));
    out.Blank();
    std::string plain;
    for (size_t v = 0; v < used_.size(); ++v) {
      if (used_[v] && !use_.HasElements[v] && types_.OfVariable(static_cast<int32_t>(v)) == Natural::None) {
        plain += (plain.empty() ? "" : ", ") + use_.Names[v];
      }
    }
    // Variables of one kind are Main's own, of Pascal's types: each is
    // assigned before it is read, and a for loop's counter must be local.
    std::vector<std::string> locals;
    for (Natural kind : {Natural::Integer, Natural::Real, Natural::Text, Natural::Boolean}) {
      std::string list;
      for (size_t v = 0; v < used_.size(); ++v) {
        if (used_[v] && !use_.HasElements[v] && types_.OfVariable(static_cast<int32_t>(v)) == kind) {
          list += (list.empty() ? "" : ", ") + use_.Names[v];
        }
      }
      if (!list.empty()) locals.push_back(list + ": " + std::string(NaturalType(kind)) + ";");
    }
    bool arrays = false;
    for (size_t v = 0; v < used_.size(); ++v) arrays = arrays || (used_[v] && use_.HasElements[v]);
    if (!plain.empty() || arrays) {
      out.Add(0, "var");
      if (!plain.empty()) out.Add(1, plain + ": TValue;  { every variable starts empty }");
      for (size_t v = 0; v < used_.size(); ++v) {
        if (used_[v] && use_.HasElements[v]) out.Add(1, use_.Names[v] + ": TArr;");
      }
      out.Blank();
    }
    out.Add(0, "procedure Main;");
    if (!flags_.empty() || !state_.empty() || !locals.empty()) {
      out.Add(0, "var");
      for (const std::string& l : locals) out.Add(1, l);
      if (!flags_.empty()) {
        std::string list;
        for (const std::string& f : flags_) list += (list.empty() ? "" : ", ") + f;
        out.Add(1, list + ": Boolean;");
      }
      if (!state_.empty()) out.Add(1, state_ + ": LongInt;");
    }
    out.Add(0, "begin");
    for (size_t v = 0; v < used_.size(); ++v) {
      if (used_[v] && use_.HasElements[v]) out.Add(1, use_.Names[v] + " := TArr.Create;");
    }
    out.Append(body);
    out.Add(0, "end;");
    out.Blank();
    out.Add(0, "begin");
    out.Add(1, "Halt(RunProgram(@Main));");
    out.Add(0, "end.");
    result_.Text = out.Text();
    result_.Lines = out.Origins();
    result_.MoreOrigins = out.MoreOrigins();
  }

  std::string ProgramName() const {
    std::string name = options_.ProgramName;
    bool valid = !name.empty() && !(name[0] >= '0' && name[0] <= '9');
    for (char c : name) valid = valid && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
    for (const std::string& v : use_.Names) valid = valid && !EqualsIgnoringCase(v, name);
    for (std::string_view r : PascalPreludeNames()) valid = valid && !EqualsIgnoringCase(r, name);
    for (std::string_view r : kKeywords) valid = valid && !EqualsIgnoringCase(r, name);
    return valid ? name : "Flowchart";
  }


 private:
  // ---- statements ----

  void Statements(const std::vector<Stmt>& seq, int depth, CodeLines& out) {
    for (const Stmt& s : seq) Statement(s, depth, out);
  }

  void Statement(const Stmt& s, int depth, CodeLines& out) {
    switch (s.Kind) {
      case StmtKind::Instruction: Instruction(s.Instruction, depth, out); return;
      case StmtKind::SetState: out.Add(depth, state_ + " := " + std::to_string(s.Value) + ";"); return;
      case StmtKind::SetFlag:
        out.Add(depth, flags_[static_cast<size_t>(s.Value)] + (s.FlagValue ? " := True;" : " := False;"));
        return;
      case StmtKind::Break: out.Add(depth, "Break;"); return;
      case StmtKind::Continue: out.Add(depth, "Continue;"); return;
      case StmtKind::Return: out.Add(depth, "Exit;"); return;
      case StmtKind::If: {
        const Stmt* at = &s;
        std::string keyword = "if ";
        for (;;) {
          out.Add(depth, Header(keyword, at->Cond, " then"), Origin(at->Cond));
          out.Add(depth, "begin");
          Statements(at->Body, depth + 1, out);
          if (at->Otherwise.size() == 1 && at->Otherwise[0].Kind == StmtKind::If) {
            out.Add(depth, "end");
            at = &at->Otherwise[0];
            keyword = "else if ";
            continue;
          }
          if (!at->Otherwise.empty()) {
            out.Add(depth, "end");
            out.Add(depth, "else");
            out.Add(depth, "begin");
            Statements(at->Otherwise, depth + 1, out);
          }
          out.Add(depth, "end;");
          return;
        }
      }
      case StmtKind::Loop:
        switch (s.Form) {
          case LoopForm::Forever:
            out.Add(depth, "while True do");
            out.Add(depth, "begin");
            Statements(s.Body, depth + 1, out);
            out.Add(depth, "end;");
            return;
          case LoopForm::While:
            out.Add(depth, Header("while ", s.Cond, " do"), Origin(s.Cond));
            out.Add(depth, "begin");
            Statements(s.Body, depth + 1, out);
            out.Add(depth, "end;");
            return;
          case LoopForm::DoWhile:
            out.Add(depth, "repeat");
            Statements(s.Body, depth + 1, out);
            out.Add(depth, Header("until ", s.Cond.Inverted(), ";"), Origin(s.Cond));
            return;
          case LoopForm::For:
            if (ForTo(s, depth, out)) return;
            Instruction(s.Init, depth, out);
            out.Add(depth, Header("while ", s.Cond, " do"), Origin(s.Cond));
            out.Add(depth, "begin");
            Statements(s.Body, depth + 1, out);
            Instruction(s.Step, depth + 1, out);
            out.Add(depth, "end;");
            return;
        }
    }
  }

  LineOrigin Origin(const Condition& c) const {
    if (c.Kind != ConditionKind::Instruction) return {};
    return {p_.Instructions[static_cast<size_t>(c.Instruction)].BlockIndex, c.Instruction};
  }

  std::string Header(const std::string& keyword, const Condition& c, const std::string& close) {
    std::string comment;
    std::string text;
    int precedence = kAtom;
    switch (c.Kind) {
      case ConditionKind::State:
        text = state_ + (c.Negated ? " <> " : " = ") + std::to_string(c.Value);
        return keyword + text + close + comment;
        break;
      case ConditionKind::Flags:
        for (int32_t f : c.Flags) text += (text.empty() ? "" : " or ") + flags_[static_cast<size_t>(f)];
        precedence = c.Flags.size() > 1 ? kSum : kAtom;
        if (c.Negated) text = c.Flags.size() > 1 ? "not (" + text + ")" : "not " + text;
        return keyword + text + close + comment;
        break;
      case ConditionKind::Instruction: {
        const Trozkaz& ins = p_.Instructions[static_cast<size_t>(c.Instruction)];
        try {
          PExpr e = ConditionExpr(ins.Tree.get());
          text = e.text;
          precedence = e.precedence;
        } catch (const Unsupported& u) {
          Warn(ins, u.Reason);
          text = "False";
          comment = "  { not exported: " + ins.Text + " }";
        }
        break;
      }
    }
    (void)precedence;
    if (c.Negated) text = "not Truth(" + text + ")";
    return keyword + text + close + comment;
  }

  PExpr ConditionExpr(const TwrTree* root) {
    if (root && root->NodeKind == kBinaryNode && (root->OpText == ":=" || root->OpText == "=")) {
      throw Unsupported{"an assignment used as a condition"};
    }
    PExpr e = Expr(root, nullptr);
    if (e.literal || (e.type != Natural::None && e.type != Natural::Boolean)) e = {"V(" + e.text + ")", kAtom, false};
    return e;
  }

  // «for i := a to b do» where it does exactly what the while loop does: the
  // counter and both ends are integers, the step is one, the end does not
  // change in the loop, and the counter is not read after it.
  bool ForTo(const Stmt& s, int depth, CodeLines& out) {
    if (types_.OfVariable(s.Counter) != Natural::Integer || s.CounterReadOutside) return false;
    const CounterTest test = ReadCounterTest(p_, s.Cond, s.Counter);
    // «i < 25» is «to 24» where the end is a literal; any other strict end stays a while loop.
    const bool strict = (s.StepBy == 1 && test.Op == BinaryOp::Less) || (s.StepBy == -1 && test.Op == BinaryOp::Greater);
    if (!strict && !((s.StepBy == 1 && test.Op == BinaryOp::LessEqual) || (s.StepBy == -1 && test.Op == BinaryOp::GreaterEqual))) {
      return false;
    }
    if (strict && (test.Bound->NodeKind != kLeafNode || test.Bound->VarIndex >= 0 ||
                   test.Bound->NodeValue.Kind() != ValueKind::Integer)) {
      return false;
    }
    if (!BoundIsInvariant(p_, s, test.Bound)) return false;
    const TwrTree* init = p_.Instructions[static_cast<size_t>(s.Init)].Tree.get();
    std::string first, last;
    try {
      const PExpr a = Expr(init->RightNode, init);
      const PExpr b = Expr(test.Bound, nullptr);
      if (a.type != Natural::Integer || b.type != Natural::Integer) return false;
      first = a.text;
      last = strict ? std::to_string(int64_t{test.Bound->NodeValue.AsInteger()} - s.StepBy) : b.text;
    } catch (const Unsupported&) {
      return false;
    }
    out.Add(depth, "for " + Variable(s.Counter) + " := " + first + (s.StepBy > 0 ? " to " : " downto ") + last + " do",
            Origin(s.Cond));
    out.AddOrigin({p_.Instructions[static_cast<size_t>(s.Init)].BlockIndex, s.Init});
    out.AddOrigin({p_.Instructions[static_cast<size_t>(s.Step)].BlockIndex, s.Step});
    out.Add(depth, "begin");
    Statements(s.Body, depth + 1, out);
    out.Add(depth, "end;");
    return true;
  }

  // An expression assigned to a variable of kind `kind`, which it provably has.
  static std::string Converted(const PExpr& e, Natural kind) {
    if (kind == Natural::None || kind == Natural::Boolean || e.type == kind) return e.text;
    if (kind == Natural::Real && e.type == Natural::Integer) return e.text;
    switch (kind) {
      case Natural::Integer: return "ToInt(" + e.text + ")";
      case Natural::Real: return "ToReal(" + e.text + ")";
      default: return "TextOf(" + e.text + ")";
    }
  }

  void Warn(const Trozkaz& ins, const std::string& reason) {
    result_.Warnings.push_back("block " + std::to_string(ins.BlockIndex) + ": " + reason + ": " + ins.Text);
  }

  void Instruction(int32_t index, int depth, CodeLines& out) {
    const Trozkaz& ins = p_.Instructions[static_cast<size_t>(index)];
    const LineOrigin origin{ins.BlockIndex, index};
    std::vector<std::string> lines;
    try {
      InstructionLines(ins.Tree.get(), lines);
    } catch (const Unsupported& u) {
      Warn(ins, u.Reason);
      lines.assign(1, "{ not exported (" + u.Reason + "): " + ins.Text + " }");
    }
    for (const std::string& l : lines) {
      out.Add(depth, l, origin);
      if (options_.BlockNumbers) out.AppendComment(out.Size() - 1, "  { block " + std::to_string(ins.BlockIndex) + " }");
    }
  }

  void InstructionLines(const TwrTree* root, std::vector<std::string>& lines) {
    if (!root) return;
    if (root->NodeKind == kStatementNode) {
      for (const TwrTree* item : StatementItems(root)) StatementItem(*item, lines);
      return;
    }
    if (root->NodeKind == kLeafNode && root->IncMode != kNoIncrement && root->VarIndex >= 0) {
      const bool up = root->IncMode == kPostIncrement || root->IncMode == kPreIncrement;
      const std::string name = Variable(root->VarIndex);
      lines.push_back(name + " := " + name + (up ? " + 1;" : " - 1;"));
      return;
    }
    if (root->NodeKind == kBinaryNode && root->LeftNode) {
      const bool plain = root->OpText == ":=" || root->OpText == "=";
      const BinaryOp compound = CompoundAssignmentOp(root->OpText);
      if (plain || compound != BinaryOp::None) {
        lines.push_back(Assignment(*root, plain, compound));
        return;
      }
    }
    PExpr e = Expr(root, nullptr);
    if (!e.literal) lines.push_back("Evaluate(" + e.text + ");");
  }

  std::string Assignment(const TwrTree& node, bool plain, BinaryOp compound) {
    const TwrTree& target = *node.LeftNode;
    if (!node.RightNode) throw Unsupported{"an assignment without a value"};
    PExpr value = Expr(node.RightNode, &node);
    if (target.NodeKind == kIndexedNode) {
      if (!plain) value = Combine(compound, {Element(target), kAtom, false}, value, nullptr);
      return Store(target, value.text);
    }
    if (target.NodeKind != kLeafNode || target.VarIndex < 0 || target.IncMode != kNoIncrement) {
      throw Unsupported{"an assignment to something that is not a variable"};
    }
    const std::string left = Variable(target.VarIndex);
    const Natural kind = use_.HasElements[static_cast<size_t>(target.VarIndex)] ? Natural::None : types_.OfVariable(target.VarIndex);
    if (!plain) value = Combine(compound, {left, kAtom, false, kind}, value, &node);
    return left + " := " + Converted(value, kind) + ";";
  }

  // The statement that stores `value` in an element.
  std::string Store(const TwrTree& element, const std::string& value) {
    std::vector<const TwrTree*> indexes;
    ListItems(element.RightNode, indexes);
    const std::string list = IndexList(element);
    const std::string name = Variable(element.LeftNode->VarIndex, true);
    if (indexes.size() == 1) return name + "[" + list + "] := " + value + ";";
    return name + ".Put([" + list + "], " + value + ");";
  }

  void StatementItem(const TwrTree& item, std::vector<std::string>& lines) {
    if (item.OpText == "dim") {
      if (item.VarIndex < 0) throw Unsupported{"a declaration without a name"};
      std::string sizes;
      std::string_view text = item.DimsText;
      for (;;) {
        const size_t comma = text.find(',');
        const TValue size = ClassifyToken(text.substr(0, comma));
        if (size.Kind() != ValueKind::Integer) throw Unsupported{"a declared size that is not a number"};
        sizes += (sizes.empty() ? "" : ", ") + std::to_string(size.AsInteger());
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
      }
      lines.push_back(Variable(item.VarIndex, true) + ".Dim([" + sizes + "]);");
      return;
    }
    if (item.OpText == "set") {
      if (item.VarIndex < 0) throw Unsupported{"a tuple without a name"};
      lines.push_back(Variable(item.VarIndex, true) + ".SetTuple(" + PascalString(item.SrcText) + ");");
      return;
    }
    if (item.OpText == "write") {
      sections_.insert("write");
      const int32_t v = FindVariable(p_, item.ItemName);
      if (v >= 0) {
        lines.push_back("WriteVariable(" + Variable(v, true) + ");");
        return;
      }
      lines.push_back("WriteValue(" + Expr(item.RightNode, &item).text + ");");
      return;
    }
    if (item.OpText == "read") {
      sections_.insert("read");
      const int32_t v = FindVariable(p_, item.ItemName);
      if (v >= 0) {
        if (use_.HasElements[static_cast<size_t>(v)]) {
          lines.push_back("ReadInto(" + Variable(v, true) + ");");
        } else {
          const std::string name = Variable(v);
          lines.push_back(name + " := ReadValue(" + name + ");");
        }
        return;
      }
      const TwrTree* element = item.RightNode;
      if (!element || element->NodeKind != kIndexedNode || !element->LeftNode ||
          FindVariable(p_, std::string_view(item.ItemName).substr(0, item.ItemName.find('['))) < 0) {
        throw Unsupported{"a read of something that is not a variable"};
      }
      lines.push_back(Store(*element, "ReadText"));
      return;
    }
    throw Unsupported{"an unknown statement"};
  }

  // ---- expressions ----

  std::string Variable(int32_t v, bool whole = false) {
    if (v < 0 || v >= static_cast<int32_t>(use_.Names.size())) throw Unsupported{"an unknown variable"};
    used_[static_cast<size_t>(v)] = 1;
    const std::string& name = use_.Names[static_cast<size_t>(v)];
    if (use_.HasElements[static_cast<size_t>(v)]) {
      sections_.insert("arrays");
      if (!whole) return name + "[1]";
    }
    return name;
  }

  std::string IndexList(const TwrTree& node) {
    if (!node.LeftNode || node.LeftNode->VarIndex < 0) throw Unsupported{"an element of an unknown array"};
    std::vector<const TwrTree*> indexes;
    ListItems(node.RightNode, indexes);
    if (indexes.empty()) throw Unsupported{"an element without an index"};
    std::string list;
    for (size_t k = 0; k < indexes.size(); ++k) list += (k ? ", " : "") + Expr(indexes[k], &node).text;
    return list;
  }

  std::string Element(const TwrTree& node) {
    const std::string list = IndexList(node);
    std::vector<const TwrTree*> indexes;
    ListItems(node.RightNode, indexes);
    const std::string name = Variable(node.LeftNode->VarIndex, true);
    return indexes.size() == 1 ? name + "[" + list + "]" : name + ".Get([" + list + "])";
  }

  static std::string Wrapped(const PExpr& e, bool parenthesise) {
    return parenthesise ? "(" + e.text + ")" : e.text;
  }

  PExpr Literal(const TValue& v) {
    switch (v.Kind()) {
      case ValueKind::Empty: return {"Empty", kAtom, false};
      case ValueKind::Integer:
        if (v.AsInteger() == INT32_MIN) return {"V(-2147483647) - 1", kSum, false};
        return {std::to_string(v.AsInteger()), v.AsInteger() < 0 ? kSum : kAtom, true, Natural::Integer};
      case ValueKind::Real: return {RealLiteral(v.AsReal()), v.AsReal() < 0 ? kSum : kAtom, true, Natural::Real};
      case ValueKind::String: {
        // The source is UTF-8: letters beyond ASCII become the program's text through FromUtf8.
        const std::string& t = v.AsString();
        if (std::any_of(t.begin(), t.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
          return {"FromUtf8(" + PascalString(t) + ")", kAtom, false, Natural::Text};
        }
        return {PascalString(t), kAtom, true, Natural::Text};
      }
      case ValueKind::Boolean: return {v.AsBoolean() ? "True" : "False", kAtom, true, Natural::Boolean};
    }
    return {"Empty", kAtom, false};
  }

  PExpr Expr(const TwrTree* n, const TwrTree* parent) {
    if (!n) {
      if (parent && parent->OpText == "-" && !parent->LeftNode) return {"0", kAtom, true};
      throw Unsupported{"a missing operand"};
    }
    if (IsParseErrorNode(*n)) throw Unsupported{"an expression that does not parse"};
    switch (n->NodeKind) {
      case kLeafNode:
        if (n->IncMode != kNoIncrement) throw Unsupported{"an increment inside an expression"};
        if (n->VarIndex >= 0) {
          const std::string name = Variable(n->VarIndex);
          return {name, kAtom, false, use_.HasElements[static_cast<size_t>(n->VarIndex)] ? Natural::None : types_.OfVariable(n->VarIndex)};
        }
        return Literal(n->NodeValue);
      case kIndexedNode: return {Element(*n), kAtom, false};
      case kCallNode: return Call(*n);
      case kPrefixNode: {
        if (n->OpText != "!" && n->OpText != "not") throw Unsupported{"the " + n->OpText + " operator"};
        PExpr r = Expr(n->RightNode, n);
        if (r.type == Natural::Boolean && types_.Of(n) == Natural::Boolean) {
          return {"not " + Wrapped(r, r.precedence < kUnary), kUnary, false, Natural::Boolean};
        }
        if (r.type != Natural::None) r = {"V(" + r.text + ")", kAtom, false};
        return {"not " + Wrapped(r, r.precedence < kUnary), kUnary, false};
      }
      case kBinaryNode: return Binary(*n);
      default: throw Unsupported{"an expression form without a counterpart"};
    }
  }

  PExpr Binary(const TwrTree& n) {
    if (n.OpText == "^") throw Unsupported{"the ^ operator"};
    if (n.OpText == ":=" || n.OpText == "=" || CompoundAssignmentOp(n.OpText) != BinaryOp::None) {
      throw Unsupported{"an assignment inside an expression"};
    }
    const BinaryOp op = BinaryOpFromText(n.OpText);
    if (op == BinaryOp::None) throw Unsupported{"the " + n.OpText + " operator"};
    if (!n.RightNode) throw Unsupported{"a missing operand"};
    if (!n.LeftNode) {
      if (op != BinaryOp::Subtract) throw Unsupported{"a missing operand"};
      PExpr r = Expr(n.RightNode, &n);
      if (IsNumber(r.type) && types_.Of(&n) == r.type) {
        return {"-" + Wrapped(r, r.precedence < kUnary), kSum, r.literal, r.type};
      }
      if (r.type != Natural::None) r = {"V(" + r.text + ")", kAtom, false};
      return {"-" + Wrapped(r, r.precedence < kUnary), kSum, false};
    }
    return Combine(op, Expr(n.LeftNode, &n), Expr(n.RightNode, &n), &n);
  }

  // Whether Pascal's own operator computes what the interpreter does. «and»
  // and «or» are left to the prelude: Pascal may skip their right side.
  bool Native(BinaryOp op, const PExpr& l, const PExpr& r, const TwrTree* node) const {
    const Natural result = node ? types_.Of(node) : Natural::None;
    if (result == Natural::None || l.type == Natural::None || r.type == Natural::None) return false;
    switch (op) {
      case BinaryOp::Add:
      case BinaryOp::Subtract:
      case BinaryOp::Multiply:
        return result == Natural::Integer && l.type == Natural::Integer && r.type == Natural::Integer;
      case BinaryOp::Equal:
      case BinaryOp::NotEqual:
        if (l.type == r.type && l.type == Natural::Boolean) return true;
        if (l.type == r.type && l.type == Natural::Text) return !(l.literal && r.literal);
        return IsNumber(l.type) && IsNumber(r.type);
      case BinaryOp::Less:
      case BinaryOp::LessEqual:
      case BinaryOp::Greater:
      case BinaryOp::GreaterEqual: return IsNumber(l.type) && IsNumber(r.type);
      default: return false;
    }
  }

  PExpr Combine(BinaryOp op, PExpr l, PExpr r, const TwrTree* node) {
    const bool native = Native(op, l, r, node);
    // Two Pascal values would compute as Pascal does: one becomes a TValue.
    if (!native && l.type != Natural::None && r.type != Natural::None) l = {"V(" + l.text + ")", kAtom, false};
    std::string sign;
    int precedence = kAtom;
    switch (op) {
      case BinaryOp::Add: sign = "+"; precedence = kSum; break;
      case BinaryOp::Subtract: sign = "-"; precedence = kSum; break;
      case BinaryOp::Or: sign = "or"; precedence = kSum; break;
      case BinaryOp::Multiply: sign = "*"; precedence = kProduct; break;
      case BinaryOp::Divide: sign = "/"; precedence = kProduct; break;
      case BinaryOp::Div: sign = "div"; precedence = kProduct; break;
      case BinaryOp::Mod: sign = "mod"; precedence = kProduct; break;
      case BinaryOp::Shl: sign = "shl"; precedence = kProduct; break;
      case BinaryOp::Shr: sign = "shr"; precedence = kProduct; break;
      case BinaryOp::And: sign = "and"; precedence = kProduct; break;
      case BinaryOp::Equal: sign = "="; precedence = kRelation; break;
      case BinaryOp::NotEqual: sign = "<>"; precedence = kRelation; break;
      case BinaryOp::Less: sign = "<"; precedence = kRelation; break;
      case BinaryOp::LessEqual: sign = "<="; precedence = kRelation; break;
      case BinaryOp::Greater: sign = ">"; precedence = kRelation; break;
      case BinaryOp::GreaterEqual: sign = ">="; precedence = kRelation; break;
      default: throw Unsupported{"an operator without a counterpart"};
    }
    const bool left_paren = l.precedence < precedence || (precedence == kRelation && l.precedence == kRelation);
    const bool right_paren = r.precedence <= precedence;
    return {Wrapped(l, left_paren) + " " + sign + " " + Wrapped(r, right_paren), precedence, false,
            native ? types_.Of(node) : Natural::None};
  }

  PExpr Call(const TwrTree& n) {
    if (!n.ExtName.empty()) throw Unsupported{"the extension function " + n.ExtName};
    if (n.FuncIndex < 1 || n.FuncIndex > kBuiltinFunctionCount) throw Unsupported{"an unknown function"};
    std::vector<const TwrTree*> args;
    ListItems(n.RightNode, args);
    if (!BuiltinAcceptsArgumentCount(n.FuncIndex, args.size())) throw Unsupported{"a call with a wrong number of arguments"};
    const std::string name(kBuiltinFunctions[static_cast<size_t>(n.FuncIndex - 1)].Name);
    sections_.insert(name);
    std::string text = name + "(";
    for (size_t k = 0; k < args.size(); ++k) {
      // A Pascal value would pick the System unit's function of the same name.
      const PExpr a = Expr(args[k], &n);
      text += (k ? ", " : "") + (a.type != Natural::None ? "V(" + a.text + ")" : a.text);
    }
    return {text + ")", kAtom, false};
  }

  const TKompilatorTS& p_;
  const CodeTree& tree_;
  const ExportOptions& options_;
  const TypeInfo& types_;
  ExportResult& result_;
  VariableUse use_;
  std::vector<std::string> flags_;
  std::string state_;
  std::vector<char> used_;
  std::set<std::string> sections_;
};

}  // namespace
}  // namespace pascal_printer

void PrintPascal(const PrintJob& job, ExportResult& result) {
  pascal_printer::PascalPrinter printer(job, result);
  printer.Print();
}

}  // namespace tessaro::codegen
