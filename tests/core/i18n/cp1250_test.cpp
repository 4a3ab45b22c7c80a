#include "core/i18n/cp1250.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(Cp1250, EveryDefinedByteRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const char32_t cp = Cp1250ToUnicode(static_cast<unsigned char>(b));
    if (cp == 0xFFFD) continue;
    bool lossy = true;
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(one), &lossy), one) << "byte " << b;
    EXPECT_FALSE(lossy);
  }
}

TEST(Cp1250, KnownLetters) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  } cases[] = {
      {0xB9, "ą"}, {0xA5, "Ą"}, {0x9C, "ś"}, {0x8C, "Ś"}, {0xB3, "ł"}, {0xA3, "Ł"},
      {0xBF, "ż"}, {0xAF, "Ż"}, {0x9F, "ź"}, {0x8F, "Ź"}, {0xF3, "ó"}, {0xD3, "Ó"},
      {0xEA, "ę"}, {0xCA, "Ę"}, {0xE6, "ć"}, {0xC6, "Ć"}, {0xF1, "ń"}, {0xD1, "Ń"},
      {0x80, "€"}, {0xFB, "ű"}, {0xFC, "ü"}, {0xFD, "ý"}, {0xFF, "˙"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1250ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
  }
}

TEST(Cp1250, UnusedPositionsShowReplacementCharacter) {
  for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98}) {
    EXPECT_EQ(Cp1250ToUtf8(std::string(1, static_cast<char>(b))), "\xEF\xBF\xBD");
  }
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  bool lossy = false;
  EXPECT_EQ(Utf8ToCp1250("a\xE2\x86\x92" "b", &lossy), "a?b");  // U+2192 arrow
  EXPECT_TRUE(lossy);
  EXPECT_EQ(Utf8ToCp1250("\xFF" "x\xC3", &lossy), "?x?");  // malformed and cut sequences
  EXPECT_TRUE(lossy);
  EXPECT_EQ(Utf8ToCp1250("zażółć", &lossy), "za\xBF\xF3\xB3\xE6");
  EXPECT_FALSE(lossy);
}

}  // namespace
}  // namespace tessaro
