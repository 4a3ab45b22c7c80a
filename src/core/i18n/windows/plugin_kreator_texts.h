// Translation table of the extension project creator TPlugInKreator.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kPlugInKreatorTexts[] = {
    {"Caption", "msg00475"},
    {"Label1", "msg00476"},
    {"Label2", "msg00477"},
    {"Label3", "msg00478"},
    {"Label4", "msg00479"},
    {"Label5", "msg00480"},
    {"Label6", "msg00481"},
    {"Label7", "msg00482"},
    {"Label8", "msg00483"},
    {"BitBtn1", "msg00484"},
    {"BitBtn2", "msg00485"},
    {"edNazwaRozszerzenia", "msg00486"},
    {"edNazwaPliku", "msg00487"},
    {"rbJezykC", "msg00489"},
    {"RadioButton2", "msg00490"},
    {"RadioButton3", "msg00491"},
    {"RadioButton4", "msg00492"},
    {"BitBtn3", "msg00493"},
};

}  // namespace tessaro
