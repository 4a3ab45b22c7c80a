// The run-time support printed at the top of an exported C++ program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro::codegen {

// The prelude with the named sections ("arrays", "read", "write", "div" and
// the built-in functions by name) and whatever they need.
std::string CppPrelude(const std::vector<std::string>& sections);

const std::vector<std::string_view>& CppPreludeNames();

}  // namespace tessaro::codegen
