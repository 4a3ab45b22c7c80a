// Expression and statement trees of the block language.
//
// Every expression (a statement, a condition, a read/write item, a breakpoint
// condition, a console line) becomes a binary tree of TwrTree nodes. The
// compiler binds names to its nodes, the run time evaluates it one node per
// micro step from the end of its Steps list, the views draw it.
//
// The parser (expression_parser.cpp) is not grammar-driven: it splits the raw
// text at the loosest operator of the shallowest bracket depth, recursively.
// Nodes are allocated by the parser and freed with FreeTree.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/value.h"

namespace tessaro {

// Values of TwrTree::NodeKind.
enum TNodeKind : uint8_t {
  kLeafNode = 0,          // operand text in SrcText
  kBinaryNode = 1,        // left and right operand, each may be missing
  kPrefixNode = 3,        // right operand only
  kCallNode = 4,          // "funkcja": left the function name, right the arguments
  kFunctionNameNode = 5,  // the name leaf of a call
  kIndexedNode = 6,       // "tablica": left the variable name, right the indexes
  kListNode = 7,          // ",", groups to the left
  kStatementNode = 8,     // dim, set, read, write
  kMemberNode = 9,        // "struktura": left the owner, right the member
};

// Values of TwrTree::IncMode, set by the compiler from a leaf's OpText.
enum TIncMode : int32_t {
  kNoIncrement = 0,
  kPostDecrement = 1,  // "!--"
  kPreDecrement = 2,   // "--!"
  kPostIncrement = 3,  // "!++"
  kPreIncrement = 4,   // "++!"
};

// OpText, SrcText and ItemName of nodes built after a parse error. Such nodes
// compute nothing and never name a variable.
constexpr std::string_view kParseErrorLabel = "Blad";
constexpr std::string_view kCallLabel = "funkcja";
constexpr std::string_view kIndexedLabel = "tablica";
constexpr std::string_view kMemberLabel = "struktura";

struct TwrTree {
  std::string OpText;    // operator of the split, or a leaf's increment mark
  std::string SrcText;   // a leaf's operand text; "" on inner nodes
  std::string ItemName;  // statement nodes: variable name or item text
  std::string DimsText;  // dim nodes: the size text
  std::string ExtName;   // extension function a call is bound to
  uint8_t NodeKind = kLeafNode;
  int32_t VarIndex = -1;
  TValue NodeValue;      // literal value, or the value computed at the node's step
  int32_t FuncIndex = 0;
  int32_t IncMode = kNoIncrement;
  TwrTree* LeftNode = nullptr;
  TwrTree* RightNode = nullptr;
  int32_t PosX = 0;  // set by LayoutTree, used only for painting
  int32_t PosY = 0;
};

bool IsParseErrorNode(const TwrTree& node);

// Where the first parse error of one ParseExpression call stands: the
// 1-based position of the operator within the text of the node being split,
// and the operator's length.
struct TParseError {
  bool Flag = false;
  int32_t Position = 0;
  int32_t Length = 0;
  std::string_view Operator;  // the operator's text, from the operator table
  bool TooDeep = false;       // the text nests deeper than a limit; nothing was built
  int32_t DepthLimit = 0;     // that limit
};

struct TParsedExpression {
  TwrTree* Root = nullptr;  // null only for texts that reduce to nothing, such as "["
  TParseError Error;
};

// The deepest brackets may nest in an expression. A deeper text (or a tree
// deeper than kMaxTreeDepth) is refused with a parse error (TooDeep) and a
// single error node.
inline constexpr int32_t kMaxExpressionNesting = 1000;
// The deepest a tree may grow by chains of operators («1+1+…», each split a
// level): a sum of hundreds of terms is fine, but every level costs the
// parser a scan of its text, so this bounds any parse to a thousand scans.
inline constexpr int32_t kMaxTreeDepth = 1000;

// Builds a new tree; the caller owns it and frees it with FreeTree. The
// tree holds the text once: only its leaves keep their part of it.
TParsedExpression ParseExpression(std::string_view text);

// Disposes of a tree bottom-up. A null root is allowed.
void FreeTree(TwrTree* root);

struct TreeDeleter {
  void operator()(TwrTree* root) const { FreeTree(root); }
};
using TreeOwner = std::unique_ptr<TwrTree, TreeDeleter>;

// For every node with at least one child: SrcText and NodeValue emptied.
// Leaves keep their text and their literal values.
void ClearComputedValues(TwrTree* root);

// The nodes of the tree in pre-order (node, left subtree, right subtree).
// The run time executes the list from its end, so every node runs after its
// subtree and a right subtree before its left sibling.
void BuildSteps(TwrTree* root, std::vector<TwrTree*>& steps);

// For any instruction record with Tree, Steps and StepIndex.
template <class Instruction>
void BuildSteps(Instruction& instruction) {
  BuildSteps(instruction.Tree, instruction.Steps);
  instruction.StepIndex = 0;
}

// The node the next micro step evaluates: Steps[n - 1 - StepIndex], or null
// when StepIndex is outside 0..n-1.
TwrTree* CurrentStepNode(const std::vector<TwrTree*>& steps, int32_t step_index);

}  // namespace tessaro
