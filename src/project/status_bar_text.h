// The status-bar CPU text: the CPU label and the CPU name, centred with
// spaces to the width of the tools' status-bar field.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/text.h"

namespace dremoxa7::project {

inline constexpr int kStatusBarWidth = 18;

// The longest text is the six-character label with a fourteen-character
// name and no spaces: 20 characters and the terminator. Callers provide
// buffers of this size.
inline constexpr std::size_t kStatusBarTextCapacity = 21;

using StatusBarText = Text<kStatusBarTextCapacity>;

// label followed by cpu_name, with (18 - L) / 2 spaces ahead (truncated)
// and the rest of the 18 after, L being their joint length; an odd space
// goes to the right. A text of 18 characters or more gets no spaces.
StatusBarText centred_cpu_text(std::string_view label, std::string_view cpu_name);

}  // namespace dremoxa7::project
