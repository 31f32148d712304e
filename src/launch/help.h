// The suite's help file, opened for the caller's active window.
#pragma once

#include <cstdint>

#include "base/result.h"

namespace dremoxa7::launch {

// Mode 0 opens the contents/finder view, mode 1 the topic of keyword.
// Without an active window nothing is opened and the result is kOk,
// whatever the mode; other modes are kOutOfRange.
Result open_help(std::int16_t mode, const char* help_file, const char* keyword);

}  // namespace dremoxa7::launch
