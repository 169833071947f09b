#pragma once
// The answer sheet: one CR LF line per answer box, in the current directory,
// named after the executable.

#include <windows.h>

namespace mirvo {

void saveAnswerSheet(HWND questionPanel);

}  // namespace mirvo
