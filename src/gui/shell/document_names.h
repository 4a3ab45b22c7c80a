// Names of open documents.
#pragma once

#include <string>
#include <vector>

#include "core/document/model.h"

namespace tessaro::gui {

// The most bytes a document's name or path record holds.
inline constexpr size_t kMaxNameBytes = 255;

// The name a file shows as: no folder, no extension (the last dot and what
// follows), so "a.alg.alg" shows as "a.alg". `path` is a native path; the
// name is core text.
std::string NazwaWyswietlana(const std::string& path);

// `base` followed by the smallest number from 1 up that no open document has
// as its name.
std::string NewDocumentName(const std::string& base, const std::vector<TOtwartePliki>& open);

// Whether a save name needs ".alg" appended: it holds ".alg" nowhere, in any
// letter case.
bool NeedsAlgExtension(const std::string& path);

}  // namespace tessaro::gui
