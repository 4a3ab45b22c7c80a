// Text forms of the values that cross the extension interface.
//
// Both directions use "." as the decimal separator whatever the user's
// locale, so none of this goes through printf or strtod.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// A real in general format with up to 15 significant digits: fixed notation
// without trailing zeros when 0.00001 <= |v| and at most 15 digits stand
// before the point ("2.5", "0.00001", "123456789012345"), otherwise
// scientific ("1.5E-7", "1E20", "-2.25E15"). Non-finite values read "NAN",
// "INF" and "-INF".
std::string FormatArgumentReal(double value);

// A 32-bit integer result: optional leading blanks and sign, then decimal
// digits, or hexadecimal digits after "$" or "0x"; hexadecimal covers the
// 32 bits ("$FFFFFFFF" is -1), decimal must fit the signed range.
std::optional<int32_t> ParseResultInteger(std::string_view text);

// A real result: optional blanks around, optional sign, digits with "." and
// an exponent; no "INF" or "NAN", nothing that overflows a double.
std::optional<double> ParseResultReal(std::string_view text);

// A boolean result: "True" or "False" in any letter case, or a number (as
// above) that is true when non-zero.
std::optional<bool> ParseResultBoolean(std::string_view text);

}  // namespace tessaro
