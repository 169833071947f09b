#include "evaluation/answer_matcher.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "evaluation/verdict_words.h"
#include "ui/control_ids.h"

namespace mirvo {
namespace {

// A normalised copy of one text; the inputs of matchAnswer stay as they are.
struct JudgedText {
  std::array<char, kMaxJudgedLength> bytes{};
  std::size_t length = 0;
  std::string_view view() const { return {bytes.data(), length}; }
};

char upperAsciiOnly(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c; }

std::string_view capped(std::string_view text) { return text.substr(0, std::min(text.size(), kMaxJudgedLength)); }

JudgedText normalise(std::string_view text, bool trimBlanks) {
  text = capped(text);
  if (trimBlanks) {
    // Only byte 32: a tab or a non-breaking space is part of the answer.
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  }
  JudgedText out;
  out.length = text.size();
  std::transform(text.begin(), text.end(), out.bytes.begin(), upperAsciiOnly);
  return out;
}

bool sameBytesSameCounts(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::array<int, 256> balance{};
  for (unsigned char c : a) ++balance[c];
  for (unsigned char c : b) --balance[c];
  return std::all_of(balance.begin(), balance.end(), [](int n) { return n == 0; });
}

}  // namespace

int editDistance(std::string_view a, std::string_view b) {
  a = capped(a);
  b = capped(b);
  if (a.empty()) return static_cast<int>(b.size());
  if (b.empty()) return static_cast<int>(a.size());

  // The full table of 260 x 260 cells costs a few hundred microseconds for two
  // long texts; this computes the same last row column by column with the
  // table's columns held as bit vectors of vertical differences (+1 / -1 per
  // row, bit i for row i + 1 of a), 64 rows a word (Myers' method, in Hyyro's
  // form for several words). The unit tests hold it against the full table.
  constexpr std::size_t kBits = 64;
  constexpr std::size_t kMaxWords = (kMaxJudgedLength + kBits - 1) / kBits;
  using Word = std::uint64_t;
  const std::size_t words = (a.size() + kBits - 1) / kBits;
  const Word lastRowBit = Word{1} << ((a.size() - 1) % kBits);
  constexpr Word kHighBit = Word{1} << (kBits - 1);

  std::array<std::array<Word, kMaxWords>, 256> matches{};  // rows of a holding each byte
  for (std::size_t i = 0; i < a.size(); ++i) {
    matches[static_cast<unsigned char>(a[i])][i / kBits] |= Word{1} << (i % kBits);
  }
  std::array<Word, kMaxWords> plusV;
  std::array<Word, kMaxWords> minusV{};
  plusV.fill(~Word{0});  // column 0 is 0, 1, 2, ...: every step down is +1
  int distance = static_cast<int>(a.size());

  for (unsigned char c : b) {
    int carry = 1;  // row 0 is 0, 1, 2, ...: every step right is +1
    for (std::size_t w = 0; w < words; ++w) {
      const Word pv = plusV[w];
      const Word mv = minusV[w];
      const Word carryNegative = carry < 0 ? 1 : 0;
      Word eq = matches[c][w];
      const Word xv = eq | mv;
      eq |= carryNegative;
      const Word xh = (((eq & pv) + pv) ^ pv) | eq;
      Word ph = mv | ~(xh | pv);
      Word mh = pv & xh;
      const Word outBit = w + 1 == words ? lastRowBit : kHighBit;
      const int carryOut = ((ph & outBit) != 0 ? 1 : 0) - ((mh & outBit) != 0 ? 1 : 0);
      ph = (ph << 1) | (carry > 0 ? 1 : 0);
      mh = (mh << 1) | carryNegative;
      plusV[w] = mh | ~(xv | ph);
      minusV[w] = ph & xv;
      carry = carryOut;
    }
    distance += carry;
  }
  return distance;
}

int findContained(std::string_view expected, std::string_view typed) {
  const bool typedAtLeastAsLong = typed.size() >= expected.size();
  const std::string_view sought = typedAtLeastAsLong ? expected : typed;
  const std::string_view searched = typedAtLeastAsLong ? typed : expected;
  const int sign = typedAtLeastAsLong ? 1 : -1;
  if (sought.empty()) return sign;

  std::size_t i = 0;
  for (;;) {
    while (i < searched.size() && searched[i] != sought[0]) ++i;
    if (i == searched.size()) return 0;
    // Each attempt resumes where the previous one stopped, never one past its
    // start: an occurrence overlapping a failed partial match is missed. Kept
    // on purpose: the hints players get for such answers depend on it.
    std::size_t j = 0;
    while (j < sought.size() && i < searched.size() && sought[j] == searched[i]) {
      ++i;
      ++j;
    }
    if (j == sought.size()) return 2 * sign;
  }
}

MatchDetails explainMatch(std::string_view expected, std::string_view typed) {
  const JudgedText e = normalise(expected, false);
  const JudgedText t = normalise(typed, true);
  MatchDetails m;
  m.expectedLength = static_cast<int>(e.length);
  m.typedLength = static_cast<int>(t.length);
  const int le = m.expectedLength;
  const int lt = m.typedLength;

  if (lt == 0) {
    m.verdict = verdict::kNothingTyped;
    return m;
  }
  m.distance = editDistance(e.view(), t.view());
  const int d = m.distance;
  if (d == 0) {
    m.verdict = verdict::kRight;
  } else if (sameBytesSameCounts(e.view(), t.view())) {
    // Before the distance rules: "BA" for "AB" is two edits but an anagram.
    m.verdict = verdict::kAnagram;
  } else if (d == 1) {
    m.verdict = verdict::kOneEdit;
  } else if (d == 2) {
    m.verdict = verdict::kTwoEdits;
  } else {
    m.containmentTried = true;
    m.contained = findContained(e.view(), t.view());
    // Integer forms of the strict percentages 100*LT/LE > 70, > 50 and
    // 100*(L-d)/L > 80; for lengths up to 259 they agree with the float forms
    // at every boundary and need no rounding care.
    if (m.contained == -2) {
      if (le >= 10 && 10 * lt > 7 * le) {
        m.verdict = verdict::kTooShort;
      } else if (le >= 10 && 2 * lt > le) {
        m.verdict = verdict::kNotFar;
      } else {
        m.verdict = verdict::kWrong;
      }
    } else if (m.contained == 2) {
      m.verdict = verdict::kTooLong;
    } else {
      const int l = std::max(le, lt);
      m.verdict = 5 * d < l ? verdict::kMostlyAlike : verdict::kWrong;
    }
  }
  return m;
}

std::string_view matchAnswer(std::string_view expected, std::string_view typed) {
  return explainMatch(expected, typed).verdict;
}

AnswerSlot answerSlotFor(int answersPerQuestion, int boxId) {
  if (answersPerQuestion == 2) {
    // Odd identifiers hold the first answer: 4001 -> (0, 1), 4002 -> (0, 2), 4003 -> (1, 1).
    const int q = (boxId - (kAnswerBoxBase - 1)) / 2;
    return {q - 1, (boxId & 1) != 0 ? 1 : 2};
  }
  return {boxId - kAnswerBoxBase - 1, 1};
}

}  // namespace mirvo
