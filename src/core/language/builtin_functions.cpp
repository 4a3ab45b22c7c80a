#include "core/language/builtin_functions.h"

#include "core/language/text_rules.h"

namespace tessaro {

int FindBuiltinFunction(std::string_view name) {
  for (int i = 0; i < kBuiltinFunctionCount; ++i) {
    if (EqualsIgnoringCase(kBuiltinFunctions[i].Name, name)) return i + 1;
  }
  return 0;
}

std::string BuiltinHint(int position) {
  if (position < 1 || position > kBuiltinFunctionCount) return "";
  const TBuiltinFunction& f = kBuiltinFunctions[position - 1];
  if (f.Description.empty()) return "";
  std::string hint(f.Description);
  hint += "\r\r";
  hint += f.Example;
  return hint;
}

}  // namespace tessaro
