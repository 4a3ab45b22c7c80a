#include "core/language/block_vocabulary.h"

#include "core/language/builtin_functions.h"
#include "core/language/keywords.h"
#include "core/language/operator_table.h"

namespace tessaro {

namespace {

// The parser's marker is the last slot and never shown.
constexpr int kMenuOperatorSlots = kArgumentMarkerSlot;

// A hint's carriage returns and line feeds become spaces, so it fits one line.
std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

}  // namespace

std::vector<TInsertItem> OperatorMenuItems() {
  std::vector<TInsertItem> items;
  int previous_group = -1;
  bool separator = false;
  for (int slot = 0; slot < kMenuOperatorSlots; ++slot) {
    if (kOperators[slot].Group != previous_group) separator = true;
    previous_group = kOperators[slot].Group;
    if (IsFillerSlot(slot)) continue;
    TInsertItem item;
    item.Caption = item.Insert = std::string(kOperators[slot].Text);
    item.SeparatorBefore = separator;
    separator = false;
    items.push_back(std::move(item));
  }
  return items;
}

TInsertItem FunctionItem(std::string_view name, std::string_view hint) {
  TInsertItem item;
  item.Caption = std::string(name);
  item.Hint = std::string(hint);
  item.Insert = std::string(name) + "(  )";
  item.CaretOffset = static_cast<int>(name.size()) + 2;
  return item;
}

std::vector<TInsertItem> FunctionMenuItems() {
  std::vector<TInsertItem> items;
  for (int position = 1; position <= kBuiltinFunctionCount; ++position) {
    items.push_back(FunctionItem(kBuiltinFunctions[position - 1].Name, BuiltinHint(position)));
  }
  return items;
}

std::vector<TInsertItem> KeywordMenuItems() {
  std::vector<TInsertItem> items;
  for (const TKeywordEntry& entry : kKeywordEntries) {
    TInsertItem item;
    item.Caption = item.Insert = std::string(entry.Caption);
    item.Hint = std::string(entry.Hint);
    items.push_back(std::move(item));
  }
  return items;
}

TExtensionMenu ExtensionMenu(std::string_view extension_name,
                             const std::vector<TPluginFunction>& functions) {
  TExtensionMenu menu;
  menu.Caption = " " + std::string(extension_name) + "  ";
  for (const TPluginFunction& f : functions) menu.Items.push_back(FunctionItem(f.name, f.description));
  return menu;
}

TCompletionEntry CompletionEntry(std::string_view name, std::string_view hint) {
  TCompletionEntry entry;
  entry.Insert = std::string(name);
  entry.Display = hint.empty() ? std::string(name) : std::string(name) + " - " + OneLine(hint);
  return entry;
}

std::vector<TCompletionEntry> CompletionEntries(const std::vector<TPluginFunction>& extension_functions) {
  std::vector<TCompletionEntry> entries;
  for (int position = 1; position <= kBuiltinFunctionCount; ++position) {
    entries.push_back(CompletionEntry(kBuiltinFunctions[position - 1].Name, BuiltinHint(position)));
  }
  for (const TPluginFunction& f : extension_functions) entries.push_back(CompletionEntry(f.name, f.description));
  return entries;
}

std::vector<std::string> HighlightedWords(const std::vector<TPluginFunction>& extension_functions) {
  std::vector<std::string> words(kStatementKeywords.begin(), kStatementKeywords.end());
  for (const TBuiltinFunction& f : kBuiltinFunctions) words.emplace_back(f.Name);
  for (const TPluginFunction& f : extension_functions) words.push_back(f.name);
  return words;
}

}  // namespace tessaro
