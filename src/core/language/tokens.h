// The lexical rules of the block language: literals and variable names.
#pragma once

#include <string_view>

#include "core/language/value.h"

namespace tessaro {

// The literal a token denotes, tried in this order: string (first character
// an apostrophe or a double quote), integer (decimal, or hexadecimal after
// "$", "0x" or "0X"; never for a token beginning with "x" or "X"), real ("."
// as decimal separator; decimal integers beyond 32 bits land here), boolean
// ("TRUE"/"FALSE" in any case). An Empty value means the token is no literal,
// which makes it a name.
TValue ClassifyToken(std::string_view token);

// Letters A-Z and a-z, digits and "_"; a "[" ends the check with the name so
// far; any other character, or a digit first, makes the name invalid. An
// empty name passes.
bool IsValidVariableName(std::string_view name);

}  // namespace tessaro
