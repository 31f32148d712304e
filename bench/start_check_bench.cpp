// The start check while a tool of group 0 runs, on a desktop of 1000 other
// windows, against the work it cannot avoid: one pass over the desktop that
// reads every title, and one 570-byte read of the work file.
//
// Argument 0: the other windows' titles are those of other programs.
// Argument 1: every fourth of them shares the tools' first eleven
// characters, so that their titles are compared with every member's prefix.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "dremoxa7.h"
#include "frame/module_app.h"
#include "frame/suite.h"
#include "platform/host/host_control.h"
#include "platform/platform.h"
#include "suite_fake.h"
#include "temp_dir.h"

namespace {

using namespace dremoxa7;

constexpr const char* kWorkFile = "C:\\Suite\\Bin\\zorwork.inf";

// Titles for every member of group 0; the tools given run below 1000
// windows of other programs. A work file with start hold 0 lies beside the library.
void desktop_with(const TempDir& drive, std::int64_t crowded, std::initializer_list<int> running) {
  host::reset();
  fake::reset_suite();
  host::map_drive('C', drive.path().string());
  host::load_library("C:\\Suite\\Bin\\dremoxa7.dll");
  module_app().init_instance();
  drive.write("Suite/Bin/zorwork.inf", std::string(570, '\0'));
  for (int f = 0; f < DREMOXA7_FUNCTION_COUNT; ++f) {
    fake::suite().titles[{0, f}] = "Suite tool " + std::to_string(f) + " -";
  }
  for (int i = 0; i < 1000; ++i) {
    const bool shares_prefix = crowded != 0 && i % 4 == 0;
    host::add_window((shares_prefix ? "Suite tool manual, page " : "Unrelated window number ") +
                     std::to_string(i));
  }
  for (int f : running) host::add_window("Suite tool " + std::to_string(f) + " - running");
}

void BM_BareEnumerationAndWorkRead(benchmark::State& state) {
  const TempDir drive;
  desktop_with(drive, state.range(0), {4});
  char title[DREMOXA7_TITLE_CAPACITY];
  std::uint8_t block[570];
  for (auto _ : state) {
    fake::suite().calls.clear();
    long total = 0;
    platform::for_each_window([&](platform::Window window) {
      total += platform::window_title(window, title, sizeof title);
      return true;
    });
    benchmark::DoNotOptimize(total);
    benchmark::DoNotOptimize(ZorFileRead2(kWorkFile, 0, sizeof block, block));
  }
}
BENCHMARK(BM_BareEnumerationAndWorkRead)->Arg(0)->Arg(1);

// Function 4 runs without function 0: the work file is read, and the
// asking function 4 has its own window brought to the front.
void BM_StartCheckReadsTheWorkFile(benchmark::State& state) {
  const TempDir drive;
  desktop_with(drive, state.range(0), {4});
  short quit = 0;
  for (auto _ : state) {
    fake::suite().calls.clear();
    benchmark::DoNotOptimize(ZorStartCheck(0, 4, &quit));
  }
  if (quit != 1) state.SkipWithError("the start check did not take the start over");
}
BENCHMARK(BM_StartCheckReadsTheWorkFile)->Arg(0)->Arg(1);

// Function 0 runs beside function 4: its window comes to the front, and
// the work file is not read.
void BM_StartCheckMainToolRuns(benchmark::State& state) {
  const TempDir drive;
  desktop_with(drive, state.range(0), {0, 4});
  short quit = 0;
  for (auto _ : state) {
    fake::suite().calls.clear();
    benchmark::DoNotOptimize(ZorStartCheck(0, 6, &quit));
  }
  if (quit != 1) state.SkipWithError("the start check did not take the start over");
}
BENCHMARK(BM_StartCheckMainToolRuns)->Arg(0)->Arg(1);

}  // namespace
