// The run-time support printed at the top of an exported Python program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro::codegen {

// The prelude with the named sections and whatever they need, in a fixed
// order. Sections: "arrays", "read", "write", "div", "flags", and one per
// built-in function under its name in the built-in table.
std::string PythonPrelude(const std::vector<std::string>& sections);

// Names the prelude defines for the program's use; a variable of the same
// name is renamed.
const std::vector<std::string_view>& PythonPreludeNames();

}  // namespace tessaro::codegen
