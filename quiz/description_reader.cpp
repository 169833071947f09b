// Reads the unpacked quiz description and reward-code list. Every read is
// checked against the end of the bytes; the result is built aside and only
// handed over whole.
#include <algorithm>
#include <utility>

#include "quiz/description_format.h"

namespace mirvo {
namespace {

constexpr std::uint8_t kSeparator = '|';
constexpr std::uint8_t kCr = '\r';
constexpr std::uint8_t kLf = '\n';

class Cursor {
 public:
  explicit Cursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool byte(std::uint8_t& value) {
    if (pos_ >= bytes_.size()) return false;
    value = bytes_[pos_++];
    return true;
  }

  // The bytes up to `end`, past the terminator; zero bytes are dropped, as a
  // zero-terminated slot would lose them anyway.
  ReadStatus text(std::uint8_t end, std::string& out) {
    const auto rest = bytes_.subspan(pos_);
    const auto stop = std::find(rest.begin(), rest.end(), end);
    if (stop == rest.end()) return ReadStatus::EndsEarly;
    out.clear();
    for (auto it = rest.begin(); it != stop; ++it) {
      if (*it == 0) continue;
      if (out.size() == kMaxTextLength) return ReadStatus::FieldTooLong;
      out.push_back(static_cast<char>(*it));
    }
    pos_ += static_cast<std::size_t>(stop - rest.begin()) + 1;
    return ReadStatus::Ok;
  }

  ReadStatus field(std::string& out) { return text(kSeparator, out); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
};

#define MIRVO_TRY(expr)                                          \
  do {                                                           \
    if (const ReadStatus s_ = (expr); s_ != ReadStatus::Ok) return s_; \
  } while (0)

ReadStatus parseDescription(std::span<const std::uint8_t> bytes, QuizContent& quiz) {
  Cursor in(bytes);
  std::uint8_t typeByte = 0, count = 0, answers = 0, reveal = 0;
  if (!in.byte(quiz.leadByte) || !in.byte(typeByte)) return ReadStatus::EndsEarly;
  if (typeByte < 1 || typeByte > 4) return ReadStatus::BadType;
  if (!in.byte(count)) return ReadStatus::EndsEarly;
  if (count > kMaxQuestions) return ReadStatus::TooManyQuestions;
  if (!in.byte(answers)) return ReadStatus::EndsEarly;
  if (answers != 1 && answers != 2) return ReadStatus::BadAnswerCount;
  quiz.type = static_cast<QuizType>(typeByte - 1);
  quiz.answersPerQuestion = answers;

  for (std::string* text : {&quiz.title, &quiz.creator, &quiz.quizExplanation, &quiz.columnLabel1, &quiz.columnLabel2})
    MIRVO_TRY(in.field(*text));

  quiz.questions.resize(count);
  for (QuestionContent& q : quiz.questions) {
    MIRVO_TRY(in.field(q.answer1));
    if (answers == 2) MIRVO_TRY(in.field(q.answer2));
    MIRVO_TRY(in.field(q.questionText));
  }

  if (!in.byte(reveal)) return ReadStatus::EndsEarly;
  quiz.revealMode = static_cast<RevealMode>(reveal);
  if (quiz.revealMode == RevealMode::ExplanationText || quiz.revealMode == RevealMode::TextAndPicture) {
    for (QuestionContent& q : quiz.questions) {
      MIRVO_TRY(in.field(q.explanation));
      if (quiz.revealMode == RevealMode::TextAndPicture) MIRVO_TRY(in.field(q.revealExtra));
    }
  }

  if (!in.byte(quiz.backgroundRed) || !in.byte(quiz.backgroundGreen) || !in.byte(quiz.backgroundBlue))
    return ReadStatus::EndsEarly;
  return ReadStatus::Ok;
}

}  // namespace

ReadStatus readDescription(std::span<const std::uint8_t> bytes, QuizContent& quiz) {
  QuizContent read;
  const ReadStatus status = parseDescription(bytes, read);
  if (status == ReadStatus::Ok) quiz = std::move(read);
  return status;
}

ReadStatus readRewardCodes(std::span<const std::uint8_t> bytes, QuizContent& quiz) {
  if (quiz.questions.size() > static_cast<std::size_t>(kMaxQuestions)) return ReadStatus::TooManyQuestions;
  std::vector<std::string> codes(quiz.questions.size());
  Cursor in(bytes);
  for (std::string& code : codes) {
    MIRVO_TRY(in.text(kCr, code));
    std::uint8_t lf = 0;
    if (!in.byte(lf)) return ReadStatus::EndsEarly;
    if (lf != kLf) return ReadStatus::BadLineEnd;
  }
  quiz.rewardCodes = std::move(codes);
  return ReadStatus::Ok;
}

std::string_view describe(ReadStatus status) {
  switch (status) {
    case ReadStatus::Ok: return "read";
    case ReadStatus::EndsEarly: return "the data ends early (a number, a \"|\" or a CR LF is missing)";
    case ReadStatus::FieldTooLong: return "a field or code is longer than 259 bytes";
    case ReadStatus::BadType: return "the layout type byte is outside 1 to 4";
    case ReadStatus::BadAnswerCount: return "the answers-per-question byte is neither 1 nor 2";
    case ReadStatus::TooManyQuestions: return "more than 96 questions";
    case ReadStatus::BadLineEnd: return "a code line ends with CR but no LF";
  }
  return "unknown read status";
}

#undef MIRVO_TRY

}  // namespace mirvo
