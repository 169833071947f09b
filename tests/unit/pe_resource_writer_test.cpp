// The resource writer on the mingw-built fixture tiny.exe, whose .reloc
// follows .rsrc, with ASLR on and a nonzero CheckSum, like the player.
#include "cli/pe_resource_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "cli/pe_bytes.h"

namespace mirvo::cli {
namespace {

std::vector<std::uint8_t> readFixture(const std::string& name) {
  std::ifstream in(std::string(MIRVO_SOURCE_DIR) + "/tests/data/authoring/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Resource res(std::string_view type, std::uint16_t name, std::vector<std::uint8_t> data) {
  return Resource{ResourceId::of(type), ResourceId::of(name), 0, 0, std::move(data)};
}

std::vector<std::uint8_t> bytesOf(std::size_t n, std::uint8_t seed) {
  std::vector<std::uint8_t> v(n);
  for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(seed + i * 7);
  return v;
}

class Writer : public ::testing::Test {
 protected:
  void SetUp() override {
    player = readFixture("tiny.exe");
    ASSERT_EQ(readPeImage(player, before), PeStatus::Ok);
    ASSERT_EQ(readResources(player, before, playerResources), PeStatus::Ok);
  }

  // Writes, then reads the result back with the reader.
  void write(std::span<const std::uint8_t> in, const ResourceChanges& changes) {
    PeEditResult r = writeResources(in, changes, out);
    ASSERT_TRUE(r.ok()) << describe(r);
    ASSERT_EQ(readPeImage(out, after), PeStatus::Ok);
    ASSERT_EQ(readResources(out, after, resources), PeStatus::Ok);
  }

  std::vector<std::uint8_t> player;
  PeImage before;
  std::vector<Resource> playerResources;
  std::vector<std::uint8_t> out;
  PeImage after;
  std::vector<Resource> resources;
};

TEST_F(Writer, AddsResourcesAndKeepsThePlayers) {
  ResourceChanges changes;
  changes.add = {res("PATCH", 104, bytesOf(300, 1)), res("PATCH", 105, bytesOf(5, 2)),
                 res("IMG", 401, bytesOf(4097, 3)), res("IMG", 10401, bytesOf(1, 4))};
  write(player, changes);
  for (const Resource& added : changes.add) {
    const Resource* found = findResource(resources, added.type, added.name);
    ASSERT_NE(found, nullptr) << toString(added.type) << " " << toString(added.name);
    EXPECT_EQ(*found, added);
  }
  for (const Resource& kept : playerResources) {
    const Resource* found = findResource(resources, kept.type, kept.name);
    ASSERT_NE(found, nullptr) << toString(kept.type) << " " << toString(kept.name);
    EXPECT_EQ(*found, kept);
  }
  EXPECT_EQ(resources.size(), playerResources.size() + changes.add.size());
}

TEST_F(Writer, AppendsASectionAndFixesTheHeaders) {
  std::vector<std::uint8_t> withOverlay = player;
  const std::vector<std::uint8_t> overlay = bytesOf(777, 9);
  withOverlay.insert(withOverlay.end(), overlay.begin(), overlay.end());
  ResourceChanges changes;
  changes.add = {res("PATCH", 104, bytesOf(3000, 5))};
  write(withOverlay, changes);

  ASSERT_EQ(after.sections.size(), before.sections.size() + 1);
  // Nothing that was there moves: code, data, old resources and relocations
  // keep their addresses and bytes.
  for (std::size_t i = 0; i < before.sections.size(); ++i) {
    const PeSection& a = before.sections[i];
    const PeSection& b = after.sections[i];
    EXPECT_EQ(b.virtualAddress, a.virtualAddress) << a.name;
    EXPECT_EQ(b.rawOffset, a.rawOffset) << a.name;
    EXPECT_TRUE(std::equal(player.begin() + a.rawOffset, player.begin() + a.rawOffset + a.rawSize,
                           out.begin() + b.rawOffset))
        << a.name;
  }
  const PeSection& added = after.sections.back();
  EXPECT_EQ(added.virtualAddress % after.sectionAlignment, 0u);
  EXPECT_GE(added.virtualAddress, before.sizeOfImage);
  EXPECT_EQ(added.rawOffset, before.endOfSections);
  EXPECT_EQ(after.directory(kResourceDirectoryIndex).rva, added.virtualAddress);
  EXPECT_EQ(after.sizeOfImage, bytes::alignUp(added.virtualAddress + added.virtualSize, after.sectionAlignment));
  EXPECT_EQ(after.sizeOfInitializedData, before.sizeOfInitializedData + added.rawSize);
  EXPECT_EQ(after.checkSum, peCheckSum(out, after.checkSumOffset()));
  EXPECT_NE(after.checkSum, before.checkSum);
  ASSERT_GE(out.size(), overlay.size());
  EXPECT_TRUE(std::equal(overlay.begin(), overlay.end(), out.end() - overlay.size()));
  EXPECT_EQ(after.endOfSections, out.size() - overlay.size());
}

TEST_F(Writer, RebuildingRewritesItsOwnSectionAndDropsOldContent) {
  ResourceChanges first;
  first.add = {res("PATCH", 104, bytesOf(5000, 1)), res("IMG", 401, bytesOf(9, 2)), res("IMG", 402, bytesOf(9, 3))};
  write(player, first);
  const std::vector<std::uint8_t> built = out;
  const std::size_t sections = after.sections.size();

  ResourceChanges second;
  second.dropTypes = {ResourceId::of("IMG"), ResourceId::of("PATCH")};
  second.add = {res("PATCH", 104, bytesOf(20, 7)), res("IMG", 401, bytesOf(3, 8))};
  write(built, second);
  EXPECT_EQ(after.sections.size(), sections);
  EXPECT_LT(out.size(), built.size());
  EXPECT_EQ(findResource(resources, ResourceId::of("IMG"), ResourceId::of(402)), nullptr);
  EXPECT_EQ(findResource(resources, ResourceId::of("PATCH"), ResourceId::of(104))->data, bytesOf(20, 7));
  EXPECT_EQ(resources.size(), playerResources.size() + 2);
  EXPECT_EQ(after.checkSum, peCheckSum(out, after.checkSumOffset()));
}

TEST_F(Writer, ReplacesAResourceOfTheSameTypeAndName) {
  ResourceChanges changes;
  changes.add = {res("NOTE", 7, {'n', 'e', 'w'})};
  write(player, changes);
  const Resource* note = findResource(resources, ResourceId::of("NOTE"), ResourceId::of(7));
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->data, (std::vector<std::uint8_t>{'n', 'e', 'w'}));
  EXPECT_EQ(note->language, 0);
  EXPECT_EQ(resources.size(), playerResources.size());
}

// Section tables no linker writes, but a player file handed to `mirvo build`
// may hold: the new tree must still land where the reader finds it, or the
// write must fail.
TEST_F(Writer, PlacesTheTreeAfterEverySectionWhateverTheTableSays) {
  const std::uint32_t table = before.sectionTableOffset;
  auto header = [&](std::size_t i) { return table + kSectionHeaderSize * static_cast<std::uint32_t>(i); };
  ResourceChanges changes;
  changes.dropTypes = {ResourceId::of("NOTE"), ResourceId::of(5), ResourceId::of(6), ResourceId::of(16)};
  changes.add = {res("PATCH", 104, bytesOf(10, 1))};

  // Every section empty at address 0 and no resource tree: a tree placed
  // at address 0 itself would read as "no resources".
  std::vector<std::uint8_t> atZero = player;
  for (std::size_t i = 0; i < before.sections.size(); ++i) {
    std::fill(atZero.begin() + header(i) + 8, atZero.begin() + header(i) + 24, 0);
  }
  bytes::put32(atZero, before.directoryOffset(kResourceDirectoryIndex), 0);
  bytes::put32(atZero, before.directoryOffset(kResourceDirectoryIndex) + 4, 0);
  write(atZero, changes);
  EXPECT_GE(after.sections.back().virtualAddress, before.sizeOfHeaders);
  EXPECT_EQ(resources, changes.add);

  // .rsrc last in the table, but an earlier section's raw data runs to its
  // end, which is the end of the file: rewriting .rsrc in place with a
  // smaller tree would cut that one off.
  std::vector<std::uint8_t> overlapping = player;
  const std::size_t rsrc = before.sections.size() - 2;
  const PeSection& tree = before.sections[rsrc];
  overlapping.resize(tree.rawOffset + tree.rawSize);
  bytes::put16(overlapping, before.fileHeaderOffset + 2, static_cast<std::uint16_t>(rsrc + 1));
  std::fill(overlapping.begin() + header(rsrc + 1), overlapping.begin() + header(rsrc + 2), 0);
  bytes::put32(overlapping, header(0) + 16, tree.rawOffset + tree.rawSize - before.sections[0].rawOffset);
  write(overlapping, changes);
  EXPECT_EQ(resources, changes.add);
  EXPECT_EQ(after.sections.size(), rsrc + 2);
}

TEST_F(Writer, RefusesWhatItCannotWriteSafely) {
  const std::uint32_t oh = before.optionalHeaderOffset;
  const std::uint32_t tableEnd =
      before.sectionTableOffset + kSectionHeaderSize * static_cast<std::uint32_t>(before.sections.size());
  struct Row {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> damage;
    PeEditStatus expected;
    PeStatus readStatus;
  };
  const Row rows[] = {
      {"not an executable", [](auto& f) { f.assign(100, 'x'); }, PeEditStatus::Unreadable, PeStatus::NotExecutable},
      {"PE32+", [&](auto& f) { bytes::put16(f, oh, 0x20B); }, PeEditStatus::Unreadable, PeStatus::NotPe32},
      {"truncated", [](auto& f) { f.resize(f.size() / 2); }, PeEditStatus::Unreadable, PeStatus::SectionOutsideFile},
      {"signed",
       [&](auto& f) {
         bytes::put32(f, before.directoryOffset(kCertificateTableIndex), static_cast<std::uint32_t>(f.size()));
         bytes::put32(f, before.directoryOffset(kCertificateTableIndex) + 4, 8);
         f.insert(f.end(), 8, 0);
       },
       PeEditStatus::Signed, PeStatus::Ok},
      {"bytes after the section table", [&](auto& f) { f[tableEnd + 3] = 1; }, PeEditStatus::NoHeaderRoom,
       PeStatus::Ok},
      {"headers end at the section table", [&](auto& f) { bytes::put32(f, oh + 60, tableEnd); },
       PeEditStatus::NoHeaderRoom, PeStatus::Ok},
      {"two data directories only", [&](auto& f) { bytes::put32(f, oh + 92, 2); },
       PeEditStatus::NoResourceDirectory, PeStatus::Ok},
  };
  ResourceChanges changes;
  changes.add = {res("PATCH", 104, bytesOf(10, 1))};
  for (const Row& row : rows) {
    std::vector<std::uint8_t> damaged = player;
    row.damage(damaged);
    std::vector<std::uint8_t> result{1, 2, 3};
    PeEditResult r = writeResources(damaged, changes, result);
    EXPECT_EQ(r.status, row.expected) << row.what << ": " << describe(r);
    EXPECT_EQ(r.readStatus, row.readStatus) << row.what;
    EXPECT_TRUE(result.empty()) << row.what;
    EXPECT_FALSE(describe(r).empty());
  }
}

TEST(ResourceTree, NamedTypesComeFirstInCodeUnitOrderThenNumbers) {
  const std::vector<Resource> input = {res("PATCH", 105, {1}), Resource{ResourceId::of(3), ResourceId::of(2), 9, 0, {2}},
                                       res("IMG", 10401, {3}), res("IMG", 401, {4}), res("PATCH", 104, {5})};
  const std::vector<std::uint8_t> tree = serializeResourceTree(input, 0x1000);
  // The root lists two named then one numbered entry.
  EXPECT_EQ(bytes::u16(tree, 12), 2);
  EXPECT_EQ(bytes::u16(tree, 14), 1);
  auto nameAt = [&](std::uint32_t entry) {
    std::uint32_t off = bytes::u32(tree, 16 + 8 * entry) & 0x7FFFFFFFu;
    std::string s;
    for (std::uint16_t i = 0; i < bytes::u16(tree, off); ++i) s.push_back(static_cast<char>(bytes::u16(tree, off + 2 + 2 * i)));
    return s;
  };
  EXPECT_EQ(nameAt(0), "IMG");
  EXPECT_EQ(nameAt(1), "PATCH");
  EXPECT_EQ(bytes::u32(tree, 16 + 16), 3u);
}

}  // namespace
}  // namespace mirvo::cli
