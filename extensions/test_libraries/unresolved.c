/* An extension that needs a symbol no library provides: loading it fails. */
#include "tessaro_extension.h"

extern void tessaro_symbol_nobody_defines(void);

TS_EXPORT void InicjujRozszerzenie(void) { tessaro_symbol_nobody_defines(); }
