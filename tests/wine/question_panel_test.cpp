// Real question panels, made from the player's own template 1001, built for
// quizzes filled in code and read back control by control. The pictures come
// from tests/wine/test_pictures.rc.
#include "ui/question_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "media/media_host.h"
#include "media/picture_fit.h"
#include "picture_pump.h"
#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/answer_sheet.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"
#include "ui/panel_layout.h"

namespace mirvo {

void PrintTo(const PanelRect& r, std::ostream* os) {
  *os << "{" << r.x << ", " << r.y << ", " << r.width << " x " << r.height << "}";
}

void PrintTo(const FittedSize& s, std::ostream* os) { *os << s.width << " x " << s.height; }

namespace {

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 1200, 900, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override {
    if (panel_ != nullptr) DestroyWindow(panel_);
    DestroyWindow(owner_);
    app.quiz = nullptr;
    if (wroteSheet_) std::remove(answerSheetName().c_str());
  }

  // The sheet the next panel restores; removed again after the test.
  void writeSheet(const char* text) {
    FILE* file = std::fopen(answerSheetName().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs(text, file);
    std::fclose(file);
    wroteSheet_ = true;
  }

  HWND build(Quiz& quiz) {
    app.quiz = &quiz;
    panel_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(MIRVO_QUESTION_PANEL_TEMPLATE), owner_,
                                questionPanelProc, 0);
    return panel_;
  }

  // The layout without the media player, as a media quiz gets it once its
  // player exists.
  HWND buildWithoutMedia(Quiz& quiz) {
    app.quiz = &quiz;
    panel_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(MIRVO_QUESTION_PANEL_TEMPLATE), owner_,
                                nullptr, 0);
    if (panel_ != nullptr) layoutQuestions(quiz, panel_);
    return panel_;
  }

  HWND item(int id) const { return GetDlgItem(panel_, id); }

  PanelRect rectOf(HWND control) const {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, panel_, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  PanelRect rectOf(int id) const { return rectOf(item(id)); }

  std::string textOf(HWND control) const {
    char text[kTextSlotSize] = {};
    GetWindowTextA(control, text, sizeof text);
    return text;
  }
  std::string textOf(int id) const { return textOf(item(id)); }

  DWORD styleOf(int id) const { return static_cast<DWORD>(GetWindowLongA(item(id), GWL_STYLE)); }
  HFONT fontOf(HWND control) const { return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)); }
  HFONT fontOf(int id) const { return fontOf(item(id)); }

  std::string classOf(int id) const {
    char name[64] = {};
    GetClassNameA(item(id), name, sizeof name);
    return name;
  }

  // Controls sharing one identifier, top to bottom, then left to right.
  std::vector<HWND> allWithId(int id) const {
    std::vector<HWND> found;
    for (HWND c = GetWindow(panel_, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      if (GetDlgCtrlID(c) == id) found.push_back(c);
    }
    std::sort(found.begin(), found.end(), [this](HWND a, HWND b) {
      const PanelRect ra = rectOf(a), rb = rectOf(b);
      return ra.y != rb.y ? ra.y < rb.y : ra.x < rb.x;
    });
    return found;
  }

  int childCount() const {
    int count = 0;
    for (HWND c = GetWindow(panel_, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) ++count;
    return count;
  }

  FittedSize imageSize(int id) const {
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(item(id), STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return {};
    return {info.bmWidth, info.bmHeight};
  }

  SCROLLINFO scrollInfo(int bar) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(panel_, bar, &info);
    return info;
  }

  bool barDisabled(LONG object) const {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(panel_, object, &info);
    return (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
  }

  HWND owner_ = nullptr;
  HWND panel_ = nullptr;
  bool wroteSheet_ = false;
};

constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kFramedLabel = kVisibleChild | WS_BORDER | SS_CENTER | SS_CENTERIMAGE;
// The Edit control trades WS_BORDER for its own frame, so the style read
// back is compared without it.
constexpr DWORD kAnswerBox = kVisibleChild | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL;
const HFONT kGuiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

void fillQuiz(Quiz& quiz, QuizType type, int count, int answers, RevealMode reveal) {
  quiz.type = type;
  quiz.questionCount = count;
  quiz.answersPerQuestion = answers;
  quiz.revealMode = reveal;
}

// ---- Text layout.

TEST_F(PanelTest, TextRowsFollowTheTable) {
  Quiz quiz;
  fillQuiz(quiz, QuizType::Text, 10, 1, RevealMode::None);
  quiz.addQuestion("Paris", "", "Capitale de la France ?");
  quiz.addQuestion("Rome", "", "Ville \xE9ternelle \xE0 100 %d ?");  // no format is applied
  quiz.addQuestion("Oslo", "", "Derni\xE8re question");
  ASSERT_NE(build(quiz), nullptr);
  ASSERT_NE(quiz.answerFont, nullptr);

  const std::vector<HWND> numbers = allWithId(kNumberLabelId);
  const std::vector<HWND> questions = allWithId(kQuestionLabelId);
  ASSERT_EQ(numbers.size(), 10u);
  ASSERT_EQ(questions.size(), 10u);
  const char* expectedText[] = {"Capitale de la France ?", "Ville \xE9ternelle \xE0 100 %d ?",
                                "Derni\xE8re question"};
  for (int i = 1; i <= 10; ++i) {
    const int y = 5 + 25 * (i - 1);
    SCOPED_TRACE(i);
    char number[8];
    std::snprintf(number, sizeof number, "%d.", i);
    EXPECT_EQ(textOf(numbers[i - 1]), number);
    EXPECT_EQ(rectOf(numbers[i - 1]), (PanelRect{26, y + 2, 19, 17}));
    EXPECT_EQ(fontOf(numbers[i - 1]), nullptr);
    // Questions beyond the three records repeat the last one.
    EXPECT_EQ(textOf(questions[i - 1]), expectedText[std::min(i, 3) - 1]);
    EXPECT_EQ(rectOf(questions[i - 1]), (PanelRect{50, y, 550, 20}));
    EXPECT_EQ(fontOf(questions[i - 1]), kGuiFont);
    EXPECT_EQ(rectOf(kAnswerBoxBase + i), (PanelRect{610, y, 100, 20}));
    EXPECT_EQ(classOf(kAnswerBoxBase + i), "Edit");
    EXPECT_EQ(styleOf(kAnswerBoxBase + i) & ~WS_BORDER, kAnswerBox);
    EXPECT_EQ(fontOf(kAnswerBoxBase + i), quiz.answerFont);
    EXPECT_EQ(textOf(kAnswerBoxBase + i), "");
    EXPECT_EQ(rectOf(kResultLabelBase + i), (PanelRect{720, y, 100, 20}));
    EXPECT_EQ(textOf(kResultLabelBase + i), "?");
    EXPECT_EQ(styleOf(kResultLabelBase + i), kFramedLabel);
    EXPECT_EQ(fontOf(kResultLabelBase + i), nullptr);
  }
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(numbers[0], GWL_STYLE)), kVisibleChild | SS_RIGHT);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(questions[0], GWL_STYLE)), kFramedLabel);
  EXPECT_EQ(childCount(), 40);
  EXPECT_EQ(contentWidth, 850);
  EXPECT_EQ(contentHeight, 255);
  // Every box went through the subclassing, which kept the Edit procedure.
  EXPECT_NE(editClassProc, nullptr);
}

TEST_F(PanelTest, TextQuizWithTwoAnswersStillHasOneBoxPerQuestion) {
  Quiz quiz;
  fillQuiz(quiz, QuizType::Text, 2, 2, RevealMode::ExplanationText);
  quiz.addQuestion("a", "b", "Q1");
  quiz.addQuestion("c", "d", "Q2");
  ASSERT_NE(build(quiz), nullptr);
  EXPECT_NE(item(4001), nullptr);
  EXPECT_NE(item(4002), nullptr);
  EXPECT_EQ(rectOf(4002).y, 30);
  EXPECT_EQ(item(4003), nullptr);
  EXPECT_EQ(item(kExplanationLabelBase + 1), nullptr);  // the text layout has none
  EXPECT_EQ(contentWidth, 910);
  EXPECT_EQ(contentHeight, 55);
}

TEST_F(PanelTest, MissingRecordsNeverStopTheLayout) {
  struct Case {
    QuizType type;
    int count;
    bool withRecord;
    int lastBox;
  };
  const Case cases[] = {
      {QuizType::Text, 3, false, 4003},     // a description that failed to unpack
      {QuizType::Picture, 2, false, 4002},
      {QuizType::Text, 200, true, 4096},    // capped at the 96 questions a quiz can hold
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    Quiz quiz;
    fillQuiz(quiz, c.type, c.count, 1, RevealMode::None);
    if (c.withRecord) quiz.addQuestion("x", "", "seule");
    ASSERT_NE(build(quiz), nullptr);
    EXPECT_NE(item(c.lastBox), nullptr);
    EXPECT_EQ(item(c.lastBox + 1), nullptr);
    if (c.type == QuizType::Text) {
      EXPECT_EQ(textOf(allWithId(kQuestionLabelId).back()), c.withRecord ? "seule" : "");
    }
    DestroyWindow(panel_);
    panel_ = nullptr;
  }
}

TEST_F(PanelTest, NoQuestionsLaysOutNothingAndDisablesBothBars) {
  const int answers[] = {1, 2};
  for (int a : answers) {
    SCOPED_TRACE(a);
    Quiz quiz;
    fillQuiz(quiz, QuizType::Picture, 0, a, RevealMode::None);
    ASSERT_NE(build(quiz), nullptr);
    EXPECT_EQ(childCount(), 0);
    EXPECT_EQ(contentWidth, a == 2 ? 80 : 20);
    EXPECT_EQ(contentHeight, 0);
    EXPECT_EQ(scrollInfo(SB_HORZ).nPos, 0);
    EXPECT_EQ(scrollInfo(SB_VERT).nPos, 0);
    EXPECT_TRUE(barDisabled(OBJID_HSCROLL));
    EXPECT_TRUE(barDisabled(OBJID_VSCROLL));
    DestroyWindow(panel_);
    panel_ = nullptr;
  }
}

// ---- Picture grid. Pictures 401 (450 x 156), 402 (180 x 135), no 403,
// 404 (600 x 400), 405 (210 x 262), 406 (180 x 349), 407 (a BMP, 100 x 50),
// 408 (a JPEG header of 300 x 200 and no picture), 409 (a GIF of 50 x 40 on
// a screen of 120 x 90), 410 (no picture at all); answer picture 10402
// (180 x 349).

struct PictureCell {
  int question;
  PanelRect box;
  FittedSize image;  // {0, 0}: none
};

TEST_F(PanelTest, OneAnswerPictureGridMeasuresRowsAndCentresPictures) {
  Quiz quiz;
  fillQuiz(quiz, QuizType::Picture, 4, 1, RevealMode::AnswerPicture);
  ASSERT_NE(build(quiz), nullptr);
  ASSERT_TRUE(pumpUntilPicturesIn(panel_));

  // Row 1 is as tall as 402 fitted (195); row 2 as 405 (260), measured
  // although question 5 does not exist.
  const PictureCell cells[] = {
      {1, {46, 57, 260, 90}, {260, 90}},
      {2, {336, 5, 260, 195}, {260, 195}},
      {3, {626, 5, 260, 195}, {}},  // missing: an empty frame of the row's height
      {4, {46, 313, 260, 173}, {260, 173}},
  };
  for (const auto& c : cells) {
    SCOPED_TRACE(c.question);
    const int id = kPictureBoxBase + c.question;
    EXPECT_EQ(rectOf(id), c.box);
    EXPECT_EQ(imageSize(id), c.image);
    EXPECT_EQ(styleOf(id), kVisibleChild | WS_BORDER | SS_BITMAP | SS_CENTERIMAGE);
  }
  const int answerTops[] = {210, 210, 210, 540};
  const int xs[] = {46, 336, 626, 46};
  const std::vector<HWND> numbers = allWithId(kNumberLabelId);
  ASSERT_EQ(numbers.size(), 4u);
  for (int i = 1; i <= 4; ++i) {
    SCOPED_TRACE(i);
    const int x = xs[i - 1], y = answerTops[i - 1];
    EXPECT_EQ(rectOf(numbers[i - 1]), (PanelRect{x - 28, y + 2, 27, 17}));
    EXPECT_EQ(textOf(numbers[i - 1]), std::to_string(i) + ".");
    EXPECT_EQ(rectOf(kAnswerBoxBase + i), (PanelRect{x, y, 260, 20}));
    EXPECT_EQ(styleOf(kAnswerBoxBase + i) & ~WS_BORDER, kAnswerBox);
    EXPECT_EQ(fontOf(kAnswerBoxBase + i), quiz.answerFont);
    EXPECT_EQ(rectOf(kResultLabelBase + i), (PanelRect{x, y + 19, 260, 20}));
    EXPECT_EQ(textOf(kResultLabelBase + i), "?");
    EXPECT_EQ(fontOf(kResultLabelBase + i), nullptr);
  }
  EXPECT_TRUE(allWithId(kColumnLabelId).empty());
  EXPECT_EQ(item(kExplanationLabelBase + 1), nullptr);
  EXPECT_EQ(item(kAnswerBoxBase + 5), nullptr);
  EXPECT_EQ(contentWidth, 910);
  EXPECT_EQ(contentHeight, 600);
}

// The rows are measured from the pictures' headers; a picture whose header
// says nothing is decoded by the layout, the others once the panel's
// messages run, into boxes that are already in place.
TEST_F(PanelTest, PictureBoxesHaveTheirFinalPlaceBeforeThePicturesComeIn) {
  struct Cell {
    int question;
    PanelRect boxBefore;
    FittedSize imageBefore;
    PanelRect boxAfter;
    FittedSize imageAfter;
  };
  const Cell cells[] = {
      {1, {46, 57, 260, 90}, {}, {46, 57, 260, 90}, {260, 90}},
      {2, {336, 5, 260, 195}, {}, {336, 5, 260, 195}, {260, 195}},
      {3, {626, 5, 260, 195}, {}, {626, 5, 260, 195}, {}},
      {4, {46, 313, 260, 173}, {}, {46, 313, 260, 173}, {260, 173}},
      {5, {362, 270, 208, 260}, {}, {362, 270, 208, 260}, {208, 260}},
      {6, {689, 270, 134, 260}, {}, {689, 270, 134, 260}, {134, 260}},
      {7, {46, 639, 260, 130}, {260, 130}, {46, 639, 260, 130}, {260, 130}},  // decoded by the layout
      // Sized by its header, then no picture: the empty frame of the row.
      {8, {336, 617, 260, 173}, {}, {336, 600, 260, 208}, {}},
      {9, {626, 600, 260, 208}, {}, {626, 600, 260, 208}, {260, 208}},  // the first image, not the screen
  };
  Quiz quiz;
  fillQuiz(quiz, QuizType::Picture, 9, 1, RevealMode::None);
  ASSERT_NE(build(quiz), nullptr);
  EXPECT_TRUE(picturesPending(panel_));
  for (const auto& c : cells) {
    SCOPED_TRACE(c.question);
    EXPECT_EQ(rectOf(kPictureBoxBase + c.question), c.boxBefore);
    EXPECT_EQ(imageSize(kPictureBoxBase + c.question), c.imageBefore);
  }
  EXPECT_EQ(rectOf(kAnswerBoxBase + 7), (PanelRect{46, 818, 260, 20}));
  EXPECT_EQ(contentHeight, 878);

  // A box moved by the decode keeps the distance the panel scrolled it.
  ShowWindow(owner_, SW_SHOWNA);
  ShowWindow(panel_, SW_SHOWNA);
  const PanelRect answerBefore = rectOf(kAnswerBoxBase + 1);
  SendMessageA(panel_, WM_VSCROLL, SB_LINEDOWN, 0);
  const int scrolled = rectOf(kAnswerBoxBase + 1).y - answerBefore.y;
  ASSERT_NE(scrolled, 0);

  ASSERT_TRUE(pumpUntilPicturesIn(panel_));
  for (const auto& c : cells) {
    SCOPED_TRACE(c.question);
    PanelRect expected = c.boxAfter;
    expected.y += scrolled;
    EXPECT_EQ(rectOf(kPictureBoxBase + c.question), expected);
    EXPECT_EQ(imageSize(kPictureBoxBase + c.question), c.imageAfter);
  }
}

TEST_F(PanelTest, ARevealedAnswerPictureIsNotOverwrittenByTheQuestionPicture) {
  writeSheet("\r\nlune\r\n");
  Quiz quiz;
  fillQuiz(quiz, QuizType::Picture, 2, 1, RevealMode::AnswerPicture);
  quiz.addQuestion("soleil", "", "");
  quiz.addQuestion("lune", "", "");
  HWND panel = build(quiz);
  ASSERT_NE(panel, nullptr);
  ASSERT_EQ(textOf(kResultLabelBase + 2), "BRAVO");
  const auto answerPicture =
      reinterpret_cast<HBITMAP>(SendMessageA(item(kPictureBoxBase + 2), STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_EQ(imageSize(kPictureBoxBase + 2), (FittedSize{134, 260}));

  ASSERT_TRUE(pumpUntilPicturesIn(panel_));
  EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(item(kPictureBoxBase + 2), STM_GETIMAGE, IMAGE_BITMAP, 0)),
            answerPicture);
  EXPECT_EQ(imageSize(kPictureBoxBase + 2), (FittedSize{134, 260}));
  EXPECT_EQ(rectOf(kPictureBoxBase + 2), (PanelRect{336, 5, 260, 195}));  // the question picture's place
  EXPECT_EQ(imageSize(kPictureBoxBase + 1), (FittedSize{260, 90}));
}

TEST_F(PanelTest, PicturesGoWithTheirPanel) {
  Quiz quiz;
  fillQuiz(quiz, QuizType::Picture, 2, 1, RevealMode::None);
  ASSERT_NE(build(quiz), nullptr);
  ASSERT_TRUE(pumpUntilPicturesIn(panel_));
  auto shown = reinterpret_cast<HBITMAP>(SendMessageA(item(kPictureBoxBase + 1), STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info{};
  ASSERT_NE(GetObjectA(shown, sizeof info, &info), 0);
  DestroyWindow(panel_);
  panel_ = nullptr;
  EXPECT_EQ(GetObjectA(shown, sizeof info, &info), 0);
}

TEST_F(PanelTest, TwoAnswerPictureGridWithColumnAndExplanationLabels) {
  Quiz quiz;
  fillQuiz(quiz, QuizType::Picture, 4, 2, RevealMode::ExplanationText);
  std::snprintf(quiz.columnLabel1, kTextSlotSize, "%s", "Ann\xE9" "e");
  std::snprintf(quiz.columnLabel2, kTextSlotSize, "%s", "R\xE9" "alisateur");
  ASSERT_NE(build(quiz), nullptr);

  EXPECT_EQ(rectOf(kPictureBoxBase + 1), (PanelRect{106, 57, 260, 90}));
  EXPECT_EQ(rectOf(kPictureBoxBase + 4), (PanelRect{106, 393, 260, 173}));
  struct Cell {
    int question, x, y;
  };
  const Cell cells[] = {{1, 106, 210}, {2, 396, 210}, {3, 686, 210}, {4, 106, 620}};
  for (const auto& c : cells) {
    SCOPED_TRACE(c.question);
    for (int j = 1; j <= 2; ++j) {
      const int k = 2 * (c.question - 1) + j;
      const int y = c.y + 19 * (j - 1);
      EXPECT_EQ(rectOf(kAnswerBoxBase + k), (PanelRect{c.x, y, 201, 20})) << j;
      EXPECT_EQ(fontOf(kAnswerBoxBase + k), quiz.answerFont);
      EXPECT_EQ(rectOf(kResultLabelBase + k), (PanelRect{c.x + 200, y, 60, 20})) << j;
      EXPECT_EQ(styleOf(kResultLabelBase + k), kFramedLabel);
      EXPECT_EQ(fontOf(kResultLabelBase + k), kGuiFont);
      EXPECT_EQ(textOf(kResultLabelBase + k), "?");
    }
    const int explanation = kExplanationLabelBase + c.question;
    EXPECT_EQ(rectOf(explanation), (PanelRect{c.x, c.y + 46, 260, 65}));
    EXPECT_EQ(styleOf(explanation), kVisibleChild | SS_CENTER);
    EXPECT_EQ(fontOf(explanation), kGuiFont);
    EXPECT_EQ(textOf(explanation), "");
  }
  // Two column labels left of each row's first cell, level with its answers.
  const std::vector<HWND> columns = allWithId(kColumnLabelId);
  ASSERT_EQ(columns.size(), 4u);
  const PanelRect columnRects[] = {{3, 212, 95, 20}, {3, 232, 95, 20}, {3, 622, 95, 20}, {3, 642, 95, 20}};
  for (std::size_t n = 0; n < columns.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(rectOf(columns[n]), columnRects[n]);
    EXPECT_EQ(textOf(columns[n]), n % 2 == 0 ? "Ann\xE9" "e" : "R\xE9" "alisateur");
    EXPECT_EQ(fontOf(columns[n]), kGuiFont);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(columns[n], GWL_STYLE)), kVisibleChild);
  }
  EXPECT_EQ(item(kAnswerBoxBase + 9), nullptr);
  EXPECT_EQ(contentWidth, 970);
  EXPECT_EQ(contentHeight, 760);
}

TEST_F(PanelTest, MediaCellsHaveButtonsBeforeTheirAnswers) {
  struct Case {
    QuizType type;
    int answerTop;
  };
  const Case cases[] = {{QuizType::Audio, 5}, {QuizType::Video, 215}};
  // What the media player's creation loads before the layout.
  mediaHost.playIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(MIRVO_PLAY_ICON));
  mediaHost.stopIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(MIRVO_STOP_ICON));
  ASSERT_NE(mediaHost.playIcon, nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.type));
    Quiz quiz;
    fillQuiz(quiz, c.type, 2, 1, RevealMode::None);
    ASSERT_NE(buildWithoutMedia(quiz), nullptr);
    const DWORD buttonStyle = kVisibleChild | WS_TABSTOP | BS_ICON | BS_DEFPUSHBUTTON;
    EXPECT_EQ(rectOf(kPlayButtonBase + 2), (PanelRect{336, c.answerTop, 20, 20}));
    EXPECT_EQ(rectOf(kStopButtonBase + 2), (PanelRect{336, c.answerTop + 20, 20, 19}));
    EXPECT_EQ(classOf(kPlayButtonBase + 2), "Button");
    EXPECT_EQ(styleOf(kPlayButtonBase + 2), buttonStyle);
    EXPECT_EQ(styleOf(kStopButtonBase + 2), styleOf(kPlayButtonBase + 2));
    EXPECT_EQ(SendMessageA(item(kPlayButtonBase + 2), BM_GETIMAGE, IMAGE_ICON, 0),
              reinterpret_cast<LRESULT>(mediaHost.playIcon));
    EXPECT_EQ(SendMessageA(item(kStopButtonBase + 2), BM_GETIMAGE, IMAGE_ICON, 0),
              reinterpret_cast<LRESULT>(mediaHost.stopIcon));
    EXPECT_EQ(rectOf(kAnswerBoxBase + 2), (PanelRect{356, c.answerTop, 240, 20}));
    EXPECT_EQ(rectOf(kResultLabelBase + 2), (PanelRect{356, c.answerTop + 19, 240, 20}));
    EXPECT_EQ(item(kPictureBoxBase + 1), nullptr);
    EXPECT_EQ(contentHeight, c.answerTop + 60);
    DestroyWindow(panel_);
    panel_ = nullptr;
  }
}

// ---- Answer sheet and scroll bars.

TEST_F(PanelTest, BoxesTakeSheetLinesInIdentifierOrder) {
  writeSheet("Paris\r\n\r\nRome\r\nMil\xE0n\r\n\r\nx");
  Quiz quiz;
  fillQuiz(quiz, QuizType::Picture, 4, 2, RevealMode::None);
  HWND panel = build(quiz);
  ASSERT_NE(panel, nullptr);
  const char* expected[] = {"Paris", "", "Rome", "Mil\xE0n", "", "x", "", ""};
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(textOf(kAnswerBoxBase + k), expected[k - 1]) << k;
}

TEST_F(PanelTest, ScrollRangesFollowTheContentAndTheClientSize) {
  Quiz quiz;
  fillQuiz(quiz, QuizType::Text, 30, 1, RevealMode::None);
  quiz.addQuestion("a", "", "q");
  ASSERT_NE(build(quiz), nullptr);
  ASSERT_EQ(contentWidth, 850);
  ASSERT_EQ(contentHeight, 755);

  RECT client{};
  GetClientRect(panel_, &client);
  ASSERT_LT(client.right, 850);
  ASSERT_LT(client.bottom, 755);
  SCROLLINFO horizontal = scrollInfo(SB_HORZ);
  EXPECT_EQ(horizontal.nMin, 0);
  EXPECT_EQ(horizontal.nMax, 848);
  EXPECT_EQ(horizontal.nPage, static_cast<UINT>(client.right - 1));
  SCROLLINFO vertical = scrollInfo(SB_VERT);
  EXPECT_EQ(vertical.nMax, 753);
  EXPECT_EQ(vertical.nPage, static_cast<UINT>(client.bottom - 1));
  EXPECT_FALSE(barDisabled(OBJID_VSCROLL));
  // The farthest position brings the content's bottom to the client's.
  SetScrollPos(panel_, SB_VERT, 100000, FALSE);
  EXPECT_EQ(GetScrollPos(panel_, SB_VERT), 755 - client.bottom);

  // Grown past the content: both bars disabled and back at 0.
  SetWindowPos(panel_, nullptr, 0, 0, 1000, 900, SWP_NOMOVE | SWP_NOZORDER);
  setupScrollRanges(panel_);
  EXPECT_EQ(GetScrollPos(panel_, SB_VERT), 0);
  EXPECT_EQ(GetScrollPos(panel_, SB_HORZ), 0);
  EXPECT_TRUE(barDisabled(OBJID_HSCROLL));
  EXPECT_TRUE(barDisabled(OBJID_VSCROLL));
  EXPECT_EQ(scrollInfo(SB_VERT).nPage, 754u);
}

}  // namespace
}  // namespace mirvo
