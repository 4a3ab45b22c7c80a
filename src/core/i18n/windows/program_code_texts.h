// Translation table of the program code panel (the flowchart as a program in
// Python, C++, Java or Pascal). Its dock caption and its toggle in "Widok"
// belong to the main window's table.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kProgramCodeTexts[] = {
    {"lblJezykProgramu", "msg00546"},
    {"cbJezykProgramu.Hint", "msg00547"},
    {"acKopiujKod", "msg00548"},
    {"acKopiujKod.Hint", "msg00549"},
    {"acZapiszKodJako", "msg00550"},
    {"acZapiszKodJako.Hint", "msg00551"},
    // Texts the panel shapes itself.
    {"SaveDialog", "msg00552"},
    {"NoDocument", "msg00553"},
    {"CompileFailed", "msg00554"},
    {"ExportFailed", "msg00555"},
    {"SaveFailed", "msg00556"},
    {"Warnings", "msg00557"},
};

}  // namespace tessaro
