// Judging on a real panel: Enter and focus moves, reveals, score and reward
// code, F1 spreading, and the colour each verdict paints its label with.
#include <string_view>

#include "evaluation/judgement.h"
#include "evaluation/verdict_words.h"
#include "picture_pump.h"
#include "play_fixture.h"

namespace mirvo::testing {
namespace {

using namespace std::string_literals;

const std::string kSixBlanks = "      ";

SIZE bitmapSize(HBITMAP bitmap) {
  BITMAP b = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof b, &b)) return {0, 0};
  return {b.bmWidth, b.bmHeight};
}

HBITMAP shownBitmap(HWND panel, int question) {
  return reinterpret_cast<HBITMAP>(
      SendDlgItemMessageA(panel, kPictureBoxBase + question, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// What the dialog manager paints a static with when the panel leaves it alone.
HBRUSH defaultStaticBrush() { return GetSysColorBrush(COLOR_BTNFACE); }

TEST_F(PlayPanel, EnterReleasedJudgesTheBoxAndIsNotPassedOn) {
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"Paris", "", ""}, {"Rome", "", ""}});
  buildPanel();
  EXPECT_EQ(result(1), "?");
  EXPECT_EQ(score(), " 0 / 2");
  EXPECT_EQ(code(), kSixBlanks);

  EXPECT_EQ(typeAndEnter(1, "  paris "), 1);
  EXPECT_EQ(result(1), "BRAVO");
  EXPECT_EQ(score(), " 1 / 2");
  EXPECT_EQ(code(), "CODE1");

  // Another key released judges nothing.
  type(2, "rome");
  releaseKey(2, 'E');
  EXPECT_EQ(result(2), "?");
  // Enter pressed with Alt held judges on the press.
  EXPECT_EQ(SendMessageA(box(2), WM_SYSKEYDOWN, VK_RETURN, 0x20000001), 1);
  EXPECT_EQ(result(2), "BRAVO");
  EXPECT_EQ(score(), " 2 / 2");
  EXPECT_EQ(code(), "CODE2");
}

TEST_F(PlayPanel, LeavingABoxJudgesItAndEnteringOneSelectsItsText) {
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"Roma", "", ""}, {"Rome", "", ""}});
  buildPanel();
  SetFocus(box(2));
  type(1, "amor");
  SetFocus(box(1));
  ASSERT_EQ(GetFocus(), box(1));
  DWORD start = 1, end = 0;
  SendMessageA(box(1), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 4u);
  EXPECT_EQ(result(1), "?");

  SetFocus(box(2));
  EXPECT_EQ(result(1), "Anagramme");
  type(2, "Rom");
  SetFocus(box(1));
  EXPECT_EQ(result(2), "Quasiment");
}

TEST_F(PlayPanel, CharactersOfEnterAndTabNeverReachTheBox) {
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"a", "", ""}});
  buildPanel();
  type(1, "ab");
  SendMessageA(box(1), EM_SETSEL, 2, 2);
  for (WPARAM c : {WPARAM{'\r'}, WPARAM{'\t'}, WPARAM{'c'}}) SendMessageA(box(1), WM_CHAR, c, 1);
  EXPECT_EQ(controlText(panel_, kAnswerBoxBase + 1), "abc");
}

TEST_F(PlayPanel, ScoreAndCodeFollowEveryJudgement) {
  std::vector<QuestionSpec> questions;
  for (const char* a : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) questions.push_back({a, "", ""});
  makeQuiz(QuizType::Text, 1, RevealMode::None, questions);
  buildPanel();
  struct Step {
    int box;
    const char* typed;
    const char* score;
    std::string code;
  };
  const Step steps[] = {
      {1, "a", " 1 / 10", "CODE1"}, {2, "b", " 2 / 10", "CODE2"}, {3, "c", " 3 / 10", "CODE3"},
      {2, "x", " 2 / 10", "CODE2"}, {1, "", " 1 / 10", "CODE1"},  {3, "cc", " 0 / 10", kSixBlanks},
  };
  for (const Step& s : steps) {
    typeAndEnter(s.box, s.typed);
    EXPECT_EQ(score(), s.score) << "box " << s.box << " typed '" << s.typed << "'";
    EXPECT_EQ(code(), s.code) << "box " << s.box << " typed '" << s.typed << "'";
  }
}

TEST_F(PlayPanel, QuestionWithTwoAnswersCountsOnceAndOnlyWhenBothAreRight) {
  makeQuiz(QuizType::Picture, 2, RevealMode::ExplanationText,
           {{"Paris", "France", "capitale"}, {"Rome", "Italie", "antique"}});
  buildPanel();
  typeAndEnter(1, "Paris");
  // Right, but the question is not complete: nothing is revealed yet.
  EXPECT_EQ(result(1), "BRAVO");
  EXPECT_EQ(explanation(1), "");
  EXPECT_EQ(score(), " 0 / 2");

  typeAndEnter(2, "Franc");
  EXPECT_EQ(result(2), "Quasiment");
  EXPECT_EQ(score(), " 0 / 2");

  typeAndEnter(2, "france");
  EXPECT_EQ(explanation(1), "capitale");
  EXPECT_EQ(score(), " 1 / 2");
  EXPECT_EQ(code(), "CODE1");

  typeAndEnter(3, "Rome");
  typeAndEnter(4, "Italie");
  EXPECT_EQ(score(), " 2 / 2");
  EXPECT_EQ(explanation(2), "antique");
}

TEST_F(PlayPanel, ExplanationNeedsTheExactTextAndGoesWithAnyOtherVerdict) {
  makeQuiz(QuizType::Picture, 1, RevealMode::ExplanationText, {{"Paris", "", "Capitale"}});
  buildPanel();
  struct Step {
    const char* typed;
    const char* verdict;
    const char* explanation;
    const char* score;
  };
  const Step steps[] = {
      // Blanks around the answer score but reveal nothing.
      {"  Paris ", "BRAVO", "", " 1 / 1"},
      {"paris", "BRAVO", "Capitale", " 1 / 1"},
      // A right answer that is not exact leaves the shown explanation alone.
      {"Paris ", "BRAVO", "Capitale", " 1 / 1"},
      {"Pari", "Quasiment", "", " 0 / 1"},
      {"PARIS", "BRAVO", "Capitale", " 1 / 1"},
      {"", "?", "", " 0 / 1"},
  };
  for (const Step& s : steps) {
    typeAndEnter(1, s.typed);
    EXPECT_EQ(result(1), s.verdict) << "'" << s.typed << "'";
    EXPECT_EQ(explanation(1), s.explanation) << "'" << s.typed << "'";
    EXPECT_EQ(score(), s.score) << "'" << s.typed << "'";
  }
}

TEST_F(PlayPanel, AnswerPictureReplacesTheQuestionPictureAndStays) {
  makeQuiz(QuizType::Picture, 1, RevealMode::TextAndPicture, {{"Paris", "", "Capitale"}, {"Rome", "", "Antique"}});
  buildPanel();
  ASSERT_TRUE(pumpUntilPicturesIn(panel_));
  const HBITMAP questionPicture = shownBitmap(panel_, 1);
  ASSERT_NE(questionPicture, nullptr);
  EXPECT_EQ(bitmapSize(questionPicture).cx, 260);
  EXPECT_EQ(bitmapSize(questionPicture).cy, 130);

  typeAndEnter(1, "paris");
  const HBITMAP answerPicture = shownBitmap(panel_, 1);
  EXPECT_EQ(bitmapSize(answerPicture).cx, 130);
  EXPECT_EQ(bitmapSize(answerPicture).cy, 260);
  EXPECT_EQ(GetObjectType(questionPicture), 0u) << "the replaced bitmap is deleted";
  EXPECT_EQ(explanation(1), "Capitale");

  // A later wrong answer hides the text; the picture stays.
  typeAndEnter(1, "Londres");
  EXPECT_EQ(explanation(1), "");
  EXPECT_EQ(shownBitmap(panel_, 1), answerPicture);

  // Each later full success loads the answer picture again.
  typeAndEnter(1, "Paris");
  EXPECT_NE(shownBitmap(panel_, 1), answerPicture);
  EXPECT_EQ(GetObjectType(answerPicture), 0u);
  EXPECT_EQ(bitmapSize(shownBitmap(panel_, 1)).cy, 260);

  // Question 2 has no answer picture: right all the same, its box unchanged.
  typeAndEnter(2, "Rome");
  EXPECT_EQ(result(2), "BRAVO");
  EXPECT_EQ(shownBitmap(panel_, 2), nullptr);
  EXPECT_EQ(explanation(2), "Antique");
}

TEST_F(PlayPanel, F1SpreadsTheTextToEveryBoxNotRightAndGivesTheFocusBack) {
  makeQuiz(QuizType::Text, 1, RevealMode::None,
           {{"chat", "", ""}, {"chat", "", ""}, {"chien", "", ""}, {"chats", "", ""}});
  buildPanel();
  typeAndEnter(3, "chien");
  type(4, "loup");
  SetFocus(box(1));
  type(1, "chat");
  releaseKey(1, VK_F1);

  const char* expectedText[] = {"chat", "chat", "chien", "chat"};
  const char* expectedVerdict[] = {"BRAVO", "BRAVO", "BRAVO", "Quasiment"};
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(controlText(panel_, kAnswerBoxBase + k), expectedText[k - 1]) << "box " << k;
    EXPECT_EQ(result(k), expectedVerdict[k - 1]) << "box " << k;
  }
  EXPECT_EQ(GetFocus(), box(1));
  EXPECT_EQ(score(), " 3 / 4");
}

TEST_F(PlayPanel, F1WhenEverythingIsRightChangesNothing) {
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"a", "", ""}, {"b", "", ""}});
  buildPanel();
  typeAndEnter(1, "a");
  typeAndEnter(2, "b");
  SetFocus(box(2));
  type(2, "B");  // judged right again as the focus leaves it
  SetFocus(box(1));
  releaseKey(1, VK_F1);
  EXPECT_EQ(controlText(panel_, kAnswerBoxBase + 2), "B");
  EXPECT_EQ(GetFocus(), box(1));
}

TEST_F(PlayPanel, ResultLabelTakesTheBrushOfItsVerdict) {
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"a", "", ""}});
  buildPanel();
  struct Case {
    std::string_view shown;
    HBRUSH expected;
  };
  const Case cases[] = {
      {verdict::kAnagram, quiz_.anagramBrush}, {verdict::kRight, quiz_.rightBrush},
      {verdict::kWrong, quiz_.wrongBrush},     {verdict::kNothingTyped, defaultStaticBrush()},
      {verdict::kOneEdit, quiz_.hintBrush},    {verdict::kTwoEdits, quiz_.hintBrush},
      {verdict::kTooShort, quiz_.hintBrush},   {verdict::kNotFar, quiz_.hintBrush},
      {verdict::kTooLong, quiz_.hintBrush},    {verdict::kMostlyAlike, quiz_.hintBrush},
      {"bravo", quiz_.hintBrush},  // compared exactly, case included
  };
  HDC dc = CreateCompatibleDC(nullptr);
  HWND label = GetDlgItem(panel_, kResultLabelBase + 1);
  for (const Case& c : cases) {
    SetWindowTextA(label, std::string(c.shown).c_str());
    const auto returned = reinterpret_cast<HBRUSH>(
        SendMessageA(panel_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
    EXPECT_EQ(returned, c.expected) << c.shown;
  }
  DeleteDC(dc);
}

TEST_F(PlayPanel, PlainLabelsAreTransparentWithTextColourFromTheBackground) {
  makeQuiz(QuizType::Picture, 2, RevealMode::ExplanationText, {{"a", "b", ""}});
  buildPanel();
  struct Case {
    std::uint8_t red, green, blue;
    COLORREF text;
  };
  const Case cases[] = {
      {90, 95, 150, RGB(0, 0, 0)}, {60, 0, 0, RGB(0, 0, 0)},         {0, 60, 0, RGB(0, 0, 0)},
      {59, 59, 0, RGB(255, 255, 255)}, {0, 0, 255, RGB(255, 255, 255)},  // blue is not looked at
  };
  HDC dc = CreateCompatibleDC(nullptr);
  for (int id : {kNumberLabelId, kColumnLabelId, kExplanationLabelBase + 1}) {
    HWND label = GetDlgItem(panel_, id);
    ASSERT_NE(label, nullptr) << id;
    for (const Case& c : cases) {
      quiz_.backgroundRed = c.red;
      quiz_.backgroundGreen = c.green;
      quiz_.backgroundBlue = c.blue;
      SetBkMode(dc, OPAQUE);
      const auto returned = reinterpret_cast<HBRUSH>(
          SendMessageA(panel_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
      EXPECT_EQ(returned, quiz_.backgroundBrush) << id;
      EXPECT_EQ(GetTextColor(dc), c.text) << id << " red " << int(c.red) << " green " << int(c.green);
      EXPECT_EQ(GetBkMode(dc), TRANSPARENT) << id;
    }
  }
  DeleteDC(dc);
}

TEST_F(PlayPanel, QuestionLabelsAndThePanelHaveTheirOwnBrushes) {
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"a", "", ""}});
  buildPanel();
  HDC dc = CreateCompatibleDC(nullptr);
  auto colourOf = [&](HWND control) {
    return reinterpret_cast<HBRUSH>(
        SendMessageA(panel_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  };
  EXPECT_EQ(colourOf(GetDlgItem(panel_, kQuestionLabelId)), quiz_.questionLabelBrush);
  // A static outside the named ranges keeps the default colours.
  HWND stray = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, panel_,
                               reinterpret_cast<HMENU>(kResultLabelBase + 2), nullptr, nullptr);
  EXPECT_EQ(colourOf(stray), defaultStaticBrush());
  EXPECT_EQ(reinterpret_cast<HBRUSH>(SendMessageA(panel_, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                  reinterpret_cast<LPARAM>(panel_))),
            quiz_.backgroundBrush);
  DeleteDC(dc);
}

}  // namespace
}  // namespace mirvo::testing
