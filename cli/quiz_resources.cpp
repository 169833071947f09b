#include "cli/quiz_resources.h"

#include <cstdint>

#include "quiz/description_format.h"
#include "quiz/lzw_codec.h"
#include "resources/resource_ids.h"

namespace mirvo::cli {
namespace {

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

}  // namespace

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


namespace {

const Resource* findQuizResource(std::span<const Resource> all, const char* type, int id) {
  return findResource(all, ResourceId::of(type), ResourceId::of(static_cast<std::uint16_t>(id)));
}

bool unpacked(const Resource& r, std::vector<std::uint8_t>& out) { return lzw::unpack(r.data, out) == lzw::kOk; }

}  // namespace

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

bool readQuizResources(std::span<const Resource> all, InspectedQuiz& out, std::string& error) {
  out = InspectedQuiz{};
  QuizContent& quiz = out.content;
  const Resource* description = findQuizResource(all, MIRVO_PATCH_TYPE, MIRVO_DESCRIPTION_ID);
  if (!description || description->data.empty()) {
    quiz = demonstrationQuiz();
    out.demonstration = true;
    return true;
  }
  std::vector<std::uint8_t> plain;
  if (!unpacked(*description, plain)) {
    error = "\"PATCH\" 104 does not unpack";
    return false;
  }
  if (ReadStatus rs = readDescription(plain, quiz); rs != ReadStatus::Ok) {
    error = "the quiz description is damaged: " + std::string(describe(rs));
    return false;
  }
  const Resource* codes = findQuizResource(all, MIRVO_PATCH_TYPE, MIRVO_CODES_ID);
  if (!codes || codes->data.empty()) {
    out.notes.push_back("no reward codes (\"PATCH\" 105)");
  } else if (!unpacked(*codes, plain)) {
    error = "\"PATCH\" 105 does not unpack";
    return false;
  } else if (ReadStatus rs = readRewardCodes(plain, quiz); rs != ReadStatus::Ok) {
    error = "the reward codes are damaged: " + std::string(describe(rs));
    return false;
  }
  for (int n = 1; n <= static_cast<int>(quiz.questions.size()); ++n) {
    for (MediaRole role : {MediaRole::Question, MediaRole::AnswerPicture}) {
      const int base = role == MediaRole::Question ? MIRVO_QUESTION_MEDIA_BASE : MIRVO_ANSWER_PICTURE_BASE;
      const Resource* r = findQuizResource(all, MIRVO_MEDIA_TYPE, base + n);
      if (!r) continue;
      if (role == MediaRole::Question && !isGridType(quiz.type)) {
        out.notes.push_back("\"IMG\" " + std::to_string(base + n) + " is left out: the text layout shows no media");
        continue;
      }
      const std::string name = mediaFileName(n, role, quiz.type, r->data);
      out.media.push_back(MediaFile{n, role, std::filesystem::path(std::u8string(name.begin(), name.end())), r->data});
    }
  }
  return true;
}

}  // namespace mirvo::cli
