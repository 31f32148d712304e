// Closing every tool of the suite when it is shut down from one of them.
#pragma once

#include <cstdint>

#include "base/result.h"

namespace dremoxa7::lifecycle {

// How long a tool that was asked to close is given before it is looked for
// again, and the pause before the last tool (function 32) is asked.
inline constexpr unsigned kClosePollMs = 500;

// Asks every running member of the close set but except_function to close
// and waits until each has gone: functions 0 to 8 and 11 (11 only when the
// work 1 flag is 1, found by "<display text> - <short package name>") are
// all asked at once and then awaited in ascending order; function 3 by the
// registered quit message, the others by the close message. After a pause,
// function 32 is asked and awaited last. There is no time limit: a tool that
// never closes keeps the call waiting, which answers messages sent to the
// caller's windows meanwhile.
//
// kOutOfRange for a series not 0..15 or a function not 0..47; a suite
// library's code when it refuses the work 1 information or a window-title
// prefix, at once, with nothing more asked or awaited; else kOk.
Result close_all(std::int16_t series, std::int16_t except_function);

}  // namespace dremoxa7::lifecycle
