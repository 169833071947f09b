#include "cli/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirvo::cli {
namespace {

TEST(TextEncoding, MapsEachWindows1252ByteToItsCharacter) {
  struct Case {
    std::string cp1252;
    std::string utf8;
  };
  const std::vector<Case> cases = {
      {"Paris", "Paris"},
      {"\xC9t\xE9", "\xC3\x89t\xC3\xA9"},             // Été
      {"y a de l'id\xE9" "e", "y a de l'id\xC3\xA9" "e"},
      {"\x80", "\xE2\x82\xAC"},                       // euro sign
      {"\x8C\x9C", "\xC5\x92\xC5\x93"},               // OE and oe ligatures
      {"\x92", "\xE2\x80\x99"},                       // right single quote
      {"\x9F", "\xC5\xB8"},                           // Y with diaeresis
      {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(cp1252ToUtf8(c.cp1252), c.utf8);
    std::string back;
    EncodingError error;
    ASSERT_TRUE(utf8ToCp1252(c.utf8, back, error)) << c.utf8;
    EXPECT_EQ(back, c.cp1252);
  }
}

TEST(TextEncoding, HighControlRangeIsTheWindows1252Table) {
  const char32_t expected[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
  };
  for (int b = 0x80; b <= 0x9F; ++b) {
    const std::string utf8 = cp1252ToUtf8(std::string(1, static_cast<char>(b)));
    char32_t c = 0;
    const auto u = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[k])); };
    if (utf8.size() == 2) c = ((u(0) & 0x1F) << 6) | (u(1) & 0x3F);
    if (utf8.size() == 3) c = ((u(0) & 0x0F) << 12) | ((u(1) & 0x3F) << 6) | (u(2) & 0x3F);
    EXPECT_EQ(c, expected[b - 0x80]) << std::hex << b;
  }
}

// The five bytes without a character stand for the C1 controls of the same
// number, so that any stored text prints and reads back unchanged.
TEST(TextEncoding, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string back;
  EncodingError error;
  ASSERT_TRUE(utf8ToCp1252(cp1252ToUtf8(all), back, error));
  EXPECT_EQ(back, all);
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    const std::string utf8 = cp1252ToUtf8(std::string(1, static_cast<char>(b)));
    EXPECT_EQ(utf8, std::string({static_cast<char>(0xC2), static_cast<char>(b)})) << int(b);
  }
}

TEST(TextEncoding, NamesTheCharacterWindows1252CannotHold) {
  struct Case {
    std::string utf8;
    std::size_t offset;
    char32_t codePoint;
  };
  const std::vector<Case> cases = {
      {"ab\xE2\x82\xBD", 2, 0x20BD},      // rouble sign
      {"\xC2\x80", 0, 0x80},               // a C1 control that 0x80 does not stand for
      {"\xC4\x80x", 0, 0x100},
      {"\xC3\xA9\xCE\xB1", 2, 0x3B1},     // offset counts UTF-8 bytes
      {"x\xF0\x9F\x98\x80", 1, 0x1F600},
  };
  for (const auto& c : cases) {
    std::string out;
    EncodingError error;
    EXPECT_FALSE(utf8ToCp1252(c.utf8, out, error)) << c.utf8;
    EXPECT_EQ(error.offset, c.offset) << c.utf8;
    EXPECT_EQ(error.codePoint, c.codePoint) << c.utf8;
  }
}

TEST(TextEncoding, RejectsMalformedUtf8AtTheBadSequence) {
  struct Case {
    std::string utf8;
    std::size_t offset;
  };
  const std::vector<Case> cases = {
      {"ab\xE9", 2},                 // a Windows-1252 byte, not UTF-8
      {"a\x80", 1},                  // stray continuation byte
      {"\xC3", 0},                   // cut short
      {"a\xE2\x82", 1},
      {"\xC3(", 0},                  // continuation missing
      {"\xC0\xAF", 0},               // overlong
      {"\xE0\x80\xAF", 0},
      {"\xED\xA0\x80", 0},           // surrogate
      {"\xF4\x90\x80\x80", 0},       // beyond U+10FFFF
      {"\xFF", 0},
  };
  for (const auto& c : cases) {
    std::string out;
    EncodingError error{99, 99};
    EXPECT_FALSE(utf8ToCp1252(c.utf8, out, error)) << c.offset;
    EXPECT_EQ(error.offset, c.offset);
    EXPECT_EQ(error.codePoint, 0u);
  }
}

}  // namespace
}  // namespace mirvo::cli
