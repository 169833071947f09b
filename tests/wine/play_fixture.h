#pragma once
// A real question panel, built by questionPanelProc from a quiz filled in
// code, with a stand-in header panel that holds the score label and the code
// box. Each test runs in a scratch folder of its own, which is where the
// panel looks for the answer sheet.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "quiz/quiz_model.h"
#include "resources/resource_ids.h"
#include "ui/answer_sheet.h"
#include "ui/app_state.h"
#include "ui/control_ids.h"
#include "ui/question_panel.h"

namespace mirvo::testing {

struct QuestionSpec {
  const char* answer1;
  const char* answer2;
  const char* explanation;
};

inline std::string controlText(HWND parent, int id) {
  char text[kTextSlotSize] = {};
  GetDlgItemTextA(parent, id, text, sizeof text);
  return text;
}

inline std::string readWholeFile(const std::string& name) {
  std::string bytes;
  if (FILE* f = std::fopen(name.c_str(), "rb")) {
    char chunk[512];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    std::fclose(f);
  }
  return bytes;
}

inline void writeWholeFile(const std::string& name, const std::string& bytes) {
  FILE* f = std::fopen(name.c_str(), "wb");
  ASSERT_NE(f, nullptr) << name;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline bool fileExists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

class PlayPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[MAX_PATH];
    GetCurrentDirectoryA(sizeof dir, dir);
    home_ = dir;
    scratch_ = home_ + "\\play_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(scratch_.c_str(), nullptr);
    SetCurrentDirectoryA(scratch_.c_str());
    DeleteFileA(answerSheetName().c_str());

    host_ = CreateWindowExA(0, "Static", "play", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 800, nullptr, nullptr,
                            nullptr, nullptr);
    header_ = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, host_, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, header_, reinterpret_cast<HMENU>(kScoreLabelId),
                    nullptr, nullptr);
    CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 10, 10, header_, reinterpret_cast<HMENU>(kCodeBoxId), nullptr,
                    nullptr);
    quiz_.headerPanel = header_;
    app.quiz = &quiz_;
    app.headerPanel = header_;
  }

  void TearDown() override {
    if (panel_) DestroyWindow(panel_);
    DestroyWindow(host_);
    app = AppState{};
    DeleteFileA(answerSheetName().c_str());
    SetCurrentDirectoryA(home_.c_str());
    RemoveDirectoryA(scratch_.c_str());
  }

  // Fills the quiz; reward code i is "CODE<i + 1>".
  void makeQuiz(QuizType type, int answers, RevealMode reveal, const std::vector<QuestionSpec>& questions) {
    quiz_.type = type;
    quiz_.answersPerQuestion = answers;
    quiz_.revealMode = reveal;
    quiz_.questionCount = static_cast<int>(questions.size());
    for (const QuestionSpec& q : questions) {
      quiz_.addQuestion(q.answer1, q.answer2, "question");
      copyIntoSlot(quiz_.tail->explanation, q.explanation);
    }
    for (int i = 0; i < kMaxQuestions; ++i) std::snprintf(quiz_.rewardCodes[i], kTextSlotSize, "CODE%d", i + 1);
  }

  // Builds the panel (which reads the sheet and judges what it restores) at
  // the given outer size, shown and focused.
  void buildPanel(int width = 900, int height = 700) {
    panel_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(MIRVO_QUESTION_PANEL_TEMPLATE), host_,
                                questionPanelProc, 0);
    ASSERT_NE(panel_, nullptr);
    app.questionPanel = panel_;
    SetWindowPos(panel_, nullptr, 0, 0, width, height, SWP_NOZORDER);
    ShowWindow(panel_, SW_SHOWNORMAL);
    SetForegroundWindow(host_);
    SetActiveWindow(host_);
  }

  HWND box(int k) const { return GetDlgItem(panel_, kAnswerBoxBase + k); }
  std::string result(int k) const { return controlText(panel_, kResultLabelBase + k); }
  std::string explanation(int question) const { return controlText(panel_, kExplanationLabelBase + question); }
  std::string score() const { return controlText(header_, kScoreLabelId); }
  std::string code() const { return controlText(header_, kCodeBoxId); }

  void type(int k, const char* text) { SetWindowTextA(box(k), text); }
  // Enter released in box k: the judgement and what the procedure answers.
  LRESULT releaseKey(int k, WPARAM key) { return SendMessageA(box(k), WM_KEYUP, key, 0xC0000001); }
  LRESULT typeAndEnter(int k, const char* text) {
    type(k, text);
    return releaseKey(k, VK_RETURN);
  }

  // The top-left corner of control `id` in the panel's client coordinates.
  POINT placeOf(int id) const {
    RECT r;
    GetWindowRect(GetDlgItem(panel_, id), &r);
    POINT p{r.left, r.top};
    ScreenToClient(panel_, &p);
    return p;
  }

  Quiz quiz_;
  HWND host_ = nullptr;
  HWND header_ = nullptr;
  HWND panel_ = nullptr;
  std::string home_;
  std::string scratch_;
};

}  // namespace mirvo::testing
