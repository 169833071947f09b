#pragma once
// Writes resources into a copy of a PE32 executable without a resource
// compiler: the old tree and the new resources are merged into one tree that
// goes into a section after the last one, and the resource directory is
// pointed at it. Nothing else moves, so code, relocations (ASLR) and the
// sections after the old resources keep working. Portable.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "cli/pe_image.h"

namespace mirvo::cli {

struct ResourceChanges {
  std::vector<ResourceId> dropTypes;  // every resource of these types goes first
  std::vector<Resource> add;          // replaces any resource of the same type and name
};

enum class PeEditStatus {
  Ok,
  Unreadable,           // see readStatus
  Signed,               // a certificate table: changing the file would break the signature
  NoResourceDirectory,  // the optional header has no resource directory slot
  NoHeaderRoom,         // no free room for one more section header
  TooLarge,             // the image would outgrow 32-bit addresses
  OutputUnreadable,     // the changed copy does not read back with the merged resources (see readStatus)
};

struct PeEditResult {
  PeEditStatus status = PeEditStatus::Ok;
  PeStatus readStatus = PeStatus::Ok;
  bool ok() const { return status == PeEditStatus::Ok; }
};

// out receives the whole new file; file is left as it was. The section that
// a previous run appended (the last one, holding only the resource tree) is
// rewritten in place rather than followed by another.
PeEditResult writeResources(std::span<const std::uint8_t> file, const ResourceChanges& changes,
                            std::vector<std::uint8_t>& out);

// The resource tree as laid out at `baseRva`: directories, data entries,
// names, then the data, each datum 8-byte aligned.
std::vector<std::uint8_t> serializeResourceTree(std::span<const Resource> resources, std::uint32_t baseRva);

std::string describe(const PeEditResult& result);

}  // namespace mirvo::cli
