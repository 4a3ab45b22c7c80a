#include <gtest/gtest.h>

#include <set>

#include "core/i18n/cp1250.h"
#include "core/language/builtin_functions.h"
#include "core/language/keywords.h"
#include "core/language/operator_table.h"

namespace tessaro {
namespace {

TEST(OperatorTable, SlotsFillersAndGroups) {
  const std::set<int> fillers = {4, 12, 13, 14, 16, 17, 18};
  for (int s = 0; s < kOperatorSlotCount; ++s) EXPECT_EQ(IsFillerSlot(s), fillers.count(s) == 1) << s;
  EXPECT_EQ(kOperators[kArgumentMarkerSlot].Text, std::string_view(&kArgumentMarker, 1));
  EXPECT_EQ(kOperators[kArgumentMarkerSlot].Group, 12);
  // The first slot of each group, and groups never fall back.
  const std::pair<int, int> group_starts[] = {{0, 1},  {5, 2},  {19, 3}, {24, 4},  {26, 5},  {30, 6},
                                              {34, 7}, {37, 8}, {39, 9}, {43, 10}, {55, 11}, {56, 12}};
  for (auto [slot, group] : group_starts) EXPECT_EQ(kOperators[slot].Group, group) << slot;
  for (int s = 1; s < kOperatorSlotCount; ++s) EXPECT_LE(kOperators[s - 1].Group, kOperators[s].Group) << s;
  EXPECT_EQ(kOperators[10].Text, "not");
  EXPECT_EQ(kOperators[36].Text, "<>");
  EXPECT_EQ(kOperators[44].Text, ":=");
  EXPECT_EQ(kOperators[54].Text, "|=");
}

TEST(BuiltinFunctions, LookupIgnoresCaseAndCountsFromOne) {
  EXPECT_EQ(kBuiltinFunctions.size(), 59u);
  EXPECT_EQ(FindBuiltinFunction("Random"), 1);
  EXPECT_EQ(FindBuiltinFunction("sqrt"), 31);
  EXPECT_EQ(FindBuiltinFunction("SQRT"), 31);
  EXPECT_EQ(FindBuiltinFunction("Sqr"), 32);
  EXPECT_EQ(FindBuiltinFunction("SystemToSystem"), 59);
  EXPECT_EQ(FindBuiltinFunction("Foo"), 0);
  EXPECT_EQ(FindBuiltinFunction(""), 0);
}

TEST(BuiltinFunctions, HintsAreDescriptionTwoCarriageReturnsExample) {
  EXPECT_EQ(BuiltinHint(31), "Pierwiastek\r\rNp: a := Sqrt( 9 )");
  EXPECT_EQ(BuiltinHint(2), "");  // ArcCos has none
  EXPECT_EQ(BuiltinHint(0), "");
  EXPECT_EQ(BuiltinHint(60), "");
  // The Windows-1250 texts decode to the Polish originals.
  EXPECT_EQ(Cp1250ToUtf8(BuiltinHint(1)),
            "Zwraca losową liczbę z podanego przedziału\r\rNp: a := Random( zakres )");
  EXPECT_EQ(Cp1250ToUtf8(kBuiltinFunctions[34].Description), "Podaje pozycje podciągu w tekście");
  EXPECT_EQ(Cp1250ToUtf8(kBuiltinFunctions[51].Description),
            "Konwertuje liczbę z systemu ósemkowego na liczbę w systemie dziesiętnym");
  EXPECT_EQ(Cp1250ToUtf8(kBuiltinFunctions[45].Example), "Np: liczba := Power( argument, potęga )");
  int with_hint = 0;
  for (int i = 1; i <= kBuiltinFunctionCount; ++i) with_hint += BuiltinHint(i).empty() ? 0 : 1;
  EXPECT_EQ(with_hint, 38);
}

TEST(Keywords, MenuEntries) {
  EXPECT_EQ(kKeywordEntries.size(), 14u);
  EXPECT_EQ(kKeywordEntries[0].Caption, "read");
  EXPECT_EQ(Cp1250ToUtf8(kKeywordEntries[0].Hint), "Umożliwia wprowadzanie danych");
  EXPECT_EQ(kKeywordEntries[6].Caption, "dim ");
  EXPECT_EQ(Cp1250ToUtf8(kKeywordEntries[10].Hint), "Umożliwia przypisanie wartości do tablicy");
  EXPECT_EQ(kKeywordEntries[13].Caption, "set tablica:=(((1,2),(3,4)),((5,6),(7,8)))");
  int with_hint = 0;
  for (const TKeywordEntry& e : kKeywordEntries) with_hint += e.Hint.empty() ? 0 : 1;
  EXPECT_EQ(with_hint, 4);
}

}  // namespace
}  // namespace tessaro
