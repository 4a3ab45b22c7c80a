#include "core/i18n/language.h"

#include <cctype>

namespace tessaro {

// Placeholder until the translation files are read: every id shows bracketed.
std::string LangText(const std::string& id) {
  std::string upper = id;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return "[" + upper + "]";
}

}  // namespace tessaro
