// tessaro-cli info FILE.alg: the format of an algorithm file and its elements.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "core/document/alg_file.h"
#include "core/document/alg_reader.h"
#include "core/document/elements.h"

namespace tessaro::cli {

namespace {

// A block text on one line: CR LF as \n, a backslash doubled, other control
// bytes as \xHH, so that every line of the listing is one element.
std::string EscapedLine(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out += "\\n";
      ++i;
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c < 0x20 || c == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int FailInfo(const std::string& path, const char* why) {
  std::fprintf(stderr, "tessaro-cli: info: %s: %s\n", path.c_str(), why);
  return kExitNoInput;
}

}  // namespace

int RunInfo(const CliOptions& options) {
  if (options.positional.size() != 1) {
    std::fprintf(stderr, "usage: tessaro-cli info FILE.alg\n");
    return kExitUsage;
  }
  const std::string& path = options.positional[0];
  TMemoryStream bytes;
  if (!ReadAlgorithmFile(path, bytes)) return FailInfo(path, "cannot read the file");
  TAlgRead read = ReadAlgorithm(bytes, TElementDefaults{});
  if (!read.format) return FailInfo(path, "not an algorithm file (unknown format)");
  if (!read.ok) return FailInfo(path, "damaged algorithm file (it ends before its contents)");

  std::printf("format: %s\n", std::string(FormatInfo(*read.format).name).c_str());
  std::printf("elements: %zu\n", read.bloki.size());
  for (size_t i = 0; i < read.bloki.size(); ++i) {
    const Tobj& e = read.bloki[i];
    char fields[160];
    std::snprintf(fields, sizeof fields, "%zu %s %d %d %d %d %d %d %d ", i,
                  std::string(BlockKindName(e.Blok)).c_str(), e.Left, e.Top, e.Width, e.Height,
                  e.Link1, e.Link2, e.NieTak);
    PrintOut(fields + EscapedLine(e.Kod) + "\n");
  }
  return kExitOk;
}

}  // namespace tessaro::cli
