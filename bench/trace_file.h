// The trace switched on to a file, for the benchmarks that compare a call
// with it on and off.
#pragma once

#include <benchmark/benchmark.h>

#include "frame/module_app.h"
#include "platform/host/host_control.h"
#include "temp_dir.h"

namespace dremoxa7::bench {

// The library loads again with its trace going to a file on T: (below
// logs); the counters start afresh.
inline void trace_to_file(const TempDir& logs) {
  host::map_drive('T', logs.path().string());
  host::set_environment_variable("DREMOXA7_TRACE", "T:\\trace.txt");
  module_app().init_instance();
  host::reset_counters();
}

// The lines each call wrote, as the counter "lines".
inline void count_lines(benchmark::State& state) {
  state.counters["lines"] =
      static_cast<double>(host::counters().appends) / static_cast<double>(state.iterations());
}

}  // namespace dremoxa7::bench
