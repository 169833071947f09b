#include "quiz/lzw_codec.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace mirvo::lzw;

Bytes bytesOf(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Most significant bit first, as the format writes codes.
class CodeWriter {
 public:
  void put(std::uint32_t code, int width) {
    for (int b = width - 1; b >= 0; --b) {
      if (bits_ % 8 == 0) out_.push_back(0);
      if ((code >> b) & 1) out_.back() |= static_cast<std::uint8_t>(0x80 >> (bits_ % 8));
      ++bits_;
    }
  }
  Bytes bytes() const { return out_; }

 private:
  Bytes out_;
  std::size_t bits_ = 0;
};

// A writer of the same format built the slow, obvious way: whole strings in
// an ordered map, no shortcut for the reset. What it writes is what pack
// must write, bit for bit.
Bytes referencePack(const Bytes& in) {
  CodeWriter w;
  std::map<std::string, std::uint32_t> dict;
  std::uint32_t next = 259;
  int width = 9;
  auto codeOf = [&](const std::string& s) {
    return s.size() == 1 ? static_cast<std::uint8_t>(s[0]) : dict.at(s);
  };
  auto putCode = [&](std::uint32_t code) {
    while (code >= (1u << width)) w.put(257, width++);
    w.put(code, width);
  };
  std::string cur(1, static_cast<char>(in[0]));
  for (std::size_t i = 1; i < in.size(); ++i) {
    std::string cand = cur + static_cast<char>(in[i]);
    if (dict.count(cand) != 0) {
      cur = cand;
      continue;
    }
    dict[cand] = next++;
    putCode(codeOf(cur));
    cur = std::string(1, static_cast<char>(in[i]));
    if (next == 4096) {
      w.put(258, width);
      dict.clear();
      dict[cand] = 259;
      next = 260;
      width = 9;
    }
  }
  putCode(codeOf(cur));
  w.put(256, width);
  return w.bytes();
}

// French-like text: words from a small vocabulary with accented bytes.
Bytes frenchText(std::size_t n, unsigned seed) {
  static const char* const words[] = {"le ",     "la ",   "des ",        "questions ", ("r\xE9" "ponse "),
                                      "\xE9t\xE9 ", "quiz ", "bonjour ",    "pr\xE9nom ", "manga ",
                                      "anime ",  "et ",   "\xE0 ",        "tr\xE8s ",   "difficile. ",
                                      "il ",     "est ",  "une ",         "image ",     "ca\xF1on ",
                                      "Createur ", "mirvo ", "explications ", "du ",     "\r\n"};
  std::mt19937 rng(seed);
  Bytes out;
  while (out.size() < n) {
    const char* w = words[rng() % std::size(words)];
    for (; *w != 0 && out.size() < n; ++w) out.push_back(static_cast<std::uint8_t>(*w));
  }
  return out;
}

Bytes randomBytes(std::size_t n, unsigned seed, unsigned alphabet = 256) {
  std::mt19937 rng(seed);
  Bytes out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>('a' + rng() % alphabet - (alphabet == 256 ? 'a' : 0));
  return out;
}

Bytes packed(const Bytes& in) {
  Bytes out;
  EXPECT_EQ(pack(in, out), kOk);
  return out;
}

struct Sample {
  const char* name;
  Bytes bytes;
};

std::vector<Sample> samples() {
  std::vector<Sample> s;
  for (std::size_t n : {1u, 2u, 3u, 511u, 4096u, 20000u, 65535u}) {
    s.push_back({"text", frenchText(n, static_cast<unsigned>(n))});
    s.push_back({"random", randomBytes(n, static_cast<unsigned>(n) + 1)});
    // Small alphabets make the string re-added after a reset reachable again
    // later in the same dictionary generation (seed 0 does, at 65535 bytes).
    s.push_back({"two letters", randomBytes(n, 0, 2)});
    s.push_back({"three letters", randomBytes(n, 0, 3)});
    s.push_back({"one letter", Bytes(n, 'a')});
  }
  return s;
}

TEST(LzwPack, SmallInputsGiveTheDocumentedBytes) {
  const struct {
    const char* input;
    Bytes stream;
  } rows[] = {
      {"A", {0x20, 0xC0, 0x00}},
      {"abc", {0x30, 0x98, 0x8C, 0x70, 0x00}},
      {"aaa", {0x30, 0xC0, 0xE0, 0x00}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    const Bytes in = bytesOf(row.input);
    std::uint8_t* buf = nullptr;
    std::int32_t len = -1;
    ASSERT_EQ(pack(in.data(), static_cast<std::int32_t>(in.size()), &buf, &len), kOk);
    ASSERT_NE(buf, nullptr);
    EXPECT_EQ(len, static_cast<std::int32_t>(row.stream.size()) + 1);
    EXPECT_EQ(Bytes(buf, buf + row.stream.size()), row.stream);
    EXPECT_EQ(packedSize(), static_cast<std::int32_t>(row.stream.size()));
    std::free(buf);

    ASSERT_EQ(unpack(row.stream.data(), static_cast<std::int32_t>(row.stream.size()), &buf, &len), kOk);
    EXPECT_EQ(len, static_cast<std::int32_t>(in.size()) + 2);
    EXPECT_EQ(Bytes(buf, buf + in.size()), in);
    std::free(buf);
  }
}

TEST(LzwPack, MatchesAnIndependentWriterBitForBit) {
  for (const auto& s : samples()) {
    SCOPED_TRACE(std::string(s.name) + " of " + std::to_string(s.bytes.size()));
    EXPECT_EQ(packed(s.bytes), referencePack(s.bytes));
  }
}

TEST(LzwCodec, RoundTripsTextRandomAndRuns) {
  for (const auto& s : samples()) {
    SCOPED_TRACE(std::string(s.name) + " of " + std::to_string(s.bytes.size()));
    Bytes back;
    ASSERT_EQ(unpack(packed(s.bytes), back), kOk);
    EXPECT_EQ(back, s.bytes);
  }
}

TEST(LzwCodec, IncompressibleMaximumInputOutgrowsTheClassicBufferAndRoundTrips) {
  const Bytes in = randomBytes(kMaxInputSize, 7);
  std::uint8_t* buf = nullptr;
  std::int32_t len = 0;
  ASSERT_EQ(pack(in.data(), static_cast<std::int32_t>(in.size()), &buf, &len), kOk);
  EXPECT_GT(len, 80000);
  std::uint8_t* back = nullptr;
  std::int32_t backLen = 0;
  ASSERT_EQ(unpack(buf, len - 1, &back, &backLen), kOk);
  EXPECT_EQ(backLen, static_cast<std::int32_t>(in.size()) + 2);
  EXPECT_EQ(Bytes(back, back + in.size()), in);
  std::free(buf);
  std::free(back);
}

TEST(LzwUnpack, StreamOfAnotherCorrectWriterUnpacksTheSame) {
  // Nothing but 9-bit literals, with a reset each time the reader's next
  // free code would pass 4095.
  const Bytes in = randomBytes(50000, 11);
  CodeWriter w;
  std::uint32_t next = 259;
  w.put(in[0], 9);
  for (std::size_t i = 1; i < in.size(); ++i) {
    if (next == 4096) {
      w.put(258, 9);
      next = 259;
    }
    w.put(in[i], 9);
    ++next;
  }
  w.put(256, 9);
  Bytes back;
  ASSERT_EQ(unpack(w.bytes(), back), kOk);
  EXPECT_EQ(back, in);
}

TEST(LzwUnpack, ResultsOfGoodAndBadStreamsKeepWhatWasProduced) {
  // First literal 'a', then the rest as given.
  auto stream = [](std::initializer_list<std::pair<std::uint32_t, int>> codes) {
    CodeWriter w;
    w.put('a', 9);
    for (auto [code, width] : codes) w.put(code, width);
    return w.bytes();
  };
  CodeWriter fullDictionary;  // 3837 entries fill 259..4095; one more has no room
  fullDictionary.put('a', 9);
  for (int i = 0; i < 3838; ++i) fullDictionary.put('b', 9);
  fullDictionary.put(256, 9);
  CodeWriter wide;
  wide.put('a', 9);
  for (int width = 9; width <= 32; ++width) wide.put(257, width);

  const struct {
    const char* name;
    Bytes stream;
    std::int32_t result;
    std::string produced;
  } rows[] = {
      {"empty", {}, kNoInput, ""},
      {"cut inside the first code", {0x20}, kNoInput, ""},
      {"cut inside the second code", {0x30, 0x98}, kBadStream, ""},
      {"cut after two codes", {0x30, 0x98, 0x8C}, kBadStream, "a"},
      {"code above the next free code", stream({{'b', 9}, {261, 9}, {256, 9}}), kBadStream, "a"},
      {"the next free code itself", stream({{259, 9}, {256, 9}}), kOk, "aaa"},
      {"entry beyond 4095 without a reset", fullDictionary.bytes(), kBadStream, "a" + std::string(3836, 'b')},
      {"width beyond 32 bits", wide.bytes(), kBadStream, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Bytes out{1, 2, 3};
    EXPECT_EQ(unpack(row.stream, out), row.result);
    EXPECT_EQ(std::string(out.begin(), out.end()), row.produced);
    // A failed call leaves nothing behind for the next one.
    ASSERT_EQ(unpack(Bytes{0x20, 0xC0, 0x00}, out), kOk);
    EXPECT_EQ(out, bytesOf("A"));
  }
}

TEST(LzwCodec, EmptyAndOversizedInputs) {
  std::uint8_t* buf = nullptr;
  std::int32_t len = -1;
  EXPECT_EQ(pack(nullptr, 0, &buf, &len), kNoInput);
  EXPECT_NE(buf, nullptr);
  EXPECT_EQ(len, 1);
  std::free(buf);
  EXPECT_EQ(unpack(nullptr, 0, &buf, &len), kNoInput);
  EXPECT_NE(buf, nullptr);
  EXPECT_EQ(len, 2);
  std::free(buf);

  using StreamCodec = std::int32_t (*)(const std::uint8_t*, std::int32_t, std::uint8_t**, std::int32_t*);
  const struct {
    StreamCodec codec;
    std::size_t tooLarge;
  } rows[] = {{&pack, kMaxInputSize + 1}, {&unpack, kMaxPackedSize + 1}};
  for (const auto& [codec, size] : rows) {
    const Bytes big(size, 'x');
    buf = reinterpret_cast<std::uint8_t*>(1);
    len = -1;
    EXPECT_EQ(codec(big.data(), static_cast<std::int32_t>(big.size()), &buf, &len), kInputTooLarge);
    EXPECT_EQ(buf, nullptr);
    EXPECT_EQ(len, 0);
  }
  Bytes out{1};
  EXPECT_EQ(pack(Bytes(kMaxInputSize + 1, 'x'), out), kInputTooLarge);
  EXPECT_TRUE(out.empty());
}

TEST(LzwCodec, CountersDescribeTheLastCalls) {
  Bytes out;
  ASSERT_EQ(pack(bytesOf("abc"), out), kOk);
  EXPECT_EQ(inputSize(), 3);
  EXPECT_EQ(inputConsumed(), 3);
  EXPECT_EQ(packInputSize(), 3);
  EXPECT_EQ(packedSize(), 5);

  // Two trailing bytes after the end code are not read.
  Bytes stream = out;
  stream.insert(stream.end(), {0xFF, 0xFF});
  ASSERT_EQ(unpack(stream, out), kOk);
  EXPECT_EQ(inputSize(), 7);
  EXPECT_EQ(inputConsumed(), 5);
  EXPECT_EQ(packInputSize(), 3);
  EXPECT_EQ(packedSize(), 5);

  // A failed pack keeps the produced length of the last good one.
  EXPECT_EQ(pack(Bytes{}, out), kNoInput);
  EXPECT_EQ(packInputSize(), 0);
  EXPECT_EQ(packedSize(), 5);
}

}  // namespace
