/*
 * "Matematyka szkolna": school arithmetic for block texts.
 *
 *   Silnia(n)       n!, for 0 <= n <= 12 (13! does not fit 32 bits)
 *   NWD(a, b)       greatest common divisor
 *   NWW(a, b)       least common multiple
 *   CzyPierwsza(n)  TRUE when n is prime
 *   Max(a, b)       the larger number, returned as it was given
 *   Min(a, b)       the smaller number, returned as it was given
 *
 * Written against tessaro_extension.h alone, as a teacher's extension would
 * be. Texts are Windows-1250 (the escapes below are Polish letters).
 */
#include <limits.h>
#include <locale.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tessaro_extension.h"

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

static void set_integer(long long value) {
  snprintf(result_text, sizeof result_text, "%lld", value);
  copy_text(result_type, sizeof result_type, TS_TYPE_INTEGER);
}

static void set_boolean(int value) {
  copy_text(result_text, sizeof result_text, value ? "True" : "False");
  copy_text(result_type, sizeof result_type, TS_TYPE_BOOLEAN);
}

static void fail(const char *function, const char *message) {
  snprintf(error_text, sizeof error_text, "%s: %s", function, message);
}

/* ---- reading arguments ---- */

/* A real written with "." read in any locale: the separator is swapped for
 * the locale's own before strtod. */
static int parse_real(const char *text, double *value) {
  char copy[TS_ARGUMENT_MAX + 1];
  const char *point = localeconv()->decimal_point;
  char *end;
  size_t i;
  copy_text(copy, sizeof copy, text);
  for (i = 0; copy[i]; ++i) {
    if (copy[i] == '.' && point && point[0] && !point[1]) copy[i] = point[0];
  }
  if (!copy[0]) return 0;
  *value = strtod(copy, &end);
  return *end == '\0';
}

/* Argument `index` as a number; reals are accepted too. */
static int number_argument(const char *function, int index, double *value) {
  const Argument *a = &arguments[index];
  if ((strcmp(a->type, TS_TYPE_INTEGER) == 0 || strcmp(a->type, TS_TYPE_REAL) == 0) &&
      parse_real(a->text, value)) {
    return 1;
  }
  fail(function, "argumenty musz\xB9 by\xE6 liczbami");
  return 0;
}

/* Argument `index` as a 32-bit integer; a real is accepted when it is whole. */
static int integer_argument(const char *function, int index, long long *value) {
  double number;
  if (!number_argument(function, index, &number)) return 0;
  /* The range test comes first: it also turns away NAN and INF. */
  if (!(number >= INT_MIN && number <= INT_MAX) || number != (double)(long long)number) {
    fail(function, "argumenty musz\xB9 by\xE6 liczbami ca\xB3kowitymi");
    return 0;
  }
  *value = (long long)number;
  return 1;
}

static int expect_arguments(const char *function, int count) {
  if (argument_count == count) return 1;
  snprintf(error_text, sizeof error_text,
           "%s: oczekiwano argument\xF3w: %d, podano: %d", function, count, argument_count);
  return 0;
}

/* ---- the functions ---- */

static long long gcd(long long a, long long b) {
  if (a < 0) a = -a;
  if (b < 0) b = -b;
  while (b != 0) {
    long long r = a % b;
    a = b;
    b = r;
  }
  return a;
}

static const char out_of_range[] =
    "wynik nie mie\x9C" "ci si\xEA w zakresie liczb ca\xB3kowitych";

static void silnia(void) {
  long long n, value = 1, i;
  if (!integer_argument("Silnia", 0, &n)) return;
  if (n < 0) {
    fail("Silnia", "n musi by\xE6 nieujemne");
    return;
  }
  if (n > 12) {
    fail("Silnia", "dla n > 12 wynik nie mie\x9C" "ci si\xEA w zakresie liczb ca\xB3kowitych");
    return;
  }
  for (i = 2; i <= n; ++i) value *= i;
  set_integer(value);
}

static void nwd(void) {
  long long a, b, value;
  if (!integer_argument("NWD", 0, &a) || !integer_argument("NWD", 1, &b)) return;
  value = gcd(a, b);
  if (value > INT_MAX) {
    fail("NWD", out_of_range);
    return;
  }
  set_integer(value);
}

static void nww(void) {
  long long a, b, value;
  if (!integer_argument("NWW", 0, &a) || !integer_argument("NWW", 1, &b)) return;
  value = (a == 0 || b == 0) ? 0 : llabs(a / gcd(a, b) * b);
  if (value > INT_MAX) {
    fail("NWW", out_of_range);
    return;
  }
  set_integer(value);
}

static void czy_pierwsza(void) {
  long long n, d;
  int prime;
  if (!integer_argument("CzyPierwsza", 0, &n)) return;
  prime = n >= 2;
  for (d = 2; prime && d * d <= n; ++d) {
    if (n % d == 0) prime = 0;
  }
  set_boolean(prime);
}

/* Max and Min hand back the winning argument unchanged, type included, so
 * no real is ever printed here. */
static void extreme(const char *function, int want_larger) {
  double a, b;
  int pick;
  if (!number_argument(function, 0, &a) || !number_argument(function, 1, &b)) return;
  pick = want_larger ? (b > a) : (b < a);
  copy_text(result_text, sizeof result_text, arguments[pick].text);
  copy_text(result_type, sizeof result_type, arguments[pick].type);
}

static void max(void) { extreme("Max", 1); }
static void min(void) { extreme("Min", 0); }

typedef struct {
  const char *name;
  int arity;
  const char *description;
  void (*run)(void); /* called with exactly `arity` arguments */
} Function;

static const Function functions[] = {
    {"Silnia", 1,
     "Silnia(n) - iloczyn liczb od 1 do n, Silnia(0) = 1. "
     "n jest liczb\xB9 ca\xB3kowit\xB9 od 0 do 12.",
     silnia},
    {"NWD", 2, "NWD(a, b) - najwi\xEAkszy wsp\xF3lny dzielnik liczb ca\xB3kowitych a i b.", nwd},
    {"NWW", 2, "NWW(a, b) - najmniejsza wsp\xF3lna wielokrotno\x9C\xE6 liczb ca\xB3kowitych a i b.",
     nww},
    {"CzyPierwsza", 1,
     "CzyPierwsza(n) - TRUE, gdy n jest liczb\xB9 pierwsz\xB9, w przeciwnym razie FALSE.",
     czy_pierwsza},
    {"Max", 2, "Max(a, b) - wi\xEAksza z dw\xF3" "ch liczb a i b.", max},
    {"Min", 2, "Min(a, b) - mniejsza z dw\xF3" "ch liczb a i b.", min},
};

#define FUNCTION_COUNT ((int)(sizeof functions / sizeof functions[0]))

static int cursor; /* position of the listing; FUNCTION_COUNT when it ended */

/* ---- the exports ---- */

TS_EXPORT void PobierzNazwe(char *buffer) {
  copy_text(buffer, TS_NAME_SIZE, "Matematyka szkolna");
}

TS_EXPORT void PobierzOpis(char *buffer) {
  copy_text(buffer, TS_DESCRIPTION_SIZE,
            "Funkcje matematyki szkolnej: silnia, najwi\xEAkszy wsp\xF3lny dzielnik, "
            "najmniejsza wsp\xF3lna wielokrotno\x9C\xE6, badanie, czy liczba jest pierwsza, "
            "oraz wi\xEAksza i mniejsza z dw\xF3" "ch liczb. Autor: zesp\xF3\xB3 Tessaro.");
}

TS_EXPORT void UstawUchwytAplikacji(ts_window application_window) { (void)application_window; }
TS_EXPORT void UstawUchwytOknaGlownego(ts_window main_window) { (void)main_window; }
TS_EXPORT void InicjujRozszerzenie(void) {}
TS_EXPORT void ZakonczRozszerzenie(void) {}
TS_EXPORT void KompilujAlgorytm(void) {}
TS_EXPORT void ZakonczAlgorytm(void) {}

TS_EXPORT void PobierzPierwszaFunkcje(char *buffer) {
  cursor = 0;
  copy_text(buffer, TS_FUNCTION_NAME_SIZE, functions[0].name);
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
  } else if (expect_arguments(functions[i].name, functions[i].arity)) {
    functions[i].run();
  }
  copy_text(result, TS_RESULT_SIZE, result_text);
}

TS_EXPORT void PobierzTypRezultatu(char *buffer) {
  copy_text(buffer, TS_RESULT_TYPE_SIZE, result_type);
}

TS_EXPORT void PobierzOpisBledu(char *buffer) { copy_text(buffer, TS_ERROR_SIZE, error_text); }
