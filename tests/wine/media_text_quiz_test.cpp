// A text or a picture quiz has no media: no atl.dll, no COM set up for it, no
// button commands, and its clean-up leaves clip files and the main window
// alone. Its own executable, so no other test has loaded atl.dll before.

#include <windows.h>

#include <gtest/gtest.h>

#include "media/media_host.h"
#include "quiz/quiz_model.h"
#include "ui/control_ids.h"

namespace mirvo {
namespace {

bool fileExists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

TEST(MediaOfOtherQuizzes, TextAndPictureQuizzesNeverLoadAtlOrTouchClipFiles) {
  char home[MAX_PATH];
  GetCurrentDirectoryA(sizeof home, home);
  CreateDirectoryA("media_text_quiz", nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA("media_text_quiz"));

  for (QuizType type : {QuizType::Text, QuizType::Picture}) {
    SCOPED_TRACE(static_cast<int>(type));
    Quiz quiz;
    quiz.type = type;
    HWND mainWindow = CreateWindowExA(0, "Static", "text", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                      nullptr, nullptr);
    HANDLE clip = CreateFileA("mirvo1.mp3", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(clip);

    prepareMediaHost(quiz);
    EXPECT_EQ(GetModuleHandleA("atl.dll"), nullptr);
    EXPECT_EQ(mediaHost.atlModule, nullptr);
    EXPECT_FALSE(mediaHost.comInitialized);
    EXPECT_FALSE(onPanelMediaCommand(quiz, mainWindow, kPlayButtonBase + 1));
    EXPECT_FALSE(onPanelMediaCommand(quiz, mainWindow, kStopButtonBase + 1));
    cleanUpMedia(quiz, mainWindow);
    EXPECT_TRUE(fileExists("mirvo1.mp3"));
    EXPECT_TRUE(IsWindow(mainWindow));
    EXPECT_EQ(GetModuleHandleA("atl.dll"), nullptr);

    DestroyWindow(mainWindow);
    DeleteFileA("mirvo1.mp3");
  }
  SetCurrentDirectoryA(home);
  RemoveDirectoryA("media_text_quiz");
}

}  // namespace
}  // namespace mirvo
