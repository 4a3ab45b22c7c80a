#include "core/settings/window_layout.h"

#include <algorithm>
#include <variant>

#include "core/i18n/ansi_case.h"
#include "core/i18n/ini_file.h"

namespace tessaro {

namespace {

constexpr const char* kRecentSection = "MRU List";

int32_t ReadInt(const TConfig& c, const std::string& key, int32_t current) {
  ConfigValue v = c.ReadValue(key, current);
  if (const auto* i = std::get_if<int32_t>(&v)) return *i;
  if (const auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  return current;
}

bool ReadBool(const TConfig& c, const std::string& key, bool current) {
  return ReadInt(c, key, current ? 1 : 0) != 0;
}

std::string ReadText(const TConfig& c, const std::string& key, const std::string& current) {
  ConfigValue v = c.ReadValue(key, current);
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  return current;
}

}  // namespace

DockSide DockSideOf(std::string_view dock, bool panel) {
  for (const DockName& d : kDockNames)
    if (AnsiSameText(dock, panel ? d.panel_dock : d.toolbar_dock)) return d.side;
  return DockSide::None;
}

const char* DockNameOf(DockSide side, bool panel) {
  for (const DockName& d : kDockNames)
    if (d.side == side) return panel ? d.panel_dock : d.toolbar_dock;
  return kNoDock;
}

void WriteLayoutItem(TConfig& config, const LayoutItem& item) {
  const std::string& n = item.name;
  config.WriteValue(n, item.visible);
  config.WriteValue(n + "floating", item.floating);
  config.WriteValue(n + "floatingX", item.x);
  config.WriteValue(n + "floatingY", item.y);
  if (item.panel) {
    config.WriteValue(n + "floatingWidth", item.width);
    config.WriteValue(n + "floatingHeight", item.height);
  }
  config.WriteValue(n + "floatingDock", item.dock.empty() ? std::string(kNoDock) : item.dock);
  config.WriteValue(n + "floatingDockPos", item.dock_pos);
}

void ReadLayoutItem(const TConfig& config, LayoutItem& item) {
  const std::string& n = item.name;
  item.visible = ReadBool(config, n, item.visible);
  item.x = ReadInt(config, n + "floatingX", item.x);
  item.y = ReadInt(config, n + "floatingY", item.y);
  if (item.panel) {
    item.width = ReadInt(config, n + "floatingWidth", item.width);
    item.height = ReadInt(config, n + "floatingHeight", item.height);
  }
  item.dock_pos = ReadInt(config, n + "floatingDockPos", item.dock_pos);
  const std::string dock = ReadText(config, n + "floatingDock", item.dock);
  if (dock == kNoDock) {
    item.dock = kNoDock;
  } else if (DockSideOf(dock, item.panel) != DockSide::None) {
    item.dock = DockNameOf(DockSideOf(dock, item.panel), item.panel);  // the canonical spelling
  }
  item.floating = ReadBool(config, n + "floating", item.floating) || item.dock == kNoDock;
  if (!item.floating) item.dock_pos = std::max(item.dock_pos, 0);
  if (n == kMainMenuToolbar) {
    // The menus must stay reachable whatever the file says.
    item.visible = true;
    item.floating = false;
    if (item.dock == kNoDock) item.dock = DockNameOf(DockSide::Top, false);
  }
}

bool IsReachable(const ScreenRect& window, const std::vector<ScreenRect>& screens) {
  // The title bar's first 40 x 20 pixels must be on a screen to drag it back.
  const int64_t left = window.x, top = window.y;
  const int64_t right = left + std::min<int64_t>(40, std::max<int32_t>(window.width, 1));
  const int64_t bottom = top + 20;
  for (const ScreenRect& s : screens) {
    const int64_t sl = s.x, st = s.y, sr = sl + s.width, sb = st + s.height;
    if (left >= sl && right <= sr && top >= st && bottom <= sb) return true;
  }
  return false;
}

ScreenRect MovedOnto(const ScreenRect& window, const ScreenRect& screen) {
  ScreenRect r = window;
  r.width = std::clamp(r.width, 1, std::max(screen.width, 1));
  r.height = std::clamp(r.height, 1, std::max(screen.height, 1));
  const int64_t max_x = static_cast<int64_t>(screen.x) + screen.width - r.width;
  const int64_t max_y = static_cast<int64_t>(screen.y) + screen.height - r.height;
  r.x = static_cast<int32_t>(std::clamp<int64_t>(r.x, screen.x, max_x));
  r.y = static_cast<int32_t>(std::clamp<int64_t>(r.y, screen.y, max_y));
  return r;
}

std::vector<std::string> ParseRecentFiles(std::string_view ini_text) {
  const std::vector<IniEntry> entries = ReadIniSection(ini_text, kRecentSection);
  std::vector<std::string> paths;
  for (size_t i = 1; i <= kRecentFilesMax; ++i) {
    auto value = FindIniValue(entries, "MRU" + std::to_string(i));
    if (value && !value->empty()) paths.push_back(*value);
  }
  return paths;
}

std::string RecentFilesText(const std::vector<std::string>& paths) {
  std::string text = std::string("[") + kRecentSection + "]\r\n";
  size_t index = 0;
  for (const std::string& p : paths) {
    if (index == kRecentFilesMax) break;
    if (p.empty() || p.find_first_of("\r\n") != std::string::npos) continue;
    text += "MRU" + std::to_string(++index) + "=\"" + p + "\"\r\n";
  }
  return text;
}

}  // namespace tessaro
