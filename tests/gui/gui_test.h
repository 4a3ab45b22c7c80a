// The Qt Test classes of one tests/gui folder share one executable. Each class
// registers itself with TESSARO_GUI_TEST(Class) where a lone test would say
// QTEST_MAIN(Class); gui_test_main.cpp runs the classes one process each.
#pragma once

#include <QObject>
#include <memory>

namespace tessaro::test {

using GuiTestFactory = std::unique_ptr<QObject> (*)();

// Adds a class to the executable's list; `file` is the source file that
// registers it, so a class can be chosen by that file's name too.
bool RegisterGuiTest(const char* name, const char* file, GuiTestFactory make);

}  // namespace tessaro::test

#define TESSARO_GUI_TEST(Class)                                                    \
  static const bool Class##_registered = ::tessaro::test::RegisterGuiTest(         \
      #Class, __FILE__, []() -> std::unique_ptr<QObject> { return std::make_unique<Class>(); });
