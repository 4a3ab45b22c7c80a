#include "core/settings/window_layout.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

LayoutItem DockedPanel() {
  LayoutItem item;
  item.name = "dpNavigator";
  item.panel = true;
  item.dock = "mdLeft";
  item.dock_pos = 1;
  item.x = 5;
  item.y = 6;
  item.width = 190;
  item.height = 140;
  return item;
}

TEST(WindowLayout, KeysFollowTheFileOrder) {
  TConfig config("unused");
  LayoutItem panel = DockedPanel();
  LayoutItem bar;
  bar.name = "toolbarPasekWidoku";
  bar.panel = false;
  bar.dock = "DockTop";
  WriteLayoutItem(config, panel);
  WriteLayoutItem(config, bar);
  std::vector<std::string> names;
  for (const TVariable& v : config.Entries()) names.push_back(v.Name);
  const std::vector<std::string> expected = {
      "DPNAVIGATOR", "DPNAVIGATORFLOATING", "DPNAVIGATORFLOATINGX", "DPNAVIGATORFLOATINGY",
      "DPNAVIGATORFLOATINGWIDTH", "DPNAVIGATORFLOATINGHEIGHT", "DPNAVIGATORFLOATINGDOCK",
      "DPNAVIGATORFLOATINGDOCKPOS",
      // A toolbar has no floating size.
      "TOOLBARPASEKWIDOKU", "TOOLBARPASEKWIDOKUFLOATING", "TOOLBARPASEKWIDOKUFLOATINGX",
      "TOOLBARPASEKWIDOKUFLOATINGY", "TOOLBARPASEKWIDOKUFLOATINGDOCK", "TOOLBARPASEKWIDOKUFLOATINGDOCKPOS"};
  EXPECT_EQ(names, expected);

  // Written and read back through the file image, the item is the same.
  TConfig reread("unused");
  ASSERT_TRUE(reread.Parse(config.Serialize()));
  LayoutItem back = DockedPanel();
  back.visible = false;
  back.dock = "mdRight";
  back.x = back.y = back.width = back.height = back.dock_pos = 0;
  ReadLayoutItem(reread, back);
  EXPECT_TRUE(back.visible);
  EXPECT_EQ(back.dock, "mdLeft");
  EXPECT_EQ(back.dock_pos, 1);
  EXPECT_EQ(back.x, 5);
  EXPECT_EQ(back.height, 140);
}

TEST(WindowLayout, ReadingKeepsWhatTheFileDoesNotSaySoundly) {
  struct Case {
    const char* what;
    std::string name;
    bool panel;
    std::vector<std::pair<std::string, ConfigValue>> keys;
    bool visible, floating;
    std::string dock;
  };
  const Case cases[] = {
      {"no keys: the designed place", "dpNavigator", true, {}, true, false, "mdLeft"},
      {"hidden panel", "dpNavigator", true, {{"dpNavigator", false}}, false, false, "mdLeft"},
      {"moved panel", "dpNavigator", true, {{"dpNavigatorfloatingDock", std::string("MDRIGHT")}}, true, false,
       "mdRight"},
      {"undocked panel floats", "dpNavigator", true, {{"dpNavigatorfloatingDock", std::string("nil")}}, true,
       true, "nil"},
      {"unknown dock", "dpNavigator", true, {{"dpNavigatorfloatingDock", std::string("null")}}, true, false,
       "mdLeft"},
      {"a panel never goes to a toolbar dock", "dpNavigator", true,
       {{"dpNavigatorfloatingDock", std::string("dLeft")}}, true, false, "mdLeft"},
      {"a toolbar never goes to a panel dock", "toolbarPasekWidoku", false,
       {{"toolbarPasekWidokufloatingDock", std::string("mdLeft")}}, true, false, "mdLeft"},
      {"a toolbar in the left toolbar dock", "toolbarPasekWidoku", false,
       {{"toolbarPasekWidokufloatingDock", std::string("dLeft")}}, true, false, "dLeft"},
      {"the menu bar is never hidden or floated", "toolMainMenu", false,
       {{"toolMainMenu", false}, {"toolMainMenufloating", true}, {"toolMainMenufloatingDock", std::string("nil")}},
       true, false, "DockTop"},
      {"a wrong type keeps the current value", "dpNavigator", true, {{"dpNavigator", std::string("no")}}, true,
       false, "mdLeft"},
  };
  for (const Case& c : cases) {
    TConfig config("unused");
    for (const auto& [key, value] : c.keys) config.WriteValue(key, value);
    LayoutItem item = DockedPanel();
    item.name = c.name;
    item.panel = c.panel;
    ReadLayoutItem(config, item);
    EXPECT_EQ(item.visible, c.visible) << c.what;
    EXPECT_EQ(item.floating, c.floating) << c.what;
    EXPECT_EQ(item.dock, c.dock) << c.what;
  }
}

TEST(WindowLayout, FloatingWindowsOutsideEveryScreenAreBroughtBack) {
  const std::vector<ScreenRect> screens = {{0, 0, 1600, 1000}, {1600, 0, 1280, 1024}};
  EXPECT_TRUE(IsReachable({100, 100, 200, 150}, screens));
  EXPECT_TRUE(IsReachable({2000, 900, 200, 150}, screens));  // on the second screen
  EXPECT_FALSE(IsReachable({20000, 100, 200, 150}, screens));
  EXPECT_FALSE(IsReachable({100, -50, 200, 150}, screens));  // title above the screen
  EXPECT_FALSE(IsReachable({2147483600, 2147483600, 2000, 2000}, screens));  // no overflow

  const ScreenRect moved = MovedOnto({20000, -300, 200, 150}, screens[0]);
  EXPECT_EQ(moved.x, 1400);
  EXPECT_EQ(moved.y, 0);
  EXPECT_EQ(moved.width, 200);
  EXPECT_TRUE(IsReachable(moved, screens));
  const ScreenRect huge = MovedOnto({-5, -5, 5000, 5000}, screens[0]);
  EXPECT_EQ(huge.x, 0);
  EXPECT_EQ(huge.width, 1600);
  EXPECT_EQ(huge.height, 1000);
}

TEST(RecentFilesFile, PathsRoundTripExactly) {
  const std::vector<std::string> paths = {"/home/uczeń/zadanie 1.alg", " leading and trailing blank.alg ",
                                          "/tmp/\"quoted\".alg", "'/tmp/apostrophes'"};
  EXPECT_EQ(ParseRecentFiles(RecentFilesText(paths)), paths);

  // At most eight; empty entries and entries with line breaks are dropped.
  std::vector<std::string> many = {"", "/a\nb.alg"};
  for (int i = 1; i <= 9; ++i) many.push_back("/f" + std::to_string(i) + ".alg");
  const std::vector<std::string> kept = ParseRecentFiles(RecentFilesText(many));
  ASSERT_EQ(kept.size(), 8u);
  EXPECT_EQ(kept.front(), "/f1.alg");
  EXPECT_EQ(kept.back(), "/f8.alg");

  // Three entries written over five leave only the keys 1 to 3.
  const std::string text = RecentFilesText({"/1", "/2", "/3"});
  EXPECT_NE(text.find("MRU3="), std::string::npos);
  EXPECT_EQ(text.find("MRU4="), std::string::npos);
  // Gaps in a file written by hand are skipped.
  EXPECT_EQ(ParseRecentFiles("[MRU List]\r\nMRU2=/b\r\nMRU1=/a\r\nMRU5=/e\r\n"),
            (std::vector<std::string>{"/a", "/b", "/e"}));
}

}  // namespace
}  // namespace tessaro
