#include "ui/panel_layout.h"

#include <gtest/gtest.h>

namespace mirvo {

void PrintTo(const PanelRect& r, std::ostream* os) {
  *os << "{" << r.x << ", " << r.y << ", " << r.width << " x " << r.height << "}";
}
void PrintTo(const ScrollBarSetup& s, std::ostream* os) {
  *os << "{fits " << s.fits << ", max " << s.maximum << ", page " << s.page << "}";
}

namespace {

TEST(PanelLayout, TextRowPlacesItsFourControls) {
  const TextRow first = textRow(kFirstRowTop);
  EXPECT_EQ(first.numberLabel, (PanelRect{26, 7, 19, 17}));
  EXPECT_EQ(first.questionLabel, (PanelRect{50, 5, 550, 20}));
  EXPECT_EQ(first.answerBox, (PanelRect{610, 5, 100, 20}));
  EXPECT_EQ(first.resultLabel, (PanelRect{720, 5, 100, 20}));
  // Question 10 sits nine steps lower.
  EXPECT_EQ(textRow(kFirstRowTop + 9 * kTextRowStep).answerBox.y, 230);
}

struct CellCase {
  const char* name;
  QuizType type;
  int answers;
  int question;
  int rowTop;
  int rowHeight;
  int x, boxWidth, answerOffset, answerTop;
};

TEST(PanelLayout, GridCellsByTypeAnswersAndColumn) {
  const CellCase cases[] = {
      {"picture A1 col0", QuizType::Picture, 1, 1, 5, 195, 46, 260, 0, 210},
      {"picture A1 col1", QuizType::Picture, 1, 2, 5, 195, 336, 260, 0, 210},
      {"picture A1 col2", QuizType::Picture, 1, 3, 5, 195, 626, 260, 0, 210},
      {"picture A1 row2", QuizType::Picture, 1, 4, 270, 0, 46, 260, 0, 280},  // rowH 0: 10 below
      {"picture A2 col0", QuizType::Picture, 2, 1, 5, 90, 106, 260, 0, 105},
      {"picture A2 col2", QuizType::Picture, 2, 6, 5, 90, 686, 260, 0, 105},
      {"audio A1", QuizType::Audio, 1, 1, 5, 999, 46, 240, 20, 5},  // rowH ignored
      {"audio A2 col1", QuizType::Audio, 2, 5, 65, 0, 396, 240, 20, 65},
      {"video A1", QuizType::Video, 1, 3, 5, 0, 626, 240, 20, 215},
  };
  for (const auto& c : cases) {
    const GridCell cell = gridCell(c.type, c.answers, c.question, c.rowTop, c.rowHeight);
    EXPECT_EQ(cell.x, c.x) << c.name;
    EXPECT_EQ(cell.boxWidth, c.boxWidth) << c.name;
    EXPECT_EQ(cell.answerOffset, c.answerOffset) << c.name;
    EXPECT_EQ(cell.answerTop, c.answerTop) << c.name;
  }
}

TEST(PanelLayout, OneAnswerCellControls) {
  const GridCell picture = gridCell(QuizType::Picture, 1, 1, 5, 195);
  // Number label spans x 18 to 44, the box starts at 46.
  EXPECT_EQ(gridNumberLabelRect(picture), (PanelRect{18, 212, 27, 17}));
  EXPECT_EQ(gridAnswerBoxRect(picture, 1), (PanelRect{46, 210, 260, 20}));
  EXPECT_EQ(gridResultLabelRect(picture, 1), (PanelRect{46, 229, 260, 20}));
  EXPECT_EQ(explanationLabelRect(picture), (PanelRect{46, 256, 260, 65}));

  const GridCell audio = gridCell(QuizType::Audio, 1, 1, 5, 0);
  EXPECT_EQ(playButtonRect(audio), (PanelRect{46, 5, 20, 20}));
  EXPECT_EQ(stopButtonRect(audio), (PanelRect{46, 25, 20, 19}));
  EXPECT_EQ(gridAnswerBoxRect(audio, 1), (PanelRect{66, 5, 240, 20}));
  EXPECT_EQ(gridResultLabelRect(audio, 1), (PanelRect{66, 24, 240, 20}));
}

TEST(PanelLayout, TwoAnswerCellPutsLabelsRightOfBoxes) {
  const GridCell picture = gridCell(QuizType::Picture, 2, 1, 5, 90);
  EXPECT_EQ(gridAnswerBoxRect(picture, 1), (PanelRect{106, 105, 201, 20}));
  EXPECT_EQ(gridAnswerBoxRect(picture, 2), (PanelRect{106, 124, 201, 20}));
  EXPECT_EQ(gridResultLabelRect(picture, 1), (PanelRect{306, 105, 60, 20}));
  EXPECT_EQ(gridResultLabelRect(picture, 2), (PanelRect{306, 124, 60, 20}));
  // The box's last pixel column is the label's first.
  EXPECT_EQ(gridAnswerBoxRect(picture, 1).x + gridAnswerBoxRect(picture, 1).width - 1,
            gridResultLabelRect(picture, 1).x);
  EXPECT_EQ(columnLabelRect(picture, 1), (PanelRect{3, 107, 95, 20}));
  EXPECT_EQ(columnLabelRect(picture, 2), (PanelRect{3, 127, 95, 20}));

  const GridCell video = gridCell(QuizType::Video, 2, 2, 5, 0);
  EXPECT_EQ(gridAnswerBoxRect(video, 2), (PanelRect{416, 234, 181, 20}));
  EXPECT_EQ(gridResultLabelRect(video, 2), (PanelRect{596, 234, 60, 20}));
}

TEST(PanelLayout, PictureBoxIsCentredInCellAndRow) {
  const GridCell cell = gridCell(QuizType::Picture, 1, 2, 5, 195);
  EXPECT_EQ(pictureBoxRect(cell, 5, 195, 260, 90), (PanelRect{336, 57, 260, 90}));
  EXPECT_EQ(pictureBoxRect(cell, 5, 195, 134, 195), (PanelRect{399, 5, 134, 195}));
  EXPECT_EQ(pictureBoxRect(cell, 5, 195, 260, 195), (PanelRect{336, 5, 260, 195}));  // missing picture
  EXPECT_EQ(pictureBoxRect(cell, 5, 0, 260, 0), (PanelRect{336, 5, 260, 0}));
  EXPECT_EQ(pictureBoxRect(cell, 5, 195, 259, 194), (PanelRect{336, 5, 259, 194}));  // odd gaps truncate
}

TEST(PanelLayout, RowBookkeeping) {
  const int firsts[] = {1, 4, 94};
  for (int i : firsts) EXPECT_TRUE(firstInRow(i) && !lastInRow(i)) << i;
  EXPECT_TRUE(lastInRow(3) && lastInRow(96) && !firstInRow(96));
  EXPECT_FALSE(firstInRow(2) || lastInRow(2));
  EXPECT_EQ(gridRowBottom(210, RevealMode::None), 270);
  EXPECT_EQ(gridRowBottom(210, RevealMode::AnswerPicture), 270);
  EXPECT_EQ(gridRowBottom(210, RevealMode::ExplanationText), 350);
  EXPECT_EQ(gridRowBottom(210, RevealMode::TextAndPicture), 350);
  EXPECT_EQ(gridRowBottom(210, static_cast<RevealMode>(7)), 270);
  EXPECT_EQ(gridAnswerNumber(1, 2, 1), 1);
  EXPECT_EQ(gridAnswerNumber(96, 2, 2), 192);
  EXPECT_EQ(gridAnswerNumber(5, 1, 1), 5);
}

struct ScrollCase {
  int extent, client;
  ScrollBarSetup expected;
};

TEST(PanelLayout, ScrollBarSetupLetsFarEdgeMeetClientEdge) {
  const ScrollCase cases[] = {
      {910, 500, {false, 908, 499}},  // last position 908 - 499 + 1 = 410 = 910 - 500
      {501, 500, {false, 499, 499}},
      {500, 500, {true, 498, 499}},   // fits exactly: page covers the range
      {20, 500, {true, 18, 19}},
      {0, 500, {true, -2, -1}},       // nothing laid out
  };
  for (const auto& c : cases) {
    EXPECT_EQ(scrollBarSetup(c.extent, c.client, 1), c.expected) << c.extent << " in " << c.client;
    if (!c.expected.fits) {
      EXPECT_EQ(c.expected.maximum - c.expected.page + 1, c.extent - c.client);
    }
  }
}

}  // namespace
}  // namespace mirvo
