#pragma once
// Judging an answer box: verdict, reveal, score and reward code.

#include <windows.h>

namespace mirvo {

struct Quiz;

void judgeAnswerBox(Quiz& quiz, HWND questionPanel, int boxId);
void recountScore(Quiz& quiz, HWND questionPanel);

}  // namespace mirvo
