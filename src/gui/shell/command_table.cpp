#include "gui/shell/command_table.h"

namespace tessaro::gui {

const Command* FindCommand(std::string_view name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace tessaro::gui
