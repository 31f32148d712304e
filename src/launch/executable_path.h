// The path of a tool's executable: directory + base name + ".exe".
#pragma once

#include <optional>
#include <string_view>

#include "base/text.h"

namespace dremoxa7::launch {

using ExecutablePath = Text<520>;

// The directory carries its own trailing separator. A path too long to
// form names no executable: nullopt.
std::optional<ExecutablePath> executable_path(std::string_view directory, std::string_view name);

}  // namespace dremoxa7::launch
