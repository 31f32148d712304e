#include "frame/module_path.h"

#include "frame/strings.h"
#include "platform/platform.h"

namespace dremoxa7 {

namespace {

// Fills an empty part with what fits of text, on a whole character.
template <std::size_t Capacity>
void set_part(Text<Capacity>& part, std::string_view text, const CodePage& code_page) {
  part.append(code_page.cut(text, Capacity - 1));
}

}  // namespace

PathParts split_path(std::string_view file_name, const CodePage& code_page) {
  PathParts parts;
  std::string_view rest = file_name;
  // A colon is never the second byte of a character.
  if (rest.size() >= 2 && rest[1] == ':') {
    set_part(parts.drive, rest.substr(0, 2), code_page);
    rest.remove_prefix(2);
  }
  const std::size_t last_separator = code_page.find_last_of(rest, "\\/");
  if (last_separator != std::string_view::npos) {
    set_part(parts.directory, rest.substr(0, last_separator + 1), code_page);
    rest.remove_prefix(last_separator + 1);
  }
  const std::size_t dot = code_page.find_last_of(rest, ".");
  if (dot != std::string_view::npos) {
    set_part(parts.base_name, rest.substr(0, dot), code_page);
    set_part(parts.extension, rest.substr(dot), code_page);
  } else {
    set_part(parts.base_name, rest, code_page);
  }
  return parts;
}

ModuleDirectory directory_of(std::string_view file_name, const CodePage& code_page) {
  const PathParts parts = split_path(file_name, code_page);
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
