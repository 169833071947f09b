#include "cli/text_encoding.h"

#include <array>
#include <cstdint>

namespace mirvo::cli {
namespace {

// Bytes 0x80-0x9F. The five bytes that Windows-1252 leaves undefined (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same number, as the
// Windows conversion does: every stored byte then prints and reads back
// unchanged, and no other C1 control is accepted.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t byteToCodePoint(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kHighControls[b - 0x80];
  return b;  // ASCII and Latin-1 0xA0-0xFF coincide with Unicode
}

// -1 when the character has no byte.
int codePointToByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    // Every Windows-1252 character lies in the basic plane.
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes one character at `pos`; false for malformed input (stray or missing
// continuation bytes, overlong forms, surrogates, beyond U+10FFFF).
bool decodeUtf8(std::string_view s, std::size_t& pos, char32_t& c) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  std::size_t extra = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    c = lead;
    ++pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, least = 0x80, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, least = 0x800, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, least = 0x10000, c = lead & 0x07;
  } else {
    return false;
  }
  if (s.size() - pos <= extra) return false;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(s[pos + k]);
    if ((b & 0xC0) != 0x80) return false;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  pos += extra + 1;
  return true;
}

}  // namespace

bool utf8ToCp1252(std::string_view utf8, std::string& out, EncodingError& error) {
  out.clear();
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    char32_t c = 0;
    if (!decodeUtf8(utf8, pos, c)) {
      error = {start, 0};
      return false;
    }
    const int b = codePointToByte(c);
    if (b < 0) {
      error = {start, c};
      return false;
    }
    out.push_back(static_cast<char>(b));
  }
  return true;
}

std::string cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() * 2);
  for (char b : cp1252) appendUtf8(out, byteToCodePoint(static_cast<unsigned char>(b)));
  return out;
}

}  // namespace mirvo::cli
