/*
 * A well-behaved extension that writes down every call it receives, one
 * line each, to the file named by $TESSARO_PROBE_LOG (when set), so tests
 * can check the order of calls and the texts that arrived, also after the
 * library was released.
 *
 * Functions:
 *   Echo(text [, type])      result `text` with type name `type` ("" when absent)
 *   ZlyTyp()                 "abc" declared as an integer
 *   BladZWynikiem()          a valid integer 12 together with an error text
 *   Liczba()                 the number of arguments received
 *
 * Built with PROBE_NO_RESULT_TYPE it lacks PobierzTypRezultatu.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tessaro_extension.h"

#define MAX_ARGUMENTS 8

static char arguments[MAX_ARGUMENTS][TS_ARGUMENT_MAX + 1];
static int argument_count;
static char result_type[TS_RESULT_TYPE_SIZE];
static char error_text[TS_ERROR_SIZE];
static int cursor;

static const char *const functions[][2] = {
    {"Echo", "Echo(tekst, typ) - zwraca tekst jako warto\x9C\xE6 podanego typu"},
    {"ZlyTyp", "ZlyTyp() - wynik niezgodny z typem"},
    {"BladZWynikiem", "BladZWynikiem() - wynik razem z b\xB3\xEA" "dem"},
    {"Liczba", "Liczba() - liczba argument\xF3w"},
};
#define FUNCTION_COUNT ((int)(sizeof functions / sizeof functions[0]))

/* Appends "call" or "call detail" as one line of the log. */
static void note(const char *call, const char *detail) {
  const char *path = getenv("TESSARO_PROBE_LOG");
  FILE *log;
  if (!path || !*path) return;
  log = fopen(path, "ab");
  if (!log) return;
  fprintf(log, "%s%s%s\n", call, *detail ? " " : "", detail);
  fclose(log);
}

/* Copies as much of `text` as fits, always terminated. */
static void put(char *buffer, size_t size, const char *text) {
  size_t length = strlen(text);
  if (length >= size) length = size - 1;
  memcpy(buffer, text, length);
  buffer[length] = '\0';
}

TS_EXPORT void PobierzNazwe(char *buffer) {
  note("PobierzNazwe", "");
  put(buffer, TS_NAME_SIZE, "Sonda");
}

TS_EXPORT void PobierzOpis(char *buffer) {
  note("PobierzOpis", "");
  put(buffer, TS_DESCRIPTION_SIZE, "Rozszerzenie testowe zapisuj\xB9" "ce wywo\xB3" "ania");
}

TS_EXPORT void UstawUchwytAplikacji(ts_window window) {
  char text[32];
  snprintf(text, sizeof text, "%lu", (unsigned long)window);
  note("UstawUchwytAplikacji", text);
}

TS_EXPORT void UstawUchwytOknaGlownego(ts_window window) {
  char text[32];
  snprintf(text, sizeof text, "%lu", (unsigned long)window);
  note("UstawUchwytOknaGlownego", text);
}

TS_EXPORT void InicjujRozszerzenie(void) { note("InicjujRozszerzenie", ""); }
TS_EXPORT void ZakonczRozszerzenie(void) { note("ZakonczRozszerzenie", ""); }
TS_EXPORT void KompilujAlgorytm(void) { note("KompilujAlgorytm", ""); }
TS_EXPORT void ZakonczAlgorytm(void) { note("ZakonczAlgorytm", ""); }

TS_EXPORT void PobierzPierwszaFunkcje(char *buffer) {
  note("PobierzPierwszaFunkcje", "");
  cursor = 0;
  put(buffer, TS_FUNCTION_NAME_SIZE, functions[0][0]);
}

TS_EXPORT void PobierzNastepnaFunkcje(char *buffer) {
  note("PobierzNastepnaFunkcje", "");
  if (cursor < FUNCTION_COUNT) ++cursor;
  put(buffer, TS_FUNCTION_NAME_SIZE, cursor < FUNCTION_COUNT ? functions[cursor][0] : "");
}

TS_EXPORT void PobierzOpisFunkcji(char *buffer) {
  note("PobierzOpisFunkcji", "");
  put(buffer, TS_FUNCTION_DESCRIPTION_SIZE, cursor < FUNCTION_COUNT ? functions[cursor][1] : "");
}

TS_EXPORT void WyczyscParametryFunkcji(void) {
  note("WyczyscParametryFunkcji", "");
  argument_count = 0;
}

TS_EXPORT void DodajParametrFunkcji(const char *value, const char *type) {
  static char line[TS_ARGUMENT_MAX + 64];
  snprintf(line, sizeof line, "%s|%s", value, type);
  note("DodajParametrFunkcji", line);
  if (argument_count < MAX_ARGUMENTS) put(arguments[argument_count], sizeof arguments[0], value);
  ++argument_count;
}

TS_EXPORT void WykonajFunkcje(const char *name, char *result) {
  const char *text = "";
  note("WykonajFunkcje", name);
  result_type[0] = error_text[0] = '\0';
  if (strcmp(name, "Echo") == 0) {
    text = argument_count > 0 ? arguments[0] : "";
    put(result_type, sizeof result_type, argument_count > 1 ? arguments[1] : "");
  } else if (strcmp(name, "ZlyTyp") == 0) {
    text = "abc";
    put(result_type, sizeof result_type, TS_TYPE_INTEGER);
  } else if (strcmp(name, "BladZWynikiem") == 0) {
    text = "12";
    put(result_type, sizeof result_type, TS_TYPE_INTEGER);
    put(error_text, sizeof error_text, "Co\x9C posz\xB3o nie tak");
  } else if (strcmp(name, "Liczba") == 0) {
    snprintf(result, TS_RESULT_SIZE, "%d", argument_count);
    put(result_type, sizeof result_type, TS_TYPE_INTEGER);
    return;
  } else {
    put(error_text, sizeof error_text, "Nieznana funkcja");
  }
  put(result, TS_RESULT_SIZE, text);
}

#ifndef PROBE_NO_RESULT_TYPE
TS_EXPORT void PobierzTypRezultatu(char *buffer) {
  note("PobierzTypRezultatu", "");
  put(buffer, TS_RESULT_TYPE_SIZE, result_type);
}
#endif

TS_EXPORT void PobierzOpisBledu(char *buffer) {
  note("PobierzOpisBledu", "");
  put(buffer, TS_ERROR_SIZE, error_text);
}
