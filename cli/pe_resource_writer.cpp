#include "cli/pe_resource_writer.h"

#include <algorithm>
#include <map>

#include "cli/pe_bytes.h"

namespace mirvo::cli {

namespace {

constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;
constexpr std::uint32_t kInitializedReadOnlyData = 0x40000040u;  // CNT_INITIALIZED_DATA | MEM_READ
constexpr char kSectionName[8] = {'.', 'r', 's', 'r', 'c', '2', 0, 0};

struct NameNode {
  ResourceId id;
  std::vector<const Resource*> languages;
};
struct TypeNode {
  ResourceId id;
  std::vector<NameNode> names;
};

std::vector<TypeNode> groupTree(std::span<const Resource> resources) {
  std::vector<const Resource*> sorted;
  for (const Resource& r : resources) sorted.push_back(&r);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Resource* a, const Resource* b) {
    if (!(a->type == b->type)) return a->type < b->type;
    if (!(a->name == b->name)) return a->name < b->name;
    return a->language < b->language;
  });
  std::vector<TypeNode> types;
  for (const Resource* r : sorted) {
    if (types.empty() || !(types.back().id == r->type)) types.push_back({r->type, {}});
    auto& names = types.back().names;
    if (names.empty() || !(names.back().id == r->name)) names.push_back({r->name, {}});
    auto& langs = names.back().languages;
    if (!langs.empty() && langs.back()->language == r->language) continue;  // one leaf per key
    langs.push_back(r);
  }
  return types;
}

std::uint32_t directorySize(std::size_t entries) { return 16 + 8 * static_cast<std::uint32_t>(entries); }

void putDirectoryHeader(std::span<std::uint8_t> out, std::uint32_t at, std::uint16_t named, std::uint16_t ids) {
  bytes::put16(out, at + 12, named);
  bytes::put16(out, at + 14, ids);
}

template <class Nodes>
void putDirectory(std::span<std::uint8_t> out, std::uint32_t at, const Nodes& nodes,
                  const std::map<std::u16string, std::uint32_t>& stringAt) {
  std::uint16_t named = 0;
  for (const auto& n : nodes) named += n.id.named ? 1 : 0;
  putDirectoryHeader(out, at, named, static_cast<std::uint16_t>(nodes.size() - named));
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const ResourceId& id = nodes[i].id;
    std::uint32_t field = id.named ? (kSubdirectoryBit | stringAt.at(id.name)) : id.number;
    bytes::put32(out, at + 16 + 8 * i, field);
  }
}

// The leaves in the order the reader gives them back from the written tree.
std::vector<Resource> treeOrder(std::span<const Resource> resources) {
  std::vector<Resource> leaves;
  for (const TypeNode& t : groupTree(resources)) {
    for (const NameNode& n : t.names) {
      for (const Resource* r : n.languages) leaves.push_back(*r);
    }
  }
  return leaves;
}

bool resourceKeyIn(const Resource& r, std::span<const Resource> list) {
  return std::any_of(list.begin(), list.end(), [&](const Resource& a) { return a.type == r.type && a.name == r.name; });
}

std::vector<Resource> mergeResources(std::vector<Resource> existing, const ResourceChanges& changes) {
  std::vector<Resource> merged;
  for (Resource& r : existing) {
    bool dropped = std::find(changes.dropTypes.begin(), changes.dropTypes.end(), r.type) != changes.dropTypes.end();
    if (!dropped && !resourceKeyIn(r, changes.add)) merged.push_back(std::move(r));
  }
  // Of two additions with one key, the later wins.
  for (std::size_t i = 0; i < changes.add.size(); ++i) {
    std::span<const Resource> later(changes.add.data() + i + 1, changes.add.size() - i - 1);
    if (!resourceKeyIn(changes.add[i], later)) merged.push_back(changes.add[i]);
  }
  return merged;
}

std::uint64_t virtualEnd(const PeSection& s) {
  return std::uint64_t{s.virtualAddress} + std::max(s.virtualSize, s.rawSize);
}

// The previous run's section can be rewritten when it is the last one both in
// memory and in the file and nothing but the resource tree points into it.
// "Last" is by extent, not by table order: another section's data reaching
// into it (in the file or in memory) would be cut off or shadow the new tree
// once its size changes.
bool canReuseLastSection(const PeImage& image) {
  const PeSection& last = image.sections.back();
  PeDataDirectory res = image.directory(kResourceDirectoryIndex);
  if (res.rva == 0 || last.virtualAddress != res.rva || last.rawSize == 0) return false;
  if (std::uint64_t{last.rawOffset} + last.rawSize != image.endOfSections) return false;
  const std::uint64_t lastEnd = virtualEnd(last);
  for (std::size_t i = 0; i + 1 < image.sections.size(); ++i) {
    const PeSection& s = image.sections[i];
    if (virtualEnd(s) > last.virtualAddress) return false;
    if (s.rawSize != 0 && std::uint64_t{s.rawOffset} + s.rawSize > last.rawOffset) return false;
  }
  for (std::size_t i = 0; i < image.directories.size(); ++i) {
    const PeDataDirectory& d = image.directories[i];
    if (i == kResourceDirectoryIndex || i == kCertificateTableIndex || d.rva == 0) continue;
    if (d.rva >= last.virtualAddress && d.rva < lastEnd) return false;
  }
  return true;
}

bool hasRoomForSectionHeader(std::span<const std::uint8_t> file, const PeImage& image) {
  std::uint64_t headerEnd = image.sectionTableOffset + std::uint64_t{kSectionHeaderSize} * image.sections.size();
  std::uint64_t limit = image.sizeOfHeaders;
  for (const PeSection& s : image.sections) {
    if (s.rawSize != 0) limit = std::min<std::uint64_t>(limit, s.rawOffset);
  }
  if (headerEnd + kSectionHeaderSize > limit || headerEnd + kSectionHeaderSize > file.size()) return false;
  // Some linkers keep bound imports there: only zeros count as free.
  return std::all_of(file.begin() + headerEnd, file.begin() + headerEnd + kSectionHeaderSize,
                     [](std::uint8_t b) { return b == 0; });
}

}  // namespace

std::vector<std::uint8_t> serializeResourceTree(std::span<const Resource> resources, std::uint32_t baseRva) {
  const std::vector<TypeNode> types = groupTree(resources);

  // Directories first (root, every type, every name), then leaves, names, data.
  std::uint32_t cursor = directorySize(types.size());
  std::vector<std::uint32_t> typeDirAt, nameDirAt;
  for (const TypeNode& t : types) {
    typeDirAt.push_back(cursor);
    cursor += directorySize(t.names.size());
  }
  for (const TypeNode& t : types) {
    for (const NameNode& n : t.names) {
      nameDirAt.push_back(cursor);
      cursor += directorySize(n.languages.size());
    }
  }
  std::vector<const Resource*> leaves;
  for (const TypeNode& t : types) {
    for (const NameNode& n : t.names) leaves.insert(leaves.end(), n.languages.begin(), n.languages.end());
  }
  const std::uint32_t leavesAt = cursor;
  cursor += 16 * static_cast<std::uint32_t>(leaves.size());

  std::map<std::u16string, std::uint32_t> stringAt;
  auto placeString = [&](const ResourceId& id) {
    if (!id.named || stringAt.count(id.name)) return;
    stringAt[id.name] = cursor;
    cursor += 2 + 2 * static_cast<std::uint32_t>(id.name.size());
  };
  for (const TypeNode& t : types) {
    placeString(t.id);
    for (const NameNode& n : t.names) placeString(n.id);
  }
  std::vector<std::uint32_t> dataAt;
  for (const Resource* r : leaves) {
    cursor = bytes::alignUp(cursor, 8);
    dataAt.push_back(cursor);
    cursor += static_cast<std::uint32_t>(r->data.size());
  }

  std::vector<std::uint8_t> out(cursor, 0);
  std::span<std::uint8_t> o(out);
  putDirectory(o, 0, types, stringAt);
  std::size_t nameIndex = 0, leafIndex = 0;
  for (std::size_t ti = 0; ti < types.size(); ++ti) {
    bytes::put32(o, 16 + 8 * ti + 4, kSubdirectoryBit | typeDirAt[ti]);
    const TypeNode& t = types[ti];
    putDirectory(o, typeDirAt[ti], t.names, stringAt);
    for (std::size_t ni = 0; ni < t.names.size(); ++ni, ++nameIndex) {
      const std::uint32_t nameDir = nameDirAt[nameIndex];
      bytes::put32(o, typeDirAt[ti] + 16 + 8 * ni + 4, kSubdirectoryBit | nameDir);
      const auto& langs = t.names[ni].languages;
      putDirectoryHeader(o, nameDir, 0, static_cast<std::uint16_t>(langs.size()));
      for (std::size_t li = 0; li < langs.size(); ++li, ++leafIndex) {
        const std::uint32_t leaf = leavesAt + 16 * static_cast<std::uint32_t>(leafIndex);
        bytes::put32(o, nameDir + 16 + 8 * li, langs[li]->language);
        bytes::put32(o, nameDir + 16 + 8 * li + 4, leaf);
        bytes::put32(o, leaf, baseRva + dataAt[leafIndex]);
        bytes::put32(o, leaf + 4, static_cast<std::uint32_t>(langs[li]->data.size()));
        bytes::put32(o, leaf + 8, langs[li]->codePage);
        std::copy(langs[li]->data.begin(), langs[li]->data.end(), out.begin() + dataAt[leafIndex]);
      }
    }
  }
  for (const auto& [name, at] : stringAt) {
    bytes::put16(o, at, static_cast<std::uint16_t>(name.size()));
    for (std::size_t i = 0; i < name.size(); ++i) bytes::put16(o, at + 2 + 2 * i, name[i]);
  }
  return out;
}

PeEditResult writeResources(std::span<const std::uint8_t> file, const ResourceChanges& changes,
                            std::vector<std::uint8_t>& out) {
  out.clear();
  PeImage image;
  if (PeStatus s = readPeImage(file, image); s != PeStatus::Ok) return {PeEditStatus::Unreadable, s};
  if (image.directory(kCertificateTableIndex).size != 0) return {PeEditStatus::Signed};
  if (image.directories.size() <= kResourceDirectoryIndex) return {PeEditStatus::NoResourceDirectory};
  std::vector<Resource> existing;
  if (PeStatus s = readResources(file, image, existing); s != PeStatus::Ok) return {PeEditStatus::Unreadable, s};
  const std::vector<Resource> merged = mergeResources(std::move(existing), changes);

  const bool reuse = canReuseLastSection(image);
  if (!reuse && !hasRoomForSectionHeader(file, image)) return {PeEditStatus::NoHeaderRoom};
  std::uint32_t headerAt = 0, rawOffset = 0, oldRawSize = 0;
  std::uint64_t rva = 0;
  if (reuse) {
    const PeSection& last = image.sections.back();
    headerAt = image.sectionTableOffset + kSectionHeaderSize * static_cast<std::uint32_t>(image.sections.size() - 1);
    rawOffset = last.rawOffset;
    oldRawSize = last.rawSize;
    rva = last.virtualAddress;
  } else {
    headerAt = image.sectionTableOffset + kSectionHeaderSize * static_cast<std::uint32_t>(image.sections.size());
    // The headers take the start of the image even when the section table
    // says nothing lies above them; address 0 would read as "no resources".
    std::uint64_t imageEnd = image.sizeOfHeaders;
    for (const PeSection& s : image.sections) imageEnd = std::max(imageEnd, virtualEnd(s));
    rva = (imageEnd + image.sectionAlignment - 1) & ~std::uint64_t{image.sectionAlignment - 1};
    rawOffset = bytes::alignUp(image.endOfSections, image.fileAlignment);
  }
  if (rva >= 0x80000000u) return {PeEditStatus::TooLarge};
  const std::vector<std::uint8_t> tree = serializeResourceTree(merged, static_cast<std::uint32_t>(rva));
  const std::uint64_t rawSize =
      (std::uint64_t{tree.size()} + image.fileAlignment - 1) & ~std::uint64_t{image.fileAlignment - 1};
  const std::uint64_t newImageEnd =
      (rva + tree.size() + image.sectionAlignment - 1) & ~std::uint64_t{image.sectionAlignment - 1};
  const std::uint64_t overlaySize = file.size() - image.endOfSections;
  if (newImageEnd >= 0x80000000u || rawOffset + rawSize + overlaySize >= 0x80000000u) {
    return {PeEditStatus::TooLarge};
  }

  // Headers and sections up to the slot, the tree, then whatever followed
  // the last section (symbols, appended data) unchanged.
  const std::uint32_t keep = reuse ? rawOffset : image.endOfSections;
  out.assign(file.begin(), file.begin() + keep);
  out.resize(rawOffset, 0);
  out.insert(out.end(), tree.begin(), tree.end());
  out.resize(rawOffset + rawSize, 0);
  const std::uint32_t newEndOfSections = static_cast<std::uint32_t>(out.size());
  out.insert(out.end(), file.begin() + image.endOfSections, file.end());

  std::span<std::uint8_t> o(out);
  if (!reuse) std::copy(std::begin(kSectionName), std::end(kSectionName), out.begin() + headerAt);
  bytes::put32(o, headerAt + 8, static_cast<std::uint32_t>(tree.size()));
  bytes::put32(o, headerAt + 12, static_cast<std::uint32_t>(rva));
  bytes::put32(o, headerAt + 16, static_cast<std::uint32_t>(rawSize));
  bytes::put32(o, headerAt + 20, rawOffset);
  std::fill(out.begin() + headerAt + 24, out.begin() + headerAt + 36, 0);
  bytes::put32(o, headerAt + 36, kInitializedReadOnlyData);
  if (!reuse) bytes::put16(o, image.fileHeaderOffset + 2, static_cast<std::uint16_t>(image.sections.size() + 1));
  if (image.symbolTableOffset != 0 && image.symbolTableOffset >= image.endOfSections) {
    bytes::put32(o, image.fileHeaderOffset + 8, image.symbolTableOffset - image.endOfSections + newEndOfSections);
  }

  const std::uint32_t oh = image.optionalHeaderOffset;
  bytes::put32(o, oh + 8, image.sizeOfInitializedData - oldRawSize + static_cast<std::uint32_t>(rawSize));
  bytes::put32(o, oh + 56, static_cast<std::uint32_t>(newImageEnd));
  bytes::put32(o, image.directoryOffset(kResourceDirectoryIndex), static_cast<std::uint32_t>(rva));
  bytes::put32(o, image.directoryOffset(kResourceDirectoryIndex) + 4, static_cast<std::uint32_t>(tree.size()));
  bytes::put32(o, image.checkSumOffset(), peCheckSum(out, image.checkSumOffset()));

  // Whatever layout the input had, success means the copy reads back with
  // exactly the merged resources; anything else is refused, not written.
  PeImage written;
  std::vector<Resource> readBack;
  PeStatus check = readPeImage(out, written);
  if (check == PeStatus::Ok) check = readResources(out, written, readBack);
  if (check != PeStatus::Ok || readBack != treeOrder(merged)) {
    out.clear();
    return {PeEditStatus::OutputUnreadable, check};
  }
  return {};
}

std::string describe(const PeEditResult& result) {
  switch (result.status) {
    case PeEditStatus::Ok: return "ok";
    case PeEditStatus::Unreadable: return std::string(describe(result.readStatus));
    case PeEditStatus::Signed:
      return "the executable is signed (it has a certificate table); a changed copy would carry a broken "
             "signature, so use an unsigned player";
    case PeEditStatus::NoResourceDirectory: return "the executable's header has no resource directory slot";
    case PeEditStatus::NoHeaderRoom: return "the executable's headers have no room for one more section";
    case PeEditStatus::TooLarge: return "the resources would make the executable larger than 2 GiB";
    case PeEditStatus::OutputUnreadable: {
      std::string why = result.readStatus == PeStatus::Ok ? "its resources come back different"
                                                          : std::string(describe(result.readStatus));
      return "the executable's section layout cannot take the new resources (the changed copy would not read "
             "back: " + why + ")";
    }
  }
  return "unknown error";
}

}  // namespace mirvo::cli
