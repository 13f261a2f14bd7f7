#include "platform/rtl/ansi.h"

#include <gtest/gtest.h>

using namespace rtl;

TEST(AnsiLiteral, EncodesWindows1252) {
  EXPECT_EQ("Rätsel Tyx"_a, "R\xE4tsel Tyx");
  EXPECT_EQ("KREUZWORTRÄTSEL"_a, "KREUZWORTR\xC4TSEL");
  EXPECT_EQ("€ … ‚ Š œ Ÿ"_a, "\x80 \x85 \x82 \x8A \x9C \x9F");
  EXPECT_EQ("  doubled  and final "_a, "  doubled  and final ");
  EXPECT_EQ(""_a, "");
}

TEST(AnsiConversion, RoundTripsEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8_to_ansi(ansi_to_utf8(all)), all);
  EXPECT_EQ(utf16_to_ansi(ansi_to_utf16(all)), all);
}

TEST(AnsiConversion, UnmappableBecomesDefaultCharacter) {
  struct Row { std::string utf8; std::string ansi; bool fits; };
  const Row rows[] = {
      {"plain", "plain", true},
      {"\xC3\xA6\xC3\xB8\xC3\xA5", "\xE6\xF8\xE5", true},  // æøå
      {"\xE2\x82\xAC", "\x80", true},                      // €
      {"\xCE\xA9", "?", false},                            // Ω
      {"\xF0\x9F\x98\x80x", "?x", false},                  // emoji
      {"\xC3", "?", false},                                // truncated sequence
  };
  for (const Row& row : rows) {
    EXPECT_EQ(utf8_to_ansi(row.utf8), row.ansi) << row.utf8;
    EXPECT_EQ(utf8_fits_ansi(row.utf8), row.fits) << row.utf8;
  }
  EXPECT_EQ(utf16_to_ansi(u"a\u03A9\U0001F600b"), "a??b");
}

TEST(AnsiCase, FollowsWindowsTables) {
  EXPECT_EQ(AnsiUpperCase("r\xE4tsel \xFF\x9A\x9C\x9E \xDF\xB5 \xF7"), "R\xC4TSEL \x9F\x8A\x8C\x8E \xDF\xB5 \xF7");
  EXPECT_EQ(AnsiLowerCase("R\xC4TSEL \x9F\x8A \xD7"), "r\xE4tsel \xFF\x9A \xD7");
}

TEST(AnsiCase, ComparesLikeNtfs) {
  EXPECT_EQ(AnsiCompareText("Bmps", "BMPS"), 0);
  EXPECT_TRUE(AnsiSameText("r\xE4tsel", "R\xC4TSEL"));
  EXPECT_LT(AnsiCompareText("Zebra", "\xC4pfel"), 0);  // Ä is U+00C4, after Z
  EXPECT_LT(AnsiCompareText("abc", "abcd"), 0);
  EXPECT_LT(AnsiCompareText("\xC4", "\x8A"), 0);  // Š is U+0160 although its byte is lower
}
