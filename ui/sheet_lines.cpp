#include "ui/sheet_lines.h"

#include <algorithm>

#include "quiz/quiz_content.h"

namespace mirvo {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
}  // namespace

SheetLine readSheetLine(std::span<const char> sheet, std::size_t position) {
  const std::size_t size = sheet.size();
  std::size_t at = std::min(position, size);
  const std::size_t start = at;
  while (at < size && sheet[at] != kCr) ++at;
  const std::size_t length = std::min(at - start, kMaxTextLength);
  while (at < size && sheet[at] != kLf) ++at;
  // Past the LF, or one past the end: a caller at or beyond the end keeps
  // getting empty lines.
  const std::size_t next = at < size ? at + 1 : size;
  return {std::string_view(sheet.data() + start, length), next};
}

}  // namespace mirvo
