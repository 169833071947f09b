#include "quiz/quiz_model.h"

#include <cstring>

namespace mirvo {

namespace {

HFONT createPlainFont(LONG height, LONG weight) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  return CreateFontIndirectA(&font);
}

}  // namespace

void copyIntoSlot(std::span<char> slot, std::string_view text) {
  if (slot.empty()) return;
  std::size_t length = 0;
  for (char c : text) {
    if (length + 1 >= slot.size()) break;
    if (c != '\0') slot[length++] = c;
  }
  slot[length] = '\0';
}

Quiz::Quiz()
    : type(QuizType::Text),
      title{},
      creator{},
      quizExplanation{},
      columnLabel1{},
      columnLabel2{},
      questionCount(2),
      answersPerQuestion(1),
      rewardCodes{},
      revealMode(RevealMode::None),
      answerFont(nullptr),
      scoreFont(nullptr),
      backgroundRed(90),
      backgroundBlue(150),
      backgroundGreen(95),
      backgroundColor(0),
      backgroundBrush(nullptr),
      wrongBrush(nullptr),
      rightBrush(nullptr),
      anagramBrush(nullptr),
      hintBrush(nullptr),
      questionLabelBrush(nullptr),
      headerPanel(nullptr),
      mediaPrefix{},
      head(nullptr),
      tail(nullptr) {
  scoreFont = createPlainFont(25, 400);
  copyIntoSlot(title, "nom du mirvo");
  copyIntoSlot(creator, " createur");
  backgroundBrush = CreateSolidBrush(kInitialBackground);
  wrongBrush = CreateSolidBrush(kWrongColour);
  rightBrush = CreateSolidBrush(kRightColour);
  anagramBrush = CreateSolidBrush(kAnagramColour);
  hintBrush = CreateSolidBrush(kHintColour);
  questionLabelBrush = CreateSolidBrush(kQuestionLabelColour);
}

// The two fonts are deliberately not released: controls of panels that may
// outlive the quiz during shutdown still hold them.
Quiz::~Quiz() {
  for (HBRUSH brush : {backgroundBrush, wrongBrush, rightBrush, anagramBrush, hintBrush, questionLabelBrush}) {
    if (brush != nullptr) DeleteObject(brush);
  }
  QuizQuestion* node = head;
  while (node != nullptr) {
    QuizQuestion* next = node->next;
    delete node;
    node = next;
  }
  head = nullptr;
  tail = nullptr;
}

void Quiz::addQuestion(const char* answer1, const char* answer2, const char* questionText) {
  auto* record = new QuizQuestion{};
  copyIntoSlot(record->answer1, answer1 != nullptr ? answer1 : "");
  copyIntoSlot(record->answer2, answer2 != nullptr ? answer2 : "");
  copyIntoSlot(record->questionText, questionText != nullptr ? questionText : "");
  record->prev = tail;
  record->next = nullptr;
  if (tail != nullptr) tail->next = record;
  if (head == nullptr) head = record;
  tail = record;
}

QuizQuestion* Quiz::questionAt(int k) const {
  // Unsigned on purpose: a negative position walks to the last record
  // instead of returning nothing.
  const auto last = static_cast<unsigned>(k);
  QuizQuestion* found = nullptr;
  QuizQuestion* node = head;
  for (unsigned j = 0; node != nullptr && j <= last; ++j) {
    found = node;
    node = node->next;
  }
  return found;
}

HFONT Quiz::createAnswerFont() {
  answerFont = createPlainFont(15, 100);
  return answerFont;
}

}  // namespace mirvo
