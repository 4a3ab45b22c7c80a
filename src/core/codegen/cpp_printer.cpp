// The C++17 printer. Values are the prelude's Value, whose operators compute
// as the interpreter does, so «s := s * i» becomes «s = s * i;».
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "core/codegen/code_lines.h"
#include "core/codegen/cpp_prelude.h"
#include "core/codegen/printer.h"
#include "core/codegen/variable_use.h"
#include "core/language/builtin_functions.h"
#include "core/language/compiler.h"
#include "core/language/tokens.h"
#include "core/runtime/builtin_calls.h"
#include "core/runtime/value_ops.h"

namespace tessaro::codegen {

// Named per language: the other languages' printers use the same names.
namespace cpp_printer {
namespace {

constexpr std::string_view kKeywords[] = {
    "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break", "case", "catch",
    "char", "class", "compl", "const", "constexpr", "const_cast", "continue", "decltype", "default", "delete",
    "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern", "false", "float", "for",
    "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "not", "not_eq",
    "nullptr", "operator", "or", "or_eq", "private", "protected", "public", "register", "reinterpret_cast",
    "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast", "struct", "switch",
    "template", "this", "thread_local", "throw", "true", "try", "typedef", "typeid", "typename", "union",
    "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq", "int32_t",
    "int64_t", "uint32_t", "uint64_t", "size_t", "EOF", "NULL", "stdout", "stderr", "stdin", "errno",
    "assert", "final", "override", "concept", "requires", "char8_t", "co_await", "co_return", "co_yield"};

// C++'s binding strengths, loosest first.
enum Precedence : int {
  kBitOr = 6,
  kBitAnd = 8,
  kEquality = 9,
  kRelation = 10,
  kShift = 11,
  kSum = 12,
  kProduct = 13,
  kUnary = 15,
  kAtom = 20,
};

struct CppExpr {
  std::string text;
  int precedence = kAtom;
  bool literal = false;  // a bare C++ literal, not yet a Value
  Natural type = Natural::None;  // the C++ type of the text: Value, or int, double, std::string, bool
};

// The C++ type of a variable that holds one kind, and its start value.
std::string_view NaturalType(Natural n) {
  switch (n) {
    case Natural::Integer: return "int";
    case Natural::Real: return "double";
    case Natural::Text: return "std::string";
    case Natural::Boolean: return "bool";
    default: return "Value";
  }
}

std::string_view StartValue(Natural n) {
  switch (n) {
    case Natural::Integer: return " = 0";
    case Natural::Real: return " = 0.0";
    case Natural::Boolean: return " = false";
    default: return "";
  }
}

bool IsNumber(Natural n) { return n == Natural::Integer || n == Natural::Real; }

// A text literal with letters beyond ASCII: the source is UTF-8, so only
// the prelude's Value (or from_utf8) turns it into the program's text.
bool WideLiteral(const CppExpr& e) {
  return e.literal && e.type == Natural::Text &&
         std::any_of(e.text.begin(), e.text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string CppString(const std::string& s) {
  std::string out = "\"";
  for (size_t k = 0; k < s.size(); ++k) {
    const char c = s[k];
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", u);
      out += buf;
    } else if (c == '?' && k + 1 < s.size() && s[k + 1] == '?') {
      out += "?\\";  // no trigraphs
    } else {
      out += c;
    }
  }
  return out + "\"";
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

class CppPrinter {
 public:
  CppPrinter(const PrintJob& job, ExportResult& result)
      : p_(job.Program), tree_(job.Tree), options_(job.Options), types_(job.Types), result_(result) {
    std::vector<std::string_view> reserved(std::begin(kKeywords), std::end(kKeywords));
    for (std::string_view n : CppPreludeNames()) reserved.push_back(n);
    use_ = AnalyseVariables(p_, reserved, false);
    std::vector<std::string> taken;
    for (int32_t f = 0; f < tree_.FlagCount; ++f) flags_.push_back(FreshName("leave" + std::to_string(f + 1), use_, reserved, taken));
    if (tree_.UsesState) state_ = FreshName("state", use_, reserved, taken);
    used_.assign(p_.Variables.size(), 0);
  }

  void Print() {
    CodeLines body;
    Statements(tree_.Body, 1, body);
    CodeLines out;
    out.Add(0, "// " + (options_.Title.empty() ? std::string("Program") : options_.Title) +
                   ": exported from a Tessaro flowchart.");
    out.Add(0, "// Values, arithmetic, read and write follow the flowchart interpreter (prelude below).");
    if (!use_.Renamed.empty()) {
      std::string list;
      for (const std::string& r : use_.Renamed) list += (list.empty() ? "" : ", ") + r;
      out.Add(0, "// Renamed where a name is reserved in C++: " + list + ".");
    }
    out.Blank();
    out.AddText(CppPrelude(std::vector<std::string>(sections_.begin(), sections_.end())));
    out.Blank();
    out.Add(0, "void program() {");
    // Variables of one kind get C++'s own type; the others the prelude's Value.
    for (Natural kind : {Natural::None, Natural::Integer, Natural::Real, Natural::Text, Natural::Boolean}) {
      std::string plain;
      for (size_t v = 0; v < used_.size(); ++v) {
        if (used_[v] && !use_.HasElements[v] && types_.OfVariable(static_cast<int32_t>(v)) == kind) {
          plain += (plain.empty() ? "" : ", ") + use_.Names[v] + std::string(StartValue(kind));
        }
      }
      if (!plain.empty()) out.Add(1, std::string(NaturalType(kind)) + " " + plain + ";");
    }
    for (size_t v = 0; v < used_.size(); ++v) {
      if (used_[v] && use_.HasElements[v]) out.Add(1, "Arr " + use_.Names[v] + ";");
    }
    if (!flags_.empty()) {
      std::string list;
      for (const std::string& f : flags_) list += (list.empty() ? "" : ", ") + f + " = false";
      out.Add(1, "bool " + list + ";");
    }
    if (!state_.empty()) out.Add(1, "int " + state_ + " = 0;");
    out.Append(body);
    out.Add(0, "}");
    out.Blank();
    out.Add(0, "int main() { return run(program); }");
    result_.Text = out.Text();
    result_.Lines = out.Origins();
    result_.MoreOrigins = out.MoreOrigins();
  }


 private:
  // ---- statements ----

  void Statements(const std::vector<Stmt>& seq, int depth, CodeLines& out) {
    for (const Stmt& s : seq) Statement(s, depth, out);
  }

  void Statement(const Stmt& s, int depth, CodeLines& out) {
    switch (s.Kind) {
      case StmtKind::Instruction: Instruction(s.Instruction, depth, out); return;
      case StmtKind::SetState: out.Add(depth, state_ + " = " + std::to_string(s.Value) + ";"); return;
      case StmtKind::SetFlag:
        out.Add(depth, flags_[static_cast<size_t>(s.Value)] + (s.FlagValue ? " = true;" : " = false;"));
        return;
      case StmtKind::Break: out.Add(depth, "break;"); return;
      case StmtKind::Continue: out.Add(depth, "continue;"); return;
      case StmtKind::Return: out.Add(depth, "return;"); return;
      case StmtKind::If: {
        const Stmt* at = &s;
        std::string keyword = "if (";
        for (;;) {
          out.Add(depth, Header(keyword, at->Cond, ") {"), Origin(at->Cond));
          Statements(at->Body, depth + 1, out);
          if (at->Otherwise.size() == 1 && at->Otherwise[0].Kind == StmtKind::If) {
            at = &at->Otherwise[0];
            keyword = "} else if (";
            continue;
          }
          if (!at->Otherwise.empty()) {
            out.Add(depth, "} else {");
            Statements(at->Otherwise, depth + 1, out);
          }
          out.Add(depth, "}");
          return;
        }
      }
      case StmtKind::Loop:
        switch (s.Form) {
          case LoopForm::Forever:
            out.Add(depth, "while (true) {");
            Statements(s.Body, depth + 1, out);
            out.Add(depth, "}");
            return;
          case LoopForm::While:
            out.Add(depth, Header("while (", s.Cond, ") {"), Origin(s.Cond));
            Statements(s.Body, depth + 1, out);
            out.Add(depth, "}");
            return;
          case LoopForm::DoWhile:
            out.Add(depth, "do {");
            Statements(s.Body, depth + 1, out);
            out.Add(depth, Header("} while (", s.Cond, ");"), Origin(s.Cond));
            return;
          case LoopForm::For: {
            std::string init, step;
            if (!HeaderPart(s.Init, init) || !HeaderPart(s.Step, step)) {
              // Printed as it was drawn, so the part that is not exported shows its mark.
              Instruction(s.Init, depth, out);
              out.Add(depth, Header("while (", s.Cond, ") {"), Origin(s.Cond));
              Statements(s.Body, depth + 1, out);
              Instruction(s.Step, depth + 1, out);
              out.Add(depth, "}");
              return;
            }
            out.Add(depth, Header("for (" + init + "; ", s.Cond, "; " + step + ") {"), Origin(s.Cond));
            out.AddOrigin(InstructionOrigin(s.Init));
            out.AddOrigin(InstructionOrigin(s.Step));
            Statements(s.Body, depth + 1, out);
            out.Add(depth, "}");
            return;
          }
        }
    }
  }

  LineOrigin InstructionOrigin(int32_t index) const {
    return {p_.Instructions[static_cast<size_t>(index)].BlockIndex, index};
  }

  // A for header's start or step: one statement without its semicolon.
  bool HeaderPart(int32_t index, std::string& text) {
    std::vector<std::string> lines;
    try {
      InstructionLines(p_.Instructions[static_cast<size_t>(index)].Tree.get(), lines);
    } catch (const Unsupported&) {
      return false;
    }
    if (lines.size() != 1 || lines[0].empty() || lines[0].back() != ';') return false;
    text = lines[0].substr(0, lines[0].size() - 1);
    return true;
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
        text = state_ + " == " + std::to_string(c.Value);
        precedence = kEquality;
        break;
      case ConditionKind::Flags:
        for (int32_t f : c.Flags) text += (text.empty() ? "" : " || ") + flags_[static_cast<size_t>(f)];
        precedence = c.Flags.size() > 1 ? 2 : kAtom;
        break;
      case ConditionKind::Instruction: {
        const Trozkaz& ins = p_.Instructions[static_cast<size_t>(c.Instruction)];
        try {
          CppExpr e = ConditionExpr(ins.Tree.get());
          text = e.text;
          precedence = e.precedence;
        } catch (const Unsupported& u) {
          Warn(ins, u.Reason);
          text = "Value()";
          comment = "  // not exported: " + ins.Text;
        }
        break;
      }
    }
    if (c.Negated) text = precedence >= kAtom ? "!" + text : "!(" + text + ")";
    return keyword + text + close + comment;
  }

  CppExpr ConditionExpr(const TwrTree* root) {
    if (root && root->NodeKind == kBinaryNode && (root->OpText == ":=" || root->OpText == "=")) {
      const TwrTree* target = root->LeftNode;
      if (!target || target->NodeKind != kLeafNode || target->VarIndex < 0 || target->IncMode != kNoIncrement ||
          use_.HasElements[static_cast<size_t>(target->VarIndex)]) {
        throw Unsupported{"an assignment used as a condition"};
      }
      CppExpr value = Expr(root->RightNode, root);
      const Natural kind = types_.OfVariable(target->VarIndex);
      CppExpr e{"(" + Variable(target->VarIndex) + " = " + Converted(value, kind) + ")", kAtom, false, kind};
      if (kind == Natural::Text) e = AsValue(e);
      return e;
    }
    CppExpr e = Expr(root, nullptr);
    // A text has no truth value of its own in C++.
    if (e.literal || e.type == Natural::Text) e = AsValue(e);
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
      lines.assign(1, "// not exported (" + u.Reason + "): " + ins.Text);
    }
    for (const std::string& l : lines) {
      out.Add(depth, l, origin);
      if (options_.BlockNumbers) out.AppendComment(out.Size() - 1, "  // block " + std::to_string(ins.BlockIndex));
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
      if (use_.HasElements[static_cast<size_t>(root->VarIndex)]) {
        lines.push_back(name + " = " + name + (up ? " + 1;" : " - 1;"));
      } else if (types_.OfVariable(root->VarIndex) == Natural::Real) {
        lines.push_back(name + (up ? " += 1.0;" : " -= 1.0;"));
        lines.push_back(name + " = " + name + (up ? " + 1;" : " - 1;"));
      } else {
        lines.push_back(name + (up ? " += 1;" : " -= 1;"));
      }
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
    CppExpr e = Expr(root, nullptr);
    if (e.type != Natural::None && !e.literal) lines.push_back("static_cast<void>(" + e.text + ");");
    else if (!e.literal) lines.push_back(e.text + ";");
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
    CppExpr value = Expr(node.RightNode, &node);
    const Natural kind = plain_variable ? types_.OfVariable(target.VarIndex) : Natural::None;
    if (plain) return left + " = " + Converted(value, kind) + ";";
    CppExpr current{left, kAtom, false, kind};
    const CppExpr result = Combine(compound, current, value, &node);
    const bool member = plain_variable && (compound == BinaryOp::Add || compound == BinaryOp::Subtract ||
                                           compound == BinaryOp::Multiply || compound == BinaryOp::Divide);
    if (member && (kind == Natural::None || result.type == kind)) {
      return left + " " + std::string(node.OpText) + " " + value.text + ";";
    }
    return left + " = " + Converted(result, kind) + ";";
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
      lines.push_back(Variable(item.VarIndex, true) + ".dim({" + sizes + "});");
      return;
    }
    if (item.OpText == "set") {
      if (item.VarIndex < 0) throw Unsupported{"a tuple without a name"};
      lines.push_back(Variable(item.VarIndex, true) + ".set(" + CppString(item.SrcText) + ");");
      return;
    }
    if (item.OpText == "write") {
      sections_.insert("write");
      const int32_t v = FindVariable(p_, item.ItemName);
      if (v >= 0) {
        lines.push_back("write_var(" + Variable(v, true) + ");");
        return;
      }
      lines.push_back("write(" + Expr(item.RightNode, &item).text + ");");
      return;
    }
    if (item.OpText == "read") {
      sections_.insert("read");
      const int32_t v = FindVariable(p_, item.ItemName);
      if (v >= 0) {
        if (use_.HasElements[static_cast<size_t>(v)]) {
          lines.push_back("read_into(" + Variable(v, true) + ");");
        } else {
          const std::string name = Variable(v);
          lines.push_back(name + " = read_value(" + name + ");");
        }
        return;
      }
      const TwrTree* element = item.RightNode;
      if (!element || element->NodeKind != kIndexedNode || !element->LeftNode ||
          FindVariable(p_, std::string_view(item.ItemName).substr(0, item.ItemName.find('['))) < 0) {
        throw Unsupported{"a read of something that is not a variable"};
      }
      lines.push_back(Element(*element) + " = read_text();");
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
    const std::string name = Variable(node.LeftNode->VarIndex, true);
    std::string list;
    for (size_t k = 0; k < indexes.size(); ++k) list += (k ? ", " : "") + Expr(indexes[k], &node).text;
    return indexes.size() == 1 ? name + "[" + list + "]" : name + "(" + list + ")";
  }

  static std::string Wrapped(const CppExpr& e, bool parenthesise) {
    return parenthesise ? "(" + e.text + ")" : e.text;
  }

  CppExpr Literal(const TValue& v) {
    switch (v.Kind()) {
      case ValueKind::Empty: return {"Value()", kAtom, false};
      case ValueKind::Integer:
        // -2147483648 is no literal of int.
        if (v.AsInteger() == INT32_MIN) return {"(-2147483647 - 1)", kAtom, true, Natural::Integer};
        return {std::to_string(v.AsInteger()), v.AsInteger() < 0 ? kUnary : kAtom, true, Natural::Integer};
      case ValueKind::Real: return {RealLiteral(v.AsReal()), v.AsReal() < 0 ? kUnary : kAtom, true, Natural::Real};
      case ValueKind::String: return {CppString(v.AsString()), kAtom, true, Natural::Text};
      case ValueKind::Boolean: return {v.AsBoolean() ? "true" : "false", kAtom, true, Natural::Boolean};
    }
    return {"Value()", kAtom, false};
  }

  CppExpr Expr(const TwrTree* n, const TwrTree* parent) {
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
        CppExpr r = Expr(n->RightNode, n);
        if (r.type == Natural::Boolean && types_.Of(n) == Natural::Boolean) {
          return {"!" + Wrapped(r, r.precedence < kUnary), kUnary, false, Natural::Boolean};
        }
        if (r.type != Natural::None) r = AsValue(r);
        return {"~" + Wrapped(r, r.precedence < kUnary), kUnary, false};
      }
      case kBinaryNode: return Binary(*n);
      default: throw Unsupported{"an expression form without a counterpart"};
    }
  }

  CppExpr Binary(const TwrTree& n) {
    if (n.OpText == "^") throw Unsupported{"the ^ operator"};
    if (n.OpText == ":=" || n.OpText == "=" || CompoundAssignmentOp(n.OpText) != BinaryOp::None) {
      throw Unsupported{"an assignment inside an expression"};
    }
    const BinaryOp op = BinaryOpFromText(n.OpText);
    if (op == BinaryOp::None) throw Unsupported{"the " + n.OpText + " operator"};
    if (!n.RightNode) throw Unsupported{"a missing operand"};
    if (!n.LeftNode) {
      if (op != BinaryOp::Subtract) throw Unsupported{"a missing operand"};
      CppExpr r = Expr(n.RightNode, &n);
      if (r.literal && r.text[0] == '"') r = AsValue(r);
      // A negated number stays a C++ number only where it cannot overflow.
      if (r.type != Natural::None && !(IsNumber(r.type) && types_.Of(&n) == r.type)) r = AsValue(r);
      return {"-" + Wrapped(r, r.precedence < kUnary || r.text[0] == '-'), kUnary, r.literal, r.type};
    }
    return Combine(op, Expr(n.LeftNode, &n), Expr(n.RightNode, &n), &n);
  }

  // Whether C++'s own operator computes what the interpreter does: the
  // operands hold one kind each and the result cannot overflow.
  bool Native(BinaryOp op, const CppExpr& l, const CppExpr& r, const TwrTree* node) const {
    const Natural result = types_.Of(node);
    if (result == Natural::None || l.type == Natural::None || r.type == Natural::None) return false;
    switch (op) {
      case BinaryOp::Add:
      case BinaryOp::Subtract:
      case BinaryOp::Multiply:
        return result == Natural::Integer && l.type == Natural::Integer && r.type == Natural::Integer;
      case BinaryOp::Equal:
      case BinaryOp::NotEqual:
        if (l.type == Natural::Boolean && r.type == Natural::Boolean) return true;
        [[fallthrough]];
      case BinaryOp::Less:
      case BinaryOp::LessEqual:
      case BinaryOp::Greater:
      case BinaryOp::GreaterEqual:
        if (IsNumber(l.type) && IsNumber(r.type)) return true;
        return l.type == Natural::Text && r.type == Natural::Text && !(l.literal && r.literal) && !WideLiteral(l) &&
               !WideLiteral(r);
      default: return false;
    }
  }

  static CppExpr AsValue(const CppExpr& e) { return {"Value(" + e.text + ")", kAtom, false}; }

  // An expression assigned to a variable of kind `kind`, which it provably has.
  static std::string Converted(const CppExpr& e, Natural kind) {
    if (WideLiteral(e) && kind == Natural::Text) return "from_utf8(" + e.text + ")";
    if (kind == Natural::None || e.type == kind) return e.text;
    switch (kind) {
      case Natural::Integer: return "to_int(" + e.text + ")";
      case Natural::Real: return "to_real(" + e.text + ")";
      case Natural::Text: return "text(" + e.text + ")";
      default: return "to_bool(" + e.text + ")";
    }
  }

  CppExpr Combine(BinaryOp op, CppExpr l, CppExpr r, const TwrTree* node) {
    if (op == BinaryOp::Div || op == BinaryOp::Mod) {
      sections_.insert("div");
      return {std::string(op == BinaryOp::Div ? "Div(" : "Mod(") + l.text + ", " + r.text + ")", kAtom, false};
    }
    const bool native = Native(op, l, r, node);
    // Two C++ values would compute as C++ does: one becomes a Value.
    if (!native && l.type != Natural::None && r.type != Natural::None) l = AsValue(l);
    // A text literal is no Value either: its operators would be the pointer's.
    if (!native && l.literal && l.text[0] == '"') l = AsValue(l);
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
      case BinaryOp::Equal: sign = "=="; precedence = kEquality; break;
      case BinaryOp::NotEqual: sign = "!="; precedence = kEquality; break;
      case BinaryOp::Less: sign = "<"; precedence = kRelation; break;
      case BinaryOp::LessEqual: sign = "<="; precedence = kRelation; break;
      case BinaryOp::Greater: sign = ">"; precedence = kRelation; break;
      case BinaryOp::GreaterEqual: sign = ">="; precedence = kRelation; break;
      default: throw Unsupported{"an operator without a counterpart"};
    }
    const bool comparison = precedence == kEquality || precedence == kRelation;
    auto is_comparison = [](const CppExpr& e) { return e.precedence == kEquality || e.precedence == kRelation; };
    const bool left_paren = l.precedence < precedence || (comparison && is_comparison(l)) ||
                            (precedence <= kBitAnd && l.precedence < kUnary && l.precedence != precedence);
    const bool right_paren = r.precedence <= precedence || (comparison && is_comparison(r)) ||
                             (precedence <= kBitAnd && r.precedence < kUnary);
    // The prelude's comparisons give a C++ bool too.
    return {Wrapped(l, left_paren) + " " + sign + " " + Wrapped(r, right_paren), precedence, false,
            native ? types_.Of(node) : comparison ? Natural::Boolean : Natural::None};
  }

  CppExpr Call(const TwrTree& n) {
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
};

}  // namespace
}  // namespace cpp_printer

void PrintCpp(const PrintJob& job, ExportResult& result) {
  cpp_printer::CppPrinter printer(job, result);
  printer.Print();
}

}  // namespace tessaro::codegen
