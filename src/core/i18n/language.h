// Message lookup: every text the program shows is found by its message identifier.
#pragma once

#include <string>

namespace tessaro {

// The text of message `id` in the active language; "[" + upper-cased id + "]"
// when the id is unknown. Windows-1250.
std::string LangText(const std::string& id);

}  // namespace tessaro
