// Where the program's own files live.
//
// Shipped files (translations, examples, templates, sample extensions) are
// read from the shipped folder: the executable's folder, or the install's
// share/tessaro beside its bin folder. Files the program writes ("tsset.dat",
// "tsview.dat", "tsmru.dat", "tsdllin.dat", "tsreg.dat", "Lang\lang.ini",
// imported extensions, recovery copies) go to the writable folder: the
// executable's folder of a portable copy when it is writable, else the
// user's configuration and data folders. $TESSARO_HOME (or SetProgramDir)
// overrides both: every file then lives in that one folder.
#pragma once

#include <string>

namespace tessaro {

// The folder of the shipped files, without a trailing slash.
std::string ShippedDir();

// The same folder; kept for callers that speak of "the program folder".
std::string ProgramDir();

// Overrides every folder for this process (tests and tools); an empty text
// returns to the default rule.
void SetProgramDir(const std::string& dir);

// Resolves a shipped, read-only file named with backslashes ("lang\PL.slg")
// to a native path under ShippedDir(). Each folder or file component that
// does not exist with the given spelling is matched without regard to
// letter case, so "Lang" and "lang" name the same folder.
std::string ProgramFile(const std::string& relative);

// The folder of the per-user configuration files ("tsset.dat", "tsview.dat",
// "tsmru.dat", "tsreg.dat", "tsdllin.dat", "Lang\lang.ini"): $TESSARO_HOME
// when set; the executable's folder of a writable portable copy; else
// $XDG_CONFIG_HOME/tessaro or ~/.config/tessaro.
std::string UserConfigDir();

// The folder of the per-user data (imported extensions, recovery copies):
// as UserConfigDir(), but $XDG_DATA_HOME/tessaro or ~/.local/share/tessaro
// for the user's folders.
std::string UserDataDir();

// The path where the writable program file `relative` (backslashes allowed,
// matched without regard to case like ProgramFile) is read and written:
// under UserDataDir() for "Rozszerzenia" and what lies in it,
// under UserConfigDir() for everything else. In the user's folders the
// folder that is to hold the file is created when missing.
std::string UserFile(const std::string& relative);

// UserFile(relative) when that file exists, else the shipped
// ProgramFile(relative): the copy to read of a file that is shipped with
// defaults and rewritten per user (the language choice).
std::string ReadableUserFile(const std::string& relative);

// The rule of UserConfigDir() (data false) or UserDataDir() (data true) for
// an executable in `exe_dir`, without the $TESSARO_HOME override.
std::string UserDirForExecutable(const std::string& exe_dir, bool data);

// Resolves `relative` under `base` the same way as ProgramFile.
std::string ResolveCaseInsensitive(const std::string& base, const std::string& relative);

}  // namespace tessaro
