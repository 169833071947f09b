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
#include "cli/quiz_source.h"
#include "cli/text_encoding.h"
#include "cli/verbs.h"
#include "quiz/description_format.h"
#include "quiz/lzw_codec.h"
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

ResourceId patchId(std::uint16_t n) { return ResourceId::of(static_cast<std::uint16_t>(n)); }

// Packs one unpacked resource, or says why it cannot be.
bool packed(const std::vector<std::uint8_t>& plain, const char* what, std::vector<std::uint8_t>& out,
            std::string& error) {
  if (plain.size() > lzw::kMaxInputSize) {
    error = std::string(what) + " takes " + std::to_string(plain.size()) + " bytes; the quiz format packs at most " +
            std::to_string(lzw::kMaxInputSize) + " (shorten the texts)";
    return false;
  }
  if (std::int32_t r = lzw::pack(plain, out); r != lzw::kOk) {
    error = std::string(what) + " does not pack: " + std::string(lzw::resultMessage(r));
    return false;
  }
  return true;
}

// Every resource that a quiz adds to the player.
bool quizResources(const QuizSource& source, std::vector<Resource>& out, std::string& error) {
  std::vector<std::uint8_t> description, codes, packedDescription, packedCodes;
  if (WriteStatus s = writeDescription(source.content, description); s != WriteStatus::Ok) {
    error = "the quiz description cannot be written: " + std::string(describe(s));
    return false;
  }
  if (WriteStatus s = writeRewardCodes(source.content, codes); s != WriteStatus::Ok) {
    error = "the reward codes cannot be written: " + std::string(describe(s));
    return false;
  }
  if (!packed(description, "the quiz description", packedDescription, error) ||
      !packed(codes, "the reward codes", packedCodes, error)) {
    return false;
  }
  const ResourceId patch = ResourceId::of(MIRVO_PATCH_TYPE);
  const ResourceId img = ResourceId::of(MIRVO_MEDIA_TYPE);
  out.clear();
  out.push_back(Resource{patch, patchId(MIRVO_DESCRIPTION_ID), 0, 0, std::move(packedDescription)});
  out.push_back(Resource{patch, patchId(MIRVO_CODES_ID), 0, 0, std::move(packedCodes)});
  for (const MediaFile& m : source.media) {
    const int base = m.role == MediaRole::Question ? MIRVO_QUESTION_MEDIA_BASE : MIRVO_ANSWER_PICTURE_BASE;
    out.push_back(Resource{img, patchId(static_cast<std::uint16_t>(base + m.question)), 0, 0, m.bytes});
  }
  return true;
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

QuizContent demonstrationQuiz() {
  QuizContent q;
  q.type = QuizType::Picture;
  q.answersPerQuestion = 2;
  q.revealMode = RevealMode::TextAndPicture;
  q.title = "Nom du mirvo";
  q.creator = "Createur mirvo";
  q.quizExplanation = "Explications du mirvo";
  q.columnLabel1 = "Pr\xE9nom - Nom";
  q.columnLabel2 = "Manga / Anime";
  q.backgroundRed = 53;
  q.backgroundGreen = 203;
  q.backgroundBlue = 163;
  // It announces 7 questions over two records; the player shows the second
  // record for every question after the first.
  q.questions.assign(7, QuestionContent{"test", "test", "emplacement", "", ""});
  return q;
}

const Resource* findQuizResource(const std::vector<Resource>& all, const char* type, int id) {
  return findResource(all, ResourceId::of(type), ResourceId::of(static_cast<std::uint16_t>(id)));
}

bool unpacked(const Resource& r, std::vector<std::uint8_t>& out) {
  return lzw::unpack(r.data, out) == lzw::kOk;
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

  QuizContent quiz;
  std::string note;
  const Resource* description = findQuizResource(all, MIRVO_PATCH_TYPE, MIRVO_DESCRIPTION_ID);
  if (!description || description->data.empty()) {
    quiz = demonstrationQuiz();
    note = "This executable carries no quiz: the player shows its demonstration quiz.";
    std::cerr << "mirvo inspect: note: " << o.executable << " carries no quiz; printing the demonstration quiz\n";
  } else {
    std::vector<std::uint8_t> plain;
    if (!unpacked(*description, plain)) failVerb("inspect", o.executable + ": \"PATCH\" 104 does not unpack");
    if (ReadStatus rs = readDescription(plain, quiz); rs != ReadStatus::Ok) {
      failVerb("inspect", o.executable + ": the quiz description is damaged: " + std::string(describe(rs)));
    }
    const Resource* codes = findQuizResource(all, MIRVO_PATCH_TYPE, MIRVO_CODES_ID);
    if (!codes || codes->data.empty()) {
      std::cerr << "mirvo inspect: note: " << o.executable << " carries no reward codes\n";
    } else if (!unpacked(*codes, plain)) {
      failVerb("inspect", o.executable + ": \"PATCH\" 105 does not unpack");
    } else if (ReadStatus rs = readRewardCodes(plain, quiz); rs != ReadStatus::Ok) {
      failVerb("inspect", o.executable + ": the reward codes are damaged: " + std::string(describe(rs)));
    }
  }

  std::vector<MediaFile> media;
  for (int n = 1; n <= static_cast<int>(quiz.questions.size()); ++n) {
    for (MediaRole role : {MediaRole::Question, MediaRole::AnswerPicture}) {
      const int base = role == MediaRole::Question ? MIRVO_QUESTION_MEDIA_BASE : MIRVO_ANSWER_PICTURE_BASE;
      const Resource* r = findQuizResource(all, MIRVO_MEDIA_TYPE, base + n);
      if (!r) continue;
      if (role == MediaRole::Question && !isGridType(quiz.type)) {
        std::cerr << "mirvo inspect: note: \"IMG\" " << base + n << " is left out: the text layout shows no media\n";
        continue;
      }
      media.push_back(MediaFile{n, role, pathOf(mediaFileName(n, role, quiz.type, r->data)), r->data});
    }
  }
  const std::string source = writeQuizSource(quiz, media, note);
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
