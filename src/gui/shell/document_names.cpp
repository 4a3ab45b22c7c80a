#include "gui/shell/document_names.h"

#include <algorithm>
#include <cctype>

#include "core/i18n/cp1250.h"

namespace tessaro::gui {

std::string NazwaWyswietlana(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  name = Utf8ToCp1250(name);
  if (name.size() > kMaxNameBytes) name.resize(kMaxNameBytes);
  return name;
}

std::string NewDocumentName(const std::string& base, const std::vector<TOtwartePliki>& open) {
  for (size_t n = 1;; ++n) {
    const std::string name = base + std::to_string(n);
    const bool taken = std::any_of(open.begin(), open.end(),
                                   [&](const TOtwartePliki& d) { return d.Nazwa == name; });
    if (!taken) return name;
  }
}

bool NeedsAlgExtension(const std::string& path) {
  // Only the file's own name counts: a folder named "x.alg" does not.
  const size_t slash = path.find_last_of('/');
  std::string upper = slash == std::string::npos ? path : path.substr(slash + 1);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper.find(".ALG") == std::string::npos;
}

}  // namespace tessaro::gui
