// Values written shortly, for the tables of cases of the value tests.
#pragma once

#include <cstdint>

#include "core/language/value.h"

namespace tessaro::test {

inline TValue I(int32_t v) { return TValue::Integer(v); }
inline TValue R(double v) { return TValue::Real(v); }
inline TValue S(const char* v) { return TValue::String(v); }

}  // namespace tessaro::test
