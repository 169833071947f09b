// One executable per fixture set: each carries its own "PATCH" resources
// (or none) and checks what loadQuiz makes of them against its row below.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quiz/quiz_loader.h"
#include "quiz/quiz_model.h"
#include "recorded_messages.h"

#ifndef MIRVO_FIXTURE
#error "each loader test executable names its fixture set"
#endif

namespace mirvo {
namespace {

using testing::MessageRecorder;
using testing::RecordedMessage;

struct ExpectedQuestion {
  std::string answer1, answer2, questionText, explanation;
};

struct LoaderCase {
  std::string fixture;
  std::vector<RecordedMessage> messages;
  QuizType type;
  int questionCount;
  int answersPerQuestion;
  RevealMode revealMode;
  std::string title, creator, quizExplanation, columnLabel1, columnLabel2;
  std::vector<ExpectedQuestion> records;
  int red, green, blue;
  std::vector<std::string> rewardCodes;  // the slots after these stay empty
};

const std::string kTitle = "Quiz d'\xE9t\xE9";
const std::string kCreator = "Cr\xE9" "ateur";
const std::string kExplanation = "Trouvez les noms";
const std::string kColumn1 = "Pr\xE9nom";
const std::string kColumn2 = "S\xE9rie";
const std::vector<std::string> kGoodCodes = {"CODE-1", "CODE-2", "CODE-3"};

const RecordedMessage kDescriptionFailed{kDescriptionUnreadable, "Mirvo"};

// What a description that cannot be used leaves: construction values, but
// no question claimed without a record.
LoaderCase unusableDescription(const char* fixture) {
  return {fixture, {kDescriptionFailed}, QuizType::Text, 0, 1, RevealMode::None, "nom du mirvo", " createur", "",
          "", "", {}, 90, 95, 150, {}};
}

LoaderCase demonstration(const char* fixture) {
  return {fixture,        {},
          QuizType::Picture, 7,
          2,              RevealMode::TextAndPicture,
          "Nom du mirvo", "Createur mirvo",
          "Explications du mirvo", "Pr\xE9nom - Nom",
          "Manga / Anime", {{"test", "test", "emplacement", ""}, {"test", "test", "emplacement", ""}},
          53,             203,
          163,            {}};
}

LoaderCase fullQuiz() {
  LoaderCase c{"full_quiz", {}, QuizType::Text, 96, 1, RevealMode::ExplanationText, std::string(259, 'T'), "", "",
               "", "", {}, 90, 95, 150, {}};
  for (int n = 1; n <= 96; ++n) {
    c.records.push_back({"r" + std::to_string(n), "", "question " + std::to_string(n), "e" + std::to_string(n)});
    c.rewardCodes.push_back((n < 10 ? "c0" : "c") + std::to_string(n));
  }
  return c;
}

std::vector<LoaderCase> loaderCases() {
  return {
      demonstration("no_patch"),
      // An empty description is treated like a missing one; the codes are
      // not even looked at.
      demonstration("empty_description"),
      unusableDescription("bad_description"),
      unusableDescription("short_description"),
      {"text_quiz", {}, QuizType::Text, 3, 1, RevealMode::None, kTitle, kCreator, kExplanation, kColumn1, kColumn2,
       {{"Paris", "", "Capitale de la France ?", ""},
        {"", "", "Question vide", ""},
        {"caf\xE9", "", "Boisson 100%d", ""}},
       10, 20, 30, kGoodCodes},
      {"picture_quiz_without_codes", {{kCodesMissing, "Mirvo"}}, QuizType::Picture, 2, 2,
       RevealMode::AnswerPicture, kTitle, kCreator, kExplanation, kColumn1, kColumn2,
       {{"Goku", "Dragon Ball", "q1", ""}, {"Luffy", "One Piece", "q2", ""}}, 200, 100, 50, {}},
      {"audio_quiz_empty_codes", {{kCodesEmpty, "Mirvo"}}, QuizType::Audio, 2, 1, RevealMode::ExplanationText,
       kTitle, kCreator, kExplanation, kColumn1, kColumn2,
       {{"Queen", "", "a1", "Groupe anglais"}, {"Abba", "", "a2", "Groupe su\xE9" "dois"}}, 1, 2, 3, {}},
      {"video_quiz_bad_codes", {{kCodesUnreadable, "Mirvo"}}, QuizType::Video, 2, 2, RevealMode::TextAndPicture,
       kTitle, kCreator, kExplanation, kColumn1, kColumn2,
       {{"Alien", "Scott", "v1", "1979"}, {"Brazil", "Gilliam", "v2", "1985"}}, 255, 254, 253, {}},
      // A mode no layout knows reveals nothing and reads no extra field; a
      // code line too long for its slot is refused as a whole.
      {"unknown_reveal_long_code", {{kCodesUnreadable, "Mirvo"}}, QuizType::Text, 1, 1, static_cast<RevealMode>(9),
       kTitle, kCreator, kExplanation, kColumn1, kColumn2, {{"un", "", "t1", ""}}, 7, 8, 9, {}},
      fullQuiz(),
  };
}

const LoaderCase& thisCase() {
  static const std::vector<LoaderCase> cases = loaderCases();
  for (const LoaderCase& c : cases) {
    if (c.fixture == MIRVO_FIXTURE) return c;
  }
  ADD_FAILURE() << "no row for fixture " << MIRVO_FIXTURE;
  return cases.front();
}

COLORREF brushColour(HBRUSH brush) {
  LOGBRUSH info{};
  if (GetObjectA(brush, sizeof info, &info) != sizeof info) return CLR_INVALID;
  return info.lbColor;
}

TEST(LoadQuiz, FillsTheQuizFromThisExecutablesResources) {
  const LoaderCase& expected = thisCase();
  MessageRecorder recorder;
  Quiz quiz;
  loadQuiz(quiz);

  EXPECT_EQ(recorder.messages(), expected.messages);
  EXPECT_EQ(quiz.type, expected.type);
  EXPECT_EQ(quiz.questionCount, expected.questionCount);
  EXPECT_EQ(quiz.answersPerQuestion, expected.answersPerQuestion);
  EXPECT_EQ(quiz.revealMode, expected.revealMode);
  EXPECT_EQ(std::string(quiz.title), expected.title);
  EXPECT_EQ(std::string(quiz.creator), expected.creator);
  EXPECT_EQ(std::string(quiz.quizExplanation), expected.quizExplanation);
  EXPECT_EQ(std::string(quiz.columnLabel1), expected.columnLabel1);
  EXPECT_EQ(std::string(quiz.columnLabel2), expected.columnLabel2);

  std::vector<const QuizQuestion*> records;
  for (const QuizQuestion* q = quiz.head; q != nullptr; q = q->next) records.push_back(q);
  ASSERT_EQ(records.size(), expected.records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(std::string(records[i]->answer1), expected.records[i].answer1);
    EXPECT_EQ(std::string(records[i]->answer2), expected.records[i].answer2);
    EXPECT_EQ(std::string(records[i]->questionText), expected.records[i].questionText);
    EXPECT_EQ(std::string(records[i]->explanation), expected.records[i].explanation);
  }
  // Every question the quiz claims reaches a record.
  for (int k = 0; k < quiz.questionCount; ++k) EXPECT_NE(quiz.questionAt(k), nullptr) << "position " << k;

  EXPECT_EQ(quiz.backgroundRed, expected.red);
  EXPECT_EQ(quiz.backgroundGreen, expected.green);
  EXPECT_EQ(quiz.backgroundBlue, expected.blue);
  const COLORREF colour = RGB(expected.red, expected.green, expected.blue);
  EXPECT_EQ(brushColour(quiz.backgroundBrush), colour);
  if (expected.fixture != "bad_description" && expected.fixture != "short_description") {
    EXPECT_EQ(quiz.backgroundColor, colour);
  }

  for (int i = 0; i < kMaxQuestions; ++i) {
    const std::string want = i < static_cast<int>(expected.rewardCodes.size()) ? expected.rewardCodes[i] : "";
    EXPECT_EQ(std::string(quiz.rewardCodes[i]), want) << "code slot " << i;
  }
}

}  // namespace
}  // namespace mirvo
