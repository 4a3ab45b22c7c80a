// Classifying one instruction text into the statement forms dim, set, read,
// write, or an expression, with the tree and the step list each form yields.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/language/expression_tree.h"

namespace tessaro {

enum class TStatementForm { Dim, Set, Read, Write, Expression };

// "dim", "set", "read", "write" or "expression".
std::string_view StatementFormName(TStatementForm form);

struct TParsedStatement {
  TStatementForm Form = TStatementForm::Expression;
  TwrTree* Tree = nullptr;       // owned by the caller; free with FreeTree
  std::vector<TwrTree*> Steps;   // executed from the end
  // The parser's triple: of the expression, of the first read or write item
  // that has one; all zero for dim and set.
  TParseError Error;
};

// The compile error for a parse error: the operator that stands after a value.
std::string ParseErrorText(const TParseError& error);

// A statement keyword counts, in any letter case, only when a space follows
// it, so «write(x)» is an expression. Leading spaces are ignored.
//   dim    one node per item, chained through LeftNode in written order;
//          Steps in written order, so the last item is declared first.
//   set    one node: ItemName the target, SrcText the tuple text.
//   read,
//   write  one node per item, the root being the last item's, each LeftNode
//          the item before; RightNode the item parsed as an expression. Steps
//          lists, from the last item to the first, the item's node and then
//          its expression in pre-order, so items run in written order.
TParsedStatement ClassifyInstruction(std::string_view text);

}  // namespace tessaro
