#include "project/first_series_file.h"

namespace dremoxa7::project {
namespace {

// The first slot entry of a group lies 2 bytes into it; groups start at 6.
constexpr std::size_t kFirstSlotEntryOffset = 8;
constexpr std::size_t kSlotGroupHeaderSize = 2;
constexpr int kSlotEntriesPerGroup = 8;

namespace slot_entry {
constexpr std::size_t kTypeCode = 0;
constexpr std::size_t kFirstAxis = 1;
constexpr std::size_t kSecondAxis = 2;
constexpr std::size_t kFirstDetailCode = 3;
constexpr std::size_t kSecondDetailCode = 4;
}  // namespace slot_entry

constexpr std::uint8_t kOneAxisSlot = 16;
constexpr std::uint8_t kTwoAxisSlot = 32;
constexpr std::uint8_t kTwoAxisSlotAlternate = 33;

std::size_t slot_entry_offset(const FirstSeriesLayout& layout, int group, int entry) {
  const std::size_t s = layout.slot_entry_size;
  const std::size_t group_size = kSlotEntriesPerGroup * s + kSlotGroupHeaderSize;
  return kFirstSlotEntryOffset + static_cast<std::size_t>(group) * group_size +
         static_cast<std::size_t>(entry) * s;
}

void apply_slot_entry(AxisTable& table, Bytes entry, int axis_count) {
  const std::uint8_t type = unsigned_byte(entry, slot_entry::kTypeCode);
  const bool two_axes = type == kTwoAxisSlot || type == kTwoAxisSlotAlternate;
  if (type != kOneAxisSlot && !two_axes) return;
  if (const int axis = accepted_axis(unsigned_byte(entry, slot_entry::kFirstAxis), axis_count)) {
    table.assign(axis, Source::slot_entry, type,
                 unsigned_byte(entry, slot_entry::kFirstDetailCode));
  }
  if (!two_axes) return;
  if (const int axis = accepted_axis(unsigned_byte(entry, slot_entry::kSecondAxis), axis_count)) {
    table.assign(axis, Source::slot_entry, type,
                 unsigned_byte(entry, slot_entry::kSecondDetailCode));
  }
}

// Group 0 always; a larger count than the groups that fit before the axis
// table reads only those that fit.
int last_slot_group(const FirstSeriesLayout& layout, int extra_slot_groups) {
  if (extra_slot_groups <= 0) return 0;
  return extra_slot_groups < layout.slot_groups ? extra_slot_groups : layout.slot_groups - 1;
}

}  // namespace

const FirstSeriesLayout& first_series_layout(int axis_count) {
  return usable_axis_count(axis_count) <= kSmallLayoutMaxAxes ? kSmallLayout : kLargeLayout;
}

bool has_extended_list(const FirstSeriesBytes& bytes, int axis_count) {
  return &first_series_layout(axis_count) == &kLargeLayout &&
         unsigned_byte(bytes.head, kLayoutMarkerOffset) == kExtendedListMarker;
}

AxisTable interpret_first_series(const FirstSeriesBytes& bytes, int axis_count,
                                 int extra_slot_groups) {
  const int n = usable_axis_count(axis_count);
  const FirstSeriesLayout& layout = first_series_layout(n);
  const Bytes head = Bytes(bytes.head).first(layout.block_size);
  AxisTable table;

  const int last_group = last_slot_group(layout, extra_slot_groups);
  for (int group = 0; group <= last_group; ++group) {
    for (int entry = 0; entry < kSlotEntriesPerGroup; ++entry) {
      apply_slot_entry(
          table, head.subspan(slot_entry_offset(layout, group, entry), layout.slot_entry_size), n);
    }
  }

  apply_axis_entries(
      table, head.subspan(layout.axis_table_offset, layout.axis_entries * kAxisEntrySize), n);

  // A CPU without axes lists none.
  const std::size_t listed = n > 0 ? static_cast<std::size_t>(n) : 0;
  if (has_extended_list(bytes, n)) {
    apply_axis_list(table, head.subspan(layout.axis_list_offset, kMarkedListSize), n);
    apply_axis_list(table, Bytes(bytes.extended_list).first(listed), n);
  } else {
    apply_axis_list(table, head.subspan(layout.axis_list_offset, listed), n);
  }
  return table;
}

}  // namespace dremoxa7::project
