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
  BadLineEnd,         // a code line whose CR is not followed by LF
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
  ZeroInText,         // a zero byte in a field or code (the reader would drop it)
  UnusedText,         // a second answer, explanation or second reveal field the
                      // answer count or reveal mode leaves no place for
  BadRevealMode,      // outside 0..255 (one byte)
};

// Fills quiz from the unpacked description. Never reads outside bytes.
// Anything but Ok leaves quiz exactly as it was: a description is taken
// whole or not at all. On Ok every field is replaced and rewardCodes is
// emptied (the codes come from their own list). A zero byte inside a field
// is dropped; bytes after the colour are not read; a reveal-mode byte above
// 3 is kept (it reveals nothing and reads no explanation).
ReadStatus readDescription(std::span<const std::uint8_t> bytes, QuizContent& quiz);
// Fills quiz.rewardCodes from the unpacked code list; reads one CR LF line
// per question of quiz.questions, so on Ok rewardCodes holds exactly that
// many codes (empty lines are empty codes). Lines after those are not read.
// Anything but Ok leaves quiz.rewardCodes as it was.
ReadStatus readRewardCodes(std::span<const std::uint8_t> bytes, QuizContent& quiz);

// Anything but Ok leaves out empty. The code list has one line per question;
// codes missing at the end are written as empty lines.
WriteStatus writeDescription(const QuizContent& quiz, std::vector<std::uint8_t>& out);
WriteStatus writeRewardCodes(const QuizContent& quiz, std::vector<std::uint8_t>& out);

std::string_view describe(ReadStatus status);
std::string_view describe(WriteStatus status);

}  // namespace mirvo
