#include "core/codegen/variable_use.h"

#include <algorithm>

#include "core/language/compiler.h"
#include "core/language/text_rules.h"
#include "core/runtime/value_ops.h"

namespace tessaro::codegen {

namespace {

std::string Folded(std::string_view s, bool ignore_case) {
  std::string out(s);
  if (ignore_case) {
    for (char& c : out) c = AsciiUpper(c);
  }
  return out;
}

void MarkElements(const TKompilatorTS& program, const TwrTree* node, std::vector<char>& marks) {
  if (!node) return;
  auto mark = [&](int32_t v) {
    if (v >= 0 && v < static_cast<int32_t>(marks.size())) marks[static_cast<size_t>(v)] = 1;
  };
  if (node->NodeKind == kIndexedNode && node->LeftNode) mark(node->LeftNode->VarIndex);
  if (node->NodeKind == kStatementNode && (node->OpText == "dim" || node->OpText == "set")) mark(node->VarIndex);
  if (node->NodeKind == kStatementNode && node->OpText == "read" && FindVariable(program, node->ItemName) == -1) {
    mark(FindVariable(program, std::string_view(node->ItemName).substr(0, node->ItemName.find('['))));
  }
  MarkElements(program, node->LeftNode, marks);
  MarkElements(program, node->RightNode, marks);
}

void ExpressionAccesses(const TwrTree* node, std::vector<VariableAccess>& out) {
  if (!node) return;
  if (node->NodeKind == kLeafNode) {
    if (node->VarIndex >= 0) {
      const bool inc = node->IncMode != kNoIncrement;
      out.push_back({node->VarIndex, true, inc, true});
    }
    return;
  }
  if (node->NodeKind == kIndexedNode) {
    if (node->LeftNode && node->LeftNode->VarIndex >= 0) out.push_back({node->LeftNode->VarIndex, true, false, false});
    ExpressionAccesses(node->RightNode, out);
    return;
  }
  if (node->NodeKind == kBinaryNode && node->LeftNode &&
      (node->OpText == ":=" || node->OpText == "=" || CompoundAssignmentOp(node->OpText) != BinaryOp::None)) {
    const bool plain = node->OpText == ":=" || node->OpText == "=";
    const TwrTree* target = node->LeftNode;
    if (target->NodeKind == kLeafNode && target->VarIndex >= 0) {
      out.push_back({target->VarIndex, !plain || target->IncMode != kNoIncrement, true, true});
    } else if (target->NodeKind == kIndexedNode && target->LeftNode && target->LeftNode->VarIndex >= 0) {
      out.push_back({target->LeftNode->VarIndex, !plain, true, false});
      ExpressionAccesses(target->RightNode, out);
    } else {
      ExpressionAccesses(target, out);
    }
    ExpressionAccesses(node->RightNode, out);
    return;
  }
  ExpressionAccesses(node->LeftNode, out);
  ExpressionAccesses(node->RightNode, out);
}

}  // namespace

void InstructionAccesses(const TKompilatorTS& program, const TwrTree* root, std::vector<VariableAccess>& out) {
  if (!root) return;
  if (root->NodeKind != kStatementNode) {
    ExpressionAccesses(root, out);
    return;
  }
  for (const TwrTree* item = root; item; item = item->LeftNode) {
    if (item->OpText == "dim" || item->OpText == "set") {
      if (item->VarIndex >= 0) out.push_back({item->VarIndex, false, true, false});
      continue;
    }
    const int32_t v = FindVariable(program, item->ItemName);
    if (item->OpText == "read") {
      if (v >= 0) {
        out.push_back({v, true, true, true});
      } else {
        const int32_t a = FindVariable(program, std::string_view(item->ItemName).substr(0, item->ItemName.find('[')));
        if (a >= 0) out.push_back({a, true, true, false});
        if (item->RightNode && item->RightNode->NodeKind == kIndexedNode) ExpressionAccesses(item->RightNode->RightNode, out);
      }
      continue;
    }
    if (v >= 0) {
      out.push_back({v, true, false, true});
    } else {
      ExpressionAccesses(item->RightNode, out);
    }
  }
}

VariableUse AnalyseVariables(const TKompilatorTS& program, const std::vector<std::string_view>& reserved,
                             bool ignore_case) {
  VariableUse use;
  const size_t count = program.Variables.size();
  use.HasElements.assign(count, 0);
  for (const Trozkaz& ins : program.Instructions) MarkElements(program, ins.Tree.get(), use.HasElements);

  std::vector<std::string> taken;
  for (std::string_view r : reserved) taken.push_back(Folded(r, ignore_case));
  for (const Tzmienna& v : program.Variables) taken.push_back(Folded(v.Name, ignore_case));
  std::vector<std::string> own;  // folded names already given
  for (const Tzmienna& v : program.Variables) {
    const std::string folded = Folded(v.Name, ignore_case);
    const bool keyword = std::any_of(reserved.begin(), reserved.end(), [&](std::string_view r) {
      return Folded(r, ignore_case) == folded;
    });
    const bool twice = std::find(own.begin(), own.end(), folded) != own.end();
    std::string name = v.Name.empty() ? "unnamed" : v.Name;
    if (keyword || twice || v.Name.empty()) {
      for (int k = 1;; ++k) {
        std::string candidate = name + "_" + (k == 1 ? std::string() : std::to_string(k));
        if (k == 1) candidate.pop_back(), candidate += "_";
        if (std::find(taken.begin(), taken.end(), Folded(candidate, ignore_case)) == taken.end()) {
          name = candidate;
          break;
        }
      }
      use.Renamed.push_back(v.Name + " -> " + name);
    }
    taken.push_back(Folded(name, ignore_case));
    own.push_back(Folded(name, ignore_case));
    use.Names.push_back(name);
  }
  return use;
}

std::string FreshName(const std::string& base, const VariableUse& use,
                      const std::vector<std::string_view>& reserved, std::vector<std::string>& taken) {
  for (int k = 1;; ++k) {
    const std::string candidate = k == 1 ? base : base + std::to_string(k);
    auto clash = [&](std::string_view s) { return EqualsIgnoringCase(s, candidate); };
    if (std::any_of(use.Names.begin(), use.Names.end(), clash) ||
        std::any_of(reserved.begin(), reserved.end(), clash) || std::any_of(taken.begin(), taken.end(), clash)) {
      continue;
    }
    taken.push_back(candidate);
    return candidate;
  }
}

}  // namespace tessaro::codegen
