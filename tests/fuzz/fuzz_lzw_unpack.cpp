// Unpacking arbitrary streams through both interfaces, and packing arbitrary
// bytes back and forth: the codec must never read or write outside its
// buffers, and what it packs it must unpack to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "quiz/lzw_codec.h"

using namespace mirvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);

  std::vector<std::uint8_t> unpacked;
  const std::int32_t result = lzw::unpack(input, unpacked);
  FUZZ_CHECK(result == lzw::kOk || result == lzw::kNoInput || result == lzw::kBadStream ||
             result == lzw::kInputTooLarge);

  // The player's interface: a handed-over buffer with two spare bytes after
  // the produced ones, which the caller may write (its zero terminator).
  std::uint8_t* buffer = nullptr;
  std::int32_t length = 0;
  const std::int32_t pointerResult = lzw::unpack(data, static_cast<std::int32_t>(size), &buffer, &length);
  FUZZ_CHECK(pointerResult == result);
  if (buffer != nullptr) {
    FUZZ_CHECK(length >= 2);
    const auto produced = static_cast<std::size_t>(length - 2);
    if (result == lzw::kOk) FUZZ_CHECK(produced == unpacked.size());
    FUZZ_CHECK(produced == 0 || std::memcmp(buffer, unpacked.data(), std::min(produced, unpacked.size())) == 0);
    buffer[produced] = 0;
    buffer[produced + 1] = 0;
    std::free(buffer);
  }

  // Round trip of the same bytes taken as plain data.
  if (size > 0 && size <= lzw::kMaxInputSize) {
    std::vector<std::uint8_t> packed;
    FUZZ_CHECK(lzw::pack(input, packed) == lzw::kOk);
    std::vector<std::uint8_t> back;
    FUZZ_CHECK(lzw::unpack(packed, back) == lzw::kOk);
    FUZZ_CHECK(back.size() == size && std::memcmp(back.data(), data, size) == 0);
  }
  return 0;
}
