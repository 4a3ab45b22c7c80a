// Windows-1250 <-> UTF-8.
//
// Core text is single-byte Windows-1250 in std::string. The conversion happens
// only where text leaves or enters the core: the window, the command line and
// file paths.
#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// The Unicode code point of a Windows-1250 byte; U+FFFD for the five unused positions.
char32_t Cp1250ToUnicode(unsigned char byte);

// The Windows-1250 byte of a code point, or -1 when the code page lacks it.
int UnicodeToCp1250(char32_t code_point);

std::string Cp1250ToUtf8(std::string_view text);

// Characters outside the code page, and malformed UTF-8 sequences, become "?".
// `lossy`, when given, is set to whether that happened.
std::string Utf8ToCp1250(std::string_view text, bool* lossy = nullptr);

}  // namespace tessaro
