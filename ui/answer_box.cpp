#include "ui/answer_box.h"

#include <string_view>

#include "evaluation/judgement.h"
#include "evaluation/verdict_words.h"
#include "quiz/quiz_model.h"
#include "ui/answer_sheet.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"
#include "ui/question_panel.h"

namespace mirvo {

namespace {

// A box's whole text, as far as it is ever read back.
constexpr LPARAM kSelectionEnd = static_cast<LPARAM>(kTextSlotSize);
constexpr WORD kWheelNotchUp = 120;
constexpr WORD kWheelNotchDown = static_cast<WORD>(-120);

LRESULT passOn(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(editClassProc, box, message, wParam, lParam);
}

void judge(HWND box) {
  if (app.quiz) judgeAnswerBox(*app.quiz, GetParent(box), GetDlgCtrlID(box));
}

LRESULT onSetFocus(HWND box, WPARAM wParam, LPARAM lParam) {
  SendMessageA(box, EM_SETSEL, 0, kSelectionEnd);
  return passOn(box, WM_SETFOCUS, wParam, lParam);
}

LRESULT onKillFocus(HWND box, WPARAM wParam, LPARAM lParam) {
  judge(box);
  return passOn(box, WM_KILLFOCUS, wParam, lParam);
}

// Key releases, and key presses with Alt held (so those repeat while held).
LRESULT onKey(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (wParam) {
    case VK_RETURN:
      // The edit never sees this key: it would beep on a single-line box.
      judge(box);
      return 1;
    case VK_PRIOR:
    case VK_UP:
      SendMessageA(GetParent(box), WM_VSCROLL, SB_PAGEUP, 0);
      break;
    case VK_NEXT:
    case VK_DOWN:
      SendMessageA(GetParent(box), WM_VSCROLL, SB_PAGEDOWN, 0);
      break;
    case VK_F1:
      spreadAnswer(box);
      break;
    case VK_F2:
      saveAnswerSheet(GetParent(box));
      break;
    default:
      break;
  }
  return passOn(box, message, wParam, lParam);
}

LRESULT onChar(HWND box, WPARAM wParam, LPARAM lParam) {
  // Enter and Tab belong to the dialog keyboard handling; the edit would
  // only beep at them.
  if (wParam == '\r' || wParam == '\t') return 0;
  return passOn(box, WM_CHAR, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      return onSetFocus(box, wParam, lParam);
    case WM_KILLFOCUS:
      return onKillFocus(box, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
      return onKey(box, message, wParam, lParam);
    case WM_CHAR:
      return onChar(box, wParam, lParam);
    default:
      return passOn(box, message, wParam, lParam);
  }
}

void spreadAnswer(HWND box) {
  if (!app.quiz) return;
  HWND panel = GetParent(box);
  char text[kTextSlotSize] = {};
  GetWindowTextA(box, text, sizeof text);
  const int boxes = app.quiz->answersPerQuestion * app.quiz->questionCount;
  for (int k = 1; k <= boxes; ++k) {
    char result[kTextSlotSize] = {};
    GetDlgItemTextA(panel, kResultLabelBase + k, result, sizeof result);
    if (std::string_view(result) == verdict::kRight) continue;
    HWND target = GetDlgItem(panel, kAnswerBoxBase + k);
    // A text quiz with two answers has only one box per question; focusing
    // a missing box would leave the keyboard focus nowhere.
    if (!target) continue;
    SetDlgItemTextA(panel, kAnswerBoxBase + k, text);
    SetFocus(target);
  }
  SetFocus(box);
}

void translateWheel(HWND target, WPARAM wParam, LPARAM) {
  const WORD distance = HIWORD(wParam);
  if (distance == kWheelNotchUp) PostMessageA(target, WM_VSCROLL, SB_LINEUP, 0);
  if (distance == kWheelNotchDown) PostMessageA(target, WM_VSCROLL, SB_LINEDOWN, 0);
}

}  // namespace mirvo
