// Conversion of numbers between digit strings and integers, in any base.
//
// These functions never reject input: the block language's conversion
// built-ins and the conversion panel rely on them giving a result for any text
// and any base. Values are signed 32-bit integers and the arithmetic wraps
// around. Digit values 0-9 are "0"-"9"; values from 10 up are the character
// with code value + 55, so base 32 uses "0"-"9" and "A"-"V".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// The value of `text` read as digits in `base`. Any character counts as a
// digit: a lower-case letter as its upper-case form, otherwise code - 48 below
// ":", else code - 55 (so a digit not smaller than the base, or a character
// that is no digit at all, is taken as it is).
int32_t ToDecimal(std::string_view text, int32_t base);

// The digits of `value` in `base`, padded on the left with "0" to at least
// `minimum_digits` characters. Zero is "0"; negative values have no digits,
// and neither has any other value in base 0 or 1 (which would never end).
std::string FromDecimal(int32_t value, int32_t base, int32_t minimum_digits = 0);

// FromDecimal(ToDecimal(text, from_base), to_base).
std::string ConvertBase(std::string_view text, int32_t from_base, int32_t to_base);

}  // namespace tessaro
