// dremoxa7.dll as dx7ctl loads it: at run time, from a given path, every
// export looked up by its plain name.
#pragma once

#include <windows.h>

#include <string>

#include "base/win32_owners.h"
#include "dremoxa7.h"

namespace dx7ctl {

struct Exports {
#define DREMOXA7_EXPORT(name, bytes, params) decltype(&::name) name = nullptr;
#include "exports.inc"
#undef DREMOXA7_EXPORT
};

class Dll {
 public:
  // Loads the DLL; error() says why when it could not be loaded or lacks
  // an export.
  explicit Dll(const std::string& path);

  bool loaded() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const Exports& exports() const { return exports_; }
  // The directory the DLL was loaded from, ending in a backslash.
  std::string directory() const;

 private:
  dremoxa7::UniqueModule module_;
  Exports exports_;
  std::string error_;
};

// This program's own directory, ending in a backslash.
std::string program_directory();

}  // namespace dx7ctl
