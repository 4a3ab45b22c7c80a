// The block clipboard and the edits of the selection: copy, cut, paste,
// delete and the removal of connections.
//
// The clipboard keeps copies taken at copy time. Links between copied
// elements are kept relative to the clipboard, so every paste rebuilds the
// copied structure, in any document; links that leave the copied set keep
// the source index and survive a paste only into the source document, when
// the user agrees.
#pragma once

#include <functional>

namespace tessaro {

class TDocumentState;

// Clears the selection and the group marks; does not notify.
void ClearSelection(TDocumentState& state);

// Fills the clipboard from the selection (after emptying it).
void WypelnijSchowek(TDocumentState& state);
void OproznijSchowek(TDocumentState& state);

// Copy: fills the clipboard. The extents are recomputed for the picture but
// the document is not marked changed. False when nothing is selected.
bool KopiujBloki(TDocumentState& state);

// Cut: fills the clipboard and removes the selection; the clipboard keeps
// the blocks, so a paste moves them. False when nothing is selected.
bool WytnijBloki(TDocumentState& state);

// Delete: removes the selection and leaves the clipboard alone.
bool UsunZaznaczone(TDocumentState& state);

// Removes both links of every selected element; the clipboard stays.
bool UsunPolaczenia(TDocumentState& state);

// Asked at most once per paste into the clipboard's source document when
// pasted links lead out of the pasted set; true removes those links.
using AskRemoveOutsideLinks = std::function<bool()>;

// Appends the clipboard's elements 30 units right of and below their copies
// and selects them (one: the selected element; several: a group). False when
// the clipboard is empty.
bool Wklej(TDocumentState& state, const AskRemoveOutsideLinks& ask);

}  // namespace tessaro
