// Writing the current algorithm format.
#pragma once

#include <vector>

#include "core/document/model.h"

namespace tessaro {

// Replaces the content of `stream` with `bloki` in the current format, the
// program's version text in the header. Refuses (false, `stream` untouched)
// when a text is too long for its 16-bit count, rather than cut it.
bool ZapiszSchemat(const std::vector<Tobj>& bloki, TMemoryStream& stream);

}  // namespace tessaro
