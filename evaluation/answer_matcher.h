#pragma once
// How close a typed answer is to the expected one, named by one verdict word,
// and which expected answer belongs to which answer box. Portable: texts are
// Windows-1252 bytes compared as bytes; no allocation.

#include <cstddef>
#include <string_view>

namespace mirvo {

// Texts longer than this (the room of a text slot) are judged on their first
// kMaxJudgedLength bytes, as the player would read them from a box or slot.
inline constexpr std::size_t kMaxJudgedLength = 259;

// The figures behind a verdict, for a quiz maker who wants to know why.
struct MatchDetails {
  std::string_view verdict;   // one of mirvo::verdict::kAll
  int distance = 0;           // edit distance of the normalised texts (0 when nothing was typed)
  int contained = 0;          // findContained of the normalised texts (0 when not reached)
  int expectedLength = 0;     // after uppercasing
  int typedLength = 0;        // after trimming
  bool containmentTried = false;
};

// The verdict word for `typed` against `expected`. Only byte 32 is trimmed,
// and only from the typed text; only a-z are uppercased.
std::string_view matchAnswer(std::string_view expected, std::string_view typed);
MatchDetails explainMatch(std::string_view expected, std::string_view typed);

// Levenshtein distance with unit costs, on at most kMaxJudgedLength bytes of each.
int editDistance(std::string_view a, std::string_view b);

// Forward scan for the shorter text in the longer one that never steps back:
// 2 typed contains expected (typed at least as long), -2 expected contains
// typed (typed shorter), +1 / -1 the text sought is empty, 0 not found.
int findContained(std::string_view expected, std::string_view typed);

// Where the expected answer of an answer box lives: question position counted
// from 0 and which of its answers (1 or 2). Boxes run from 4001, question by
// question, answer by answer. Any answersPerQuestion but 2 is read as 1.
// A box id below 4001 gives a negative position; the caller decides.
struct AnswerSlot {
  int questionPosition = 0;
  int answerNumber = 1;
};
AnswerSlot answerSlotFor(int answersPerQuestion, int boxId);

}  // namespace mirvo
