// One UseAxis call against a bare open + read + close of the same system
// file: what the query costs beyond the file work it cannot avoid.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "dremoxa7.h"
#include "platform/host/host_control.h"
#include "platform/platform.h"
#include "suite_fake.h"
#include "temp_dir.h"

namespace {

using namespace dremoxa7;

constexpr short kCpuType = 7;
constexpr std::size_t kLargeBlock = 596;
constexpr const char* kProject = "P:\\Proj\\";
constexpr const char* kSystemFile = "P:\\Proj\\Temp\\axsystem.bin";

// A large-layout file (12 axes, all five slot groups) in a project on P:.
void project_with_system_file(const TempDir& drive) {
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

void BM_BareOpenReadClose(benchmark::State& state) {
  const TempDir drive;
  project_with_system_file(drive);
  std::uint8_t block[kLargeBlock];
  for (auto _ : state) {
    platform::File file(kSystemFile, platform::Sharing::none);
    benchmark::DoNotOptimize(file.read(block, sizeof block));
  }
}
BENCHMARK(BM_BareOpenReadClose);

void BM_UseAxis(benchmark::State& state) {
  const TempDir drive;
  project_with_system_file(drive);
  unsigned char table[DREMOXA7_AXIS_TABLE_SIZE];
  for (auto _ : state) {
    fake::suite().calls.clear();
    benchmark::DoNotOptimize(UseAxis(kProject, kCpuType, 0, table));
  }
}
BENCHMARK(BM_UseAxis);

}  // namespace
