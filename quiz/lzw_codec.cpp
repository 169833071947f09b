// Variable-width LZW, both directions. Every call owns its working state, so
// calls are independent; only the four counters outlive a call.
//
// Packing finds strings through a hash of (code of the current string, next
// byte) instead of comparing whole strings of the same length; the stream is
// the same because every dictionary string is unique until a reset.
//
// Unpacking keeps each entry as an (offset, length) window into the output
// produced so far: an entry is always the current string (already written)
// plus the first byte of what follows it, so no string is ever stored twice.
#include "quiz/lzw_codec.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace mirvo::lzw {
namespace {

constexpr std::uint32_t kEndCode = 256;
constexpr std::uint32_t kWidenCode = 257;
constexpr std::uint32_t kResetCode = 258;
constexpr std::uint32_t kFirstFreeCode = 259;
constexpr std::uint32_t kCodeLimit = 4096;  // no entry at this code or above
constexpr int kFirstWidth = 9;
constexpr int kMaxWidth = 32;

struct Counters {
  std::int32_t inputSize = 0;
  std::int32_t inputConsumed = 0;
  std::int32_t packInputSize = 0;
  std::int32_t packedSize = 0;
};
Counters counters;
AllocationFailureHook allocationFailureHook = nullptr;

void reportAllocationFailure() {
  if (allocationFailureHook != nullptr) allocationFailureHook();
}

bool validInput(std::span<const std::uint8_t> input) { return !input.empty() && input.data() != nullptr; }

// ---------------------------------------------------------------- packing

// The longest stream pack can write for n bytes: at most one 12-bit code per
// input byte, three widen codes and a reset per dictionary generation, the
// end code, and room for the writer's last 4-byte store.
std::size_t packedBound(std::size_t n) { return (12 * (n + 4 * (n / (kCodeLimit - kFirstFreeCode) + 1) + 1) + 7) / 8 + 4; }

// Most significant bit first into a buffer sized by packedBound; bits gather
// in a 64-bit accumulator and leave 32 at a time.
class BitWriter {
 public:
  explicit BitWriter(std::uint8_t* out) : out_(out) {}

  bool write(std::uint32_t code, int width) {
    if (width > kMaxWidth) return false;
    acc_ = (acc_ << width) | code;
    bits_ += width;
    if (bits_ >= 32) {
      bits_ -= 32;
      const auto word = static_cast<std::uint32_t>(acc_ >> bits_);
      out_[0] = static_cast<std::uint8_t>(word >> 24);
      out_[1] = static_cast<std::uint8_t>(word >> 16);
      out_[2] = static_cast<std::uint8_t>(word >> 8);
      out_[3] = static_cast<std::uint8_t>(word);
      out_ += 4;
    }
    return true;
  }

  std::uint8_t* end() const { return out_; }  // whole 32-bit groups written so far

  // Completes the last byte with zero bits; returns the end of the stream.
  std::uint8_t* finish() {
    while (bits_ >= 8) {
      bits_ -= 8;
      *out_++ = static_cast<std::uint8_t>(acc_ >> bits_);
    }
    if (bits_ > 0) *out_++ = static_cast<std::uint8_t>(acc_ << (8 - bits_));
    bits_ = 0;
    return out_;
  }

 private:
  std::uint8_t* out_;
  std::uint64_t acc_ = 0;  // only the low bits_ bits are pending
  int bits_ = 0;
};

// (prefix code, byte) -> code, open addressing. At most 3837 live keys, so
// 8192 slots keep probes short. Keys carry the dictionary generation: a
// reset makes every older key a free slot without clearing the table.
class StringIndex {
 public:
  static constexpr std::uint32_t kSlots = 8192;

  StringIndex() { std::memset(keys_, 0, sizeof keys_); }

  void clear() { ++generation_; }

  // The code of (prefix, byte), or 0 with `slot` left where it belongs
  // (0 is never the code of a string of two bytes or more).
  std::uint32_t find(std::uint32_t prefix, std::uint8_t byte, std::uint32_t& slot) const {
    const std::uint32_t key = keyOf(prefix, byte);
    for (slot = hash(key);; slot = (slot + 1) & (kSlots - 1)) {
      if (keys_[slot] == key) return codes_[slot];
      if ((keys_[slot] >> kGenerationShift) != generation_) return 0;
    }
  }

  void insertAt(std::uint32_t slot, std::uint32_t prefix, std::uint8_t byte, std::uint32_t code) {
    keys_[slot] = keyOf(prefix, byte);
    codes_[slot] = static_cast<std::uint16_t>(code);
  }

  void insert(std::uint32_t prefix, std::uint8_t byte, std::uint32_t code) {
    std::uint32_t slot = 0;
    if (find(prefix, byte, slot) == 0) insertAt(slot, prefix, byte, code);
  }

 private:
  // prefix (12 bits) and byte (8) below, generation above; generation 0 is
  // the zeroed table, so no live key is ever 0.
  static constexpr int kGenerationShift = 20;
  std::uint32_t keyOf(std::uint32_t prefix, std::uint8_t byte) const {
    return (generation_ << kGenerationShift) | (prefix << 8) | byte;
  }
  static std::uint32_t hash(std::uint32_t key) { return ((key & 0xFFFFF) * 2654435761u) >> 19; }

  std::uint32_t generation_ = 1;
  std::uint32_t keys_[kSlots];
  std::uint16_t codes_[kSlots];
};

struct PackState {
  StringIndex index;
};

std::int32_t packInto(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& out) {
  const std::uint8_t* in = input.data();
  const std::size_t size = input.size();
  std::unique_ptr<PackState> state(new (std::nothrow) PackState);
  if (!state) return kOutOfMemory;
  StringIndex& index = state->index;
  out.resize(packedBound(size));
  BitWriter writer(out.data());

  int width = kFirstWidth;
  std::uint32_t nextCode = kFirstFreeCode;
  // The current string W is in[wStart .. i) and has code wCode.
  std::size_t wStart = 0;
  std::uint32_t wCode = in[0];

  // After a reset the candidate comes back as entry 259 although its prefix
  // (the old W) may have no code in the new dictionary. Until that prefix is
  // added again, entry 259 cannot be reached through the index; the prefix is
  // remembered as a window of the input and linked in once it gets a code.
  std::size_t orphanStart = 0;
  std::size_t orphanLength = 0;
  std::uint8_t orphanByte = 0;

  // Unreachable from this loop (widths stay at 12 or below), but a failed
  // write still leaves out holding exactly what was written.
  auto unwritable = [&] {
    out.resize(static_cast<std::size_t>(writer.end() - out.data()));
    return kCodeUnwritable;
  };
  auto writeCode = [&](std::uint32_t code) -> bool {
    while (code >= (std::uint32_t{1} << width)) {
      if (!writer.write(kWidenCode, width)) return false;
      ++width;
    }
    return writer.write(code, width);
  };

  for (std::size_t i = 1; i < size; ++i) {
    const std::uint8_t byte = in[i];
    std::uint32_t slot = 0;
    if (const std::uint32_t found = index.find(wCode, byte, slot); found != 0) {
      wCode = found;
      continue;
    }
    const std::uint32_t added = nextCode++;
    index.insertAt(slot, wCode, byte, added);
    const std::size_t addedLength = i - wStart + 1;
    if (orphanLength != 0 && addedLength == orphanLength &&
        std::memcmp(in + wStart, in + orphanStart, orphanLength) == 0) {
      index.insert(added, orphanByte, kFirstFreeCode);
      orphanLength = 0;
    }
    if (!writeCode(wCode)) return unwritable();
    const std::size_t oldStart = wStart;
    wStart = i;
    wCode = byte;
    if (nextCode == kCodeLimit) {
      if (!writer.write(kResetCode, width)) return unwritable();
      index.clear();
      orphanLength = 0;
      // The candidate was the old W followed by this byte.
      if (i - oldStart == 1) {
        index.insert(in[oldStart], byte, kFirstFreeCode);
      } else {
        orphanStart = oldStart;
        orphanLength = i - oldStart;
        orphanByte = byte;
      }
      nextCode = kFirstFreeCode + 1;
      width = kFirstWidth;
    }
  }
  if (!writeCode(wCode)) return unwritable();
  if (!writer.write(kEndCode, width)) return unwritable();
  out.resize(static_cast<std::size_t>(writer.finish() - out.data()));
  return kOk;
}

// -------------------------------------------------------------- unpacking

// Each code is cut out of one 8-byte big-endian window starting at the byte
// that holds its first bit: at most 7 + 32 bits are needed, so one load
// covers any width, and only the last 7 bytes of the input take the slow path.
class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> in) : in_(in.data()), size_(in.size()) {}

  // False when the input ends inside the code.
  bool read(int width, std::uint32_t& code) {
    const std::size_t end = bitPos_ + static_cast<std::size_t>(width);
    if (end > size_ * 8) return false;
    const std::size_t at = bitPos_ >> 3;
    const std::uint8_t* p = in_ + at;
    std::uint64_t window = 0;
    if (at + 8 <= size_) {
      window = std::uint64_t{p[0]} << 56 | std::uint64_t{p[1]} << 48 | std::uint64_t{p[2]} << 40 |
               std::uint64_t{p[3]} << 32 | std::uint64_t{p[4]} << 24 | std::uint64_t{p[5]} << 16 |
               std::uint64_t{p[6]} << 8 | std::uint64_t{p[7]};
    } else {
      for (std::size_t i = 0; at + i < size_; ++i) window |= std::uint64_t{p[i]} << (56 - 8 * i);
    }
    code = static_cast<std::uint32_t>((window << (bitPos_ & 7)) >> (64 - width));
    bitPos_ = end;
    return true;
  }

  // Bytes whose bits have been taken (a byte counts once any of its bits is).
  std::size_t consumed() const { return (bitPos_ + 7) / 8; }

 private:
  const std::uint8_t* in_;
  std::size_t size_;
  std::size_t bitPos_ = 0;
};

// Room for the widest unaligned copy beyond the last written byte.
constexpr std::size_t kSlack = 16;
// The work buffer starts with the 256 one-byte strings, so a literal is
// copied like any other entry; the output follows them.
constexpr std::size_t kOutputStart = 256;

struct UnpackState {
  std::uint32_t offset[kCodeLimit];
  std::uint32_t length[kCodeLimit];
};

// Uninitialised and grown by realloc: zero-filling a vector for every call
// costs more than decoding incompressible input.
class WorkBuffer {
 public:
  WorkBuffer() = default;
  WorkBuffer(const WorkBuffer&) = delete;
  WorkBuffer& operator=(const WorkBuffer&) = delete;
  ~WorkBuffer() { std::free(data_); }

  bool reserve(std::size_t size) {
    if (size <= size_) return true;
    auto* grown = static_cast<std::uint8_t*>(std::realloc(data_, size));
    if (grown == nullptr) return false;
    data_ = grown;
    size_ = size;
    return true;
  }
  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

// `produced` excludes the current string, which is written as soon as it is
// known but only counts once the stream says so.
std::int32_t unpackInto(std::span<const std::uint8_t> input, WorkBuffer& work, std::size_t& produced,
                        std::size_t& consumed) {
  produced = 0;
  consumed = 0;
  std::unique_ptr<UnpackState> state(new (std::nothrow) UnpackState);
  if (!state) return kOutOfMemory;
  if (!work.reserve(kOutputStart + input.size() * 4 + 4096 + kSlack)) {
    reportAllocationFailure();
    return kOutOfMemory;
  }
  std::uint32_t* const offset = state->offset;
  std::uint32_t* const length = state->length;
  std::uint8_t* buf = work.data();
  for (std::uint32_t c = 0; c < kEndCode; ++c) {
    buf[c] = static_cast<std::uint8_t>(c);
    offset[c] = c;
    length[c] = 1;
  }

  BitReader reader(input);
  int width = kFirstWidth;
  std::uint32_t nextCode = kFirstFreeCode;
  std::uint32_t code = 0;
  if (!reader.read(width, code)) {
    consumed = input.size();
    return kNoInput;
  }
  buf[kOutputStart] = static_cast<std::uint8_t>(code);
  std::size_t written = kOutputStart + 1;
  std::size_t wLength = 1;  // W is buf[written - wLength .. written)

  std::int32_t result = kOk;
  bool truncated = false;
  for (;;) {
    if (!reader.read(width, code)) {
      truncated = true;
      result = kBadStream;
      break;
    }
    if (code - kEndCode < 3) [[unlikely]] {
      if (code == kEndCode) {
        produced = written - kOutputStart;
        break;
      }
      if (code == kResetCode) {
        nextCode = kFirstFreeCode;
        width = kFirstWidth;
        continue;
      }
      if (++width > kMaxWidth) {
        result = kBadStream;
        break;
      }
      continue;
    }
    if (code > nextCode || nextCode >= kCodeLimit) {
      result = kBadStream;
      break;
    }
    const std::size_t wOffset = written - wLength;
    const std::size_t kLength = code == nextCode ? wLength + 1 : length[code];
    if (written + kLength + kSlack > work.size()) {
      if (!work.reserve(work.size() * 2 + kLength + kSlack)) {
        reportAllocationFailure();
        return kOutOfMemory;
      }
      buf = work.data();
    }
    std::uint8_t* dest = buf + written;
    if (code == nextCode) {
      std::memcpy(dest, buf + wOffset, wLength);
      dest[wLength] = buf[wOffset];
    } else {
      // Source ends at or before dest; when it is short, two fixed 8-byte
      // moves beat a call, and whatever they carry past kLength is
      // overwritten by the next string.
      const std::uint8_t* src = buf + offset[code];
      if (kLength <= 16) {
        std::uint64_t a, b;
        std::memcpy(&a, src, 8);
        std::memcpy(dest, &a, 8);
        std::memcpy(&b, src + 8, 8);
        std::memcpy(dest + 8, &b, 8);
      } else {
        std::memcpy(dest, src, kLength);
      }
    }
    offset[nextCode] = static_cast<std::uint32_t>(wOffset);
    length[nextCode] = static_cast<std::uint32_t>(wLength + 1);
    ++nextCode;
    produced = written - kOutputStart;
    written += kLength;
    wLength = kLength;
  }
  consumed = truncated ? input.size() : reader.consumed();
  return result;
}

// The result buffer is the only allocation that can fail by throwing; the
// player shows a message for that one (the working state fails quietly).
template <typename Body>
std::int32_t guarded(Body&& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    reportAllocationFailure();
    return kOutOfMemory;
  }
}

}  // namespace

std::int32_t pack(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output) {
  counters.inputSize = static_cast<std::int32_t>(std::min<std::size_t>(input.size(), 0x7FFFFFFF));
  counters.packInputSize = counters.inputSize;
  counters.inputConsumed = 0;
  output.clear();
  if (input.size() > kMaxInputSize) return kInputTooLarge;
  if (!validInput(input)) return kNoInput;
  const std::int32_t result = guarded([&] { return packInto(input, output); });
  if (result == kOutOfMemory) output.clear();
  counters.inputConsumed = static_cast<std::int32_t>(input.size());
  if (result == kOk) counters.packedSize = static_cast<std::int32_t>(output.size());
  return result;
}

std::int32_t unpack(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output) {
  counters.inputSize = static_cast<std::int32_t>(std::min<std::size_t>(input.size(), 0x7FFFFFFF));
  counters.inputConsumed = 0;
  output.clear();
  if (input.size() > kMaxPackedSize) return kInputTooLarge;
  if (!validInput(input)) return kNoInput;
  std::size_t produced = 0;
  std::size_t consumed = 0;
  const std::int32_t result = guarded([&] {
    WorkBuffer work;
    const std::int32_t r = unpackInto(input, work, produced, consumed);
    if (r != kOutOfMemory) output.assign(work.data() + kOutputStart, work.data() + kOutputStart + produced);
    return r;
  });
  if (result == kOutOfMemory) output.clear();
  counters.inputConsumed = static_cast<std::int32_t>(consumed);
  return result;
}

namespace {

// Hands a value-shaped result over as a malloc'ed buffer with `extra`
// zeroed bytes behind the produced ones (room a C-string reader may rely on).
std::int32_t handOver(std::int32_t result, const std::vector<std::uint8_t>& produced, std::size_t extra,
                      std::uint8_t** outBuffer, std::int32_t* outLength) {
  auto* buffer = static_cast<std::uint8_t*>(std::malloc(produced.size() + extra));
  if (buffer == nullptr) {
    reportAllocationFailure();
    return kOutOfMemory;
  }
  if (!produced.empty()) std::memcpy(buffer, produced.data(), produced.size());
  std::memset(buffer + produced.size(), 0, extra);
  *outBuffer = buffer;
  *outLength = static_cast<std::int32_t>(produced.size() + extra);
  return result;
}

std::span<const std::uint8_t> spanOf(const std::uint8_t* data, std::int32_t size) {
  if (data == nullptr || size <= 0) return {};
  return {data, static_cast<std::size_t>(size)};
}

template <typename Codec>
std::int32_t streamCall(Codec codec, const std::uint8_t* data, std::int32_t size, std::size_t extra,
                        std::uint8_t** outBuffer, std::int32_t* outLength) {
  if (outBuffer == nullptr || outLength == nullptr) return kNoInput;
  *outBuffer = nullptr;
  *outLength = 0;
  std::vector<std::uint8_t> produced;
  const std::int32_t result = codec(spanOf(data, size), produced);
  // Refused before any work (too large) or out of memory: no buffer.
  if (result == kInputTooLarge || result == kOutOfMemory) return result;
  return handOver(result, produced, extra, outBuffer, outLength);
}

}  // namespace

std::int32_t unpack(const std::uint8_t* data, std::int32_t size, std::uint8_t** outBuffer, std::int32_t* outLength) {
  const std::int32_t result = streamCall(
      [](std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) { return unpack(in, out); }, data, size,
      2, outBuffer, outLength);
  if (size > 0 && data != nullptr) counters.inputSize = size;
  return result;
}

std::int32_t pack(const std::uint8_t* data, std::int32_t size, std::uint8_t** outBuffer, std::int32_t* outLength) {
  const std::int32_t result = streamCall(
      [](std::span<const std::uint8_t> in, std::vector<std::uint8_t>& out) { return pack(in, out); }, data, size, 1,
      outBuffer, outLength);
  if (size > 0 && data != nullptr) counters.inputSize = counters.packInputSize = size;
  return result;
}

std::int32_t inputSize() { return counters.inputSize; }
std::int32_t inputConsumed() { return counters.inputConsumed; }
std::int32_t packInputSize() { return counters.packInputSize; }
std::int32_t packedSize() { return counters.packedSize; }

std::string_view resultMessage(std::int32_t result) {
  switch (result) {
    case kOk: return "0 (success)";
    case kOutOfMemory: return "-4 (out of memory)";
    case kNoInput: return "-5 (no input: empty, or ends inside the first code)";
    case kCodeUnwritable: return "-6 (a code cannot be written: width above 32 bits)";
    case kBadStream: return "-7 (bad stream: truncated, a code above the next free code, or a full dictionary)";
    case kInputTooLarge: return "-8 (input too large: more than 65535 bytes to pack or 98418 bytes to unpack)";
    default: return "unknown result code";
  }
}

void setAllocationFailureHook(AllocationFailureHook hook) { allocationFailureHook = hook; }

}  // namespace mirvo::lzw
