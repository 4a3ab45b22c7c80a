// What the block editor offers: the items of its insert menu, its completion
// list and the words its highlighter marks, all read from the language's
// tables so that menus, completion and colours never disagree.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/extensions/plugin_dll.h"

namespace tessaro {

// One insert-menu item. Windows-1250 text.
struct TInsertItem {
  std::string Caption;
  std::string Hint;          // empty when the item has none
  std::string Insert;        // the text put at the caret
  int CaretOffset = -1;      // where the caret goes within Insert; -1: after it
  bool SeparatorBefore = false;
};

// One extension's submenu.
struct TExtensionMenu {
  std::string Caption;  // " " + name + "  "
  std::vector<TInsertItem> Items;
};

// One completion entry: the line shown and the text inserted.
struct TCompletionEntry {
  std::string Display;
  std::string Insert;
};

// The operators in table order, fillers and the parser's marker left out, a
// separator before each new precedence group.
std::vector<TInsertItem> OperatorMenuItems();
// The 59 built-in functions, each inserting «Name(  )» with the caret between the blanks.
std::vector<TInsertItem> FunctionMenuItems();
// The statement templates, each inserting its caption.
std::vector<TInsertItem> KeywordMenuItems();
// A function item: «name(  )», the caret between the blanks.
TInsertItem FunctionItem(std::string_view name, std::string_view hint);
TExtensionMenu ExtensionMenu(std::string_view extension_name,
                             const std::vector<TPluginFunction>& functions);

// "name - hint", line breaks of the hint turned into spaces; the name alone
// without a hint.
TCompletionEntry CompletionEntry(std::string_view name, std::string_view hint);
// The built-ins, then the extension functions given.
std::vector<TCompletionEntry> CompletionEntries(const std::vector<TPluginFunction>& extension_functions);

// The four statement keywords, the built-in names and the extension function
// names given.
std::vector<std::string> HighlightedWords(const std::vector<TPluginFunction>& extension_functions);

}  // namespace tessaro
