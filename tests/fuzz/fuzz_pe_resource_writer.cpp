// The resource writer on arbitrary files, as `mirvo build` uses it on a
// player it was handed: drop the pictures, add the two packed resources. A
// file it accepts must come out as an executable the reader takes again,
// holding exactly the new resources and the old ones not replaced.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "cli/pe_image.h"
#include "cli/pe_resource_writer.h"
#include "fuzz_check.h"

using namespace mirvo::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  // Only files the reader takes reach the writer in `mirvo build`; the rest
  // is the reader's own target.
  PeImage image;
  std::vector<Resource> before;
  if (readPeImage(file, image) != PeStatus::Ok || readResources(file, image, before) != PeStatus::Ok) return 0;

  ResourceChanges changes;
  changes.dropTypes.push_back(ResourceId::of("IMG"));
  Resource description{ResourceId::of("PATCH"), ResourceId::of(104), 0x040C, 0, {0x20, 0xC0, 0x00}};
  Resource picture{ResourceId::of("IMG"), ResourceId::of(401), 0x040C, 0, {0xFF, 0xD8, 0xFF, 0xD9}};
  changes.add = {description, picture};

  std::vector<std::uint8_t> out;
  const PeEditResult result = writeResources(file, changes, out);
  if (!result.ok()) return 0;

  PeImage written;
  FUZZ_CHECK(readPeImage(out, written) == PeStatus::Ok);
  std::vector<Resource> after;
  FUZZ_CHECK(readResources(out, written, after) == PeStatus::Ok);
  const Resource* found = findResource(after, description.type, description.name);
  FUZZ_CHECK(found != nullptr && found->data == description.data);
  found = findResource(after, picture.type, picture.name);
  FUZZ_CHECK(found != nullptr && found->data == picture.data);
  // A damaged tree can list one (type, name, language) twice; the merged tree
  // keeps one leaf per key, so the old resources are compared key by key.
  const auto sameKey = [](const Resource& a, const Resource& b) {
    return a.type == b.type && a.name == b.name && a.language == b.language;
  };
  std::vector<const Resource*> kept;
  for (const Resource& old : before) {
    if (old.type == picture.type) continue;
    if (old.type == description.type && old.name == description.name) continue;
    const bool twice = std::count_if(before.begin(), before.end(), [&](const Resource& r) { return sameKey(r, old); }) > 1;
    if (twice) {
      FUZZ_CHECK(std::any_of(after.begin(), after.end(), [&](const Resource& r) { return sameKey(r, old); }));
    } else {
      FUZZ_CHECK(std::find(after.begin(), after.end(), old) != after.end());
    }
    if (std::none_of(kept.begin(), kept.end(), [&](const Resource* k) { return sameKey(*k, old); })) kept.push_back(&old);
  }
  FUZZ_CHECK(after.size() == 2 + kept.size());
  return 0;
}
