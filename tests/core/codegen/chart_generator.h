// Seeded random flowcharts for the differential test of the export, as text
// descriptions (alg_spec.h).
//
// Every block's path is observable: a processing block writes its number and
// folds it into a checksum, and conditions test the checksum or an answer
// read from the input. A step counter bounds every run: a condition's true
// exit is the only one that may lead back, and it is taken only while the
// counter is below a limit, so every chart ends.
#pragma once

#include <cstdint>
#include <string>

namespace tessaro::test {

enum class ChartFamily {
  Structured,   // sequences, if/else, while and do-while loops, nested
  Unstructured, // jumps out of loops and between branches; reducible
  Irreducible,  // cycles entered at two places
};

const char* FamilyName(ChartFamily family);

// A chart of `family` from `seed`. Unstructured and irreducible charts are
// drawn until the graph has the family's shape; `attempts` says how many draws it took.
std::string GenerateChart(ChartFamily family, uint32_t seed, int* attempts = nullptr);

// The answers a chart reads, one per line.
std::string GenerateInput(uint32_t seed);

}  // namespace tessaro::test
