#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/language/expression_tree.h"
#include "core/runtime/tree_layout.h"

namespace tessaro {
namespace {

std::vector<std::string> Labels(const std::vector<TwrTree*>& steps) {
  std::vector<std::string> labels;
  for (const TwrTree* n : steps) labels.push_back(n->OpText.empty() ? n->SrcText : n->OpText);
  return labels;
}

TEST(TreeWalks, StepsArePreOrderAndRunFromTheEnd) {
  const TreeOwner tree(ParseExpression("a + b * c").Root);
  std::vector<TwrTree*> steps;
  BuildSteps(tree.get(), steps);
  EXPECT_EQ(Labels(steps), (std::vector<std::string>{"+", "a", "*", "b", "c"}));
  // The first micro step evaluates c, the last one the root.
  EXPECT_EQ(CurrentStepNode(steps, 0)->SrcText, "c");
  EXPECT_EQ(CurrentStepNode(steps, 4), tree.get());
  EXPECT_EQ(CurrentStepNode(steps, 5), nullptr);
  EXPECT_EQ(CurrentStepNode(steps, -1), nullptr);
  EXPECT_EQ(CurrentStepNode({}, 0), nullptr);
}

TEST(TreeWalks, BuildStepsOfAnInstructionResetsItsCounter) {
  struct Instruction {
    TwrTree* Tree = nullptr;
    std::vector<TwrTree*> Steps;
    int32_t StepIndex = 3;
  } instruction;
  const TreeOwner tree(ParseExpression("f(x)").Root);
  instruction.Tree = tree.get();
  instruction.Steps.push_back(nullptr);  // stale content is replaced
  BuildSteps(instruction);
  EXPECT_EQ(instruction.StepIndex, 0);
  EXPECT_EQ(Labels(instruction.Steps), (std::vector<std::string>{"funkcja", "f", "x"}));
  BuildSteps(nullptr, instruction.Steps);
  EXPECT_TRUE(instruction.Steps.empty());
}

TEST(TreeWalks, ClearComputedValuesKeepsLeaves) {
  const TreeOwner tree(ParseExpression("x := 1 + y").Root);
  std::vector<TwrTree*> steps;
  BuildSteps(tree.get(), steps);
  for (TwrTree* n : steps) {
    n->NodeValue = TValue::Integer(7);
    if (n->LeftNode || n->RightNode) n->SrcText = "answer";
  }
  ClearComputedValues(tree.get());
  for (const TwrTree* n : steps) {
    const bool inner = n->LeftNode || n->RightNode;
    EXPECT_EQ(n->NodeValue.IsEmpty(), inner) << n->OpText << n->SrcText;
    EXPECT_EQ(n->SrcText.empty(), inner) << n->OpText << n->SrcText;
  }
  ClearComputedValues(nullptr);
}

// A hand-built chain far deeper than any stack would allow for recursion.
TwrTree* Chain(int length, bool to_the_left) {
  TwrTree* root = new TwrTree;
  TwrTree* tip = root;
  for (int i = 1; i < length; ++i) {
    TwrTree* next = new TwrTree;
    (to_the_left ? tip->LeftNode : tip->RightNode) = next;
    tip = next;
  }
  tip->SrcText = "end";
  return root;
}

TEST(TreeWalks, DeepTreesAreWalkedWithoutRecursion) {
  const TreeOwner tree(Chain(100000, true));
  std::vector<TwrTree*> steps;
  BuildSteps(tree.get(), steps);
  EXPECT_EQ(steps.size(), 100000u);
  EXPECT_EQ(steps.back()->SrcText, "end");
  ClearComputedValues(tree.get());
  LayoutTree(tree.get());
  // Positions saturate instead of overflowing.
  EXPECT_EQ(steps.back()->PosX, INT32_MIN);
  const TTreeExtent extent = TreeExtent(tree.get());
  EXPECT_EQ(extent.Left, INT32_MIN);
  EXPECT_EQ(extent.Width, INT32_MAX);
  EXPECT_EQ(extent.Height, 99999 * 35 + 16);
}

}  // namespace
}  // namespace tessaro
