/*
 * An extension that never terminates its texts: every reply fills its whole
 * buffer with letters, and the function listing never ends.
 */
#include <string.h>

#include "tessaro_extension.h"

TS_EXPORT void PobierzNazwe(char *buffer) { memset(buffer, 'N', TS_NAME_SIZE); }
TS_EXPORT void PobierzOpis(char *buffer) { memset(buffer, 'O', TS_DESCRIPTION_SIZE); }
TS_EXPORT void PobierzPierwszaFunkcje(char *buffer) { memset(buffer, 'F', TS_FUNCTION_NAME_SIZE); }
TS_EXPORT void PobierzNastepnaFunkcje(char *buffer) { memset(buffer, 'F', TS_FUNCTION_NAME_SIZE); }
TS_EXPORT void PobierzOpisFunkcji(char *buffer) {
  memset(buffer, 'D', TS_FUNCTION_DESCRIPTION_SIZE);
}
TS_EXPORT void WykonajFunkcje(const char *name, char *result) {
  (void)name;
  memset(result, 'W', TS_RESULT_SIZE);
}
TS_EXPORT void PobierzTypRezultatu(char *buffer) { memset(buffer, 'T', TS_RESULT_TYPE_SIZE); }
TS_EXPORT void PobierzOpisBledu(char *buffer) { memset(buffer, 'B', TS_ERROR_SIZE); }
