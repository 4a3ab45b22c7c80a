/* An extension whose one function, "Sin", shares its name with a built-in;
 * it answers 42 so that a test sees which of the two was called. */
#include <stdio.h>

#include "tessaro_extension.h"

static int cursor;

TS_EXPORT void PobierzNazwe(char *buffer) { snprintf(buffer, TS_NAME_SIZE, "Sinus testowy"); }

TS_EXPORT void PobierzPierwszaFunkcje(char *buffer) {
  cursor = 0;
  snprintf(buffer, TS_FUNCTION_NAME_SIZE, "Sin");
}

TS_EXPORT void PobierzNastepnaFunkcje(char *buffer) {
  cursor = 1;
  buffer[0] = '\0';
}

TS_EXPORT void PobierzOpisFunkcji(char *buffer) {
  snprintf(buffer, TS_FUNCTION_DESCRIPTION_SIZE, "%s", cursor == 0 ? "Sin(x) - zawsze 42" : "");
}

TS_EXPORT void WyczyscParametryFunkcji(void) {}
TS_EXPORT void DodajParametrFunkcji(const char *value, const char *type) {
  (void)value;
  (void)type;
}
TS_EXPORT void WykonajFunkcje(const char *name, char *result) {
  (void)name;
  snprintf(result, TS_RESULT_SIZE, "42");
}
TS_EXPORT void PobierzTypRezultatu(char *buffer) {
  snprintf(buffer, TS_RESULT_TYPE_SIZE, TS_TYPE_INTEGER);
}
TS_EXPORT void PobierzOpisBledu(char *buffer) { buffer[0] = '\0'; }
