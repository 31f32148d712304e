// The last step of every jump: the running tool to the front, or its
// executable started.
#pragma once

#include <string_view>

#include "launch/executable_path.h"
#include "platform/platform.h"

namespace dremoxa7::launch {

// Brings window (the running tool) to the front; without one, puts handoff
// on the clipboard when it is not empty and starts the executable with the
// switches after its path. Neither outcome is reported.
void activate_or_start(platform::Window window, const ExecutablePath& path,
                       std::string_view switches, std::string_view handoff);

}  // namespace dremoxa7::launch
