// Reading a whole answer sheet of arbitrary bytes line by line, as the
// question panel does for its boxes: every line lies inside the sheet, fits
// an answer box, holds no CR, and the reader always moves on, so a panel of
// any size ends.
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "quiz/quiz_content.h"
#include "ui/sheet_lines.h"

using namespace mirvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const char> sheet(reinterpret_cast<const char*>(data), size);
  std::size_t position = 0;
  // One more line than the sheet can hold: the reader must keep giving
  // empty lines past its end.
  for (std::size_t line = 0; line <= size + 1; ++line) {
    const SheetLine read = readSheetLine(sheet, position);
    FUZZ_CHECK(read.text.size() <= kMaxTextLength);
    FUZZ_CHECK(read.next <= size);
    if (position >= size) {
      FUZZ_CHECK(read.text.empty() && read.next == size);
    } else {
      FUZZ_CHECK(read.text.data() == sheet.data() + position);
      FUZZ_CHECK(read.next > position);
      for (char c : read.text) FUZZ_CHECK(c != '\r');
    }
    position = read.next;
  }
  FUZZ_CHECK(position == size);
  return 0;
}
