// The Python 3 printer. Values are the prelude's V, which computes every
// operator as the interpreter does, so expressions keep their usual look:
// «s := s * i» becomes «s = s * i».
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "core/codegen/code_lines.h"
#include "core/codegen/for_loops.h"
#include "core/codegen/printer.h"
#include "core/codegen/python_prelude.h"
#include "core/codegen/variable_use.h"
#include "core/language/builtin_functions.h"
#include "core/language/compiler.h"
#include "core/language/tokens.h"
#include "core/runtime/builtin_calls.h"
#include "core/runtime/value_ops.h"

namespace tessaro::codegen {

// Named per language: the other languages' printers use the same names.
namespace python_printer {
namespace {

constexpr std::string_view kKeywords[] = {
    "False", "None", "True", "and", "as", "assert", "async", "await", "break", "class", "continue",
    "def", "del", "elif", "else", "except", "finally", "for", "from", "global", "if", "import", "in",
    "is", "lambda", "nonlocal", "not", "or", "pass", "raise", "return", "try", "while", "with", "yield",
    "print", "len", "str", "int", "float", "bool", "abs", "round", "min", "max", "type", "tuple", "list",
    "chr", "ord", "range", "enumerate", "reversed", "all", "any", "object", "super", "id", "iter", "next"};

// Python's binding strengths, loosest first.
enum Precedence : int {
  kNot = 4,
  kCompare = 6,
  kBitOr = 8,
  kBitAnd = 10,
  kShift = 11,
  kSum = 12,
  kProduct = 13,
  kUnary = 14,
  kAtom = 20,
};

struct PyExpr {
  std::string text;
  int precedence = kAtom;
  bool literal = false;  // a bare Python literal, not yet a V
  Natural type = Natural::None;  // a plain int, float, str or bool instead of a V
};

bool IsNumber(Natural n) { return n == Natural::Integer || n == Natural::Real; }

std::string PythonString(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '\'') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "'";
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

class PythonPrinter {
 public:
  PythonPrinter(const PrintJob& job, ExportResult& result)
      : p_(job.Program), tree_(job.Tree), options_(job.Options), types_(job.Types), result_(result) {
    std::vector<std::string_view> reserved(std::begin(kKeywords), std::end(kKeywords));
    for (std::string_view n : PythonPreludeNames()) reserved.push_back(n);
    use_ = AnalyseVariables(p_, reserved, false);
    std::vector<std::string> taken;
    for (int32_t f = 0; f < tree_.FlagCount; ++f) flags_.push_back(FreshName("leave" + std::to_string(f + 1), use_, reserved, taken));
    if (tree_.UsesState) state_ = FreshName("state", use_, reserved, taken);
    used_.assign(p_.Variables.size(), 0);
  }

  void Print() {
    CodeLines body;
    Statements(tree_.Body, 1, body);
    // Header, prelude, the variables' start values, the body, the call.
    CodeLines out;
    out.Add(0, "# " + (options_.Title.empty() ? std::string("Program") : options_.Title) +
                   ": exported from a Tessaro flowchart.");
    out.Add(0, "# Values, arithmetic, read and write follow the flowchart interpreter (prelude below).");
    if (!use_.Renamed.empty()) {
      std::string list;
      for (const std::string& r : use_.Renamed) list += (list.empty() ? "" : ", ") + r;
      out.Add(0, "# Renamed where a name is reserved in Python: " + list + ".");
    }
    out.Blank();
    std::vector<std::string> sections(sections_.begin(), sections_.end());
    out.AddText(PythonPrelude(sections));
    out.Blank();
    out.Blank();
    out.Add(0, "def main():");
    std::string plain, arrays;
    for (size_t v = 0; v < used_.size(); ++v) {
      if (!used_[v]) continue;
      // A variable of one kind is assigned before it is read: it needs no start value.
      if (use_.HasElements[v]) arrays += use_.Names[v] + " = Arr()\n";
      else if (types_.OfVariable(static_cast<int32_t>(v)) == Natural::None) plain += use_.Names[v] + " = ";
    }
    if (!plain.empty()) out.Add(1, plain + "V()");
    for (size_t start = 0; start < arrays.size();) {
      const size_t end = arrays.find('\n', start);
      out.Add(1, arrays.substr(start, end - start));
      start = end + 1;
    }
    if (body.Size() == 0 && plain.empty() && arrays.empty()) out.Add(1, "pass");
    out.Append(body);
    out.Blank();
    out.Blank();
    out.Add(0, "run(main)");
    result_.Text = out.Text();
    result_.Lines = out.Origins();
    result_.MoreOrigins = out.MoreOrigins();
  }

 private:
  // ---- statements ----

  void Statements(const std::vector<Stmt>& seq, int depth, CodeLines& out) {
    const size_t before = out.Size();
    for (const Stmt& s : seq) Statement(s, depth, out);
    if (out.Size() == before) out.Add(depth, "pass");
  }

  void Statement(const Stmt& s, int depth, CodeLines& out) {
    switch (s.Kind) {
      case StmtKind::Instruction: Instruction(s.Instruction, depth, out); return;
      case StmtKind::SetState: out.Add(depth, state_ + " = " + std::to_string(s.Value)); return;
      case StmtKind::SetFlag:
        out.Add(depth, flags_[static_cast<size_t>(s.Value)] + (s.FlagValue ? " = True" : " = False"));
        return;
      case StmtKind::Break: out.Add(depth, "break"); return;
      case StmtKind::Continue: out.Add(depth, "continue"); return;
      case StmtKind::Return: out.Add(depth, "return"); return;
      case StmtKind::If: {
        const Stmt* at = &s;
        std::string keyword = "if ";
        for (;;) {
          out.Add(depth, Header(keyword, at->Cond), Origin(at->Cond));
          Statements(at->Body, depth + 1, out);
          // An else holding only another if reads as elif.
          if (at->Otherwise.size() == 1 && at->Otherwise[0].Kind == StmtKind::If) {
            at = &at->Otherwise[0];
            keyword = "elif ";
            continue;
          }
          if (!at->Otherwise.empty()) {
            out.Add(depth, "else:");
            Statements(at->Otherwise, depth + 1, out);
          }
          return;
        }
      }
      case StmtKind::Loop:
        switch (s.Form) {
          case LoopForm::Forever:
            out.Add(depth, "while True:");
            Statements(s.Body, depth + 1, out);
            return;
          case LoopForm::While:
            out.Add(depth, Header("while ", s.Cond), Origin(s.Cond));
            Statements(s.Body, depth + 1, out);
            return;
          case LoopForm::DoWhile:
            // Python has no loop that tests last.
            out.Add(depth, "while True:");
            Statements(s.Body, depth + 1, out);
            out.Add(depth + 1, Header("if ", s.Cond.Inverted()), Origin(s.Cond));
            out.Add(depth + 2, "break");
            return;
          case LoopForm::For:
            if (RangeLoop(s, depth, out)) return;
            Instruction(s.Init, depth, out);
            out.Add(depth, Header("while ", s.Cond), Origin(s.Cond));
            Statements(s.Body, depth + 1, out);
            Instruction(s.Step, depth + 1, out);
            return;
        }
    }
  }

  LineOrigin Origin(const Condition& c) const {
    if (c.Kind != ConditionKind::Instruction) return {};
    return {p_.Instructions[static_cast<size_t>(c.Instruction)].BlockIndex, c.Instruction};
  }

  std::string ConditionText(const Condition& c) {
    std::string text;
    int precedence = kAtom;
    switch (c.Kind) {
      case ConditionKind::State:
        text = state_ + " == " + std::to_string(c.Value);
        precedence = kCompare;
        break;
      case ConditionKind::Flags:
        for (int32_t f : c.Flags) text += (text.empty() ? "" : " or ") + flags_[static_cast<size_t>(f)];
        precedence = c.Flags.size() > 1 ? 2 : kAtom;
        break;
      case ConditionKind::Instruction: {
        const Trozkaz& ins = p_.Instructions[static_cast<size_t>(c.Instruction)];
        try {
          PyExpr e = ConditionExpr(ins.Tree.get());
          text = e.text;
          precedence = e.precedence;
        } catch (const Unsupported& u) {
          Warn(ins, u.Reason);
          text = "V()";
          unsupported_comment_ = "  # not exported: " + ins.Text;
        }
        break;
      }
    }
    if (c.Negated) {
      text = precedence >= kAtom ? "not " + text : "not (" + text + ")";
    }
    return text;
  }

  // «keyword condition:», with the mark of a condition that could not be exported.
  std::string Header(const std::string& keyword, const Condition& c) {
    std::string line = keyword + ConditionText(c) + ":";
    if (!unsupported_comment_.empty()) {
      line += unsupported_comment_;
      unsupported_comment_.clear();
    }
    return line;
  }

  PyExpr ConditionExpr(const TwrTree* root) {
    if (root && root->NodeKind == kBinaryNode && (root->OpText == ":=" || root->OpText == "=")) {
      // An assignment as a condition: its value decides.
      const TwrTree* target = root->LeftNode;
      if (!target || target->NodeKind != kLeafNode || target->VarIndex < 0 || target->IncMode != kNoIncrement ||
          use_.HasElements[static_cast<size_t>(target->VarIndex)]) {
        throw Unsupported{"an assignment used as a condition"};
      }
      PyExpr value = Expr(root->RightNode, root);
      const Natural kind = types_.OfVariable(target->VarIndex);
      PyExpr e{"(" + Variable(target->VarIndex) + " := " + Converted(value, kind) + ")", kAtom, false, kind};
      return e.type == Natural::Text ? PyExpr{"V" + e.text, kAtom, false} : e;
    }
    PyExpr e = Expr(root, nullptr);
    // A plain str would be true whenever it is not empty.
    if (e.literal || e.type == Natural::Text) e = {"V(" + e.text + ")", kAtom, false};
    return e;
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
      lines.assign(1, "# not exported (" + u.Reason + "): " + ins.Text);
    }
    for (const std::string& l : lines) {
      out.Add(depth, l, origin);
      if (options_.BlockNumbers) out.AppendComment(out.Size() - 1, "  # block " + std::to_string(ins.BlockIndex));
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
      lines.push_back(Variable(root->VarIndex) + (up ? " += 1" : " -= 1"));
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
    PyExpr e = Expr(root, nullptr);
    if (!e.literal) lines.push_back(e.text);
  }

  std::string Assignment(const TwrTree& node, bool plain, BinaryOp compound) {
    const TwrTree& target = *node.LeftNode;
    std::string left;
    bool plain_variable = false;
    if (target.NodeKind == kIndexedNode) {
      left = Element(target);
    } else if (target.NodeKind == kLeafNode && target.VarIndex >= 0 && target.IncMode == kNoIncrement) {
      left = Variable(target.VarIndex);
      plain_variable = !use_.HasElements[static_cast<size_t>(target.VarIndex)];
    } else {
      throw Unsupported{"an assignment to something that is not a variable"};
    }
    if (!node.RightNode) throw Unsupported{"an assignment without a value"};
    PyExpr value = Expr(node.RightNode, &node);
    const Natural kind = plain_variable ? types_.OfVariable(target.VarIndex) : Natural::None;
    if (plain) return left + " = " + (plain_variable ? Converted(value, kind) : value.text);
    if (kind != Natural::None) {
      const PyExpr result = Combine(compound, {left, kAtom, false, kind}, value, &node);
      if (result.type == kind && compound != BinaryOp::Mod && compound != BinaryOp::Div) {
        return left + " " + std::string(node.OpText) + " " + value.text;
      }
      return left + " = " + Converted(result, kind);
    }
    switch (compound) {
      case BinaryOp::Mod: return left + " = mod(" + left + ", " + value.text + ")";
      default: break;
    }
    return left + " " + std::string(node.OpText) + " " + value.text;
  }

  // A statement item of dim, set, read or write.
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
      lines.push_back(Variable(item.VarIndex, true) + ".dim(" + sizes + ")");
      return;
    }
    if (item.OpText == "set") {
      if (item.VarIndex < 0) throw Unsupported{"a tuple without a name"};
      lines.push_back(Variable(item.VarIndex, true) + ".set(" + PythonString(item.SrcText) + ")");
      return;
    }
    if (item.OpText == "write") {
      const int32_t v = FindVariable(p_, item.ItemName);
      if (v >= 0) {
        sections_.insert("write");
        if (use_.HasElements[static_cast<size_t>(v)]) sections_.insert("arrays");
        lines.push_back("write_var(" + Variable(v, true) + ")");
        return;
      }
      sections_.insert("write");
      lines.push_back("write(" + Expr(item.RightNode, &item).text + ")");
      return;
    }
    if (item.OpText == "read") {
      sections_.insert("read");
      const int32_t v = FindVariable(p_, item.ItemName);
      if (v >= 0) {
        if (use_.HasElements[static_cast<size_t>(v)]) {
          lines.push_back("read_into(" + Variable(v, true) + ")");
        } else {
          const std::string name = Variable(v);
          lines.push_back(name + " = read_value(" + name + ")");
        }
        return;
      }
      const TwrTree* element = item.RightNode;
      if (!element || element->NodeKind != kIndexedNode || !element->LeftNode ||
          FindVariable(p_, std::string_view(item.ItemName).substr(0, item.ItemName.find('['))) < 0) {
        throw Unsupported{"a read of something that is not a variable"};
      }
      lines.push_back(Element(*element) + " = read_text()");
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

  std::string Element(const TwrTree& node) {
    if (!node.LeftNode || node.LeftNode->VarIndex < 0) throw Unsupported{"an element of an unknown array"};
    std::vector<const TwrTree*> indexes;
    ListItems(node.RightNode, indexes);
    if (indexes.empty()) throw Unsupported{"an element without an index"};
    std::string text = Variable(node.LeftNode->VarIndex, true) + "[";
    for (size_t k = 0; k < indexes.size(); ++k) {
      text += (k ? ", " : "") + Expr(indexes[k], &node).text;
    }
    return text + "]";
  }

  static std::string AsValue(const PyExpr& e) { return e.type != Natural::None ? "V(" + e.text + ")" : e.text; }

  // An expression assigned to a variable of kind `kind` (None: a V), which it provably has.
  static std::string Converted(const PyExpr& e, Natural kind) {
    if (kind == Natural::None) return AsValue(e);
    return e.type == kind ? e.text : "raw(" + e.text + ")";
  }

  // «for i in range(a, b)» where it does exactly what the while loop does:
  // the counter and both ends are integers, the end does not change in the
  // loop, and the counter is not read after it.
  bool RangeLoop(const Stmt& s, int depth, CodeLines& out) {
    if (types_.OfVariable(s.Counter) != Natural::Integer || s.CounterReadOutside) return false;
    const CounterTest test = ReadCounterTest(p_, s.Cond, s.Counter);
    const bool up = s.StepBy > 0;
    if (!(up ? test.Op == BinaryOp::Less || test.Op == BinaryOp::LessEqual
             : test.Op == BinaryOp::Greater || test.Op == BinaryOp::GreaterEqual)) {
      return false;
    }
    if (!BoundIsInvariant(p_, s, test.Bound)) return false;
    const TwrTree* init = p_.Instructions[static_cast<size_t>(s.Init)].Tree.get();
    std::string first, last;
    try {
      const PyExpr a = Expr(init->RightNode, init);
      const PyExpr b = Expr(test.Bound, nullptr);
      if (a.type != Natural::Integer || b.type != Natural::Integer) return false;
      first = a.text;
      last = b.text;
      if (test.Op == BinaryOp::LessEqual || test.Op == BinaryOp::GreaterEqual) {
        const int32_t shift = up ? 1 : -1;
        int32_t value = 0;
        if (b.literal && b.text.find_first_not_of("-0123456789") == std::string::npos) {
          value = std::atoi(b.text.c_str());
          last = std::to_string(int64_t{value} + shift);
        } else {
          last = Wrapped(b, b.precedence < kSum) + (up ? " + 1" : " - 1");
        }
      }
    } catch (const Unsupported&) {
      return false;
    }
    std::string range = first == "0" && s.StepBy == 1 ? "range(" + last : "range(" + first + ", " + last;
    if (s.StepBy != 1) range += ", " + std::to_string(s.StepBy);
    out.Add(depth, "for " + Variable(s.Counter) + " in " + range + "):", Origin(s.Cond));
    out.AddOrigin({p_.Instructions[static_cast<size_t>(s.Init)].BlockIndex, s.Init});
    out.AddOrigin({p_.Instructions[static_cast<size_t>(s.Step)].BlockIndex, s.Step});
    Statements(s.Body, depth + 1, out);
    return true;
  }


  static std::string Wrapped(const PyExpr& e, bool parenthesise) {
    return parenthesise ? "(" + e.text + ")" : e.text;
  }

  PyExpr Literal(const TValue& v) {
    switch (v.Kind()) {
      case ValueKind::Empty: return {"V()", kAtom, false};
      case ValueKind::Integer: return {std::to_string(v.AsInteger()), v.AsInteger() < 0 ? kUnary : kAtom, true, Natural::Integer};
      case ValueKind::Real: return {RealLiteral(v.AsReal()), v.AsReal() < 0 ? kUnary : kAtom, true, Natural::Real};
      case ValueKind::String: return {PythonString(v.AsString()), kAtom, true, Natural::Text};
      case ValueKind::Boolean: return {v.AsBoolean() ? "True" : "False", kAtom, true, Natural::Boolean};
    }
    return {"V()", kAtom, false};
  }

  PyExpr Expr(const TwrTree* n, const TwrTree* parent) {
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
        PyExpr r = Expr(n->RightNode, n);
        if (r.type == Natural::Boolean && types_.Of(n) == Natural::Boolean) {
          return {"not " + Wrapped(r, r.precedence < kNot), kNot, false, Natural::Boolean};
        }
        if (r.type != Natural::None) r = {"V(" + r.text + ")", kAtom, false};
        return {"~" + Wrapped(r, r.precedence < kUnary), kUnary, false};
      }
      case kBinaryNode: return Binary(*n);
      default: throw Unsupported{"an expression form without a counterpart"};
    }
  }

  PyExpr Binary(const TwrTree& n) {
    if (n.OpText == "^") throw Unsupported{"the ^ operator"};
    if (n.OpText == ":=" || n.OpText == "=" || CompoundAssignmentOp(n.OpText) != BinaryOp::None) {
      throw Unsupported{"an assignment inside an expression"};
    }
    const BinaryOp op = BinaryOpFromText(n.OpText);
    if (op == BinaryOp::None) throw Unsupported{"the " + n.OpText + " operator"};
    if (!n.RightNode) throw Unsupported{"a missing operand"};
    if (!n.LeftNode) {
      if (op != BinaryOp::Subtract) throw Unsupported{"a missing operand"};
      PyExpr r = Expr(n.RightNode, &n);
      // A negated number stays a Python number only where the interpreter's would not overflow.
      if (r.type != Natural::None && !(IsNumber(r.type) && types_.Of(&n) == r.type)) r = {"V(" + r.text + ")", kAtom, false};
      return {"-" + Wrapped(r, r.precedence < kUnary || r.text[0] == '-'), kUnary, r.literal, r.type};
    }
    return Combine(op, Expr(n.LeftNode, &n), Expr(n.RightNode, &n), &n);
  }

  // Whether Python's own operator computes what the interpreter does.
  bool Native(BinaryOp op, const PyExpr& l, const PyExpr& r, const TwrTree* node) const {
    const Natural result = types_.Of(node);
    if (result == Natural::None || l.type == Natural::None || r.type == Natural::None) return false;
    switch (op) {
      case BinaryOp::Add:
      case BinaryOp::Subtract:
      case BinaryOp::Multiply:
        return result == Natural::Integer && l.type == Natural::Integer && r.type == Natural::Integer;
      case BinaryOp::And:
      case BinaryOp::Or: return l.type == Natural::Boolean && r.type == Natural::Boolean;
      case BinaryOp::Equal:
      case BinaryOp::NotEqual:
        // Texts are ordered by their Windows-1250 bytes, so only equality is Python's.
        if (l.type == r.type && (l.type == Natural::Boolean || l.type == Natural::Text)) return true;
        return IsNumber(l.type) && IsNumber(r.type);
      case BinaryOp::Less:
      case BinaryOp::LessEqual:
      case BinaryOp::Greater:
      case BinaryOp::GreaterEqual: return IsNumber(l.type) && IsNumber(r.type);
      default: return false;
    }
  }

  PyExpr Combine(BinaryOp op, PyExpr l, PyExpr r, const TwrTree* node) {
    if (op == BinaryOp::Div || op == BinaryOp::Mod) {
      sections_.insert("div");
      return {std::string(op == BinaryOp::Div ? "div(" : "mod(") + l.text + ", " + r.text + ")", kAtom, false};
    }
    const bool native = Native(op, l, r, node);
    // Two plain values would compute as Python computes them: one becomes a V.
    if (!native && l.type != Natural::None && r.type != Natural::None) l = {"V(" + l.text + ")", kAtom, false};
    std::string sign;
    int precedence = kAtom;
    switch (op) {
      case BinaryOp::Add: sign = "+"; precedence = kSum; break;
      case BinaryOp::Subtract: sign = "-"; precedence = kSum; break;
      case BinaryOp::Multiply: sign = "*"; precedence = kProduct; break;
      case BinaryOp::Divide: sign = "/"; precedence = kProduct; break;
      case BinaryOp::Shl: sign = "<<"; precedence = kShift; break;
      case BinaryOp::Shr: sign = ">>"; precedence = kShift; break;
      case BinaryOp::And: sign = "&"; precedence = kBitAnd; break;
      case BinaryOp::Or: sign = "|"; precedence = kBitOr; break;
      case BinaryOp::Equal: sign = "=="; precedence = kCompare; break;
      case BinaryOp::NotEqual: sign = "!="; precedence = kCompare; break;
      case BinaryOp::Less: sign = "<"; precedence = kCompare; break;
      case BinaryOp::LessEqual: sign = "<="; precedence = kCompare; break;
      case BinaryOp::Greater: sign = ">"; precedence = kCompare; break;
      case BinaryOp::GreaterEqual: sign = ">="; precedence = kCompare; break;
      default: throw Unsupported{"an operator without a counterpart"};
    }
    // Comparisons never chain: a comparison inside one is always parenthesised.
    const bool left_paren = l.precedence < precedence || (precedence == kCompare && l.precedence == kCompare);
    const bool right_paren = r.precedence <= precedence;
    return {Wrapped(l, left_paren) + " " + sign + " " + Wrapped(r, right_paren), precedence, false,
            native ? types_.Of(node) : Natural::None};
  }

  PyExpr Call(const TwrTree& n) {
    if (!n.ExtName.empty()) throw Unsupported{"the extension function " + n.ExtName};
    if (n.FuncIndex < 1 || n.FuncIndex > kBuiltinFunctionCount) throw Unsupported{"an unknown function"};
    std::vector<const TwrTree*> args;
    ListItems(n.RightNode, args);
    if (!BuiltinAcceptsArgumentCount(n.FuncIndex, args.size())) throw Unsupported{"a call with a wrong number of arguments"};
    const std::string name(kBuiltinFunctions[static_cast<size_t>(n.FuncIndex - 1)].Name);
    sections_.insert(name);
    std::string text = name + "(";
    for (size_t k = 0; k < args.size(); ++k) text += (k ? ", " : "") + Expr(args[k], &n).text;
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
  std::string unsupported_comment_;
};

}  // namespace
}  // namespace python_printer

void PrintPython(const PrintJob& job, ExportResult& result) {
  python_printer::PythonPrinter printer(job, result);
  printer.Print();
}

}  // namespace tessaro::codegen
