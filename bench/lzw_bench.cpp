// Pack and unpack speed of the quiz codec on the largest input it takes.
//   lzw_bench [benchmark flags]        run the benchmarks
//   lzw_bench --write-inputs DIR       write the inputs (text.bin, random.bin)
//                                      so other tools can be timed on them
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "quiz/lzw_codec.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// French-like text in Windows-1252: sentences from a fixed vocabulary.
Bytes frenchText() {
  static const char* const words[] = {
      "le",       "la",         "les",     "des",       "une",      "question", "r\xE9ponse", "\xE9t\xE9",
      "quiz",     "pr\xE9nom",  "nom",     "manga",     "anime",    "et",       "\xE0",       "tr\xE8s",
      "difficile", "il",        "est",     "image",     "caf\xE9",  "go\xFBt",  "for\xEAt",   "d\xE9j\xE0",
      "Createur", "explications", "du",    "personnage", "s\xE9rie", "combien", "o\xF9",       "quel",
      "fran\xE7" "ais", "premier", "dernier", "\xE9pisode", "ann\xE9" "e", "grand", "petit", "monde"};
  std::mt19937 rng(2024);
  Bytes out;
  bool capital = true;
  while (out.size() < mirvo::lzw::kMaxInputSize) {
    std::string w = words[rng() % std::size(words)];
    if (capital && w[0] >= 'a' && w[0] <= 'z') w[0] = static_cast<char>(w[0] - 'a' + 'A');
    capital = false;
    const unsigned r = rng() % 12;
    w += r == 0 ? ". " : r == 1 ? ", " : r == 2 ? " ?\r\n" : " ";
    capital = r == 0 || r == 2;
    out.insert(out.end(), w.begin(), w.end());
  }
  out.resize(mirvo::lzw::kMaxInputSize);
  return out;
}

Bytes randomBytes() {
  std::mt19937 rng(7);
  Bytes out(mirvo::lzw::kMaxInputSize);
  for (auto& b : out) b = static_cast<std::uint8_t>(rng());
  return out;
}

const Bytes& input(int which) {
  static const Bytes text = frenchText();
  static const Bytes random = randomBytes();
  return which == 0 ? text : random;
}

const char* nameOf(int which) { return which == 0 ? "text" : "random"; }

void BM_Pack(benchmark::State& state) {
  const Bytes& in = input(static_cast<int>(state.range(0)));
  Bytes out;
  for (auto _ : state) {
    if (mirvo::lzw::pack(in, out) != mirvo::lzw::kOk) state.SkipWithError("pack failed");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
  state.SetLabel(std::string(nameOf(static_cast<int>(state.range(0)))) + ", packed to " +
                 std::to_string(out.size()) + " bytes");
}

// Counted in unpacked bytes, so both directions are per byte of the same input.
void BM_Unpack(benchmark::State& state) {
  const Bytes& in = input(static_cast<int>(state.range(0)));
  Bytes packed, out;
  mirvo::lzw::pack(in, packed);
  for (auto _ : state) {
    if (mirvo::lzw::unpack(packed, out) != mirvo::lzw::kOk) state.SkipWithError("unpack failed");
    benchmark::DoNotOptimize(out.data());
  }
  if (out != in) state.SkipWithError("unpack does not give the input back");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
  state.SetLabel(nameOf(static_cast<int>(state.range(0))));
}

BENCHMARK(BM_Pack)->Arg(0)->Arg(1);
BENCHMARK(BM_Unpack)->Arg(0)->Arg(1);

bool writeInputs(const std::string& dir) {
  for (int which : {0, 1}) {
    std::ofstream f(dir + "/" + nameOf(which) + ".bin", std::ios::binary);
    f.write(reinterpret_cast<const char*>(input(which).data()), static_cast<std::streamsize>(input(which).size()));
    if (!f) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-inputs") == 0) {
    if (writeInputs(argv[2])) return 0;
    std::fprintf(stderr, "lzw_bench: cannot write the inputs to %s\n", argv[2]);
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
