#pragma once
// Reader and writer of the unpacked quiz description ("PATCH" 104) and of the
// reward-code list ("PATCH" 105). Portable: no Windows header.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "quiz/quiz_content.h"

namespace mirvo {

enum class ReadStatus {
  Ok,
  EndsEarly,          // the bytes end inside a number or before a "|" / CR
  FieldTooLong,       // a field or code line of more than 259 bytes
  BadType,            // type byte outside 1..4
  BadAnswerCount,     // answers byte other than 1 or 2
  TooManyQuestions,   // more than 96
};

enum class WriteStatus {
  Ok,
  SeparatorInText,    // a "|" in a field
  TextTooLong,        // a field or code over 259 bytes
  LineBreakInCode,    // a CR or LF in a reward code
  TooManyQuestions,
  TooManyCodes,       // more codes than questions
  BadAnswerCount,
  BadType,
};

// Fills quiz from the unpacked description. Never reads outside bytes.
ReadStatus readDescription(std::span<const std::uint8_t> bytes, QuizContent& quiz);
// Fills quiz.rewardCodes from the unpacked code list; reads one line per
// question of quiz.questions.
ReadStatus readRewardCodes(std::span<const std::uint8_t> bytes, QuizContent& quiz);

WriteStatus writeDescription(const QuizContent& quiz, std::vector<std::uint8_t>& out);
WriteStatus writeRewardCodes(const QuizContent& quiz, std::vector<std::uint8_t>& out);

std::string_view describe(ReadStatus status);
std::string_view describe(WriteStatus status);

}  // namespace mirvo
