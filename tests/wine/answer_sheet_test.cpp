// The answer sheet on a real panel: written on F2 byte for byte, restored and
// judged when the panel is built, and never left half-written.
#include "evaluation/verdict_words.h"
#include "play_fixture.h"

namespace mirvo::testing {
namespace {

const std::string kSixLines = "Paris\r\n\r\nRome\r\nMilan\r\n\r\nx\r\n";

TEST_F(PlayPanel, SheetIsNamedAfterTheExecutable) { EXPECT_EQ(answerSheetName(), "wine_answer_sheet.txt"); }

TEST_F(PlayPanel, F2WritesOneLinePerBoxAndABuildRestoresThem) {
  makeQuiz(QuizType::Picture, 2, RevealMode::None, {{"Paris", "Lyon", ""}, {"Rome", "Milan", ""}, {"x", "x", ""}});
  buildPanel();
  const char* texts[] = {"Paris", "", "Rome", "Milan", "", "x"};
  for (int k = 1; k <= 6; ++k) type(k, texts[k - 1]);
  releaseKey(3, VK_F2);
  EXPECT_EQ(readWholeFile(answerSheetName()), kSixLines);
  EXPECT_FALSE(fileExists(answerSheetName() + ".tmp"));

  DestroyWindow(panel_);
  buildPanel();
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(controlText(panel_, kAnswerBoxBase + k), texts[k - 1]) << "box " << k;
  EXPECT_EQ(result(1), "BRAVO");
  EXPECT_EQ(result(2), "?");
  EXPECT_EQ(score(), " 1 / 3");
}

TEST_F(PlayPanel, RestoredAnswersAreJudgedScoredAndRevealed) {
  writeWholeFile(answerSheetName(), "paris\r\n\r\n");
  makeQuiz(QuizType::Picture, 1, RevealMode::TextAndPicture, {{"Paris", "", "Capitale"}, {"Rome", "", ""}});
  buildPanel();
  EXPECT_EQ(result(1), "BRAVO");
  EXPECT_EQ(result(2), "?");
  EXPECT_EQ(explanation(1), "Capitale");
  BITMAP shown = {};
  GetObjectA(reinterpret_cast<HBITMAP>(SendDlgItemMessageA(panel_, kPictureBoxBase + 1, STM_GETIMAGE, IMAGE_BITMAP, 0)),
             sizeof shown, &shown);
  EXPECT_EQ(shown.bmHeight, 260) << "the tall answer picture";
  EXPECT_EQ(score(), " 1 / 2");
  EXPECT_EQ(code(), "CODE1");
}

TEST_F(PlayPanel, BoxesTheLayoutDidNotCreateGiveEmptyLines) {
  // A text quiz has one box per question whatever its answers per question.
  makeQuiz(QuizType::Text, 2, RevealMode::None, {{"a", "b", ""}, {"c", "d", ""}});
  buildPanel();
  type(1, "un");
  type(2, "deux");
  saveAnswerSheet(panel_);
  EXPECT_EQ(readWholeFile(answerSheetName()), "un\r\ndeux\r\n\r\n\r\n");
}

TEST_F(PlayPanel, APanelWithoutBoxesLeavesTheSheetAlone) {
  // What a media quiz whose player could not be created builds: no rows.
  writeWholeFile(answerSheetName(), kSixLines);
  makeQuiz(QuizType::Audio, 1, RevealMode::None, {{"a", "", ""}, {"b", "", ""}});
  HWND emptyPanel = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, host_, nullptr, nullptr, nullptr);
  saveAnswerSheet(emptyPanel);
  EXPECT_EQ(readWholeFile(answerSheetName()), kSixLines);
}

// Writes a few bytes of the first chunk for real, then fails like a full disk.
BOOL WINAPI writeThenFail(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
  static int calls = 0;
  if (calls++ % 2 == 1) {
    *written = 0;
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  return WriteFile(file, data, size < 4 ? size : 4, written, overlapped);
}

BOOL WINAPI failAtOnce(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
  *written = 0;
  SetLastError(ERROR_DISK_FULL);
  return FALSE;
}

TEST_F(PlayPanel, AFailedWriteLeavesTheOldSheetWhole) {
  const std::string name = answerSheetName();
  struct Case {
    const char* name;
    FileWriteFunction write;
  };
  const Case cases[] = {{"fails part-way", writeThenFail}, {"fails at once", failAtOnce}};
  for (const Case& c : cases) {
    writeWholeFile(name, kSixLines);
    EXPECT_FALSE(replaceFileContents(name.c_str(), "tout autre chose\r\n", c.write)) << c.name;
    EXPECT_EQ(readWholeFile(name), kSixLines) << c.name;
    EXPECT_FALSE(fileExists(name + ".tmp")) << c.name;
  }
  // The same write without a failure replaces the sheet.
  EXPECT_TRUE(replaceFileContents(name.c_str(), "neuf\r\n"));
  EXPECT_EQ(readWholeFile(name), "neuf\r\n");
  EXPECT_FALSE(fileExists(name + ".tmp"));
}

TEST_F(PlayPanel, ASheetInAnotherFolderIsNeitherReadNorOverwritten) {
  writeWholeFile(answerSheetName(), "a\r\n");
  CreateDirectoryA("ailleurs", nullptr);
  SetCurrentDirectoryA("ailleurs");
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"a", "", ""}});
  buildPanel();
  EXPECT_EQ(controlText(panel_, kAnswerBoxBase + 1), "");
  EXPECT_EQ(result(1), "?");
  type(1, "b");
  saveAnswerSheet(panel_);
  EXPECT_EQ(readWholeFile(answerSheetName()), "b\r\n");
  DeleteFileA(answerSheetName().c_str());
  SetCurrentDirectoryA("..");
  RemoveDirectoryA("ailleurs");
  EXPECT_EQ(readWholeFile(answerSheetName()), "a\r\n");
}

TEST_F(PlayPanel, EmptyOrShortSheetLeavesTheOtherBoxesEmpty) {
  makeQuiz(QuizType::Text, 1, RevealMode::None, {{"a", "", ""}, {"b", "", ""}});
  for (const std::string& sheet : {std::string(), std::string("a")}) {
    writeWholeFile(answerSheetName(), sheet);
    buildPanel();
    EXPECT_EQ(controlText(panel_, kAnswerBoxBase + 1), sheet) << sheet.size();
    EXPECT_EQ(controlText(panel_, kAnswerBoxBase + 2), "") << sheet.size();
    DestroyWindow(panel_);
    panel_ = nullptr;
  }
}

}  // namespace
}  // namespace mirvo::testing
