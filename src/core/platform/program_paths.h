// Where the program's own files live.
//
// Every file the program keeps ("tsset.dat", "Lang\lang.ini", "Rozszerzenia", ...)
// sits in the program folder: the executable's folder, or $TESSARO_HOME when set.
#pragma once

#include <string>

namespace tessaro {

// The program folder, without a trailing slash.
std::string ProgramDir();

// Overrides the program folder for this process (tests and tools); an empty
// text returns to the default rule.
void SetProgramDir(const std::string& dir);

// Resolves a program-relative name written with backslashes ("lang\PL.slg")
// to a native path under the program folder. Each folder or file component
// that does not exist with the given spelling is matched without regard to
// letter case, so "Lang" and "lang" name the same folder.
std::string ProgramFile(const std::string& relative);

// Resolves `relative` under `base` the same way as ProgramFile.
std::string ResolveCaseInsensitive(const std::string& base, const std::string& relative);

}  // namespace tessaro
