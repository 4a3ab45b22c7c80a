#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/language/expression_tree.h"
#include "core/language/operator_table.h"
#include "core/runtime/tree_layout.h"
#include "core/runtime/tree_shape.h"

namespace tessaro {
namespace {

using test::TreeShape;

struct ShapeCase {
  const char* text;
  const char* shape;
};

std::string ShapeOf(const std::string& text) {
  const TreeOwner tree(ParseExpression(text).Root);
  return TreeShape(tree.get());
}

// Node kinds in the same layout as TreeShape: kind(left, right).
std::string Kinds(const TwrTree* node) {
  if (!node) return "_";
  std::string s = std::to_string(node->NodeKind);
  if (!node->LeftNode && !node->RightNode) return s;
  return s + "(" + Kinds(node->LeftNode) + ", " + Kinds(node->RightNode) + ")";
}

void ExpectShapes(const ShapeCase* first, const ShapeCase* last) {
  for (const ShapeCase* c = first; c != last; ++c) EXPECT_EQ(ShapeOf(c->text), c->shape) << "text: " << c->text;
}

TEST(ExpressionParser, PrecedenceAndGrouping) {
  const ShapeCase cases[] = {
      {"a + b * c", "+(a, *(b, c))"},
      {"a - b - c", "-(-(a, b), c)"},
      {"a - b + c", "+(-(a, b), c)"},
      {"a = b = c", "=(=(a, b), c)"},
      {"(a + b) * c", "*(+(a, b), c)"},
      {"2 * (3 + 4)", "*(2, +(3, 4))"},
      {"((a))", "a"},
      {"-(a + b)", "-(_, +(a, b))"},
      {"a & b | c", "|(&(a, b), c)"},
      {"a && b || c", "||(&&(a, b), c)"},
      {"a mod b div c", "div(mod(a, b), c)"},
      {"x := a shl 2", ":=(x, shl(a, 2))"},
      {"x += 2", "+=(x, 2)"},
      {"a <<= 1", "<<=(a, 1)"},
      {"a -> b", "->(a, b)"},
      {"a ^ b", "^(a, b)"},
      {"(a, b)", ",(a, b)"},
  };
  ExpectShapes(std::begin(cases), std::end(cases));
}

// An operator text inside a longer one does not count, and the loosest group
// wins at equal depth: the comparisons pupils write most.
TEST(ExpressionParser, LongerOperatorsAndTheLoosestGroupWin) {
  const ShapeCase cases[] = {
      {"x == 1 or x == 2", "or(==(x, 1), ==(x, 2))"},
      {"a >= 1 and a <= 5", "and(>=(a, 1), <=(a, 5))"},
      {"i <= n and j > 0", "and(<=(i, n), >(j, 0))"},
      {"x := y <= 5", ":=(x, <=(y, 5))"},
      {"x := 1 == 2", ":=(x, ==(1, 2))"},
      {"x = y == z", "=(x, ==(y, z))"},
      {"a << b < c", "<(<<(a, b), c)"},
      {"a == b", "==(a, b)"},
      {"a >= b", ">=(a, b)"},
      {"a <> b", "<>(a, b)"},
      {"a != b", "!=(a, b)"},
      {"a =< b", "=(a, <(_, b))"},
      {"a*-b", "-(*(a, _), b)"},
      {"a * -b", "-(*(a, \"\"), b)"},
      {"x := -1", ":=(x, -(\"\", 1))"},
      {"p^.x", "p^.x"},
  };
  ExpectShapes(std::begin(cases), std::end(cases));
}

// No operator text is found inside a longer one that contains it.
TEST(ExpressionParser, CompoundOperatorsAreNeverSplitApart) {
  for (const char* op : {"==", "<=", ">=", "!=", ":=", "+=", "-=", "*=", "/=", "%=", "<<=", ">>=", "&=",
                         "|=", "^=", "<<", ">>", "<>", "->", "&&", "||"}) {
    const std::string text = std::string("a ") + op + " b";
    EXPECT_EQ(ShapeOf(text), std::string(op) + "(a, b)") << text;
  }
}

TEST(ExpressionParser, CallsIndexesAndMembers) {
  const ShapeCase cases[] = {
      {"f(x, y)", "funkcja(f, ,(x, y))"},
      {"f(a, b, c)", "funkcja(f, ,(,(a, b), c))"},
      {"f(g(x))", "funkcja(f, funkcja(g, x))"},
      {"f()", "funkcja(f, \"\")"},
      {"Power(2, 3) * 2", "*(funkcja(Power, ,(2, 3)), 2)"},
      {"a + f(x)", "+(a, funkcja(f, x))"},
      {"f (x)", "x"},
      {"write(x)", "funkcja(write, x)"},
      {"t[i]", "tablica(t, i)"},
      {"t[1][2]", "tablica(t, 1)"},
      {"a[1, 2]", "tablica(a, ,(1, 2))"},
      {"t[i + 1] := 5", ":=(tablica(t, +(i, 1)), 5)"},
      {"a[", "tablica(a, _)"},
      {"a.b", "struktura(a, b)"},
      {"a.b.c", "struktura(struktura(a, b), c)"},
      {"3.14", "3.14"},
      {"a.", "a."},
      {"(int)x", "intx"},
  };
  ExpectShapes(std::begin(cases), std::end(cases));
}

TEST(ExpressionParser, PrefixOperatorsAndWordBoundaries) {
  const ShapeCase cases[] = {
      {"-a", "-(_, a)"},
      {"not x", "not(_, x)"},
      {"notx", "notx"},
      {"x and y", "and(x, y)"},
      {"xand y", "xandy"},
      {"a and not b", "and(a, not(_, b))"},
      {"not (a or b)", "not(_, or(a, b))"},
      {"not !b", "not(_, !(_, b))"},
      {"!!a", "!(_, !(_, a))"},
      {"@x", "@(_, x)"},
      {"~x", "~(_, x)"},
      {"p^", "^(p, _)"},
      {"a mod b", "mod(a, b)"},
      {"amod b", "amodb"},
      {"x AND y", "xANDy"},
  };
  ExpectShapes(std::begin(cases), std::end(cases));
}

TEST(ExpressionParser, IncrementsQuotesAndBlanks) {
  const ShapeCase cases[] = {
      {"x++", "x{!++}"},
      {"--x", "x{--!}"},
      {"++x", "x{++!}"},
      {"5--", "5{!--}"},
      {"a--b", "a\xFC" "b"},
      {"a -- b", "-(-(a, _), b)"},
      {"x++ + 1", "+(x{!++}, 1)"},
      {"'x++'", "'x++'"},
      {"'a + (b)'", "'a + (b)'"},
      {"x := 'a, b'", ":=(x, 'a, b')"},
      {"a + ", "+(a, \"\")"},
      {"a *", "*(a, _)"},
      {"", "\"\""},
      {"  x  ", "x"},
  };
  ExpectShapes(std::begin(cases), std::end(cases));
}

TEST(ExpressionParser, NodeKinds) {
  const ShapeCase cases[] = {
      {"f(x)", "4(5, 0)"},
      {"t[i]", "6(0, 0)"},
      {"a.b", "9(0, 0)"},
      {"a, b", "7(0, 0)"},
      {"!a", "3(_, 0)"},
      {"a + b", "1(0, 0)"},
      {"x", "0"},
  };
  for (const ShapeCase& c : cases) {
    const TreeOwner tree(ParseExpression(c.text).Root);
    EXPECT_EQ(Kinds(tree.get()), c.shape) << c.text;
  }
}

TEST(ExpressionParser, TextThatReducesToNothingGivesNoRoot) {
  const TParsedExpression parsed = ParseExpression("[");
  EXPECT_EQ(parsed.Root, nullptr);
  EXPECT_FALSE(parsed.Error.Flag);
}

struct ErrorCase {
  const char* text;
  int32_t position;
  int32_t length;
  const char* shape;
};

// Text left of a prefix operator is a parse error; the node that finds it and
// every split node built after it are labelled and compute nothing.
TEST(ExpressionParser, PrefixOperatorWithTextOnItsLeftIsAParseError) {
  const ErrorCase cases[] = {
      {"a !b", 3, 1, "Blad{Blad}"},
      {"a !b + c*d", 3, 1, "+(Blad{Blad}, Blad{Blad})"},
      {"x := a not b", 4, 3, ":=(x, Blad{Blad})"},
      {"not not x", 5, 3, "Blad{Blad}"},
  };
  for (const ErrorCase& c : cases) {
    const TParsedExpression parsed = ParseExpression(c.text);
    const TreeOwner tree(parsed.Root);
    EXPECT_TRUE(parsed.Error.Flag) << c.text;
    EXPECT_EQ(parsed.Error.Position, c.position) << c.text;
    EXPECT_EQ(parsed.Error.Length, c.length) << c.text;
    EXPECT_EQ(TreeShape(tree.get()), c.shape) << c.text;
  }
  const TreeOwner tree(ParseExpression("a !b").Root);
  EXPECT_TRUE(IsParseErrorNode(*tree));
  EXPECT_EQ(tree->ItemName, "Blad");
}

TEST(ExpressionParser, AcceptedPrefixesAreNoError) {
  for (const char* text : {"!a", "x := !a", "(!a)", "f(!a)", "  !a", "a and not b"}) {
    const TParsedExpression parsed = ParseExpression(text);
    FreeTree(parsed.Root);
    EXPECT_FALSE(parsed.Error.Flag) << text;
  }
}

TEST(ExpressionParser, LongChainsNeitherRecurseDeeplyNorLoseNodes) {
  // The longest chain the tree's depth limit allows.
  std::string text = "a";
  for (int i = 0; i < kMaxTreeDepth - 1; ++i) text += "+a";
  const TreeOwner tree(ParseExpression(text).Root);
  int depth = 0;
  const TwrTree* node = tree.get();
  for (; node->LeftNode; node = node->LeftNode) ++depth;
  EXPECT_EQ(depth, kMaxTreeDepth - 1);
  EXPECT_EQ(node->SrcText, "a");
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

// Random texts over the characters the parser reacts to: every tree must be
// complete (no marker node survives, every node reachable once) and laying it
// out must be safe. Run under the sanitizers this also catches leaks.
TEST(ExpressionParser, ArbitraryTextsGiveWellFormedTrees) {
  const std::string alphabet = std::string("ab1 .,'()[]+-*/=<>!:&|^@~not and") + kArgumentMarker +
                               kDecrementMarker + kIncrementMarker;
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const uint32_t length = next() % 24;
    for (uint32_t i = 0; i < length; ++i) text += alphabet[next() % alphabet.size()];
    const TParsedExpression parsed = ParseExpression(text);
    const TreeOwner tree(parsed.Root);
    std::vector<TwrTree*> steps;
    BuildSteps(tree.get(), steps);
    for (const TwrTree* n : steps) EXPECT_NE(n->OpText, std::string(1, kArgumentMarker)) << text;
    EXPECT_EQ(std::set<const TwrTree*>(steps.begin(), steps.end()).size(), steps.size()) << text;
    LayoutTree(tree.get());
    TreeExtent(tree.get());
  }
}

}  // namespace
}  // namespace tessaro
