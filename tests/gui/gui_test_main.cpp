// The main function of every tests/gui/<folder> executable.
//
//   test_gui_<folder> NAME [Qt Test options]  runs the class NAME, or the classes
//                                             registered by the file NAME(.cpp)
//   test_gui_<folder> --list                  prints the classes and their files
//   test_gui_<folder>                         runs every class, each in a child process
//
// CTest runs one class (one file) per process, as a lone QTEST_MAIN executable
// would: the classes keep process-wide state (the program folder, the loaded
// texts, the application's fonts and palette) that must not leak into the next.
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "gui_test.h"

namespace tessaro::test {
namespace {

struct Registration {
  const char* name;
  std::string file_stem;
  GuiTestFactory make;
};

std::vector<Registration>& Registry() {
  static std::vector<Registration> registry;
  return registry;
}

std::string FileStem(const char* path) {
  std::string stem = path;
  const size_t slash = stem.find_last_of('/');
  if (slash != std::string::npos) stem.erase(0, slash + 1);
  const size_t dot = stem.find_last_of('.');
  if (dot != std::string::npos) stem.erase(dot);
  return stem;
}

bool Matches(const Registration& r, const std::string& selector) {
  return selector == r.name || selector == r.file_stem || selector == r.file_stem + ".cpp";
}

// Runs the classes `selector` names in this process.
int RunSelected(const std::string& selector, int argc, char** argv) {
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  int failures = 0;
  bool found = false;
  for (const Registration& r : Registry()) {
    if (!Matches(r, selector)) continue;
    found = true;
    std::unique_ptr<QObject> test = r.make();
    failures += QTest::qExec(test.get(), argc, argv);
  }
  if (!found) {
    std::fprintf(stderr, "%s: no test class or file named %s (see --list)\n", argv[0], selector.c_str());
    return 2;
  }
  return failures;
}

// Runs every class in a child process of its own, with the same options.
int RunEachInChild(int argc, char** argv) {
  int failed = 0;
  for (const Registration& r : Registry()) {
    std::vector<char*> args{argv[0], const_cast<char*>(r.name)};
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      execv("/proc/self/exe", args.data());
      _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "%s: %s failed\n", argv[0], r.name);
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}

}  // namespace

bool RegisterGuiTest(const char* name, const char* file, GuiTestFactory make) {
  Registry().push_back({name, FileStem(file), make});
  return true;
}

}  // namespace tessaro::test

int main(int argc, char** argv) {
  using namespace tessaro::test;
  if (argc >= 2 && std::strcmp(argv[1], "--list") == 0) {
    for (const Registration& r : Registry()) std::printf("%s %s\n", r.name, r.file_stem.c_str());
    return 0;
  }
  if (argc < 2 || argv[1][0] == '-') return RunEachInChild(argc, argv);
  // The selector is ours; Qt Test sees the program name and the options after it.
  const std::string selector = argv[1];
  std::vector<char*> rest{argv[0]};
  for (int i = 2; i < argc; ++i) rest.push_back(argv[i]);
  int rest_count = static_cast<int>(rest.size());
  rest.push_back(nullptr);
  return RunSelected(selector, rest_count, rest.data());
}
