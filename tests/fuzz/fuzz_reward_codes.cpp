// The reward-code reader: the first byte gives the question count (up to a
// few beyond the 96 slots), the rest is the code list.
#include <cstdint>
#include <span>
#include <string>

#include "fuzz_check.h"
#include "quiz/description_format.h"

using namespace mirvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  QuizContent quiz;
  quiz.questions.resize(data[0] % 100);
  quiz.rewardCodes = {"kept"};
  const ReadStatus status = readRewardCodes(std::span<const std::uint8_t>(data + 1, size - 1), quiz);
  if (status != ReadStatus::Ok) {
    FUZZ_CHECK(quiz.rewardCodes.size() == 1 && quiz.rewardCodes[0] == "kept");
    return 0;
  }
  FUZZ_CHECK(quiz.questions.size() <= static_cast<std::size_t>(kMaxQuestions));
  FUZZ_CHECK(quiz.rewardCodes.size() == quiz.questions.size());
  for (const std::string& code : quiz.rewardCodes) {
    FUZZ_CHECK(code.size() <= kMaxTextLength);
    FUZZ_CHECK(code.find('\r') == std::string::npos && code.find('\0') == std::string::npos);
  }
  return 0;
}
