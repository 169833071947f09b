#pragma once
// Answer boxes: the subclass procedure (judging on focus loss and Enter,
// selecting on focus, page keys, F1 and F2), F1 spreading and the wheel rule.

#include <windows.h>

namespace mirvo {

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
// Copies the text of `box` into every answer box whose result is not "BRAVO",
// judging each through its focus loss, then gives the focus back to `box`.
void spreadAnswer(HWND box);
// One notch up or down (exactly 120 or -120) posts a line scroll to `target`;
// any other distance does nothing. lParam is not used.
void translateWheel(HWND target, WPARAM wParam, LPARAM lParam);

}  // namespace mirvo
