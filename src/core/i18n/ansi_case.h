// Letter case of Windows-1250 text.
//
// Names that the program compares without regard to case (settings keys,
// message identifiers, INI sections and keys) follow the code page's own
// rule, so the Polish letters and the other letters of the page change case
// too, not only A-Z.
#pragma once

#include <string>
#include <string_view>

namespace tessaro {

char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);

// Whether `a` and `b` are equal once both are upper-cased.
bool AnsiSameText(std::string_view a, std::string_view b);

}  // namespace tessaro
