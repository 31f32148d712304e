#include "launch/command_line.h"

namespace dremoxa7::launch {

std::optional<CommandLine> command_line(std::string_view executable, std::string_view switches) {
  const bool quoted = executable.find_first_of(" \t") != std::string_view::npos;
  CommandLine line;
  const bool fits = (!quoted || line.append("\"")) && line.append(executable) &&
                    (!quoted || line.append("\"")) && line.append(switches);
  if (!fits) return std::nullopt;
  return line;
}

}  // namespace dremoxa7::launch
