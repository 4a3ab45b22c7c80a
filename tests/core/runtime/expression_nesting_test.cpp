// The nesting limit of expressions and the memory of their trees: a deep or
// long text is refused with one parse error, and a tree holds its text once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/language/statement_parser.h"
#include "core/language/expression_tree.h"
#include "program_harness.h"

namespace tessaro {
namespace {

std::string Nested(int depth, const std::string& open, const std::string& close) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += open;
  text += "1";
  for (int i = 0; i < depth; ++i) text += close;
  return text;
}

std::string Sum(int terms) {
  std::string text = "1";
  for (int i = 1; i < terms; ++i) text += "+1";
  return text;
}

// Characters held by the texts of every node of the tree.
size_t TextInTree(const TwrTree* root) {
  size_t total = 0;
  std::vector<const TwrTree*> pending{root};
  while (!pending.empty()) {
    const TwrTree* node = pending.back();
    pending.pop_back();
    if (!node) continue;
    total += node->SrcText.size() + node->OpText.size();
    pending.push_back(node->LeftNode);
    pending.push_back(node->RightNode);
  }
  return total;
}

TEST(ExpressionNesting, DeepTextsAreRefusedAtTheLimit) {
  const int limit = kMaxExpressionNesting;
  struct Case {
    std::string name;
    std::string text;
    int refused_at;  // the limit named, 0 when accepted
  } cases[] = {
      // Every bracket is a level of the tree too: a few hundred fit.
      {"brackets well inside", Nested(limit / 4, "(", ")"), 0},
      {"brackets at the limit", Nested(limit, "(", ")"), kMaxTreeDepth},
      {"brackets past the limit", Nested(limit + 1, "(", ")"), limit},
      {"32,000 brackets", Nested(32000, "(", ")"), limit},
      {"square brackets past the limit", "t" + Nested(limit + 1, "[", "]"), limit},
      {"calls past the limit", Nested(limit + 1, "Sqrt(", ")"), limit},
      {"a long sum", Sum(kMaxTreeDepth / 2), 0},
      {"a sum past the tree's limit", Sum(kMaxTreeDepth + 2), kMaxTreeDepth},
      {"quoted brackets do not nest", "'" + std::string(5000, '(') + "'", 0},
  };
  for (const Case& c : cases) {
    const TParsedExpression parsed = ParseExpression(c.text);
    const TreeOwner tree(parsed.Root);
    EXPECT_EQ(parsed.Error.TooDeep, c.refused_at != 0) << c.name;
    if (c.refused_at == 0) continue;
    EXPECT_TRUE(parsed.Error.Flag) << c.name;
    ASSERT_NE(tree, nullptr);
    EXPECT_TRUE(IsParseErrorNode(*tree)) << c.name;
    EXPECT_EQ(tree->LeftNode, nullptr) << c.name;
    EXPECT_EQ(ParseErrorText(parsed.Error), FormatText(LangText("msgcmp000060"), {std::to_string(c.refused_at)}))
        << c.name;
  }
}

TEST(ExpressionNesting, ATreeHoldsItsTextOnce) {
  for (const std::string& text : {Sum(900), "x := " + Nested(300, "(a+", ")"), "f(" + Sum(800) + ")"}) {
    const TParsedExpression parsed = ParseExpression(text);
    const TreeOwner tree(parsed.Root);
    ASSERT_FALSE(parsed.Error.Flag) << text.substr(0, 20);
    EXPECT_LE(TextInTree(tree.get()), 2 * text.size()) << text.substr(0, 20);
  }
}

TEST(ExpressionNesting, TheCompilerReportsTheDeepInstructionAtItsBlock) {
  test::ProgramHarness h("start 1 -1\nproc 2 -1 x := 1\nproc 3 -1 y := " + Nested(1500, "(", ")") +
                         "\nend -1 -1\n");
  EXPECT_FALSE(h.Compile());
  ASSERT_EQ(h.c.Errors.size(), 1u);
  EXPECT_EQ(h.c.Errors[0].Block, 2);
  EXPECT_EQ(h.c.Errors[0].Text, FormatText(LangText("msgcmp000060"), {std::to_string(kMaxExpressionNesting)}));
}

}  // namespace
}  // namespace tessaro
