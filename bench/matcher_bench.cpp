// One judgement of two texts as long as a slot holds, taken through every rule
// down to the similarity test (no early verdict, a full containment scan).
#include <benchmark/benchmark.h>

#include <string>

#include "evaluation/answer_matcher.h"

namespace {

void judgeTwoFullSlots(benchmark::State& state) {
  std::string expected(259, ' ');
  for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<char>('a' + i % 26);
  // Three bytes off at the end: distance 3, no anagram, no containment, and
  // the partial match at the start runs almost the whole text.
  std::string typed = expected;
  typed.replace(typed.size() - 3, 3, "###");
  for (auto _ : state) {
    benchmark::DoNotOptimize(expected.data());
    benchmark::DoNotOptimize(typed.data());
    benchmark::DoNotOptimize(mirvo::matchAnswer(expected, typed));
  }
}
BENCHMARK(judgeTwoFullSlots)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
