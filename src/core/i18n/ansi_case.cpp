#include "core/i18n/ansi_case.h"

#include <array>

namespace tessaro {

namespace {

// Lower-case letters of the code page beyond a-z, each with its capital.
struct LetterPair {
  unsigned char lower;
  unsigned char upper;
};

constexpr LetterPair kExtraLetters[] = {
    {0x9A, 0x8A},  // s caron
    {0x9C, 0x8C},  // s acute
    {0x9D, 0x8D},  // t caron
    {0x9E, 0x8E},  // z caron
    {0x9F, 0x8F},  // z acute
    {0xB3, 0xA3},  // l stroke
    {0xB9, 0xA5},  // a ogonek
    {0xBE, 0xBC},  // l caron
    {0xBF, 0xAF},  // z dot above
};

struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

constexpr CaseTables MakeCaseTables() {
  CaseTables t;
  for (int i = 0; i < 256; ++i) {
    t.upper[i] = static_cast<unsigned char>(i);
    t.lower[i] = static_cast<unsigned char>(i);
  }
  auto pair = [&t](int lower, int upper) {
    t.upper[lower] = static_cast<unsigned char>(upper);
    t.lower[upper] = static_cast<unsigned char>(lower);
  };
  for (int c = 'a'; c <= 'z'; ++c) pair(c, c - 0x20);
  for (const LetterPair& p : kExtraLetters) pair(p.lower, p.upper);
  // 0xE0..0xFE are the lower-case Latin letters of 0xC0..0xDE, except the
  // division sign, whose partner slot holds the multiplication sign.
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) pair(c, c - 0x20);
  }
  return t;
}

constexpr CaseTables kCase = MakeCaseTables();

}  // namespace

char AnsiUpperChar(char c) {
  return static_cast<char>(kCase.upper[static_cast<unsigned char>(c)]);
}

char AnsiLowerChar(char c) {
  return static_cast<char>(kCase.lower[static_cast<unsigned char>(c)]);
}

std::string AnsiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AnsiUpperChar(c);
  return out;
}

std::string AnsiLowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AnsiLowerChar(c);
  return out;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i])) return false;
  }
  return true;
}

}  // namespace tessaro
