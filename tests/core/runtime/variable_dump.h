// Values and variables written out with their kinds, for comparing the state
// two runs leave behind.
#pragma once

#include <cstdint>
#include <string>

#include "core/language/value.h"
#include "core/language/variables.h"
#include "core/runtime/value_ops.h"

namespace tessaro::test {

// The kind as one letter (e, i, r, s, b), then the value's text.
inline std::string ValueText(const TValue& v) {
  return std::string(1, "eirsb"[static_cast<int>(v.Kind())]) + TextForm(v);
}

// A cell with its elements, nested in parentheses.
inline void DumpCell(const TInstancjaZmiennej& cell, std::string& out) {
  out += ValueText(cell.Value);
  if (cell.ChildCount() == 0) return;
  out += '(';
  for (int32_t k = 0; k < cell.ChildCount(); ++k) {
    if (k) out += ',';
    DumpCell(cell.Child(k), out);
  }
  out += ')';
}

}  // namespace tessaro::test
