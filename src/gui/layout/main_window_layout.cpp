#include "gui/layout/main_window_layout.h"

#include <QDockWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QToolBar>
#include <algorithm>
#include <filesystem>
#include <map>

#include "core/platform/file_io.h"
#include "core/platform/program_paths.h"
#include "core/settings/window_layout.h"
#include "gui/shell/main_window.h"

namespace tessaro::gui {

namespace {

constexpr const char* kLayoutFile = "tsview.dat";
constexpr const char* kRecentFile = "tsmru.dat";

DockSide SideOf(Qt::DockWidgetArea area) {
  switch (area) {
    case Qt::LeftDockWidgetArea: return DockSide::Left;
    case Qt::RightDockWidgetArea: return DockSide::Right;
    case Qt::TopDockWidgetArea: return DockSide::Top;
    case Qt::BottomDockWidgetArea: return DockSide::Bottom;
    default: return DockSide::None;
  }
}

DockSide SideOf(Qt::ToolBarArea area) {
  switch (area) {
    case Qt::LeftToolBarArea: return DockSide::Left;
    case Qt::RightToolBarArea: return DockSide::Right;
    case Qt::TopToolBarArea: return DockSide::Top;
    case Qt::BottomToolBarArea: return DockSide::Bottom;
    default: return DockSide::None;
  }
}

Qt::DockWidgetArea PanelArea(DockSide side) {
  switch (side) {
    case DockSide::Left: return Qt::LeftDockWidgetArea;
    case DockSide::Right: return Qt::RightDockWidgetArea;
    case DockSide::Top: return Qt::TopDockWidgetArea;
    case DockSide::Bottom: return Qt::BottomDockWidgetArea;
    case DockSide::None: break;
  }
  return Qt::NoDockWidgetArea;
}

Qt::ToolBarArea ToolbarArea(DockSide side) {
  switch (side) {
    case DockSide::Left: return Qt::LeftToolBarArea;
    case DockSide::Right: return Qt::RightToolBarArea;
    case DockSide::Top: return Qt::TopToolBarArea;
    case DockSide::Bottom: return Qt::BottomToolBarArea;
    case DockSide::None: break;
  }
  return Qt::NoToolBarArea;
}

// Position along the area: top to bottom in the side areas, left to right
// in the top and bottom ones.
int AlongArea(const QWidget* w, DockSide side) {
  const bool vertical = side == DockSide::Left || side == DockSide::Right;
  return vertical ? w->y() * 10000 + w->x() : w->x() + w->y() * 10000;
}

template <typename W, typename AreaOf>
int OrderInArea(const Tmain& window, const W* item, DockSide side, AreaOf area_of) {
  int order = 0;
  for (const W* other : window.findChildren<W*>())
    if (other != item && SideOf(area_of(other)) == side && AlongArea(other, side) < AlongArea(item, side)) ++order;
  return order;
}

LayoutItem Describe(const Tmain& window, const QDockWidget* d) {
  LayoutItem item;
  item.name = d->objectName().toStdString();
  item.panel = true;
  item.visible = !d->isHidden();
  item.floating = d->isFloating();
  item.x = d->x();
  item.y = d->y();
  item.width = d->width();
  item.height = d->height();
  const DockSide side = item.floating ? DockSide::None : SideOf(window.dockWidgetArea(const_cast<QDockWidget*>(d)));
  item.dock = DockNameOf(side, true);
  item.dock_pos = item.floating ? 0 : OrderInArea(window, d, side, [&window](const QDockWidget* o) {
    return o->isFloating() ? Qt::NoDockWidgetArea : window.dockWidgetArea(const_cast<QDockWidget*>(o));
  });
  return item;
}

LayoutItem Describe(const Tmain& window, const QToolBar* bar) {
  LayoutItem item;
  item.name = bar->objectName().toStdString();
  item.panel = false;
  item.visible = !bar->isHidden();
  item.floating = bar->isFloating();
  item.x = bar->x();
  item.y = bar->y();
  const DockSide side = item.floating ? DockSide::None : SideOf(window.toolBarArea(const_cast<QToolBar*>(bar)));
  item.dock = DockNameOf(side, false);
  item.dock_pos = item.floating ? 0 : OrderInArea(window, bar, side, [&window](const QToolBar* o) {
    return o->isFloating() ? Qt::NoToolBarArea : window.toolBarArea(const_cast<QToolBar*>(o));
  });
  return item;
}

std::vector<ScreenRect> AvailableScreens() {
  std::vector<ScreenRect> screens;
  for (QScreen* s : QGuiApplication::screens()) {
    const QRect r = s->availableGeometry();
    screens.push_back({r.x(), r.y(), r.width(), r.height()});
  }
  return screens;
}

// A floating panel outside every screen comes back onto the primary one.
void KeepOnScreen(QDockWidget* d) {
  if (!d->isFloating()) return;
  const ScreenRect now{d->x(), d->y(), d->width(), d->height()};
  const std::vector<ScreenRect> screens = AvailableScreens();
  if (screens.empty() || IsReachable(now, screens)) return;
  const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
  const ScreenRect moved = MovedOnto(now, {primary.x(), primary.y(), primary.width(), primary.height()});
  d->setGeometry(moved.x, moved.y, moved.width, moved.height);
}

std::vector<std::string> ReadRecentFiles() {
  const std::string path = ReadableUserFile(kRecentFile);
  StartupFile file = ReadStartupFile(path);
  if (file.State == StartupFileState::Damaged && path == UserFile(kRecentFile)) SetAsideDamagedFile(path);
  return file.State == StartupFileState::Read ? ParseRecentFiles(file.Bytes) : std::vector<std::string>{};
}

}  // namespace

void LoadLayout(Tmain& window) {
  // 1. Recent files.
  window.Recent().Assign(ReadRecentFiles());
  window.RefreshRecentMenu();

  // 2. The layout file; a missing one means the designed layout.
  const std::string path = UserFile(kLayoutFile);
  TConfig config(path);
  const bool existed = config.LoadFromFile() || std::filesystem::exists(path);

  // 3. Toolbars, then panels; each missing key keeps the designed value.
  std::map<DockSide, std::vector<std::pair<int32_t, QToolBar*>>> toolbar_rows;
  for (const char* name : kLayoutToolbars) {
    QToolBar* bar = window.findChild<QToolBar*>(QString::fromLatin1(name));
    if (!bar) continue;
    LayoutItem item = Describe(window, bar);
    ReadLayoutItem(config, item);
    const DockSide side = DockSideOf(item.dock, false);
    if (side != DockSide::None) toolbar_rows[side].push_back({item.dock_pos, bar});
    bar->setVisible(item.visible);
  }
  for (auto& [side, bars] : toolbar_rows) {
    std::stable_sort(bars.begin(), bars.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [pos, bar] : bars) {
      if (window.toolBarArea(bar) != ToolbarArea(side)) window.addToolBar(ToolbarArea(side), bar);
    }
  }
  std::map<DockSide, std::vector<std::pair<int32_t, QDockWidget*>>> panel_columns;
  for (const char* name : kLayoutPanels) {
    QDockWidget* d = window.Panel(name);
    if (!d) continue;
    LayoutItem item = Describe(window, d);
    ReadLayoutItem(config, item);
    if (item.floating) {
      d->setFloating(true);
      // Whatever the file says, a floating panel fits the screen and stands
      // within the desktop (which screen it is on is checked below).
      const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
      const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
      const int width = std::clamp(item.width, 40, std::max(screen.width(), 40));
      const int height = std::clamp(item.height, 40, std::max(screen.height(), 40));
      d->setGeometry(std::clamp(item.x, desktop.left(), std::max(desktop.left(), desktop.right() - width)),
                     std::clamp(item.y, desktop.top(), std::max(desktop.top(), desktop.bottom() - height)), width,
                     height);
    } else {
      const DockSide side = DockSideOf(item.dock, true);
      if (side != DockSide::None) panel_columns[side].push_back({item.dock_pos, d});
    }
    d->setVisible(item.visible);
  }
  for (auto& [side, docks] : panel_columns) {
    std::stable_sort(docks.begin(), docks.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    bool same = true;
    for (size_t i = 0; i < docks.size(); ++i) {
      QDockWidget* d = docks[i].second;
      same = same && !d->isFloating() && window.dockWidgetArea(d) == PanelArea(side) &&
             OrderInArea(window, d, side, [&window](const QDockWidget* o) {
               return o->isFloating() ? Qt::NoDockWidgetArea : window.dockWidgetArea(const_cast<QDockWidget*>(o));
             }) == static_cast<int>(i);
    }
    if (same) continue;
    for (auto& [pos, d] : docks) {
      d->setFloating(false);
      window.addDockWidget(PanelArea(side), d, side == DockSide::Top || side == DockSide::Bottom ? Qt::Horizontal
                                                                                                   : Qt::Vertical);
    }
  }

  // The library's own snapshot brings sizes back exactly.
  const ConfigValue geometry = config.ReadValue(kLayoutGeometryKey, std::string());
  const ConfigValue state = config.ReadValue(kLayoutStateKey, std::string());
  if (const auto* g = std::get_if<std::string>(&geometry); g && !g->empty())
    window.restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*g)));
  if (const auto* s = std::get_if<std::string>(&state); s && !s->empty())
    window.restoreState(QByteArray::fromBase64(QByteArray::fromStdString(*s)));

  // Whatever the file said: the menus stay reachable, floating panels too.
  if (QToolBar* menu = window.findChild<QToolBar*>(QString::fromLatin1(kMainMenuToolbar))) {
    if (window.toolBarArea(menu) != Qt::TopToolBarArea) window.addToolBar(Qt::TopToolBarArea, menu);
    menu->setVisible(true);
  }
  for (const char* name : kLayoutPanels)
    if (QDockWidget* d = window.Panel(name)) KeepOnScreen(d);

  // 4. First start: the designed layout on the whole screen, and the file
  // that makes the next exit save it.
  if (!existed) {
    // Also sized to the screen, for desktops whose window manager ignores
    // the maximised state.
    if (QScreen* screen = QGuiApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    config.SaveToFile();
  }
  QObject::connect(&window, &Tmain::closing, &window, [&window] { SaveLayout(window); });
}

void SaveLayout(Tmain& window) {
  // 1. Recent files.
  ReplaceFileBytes(UserFile(kRecentFile), RecentFilesText(window.Recent().Paths()));
  // 2-3. The layout, only while its file exists.
  const std::string path = UserFile(kLayoutFile);
  if (!std::filesystem::exists(path)) return;
  TConfig config(path);
  for (const char* name : kLayoutPanels)
    if (const QDockWidget* d = window.Panel(name)) WriteLayoutItem(config, Describe(window, d));
  for (const char* name : kLayoutToolbars)
    if (const QToolBar* bar = window.findChild<QToolBar*>(QString::fromLatin1(name)))
      WriteLayoutItem(config, Describe(window, bar));
  config.WriteValue(kLayoutGeometryKey, window.saveGeometry().toBase64().toStdString());
  config.WriteValue(kLayoutStateKey, window.saveState().toBase64().toStdString());
  config.SaveToFile();
}

}  // namespace tessaro::gui
