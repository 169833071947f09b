#pragma once
// The quiz codec: variable-width LZW (9 to 12 bits) with widen (257) and
// reset (258) codes and an end code (256). Portable: no Windows header.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mirvo::lzw {

inline constexpr std::int32_t kOk = 0;
inline constexpr std::int32_t kOutOfMemory = -4;
inline constexpr std::int32_t kNoInput = -5;
inline constexpr std::int32_t kCodeUnwritable = -6;
inline constexpr std::int32_t kBadStream = -7;
inline constexpr std::int32_t kInputTooLarge = -8;  // beyond kMaxInputSize / kMaxPackedSize

// pack takes at most this many bytes (the format's readers count with 16 bits).
inline constexpr std::size_t kMaxInputSize = 65535;
// unpack takes at most the longest stream pack can write for kMaxInputSize
// bytes: at most one 12-bit code per input byte, plus per dictionary
// generation (at most 19) three widen codes and a reset, plus the end code.
// Random input comes close (some 90000 bytes), so the limit must not be 65535.
inline constexpr std::size_t kMaxPackedSize = (12 * (kMaxInputSize + 4 * 19 + 1) + 7) / 8;

// Stream-shaped interface, as the player and the format's other writers know
// it: the result buffer is std::malloc'ed and belongs to the caller (std::free);
// unpack's outLength is the produced count plus 2, pack's plus 1.
std::int32_t unpack(const std::uint8_t* data, std::int32_t size, std::uint8_t** outBuffer, std::int32_t* outLength);
std::int32_t pack(const std::uint8_t* data, std::int32_t size, std::uint8_t** outBuffer, std::int32_t* outLength);

// Counters of the last call(s).
std::int32_t inputSize();
std::int32_t inputConsumed();
std::int32_t packInputSize();
std::int32_t packedSize();

// Value-shaped interface for new code: output holds exactly the produced bytes
// (also on failure, what was produced so far).
std::int32_t pack(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output);
std::int32_t unpack(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output);

// One line naming a result code, e.g. "-7 (bad stream)".
std::string_view resultMessage(std::int32_t result);

// The player shows a message box when a result buffer cannot be allocated;
// the portable codec only calls this hook (none by default).
using AllocationFailureHook = void (*)();
void setAllocationFailureHook(AllocationFailureHook hook);

}  // namespace mirvo::lzw
