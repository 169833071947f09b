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

// Most significant bit first; a 64-bit accumulator never holds more than
// 7 + 32 bits.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  bool write(std::uint32_t code, int width) {
    if (width > kMaxWidth) return false;
    acc_ = (acc_ << width) | code;
    bits_ += width;
    while (bits_ >= 8) {
      bits_ -= 8;
      out_.push_back(static_cast<std::uint8_t>(acc_ >> bits_));
    }
    acc_ &= (std::uint64_t{1} << bits_) - 1;
    return true;
  }

  void finish() {
    if (bits_ > 0) out_.push_back(static_cast<std::uint8_t>(acc_ << (8 - bits_)));
    bits_ = 0;
    acc_ = 0;
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t acc_ = 0;
  int bits_ = 0;
};

// (prefix code, byte) -> code, open addressing. At most 3837 live keys, so
// 8192 slots keep probes short.
class StringIndex {
 public:
  static constexpr std::uint32_t kSlots = 8192;

  void clear() { std::memset(keys_, 0, sizeof keys_); }

  // 0 when absent (0 is never a dictionary code of a two-byte-or-longer string).
  std::uint32_t find(std::uint32_t prefix, std::uint8_t byte) const {
    const std::uint32_t key = keyOf(prefix, byte);
    for (std::uint32_t slot = hash(key);; slot = (slot + 1) & (kSlots - 1)) {
      if (keys_[slot] == key) return codes_[slot];
      if (keys_[slot] == 0) return 0;
    }
  }

  void insert(std::uint32_t prefix, std::uint8_t byte, std::uint32_t code) {
    const std::uint32_t key = keyOf(prefix, byte);
    std::uint32_t slot = hash(key);
    while (keys_[slot] != 0) slot = (slot + 1) & (kSlots - 1);
    keys_[slot] = key;
    codes_[slot] = static_cast<std::uint16_t>(code);
  }

 private:
  static std::uint32_t keyOf(std::uint32_t prefix, std::uint8_t byte) { return ((prefix << 8) | byte) + 1; }
  static std::uint32_t hash(std::uint32_t key) { return (key * 2654435761u) >> 19; }

  std::uint32_t keys_[kSlots];
  std::uint16_t codes_[kSlots];
};

struct PackState {
  StringIndex index;
};

std::int32_t packInto(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& out) {
  const std::uint8_t* in = input.data();
  const std::size_t size = input.size();
  out.clear();
  out.reserve(size + size / 2 + 16);

  std::unique_ptr<PackState> state(new (std::nothrow) PackState);
  if (!state) return kOutOfMemory;
  StringIndex& index = state->index;
  index.clear();
  BitWriter writer(out);

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

  auto writeCode = [&](std::uint32_t code) -> bool {
    while (code >= (std::uint32_t{1} << width)) {
      if (!writer.write(kWidenCode, width)) return false;
      ++width;
    }
    return writer.write(code, width);
  };

  for (std::size_t i = 1; i < size; ++i) {
    const std::uint8_t byte = in[i];
    if (const std::uint32_t found = index.find(wCode, byte); found != 0) {
      wCode = found;
      continue;
    }
    const std::uint32_t added = nextCode++;
    index.insert(wCode, byte, added);
    const std::size_t addedLength = i - wStart + 1;
    if (orphanLength != 0 && addedLength == orphanLength &&
        std::memcmp(in + wStart, in + orphanStart, orphanLength) == 0) {
      index.insert(added, orphanByte, kFirstFreeCode);
      orphanLength = 0;
    }
    if (!writeCode(wCode)) return kCodeUnwritable;
    const std::size_t oldStart = wStart;
    wStart = i;
    wCode = byte;
    if (nextCode == kCodeLimit) {
      if (!writer.write(kResetCode, width)) return kCodeUnwritable;
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
  if (!writeCode(wCode)) return kCodeUnwritable;
  if (!writer.write(kEndCode, width)) return kCodeUnwritable;
  writer.finish();
  return kOk;
}

// -------------------------------------------------------------- unpacking

class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> in) : in_(in.data()), size_(in.size()) {}

  // False when the input ends inside the code.
  bool read(int width, std::uint32_t& code) {
    if (bits_ < width) {
      refill();
      if (bits_ < width) return false;
    }
    bits_ -= width;
    code = static_cast<std::uint32_t>((acc_ >> bits_) & ((std::uint64_t{1} << width) - 1));
    return true;
  }

  // Bytes whose bits have been taken (a byte counts once any of its bits is).
  std::size_t consumed() const { return pos_ - static_cast<std::size_t>(bits_ / 8); }

 private:
  void refill() {
    while (bits_ <= 56 && pos_ < size_) {
      acc_ = (acc_ << 8) | in_[pos_++];
      bits_ += 8;
    }
  }

  const std::uint8_t* in_;
  std::size_t size_;
  std::size_t pos_ = 0;
  std::uint64_t acc_ = 0;
  int bits_ = 0;
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
    if (code == kEndCode) {
      produced = written - kOutputStart;
      break;
    }
    if (code == kResetCode) {
      nextCode = kFirstFreeCode;
      width = kFirstWidth;
      continue;
    }
    if (code == kWidenCode) {
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
