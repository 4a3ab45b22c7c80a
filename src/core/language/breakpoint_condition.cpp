#include "core/language/breakpoint_condition.h"

#include "core/language/operator_table.h"
#include "core/language/statement_parser.h"

namespace tessaro {

namespace {

bool IsAssignmentOperator(std::string_view text) {
  for (const TOperatorSlot& slot : kOperators) {
    if (slot.Group == 10 && slot.Text == text) return true;
  }
  return false;
}

// True when evaluating the tree would store into a variable.
bool Changes(const TwrTree* node) {
  if (!node) return false;
  if (node->NodeKind == kLeafNode) {
    const std::string& mark = node->OpText;
    return mark.find("++") != std::string::npos || mark.find("--") != std::string::npos;
  }
  if (IsAssignmentOperator(node->OpText)) return true;
  return Changes(node->LeftNode) || Changes(node->RightNode);
}

}  // namespace

std::string_view BreakpointConditionFault(std::string_view text) {
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) return "msgp00002";
  TParsedStatement parsed = ClassifyInstruction(text);
  const TreeOwner tree(parsed.Tree);
  if (parsed.Form != TStatementForm::Expression) return "msgp00003";
  if (Changes(tree.get())) return "msgp00004";
  return "";
}

}  // namespace tessaro
