// One clock for the test programs and the fixture tools they start: the
// performance counter counts the same in every process of the system.
#pragma once

#include <windows.h>

namespace e2e {

// Microseconds of the performance counter.
inline long long time_stamp_us() {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  const long long f = frequency.QuadPart;
  return now.QuadPart / f * 1000000 + now.QuadPart % f * 1000000 / f;
}

}  // namespace e2e
