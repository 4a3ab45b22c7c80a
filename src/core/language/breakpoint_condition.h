// What a breakpoint condition may be: an expression that changes nothing.
#pragma once

#include <string_view>

namespace tessaro {

// The message identifier saying why `text` cannot be a breakpoint condition,
// or "" when it can: it must not be blank, a statement (dim, set, read,
// write), an assignment or an increment.
std::string_view BreakpointConditionFault(std::string_view text);

}  // namespace tessaro
