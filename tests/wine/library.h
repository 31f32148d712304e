// The library as a tool program sees it: loaded with LoadLibraryA from the
// program's directory, each export looked up by its plain name and called
// through the header's stdcall signatures; on i686 with the stack pointer
// checked around every call (stack_check.h).
#pragma once

#include <windows.h>

#include <string>

#include "base/win32_owners.h"
#include "dremoxa7.h"

namespace e2e {

// Every export of the list, looked up by its plain name.
struct Exports {
#define DREMOXA7_EXPORT(name, bytes, params) decltype(&::name) name = nullptr;
#include "exports.inc"
#undef DREMOXA7_EXPORT
};

class Library {
 public:
  // The library loaded once for the whole program.
  static const Library& get();

  HMODULE module() const { return module_.get(); }
  const std::string& path() const { return path_; }
  const Exports& exports() const { return exports_; }
  // Names of the exports that could not be found ("" when all are there).
  const std::string& missing() const { return missing_; }
  // Why the library could not be loaded ("" when it is loaded).
  const std::string& error() const { return error_; }

 private:
  Library();
  dremoxa7::UniqueModule module_;
  std::string path_;
  Exports exports_;
  std::string missing_;
  std::string error_;
};

// The running program's directory, ending in a backslash; the library, the
// stand-in suite DLLs and the fixture tool are built there.
std::string program_directory();

// Writes the stand-in suite DLLs' description file (suite-standin.txt)
// beside them; they read it again on every call.
void write_suite_description(const std::string& text);

}  // namespace e2e
