#pragma once
// Each group of `mirvo` verbs registers itself on the command line here.
// A verb reports failure by throwing CLI::RuntimeError(exitCode) after
// printing its one-line message to stderr.

namespace CLI {
class App;
}

namespace mirvo::cli {

void addCodecVerbs(CLI::App& app);      // pack, unpack          (codec_verbs.cpp)
void addJudgeVerb(CLI::App& app);       // judge                 (judge_verb.cpp)
void addAuthoringVerbs(CLI::App& app);  // build, inspect, check (authoring_verbs.cpp)

}  // namespace mirvo::cli
