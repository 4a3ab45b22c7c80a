// The check of one block's text while the pupil types: the compiler's
// cutting, statement classification, expression parsing, parenthesis check,
// name check and function lookup, applied to that block alone, with each
// error placed at its line and column in the block.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// Where a message's argument goes: nowhere, in place of its "%s", or after it.
enum class TArgumentPlace : uint8_t { None, Formatted, Appended };

struct TBlockError {
  int32_t Line = 1;    // 1-based line of the block text
  int32_t Column = 1;  // 1-based, within that line
  int32_t Length = 1;  // characters to mark, at least 1
  std::string Text;    // the compiler's message, Windows-1250
  // The message before translation: its identifier and its one argument.
  const char* MessageId = "";
  std::string Argument;
  TArgumentPlace ArgumentPlace = TArgumentPlace::None;
};

// The errors the compiler would report for the text of a block of `kind`,
// in text order. Names in `extension_functions` (the enabled extensions')
// are known functions besides the built-ins. Notes and the kinds without
// text have none. Variables are not resolved across blocks, so a name is
// only checked for its spelling.
std::vector<TBlockError> CheckBlockText(std::string_view block_text, int32_t kind,
                                        const std::vector<std::string>& extension_functions);

// CheckBlockText without the texts (Text stays empty). It reads no
// translation and no shared state, so it may run on a thread of its own
// while the user-interface thread goes on (and may switch the language).
std::vector<TBlockError> FindBlockErrors(std::string_view block_text, int32_t kind,
                                         const std::vector<std::string>& extension_functions);

// Fills every error's Text from its message in the active language.
void TranslateBlockErrors(std::vector<TBlockError>& errors);

}  // namespace tessaro
