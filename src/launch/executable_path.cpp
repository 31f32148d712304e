#include "launch/executable_path.h"

#include "frame/trace.h"
#include "platform/platform.h"

namespace dremoxa7::launch {
namespace {

bool separator(char c) { return c == '\\' || c == '/'; }

// Whether the system starts the program at this path from one folder only:
// a full path (a drive, a root, a share), or one that begins at the
// current folder (".\", "..\"). Any other relative path, a bare name or
// "sub\tool.exe", is searched for, the starting program's own folder
// first. Only the first bytes are looked at: the text begins with a
// character, and a letter or a dot is one byte in any code page, so the
// byte after it begins a character too.
bool names_its_folder(std::string_view path) {
  if (!path.empty() && separator(path[0])) return true;
  const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 2 && letter(path[0]) && path[1] == ':') return true;
  if (path.size() >= 2 && path[0] == '.' && separator(path[1])) return true;
  return path.size() >= 3 && path[0] == '.' && path[1] == '.' && separator(path[2]);
}

}  // namespace

std::optional<ExecutablePath> executable_path(std::string_view directory, std::string_view name) {
  ExecutablePath path(directory);
  if (path.size() != directory.size() || !path.append(name) || !path.append(".exe")) {
    trace::line("executable", trace::quoted(directory), trace::quoted(name), "too long a path");
    return std::nullopt;
  }
  if (!names_its_folder(path.view())) {
    trace::line("executable", trace::quoted(path.view()), "names no folder: not started");
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
