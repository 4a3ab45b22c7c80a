#include "core/conversion/base_conversion.h"

#include <algorithm>

namespace tessaro {

namespace {

// A lower-case letter is the digit of its upper-case form, so "ff" is 255 in
// base 16 as the conversion panel shows it.
int32_t DigitValue(unsigned char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
  return c < 58 ? c - 48 : c - 55;
}

char DigitCharacter(int32_t digit) {
  // A base above 200 gives digit values past the code page; they keep their low byte.
  return static_cast<char>(digit < 10 ? digit + 48 : digit + 55);
}

}  // namespace

int32_t ToDecimal(std::string_view text, int32_t base) {
  // Unsigned arithmetic gives the 32-bit wrap-around without overflow.
  uint32_t sum = 0;
  uint32_t weight = 1;
  for (auto it = text.rbegin(); it != text.rend(); ++it) {
    sum += static_cast<uint32_t>(DigitValue(static_cast<unsigned char>(*it))) * weight;
    weight *= static_cast<uint32_t>(base);
  }
  return static_cast<int32_t>(sum);
}

std::string FromDecimal(int32_t value, int32_t base, int32_t minimum_digits) {
  // Zero is written with one digit, in every base.
  std::string digits = value == 0 ? "0" : "";
  // Bases 0 and 1 would divide by zero or never end; they give no digits.
  // A negative base ends after one digit, since value / base is then negative.
  if (base >= 2 || base < 0) {
    while (value > 0) {
      digits.push_back(DigitCharacter(value % base));
      value /= base;
    }
  }
  std::reverse(digits.begin(), digits.end());
  if (minimum_digits > static_cast<int32_t>(digits.size())) {
    digits.insert(0, static_cast<size_t>(minimum_digits) - digits.size(), '0');
  }
  return digits;
}

std::string ConvertBase(std::string_view text, int32_t from_base, int32_t to_base) {
  return FromDecimal(ToDecimal(text, from_base), to_base);
}

}  // namespace tessaro
