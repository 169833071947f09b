// Writes the quiz description and reward-code list the reader takes back:
// whatever the format cannot hold is refused, never cut.
#include <algorithm>

#include "quiz/description_format.h"

namespace mirvo {
namespace {

WriteStatus checkText(std::string_view text) {
  if (text.find('|') != std::string_view::npos) return WriteStatus::SeparatorInText;
  if (text.find('\0') != std::string_view::npos) return WriteStatus::ZeroInText;
  if (text.size() > kMaxTextLength) return WriteStatus::TextTooLong;
  return WriteStatus::Ok;
}

WriteStatus checkCode(std::string_view code) {
  if (code.find_first_of("\r\n") != std::string_view::npos) return WriteStatus::LineBreakInCode;
  if (code.find('\0') != std::string_view::npos) return WriteStatus::ZeroInText;
  if (code.size() > kMaxTextLength) return WriteStatus::TextTooLong;
  return WriteStatus::Ok;
}

bool holdsExplanations(RevealMode mode) {
  return mode == RevealMode::ExplanationText || mode == RevealMode::TextAndPicture;
}

WriteStatus checkQuiz(const QuizContent& quiz) {
  const auto type = static_cast<std::int32_t>(quiz.type);
  if (type < 0 || type > 3) return WriteStatus::BadType;
  if (quiz.answersPerQuestion != 1 && quiz.answersPerQuestion != 2) return WriteStatus::BadAnswerCount;
  if (quiz.questions.size() > static_cast<std::size_t>(kMaxQuestions)) return WriteStatus::TooManyQuestions;
  const auto reveal = static_cast<std::int32_t>(quiz.revealMode);
  if (reveal < 0 || reveal > 255) return WriteStatus::BadRevealMode;

  for (const std::string* text :
       {&quiz.title, &quiz.creator, &quiz.quizExplanation, &quiz.columnLabel1, &quiz.columnLabel2}) {
    if (const WriteStatus s = checkText(*text); s != WriteStatus::Ok) return s;
  }
  const bool twoAnswers = quiz.answersPerQuestion == 2;
  const bool explanations = holdsExplanations(quiz.revealMode);
  const bool extras = quiz.revealMode == RevealMode::TextAndPicture;
  for (const QuestionContent& q : quiz.questions) {
    for (const std::string* text : {&q.answer1, &q.answer2, &q.questionText, &q.explanation, &q.revealExtra}) {
      if (const WriteStatus s = checkText(*text); s != WriteStatus::Ok) return s;
    }
    if ((!twoAnswers && !q.answer2.empty()) || (!explanations && !q.explanation.empty()) ||
        (!extras && !q.revealExtra.empty()))
      return WriteStatus::UnusedText;
  }
  return WriteStatus::Ok;
}

void putField(std::vector<std::uint8_t>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back('|');
}

}  // namespace

WriteStatus writeDescription(const QuizContent& quiz, std::vector<std::uint8_t>& out) {
  out.clear();
  if (const WriteStatus s = checkQuiz(quiz); s != WriteStatus::Ok) return s;

  out.push_back(quiz.leadByte);
  out.push_back(static_cast<std::uint8_t>(static_cast<std::int32_t>(quiz.type) + 1));
  out.push_back(static_cast<std::uint8_t>(quiz.questions.size()));
  out.push_back(static_cast<std::uint8_t>(quiz.answersPerQuestion));
  for (const std::string* text :
       {&quiz.title, &quiz.creator, &quiz.quizExplanation, &quiz.columnLabel1, &quiz.columnLabel2})
    putField(out, *text);
  for (const QuestionContent& q : quiz.questions) {
    putField(out, q.answer1);
    if (quiz.answersPerQuestion == 2) putField(out, q.answer2);
    putField(out, q.questionText);
  }
  out.push_back(static_cast<std::uint8_t>(quiz.revealMode));
  if (holdsExplanations(quiz.revealMode)) {
    for (const QuestionContent& q : quiz.questions) {
      putField(out, q.explanation);
      if (quiz.revealMode == RevealMode::TextAndPicture) putField(out, q.revealExtra);
    }
  }
  out.push_back(quiz.backgroundRed);
  out.push_back(quiz.backgroundGreen);
  out.push_back(quiz.backgroundBlue);
  return WriteStatus::Ok;
}

WriteStatus writeRewardCodes(const QuizContent& quiz, std::vector<std::uint8_t>& out) {
  out.clear();
  if (quiz.questions.size() > static_cast<std::size_t>(kMaxQuestions)) return WriteStatus::TooManyQuestions;
  if (quiz.rewardCodes.size() > quiz.questions.size()) return WriteStatus::TooManyCodes;
  for (const std::string& code : quiz.rewardCodes) {
    if (const WriteStatus s = checkCode(code); s != WriteStatus::Ok) return s;
  }
  for (std::size_t i = 0; i < quiz.questions.size(); ++i) {
    if (i < quiz.rewardCodes.size()) out.insert(out.end(), quiz.rewardCodes[i].begin(), quiz.rewardCodes[i].end());
    out.push_back('\r');
    out.push_back('\n');
  }
  return WriteStatus::Ok;
}

std::string_view describe(WriteStatus status) {
  switch (status) {
    case WriteStatus::Ok: return "written";
    case WriteStatus::SeparatorInText: return "a text holds \"|\", which the format uses as its separator";
    case WriteStatus::TextTooLong: return "a text or code is longer than 259 bytes";
    case WriteStatus::LineBreakInCode: return "a reward code holds a CR or LF";
    case WriteStatus::TooManyQuestions: return "more than 96 questions";
    case WriteStatus::TooManyCodes: return "more reward codes than questions";
    case WriteStatus::BadAnswerCount: return "answers per question must be 1 or 2";
    case WriteStatus::BadType: return "the layout type must be Text, Picture, Audio or Video";
    case WriteStatus::ZeroInText: return "a text or code holds a zero byte";
    case WriteStatus::UnusedText:
      return "a second answer, explanation or second reveal field has no place with this answer count or reveal mode";
    case WriteStatus::BadRevealMode: return "the reveal mode does not fit in one byte";
  }
  return "unknown write status";
}

}  // namespace mirvo
