// The 10-byte extended floating-point format of the settings file: a 64-bit
// significand with an explicit leading bit, then a 15-bit exponent (bias
// 16383) and the sign, little-endian. Converted bit by bit, so the result
// does not depend on what `long double` is on the build machine.
#pragma once

#include <array>
#include <cstdint>

namespace tessaro {

using Extended80 = std::array<std::uint8_t, 10>;

// Exact: every double has an extended form.
Extended80 DoubleToExtended(double value);

// Rounded to nearest, ties to even; too large gives infinity, too small
// zero or a denormal; NaN stays NaN.
double ExtendedToDouble(const Extended80& bytes);

}  // namespace tessaro
