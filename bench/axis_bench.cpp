// One UseAxis call against a bare open + read + close of the same system
// file: what the query costs beyond the file work it cannot avoid; the
// query also with the trace on to a file.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "axis_project.h"
#include "dremoxa7.h"
#include "platform/platform.h"
#include "trace_file.h"

namespace {

using namespace dremoxa7;

void BM_BareOpenReadClose(benchmark::State& state) {
  const TempDir drive;
  bench::project_with_system_file(drive);
  std::uint8_t block[bench::kLargeBlock];
  for (auto _ : state) {
    platform::File file(bench::kSystemFile, platform::Sharing::none);
    benchmark::DoNotOptimize(file.read(block, sizeof block));
  }
}
BENCHMARK(BM_BareOpenReadClose);

// Argument 1: with the trace on to a file.
void BM_UseAxis(benchmark::State& state) {
  const TempDir drive;
  const TempDir logs;
  bench::project_with_system_file(drive);
  if (state.range(0) != 0) bench::trace_to_file(logs);
  unsigned char table[DREMOXA7_AXIS_TABLE_SIZE];
  for (auto _ : state) {
    fake::suite().calls.clear();
    benchmark::DoNotOptimize(UseAxis(bench::kProject, bench::kCpuType, 0, table));
  }
  if (state.range(0) != 0) bench::count_lines(state);
}
BENCHMARK(BM_UseAxis)->Arg(0)->Arg(1);

}  // namespace
