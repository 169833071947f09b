// make_hostile_quiz PLAYER OUT RESOURCE...
// Writes OUT: a copy of PLAYER whose "PATCH" and "IMG" resources are replaced
// by the ones given, byte for byte, without any of the checks `mirvo build`
// makes. RESOURCE is TYPE/NUMBER=FILE for the file's bytes as they are, or
// TYPE/NUMBER+=FILE for the file packed with the quiz codec first.
// make_hostile_quiz --pack IN OUT packs IN alone, for streams to cut.
// For tests that feed the player quizzes no authoring tool would write.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "cli/pe_image.h"
#include "cli/pe_resource_writer.h"
#include "quiz/lzw_codec.h"

using namespace mirvo;

namespace {

constexpr std::uint16_t kFrench = 0x040C;

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool parseResource(std::string_view arg, cli::Resource& out) {
  const auto slash = arg.find('/');
  const auto equals = arg.find('=');
  if (slash == std::string_view::npos || equals == std::string_view::npos || equals < slash) return false;
  const bool pack = arg[equals - 1] == '+';
  const std::string type(arg.substr(0, slash));
  const std::string number(arg.substr(slash + 1, equals - slash - 1 - (pack ? 1 : 0)));
  std::vector<std::uint8_t> bytes;
  if (!readFile(std::string(arg.substr(equals + 1)), bytes)) return false;
  if (pack && lzw::pack(bytes, out.data) != lzw::kOk) return false;
  if (!pack) out.data = std::move(bytes);
  out.type = cli::ResourceId::of(type);
  out.name = cli::ResourceId::of(static_cast<std::uint16_t>(std::stoul(number)));
  out.language = kFrench;
  return true;
}

int packOnly(const char* in, const char* out) {
  std::vector<std::uint8_t> bytes, packed;
  if (!readFile(in, bytes) || lzw::pack(bytes, packed) != lzw::kOk) return 1;
  std::ofstream file(out, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(packed.data()), static_cast<std::streamsize>(packed.size()));
  return file ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--pack") return packOnly(argv[2], argv[3]);
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_hostile_quiz PLAYER OUT [TYPE/NUMBER[+]=FILE]...\n");
    return 2;
  }
  std::vector<std::uint8_t> player;
  if (!readFile(argv[1], player)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  cli::ResourceChanges changes;
  changes.dropTypes = {cli::ResourceId::of("PATCH"), cli::ResourceId::of("IMG")};
  for (int i = 3; i < argc; ++i) {
    cli::Resource resource;
    if (!parseResource(argv[i], resource)) {
      std::fprintf(stderr, "bad resource argument (or unreadable file): %s\n", argv[i]);
      return 1;
    }
    changes.add.push_back(std::move(resource));
  }
  std::vector<std::uint8_t> out;
  const cli::PeEditResult result = cli::writeResources(player, changes, out);
  if (!result.ok()) {
    std::fprintf(stderr, "%s\n", cli::describe(result).c_str());
    return 1;
  }
  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return file ? 0 : 1;
}
