#pragma once
// Where the question panel puts its controls: the row and cell arithmetic of
// the text and grid layouts and of the scroll bars, as value functions.
// Portable: no Windows header; the Win32 layer creates what these describe.

#include "quiz/quiz_content.h"

namespace mirvo {

// A control's place in panel client pixels.
struct PanelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

inline constexpr int kFirstRowTop = 5;
inline constexpr int kCellsPerRow = 3;

// ---- Text layout: one row per question.
inline constexpr int kTextRowStep = 25;
inline constexpr int kTextContentWidth = 830;

struct TextRow {
  PanelRect numberLabel;
  PanelRect questionLabel;
  PanelRect answerBox;
  PanelRect resultLabel;
};
TextRow textRow(int rowTop);

// ---- Grid layout: three cells per row (picture, audio and video quizzes).
inline constexpr int kGridContentWidth = 890;
inline constexpr int kCellPitch = 290;
inline constexpr int kPictureGap = 10;  // between a row's pictures and its answers
inline constexpr int kVideoAreaHeight = 210;

constexpr bool firstInRow(int question) { return question % kCellsPerRow == 1; }
constexpr bool lastInRow(int question) { return question % kCellsPerRow == 0; }

// Everything the controls of question i derive from.
struct GridCell {
  int x = 0;             // X: left of the answer area
  int boxWidth = 0;      // W
  int answerOffset = 0;  // t: room for the play and stop buttons
  int answerTop = 0;     // Y: top of the answer area
  int answers = 1;       // A
};
// rowHeight is the row's picture height; only a picture quiz reads it.
GridCell gridCell(QuizType type, int answersPerQuestion, int question, int rowTop, int rowHeight);

// pictureWidth × pictureHeight is the fitted picture, or 260 × rowHeight when
// the question has none.
PanelRect pictureBoxRect(const GridCell& cell, int rowTop, int rowHeight, int pictureWidth,
                         int pictureHeight);
PanelRect columnLabelRect(const GridCell& cell, int which);  // which: 1 or 2
PanelRect gridNumberLabelRect(const GridCell& cell);
PanelRect playButtonRect(const GridCell& cell);
PanelRect stopButtonRect(const GridCell& cell);
PanelRect gridAnswerBoxRect(const GridCell& cell, int answer);    // answer j: 1..A
PanelRect gridResultLabelRect(const GridCell& cell, int answer);
PanelRect explanationLabelRect(const GridCell& cell);

// Answer box k of answer j of question i: k = (i - 1) × A + j.
constexpr int gridAnswerNumber(int question, int answersPerQuestion, int answer) {
  return (question - 1) * answersPerQuestion + answer;
}

constexpr bool showsExplanation(RevealMode mode) {
  return mode == RevealMode::ExplanationText || mode == RevealMode::TextAndPicture;
}
// The bottom of a grid row whose answer area starts at answerTop: the next
// row's top, and the content height while the row is the last.
int gridRowBottom(int answerTop, RevealMode mode);

// Added to the content width once every question is laid out.
constexpr int contentWidthMargin(int answersPerQuestion) { return answersPerQuestion == 2 ? 80 : 20; }

// ---- Scroll bars. Positions count in units of unitPixels pixels.
struct ScrollBarSetup {
  bool fits = false;  // the content fits: the position goes back to 0
  int maximum = 0;    // nMax (nMin is 0)
  int page = 0;       // nPage
  friend bool operator==(const ScrollBarSetup&, const ScrollBarSetup&) = default;
};
// The largest reachable position comes out as extent − page: the content
// scrolls until its far edge meets the client area's edge.
ScrollBarSetup scrollBarSetup(int contentExtent, int clientPixels, int unitPixels);

}  // namespace mirvo
