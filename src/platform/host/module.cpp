// The host model's modules and the library's string table.
#include <algorithm>
#include <cctype>
#include <string_view>

#include "base/text.h"
#include "platform/host/world.h"
#include "platform/platform.h"

namespace dremoxa7 {
namespace host {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

}  // namespace

void load_library(const std::string& file_name) {
  const auto lock = host::lock_world();
  world().library = file_name;
  const std::size_t separator = file_name.find_last_of("\\/:");
  const std::string name = file_name.substr(separator == std::string::npos ? 0 : separator + 1);
  world().modules[lower(name)] = file_name;
}

void set_executable(const std::string& file_name) {
  const auto lock = host::lock_world();
  world().executable = file_name;
}

}  // namespace host

namespace platform {
namespace {

struct StringEntry {
  unsigned id;
  const char* text;
};

// A file name cut, as the system cuts one, on a whole character (world
// locked).
std::size_t copy_file_name(char* buffer, std::size_t capacity, std::string_view name) {
  if (capacity == 0) return 0;
  return copy_text(buffer, capacity, host::world().code_page.cut(name, capacity - 1));
}

constexpr StringEntry kStrings[] = {
#define DREMOXA7_STRING(id, text) {id, text},
#include "strings.inc"
#undef DREMOXA7_STRING
};

}  // namespace

std::size_t module_file_name(const char* module_name, char* buffer, std::size_t capacity) {
  const auto lock = host::lock_world();
  const host::World& w = host::world();
  const auto it = w.modules.find(host::lower(view_of(module_name)));
  return copy_file_name(buffer, capacity, it != w.modules.end() ? it->second : w.executable);
}

std::size_t own_file_name(char* buffer, std::size_t capacity) {
  const auto lock = host::lock_world();
  return copy_file_name(buffer, capacity, host::world().library);
}

std::size_t load_string(unsigned id, char* buffer, std::size_t capacity) {
  const auto lock = host::lock_world();
  for (const StringEntry& entry : kStrings) {
    if (entry.id == id) return copy_text(buffer, capacity, entry.text);
  }
  return copy_text(buffer, capacity, "");
}

}  // namespace platform
}  // namespace dremoxa7
