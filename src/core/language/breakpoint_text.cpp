#include "core/language/breakpoint_text.h"

#include "core/i18n/language.h"
#include "core/language/message_format.h"

namespace tessaro {

namespace {

// Long lines are cut so that a list item stays a few lines high.
constexpr size_t kShownLineText = 40;

}  // namespace

std::string BlockLineText(const std::vector<Tobj>& bloki, int32_t block, int32_t line) {
  if (block < 0 || static_cast<size_t>(block) >= bloki.size() || line < 1) return "";
  const std::string& text = bloki[static_cast<size_t>(block)].Kod;
  size_t start = 0;
  for (int32_t k = 1; k < line; ++k) {
    start = text.find('\r', start);
    if (start == std::string::npos) return "";
    ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  const size_t end = text.find('\r', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string BreakpointItemText(const TBreakPoint& breakpoint, const std::vector<Tobj>& bloki) {
  const std::string line = std::to_string(breakpoint.Line);
  std::string text = breakpoint.Conditional
                         ? FormatText(LangText("mgsc00011"), {line, breakpoint.Condition})
                         : FormatText(LangText("mgsc00010"), {line});
  std::string shown = BlockLineText(bloki, breakpoint.Block, breakpoint.Line);
  const size_t first = shown.find_first_not_of(' ');
  shown = first == std::string::npos ? std::string() : shown.substr(first);
  if (shown.size() > kShownLineText) shown = shown.substr(0, kShownLineText) + "...";
  text += FormatText(LangText("mgsc00017"), {std::to_string(breakpoint.Block), shown});
  if (breakpoint.HitCount > 0) {
    text += FormatText(LangText("mgsc00018"),
                       {std::to_string(breakpoint.HitCount), std::to_string(breakpoint.Hits)});
  }
  text += LangText(breakpoint.Enabled ? "mgsc00012" : "mgsc00014");
  if (breakpoint.SkipSameLine) text += LangText("mgsc00002");
  return text;
}

}  // namespace tessaro
