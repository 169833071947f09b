#include "ui/panel_layout.h"

namespace mirvo {

TextRow textRow(int rowTop) {
  return {
      .numberLabel = {26, rowTop + 2, 19, 17},
      .questionLabel = {50, rowTop, 550, 20},
      .answerBox = {610, rowTop, 100, 20},
      .resultLabel = {720, rowTop, 100, 20},
  };
}

GridCell gridCell(QuizType type, int answersPerQuestion, int question, int rowTop, int rowHeight) {
  const int column = (question - 1) % kCellsPerRow;
  const bool media = isMediaType(type);
  int areaOffset = 0;
  if (type == QuizType::Picture) areaOffset = rowHeight + kPictureGap;
  if (type == QuizType::Video) areaOffset = kVideoAreaHeight;
  return {
      .x = kCellPitch * column + (answersPerQuestion == 2 ? 106 : 46),
      .boxWidth = media ? 240 : 260,
      .answerOffset = media ? 20 : 0,
      .answerTop = rowTop + areaOffset,
      .answers = answersPerQuestion,
  };
}

PanelRect pictureBoxRect(const GridCell& cell, int rowTop, int rowHeight, int pictureWidth,
                         int pictureHeight) {
  // Integer division truncates toward zero, as the centring wants.
  return {cell.x + (260 - pictureWidth) / 2, rowTop + (rowHeight - pictureHeight) / 2, pictureWidth,
          pictureHeight};
}

PanelRect columnLabelRect(const GridCell& cell, int which) {
  return {3, cell.answerTop + 2 + 20 * (which - 1), 95, 20};
}

PanelRect gridNumberLabelRect(const GridCell& cell) { return {cell.x - 28, cell.answerTop + 2, 27, 17}; }

PanelRect playButtonRect(const GridCell& cell) { return {cell.x, cell.answerTop, 20, 20}; }

PanelRect stopButtonRect(const GridCell& cell) { return {cell.x, cell.answerTop + 20, 20, 19}; }

PanelRect gridAnswerBoxRect(const GridCell& cell, int answer) {
  const int left = cell.x + cell.answerOffset;
  if (cell.answers == 2) return {left, cell.answerTop + 19 * (answer - 1), cell.boxWidth - 59, 20};
  return {left, cell.answerTop, cell.boxWidth, 20};
}

PanelRect gridResultLabelRect(const GridCell& cell, int answer) {
  const int left = cell.x + cell.answerOffset;
  // With two answers the label sits right of its box, overlapping its last
  // pixel column; with one it lies under the box.
  if (cell.answers == 2) return {left + cell.boxWidth - 60, cell.answerTop + 19 * (answer - 1), 60, 20};
  return {left, cell.answerTop + 19, cell.boxWidth, 20};
}

PanelRect explanationLabelRect(const GridCell& cell) { return {cell.x, cell.answerTop + 46, 260, 65}; }

int gridRowBottom(int answerTop, RevealMode mode) { return answerTop + (showsExplanation(mode) ? 140 : 60); }

ScrollBarSetup scrollBarSetup(int contentExtent, int clientPixels, int unitPixels) {
  int page = clientPixels / unitPixels;
  const bool fits = contentExtent <= page;
  if (fits) page = contentExtent;
  return {fits, contentExtent - 2, page - 1};
}

}  // namespace mirvo
