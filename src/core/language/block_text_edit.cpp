#include "core/language/block_text_edit.h"

#include "core/document/model.h"
#include "core/language/text_rules.h"

namespace tessaro {

namespace {

// Characters that, standing right before "=", make it part of another
// operator: comparisons, assignment, and the compound assignments.
bool JoinsFollowingEquals(char c) {
  switch (c) {
    case '=': case '<': case '>': case '!': case ':':
    case '+': case '-': case '*': case '/': case '%': case '&': case '|': case '^':
      return true;
    default:
      return false;
  }
}

bool JoinsPrecedingEquals(char c) { return c == '=' || c == '<' || c == '>'; }

// Puts `insert` before every lone "=" outside string literals. A literal
// runs from an apostrophe or a double quote to the next of the same kind,
// so an apostrophe inside «"don't"» opens nothing.
std::string ReplaceLoneEquals(std::string_view text, char insert) {
  std::string out;
  out.reserve(text.size() + 8);
  char literal = 0;  // the quote of the literal the walk is in, 0 outside
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (literal) {
      if (c == literal) literal = 0;
    } else if (c == kQuote || c == '"') {
      literal = c;
    } else if (c == '=') {
      const bool joined_before = i == 0 || JoinsFollowingEquals(text[i - 1]);
      const bool joined_after = i + 1 < text.size() && JoinsPrecedingEquals(text[i + 1]);
      if (!joined_before && !joined_after) out += insert;
    }
    out += c;
  }
  return out;
}

// «"abc"» outside apostrophes becomes «'abc'»; a literal holding an
// apostrophe stays as written, and so does everything inside it.
std::string ConvertDoubleQuotes(std::string text) {
  int quotes = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == kQuote) {
      ++quotes;
      continue;
    }
    if (text[i] != '"' || quotes % 2 != 0) continue;
    const size_t close = text.find('"', i + 1);
    const size_t end = close == std::string::npos ? text.size() : close;
    if (text.find(kQuote, i + 1) >= end) {
      text[i] = kQuote;
      if (close != std::string::npos) text[close] = kQuote;
    }
    if (close == std::string::npos) break;
    i = close;
  }
  return text;
}

}  // namespace

std::string ReplaceConditionOperators(std::string_view text) { return ReplaceLoneEquals(text, '='); }

std::string ReplaceStatementOperators(std::string_view text) {
  return ConvertDoubleQuotes(ReplaceLoneEquals(text, ':'));
}

std::string_view TrimBlockText(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

bool IsEditableKind(int32_t kind) {
  return kind == Przetwarzanie || kind == Warunek || kind == WeWY || kind == Notatka;
}

std::optional<std::string> BlockTextFromEditor(std::string_view editor_text, int32_t kind,
                                               bool replace_operators) {
  if (!IsEditableKind(kind)) return std::nullopt;
  const std::string stored = ToBlockLineBreaks(TrimBlockText(editor_text));
  if (stored.empty()) return std::string(" ");
  if (!replace_operators || kind == Notatka) return stored;
  return kind == Warunek ? ReplaceConditionOperators(stored) : ReplaceStatementOperators(stored);
}

std::string ToBlockLineBreaks(std::string_view editor_text) {
  std::string out;
  out.reserve(editor_text.size() + 16);
  for (size_t i = 0; i < editor_text.size(); ++i) {
    const char c = editor_text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < editor_text.size() && editor_text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string ToEditorLineBreaks(std::string_view block_text) {
  std::string out;
  out.reserve(block_text.size());
  for (size_t i = 0; i < block_text.size(); ++i) {
    const char c = block_text[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < block_text.size() && block_text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace tessaro
