// The tree picture on a logging canvas: boxes, labels, edges, the marked
// node, the shadow, shortened labels and the value boxes.
#include "core/runtime/tree_paint.h"

#include <gtest/gtest.h>

#include "core/diagram/fake_canvas.h"
#include "core/i18n/language.h"
#include "core/runtime/tree_layout.h"

namespace tessaro {
namespace {

using test::FakeMetrics;
using test::LogCanvas;

struct Tree {
  explicit Tree(const std::string& text) : root(ParseExpression(text).Root) { LayoutTree(root.get()); }
  TreeOwner root;
};

TEST(PaintTree, BoxesLabelsAndEdgesOfATwoLeafTree) {
  Tree t("a + b");
  FakeMetrics metrics;
  LogCanvas canvas(metrics);
  PaintTree(canvas, 100, 10, kTreePageFill, 0, nullptr, t.root.get());
  // The root box around (100, 10), the leaves one step below at -20 and +20.
  EXPECT_EQ(canvas.Starting("rect"),
            (std::vector<std::string>{"rect 83,8 117,24", "rect 63,43 97,59", "rect 103,43 137,59"}));
  EXPECT_EQ(canvas.Starting("line"), (std::vector<std::string>{"line 100,25 80,45", "line 100,25 120,45"}));
  // Labels centred: 7 units a character.
  EXPECT_TRUE(canvas.Has("text 97,10 +"));
  EXPECT_TRUE(canvas.Has("text 77,45 a"));
  EXPECT_TRUE(canvas.Has("text 117,45 b"));
  EXPECT_TRUE(canvas.Has("font tahoma 7 ff0000"));
  EXPECT_EQ(canvas.Count("pen 008000"), 0);  // nothing marked
  // The root is drawn before its subtrees, the left subtree before the right.
  EXPECT_EQ(canvas.Starting("text"),
            (std::vector<std::string>{"text 97,10 +", "text 77,45 a", "text 117,45 b"}));
}

TEST(PaintTree, CurrentNodeGetsAWideGreenOutlineAndShadowsAreGrey) {
  Tree t("a + b");
  FakeMetrics metrics;
  LogCanvas canvas(metrics);
  PaintTree(canvas, 0, 0, 0xFFFFFF, 3, t.root->RightNode, t.root.get());
  EXPECT_EQ(canvas.Count("pen 008000 2"), 1);
  // Shadow rectangles are offset by 3 and come before each box.
  const std::vector<std::string> rects = canvas.Starting("rect");
  ASSERT_EQ(rects.size(), 6u);
  EXPECT_EQ(rects[0], "rect -14,1 20,17");
  EXPECT_EQ(rects[1], "rect -17,-2 17,14");
  // The pen just before the marked box is the green one.
  for (size_t i = 0; i < canvas.log.size(); ++i) {
    if (canvas.log[i] == "rect 3,33 37,49") {
      EXPECT_EQ(canvas.log[i - 2], "pen 008000 2 solid");
    }
  }
}

TEST(PaintTree, LabelsAreShortenedOrReplaced) {
  struct Case {
    const char* text;
    std::string label;
  };
  const Case cases[] = {
      {"abcd", "abcd"},          // 28 units: fits
      {"abcde", "a..."},         // 35 units: shortened until it fits with "..."
      {"abcdefghijkl", "a..."},
      {"' '", "' '"},            // a quoted blank is text
  };
  for (const Case& c : cases) {
    Tree t(c.text);
    FakeMetrics metrics;
    LogCanvas canvas(metrics);
    PaintTree(canvas, 0, 0, 0xFFFFFF, 0, nullptr, t.root.get());
    const std::vector<std::string> texts = canvas.Starting("text");
    ASSERT_EQ(texts.size(), 1u) << c.text;
    EXPECT_EQ(texts[0].substr(texts[0].find(' ', 5) + 1), c.label) << c.text;
  }
  // A blank side of an operator leaves a leaf without text.
  Tree blank("a * ");
  FakeMetrics metrics;
  LogCanvas canvas(metrics);
  PaintTree(canvas, 0, 0, 0xFFFFFF, 0, nullptr, blank.root.get());
  const std::string empty = LangText("msgre00001");
  bool found = false;
  for (const std::string& s : canvas.Starting("text")) found |= s.size() >= empty.size() &&
                                                                s.compare(s.size() - empty.size(), empty.size(), empty) == 0;
  EXPECT_TRUE(found);
}

TEST(PaintTree, ValueBoxesUnderInnerNodes) {
  struct Case {
    TValue value;
    const char* shown;  // nullptr: no box
  };
  const Case cases[] = {
      {TValue::Real(2.5), "2.5000"},
      {TValue::Real(-1e-9), "0.0000"},
      {TValue::Integer(5), "5"},
      {TValue::Boolean(true), "True"},
      {TValue::String("  "), nullptr},
      {TValue(), nullptr},
  };
  for (const Case& c : cases) {
    Tree t("a + b");
    t.root->NodeValue = c.value;
    FakeMetrics metrics;
    LogCanvas canvas(metrics);
    PaintTree(canvas, 100, 10, kTreePageFill, 0, nullptr, t.root.get());
    const std::vector<std::string> rects = canvas.Starting("rect");
    if (!c.shown) {
      EXPECT_EQ(rects.size(), 3u);
      continue;
    }
    const int32_t w = 7 * static_cast<int32_t>(std::string(c.shown).size());
    ASSERT_EQ(rects.size(), 4u) << c.shown;
    // The value box is the last thing drawn: size font 7 + 4 = 11 high.
    EXPECT_EQ(rects[3], "rect " + std::to_string(100 - w / 2 - 4) + ",23 " + std::to_string(100 + w / 2 + 4) +
                            "," + std::to_string(25 + 11));
    EXPECT_EQ(canvas.log.back(), "text " + std::to_string(100 - w / 2) + ",24 " + c.shown);
  }
}

TEST(PaintTree, NodeLabelsOfStatementsAndLeaves) {
  TwrTree dim;
  dim.NodeKind = kStatementNode;
  dim.OpText = "dim";
  dim.DimsText = "3,4";
  EXPECT_EQ(NodeLabel(dim), "dim[3,4]");
  TwrTree leaf;
  leaf.SrcText = "x";
  leaf.OpText = "!++";
  leaf.NodeValue = TValue::Integer(3);
  EXPECT_EQ(NodeLabel(leaf), "x");
  EXPECT_EQ(NodeValueText(leaf), "");  // a leaf shows no value
}

TEST(PaintTree, NullRootDrawsNothing) {
  FakeMetrics metrics;
  LogCanvas canvas(metrics);
  PaintTree(canvas, 0, 0, 0xFFFFFF, 0, nullptr, nullptr);
  EXPECT_TRUE(canvas.log.empty());
}

}  // namespace
}  // namespace tessaro
