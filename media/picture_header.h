#pragma once
// A picture's pixel size read from the first bytes of its JPEG or GIF file,
// without decoding it: the question panel lays its rows out from these sizes
// and decodes the pictures once the window is up. Portable: no Windows header.

#include <cstdint>
#include <optional>
#include <span>

namespace mirvo {

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size the picture decoder gives the picture: for a JPEG the frame of its
// first SOFn segment, for a GIF its first image (not the logical screen, which
// may be larger or smaller). Nothing when the bytes are neither, are cut
// short before the size, or give a side of 0 (a height that a later DNL
// segment would set): such a picture has to be decoded to be measured.
std::optional<PictureSize> readPictureSize(std::span<const std::uint8_t> bytes);

std::optional<PictureSize> readJpegSize(std::span<const std::uint8_t> bytes);
std::optional<PictureSize> readGifSize(std::span<const std::uint8_t> bytes);

}  // namespace mirvo
