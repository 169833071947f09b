#include "ui/answer_box.h"

namespace mirvo {

// Placeholders until key handling lands: boxes behave as plain edits.
LRESULT CALLBACK answerBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(box, message, wParam, lParam);
}

void translateWheel(HWND, WPARAM, LPARAM) {}

}  // namespace mirvo
