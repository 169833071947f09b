#include "media/picture_header.h"

#include <cstddef>

namespace mirvo {

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kGifImageSeparator = 0x2C;
constexpr std::uint8_t kGifExtensionIntroducer = 0x21;
constexpr std::size_t kGifScreenDescriptorEnd = 13;  // signature 6, screen descriptor 7
constexpr std::size_t kGifImageDescriptorSize = 10;

int bigEndian16(std::span<const std::uint8_t> bytes, std::size_t at) { return bytes[at] << 8 | bytes[at + 1]; }
int littleEndian16(std::span<const std::uint8_t> bytes, std::size_t at) { return bytes[at] | bytes[at + 1] << 8; }

// Start of frame, any coding: C0-CF but for DHT (C4), JPG (C8) and DAC (CC).
bool isStartOfFrame(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers that stand alone, without a length: TEM and the restart markers.
bool standsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

std::optional<PictureSize> sizeOf(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  return PictureSize{width, height};
}

}  // namespace

std::optional<PictureSize> readJpegSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != kMarkerPrefix || bytes[1] != kStartOfImage) return std::nullopt;
  std::size_t at = 2;
  // Every turn consumes at least one byte, so the walk ends with the bytes.
  while (at < bytes.size()) {
    if (bytes[at] != kMarkerPrefix) return std::nullopt;  // not at a segment: damaged
    while (at < bytes.size() && bytes[at] == kMarkerPrefix) ++at;  // fill bytes
    if (at >= bytes.size()) return std::nullopt;
    const std::uint8_t marker = bytes[at++];
    if (standsAlone(marker)) continue;
    if (marker == 0x00 || marker == kStartOfImage || marker == kEndOfImage || marker == kStartOfScan) {
      return std::nullopt;  // no frame before the image data
    }
    if (bytes.size() - at < 2) return std::nullopt;
    const std::size_t length = static_cast<std::size_t>(bigEndian16(bytes, at));  // counts itself
    if (length < 2) return std::nullopt;
    if (isStartOfFrame(marker)) {
      // Length, sample precision, lines, samples per line.
      if (length < 8 || bytes.size() - at < 7) return std::nullopt;
      return sizeOf(bigEndian16(bytes, at + 5), bigEndian16(bytes, at + 3));
    }
    if (bytes.size() - at < length) return std::nullopt;
    at += length;
  }
  return std::nullopt;
}

std::optional<PictureSize> readGifSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kGifScreenDescriptorEnd || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F' ||
      bytes[3] != '8' || (bytes[4] != '7' && bytes[4] != '9') || bytes[5] != 'a') {
    return std::nullopt;
  }
  const std::uint8_t screenFlags = bytes[10];
  std::size_t at = kGifScreenDescriptorEnd;
  if (screenFlags & 0x80) at += std::size_t{3} << ((screenFlags & 0x07) + 1);  // global colour table
  // The decoder sizes the picture by its first image, wherever that image
  // sits on the logical screen and however large the screen claims to be.
  while (at < bytes.size()) {
    const std::uint8_t block = bytes[at];
    if (block == kGifImageSeparator) {
      if (bytes.size() - at < kGifImageDescriptorSize) return std::nullopt;
      return sizeOf(littleEndian16(bytes, at + 5), littleEndian16(bytes, at + 7));
    }
    if (block != kGifExtensionIntroducer) return std::nullopt;  // the trailer, or damage
    at += 2;  // introducer and label, then data sub-blocks up to an empty one
    for (;;) {
      if (at >= bytes.size()) return std::nullopt;
      const std::size_t count = bytes[at++];
      if (count == 0) break;
      at += count;
    }
  }
  return std::nullopt;
}

std::optional<PictureSize> readPictureSize(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == kMarkerPrefix && bytes[1] == kStartOfImage) return readJpegSize(bytes);
  if (bytes.size() >= 3 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F') return readGifSize(bytes);
  return std::nullopt;
}

}  // namespace mirvo
