#pragma once
// A bounded reader of 32-bit Windows executables: headers, section table and
// resource tree. Every offset and size in the file is checked against the
// file before it is followed; nothing the file says is trusted. Portable.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mirvo::cli {

inline constexpr std::size_t kResourceDirectoryIndex = 2;
inline constexpr std::size_t kCertificateTableIndex = 4;
inline constexpr std::uint32_t kSectionHeaderSize = 40;

struct PeDataDirectory {
  std::uint32_t rva = 0;
  std::uint32_t size = 0;
};

struct PeSection {
  std::string name;  // the 8 name bytes up to the first zero
  std::uint32_t virtualSize = 0;
  std::uint32_t virtualAddress = 0;
  std::uint32_t rawSize = 0;
  std::uint32_t rawOffset = 0;
  std::uint32_t characteristics = 0;
};

// What the reader found; offsets are file offsets.
struct PeImage {
  std::uint32_t fileHeaderOffset = 0;      // the 20-byte COFF header, after "PE\0\0"
  std::uint32_t optionalHeaderOffset = 0;
  std::uint16_t machine = 0;
  std::uint32_t symbolTableOffset = 0;     // COFF symbols of unstripped builds live after the sections
  std::uint32_t sectionAlignment = 0;
  std::uint32_t fileAlignment = 0;
  std::uint32_t sizeOfImage = 0;
  std::uint32_t sizeOfHeaders = 0;
  std::uint32_t sizeOfInitializedData = 0;
  std::uint32_t checkSum = 0;
  std::vector<PeDataDirectory> directories;
  std::uint32_t sectionTableOffset = 0;
  std::vector<PeSection> sections;
  std::uint32_t endOfSections = 0;         // where data appended after the last section starts

  std::uint32_t checkSumOffset() const { return optionalHeaderOffset + 64; }
  std::uint32_t directoryOffset(std::size_t index) const {
    return optionalHeaderOffset + 96 + static_cast<std::uint32_t>(index) * 8;
  }
  PeDataDirectory directory(std::size_t index) const {
    return index < directories.size() ? directories[index] : PeDataDirectory{};
  }
};

enum class PeStatus {
  Ok,
  Truncated,          // the file ends inside its headers
  NotExecutable,      // no "MZ" header
  NoPeSignature,      // no "PE\0\0" where the MZ header points
  NotPe32,            // a PE32+ (64-bit) or other optional header
  BadHeaders,         // zero or odd alignments, too many sections, sizes that contradict
  SectionOutsideFile, // a section's raw data runs past the end of the file
  ResourceOutside,    // a resource directory, name or data entry outside its section
  ResourceLoop,       // a resource directory reached twice
  ResourceTooDeep,    // more than type / name / language levels
};

// A resource type or name: a number, or a UTF-16 string.
struct ResourceId {
  bool named = false;
  std::uint16_t number = 0;
  std::u16string name;

  static ResourceId of(std::uint16_t number) { return ResourceId{false, number, {}}; }
  static ResourceId of(std::string_view ascii);
  friend bool operator==(const ResourceId&, const ResourceId&) = default;
};
// Directory order: named entries first, in code-unit order, then numbers.
bool operator<(const ResourceId& a, const ResourceId& b);
// "IMG" or "401" (non-ASCII code units as \uXXXX).
std::string toString(const ResourceId& id);

struct Resource {
  ResourceId type;
  ResourceId name;
  std::uint16_t language = 0;
  std::uint32_t codePage = 0;
  std::vector<std::uint8_t> data;
  friend bool operator==(const Resource&, const Resource&) = default;
};

PeStatus readPeImage(std::span<const std::uint8_t> file, PeImage& image);
// Every leaf of the resource tree, in directory order. No tree gives an empty list.
PeStatus readResources(std::span<const std::uint8_t> file, const PeImage& image, std::vector<Resource>& out);

// The file offset of `size` bytes at `rva`, when they lie wholly inside one
// section's raw data (so offset + size never passes the end of the file;
// sections without raw data hold nothing, not even zero bytes).
std::optional<std::uint32_t> fileOffsetOf(const PeImage& image, std::uint32_t rva, std::uint32_t size);

// The optional header's checksum of the whole file, the 4 bytes at
// checkSumOffset counted as zero.
std::uint32_t peCheckSum(std::span<const std::uint8_t> file, std::uint32_t checkSumOffset);

const Resource* findResource(std::span<const Resource> resources, const ResourceId& type, const ResourceId& name);

std::string_view describe(PeStatus status);

}  // namespace mirvo::cli
