// Eight bytes of text at a time: finds the first byte that the RTF byte rules
// do not write unchanged, so that runs of ordinary ASCII text are copied a
// block at a time.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zek {

// The eight bytes from `bytes` on.
inline uint64_t load_block(const unsigned char* bytes) {
  uint64_t block;
  std::memcpy(&block, bytes, 8);
  return block;
}

// Marks (bit 7) the bytes of `block` that may need a rule: control bytes,
// bytes 0x80 and above (lead bytes among them) and, while escaping, "\", "{"
// and "}". The first marked byte is exact; marks after it may be spurious.
inline uint64_t rule_marks(uint64_t block, bool escaping) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHigh = kOnes * 0x80;
  const auto zero_bytes = [](uint64_t bytes) { return (bytes - kOnes) & ~bytes & kHigh; };
  uint64_t marks = (block & kHigh) | ((block - kOnes * 0x20) & ~block & kHigh);
  if (escaping) {
    marks |= zero_bytes(block ^ (kOnes * '\\')) | zero_bytes(block ^ (kOnes * '{')) |
             zero_bytes(block ^ (kOnes * '}'));
  }
  return marks;
}

// Index (0 to 7) of the first marked byte; `marks` is not 0.
inline size_t first_marked(uint64_t marks) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<size_t>(std::countr_zero(marks)) / 8;
  } else {
    return static_cast<size_t>(std::countl_zero(marks)) / 8;
  }
}

}  // namespace zek
