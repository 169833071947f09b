#include <gtest/gtest.h>

#include <string>

#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"

namespace mirvo {
namespace {

COLORREF brushColour(HBRUSH brush) {
  LOGBRUSH info{};
  if (GetObjectA(brush, sizeof info, &info) != sizeof info) return CLR_INVALID;
  return info.lbColor;
}

LOGFONTA fontOf(HFONT font) {
  LOGFONTA info{};
  GetObjectA(font, sizeof info, &info);
  return info;
}

TEST(QuizModel, StartsWithTheConstructionValues) {
  Quiz quiz;
  EXPECT_EQ(quiz.type, QuizType::Text);
  EXPECT_STREQ(quiz.title, "nom du mirvo");
  EXPECT_STREQ(quiz.creator, " createur");
  EXPECT_STREQ(quiz.quizExplanation, "");
  EXPECT_STREQ(quiz.columnLabel1, "");
  EXPECT_STREQ(quiz.columnLabel2, "");
  EXPECT_EQ(quiz.questionCount, 2);
  EXPECT_EQ(quiz.answersPerQuestion, 1);
  EXPECT_EQ(quiz.revealMode, RevealMode::None);
  EXPECT_EQ(quiz.head, nullptr);
  EXPECT_EQ(quiz.tail, nullptr);
  EXPECT_EQ(quiz.answerFont, nullptr);
  EXPECT_EQ(quiz.headerPanel, nullptr);
  EXPECT_STREQ(quiz.mediaPrefix, "");
  EXPECT_EQ(quiz.backgroundRed, 90);
  EXPECT_EQ(quiz.backgroundGreen, 95);
  EXPECT_EQ(quiz.backgroundBlue, 150);
  for (const auto& code : quiz.rewardCodes) EXPECT_STREQ(code, "");

  const LOGFONTA score = fontOf(quiz.scoreFont);
  EXPECT_EQ(score.lfHeight, 25);
  EXPECT_EQ(score.lfWeight, 400);
  EXPECT_STREQ(score.lfFaceName, "");
}

TEST(QuizModel, MakesTheSixBrushesInTheirColours) {
  Quiz quiz;
  const struct {
    HBRUSH brush;
    COLORREF colour;
  } rows[] = {
      {quiz.backgroundBrush, 0x00965F5A}, {quiz.wrongBrush, 0x000000FF},    {quiz.rightBrush, 0x0000FF00},
      {quiz.anagramBrush, 0x000064FF},    {quiz.hintBrush, 0x0026CBFF},     {quiz.questionLabelBrush, 0x00C0FFFF},
  };
  for (const auto& row : rows) EXPECT_EQ(brushColour(row.brush), row.colour);
}

TEST(QuizModel, DestructionReleasesTheBrushesButNotTheFonts) {
  HBRUSH brushes[6];
  HFONT scoreFont;
  HFONT answerFont;
  {
    Quiz quiz;
    quiz.addQuestion("a", "b", "c");
    answerFont = quiz.createAnswerFont();
    scoreFont = quiz.scoreFont;
    HBRUSH own[] = {quiz.backgroundBrush, quiz.wrongBrush, quiz.rightBrush,
                    quiz.anagramBrush,    quiz.hintBrush,  quiz.questionLabelBrush};
    std::copy(std::begin(own), std::end(own), brushes);
  }
  for (HBRUSH brush : brushes) EXPECT_EQ(GetObjectType(brush), 0u) << "brush still alive";
  EXPECT_EQ(GetObjectType(scoreFont), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetObjectType(answerFont), static_cast<DWORD>(OBJ_FONT));
}

TEST(QuizModel, AnswerFontIsFifteenHighWeightHundred) {
  Quiz quiz;
  HFONT font = quiz.createAnswerFont();
  EXPECT_EQ(quiz.answerFont, font);
  const LOGFONTA info = fontOf(font);
  EXPECT_EQ(info.lfHeight, 15);
  EXPECT_EQ(info.lfWeight, 100);
}

TEST(QuizModel, KeepsRecordsInTheOrderAdded) {
  Quiz quiz;
  quiz.addQuestion("one", "", "first");
  quiz.addQuestion("two", "deux", "second");
  quiz.addQuestion("three", "", "third");
  ASSERT_NE(quiz.head, nullptr);
  EXPECT_EQ(quiz.head->prev, nullptr);
  EXPECT_EQ(quiz.tail->next, nullptr);
  const char* order[] = {"first", "second", "third"};
  const QuizQuestion* node = quiz.head;
  const QuizQuestion* before = nullptr;
  for (const char* text : order) {
    ASSERT_NE(node, nullptr);
    EXPECT_STREQ(node->questionText, text);
    EXPECT_EQ(node->prev, before);
    EXPECT_STREQ(node->explanation, "");
    before = node;
    node = node->next;
  }
  EXPECT_EQ(before, quiz.tail);
  EXPECT_STREQ(quiz.head->answer2, "");
  EXPECT_STREQ(quiz.head->next->answer2, "deux");
}

TEST(QuizModel, QuestionAtGivesTheLastRecordBeyondTheList) {
  Quiz quiz;
  EXPECT_EQ(quiz.questionAt(0), nullptr);
  quiz.addQuestion("a", "", "first");
  quiz.addQuestion("b", "", "second");
  const struct {
    int position;
    const char* text;
  } rows[] = {{0, "first"}, {1, "second"}, {2, "second"}, {6, "second"}, {95, "second"}, {-1, "second"}};
  for (const auto& row : rows) {
    const QuizQuestion* q = quiz.questionAt(row.position);
    ASSERT_NE(q, nullptr) << row.position;
    EXPECT_STREQ(q->questionText, row.text) << "position " << row.position;
  }
}

TEST(QuizModel, SlotsHoldAtMost259BytesAndDropZeroBytes) {
  char slot[kTextSlotSize];
  const struct {
    std::string text;
    std::string kept;
  } rows[] = {
      {std::string(259, 'x'), std::string(259, 'x')},
      {std::string(300, 'y'), std::string(259, 'y')},
      {std::string("a\0b", 3), "ab"},
      {"", ""},
  };
  for (const auto& row : rows) {
    std::fill(std::begin(slot), std::end(slot), '#');
    copyIntoSlot(slot, row.text);
    EXPECT_EQ(std::string(slot), row.kept);
  }
}

TEST(QuizModel, DemonstrationQuizRepeatsItsSecondRecord) {
  Quiz quiz;
  fillDemonstrationQuiz(quiz);
  ASSERT_NE(quiz.head, nullptr);
  EXPECT_EQ(quiz.questionAt(0), quiz.head);
  for (int k = 1; k < quiz.questionCount; ++k) EXPECT_EQ(quiz.questionAt(k), quiz.tail) << k;
  EXPECT_NE(quiz.head, quiz.tail);
  EXPECT_EQ(quiz.backgroundColor, 0x00A3CB35u);
}

}  // namespace
}  // namespace mirvo
