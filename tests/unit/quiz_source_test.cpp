// Quiz sources: reading (defaults, Windows-1252 bytes, errors with file:line:),
// writing them back, and the whole path source -> executable -> source.
#include "cli/quiz_source.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/pe_resource_writer.h"
#include "cli/quiz_resources.h"
#include "quiz/description_format.h"
#include "quiz/lzw_codec.h"

namespace mirvo::cli {
namespace {

const std::filesystem::path kData = std::filesystem::path(MIRVO_SOURCE_DIR) / "tests" / "data" / "authoring";

std::vector<std::uint8_t> readFixture(const std::string& name) {
  std::ifstream in(kData / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Parsed {
  bool ok;
  QuizSource source;
  std::string error;
};

Parsed parse(const std::string& text) {
  Parsed p;
  p.ok = parseQuizSource(text, "q.toml", kData, p.source, p.error);
  return p;
}

TEST(QuizSource, ReadsEveryKeyAsWindows1252) {
  const Parsed p = parse(
      "title = \"Capitales d'Europe\"\n"
      "creator = \"Atelier g\xC3\xA9o\"\n"
      "explanation = \"Donnez la capitale.\"\n"
      "layout = \"picture\"\n"
      "answers = 2\n"
      "reveal = \"both\"\n"
      "background = \"#0a1B2c\"\n"
      "columns = [\"Pr\xC3\xA9nom - Nom\", \"Manga / Anime\"]\n"
      "codes = [\"\xE2\x82\xAC" "1\", \"\"]\n"
      "[[question]]\n"
      "text = \"France\"\n"
      "answer = \"Paris\"\n"
      "answer2 = \"Lut\xC3\xA8" "ce\"\n"
      "explanation = \"Depuis 508.\"\n"
      "media = \"red.jpg\"\n"
      "answer_picture = \"green.gif\"\n"
      "[[question]]\n"
      "answer = \"Roma\"\n"
      "answer2 = \"\"\n");
  ASSERT_TRUE(p.ok) << p.error;
  const QuizContent& q = p.source.content;
  EXPECT_EQ(q.title, "Capitales d'Europe");
  EXPECT_EQ(q.creator, "Atelier g\xE9o");
  EXPECT_EQ(q.quizExplanation, "Donnez la capitale.");
  EXPECT_EQ(q.type, QuizType::Picture);
  EXPECT_EQ(q.answersPerQuestion, 2);
  EXPECT_EQ(q.revealMode, RevealMode::TextAndPicture);
  EXPECT_EQ(q.backgroundRed, 0x0A);
  EXPECT_EQ(q.backgroundGreen, 0x1B);
  EXPECT_EQ(q.backgroundBlue, 0x2C);
  EXPECT_EQ(q.columnLabel1, "Pr\xE9nom - Nom");
  EXPECT_EQ(q.columnLabel2, "Manga / Anime");
  EXPECT_EQ(q.rewardCodes, (std::vector<std::string>{"\x80" "1", ""}));
  ASSERT_EQ(q.questions.size(), 2u);
  EXPECT_EQ(q.questions[0], (QuestionContent{"Paris", "Lut\xE8" "ce", "France", "Depuis 508.", ""}));
  EXPECT_EQ(q.questions[1], (QuestionContent{"Roma", "", "", "", ""}));
  ASSERT_EQ(p.source.media.size(), 2u);
  EXPECT_EQ(p.source.media[0].question, 1);
  EXPECT_EQ(p.source.media[0].role, MediaRole::Question);
  EXPECT_EQ(p.source.media[0].bytes, readFixture("red.jpg"));
  EXPECT_EQ(p.source.media[1].role, MediaRole::AnswerPicture);
  EXPECT_EQ(p.source.media[1].bytes, readFixture("green.gif"));
}

TEST(QuizSource, LeftOutKeysTakeTheirDefaults) {
  const Parsed p = parse("title = \"T\"\n[[question]]\nanswer = \"a\"\n");
  ASSERT_TRUE(p.ok) << p.error;
  QuizContent expected;
  expected.title = "T";
  expected.questions = {QuestionContent{"a", "", "", "", ""}};
  EXPECT_EQ(p.source.content, expected);  // text layout, 1 answer, reveal none, #5A5F96, no codes
  EXPECT_TRUE(p.source.media.empty());
}

TEST(QuizSource, ErrorsNameFileLineAndWhatIsWrong) {
  const std::string q = "[[question]]\nanswer = \"a\"\n";
  std::string many = "title = \"T\"\n";
  for (int i = 0; i < 97; ++i) many += q;
  struct Row {
    std::string text;
    std::string expected;  // the start of the message
  };
  const Row rows[] = {
      {"title = \"T\"\ncolour = 1\n" + q, "q.toml:2: unknown key \"colour\""},
      {"title = \"T\"\n" + q + "picture = \"x\"\n", "q.toml:4: unknown key \"picture\" in question 1"},
      {"title = \"T\n" + q, "q.toml:1: "},  // TOML syntax
      {q, "q.toml:1: the quiz has no title"},
      {"title = \"T\"\n", "q.toml:1: the quiz has no [[question]]"},
      {"title = 5\n" + q, "q.toml:1: title must be a text in quotes"},
      {"title = \"\xE4\xB8\xAD\"\n" + q, "q.toml:1: title: the character U+4E2D has no Windows-1252 byte"},
      {"title = \"a|b\"\n" + q, "q.toml:1: title: a \"|\" cannot be part of a text"},
      {"title = \"a\\u0000b\"\n" + q, "q.toml:1: title: a zero character"},
      {"title = \"" + std::string(260, 'x') + "\"\n" + q, "q.toml:1: title is 260 bytes in Windows-1252; at most 259"},
      {"title = \"" + std::string(130, '\xC3') + "\"\n" + q, "q.toml:1: "},  // bad UTF-8: toml++ refuses it
      {"title = \"T\"\nlayout = \"grid\"\n" + q, "q.toml:2: unknown layout \"grid\" (text, picture, audio or video)"},
      {"title = \"T\"\nreveal = \"all\"\n" + q, "q.toml:2: unknown reveal \"all\""},
      {"title = \"T\"\nanswers = 3\n" + q, "q.toml:2: answers must be 1 or 2"},
      {"title = \"T\"\nanswers = \"2\"\n" + q, "q.toml:2: answers must be 1 or 2"},
      {"title = \"T\"\nbackground = \"5A5F96\"\n" + q, "q.toml:2: background must be \"#RRGGBB\""},
      {"title = \"T\"\nbackground = \"#5A5F9G\"\n" + q, "q.toml:2: background must be"},
      {"title = \"T\"\ncolumns = [\"a\", \"b\", \"c\"]\n" + q, "q.toml:2: columns holds at most two labels"},
      {"title = \"T\"\ncodes = [\"a\", \"b\"]\n" + q, "q.toml:2: 2 codes for 1 questions"},
      {"title = \"T\"\ncodes = [\"a\\nb\"]\n" + q, "q.toml:2: code 1: a reward code cannot hold a line break"},
      {"title = \"T\"\ncodes = [\"a\\rb\"]\n" + q, "q.toml:2: code 1: a reward code cannot hold a line break"},
      {many, "q.toml:194: more than 96 questions"},
      {"title = \"T\"\n[[question]]\ntext = \"x\"\n", "q.toml:2: question 1 has no answer"},
      {"title = \"T\"\nanswers = 2\n" + q, "q.toml:3: question 1 has no answer2"},
      {"title = \"T\"\n" + q + "answer2 = \"b\"\n", "q.toml:4: answer2 needs answers = 2"},
      {"title = \"T\"\nreveal = \"picture\"\n" + q + "explanation = \"e\"\n",
       "q.toml:5: a question's explanation is only kept with reveal"},
      {"title = \"T\"\n" + q + "media = \"red.jpg\"\n", "q.toml:4: media needs layout"},
      {"title = \"T\"\nlayout = \"picture\"\n" + q + "media = \"missing.jpg\"\n",
       "q.toml:5: cannot read the media file \"missing.jpg\""},
      {"title = \"T\"\nlayout = \"picture\"\n" + q + "media = \"fake.jpg\"\n",
       "q.toml:5: \"fake.jpg\" is not a JPEG or GIF picture"},
      {"title = \"T\"\nlayout = \"audio\"\n" + q + "answer_picture = \"beep.mp3\"\n",
       "q.toml:5: \"beep.mp3\" is not a JPEG or GIF picture"},
      {"title = \"T\"\nlayout = \"audio\"\n" + q + "media = \"blank.avi\"\n",
       "q.toml:5: \"blank.avi\": an audio quiz plays .mp3 clips"},
      {"title = \"T\"\nlayout = \"video\"\n" + q + "media = \"beep.mp3\"\n",
       "q.toml:5: \"beep.mp3\": a video quiz plays .avi clips"},
      {"title = \"T\"\n[question]\nanswer = \"a\"\n", "q.toml:2: question must be a list of [[question]] tables"},
      // A byte above 0x7F outside quotes, after texts of each kind.
      {"title = \"T\"\nr\xC3\xA9ponse = \"x\"\n" + q, "q.toml:2: a character other than plain ASCII outside quotes"},
      {"title = \"T = \"\xC3\x89videmment.\"\n" + q, "q.toml:1: a character other than plain ASCII"},
      {"title = \"T\\\\\"\xC3\xA9\n" + q, "q.toml:1: a character other than plain ASCII"},
      {"title = 'T\\'\xC3\xA9\n" + q, "q.toml:1: a character other than plain ASCII"},
      {"title = \"\"\"a\nb\"\"\"\"\"\n\xC3\xA9 = 1\n" + q, "q.toml:3: a character other than plain ASCII"},
      {"title = '''a\n'''\ncreator = \xC3\xA9\n" + q, "q.toml:3: a character other than plain ASCII"},
      {"title = \"T\n\xC3\xA9 = 1\n" + q, "q.toml:2: a character other than plain ASCII"},
      // A quote or bracket glued to a bare word: the parser would not take it as
      // the start of a text, so a character after it would be outside quotes.
      {"title = \"T\"\ncreator = x'\xC3\xA9'\n" + q, "q.toml:2: a quote or bracket in the middle of a word"},
      {"title = \"T\"\nk=99iot{'ta\xD8\xBF'}\n" + q, "q.toml:2: a quote or bracket in the middle of a word"},
      {"title = \"T\"\nk=99ic={'ta\xD8\xBF'}\n" + q, "q.toml:2: an \"=\" where a value goes"},
      {"title = \"T\"\n[[\x01]]\n" + q, "q.toml:2: a control character"},
      {"title = \"\"\"a\\\xC3\xA9\"\"\"\n" + q, "q.toml:1: a \"\\\" before a character other than plain ASCII"},
      {"title = \"\"\"a\n\\ \xC3\xA9\n\"\"\"\n" + q, "q.toml:2: a \"\\\" before a character other than plain ASCII"},
  };
  for (const Row& row : rows) {
    const Parsed p = parse(row.text);
    EXPECT_FALSE(p.ok) << row.expected;
    EXPECT_EQ(p.error.substr(0, row.expected.size()), row.expected) << p.error;
  }
}

TEST(QuizSource, AccentsAreFineInEveryKindOfTextAndInComments) {
  const std::string q = "[[question]]\nanswer = \"a\"\n";
  struct Row {
    std::string text;
    std::string title;
  };
  const Row rows[] = {
      {"title = \"\xC3\xA9t\xC3\xA9\"\n", "\xE9t\xE9"},
      {"title = \"a\\\"\xC3\xA9\"\n", "a\"\xE9"},
      {"title = '\xC3\xA9\\'\n", "\xE9\\"},
      {"title = \"\"\"\xC3\xA9\n\"\xC3\xA9\"\"\xC3\xA9\"\"\"\"\"\n", "\xE9\n\"\xE9\"\"\xE9\"\""},
      {"title = \"\"\"a\\\n  \xC3\xA9\"\"\"\n", "a\xE9"},  // a line-ending backslash
      {"title = \"\"\"a \\  \r\n\n \xC3\xA0 \\\n\xC3\xA9t\xC3\xA9\"\"\"\n", "a \xE0 \xE9t\xE9"},
      {"title = '''\xC3\xA9\n'\xC3\xA9'''\n", "\xE9\n'\xE9"},
      {"# R\xC3\xA9sum\xC3\xA9 \"\ntitle = \"T\" # \xC3\xA9t\xC3\xA9 '\n", "T"},
      {"\xEF\xBB\xBFtitle = \"T\"\n", "T"},  // byte-order mark
      {"title = 'T'\ncolumns = [ # \xC3\xA9\n  '\xC3\xA9',\n  \"b\" ]\n", "T"},
  };
  for (const Row& row : rows) {
    const Parsed p = parse(row.text + q);
    ASSERT_TRUE(p.ok) << p.error << "\n" << row.text;
    EXPECT_EQ(p.source.content.title, row.title) << row.text;
  }
}

TEST(QuizSource, TextLimitCountsWindows1252Bytes) {
  std::string e259;
  for (int i = 0; i < 259; ++i) e259 += "\xC3\xA9";  // 518 UTF-8 bytes, 259 once converted
  const Parsed p = parse("title = \"" + e259 + "\"\n[[question]]\nanswer = \"a\"\n");
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_EQ(p.source.content.title, std::string(259, '\xE9'));
}

// Sources of each layout, with the texts that need escaping in TOML.
std::vector<std::string> layoutSources() {
  return {
      "title = \"Texte \\\"cit\xC3\xA9\\\" \\\\ fin\"\ncreator = \"\"\nlayout = \"text\"\nanswers = 1\n"
      "reveal = \"explanation\"\nbackground = \"#5A5F96\"\ncodes = [\"\", \"C\xE2\x80\x99" "2\"]\n"
      "[[question]]\ntext = \"tab\\there\"\nanswer = \"a\"\nexplanation = \"ligne\\nsuivante\"\n"
      "[[question]]\nanswer = \"b\"\n",
      "title = \"Images\"\ncreator = \"c\"\nlayout = \"picture\"\nanswers = 2\nreveal = \"both\"\n"
      "background = \"#FFFFFF\"\ncolumns = [\"Un\", \"Deux\"]\n"
      "[[question]]\nanswer = \"a\"\nanswer2 = \"b\"\nmedia = \"red.jpg\"\nanswer_picture = \"green.gif\"\n"
      "[[question]]\nanswer = \"c\"\nanswer2 = \"d\"\nexplanation = \"e\"\nmedia = \"green.gif\"\n",
      "title = \"Sons\"\ncreator = \"c\"\nlayout = \"audio\"\nanswers = 1\nreveal = \"picture\"\n"
      "background = \"#000000\"\ncolumns = [\"Seule\"]\ncodes = [\"X\"]\n"
      "[[question]]\nanswer = \"a\"\nmedia = \"beep.mp3\"\nanswer_picture = \"red.jpg\"\n",
      "title = \"Films\"\ncreator = \"c\"\nlayout = \"video\"\nanswers = 1\nreveal = \"none\"\n"
      "background = \"#123456\"\n[[question]]\nanswer = \"a\"\nmedia = \"blank.avi\"\n",
  };
}

TEST(QuizSource, WrittenSourceReadsBackToTheSameQuiz) {
  for (const std::string& text : layoutSources()) {
    const Parsed p = parse(text);
    ASSERT_TRUE(p.ok) << p.error;
    const std::string written = writeQuizSource(p.source.content, p.source.media, "a note");
    EXPECT_TRUE(written.starts_with("# a note\n"));
    QuizSource again;
    std::string error;
    // The media keep the names they were read under, relative to kData.
    std::vector<MediaFile> renamed = p.source.media;
    for (MediaFile& m : renamed) m.path = m.path.filename();
    ASSERT_TRUE(parseQuizSource(writeQuizSource(p.source.content, renamed, ""), "w.toml", kData, again, error))
        << error << "\n" << written;
    EXPECT_EQ(again.content, p.source.content) << written;
    ASSERT_EQ(again.media.size(), p.source.media.size());
    for (std::size_t i = 0; i < again.media.size(); ++i) EXPECT_EQ(again.media[i].bytes, p.source.media[i].bytes);
  }
}

// Source -> resources -> a copy of tiny.exe -> resources read back -> quiz.
TEST(QuizResources, BuiltExecutableGivesBackTheQuizOfEachLayout) {
  const std::vector<std::uint8_t> player = readFixture("tiny.exe");
  for (const std::string& text : layoutSources()) {
    const Parsed p = parse(text);
    ASSERT_TRUE(p.ok) << p.error;
    ResourceChanges changes;
    std::string error;
    ASSERT_TRUE(quizResources(p.source, changes.add, error)) << error;
    std::vector<std::uint8_t> built;
    ASSERT_TRUE(writeResources(player, changes, built).ok());
    PeImage image;
    std::vector<Resource> resources;
    ASSERT_EQ(readPeImage(built, image), PeStatus::Ok);
    ASSERT_EQ(readResources(built, image, resources), PeStatus::Ok);
    InspectedQuiz found;
    ASSERT_TRUE(readQuizResources(resources, found, error)) << error;
    EXPECT_FALSE(found.demonstration);
    QuizContent expected = p.source.content;
    expected.rewardCodes.resize(expected.questions.size());  // one line per question
    EXPECT_EQ(found.content, expected) << p.source.content.title;
    ASSERT_EQ(found.media.size(), p.source.media.size());
    for (std::size_t i = 0; i < found.media.size(); ++i) {
      EXPECT_EQ(found.media[i].bytes, p.source.media[i].bytes);
      EXPECT_EQ(found.media[i].question, p.source.media[i].question);
      EXPECT_EQ(found.media[i].role, p.source.media[i].role);
    }
  }
}

// The unpacked resources hold exactly the bytes the player parses.
TEST(QuizResources, PackedResourcesUnpackToTheQuizBytes) {
  const Parsed p = parse(
      "title = \"Capitales\"\ncreator = \"g\xC3\xA9o\"\nlayout = \"text\"\nanswers = 1\nreveal = \"both\"\n"
      "background = \"#5A5F96\"\ncodes = [\"\", \"K2\"]\n"
      "[[question]]\ntext = \"France\"\nanswer = \"Paris\"\nexplanation = \"508\"\n"
      "[[question]]\ntext = \"Italie\"\nanswer = \"Rome\"\n"
      "[[question]]\ntext = \"Espagne\"\nanswer = \"Madrid\"\n");
  ASSERT_TRUE(p.ok) << p.error;
  std::vector<Resource> resources;
  std::string error;
  ASSERT_TRUE(quizResources(p.source, resources, error)) << error;
  ASSERT_EQ(resources.size(), 2u);
  std::vector<std::uint8_t> description, codes;
  ASSERT_EQ(lzw::unpack(resources[0].data, description), lzw::kOk);
  ASSERT_EQ(lzw::unpack(resources[1].data, codes), lzw::kOk);
  EXPECT_EQ(resources[0].name, ResourceId::of(104));
  EXPECT_EQ(resources[1].name, ResourceId::of(105));
  // Byte 0 is free; then type + 1, count, answers, five header fields, the
  // question groups, the reveal byte, the explanation pairs, the colour.
  const std::string expectedTail =
      std::string("\x01\x03\x01", 3) + "Capitales|g\xE9o||||" + "Paris|France|Rome|Italie|Madrid|Espagne|" + "\x03" +
      "508|||||" + "|" + "\x5A\x5F\x96";
  ASSERT_GE(description.size(), 1 + expectedTail.size());
  EXPECT_EQ(std::string(description.begin() + 1, description.begin() + 1 + expectedTail.size()), expectedTail);
  EXPECT_EQ(std::string(codes.begin(), codes.end()), "\r\nK2\r\n\r\n");
}

TEST(QuizResources, AnExecutableWithoutADescriptionGivesTheDemonstrationQuiz) {
  InspectedQuiz found;
  std::string error;
  ASSERT_TRUE(readQuizResources({}, found, error));
  EXPECT_TRUE(found.demonstration);
  EXPECT_EQ(found.content.title, "Nom du mirvo");
  EXPECT_EQ(found.content.columnLabel1, "Pr\xE9nom - Nom");
  EXPECT_EQ(found.content.questions.size(), 7u);
  EXPECT_EQ(found.content.type, QuizType::Picture);
  EXPECT_EQ(found.content.revealMode, RevealMode::TextAndPicture);
}

}  // namespace
}  // namespace mirvo::cli
