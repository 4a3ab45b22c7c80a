// Translation table of the extension manager TPlugInMGR.
#pragma once

#include "core/i18n/window_texts.h"

namespace tessaro {

inline constexpr WindowText kPlugInMgrTexts[] = {
    {"Caption", "msg00466"},
    {"Label1", "msg00467"},
    {"Label2", "msg00468"},
    {"Label3", "msg00469"},
    {"btnZastosuj", "msg00470"},
    {"btnDodaj", "msg00471"},
    {"btnUsun", "msg00472"},
    {"btnAnuluj", "msg00473"},
    {"btnNoweRozszerzenie", "msg00474"},
};

}  // namespace tessaro
