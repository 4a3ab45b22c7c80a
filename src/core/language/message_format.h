// Filling the arguments of a translated message text.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessaro {

// `format` with each "%s" replaced by the next argument, in order, and "%%"
// by "%". A translation may hold fewer "%s" than arguments (the rest are
// dropped) or more (they become empty): a translator's slip must never stop
// a message from being shown. Other "%" sequences stay as written.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments);

}  // namespace tessaro
