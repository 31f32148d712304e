// Tools by function number: their running windows, found through the
// window-title prefixes of the suite information library.
#pragma once

#include <cstdint>

#include "base/result.h"
#include "platform/platform.h"
#include "windows/function_table.h"
#include "windows/title_search.h"

namespace dremoxa7::windows {

// Which suite call gives a function's window-title prefix: the first
// controller series' or the second's.
enum class TitleCall { first_series, second_series };

// The window of a function's tool (null when it does not run), or the
// suite library's code when it gives no prefix. Windows for which
// pass_over (when given) is true do not count.
Result find_function_window(TitleCall call, std::int16_t series, std::int16_t function,
                            platform::Window& window, PassOver pass_over = nullptr);

struct GroupWindows {
  std::int16_t count = 0;
  platform::Window windows[kFunctionCount] = {};
};

// The running tools of group 0 or 1. One pass over the desktop serves every
// member; a member whose prefix the suite library refuses ends the query
// with its code, keeping what the members before it found.
Result find_group_windows(std::int16_t series, std::int16_t group, GroupWindows& out);

// Sets is_last when exactly one tool of group 1 runs.
Result last_app_check(std::int16_t series, std::int16_t& is_last);

}  // namespace dremoxa7::windows
