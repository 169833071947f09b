#include "ui/panel_colours.h"

#include <string_view>

#include "evaluation/verdict_words.h"
#include "quiz/quiz_model.h"
#include "ui/control_ids.h"

namespace mirvo {

namespace {

// Either colour byte above this makes the background light enough for black
// text; blue is not considered.
constexpr std::uint8_t kDarkBackgroundLimit = 59;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

INT_PTR brush(HBRUSH b) { return reinterpret_cast<INT_PTR>(b); }

bool inBoxRange(const Quiz& quiz, int id, int base) {
  return id > base && id <= base + quiz.answersPerQuestion * quiz.questionCount;
}

INT_PTR onPlainLabel(const Quiz& quiz, HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  const bool light = quiz.backgroundRed > kDarkBackgroundLimit || quiz.backgroundGreen > kDarkBackgroundLimit;
  SetTextColor(dc, light ? kBlack : kWhite);
  return brush(quiz.backgroundBrush);
}

HBRUSH verdictBrush(const Quiz& quiz, std::string_view shown) {
  if (shown == verdict::kAnagram) return quiz.anagramBrush;
  if (shown == verdict::kRight) return quiz.rightBrush;
  if (shown == verdict::kWrong) return quiz.wrongBrush;
  if (shown == verdict::kNothingTyped) return nullptr;
  return quiz.hintBrush;
}

// A coloured label keeps the default text colour; its text is drawn
// transparently so the verdict colour fills the whole label, not only the
// parts around the letters.
INT_PTR onColouredLabel(HDC dc, HBRUSH b) {
  if (b) SetBkMode(dc, TRANSPARENT);
  return brush(b);
}

INT_PTR onResultLabel(const Quiz& quiz, HWND panel, HDC dc, int id) {
  char shown[kTextSlotSize] = {};
  GetWindowTextA(GetDlgItem(panel, id), shown, sizeof shown);
  return onColouredLabel(dc, verdictBrush(quiz, shown));
}

}  // namespace

INT_PTR onPanelCtlColorStatic(const Quiz& quiz, HWND panel, HDC dc, HWND control) {
  const int id = static_cast<int>(GetWindowLongA(control, GWL_ID));
  if (id == kNumberLabelId || id == kColumnLabelId || inBoxRange(quiz, id, kExplanationLabelBase)) {
    return onPlainLabel(quiz, dc);
  }
  if (inBoxRange(quiz, id, kResultLabelBase)) return onResultLabel(quiz, panel, dc, id);
  if (id == kQuestionLabelId) return onColouredLabel(dc, quiz.questionLabelBrush);
  return 0;
}

INT_PTR onPanelCtlColorDlg(const Quiz& quiz) { return brush(quiz.backgroundBrush); }

}  // namespace mirvo
