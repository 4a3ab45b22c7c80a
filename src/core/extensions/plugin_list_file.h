// The list file "tsdllin.dat": the extension table's records one after
// another, 620 bytes each, without header or trailer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/extensions/plugin_entry.h"

namespace tessaro {

// Calls `each` for every whole record of the file at `path` (native path),
// in file order; a shorter tail is ignored. Returns false when the file
// cannot be read: no regular file, a read error, or larger than the
// start-up file limit.
bool ReadPlugInRecords(const std::string& path, const std::function<void(TPlugInEntry)>& each);

// Writes `entries` as the new file at `path`: through a temporary file beside
// it and a rename, so a failure leaves the old file as it was.
bool WritePlugInList(const std::string& path, const std::vector<TPlugInEntry>& entries);

}  // namespace tessaro
