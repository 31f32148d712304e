#include "frame/module_path.h"

#include "frame/strings.h"
#include "platform/platform.h"

namespace dremoxa7 {

PathParts split_path(std::string_view file_name) {
  PathParts parts;
  std::string_view rest = file_name;
  if (rest.size() >= 2 && rest[1] == ':') {
    parts.drive.append(rest.substr(0, 2));
    rest.remove_prefix(2);
  }
  const std::size_t last_separator = rest.find_last_of("\\/");
  if (last_separator != std::string_view::npos) {
    parts.directory.append(rest.substr(0, last_separator + 1));
    rest.remove_prefix(last_separator + 1);
  }
  const std::size_t dot = rest.rfind('.');
  if (dot != std::string_view::npos) {
    parts.base_name.append(rest.substr(0, dot));
    parts.extension.append(rest.substr(dot));
  } else {
    parts.base_name.append(rest);
  }
  return parts;
}

ModuleDirectory directory_of(std::string_view file_name) {
  const PathParts parts = split_path(file_name);
  ModuleDirectory directory(parts.drive.view());
  directory.append(parts.directory.view());
  return directory;
}

ModuleFileName current_module_file_name() {
  const strings::StringText own_name = strings::load(strings::kLibraryFileName);
  char buffer[kModuleFileNameCapacity];
  const std::size_t n = platform::module_file_name(own_name.c_str(), buffer, sizeof buffer);
  return ModuleFileName({buffer, n});
}

}  // namespace dremoxa7
