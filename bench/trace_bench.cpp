// One decision line of a typical length: composed and appended to the
// trace file, and passed over while the trace is off (one flag test).
#include <benchmark/benchmark.h>

#include "frame/module_app.h"
#include "frame/trace.h"
#include "platform/host/host_control.h"
#include "temp_dir.h"
#include "trace_file.h"

namespace {

using namespace dremoxa7;

void a_line() { trace::line("work file", trace::quoted("C:\\Suite\\Bin\\zorwork.inf"), "present"); }

void BM_TraceLineToFile(benchmark::State& state) {
  const TempDir logs;
  host::reset();
  bench::trace_to_file(logs);
  for (auto _ : state) a_line();
  bench::count_lines(state);
}
BENCHMARK(BM_TraceLineToFile);

void BM_TraceLineOff(benchmark::State& state) {
  host::reset();
  module_app().init_instance();
  for (auto _ : state) {
    a_line();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TraceLineOff);

}  // namespace
