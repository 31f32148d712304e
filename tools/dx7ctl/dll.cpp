#include "dll.h"

namespace dx7ctl {
namespace {

std::string file_name_of(HMODULE module) {
  char path[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
  return std::string(path, n < MAX_PATH ? n : 0);
}

std::string directory_of(const std::string& file) {
  const std::size_t slash = file.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

template <class Function>
void look_up(HMODULE module, const char* name, Function& function, std::string& missing) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (function == nullptr) missing += std::string(missing.empty() ? "" : ", ") + name;
}

// The DLL is loaded with its own folder searched first for its imports:
// the suite libraries it needs are installed beside it, not beside dx7ctl.
// That search takes a full path.
HMODULE load_beside_its_imports(const std::string& path) {
  char full[MAX_PATH + 1] = {};
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  if (n >= sizeof full) SetLastError(ERROR_FILENAME_EXCED_RANGE);
  if (n == 0 || n >= sizeof full) return nullptr;
  return LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

std::string program_directory() { return directory_of(file_name_of(nullptr)); }

Dll::Dll(const std::string& path) : module_(load_beside_its_imports(path)) {
  if (!module_) {
    error_ = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  std::string missing;
  const HMODULE m = module_.get();
#define DREMOXA7_EXPORT(name, bytes, params) look_up(m, #name, exports_.name, missing);
#include "exports.inc"
#undef DREMOXA7_EXPORT
  if (!missing.empty()) error_ = path + " lacks the export(s) " + missing;
}

std::string Dll::directory() const { return directory_of(file_name_of(module_.get())); }

}  // namespace dx7ctl
