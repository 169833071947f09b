#pragma once
// The resources a quiz puts into the player ("PATCH" 104 and 105 packed,
// "IMG" 400 + n and 10400 + n as they are), and the quiz read back from them.

#include <span>
#include <string>
#include <vector>

#include "cli/pe_image.h"
#include "cli/quiz_source.h"

namespace mirvo::cli {

bool quizResources(const QuizSource& source, std::vector<Resource>& out, std::string& error);

// What inspect finds in an executable's resources. Media names are the ones
// mediaFileName gives. Without a description, the player's demonstration quiz.
struct InspectedQuiz {
  QuizContent content;
  std::vector<MediaFile> media;
  bool demonstration = false;
  std::vector<std::string> notes;  // what was left out or missing
};
bool readQuizResources(std::span<const Resource> resources, InspectedQuiz& out, std::string& error);

QuizContent demonstrationQuiz();

}  // namespace mirvo::cli
