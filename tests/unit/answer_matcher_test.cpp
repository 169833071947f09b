#include "evaluation/answer_matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "evaluation/verdict_words.h"

namespace mirvo {
namespace {

namespace v = verdict;

struct VerdictCase {
  std::string expected;
  std::string typed;
  std::string_view verdict;
};

void expectVerdicts(const std::vector<VerdictCase>& cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(matchAnswer(c.expected, c.typed), c.verdict)
        << "expected \"" << c.expected << "\", typed \"" << c.typed << "\"";
  }
}

TEST(VerdictWords, AreTheSystemsBytesAndZeroTerminated) {
  const std::vector<std::string_view> words = {
      "?", "BRAVO", "Anagramme", "Quasiment", "Presque", "Trop court", "pas loin", "Trop long",
      std::string_view("y a de l'id\xE9" "e", 13), "FAUX"};
  EXPECT_TRUE(std::equal(words.begin(), words.end(), v::kAll.begin(), v::kAll.end()));
  EXPECT_EQ(static_cast<unsigned char>(v::kMostlyAlike[11]), 0xE9);
  for (auto w : v::kAll) EXPECT_EQ(w.data()[w.size()], '\0') << w;
}

TEST(MatchAnswer, TrimsOnlySpacesOfTheTypedTextAndUppercasesOnlyAsciiLetters) {
  expectVerdicts({
      {"Paris", "  paris ", v::kRight},
      {"Paris", "PARIS", v::kRight},
      {"Paris", "paris\t", v::kOneEdit},        // a tab is not trimmed
      {"Paris", "\xA0paris", v::kOneEdit},      // nor a non-breaking space
      {"\xC9t\xE9", "\xE9t\xE9", v::kOneEdit},  // accented letters keep their case
      {"Rome ", "Rome", v::kOneEdit},           // the expected answer is not trimmed
      {" Rome", "  Rome  ", v::kOneEdit},
      {"a b", "A  B", v::kOneEdit},             // inner blanks stay
      {"[", "{", v::kOneEdit},                  // bytes next to the letter ranges are not case pairs
      {"@", "`", v::kOneEdit},
  });
}

TEST(MatchAnswer, NothingButSpacesTypedIsUnanswered) {
  expectVerdicts({
      {"Paris", "", v::kNothingTyped},
      {"Paris", "     ", v::kNothingTyped},
      {"", "", v::kNothingTyped},
      {"   ", " ", v::kNothingTyped},
      {"Paris", "\t", v::kWrong},
  });
}

TEST(MatchAnswer, AnagramComesBeforeTheDistanceRules) {
  expectVerdicts({
      {"Roma", "amor", v::kAnagram},
      {"AB", "ba", v::kAnagram},    // distance 2, yet an anagram
      {"ABC", "acb", v::kAnagram},
      {"AAB", "ABB", v::kOneEdit},  // same length, other counts
      {"chat", "chats", v::kOneEdit},
      {"ABCDEFGHIJ", "ABCDEFGH", v::kTwoEdits},  // distance rules before containment
  });
}

TEST(MatchAnswer, TypedPieceOfALongAnswerIsJudgedByItsShare) {
  expectVerdicts({
      {"ABCDEFGHIJ", "ABCDEFG", v::kNotFar},   // exactly 70 %
      {"ABCDEFGHIJ", "ABCDEF", v::kNotFar},
      {"ABCDEFGHIJ", "ABCDE", v::kWrong},      // exactly 50 %
      {"ABCDEFGHIJ", "BCDEFGH", v::kNotFar},
      {"ABCDEFGHIJK", "ABCDEFGH", v::kTooShort},
      {"ABCDEFGHIJKLMNOPQRST", "abcdefghijklmno", v::kTooShort},  // 75 %
      {"ABCDEFGHIJKLMNOPQRST", "abcdefghijklmn", v::kNotFar},     // 70 %
      {"ABCDEFGHIJKLMNOPQRST", "abcdefghijk", v::kNotFar},        // 55 %
      {"ABCDEFGHIJKLMNOPQRST", "abcdefghij", v::kWrong},          // 50 %
      {"ABCDEFGHI", "ABCDEF", v::kWrong},                         // expected shorter than 10
  });
}

TEST(MatchAnswer, ExpectedFoundInALongerTypedTextIsTooLong) {
  expectVerdicts({
      {"chat", "le chat noir", v::kTooLong},
      {"chat", "chattes", v::kTooLong},
      {"A", "XXXXXXXXXXAXXXXXXXXX", v::kTooLong},  // whatever the lengths
      {"AAB", "XAABXXX", v::kTooLong},
  });
}

TEST(MatchAnswer, ContainmentScanMissesAnOccurrenceOverlappingAFailedAttempt) {
  expectVerdicts({
      {"AAB", "AAABXXX", v::kWrong},
      {"XAABCDEFGHXY", "aabcdefgh", v::kTooShort},
      {"AAABCDEFGHXY", "aabcdefgh", v::kWrong},  // the same piece, missed after "AA" failed
  });
}

TEST(MatchAnswer, OtherwiseMoreThanEightyPercentAlike) {
  expectVerdicts({
      {"ABCDEFGHIJKLMNO", "ABCDEFGHIJKLXYZ", v::kWrong},  // exactly 80 %
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMXYZ", v::kMostlyAlike},
      {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOXYZ", v::kMostlyAlike},  // L is the longer length
      {"ABCDEF", "XYZ", v::kWrong},
  });
}

TEST(MatchAnswer, EmptyExpectedAnswer) {
  expectVerdicts({
      {"", "a", v::kOneEdit},
      {"", "ab", v::kTwoEdits},
      {"", "abc", v::kWrong},
      {"", "  abcdefghijkl  ", v::kWrong},
  });
}

TEST(MatchAnswer, TextsBeyondASlotAreJudgedOnTheirFirst259Bytes) {
  const std::string slot(259, 'a');
  EXPECT_EQ(matchAnswer(slot + "xyz", slot + "q"), v::kRight);
  EXPECT_EQ(matchAnswer(std::string(259, 'B') + "A", std::string(300, 'B')), v::kRight);
  const MatchDetails d = explainMatch(std::string(1000, 'x'), std::string(1000, 'y'));
  EXPECT_EQ(d.distance, 259);
  EXPECT_EQ(d.expectedLength, 259);
  EXPECT_EQ(d.typedLength, 259);
}

TEST(ExplainMatch, GivesTheFiguresBehindTheVerdict) {
  const MatchDetails piece = explainMatch("ABCDEFGHIJ", "  abcdefg ");
  EXPECT_EQ(piece.verdict, v::kNotFar);
  EXPECT_EQ(piece.distance, 3);
  EXPECT_TRUE(piece.containmentTried);
  EXPECT_EQ(piece.contained, -2);
  EXPECT_EQ(piece.expectedLength, 10);
  EXPECT_EQ(piece.typedLength, 7);
  const MatchDetails near = explainMatch("chat", "chats");
  EXPECT_EQ(near.distance, 1);
  EXPECT_FALSE(near.containmentTried);
}

TEST(EditDistance, CountsUnitEditsOnRawBytes) {
  struct Case {
    std::string a, b;
    int distance;
  };
  const std::vector<Case> cases = {
      {"", "", 0},          {"", "abc", 3},      {"abc", "", 3},      {"kitten", "sitting", 3},
      {"flaw", "lawn", 2},  {"AB", "BA", 2},     {"a", "A", 1},       {"abc", "abc", 0},
      {"abcdef", "azced", 3},
      {std::string(259, 'a'), std::string(259, 'b'), 259},
      {std::string(259, 'a'), "", 259},
      {std::string(500, 'a'), "", 259},  // never past the table
  };
  for (const auto& c : cases) {
    EXPECT_EQ(editDistance(c.a, c.b), c.distance) << c.a.substr(0, 20) << " / " << c.b.substr(0, 20);
    EXPECT_EQ(editDistance(c.b, c.a), c.distance) << "swapped";
  }
}

TEST(FindContained, ScansForwardWithoutSteppingBack) {
  struct Case {
    std::string expected, typed;
    int result;
  };
  const std::vector<Case> cases = {
      {"AAB", "XAABXXX", 2},
      {"AAB", "AAABXXX", 0},  // "AAB" at 1 overlaps the failed attempt at 0
      {"ab", "aab", 2},       // a failed attempt resumes on the byte where it stopped
      {"ab", "xaxab", 2},
      {"abc", "xxab", 0},     // the partial match runs off the end
      {"abc", "abc", 2},      // equal lengths: typed is the one searched
      {"abcdef", "cde", -2},
      {"abcdef", "cdx", 0},
      {"abc", "xyz", 0},
      {"", "abc", 1},
      {"abc", "", -1},
      {"", "", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(findContained(c.expected, c.typed), c.result) << c.expected << " / " << c.typed;
  }
}

TEST(AnswerSlotFor, MapsBoxIdentifiersQuestionByQuestionAnswerByAnswer) {
  struct Case {
    int answersPerQuestion, boxId, position, answer;
  };
  const std::vector<Case> cases = {
      {1, 4001, 0, 1}, {1, 4002, 1, 1}, {1, 4096, 95, 1},
      {2, 4001, 0, 1}, {2, 4002, 0, 2}, {2, 4003, 1, 1}, {2, 4004, 1, 2}, {2, 4192, 95, 2},
      {0, 4003, 2, 1}, {3, 4003, 2, 1},  // no other scheme exists: read as one answer
  };
  for (const auto& c : cases) {
    const AnswerSlot slot = answerSlotFor(c.answersPerQuestion, c.boxId);
    EXPECT_EQ(slot.questionPosition, c.position) << c.answersPerQuestion << " / " << c.boxId;
    EXPECT_EQ(slot.answerNumber, c.answer) << c.answersPerQuestion << " / " << c.boxId;
  }
}

// --- An independent, deliberately plain version of the rules, for comparison.

namespace reference {

std::string upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return s;
}

int distance(const std::string& a, const std::string& b) {
  std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int>(i);
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
    }
  }
  return d[a.size()][b.size()];
}

int contained(const std::string& e, const std::string& t) {
  const bool typedLonger = t.size() >= e.size();
  const std::string& s = typedLonger ? e : t;
  const std::string& g = typedLonger ? t : e;
  const int sign = typedLonger ? 1 : -1;
  if (s.empty()) return sign;
  std::size_t i = 0;
  while (true) {
    std::size_t found = g.find(s[0], i);
    if (found == std::string::npos) return 0;
    i = found;
    std::size_t j = 0, k = 0;
    while (j < s.size() && i < g.size() && s[j] == g[i]) ++i, ++j, ++k;
    if (k == s.size()) return 2 * sign;
  }
}

std::string_view pieceVerdict(int le, int lt) {
  if (le >= 10) {
    const float ratio = 100.0f * static_cast<float>(lt) / static_cast<float>(le);
    if (ratio > 70.0f) return v::kTooShort;
    if (ratio > 50.0f) return v::kNotFar;
  }
  return v::kWrong;
}

std::string_view similarityVerdict(int l, int d) { return 100.0 * (l - d) / l > 80.0 ? v::kMostlyAlike : v::kWrong; }

std::string_view verdictOf(const std::string& expected, const std::string& typed) {
  std::string t = typed;
  t.erase(t.find_last_not_of(' ') + 1);
  t.erase(0, t.find_first_not_of(' '));
  t = upper(t);
  const std::string e = upper(expected);
  const int le = static_cast<int>(e.size());
  const int lt = static_cast<int>(t.size());
  if (lt == 0) return v::kNothingTyped;
  const int d = distance(e, t);
  if (d == 0) return v::kRight;
  std::string se = e, st = t;
  std::sort(se.begin(), se.end());
  std::sort(st.begin(), st.end());
  if (se == st) return v::kAnagram;
  if (d == 1) return v::kOneEdit;
  if (d == 2) return v::kTwoEdits;
  const int m = contained(e, t);
  if (m == -2) return pieceVerdict(le, lt);
  if (m == 2) return v::kTooLong;
  return similarityVerdict(std::max(le, lt), d);
}

}  // namespace reference

TEST(MatchAnswer, AgreesWithAPlainVersionOnRandomPairs) {
  std::mt19937 rng(20240611);
  const std::string alphabet = "aAbB \t\xE9\xC9";
  auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
  auto randomText = [&](std::size_t maxLength) {
    std::string s(pick(maxLength + 1), ' ');
    for (char& c : s) c = alphabet[pick(alphabet.size())];
    return s;
  };
  // Typed texts near the expected one, so that every rule gets its turn.
  auto nearText = [&](const std::string& e) {
    std::string t = e;
    switch (pick(4)) {
      case 0:
        if (!t.empty()) t = t.substr(pick(t.size()), pick(t.size() + 1));
        break;
      case 1:
        t = randomText(3) + t + randomText(3);
        break;
      case 2:
        std::shuffle(t.begin(), t.end(), rng);
        break;
      default:
        for (std::size_t n = pick(4); n > 0; --n) {
          const std::size_t at = pick(t.size() + 1);
          switch (pick(3)) {
            case 0: t.insert(at, 1, alphabet[pick(alphabet.size())]); break;
            case 1: if (at < t.size()) t.erase(at, 1); break;
            default: if (at < t.size()) t[at] = alphabet[pick(alphabet.size())]; break;
          }
        }
    }
    if (pick(3) == 0) t = std::string(pick(3), ' ') + t + std::string(pick(3), ' ');
    return t;
  };

  std::set<std::string_view> seen;
  for (int n = 0; n < 200000; ++n) {
    const std::string e = randomText(n % 3 == 0 ? 4 : 16);
    const std::string t = pick(2) == 0 ? randomText(16) : nearText(e);
    const std::string_view want = reference::verdictOf(e, t);
    ASSERT_EQ(matchAnswer(e, t), want) << "expected \"" << e << "\", typed \"" << t << "\"";
    seen.insert(want);
  }
  // The pairs must have reached every rule for the comparison to mean anything.
  EXPECT_EQ(seen.size(), v::kAll.size());
}

// The distance of long texts crosses the 64-row words of a fast implementation;
// lengths around each word edge are drawn more often.
TEST(EditDistance, AgreesWithTheFullTableOnRandomLongPairs) {
  std::mt19937 rng(7);
  const std::vector<std::size_t> edges = {0, 1, 2, 63, 64, 65, 127, 128, 129, 191, 192, 193, 255, 256, 257, 258, 259};
  auto length = [&] {
    if (rng() % 2 == 0) return edges[rng() % edges.size()];
    return static_cast<std::size_t>(rng() % 260);
  };
  for (int n = 0; n < 3000; ++n) {
    const std::string alphabet = n % 2 == 0 ? "ab" : "abcdefgh\xE9\x80";
    auto text = [&] {
      std::string s(length(), ' ');
      for (char& c : s) c = alphabet[rng() % alphabet.size()];
      return s;
    };
    const std::string a = text();
    // Half the pairs are near each other, where the distance is small.
    std::string b = text();
    if (n % 4 == 1) {
      b = a;
      for (int k = rng() % 6; k > 0 && !b.empty(); --k) b[rng() % b.size()] = alphabet[rng() % alphabet.size()];
      if (!b.empty() && rng() % 2 == 0) b.erase(rng() % b.size(), 1);
    }
    ASSERT_EQ(editDistance(a, b), reference::distance(a, b)) << a.size() << " x " << b.size() << ": " << a << " / " << b;
  }
}

// Random pairs rarely land on a percentage boundary of long texts; walk them all.
TEST(MatchAnswer, PercentageRulesAgreeWithFloatArithmeticAtEveryLength) {
  const std::string letters(259, 'A');
  for (int le = 10; le <= 259; ++le) {
    for (int lt = 1; lt <= le - 3; ++lt) {  // a prefix: distance le - lt > 2, contained (-2)
      const std::string e = letters.substr(0, le), t = letters.substr(0, lt);
      ASSERT_EQ(matchAnswer(e, t), reference::pieceVerdict(le, lt)) << le << " / " << lt;
    }
  }
  for (int l = 3; l <= 259; ++l) {
    for (int d = 3; d <= l; ++d) {  // d bytes replaced: same length, no containment
      const std::string e = letters.substr(0, l);
      std::string t = e;
      std::fill_n(t.begin(), d, 'B');
      ASSERT_EQ(matchAnswer(e, t), reference::similarityVerdict(l, d)) << l << " / " << d;
    }
  }
}

}  // namespace
}  // namespace mirvo
