// The second controller series' system file, as the axis queries read it.
//
//     0  not read (805)
//   805  axis table: 32 axis entries of 6 bytes
//   997  axis list (n bytes)
//
// The first 1360 bytes are read. For CPU types 15 and 16 the query reads
// the H file, of the same layout, whose axis entries carry a type code
// that the code library converts into the detail code, and a flag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/file_bytes.h"
#include "base/result.h"
#include "project/axis_table.h"

namespace dremoxa7::project {

inline constexpr std::size_t kSecondSeriesBlockSize = 1360;
inline constexpr std::size_t kSecondSeriesAxisTableOffset = 805;
inline constexpr std::size_t kSecondSeriesAxisListOffset = 997;

using SecondSeriesBlock = Block<kSecondSeriesBlockSize>;

// CPU types whose axes the H file describes (compared as 16-bit values).
bool reads_h_file(std::int16_t cpu_type);

// Converts an H-file type code into a detail code (the code library's two
// calls). Anything but kOk ends the query with that code.
struct DetailCodeConversion {
  Result (*convert)(void* context, std::uint8_t type_code, std::uint8_t& detail_code);
  void* context;
};

// Builds the axis usage table into table from a block read from a file that
// is already closed. Axis entries 0..7 (n <= 8) or 0..31 are read, or for
// the H file entries 0..15 (n <= 16) or 0..31, each accepted H-file entry
// converted in file order; then the n-byte axis list. A failing conversion
// returns its code at once, with table only partly built.
Result interpret_second_series(const SecondSeriesBlock& block, int axis_count, bool h_file,
                               DetailCodeConversion conversion, AxisTable& table);

// The same with any callable Result(std::uint8_t type_code, std::uint8_t&
// detail_code) as the conversion.
template <class Convert>
Result interpret_second_series(const SecondSeriesBlock& block, int axis_count, bool h_file,
                               Convert&& convert, AxisTable& table) {
  using Callable = std::remove_reference_t<Convert>;
  const DetailCodeConversion conversion{
      [](void* context, std::uint8_t type_code, std::uint8_t& detail_code) -> Result {
        return (*static_cast<Callable*>(context))(type_code, detail_code);
      },
      &convert};
  return interpret_second_series(block, axis_count, h_file, conversion, table);
}

}  // namespace dremoxa7::project
