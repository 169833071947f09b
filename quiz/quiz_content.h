#pragma once
// The quiz as the resources describe it, without any drawing object: what the
// description reader produces, the writer consumes, and the authoring tool and
// the player's model are filled from. Portable: no Windows header.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirvo {

// A text slot holds at most 259 bytes and its terminating zero.
inline constexpr std::size_t kTextSlotSize = 260;
inline constexpr std::size_t kMaxTextLength = kTextSlotSize - 1;
// Bounded by the reward-code slots, the clip clean-up and the button ranges.
inline constexpr int kMaxQuestions = 96;

enum class QuizType : std::int32_t { Text = 0, Picture = 1, Audio = 2, Video = 3 };
enum class RevealMode : std::int32_t { None = 0, AnswerPicture = 1, ExplanationText = 2, TextAndPicture = 3 };

constexpr bool isMediaType(QuizType t) { return t == QuizType::Audio || t == QuizType::Video; }
constexpr bool isGridType(QuizType t) { return t == QuizType::Picture || isMediaType(t); }

// Texts are Windows-1252 bytes, never UTF-8.
struct QuestionContent {
  std::string answer1;
  std::string answer2;       // empty when the quiz has one answer per question
  std::string questionText;
  std::string explanation;   // read in reveal modes 2 and 3 only
  std::string revealExtra;   // second field of a reveal-mode-3 pair; the player ignores it
  friend bool operator==(const QuestionContent&, const QuestionContent&) = default;
};

struct QuizContent {
  std::uint8_t leadByte = 0;  // byte 0 of the description, not read by the player
  QuizType type = QuizType::Text;
  std::int32_t answersPerQuestion = 1;
  RevealMode revealMode = RevealMode::None;
  std::string title;
  std::string creator;
  std::string quizExplanation;
  std::string columnLabel1;
  std::string columnLabel2;
  std::vector<QuestionContent> questions;
  std::uint8_t backgroundRed = 90;
  std::uint8_t backgroundGreen = 95;
  std::uint8_t backgroundBlue = 150;
  // Slot i is the code shown for a score of i + 1; at most one per question.
  std::vector<std::string> rewardCodes;
  friend bool operator==(const QuizContent&, const QuizContent&) = default;
};

}  // namespace mirvo
