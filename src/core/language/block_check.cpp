#include "core/language/block_check.h"

#include <exception>
#include <utility>

#include "core/document/model.h"
#include "core/i18n/ansi_case.h"
#include "core/i18n/language.h"
#include "core/language/builtin_functions.h"
#include "core/language/compiler.h"
#include "core/language/message_format.h"
#include "core/language/statement_cutting.h"
#include "core/language/statement_parser.h"
#include "core/language/text_rules.h"
#include "core/language/tokens.h"

namespace tessaro {

namespace {

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// One instruction and where its text starts in the block.
struct Piece {
  std::string_view text;
  int32_t line;
  int32_t column;  // of text[0], within the line
};

class Checker {
 public:
  Checker(const std::vector<std::string>& extension_functions, std::vector<TBlockError>& errors)
      : extension_functions_(extension_functions), errors_(errors) {}

  void Check(const Piece& piece) {
    piece_ = &piece;
    if (!TKompilatorTS::CheckParentheses(piece.text)) {
      Report(UnbalancedParenthesis(piece.text), 1, {"msgcmp000004"});
      return;
    }
    TParsedStatement parsed = ClassifyInstruction(piece.text);
    TreeOwner tree(parsed.Tree);
    if (parsed.Error.TooDeep) {
      // As ParseErrorText words it.
      ReportWhole({"msgcmp000060", std::to_string(parsed.Error.DepthLimit), TArgumentPlace::Formatted});
      return;
    }
    if (parsed.Error.Flag) ReportWhole({"msged00001"});
    try {
      Walk(tree.get());
    } catch (const std::exception&) {
      ReportWhole({"msgcmp000027"});
    }
  }

 private:
  // The first ")" without its "(", else the last "(" left open.
  static size_t UnbalancedParenthesis(std::string_view text) {
    std::vector<size_t> open;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '(') open.push_back(i);
      if (text[i] != ')') continue;
      if (open.empty()) return i;
      open.pop_back();
    }
    return open.empty() ? 0 : open.back();
  }

  // Where `word` stands as a whole word outside apostrophes; npos when nowhere.
  static size_t FindWord(std::string_view text, std::string_view word) {
    if (word.empty()) return std::string_view::npos;
    int quotes = 0;
    for (size_t i = 0; i + word.size() <= text.size(); ++i) {
      if (text[i] == kQuote) ++quotes;
      if (quotes % 2 != 0 || text.compare(i, word.size(), word) != 0) continue;
      const bool starts = i == 0 || !IsNameChar(text[i - 1]);
      const bool ends = i + word.size() == text.size() || !IsNameChar(text[i + word.size()]);
      if (starts && ends) return i;
    }
    return std::string_view::npos;
  }

  struct Message {
    Message(const char* message_id, std::string message_argument = {},
            TArgumentPlace argument_place = TArgumentPlace::None)
        : id(message_id), argument(std::move(message_argument)), place(argument_place) {}
    const char* id;
    std::string argument;
    TArgumentPlace place;
  };

  void Report(size_t offset, size_t length, Message message) {
    TBlockError error;
    error.Line = piece_->line;
    error.Column = piece_->column + static_cast<int32_t>(offset);
    error.Length = static_cast<int32_t>(length < 1 ? 1 : length);
    error.MessageId = message.id;
    error.Argument = std::move(message.argument);
    error.ArgumentPlace = message.place;
    errors_.push_back(std::move(error));
  }

  // The instruction without its surrounding blanks.
  void ReportWhole(Message message) {
    const std::string_view t = piece_->text;
    size_t first = 0, last = t.size();
    while (first < last && IsBlankOrControl(t[first])) ++first;
    while (last > first && IsBlankOrControl(t[last - 1])) --last;
    Report(first, last - first, std::move(message));
  }

  // At the name's place when it can be found, else the whole instruction.
  void ReportName(std::string_view name, Message message) {
    const size_t at = FindWord(piece_->text, name);
    if (at == std::string_view::npos) {
      ReportWhole(std::move(message));
    } else {
      Report(at, name.size(), std::move(message));
    }
  }

  void CheckName(const std::string& name) {
    if (!IsValidVariableName(name)) ReportName(name, {"msgcmp000031", name, TArgumentPlace::Formatted});
  }

  bool IsKnownFunction(const std::string& name) const {
    if (FindBuiltinFunction(name) > 0) return true;
    for (const std::string& f : extension_functions_) {
      if (AnsiSameText(f, name)) return true;
    }
    return false;
  }

  // The nodes the compiler's resolution and binding look at, in the same way.
  void Walk(TwrTree* root) {
    struct Pending {
      TwrTree* node;
      const TwrTree* parent;  // only for right children
    };
    std::vector<Pending> pending;
    if (root) pending.push_back({root, nullptr});
    while (!pending.empty()) {
      const Pending p = pending.back();
      pending.pop_back();
      TwrTree& node = *p.node;
      if (!IsParseErrorNode(node)) Visit(node, p.parent && p.parent->NodeKind == kMemberNode);
      if (node.RightNode) pending.push_back({node.RightNode, &node});
      if (node.LeftNode && node.NodeKind != kIndexedNode) pending.push_back({node.LeftNode, nullptr});
    }
  }

  void Visit(const TwrTree& node, bool under_member) {
    if (node.NodeKind == kIndexedNode && !under_member && node.LeftNode) CheckName(node.LeftNode->SrcText);
    if (node.NodeKind == kStatementNode && node.OpText != "read" && node.OpText != "write") CheckName(node.ItemName);
    if (node.NodeKind <= kPrefixNode && !node.SrcText.empty() && !under_member &&
        ClassifyToken(node.SrcText).IsEmpty()) {
      CheckName(node.SrcText);
    }
    if (node.NodeKind == kCallNode) {
      const std::string name = node.LeftNode ? node.LeftNode->SrcText : std::string();
      if (!IsKnownFunction(name)) ReportName(name, {"msgcmp000028", name, TArgumentPlace::Appended});
    }
  }

  const std::vector<std::string>& extension_functions_;
  std::vector<TBlockError>& errors_;
  const Piece* piece_ = nullptr;
};

// The text without line feeds and the offset at which each of its lines starts.
struct Lines {
  std::string text;
  std::vector<size_t> starts{0};

  explicit Lines(std::string_view block_text) {
    for (char c : block_text) {
      if (c == '\n') continue;
      text += c;
      if (c == '\r') starts.push_back(text.size());
    }
  }
  std::string_view Line(size_t index) const {
    const size_t end = index + 1 < starts.size() ? starts[index + 1] - 1 : text.size();
    return std::string_view(text).substr(starts[index], end - starts[index]);
  }
};

}  // namespace

std::vector<TBlockError> CheckBlockText(std::string_view block_text, int32_t kind,
                                        const std::vector<std::string>& extension_functions) {
  std::vector<TBlockError> errors = FindBlockErrors(block_text, kind, extension_functions);
  TranslateBlockErrors(errors);
  return errors;
}

void TranslateBlockErrors(std::vector<TBlockError>& errors) {
  for (TBlockError& error : errors) {
    const std::string text = LangText(error.MessageId);
    switch (error.ArgumentPlace) {
      case TArgumentPlace::None: error.Text = text; break;
      case TArgumentPlace::Formatted: error.Text = FormatText(text, {error.Argument}); break;
      case TArgumentPlace::Appended: error.Text = text + error.Argument; break;
    }
  }
}

std::vector<TBlockError> FindBlockErrors(std::string_view block_text, int32_t kind,
                                         const std::vector<std::string>& extension_functions) {
  std::vector<TBlockError> errors;
  Checker checker(extension_functions, errors);
  const Lines lines(block_text);
  if (kind == Warunek) {
    // Each line on its own: the joined condition has no place in the text.
    for (size_t l = 0; l < lines.starts.size(); ++l) {
      const std::string_view line = lines.Line(l);
      checker.Check({line, static_cast<int32_t>(l + 1), 1});
    }
  } else if (kind == Przetwarzanie || kind == WeWY) {
    for (const TInstructionPiece& cut : CutStatements(block_text)) {
      const size_t start = static_cast<size_t>(cut.Column - 1);
      const size_t line_start = lines.starts[static_cast<size_t>(cut.Line - 1)];
      const std::string_view text = std::string_view(lines.text).substr(start, cut.Text.size());
      checker.Check({text, cut.Line, static_cast<int32_t>(start - line_start + 1)});
    }
  }
  return errors;
}

}  // namespace tessaro
