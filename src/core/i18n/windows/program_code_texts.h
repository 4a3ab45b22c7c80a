// Translation table of the program code panel (the flowchart as a program in
// Python, C++, Java or Pascal). Its dock caption and its toggle in "Widok"
// belong to the main window's table.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kProgramCodeTexts[] = {
    {"lblJezykProgramu", "msg00540"},
    {"cbJezykProgramu.Hint", "msg00541"},
    {"acKopiujKod", "msg00542"},
    {"acKopiujKod.Hint", "msg00543"},
    {"acZapiszKodJako", "msg00544"},
    {"acZapiszKodJako.Hint", "msg00545"},
    // Texts the panel shapes itself.
    {"SaveDialog", "msg00546"},
    {"NoDocument", "msg00547"},
    {"CompileFailed", "msg00548"},
    {"ExportFailed", "msg00549"},
    {"SaveFailed", "msg00550"},
    {"Warnings", "msg00551"},
};

}  // namespace tessaro
