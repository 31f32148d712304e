#include "launch/executable_path.h"

#include "frame/trace.h"
#include "platform/platform.h"

namespace dremoxa7::launch {

std::optional<ExecutablePath> executable_path(std::string_view directory, std::string_view name) {
  ExecutablePath path(directory);
  if (path.size() != directory.size() || !path.append(name) || !path.append(".exe")) {
    trace::line("executable", trace::quoted(directory), trace::quoted(name), "too long a path");
    return std::nullopt;
  }
  if (path.view().find_first_of("\\/:") == std::string_view::npos) {
    trace::line("executable", trace::quoted(path.view()), "has no directory: not started");
    return std::nullopt;
  }
  if (path.view().find('"') != std::string_view::npos) {
    trace::line("executable", trace::quoted(path.view()), "holds a double quote: not started");
    return std::nullopt;
  }
  return path;
}

std::optional<ExecutablePath> existing_executable(std::string_view directory,
                                                  std::string_view name) {
  auto path = executable_path(directory, name);
  if (!path) return std::nullopt;
  const bool exists = platform::path_exists(path->c_str());
  trace::line("executable", trace::quoted(path->view()), exists ? "present" : "missing");
  if (!exists) return std::nullopt;
  return path;
}

}  // namespace dremoxa7::launch
