// The base name of one of the suite's executables, as the suite
// information library gives it.
#pragma once

#include <cstdint>

#include "base/result.h"
#include "base/text.h"
#include "frame/suite.h"

namespace dremoxa7 {

// Without ".exe"; whole also when the suite library fills its buffer
// without a terminator.
using ExecutableName = Text<suite::kExeNameCapacity + 1>;

// GetZorExeName for executable number; the two further texts the call
// fills are not used. The suite library's code when it refuses.
Result executable_name(std::int16_t number, ExecutableName& name);

}  // namespace dremoxa7
