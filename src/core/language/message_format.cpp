#include "core/language/message_format.h"

namespace tessaro {

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments) {
  std::string out;
  out.reserve(format.size());
  auto next = arguments.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char spec = format[i + 1];
      if (spec == 's' || spec == 'S') {
        if (next != arguments.end()) out.append(*next++);
        ++i;
        continue;
      }
      if (spec == '%') {
        out.push_back('%');
        ++i;
        continue;
      }
    }
    out.push_back(format[i]);
  }
  return out;
}

}  // namespace tessaro
