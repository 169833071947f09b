#pragma once
// Quiz sources: the TOML file a quiz maker writes (UTF-8), read into the
// quiz content and the list of media files to embed, and written back from a
// quiz content for `mirvo inspect`.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/quiz_content.h"

namespace mirvo::cli {

enum class MediaRole { Question, AnswerPicture };

struct MediaFile {
  int question = 0;  // 1-based
  MediaRole role = MediaRole::Question;
  std::filesystem::path path;       // as resolved against the source's folder
  std::vector<std::uint8_t> bytes;  // read and checked by loadQuizSource
};

struct QuizSource {
  QuizContent content;
  std::vector<MediaFile> media;
};

// Reads and checks text as the source `fileName` (used in messages) whose
// media paths are relative to `baseDir`; media files are read too. On
// failure returns false with error = "file:line: what is wrong".
bool parseQuizSource(std::string_view text, const std::string& fileName, const std::filesystem::path& baseDir,
                     QuizSource& out, std::string& error);
bool loadQuizSource(const std::filesystem::path& file, QuizSource& out, std::string& error);

// Media names that inspect gives to question n's files, by their content.
std::string mediaFileName(int question, MediaRole role, QuizType type, std::span<const std::uint8_t> bytes);

// A source that reads back to `quiz` (leadByte and reveal-pair second fields
// excepted, which sources do not carry); media[i] names are written as given.
// `note` becomes a leading comment when not empty.
std::string writeQuizSource(const QuizContent& quiz, const std::vector<MediaFile>& media, std::string_view note);

}  // namespace mirvo::cli
