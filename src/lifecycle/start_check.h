// The start check: whether a starting tool may go on, or must end because
// its start has been taken care of elsewhere.
#pragma once

#include <cstdint>

#include "base/result.h"

namespace dremoxa7::lifecycle {

// Called by a tool early in its start with its series and own function
// number. quit becomes 1 when the tool must end: a running window of the
// suite was brought to the front in its place, the work information file
// holds the start hold, or no tool of group 0 runs and executable 0 was
// started instead, with a hand-off text on the clipboard: version field 1,
// the name of executable 0, the asking tool's executable number, "1" and
// "TARVELONIK", joined by commas. quit is 0
// whenever the result is not kOk: kOutOfRange for a series or function out
// of range, or the first failing suite call's code, unchanged.
Result start_check(std::int16_t series, std::int16_t function, std::int16_t& quit);

}  // namespace dremoxa7::lifecycle
