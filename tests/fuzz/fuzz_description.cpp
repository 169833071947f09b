// The description reader on arbitrary unpacked bytes. What it accepts must
// hold only what the player's slots can take, and must write back to a
// description that reads to the same quiz.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "quiz/description_format.h"

using namespace mirvo;

namespace {

bool fitsSlot(const std::string& text) {
  return text.size() <= kMaxTextLength && text.find('\0') == std::string::npos &&
         text.find('|') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QuizContent quiz;
  quiz.title = "before";
  const QuizContent before = quiz;
  const ReadStatus status = readDescription(std::span<const std::uint8_t>(data, size), quiz);
  if (status != ReadStatus::Ok) {
    FUZZ_CHECK(quiz == before);
    return 0;
  }

  FUZZ_CHECK(quiz.questions.size() <= static_cast<std::size_t>(kMaxQuestions));
  FUZZ_CHECK(static_cast<int>(quiz.type) >= 0 && static_cast<int>(quiz.type) <= 3);
  FUZZ_CHECK(quiz.answersPerQuestion == 1 || quiz.answersPerQuestion == 2);
  FUZZ_CHECK(quiz.rewardCodes.empty());
  for (const std::string* text : {&quiz.title, &quiz.creator, &quiz.quizExplanation, &quiz.columnLabel1,
                                  &quiz.columnLabel2})
    FUZZ_CHECK(fitsSlot(*text));
  for (const QuestionContent& q : quiz.questions) {
    FUZZ_CHECK(fitsSlot(q.answer1) && fitsSlot(q.answer2) && fitsSlot(q.questionText) &&
               fitsSlot(q.explanation) && fitsSlot(q.revealExtra));
    if (quiz.answersPerQuestion == 1) FUZZ_CHECK(q.answer2.empty());
  }

  std::vector<std::uint8_t> written;
  FUZZ_CHECK(writeDescription(quiz, written) == WriteStatus::Ok);
  QuizContent again;
  FUZZ_CHECK(readDescription(written, again) == ReadStatus::Ok);
  FUZZ_CHECK(again == quiz);
  return 0;
}
