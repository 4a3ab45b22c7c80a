// The program's version text, set once by the build.
#pragma once

namespace tessaro {

// For example "1.0.0.0"; written into every algorithm file and shown by --version.
const char* ProgramVersion();

}  // namespace tessaro
