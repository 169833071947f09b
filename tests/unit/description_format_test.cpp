#include "quiz/description_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quiz/lzw_codec.h"

namespace {

using namespace mirvo;
using Bytes = std::vector<std::uint8_t>;
using namespace std::string_literals;

Bytes bytesOf(std::string_view s) { return Bytes(s.begin(), s.end()); }
std::string textOf(const Bytes& b) { return std::string(b.begin(), b.end()); }

// Header bytes (lead, type + 1, count, answers) followed by the rest.
Bytes description(std::initializer_list<std::uint8_t> head, std::string_view rest) {
  Bytes b(head);
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

QuizContent quizOf(QuizType type, int answers, RevealMode reveal, int count) {
  QuizContent q;
  q.leadByte = 0xA7;
  q.type = type;
  q.answersPerQuestion = answers;
  q.revealMode = reveal;
  q.title = "Quiz d'\xE9t\xE9";
  q.creator = " Cr\xE9" "ateur";
  q.quizExplanation = "Trouvez les r\xE9ponses.";
  q.columnLabel1 = answers == 2 ? "Pr\xE9nom - Nom" : "";
  q.columnLabel2 = answers == 2 ? "Manga / Anime" : "";
  q.backgroundRed = 0;
  q.backgroundGreen = 255;
  q.backgroundBlue = 0x7C;  // the separator byte, where it is not one
  for (int i = 0; i < count; ++i) {
    QuestionContent qq;
    qq.answer1 = "r\xE9ponse " + std::to_string(i);
    if (answers == 2) qq.answer2 = i % 2 == 0 ? "" : "seconde " + std::to_string(i);
    qq.questionText = i % 3 == 0 ? "" : "Question " + std::to_string(i) + " ?";
    if (reveal == RevealMode::ExplanationText || reveal == RevealMode::TextAndPicture)
      qq.explanation = i % 2 == 0 ? "Parce que " + std::to_string(i) : "";
    if (reveal == RevealMode::TextAndPicture) qq.revealExtra = i % 4 == 1 ? "" : "extra";
    q.questions.push_back(qq);
    q.rewardCodes.push_back(i % 5 == 2 ? "" : "CODE-" + std::to_string(i) + "\xE9");
  }
  return q;
}

std::vector<QuizContent> roundTripQuizzes() {
  std::vector<QuizContent> quizzes;
  for (QuizType type : {QuizType::Text, QuizType::Picture, QuizType::Audio, QuizType::Video})
    for (int answers : {1, 2})
      for (int mode : {0, 1, 2, 3, 200}) quizzes.push_back(quizOf(type, answers, static_cast<RevealMode>(mode), 3));
  quizzes.push_back(quizOf(QuizType::Text, 2, RevealMode::TextAndPicture, 0));
  quizzes.push_back(quizOf(QuizType::Picture, 2, RevealMode::TextAndPicture, kMaxQuestions));

  QuizContent empty;  // every text empty, one question of empty fields
  empty.answersPerQuestion = 2;
  empty.revealMode = RevealMode::TextAndPicture;
  empty.questions.resize(1);
  empty.rewardCodes.resize(1);
  quizzes.push_back(empty);

  QuizContent full = quizOf(QuizType::Audio, 2, RevealMode::TextAndPicture, 2);
  const std::string longest(kMaxTextLength, '\xFF');
  for (std::string* t : {&full.title, &full.creator, &full.quizExplanation, &full.columnLabel1, &full.columnLabel2})
    *t = longest;
  for (auto& q : full.questions) q.answer1 = q.answer2 = q.questionText = q.explanation = q.revealExtra = longest;
  full.rewardCodes.assign(2, longest);
  quizzes.push_back(full);
  return quizzes;
}

std::string nameOf(const QuizContent& q) {
  return "type " + std::to_string(static_cast<int>(q.type)) + ", " + std::to_string(q.answersPerQuestion) +
         " answers, reveal " + std::to_string(static_cast<int>(q.revealMode)) + ", " +
         std::to_string(q.questions.size()) + " questions";
}

TEST(DescriptionFormat, WriterLaysOutTheDocumentedBytes) {
  QuizContent q;
  q.leadByte = 9;
  q.type = QuizType::Picture;
  q.answersPerQuestion = 2;
  q.revealMode = RevealMode::TextAndPicture;
  q.title = "T";
  q.creator = "C";
  q.columnLabel1 = "L1";
  q.columnLabel2 = "L2";
  q.questions = {{"a1", "a2", "q", "e", "x"}, {"b1", "", "", "", ""}};
  q.backgroundRed = 53;
  q.backgroundGreen = 203;
  q.backgroundBlue = 163;
  q.rewardCodes = {"R\xE9" "compense"};

  Bytes out;
  ASSERT_EQ(writeDescription(q, out), WriteStatus::Ok);
  EXPECT_EQ(out, description({9, 2, 2, 2}, "T|C||L1|L2|a1|a2|q|b1|||\x03" "e|x|||\x35\xCB\xA3"));
  ASSERT_EQ(writeRewardCodes(q, out), WriteStatus::Ok);
  EXPECT_EQ(textOf(out), "R\xE9" "compense\r\n\r\n");

  // One answer and no explanations: the colour follows the reveal byte.
  q.answersPerQuestion = 1;
  q.revealMode = RevealMode::AnswerPicture;
  q.questions = {{"a1", "", "q", "", ""}};
  ASSERT_EQ(writeDescription(q, out), WriteStatus::Ok);
  EXPECT_EQ(out, description({9, 2, 1, 1}, "T|C||L1|L2|a1|q|\x01\x35\xCB\xA3"));
}

TEST(DescriptionFormat, ReaderGivesBackWhatTheWriterWrote) {
  for (const QuizContent& quiz : roundTripQuizzes()) {
    SCOPED_TRACE(nameOf(quiz));
    Bytes desc, codes;
    ASSERT_EQ(writeDescription(quiz, desc), WriteStatus::Ok);
    ASSERT_EQ(writeRewardCodes(quiz, codes), WriteStatus::Ok);
    QuizContent back;
    ASSERT_EQ(readDescription(desc, back), ReadStatus::Ok);
    ASSERT_EQ(readRewardCodes(codes, back), ReadStatus::Ok);
    EXPECT_EQ(back, quiz);
  }
}

TEST(DescriptionFormat, RoundTripSurvivesPacking) {
  for (const QuizContent& quiz : roundTripQuizzes()) {
    SCOPED_TRACE(nameOf(quiz));
    Bytes desc, codes, packedDesc, packedCodes, unpacked;
    ASSERT_EQ(writeDescription(quiz, desc), WriteStatus::Ok);
    ASSERT_EQ(writeRewardCodes(quiz, codes), WriteStatus::Ok);
    ASSERT_EQ(lzw::pack(desc, packedDesc), lzw::kOk);
    QuizContent back;
    ASSERT_EQ(lzw::unpack(packedDesc, unpacked), lzw::kOk);
    ASSERT_EQ(readDescription(unpacked, back), ReadStatus::Ok);
    if (!codes.empty()) {
      ASSERT_EQ(lzw::pack(codes, packedCodes), lzw::kOk);
      ASSERT_EQ(lzw::unpack(packedCodes, unpacked), lzw::kOk);
    } else {
      unpacked.clear();
    }
    ASSERT_EQ(readRewardCodes(unpacked, back), ReadStatus::Ok);
    EXPECT_EQ(back, quiz);
  }
}

TEST(DescriptionFormat, MissingTrailingCodesComeBackAsEmptyCodes) {
  QuizContent quiz = quizOf(QuizType::Text, 1, RevealMode::None, 4);
  quiz.rewardCodes = {"un"};
  Bytes codes;
  ASSERT_EQ(writeRewardCodes(quiz, codes), WriteStatus::Ok);
  EXPECT_EQ(textOf(codes), "un\r\n\r\n\r\n\r\n");
  ASSERT_EQ(readRewardCodes(codes, quiz), ReadStatus::Ok);
  EXPECT_EQ(quiz.rewardCodes, (std::vector<std::string>{"un", "", "", ""}));
}

TEST(DescriptionReader, AcceptsWhatThePlayerHasAlwaysAccepted) {
  const struct {
    const char* name;
    Bytes bytes;
    RevealMode reveal;
    std::string title;
    std::string explanation;
  } rows[] = {
      {"zero bytes inside a field are dropped", description({0, 1, 1, 1}, "T\0i\0t|||||a|q|\0\1\2\3"s),
       RevealMode::None, "Tit", ""},
      {"bytes after the colour are not read", description({0, 1, 1, 1}, "T|||||a|q|\x02" "e|\x01\x02\x03garbage"),
       RevealMode::ExplanationText, "T", "e"},
      {"an unknown reveal mode reads no explanation", description({0, 1, 1, 1}, "T|||||a|q|\x07\x01\x02\x03"),
       static_cast<RevealMode>(7), "T", ""},
      {"259 bytes plus dropped zeros still fit",
       description({0, 1, 1, 1}, std::string(259, 'x') + std::string(3, '\0') + "|||||a|q|\x00\x01\x02\x03"s),
       RevealMode::None, std::string(259, 'x'), ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QuizContent quiz;
    ASSERT_EQ(readDescription(row.bytes, quiz), ReadStatus::Ok);
    EXPECT_EQ(quiz.title, row.title);
    EXPECT_EQ(quiz.revealMode, row.reveal);
    ASSERT_EQ(quiz.questions.size(), 1u);
    EXPECT_EQ(quiz.questions[0].explanation, row.explanation);
    EXPECT_EQ(quiz.backgroundBlue, 3);
  }
}

TEST(DescriptionReader, RefusesDamagedDescriptionsAndLeavesTheQuizAlone) {
  const std::string fields = "T|C|E|L1|L2|";
  const std::string tooLong(260, 'x');
  const struct {
    const char* name;
    Bytes bytes;
    ReadStatus status;
  } rows[] = {
      {"empty", {}, ReadStatus::EndsEarly},
      {"only the lead byte", {0}, ReadStatus::EndsEarly},
      {"ends before the answer count", {0, 1, 1}, ReadStatus::EndsEarly},
      {"type byte 0", description({0, 0, 1, 1}, fields + "a|q|\0\1\2\3"s), ReadStatus::BadType},
      {"type byte 5", description({0, 5, 1, 1}, fields + "a|q|\0\1\2\3"s), ReadStatus::BadType},
      {"97 questions", description({0, 1, 97, 1}, fields), ReadStatus::TooManyQuestions},
      {"255 questions", description({0, 1, 255, 1}, fields), ReadStatus::TooManyQuestions},
      {"answers byte 0", description({0, 1, 1, 0}, fields + "a|q|\0\1\2\3"s), ReadStatus::BadAnswerCount},
      {"answers byte 3", description({0, 1, 1, 3}, fields + "a|b|c|q|\0\1\2\3"s), ReadStatus::BadAnswerCount},
      {"header texts lack a separator", description({0, 1, 0, 1}, "T|C|E|L1|L2"), ReadStatus::EndsEarly},
      {"fewer question fields than the count", description({0, 1, 2, 2}, fields + "a|b|q|a|b|"),
       ReadStatus::EndsEarly},
      {"ends before the reveal byte", description({0, 1, 1, 1}, fields + "a|q|"), ReadStatus::EndsEarly},
      {"explanation missing", description({0, 1, 2, 1}, fields + "a|q|a|q|\x02" "e|"), ReadStatus::EndsEarly},
      {"second reveal field missing", description({0, 1, 1, 1}, fields + "a|q|\x03" "e|"), ReadStatus::EndsEarly},
      {"colour cut short", description({0, 1, 1, 1}, fields + "a|q|" + std::string("\0\1\2", 3)),
       ReadStatus::EndsEarly},
      {"title of 260 bytes", description({0, 1, 0, 1}, tooLong + "|C|E|L1|L2|\0\1\2\3"s), ReadStatus::FieldTooLong},
      {"answer of 260 bytes", description({0, 1, 1, 1}, fields + tooLong + "|q|\0\1\2\3"s), ReadStatus::FieldTooLong},
      {"explanation of 260 bytes", description({0, 1, 1, 1}, fields + "a|q|\x02" + tooLong + "|\1\2\3"),
       ReadStatus::FieldTooLong},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QuizContent quiz = quizOf(QuizType::Video, 2, RevealMode::TextAndPicture, 2);
    const QuizContent before = quiz;
    EXPECT_EQ(readDescription(row.bytes, quiz), row.status);
    EXPECT_EQ(quiz, before);
  }
}

TEST(DescriptionReader, RefusesDamagedCodeListsAndLeavesTheCodesAlone) {
  const struct {
    const char* name;
    std::string bytes;
    ReadStatus status;
    std::vector<std::string> codes;  // read when Ok
  } rows[] = {
      {"two lines and one not read", "un\r\ndeux\r\ntrois\r\n", ReadStatus::Ok, {"un", "deux"}},
      {"LF alone is part of a code, zero bytes dropped", "u\nn\r\nd\0eux\r\n"s, ReadStatus::Ok,
       {"u\nn", "deux"}},
      {"a code of 259 bytes", "un\r\n" + std::string(259, 'c') + "\r\n", ReadStatus::Ok,
       {"un", std::string(259, 'c')}},
      {"empty list", "", ReadStatus::EndsEarly, {}},
      {"one line short", "un\r\n", ReadStatus::EndsEarly, {}},
      {"last CR missing", "un\r\ndeux", ReadStatus::EndsEarly, {}},
      {"last LF missing", "un\r\ndeux\r", ReadStatus::EndsEarly, {}},
      {"CR followed by another byte", "un\rX\r\ndeux\r\n", ReadStatus::BadLineEnd, {}},
      {"a code of 260 bytes", "un\r\n" + std::string(260, 'c') + "\r\n", ReadStatus::FieldTooLong, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QuizContent quiz = quizOf(QuizType::Text, 1, RevealMode::None, 2);
    quiz.rewardCodes = {"avant"};
    EXPECT_EQ(readRewardCodes(bytesOf(row.bytes), quiz), row.status);
    EXPECT_EQ(quiz.rewardCodes, row.status == ReadStatus::Ok ? row.codes : std::vector<std::string>{"avant"});
  }

  QuizContent noQuestions;
  noQuestions.rewardCodes = {"x"};
  EXPECT_EQ(readRewardCodes({}, noQuestions), ReadStatus::Ok);
  EXPECT_TRUE(noQuestions.rewardCodes.empty());
}

TEST(DescriptionWriter, RefusesWhatTheFormatCannotHold) {
  using Change = void (*)(QuizContent&);
  const struct {
    const char* name;
    Change change;
    WriteStatus description;  // writeDescription's answer
    WriteStatus codes;        // writeRewardCodes' answer
  } rows[] = {
      {"separator in the title", [](QuizContent& q) { q.title = "a|b"; }, WriteStatus::SeparatorInText,
       WriteStatus::Ok},
      {"separator in an explanation", [](QuizContent& q) { q.questions[1].explanation = "|"; },
       WriteStatus::SeparatorInText, WriteStatus::Ok},
      {"zero byte in an answer", [](QuizContent& q) { q.questions[0].answer1 = std::string("a\0b", 3); },
       WriteStatus::ZeroInText, WriteStatus::Ok},
      {"question text of 260 bytes", [](QuizContent& q) { q.questions[0].questionText.assign(260, 'q'); },
       WriteStatus::TextTooLong, WriteStatus::Ok},
      {"column label of 260 bytes", [](QuizContent& q) { q.columnLabel2.assign(260, 'l'); },
       WriteStatus::TextTooLong, WriteStatus::Ok},
      {"type 4", [](QuizContent& q) { q.type = static_cast<QuizType>(4); }, WriteStatus::BadType, WriteStatus::Ok},
      {"type -1", [](QuizContent& q) { q.type = static_cast<QuizType>(-1); }, WriteStatus::BadType,
       WriteStatus::Ok},
      {"three answers", [](QuizContent& q) { q.answersPerQuestion = 3; }, WriteStatus::BadAnswerCount,
       WriteStatus::Ok},
      {"reveal mode 256", [](QuizContent& q) { q.revealMode = static_cast<RevealMode>(256); },
       WriteStatus::BadRevealMode, WriteStatus::Ok},
      {"97 questions", [](QuizContent& q) { q.questions.resize(97); }, WriteStatus::TooManyQuestions,
       WriteStatus::TooManyQuestions},
      {"second answer with one answer per question",
       [](QuizContent& q) {
         q.answersPerQuestion = 1;
         for (auto& qq : q.questions) qq.answer2.clear();
         q.questions[1].answer2 = "b";
       },
       WriteStatus::UnusedText, WriteStatus::Ok},
      {"explanation the reveal mode does not show",
       [](QuizContent& q) {
         q.revealMode = RevealMode::AnswerPicture;
         for (auto& qq : q.questions) qq.revealExtra.clear();
       },
       WriteStatus::UnusedText, WriteStatus::Ok},
      {"second reveal field outside mode 3",
       [](QuizContent& q) {
         q.revealMode = RevealMode::ExplanationText;
         q.questions[0].revealExtra = "x";
       },
       WriteStatus::UnusedText, WriteStatus::Ok},
      {"more codes than questions", [](QuizContent& q) { q.rewardCodes.push_back("de trop"); }, WriteStatus::Ok,
       WriteStatus::TooManyCodes},
      {"CR in a code", [](QuizContent& q) { q.rewardCodes[0] = "a\rb"; }, WriteStatus::Ok,
       WriteStatus::LineBreakInCode},
      {"LF in a code", [](QuizContent& q) { q.rewardCodes[1] = "a\n"; }, WriteStatus::Ok,
       WriteStatus::LineBreakInCode},
      {"zero byte in a code", [](QuizContent& q) { q.rewardCodes[1] = std::string("\0", 1); }, WriteStatus::Ok,
       WriteStatus::ZeroInText},
      {"code of 260 bytes", [](QuizContent& q) { q.rewardCodes[0].assign(260, 'c'); }, WriteStatus::Ok,
       WriteStatus::TextTooLong},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QuizContent quiz = quizOf(QuizType::Text, 2, RevealMode::TextAndPicture, 2);
    row.change(quiz);
    Bytes out{1, 2, 3};
    EXPECT_EQ(writeDescription(quiz, out), row.description);
    if (row.description != WriteStatus::Ok) {
      EXPECT_TRUE(out.empty());
    }
    out = {1, 2, 3};
    EXPECT_EQ(writeRewardCodes(quiz, out), row.codes);
    if (row.codes != WriteStatus::Ok) {
      EXPECT_TRUE(out.empty());
    }
  }
}

}  // namespace
