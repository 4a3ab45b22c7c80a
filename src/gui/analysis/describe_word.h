// The description of a word of the block language for the editor's hover
// hint: a built-in function, an extension function or a command word.
#pragma once

#include <string>

#include "core/language/compiler.h"

namespace tessaro::gui {

struct TWordDescription {
  bool Found = false;
  std::string Text;  // Windows-1250; empty when nothing was found
};

// Built-ins first (unless a variable has the word as its name), then the
// compiler's extensions, whose match replaces a built-in's; only when
// neither matched, the command words. Letter case is ignored.
TWordDescription DescribeWord(const TKompilatorTS& compiler, const std::string& word);

}  // namespace tessaro::gui
