// `mirvo build`, `mirvo inspect` and `mirvo check`: quiz sources to quiz
// executables and back.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "cli/pe_image.h"
#include "cli/pe_resource_writer.h"
#include "cli/quiz_resources.h"
#include "cli/quiz_source.h"
#include "cli/text_encoding.h"
#include "cli/verbs.h"
#include "resources/resource_ids.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace mirvo::cli {
namespace {

namespace fs = std::filesystem;

struct BuildOptions {
  std::string source;
  std::string output;
  std::string player;
};

struct InspectOptions {
  std::string executable;
  std::string outputDir;
};

[[noreturn]] void failVerb(const std::string& verb, const std::string& message) {
  std::cerr << "mirvo " << verb << ": " << message << '\n';
  throw CLI::RuntimeError(1);
}

// Command-line texts are UTF-8 on every system (main converts on Windows).
fs::path pathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string shown(const fs::path& p) {
  const std::u8string s = p.generic_u8string();
  return std::string(s.begin(), s.end());
}

bool readBytes(const fs::path& path, std::vector<std::uint8_t>& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool writeBytes(const fs::path& path, std::span<const std::uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

fs::path ownExecutable() {
#ifdef _WIN32
  wchar_t buf[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
  return n > 0 ? fs::path(std::wstring(buf, n)) : fs::path();
#else
  std::error_code ec;
  fs::path p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : p;
#endif
}

// Next to mirvo, or where the build puts the cross-built player when mirvo
// is build/host/mirvo.
fs::path defaultPlayer() {
  const fs::path self = ownExecutable();
  if (self.empty()) return {};
  const fs::path dir = self.parent_path();
  for (const fs::path& p : {dir / "mirvo-player.exe", dir / ".." / "win32" / "mirvo-player.exe"}) {
    std::error_code ec;
    if (fs::is_regular_file(p, ec)) return p.lexically_normal();
  }
  return {};
}

QuizSource loadSourceOrFail(const std::string& verb, const std::string& file, std::vector<Resource>& resources) {
  QuizSource source;
  std::string error;
  if (!loadQuizSource(pathOf(file), source, error)) failVerb(verb, error);
  if (!quizResources(source, resources, error)) failVerb(verb, file + ": " + error);
  return source;
}

void runCheck(const std::string& file) {
  std::vector<Resource> resources;
  const QuizSource source = loadSourceOrFail("check", file, resources);
  std::cout << file << ": ok, " << source.content.questions.size() << " questions, " << source.media.size()
            << " media files\n";
}

void runBuild(const BuildOptions& o) {
  std::vector<Resource> resources;
  const QuizSource source = loadSourceOrFail("build", o.source, resources);
  fs::path player = o.player.empty() ? defaultPlayer() : pathOf(o.player);
  if (player.empty()) {
    failVerb("build", "no mirvo-player.exe next to mirvo or in ../win32; name the player with --player PLAYER.exe");
  }
  std::vector<std::uint8_t> playerBytes, built;
  if (!readBytes(player, playerBytes)) failVerb("build", shown(player) + ": cannot read the player");
  ResourceChanges changes;
  // A quiz executable can serve as the player: its old quiz goes entirely.
  changes.dropTypes = {ResourceId::of(MIRVO_PATCH_TYPE), ResourceId::of(MIRVO_MEDIA_TYPE)};
  changes.add = std::move(resources);
  if (PeEditResult r = writeResources(playerBytes, changes, built); !r.ok()) {
    failVerb("build", shown(player) + ": " + describe(r));
  }
  if (!writeBytes(pathOf(o.output), built)) failVerb("build", o.output + ": cannot write the quiz executable");
  std::error_code ec;
  fs::permissions(pathOf(o.output), fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec,
                  fs::perm_options::add, ec);
  std::cout << "wrote " << o.output << " (" << source.content.questions.size() << " questions, "
            << source.media.size() << " media files, player " << shown(player) << ")\n";
}

void runInspect(const InspectOptions& o) {
  std::vector<std::uint8_t> file;
  const fs::path exe = pathOf(o.executable);
  if (!readBytes(exe, file)) failVerb("inspect", o.executable + ": cannot read the file");
  PeImage image;
  std::vector<Resource> all;
  PeStatus s = readPeImage(file, image);
  if (s == PeStatus::Ok) s = readResources(file, image, all);
  if (s != PeStatus::Ok) failVerb("inspect", o.executable + ": " + std::string(describe(s)));

  InspectedQuiz found;
  std::string error;
  if (!readQuizResources(all, found, error)) failVerb("inspect", o.executable + ": " + error);
  std::string note;
  if (found.demonstration) {
    note = "This executable carries no quiz: the player shows its demonstration quiz.";
    std::cerr << "mirvo inspect: note: " << o.executable << " carries no quiz; this is the demonstration quiz\n";
  }
  for (const std::string& n : found.notes) std::cerr << "mirvo inspect: note: " << o.executable << ": " << n << '\n';
  const std::vector<MediaFile>& media = found.media;
  const std::string source = writeQuizSource(found.content, media, note);
  if (o.outputDir.empty()) {
    std::cout << source;
    return;
  }
  const fs::path dir = pathOf(o.outputDir);
  std::error_code ec;
  fs::create_directories(dir / "media", ec);
  if (ec) failVerb("inspect", o.outputDir + ": cannot create the folder: " + ec.message());
  fs::path toml = dir / exe.stem();
  toml += ".toml";
  if (!writeBytes(toml, std::span(reinterpret_cast<const std::uint8_t*>(source.data()), source.size()))) {
    failVerb("inspect", shown(toml) + ": cannot write the quiz source");
  }
  for (const MediaFile& m : media) {
    if (!writeBytes(dir / m.path, m.bytes)) failVerb("inspect", shown(dir / m.path) + ": cannot write");
  }
  std::cout << "wrote " << shown(toml) << " and " << media.size() << " media files\n";
}

}  // namespace

void addAuthoringVerbs(CLI::App& app) {
  auto build = std::make_shared<BuildOptions>();
  CLI::App* b = app.add_subcommand("build", "Write a quiz executable: a copy of the player carrying QUIZ.toml");
  b->add_option("QUIZ.toml", build->source, "the quiz source")->required();
  b->add_option("-o,--output", build->output, "the quiz executable to write")->required();
  b->add_option("--player", build->player,
                "the player executable to copy (default: mirvo-player.exe next to mirvo, or ../win32/)");
  b->callback([build] { runBuild(*build); });

  auto inspect = std::make_shared<InspectOptions>();
  CLI::App* i = app.add_subcommand("inspect", "Print the quiz an executable carries as a quiz source");
  i->add_option("QUIZ.exe", inspect->executable, "the quiz executable")->required();
  i->add_option("-o,--output", inspect->outputDir, "write the source and its media files into this folder");
  i->callback([inspect] { runInspect(*inspect); });

  auto check = std::make_shared<std::string>();
  CLI::App* c = app.add_subcommand("check", "Check a quiz source and its media files without building");
  c->add_option("QUIZ.toml", *check, "the quiz source")->required();
  c->callback([check] { runCheck(*check); });
}

}  // namespace mirvo::cli
