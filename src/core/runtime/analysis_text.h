// The texts of the instruction listing and of the error list, shared by the
// analysis window and the command-line runner.
#pragma once

#include <string>
#include <vector>

#include "core/language/compiler.h"

namespace tessaro {

// Item k describes instruction k, with the successor indexes in it.
std::string ListingItem(const Trozkaz& instruction);
std::vector<std::string> ListingItems(const TKompilatorTS& compiler);

// The errors in order, then the warnings: label, ": ", text and where it is.
std::vector<std::string> ErrorListItems(const TKompilatorTS& compiler);

}  // namespace tessaro
