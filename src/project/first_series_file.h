// The first controller series' system file, as the axis queries read it.
//
// The CPU's axis count n, not the file, decides between two layouts:
//
//   small (n <= 8), first 188 bytes:   large (n > 8), first 596 bytes:
//     0  header (6)                      0  header (2), 2 layout marker, 3 header (3)
//     6  slot groups 0, 1 (2 x 50)       6  slot groups 0..4 (5 x 66)
//   106  axis table (8 x 6)            336  axis table (32 x 6)
//   154  axis list (n)                 528  axis list (n; 48 with marker 17)
//
// With layout marker 17 the large layout has an extended axis list of 32
// bytes at offset 1940, of which the first n count.
//
// A slot group is 2 bytes the library does not read, then 8 slot entries of
// s bytes (6 small, 8 large): type code, first axis, second axis, detail
// code of the first axis, detail code of the second axis.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/file_bytes.h"
#include "project/axis_table.h"

namespace dremoxa7::project {

struct FirstSeriesLayout {
  std::size_t block_size;       // bytes read from offset 0
  std::size_t slot_entry_size;  // s
  int slot_groups;              // groups that fit before the axis table
  std::size_t axis_table_offset;
  int axis_entries;
  std::size_t axis_list_offset;
};

inline constexpr FirstSeriesLayout kSmallLayout{188, 6, 2, 106, 8, 154};
inline constexpr FirstSeriesLayout kLargeLayout{596, 8, 5, 336, 32, 528};

inline constexpr int kSmallLayoutMaxAxes = 8;
inline constexpr std::size_t kLayoutMarkerOffset = 2;
inline constexpr std::uint8_t kExtendedListMarker = 17;
inline constexpr std::size_t kMarkedListSize = 48;
inline constexpr long kExtendedListOffset = 1940;
inline constexpr std::size_t kExtendedListSize = 32;

const FirstSeriesLayout& first_series_layout(int axis_count);

// The bytes a query reads: the first block_size bytes of the file into
// head, and the extended axis list when the layout calls for it. Whatever
// the file did not hold stays zero.
struct FirstSeriesBytes {
  Block<kLargeLayout.block_size> head{};
  Block<kExtendedListSize> extended_list{};
};

// Whether the extended axis list is read, given the head.
bool has_extended_list(const FirstSeriesBytes& bytes, int axis_count);

// Builds the axis usage table: slot groups 0 up to extra_slot_groups (at
// most the groups that fit the layout; 0 or negative: group 0 only), then
// the axis table, then the axis lists. Counts are the CPU record's values.
AxisTable interpret_first_series(const FirstSeriesBytes& bytes, int axis_count,
                                 int extra_slot_groups);

}  // namespace dremoxa7::project
