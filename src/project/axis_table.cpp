#include "project/axis_table.h"

namespace dremoxa7::project {
namespace {

constexpr std::uint8_t kAxisNumberBits = 0x3F;

namespace axis_entry {
constexpr std::size_t kAxis = 0;
constexpr std::size_t kTypeCode = 1;
constexpr std::size_t kDetailCode = 2;
constexpr std::size_t kExtraCode = 3;
}  // namespace axis_entry

}  // namespace

int usable_axis_count(int axis_count) { return axis_count < kTableAxes ? axis_count : kTableAxes; }

int accepted_axis(std::uint8_t byte, int axis_count) {
  const int axis = byte & kAxisNumberBits;
  return axis >= 1 && axis <= axis_count ? axis : 0;
}

std::size_t AxisTable::index(int axis, std::size_t offset) {
  return static_cast<std::size_t>(axis - 1) * kTableEntrySize + offset;
}

std::uint8_t& AxisTable::field(int axis, std::size_t offset) { return bytes_[index(axis, offset)]; }

void AxisTable::assign(int axis, Source source, std::uint8_t type_code, std::uint8_t detail_code) {
  field(axis, entry_field::kUsed) = 1;
  field(axis, entry_field::kSource) = static_cast<std::uint8_t>(source);
  field(axis, entry_field::kTypeCode) = type_code;
  field(axis, entry_field::kDetailCode) = detail_code;
}

void AxisTable::set_extra(int axis, std::uint8_t extra) {
  field(axis, entry_field::kExtra) = extra;
}

void AxisTable::set_mark(int axis, Mark mark) {
  field(axis, entry_field::kMark) = static_cast<std::uint8_t>(mark);
}

bool AxisTable::used(int axis) const { return bytes_[index(axis, entry_field::kUsed)] == 1; }

void apply_axis_entries(AxisTable& table, Bytes entries, int axis_count) {
  for (std::size_t at = 0; at + kAxisEntrySize <= entries.size(); at += kAxisEntrySize) {
    const Bytes entry = entries.subspan(at, kAxisEntrySize);
    const int axis = accepted_axis(unsigned_byte(entry, axis_entry::kAxis), axis_count);
    if (axis == 0) continue;
    table.assign(axis, Source::axis_entry, unsigned_byte(entry, axis_entry::kTypeCode),
                 unsigned_byte(entry, axis_entry::kDetailCode));
    table.set_extra(axis, unsigned_byte(entry, axis_entry::kExtraCode));
  }
}

void apply_axis_list(AxisTable& table, Bytes list, int axis_count) {
  for (std::size_t at = 0; at < list.size(); ++at) {
    const int axis = signed_byte(list, at);
    if (axis >= 1 && axis <= axis_count && table.used(axis)) table.set_mark(axis, Mark::listed);
  }
}

}  // namespace dremoxa7::project
