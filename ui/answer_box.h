#pragma once
// Answer boxes: the subclass procedure, F1 spreading and the wheel rule.

#include <windows.h>

namespace mirvo {

LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
void translateWheel(HWND target, WPARAM wParam, LPARAM lParam);

}  // namespace mirvo
