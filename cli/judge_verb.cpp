// `mirvo judge EXPECTED TYPED [--explain]`: the verdict the player would show.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli/text_encoding.h"
#include "cli/verbs.h"
#include "evaluation/answer_matcher.h"

namespace mirvo::cli {
namespace {

struct JudgeOptions {
  std::string expected;
  std::string typed;
  bool explain = false;
};

std::string utf8Of(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    s += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
  } else if (c < 0x10000) {
    s += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
  } else {
    s += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
          static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
  return s;
}

// The text as the player holds it, or a one-line message on stderr and exit 2.
std::string toQuizBytes(const std::string& utf8, const char* name) {
  std::string bytes;
  EncodingError error;
  if (!utf8ToCp1252(utf8, bytes, error)) {
    if (error.codePoint == 0) {
      std::cerr << "mirvo judge: " << name << " is not valid UTF-8 (byte " << error.offset << ")\n";
    } else {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(error.codePoint));
      std::cerr << "mirvo judge: " << name << " holds " << code;
      // C1 controls have no glyph worth printing.
      if (error.codePoint > 0x9F) std::cerr << " (" << utf8Of(error.codePoint) << ")";
      std::cerr << ", which Windows-1252 cannot hold\n";
    }
    throw CLI::RuntimeError(2);
  }
  if (bytes.size() > kMaxJudgedLength) {
    // The player never holds more: a text slot and an answer box stop at 259.
    std::cerr << "mirvo judge: " << name << " is " << bytes.size() << " characters long; at most "
              << kMaxJudgedLength << " fit an answer\n";
    throw CLI::RuntimeError(2);
  }
  return bytes;
}

void runJudge(const JudgeOptions& options) {
  const std::string expected = toQuizBytes(options.expected, "EXPECTED");
  const std::string typed = toQuizBytes(options.typed, "TYPED");
  const MatchDetails details = explainMatch(expected, typed);
  std::cout << cp1252ToUtf8(details.verdict) << '\n';
  if (options.explain) {
    std::cout << "distance ";
    if (details.typedLength == 0) {
      std::cout << "not reached";
    } else {
      std::cout << details.distance;
    }
    std::cout << ", containment ";
    if (details.containmentTried) {
      std::cout << details.contained;
    } else {
      std::cout << "not reached";
    }
    std::cout << ", expected length " << details.expectedLength << ", typed length " << details.typedLength
              << " (after trimming)\n";
  }
  std::cout.flush();
}

}  // namespace

void addJudgeVerb(CLI::App& app) {
  auto options = std::make_shared<JudgeOptions>();
  CLI::App* judge = app.add_subcommand("judge", "Print the verdict the player gives TYPED for EXPECTED");
  judge->add_option("EXPECTED", options->expected, "the expected answer, as stored (not trimmed)")->required();
  judge->add_option("TYPED", options->typed, "the typed answer, as read from the box")->required();
  judge->add_flag("--explain", options->explain, "add a line with the distance, containment result and lengths");
  judge->callback([options] { runJudge(*options); });
}

}  // namespace mirvo::cli
