// Reading algorithm streams: the current format and the three older ones.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/document/alg_format.h"
#include "core/document/model.h"

namespace tessaro {

class TDocumentState;

struct TAlgRead {
  std::optional<AlgFormat> format;  // empty: the magic is none of the four
  bool ok = false;                  // the whole stream was read
  std::vector<Tobj> bloki;          // the elements, when ok
};

// Reads a stream without showing anything. A stream that ends early or whose
// counts claim more than remains is rejected as a whole. Elements of the old
// fixed-record formats are converted, taking `defaults` for their style.
TAlgRead ReadAlgorithm(std::span<const uint8_t> stream, const TElementDefaults& defaults);

// Replaces state.Bloki with the stream's diagram, with the notices the older
// formats call for. An unknown or damaged stream gives the unknown-format
// notice and leaves Bloki as it was. Returns whether Bloki was replaced.
// The caller clears the selection and recomputes the extents.
bool WczytajSchemat(TDocumentState& state, std::span<const uint8_t> stream);

}  // namespace tessaro
