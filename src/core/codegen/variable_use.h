// What an export needs to know of the program's variables: which ones are
// used with elements, and the names they get in the target language.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {
class TKompilatorTS;
struct TwrTree;
}

namespace tessaro::codegen {

struct VariableUse {
  // Per variable: used with indexes, declared with dim, given a tuple with
  // set or read as a tuple of elements. Such a variable is an array in the
  // export; the others are plain values.
  std::vector<char> HasElements;
  // Names in the target language; equal to the diagram's names except
  // where a name clashes with a reserved word.
  std::vector<std::string> Names;
  // "old -> new" for every renamed variable.
  std::vector<std::string> Renamed;
};

// `reserved`: keywords and the names the export defines itself.
// `ignore_case`: names that differ only in letter case clash (Pascal).
VariableUse AnalyseVariables(const TKompilatorTS& program, const std::vector<std::string_view>& reserved,
                             bool ignore_case);

// How an instruction touches a variable. An assignment's target is written,
// not read; a compound assignment, an increment and read (which keeps the old
// value when the answer gives none) both read and write it.
struct VariableAccess {
  int32_t Variable = -1;
  bool Read = false;
  bool Write = false;
  bool Whole = true;  // false for an element of an array
};

// Every access of instruction tree `root`, in no particular order.
void InstructionAccesses(const TKompilatorTS& program, const TwrTree* root, std::vector<VariableAccess>& out);

// A name for generated code (`base`, base2, base3, ...) that no variable and no reserved word has.
std::string FreshName(const std::string& base, const VariableUse& use,
                      const std::vector<std::string_view>& reserved, std::vector<std::string>& taken);

}  // namespace tessaro::codegen
