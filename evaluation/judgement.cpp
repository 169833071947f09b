#include "evaluation/judgement.h"

#include <cstdio>
#include <string_view>

#include "evaluation/answer_matcher.h"
#include "evaluation/expected_answer.h"
#include "evaluation/verdict_words.h"
#include "media/picture_fit.h"
#include "media/picture_loader.h"
#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/control_ids.h"

namespace mirvo {

namespace {

// Shown in the code box while nothing is right.
constexpr const char* kNoRewardCode = "      ";

struct ControlText {
  char text[kTextSlotSize] = {};
  std::string_view view() const { return text; }
};

ControlText readControl(HWND parent, int id) {
  ControlText out;
  GetDlgItemTextA(parent, id, out.text, sizeof out.text);
  return out;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

int answersPerQuestion(const Quiz& quiz) { return quiz.answersPerQuestion == 2 ? 2 : 1; }

int firstBoxOf(const Quiz& quiz, int position) { return kAnswerBoxBase + position * answersPerQuestion(quiz) + 1; }

// Unlike the matcher, nothing is trimmed here: a blank around an otherwise
// right answer still scores but reveals nothing.
bool answeredExactly(const Quiz& quiz, HWND panel, int position, const QuizQuestion& question) {
  for (int j = 1; j <= answersPerQuestion(quiz); ++j) {
    const ControlText typed = readControl(panel, firstBoxOf(quiz, position) + j - 1);
    if (!equalIgnoringAsciiCase(typed.view(), j == 1 ? question.answer1 : question.answer2)) return false;
  }
  return true;
}

void showAnswerPicture(HWND panel, int position) {
  HWND pictureBox = GetDlgItem(panel, kPictureBoxBase + position + 1);
  // Without a picture box (text and media layouts) a loaded bitmap would
  // have no owner; do not load one.
  if (!pictureBox) return;
  HBITMAP picture = loadFittedPicture(nullptr, MIRVO_ANSWER_PICTURE_BASE + position + 1, MIRVO_MEDIA_TYPE,
                                      kPictureBoxSize, kPictureBoxSize);
  if (!picture) return;
  auto shown = reinterpret_cast<HGDIOBJ>(SendMessageA(pictureBox, STM_GETIMAGE, IMAGE_BITMAP, 0));
  SendMessageA(pictureBox, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
  // Deleted only once the box no longer shows it.
  if (shown && shown != picture) DeleteObject(shown);
}

}  // namespace

void revealAnswer(const Quiz& quiz, HWND questionPanel, int position, const QuizQuestion& question) {
  const bool text = quiz.revealMode == RevealMode::ExplanationText || quiz.revealMode == RevealMode::TextAndPicture;
  const bool picture = quiz.revealMode == RevealMode::AnswerPicture || quiz.revealMode == RevealMode::TextAndPicture;
  if (text) SetDlgItemTextA(questionPanel, kExplanationLabelBase + position + 1, question.explanation);
  if (picture) showAnswerPicture(questionPanel, position);
}

void judgeAnswerBox(Quiz& quiz, HWND questionPanel, int boxId, ScoreUpdate update) {
  const ExpectedAnswer expected = expectedAnswerFor(quiz, boxId);
  const ControlText typed = readControl(questionPanel, boxId);
  const std::string_view verdictWord = matchAnswer(expected.answer, typed.view());
  const bool right = verdictWord == verdict::kRight;
  if (right && quiz.revealMode != RevealMode::None && expected.question &&
      answeredExactly(quiz, questionPanel, expected.questionPosition, *expected.question)) {
    revealAnswer(quiz, questionPanel, expected.questionPosition, *expected.question);
  }
  if (!right) SetDlgItemTextA(questionPanel, kExplanationLabelBase + expected.questionPosition + 1, "");
  // Verdict views are of string literals, so data() is zero-terminated.
  SetDlgItemTextA(questionPanel, boxId + kResultLabelOffset, verdictWord.data());
  if (update == ScoreUpdate::Now) recountScore(quiz, questionPanel);
}

void recountScore(const Quiz& quiz, HWND questionPanel) {
  const int perQuestion = answersPerQuestion(quiz);
  int score = 0;
  for (int position = 0; position < quiz.questionCount; ++position) {
    int right = 0;
    for (int j = 0; j < perQuestion; ++j) {
      const int label = firstBoxOf(quiz, position) + j + kResultLabelOffset;
      if (readControl(questionPanel, label).view() == verdict::kRight) ++right;
    }
    if (right == perQuestion) ++score;
  }
  char scoreText[32];
  std::snprintf(scoreText, sizeof scoreText, " %d / %d", score, static_cast<int>(quiz.questionCount));
  SetDlgItemTextA(quiz.headerPanel, kScoreLabelId, scoreText);
  // A count above the 96 slots cannot reach past the last code.
  const bool hasCode = score >= 1 && score <= kMaxQuestions;
  SetDlgItemTextA(quiz.headerPanel, kCodeBoxId, hasCode ? quiz.rewardCodes[score - 1] : kNoRewardCode);
}

}  // namespace mirvo
