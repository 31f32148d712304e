// The path of a tool's executable: directory + base name + ".exe".
#pragma once

#include <optional>
#include <string_view>

#include "base/text.h"

namespace dremoxa7::launch {

using ExecutablePath = Text<520>;

// The directory carries its own trailing separator. nullopt, naming no
// executable, for a path too long to form, for one that does not name its
// folder (a bare name, or a path relative to the current folder such as
// "sub\tool.exe"), and for one that holds a double quote:
// - the system looks for such a relative path in the starting program's
//   own folder before the current one, where a test for the file looks:
//   the file tested and the program started would differ;
// - no file name holds a double quote, and on a command line one would
//   end the quoted path early and start whatever its first part names.
std::optional<ExecutablePath> executable_path(std::string_view directory, std::string_view name);

// The same, only when some directory entry has that path (tested by name:
// the one the start will name).
std::optional<ExecutablePath> existing_executable(std::string_view directory,
                                                  std::string_view name);

}  // namespace dremoxa7::launch
