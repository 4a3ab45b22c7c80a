// Undo and redo: every open document keeps a stack of whole-diagram
// snapshots in the algorithm stream format, newest first, and a stack of the
// steps undone. The stacks are driven through TDocumentState::ZapiszStan,
// CofnijKrok and PonowKrok.
#pragma once

#include <cstdint>
#include <vector>

#include "core/document/model.h"

namespace tessaro {

// At most 20 snapshots, so 19 undo steps.
constexpr int32_t GlebokoscCofania = 20;

// Whether two diagrams hold the same work: equal but for the group marks and
// the sizes the renderer refits from the texts at every repaint.
bool SameWork(const std::vector<Tobj>& a, const std::vector<Tobj>& b);
bool SameWork(const TMemoryStream& a, const TMemoryStream& b);

}  // namespace tessaro
