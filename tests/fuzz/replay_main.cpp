// Runs a fuzz target's entry point over files, without libFuzzer: every file
// of each directory given, or each file given. The sanitizer build uses it to
// replay the corpus, so a crash that was found once stays fixed.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file.c_str());
    return false;
  }
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int files = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    if (std::filesystem::is_directory(arg)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(arg)) {
        if (!entry.is_regular_file()) continue;
        ok = replay(entry.path()) && ok;
        ++files;
      }
    } else {
      ok = replay(arg) && ok;
      ++files;
    }
  }
  if (files == 0) {
    std::fprintf(stderr, "no input files\n");
    return 1;
  }
  std::printf("replayed %d files\n", files);
  return ok ? 0 : 1;
}
