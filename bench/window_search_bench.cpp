// A group query against one bare pass over the same desktop of 1000
// windows, none of which belongs to the group (so every title is read);
// the query also with the trace on to a file.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_desktop.h"
#include "dremoxa7.h"
#include "frame/module_app.h"
#include "platform/host/host_control.h"
#include "suite_fake.h"
#include "temp_dir.h"
#include "trace_file.h"

namespace {

using namespace dremoxa7;

void desktop_of_1000() { bench::desktop_of(1000); }

// Enumerates the desktop and reads every title: the least any search over
// all windows can do.
void BM_BareEnumeration(benchmark::State& state) {
  desktop_of_1000();
  for (auto _ : state) benchmark::DoNotOptimize(bench::enumerate_reading_titles());
}
BENCHMARK(BM_BareEnumeration);

// Argument 1: with the trace on to a file.
void BM_FindZorWinGroup0(benchmark::State& state) {
  const TempDir logs;
  desktop_of_1000();
  if (state.range(0) != 0) bench::trace_to_file(logs);
  short count = 0;
  DREMOXA7_WINDOW windows[DREMOXA7_FUNCTION_COUNT];
  for (auto _ : state) {
    fake::suite().calls.clear();
    benchmark::DoNotOptimize(FindZorWin(0, 0, &count, windows));
  }
  if (state.range(0) != 0) bench::count_lines(state);
}
BENCHMARK(BM_FindZorWinGroup0)->Arg(0)->Arg(1);

// For comparison: one search per member, as ten FindFuncWin calls.
void BM_OneSearchPerMember(benchmark::State& state) {
  desktop_of_1000();
  DREMOXA7_WINDOW window;
  for (auto _ : state) {
    fake::suite().calls.clear();
    for (short f : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10})
      benchmark::DoNotOptimize(FindFuncWin(0, f, &window));
  }
}
BENCHMARK(BM_OneSearchPerMember);

// A substring search that matches no title, under the code page given as
// the argument: in a single-byte code page it is a plain byte search; in
// 932 it steps by characters only where the bytes matched.
void BM_FindWinTitlePNoMatch(benchmark::State& state) {
  desktop_of_1000();
  host::set_code_page(static_cast<unsigned>(state.range(0)));
  module_app().init_instance();
  char title[DREMOXA7_TITLE_CAPACITY];
  DREMOXA7_WINDOW window;
  for (auto _ : state) benchmark::DoNotOptimize(FindWinTitleP("window number X", title, &window));
}
BENCHMARK(BM_FindWinTitlePNoMatch)->Arg(1252)->Arg(932);

}  // namespace
