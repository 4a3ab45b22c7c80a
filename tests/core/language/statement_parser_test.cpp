#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language/statement_parser.h"
#include "core/runtime/tree_shape.h"

namespace tessaro {
namespace {

using test::TreeShape;

// Owns the tree of one classification.
struct Parsed {
  explicit Parsed(const std::string& text) : result(ClassifyInstruction(text)), owner(result.Tree) {}
  TParsedStatement result;
  TreeOwner owner;
};

std::vector<std::string> Labels(const std::vector<TwrTree*>& steps) {
  std::vector<std::string> labels;
  for (const TwrTree* n : steps) labels.push_back(n->OpText.empty() ? n->SrcText : n->OpText);
  return labels;
}

struct FormCase {
  const char* text;
  TStatementForm form;
};

TEST(StatementForms, KeywordsNeedAFollowingSpace) {
  const FormCase cases[] = {
      {"dim a", TStatementForm::Dim},         {"Dim a", TStatementForm::Dim},
      {"DIM a", TStatementForm::Dim},         {"  dim a", TStatementForm::Dim},
      {"dim", TStatementForm::Expression},    {"dima", TStatementForm::Expression},
      {"set t:=(1)", TStatementForm::Set},    {"SET t=(1)", TStatementForm::Set},
      {"read x", TStatementForm::Read},       {"Read x", TStatementForm::Read},
      {"write x", TStatementForm::Write},     {"WRITE x", TStatementForm::Write},
      {"write(x)", TStatementForm::Expression}, {"x := 1", TStatementForm::Expression},
  };
  for (const FormCase& c : cases) EXPECT_EQ(Parsed(c.text).result.Form, c.form) << c.text;
  EXPECT_EQ(TreeShape(Parsed("dim").result.Tree), "dim");
}

struct DeclarationCase {
  const char* text;
  std::vector<std::pair<std::string, std::string>> items;  // name, size text
};

TEST(StatementForms, Declarations) {
  const DeclarationCase cases[] = {
      {"dim a", {{"a", "1"}}},
      {"dim t[3,4], v", {{"t", "3,4"}, {"v", "1"}}},
      {"dim t [ 2 , 3 ]", {{"t", "2,3"}}},
      {"dim =a", {{"a", "1"}}},
      {"dim a[2]b", {{"ab", "2"}}},
      {"dim t[2,2], u[3], w", {{"t", "2,2"}, {"u", "3"}, {"w", "1"}}},
      // An unmatched «[» keeps the rest, appended "," included, as one item.
      {"dim t[3", {{"t", "3,"}}},
      {"dim a, t[3", {{"a", "1"}, {"t", "3,"}}},
  };
  for (const DeclarationCase& c : cases) {
    const Parsed p(c.text);
    ASSERT_EQ(p.result.Steps.size(), c.items.size()) << c.text;
    const TwrTree* node = p.result.Tree;
    for (size_t i = 0; i < c.items.size(); ++i, node = node->LeftNode) {
      ASSERT_NE(node, nullptr) << c.text;
      EXPECT_EQ(p.result.Steps[i], node) << c.text << ": steps follow the written order";
      EXPECT_EQ(node->NodeKind, kStatementNode);
      EXPECT_EQ(node->OpText, "dim");
      EXPECT_EQ(node->ItemName, c.items[i].first) << c.text;
      EXPECT_EQ(node->DimsText, c.items[i].second) << c.text;
      EXPECT_EQ(node->SrcText, "[" + c.items[i].second + "]");
      EXPECT_EQ(node->NodeValue, TValue::String("[" + c.items[i].second + "]"));
      EXPECT_EQ(node->VarIndex, -1);
      EXPECT_EQ(node->RightNode, nullptr);
    }
    EXPECT_EQ(node, nullptr) << c.text;
    EXPECT_FALSE(p.result.Error.Flag);
  }
}

TEST(StatementForms, TupleAssignment) {
  struct SetCase {
    const char* text;
    const char* target;
    const char* value;
  };
  const SetCase cases[] = {
      {"set t:=(1,2)", "t", "(1,2)"},
      {"set t=(1,2)", "t", "(1,2)"},
      {"set t := (1, 'a b')", "t", "(1,'a b')"},
      {"set t := ((1,2),(3,4))", "t", "((1,2),(3,4))"},
      {"set t", "t", ""},
  };
  for (const SetCase& c : cases) {
    const Parsed p(c.text);
    ASSERT_NE(p.result.Tree, nullptr);
    EXPECT_EQ(p.result.Tree->OpText, "set");
    EXPECT_EQ(p.result.Tree->NodeKind, kStatementNode);
    EXPECT_EQ(p.result.Tree->ItemName, c.target) << c.text;
    EXPECT_EQ(p.result.Tree->SrcText, c.value) << c.text;
    EXPECT_EQ(p.result.Tree->LeftNode, nullptr);
    EXPECT_EQ(p.result.Tree->RightNode, nullptr);
    EXPECT_EQ(p.result.Steps, std::vector<TwrTree*>{p.result.Tree});
  }
}

struct ItemCase {
  const char* text;
  std::vector<std::string> items;        // written order
  std::vector<std::string> item_shapes;  // each item's expression tree
};

// Commas split only outside apostrophes where the round and the square
// brackets are all closed.
TEST(StatementForms, InputAndOutputItems) {
  const ItemCase cases[] = {
      {"write x", {"x"}, {"x"}},
      {"write Power(2,3)", {"Power(2,3)"}, {"funkcja(Power, ,(2, 3))"}},
      {"write Power(2,3), x", {"Power(2,3)", "x"}, {"funkcja(Power, ,(2, 3))", "x"}},
      {"write t[Max(1,2),3], (1)", {"t[Max(1,2),3]", "(1)"}, {"tablica(t, ,(funkcja(Max, ,(1, 2)), 3))", "1"}},
      {"write ')', x", {"')'", "x"}, {"')'", "x"}},
      {"write t[1,2]", {"t[1,2]"}, {"tablica(t, ,(1, 2))"}},
      {"write 'a, b', x", {"'a, b'", "x"}, {"'a, b'", "x"}},
      {"write a + 1, b", {"a+1", "b"}, {"+(a, 1)", "b"}},
      {"read x, y", {"x", "y"}, {"x", "y"}},
      {"read t[i]", {"t[i]"}, {"tablica(t, i)"}},
  };
  for (const ItemCase& c : cases) {
    const Parsed p(c.text);
    // The root is the last item; LeftNode leads to the item before.
    std::vector<const TwrTree*> nodes;
    for (const TwrTree* n = p.result.Tree; n; n = n->LeftNode) nodes.insert(nodes.begin(), n);
    ASSERT_EQ(nodes.size(), c.items.size()) << c.text;
    for (size_t i = 0; i < nodes.size(); ++i) {
      EXPECT_EQ(nodes[i]->NodeKind, kStatementNode);
      EXPECT_EQ(nodes[i]->OpText, c.text[0] == 'r' ? "read" : "write");
      EXPECT_EQ(nodes[i]->ItemName, c.items[i]) << c.text;
      EXPECT_EQ(nodes[i]->SrcText, c.items[i]) << c.text;
      EXPECT_EQ(nodes[i]->VarIndex, -1);
      EXPECT_EQ(TreeShape(nodes[i]->RightNode), c.item_shapes[i]) << c.text;
    }
  }
}

TEST(StatementForms, OutputStepsRunTheItemsInWrittenOrder) {
  const Parsed p("write a+b, c");
  EXPECT_EQ(Labels(p.result.Steps), (std::vector<std::string>{"write", "c", "write", "+", "a", "b"}));
  EXPECT_EQ(p.result.Steps[0], p.result.Tree);
  EXPECT_EQ(p.result.Steps[2], p.result.Tree->LeftNode);
}

TEST(StatementForms, ExpressionsCarryTheParserResult) {
  const Parsed p("  x := a + 1");
  EXPECT_EQ(TreeShape(p.result.Tree), ":=(x, +(a, 1))");
  EXPECT_EQ(Labels(p.result.Steps), (std::vector<std::string>{":=", "x", "+", "a", "1"}));

  const Parsed bad("a !b");
  EXPECT_TRUE(bad.result.Error.Flag);
  EXPECT_EQ(bad.result.Error.Position, 3);
  EXPECT_EQ(bad.result.Error.Length, 1);

  EXPECT_EQ(bad.result.Error.Operator, "!");

  // A read or write list carries its first item's triple, dim and set none.
  // (Blanks go before an item is parsed.)
  const Parsed item("write x, a !b, c !d");
  EXPECT_TRUE(item.result.Error.Flag);
  EXPECT_EQ(item.result.Error.Position, 2);
  EXPECT_EQ(item.result.Error.Operator, "!");
  const Parsed declaration("dim a !b");
  EXPECT_FALSE(declaration.result.Error.Flag);
  EXPECT_EQ(declaration.result.Error.Position, 0);
}

}  // namespace
}  // namespace tessaro
