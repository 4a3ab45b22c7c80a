#include "core/language/statement_parser.h"

#include <string>

#include "core/i18n/language.h"
#include "core/language/message_format.h"
#include "core/language/text_rules.h"

namespace tessaro {

namespace {

TwrTree* NewStatementNode(std::string_view keyword) {
  TwrTree* node = new TwrTree;
  node->NodeKind = kStatementNode;
  node->OpText = keyword;
  node->VarIndex = -1;
  return node;
}

// Cuts a declaration list at every "," where the brackets «[» and «]» seen
// so far are even in number. The text after the last cut is an item only
// when an unmatched «[» left something there (the list ends in its own ","),
// so that «dim t[3» fails visibly instead of declaring nothing.
std::vector<std::string> CutDeclarations(const std::string& list) {
  std::vector<std::string> items;
  int brackets = 0;
  size_t start = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    const char c = list[i];
    if (c == '[' || c == ']') ++brackets;
    if (c == ',' && brackets % 2 == 0) {
      items.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < list.size()) items.push_back(list.substr(start));
  return items;
}

// Cuts a read or write list at every "," outside apostrophes where the round
// and the square brackets opened so far are all closed, so that «Power(2,3)»
// and «t[1,2]» stay whole items. The text after the last cut is an item too.
std::vector<std::string> CutInputOutputItems(const std::string& list) {
  std::vector<std::string> items;
  int round = 0;
  int square = 0;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    const char c = list[i];
    if (c == kQuote) quoted = !quoted;
    if (quoted) continue;
    if (c == '(') ++round;
    if (c == ')') --round;
    if (c == '[') ++square;
    if (c == ']') --square;
    if (c == ',' && round == 0 && square == 0) {
      items.push_back(list.substr(start, i - start));
      start = i + 1;
    }
  }
  items.push_back(list.substr(start));
  return items;
}

// «t[3,4]» declares t with "3,4"; an item without «[» has the size "1".
void SplitDeclaration(const std::string& item, std::string& name, std::string& dims) {
  const size_t open = item.find('[');
  if (open == std::string::npos) {
    name = item;
    dims = "1";
    return;
  }
  const size_t close = item.find(']', open);
  if (close == std::string::npos) {
    name = item.substr(0, open);
    dims = item.substr(open + 1);
    return;
  }
  name = item.substr(0, open) + item.substr(close + 1);
  dims = item.substr(open + 1, close - open - 1);
}

void ParseDim(std::string_view rest, TParsedStatement& out) {
  std::string list;
  for (char c : rest) {
    if (c != ' ') list += c;
  }
  if (!list.empty() && list[0] == '=') list.erase(0, 1);
  list += ',';
  TwrTree* previous = nullptr;
  for (const std::string& item : CutDeclarations(list)) {
    TwrTree* node = NewStatementNode("dim");
    SplitDeclaration(item, node->ItemName, node->DimsText);
    node->SrcText = "[" + node->DimsText + "]";
    node->NodeValue = TValue::String(node->SrcText);
    (previous ? previous->LeftNode : out.Tree) = node;
    previous = node;
    out.Steps.push_back(node);
  }
}

// «set t:=(1,2)» and «set t=(1,2)» are the same statement.
void ParseSet(std::string_view rest, TParsedStatement& out) {
  const std::string text = RemoveSpacesOutsideQuotes(rest);
  const size_t eq = text.find('=');
  TwrTree* node = NewStatementNode("set");
  node->ItemName = text.substr(0, eq);
  if (!node->ItemName.empty() && node->ItemName.back() == ':') node->ItemName.pop_back();
  node->SrcText = eq == std::string::npos ? "" : text.substr(eq + 1);
  out.Tree = node;
  out.Steps.push_back(node);
}

void ParseInputOutput(std::string_view keyword, std::string_view rest, TParsedStatement& out) {
  const std::vector<std::string> items = CutInputOutputItems(RemoveSpacesOutsideQuotes(rest));
  TwrTree* before = nullptr;  // the node of the item written before this one
  for (const std::string& item : items) {
    TwrTree* node = NewStatementNode(keyword);
    node->ItemName = item;
    node->SrcText = item;
    TParsedExpression parsed = ParseExpression(item);
    node->RightNode = parsed.Root;
    if (parsed.Error.Flag && !out.Error.Flag) out.Error = parsed.Error;
    node->LeftNode = before;
    before = node;
  }
  out.Tree = before;
  std::vector<TwrTree*> item_steps;
  for (TwrTree* node = out.Tree; node; node = node->LeftNode) {
    out.Steps.push_back(node);
    BuildSteps(node->RightNode, item_steps);
    out.Steps.insert(out.Steps.end(), item_steps.begin(), item_steps.end());
  }
}

}  // namespace

std::string ParseErrorText(const TParseError& error) {
  if (error.TooDeep) return FormatText(LangText("msgcmp000060"), {std::to_string(error.DepthLimit)});
  return FormatText(LangText("msgcmp000054"), {std::string(error.Operator)});
}

std::string_view StatementFormName(TStatementForm form) {
  switch (form) {
    case TStatementForm::Dim: return "dim";
    case TStatementForm::Set: return "set";
    case TStatementForm::Read: return "read";
    case TStatementForm::Write: return "write";
    case TStatementForm::Expression: break;
  }
  return "expression";
}

TParsedStatement ClassifyInstruction(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  TParsedStatement out;
  if (StartsWithIgnoringCase(text, "DIM ")) {
    out.Form = TStatementForm::Dim;
    ParseDim(text.substr(4), out);
  } else if (StartsWithIgnoringCase(text, "SET ")) {
    out.Form = TStatementForm::Set;
    ParseSet(text.substr(4), out);
  } else if (StartsWithIgnoringCase(text, "READ ")) {
    out.Form = TStatementForm::Read;
    ParseInputOutput("read", text.substr(5), out);
  } else if (StartsWithIgnoringCase(text, "WRITE ")) {
    out.Form = TStatementForm::Write;
    ParseInputOutput("write", text.substr(6), out);
  } else {
    TParsedExpression parsed = ParseExpression(text);
    out.Tree = parsed.Root;
    out.Error = parsed.Error;
    BuildSteps(out.Tree, out.Steps);
  }
  return out;
}

}  // namespace tessaro
