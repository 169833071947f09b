#pragma once
// Reading the answer sheet line by line, over the bytes of the whole file.
// Portable: the Win32 side maps the file and hands the bytes in.

#include <cstddef>
#include <span>
#include <string_view>

namespace mirvo {

struct SheetLine {
  // At most kMaxTextLength bytes: what an answer box is ever read back with.
  std::string_view text;
  // Where the following line starts; equals the sheet size past its end.
  std::size_t next = 0;
};

// The line that starts at `position`. Only CR ends a line; everything from
// that CR up to and including the next LF is passed over, so LF-only line
// ends stay inside the text. A line longer than kMaxTextLength bytes is cut
// there and the rest of it skipped, so the lines after it keep their boxes.
SheetLine readSheetLine(std::span<const char> sheet, std::size_t position);

}  // namespace mirvo
