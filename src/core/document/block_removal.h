// Removing elements from the current diagram, with the renumbering of every
// index that refers to them: links, breakpoints, the selection and the links
// the block clipboard keeps to its source document.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaro {

class TDocumentState;
struct Tobj;

// Whether a link is one the editor follows: Link1 names 0..highest, Link2
// names 1..highest (0 means "none" there). Other values are kept but never
// renumbered or redirected.
bool ValidLink1(int32_t link, size_t count);
bool ValidLink2(int32_t link, size_t count);

// The indexes the selection covers: the group's members in index order while
// a group is active, otherwise the selected element; empty for none.
std::vector<int32_t> SelectedIndexes(const TDocumentState& state);

// For `count` elements of which `removed` go: each old index's new index, -1
// for the removed ones.
std::vector<int32_t> RenumberMap(size_t count, const std::vector<int32_t>& removed);

// Removes the listed elements from Bloki. Links to them become -1; valid
// links and the breakpoints of the remaining blocks follow their blocks; a
// Link2 that would come to name element 0 becomes -1, as 0 means none there.
// The breakpoints of removed blocks go. The selection follows its element.
void UsunBloki(TDocumentState& state, const std::vector<int32_t>& removed);

}  // namespace tessaro
