// The bounded PE reader on a small mingw-built executable (tests/data/authoring/
// tiny.exe: dialog, string table, version block, a custom "NOTE" resource,
// relocations after the resources) and on damaged copies of it.
#include "cli/pe_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cli/pe_bytes.h"

namespace mirvo::cli {
namespace {

std::vector<std::uint8_t> readFixture(const std::string& name) {
  std::ifstream in(std::string(MIRVO_SOURCE_DIR) + "/tests/data/authoring/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TinyExe : public ::testing::Test {
 protected:
  void SetUp() override {
    file = readFixture("tiny.exe");
    ASSERT_GT(file.size(), 1024u);
    ASSERT_EQ(readPeImage(file, image), PeStatus::Ok);
    auto at = fileOffsetOf(image, image.directory(kResourceDirectoryIndex).rva, 16);
    ASSERT_TRUE(at);
    rsrc = *at;
  }
  std::vector<std::uint8_t> file;
  PeImage image;
  std::uint32_t rsrc = 0;  // file offset of the resource root directory
};

TEST_F(TinyExe, ReadsHeadersAndSections) {
  EXPECT_EQ(image.machine, 0x14C);
  EXPECT_EQ(image.fileAlignment, 0x200u);
  EXPECT_EQ(image.sectionAlignment, 0x1000u);
  ASSERT_GE(image.sections.size(), 2u);
  EXPECT_EQ(image.sections[image.sections.size() - 2].name, ".rsrc");
  EXPECT_EQ(image.sections.back().name, ".reloc");
  EXPECT_EQ(image.endOfSections, file.size());
  EXPECT_NE(image.checkSum, 0u);
}

TEST_F(TinyExe, ChecksumAgreesWithTheLinker) {
  EXPECT_EQ(peCheckSum(file, image.checkSumOffset()), image.checkSum);
}

TEST_F(TinyExe, ReadsEveryResourceInDirectoryOrder) {
  std::vector<Resource> resources;
  ASSERT_EQ(readResources(file, image, resources), PeStatus::Ok);
  struct Row {
    ResourceId type;
    ResourceId name;
  };
  const Row expected[] = {
      {ResourceId::of("NOTE"), ResourceId::of(7)},
      {ResourceId::of(5), ResourceId::of(100)},   // dialog
      {ResourceId::of(6), ResourceId::of(1)},     // string table
      {ResourceId::of(16), ResourceId::of(1)},    // version
  };
  ASSERT_EQ(resources.size(), std::size(expected));
  for (std::size_t i = 0; i < resources.size(); ++i) {
    EXPECT_EQ(resources[i].type, expected[i].type) << i;
    EXPECT_EQ(resources[i].name, expected[i].name) << i;
    EXPECT_EQ(resources[i].language, 1033) << i;
  }
  EXPECT_EQ(std::string(resources[0].data.begin(), resources[0].data.end()), "kept");
  EXPECT_EQ(toString(resources[0].type), "NOTE");
  EXPECT_EQ(toString(resources[1].name), "100");
}

// Each row damages one field of a good file; the reader must say what is
// wrong and never read past the file.
TEST_F(TinyExe, DamagedFilesGiveTheirError) {
  const std::uint32_t peAt = bytes::u32(file, 0x3C);
  const std::uint32_t oh = image.optionalHeaderOffset;
  const std::uint32_t resDir = image.directoryOffset(kResourceDirectoryIndex);
  const std::uint32_t rootEntryTarget = rsrc + 16 + 4;
  struct Row {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    PeStatus expected;
  };
  const Row rows[] = {
      {"empty file", [](auto& f) { f.clear(); }, PeStatus::Truncated},
      {"no MZ", [](auto& f) { f[0] = 'X'; }, PeStatus::NotExecutable},
      {"cut inside the DOS header", [](auto& f) { f.resize(0x30); }, PeStatus::Truncated},
      {"PE offset past the end", [](auto& f) { bytes::put32(f, 0x3C, 0xFFFFFFF0u); }, PeStatus::Truncated},
      {"no PE signature", [&](auto& f) { f[peAt] = 'Q'; }, PeStatus::NoPeSignature},
      {"PE32+ magic", [&](auto& f) { bytes::put16(f, oh, 0x20B); }, PeStatus::NotPe32},
      {"zero file alignment", [&](auto& f) { bytes::put32(f, oh + 36, 0); }, PeStatus::BadHeaders},
      {"no sections", [&](auto& f) { bytes::put16(f, image.fileHeaderOffset + 2, 0); }, PeStatus::BadHeaders},
      {"section table past the headers",
       [&](auto& f) { bytes::put16(f, image.fileHeaderOffset + 2, 90); }, PeStatus::BadHeaders},
      {"cut inside the last section", [](auto& f) { f.resize(f.size() - 8); }, PeStatus::SectionOutsideFile},
      {"resource directory outside every section",
       [&](auto& f) { bytes::put32(f, resDir, 0x7FFF0000u); }, PeStatus::ResourceOutside},
      {"subdirectory offset past its section",
       [&](auto& f) { bytes::put32(f, rootEntryTarget, 0x80000000u | 0x00FFFFF0u); }, PeStatus::ResourceOutside},
      {"entry count beyond the section", [&](auto& f) { bytes::put16(f, rsrc + 14, 0xFFFF); },
       PeStatus::ResourceOutside},
      {"name string longer than the section",
       [&](auto& f) {
         std::uint32_t nameOffset = bytes::u32(f, rsrc + 16) & 0x7FFFFFFFu;  // "NOTE" comes first
         bytes::put16(f, rsrc + nameOffset, 0xFFFF);
       },
       PeStatus::ResourceOutside},
      {"subdirectory pointing back at the root",
       [&](auto& f) { bytes::put32(f, rootEntryTarget, 0x80000000u); }, PeStatus::ResourceLoop},
      {"leaf at the type level",
       [&](auto& f) { bytes::put32(f, rootEntryTarget, bytes::u32(f, rootEntryTarget) & 0x7FFFFFFFu); },
       PeStatus::ResourceTooDeep},
  };
  for (const Row& row : rows) {
    std::vector<std::uint8_t> damaged = file;
    row.damage(damaged);
    PeImage img;
    PeStatus s = readPeImage(damaged, img);
    if (s == PeStatus::Ok) {
      std::vector<Resource> resources;
      s = readResources(damaged, img, resources);
      if (s != PeStatus::Ok) {
        EXPECT_TRUE(resources.empty()) << row.what;
      }
    }
    EXPECT_EQ(s, row.expected) << row.what << ": " << describe(s);
  }
}

TEST_F(TinyExe, AnyDataEntryOutsideItsSectionIsRefused) {
  // Every 16-byte leaf holds an RVA and a size; push each past the section.
  std::vector<Resource> resources;
  ASSERT_EQ(readResources(file, image, resources), PeStatus::Ok);
  const PeSection& sec = image.sections[image.sections.size() - 2];
  int leaves = 0;
  for (std::uint32_t at = sec.rawOffset; at + 16 <= sec.rawOffset + sec.rawSize; at += 4) {
    std::uint32_t rva = bytes::u32(file, at);
    std::uint32_t size = bytes::u32(file, at + 4);
    bool isLeaf = rva >= sec.virtualAddress && rva < sec.virtualAddress + sec.virtualSize && size > 0 &&
                  size < 1024 && bytes::u32(file, at + 12) == 0 &&
                  std::any_of(resources.begin(), resources.end(), [&](const Resource& r) { return r.data.size() == size; });
    if (!isLeaf) continue;
    ++leaves;
    std::vector<std::uint8_t> damaged = file;
    bytes::put32(damaged, at + 4, sec.rawSize);
    std::vector<Resource> out;
    EXPECT_EQ(readResources(damaged, image, out), PeStatus::ResourceOutside) << std::hex << at;
  }
  EXPECT_EQ(leaves, 4);
}

TEST(FileOffsetOf, HandsOutOnlyBytesInsideRawData) {
  PeImage image;
  PeSection text;
  text.virtualAddress = 0x1000;
  text.virtualSize = 0x300;
  text.rawSize = 0x200;
  text.rawOffset = 0x400;
  PeSection bss;  // no raw data, and an offset no reader ever checked
  bss.virtualAddress = 0x2000;
  bss.virtualSize = 0x100;
  bss.rawOffset = 0x20040000u;
  image.sections = {text, bss};
  struct Row {
    std::uint32_t rva, size;
    std::optional<std::uint32_t> expected;
  };
  const Row rows[] = {
      {0x1000, 0x200, 0x400},       {0x11FF, 1, 0x5FF},           {0x1200, 0, 0x600},
      {0x1100, 0x101, std::nullopt}, {0x1250, 4, std::nullopt},   // past the raw data, inside the virtual size
      {0x2000, 0, std::nullopt},     {0x2010, 4, std::nullopt},    {0x0FFF, 0, std::nullopt},
      {0xFFFFFFFFu, 0xFFFFFFFFu, std::nullopt},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(fileOffsetOf(image, row.rva, row.size), row.expected) << std::hex << row.rva << " " << row.size;
  }
}

// Every prefix of the file and a spread of corrupted bytes: the reader
// returns a status each time (the sanitizer build catches any stray read).
TEST_F(TinyExe, NeverReadsOutsideTruncatedOrScrambledFiles) {
  for (std::size_t n = 0; n < file.size(); ++n) {
    std::vector<std::uint8_t> cut(file.begin(), file.begin() + n);
    PeImage img;
    PeStatus s = readPeImage(cut, img);
    if (s == PeStatus::Ok) {
      std::vector<Resource> resources;
      readResources(cut, img, resources);
    }
    EXPECT_NE(s, PeStatus::Ok) << n;
  }
  std::uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
  const PeSection& sec = image.sections[image.sections.size() - 2];
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::uint8_t> scrambled = file;
    for (int k = 0; k < 4; ++k) scrambled[sec.rawOffset + next() % 0x280] = static_cast<std::uint8_t>(next());
    PeImage img;
    ASSERT_EQ(readPeImage(scrambled, img), PeStatus::Ok);
    std::vector<Resource> resources;
    readResources(scrambled, img, resources);
  }
}

}  // namespace
}  // namespace mirvo::cli
