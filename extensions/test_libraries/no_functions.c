/* An extension that lists no functions and exports nothing to run them. */
#include <stdio.h>

#include "tessaro_extension.h"

TS_EXPORT void PobierzNazwe(char *buffer) { snprintf(buffer, TS_NAME_SIZE, "Bez funkcji"); }

TS_EXPORT void PobierzPierwszaFunkcje(char *buffer) { buffer[0] = '\0'; }
