#include "quiz/quiz_loader.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "quiz/description_format.h"
#include "quiz/lzw_codec.h"
#include "quiz/quiz_content.h"
#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/message_box.h"

namespace mirvo {

namespace {

constexpr COLORREF kDemoBackground = 0x00A3CB35;

void reportCodecMemory() { showMessage(kCodecMemoryMessage, kCodecMemoryCaption); }

// A resource of the executable itself, in whatever language it carries.
// found is false when there is no such resource; bytes is empty for an
// empty one.
struct PatchResource {
  bool found = false;
  std::span<const std::uint8_t> bytes;
};

PatchResource findPatch(int id) {
  PatchResource result;
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MIRVO_PATCH_TYPE);
  if (info == nullptr) return result;
  result.found = true;
  const DWORD size = SizeofResource(nullptr, info);
  if (size == 0) return result;
  HGLOBAL handle = LoadResource(nullptr, info);
  const void* data = handle != nullptr ? LockResource(handle) : nullptr;
  if (data != nullptr) result.bytes = {static_cast<const std::uint8_t*>(data), size};
  return result;
}

void setBackground(Quiz& quiz, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  quiz.backgroundRed = red;
  quiz.backgroundGreen = green;
  quiz.backgroundBlue = blue;
  quiz.backgroundColor = RGB(red, green, blue);
  if (quiz.backgroundBrush != nullptr) DeleteObject(quiz.backgroundBrush);
  quiz.backgroundBrush = CreateSolidBrush(quiz.backgroundColor);
}

void copyDescription(const QuizContent& content, Quiz& quiz) {
  quiz.type = content.type;
  quiz.questionCount = static_cast<std::int32_t>(content.questions.size());
  quiz.answersPerQuestion = content.answersPerQuestion;
  quiz.revealMode = content.revealMode;
  copyIntoSlot(quiz.title, content.title);
  copyIntoSlot(quiz.creator, content.creator);
  copyIntoSlot(quiz.quizExplanation, content.quizExplanation);
  copyIntoSlot(quiz.columnLabel1, content.columnLabel1);
  copyIntoSlot(quiz.columnLabel2, content.columnLabel2);
  char answer1[kTextSlotSize];
  char answer2[kTextSlotSize];
  char questionText[kTextSlotSize];
  for (const QuestionContent& question : content.questions) {
    copyIntoSlot(answer1, question.answer1);
    copyIntoSlot(answer2, content.answersPerQuestion == 2 ? std::string_view(question.answer2) : "");
    copyIntoSlot(questionText, question.questionText);
    quiz.addQuestion(answer1, answer2, questionText);
    copyIntoSlot(quiz.tail->explanation, question.explanation);
  }
  setBackground(quiz, content.backgroundRed, content.backgroundGreen, content.backgroundBlue);
}

void copyRewardCodes(const QuizContent& content, Quiz& quiz) {
  const std::size_t count = std::min<std::size_t>(content.rewardCodes.size(), kMaxQuestions);
  for (std::size_t i = 0; i < count; ++i) copyIntoSlot(quiz.rewardCodes[i], content.rewardCodes[i]);
}

// Reads the description into content; false (after the message) when it
// cannot be unpacked or read.
bool readPackedDescription(std::span<const std::uint8_t> packed, QuizContent& content) {
  std::vector<std::uint8_t> unpacked;
  if (lzw::unpack(packed, unpacked) != lzw::kOk || readDescription(unpacked, content) != ReadStatus::Ok) {
    showMessage(kDescriptionUnreadable, kLoaderCaption);
    return false;
  }
  return true;
}

void loadRewardCodes(QuizContent& content, Quiz& quiz) {
  const PatchResource codes = findPatch(MIRVO_CODES_ID);
  if (!codes.found) {
    showMessage(kCodesMissing, kLoaderCaption);
    return;
  }
  if (codes.bytes.empty()) {
    showMessage(kCodesEmpty, kLoaderCaption);
    return;
  }
  std::vector<std::uint8_t> unpacked;
  if (lzw::unpack(codes.bytes, unpacked) != lzw::kOk || readRewardCodes(unpacked, content) != ReadStatus::Ok) {
    showMessage(kCodesUnreadable, kLoaderCaption);
    return;
  }
  copyRewardCodes(content, quiz);
}

}  // namespace

void fillDemonstrationQuiz(Quiz& quiz) {
  copyIntoSlot(quiz.title, "Nom du mirvo");
  copyIntoSlot(quiz.creator, "Createur mirvo");
  copyIntoSlot(quiz.quizExplanation, "Explications du mirvo");
  copyIntoSlot(quiz.columnLabel1, "Pr\xE9nom - Nom");
  copyIntoSlot(quiz.columnLabel2, "Manga / Anime");
  quiz.questionCount = 7;
  quiz.answersPerQuestion = 2;
  quiz.revealMode = RevealMode::TextAndPicture;
  quiz.type = QuizType::Picture;
  setBackground(quiz, GetRValue(kDemoBackground), GetGValue(kDemoBackground), GetBValue(kDemoBackground));
  // Seven questions announced, two records held: positions 1 to 6 all give
  // the second record.
  quiz.addQuestion("test", "test", "emplacement");
  quiz.addQuestion("test", "test", "emplacement");
}

void loadQuiz(Quiz& quiz) {
  lzw::setAllocationFailureHook(&reportCodecMemory);

  const PatchResource description = findPatch(MIRVO_DESCRIPTION_ID);
  if (description.bytes.empty()) {
    fillDemonstrationQuiz(quiz);
    return;
  }
  QuizContent content;
  if (!readPackedDescription(description.bytes, content)) {
    quiz.questionCount = 0;
    return;
  }
  copyDescription(content, quiz);
  loadRewardCodes(content, quiz);
}

}  // namespace mirvo
