// The `mirvo` authoring command line: each verb group registers itself.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#include "cli/verbs.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int run(int argc, char** argv) {
  CLI::App app{"mirvo: packs, judges, builds and inspects self-contained quizzes", "mirvo"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "mirvo 2.1.2");
  mirvo::cli::addCodecVerbs(app);
  mirvo::cli::addJudgeVerb(app);
  mirvo::cli::addAuthoringVerbs(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return 0;
}

}  // namespace

#ifdef _WIN32
// Windows hands the command line over as UTF-16; the verbs take UTF-8, as on Linux.
int wmain(int argc, wchar_t** wargv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    int n = WideCharToMultiByte(CP_UTF8, 0, wargv[i], -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, wargv[i], -1, s.data(), n, nullptr, nullptr);
    args.push_back(std::move(s));
  }
  std::vector<char*> argv;
  for (auto& s : args) argv.push_back(s.data());
  argv.push_back(nullptr);
  SetConsoleOutputCP(CP_UTF8);
  return run(argc, argv.data());
}
#else
int main(int argc, char** argv) { return run(argc, argv); }
#endif
