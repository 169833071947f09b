// The media player of audio and video quizzes under Wine's own player
// control: the play and stop buttons' commands, the clip files they write and
// delete, where the film is shown, and the clean-up at exit. Each test runs
// in a scratch folder of its own, the current directory of the clip files.

#include <windows.h>
#include <wmp.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/media_host.h"
#include "quiz/quiz_model.h"
#include "recorded_messages.h"
#include "resources/resource_ids.h"
#include "ui/control_ids.h"
#include "ui/panel_layout.h"

namespace mirvo {
namespace {

using testing::MessageRecorder;
using testing::RecordedMessage;

std::string readWholeFile(const std::string& name) {
  std::string bytes;
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

void writeWholeFile(const std::string& name, const std::string& bytes) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

bool fileExists(const std::string& name) { return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string resourceBytes(int id) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MIRVO_MEDIA_TYPE);
  if (found == nullptr) return {};
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
  return std::string(bytes, SizeofResource(nullptr, found));
}

std::string clipName(int question, const char* extension) {
  return "mirvo" + std::to_string(question) + extension;
}

class MediaQuiz : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[MAX_PATH];
    GetCurrentDirectoryA(sizeof dir, dir);
    home_ = dir;
    scratch_ = home_ + "\\media_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryA(scratch_.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch_.c_str()));
    mainWindow_ = CreateWindowExA(0, "Static", "media", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000, 800, nullptr,
                                  nullptr, nullptr, nullptr);
    panel_ = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 980, 760, mainWindow_, nullptr,
                             nullptr, nullptr);
  }

  void TearDown() override {
    if (!cleanedUp_) cleanUpMedia(quiz_, mainWindow_);
    if (IsWindow(mainWindow_)) DestroyWindow(mainWindow_);
    SetCurrentDirectoryA(home_.c_str());
    // Whatever a test left behind, so the folder can go.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((scratch_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string path = scratch_ + "\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryA(path.c_str());
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    SetFileAttributesA(scratch_.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(scratch_.c_str());
  }

  // The start-up half and the panel's first step, as the player runs them.
  void start(QuizType type) {
    quiz_.type = type;
    prepareMediaHost(quiz_);
    ASSERT_NE(mediaHost.atlModule, nullptr);
    ASSERT_TRUE(createMediaPlayer(quiz_, panel_));
    ASSERT_NE(mediaHost.player, nullptr);
    ASSERT_NE(mediaHost.controls, nullptr);
  }

  bool press(int id) { return onPanelMediaCommand(quiz_, panel_, static_cast<WPARAM>(id)); }

  void cleanUp() {
    cleanUpMedia(quiz_, mainWindow_);
    cleanedUp_ = true;
  }

  // The file name the player was last pointed at.
  std::string playerUrl() const {
    BSTR url = nullptr;
    if (mediaHost.player == nullptr || FAILED(mediaHost.player->get_URL(&url)) || url == nullptr) return {};
    char narrow[kClipFileNameSize] = {};
    WideCharToMultiByte(CP_ACP, 0, url, -1, narrow, sizeof narrow, nullptr, nullptr);
    SysFreeString(url);
    // The player may hand the name back as a full path or a file: URL.
    std::string text = narrow;
    const std::size_t slash = text.find_last_of("\\/");
    return slash == std::string::npos ? text : text.substr(slash + 1);
  }

  bool hostVisible() const { return IsWindowVisible(mediaHost.playerHost) != FALSE; }

  Quiz quiz_;
  HWND mainWindow_ = nullptr;
  HWND panel_ = nullptr;
  bool cleanedUp_ = false;
  std::string home_;
  std::string scratch_;
};

TEST_F(MediaQuiz, PlayingAnotherQuestionDeletesTheFirstClipAndWritesTheNext) {
  start(QuizType::Audio);
  ASSERT_NE(resourceBytes(403), resourceBytes(405));

  EXPECT_TRUE(press(kPlayButtonBase + 3));
  EXPECT_EQ(readWholeFile("mirvo3.mp3"), resourceBytes(403));
  EXPECT_EQ(playerUrl(), "mirvo3.mp3");
  EXPECT_EQ(mediaHost.currentClip, 3);

  EXPECT_TRUE(press(kPlayButtonBase + 5));
  EXPECT_FALSE(fileExists("mirvo3.mp3"));
  EXPECT_EQ(readWholeFile("mirvo5.mp3"), resourceBytes(405));
  EXPECT_EQ(playerUrl(), "mirvo5.mp3");
  EXPECT_EQ(mediaHost.currentClip, 5);
  EXPECT_STREQ(mediaHost.lastClipFile, "mirvo5.mp3");
  EXPECT_FALSE(hostVisible()) << "an audio quiz has no film to show";
}

TEST_F(MediaQuiz, PlayingTheSameQuestionAgainWritesItsClipAfresh) {
  start(QuizType::Audio);
  press(kPlayButtonBase + 3);
  // Spoil the file: only a rewrite from the resource brings the bytes back.
  press(kStopButtonBase + 3);
  writeWholeFile("mirvo3.mp3", "spoilt");
  press(kPlayButtonBase + 3);
  EXPECT_EQ(readWholeFile("mirvo3.mp3"), resourceBytes(403));
  press(kPlayButtonBase + 3);
  EXPECT_EQ(readWholeFile("mirvo3.mp3"), resourceBytes(403));
  EXPECT_EQ(playerUrl(), "mirvo3.mp3");
}

TEST_F(MediaQuiz, AnyStopButtonStopsTheClipThatPlaysAndDeletesItsFile) {
  start(QuizType::Audio);
  press(kPlayButtonBase + 3);
  ASSERT_TRUE(fileExists("mirvo3.mp3"));
  EXPECT_TRUE(press(kStopButtonBase + 5));
  EXPECT_FALSE(fileExists("mirvo3.mp3"));
  EXPECT_FALSE(fileExists("mirvo5.mp3"));
  WMPPlayState state = wmppsUndefined;
  mediaHost.player->get_playState(&state);
  EXPECT_NE(state, wmppsPlaying);
}

TEST_F(MediaQuiz, StopBeforeAnyPlayStopsTheIdlePlayerAndDeletesClipZero) {
  start(QuizType::Audio);
  writeWholeFile("mirvo0.mp3", "left over");
  EXPECT_TRUE(press(kStopButtonBase + 2));
  EXPECT_FALSE(fileExists("mirvo0.mp3"));
  EXPECT_EQ(playerUrl(), "");
}

TEST_F(MediaQuiz, OnlyClicksOfButtonsOneTo96AreActedOn) {
  start(QuizType::Audio);
  struct Row {
    WPARAM wParam;
    bool acted;
    const char* written;  // the clip file the command leaves, if any
  };
  const Row rows[] = {
      {kPlayButtonBase, false, nullptr},
      {kPlayButtonBase + 97, false, nullptr},
      {kStopButtonBase, false, nullptr},
      {kStopButtonBase + 97, false, nullptr},
      {MAKEWPARAM(kPlayButtonBase + 3, BN_SETFOCUS), false, nullptr},
      {MAKEWPARAM(kStopButtonBase + 3, BN_SETFOCUS), false, nullptr},
      {kPlayButtonBase + 96, true, "mirvo96.mp3"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.wParam);
    writeWholeFile("mirvo0.mp3", "a stop press would delete this");
    EXPECT_EQ(onPanelMediaCommand(quiz_, panel_, row.wParam), row.acted);
    EXPECT_TRUE(fileExists("mirvo0.mp3"));
    EXPECT_FALSE(fileExists("mirvo3.mp3"));
    EXPECT_FALSE(fileExists("mirvo97.mp3"));
    if (row.written != nullptr) {
      EXPECT_EQ(readWholeFile(row.written), resourceBytes(496));
      EXPECT_EQ(playerUrl(), row.written);
    } else {
      EXPECT_EQ(playerUrl(), "");
    }
  }
}

TEST_F(MediaQuiz, CommandsOfATextQuizAreNotActedOn) {
  start(QuizType::Audio);
  quiz_.type = QuizType::Text;
  writeWholeFile("mirvo0.mp3", "kept");
  EXPECT_FALSE(press(kPlayButtonBase + 3));
  EXPECT_FALSE(press(kStopButtonBase + 3));
  EXPECT_FALSE(fileExists("mirvo3.mp3"));
  EXPECT_TRUE(fileExists("mirvo0.mp3"));
  quiz_.type = QuizType::Audio;
}

TEST_F(MediaQuiz, AQuestionWithoutAClipPlaysNothingAndSaysNothing) {
  start(QuizType::Audio);
  MessageRecorder recorder;
  press(kPlayButtonBase + 3);
  press(kPlayButtonBase + 7);
  EXPECT_FALSE(fileExists("mirvo3.mp3")) << "the previous clip is still deleted";
  EXPECT_FALSE(fileExists("mirvo7.mp3"));
  EXPECT_TRUE(recorder.messages().empty());
  EXPECT_EQ(mediaHost.currentClip, 7);
}

// A clip file that cannot be made must not be handed to the player.
TEST_F(MediaQuiz, AClipFileThatCannotBeWrittenIsReportedAndNotPlayed) {
  struct Row {
    QuizType type;
    const char* name;
    RecordedMessage message;
  };
  const Row rows[] = {
      {QuizType::Audio, "mirvo3.mp3", {"Impossible d'\xE9" "crire le fichier audio.", "Information"}},
      {QuizType::Video, "mirvo4.avi", {"Impossible d'\xE9" "crire le fichier vid\xE9o.", "Information"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    start(row.type);
    // A folder of the clip's name is in the way, whoever runs the test.
    ASSERT_TRUE(CreateDirectoryA(row.name, nullptr));
    MessageRecorder recorder;
    const int question = row.type == QuizType::Video ? 4 : 3;
    press(kPlayButtonBase + question);
    const std::vector<RecordedMessage> expected{row.message};
    EXPECT_EQ(recorder.messages(), expected);
    EXPECT_EQ(playerUrl(), "");
    EXPECT_FALSE(hostVisible());
    EXPECT_EQ(mediaHost.lastClipFile[0], '\0');
    RemoveDirectoryA(row.name);
    cleanUpMedia(quiz_, nullptr);
    panel_ = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 980, 760, mainWindow_, nullptr, nullptr,
                             nullptr);
  }
}

TEST_F(MediaQuiz, AReadOnlyFolderGivesTheMessageAndPlaysNothing) {
  start(QuizType::Audio);
  SetFileAttributesA(scratch_.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE probe = CreateFileA("probe", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    DeleteFileA("probe");
    SetFileAttributesA(scratch_.c_str(), FILE_ATTRIBUTE_NORMAL);
    GTEST_SKIP() << "this user can write into a read-only folder";
  }
  MessageRecorder recorder;
  press(kPlayButtonBase + 3);
  SetFileAttributesA(scratch_.c_str(), FILE_ATTRIBUTE_NORMAL);
  const std::vector<RecordedMessage> expected{{"Impossible d'\xE9" "crire le fichier audio.", "Information"}};
  EXPECT_EQ(recorder.messages(), expected);
  EXPECT_FALSE(fileExists("mirvo3.mp3"));
  EXPECT_EQ(playerUrl(), "");
}

TEST_F(MediaQuiz, AVideoQuizWritesItsAviAndShowsTheFilmOverTheQuestionsCell) {
  start(QuizType::Video);
  // Question 4 opens the second row; its play button where the layout puts it.
  const int secondRowTop = gridRowBottom(kFirstRowTop + kVideoAreaHeight, RevealMode::None);
  const GridCell cell = gridCell(QuizType::Video, 1, 4, secondRowTop, 0);
  const PanelRect button = playButtonRect(cell);
  CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_ICON, button.x, button.y, button.width, button.height,
                  panel_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPlayButtonBase + 4)), nullptr, nullptr);
  ASSERT_FALSE(hostVisible());

  press(kPlayButtonBase + 4);
  EXPECT_EQ(readWholeFile("mirvo4.avi"), resourceBytes(404));
  EXPECT_FALSE(fileExists("mirvo4.mp3"));
  EXPECT_EQ(playerUrl(), "mirvo4.avi");
  EXPECT_TRUE(hostVisible());
  RECT host;
  GetWindowRect(mediaHost.playerHost, &host);
  MapWindowPoints(nullptr, panel_, reinterpret_cast<POINT*>(&host), 2);
  const PanelRect shown{host.left, host.top, host.right - host.left, host.bottom - host.top};
  const PanelRect videoArea{cell.x, secondRowTop, cell.answerOffset + cell.boxWidth, kVideoAreaHeight};
  EXPECT_EQ(shown, videoArea);

  press(kStopButtonBase + 4);
  EXPECT_FALSE(hostVisible());
  EXPECT_FALSE(fileExists("mirvo4.avi"));
}

TEST_F(MediaQuiz, AnAtlWithoutTheAttachFunctionStillGivesAPlayer) {
  quiz_.type = QuizType::Audio;
  prepareMediaHost(quiz_);
  mediaHost.attachControl = nullptr;
  ASSERT_TRUE(createMediaPlayer(quiz_, panel_));
  press(kPlayButtonBase + 3);
  EXPECT_EQ(readWholeFile("mirvo3.mp3"), resourceBytes(403));
}

TEST_F(MediaQuiz, CleanUpDeletesClipsOneTo96AndReleasesEverything) {
  start(QuizType::Audio);
  press(kPlayButtonBase + 3);
  for (int n = 0; n <= 97; ++n) {
    if (n != 3) writeWholeFile(clipName(n, ".mp3"), "clip");
  }
  writeWholeFile("mirvo5.avi", "another kind");
  cleanUp();
  for (int n = 1; n <= 96; ++n) EXPECT_FALSE(fileExists(clipName(n, ".mp3"))) << n;
  EXPECT_TRUE(fileExists("mirvo0.mp3"));
  EXPECT_TRUE(fileExists("mirvo97.mp3"));
  EXPECT_TRUE(fileExists("mirvo5.avi"));
  EXPECT_FALSE(IsWindow(mainWindow_));
  EXPECT_EQ(mediaHost.player, nullptr);
  EXPECT_EQ(mediaHost.controls, nullptr);
  EXPECT_EQ(mediaHost.atlModule, nullptr);
  EXPECT_EQ(mediaHost.currentClip, 0);
}

TEST_F(MediaQuiz, CleanUpOfAVideoQuizDeletesAviClips) {
  start(QuizType::Video);
  for (int n : {1, 50, 96}) writeWholeFile(clipName(n, ".avi"), "clip");
  writeWholeFile("mirvo1.mp3", "another kind");
  cleanUp();
  for (int n : {1, 50, 96}) EXPECT_FALSE(fileExists(clipName(n, ".avi"))) << n;
  EXPECT_TRUE(fileExists("mirvo1.mp3"));
}

}  // namespace
}  // namespace mirvo
