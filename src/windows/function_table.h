// The suite's tools by function number: which group each belongs to and
// whether closing all tools handles it.
#pragma once

#include <array>
#include <cstdint>

namespace dremoxa7::windows {

inline constexpr int kFunctionCount = 48;
inline constexpr int kGroupCount = 2;

// Four 16-bit flags per function, 1 = member. The fourth is zero in every
// row and nothing consults it.
struct FunctionRow {
  std::uint16_t group0;
  std::uint16_t group1;
  std::uint16_t close_all;
  std::uint16_t fourth;
};

inline constexpr std::array<FunctionRow, kFunctionCount> kFunctionTable = [] {
  std::array<FunctionRow, kFunctionCount> rows{};
  for (int f = 0; f <= 8; ++f) rows[f] = {1, 1, 1, 0};
  rows[10] = {1, 1, 0, 0};
  rows[11] = {0, 0, 1, 0};
  rows[32] = {0, 0, 1, 0};
  return rows;
}();

// group must be 0 or 1, function 0..47.
constexpr bool in_group(int group, int function) {
  const FunctionRow& row = kFunctionTable[function];
  return (group == 0 ? row.group0 : row.group1) == 1;
}

constexpr bool valid_series(int series) { return series >= 0 && series <= 15; }
constexpr bool valid_function(int function) { return function >= 0 && function < kFunctionCount; }

}  // namespace dremoxa7::windows
