// tessaro-cli convert VALUE FROM TO: prints ConvertBase(VALUE, FROM, TO).
#include <charconv>
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "core/conversion/base_conversion.h"
#include "core/i18n/cp1250.h"

namespace tessaro::cli {

namespace {

// A base is any whole 32-bit number: the conversion itself rejects nothing.
bool ParseBase(const std::string& text, int32_t& base) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  auto [end, error] = std::from_chars(first, last, base);
  return first != last && error == std::errc() && end == last;
}

}  // namespace

int RunConvert(const CliOptions& options) {
  int32_t from = 0;
  int32_t to = 0;
  if (options.positional.size() != 3 || !ParseBase(options.positional[1], from) ||
      !ParseBase(options.positional[2], to)) {
    std::fprintf(stderr, "usage: tessaro-cli convert VALUE FROM TO  (FROM and TO are whole numbers)\n");
    return kExitUsage;
  }
  PrintOut(ConvertBase(Utf8ToCp1250(options.positional[0]), from, to) + "\n");
  return kExitOk;
}

}  // namespace tessaro::cli
