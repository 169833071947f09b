#pragma once
// The one quiz document of the player, with the GDI objects that the window
// procedures paint with. Win32 layer.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "quiz/quiz_content.h"

namespace mirvo {

// Copies text into a zero-terminated slot: zero bytes are dropped (they would
// end the text early) and whatever does not fit before the terminator is cut.
void copyIntoSlot(std::span<char> slot, std::string_view text);

struct QuizQuestion {
  char answer1[kTextSlotSize];
  char answer2[kTextSlotSize];
  char questionText[kTextSlotSize];
  char explanation[kTextSlotSize];
  QuizQuestion* prev;
  QuizQuestion* next;
};

struct Quiz {
  Quiz();
  ~Quiz();
  Quiz(const Quiz&) = delete;
  Quiz& operator=(const Quiz&) = delete;

  // The colour values of construction; the loader replaces the background.
  static constexpr COLORREF kInitialBackground = 0x00965F5A;
  static constexpr COLORREF kWrongColour = 0x000000FF;
  static constexpr COLORREF kRightColour = 0x0000FF00;
  static constexpr COLORREF kAnagramColour = 0x000064FF;
  static constexpr COLORREF kHintColour = 0x0026CBFF;
  static constexpr COLORREF kQuestionLabelColour = 0x00C0FFFF;

  void addQuestion(const char* answer1, const char* answer2, const char* questionText);
  // Position k counted from 0; the last record when the list is shorter,
  // null only when the list is empty.
  QuizQuestion* questionAt(int k) const;
  HFONT createAnswerFont();

  QuizType type;
  char title[kTextSlotSize];
  char creator[kTextSlotSize];
  char quizExplanation[kTextSlotSize];
  char columnLabel1[kTextSlotSize];
  char columnLabel2[kTextSlotSize];
  std::int32_t questionCount;
  std::int32_t answersPerQuestion;
  char rewardCodes[kMaxQuestions][kTextSlotSize];
  RevealMode revealMode;
  HFONT answerFont;
  HFONT scoreFont;
  std::uint8_t backgroundRed;
  std::uint8_t backgroundBlue;
  std::uint8_t backgroundGreen;
  COLORREF backgroundColor;
  HBRUSH backgroundBrush;
  HBRUSH wrongBrush;
  HBRUSH rightBrush;
  HBRUSH anagramBrush;
  HBRUSH hintBrush;
  HBRUSH questionLabelBrush;
  HWND headerPanel;
  char mediaPrefix[512];
  QuizQuestion* head;
  QuizQuestion* tail;
};

}  // namespace mirvo
