// What AllExeEnd costs each time it looks for a tool it waits for: one poll
// is one search for the tool's title prefix over the whole desktop. Against
// one bare enumeration of the same 300 windows, without and with reading
// their titles. The poll measured is the one that ends a wait: the tool has
// gone, so every title is read.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_desktop.h"
#include "dremoxa7.h"
#include "frame/module_app.h"
#include "platform/host/host_control.h"
#include "platform/platform.h"
#include "suite_fake.h"

namespace {

using namespace dremoxa7;

void desktop_of_300() { bench::desktop_of(300); }

void BM_BareEnumeration300(benchmark::State& state) {
  desktop_of_300();
  for (auto _ : state) {
    long count = 0;
    platform::for_each_window([&](platform::Window) {
      ++count;
      return true;
    });
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_BareEnumeration300);

void BM_EnumerationReadingTitles300(benchmark::State& state) {
  desktop_of_300();
  for (auto _ : state) benchmark::DoNotOptimize(bench::enumerate_reading_titles());
}
BENCHMARK(BM_EnumerationReadingTitles300);

// One poll as AllExeEnd makes it: the suite's prefix for the function, then
// the prefix search (the same path as FindFuncWin).
void BM_ClosePoll300(benchmark::State& state) {
  desktop_of_300();
  DREMOXA7_WINDOW window = nullptr;
  for (auto _ : state) {
    fake::suite().calls.clear();
    benchmark::DoNotOptimize(FindFuncWin(0, 4, &window));
  }
}
BENCHMARK(BM_ClosePoll300);

// A whole AllExeEnd with no tool running: 20 polls (each member looked for
// when asked and when awaited) and one pause, which the model's clock
// passes at once.
void BM_AllExeEndNothingRunning300(benchmark::State& state) {
  desktop_of_300();
  fake::suite().work1_flag = 1;
  for (auto _ : state) {
    fake::suite().calls.clear();
    benchmark::DoNotOptimize(AllExeEnd(0, 5));
  }
}
BENCHMARK(BM_AllExeEndNothingRunning300);

}  // namespace
