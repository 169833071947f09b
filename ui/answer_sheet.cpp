#include "ui/answer_sheet.h"

#include <algorithm>

#include "quiz/quiz_model.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"
#include "ui/sheet_lines.h"
#include "ui/sheet_name.h"

namespace mirvo {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTemporarySuffix = ".tmp";

bool writeAll(HANDLE file, std::string_view content, FileWriteFunction write) {
  while (!content.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
    DWORD written = 0;
    if (!write(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::string answerSheetName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return sheetNameForModule(std::string_view(path, std::min<DWORD>(length, sizeof path - 1)));
}

bool replaceFileContents(const char* path, std::string_view content, FileWriteFunction write) {
  // A fixed name next to the sheet: a write killed half-way leaves at most
  // this file behind, and the next save overwrites it.
  const std::string temporary = std::string(path) + std::string(kTemporarySuffix);
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = writeAll(file, content, write) && FlushFileBuffers(file);
  written = CloseHandle(file) && written;
  if (written && MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporary.c_str());
  return false;
}

void saveAnswerSheet(HWND questionPanel) {
  const Quiz* quiz = app.quiz;
  if (!quiz) return;
  // A panel built without rows (a media quiz without its player) never read
  // the sheet; writing blanks over it would throw the player's answers away.
  if (!GetDlgItem(questionPanel, kAnswerBoxBase + 1)) return;

  const int boxes = quiz->answersPerQuestion * quiz->questionCount;
  std::string content;
  content.reserve(static_cast<std::size_t>(std::max(boxes, 0)) * (kTextSlotSize + kLineEnd.size()));
  for (int k = 1; k <= boxes; ++k) {
    // A box that the layout did not create (a text quiz with two answers per
    // question has one box per question) gives an empty line, so the sheet
    // keeps its A x N lines.
    char text[kTextSlotSize] = {};
    GetDlgItemTextA(questionPanel, kAnswerBoxBase + k, text, sizeof text);
    content += text;
    content += kLineEnd;
  }
  replaceFileContents(answerSheetName().c_str(), content);
}

AnswerSheetView openAnswerSheet() {
  AnswerSheetView sheet;
  sheet.file = CreateFileA(answerSheetName().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (sheet.file == INVALID_HANDLE_VALUE) return sheet;
  const DWORD size = GetFileSize(sheet.file, nullptr);
  if (size == INVALID_FILE_SIZE || size == 0) return sheet;
  sheet.mapping = CreateFileMappingA(sheet.file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!sheet.mapping) return sheet;
  sheet.data = static_cast<const char*>(MapViewOfFile(sheet.mapping, FILE_MAP_READ, 0, 0, 0));
  if (sheet.data) sheet.size = size;
  return sheet;
}

void nextSheetLine(const AnswerSheetView& sheet, std::size_t& position, char (&line)[kTextSlotSize]) {
  const SheetLine read = readSheetLine(sheet.bytes(), position);
  const std::size_t length = std::min(read.text.size(), kMaxTextLength);
  std::copy_n(read.text.data(), length, line);
  line[length] = '\0';
  position = read.next;
}

void closeAnswerSheet(AnswerSheetView& sheet) {
  if (sheet.data) UnmapViewOfFile(sheet.data);
  if (sheet.mapping) CloseHandle(sheet.mapping);
  if (sheet.file != INVALID_HANDLE_VALUE) CloseHandle(sheet.file);
  sheet = AnswerSheetView{};
}

}  // namespace mirvo
