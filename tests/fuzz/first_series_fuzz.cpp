// The first-series interpreter with any axis count, any number of extra
// slot groups and any file bytes: it reads only the blocks it is given and
// writes only table entries of accepted axes, by the table's rules.
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"
#include "project/axis_table.h"
#include "project/first_series_file.h"

using namespace dremoxa7;
using project::entry_field::kExtra;
using project::entry_field::kMark;
using project::entry_field::kSource;
using project::entry_field::kTypeCode;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader input(data, size);
  const int axis_count = input.take_count();
  const int extra_slot_groups = input.take_count();
  project::FirstSeriesBytes bytes;
  input.take(bytes.head.data(), bytes.head.size());
  input.take(bytes.extended_list.data(), bytes.extended_list.size());

  const project::AxisTable table =
      project::interpret_first_series(bytes, axis_count, extra_slot_groups);
  fuzz::check_table_shape(table, axis_count, [](const std::uint8_t* e) {
    if (e[kMark] > 1) __builtin_trap();
    if (e[kSource] == 1) {
      // Slots come before axis entries, so a slot's entry has no extra code.
      if ((e[kTypeCode] != 16 && e[kTypeCode] != 32 && e[kTypeCode] != 33) || e[kExtra] != 0) {
        __builtin_trap();
      }
    } else if (e[kSource] != 2) {
      __builtin_trap();
    }
  });

  // Nothing but the bytes decides: a second run gives the same table.
  if (project::interpret_first_series(bytes, axis_count, extra_slot_groups).bytes() !=
      table.bytes()) {
    __builtin_trap();
  }
  return 0;
}
