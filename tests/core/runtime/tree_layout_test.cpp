#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language/expression_tree.h"
#include "core/runtime/tree_layout.h"

namespace tessaro {
namespace {

struct Place {
  std::string label;
  int32_t x;
  int32_t y;
};

struct LayoutCase {
  const char* text;
  std::vector<Place> places;  // in pre-order
  TTreeExtent extent;
};

TEST(TreeLayout, PositionsAndExtent) {
  const LayoutCase cases[] = {
      {"a", {{"a", 0, 0}}, {-20, 44, 16}},
      {"a + b", {{"+", 0, 0}, {"a", -20, 35}, {"b", 20, 35}}, {-40, 84, 51}},
      // The right child's subtree is one level high: 20 * 2^1 = 40 apart.
      {"a + b * c", {{"+", 0, 0}, {"a", -20, 35}, {"*", 40, 35}, {"b", 20, 70}, {"c", 60, 70}}, {-40, 124, 86}},
      // A left child three levels high with no right spine: 160 - (40 - 20).
      {"(a + b + c)^* d",
       {{"*", 0, 0},
        {"^", -140, 35},
        {"+", -220, 70},
        {"+", -260, 105},
        {"a", -280, 140},
        {"b", -240, 140},
        {"c", -200, 105},
        {"d", 20, 35}},
       {-300, 344, 156}},
      {"-a", {{"-", 0, 0}, {"a", 20, 35}}, {-20, 64, 51}},
  };
  for (const LayoutCase& c : cases) {
    const TreeOwner tree(ParseExpression(c.text).Root);
    LayoutTree(tree.get());
    std::vector<TwrTree*> steps;
    BuildSteps(tree.get(), steps);
    ASSERT_EQ(steps.size(), c.places.size()) << c.text;
    for (size_t i = 0; i < steps.size(); ++i) {
      const TwrTree* n = steps[i];
      EXPECT_EQ(n->OpText.empty() ? n->SrcText : n->OpText, c.places[i].label) << c.text << " #" << i;
      EXPECT_EQ(n->PosX, c.places[i].x) << c.text << " #" << i;
      EXPECT_EQ(n->PosY, c.places[i].y) << c.text << " #" << i;
    }
    const TTreeExtent e = TreeExtent(tree.get());
    EXPECT_EQ(e.Left, c.extent.Left) << c.text;
    EXPECT_EQ(e.Width, c.extent.Width) << c.text;
    EXPECT_EQ(e.Height, c.extent.Height) << c.text;
  }
}

TEST(TreeLayout, EmptyTreeHasTheMinimalExtent) {
  LayoutTree(nullptr);
  const TTreeExtent e = TreeExtent(nullptr);
  EXPECT_EQ(e.Left, -20);
  EXPECT_EQ(e.Width, 44);
  EXPECT_EQ(e.Height, 16);
}

}  // namespace
}  // namespace tessaro
