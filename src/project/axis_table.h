// The axis usage table that the four axis queries answer, and the rules by
// which file bytes name axes in it.
//
// 32 entries of 8 bytes; entry i describes axis number i + 1, and an entry
// whose axis is not in use is all zero. The table is built in local storage
// and handed to the caller only when the whole query succeeds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/file_bytes.h"

namespace dremoxa7::project {

inline constexpr int kTableAxes = 32;
inline constexpr std::size_t kTableEntrySize = 8;
inline constexpr std::size_t kAxisTableSize = kTableAxes * kTableEntrySize;

// Byte offsets within a table entry; bytes 6 and 7 stay 0.
namespace entry_field {
inline constexpr std::size_t kUsed = 0;
inline constexpr std::size_t kSource = 1;
inline constexpr std::size_t kTypeCode = 2;
inline constexpr std::size_t kDetailCode = 3;
inline constexpr std::size_t kMark = 4;
inline constexpr std::size_t kExtra = 5;
}  // namespace entry_field

// What assigned an axis.
enum class Source : std::uint8_t {
  slot_entry = 1,       // first series only
  axis_entry = 2,       // codes copied from the axis entry
  converted_entry = 3,  // H file: detail code converted by the code library
};

enum class Mark : std::uint8_t {
  none = 0,
  listed = 1,   // the axis stands in an axis list and is in use
  flagged = 2,  // the H-file axis entry has its flag set
};

// A CPU's axis count as the queries use it. The table has 32 entries, so a
// CPU that reports more axes counts as having 32: no axis number, list or
// entry range can then reach past the table.
int usable_axis_count(int axis_count);

// The axis that a byte of a slot entry or axis entry names, by its low six
// bits, when 1 <= axis <= axis_count; 0 when it names no accepted axis.
// axis_count is a usable axis count.
int accepted_axis(std::uint8_t byte, int axis_count);

class AxisTable {
 public:
  // Axis numbers are accepted ones (1..32). A later assignment of the same
  // axis replaces bytes 0 to 3 and keeps the others.
  void assign(int axis, Source source, std::uint8_t type_code, std::uint8_t detail_code);
  void set_extra(int axis, std::uint8_t extra);
  void set_mark(int axis, Mark mark);
  bool used(int axis) const;

  const Block<kAxisTableSize>& bytes() const { return bytes_; }

 private:
  static std::size_t index(int axis, std::size_t offset);
  std::uint8_t& field(int axis, std::size_t offset);
  Block<kAxisTableSize> bytes_{};
};

// Axis entries (6 bytes: axis number, type code, detail code, extra code;
// bytes 4 and 5 are not read here), in file order: each that names an
// accepted axis assigns it with its codes copied.
inline constexpr std::size_t kAxisEntrySize = 6;
void apply_axis_entries(AxisTable& table, Bytes entries, int axis_count);

// An axis list: each byte, as a signed number v without masking, marks
// axis v as listed when 1 <= v <= axis_count and the axis is in use.
void apply_axis_list(AxisTable& table, Bytes list, int axis_count);

}  // namespace dremoxa7::project
