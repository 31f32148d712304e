// The project the axis benchmarks share: a large-layout system file (12
// axes, all five slot groups) under P:\Proj\Temp, and its CPU type.
#pragma once

#include <cstddef>
#include <string>

#include "platform/host/host_control.h"
#include "suite_fake.h"
#include "temp_dir.h"

namespace dremoxa7::bench {

inline constexpr short kCpuType = 7;
inline constexpr std::size_t kLargeBlock = 596;
inline constexpr const char* kProject = "P:\\Proj\\";
inline constexpr const char* kSystemFile = "P:\\Proj\\Temp\\axsystem.bin";

inline void project_with_system_file(const TempDir& drive) {
  host::reset();
  fake::reset_suite();
  host::map_drive('P', drive.path().string());
  std::string file(kLargeBlock, '\0');
  for (int g = 0; g < 5; ++g) {
    file[8 + 66 * g] = 0x20;
    file[9 + 66 * g] = static_cast<char>(2 * g + 1);
    file[10 + 66 * g] = static_cast<char>(2 * g + 2);
  }
  for (int axis = 1; axis <= 12; ++axis) {
    file[336 + 6 * (axis - 1)] = static_cast<char>(axis);
    file[528 + axis - 1] = static_cast<char>(axis);
  }
  drive.write("Proj/Temp/axsystem.bin", file);
  fake::suite().set_cpu_spec(kCpuType, 12, 4);
}

}  // namespace dremoxa7::bench
