// Whether a document holds work its file lacks: the unsaved mark of the
// caption and the questions before closing and quitting.
#pragma once

#include <vector>

#include "core/document/model.h"

namespace tessaro {

// Whether `bloki` differ from `saved`, the diagram as the file holds it
// (TOtwartePliki::Zapisany). Sizes that the renderer refits and group marks
// are no work; a document never saved (empty `saved`) differs once it has an
// element.
bool DiffersFromFile(const std::vector<Tobj>& bloki, const TMemoryStream& saved);
// The same for a diagram held as a stream (a snapshot); a stream that does
// not read counts as different.
bool DiffersFromFile(const TMemoryStream& diagram, const TMemoryStream& saved);

}  // namespace tessaro
