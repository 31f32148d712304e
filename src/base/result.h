// Result codes. Every export returns one of these or a code passed through
// unchanged from a suite library.
#pragma once

#include <cstdint>

namespace dremoxa7 {
using Result = std::int16_t;

inline constexpr Result kOk = 0;
inline constexpr Result kOutOfRange = 4;
inline constexpr Result kNoExecutable = 6;
inline constexpr Result kRefused = -1;
inline constexpr Result kNotFound = -2;
inline constexpr Result kUnreadable = -3;
}  // namespace dremoxa7
