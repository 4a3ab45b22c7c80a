// The program's start-up sequence, from the translation tables to the shown
// main window.
#pragma once

#include <QStringList>
#include <memory>

namespace tessaro::gui {

class Tmain;

struct StartedProgram {
  std::unique_ptr<Tmain> main;
  // "/wersja" was given: the version file is written and the program ends
  // before the user can act, without the close handlers.
  bool quit_at_once = false;
};

// Steps 2 to 9 of the start: translation, title, version, "/wersja", the
// windows, the file named on the command line, the caption. `arguments`
// begin with the program name. A QApplication must exist.
StartedProgram StartProgram(const QStringList& arguments);

// The whole program: installs the message dialogs, starts, shows the main
// window and runs the message loop. Returns the exit code.
int RunProgram(int argc, char** argv);

}  // namespace tessaro::gui
