// The font of the selected block and of the group: what the font dialog is
// preset with and where its choice goes.
#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

class TDocumentState;

struct TBlockFont {
  std::string Name;  // Windows-1250
  int32_t Size = 0;
};

// The selected element's font, then, while a group is active, each member's
// in array order, so the last member wins; an empty name and size 0 when
// there is neither.
TBlockFont SelectionFont(const TDocumentState& state);

// Writes the font into the selected element and, while a group is active,
// into every member; repaints. Nothing else changes.
void SetSelectionFont(TDocumentState& state, const TBlockFont& font);

}  // namespace tessaro
