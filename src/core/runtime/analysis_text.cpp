#include "core/runtime/analysis_text.h"

#include "core/i18n/language.h"
#include "core/language/message_format.h"

namespace tessaro {

namespace {

// A message followed by a blank and the next instruction's index.
std::string WithNext(const char* id, int32_t next) {
  return LangText(id) + " " + std::to_string(next);
}

template <typename Entry>
std::string ErrorItem(const TKompilatorTS& compiler, const char* label, const Entry& e) {
  std::string item = LangText(label) + ": " + e.Text;
  if (e.Instruction >= 0 && e.Instruction < static_cast<int32_t>(compiler.Instructions.size())) {
    item += " " + LangText("msgcmp000003") + " " +
            std::to_string(compiler.Instructions[static_cast<size_t>(e.Instruction)].Line);
  } else if (e.Block != -1) {
    // An error about a whole block names the block, right after the text.
    item += std::to_string(e.Block);
  }
  return item;
}

}  // namespace

std::string ListingItem(const Trozkaz& ins) {
  const std::string next = std::to_string(ins.Next);
  switch (ins.Kind) {
    case Warunek:
      if (ins.Text.empty()) return WithNext("msgcmp000014", ins.Next);
      return FormatText(LangText("msgcmp000015"), {ins.Text, std::to_string(ins.NextTrue), next});
    case Wezel: return WithNext("msgcmp000018", ins.Next);
    case WeWY: return WithNext("msgcmp000019", ins.Next);
    case Koniec: return LangText("msgcmp000020");
    case Start: return WithNext("msgcmp000021", ins.Next);
    default:
      // Processing blocks, and elements of any unknown kind, so that item k
      // always stays instruction k.
      if (ins.Text == " ") return WithNext("msgcmp000017", ins.Next);
      return FormatText(LangText("msgcmp000016"), {ins.Text, next});
  }
}

std::vector<std::string> ListingItems(const TKompilatorTS& compiler) {
  std::vector<std::string> items;
  items.reserve(compiler.Instructions.size());
  for (const Trozkaz& ins : compiler.Instructions) items.push_back(ListingItem(ins));
  return items;
}

std::vector<std::string> ErrorListItems(const TKompilatorTS& compiler) {
  std::vector<std::string> items;
  for (const TBlad& e : compiler.Errors) items.push_back(ErrorItem(compiler, "msgcmp000001", e));
  for (const TOstrzezenie& w : compiler.Warnings) {
    items.push_back(ErrorItem(compiler, "msgcmp000002", w));
  }
  return items;
}

}  // namespace tessaro
