#include "evaluation/expected_answer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quiz/quiz_model.h"

namespace mirvo {
namespace {

struct Case {
  int boxId;
  int position;
  int record;  // which record is expected (counted from 0), -1 for none
  std::string answer;
};

void expectAnswers(const Quiz& quiz, const std::vector<const QuizQuestion*>& records, const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    const ExpectedAnswer got = expectedAnswerFor(quiz, c.boxId);
    EXPECT_EQ(got.questionPosition, c.position) << c.boxId;
    EXPECT_EQ(got.question, c.record < 0 ? nullptr : records[c.record]) << c.boxId;
    EXPECT_EQ(std::string(got.answer), c.answer) << c.boxId;
  }
}

TEST(ExpectedAnswerFor, OneAnswerPerQuestion) {
  Quiz quiz;
  quiz.addQuestion("Paris", "", "Capitale de la France ?");
  quiz.addQuestion("Rome", "", "Capitale de l'Italie ?");
  quiz.questionCount = 5;  // more than the records: the last record answers
  expectAnswers(quiz, {quiz.head, quiz.tail},
                {{4001, 0, 0, "Paris"}, {4002, 1, 1, "Rome"}, {4005, 4, 1, "Rome"}});
}

TEST(ExpectedAnswerFor, TwoAnswersPerQuestion) {
  Quiz quiz;
  quiz.answersPerQuestion = 2;
  quiz.addQuestion("Hugo", "Victor", "");
  quiz.addQuestion("Zola", "\xC9mile", "");
  expectAnswers(quiz, {quiz.head, quiz.tail},
                {{4001, 0, 0, "Hugo"}, {4002, 0, 0, "Victor"}, {4003, 1, 1, "Zola"}, {4004, 1, 1, "\xC9mile"}});
}

TEST(ExpectedAnswerFor, QuizWithoutRecordsGivesAnEmptyAnswer) {
  Quiz quiz;  // what a failed unpack leaves: a count of 2 and no record
  expectAnswers(quiz, {}, {{4001, 0, -1, ""}, {4002, 1, -1, ""}});
}

}  // namespace
}  // namespace mirvo
