// The quiz source loader on arbitrary text. Media paths resolve against a
// folder that does not exist, so no input reaches outside files. A source it
// accepts must be one the description and code writers take: `mirvo build`
// writes straight from it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/quiz_source.h"
#include "fuzz_check.h"
#include "quiz/description_format.h"

using namespace mirvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  cli::QuizSource source;
  std::string error;
  if (!cli::parseQuizSource(text, "fuzz.toml", "/nonexistent/mirvo-fuzz-media", source, error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  std::vector<std::uint8_t> bytes;
  FUZZ_CHECK(writeDescription(source.content, bytes) == WriteStatus::Ok);
  FUZZ_CHECK(writeRewardCodes(source.content, bytes) == WriteStatus::Ok);
  for (const cli::MediaFile& media : source.media) {
    FUZZ_CHECK(media.question >= 1 && media.question <= static_cast<int>(source.content.questions.size()));
  }
  // Writing the source back must not fail on anything the loader took.
  (void)cli::writeQuizSource(source.content, source.media, "");
  return 0;
}
