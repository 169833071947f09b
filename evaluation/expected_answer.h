#pragma once
// The expected answer of one answer box of the player's quiz. Win32 layer
// (the Quiz holds GDI objects); the arithmetic is answerSlotFor.

#include "quiz/quiz_content.h"

namespace mirvo {

struct Quiz;
struct QuizQuestion;

struct ExpectedAnswer {
  int questionPosition = 0;              // counted from 0
  const QuizQuestion* question = nullptr;  // null only when the quiz holds no record
  char answer[kTextSlotSize] = {};       // copy of answer1 or answer2; empty without a record
};

// A position beyond the records gives the last record, as questionAt does.
// A quiz without records gives a null record and an empty answer, so the box
// is judged against an empty expected answer instead of reading nothing.
ExpectedAnswer expectedAnswerFor(const Quiz& quiz, int boxId);

}  // namespace mirvo
