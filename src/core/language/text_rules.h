// Small text rules shared by the cutting, the statement forms and the
// expression parser: letter case of keywords and the apostrophe parity.
#pragma once

#include <string>
#include <string_view>

namespace tessaro {

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
