#pragma once
// UTF-8 <-> Windows-1252, for everything the authoring tool takes from or
// gives to a person (command line, quiz sources, printed TOML). Portable.

#include <cstddef>
#include <string>
#include <string_view>

namespace mirvo::cli {

struct EncodingError {
  std::size_t offset = 0;   // byte offset in the UTF-8 input
  char32_t codePoint = 0;   // the character that has no Windows-1252 byte (0: malformed UTF-8)
};

// False (and error filled) for malformed UTF-8 or a character outside Windows-1252.
bool utf8ToCp1252(std::string_view utf8, std::string& out, EncodingError& error);
std::string cp1252ToUtf8(std::string_view cp1252);

}  // namespace mirvo::cli
