// Jumps to another tool: activate it when it runs, else start it.
#pragma once

#include <cstdint>

#include "base/result.h"

namespace dremoxa7::launch {

// The three function jumps differ in how they look up the tool's window
// and which install directory they ask for.
enum class JumpVariant { standard, second_series, alternative };

// Finds the tool of function, checks that its executable exists, then
// brings its window to the front, or hands handoff over on the clipboard
// (when not empty) and starts the executable. kNoExecutable when the
// executable is missing; suite codes pass through.
Result function_jump(JumpVariant variant, std::int16_t series, std::int16_t function,
                     const char* handoff);

// The same for an executable given by directory and base name, whose
// window is found by the start of its title. No hand-off.
Result package_jump(const char* directory, const char* exe_name, const char* title);

}  // namespace dremoxa7::launch
