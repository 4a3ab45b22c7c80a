// The evaluation of the 59 built-in functions, by their 1-based position in
// the built-in table of the block language.
//
// Pure functions over values, apart from the shared random generator. A fault
// throws a RuntimeFault (fault.h).
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/language/value.h"

namespace tessaro {

constexpr int32_t kBuiltinCount = 59;

// A base conversion done by one of the conversion built-ins (positions 49 to
// 59), for the conversion panel.
struct ConversionNote {
  bool happened = false;
  int32_t from_base = 0;
  int32_t to_base = 0;
  std::string text;  // the argument text that was converted
};

enum class BuiltinStatus { Ok, WrongArity, UnknownFunction };

// Computes built-in `position` (1..59) of `args` (first argument first) into
// `result`. With the wrong number of arguments nothing is computed.
BuiltinStatus CallBuiltin(int32_t position, const std::vector<TValue>& args, TValue& result,
                          ConversionNote* note = nullptr);

// Whether built-in `position` accepts `count` arguments.
bool BuiltinAcceptsArgumentCount(int32_t position, size_t count);

// The generator behind "Random" on the calling thread; seeded when a program starts.
void SeedRandom(uint32_t seed);
// That generator itself: the run's history keeps copies of its state, so
// that stepping back and forward again draws the same numbers.
std::mt19937& RandomGenerator();

}  // namespace tessaro
