// Bringing a tool's window to the front.
#pragma once

#include "base/result.h"
#include "platform/platform.h"

namespace dremoxa7::windows {

// Makes the window the foreground window, restores it when minimised, and
// then brings its last active pop-up to the front. kNotFound for a null
// window; kRefused when a foreground change is refused (a pop-up that
// closed meanwhile is not refused: its owner is in front).
Result activate(platform::Window window);

}  // namespace dremoxa7::windows
