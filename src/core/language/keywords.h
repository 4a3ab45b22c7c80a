// The statement keywords of the block language and the entries the editor's
// keyword menu offers for them.
#pragma once

#include <array>
#include <string_view>

namespace tessaro {

// The four statement keywords; the editor highlights them.
constexpr std::array<std::string_view, 4> kStatementKeywords = {"dim", "set", "read", "write"};

struct TKeywordEntry {
  std::string_view Caption;  // inserted as it stands
  std::string_view Hint;     // empty when the entry has none
};

// In menu order. Windows-1250 text.
constexpr std::array<TKeywordEntry, 14> kKeywordEntries = {{
    {"read", "Umo\xBFliwia wprowadzanie danych"},
    {"read zmienna", ""},
    {"read zmienna1, zmienna2", ""},
    {"write", "Umo\xBFliwia wy\x9Cwietlanie danych"},
    {"write zmienna", ""},
    {"write zmienna1, zmienna2", ""},
    {"dim ", "Umo\xBFliwia deklaracj\xEA zmiennych i tablic"},
    {"dim zmienna", ""},
    {"dim zmienna1, zmienna2", ""},
    {"dim tablica[10]", ""},
    {"set", "Umo\xBFliwia przypisanie warto\x9C" "ci do tablicy"},
    {"set tablica:=(1,2,3)", ""},
    {"set tablica:=((1,2),(3,4),(5,6))", ""},
    {"set tablica:=(((1,2),(3,4)),((5,6),(7,8)))", ""},
}};

}  // namespace tessaro
