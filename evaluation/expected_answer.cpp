#include "evaluation/expected_answer.h"

#include <cstring>

#include "evaluation/answer_matcher.h"
#include "quiz/quiz_model.h"

namespace mirvo {

ExpectedAnswer expectedAnswerFor(const Quiz& quiz, int boxId) {
  const AnswerSlot slot = answerSlotFor(quiz.answersPerQuestion, boxId);
  ExpectedAnswer out;
  out.questionPosition = slot.questionPosition;
  out.question = quiz.questionAt(slot.questionPosition);
  if (out.question == nullptr) return out;
  const char* source = slot.answerNumber == 2 ? out.question->answer2 : out.question->answer1;
  // Bounded even if a slot lost its terminating zero.
  const std::size_t length = strnlen(source, kMaxTextLength);
  std::memcpy(out.answer, source, length);
  out.answer[length] = '\0';
  return out;
}

}  // namespace mirvo
