// The command line of a tool the library starts: its executable path and,
// for the ladder editor, the switches after it.
#pragma once

#include <optional>
#include <string_view>

#include "base/text.h"

namespace dremoxa7::launch {

// Room for the longest executable path (519 characters) in quotes and the
// longest switch text the library composes.
using CommandLine = Text<1024>;

// The executable path followed directly by the switches. A path holding a
// space or a tab goes in double quotes: unquoted, the system would split it
// at the first blank and start whichever program a shorter prefix names.
// Any other path stays as it is, so a started tool sees the command line it
// always saw. nullopt when the whole line does not fit.
std::optional<CommandLine> command_line(std::string_view executable, std::string_view switches);

}  // namespace dremoxa7::launch
