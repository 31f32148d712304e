// The status-bar CPU name query: the CPU record of the positioning
// configuration file in the library's directory, turned into the centred
// status-bar text, or the fixed CPU text when the version file names the
// model that shows it.
#pragma once

#include "base/result.h"

namespace dremoxa7::project {

// index counts by its low 8 bits, as a signed number; valid 0..17.
// buffer (at least kStatusBarTextCapacity bytes) receives the text on
// success and is untouched otherwise; null only means the caller does not
// want it. Results: kOk; kRefused for an index out of range, silently;
// kNotFound when the configuration file is missing and kUnreadable when it
// cannot be opened, positioned or read in full, each after a message box.
// Problems with the version file never fail the query.
Result status_bar_cpu_name(int index, char* buffer);

}  // namespace dremoxa7::project
