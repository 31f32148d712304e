// Fields of the blocks of file bytes that the library reads. Every block is
// read into zero-filled storage of its full size, so that bytes a short file
// does not hold count as zero; these helpers spell out the width and
// signedness of each field read from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dremoxa7 {

template <std::size_t Size>
using Block = std::array<std::uint8_t, Size>;

using Bytes = std::span<const std::uint8_t>;

// One byte, 0..255.
inline std::uint8_t unsigned_byte(Bytes bytes, std::size_t offset) { return bytes[offset]; }

// One byte as a signed 8-bit number, -128..127.
inline int signed_byte(Bytes bytes, std::size_t offset) {
  return static_cast<std::int8_t>(bytes[offset]);
}

// A 32-bit little-endian field of which only the low 16 bits count, as a
// signed number.
inline int low_half_signed(Bytes bytes, std::size_t offset) {
  const auto low = static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
  return static_cast<std::int16_t>(low);
}

}  // namespace dremoxa7
