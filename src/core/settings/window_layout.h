// The window layout file "tsview.dat" and the recent-files file "tsmru.dat":
// the key scheme, the order of the keys and the rules a restored layout must
// obey, apart from the windowing library that places the panels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/config.h"

namespace tessaro {

// Panels and toolbars, each in save order.
inline constexpr const char* kLayoutPanels[] = {"dpWykazPlikow",      "dpNavigator", "dpPomoc",    "dpListaZmiennych",
                                                "dpKonwersjaSystemow", "dpCode",      "dpNarzedzia", "dpKodProgramu"};
inline constexpr const char* kLayoutToolbars[] = {"toolbarPasekStandardowy", "toolbarPasekWidoku",
                                                  "toolbarPasekUruchamianie", "toolMainMenu"};
// The menu bar's toolbar: a layout file never hides or floats it.
inline constexpr const char* kMainMenuToolbar = "toolMainMenu";
inline constexpr const char* kNoDock = "nil";

// The four sides of the window and the docks that stand for them: panels
// sit in the multi-docks, toolbars in the toolbar docks.
enum class DockSide { None, Left, Right, Top, Bottom };

struct DockName {
  DockSide side;
  const char* panel_dock;
  const char* toolbar_dock;
};

inline constexpr DockName kDockNames[] = {
    {DockSide::Left, "mdLeft", "dLeft"},
    {DockSide::Right, "mdRight", "dRight"},
    {DockSide::Top, "mdTop", "DockTop"},
    {DockSide::Bottom, "mbBottom", "dBottom"},
};

// The side a dock name stands for, for a panel (`panel` true) or a toolbar;
// None for "nil", for an unknown name and for a dock of the other kind.
DockSide DockSideOf(std::string_view dock, bool panel);
// The dock name of `side` for a panel or a toolbar; "nil" for None.
const char* DockNameOf(DockSide side, bool panel);

// One panel or toolbar as the layout file describes it.
struct LayoutItem {
  std::string name;
  bool panel = true;
  bool visible = true;
  bool floating = false;
  int32_t x = 0, y = 0;  // floating window, screen pixels
  int32_t width = 0, height = 0;  // panels only
  std::string dock = kNoDock;  // dock name, "nil" when none
  int32_t dock_pos = 0;  // order within the dock
};

// Writes the keys of `items` (panels first, then toolbars, as given) in the
// order of the layout file.
void WriteLayoutItem(TConfig& config, const LayoutItem& item);
// Reads the keys of `item.name`; every missing key keeps the item's current
// value. A dock name of the wrong kind or unknown keeps the current dock; a
// floating state is forced when the item ends up without a dock. The menu
// bar's toolbar always stays visible and docked.
void ReadLayoutItem(const TConfig& config, LayoutItem& item);

// The extra keys with the windowing library's own snapshot of the window
// (base64 text), written after the items.
inline constexpr const char* kLayoutGeometryKey = "TmainGeometry";
inline constexpr const char* kLayoutStateKey = "TmainState";

struct ScreenRect {
  int32_t x = 0, y = 0, width = 0, height = 0;
};

// True when a floating window at `window` has a usable part (a 40 x 20
// pixel corner of its title) on one of `screens`.
bool IsReachable(const ScreenRect& window, const std::vector<ScreenRect>& screens);
// `window` moved to lie inside `screen` (shrunk when larger).
ScreenRect MovedOnto(const ScreenRect& window, const ScreenRect& screen);

// "tsmru.dat": section "MRU List", keys MRU1..MRU8.
inline constexpr size_t kRecentFilesMax = 8;
// The non-empty entries of the section in key order.
std::vector<std::string> ParseRecentFiles(std::string_view ini_text);
// The file's text for `paths` (at most eight; paths with a line break are
// skipped). Values are quoted, so leading and trailing blanks and quotes
// survive.
std::string RecentFilesText(const std::vector<std::string>& paths);

}  // namespace tessaro
