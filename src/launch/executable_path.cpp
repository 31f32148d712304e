#include "launch/executable_path.h"

namespace dremoxa7::launch {

std::optional<ExecutablePath> executable_path(std::string_view directory, std::string_view name) {
  ExecutablePath path(directory);
  if (path.size() != directory.size() || !path.append(name) || !path.append(".exe")) {
    return std::nullopt;
  }
  const bool has_directory = path.view().find_first_of("\\/:") != std::string_view::npos;
  if (!has_directory || path.view().find('"') != std::string_view::npos) return std::nullopt;
  return path;
}

}  // namespace dremoxa7::launch
