#include "ui/answer_sheet.h"

namespace mirvo {

// Placeholder until the answer sheet lands: saving writes nothing yet.
void saveAnswerSheet(HWND) {}

}  // namespace mirvo
