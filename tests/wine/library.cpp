#include "library.h"

#include <fstream>

#if defined(__i386__)
#include "stack_check.h"
#endif

namespace e2e {
namespace {

// One value per export: on i686 each has its own checking thunk.
enum class ExportId {
#define DREMOXA7_EXPORT(name, bytes, params) name,
#include "exports.inc"
#undef DREMOXA7_EXPORT
};

template <ExportId Id, std::size_t ArgumentBytes, class Function>
void look_up(HMODULE module, const char* name, Function& function, std::string& missing) {
  const void* const address = reinterpret_cast<const void*>(GetProcAddress(module, name));
  if (address == nullptr) {
    missing += std::string(missing.empty() ? "" : " ") + name;
    return;
  }
#if defined(__i386__)
  function = checked<Id, ArgumentBytes, Function>(address, name);
#else
  function = reinterpret_cast<Function>(const_cast<void*>(address));
#endif
}

}  // namespace

std::string program_directory() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path, n < MAX_PATH ? n : 0);
  const std::size_t slash = directory.find_last_of("\\/");
  directory.resize(slash == std::string::npos ? 0 : slash + 1);
  return directory;
}

const Library& Library::get() {
  static const Library library;
  return library;
}

Library::Library() : path_(program_directory() + "dremoxa7.dll") {
  module_.reset(LoadLibraryA(path_.c_str()));
  if (!module_) {
    error_ = "LoadLibraryA(" + path_ + ") failed, error " + std::to_string(GetLastError());
    return;
  }
  HMODULE m = module_.get();
#define DREMOXA7_EXPORT(name, bytes, params) \
  look_up<ExportId::name, bytes>(m, #name, exports_.name, missing_);
#include "exports.inc"
#undef DREMOXA7_EXPORT
}

void write_suite_description(const std::string& text) {
  std::ofstream file(program_directory() + "suite-standin.txt", std::ios::binary | std::ios::trunc);
  file << text;
}

}  // namespace e2e
