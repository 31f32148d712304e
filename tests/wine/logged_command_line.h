// The command line an installed tool was started with, as it logs it with
// --log-command-line (after its window is open).
#pragma once

#include <string>
#include <string_view>

#include "installed_tool.h"
#include "wait.h"

namespace e2e {

inline constexpr std::string_view kCommandLineEntry = "command-line ";

// Options of a tool that opens a window titled title and then logs its
// whole command line.
inline ToolOptions logging_command_line(std::string title) {
  return {std::move(title), {}, {"--log-command-line"}};
}

// How many started copies of the tool have logged their command line.
inline int logged_starts(const InstalledTool& tool) {
  int starts = 0;
  for (const std::string& line : tool.log_lines()) starts += line.starts_with(kCommandLineEntry);
  return starts;
}

// The command line the first started copy logged, once it has (bounded
// wait); empty if none.
inline std::string logged_command_line(const InstalledTool& tool) {
  wait_until([&] { return logged_starts(tool) != 0; });
  for (const std::string& line : tool.log_lines()) {
    if (line.starts_with(kCommandLineEntry)) return line.substr(kCommandLineEntry.size());
  }
  return {};
}

}  // namespace e2e
