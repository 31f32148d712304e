// The second-series interpreter with any axis count, the H file or not,
// any file bytes and any answers of the code library (taken from the
// input): it converts only accepted entries of the entries read, stops at
// the first failing conversion with its code, and otherwise fills the
// table by its rules.
#include <cstddef>
#include <cstdint>

#include "base/result.h"
#include "fuzz_input.h"
#include "project/axis_table.h"
#include "project/second_series_file.h"

using namespace dremoxa7;
using project::entry_field::kExtra;
using project::entry_field::kMark;
using project::entry_field::kSource;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader input(data, size);
  const int axis_count = input.take_count();
  const bool h_file = (input.take_byte() & 1) != 0;
  project::SecondSeriesBlock block;
  input.take(block.data(), block.size());

  int conversions = 0;
  Result first_failure = kOk;
  auto convert = [&](std::uint8_t, std::uint8_t& detail_code) -> Result {
    if (!h_file || first_failure != kOk) __builtin_trap();
    ++conversions;
    const Result code = static_cast<std::int8_t>(input.take_byte());
    detail_code = input.take_byte();
    first_failure = code;
    return code;
  };
  project::AxisTable table;
  const Result result = project::interpret_second_series(block, axis_count, h_file, convert, table);

  if (result != first_failure || conversions > project::kTableAxes) __builtin_trap();
  const int entries_read = axis_count <= (h_file ? 16 : 8) ? (h_file ? 16 : 8) : 32;
  if (conversions > entries_read) __builtin_trap();
  if (result != kOk) return 0;

  fuzz::check_table_shape(table, axis_count, [h_file](const std::uint8_t* e) {
    if (h_file ? (e[kSource] != 3 || e[kExtra] != 0 || e[kMark] > 2)
               : (e[kSource] != 2 || e[kMark] > 1)) {
      __builtin_trap();
    }
  });
  return 0;
}
