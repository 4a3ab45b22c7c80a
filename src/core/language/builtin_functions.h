// The built-in functions of the block language with the hints the editor
// shows for them. A call binds to the 1-based position of its name here.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tessaro {

struct TBuiltinFunction {
  std::string_view Name;
  std::string_view Description;  // empty when the function has no hint
  std::string_view Example;
};

constexpr int kBuiltinFunctionCount = 59;

// Windows-1250 text.
constexpr std::array<TBuiltinFunction, kBuiltinFunctionCount> kBuiltinFunctions = {{
    {"Random", "Zwraca losow\xB9 liczb\xEA z podanego przedzia\xB3u", "Np: a := Random( zakres )"},
    {"ArcCos", "", ""},
    {"ArcCosh", "", ""},
    {"ArcCtg", "", ""},
    {"ArcCtgH", "", ""},
    {"ArcCsc", "", ""},
    {"ArcCscH", "", ""},
    {"ArcSec", "", ""},
    {"ArcSecH", "", ""},
    {"ArcSin", "", ""},
    {"ArcSinh", "", ""},
    {"ArcTan", "", ""},
    {"ArcTan2", "", ""},
    {"ArcTanh", "", ""},
    {"Cos", "Oblicza kosinus z podanego k\xB9ta", "Np: a := Cos( kat )"},
    {"Cosecant", "", ""},
    {"Cosh", "Oblicza kosinus hiperboliczny z podanego k\xB9ta", "Np: a := Cosh( kat )"},
    {"Cot", "", ""},
    {"Cotan", "Oblicza kotangens z podanego k\xB9ta", "Np: a := Cotan( zakres )"},
    {"CotH", "Oblicza kotangens hiperboliczny z podanego k\xB9ta", "Np: a := Coth( zakres )"},
    {"Csc", "", ""},
    {"CscH", "", ""},
    {"Hypot", "", ""},
    {"Sec", "", ""},
    {"Secant", "", ""},
    {"SecH", "", ""},
    {"Sin", "Oblicza sinus z podanego k\xB9ta", "Np: a := Sin( kat )"},
    {"Sinh", "Oblicza sinus hiperboliczny z podanego k\xB9ta", "Np: a := Sinh( kat )"},
    {"Tan", "Oblicza tangens z podanego k\xB9ta", "Np: a := Tan( zakres )"},
    {"Tanh", "Oblicza tangens hiperboliczny z podanego k\xB9ta", "Np: a := Tanh( zakres )"},
    {"Sqrt", "Pierwiastek", "Np: a := Sqrt( 9 )"},
    {"Sqr", "Pot\xEAga drugiego stopnia(kwadrat)", "Np: a := Sqr( 3 )"},
    {"Length", "Podaje d\xB3ugo\x9C\xE6 zmiennej", "Np: a := Length( 'abc' )"},
    {"Copy", "Kopiuje tekst", "Np: a := Copy(Str, index, dlugosc)"},
    {"Pos", "Podaje pozycje podci\xB9gu w tek\x9C" "cie", "Np: a := Pos(podciag, tekst)"},
    {"Insert", "Wstawia podci\xB9g do tekstu", "Np: a := Insert(podciag, tekst, index)"},
    {"Delete", "Usuwa wybrany fragment tekstu", "Np: a := Delete(podciag, index, dlugosc)"},
    {"Str", "Zamienia liczb\xEA na tekst", "Np: tekst := Str( liczba )"},
    {"Val", "Zamienia tekst na liczb\xEA", "Np: liczba := Val( tekst )"},
    {"Abs", "Zwraca warto\x9C\xE6 bezwzgl\xEA" "dn\xB9", "Np: liczba := Abs( liczba )"},
    {"Ln", "Oblicza logarytm naturalny z X", "Np: liczba := Ln( x )"},
    {"Log2", "Oblicza logarytm z X o podstawie 2", "Np: liczba := Log2( x )"},
    {"Log10", "Oblicza logarytm z X o podstawie 10", "Np: liczba := Log10( x )"},
    {"LogN", "Oblicza logarytm z X o podstawie N", "Np: liczba := LogN( x )"},
    {"Exp", "Podnosi podstaw\xEA logarytmu naturalnego e do pot\xEAgi x", "Np: liczba := Exp( x )"},
    {"Power", "Podnosi liczb\xEA do dowolnej pot\xEAgi", "Np: liczba := Power( argument, pot\xEAga )"},
    {"Round", "Zaokr\xB9gla liczb\xEA rzeczywist\xB9 i zwraca j\xB9 w postaci liczby ca\xB3kowitej", "Np: liczba := Round( liczba )"},
    {"Trunc", "Obcina cyfry po przecinku", "Np: liczba := Trunc( liczba )"},
    {"HexToBin", "Konwertuje liczb\xEA z systemu szesnastkowego na liczb\xEA w systemie binarnym", "Np: liczba := HexToBin('3A')"},
    {"BinToHex", "Konwertuje liczb\xEA z systemu binarnego na liczb\xEA w systemie szesnastkowym", "Np: liczba := BinToHex('1001')"},
    {"HexToDec", "Konwertuje liczb\xEA z systemu szesnastkowego na liczb\xEA w systemie dziesi\xEAtnym", "Np: liczba := HexToDec('3A')"},
    {"OctToDec", "Konwertuje liczb\xEA z systemu \xF3semkowego na liczb\xEA w systemie dziesi\xEAtnym", "Np: liczba := OctToDec('67')"},
    {"BinToDec", "Konwertuje liczb\xEA z systemu binarnego na liczb\xEA w systemie dziesi\xEAtnym", "Np: liczba := BinToDec('1001')"},
    {"DecToHex", "Konwertuje liczb\xEA z systemu dziesi\xEAtnego na liczb\xEA w systemie szesnastkowym", "Np: liczba := DecToHex('91')"},
    {"DecToOct", "Konwertuje liczb\xEA z systemu dziesi\xEAtnego na liczb\xEA w systemie \xF3semkowym", "Np: liczba := DecToOct('91')"},
    {"DecToBin", "Konwertuje liczb\xEA z systemu dziesi\xEAtnego na liczb\xEA w systemie binarnym", "Np: liczba := DecToBin('91')"},
    {"SystemToDec", "Konwertuje liczb\xEA z dowolnego systemu na liczb\xEA w systemie dziesi\xEAtnym", "Np: liczba := SystemToDec(podstawaSystemu,'3A')"},
    {"DecToSystem", "Konwertuje liczb\xEA z systemu dziesi\xEAtnego na liczb\xEA w dowolnym systemie", "Np: liczba := DecToSystem(podstawaSystemu,'91')"},
    {"SystemToSystem", "Konwertuje liczb\xEA z dowolnego systemu dziesi\xEAtnego na liczb\xEA w dowolnym systemie", "Np: liczba := SystemToSystem(podstawaSystemu,podstawaSystemuDocelowego,'3A')"},
}};

// The 1-based position of `name` in kBuiltinFunctions, letter case ignored;
// 0 when no built-in function has that name.
int FindBuiltinFunction(std::string_view name);

// The hint of built-in function `position` (1-based): description, two
// carriage returns, example; empty for a function without a hint or a
// position outside the table.
std::string BuiltinHint(int position);

}  // namespace tessaro
