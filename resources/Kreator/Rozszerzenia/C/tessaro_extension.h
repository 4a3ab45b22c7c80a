/*
 * Tessaro extension interface.
 *
 * An extension is a shared library (.so) placed in the folder "Rozszerzenia"
 * of the program folder. It adds functions that block texts call exactly like
 * built-in functions:  a := NWD(12, 18)
 * Build one with, for example:
 *   cc -shared -fPIC -fvisibility=hidden -I<folder of this header> -o moje.so moje.c
 * then enable it in the extension manager.
 *
 * Export the sixteen functions below with C linkage and the platform's
 * standard C calling convention (including this header does both). Every
 * export is optional: the program looks each one up by its exact,
 * case-sensitive name at every use and skips what is missing. An extension
 * never calls the program back.
 *
 * Text
 *   All text is single-byte Windows-1250 (Polish letters: ą is 0xB9,
 *   ł is 0xB3, ...), terminated by a zero byte.
 *   Text given to you is read-only and valid only during the call.
 *   Text you return goes into a buffer the program allocated with the size
 *   named at the export: write at most size - 1 characters and a zero. The
 *   program also zeroes the last byte itself, so an overlong reply is cut,
 *   never read past the end.
 *
 * Values
 *   Arguments arrive as (text, type name), one DodajParametrFunkcji call per
 *   argument, in the order written in the block text:
 *     "integer"  decimal 32-bit integer, e.g. "-12"
 *     "real"     "." as the decimal separator, up to 15 significant digits,
 *                e.g. "2.5", "1.5E-7", "1E20"
 *     "boolean"  "-1" for TRUE, "0" for FALSE
 *     "string"   the text itself, at most 2048 characters
 *   An argument that has no value yet (an unassigned variable) is not passed
 *   at all, so check how many arguments you received.
 *   Your result is read according to the type name you give:
 *     "integer"  decimal, or hexadecimal after "$" or "0x"; must fit 32 bits
 *     "real"     "." as the decimal separator
 *     "boolean"  "True" or "False" (any case), or a number: non-zero is TRUE
 *     anything else, "" included: the result text as a string
 *   A result that does not fit its type stops the pupil's program with the
 *   error "Błędny typ rezultatu!".
 *   Beware of the C locale: the desktop program runs with the user's locale,
 *   in which strtod and printf("%f") may use "," as the decimal separator.
 *   Convert reals without them, or swap the separator yourself.
 *
 * Errors
 *   After every WykonajFunkcje the program asks PobierzOpisBledu. A non-empty
 *   text stops the pupil's program and is shown as the error, whatever the
 *   result was; after a successful call return an empty text.
 *
 * Order of calls
 *   1. At program start, for every enabled extension: load the library,
 *      UstawUchwytAplikacji, UstawUchwytOknaGlownego, InicjujRozszerzenie.
 *      An extension enabled in the manager while the program runs is only
 *      loaded (name, description, functions) until the next start.
 *   2. Listing the functions: PobierzPierwszaFunkcje, then for each non-empty
 *      name possibly PobierzOpisFunkcji, then PobierzNastepnaFunkcje, until a
 *      name is empty. A listing may be abandoned early; the next one always
 *      begins with PobierzPierwszaFunkcje.
 *   3. After a compilation whose algorithm calls one of your functions:
 *      KompilujAlgorytm (it may come again without ZakonczAlgorytm between).
 *   4. Each call during a run: WyczyscParametryFunkcji, DodajParametrFunkcji
 *      per argument, WykonajFunkcje, PobierzTypRezultatu, PobierzOpisBledu.
 *   5. When that compiled algorithm is discarded: ZakonczAlgorytm.
 *   6. Before the library is released (program exit, import, disabling):
 *      ZakonczRozszerzenie, also when InicjujRozszerzenie never came.
 *   All calls come from the user-interface thread, one at a time.
 */
#ifndef TESSARO_EXTENSION_H
#define TESSARO_EXTENSION_H

#include <stdint.h>

#ifdef __cplusplus
#define TS_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define TS_EXPORT __attribute__((visibility("default")))
#endif

/* Buffer sizes, in bytes, including the terminating zero. */
#define TS_NAME_SIZE 520                 /* PobierzNazwe: first 100 characters are kept */
#define TS_DESCRIPTION_SIZE 4104         /* PobierzOpis: first 254 characters are kept */
#define TS_FUNCTION_NAME_SIZE 520        /* PobierzPierwszaFunkcje, PobierzNastepnaFunkcje */
#define TS_FUNCTION_DESCRIPTION_SIZE 1032 /* PobierzOpisFunkcji */
#define TS_RESULT_SIZE 4104              /* WykonajFunkcje */
#define TS_RESULT_TYPE_SIZE 128          /* PobierzTypRezultatu */
#define TS_ERROR_SIZE 520                /* PobierzOpisBledu */
#define TS_ARGUMENT_MAX 2048             /* longest argument text, without the zero */

/* The four type names, used in both directions. */
#define TS_TYPE_INTEGER "integer"
#define TS_TYPE_REAL "real"
#define TS_TYPE_BOOLEAN "boolean"
#define TS_TYPE_STRING "string"

/* A window handle: opaque, pointer-sized; 0 when there is no window
 * (the command-line runner). Use it only as the owner of your own windows. */
typedef uintptr_t ts_window;

/* Full name of the extension, shown in the extension manager. */
TS_EXPORT void PobierzNazwe(char *buffer /* TS_NAME_SIZE */);
/* Description of the extension: purpose and authors. */
TS_EXPORT void PobierzOpis(char *buffer /* TS_DESCRIPTION_SIZE */);

/* The program's application window and main window, once at start-up. */
TS_EXPORT void UstawUchwytAplikacji(ts_window application_window);
TS_EXPORT void UstawUchwytOknaGlownego(ts_window main_window);

/* Once after loading at start-up; once before the library is released. */
TS_EXPORT void InicjujRozszerzenie(void);
TS_EXPORT void ZakonczRozszerzenie(void);

/* Restart the listing and return the first function name; "" when there
 * are no functions. Names are matched without regard to letter case. */
TS_EXPORT void PobierzPierwszaFunkcje(char *buffer /* TS_FUNCTION_NAME_SIZE */);
/* The next function name of the listing; "" ends it. */
TS_EXPORT void PobierzNastepnaFunkcje(char *buffer /* TS_FUNCTION_NAME_SIZE */);
/* Description of the name returned last by the listing, e.g. "NWD(a, b) - ...". */
TS_EXPORT void PobierzOpisFunkcji(char *buffer /* TS_FUNCTION_DESCRIPTION_SIZE */);

/* An algorithm calling your functions was compiled / is being discarded. */
TS_EXPORT void KompilujAlgorytm(void);
TS_EXPORT void ZakonczAlgorytm(void);

/* Forget the arguments of the previous call. */
TS_EXPORT void WyczyscParametryFunkcji(void);
/* Append one argument: its text and one of the four type names. */
TS_EXPORT void DodajParametrFunkcji(const char *value, const char *type);
/* Run `name` (spelled as your listing spells it) with the arguments appended
 * since the last WyczyscParametryFunkcji; write the result as text. */
TS_EXPORT void WykonajFunkcje(const char *name, char *result /* TS_RESULT_SIZE */);
/* Type name of the last result. */
TS_EXPORT void PobierzTypRezultatu(char *buffer /* TS_RESULT_TYPE_SIZE */);
/* Error text of the last call; "" when it succeeded. */
TS_EXPORT void PobierzOpisBledu(char *buffer /* TS_ERROR_SIZE */);

#endif /* TESSARO_EXTENSION_H */
