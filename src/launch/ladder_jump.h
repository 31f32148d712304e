// The ladder editor jump: bring the suite's ladder program editor to the
// front, or start it with five switches taken from the work information
// file, a CPU record of the positioning configuration file and the series'
// short package name.
#pragma once

#include <cstdint>

#include "base/result.h"

namespace dremoxa7::launch {

// The editor is exe_name + ".exe" in directory (which ends in a separator);
// its window's title begins with title_prefix, " - " and the series' short
// package name. Results: kOutOfRange for a series out of range;
// kNoExecutable when the executable is missing or its path too long to
// form, with nothing read or activated; otherwise the first failing suite
// call's code, unchanged, or kOk once the editor was brought to the front
// or started. The work file, the CPU record and the short package name are
// read even when the editor runs: they make its title and command line.
Result ladder_jump(std::int16_t series, const char* directory, const char* exe_name,
                   const char* title_prefix);

}  // namespace dremoxa7::launch
