// The PE reader on arbitrary files: headers, sections and the resource tree.
// Whatever it accepts, every offset it hands out must lie inside the file.
#include <cstdint>
#include <span>
#include <vector>

#include "cli/pe_image.h"
#include "fuzz_check.h"

using namespace mirvo::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  PeImage image;
  if (readPeImage(file, image) != PeStatus::Ok) return 0;

  FUZZ_CHECK(image.sectionTableOffset <= size);
  FUZZ_CHECK(image.endOfSections <= size);
  for (const PeSection& section : image.sections) {
    FUZZ_CHECK(static_cast<std::uint64_t>(section.rawOffset) + section.rawSize <= size || section.rawSize == 0);
  }
  for (std::size_t i = 0; i < image.directories.size(); ++i) {
    const PeDataDirectory dir = image.directory(i);
    if (const auto offset = fileOffsetOf(image, dir.rva, dir.size)) {
      FUZZ_CHECK(static_cast<std::uint64_t>(*offset) + dir.size <= size);
    }
  }
  if (image.checkSumOffset() + 4 <= size) (void)peCheckSum(file, image.checkSumOffset());

  std::vector<Resource> resources;
  if (readResources(file, image, resources) != PeStatus::Ok) return 0;
  for (const Resource& r : resources) {
    FUZZ_CHECK(r.data.size() <= size);
    (void)toString(r.type);
    (void)toString(r.name);
  }
  return 0;
}
