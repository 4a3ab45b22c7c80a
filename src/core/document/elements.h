// Making new elements, and the names of the block kinds.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/document/model.h"

namespace tessaro {

// The kind's name as the failure report prints it: "Start", "Koniec", ...,
// "Nieznany" for a code without a kind.
std::string_view BlockKindName(int32_t blok);

// An element of `kind` placed in the editor at (left, top): no links, NieTak 1,
// the one-space text, the default colours and font, Flagi 0.
Tobj NowyElement(int32_t kind, int32_t left, int32_t top, const TElementDefaults& defaults);

// A note placed in the editor: like NowyElement, but pale green, in "Arial Ce"
// one point smaller than the default font, with the note placeholder text.
Tobj NowaNotatka(int32_t left, int32_t top, const TElementDefaults& defaults);

}  // namespace tessaro
