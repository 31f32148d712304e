// The library's module: its file name and its string table.
#include <windows.h>

#include "platform/platform.h"

namespace dremoxa7::platform {
namespace {

// The module that holds this code, whatever name it was loaded under.
HMODULE own_module() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&own_module), &module);
  return module;
}

// The module's file name, bounded and terminated: a cut name may come back
// unterminated, and is cut again on a whole character. A null module names
// the process's executable.
std::size_t file_name_of(HMODULE module, char* buffer, std::size_t capacity) {
  if (capacity == 0) return 0;
  const DWORD n = GetModuleFileNameA(module, buffer, static_cast<DWORD>(capacity));
  const std::size_t stored =
      n < capacity ? n : system_code_page().cut({buffer, capacity - 1}, capacity - 1).size();
  buffer[stored] = '\0';
  return stored;
}

}  // namespace

std::size_t module_file_name(const char* module_name, char* buffer, std::size_t capacity) {
  return file_name_of(GetModuleHandleA(module_name), buffer, capacity);
}

std::size_t own_file_name(char* buffer, std::size_t capacity) {
  return file_name_of(own_module(), buffer, capacity);
}

std::size_t load_string(unsigned id, char* buffer, std::size_t capacity) {
  if (capacity == 0) return 0;
  const int n = LoadStringA(own_module(), id, buffer, static_cast<int>(capacity));
  if (n <= 0) {
    buffer[0] = '\0';
    return 0;
  }
  return static_cast<std::size_t>(n);
}

}  // namespace dremoxa7::platform
