#pragma once
// The answer sheet: one CR LF line per answer box, in the current directory,
// named after the executable. Read once while the question panel is built,
// written on close, on F2 and by the header's "Sauver".

#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "quiz/quiz_content.h"

namespace mirvo {

// The executable's file name with "txt" for its last three characters.
std::string answerSheetName();

// Writes one line per answer box 4001 to 4000 + A x N of the panel (the quiz
// is app.quiz). The sheet is replaced only once the whole text is written;
// a panel without any answer box leaves an existing sheet alone.
void saveAnswerSheet(HWND questionPanel);

// A read-only view of the whole sheet, held open (shared for reading) while
// the panel is built. Without a sheet, or for an empty one, bytes is empty.
struct AnswerSheetView {
  HANDLE file = INVALID_HANDLE_VALUE;
  HANDLE mapping = nullptr;
  const char* data = nullptr;
  std::size_t size = 0;
  std::span<const char> bytes() const { return {data, size}; }
};

AnswerSheetView openAnswerSheet();
// Copies the line at `position` into `line` (zero-terminated, at most 259
// bytes) and moves `position` to the next line; empty lines past the end.
void nextSheetLine(const AnswerSheetView& sheet, std::size_t& position, char (&line)[kTextSlotSize]);
// Releases the view, the mapping and the file; safe on an empty view.
void closeAnswerSheet(AnswerSheetView& sheet);

// The write behind saveAnswerSheet: `content` goes to a temporary file next
// to `path`, which then replaces `path`. On any failure `path` is left as it
// was and the temporary file is removed. `write` is WriteFile but for tests.
using FileWriteFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
bool replaceFileContents(const char* path, std::string_view content, FileWriteFunction write = ::WriteFile);

}  // namespace mirvo
