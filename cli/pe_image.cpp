#include "cli/pe_image.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "cli/pe_bytes.h"

namespace mirvo::cli {

namespace {

constexpr std::uint16_t kPe32Magic = 0x10B;
// The Windows loader refuses more; it also bounds the section table we read.
constexpr std::uint16_t kMaxSections = 96;
constexpr std::uint32_t kMaxDirectories = 16;
constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;

bool fits(std::size_t fileSize, std::uint64_t offset, std::uint64_t size) {
  return offset <= fileSize && size <= fileSize - offset;
}

// Walks the tree below the resource directory, with every read bounded.
class ResourceTreeReader {
 public:
  ResourceTreeReader(std::span<const std::uint8_t> file, const PeImage& image, std::uint32_t rootRva)
      : file_(file), image_(image), rootRva_(rootRva) {}

  PeStatus read(std::vector<Resource>& out) {
    Path path;
    return readDirectory(0, 0, path, out);
  }

 private:
  struct Path {
    ResourceId type;
    ResourceId name;
  };

  // The file offset of `size` bytes at `offset` from the root of the tree.
  std::optional<std::uint32_t> at(std::uint32_t offset, std::uint32_t size) const {
    if (offset > 0xFFFFFFFFu - rootRva_) return std::nullopt;
    return fileOffsetOf(image_, rootRva_ + offset, size);
  }

  PeStatus readName(std::uint32_t offset, ResourceId& id) const {
    auto head = at(offset, 2);
    if (!head) return PeStatus::ResourceOutside;
    std::uint16_t length = bytes::u16(file_, *head);
    auto chars = at(offset + 2, std::uint32_t{length} * 2);
    if (!chars) return PeStatus::ResourceOutside;
    id.named = true;
    id.name.resize(length);
    for (std::uint16_t i = 0; i < length; ++i) id.name[i] = static_cast<char16_t>(bytes::u16(file_, *chars + 2u * i));
    return PeStatus::Ok;
  }

  PeStatus readDirectory(std::uint32_t offset, int level, Path& path, std::vector<Resource>& out) {
    // A directory reached twice is a loop (or a shared subtree, which no
    // linker writes); either would make the walk unbounded.
    if (!visited_.insert(offset).second) return PeStatus::ResourceLoop;
    auto head = at(offset, 16);
    if (!head) return PeStatus::ResourceOutside;
    std::uint32_t count = std::uint32_t{bytes::u16(file_, *head + 12)} + bytes::u16(file_, *head + 14);
    auto entries = at(offset + 16, count * 8);
    if (!entries) return PeStatus::ResourceOutside;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t nameField = bytes::u32(file_, *entries + 8 * i);
      std::uint32_t target = bytes::u32(file_, *entries + 8 * i + 4);
      ResourceId id;
      if (nameField & kSubdirectoryBit) {
        if (PeStatus s = readName(nameField & ~kSubdirectoryBit, id); s != PeStatus::Ok) return s;
      } else {
        id = ResourceId::of(static_cast<std::uint16_t>(nameField));
      }
      if (level == 0) path.type = id;
      if (level == 1) path.name = id;
      bool isDirectory = (target & kSubdirectoryBit) != 0;
      target &= ~kSubdirectoryBit;
      if (level < 2) {
        // A leaf above the language level has no place in type/name/language.
        if (!isDirectory) return PeStatus::ResourceTooDeep;
        if (PeStatus s = readDirectory(target, level + 1, path, out); s != PeStatus::Ok) return s;
        continue;
      }
      if (isDirectory) return PeStatus::ResourceTooDeep;
      PeStatus s = readLeaf(target, path, id.named ? 0 : id.number, out);
      if (s != PeStatus::Ok) return s;
    }
    return PeStatus::Ok;
  }

  PeStatus readLeaf(std::uint32_t offset, const Path& path, std::uint16_t language, std::vector<Resource>& out) {
    auto entry = at(offset, 16);
    if (!entry) return PeStatus::ResourceOutside;
    std::uint32_t dataRva = bytes::u32(file_, *entry);
    std::uint32_t size = bytes::u32(file_, *entry + 4);
    auto data = fileOffsetOf(image_, dataRva, size);
    if (!data) return PeStatus::ResourceOutside;
    Resource r;
    r.type = path.type;
    r.name = path.name;
    r.language = language;
    r.codePage = bytes::u32(file_, *entry + 8);
    r.data.assign(file_.begin() + *data, file_.begin() + *data + size);
    out.push_back(std::move(r));
    return PeStatus::Ok;
  }

  std::span<const std::uint8_t> file_;
  const PeImage& image_;
  std::uint32_t rootRva_;
  std::set<std::uint32_t> visited_;
};

}  // namespace

ResourceId ResourceId::of(std::string_view ascii) {
  ResourceId id;
  id.named = true;
  for (char c : ascii) id.name.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return id;
}

bool operator<(const ResourceId& a, const ResourceId& b) {
  if (a.named != b.named) return a.named;
  if (a.named) return a.name < b.name;
  return a.number < b.number;
}

std::string toString(const ResourceId& id) {
  if (!id.named) return std::to_string(id.number);
  std::string s;
  for (char16_t c : id.name) {
    if (c >= 0x20 && c < 0x7F) {
      s.push_back(static_cast<char>(c));
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
      s += buf;
    }
  }
  return s;
}

PeStatus readPeImage(std::span<const std::uint8_t> file, PeImage& image) {
  image = PeImage{};
  if (file.size() < 2) return PeStatus::Truncated;
  if (file[0] != 'M' || file[1] != 'Z') return PeStatus::NotExecutable;
  if (file.size() < 0x40) return PeStatus::Truncated;
  std::uint32_t peOffset = bytes::u32(file, 0x3C);
  if (!fits(file.size(), peOffset, 4 + 20)) return PeStatus::Truncated;
  if (bytes::u32(file, peOffset) != 0x00004550u) return PeStatus::NoPeSignature;

  image.fileHeaderOffset = peOffset + 4;
  const std::uint32_t fh = image.fileHeaderOffset;
  image.machine = bytes::u16(file, fh);
  std::uint16_t sectionCount = bytes::u16(file, fh + 2);
  image.symbolTableOffset = bytes::u32(file, fh + 8);
  std::uint16_t optionalSize = bytes::u16(file, fh + 16);
  image.optionalHeaderOffset = fh + 20;
  const std::uint32_t oh = image.optionalHeaderOffset;
  if (!fits(file.size(), oh, 2)) return PeStatus::Truncated;
  if (bytes::u16(file, oh) != kPe32Magic) return PeStatus::NotPe32;
  if (optionalSize < 96) return PeStatus::BadHeaders;
  if (!fits(file.size(), oh, optionalSize)) return PeStatus::Truncated;

  image.sizeOfInitializedData = bytes::u32(file, oh + 8);
  image.sectionAlignment = bytes::u32(file, oh + 32);
  image.fileAlignment = bytes::u32(file, oh + 36);
  image.sizeOfImage = bytes::u32(file, oh + 56);
  image.sizeOfHeaders = bytes::u32(file, oh + 60);
  image.checkSum = bytes::u32(file, oh + 64);
  std::uint32_t directoryCount = bytes::u32(file, oh + 92);
  auto isPowerOfTwo = [](std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; };
  if (!isPowerOfTwo(image.fileAlignment) || !isPowerOfTwo(image.sectionAlignment) ||
      image.fileAlignment > image.sectionAlignment || directoryCount > kMaxDirectories ||
      96u + directoryCount * 8u > optionalSize || sectionCount == 0 || sectionCount > kMaxSections) {
    return PeStatus::BadHeaders;
  }
  for (std::uint32_t i = 0; i < directoryCount; ++i) {
    image.directories.push_back({bytes::u32(file, oh + 96 + 8 * i), bytes::u32(file, oh + 100 + 8 * i)});
  }

  image.sectionTableOffset = oh + optionalSize;
  if (!fits(file.size(), image.sectionTableOffset, std::uint64_t{sectionCount} * kSectionHeaderSize)) {
    return PeStatus::Truncated;
  }
  if (image.sizeOfHeaders < image.sectionTableOffset + sectionCount * kSectionHeaderSize) return PeStatus::BadHeaders;
  std::uint32_t end = image.sizeOfHeaders;
  for (std::uint16_t i = 0; i < sectionCount; ++i) {
    std::uint32_t at = image.sectionTableOffset + i * kSectionHeaderSize;
    PeSection s;
    for (std::uint32_t k = 0; k < 8 && file[at + k] != 0; ++k) s.name.push_back(static_cast<char>(file[at + k]));
    s.virtualSize = bytes::u32(file, at + 8);
    s.virtualAddress = bytes::u32(file, at + 12);
    s.rawSize = bytes::u32(file, at + 16);
    s.rawOffset = bytes::u32(file, at + 20);
    s.characteristics = bytes::u32(file, at + 36);
    if (s.rawSize != 0) {
      if (!fits(file.size(), s.rawOffset, s.rawSize)) return PeStatus::SectionOutsideFile;
      end = std::max(end, s.rawOffset + s.rawSize);
    }
    if (std::uint64_t{s.virtualAddress} + std::max(s.virtualSize, s.rawSize) > 0xFFFFFFFFu) {
      return PeStatus::BadHeaders;
    }
    image.sections.push_back(std::move(s));
  }
  if (end > file.size()) return PeStatus::Truncated;
  image.endOfSections = end;
  return PeStatus::Ok;
}

std::optional<std::uint32_t> fileOffsetOf(const PeImage& image, std::uint32_t rva, std::uint32_t size) {
  for (const PeSection& s : image.sections) {
    // A section without raw data has nothing in the file, and its raw
    // offset was never checked: even a zero-byte lookup must not end there.
    if (s.rawSize == 0 || rva < s.virtualAddress) continue;
    std::uint64_t into = rva - s.virtualAddress;
    if (into + size <= s.rawSize) return static_cast<std::uint32_t>(s.rawOffset + into);
  }
  return std::nullopt;
}

PeStatus readResources(std::span<const std::uint8_t> file, const PeImage& image, std::vector<Resource>& out) {
  out.clear();
  PeDataDirectory dir = image.directory(kResourceDirectoryIndex);
  if (dir.rva == 0 || dir.size == 0) return PeStatus::Ok;
  ResourceTreeReader reader(file, image, dir.rva);
  PeStatus s = reader.read(out);
  if (s != PeStatus::Ok) out.clear();
  return s;
}

std::uint32_t peCheckSum(std::span<const std::uint8_t> file, std::uint32_t checkSumOffset) {
  std::uint64_t sum = 0;
  const std::size_t n = file.size();
  for (std::size_t i = 0; i < n; i += 2) {
    if (i >= checkSumOffset && i < std::size_t{checkSumOffset} + 4) continue;
    std::uint32_t word = file[i];
    if (i + 1 < n) word |= std::uint32_t{file[i + 1]} << 8;
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + n);
}

const Resource* findResource(std::span<const Resource> resources, const ResourceId& type, const ResourceId& name) {
  for (const Resource& r : resources) {
    if (r.type == type && r.name == name) return &r;
  }
  return nullptr;
}

std::string_view describe(PeStatus status) {
  switch (status) {
    case PeStatus::Ok: return "ok";
    case PeStatus::Truncated: return "the file ends inside its headers (truncated?)";
    case PeStatus::NotExecutable: return "not a Windows executable (no MZ header)";
    case PeStatus::NoPeSignature: return "not a PE executable (no PE signature)";
    case PeStatus::NotPe32: return "not a 32-bit PE32 executable (the player is a 32-bit program)";
    case PeStatus::BadHeaders: return "the PE headers are damaged (alignments, sizes or section count)";
    case PeStatus::SectionOutsideFile: return "a section runs past the end of the file (truncated?)";
    case PeStatus::ResourceOutside: return "the resource tree points outside its section";
    case PeStatus::ResourceLoop: return "the resource tree loops back on itself";
    case PeStatus::ResourceTooDeep: return "the resource tree is not type / name / language";
  }
  return "unknown PE error";
}

}  // namespace mirvo::cli
