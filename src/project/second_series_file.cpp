#include "project/second_series_file.h"

namespace dremoxa7::project {
namespace {

constexpr std::int16_t kFirstHFileCpuType = 15;
constexpr std::int16_t kSecondHFileCpuType = 16;

// Axis entries read: 8 up to 8 axes, else all 32; the H file 16 (one pass)
// up to 16 axes, else all 32 (two passes).
constexpr int kShortTableAxes = 8;
constexpr int kShortHTableAxes = 16;

namespace h_entry {
constexpr std::size_t kAxis = 0;
constexpr std::size_t kTypeCode = 1;
constexpr std::size_t kFlag = 4;
}  // namespace h_entry

constexpr std::uint8_t kFlagSet = 1;

int axis_entries_read(int axis_count, bool h_file) {
  const int short_table = h_file ? kShortHTableAxes : kShortTableAxes;
  return axis_count <= short_table ? short_table : kTableAxes;
}

Result apply_h_entries(AxisTable& table, Bytes entries, int axis_count,
                       DetailCodeConversion conversion) {
  for (std::size_t at = 0; at + kAxisEntrySize <= entries.size(); at += kAxisEntrySize) {
    const Bytes entry = entries.subspan(at, kAxisEntrySize);
    const int axis = accepted_axis(unsigned_byte(entry, h_entry::kAxis), axis_count);
    if (axis == 0) continue;
    const std::uint8_t type_code = unsigned_byte(entry, h_entry::kTypeCode);
    std::uint8_t detail_code = 0;
    if (const Result result = conversion.convert(conversion.context, type_code, detail_code);
        result != kOk) {
      return result;
    }
    table.assign(axis, Source::converted_entry, type_code, detail_code);
    if (unsigned_byte(entry, h_entry::kFlag) == kFlagSet) table.set_mark(axis, Mark::flagged);
  }
  return kOk;
}

}  // namespace

bool reads_h_file(std::int16_t cpu_type) {
  return cpu_type == kFirstHFileCpuType || cpu_type == kSecondHFileCpuType;
}

Result interpret_second_series(const SecondSeriesBlock& block, int axis_count, bool h_file,
                               DetailCodeConversion conversion, AxisTable& table) {
  const int n = usable_axis_count(axis_count);
  const Bytes entries =
      Bytes(block).subspan(kSecondSeriesAxisTableOffset,
                           static_cast<std::size_t>(axis_entries_read(n, h_file)) * kAxisEntrySize);
  if (h_file) {
    if (const Result result = apply_h_entries(table, entries, n, conversion); result != kOk) {
      return result;
    }
  } else {
    apply_axis_entries(table, entries, n);
  }
  const std::size_t listed = n > 0 ? static_cast<std::size_t>(n) : 0;
  apply_axis_list(table, Bytes(block).subspan(kSecondSeriesAxisListOffset, listed), n);
  return kOk;
}

}  // namespace dremoxa7::project
