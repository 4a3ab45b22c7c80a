/*
 * A Tessaro extension, made by the extension project creator.
 *
 * Build it with "make" in this folder, import the .so in the extension
 * manager and tick it. Block texts then call its functions like built-in
 * ones:   s := Suma(2, 3)    p := Powitanie('Ola')
 *
 * All text crossing the interface is Windows-1250 (tessaro_extension.h
 * tells the whole story). Polish letters in your own texts are easiest
 * written as escapes: "\xB3" is "l" with stroke, "\xBF" is "z" with dot.
 *
 * To add a function: write it like suma() below and add a row to the
 * table `functions`.
 */
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tessaro_extension.h"

static const char extension_name[] = {NAZWA_ROZSZERZENIA};
static const char extension_description[] = {OPIS_ROZSZERZENIA};

#define MAX_ARGUMENTS 8

typedef struct {
  char text[TS_ARGUMENT_MAX + 1];
  char type[16];
} Argument;

static Argument arguments[MAX_ARGUMENTS];
static int argument_count; /* all arguments received, also those not kept */

static char result_text[TS_RESULT_SIZE];
static char result_type[TS_RESULT_TYPE_SIZE];
static char error_text[TS_ERROR_SIZE];

/* Copies as much of `text` as fits, always terminated. */
static void copy_text(char *buffer, size_t size, const char *text) {
  size_t length = strlen(text);
  if (length >= size) length = size - 1;
  memcpy(buffer, text, length);
  buffer[length] = '\0';
}

/* Argument `index` as a 32-bit integer; 0 and an error text when it is not one. */
static int integer_argument(const char *function, int index, long *value) {
  const Argument *a = &arguments[index];
  char *end;
  long number;
  if (strcmp(a->type, TS_TYPE_INTEGER) == 0 && a->text[0] != '\0') {
    number = strtol(a->text, &end, 10);
    if (*end == '\0' && number >= INT_MIN && number <= INT_MAX) {
      *value = number;
      return 1;
    }
  }
  snprintf(error_text, sizeof error_text, "%s: argument %d nie jest liczb\xB9 ca\xB3kowit\xB9",
           function, index + 1);
  return 0;
}

/* ---- the functions ---- */

/* Suma(a, b): the sum of two integers. */
static void suma(void) {
  long a, b;
  long long sum;
  if (!integer_argument("Suma", 0, &a) || !integer_argument("Suma", 1, &b)) return;
  sum = (long long)a + b;
  if (sum < INT_MIN || sum > INT_MAX) {
    snprintf(error_text, sizeof error_text, "Suma: wynik nie mie\x9C" "ci si\xEA w zakresie");
    return;
  }
  snprintf(result_text, sizeof result_text, "%lld", sum);
  copy_text(result_type, sizeof result_type, TS_TYPE_INTEGER);
}

/* Powitanie(imie): a greeting, as a string. */
static void powitanie(void) {
  snprintf(result_text, sizeof result_text, "Witaj, %s!", arguments[0].text);
  copy_text(result_type, sizeof result_type, TS_TYPE_STRING);
}

typedef struct {
  const char *name;
  int arity;
  const char *description;
  void (*run)(void); /* called with exactly `arity` arguments */
} Function;

static const Function functions[] = {
    {"Suma", 2, "Suma(a, b) - suma dw\xF3" "ch liczb ca\xB3kowitych a i b.", suma},
    {"Powitanie", 1, "Powitanie(imie) - tekst powitania dla podanego imienia.", powitanie},
};

#define FUNCTION_COUNT ((int)(sizeof functions / sizeof functions[0]))

static int cursor; /* position of the listing; FUNCTION_COUNT when it ended */

/* ---- the exports ---- */

TS_EXPORT void PobierzNazwe(char *buffer) { copy_text(buffer, TS_NAME_SIZE, extension_name); }

TS_EXPORT void PobierzOpis(char *buffer) {
  copy_text(buffer, TS_DESCRIPTION_SIZE, extension_description);
}

TS_EXPORT void UstawUchwytAplikacji(ts_window application_window) { (void)application_window; }
TS_EXPORT void UstawUchwytOknaGlownego(ts_window main_window) { (void)main_window; }
TS_EXPORT void InicjujRozszerzenie(void) {}
TS_EXPORT void ZakonczRozszerzenie(void) {}
TS_EXPORT void KompilujAlgorytm(void) {}
TS_EXPORT void ZakonczAlgorytm(void) {}

TS_EXPORT void PobierzPierwszaFunkcje(char *buffer) {
  cursor = 0;
  copy_text(buffer, TS_FUNCTION_NAME_SIZE, FUNCTION_COUNT > 0 ? functions[0].name : "");
}

TS_EXPORT void PobierzNastepnaFunkcje(char *buffer) {
  if (cursor < FUNCTION_COUNT) ++cursor;
  copy_text(buffer, TS_FUNCTION_NAME_SIZE, cursor < FUNCTION_COUNT ? functions[cursor].name : "");
}

TS_EXPORT void PobierzOpisFunkcji(char *buffer) {
  copy_text(buffer, TS_FUNCTION_DESCRIPTION_SIZE,
            cursor < FUNCTION_COUNT ? functions[cursor].description : "");
}

TS_EXPORT void WyczyscParametryFunkcji(void) { argument_count = 0; }

TS_EXPORT void DodajParametrFunkcji(const char *value, const char *type) {
  if (argument_count < MAX_ARGUMENTS) {
    copy_text(arguments[argument_count].text, sizeof arguments[0].text, value);
    copy_text(arguments[argument_count].type, sizeof arguments[0].type, type);
  }
  if (argument_count < INT_MAX) ++argument_count;
}

TS_EXPORT void WykonajFunkcje(const char *name, char *result) {
  int i;
  result_text[0] = result_type[0] = error_text[0] = '\0';
  for (i = 0; i < FUNCTION_COUNT; ++i) {
    if (strcmp(name, functions[i].name) == 0) break;
  }
  if (i == FUNCTION_COUNT) {
    snprintf(error_text, sizeof error_text, "Nieznana funkcja: %s", name);
  } else if (argument_count != functions[i].arity) {
    snprintf(error_text, sizeof error_text, "%s: oczekiwano argument\xF3w: %d, podano: %d",
             functions[i].name, functions[i].arity, argument_count);
  } else {
    functions[i].run();
  }
  copy_text(result, TS_RESULT_SIZE, result_text);
}

TS_EXPORT void PobierzTypRezultatu(char *buffer) {
  copy_text(buffer, TS_RESULT_TYPE_SIZE, result_type);
}

TS_EXPORT void PobierzOpisBledu(char *buffer) { copy_text(buffer, TS_ERROR_SIZE, error_text); }
