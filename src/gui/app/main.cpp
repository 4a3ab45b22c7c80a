#include "gui/app/program_start.h"

int main(int argc, char** argv) { return tessaro::gui::RunProgram(argc, argv); }
