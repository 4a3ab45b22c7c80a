#include "core/platform/version.h"

namespace tessaro {

const char* ProgramVersion() { return TESSARO_VERSION; }

}  // namespace tessaro
