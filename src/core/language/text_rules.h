// Small text rules shared by the cutting, the statement forms and the
// expression parser: character classes, letter case of keywords and the
// apostrophe parity.
#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// Numbers are written with the ASCII digits 0-9.
constexpr bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }
// A space or a control character: what trimming a block's text drops.
constexpr bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// ASCII letters only: names, keywords and built-in functions are ASCII.
char AsciiUpper(char c);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The apostrophe is the language's quote character. A character is inside
// quotes while the number of apostrophes before it is odd.
constexpr char kQuote = '\'';

// Deletes every space that stands outside apostrophes.
std::string RemoveSpacesOutsideQuotes(std::string_view text);

}  // namespace tessaro
