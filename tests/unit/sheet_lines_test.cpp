#include "ui/sheet_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/sheet_name.h"

namespace mirvo {
namespace {

// Every line of a sheet, read the way the panel reads it for `boxes` boxes.
std::vector<std::string> restore(std::string_view sheet, int boxes) {
  std::vector<std::string> lines;
  std::size_t position = 0;
  for (int k = 0; k < boxes; ++k) {
    const SheetLine line = readSheetLine(sheet, position);
    lines.emplace_back(line.text);
    position = line.next;
  }
  return lines;
}

TEST(SheetLines, RestoresEveryBoxFromItsLine) {
  struct Case {
    const char* name;
    std::string sheet;
    int boxes;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"six CR LF lines, 27 bytes", std::string("Paris\r\n\r\nRome\r\nMilan\r\n\r\nx\r\n"), 6,
       {"Paris", "", "Rome", "Milan", "", "x"}},
      {"last line without CR LF", std::string("un\r\ndeux"), 2, {"un", "deux"}},
      {"LF-only line ends stay in the first box", std::string("ab\ncd\nef\n"), 2, {"ab\ncd\nef\n", ""}},
      {"a CR that no LF follows drops up to the next LF", std::string("ab\rcd\r\nef\r\n"), 2, {"ab", "ef"}},
      {"a CR at the very end without LF", std::string("ab\rcd"), 2, {"ab", ""}},
      {"fewer lines than boxes", std::string("seul\r\n"), 3, {"seul", "", ""}},
      {"empty sheet", std::string(), 2, {"", ""}},
      {"accented bytes pass unchanged", std::string("\xE9t\xE9\r\n"), 1, {"\xE9t\xE9"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(restore(c.sheet, c.boxes), c.expected) << c.name;
  }
}

TEST(SheetLines, SixLineSheetIsTwentySevenBytesAndEndsAtItsSize) {
  const std::string_view sheet = "Paris\r\n\r\nRome\r\nMilan\r\n\r\nx\r\n";
  ASSERT_EQ(sheet.size(), 27u);
  std::size_t position = 0;
  for (int k = 0; k < 6; ++k) position = readSheetLine(sheet, position).next;
  EXPECT_EQ(position, sheet.size());
  // Reading on past the end stays there.
  EXPECT_EQ(readSheetLine(sheet, position).next, sheet.size());
  EXPECT_TRUE(readSheetLine(sheet, position + 5).text.empty());
}

TEST(SheetLines, OverlongLineIsCutAndTheNextLineKeepsItsBox) {
  const std::string longLine(300, 'a');
  const std::string sheet = longLine + "\r\nsuite\r\n";
  const auto lines = restore(sheet, 2);
  EXPECT_EQ(lines[0], std::string(259, 'a'));
  EXPECT_EQ(lines[1], "suite");
}

TEST(SheetName, ReplacesTheLastThreeCharactersOfTheFileName) {
  struct Case {
    const char* modulePath;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\jeux\\Player.exe", "Player.txt"},
      {"C:\\JEUX\\PLAYER.EXE", "PLAYER.txt"},
      {"Player.exe", "Player.txt"},
      {"C:\\a.b\\quiz", "qtxt"},
      {"C:\\x\\abc", "txt"},
      // Too short to lose three characters: the sheet must not take the
      // executable's own name.
      {"C:\\x\\ab", "ab.txt"},
      {"C:\\x\\", ".txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(sheetNameForModule(c.modulePath), c.expected) << c.modulePath;
  }
}

}  // namespace
}  // namespace mirvo
