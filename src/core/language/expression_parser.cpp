// ParseExpression: pre-passes, node building, post-pass.
#include <string>
#include <utility>
#include <vector>

#include "core/language/expression_tree.h"
#include "core/language/operator_table.h"
#include "core/language/split_search.h"
#include "core/language/text_rules.h"

namespace tessaro {

namespace {

bool IsPlainIdentifierChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsLetterOrUnderscore(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

// --- Pre-passes -------------------------------------------------------------

// A "--" or "++" outside quotes that follows a name character, or that is
// followed by a letter or "_", becomes one marker byte: «x++», «--x», «5--».
// «a -- b» stays as it is.
void MarkIncrements(std::string& t) {
  bool quoted = false;
  for (size_t p = 0; p + 1 < t.size(); ++p) {
    const char c = t[p];
    if (c == kQuote) quoted = !quoted;
    if (quoted || (c != '-' && c != '+') || t[p + 1] != c) continue;
    const bool after_name = p > 0 && IsPlainIdentifierChar(t[p - 1]);
    const bool before_name = p + 2 < t.size() && IsLetterOrUnderscore(t[p + 2]);
    if (after_name || before_name) t.replace(p, 2, 1, c == '-' ? kDecrementMarker : kIncrementMarker);
  }
}

// An argument marker right after every "(" and "[" outside quotes.
std::string MarkArguments(const std::string& t) {
  std::string out;
  out.reserve(t.size() + 8);
  bool quoted = false;
  for (char c : t) {
    if (c == kQuote) quoted = !quoted;
    out += c;
    if (!quoted && (c == '(' || c == '[')) out += kArgumentMarker;
  }
  return out;
}

// --- Node building ----------------------------------------------------------

TwrTree* NewChild(std::string text, uint8_t kind = kLeafNode) {
  TwrTree* node = new TwrTree;
  node->SrcText = std::move(text);
  node->NodeKind = kind;
  return node;
}

// From the opening bracket at `open` to its matching closing bracket, quotes
// skipped and both kinds of bracket counted; the rest of the text if none.
std::string_view BracketGroup(std::string_view t, size_t open, char closing) {
  bool quoted = false;
  int round = 0;
  int square = 0;
  for (size_t j = open; j < t.size(); ++j) {
    const char c = t[j];
    if (c == kQuote) quoted = !quoted;
    if (quoted || c == kQuote) continue;
    if (c == '(') ++round;
    if (c == ')') --round;
    if (c == '[') ++square;
    if (c == ']') --square;
    if (c == closing && round == 0 && square == 0) return t.substr(open, j - open + 1);
  }
  return t.substr(open);
}

// What is left of the text before a prefix operator once blanks and opening
// brackets with their markers are gone; anything left is a parse error.
bool NothingBeforePrefix(std::string_view left) {
  std::string rest = RemoveSpacesOutsideQuotes(left);
  const std::string opening = std::string("(") + kArgumentMarker;
  for (size_t k; (k = rest.find(opening)) != std::string::npos;) rest.erase(k, opening.size());
  return rest.empty();
}

void LabelAsParseError(TwrTree& node) {
  node.OpText = kParseErrorLabel;
  node.SrcText = kParseErrorLabel;
  node.ItemName = kParseErrorLabel;
}

class TreeBuilder {
 public:
  // Builds `root` from `text` and every child it creates, in pre-order, so
  // that "after the error" means the same as in a left-first recursion.
  // A child's text is its SrcText, read in place rather than copied; the
  // root's text is kept apart so that its SrcText stays as it was.
  void Build(TwrTree* root, const std::string& text) {
    pending_.reserve(16);  // enough for most block texts: one allocation
    BuildNode(*root, text);
    while (!pending_.empty()) {
      TwrTree* node = pending_.back();
      pending_.pop_back();
      BuildNode(*node, node->SrcText);
    }
  }

  const TParseError& Error() const { return error_; }

 private:
  void BuildNode(TwrTree& node, const std::string& t) {
    const std::optional<TSplit> split = FindSplit(t);
    if (!split) {
      if (&node.SrcText != &t) node.SrcText = t;
      node.NodeKind = kLeafNode;
      return;
    }
    node.OpText = kOperators[split->Slot].Text;
    node.NodeKind = split->Kind;
    node.LeftNode = node.RightNode = nullptr;
    if (error_.Flag) {
      LabelAsParseError(node);
      return;
    }
    const std::string_view text(t);
    const std::string_view left = text.substr(0, split->Position);
    const std::string_view right = text.substr(split->Position + split->Length);
    switch (split->Kind) {
      case kPrefixNode: BuildPrefix(node, *split, left, right); break;
      case kCallNode:
      case kIndexedNode: BuildBracket(node, *split, text); break;
      case kMemberNode:
        node.OpText = kMemberLabel;
        BuildSides(node, left, right);
        break;
      default: BuildSides(node, left, right); break;
    }
  }

  // The right child is queued first so that the left one is built first.
  void BuildSides(TwrTree& node, std::string_view left, std::string_view right) {
    if (!left.empty()) node.LeftNode = NewChild(std::string(left));
    if (!right.empty()) node.RightNode = NewChild(std::string(right));
    if (node.RightNode) pending_.push_back(node.RightNode);
    if (node.LeftNode) pending_.push_back(node.LeftNode);
  }

  // The node that finds the error is itself labelled, so «a !b» computes
  // nothing rather than failing as a prefix operator without operand.
  void BuildPrefix(TwrTree& node, const TSplit& split, std::string_view left, std::string_view right) {
    if (!NothingBeforePrefix(left)) {
      error_ = {true, static_cast<int32_t>(split.Position + 1), static_cast<int32_t>(split.Length),
                kOperators[split.Slot].Text};
      LabelAsParseError(node);
      return;
    }
    BuildSides(node, std::string_view(), right);
  }

  // Calls and indexed elements: the name is the run of identifier characters
  // right before the bracket; text after the matching bracket is not used.
  void BuildBracket(TwrTree& node, const TSplit& split, std::string_view t) {
    const bool call = split.Kind == kCallNode;
    node.OpText = call ? kCallLabel : kIndexedLabel;
    size_t start = split.Position;
    while (start > 0 && IsIdentifierChar(t[start - 1])) --start;
    if (start == split.Position) return;
    node.LeftNode = NewChild(std::string(t.substr(start, split.Position - start)),
                             call ? kFunctionNameNode : kLeafNode);
    node.RightNode = NewChild(std::string(BracketGroup(t, split.Position, call ? ')' : ']')));
    pending_.push_back(node.RightNode);
  }

  std::vector<TwrTree*> pending_;
  TParseError error_;
};

// --- Post-pass --------------------------------------------------------------

// A marker node gives way to its right subtree; its left leaf (the opening
// bracket and whatever stood before it) is dropped. Chains vanish too.
void RemoveMarkerNodes(TwrTree*& link) {
  while (link && link->OpText.size() == 1 && link->OpText[0] == kArgumentMarker) {
    TwrTree* marker = link;
    link = marker->RightNode;
    marker->RightNode = nullptr;
    FreeTree(marker);
  }
}

struct AttachedMark {
  bool leading;
  char marker;
  const char* op_text;
};

// Checked in this order; a later match overwrites OpText.
constexpr AttachedMark kAttachedMarks[] = {
    {true, kDecrementMarker, "--!"},
    {false, kDecrementMarker, "!--"},
    {true, kIncrementMarker, "++!"},
    {false, kIncrementMarker, "!++"},
};

// Blanks and brackets outside quotes go; an attached increment or decrement
// moves from the text into OpText.
void CleanLeaf(TwrTree& leaf) {
  std::string& s = leaf.SrcText;
  std::string out;
  out.reserve(s.size());
  bool quoted = false;
  for (char c : s) {
    if (c == kQuote) quoted = !quoted;
    const bool dropped = c == ' ' || c == '(' || c == ')' || c == '[' || c == ']';
    if (quoted || !dropped) out += c;
  }
  s = std::move(out);
  for (const AttachedMark& mark : kAttachedMarks) {
    if (s.empty() || (mark.leading ? s.front() : s.back()) != mark.marker) continue;
    if (mark.leading) {
      s.erase(0, 1);
    } else {
      s.pop_back();
    }
    leaf.OpText = mark.op_text;
  }
}

void PostPass(TwrTree*& root) {
  std::vector<TwrTree**> pending{&root};
  while (!pending.empty()) {
    TwrTree*& link = *pending.back();
    pending.pop_back();
    RemoveMarkerNodes(link);
    TwrTree* node = link;
    if (!node) continue;
    RemoveMarkerNodes(node->LeftNode);
    RemoveMarkerNodes(node->RightNode);
    if (node->LeftNode || node->RightNode) {
      node->SrcText.clear();
    } else {
      CleanLeaf(*node);
    }
    if (node->RightNode) pending.push_back(&node->RightNode);
    if (node->LeftNode) pending.push_back(&node->LeftNode);
  }
}

}  // namespace

TParsedExpression ParseExpression(std::string_view text) {
  std::string t(text);
  MarkIncrements(t);
  t = MarkArguments(t);
  TParsedExpression result;
  result.Root = new TwrTree;
  TreeBuilder builder;
  builder.Build(result.Root, t);
  PostPass(result.Root);
  result.Error = builder.Error();
  return result;
}

}  // namespace tessaro
