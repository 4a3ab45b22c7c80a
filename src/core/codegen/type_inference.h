// Which variables and expressions of an exported program provably hold one
// kind of value, so a printer may use the language's own type for them.
//
// Each variable's kinds are the union of the kinds of everything assigned to
// it, computed to a fixed point over the structured tree; integers carry a
// range so that sums and products that cannot leave 32 bits stay integers
// (the interpreter turns an integer that overflows into a real). Inside a for
// loop the counter's range is narrowed by the loop's test. A variable read
// where it may not have been assigned yet is empty there, so it keeps the
// prelude's value type, as do arrays and variables given an answer by read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/codegen/code_tree.h"

namespace tessaro {
class TKompilatorTS;
struct TwrTree;
}

namespace tessaro::codegen {

enum class Natural : uint8_t { None, Integer, Real, Text, Boolean };

struct TypeInfo {
  std::vector<Natural> Variables;  // None: the prelude's value type
  // Expression nodes whose value is always of one kind, integers without
  // overflow; missing nodes are None.
  std::unordered_map<const TwrTree*, Natural> Nodes;

  Natural Of(const TwrTree* node) const {
    auto it = Nodes.find(node);
    return it == Nodes.end() ? Natural::None : it->second;
  }
  Natural OfVariable(int32_t v) const {
    return v >= 0 && v < static_cast<int32_t>(Variables.size()) ? Variables[static_cast<size_t>(v)] : Natural::None;
  }
};

TypeInfo InferTypes(const TKompilatorTS& program, const CodeTree& tree);

}  // namespace tessaro::codegen
