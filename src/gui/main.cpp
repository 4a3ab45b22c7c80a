#include "gui/shell/program_start.h"

int main(int argc, char** argv) { return tessaro::gui::RunProgram(argc, argv); }
