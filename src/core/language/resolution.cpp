// The resolution pass (names, literals and increments bound to tree nodes)
// and the function binding pass (calls bound to built-ins and extensions).
#include <exception>

#include "core/extensions/plugin_dll.h"
#include "core/i18n/ansi_case.h"
#include "core/i18n/language.h"
#include "core/language/builtin_functions.h"
#include "core/language/compiler.h"
#include "core/language/expression_tree.h"
#include "core/language/tokens.h"

namespace tessaro {

void ResolveTree(TKompilatorTS& compiler, TwrTree* root);
void BindFunctions(TKompilatorTS& compiler);
void BindTreeFunctions(TKompilatorTS& compiler, TwrTree* root, int32_t position);

namespace {

int32_t IncModeOf(const std::string& op) {
  if (op == "!--") return kPostDecrement;
  if (op == "--!") return kPreDecrement;
  if (op == "!++") return kPostIncrement;
  if (op == "++!") return kPreIncrement;
  return kNoIncrement;
}

bool IsReadOrWrite(const TwrTree& node) { return node.OpText == "read" || node.OpText == "write"; }

// `parent` is given only when `node` is a right child.
void ResolveOne(TKompilatorTS& compiler, TwrTree* node, const TwrTree* parent) {
  const int32_t at = compiler.ResolvingIndex;
  const bool under_member = parent && parent->NodeKind == kMemberNode;
  node->IncMode = kNoIncrement;
  node->VarIndex = -1;
  // A node built after a parse error stands for nothing: it names no
  // variable and holds no literal.
  if (IsParseErrorNode(*node)) return;
  if (node->NodeKind == kIndexedNode && !under_member && node->LeftNode) {
    node->LeftNode->VarIndex = ResolveVariable(compiler, node->LeftNode->SrcText, at);
  }
  if (node->NodeKind == kStatementNode && !IsReadOrWrite(*node)) {
    node->VarIndex = ResolveVariable(compiler, node->ItemName, at);
  }
  if (node->NodeKind <= kPrefixNode && !node->SrcText.empty() && !under_member) {
    node->NodeValue = ClassifyToken(node->SrcText);
    if (node->NodeValue.IsEmpty()) node->VarIndex = ResolveVariable(compiler, node->SrcText, at);
    node->IncMode = IncModeOf(node->OpText);
  }
}

// Node, then its left subtree, then its right subtree; with an explicit
// stack, since a long expression makes a deep tree.
void ResolveNode(TKompilatorTS& compiler, TwrTree* root) {
  struct Pending {
    TwrTree* node;
    const TwrTree* parent;
  };
  std::vector<Pending> pending;
  if (root) pending.push_back({root, nullptr});
  while (!pending.empty()) {
    const Pending p = pending.back();
    pending.pop_back();
    ResolveOne(compiler, p.node, p.parent);
    if (p.node->RightNode) pending.push_back({p.node->RightNode, p.node});
    // An indexed element's left node is the array name, handled above.
    if (p.node->LeftNode && p.node->NodeKind != kIndexedNode) pending.push_back({p.node->LeftNode, nullptr});
  }
}

void BindCall(TKompilatorTS& compiler, TwrTree& call, int32_t position) {
  const std::string name = call.LeftNode ? call.LeftNode->SrcText : std::string();
  call.FuncIndex = -1;
  if (const int builtin = FindBuiltinFunction(name); builtin > 0) {
    call.FuncIndex = builtin;
    call.ExtName.clear();
  }
  // The first extension is consulted even for a built-in name, and its
  // function of that name wins; later extensions are not asked then.
  for (size_t e = 0; e < compiler.Extensions.size(); ++e) {
    TPlugInEntry& entry = compiler.Extensions[e];
    ForEachPluginFunction(entry.Module, [&](const std::string& candidate) {
      if (!AnsiSameText(candidate, name)) return true;
      call.FuncIndex = static_cast<int32_t>(e);
      call.ExtName = candidate;
      entry.UsedByAlgorithm = 1;
      return false;
    });
    if (call.FuncIndex != -1) break;
  }
  if (call.FuncIndex == -1) compiler.AddError(LangText("msgcmp000028") + name, position);
}

}  // namespace

void ResolveTree(TKompilatorTS& compiler, TwrTree* root) { ResolveNode(compiler, root); }

void TKompilatorTS::Resolve() {
  AllowNewVariables = 1;
  ClearVariables(*this);
  for (int32_t i = 0; i < static_cast<int32_t>(Instructions.size()); ++i) {
    ResolvingIndex = i;
    try {
      ResolveNode(*this, Instructions[static_cast<size_t>(i)].Tree.get());
    } catch (const std::exception&) {
      // A conversion that fails while literals are read ends the pass.
      AddError(LangText("msgcmp000027") + " ", i);
      Stop();
      break;
    }
  }
  FireVariableChange(-1);
}

void BindTreeFunctions(TKompilatorTS& compiler, TwrTree* root, int32_t position) {
  // Pre-order with an explicit stack: node, then left subtree, then right.
  std::vector<TwrTree*> pending;
  if (root) pending.push_back(root);
  while (!pending.empty()) {
    TwrTree* node = pending.back();
    pending.pop_back();
    if (node->NodeKind == kCallNode && !IsParseErrorNode(*node)) BindCall(compiler, *node, position);
    if (node->RightNode) pending.push_back(node->RightNode);
    if (node->LeftNode) pending.push_back(node->LeftNode);
  }
}

void BindFunctions(TKompilatorTS& compiler) {
  for (int32_t i = 0; i < static_cast<int32_t>(compiler.Instructions.size()); ++i) {
    compiler.Current = i;  // the position of the errors of this instruction
    BindTreeFunctions(compiler, compiler.Instructions[static_cast<size_t>(i)].Tree.get(), i);
  }
}

}  // namespace tessaro
