// The run-time support printed inside an exported Java program's class.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro::codegen {

// The prelude with the named sections ("arrays", "read", "write", "div" and
// the built-in functions by name) and whatever they need; indented for the
// inside of the program's class.
std::string JavaPrelude(const std::vector<std::string>& sections);

const std::vector<std::string_view>& JavaPreludeNames();

}  // namespace tessaro::codegen
