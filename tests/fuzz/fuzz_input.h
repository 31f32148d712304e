// How the fuzz targets read their input, shared with the seed generator.
//
// Counts come first as 16-bit little-endian values, as the CPU library's
// record holds them; then the file bytes, in the blocks the queries read.
// Bytes the input does not hold count as zero, as they do for a short file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "project/axis_table.h"
#include "project/first_series_file.h"
#include "project/second_series_file.h"

namespace dremoxa7::fuzz {

// The input consumed front to back; past its end every read gives zeros.
class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  void take(std::uint8_t* out, std::size_t count) {
    const std::size_t n = count < size_ ? count : size_;
    if (n != 0) std::memcpy(out, data_, n);
    if (n < count) std::memset(out + n, 0, count - n);
    data_ += n;
    size_ -= n;
  }
  std::int16_t take_count() {
    std::uint8_t bytes[2];
    take(bytes, sizeof bytes);
    return static_cast<std::int16_t>(bytes[0] | bytes[1] << 8);
  }
  std::uint8_t take_byte() {
    std::uint8_t byte;
    take(&byte, 1);
    return byte;
  }
  bool empty() const { return size_ == 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// Traps unless the table has the shape every axis query gives it: an entry
// is all zero, or it is in use (byte 0 = 1) for an accepted axis, and bytes
// 6 and 7 stay zero. check_used(entry) traps on what a query's own rules
// forbid in an entry in use.
template <class CheckUsed>
void check_table_shape(const project::AxisTable& table, int axis_count, CheckUsed check_used) {
  const int accepted = axis_count < 0 ? 0 : axis_count;
  for (int axis = 1; axis <= project::kTableAxes; ++axis) {
    const std::uint8_t* entry = &table.bytes()[(axis - 1) * project::kTableEntrySize];
    if (entry[6] != 0 || entry[7] != 0) __builtin_trap();
    if (entry[project::entry_field::kUsed] == 0) {
      for (std::size_t i = 0; i < project::kTableEntrySize; ++i) {
        if (entry[i] != 0) __builtin_trap();
      }
      continue;
    }
    if (entry[project::entry_field::kUsed] != 1 || axis > accepted) __builtin_trap();
    check_used(entry);
  }
}

// first_series: axis count, extra slot groups, the 596-byte head, the
// 32-byte extended axis list.
inline constexpr std::size_t kFirstSeriesInputSize =
    4 + project::kLargeLayout.block_size + project::kExtendedListSize;

// second_series: axis count, one byte whose bit 0 selects the H file, the
// 1360-byte block, then two bytes per conversion: its code as a signed
// byte (0: success) and the detail code it gives.
inline constexpr std::size_t kSecondSeriesHeaderSize = 3;

}  // namespace dremoxa7::fuzz
